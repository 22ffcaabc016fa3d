#include "picture/picture_file.h"

#include "picture/frame.h"
#include "picture/offscreen.h"
#include "picture/png_encoder.h"
#include "picture/svg_painter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace geom {

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string png(const Scene& scene, Camera camera, std::string& error) {
    const std::vector<std::uint8_t> frame = renderScene(scene, camera, error);
    if (frame.empty()) {
        return {};
    }
    std::string bytes = encodePng(frame, windowWidth, windowHeight);
    if (bytes.empty()) {
        error = std::strerror(ENOMEM);
    }
    return bytes;
}

bool writeAll(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR) {
            return false;
        }
        done += n > 0 ? std::size_t(n) : 0;
    }
    return true;
}

// The signals that end a program at a user's word; each removes the temporary file first.
constexpr int endingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary file's path while it exists, for the signal handler, which may only read it.
char temporaryPath[PATH_MAX];
volatile std::sig_atomic_t temporaryExists = 0;

void removeTemporaryAndEnd(int signal) noexcept {
    if (temporaryExists) {
        unlink(temporaryPath);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal); // ends the program once this handler returns and unblocks the signal
}

// A file beside the picture that takes its place whole once written, or is removed: on failure,
// and on a signal that ends the program. Its name is short, so that any name the file system
// accepts for the picture can be replaced.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::filesystem::path& picture) {
        const std::string name = picture.filename().string().substr(0, 200);
        const std::string path = (picture.parent_path() / ("." + name + ".XXXXXX")).string();
        if (path.size() >= sizeof temporaryPath) {
            errno = ENAMETOOLONG;
            return;
        }
        path.copy(temporaryPath, path.size());
        temporaryPath[path.size()] = '\0';
        // Signals wait until the handlers know the file exists.
        sigset_t ending, before;
        sigemptyset(&ending);
        for (const int signal : endingSignals) {
            sigaddset(&ending, signal);
        }
        sigprocmask(SIG_BLOCK, &ending, &before);
        struct sigaction removing {};
        removing.sa_handler = removeTemporaryAndEnd;
        for (std::size_t i = 0; i < std::size(endingSignals); ++i) {
            sigaction(endingSignals[i], nullptr, &previous[i]);
            // A signal the user's shell made the program ignore stays ignored.
            if (previous[i].sa_handler == SIG_DFL) {
                sigaction(endingSignals[i], &removing, nullptr);
            }
        }
        fd = mkstemp(temporaryPath);
        const int reason = errno;
        temporaryExists = fd >= 0;
        sigprocmask(SIG_SETMASK, &before, nullptr);
        errno = reason;
    }

    ~TemporaryFile() {
        if (fd >= 0) {
            close(fd);
        }
        if (temporaryExists) {
            unlink(temporaryPath);
            temporaryExists = 0;
        }
        for (std::size_t i = 0; i < std::size(endingSignals); ++i) {
            sigaction(endingSignals[i], &previous[i], nullptr);
        }
    }

    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Closes the file and puts it in the picture's place; false, with errno, when either fails.
    // Over an old picture the two are exchanged, which ext4 does without first writing the new
    // blocks out as it does for a rename over a file, and the old one, now under the temporary
    // name, is removed. A new picture, or a file system that cannot exchange, takes a rename.
    [[nodiscard]] bool replace(const std::filesystem::path& picture) {
        const int closing = close(fd);
        fd = -1;
        if (closing != 0) {
            return false;
        }
        if (renameat2(AT_FDCWD, temporaryPath, AT_FDCWD, picture.c_str(), RENAME_EXCHANGE) != 0 &&
            std::rename(temporaryPath, picture.c_str()) != 0) {
            return false;
        }
        // The old picture, where there was one, goes with what is left under the temporary name.
        unlink(temporaryPath);
        temporaryExists = 0;
        return true;
    }

    int fd = -1;

  private:
    struct sigaction previous[std::size(endingSignals)] = {};
};

// Where the picture goes: through a symbolic link to the file it names, as the shell writes.
std::filesystem::path destination(const std::string& path) {
    std::error_code failed;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, failed);
    return std::filesystem::is_symlink(path, failed) && !resolved.empty()
               ? resolved
               : std::filesystem::path(path);
}

// Writes the bytes over the file itself, as the shell does where its folder takes no new file.
bool overwrite(const std::filesystem::path& picture, const std::string& bytes) {
    const int fd = open(picture.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    if (!writeAll(fd, bytes)) {
        const int reason = errno;
        close(fd);
        errno = reason;
        return false;
    }
    return close(fd) == 0;
}

// Replaces the picture's file whole, as an editor does: a file beside it takes its place, with the
// old file's mode (and owner and group, where the program may set them) or, for a new file, the
// mode the umask leaves. A file the user could not write is not replaced. False, with the
// system's reason in `error`, when it cannot be done; nothing is left behind then.
bool replaceFile(const std::string& path, const std::string& bytes, std::string& error) {
    const std::filesystem::path picture = destination(path);
    struct stat old {};
    const bool exists = stat(picture.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        errno = EISDIR;
    } else if (!exists || faccessat(AT_FDCWD, picture.c_str(), W_OK, AT_EACCESS) == 0) {
        TemporaryFile temporary(picture);
        if (temporary.fd < 0 && exists && (errno == EACCES || errno == EPERM)) {
            if (overwrite(picture, bytes)) {
                return true;
            }
        } else if (temporary.fd >= 0) {
            if (exists) {
                // Changing the owner drops set-id bits, so the mode comes after it.
                [[maybe_unused]] const int owned = fchown(temporary.fd, old.st_uid, old.st_gid);
            }
            const mode_t mask = umask(0);
            umask(mask);
            const mode_t mode = exists ? old.st_mode & 07777 : 0666 & ~mask;
            if (fchmod(temporary.fd, mode) == 0 && writeAll(temporary.fd, bytes) &&
                temporary.replace(picture)) {
                return true;
            }
        }
    }
    error = std::strerror(errno);
    return false;
}

} // namespace

std::optional<PictureFormat> pictureFormat(const std::string& path) {
    const std::string extension = lowerCase(std::filesystem::path(path).extension().string());
    if (extension == ".png") {
        return PictureFormat::Png;
    }
    if (extension == ".svg") {
        return PictureFormat::Svg;
    }
    return std::nullopt;
}

bool savePicture(const Scene& scene, Camera camera, const std::string& path, PictureFormat format,
                 std::FILE* err) {
    // Past a file-size limit, a write fails with EFBIG instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    std::string error;
    const std::string bytes =
        format == PictureFormat::Svg ? sceneSvg(scene, camera) : png(scene, camera, error);
    if (!bytes.empty() && replaceFile(path, bytes, error)) {
        return true;
    }
    std::fprintf(err, "slika nije sacuvana: %s: %s\n", path.c_str(), error.c_str());
    return false;
}

} // namespace geom
