#include "cli/PrintCommand.h"

#include "cli/CommandRunner.h"
#include "cli/PreviewCommand.h"
#include "document/DataFile.h"
#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace korbena::cli {
namespace {

using test::Outcome;

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every command runs on a fresh machine: the desktop's data location is an empty
// temporary folder. The templates come from beside the test program, where the
// build puts them as it does beside korbena-cli.
class SheetCommand : public test::FreshWorkingFolder
{
protected:
    QString path(const QString& name) const { return work.filePath(name); }

    static Outcome print(const QStringList& args) { return test::runCommand(runPrint, args); }
    static Outcome preview(const QStringList& args) { return test::runCommand(runPreview, args); }

    // A style of three labels a row and rows of JAN numbers, written by the program's writers.
    QString writeStyle(const LabelStyle& style)
    {
        const QString file = path(QStringLiteral("sheet.kbz"));
        WriteStyleFile(file, style);
        return file;
    }
    static LabelStyle smallSheet()
    {
        LabelStyle style;
        style.sheet.across = 3;
        style.sheet.down = 2;
        style.sheet.pitchX = 70;
        style.sheet.pitchY = 40;
        style.placement.sizeMode = 1;
        style.placement.width = 40;
        style.placement.height = 14;
        style.symbol.symbology = cbarJAN;
        style.sheet.paper = 9;
        return style;
    }
    QString writeData(const QStringList& numbers)
    {
        DataList rows;
        for (int i = 0; i < numbers.size(); ++i) {
            rows.setTitle(i + 1, QStringLiteral("品名 %1").arg(i + 1));
            rows.setNumber(i + 1, numbers[i]);
        }
        const QString file = path(QStringLiteral("rows.lst"));
        writeDataFile(file, rows);
        return file;
    }
};

TEST_F(SheetCommand, PrintsTheDefaultsOnAFreshMachine)
{
    const QString pdf = path(QStringLiteral("sheet.pdf"));
    const Outcome result = print({QStringLiteral("--out"), pdf});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    // The default list has more rows than one page of the default sheet holds.
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("2 page(s) printed to "))) << result.out.toStdString();
    EXPECT_TRUE(fileBytes(pdf).startsWith("%PDF-"));
    const QString data = DataFolder();
    EXPECT_TRUE(QFileInfo::exists(DefaultStyleFile(data)));
    EXPECT_TRUE(QFileInfo::exists(DefaultDataFile(data)));
    EXPECT_FALSE(QDir(data + QStringLiteral("/style")).entryList(QDir::Files).isEmpty());
    // The label images of the last page are where the composer writes them.
    EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("/barimage/barcode_000.bmp")));
}

TEST_F(SheetCommand, CopyCountZeroPrintsNothing)
{
    const QString pdf = path(QStringLiteral("sheet.pdf"));
    const Outcome result =
        print({QStringLiteral("--out"), pdf, QStringLiteral("--copies"), QStringLiteral("0")});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("印刷の枚数指定が0です"))) << result.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(SheetCommand, ASheetWithoutLabelsIsRefused)
{
    LabelStyle style = smallSheet();
    style.sheet.down = 0;
    const QString pdf = path(QStringLiteral("sheet.pdf"));
    const Outcome result = print({QStringLiteral("--style"), writeStyle(style), QStringLiteral("--data"),
                                  writeData({QStringLiteral("490000100013")}), QStringLiteral("--out"), pdf});
    EXPECT_EQ(result.code, 1);
    EXPECT_FALSE(result.err.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(SheetCommand, RowsThatCannotBeEncodedAreNamedAndTheExitStatusSaysSo)
{
    const QString pdf = path(QStringLiteral("sheet.pdf"));
    const QString style = writeStyle(smallSheet());
    Outcome result = print({QStringLiteral("--style"), style, QStringLiteral("--data"),
                            writeData({QStringLiteral("490000100013"), QStringLiteral("49000A100020")}),
                            QStringLiteral("--out"), pdf});
    EXPECT_EQ(result.code, 3);
    EXPECT_EQ(result.err, QStringLiteral("行 2: バーコード番号にエラーがあります: 49000A100020\n"));
    EXPECT_TRUE(QFileInfo::exists(pdf));

    // Across pages, twenty rows by name and then how many more.
    QStringList numbers;
    for (int i = 1; i <= 30; ++i)
        numbers << (i == 1 ? QStringLiteral("490000100013") : QStringLiteral("4900001000A%1").arg(i));
    const QString many = writeData(numbers);
    result = print(
        {QStringLiteral("--style"), style, QStringLiteral("--data"), many, QStringLiteral("--out"), pdf});
    EXPECT_EQ(result.code, 3);
    const QStringList lines = result.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 21) << result.err.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("行 2: バーコード番号にエラーがあります: 4900001000A2"));
    EXPECT_EQ(lines[19], QStringLiteral("行 21: バーコード番号にエラーがあります: 4900001000A21"));
    EXPECT_EQ(lines[20], QStringLiteral("ほか 9 行のバーコードを生成できませんでした"));

    // The preview of a page says the same of that page's rows.
    result =
        preview({QStringLiteral("--style"), style, QStringLiteral("--data"), many, QStringLiteral("--page"),
                 QStringLiteral("5"), QStringLiteral("--out"), path(QStringLiteral("page.png"))});
    EXPECT_EQ(result.code, 3);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("行 25: "))) << result.err.toStdString();
}

