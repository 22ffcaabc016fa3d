#include "program/command_line.h"

#include "picture/offscreen.h"
#include "picture/svg_painter.h"
#include "picture/window.h"
#include "program/file_saving.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string_view>

namespace geom {

namespace {

constexpr int misuseStatus = 2;

// What an option does.
enum class Meaning : std::uint8_t { Output, NoWindow, Labels, Help, Version, XWithValue, XAlone };

struct Option {
    std::string_view name;
    Meaning meaning;
};

// The programs' own options, then GLUT's, which are passed on to it. Each may be written with one
// dash or two, and cut short while it stays unambiguous.
constexpr Option options[] = {
    {"output", Meaning::Output},       {"no-window", Meaning::NoWindow},
    {"labels", Meaning::Labels},       {"help", Meaning::Help},
    {"version", Meaning::Version},     {"display", Meaning::XWithValue},
    {"geometry", Meaning::XWithValue}, {"iconic", Meaning::XAlone},
    {"direct", Meaning::XAlone},       {"indirect", Meaning::XAlone},
    {"gldebug", Meaning::XAlone},      {"sync", Meaning::XAlone},
};

// The widest and tallest window Mesa's software renderer draws whole: its largest viewport.
constexpr unsigned largestWindow = 16384;
// The farthest a window's edge may be placed from the screen's: X's coordinates are 16-bit.
constexpr unsigned farthestOffset = 32767;

const char* const usage =
    "upotreba: %s [-o DATOTEKA | --output DATOTEKA | --output=DATOTEKA] [--no-window]\n"
    "          [-l | --labels] [X opcije]\n"
    "       %s -h | --help\n"
    "       %s --version\n"
    "\n"
    "%s"
    "\n"
    "  -o, --output DATOTEKA  posle izvestaja upisuje sliku u DATOTEKA umesto da otvori\n"
    "                         prozor; format je po nastavku, .png ili .svg\n"
    "      --no-window        samo izvestaj, bez prozora\n"
    "  -l, --labels           na slici uz svako teme pise njegovo ime\n"
    "  -h, --help             ovo uputstvo\n"
    "      --version          ime i verzija programa\n"
    "  X opcije               -display EKRAN, -geometry GEOMETRIJA, -iconic, -direct,\n"
    "                         -indirect, -gldebug, -sync: za GLUT, kad se prozor otvara\n"
    "\n"
    "Izlazni status: 0 uspeh; 1 odbijen ulaz, neispisan izvestaj, nesacuvana slika ili\n"
    "nema ekrana; 2 pogresna upotreba.\n";

Options misuse(std::string problem) {
    Options parsed;
    parsed.action = Action::Misuse;
    parsed.problem = std::move(problem);
    return parsed;
}

// The text as typed, with each byte that is not printable ASCII written as \xHH, so that no
// control byte reaches the terminal.
std::string escaped(std::string_view text) {
    std::string shown;
    for (const char letter : text) {
        const auto c = static_cast<unsigned char>(letter);
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02x", c);
        shown += c >= 0x20 && c < 0x7f ? std::string(1, letter) : hex;
    }
    return shown;
}

std::string quoted(std::string_view text) {
    return "'" + escaped(text).append("'");
}

// The options whose names begin with `typed`; an exact name alone.
std::vector<Option> matching(std::string_view typed) {
    std::vector<Option> found;
    for (const Option& o : options) {
        if (o.name == typed) {
            return {o};
        }
        if (!typed.empty() && o.name.starts_with(typed)) {
            found.push_back(o);
        }
    }
    return found;
}

// Reads a -geometry value as X reads it, [=][WIDTH][{xX}HEIGHT][{+-}X{+-}Y], into `window`: what
// it leaves out keeps the default size, or lets the window manager place the window. What is
// wrong with it, or nothing when it is sound, its size one the renderer draws whole and its place
// one X can hold.
std::string readGeometry(std::string_view value, WindowGeometry& window) {
    std::string_view rest = value.starts_with('=') ? value.substr(1) : value;
    // Takes a number off the front of `rest`; a number too large to hold counts as the largest.
    const auto take = [&rest](unsigned& n) {
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), n);
        if (error == std::errc::invalid_argument) {
            return false;
        }
        n = error == std::errc::result_out_of_range ? UINT_MAX : n;
        rest.remove_prefix(std::size_t(end - rest.data()));
        return true;
    };
    // A signed offset; false, as unsound, beyond what X's 16-bit coordinates hold.
    const auto takeOffset = [&](int& offset, bool& fromFarEdge) {
        fromFarEdge = rest.starts_with('-');
        unsigned n = 0;
        if (!(rest.starts_with('+') || fromFarEdge) || (rest.remove_prefix(1), !take(n)) ||
            n > farthestOffset) {
            return false;
        }
        offset = fromFarEdge ? -int(n) : int(n);
        return true;
    };
    unsigned width = windowWidth, height = windowHeight;
    bool sound = !rest.empty();
    if (sound && std::isdigit(static_cast<unsigned char>(rest[0]))) {
        sound = take(width);
    }
    if (sound && (rest.starts_with('x') || rest.starts_with('X'))) {
        rest.remove_prefix(1);
        sound = take(height);
    }
    window = {};
    if (sound && !rest.empty()) {
        window.placed = takeOffset(window.x, window.fromRight) &&
                        takeOffset(window.y, window.fromBottom) && rest.empty();
        sound = window.placed;
    }
    if (!sound) {
        return "neispravna geometrija prozora " + quoted(value);
    }
    if (std::min(width, height) < 1 || std::max(width, height) > largestWindow) {
        return "sirina i visina prozora moraju biti od 1 do " + std::to_string(largestWindow) +
               " piksela: " + quoted(value);
    }
    window.width = int(width);
    window.height = int(height);
    return "";
}

