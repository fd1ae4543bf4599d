// Runs code in a child process whose files may grow to at most a given size.
// The limit never reaches the test process itself; SIGXFSZ is ignored in the
// child, so a write past the limit fails with EFBIG (a short write first),
// as it does for any program that handles the signal.
#pragma once

#include <csignal>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Returns what body returned in the child, or why there is no answer.
inline std::string RunUnderFileSizeLimit(rlim_t limit, const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) return "pipe failed";
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return "fork failed";
    }
    if (pid == 0) {
        ::close(fds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limit, limit};
        const std::string said = ::setrlimit(RLIMIT_FSIZE, &r) == 0 ? body() : "setrlimit failed";
        for (size_t at = 0; at < said.size();) {
            const ssize_t n = ::write(fds[1], said.data() + at, said.size() - at);
            if (n <= 0) break;
            at += size_t(n);
        }
        // No exit handlers: the child must not tear down the test's state.
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string said;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof(buffer))) > 0;) said.append(buffer, size_t(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the child ended with status " + std::to_string(status);
    return said;
}
