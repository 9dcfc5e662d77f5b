#include "storico.h"

#include "giornale.h"
#include "sololettura.h"
#include "core/filesicuro.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace qv {

namespace {

constexpr char kFirma[8] = {'Q', 'V', 'S', 'T', 'O', 'R', 'I', '1'};
constexpr qint64 kTesta = 24;
constexpr qint64 kCoda = 8;

int s_versioni = VersioniPerSchedaPredefinite;
std::function<QDateTime()> s_orologio;

qint64 dimensioneRecord(int dimensione)
{
    return kTesta + dimensione + kCoda;
}

void aggiungi(QByteArray &out, quint64 valore, int byte)
{
    for (int i = 0; i < byte; ++i)
        out.append(char((valore >> (8 * i)) & 0xFF));
}

quint64 numero(const char *dati, int byte)
{
    quint64 v = 0;
    for (int i = byte - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(dati[i]);
    return v;
}

QByteArray componi(int posizione, const QDateTime &quando, const QByteArray &vecchi)
{
    QByteArray r(kFirma, sizeof kFirma);
    aggiungi(r, quint64(quint32(posizione)), 4);
    aggiungi(r, quint64(quando.toMSecsSinceEpoch()), 8);
    aggiungi(r, quint64(vecchi.size()), 4);
    r += vecchi;
    aggiungi(r, impronta(r.constData(), r.size()), 8);
    return r;
}

// Whether the `dimensioneRecord` bytes at `dati` are a whole record of a card of `dimensione` bytes.
bool integro(const char *dati, int dimensione)
{
    const qint64 corpo = kTesta + dimensione;
    return std::memcmp(dati, kFirma, sizeof kFirma) == 0 && numero(dati + 20, 4) == quint64(dimensione)
           && numero(dati + 8, 4) >= 1 && impronta(dati, corpo) == numero(dati + corpo, 8);
}

VersioneScheda decodifica(const char *dati, int dimensione)
{
    VersioneScheda v;
    v.posizione = int(numero(dati + 8, 4));
    v.quando = QDateTime::fromMSecsSinceEpoch(qint64(numero(dati + 12, 8)));
    v.byte = QByteArray(dati + kTesta, dimensione);
    return v;
}

// The records kept once a card has more than it may: the newest
// versioniPerScheda() of card `posizione`, every whole record of the others.
QByteArray senzaLePiuVecchie(const QByteArray &contenuto, int dimensione, int posizione, int daTogliere)
{
    const qint64 n = dimensioneRecord(dimensione);
    QByteArray out;
    for (qint64 o = 0; o + n <= contenuto.size(); o += n) {
        const char *r = contenuto.constData() + o;
        if (!integro(r, dimensione))
            continue;
        if (int(numero(r + 8, 4)) == posizione && daTogliere > 0) {
            --daTogliere;
            continue;
        }
        out.append(r, n);
    }
    return out;
}

} // namespace

QString percorsoStorico(const QString &archivio)
{
    return archivio + QStringLiteral(".storico");
}

void impostaVersioniPerScheda(int versioni)
{
    s_versioni = std::max(1, versioni);
}

int versioniPerScheda()
{
    return s_versioni;
}

void impostaOrologioStorico(std::function<QDateTime()> orologio)
{
    s_orologio = std::move(orologio);
}

QByteArray recordStoricoIntegri(const QByteArray &contenuto, int dimensione)
{
    const qint64 n = dimensioneRecord(dimensione);
    QByteArray out;
    for (qint64 o = 0; o + n <= contenuto.size(); o += n)
        if (integro(contenuto.constData() + o, dimensione))
            out.append(contenuto.constData() + o, n);
    return out;
}

bool leggiStorico(const QString &percorso, int dimensione, QList<VersioneScheda> &versioni, QString *errore)
{
    versioni.clear();
    QFile f(percorso);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        if (errore)
            *errore = f.errorString();
        return false;
    }
    const QByteArray contenuto = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (errore)
            *errore = f.errorString();
        return false;
    }
    const qint64 n = dimensioneRecord(dimensione);
    for (qint64 o = 0; o + n <= contenuto.size(); o += n)
        if (integro(contenuto.constData() + o, dimensione))
            versioni.append(decodifica(contenuto.constData() + o, dimensione));
    return true;
}

bool versioniScheda(const QString &archivio, int dimensione, int posizione, QList<VersioneScheda> &versioni,
                    QString *errore)
{
    QList<VersioneScheda> tutte;
    versioni.clear();
    if (!leggiStorico(percorsoStorico(archivio), dimensione, tutte, errore))
        return false;
    for (VersioneScheda &v : tutte)
        if (v.posizione == posizione)
            versioni.append(std::move(v));
    if (versioni.size() > s_versioni)
        versioni.remove(0, versioni.size() - s_versioni);
    return true;
}

bool annotaVersione(const QString &archivio, int posizione, const QByteArray &vecchi, QString *errore)
{
    const QString percorso = percorsoStorico(archivio);
    const int dimensione = int(vecchi.size());
    const qint64 n = dimensioneRecord(dimensione);
    QFile f(percorso);
    const bool esisteva = QFileInfo::exists(percorso);
    if (!f.open(QIODevice::ReadWrite)) {
        if (errore)
            *errore = (f.error() == QFileDevice::PermissionsError || percorsoSolaLettura(percorso))
                ? QStringLiteral("la cartella del programma è in sola lettura")
                : QStringLiteral("il file \"%1\" non si può aprire (%2)").arg(QFileInfo(percorso).fileName(), f.errorString());
        return false;
    }
    const QByteArray prima = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (errore)
            *errore = QStringLiteral("il file \"%1\" non si può leggere (%2)").arg(QFileInfo(percorso).fileName(), f.errorString());
        return false;
    }
    // A torn last record is not a record: the new one takes its place.
    const qint64 offset = prima.size() / n * n;
    const QByteArray record = componi(posizione, s_orologio ? s_orologio() : QDateTime::currentDateTime(), vecchi);
    QString motivo;
    const bool scritto = f.seek(offset) && f.write(record) == record.size() && sincronizzaFile(f, &motivo);
    if (!scritto) {
        if (errore)
            *errore = QStringLiteral("il disco non ha accettato la scrittura del file \"%1\" (%2)")
                          .arg(QFileInfo(percorso).fileName(), motivo.isEmpty() ? f.errorString() : motivo);
        // Back as it was, when the disk allows: a half record would only be skipped.
        f.resize(prima.size());
        f.close();
        if (!esisteva && prima.isEmpty())
            QFile::remove(percorso);
        return false;
    }
    f.close();
    if (!esisteva)
        sincronizzaCartella(percorso);

    // Trimmed once the card has a fifth more versions than it keeps, so that
    // the file is not rewritten at every save of a card with a long history.
    int dellaScheda = 1;
    for (qint64 o = 0; o + n <= offset; o += n) {
        const char *r = prima.constData() + o;
        if (integro(r, dimensione) && int(numero(r + 8, 4)) == posizione)
            ++dellaScheda;
    }
    if (dellaScheda > s_versioni + std::max(1, s_versioni / 5)) {
        const QByteArray tutto = prima.left(offset) + record;
        // A history that cannot be trimmed now is trimmed at a later save.
        (void)scriviFileSicuro(percorso, senzaLePiuVecchie(tutto, dimensione, posizione, dellaScheda - s_versioni),
                               nullptr, true);
    }
    return true;
}

} // namespace qv