// GLUT's argument vector: the program's name, then the X options. GLUT takes char pointers,
// though it only reorders them.
std::vector<char*> glutArguments(const char* name, const std::vector<std::string>& xOptions) {
    std::vector<char*> arguments{const_cast<char*>(name)};
    std::transform(xOptions.begin(), xOptions.end(), std::back_inserter(arguments),
                   [](const std::string& word) { return const_cast<char*>(word.c_str()); });
    arguments.push_back(nullptr);
    return arguments;
}

// From the file name's extension, .png or .svg in any case; nothing for any other.
std::optional<PictureFormat> pictureFormat(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".png") {
        return PictureFormat::Png;
    }
    if (extension == ".svg") {
        return PictureFormat::Svg;
    }
    return std::nullopt;
}

// Writes the picture to the file the options name, in its format: through the window's own
// painter for a PNG. The exit status: 1, once said why on `err`, where it could not be written.
int savePicture(const Picture& picture, const Options& parsed, std::FILE* err) {
    std::string error;
    const std::string bytes =
        parsed.format == PictureFormat::Svg ? pictureSvg(picture) : picturePng(picture, error);
    const std::optional<std::string> failure =
        bytes.empty() ? error : saveFile(parsed.picture, bytes);
    if (failure) {
        std::fprintf(err, "slika nije sacuvana: %s: %s\n", escaped(parsed.picture).c_str(),
                     failure->c_str());
        return 1;
    }
    return 0;
}

} // namespace

