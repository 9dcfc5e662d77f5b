#pragma once
// Files through the system's own calls: open, read and write at a position,
// size, truncate, remove. Every system gets the same answers: a failure sets
// errno to the POSIX number (on Windows the system's error is translated), so
// a caller tells a missing file from a refused write the same way everywhere,
// and offsets and sizes are 64 bits wide on every system.
//
// A descriptor is the C library's `int`. It is never inherited by a child
// process and never translates line ends; on Windows it wraps a handle that
// lets other handles read, write, rename and remove the file meanwhile, as
// every descriptor does on POSIX systems, so no copy of the program keeps
// another from replacing a file it has open.

#include <QString>

namespace qv::os {

// How apri() opens a file: one of the first three, with any of the others.
enum Apertura : int {
    SoloLettura = 0x00,
    LetturaScrittura = 0x01,
    SoloScrittura = 0x02,
    Crea = 0x04,      // a missing file is created
    Esclusiva = 0x08, // with Crea: an existing file is an error (EEXIST)
    Tronca = 0x10,    // an existing file is emptied
    SenzaLink = 0x20, // a symbolic link at the path is not followed
};

// The descriptor of the file at `percorso`, or -1 with errno. A folder is
// never opened as a file for writing (EISDIR); on Windows not for reading
// either.
int apri(const QString &percorso, int modo);
void chiudi(int fd);

// Up to `n` bytes at `offset`: the number read, 0 at the end of the file, -1
// with errno. Where the file position is left differs (Windows moves it,
// POSIX does not): a descriptor is read and written either at positions or in
// sequence, never both.
qint64 leggiA(int fd, void *dati, qint64 n, qint64 offset);
// Up to `n` bytes at `offset`: the number written, -1 with errno.
qint64 scriviA(int fd, const void *dati, qint64 n, qint64 offset);
// The same at the file position, which moves on.
qint64 leggi(int fd, void *dati, qint64 n);
qint64 scrivi(int fd, const void *dati, qint64 n);

// Sets the file's size, cutting it or extending it with zeros. False with errno.
bool tronca(int fd, qint64 dimensione);
// The file's size, -1 with errno.
qint64 dimensione(int fd);

enum class Tipo {
    Ignoto,   // it could not be told (errno set)
    File,     // a regular file
    Cartella, // a folder
    Altro,    // a device, a pipe, a link opened as such
};
Tipo tipo(int fd);

// True when something is found at `percorso`, following symbolic links.
bool esiste(const QString &percorso);
// True when the name itself is there, whatever it is (a link that leads
// nowhere included).
bool nomePresente(const QString &percorso);
// Removes the file's name. False with errno.
bool rimuovi(const QString &percorso);
// Gives the file at `da` the name `a` in one step, replacing a file that has
// that name (both in one file system). False with errno. The change is
// durable only once the folders are synchronised (os/versa.h).
bool rinomina(const QString &da, const QString &a);

// Lets the file keep the parts never written as holes that take no space on
// the disk, where the file system can (on POSIX systems they always are).
// For files written far from their start, as the tests of large offsets do.
bool rendiSparso(int fd);

} // namespace qv::os
