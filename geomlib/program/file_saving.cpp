#include "program/file_saving.h"

#include <acl/libacl.h>
#include <attr/libattr.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <random>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace geom {

namespace {

// The kernel follows at most this many symbolic links in one path.
constexpr int mostLinks = 40;
// So that the temporary name, "." NAME ".XXXXXX", stays within 255 bytes for any NAME.
constexpr std::size_t longestKeptName = 200;
constexpr int temporaryNameTries = 100;

// The temporary file's path while it exists, for the signal handler, which may only read it.
char temporaryPath[PATH_MAX];
volatile std::sig_atomic_t temporaryExists = 0;

void removeTemporaryAndEnd(int signal) {
    if (temporaryExists) {
        unlink(temporaryPath);
    }
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    sigaction(signal, &byDefault, nullptr);
    raise(signal); // ends the program as this signal does, once the handler returns
}

// Whether the signal's default action ends the program: all but those that stop it, continue it
// or are ignored, and SIGKILL, which no handler can catch.
bool endsProgram(int signal) {
    switch (signal) {
    case SIGCHLD:
    case SIGCONT:
    case SIGURG:
    case SIGWINCH:
    case SIGSTOP:
    case SIGTSTP:
    case SIGTTIN:
    case SIGTTOU:
    case SIGKILL:
        return false;
    default:
        return true;
    }
}

// While it lives, a write past the file-size limit fails with EFBIG instead of ending the program,
// and every signal that would end the program removes the temporary file first. The dispositions
// in force are read before anything is changed, and put back as they were; a signal the user
// ignored stays ignored.
class SignalGuard {
  public:
    SignalGuard() {
        for (int s = 1; s < NSIG; ++s) {
            // glibc keeps a few signals for itself and refuses them.
            known[std::size_t(s)] = sigaction(s, nullptr, &previous[std::size_t(s)]) == 0;
        }
        struct sigaction ignoring = {};
        ignoring.sa_handler = SIG_IGN;
        change(SIGXFSZ, ignoring);
        struct sigaction removing = {};
        removing.sa_handler = removeTemporaryAndEnd;
        sigfillset(&removing.sa_mask);
        for (int s = 1; s < NSIG; ++s) {
            const struct sigaction& was = previous[std::size_t(s)];
            if (s != SIGXFSZ && endsProgram(s) && !(was.sa_flags & SA_SIGINFO) &&
                was.sa_handler == SIG_DFL) {
                change(s, removing);
            }
        }
    }

    ~SignalGuard() {
        for (int s = 1; s < NSIG; ++s) {
            if (changed[std::size_t(s)]) {
                sigaction(s, &previous[std::size_t(s)], nullptr);
            }
        }
    }

    SignalGuard(const SignalGuard&) = delete;
    SignalGuard& operator=(const SignalGuard&) = delete;

  private:
    void change(int signal, const struct sigaction& action) {
        const auto s = std::size_t(signal);
        changed[s] = known[s] && sigaction(signal, &action, nullptr) == 0;
    }

    std::array<struct sigaction, NSIG> previous{};
    std::array<bool, NSIG> known{}, changed{};
};

// Every signal waits while this lives, so that the handler finds the path and the flag agreeing.
class SignalsHeld {
  public:
    SignalsHeld() {
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, &before);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &before, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t before{};
};

// The path up to its last slash, which is where a relative link points from; empty for a name
// in the working folder.
std::string folderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1); // npos + 1 is 0
}

// The file the path names once every symbolic link at its end is followed, whether it exists yet
// or not: what the shell's > writes. Empty, with errno, for a loop.
std::string fileNamed(std::string path) {
    for (int links = 0; links <= mostLinks; ++links) {
        struct stat st = {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return path;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t size = readlink(path.c_str(), target.data(), target.size());
        if (size < 0) {
            return path; // opening it says why
        }
        target.resize(std::size_t(size));
        path = target.starts_with('/') ? target : folderOf(path).append(target);
    }
    errno = ELOOP;
    return {};
}

// Whether the file is the program's own standard input, output or error: writing over it would
// lose the report, or the input.
bool isStandardStream(const struct stat& file) {
    const int streams[] = {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO};
    return std::any_of(std::begin(streams), std::end(streams), [&file](int fd) {
        struct stat stream = {};
        return fstat(fd, &stream) == 0 && stream.st_dev == file.st_dev &&
               stream.st_ino == file.st_ino;
    });
}

// Whether the folder lets no name in it be replaced or removed: append-only or immutable.
bool folderKeepsItsNames(const std::string& file) {
    const std::string folder = folderOf(file);
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    int flags = 0; // the kernel reads and writes an int, whatever the header says
    const bool known = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    close(fd);
    return known && (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)) != 0;
}

// .NAME.XXXXXX beside the file.
std::string temporaryName(const std::string& file) {
    static constexpr char letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string suffix(6, 'X');
    std::generate(suffix.begin(), suffix.end(),
                  [&random] { return letters[random() % (sizeof letters - 1)]; });
    const std::string folder = folderOf(file);
    return folder + "." + file.substr(folder.size(), longestKeptName) + "." + suffix;
}

