#include "contratto.h"

#include "core/codicefiscale.h"
#include "core/filesicuro.h"
#include "core/importo.h"
#include "core/luoghi.h"
#include "core/testo.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace qv {

namespace {

// The document, piece by piece in the order they are written, with nothing
// between them. The fixed text is plain ASCII and writes accented letters as
// hexadecimal escapes; «name» stands for the value of that contract field,
// «@word» for a word that agrees with the collaborator's sex and «Leg@word»
// for one that agrees with the legal representative's (kFemminile); «=a
// name» is the preposition before the birthplace in that field ("a Forlì",
// "in Germania") and «=Ditta» the word before the company's name, left out
// when the name begins with it.
constexpr const char *kPezzi[] = {
    // Header: code page, default language, font table, colour table.
    R"({\rtf1\ansi\ansicpg1252\deff0\deflang1040{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}{\f1\froman\fprq2\fcharset2 Symbol;}{\f2\fnil Verdana;}})",
    R"({\colortbl ;\red0\green0\blue0;})",
    // The page the text is laid out for: A4, with margins of 2 cm at the sides
    // and the bottom and 2.5 cm at the top (in twentieths of a point), so that
    // a word processor with Letter paper or other margins by default lays it
    // out on the same three pages.
    R"(\paperw11906\paperh16838\margl1134\margr1134\margt1417\margb1134)",
    // Title, subtitle and the opening sentence.
    R"(\viewkind4\uc1\pard\qc\b\f0\fs24 CONTRATTO DI COLLABORAZIONE COORDINATA E CONTINUATIVA)",
    R"(\par \b0\fs20 (art. 409 Codice di procedura civile e art. 2222 Codice civile))",
    R"(\par \fs24 __________________)",
    R"(\par)",
    R"(\par \pard\qj\fs22 Con la presente scrittura privata, redatta in duplice copia, a valere a tutti gli effetti di legge, tra le seguenti parti:)",
    R"(\par)",
    // The principal company, the "Committente".
    R"(\par «=Ditta»\b «txtNomeDitta»\b0 , con sede legale in \b «txtSedeDitta»\b0 , prov. \b «txtProvDitta»\b0 ; partita IVA: \b «txtIvaDitta»\b0 , iscritta al Registro delle imprese del Comune di \b «txtComuneReg»\b0 , prov. \b «txtProvReg»\b0 , con numero \b «txtNumReg»\b0 , nella persona del legale rappresentante \b «txtLegale»\b0 , «Leg@nato» «=a txtLuogoNascLeg» \b «txtLuogoNascLeg»\b0  il \b «txtDataNascLeg»\b0 , C.F. \b «txtCodFiscLeg»\b0 , esercente l'attivit\'e0 di \b «txtAttivita»\b0 , di seguito denominata Committente,)",
    R"(\par)",
    // The collaborator.
    R"(\par \pard\qc\b e)",
    R"(\par \b0)",
    R"(\par \pard\qj «@Sig.» \b «txtDipendente»\b0 , di cittadinanza \b «txtCittadinanza»\b0 , «@nato» «=a txtLuogo» \b «txtLuogo»\b0  il \b «txtDataNasc»\b0 , residente a \b «txtCitta»\b0 , prov. \b «txtProv»\b0 , CAP: \b «txtCap»\b0 , in \b «txtIndirizzo»\b0 , C.F. \b «txtCodFisc»\b0 , recapito telefonico: \b «txtRecapito»\b0 , di seguito «@denominato» Collaboratore,)",
    R"(\par)",
    // The premises, as a bulleted list (font 1 is Symbol, \'b7 its bullet).
    R"(\par \pard\qc\b premesso e convenuto fra le parti che)",
    R"(\par \b0)",
    R"(\par \pard\fi-360\li720\qj\tx720\f1\'b7\tab\f0 il Committente svolge l'attivit\'e0 di \b «txtAttivita»\b0 , per la quale intende avvalersi dell'apporto del lavoro del Collaboratore nella sede di \b «txtSedeLavoro»\b0 ;)",
    R"(\par \pard\fi-360\li720\qj\f1\'b7\tab\f0 il Collaboratore si \'e8 reso disponibile a fornire la propria opera lavorativa, essendo in possesso delle seguenti qualifiche: \b «txtQualifiche»\b0 ;)",
    R"(\par \f1\'b7\tab\f0\'e8 esclusivo interesse di entrambe le parti stipulare un contratto contenente gli elementi specifici della collaborazione coordinata e continuativa;)",
    R"(\par \f1\'b7\tab\f0 il Committente non richiede al Collaboratore l'esclusivit\'e0 della sua prestazione;)",
    R"(\par \pard\qj)",
    // The fifteen articles, each followed by an empty paragraph; the bold of the
    // heading above is still on for the number of article 1.
    R"(\par \pard\qc\b si stipula quanto segue:)",
    R"(\par)",
    R"(\par \pard\qj 1.\b0  Il presente contratto ha tutti i requisiti della collaborazione coordinata e continuativa ed \'e8 al di fuori di ogni tipologia di lavoro subordinato. Il Collaboratore svolger\'e0 la propria attivit\'e0 in piena autonomia organizzativa e operativa, senza alcun vincolo di subordinazione e nel rispetto del solo coordinamento generale del Committente, mediante il proprio lavoro e avvalendosi dei mezzi messi a sua disposizione dal Committente, nell'ambito di un unico rapporto a carattere continuativo.)",
    R"(\par)",
    R"(\par \b 2.\b0  Il Collaboratore dovr\'e0 svolgere a favore del Committente le seguenti prestazioni: \b «txtPrestazioni»\b0 .)",
    R"(\par)",
    R"(\par \b 3.\b0  Il Collaboratore potr\'e0 inoltre svolgere ulteriori prestazioni, le quali dovranno essere concordate per iscritto tra le parti con riguardo all'oggetto della prestazione e al compenso spettante.)",
    R"(\par)",
    R"(\par \b 4.\b0  Il Collaboratore, nello svolgimento del proprio incarico, dovr\'e0 usare la diligenza richiesta dalla natura della prestazione e dall'interesse del Committente. A tal fine si atterr\'e0 alle indicazioni impartite dal Committente e lo terr\'e0 costantemente informato sull'andamento, sui tempi e sulle modalit\'e0 di svolgimento dell'attivit\'e0. Qualsiasi impossibilit\'e0 di eseguire la prestazione dovr\'e0 essere comunicata al Committente immediatamente e, comunque, non oltre 24 (ventiquattro) ore dal verificarsi dell'evento che l'ha determinata.)",
    R"(\par)",
    R"(\par \b 5.\b0  La presente collaborazione avr\'e0 la durata di \b «txtDurata»\b0  a decorrere dal \b «txtDataInizio»\b0  fino al \b «txtDataFine»\b0  escludendo ogni tacita proroga. Almeno 15 (quindici) giorni prima della scadenza, il Committente comunicher\'e0 per iscritto al Collaboratore se intende rinnovare il contratto ovvero proporre un nuovo accordo. Ciascuna delle parti potr\'e0 recedere anticipatamente dal contratto mediante lettera raccomandata con avviso di ricevimento, con un preavviso di 30 (trenta) giorni per i contratti di durata pari o superiore a 12 (dodici) mesi; per i contratti di durata inferiore il preavviso sar\'e0 ridotto in misura proporzionale. Al Collaboratore spetteranno in ogni caso i compensi maturati fino alla data di cessazione del rapporto. In caso di malattia, infortunio sul lavoro e maternit\'e0 si applicano le disposizioni di legge vigenti in materia.)",
    R"(\par)",
    R"(\par \b 6.\b0  Il rapporto di collaborazione coordinata e continuativa potr\'e0 essere interrotto anticipatamente da entrambe le parti in caso di gravi inadempienze contrattuali, le quali avranno come conseguenza il recesso immediato. La parte che riceve la comunicazione del recesso potr\'e0 presentare le proprie contestazioni entro 10 (dieci) giorni dal ricevimento. Il contratto si intender\'e0 inoltre risolto di diritto, senza obbligo di preavviso, nei seguenti casi: 1) inattivit\'e0 ingiustificata del Collaboratore protratta per 30 (trenta) giorni e non dovuta a malattia; 2) infortunio o gravidanza del Collaboratore, nei limiti e con le tutele previsti dalle disposizioni vigenti; 3) violazione dell'obbligo di riservatezza da parte del Collaboratore; 4) cessazione dell'attivit\'e0 del Committente.)",
    R"(\par)",
    R"(\par \b 7.\b0  Il compenso per le attivit\'e0 che il Collaboratore dovr\'e0 svolgere \'e8 concordato mensilmente in \'80\b  «txtStipendio»\b0  al lordo delle ritenute fiscali e previdenziali (ai sensi della legge 335/95) e infortunistiche. Il giorno 10 di ogni mese, il Committente provveder\'e0 ad accreditare tale importo al netto delle ritenute previdenziali e fiscali come per legge sul conto corrente con IBAN \b «txtIban»\b0  intestato al Collaboratore.)",
    R"(\par)",
    R"(\par \b 8.\b0  In aggiunta all'importo del compenso come sopra definito, al Collaboratore potranno essere riconosciuti i rimborsi per le spese di viaggio, vitto e alloggio sostenute in occasione di trasferte al di fuori del Comune in cui ha sede il luogo di lavoro, nei limiti previsti dai regolamenti aziendali. Tali spese dovranno essere documentate mediante la presentazione delle relative fatture o ricevute in originale e saranno rimborsate con mezzi di pagamento tracciabili. L'utilizzo dell'autovettura di propriet\'e0 del Collaboratore, ove preventivamente autorizzato dal Committente, dar\'e0 luogo a un rimborso chilometrico calcolato in base a una tariffa concordata tra le parti e comunque non superiore a quella risultante dalle tabelle ACI vigenti per l'anno di riferimento.)",
    R"(\par)",
    R"(\par \b 9.\b0  Il compenso costituente il corrispettivo delle prestazioni rese dal Collaboratore \'e8 escluso dall'applicazione dell'imposta sul valore aggiunto ai sensi dell'art. 5, comma 2, del DPR 633/72. Il Collaboratore dichiara che l'attivit\'e0 oggetto del presente contratto non richiede l'iscrizione ad albi o elenchi professionali e di non essere iscritto ad alcuno di essi.)",
    R"(\par)",
    R"(\par \b 10.\b0  Le parti contraenti si impegnano reciprocamente a stipulare una idonea polizza assicurativa a tutela del Collaboratore a copertura dei seguenti rischi: 1) responsabilit\'e0 civile verso terzi, ivi comprese le spese legali e i danni arrecati all'azienda; 2) tutela legale, qualora il rischio sia connesso all'attivit\'e0 svolta dal Collaboratore.)",
    R"(\par)",
    R"(\par \b 11.\b0  Il Committente dichiara di essere in regola con tutti gli obblighi e adempimenti del Decreto legislativo 81/2008 in materia di tutela della salute e della sicurezza nei luoghi di lavoro. Il Collaboratore ricever\'e0 un'adeguata formazione e informazione sui rischi presenti nel luogo di lavoro in cui \'e8 chiamato a operare.)",
    R"(\par)",
    R"(\par \b 12.\b0  Il presente contratto \'e8 disciplinato secondo le previsioni di cui all'art. 409 e seguenti del Codice di procedura civile. Per quanto non espressamente disciplinato, si applicano le disposizioni del Titolo III del Libro V del Codice civile (art. 2222 e seguenti) in materia di lavoro autonomo. Ai fini fiscali, il compenso \'e8 assoggettato al regime previsto dall'art. 50, comma 1, lett. c) bis, del DPR 917/86. Ai fini previdenziali, il Collaboratore provvede all'iscrizione alla Gestione separata dell'INPS e dichiara di non essere iscritto ad alcuna altra forma di previdenza obbligatoria.)",
    R"(\par)",
    R"(\par \b 13.\b0  In caso di controversia, le parti cercheranno di addivenire ad una soluzione extragiudiziale. In caso contrario, il Foro competente \'e8 quello di \b «txtForo»\b0 .)",
    R"(\par)",
    R"(\par \b 14.\b0  Il Collaboratore, ricevuta l'informativa di cui all'art. 13 del Regolamento (UE) 2016/679 e al Decreto legislativo 30 giugno 2003, n. 196 (Codice in materia di protezione dei dati personali), esprime il proprio libero ed informato consenso al trattamento dei propri dati personali, ivi compreso il loro trasferimento all'estero, per le finalit\'e0, con le modalit\'e0 e nei limiti indicati nella medesima informativa.)",
    R"(\par)",
    R"(\par \b 15.\b0  Per quanto non previsto esplicitamente nel presente contratto, si rimanda alle norme di legge vigenti in materia.)",
    R"(\par)",
    // Place, date and signatures, twice: the second time for the specific approval
    // of every article, a block kept on one page (\keepn holds each paragraph
    // with the next up to the \pard of the closing), so that no signature is
    // left alone on a page of its own.
    R"(\par Letto, approvato e sottoscritto.)",
    R"(\par)",
    R"(\par \b «txtLuogoStipula»\b0 , \b «txtDataStipula»\b0 .)",
    R"(\par)",
    R"(\par)",
    R"(\par Firma del Committente: ____________________________)",
    R"(\par)",
    R"(\par)",
    R"(\par Firma del Collaboratore: ____________________________)",
    R"(\par)",
    R"(\par \keepn Si approvano tutti gli articoli del presente contratto e, specificatamente, gli artt. 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15.)",
    R"(\par)",
    R"(\par)",
    R"(\par Firma del Committente: ____________________________)",
    R"(\par)",
    R"(\par)",
    R"(\par Firma del Collaboratore: ____________________________)",
    // Closing.
    R"(\par \pard\cf1\b\f2\fs24)",
    R"(\par })",
};
static_assert(std::size(kPezzi) == 73);

// The words that agree with a person's sex, for a woman as her code says.
struct Accordo
{
    std::string_view maschile, femminile;
};
constexpr Accordo kFemminile[] = {{"Sig.", "Sig.ra"}, {"nato", "nata"}, {"denominato", "denominata"}};

constexpr std::string_view kApri = "\u00AB";   // «
constexpr std::string_view kChiudi = "\u00BB"; // »

// The words of the document that depend on the values: «@word» and
// «Leg@word» agree with the sex of the collaborator (her code in txtCodFisc)
// or of the legal representative (txtCodFiscLeg); «=a name» and «=Ditta»
// (above) read the value they stand before.
std::string_view parolaVariabile(std::string_view segno, const CampiContratto &campi)
{
    if (const size_t chiocciola = segno.find('@'); chiocciola != std::string_view::npos) {
        const QString codice = campi.value(chiocciola == 0 ? QStringLiteral("txtCodFisc") : QStringLiteral("txtCodFiscLeg"));
        const bool donna = SessoDaCodiceFiscale(codice) == u'F';
        const std::string_view parola = segno.substr(chiocciola + 1);
        for (const Accordo &a : kFemminile)
            if (a.maschile == parola)
                return donna ? a.femminile : a.maschile;
        return parola;
    }
    if (segno == "=Ditta") {
        // "Ditta Esempio S.r.l." is not written "Ditta Ditta Esempio S.r.l.".
        const QString nome = trimmed(campi.value(QStringLiteral("txtNomeDitta")));
        const bool giaDitta = nome.startsWith(QLatin1String("ditta"), Qt::CaseInsensitive)
            && (nome.size() == 5 || !nome.at(5).isLetterOrNumber());
        return giaDitta ? std::string_view() : std::string_view("Ditta ");
    }
    if (segno.starts_with("=a ")) {
        const std::string_view campo = segno.substr(3);
        return luogoEstero(campi.value(QLatin1String(campo.data(), qsizetype(campo.size())))) ? "in" : "a";
    }
    return {};
}

// Calls `testo(bytes)` for every run of fixed text and `campo(name)` for every
// field place, in document order; a word that depends on the values is fixed
// text, as `campi` (none: the masculine, "a" and "Ditta") make it.
template <typename Testo, typename Campo>
void percorri(Testo &&testo, Campo &&campo, const CampiContratto &campi = {})
{
    for (const char *p : kPezzi) {
        std::string_view resto(p);
        while (!resto.empty()) {
            const size_t a = resto.find(kApri);
            testo(resto.substr(0, a));
            if (a == std::string_view::npos)
                break;
            resto.remove_prefix(a + kApri.size());
            const size_t c = resto.find(kChiudi);
            const std::string_view segno = resto.substr(0, c);
            if (segno.starts_with('=') || segno.find('@') != std::string_view::npos)
                testo(parolaVariabile(segno, campi));
            else
                campo(QLatin1String(segno.data(), qsizetype(segno.size())));
            resto.remove_prefix(c + kChiudi.size());
        }
    }
}

void aggiungiUnicode(QByteArray &out, char16_t unita)
{
    // RTF takes a signed 16-bit number, followed by the character a reader
    // without Unicode shows instead (one, as \uc1 in the header says).
    out += "\\u";
    out += QByteArray::number(qint16(unita));
    out += '?';
}

void aggiungiValore(QByteArray &out, QStringView valore)
{
    const char16_t *p = valore.utf16();
    const qsizetype n = valore.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = p[i];
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) {
            // Control characters, the five positions Windows-1252 leaves undefined among them.
            out += ' ';
        } else if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(p[i + 1])) {
            // A character beyond the first 65536 is written as its two halves.
            aggiungiUnicode(out, u);
            aggiungiUnicode(out, p[++i]);
        } else if (QChar::isSurrogate(u)) {
            aggiungiUnicode(out, QChar::ReplacementCharacter);
        } else if (const int b = cp1252Byte(u); b >= 0) {
            out += char(b);
        } else {
            aggiungiUnicode(out, u);
        }
    }
}

} // namespace

