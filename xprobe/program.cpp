#include "program.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
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
    // Past the limit, timeout ends the command with SIGKILL.
    const int raw = std::system(("cd " + f + " && exec timeout -s KILL " +
                                 std::to_string(patienceSeconds) + " sh command <in >out 2>err")
                                    .c_str());
    // Ended by a signal, as a shell reports it.
    const int status = WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : WEXITSTATUS(raw);
    // Less a coverage build's complaints where a run may not write its counts: as another user,
    // or past a file-size limit.
    const std::string errors = std::regex_replace(
        contents(f + "/err"), std::regex("(libgcov )?profiling( error)?:[^\n]*\n?"), "");
    const std::string stopped =
        "stopped after " + std::to_string(patienceSeconds) + " s: " + command + "\n";
    return {status, contents(f + "/out"), errors + (status == 128 + SIGKILL ? stopped : "")};
}
