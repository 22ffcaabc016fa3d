#include "parallelogram_dialogue.h"

#include <cstdio>

int main() {
    const std::optional<Parallelogram> parallelogram = runParallelogramDialogue(stdin, stdout);
    return parallelogram ? 0 : 1;
}
