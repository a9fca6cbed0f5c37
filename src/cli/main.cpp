#include "cli/BarcodeCommand.h"
#include "cli/CheckCommand.h"
#include "cli/ImportCommand.h"
#include "cli/PreviewCommand.h"
#include "cli/PrintCommand.h"
#include "cli/TemplateCommand.h"
#include "platform/Allocator.h"

#include <QGuiApplication>

#include <cstdio>
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
    "       korbena-cli preview [--style FILE] [--data FILE] [--page N] [--zoom PERCENT] --out FILE.png\n"
    "       korbena-cli import FILE.csv --title-col N --number-col M [options] --out FILE.lst\n"
    "       korbena-cli template [--search TEXT] | --apply NAME [--style FILE] --out FILE.kbz\n";

} // namespace

int main(int argc, char** argv)
{
    // No display is needed: text and pictures are drawn offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ensureRuntimeDir();
    // Taken before the application sees them: it would take "--style FILE" as its own option.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    korbena::tuneAllocatorForPictures();
    QGuiApplication app(argc, argv);
    if (args.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString command = args.takeFirst();
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
