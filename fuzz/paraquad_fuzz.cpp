#include "parallelogram_dialogue.h"
#include "transcript_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<Stage> stages = {
        {"unesite temena paralelograma\n",
         {"uneli ste tri kolinearne tacke kao koordinate temena paralelograma, pokusajte ponovo\n",
          "uneli ste neispravne koordinate temena paralelograma, pokusajte ponovo\n",
          "uneli ste koordinate temena paralelograma izvan dozvoljenog opsega, pokusajte "
          "ponovo\n"}},
    };
    checkTranscript(data, size, runParallelogramDialogue, stages, 1); // the fourth vertex
    return 0;
}
