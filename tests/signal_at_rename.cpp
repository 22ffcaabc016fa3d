// Preloaded into a program under test, its rename and renameat2 first raise the signal
// $SIGNAL_AT_RENAME names: a user's Ctrl-C, kill or hang-up just between writing a picture and
// putting it in place.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace {

void raiseTheSignal() {
    std::raise(std::atoi(std::getenv("SIGNAL_AT_RENAME")));
}

} // namespace

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): glibc's names are reserved
extern "C" int rename(const char* from, const char* to) {
    using Rename = int (*)(const char*, const char*);
    static const auto next = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
    raiseTheSignal();
    return next(from, to);
}

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
extern "C" int renameat2(int fromFolder, const char* from, int toFolder, const char* to,
                         unsigned flags) {
    using Rename = int (*)(int, const char*, int, const char*, unsigned);
    static const auto next = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "renameat2"));
    raiseTheSignal();
    return next(fromFolder, from, toFolder, to, flags);
}
