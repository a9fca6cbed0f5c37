#include "cli/BarcodeCommand.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

const char* const kUsage = "usage: korbena-cli barcode [options]   (korbena-cli barcode --help for the options)\n";

} // namespace

int main(int argc, char** argv)
{
    // No display is needed: text and pictures are drawn offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
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
    std::fprintf(stderr, "korbena-cli: unknown command '%s'\n%s", qPrintable(command), kUsage);
    return 2;
}