// Creates the temporary file as the shell's > creates a file, with mode 0666 for the umask and
// the folder's default ACL to act on. Its descriptor, or -1 with errno.
int createTemporary(const std::string& file) {
    int fd = -1;
    for (int tries = 0; fd < 0 && tries < temporaryNameTries; ++tries) {
        const std::string path = temporaryName(file);
        if (path.size() >= sizeof temporaryPath) {
            errno = ENAMETOOLONG;
            return -1;
        }
        const SignalsHeld held;
        path.copy(temporaryPath, path.size());
        temporaryPath[path.size()] = '\0';
        fd = open(temporaryPath, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        temporaryExists = fd >= 0;
        if (fd < 0 && errno != EEXIST) {
            return -1;
        }
    }
    return fd;
}

void removeTemporary() {
    const SignalsHeld held;
    if (temporaryExists) {
        unlink(temporaryPath);
        temporaryExists = 0;
    }
}

// Gives the temporary file all that the old one had; false where the program may not, as for a
// file of another owner.
bool copyAttributes(int fd, const std::string& old, const struct stat& was) {
    // Changing the owner drops set-id bits, so the mode comes after it.
    return fchown(fd, was.st_uid, was.st_gid) == 0 && fchmod(fd, was.st_mode & 07777) == 0 &&
           perm_copy_file(old.c_str(), temporaryPath, nullptr) == 0 &&
           attr_copy_file(old.c_str(), temporaryPath, nullptr, nullptr) == 0;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno != EINTR) {
            return false;
        }
        bytes.remove_prefix(n > 0 ? std::size_t(n) : 0);
    }
    return true;
}

// Writes and closes; false, with errno, when either fails.
bool writeAndClose(int fd, std::string_view bytes) {
    const bool written = writeAll(fd, bytes);
    const int reason = errno;
    const bool closed = close(fd) == 0;
    errno = written ? errno : reason;
    return written && closed;
}

enum class Outcome : std::uint8_t { Saved, Failed, NotReplaced };

// A temporary file beside the old one, given its attributes and the bytes, takes its place whole,
// so that a reader never sees half a picture. NotReplaced, with nothing left behind, where that
// cannot be done but writing in place may; Failed, with errno, where the bytes could not be
// written, which would fail in place too.
Outcome replaceWhole(const std::string& file, const struct stat* old, std::string_view bytes) {
    if (folderKeepsItsNames(file)) {
        return Outcome::NotReplaced; // a temporary file there could never be removed
    }
    const int fd = createTemporary(file);
    if (fd < 0) {
        return Outcome::NotReplaced;
    }
    if (old && !copyAttributes(fd, file, *old)) {
        close(fd);
        removeTemporary();
        return Outcome::NotReplaced;
    }
    if (!writeAndClose(fd, bytes)) {
        const int reason = errno;
        removeTemporary();
        errno = reason;
        return Outcome::Failed;
    }
    // Over an old file the two are exchanged, which ext4 does without first writing the new
    // blocks out as it does for a rename over a file; the old one, now under the temporary name,
    // is removed.
    if (old && renameat2(AT_FDCWD, temporaryPath, AT_FDCWD, file.c_str(), RENAME_EXCHANGE) == 0) {
        removeTemporary();
        return Outcome::Saved;
    }
    if (std::rename(temporaryPath, file.c_str()) == 0) {
        temporaryExists = 0;
        return Outcome::Saved;
    }
    removeTemporary();
    return Outcome::NotReplaced;
}

// Writes over the file itself, as the shell's > does: a signal, a full disk or a size limit while
// it writes leave it cut short.
std::optional<std::string> writeInPlace(const std::string& file, bool exists,
                                        std::string_view bytes) {
    const int fd =
        open(file.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | (exists ? 0 : O_CREAT), 0666);
    if (fd < 0 || !writeAndClose(fd, bytes)) {
        return std::strerror(errno);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> saveFile(const std::string& path, std::string_view bytes) {
    const SignalGuard signals; // first, so that it reads the dispositions as they were
    struct stat old = {};
    const bool exists = stat(path.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        return std::strerror(errno); // a loop, a folder that is a file, no permission to search
    }
    if (exists && S_ISDIR(old.st_mode)) {
        return std::strerror(EISDIR);
    }
    if (exists && !S_ISREG(old.st_mode)) {
        return "nije obicna datoteka"; // a device, a FIFO, a socket: never replaced
    }
    if (exists && isStandardStream(old)) {
        return "to je standardni ulaz ili izlaz programa";
    }
    const std::string file = fileNamed(path);
    if (file.empty()) {
        return std::strerror(errno);
    }
    // A file the user could not write is not replaced, as the shell's > would not write it.
    if (exists && faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
        return std::strerror(errno);
    }
    // A file with other names is written in place, so that they all see the new picture.
    if (!exists || old.st_nlink == 1) {
        switch (replaceWhole(file, exists ? &old : nullptr, bytes)) {
        case Outcome::Saved:
            return std::nullopt;
        case Outcome::Failed:
            return std::strerror(errno);
        case Outcome::NotReplaced:
            break;
        }
    }
    return writeInPlace(file, exists, bytes);
}

} // namespace geom
