#include "program.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
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
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

Ran run(const std::string& command, const std::string& input) {
    const ScratchFolder folder;
    const std::string f = folder.path;
    std::ofstream(f + "/in", std::ios::binary) << input;
    std::ofstream(f + "/command") << "umask 022\n" << command << "\n";
    const int raw = std::system(
        ("exec timeout 10 sh " + f + "/command <" + f + "/in >" + f + "/out 2>" + f + "/err")
            .c_str());
    // Ended by a signal, as a shell reports it.
    const int status = WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : WEXITSTATUS(raw);
    return {status, contents(f + "/out"), contents(f + "/err")};
}

Conversation converse(const geom::Tool& tool, std::string input) {
    std::FILE* in = fmemopen(input.data(), input.size(), "r");
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    Conversation said{};
    said.accepted = tool.dialogue({in, out, out, stderr}, said.scene);
    std::fclose(in);
    std::fclose(out);
    said.transcript.assign(text, size);
    std::free(text);
    return said;
}
