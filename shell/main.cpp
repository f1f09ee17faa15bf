// vorn, the desktop program. --version and --help answer on standard output without a window
// and without a display, like every other program of the package; any other argument goes to
// Qt (-platform, -style, ...).

#include <QApplication>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <string_view>

#include "platform/QtPrompter.h"
#include "platform/Translations.h"
#include "shell/QuelApp.h"
#include "widgets/EntryGuard.h"

namespace {

constexpr const char* kHelp =
    "Usage: vorn [OPTION]...\n"
    "Edit the master data of price-computing, label-printing retail scales (PLUs, groups,\n"
    "operators, tares, texts, barcodes, discounts, preset keys, labels, configuration, clock),\n"
    "keep it in local files, one directory per scale, and send it to the scales or read it\n"
    "back over a serial port.\n"
    "\n"
    "vorn opens its window in the current directory, the base directory of stores and scales\n"
    "(the desktop entry starts it in $VORN_BASE, or ~/vorn); each scale's files live in\n"
    "base/store/scale. The serial port settings are in comport.ini beside the program, or in\n"
    "$XDG_CONFIG_HOME/vorn.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are also taken.\n"
    "\n"
    "vornctl runs the same transfers from the command line, vorntab moves PLUs to and from\n"
    "spreadsheets, and vornsim plays a scale for trying vorn without one.\n";

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            std::printf("vorn %s\n", VORN_VERSION);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QTranslator translator;
    vorn::installTranslation(translator, QLocale());
    vorn::QtPrompter prompter;
    vorn::installPrompter(&prompter);
    vorn::installEntryGuard();
    int result = 1;
    {
        vorn::CQuelApp quel;
        if (quel.initInstance()) {
            result = QApplication::exec();
        }
        quel.exitInstance();
    }
    vorn::installPrompter(nullptr);
    return result;
}
