#pragma once
// Locks on one byte of an open file, taken or refused at once (the waiting is
// the caller's). The byte may lie far beyond the end of the file: a lock there
// never covers data another copy reads or writes.
//
// Who owns a lock differs between the systems, and callers keep to what all
// share. On Windows (LockFileEx) and on Linux (fcntl locks of the open file,
// F_OFD_SETLK) it belongs to the descriptor: two descriptors of one file
// conflict even in one process (two threads exclude each other as two copies
// do), and closing one drops only its own. On other POSIX systems (classic
// fcntl record locks) it belongs to the process: two descriptors of one file
// in one process never conflict, and closing either drops the process's locks
// on that file. On all, a lock conflicts with another process's and vanishes
// with the process that held it.

#include <QtGlobal>

namespace qv::os {

enum class TipoBloccoByte { Condiviso, Esclusivo };

// Takes the lock on `byte` of the file open as `fd`. False with errno EAGAIN
// when another owner holds a conflicting lock; with another errno when the
// call failed (ENOLCK, EOPNOTSUPP, EINVAL or ENOSYS on a file system without
// locks).
bool bloccaByte(int fd, qint64 byte, TipoBloccoByte tipo);
// Lets the lock on `byte` go; errno is kept.
void sbloccaByte(int fd, qint64 byte);

// True where a lock belongs to the process (classic POSIX record locks), false
// where it belongs to the descriptor (Windows, Linux).
bool bloccoDelProcesso();

} // namespace qv::os
