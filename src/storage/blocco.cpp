#include "blocco.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace qv {

namespace {

// A few seconds: long enough for any save of another copy, short enough for
// the user to be told rather than left waiting.
constexpr int kAttesaPredefinita = 5000;
int s_attesa = kAttesaPredefinita;

// The locked byte: 2^62, beyond any file a record archive or a settings file
// can become, so a lock never covers data that the other copy reads.
constexpr off_t kByteBlocco = off_t(1) << 62;
// The turnstile, the byte after it: a copy takes it (of the same kind as the
// lock it wants) before the lock and lets it go once it has the lock. A copy
// that waits for the lock holds the turnstile meanwhile, so another copy that
// saves back to back cannot take the lock again the moment it lets it go: it
// queues at the turnstile behind the one that was waiting.
constexpr off_t kByteTornello = kByteBlocco + 1;

bool imposta(int fd, off_t byte, short tipo)
{
    struct flock f {};
    f.l_type = tipo;
    f.l_whence = SEEK_SET;
    f.l_start = byte;
    f.l_len = 1;
    int r;
    do {
        r = ::fcntl(fd, F_SETLK, &f);
    } while (r < 0 && errno == EINTR);
    return r == 0;
}

// Takes the lock of kind `tipo` on `byte`, trying again until `fine`.
bool attendi(int fd, off_t byte, short tipo, std::chrono::steady_clock::time_point fine)
{
    auto pausa = std::chrono::milliseconds(1);
    for (;;) {
        if (imposta(fd, byte, tipo))
            return true;
        if (errno != EAGAIN && errno != EACCES)
            return false;
        if (std::chrono::steady_clock::now() >= fine) {
            errno = EAGAIN;
            return false;
        }
        std::this_thread::sleep_for(pausa);
        pausa = std::min(pausa * 2, std::chrono::milliseconds(20));
    }
}

} // namespace

int attesaBlocco()
{
    return s_attesa;
}

void guasti::impostaAttesaBlocco(int millisecondi)
{
    s_attesa = millisecondi < 0 ? kAttesaPredefinita : millisecondi;
}

bool BloccoFile::prendi(int fd, TipoBlocco tipo)
{
    rilascia();
    const short t = tipo == TipoBlocco::Esclusivo ? F_WRLCK : F_RDLCK;
    const auto fine = std::chrono::steady_clock::now() + std::chrono::milliseconds(attesaBlocco());
    if (!attendi(fd, kByteTornello, t, fine))
        return false;
    const bool preso = attendi(fd, kByteBlocco, t, fine);
    const int e = errno;
    imposta(fd, kByteTornello, F_UNLCK);
    errno = e;
    if (preso)
        m_fd = fd;
    return preso;
}

void BloccoFile::rilascia()
{
    if (m_fd >= 0) {
        const int salvato = errno;
        imposta(m_fd, kByteBlocco, F_UNLCK);
        errno = salvato;
        m_fd = -1;
    }
}

} // namespace qv
