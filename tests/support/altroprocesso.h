#pragma once
// Another process that holds something on a folder until it is destroyed (its
// presence, a lock): a child forked from the test that runs `prendi`, tells the
// test it is done, and waits. What `prendi` takes stays taken until the child
// ends, as in another copy of the program; it must not depend on an event loop.

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace qv::prova {

class AltroProcesso
{
public:
    explicit AltroProcesso(const std::function<void()> &prendi)
    {
        int pronto[2], fine[2];
        if (::pipe(pronto) != 0 || ::pipe(fine) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            prendi();
            (void)!::write(pronto[1], "x", 1);
            char c;
            (void)!::read(fine[0], &c, 1);
            ::_exit(0);
        }
        char c;
        (void)!::read(pronto[0], &c, 1);
        m_fine = fine[1];
    }
    ~AltroProcesso()
    {
        if (m_pid > 0) {
            (void)!::write(m_fine, "x", 1);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    AltroProcesso(const AltroProcesso &) = delete;
    AltroProcesso &operator=(const AltroProcesso &) = delete;

private:
    pid_t m_pid = -1;
    int m_fine = -1;
};

} // namespace qv::prova
