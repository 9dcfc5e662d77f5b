#pragma once
// The list screens' shared parts: the fixed-width line of one card, the order
// of a sorted list and the quick find over the lines shown.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>

namespace qv {

// A field that is appended whole, as the last field of every line is.
inline constexpr int kNonTagliato = -1;

// One field of a list line: the fixed text before it (empty when there is none)
// and the width it is padded with blanks and cut to. A screen declares its line
// once as a constexpr array of these.
struct ColonnaElenco
{
    QStringView separatore;
    int larghezza;
    bool importo = false; // an amount, shown as everywhere (mostraImporto)
};

// The line of one card: each value trimmed, padded and cut to its width (a
// value of width kNonTagliato is appended as it is), after its separator; an
// amount with its thousands dots.
// A missing value counts as empty.
QString rigaElenco(std::span<const ColonnaElenco> colonne, std::span<const QStringView> valori);

// The same line in Windows-1252 bytes, straight from the bytes of the fields
// as the archives hold them (trimmed, as byteCampo gives them): a list of a
// large archive builds a line per card without making a text of any field.
// A layout is made once from a screen's columns.
class FormaRigaByte
{
public:
    explicit FormaRigaByte(std::span<const ColonnaElenco> colonne);
    // The length of the line of `valori`, and the line itself written at
    // `dest`, which has room for that length; a missing value counts as empty.
    qsizetype lunghezza(std::span<const QByteArrayView> valori) const;
    void scrivi(std::span<const QByteArrayView> valori, char *dest) const;

private:
    struct Pezzo
    {
        QByteArray separatore;
        int larghezza;
        bool importo;
    };
    // The value as the line shows it: an amount with its thousands dots.
    static QByteArrayView mostrato(const Pezzo &p, QByteArrayView v, QByteArray &buffer);
    QList<Pezzo> m_pezzi;
};

// Whether the Windows-1252 bytes `testo` contain `chiave`, with A-Z of `testo`
// taken as a-z (see containsAZ); `chiave` is a key already so folded.
bool containsAZ(QByteArrayView testo, QByteArrayView chiave);

// The order of confrontaRighe for lines in Windows-1252 bytes: the same lines
// as texts compare the same way.
inline unsigned char codiceOrdineByte(unsigned char b)
{
    return b >= 'a' && b <= 'z' ? b - 32 : b;
}
int confrontaRighe(QByteArrayView a, QByteArrayView b, qsizetype da = 0);

// The code a character of a line sorts by: its Windows-1252 code, the code
// the archives store, with the letters a-z taken as A-Z.
char16_t codiceOrdine(char16_t c);

// Order of a sorted list: whole lines compared character by character by
// their codes above. confrontaRighe is negative, zero or positive as `a`
// sorts before, with or after `b`; `da` skips a start that the caller knows
// the two lines share (at most the shorter line's length).
int confrontaRighe(const QString &a, const QString &b, qsizetype da = 0);
bool lessRiga(const QString &a, const QString &b);
void ordinaRighe(QStringList &righe);

inline constexpr QStringView kListaVuota = u"Ricerca non applicabile: la lista non contiene nessuna voce.";

struct EsitoTrova
{
    bool listaVuota = false;   // nothing was searched: the screen shows kListaVuota
    int selezionata = -1;      // the entry to select
    QString ultimaChiave;      // the screen keeps it for the next find
};

// Quick find over the entries as shown. `selezionata` is the selected entry (-1
// for none), `chiave` the find text as typed and `ultimaChiave` the one the
// previous find returned (empty when the screen is shown). The same key again
// moves on to the next matching entry, wrapping round; a new key starts from
// the first entry. Without a match the selection stays (the first entry when
// there was none); an empty key never matches.
EsitoTrova trovaVoce(const QStringList &voci, int selezionata, const QString &chiave, const QString &ultimaChiave);

} // namespace qv
