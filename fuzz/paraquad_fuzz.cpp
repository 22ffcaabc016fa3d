#include "parallelogram_dialogue.h"
#include "transcript_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> prompts = {"unesite temena paralelograma\n"};
    checkTranscript(data, size, geom::paraquad, prompts, 1); // the fourth vertex
    return 0;
}
