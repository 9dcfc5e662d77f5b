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

bool imposta(int fd, short tipo, bool attendi)
{
    struct flock f {};
    f.l_type = tipo;
    f.l_whence = SEEK_SET;
    f.l_start = kByteBlocco;
    f.l_len = 1;
    int r;
    do {
        r = ::fcntl(fd, attendi ? F_SETLKW : F_SETLK, &f);
    } while (r < 0 && errno == EINTR);
    return r == 0;
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
    auto pausa = std::chrono::milliseconds(2);
    for (;;) {
        if (imposta(fd, t, false)) {
            m_fd = fd;
            return true;
        }
        if (errno != EAGAIN && errno != EACCES)
            return false;
        if (std::chrono::steady_clock::now() >= fine) {
            errno = EAGAIN;
            return false;
        }
        std::this_thread::sleep_for(pausa);
        pausa = std::min(pausa * 2, std::chrono::milliseconds(50));
    }
}

void BloccoFile::rilascia()
{
    if (m_fd >= 0) {
        const int salvato = errno;
        imposta(m_fd, F_UNLCK, false);
        errno = salvato;
        m_fd = -1;
    }
}

} // namespace qv
