#include "program.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

ScratchFolder::ScratchFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "geometry-XXXXXX").string();
    path = mkdtemp(name.data()) ? name : "";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

Program::Program(const std::string& path, const std::vector<std::string>& arguments,
                 const std::string& input) {
    std::ofstream(folder_.path + "/in", std::ios::binary) << input;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, (folder_.path + "/in").c_str(), O_RDONLY, 0);
    for (const auto& [fd, name] : {std::pair{1, "/out"}, {2, "/err"}}) {
        posix_spawn_file_actions_addopen(&actions, fd, (folder_.path + name).c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& word : arguments) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        status_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
}

Program::~Program() {
    if (!status_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

int Program::status() {
    using namespace std::chrono;
    const auto end = steady_clock::now() + seconds(10);
    while (!status_) {
        int raw = 0;
        rusage usage{};
        const pid_t ended = wait4(pid_, &raw, WNOHANG, &usage);
        if (ended == pid_) {
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            peakKilobytes_ = usage.ru_maxrss;
        } else if (ended < 0 || steady_clock::now() > end) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            status_ = -1;
        } else {
            std::this_thread::sleep_for(milliseconds(1));
        }
    }
    return *status_;
}

std::string Program::output() const {
    return contents(folder_.path + "/out");
}

std::string Program::errors() const {
    return contents(folder_.path + "/err");
}
