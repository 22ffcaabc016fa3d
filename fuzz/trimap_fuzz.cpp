#include "transcript_check.h"
#include "triangle_dialogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> prompts = {"unesite koordinate temena trougla ABC\n",
                                                     "unesite koordinate temena trougla A'B'C'\n"};
    checkTranscript(data, size, geom::trimap, prompts, 7); // header, 3 rows, 3 images
    return 0;
}
