#include "program.h"

#include "x_screen.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int patienceMilliseconds = 10000;

// What arrives on fd until `expected` has come whole, the stream ends, or time runs out.
std::string readUntil(int fd, const std::string& expected) {
    std::string text;
    char buffer[4096];
    pollfd ready{fd, POLLIN, 0};
    while ((expected.empty() || text.find(expected) == std::string::npos) &&
           poll(&ready, 1, patienceMilliseconds) == 1) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        text.append(buffer, std::size_t(n));
    }
    return text;
}

} // namespace

Program::Program(const char* path, int output) {
    // Close-on-exec, so that the program holds no end but its own and sees end of input.
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
        std::abort();
    }
    pid_ = fork();
    if (pid_ == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(err[1], STDERR_FILENO);
        if (output == closedOutput) {
            close(STDOUT_FILENO);
        } else {
            dup2(output == pipeOutput ? out[1] : output, STDOUT_FILENO);
        }
        execl(path, path, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    in_ = in[1], out_ = out[0], err_ = err[0];
}

Program::~Program() {
    endInput();
    close(out_);
    close(err_);
    if (!status_) { // a test that failed midway leaves nothing running
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

void Program::write(const std::string& text) const {
    if (::write(in_, text.data(), text.size()) != ssize_t(text.size())) {
        std::abort();
    }
}

void Program::endInput() {
    if (in_ >= 0) {
        close(in_);
    }
    in_ = -1;
}

std::string Program::output(const std::string& expected) const {
    return readUntil(out_, expected);
}

std::string Program::errors() const {
    return readUntil(err_, "");
}

int Program::status() {
    if (status_) {
        return *status_;
    }
    int raw = 0;
    rusage usage{};
    const auto ended = [&] { return wait4(pid_, &raw, WNOHANG, &usage) == pid_; };
    if (waitUntil(patienceMilliseconds / 1000.0, ended, std::chrono::milliseconds(1))) {
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    } else {
        kill(pid_, SIGKILL);
        wait4(pid_, &raw, 0, &usage);
        status_ = -1;
    }
    peakKilobytes_ = usage.ru_maxrss;
    return *status_;
}
