#include "transcript_check.h"
#include "triangle_dialogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<Stage> stages = {
        {"unesite koordinate temena trougla ABC\n",
         {"uneli ste tri kolinearne tacke kao koordinate trougla ABC, pokusajte ponovo\n",
          "uneli ste neispravne koordinate trougla ABC, pokusajte ponovo\n",
          "uneli ste koordinate trougla ABC izvan dozvoljenog opsega, pokusajte ponovo\n"}},
        {"unesite koordinate temena trougla A'B'C'\n",
         {"uneli ste tri kolinearne tacke kao koordinate trougla A'B'C', pokusajte ponovo\n",
          "uneli ste neispravne koordinate trougla A'B'C', pokusajte ponovo\n",
          "uneli ste koordinate trougla A'B'C' izvan dozvoljenog opsega, pokusajte ponovo\n"}},
    };
    checkTranscript(data, size, runTriangleDialogue, stages, 7); // header, 3 rows, 3 images
    return 0;
}
