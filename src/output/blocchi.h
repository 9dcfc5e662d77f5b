#pragma once
// Blocks of memory for the lines of a list and the cells of a grid. A list of
// a large archive takes megabytes, and every new search or opening builds it
// again: blocks that a list gives back are kept (up to a limit) and handed to
// the next one, whose pages then need no fresh mapping from the system.

#include <QByteArray>
#include <QList>

namespace qv {

class RiservaBlocchi
{
public:
    static constexpr qsizetype Dimensione = 256 * 1024;
    // Memory kept for the next lists at most, in bytes.
    static constexpr qsizetype Limite = 48 * 1024 * 1024;

    // A block of Dimensione bytes (contents undefined).
    static QByteArray prendi();
    // Gives blocks back; those beyond the limit, or of another size, are freed.
    static void restituisci(QList<QByteArray> &blocchi);
};

} // namespace qv
