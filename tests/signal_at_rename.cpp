// Preloaded into a program under test, its rename first raises the signal $SIGNAL_AT_RENAME
// names: a user's Ctrl-C, kill or hang-up just between writing a picture and putting it in place.
#include <csignal>
#include <cstdlib>
#include <dlfcn.h>

extern "C" int rename(const char* from, const char* to) {
    using Rename = int (*)(const char*, const char*);
    static const auto next = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
    std::raise(std::atoi(std::getenv("SIGNAL_AT_RENAME")));
    // cppcheck-suppress unreachableCode
    return next(from, to);
}