Options parseOptions(int argc, char** argv) {
    Options parsed;
    bool reportOnly = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view word = argv[i];
        if (word == "--") {
            if (++i < argc) {
                return misuse("suvisan argument " + quoted(argv[i]));
            }
            break;
        }
        if (word.size() < 2 || word[0] != '-') {
            return misuse("suvisan argument " + quoted(word));
        }
        const std::size_t dashes = word.starts_with("--") ? 2 : 1;
        const std::size_t equals = word.find('=');
        std::string_view typed = word.substr(0, equals);
        std::optional<std::string_view> value;
        if (equals != std::string_view::npos) {
            value = word.substr(equals + 1);
        }
        std::vector<Option> found = matching(typed.substr(dashes));
        // One dash and no option of that name: -h, or -o with its value joined to it.
        if (found.empty() && dashes == 1 && (word[1] == 'h' || word[1] == 'o')) {
            found = matching(word.substr(1, 1));
            typed = word.substr(0, 2);
            value = word.size() > 2 ? std::optional(word.substr(2)) : std::nullopt;
        }
        if (found.size() > 1) {
            std::string names;
            for (const Option& o : found) {
                names += (names.empty() ? " (" : ", ") + std::string(word.substr(0, dashes)) +
                         std::string(o.name);
            }
            return misuse("dvosmislena opcija " + quoted(typed) + names + ")");
        }
        if (found.empty() || typed.size() == dashes) {
            return misuse("nepoznata opcija " + quoted(word));
        }
        const Meaning meaning = found[0].meaning;
        const bool takesValue = meaning == Meaning::Output || meaning == Meaning::XWithValue;
        if (!takesValue && value) {
            return misuse("opcija " + quoted(typed) + " ne prima vrednost");
        }
        if (takesValue && !value) {
            if (++i == argc) {
                return misuse("opciji " + quoted(typed) + " nedostaje vrednost");
            }
            value = argv[i];
        }
        const std::string canonical = std::string("-").append(found[0].name);
        switch (meaning) {
        case Meaning::Output:
            if (!parsed.picture.empty()) {
                return misuse("opcija " + quoted(typed) + " je data dva puta");
            }
            parsed.picture = *value;
            if (const auto format = pictureFormat(parsed.picture)) {
                parsed.format = *format;
                break;
            }
            return misuse("slika mora imati nastavak .png ili .svg: " + quoted(*value));
        case Meaning::NoWindow:
            reportOnly = true;
            break;
        case Meaning::Labels:
            parsed.names = true;
            break;
        case Meaning::Help:
            parsed.action = Action::Help;
            return parsed;
        case Meaning::Version:
            parsed.action = Action::Version;
            return parsed;
        case Meaning::XWithValue:
            // GLUT would take a size without a place, or a place without a size, as garbage.
            if (canonical == "-geometry") {
                if (std::string problem = readGeometry(*value, parsed.window); !problem.empty()) {
                    return misuse(problem);
                }
                break;
            }
            parsed.xOptions.insert(parsed.xOptions.end(), {canonical, std::string(*value)});
            break;
        case Meaning::XAlone:
            parsed.xOptions.push_back(canonical);
            break;
        }
    }
    // A picture file already means no window.
    if (!parsed.picture.empty()) {
        parsed.action = Action::Save;
    } else if (reportOnly) {
        parsed.action = Action::ReportOnly;
    }
    return parsed;
}

int runProgram(const Program& program, int argc, char** argv, Console console) {
    const Options parsed = parseOptions(argc, argv);
    switch (parsed.action) {
    case Action::Misuse:
        std::fprintf(console.err, "%s: %s; pogledajte '%s --help'\n", program.name,
                     parsed.problem.c_str(), program.name);
        return misuseStatus;
    case Action::Help:
        std::fprintf(console.out, usage, program.name, program.name, program.name,
                     program.description);
        return delivered(console.out, console.err) ? 0 : 1;
    case Action::Version:
        std::fprintf(console.out, "%s %s\n", program.name, GEOM_VERSION);
        return delivered(console.out, console.err) ? 0 : 1;
    default:
        break;
    }
    Decision decision = program.decide(console.in, console.out);
    if (!decision.failure.empty()) {
        std::fputs(decision.failure.c_str(), console.err);
        return 1;
    }
    std::fputs(decision.report.c_str(), console.out);
    if (!delivered(console.out, console.err) || decision.verdict != Verdict::Accepted) {
        return 1;
    }
    Picture& picture = decision.picture;
    picture.names = parsed.names;
    switch (parsed.action) {
    case Action::Save:
        return savePicture(picture, parsed, console.err);
    case Action::Show: {
        std::vector<char*> arguments = glutArguments(program.name, parsed.xOptions);
        runViewer(picture, parsed.window, static_cast<int>(arguments.size()) - 1, arguments.data());
        return 0;
    }
    default:
        return 0;
    }
}

} // namespace geom
