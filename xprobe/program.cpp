#include "program.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

ScratchFolder::ScratchFolder()
    : path((std::filesystem::temp_directory_path() / "geometry-XXXXXX").string()) {
    if (!mkdtemp(path.data())) {
        std::abort();
    }
}

ScratchFolder::~ScratchFolder() {
    std::filesystem::remove_all(path);
}

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

Ran run(const std::string& command, const std::string& input) {
    const ScratchFolder folder;
    const std::string f = folder.path;
    std::ofstream(f + "/in", std::ios::binary) << input;
    std::ofstream(f + "/command") << "umask 022\n" << command << "\n";
    // timeout ends the command with SIGKILL, and says so itself, only past the limit.
    const int raw = std::system(("cd " + f + " && exec timeout -s KILL " +
                                 std::to_string(patienceSeconds) + " sh command <in >out 2>err")
                                    .c_str());
    // Ended by a signal, as a shell reports it.
    const int status = WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : WEXITSTATUS(raw);
    std::string errors = contents(f + "/err");
    if (status == 128 + SIGKILL) {
        errors += "stopped after " + std::to_string(patienceSeconds) + " s: " + command + "\n";
    }
    return {status, contents(f + "/out"), errors};
}
