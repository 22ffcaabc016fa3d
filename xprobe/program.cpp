#include "probe.h"

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

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

Ran run(const std::string& command, const std::string& input) {
    const ScratchFolder folder;
    const std::string f = folder.path;
    std::ofstream(f + "/in", std::ios::binary) << input;
    std::ofstream(f + "/command") << "umask 022\n" << command << "\n";
    const int raw = std::system(("cd " + f + " && exec timeout -s KILL " +
                                 std::to_string(patienceSeconds) + " sh command <in >out 2>err")
                                    .c_str());
    const int status = WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : WEXITSTATUS(raw);
    // Less a coverage build's complaints where it may not write its counts.
    const std::string errors = std::regex_replace(
        contents(f + "/err"), std::regex("(libgcov )?profiling( error)?:[^\n]*\n?"), "");
    const std::string stopped =
        "stopped after " + std::to_string(patienceSeconds) + " s: " + command + "\n";
    return {status, contents(f + "/out"), errors + (status == 128 + SIGKILL ? stopped : "")};
}