bool luogoEstero(const QString &luogo)
{
    const LuogoScritto scritto = separaProvincia(trimmed(luogo));
    if (!scritto.provincia.isEmpty())
        return scritto.provincia.compare(QLatin1String("EE"), Qt::CaseInsensitive) == 0;
    // A name that only a foreign state bears; a comune of that name wins.
    const QList<Luogo> luoghi = luoghiPerNome(scritto.nome, QString(), QDate());
    return !luoghi.isEmpty() && std::all_of(luoghi.begin(), luoghi.end(), [](const Luogo &l) { return l.estero(); });
}

QStringList campiDocumentoContratto()
{
    QStringList nomi;
    percorri([](std::string_view) {},
             [&nomi](QLatin1String nome) {
                 if (!nomi.contains(nome))
                     nomi.append(nome);
             });
    return nomi;
}

QByteArray documentoContratto(const CampiContratto &campi)
{
    QByteArray out;
    out.reserve(12 * 1024);
    percorri([&out](std::string_view testo) { out.append(testo.data(), qsizetype(testo.size())); },
             [&](QLatin1String nome) {
                 // The fee as every amount is shown: "1.234.567,89".
                 const QString valore = campi.value(nome);
                 aggiungiValore(out, nome == QLatin1String("txtStipendio") ? QStringView(mostraImporto(valore))
                                                                          : trimmedView(valore));
             },
             campi);
    return out;
}

bool scriviDocumentoContratto(const QString &percorso, const CampiContratto &campi, QString *errore)
{
    return scriviFileSicuro(percorso, documentoContratto(campi), errore);
}

} // namespace qv
