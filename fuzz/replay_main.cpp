// Without libFuzzer: feeds each file named on the command line to the fuzz target once, so the
// seed corpus runs as an ordinary test in every build.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(file), {});
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
}
