#include "picture_file.h"

#include "camera.h"
#include "offscreen.h"
#include "png_writer.h"
#include "svg_writer.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string png(std::string& error) {
    const std::vector<std::uint8_t> frame = renderScene(error);
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

// Writes a temporary file beside `path` and renames it over `path`, so that a reader never sees
// half a picture and a failure leaves no file behind. False, with the system's reason in
// `error`, when that fails.
bool replaceFile(const std::string& path, const std::string& bytes, std::string& error) {
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const auto fail = [&](int reason) {
        error = std::strerror(reason);
        unlink(temporary.c_str());
        return false;
    };
    // mkstemp makes the file private; give it the mode any new file gets.
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(fd, 0666 & ~mask) != 0 || !writeAll(fd, bytes)) {
        const int reason = errno;
        close(fd);
        return fail(reason);
    }
    if (close(fd) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
        return fail(errno);
    }
    return true;
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

bool savePicture(const std::string& path, PictureFormat format, std::FILE* err) {
    std::string error;
    const std::string bytes = format == PictureFormat::Svg ? sceneSvg() : png(error);
    if (!bytes.empty() && replaceFile(path, bytes, error)) {
        return true;
    }
    std::fprintf(err, "slika nije sacuvana: %s: %s\n", path.c_str(), error.c_str());
    return false;
}
