// Preloaded, renameat2 first raises signal $SIGNAL_AT_RENAME: as if between writing and renaming.
#include <csignal>
#include <cstdlib>
#include <dlfcn.h>

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): glibc's names are reserved
extern "C" int renameat2(int fromFolder, const char* from, int toFolder, const char* to,
                         unsigned flags) {
    static const auto next = reinterpret_cast<decltype(&renameat2)>(dlsym(RTLD_NEXT, "renameat2"));
    std::raise(std::atoi(std::getenv("SIGNAL_AT_RENAME")));
    return next(fromFolder, from, toFolder, to, flags);
}
