#include "controllodate.h"

#include "date.h"
#include "testo.h"

namespace qv {

QStringList problemiNascita(const QString &nascita, const QString &di, QDate riferimento, const QString &quando,
                            QDate oggi)
{
    const QString t = trimmed(nascita);
    if (t.isEmpty())
        return {};
    // A birth date that is no date is refused before the save asks anything.
    const std::optional<QDate> d = leggiData(t);
    if (!d)
        return {};
    if (*d > oggi)
        return {QStringLiteral("la data di nascita %1 %2 è nel futuro").arg(di, t)};
    if (!riferimento.isValid())
        riferimento = oggi;
    if (d->addYears(EtaMinima) > riferimento)
        return {QStringLiteral("con la data di nascita %1 %2, %3 avrebbe meno di %4 anni")
                    .arg(di, t, quando)
                    .arg(EtaMinima)};
    return {};
}

QStringList problemiDateContratto(const DateContratto &date, int annoArchivio, QDate oggi)
{
    QStringList problemi;
    const std::optional<QDate> stipula = leggiData(date.stipula);
    const std::optional<QDate> inizio = leggiData(date.inizio);
    const std::optional<QDate> fine = leggiData(date.fine);
    if (inizio && fine && *fine < *inizio)
        problemi << QStringLiteral("la data di scadenza %1 precede la data di decorrenza %2")
                        .arg(scriviData(*fine), scriviData(*inizio));
    if (stipula && annoArchivio > 0 && stipula->year() != annoArchivio)
        problemi << QStringLiteral("la data di stipula %1 non è dell'anno %2 dell'archivio aperto: il contratto "
                                   "non comparirà nelle statistiche né nel riepilogo del %2")
                        .arg(scriviData(*stipula))
                        .arg(annoArchivio);
    const QDate riferimento = stipula ? *stipula : QDate();
    const QString quando = stipula ? QStringLiteral("alla stipula") : QStringLiteral("oggi");
    problemi << problemiNascita(date.nascita, QStringLiteral("del Dipendente"), riferimento, quando, oggi);
    problemi << problemiNascita(date.nascitaLegale, QStringLiteral("del Legale Rappresentante"), riferimento, quando,
                                oggi);
    return problemi;
}

QStringList problemiDateDipendente(const QString &nascita, const QString &scadenza, QDate oggi)
{
    QStringList problemi = problemiNascita(nascita, QStringLiteral("del Dipendente"), oggi, QStringLiteral("oggi"), oggi);
    const std::optional<QDate> n = leggiData(nascita);
    const std::optional<QDate> s = leggiData(scadenza);
    if (n && s && *s < *n)
        problemi << QStringLiteral("la scadenza del contratto %1 precede la data di nascita %2")
                        .arg(scriviData(*s), scriviData(*n));
    return problemi;
}

QString domandaDate(const QStringList &problemi, const QString &cosa)
{
    QString testo = QStringLiteral("Attenzione: ")
        + (problemi.size() == 1 ? QStringLiteral("una data sembra errata:") : QStringLiteral("alcune date sembrano errate:"))
        + QStringLiteral("\r\n");
    for (const QString &p : problemi)
        testo += QStringLiteral("\r\n- ") + p + u';';
    testo.chop(1);
    testo += QStringLiteral(".\r\n\r\nSalvare comunque ") + cosa + QStringLiteral(" in archivio?");
    return testo;
}

} // namespace qv
