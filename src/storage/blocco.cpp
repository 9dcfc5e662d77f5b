#include "blocco.h"

#include "core/os/blocco.h"

#include <cerrno>
#include <chrono>
#include <thread>

namespace qv {

namespace {

// A few seconds: long enough for any save of another copy, short enough for
// the user to be told rather than left waiting.
constexpr int kAttesaPredefinita = 5000;
int s_attesa = kAttesaPredefinita;

// The locked byte: 2^62, beyond any file a record archive or a settings file
// can become, so a lock never covers data that the other copy reads.
constexpr qint64 kByteBlocco = qint64(1) << 62;
// The turnstile, the byte after it: a copy takes it (of the same kind as the
// lock it wants) before the lock and lets it go once it has the lock. A copy
// that waits for the lock holds the turnstile meanwhile, so another copy that
// saves back to back cannot take the lock again the moment it lets it go: it
// queues at the turnstile behind the one that was waiting.
constexpr qint64 kByteTornello = kByteBlocco + 1;

// Takes the lock of kind `tipo` on `byte`, trying again until `fine`.
bool attendi(int fd, qint64 byte, os::TipoBloccoByte tipo, std::chrono::steady_clock::time_point fine)
{
    auto pausa = std::chrono::milliseconds(1);
    for (;;) {
        if (os::bloccaByte(fd, byte, tipo))
            return true;
        if (errno != EAGAIN)
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
    const os::TipoBloccoByte t =
        tipo == TipoBlocco::Esclusivo ? os::TipoBloccoByte::Esclusivo : os::TipoBloccoByte::Condiviso;
    const auto fine = std::chrono::steady_clock::now() + std::chrono::milliseconds(attesaBlocco());
    if (!attendi(fd, kByteTornello, t, fine))
        return false;
    const bool preso = attendi(fd, kByteBlocco, t, fine);
    os::sbloccaByte(fd, kByteTornello);
    if (preso)
        m_fd = fd;
    return preso;
}

void BloccoFile::rilascia()
{
    if (m_fd >= 0) {
        os::sbloccaByte(m_fd, kByteBlocco);
        m_fd = -1;
    }
}

} // namespace qv
