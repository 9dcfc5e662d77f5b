#pragma once
// The two record layouts: an employee card and a contract card. Each record is
// a run of length-prefixed Windows-1252 texts of fixed capacity, back to back;
// the field tables below are the only place the layouts are written down.

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>
#include <optional>
#include <span>

namespace qv {

template <typename R>
struct CampoScheda
{
    const char *nome;   // the field's name, also its control's name without the prefix
    int capacita;       // characters the field holds; it takes capacita + 1 bytes
    QString R::*membro;
};

struct TSchedaDipendente
{
    QString Dipendente, Cittadinanza, Stipendio, Luogo, DataNasc, CodFisc, PartitaIva,
        Indirizzo, Citta, Prov, Cap, Qualifiche, Familiari, Iban, Note, DataSca, Preavviso,
        Recapito, Email, File01, File02, File03, Desc01, Desc02, Desc03;

    static constexpr int Dimensione = 2666;
    static std::span<const CampoScheda<TSchedaDipendente>> campi();
};

struct TSchedaContratto
{
    QString DataStipula, LuogoStipula, NomeDitta, SedeDitta, ProvDitta, IvaDitta, ComuneReg,
        ProvReg, NumReg, Legale, LuogoNascLeg, DataNascLeg, CodFiscLeg, Attivita, Foro,
        Dipendente, Cittadinanza, Luogo, DataNasc, CodFisc, Recapito, Indirizzo, Citta, Prov,
        Cap, Stipendio, Iban, Qualifiche, Prestazioni, DataInizio, DataFine, Durata, SedeLavoro,
        Motivo, Note, Rescisso, File01, File02, File03, Desc01, Desc02, Desc03;

    static constexpr int Dimensione = 3532;
    static std::span<const CampoScheda<TSchedaContratto>> campi();

    // The rescission flag is stored as "Sì" or "No".
    static QString testoRescisso(bool rescisso);
    // True for "Sì", false for "No", no value for anything else.
    std::optional<bool> rescisso() const;
};

// Encodes a field's text: trimmed, Windows-1252, cut to the capacity; the
// bytes after the text are zeros.
void codificaCampo(const QString &testo, int capacita, char *dest);

// Decodes a field: the counted bytes, trimmed. A length byte above the
// capacity of a damaged record is read as the capacity.
QString decodificaCampo(const char *src, int capacita);
// The same into `dest`, reusing its buffer when it has one of its own.
void decodificaCampo(const char *src, int capacita, QString &dest);
// The counted bytes of a field without the blanks and control characters at
// either end: the Windows-1252 bytes of the text decodificaCampo gives. The
// blanks and control characters are the bytes up to 32 in Windows-1252 too,
// so the trimming is done on the bytes before they become text. (Inline: a
// list reads it for millions of fields.)
inline QByteArrayView byteCampo(const char *src, int capacita)
{
    int n = std::min<int>(static_cast<unsigned char>(src[0]), capacita);
    const char *p = src + 1;
    while (n > 0 && static_cast<unsigned char>(*p) <= 32) {
        ++p;
        --n;
    }
    while (n > 0 && static_cast<unsigned char>(p[n - 1]) <= 32)
        --n;
    return QByteArrayView(p, n);
}

// Where a field lies in its record: the offset of its length byte and its capacity.
struct PosizioneCampo
{
    int offset = -1;
    int capacita = 0;
};

template <typename R>
PosizioneCampo posizioneCampo(QString R::*membro)
{
    int off = 0;
    for (const auto &c : R::campi()) {
        if (c.membro == membro)
            return {off, c.capacita};
        off += c.capacita + 1;
    }
    return {};
}

template <typename R>
QByteArray codificaScheda(const R &scheda)
{
    QByteArray out(R::Dimensione, '\0');
    char *p = out.data();
    for (const auto &c : R::campi()) {
        codificaCampo(scheda.*(c.membro), c.capacita, p);
        p += c.capacita + 1;
    }
    return out;
}

// Decodes one record from exactly R::Dimensione bytes into `r`, reusing the
// buffers its texts already hold.
template <typename R>
void decodificaSchedaIn(const char *dati, R &r)
{
    for (const auto &c : R::campi()) {
        decodificaCampo(dati, c.capacita, r.*(c.membro));
        dati += c.capacita + 1;
    }
}

// Decodes one record from exactly R::Dimensione bytes.
template <typename R>
R decodificaScheda(const char *dati)
{
    R r;
    decodificaSchedaIn(dati, r);
    return r;
}

// The field of a record by name (e.g. "CodFisc"), or nullptr.
template <typename R>
const CampoScheda<R> *campoScheda(const QString &nome)
{
    for (const auto &c : R::campi())
        if (nome == QLatin1String(c.nome))
            return &c;
    return nullptr;
}

// Byte offset of a field inside its record, or -1 for an unknown name.
template <typename R>
int offsetCampo(const QString &nome)
{
    int off = 0;
    for (const auto &c : R::campi()) {
        if (nome == QLatin1String(c.nome))
            return off;
        off += c.capacita + 1;
    }
    return -1;
}

} // namespace qv