TEST_F(SheetCommand, RowsWithANumberButNoTitleAreNamedAsLackingTheirBarcode)
{
    // Such a label shows its number text and no barcode, which exit status 0 denies.
    DataList rows;
    rows.setTitle(1, QStringLiteral("品名 1"));
    rows.setNumber(1, QStringLiteral("490000100013"));
    rows.setNumber(2, QStringLiteral("490000100020"));
    rows.setTitle(3, QStringLiteral("品名 3"));
    const QString data = path(QStringLiteral("untitled.lst"));
    writeDataFile(data, rows);
    const QString pdf = path(QStringLiteral("sheet.pdf"));
    const QStringList args{QStringLiteral("--style"), writeStyle(smallSheet()), QStringLiteral("--data"),
                           data};
    Outcome result = print(args + QStringList{QStringLiteral("--out"), pdf});
    EXPECT_EQ(result.code, 3);
    EXPECT_EQ(result.err,
              QStringLiteral("行 2: 文字列がありません（バーコードは印刷されません）: 490000100020\n"));
    EXPECT_TRUE(QFileInfo::exists(pdf));

    result = preview(args + QStringList{QStringLiteral("--out"), path(QStringLiteral("page.png"))});
    EXPECT_EQ(result.code, 3);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("行 2: "))) << result.err.toStdString();
}

TEST_F(SheetCommand, LabelsOffThePaperAreNamedAndTheExitStatusSaysSo)
{
    // Three labels 70 mm apart on A4's 210 mm: the third reaches past the edge.
    LabelStyle style = smallSheet();
    style.placement.x = 60;
    const QString data = writeData(
        {QStringLiteral("490000100013"), QStringLiteral("490000100020"), QStringLiteral("490000100037")});
    const Outcome result = print({QStringLiteral("--style"), writeStyle(style), QStringLiteral("--data"),
                                  data, QStringLiteral("--out"), path(QStringLiteral("sheet.pdf"))});
    EXPECT_EQ(result.code, 3);
    EXPECT_EQ(result.err, QStringLiteral("行 3: ラベルが印刷範囲の外にあります: 490000100037\n"));
    EXPECT_FALSE(QFileInfo::exists(DataFolder() + QStringLiteral("/barimage/barcode_002.bmp")));
}

TEST_F(SheetCommand, AnUnwritableImageFolderIsAFileProblemNotANumberError)
{
    // Run once so the working folder exists, then put a plain file where the image
    // folder was.
    ASSERT_EQ(print({QStringLiteral("--out"), path(QStringLiteral("first.pdf"))}).code, 0);
    const QString folder = DataFolder() + QStringLiteral("/barimage");
    ASSERT_TRUE(QDir(folder).removeRecursively());
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const QString pdf = path(QStringLiteral("sheet.pdf"));
    const Outcome result = print({QStringLiteral("--out"), pdf});
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.err.contains(folder)) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains(QStringLiteral("バーコード番号"))) << result.err.toStdString();
    // The same labels as with the folder in place.
    EXPECT_EQ(fileBytes(pdf).size() / 1000, fileBytes(path(QStringLiteral("first.pdf"))).size() / 1000);
}

