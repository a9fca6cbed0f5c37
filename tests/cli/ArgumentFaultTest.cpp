// Every command words a fault in its arguments the same way and exits with 2: the
// command's name, the fault, then its usage. Some commands take an empty value, and
// some name an unknown option before they look for its value; each keeps its own way.
#include "cli/BarcodeCommand.h"
#include "cli/CalibrateCommand.h"
#include "cli/CheckCommand.h"
#include "cli/CommandRunner.h"
#include "cli/ImportCommand.h"
#include "cli/PreviewCommand.h"
#include "cli/PrintCommand.h"
#include "cli/TemplateCommand.h"
#include "cli/VerifyCommand.h"

#include <gtest/gtest.h>

namespace korbena::cli {
namespace {

struct Fault
{
    test::Command command;
    const char* usage;
    QStringList args;
    QString firstLine;
};

TEST(ArgumentFaults, EachCommandNamesTheFaultAndShowsItsUsage)
{
    const Fault faults[] = {
        {runBarcode, kBarcodeUsage, {"--scale", "11"}, "korbena-cli barcode: bad value for --scale: '11'"},
        {runBarcode, kBarcodeUsage, {"--bogus", "x"}, "korbena-cli barcode: unknown option --bogus"},
        {runBarcode, kBarcodeUsage, {"--type"}, "korbena-cli barcode: --type needs a value"},
        {runBarcode,
         kBarcodeUsage,
         {"--code", "1", "--out", "a.gif"},
         "korbena-cli barcode: bad value for --out: 'a.gif'"},
        {runCalibrate, kCalibrateUsage, {"--printer", ""}, "korbena-cli calibrate: --printer needs a value"},
        {runCalibrate, kCalibrateUsage, {"--bogus", "x"}, "korbena-cli calibrate: unknown option '--bogus'"},
        {runPreview, kPreviewUsage, {"--zoom", ""}, "korbena-cli preview: bad value for --zoom: ''"},
        {runPreview, kPreviewUsage, {"--zoom", "201"}, "korbena-cli preview: bad value for --zoom: '201'"},
        {runPreview, kPreviewUsage, {"--style", ""}, "korbena-cli preview: --style needs a value"},
        {runPreview, kPreviewUsage, {"--bogus", ""}, "korbena-cli preview: unknown option '--bogus'"},
        {runPrint,
         kPrintUsage,
         {"--copies", "1000"},
         "korbena-cli print: bad value for --copies: '1000' (0 to 999)"},
        {runPrint, kPrintUsage, {"--out", ""}, "korbena-cli print: --out needs a value"},
        {runPrint,
         kPrintUsage,
         {"--start-label", "0"},
         "korbena-cli print: bad value for --start-label: '0'"},
        {runImport, kImportUsage, {"a.csv", "b.csv"}, "korbena-cli import: more than one input file"},
        {runImport,
         kImportUsage,
         {"--sep", "x"},
         "korbena-cli import: bad value for --sep: 'x' (, tab space ;)"},
        {runImport, kImportUsage, {"--title-col", ""}, "korbena-cli import: --title-col needs a value"},
        {runImport, kImportUsage, {"--qty-col", "0"}, "korbena-cli import: bad value for --qty-col: '0'"},
        {runTemplate, kTemplateUsage, {"--search", ""}, "korbena-cli template: --search needs a value"},
        {runTemplate,
         kTemplateUsage,
         {"--json", "--bogus", "x"},
         "korbena-cli template: unknown option '--bogus'"},
        {runVerify, kVerifyUsage, {"--bogus"}, "korbena-cli verify: unknown option '--bogus'"},
        {runVerify, kVerifyUsage, {"--json", "--style"}, "korbena-cli verify: --style needs a value"},
        {runVerify,
         kVerifyUsage,
         {"--start-label", "x"},
         "korbena-cli verify: bad value for --start-label: 'x'"},
        {runCheck, kCheckUsage, {"--mod99", "1"}, "korbena-cli check: unknown routine '--mod99'"},
        {runCheck, kCheckUsage, {"--mod16"}, "korbena-cli check: needs a routine and a text"},
    };
    for (const Fault& fault : faults) {
        const test::Outcome result = test::runCommand(fault.command, fault.args);
        EXPECT_EQ(result.code, 2) << qPrintable(fault.firstLine);
        EXPECT_EQ(result.err, fault.firstLine + u'\n' + QString::fromUtf8(fault.usage));
        EXPECT_TRUE(result.out.isEmpty()) << qPrintable(result.out);
    }
}

TEST(ArgumentFaults, AnEmptyCodeIsAValueTheEncoderRefuses)
{
    const test::Outcome result = test::runCommand(runBarcode, {"--type", "JAN", "--code", ""});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, QStringLiteral("korbena-cli barcode: cannot encode JAN code ''\n"));
}

} // namespace
} // namespace korbena::cli
