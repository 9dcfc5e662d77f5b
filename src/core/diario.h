#pragma once
// The program's log: what went wrong, for an office to send to whoever looks
// after the program. Warnings and worse of the program's own categories (and
// Qt's critical messages) are appended, one line each with the date and time,
// to a small file in the program folder, Quadrivela.log; past its size limit
// it becomes Quadrivela.log.1 (the older one goes) and a new file starts, so
// the two never take more than twice the limit.
//
// A line says what failed, on which file and the system's error: never what a
// card holds. Callers log kinds, paths and errors only.

#include <QLoggingCategory>
#include <QString>

namespace qv {

Q_DECLARE_LOGGING_CATEGORY(logArchivi) // archives, settings, whole files, locks
Q_DECLARE_LOGGING_CATEGORY(logCopia)   // the safety copy and its restore
Q_DECLARE_LOGGING_CATEGORY(logStampa)  // printing
Q_DECLARE_LOGGING_CATEGORY(logAvvio)   // start-up

namespace diario {

// The size past which the file is rotated.
inline constexpr qint64 LimitePredefinito = 256 * 1024;

// Appends, from now on, to `percorso` (through the platform's file calls, so
// that another copy of the program on the folder may rotate it meanwhile).
// The messages still reach the handler that was installed before. A file
// that cannot be written (a read-only folder) is left alone, silently.
void installa(const QString &percorso, qint64 limite = LimitePredefinito);
// Back to the handler that was installed before.
void disinstalla();
// The file written, empty when none.
QString percorso();

} // namespace diario

} // namespace qv
