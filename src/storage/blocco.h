#pragma once
// Advisory locks between copies of the program that work in the same folder.
//
// A lock is a lock on one byte of the file itself, far beyond any data the
// file will ever hold: a POSIX record lock (fcntl; on Linux the lock of the
// open file), or on Windows a byte-range lock (LockFileEx), through
// core/os/blocco.h. These are the locks that
// network file systems hand on to the server (NFS through its lock manager,
// SMB as a byte-range lock), while a lock on the file's own data would, on a
// server that enforces byte-range locks (Windows always does), also stop the
// other copy's plain reads. Locking the file itself needs no extra file in
// the folder, works on a read-only folder, and goes away with the process
// that held it, so a copy that ends in the middle of a save never leaves the
// archive locked.
//
// A waiting copy queues at a second byte, the turnstile, so that a copy that
// saves back to back cannot keep the lock from it: every waiter gets the lock
// within the wait, whoever else is saving.
//
// On Windows and Linux a lock belongs to a descriptor: two descriptors of one
// file wait for each other like two copies, also in one process, so the main
// menu's band, which reads the archives on a thread of its own, and a screen
// that saves meanwhile never both hold a conflicting lock, and neither one's
// closing drops the other's lock. A classic POSIX record lock (other systems)
// belongs to the process instead. Every lock here lasts one operation on one
// descriptor, and no operation locks a second descriptor of a file while it
// holds one, so the program behaves alike on all.

#include <QString>

namespace qv {

// What the user is told when another copy keeps a file locked too long.
inline const QString MsgFileOccupato = QStringLiteral(
    "Attenzione: l'archivio è in uso da un'altra copia del programma.\n\r\n\r"
    "Attendere che l'altra copia abbia terminato l'operazione in corso e riprovare.");

enum class TipoBlocco { Condiviso, Esclusivo };

// Holds a lock on an open descriptor until it is released or destroyed.
class BloccoFile
{
public:
    BloccoFile() = default;
    ~BloccoFile() { rilascia(); }
    BloccoFile(const BloccoFile &) = delete;
    BloccoFile &operator=(const BloccoFile &) = delete;

    // Waits up to attesaBlocco() milliseconds. False when another copy still
    // holds a conflicting lock then (errno EAGAIN), or on another failure of
    // the lock call (errno set by it).
    bool prendi(int fd, TipoBlocco tipo);
    void rilascia();
    bool preso() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Milliseconds a copy waits for another one's lock before giving up.
int attesaBlocco();

namespace guasti {
// Test seam: how long a copy waits for a lock; a negative value restores the default.
void impostaAttesaBlocco(int millisecondi);
} // namespace guasti

} // namespace qv