TEST_F(SheetCommand, FilesThatAreNotStylesOrDataListsAreRefused)
{
    const QString pdf = path(QStringLiteral("sheet.pdf"));
    const QString data = writeData({QStringLiteral("490000100013")});
    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 7919 + 13) % 251);
    const QString binary = path(QStringLiteral("noise.bin"));
    QFile file(binary);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(noise);
    file.close();

    Outcome result = print(
        {QStringLiteral("--style"), binary, QStringLiteral("--data"), data, QStringLiteral("--out"), pdf});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("スタイルファイルではありません: ") + binary))
        << result.err.toStdString();
    result = print({QStringLiteral("--style"), writeStyle(smallSheet()), QStringLiteral("--data"), binary,
                    QStringLiteral("--out"), pdf});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("データファイルではありません: ") + binary))
        << result.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // An empty data file is an empty list: one empty page.
    const QString empty = path(QStringLiteral("empty.lst"));
    QFile(empty).open(QIODevice::WriteOnly);
    result = print({QStringLiteral("--style"), writeStyle(smallSheet()), QStringLiteral("--data"), empty,
                    QStringLiteral("--out"), pdf});
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("1 page(s)")));
}

TEST_F(SheetCommand, UnreadableFilesStopTheCommandWithTheirMessage)
{
    const QString pdf = path(QStringLiteral("sheet.pdf"));
    const QString data = writeData({QStringLiteral("490000100013")});

    const QString badStyle = path(QStringLiteral("bad.kbz"));
    QFile file(badStyle);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Version]=1.00\r\n[DISP_KEY]=3\r\n[SIZE]=abc\r\n");
    file.close();
    Outcome result = print(
        {QStringLiteral("--style"), badStyle, QStringLiteral("--data"), data, QStringLiteral("--out"), pdf});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("'abc' は整数ではありません")))
        << result.err.toStdString();

    result = print({QStringLiteral("--style"), path(QStringLiteral("missing.kbz")), QStringLiteral("--data"),
                    data, QStringLiteral("--out"), pdf});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("missing.kbz")));
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(SheetCommand, BadArgumentsShowTheUsage)
{
    const QString pdf = path(QStringLiteral("sheet.pdf"));
    for (const QStringList& args :
         {QStringList{"--out", pdf, "--printer", "office"}, QStringList{"--copies", "many", "--out", pdf},
          QStringList{"--out"}, QStringList{"--colour", "red"}, QStringList{"--out", ""}}) {
        const Outcome result = print(args);
        EXPECT_EQ(result.code, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(QStringLiteral("usage:"))) << args.join(u' ').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(SheetCommand, AnUnknownPrinterIsNamed)
{
    const Outcome result = print({QStringLiteral("--printer"), QStringLiteral("no-such-printer-here")});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("no-such-printer-here")));
}

TEST_F(SheetCommand, PreviewDrawsTheSheetAtTheZoom)
{
    const QString png = path(QStringLiteral("page.png"));
    Outcome result = preview({QStringLiteral("--out"), png});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    // A4 at 96 dpi and 120 per cent: round(210 x 3.7795 x 1.2) by round(297 x 3.7795 x 1.2).
    EXPECT_EQ(QImage(png).size(), QSize(952, 1347));

    result = preview({QStringLiteral("--out"), png, QStringLiteral("--zoom"), QStringLiteral("100"),
                      QStringLiteral("--page"), QStringLiteral("2")});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(794, 1123));
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("page 2 "))) << result.out.toStdString();
}

TEST_F(SheetCommand, PreviewRefusesBadArguments)
{
    const QString png = path(QStringLiteral("page.png"));
    for (const QStringList& args :
         {QStringList{"--zoom", "120"}, QStringList{"--out", png, "--zoom", "201"},
          QStringList{"--out", png, "--zoom", "4"}, QStringList{"--out", png, "--page", "x"}}) {
        EXPECT_EQ(preview(args).code, 2) << args.join(u' ').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(png));
}

} // namespace
} // namespace korbena::cli
