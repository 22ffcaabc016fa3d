#include "command_line.h"

#include "console.h"
#include "viewer.h"

#include <algorithm>
#include <getopt.h>
#include <iterator>

namespace {

constexpr int misuseStatus = 2;

// Codes for the long options that have no short one.
enum : int { noWindow = 256, version, xWithValue, xAlone };

// The programs' own options, then GLUT's, which are passed on to it as they came.
constexpr option longOptions[] = {
    {"output", required_argument, nullptr, 'o'},
    {"no-window", no_argument, nullptr, noWindow},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, version},
    {"display", required_argument, nullptr, xWithValue},
    {"geometry", required_argument, nullptr, xWithValue},
    {"iconic", no_argument, nullptr, xAlone},
    {"direct", no_argument, nullptr, xAlone},
    {"indirect", no_argument, nullptr, xAlone},
    {"gldebug", no_argument, nullptr, xAlone},
    {"sync", no_argument, nullptr, xAlone},
    {nullptr, 0, nullptr, 0},
};

// '+': stop at the first word that is not an option; ':': report a missing value apart.
constexpr const char* shortOptions = "+:ho:";

const char* const usage =
    "upotreba: %s [-o DATOTEKA | --output DATOTEKA | --output=DATOTEKA] [--no-window]\n"
    "          [X opcije]\n"
    "       %s -h | --help\n"
    "       %s --version\n"
    "\n"
    "%s"
    "\n"
    "  -o, --output DATOTEKA  posle izvestaja upisuje sliku u DATOTEKA umesto da otvori\n"
    "                         prozor; format je po nastavku, .png ili .svg\n"
    "      --no-window        samo izvestaj, bez prozora\n"
    "  -h, --help             ovo uputstvo\n"
    "      --version          ime i verzija programa\n"
    "  X opcije               -display EKRAN, -geometry GEOMETRIJA, -iconic, -direct,\n"
    "                         -indirect, -gldebug, -sync: za GLUT, kad se prozor otvara\n"
    "\n"
    "Izlazni status: 0 uspeh; 1 odbijen ulaz, neispisan izvestaj, nesacuvana slika ili\n"
    "nema ekrana; 2 pogresna upotreba.\n";

Options misuse(std::string problem) {
    Options options;
    options.action = Action::Misuse;
    options.problem = std::move(problem);
    return options;
}

// The word getopt did not know: a letter within a cluster, or a whole word.
std::string unknownWord(char** argv) {
    return optopt != 0 ? std::string("-") + static_cast<char>(optopt) : argv[optind - 1];
}

// GLUT's argument vector: the program's name, then the X options.
std::vector<char*> glutArguments(const char* name, std::vector<std::string>& xOptions) {
    std::vector<char*> arguments{const_cast<char*>(name)};
    std::transform(xOptions.begin(), xOptions.end(), std::back_inserter(arguments),
                   [](std::string& word) { return word.data(); });
    arguments.push_back(nullptr);
    return arguments;
}

} // namespace

Options parseOptions(int argc, char** argv) {
    Options options;
    bool reportOnly = false;
    optind = 0; // start afresh, whoever parsed before
    opterr = 0; // the problems are said in the programs' own words
    int index = 0;
    for (int code;
         (code = getopt_long_only(argc, argv, shortOptions, longOptions, &index)) != -1;) {
        switch (code) {
        case 'o':
            options.picture = optarg;
            if (const auto format = pictureFormat(optarg)) {
                options.format = *format;
                break;
            }
            return misuse("slika mora imati nastavak .png ili .svg: '" + options.picture + "'");
        case noWindow:
            reportOnly = true;
            break;
        case 'h':
            options.action = Action::Help;
            return options;
        case version:
            options.action = Action::Version;
            return options;
        case xWithValue:
            options.xOptions.insert(options.xOptions.end(),
                                    {std::string("-") + longOptions[index].name, optarg});
            break;
        case xAlone:
            options.xOptions.push_back(std::string("-") + longOptions[index].name);
            break;
        case ':':
            return misuse(std::string("opciji '") + argv[optind - 1] + "' nedostaje vrednost");
        default:
            return misuse("nepoznata opcija '" + unknownWord(argv) + "'");
        }
    }
    if (optind < argc) {
        return misuse(std::string("suvisan argument '") + argv[optind] + "'");
    }
    // A picture file already means no window.
    if (!options.picture.empty()) {
        options.action = Action::Save;
    } else if (reportOnly) {
        options.action = Action::ReportOnly;
    }
    return options;
}

int runTool(const Tool& tool, int argc, char** argv, std::FILE* in, std::FILE* out,
            std::FILE* err) {
    Options options = parseOptions(argc, argv);
    switch (options.action) {
    case Action::Misuse:
        std::fprintf(err, "%s: %s; pogledajte '%s --help'\n", tool.name, options.problem.c_str(),
                     tool.name);
        return misuseStatus;
    case Action::Help:
        std::fprintf(out, usage, tool.name, tool.name, tool.name, tool.description);
        return delivered(out, err) ? 0 : 1;
    case Action::Version:
        std::fprintf(out, "%s %s\n", tool.name, GEOM_VERSION);
        return delivered(out, err) ? 0 : 1;
    default:
        break;
    }
    if (!tool.dialogue(in, out, err)) {
        return 1;
    }
    if (options.action == Action::Save) {
        return savePicture(options.picture, options.format, err) ? 0 : 1;
    }
    if (options.action == Action::Show) {
        std::vector<char*> arguments = glutArguments(tool.name, options.xOptions);
        runViewer(static_cast<int>(arguments.size()) - 1, arguments.data());
    }
    return 0;
}
