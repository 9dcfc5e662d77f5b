#include "codicefiscale.h"

#include "core/identificativi.h"
#include "core/testo.h"

#include <algorithm>

namespace qv {

namespace {

// The month letters, January to December.
constexpr char16_t kMesi[] = u"ABCDEHLMPRST";
// The letters that stand for the digits 0-9 in a code changed for omocodia.
constexpr char16_t kOmocodia[] = u"LMNPQRSTUV";
// 0-based positions of the digits that omocodia may replace.
constexpr int kPosizioniCifre[] = {6, 7, 9, 10, 12, 13, 14};

// Letters with no decomposition into a plain letter and an accent.
struct Legatura
{
    char16_t lettera;
    const char16_t *come;
};
constexpr Legatura kLegature[] = {
    {u'ß', u"SS"}, {u'Æ', u"AE"}, {u'æ', u"AE"}, {u'Œ', u"OE"}, {u'œ', u"OE"}, {u'Ø', u"O"}, {u'ø', u"O"},
    {u'Ł', u"L"},  {u'ł', u"L"},  {u'Đ', u"D"},  {u'đ', u"D"},  {u'Þ', u"TH"}, {u'þ', u"TH"}, {u'ı', u"I"},
};

bool vocale(QChar c)
{
    return c == u'A' || c == u'E' || c == u'I' || c == u'O' || c == u'U';
}

// Consonants then vowels of a name's letters.
void separa(const QString &lettere, QString &consonanti, QString &vocali)
{
    for (QChar c : lettere)
        (vocale(c) ? vocali : consonanti) += c;
}

bool lettera(QChar c) { return c >= u'A' && c <= u'Z'; }
bool cifra(QChar c) { return c >= u'0' && c <= u'9'; }

// The layout of a code without the century: what every reading shares.
struct Struttura
{
    QChar sesso;
    int anno2 = 0; // the year's last two digits
    int mese = 0;
    int giorno = 0;
    QString codiceCatastale;
};

std::optional<Struttura> leggiStruttura(const QString &testo)
{
    const QString codice = upperAZ(trimmed(testo));
    if (codice.size() != LunghezzaCodFisc)
        return std::nullopt;
    QString normale = codice;
    for (int p : kPosizioniCifre) {
        const QChar c = codice.at(p);
        if (cifra(c))
            continue;
        const qsizetype i = QStringView(kOmocodia).indexOf(c);
        if (i < 0)
            return std::nullopt;
        normale[p] = QChar(u'0' + int(i));
    }
    for (int p : {0, 1, 2, 3, 4, 5, 8, 11, 15})
        if (!lettera(normale.at(p)))
            return std::nullopt;
    const qsizetype mese = QStringView(kMesi).indexOf(normale.at(8));
    if (mese < 0)
        return std::nullopt;
    Struttura s;
    s.anno2 = normale.mid(6, 2).toInt();
    s.mese = int(mese) + 1;
    const int giorno = normale.mid(9, 2).toInt();
    s.sesso = giorno > 40 ? u'F' : u'M';
    s.giorno = giorno > 40 ? giorno - 40 : giorno;
    if (s.giorno < 1 || s.giorno > 31)
        return std::nullopt;
    // The day must exist in that month in some century: 29 February only in a
    // year whose last two digits make a leap year (00 in 2000, not in 1900).
    if (s.giorno > QDate(2000, s.mese, 1).daysInMonth() || (s.mese == 2 && s.giorno == 29 && s.anno2 % 4 != 0))
        return std::nullopt;
    s.codiceCatastale = normale.mid(11, 4);
    return s;
}

} // namespace

QString lettereNome(const QString &testo)
{
    QString lettere;
    for (QChar c : testo) {
        bool fatto = false;
        for (const Legatura &l : kLegature)
            if (c == QChar(l.lettera)) {
                lettere += QString::fromUtf16(l.come);
                fatto = true;
            }
        if (fatto)
            continue;
        // The base letter of an accented one: "à" is "a" followed by its accent.
        const QString scomposto = QString(c).normalized(QString::NormalizationForm_D);
        const QChar base = scomposto.isEmpty() ? c : scomposto.at(0);
        const QChar maiuscola = base.toUpper();
        if (lettera(maiuscola))
            lettere += maiuscola;
    }
    return lettere;
}

QString codiceCognome(const QString &cognome)
{
    QString consonanti, vocali;
    separa(lettereNome(cognome), consonanti, vocali);
    return (consonanti + vocali + QStringLiteral("XXX")).left(3);
}

QString codiceNome(const QString &nome)
{
    QString consonanti, vocali;
    separa(lettereNome(nome), consonanti, vocali);
    if (consonanti.size() > 3)
        return QString(consonanti.at(0)) + consonanti.at(2) + consonanti.at(3);
    return (consonanti + vocali + QStringLiteral("XXX")).left(3);
}

QString CalcolaCodiceFiscale(const DatiAnagrafici &dati)
{
    const QString catastale = upperAZ(trimmed(dati.codiceCatastale));
    const bool catastaleBuono = catastale.size() == 4 && lettera(catastale.at(0)) && cifra(catastale.at(1))
                                && cifra(catastale.at(2)) && cifra(catastale.at(3));
    if (lettereNome(dati.cognome).isEmpty() || lettereNome(dati.nome).isEmpty() || !dati.nascita.isValid()
        || (dati.sesso != u'M' && dati.sesso != u'F') || !catastaleBuono)
        return QString();
    const int giorno = dati.nascita.day() + (dati.sesso == u'F' ? 40 : 0);
    QString codice = codiceCognome(dati.cognome) + codiceNome(dati.nome)
                     + QStringLiteral("%1").arg(dati.nascita.year() % 100, 2, 10, QChar(u'0'))
                     + QChar(kMesi[dati.nascita.month() - 1]) + QStringLiteral("%1").arg(giorno, 2, 10, QChar(u'0'))
                     + catastale;
    return codice + CarattereControlloCodFisc(codice);
}

std::optional<DatiAnagrafici> LeggiCodiceFiscale(const QString &codice, QDate oggi)
{
    const std::optional<Struttura> s = leggiStruttura(codice);
    if (!s || !oggi.isValid())
        return std::nullopt;
    // The last year with those two digits that is not after today; a birth
    // later in that year than today belongs to the century before.
    int anno = oggi.year() - ((oggi.year() - s->anno2) % 100 + 100) % 100;
    QDate nascita(anno, s->mese, s->giorno);
    if (!nascita.isValid() || nascita > oggi)
        nascita = QDate(anno - 100, s->mese, s->giorno);
    // 29 February of a year that was not a leap year.
    if (!nascita.isValid())
        return std::nullopt;
    DatiAnagrafici d;
    d.sesso = s->sesso;
    d.nascita = nascita;
    d.codiceCatastale = s->codiceCatastale;
    return d;
}

QChar SessoDaCodiceFiscale(const QString &codice)
{
    const QString c = upperAZ(trimmed(codice));
    if (!ControllaCodFisc(c))
        return QChar();
    const std::optional<Struttura> s = leggiStruttura(c);
    return s ? s->sesso : QChar();
}

QString difettoCodiceFiscale(const QString &testo)
{
    const QString codice = upperAZ(trimmed(testo));
    if (codice.isEmpty())
        return QString();
    if (allDigits(codice)) {
        // The number of a company, or of a person not yet given a code of letters.
        if (codice.size() != LunghezzaPartitaIva)
            return QStringLiteral("un codice di sole cifre ne ha 11, questo ne ha %1").arg(codice.size());
        return ControllaPartitaIva(codice)
                   ? QString()
                   : QStringLiteral("l'ultima delle 11 cifre, quella di controllo, non è esatta");
    }
    for (QChar c : codice)
        if (!lettera(c) && !cifra(c))
            return QStringLiteral("contiene il carattere «%1», ma un codice fiscale ha solo lettere e cifre").arg(c);
    if (codice.size() != LunghezzaCodFisc)
        return QStringLiteral("ha %1 caratteri invece di 16").arg(codice.size());
    for (int p = 0; p < LunghezzaCodFisc; ++p) {
        const QChar c = codice.at(p);
        const bool postoCifra = std::find(std::begin(kPosizioniCifre), std::end(kPosizioniCifre), p)
                                != std::end(kPosizioniCifre);
        if (postoCifra && !cifra(c) && !QStringView(kOmocodia).contains(c))
            return QStringLiteral("il %1° carattere, %2, dovrebbe essere una cifra").arg(p + 1).arg(c);
        if (!postoCifra && !lettera(c))
            return QStringLiteral("il %1° carattere, %2, dovrebbe essere una lettera").arg(p + 1).arg(c);
    }
    const QChar controllo = CarattereControlloCodFisc(codice);
    if (codice.back() != controllo)
        return QStringLiteral("l'ultimo carattere, quello di controllo, dovrebbe essere %1 e non %2")
            .arg(controllo)
            .arg(codice.back());
    if (!leggiStruttura(codice))
        return QStringLiteral("la data di nascita o il codice del luogo di nascita che contiene non esistono");
    return QString();
}

} // namespace qv
