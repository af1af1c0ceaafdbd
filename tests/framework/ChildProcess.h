#pragma once

#include <cerrno>
#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

// Runs a check in a forked child and returns its exit code: the child's own result, or 128 plus the
// signal that ended it. The check must not use test assertions (they would stay in the child).
inline int RunInChild(const std::function<int()>& check)
{
    pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0)
        ::_exit(check());
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

// A child that does something, tells the parent through a pipe, and then waits to be ended.
class CWaitingChild
{
public:
    explicit CWaitingChild(const std::function<void()>& setUp)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(fds[0]);
            setUp();
            char ready = 'r';
            (void)::write(fds[1], &ready, 1);
            for (;;)
                ::pause();
        }
        ::close(fds[1]);
        char ready = 0;
        m_bReady = m_pid > 0 && ::read(fds[0], &ready, 1) == 1;
        ::close(fds[0]);
    }
    ~CWaitingChild() { Kill(); }
    CWaitingChild(const CWaitingChild&) = delete;
    CWaitingChild& operator=(const CWaitingChild&) = delete;

    bool Ready() const { return m_bReady; }

    // Ends the child as a crash would: no destructor, no cleanup.
    void Kill()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
    bool m_bReady = false;
};
