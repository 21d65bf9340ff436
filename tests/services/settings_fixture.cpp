#include "services/settings_fixture.h"

#include <csignal>
#include <cstdio>
#include <exception>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace settingstest {

std::string runInChild(const ChildCase& body, unsigned seconds, const QString& errFile) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "pipe failed";
    std::fflush(stderr);
    const pid_t child = ::fork();
    if (child < 0)
        return "fork failed";
    if (child == 0) {
        ::close(pipeFds[0]);
        ::alarm(seconds);
        if (!errFile.isEmpty()) {
            const int fd = ::open(QFile::encodeName(errFile).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(fd, STDERR_FILENO);
        }
        std::string found;
        try {
            found = body();
        } catch (const std::exception& e) {
            found = std::string("the child threw ") + e.what();
        }
        [[maybe_unused]] const auto n = ::write(pipeFds[1], found.data(), found.size());
        _exit(0);
    }
    ::close(pipeFds[1]);
    std::string found;
    char buf[512];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            found.append(buf, size_t(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        return found + (found.empty() ? "" : "; ") + "the child was ended by signal " +
               std::to_string(WTERMSIG(status)) + (WTERMSIG(status) == SIGALRM ? " (it hung)" : "");
    return found;
}

int startChild(const std::function<bool()>& body) {
    std::fflush(stderr);
    const pid_t child = ::fork();
    if (child == 0) {
        bool ok = false;
        try {
            ok = body();
        } catch (...) {
        }
        _exit(ok ? 0 : 1);
    }
    return child;
}

bool childSucceeded(int pid) {
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace settingstest
