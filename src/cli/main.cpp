#include "cli/BarcodeCommand.h"
#include "cli/CalibrateCommand.h"
#include "cli/CheckCommand.h"
#include "cli/ImportCommand.h"
#include "cli/PreviewCommand.h"
#include "cli/PrintCommand.h"
#include "cli/TemplateCommand.h"
#include "cli/VerifyCommand.h"
#include "matrix/ZintMatrix.h"
#include "platform/Allocator.h"

#include <QGuiApplication>

#include <cstdio>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Qt's offscreen platform asks for a runtime folder; give it a private one rather
// than have it warn on every run where the session provides none.
void ensureRuntimeDir()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const std::string dir = "/tmp/korbena-runtime-" + std::to_string(getuid());
    ::mkdir(dir.c_str(), 0700);
    struct stat info
    {
    };
    if (::stat(dir.c_str(), &info) == 0 && info.st_uid == getuid() && S_ISDIR(info.st_mode))
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir));
}

const char* const kUsage =
    "usage: korbena-cli barcode [options]   (korbena-cli barcode --help for the options)\n"
    "       korbena-cli check --mod10w3|--mod16|--mod43 TEXT\n"
    "       korbena-cli print [--style FILE] [--data FILE] [--out FILE.pdf | --printer NAME] [--copies N]\n"
    "                         [--pages 3-5,9] [--start-label K]\n"
    "       korbena-cli preview [--style FILE] [--data FILE] [--page N] [--zoom PERCENT] [--start-label K]\n"
    "                           --out FILE.png\n"
    "       korbena-cli verify [--style FILE] [--data FILE] [--start-label K] [--json]\n"
    "       korbena-cli calibrate --printer NAME [--out page.pdf | --measured-shift X,Y]\n"
    "       korbena-cli import FILE.csv --title-col N --number-col M [options] --out FILE.lst\n"
    "       korbena-cli template [--search TEXT] | --apply NAME [--style FILE] --out FILE.kbz\n"
    "       korbena-cli --help | --version | COMMAND --help\n";

// The whole help; the manual page is made from it and from each command's help.
const char* const kHelp =
    "korbena-cli prints sheets of barcode labels without a window, from the same style (.kbz)\n"
    "and data list (.lst) files as the korbena desktop program, and draws single barcodes.\n"
    "\n"
    "commands:\n"
    "  print     print every page of a style and data list to a PDF file or a printer\n"
    "  preview   draw one page of the sheet as the window's preview shows it, to a PNG picture\n"
    "  check     compute a check character as the window's check-digit calculators do\n"
    "  barcode   draw one barcode symbol to a picture, or describe it as JSON\n"
    "  verify    check before printing: encode every row that will print and read it back\n"
    "  calibrate print a printer's calibration page, or store the shift measured on it\n"
    "  import    turn a CSV file of titles, numbers and quantities into a data list\n"
    "  template  list the label sheets of the catalogue, or apply one to a style\n"
    "\n"
    "options:\n"
    "  --help, -h     show this help; COMMAND --help shows the options of a command\n"
    "  --version      show the version\n"
    "\n"
    "files:\n"
    "  the working folder is $XDG_DATA_HOME/tesselink/korbenaXe10 (by default\n"
    "  ~/.local/share/tesselink/korbenaXe10); its conf folder holds the default style KORBENA.dat\n"
    "  and data list KORBENA.lst, and is filled from the shipped templates on first use\n"
    "  (/usr/share/korbena when installed); barimage receives one picture per label.\n"
    "\n"
    "exit status: 0 done; 1 the files could not be read or written, or a code cannot be encoded;\n"
    "  2 bad arguments; 3 printed, but some rows lack their barcode (COMMAND --help for each)\n";

bool isHelp(const QString& arg)
{
    return arg == u"--help" || arg == u"-h";
}

// Usage texts and the version, answered before the application starts, so that they need
// no fonts or display; nothing when the arguments ask for a command's work.
std::optional<int> answerWithoutApplication(const QStringList& args)
{
    if (args.size() == 1 && isHelp(args.first())) {
        std::fputs(kUsage, stdout);
        std::fputs("\n", stdout);
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (args.size() == 1 && args.first() == u"--version") {
        std::fputs("korbena-cli " KORBENA_VERSION "\n", stdout);
        return 0;
    }
    if (args.size() == 2 && isHelp(args[1])) {
        const QString& name = args.first();
        const char* usage = name == u"barcode"     ? korbena::cli::kBarcodeUsage
                            : name == u"check"     ? korbena::cli::kCheckUsage
                            : name == u"print"     ? korbena::cli::kPrintUsage
                            : name == u"preview"   ? korbena::cli::kPreviewUsage
                            : name == u"verify"    ? korbena::cli::kVerifyUsage
                            : name == u"calibrate" ? korbena::cli::kCalibrateUsage
                            : name == u"import"    ? korbena::cli::kImportUsage
                            : name == u"template"  ? korbena::cli::kTemplateUsage
                                                   : nullptr;
        if (usage) {
            std::fputs(usage, stdout);
            return 0;
        }
    }
    return std::nullopt;
}

// Runs one command with the arguments that follow its name.
int runCommand(const QString& command, const QStringList& args)
{
    if (command == u"barcode") {
        if (args.contains(QStringLiteral("--help"))) {
            std::fputs(korbena::cli::kBarcodeUsage, stdout);
            return 0;
        }
        return korbena::cli::runBarcode(args, stdout, stderr);
    }
    if (command == u"check") {
        if (args == QStringList{QStringLiteral("--help")}) {
            std::fputs(korbena::cli::kCheckUsage, stdout);
            return 0;
        }
        return korbena::cli::runCheck(args, stdout, stderr);
    }
    if (command == u"print" || command == u"preview") {
        const bool print = command == u"print";
        if (args == QStringList{QStringLiteral("--help")}) {
            std::fputs(print ? korbena::cli::kPrintUsage : korbena::cli::kPreviewUsage, stdout);
            return 0;
        }
        return print ? korbena::cli::runPrint(args, stdout, stderr)
                     : korbena::cli::runPreview(args, stdout, stderr);
    }
    if (command == u"verify") {
        if (args == QStringList{QStringLiteral("--help")}) {
            std::fputs(korbena::cli::kVerifyUsage, stdout);
            return 0;
        }
        return korbena::cli::runVerify(args, stdout, stderr);
    }
    if (command == u"calibrate")
        return korbena::cli::runCalibrate(args, stdout, stderr);
    if (command == u"import" || command == u"template") {
        const bool import = command == u"import";
        if (args == QStringList{QStringLiteral("--help")}) {
            std::fputs(import ? korbena::cli::kImportUsage : korbena::cli::kTemplateUsage, stdout);
            return 0;
        }
        return import ? korbena::cli::runImport(args, stdout, stderr)
                      : korbena::cli::runTemplate(args, stdout, stderr);
    }
    std::fprintf(stderr, "korbena-cli: unknown command '%s'\n%s", qPrintable(command), kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // No display is needed: text and pictures are drawn offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ensureRuntimeDir();
    korbena::installZintMatrixEncoder();
    // Taken before the application sees them: it would take "--style FILE" as its own option.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (const std::optional<int> answered = answerWithoutApplication(args))
        return *answered;
    korbena::tuneAllocatorForPictures();
    QGuiApplication app(argc, argv);
    const QString command = args.takeFirst();
    return runCommand(command, args);
}
