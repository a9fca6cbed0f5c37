// Data lists made by hand or by other programs, through print, preview and verify.
#include "cli/CalibrateCommand.h"
#include "cli/CommandRunner.h"
#include "cli/ImportCommand.h"
#include "cli/PreviewCommand.h"
#include "cli/PrintCommand.h"
#include "cli/TemplateCommand.h"
#include "cli/VerifyCommand.h"
#include "document/LabelStyle.h"
#include "platform/Folders.h"
#include "platform/TextCodec932.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace korbena::cli {
namespace {

using test::runCommand;

class ListEdge : public test::FreshWorkingFolder
{
protected:
    QString path(const char* name) const { return work.filePath(QString::fromLatin1(name)); }

    // A JAN style of 4 x 10 labels.
    QString style()
    {
        LabelStyle s;
        s.sheet.across = 4;
        s.sheet.down = 10;
        s.sheet.pitchX = 50;
        s.sheet.pitchY = 28;
        s.placement.sizeMode = 1;
        s.placement.width = 40;
        s.placement.height = 14;
        s.symbol.symbology = cbarJAN;
        s.sheet.paper = 9;
        WriteStyleFile(path("s.kbz"), s);
        return path("s.kbz");
    }

    QString list(const char* name, const QString& text)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(cp932::encode(text));
        return path(name);
    }
};

QString rows(int first, int last)
{
    QString text;
    for (int r = first; r <= last; ++r)
        text += QStringLiteral("[DATA_LIST]=%1;品 %1;490123456789;\r\n").arg(r);
    return text;
}

TEST_F(ListEdge, ARowPastTheListIsNamedOnPrintPreviewAndVerify)
{
    const QString kbz = style();
    // 100 rows made by hand, without the empty row the program writes last.
    const QString hundred = list("hundred.lst", rows(1, 100));
    const auto printed = runCommand(runPrint, {"--style", kbz, "--data", hundred, "--out", path("a.pdf")});
    EXPECT_EQ(printed.code, 3) << printed.err.toStdString();
    EXPECT_TRUE(printed.err.contains(u"行 100 は印刷されません: リストは行 99 までです"))
        << printed.err.toStdString();
    EXPECT_TRUE(printed.out.startsWith(u"3 page(s)")) << printed.out.toStdString();

    const auto previewed =
        runCommand(runPreview, {"--style", kbz, "--data", hundred, "--out", path("p.png")});
    EXPECT_EQ(previewed.code, 3);
    EXPECT_TRUE(previewed.err.contains(u"行 100 は印刷されません"));

    const auto verified = runCommand(runVerify, {"--style", kbz, "--data", hundred});
    EXPECT_EQ(verified.code, 1);
    EXPECT_TRUE(verified.out.contains(u"100 件中 99 件を読み取り確認しました")) << verified.out.toStdString();
    EXPECT_TRUE(verified.out.contains(u"行 100")) << verified.out.toStdString();

    // A list of row 500 alone: nothing prints, and it is said why.
    const QString lone = list("lone.lst", QStringLiteral("[DATA_LIST]=500;品;490123456789;\r\n"));
    const auto alone = runCommand(runPrint, {"--style", kbz, "--data", lone, "--out", path("b.pdf")});
    EXPECT_EQ(alone.code, 3);
    EXPECT_TRUE(alone.err.contains(u"行 500 は印刷されません: リストは行 89 までです"))
        << alone.err.toStdString();

    // The program's own file: the hidden last row is empty, and nothing is said.
    const QString own = list("own.lst", rows(1, 99) + QStringLiteral("[DATA_LIST]=100;;;\r\n"));
    const auto whole = runCommand(runPrint, {"--style", kbz, "--data", own, "--out", path("c.pdf")});
    EXPECT_EQ(whole.code, 0) << whole.err.toStdString();
    EXPECT_TRUE(whole.err.isEmpty());
}

TEST_F(ListEdge, ImportRefusesANumberHoldingTheSeparatorAndNamesItsLine)
{
    const QString csv = path("in.csv");
    {
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("a,490123456789\r\n\"b;c\",490123456789\r\nd,\"4901;23\"\r\n");
    }
    const auto refused =
        runCommand(runImport, {csv, "--title-col", "1", "--number-col", "2", "--out", path("x.lst")});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(u"行 3: バーコード番号に「;」は使えません"))
        << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("x.lst")));
}

TEST_F(ListEdge, TemplateWithoutAStyleStartsFromTheWorkingFoldersDefaultStyle)
{
    PrepareDataFolder(DataFolder(), InstallFolder());
    LabelStyle mine;
    mine.symbol.symbology = cbarCODE128; // CODE-128
    mine.title.fontName = QStringLiteral("IPAGothic");
    WriteStyleFile(DefaultStyleFile(DataFolder()), mine);

    const auto applied = runCommand(runTemplate, {"--apply", "汎用 A4 44面", "--out", path("t.kbz")});
    ASSERT_EQ(applied.code, 0) << applied.err.toStdString();
    EXPECT_TRUE(applied.out.startsWith(u"the default style laid out as 汎用 A4 44面"));
    LabelStyle style;
    StyleFileExtras extras;
    applyStyleLines(readStyleFile(path("t.kbz")), style, extras, path("t.kbz"));
    EXPECT_EQ(style.symbol.symbology, cbarCODE128);
    EXPECT_EQ(style.title.fontName, QStringLiteral("IPAGothic"));
    EXPECT_EQ(style.sheet.across * style.sheet.down, 44);
}

// Inputs that are no files, or lines beyond the limit: refused at once, naming the
// file (and the line).
TEST_F(ListEdge, HugeLinesAndFilesThatAreNoFilesAreRefused)
{
    const QString kbz = style();
    const QString fifo = path("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& input : {QStringLiteral("/dev/zero"), fifo, work.path()}) {
        const auto imported =
            runCommand(runImport, {input, "--title-col", "1", "--number-col", "2", "--out", path("x.lst")});
        EXPECT_EQ(imported.code, 1) << input.toStdString();
        EXPECT_TRUE(imported.err.contains(u"通常のファイルではありません")) << imported.err.toStdString();
        const auto printed = runCommand(runPrint, {"--style", kbz, "--data", input, "--out", path("a.pdf")});
        EXPECT_EQ(printed.code, 1) << input.toStdString();
        EXPECT_TRUE(printed.err.contains(input)) << printed.err.toStdString();
    }

    // A line one character past the limit of 16 Mi characters, as a title, a font
    // name and a CSV field.
    const QByteArray huge((16 << 20) + 1, 'x');
    const auto bytesFile = [&](const char* name, const QByteArray& bytes) {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    };
    const QString longTitle =
        bytesFile("long.lst", cp932::encode(rows(1, 2)) + "[DATA_LIST]=3;" + huge + ";1;\r\n");
    const auto printed = runCommand(runPrint, {"--style", kbz, "--data", longTitle, "--out", path("a.pdf")});
    EXPECT_EQ(printed.code, 1);
    EXPECT_TRUE(printed.err.contains(
        QStringLiteral("行が長すぎます（1 行 16777216 文字まで） (%1（3 行目）)").arg(longTitle)))
        << printed.err.left(300).toStdString();

    const QString longFont = bytesFile("font.kbz", "[NUM_X]=2\r\n[TITLE_FONT_NAME]=" + huge + "\r\n");
    const auto styled = runCommand(runPrint, {"--style", longFont, "--out", path("a.pdf")});
    EXPECT_EQ(styled.code, 1);
    EXPECT_TRUE(styled.err.contains(QStringLiteral("%1（2 行目）").arg(longFont)))
        << styled.err.left(300).toStdString();

    const QString csv = bytesFile("long.csv", "a,1\r\n\"" + huge + "\",2\r\n");
    const auto imported =
        runCommand(runImport, {csv, "--title-col", "1", "--number-col", "2", "--out", path("x.lst")});
    EXPECT_EQ(imported.code, 1);
    EXPECT_TRUE(imported.err.contains(QStringLiteral("%1（2 行目）").arg(csv)))
        << imported.err.left(300).toStdString();
}

TEST_F(ListEdge, SmallFaultsAreRefusedOrReadAsMeant)
{
    const QString kbz = style();
    // import: a first line past the file's end, UTF-8 asked of a code page 932 file.
    const QString csv = list("in.csv", QStringLiteral("りんご,490123456789\r\nみかん,490123456789\r\n"));
    const auto past = runCommand(runImport, {csv, "--title-col", "1", "--number-col", "2", "--first-line",
                                             "3", "--out", path("x.lst")});
    EXPECT_EQ(past.code, 1);
    EXPECT_TRUE(past.err.contains(u"開始行 3 はファイルの最後の行（2 行目）より後です"))
        << past.err.toStdString();
    const auto notUtf8 = runCommand(runImport, {csv, "--title-col", "1", "--number-col", "2", "--encoding",
                                                "utf8", "--out", path("x.lst")});
    EXPECT_EQ(notUtf8.code, 1);
    EXPECT_TRUE(notUtf8.err.contains(u"UTF-8 のファイルではありません")) << notUtf8.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("x.lst")));

    // A blank line among the rows is no row.
    const QString blank = list("blank.lst", rows(1, 2) + QStringLiteral("\r\n") + rows(3, 4));
    const auto printed = runCommand(runVerify, {"--style", kbz, "--data", blank});
    EXPECT_EQ(printed.code, 0) << printed.err.toStdString();
    EXPECT_TRUE(printed.out.contains(u"4 件中 4 件")) << printed.out.toStdString();

    // A NUL in a bad row number: the message goes on past it.
    const QString nul =
        list("nul.lst", QStringLiteral("[DATA_LIST]=1x") + QChar(0) + QStringLiteral("tail;a;1;\r\n"));
    const auto bad = runCommand(runPrint, {"--style", kbz, "--data", nul, "--out", path("a.pdf")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.contains(u"1x\\0tail")) << bad.err.toStdString();

    // preview refuses what print refuses.
    const QString two = list("two.lst", rows(1, 2));
    const auto page =
        runCommand(runPreview, {"--style", kbz, "--data", two, "--page", "9", "--out", path("p.png")});
    EXPECT_EQ(page.code, 1);
    EXPECT_TRUE(page.err.contains(u"指定したページはありません: 9（最後のページは 1）"))
        << page.err.toStdString();
    const auto start = runCommand(
        runPreview, {"--style", kbz, "--data", two, "--start-label", "41", "--out", path("p.png")});
    EXPECT_EQ(start.code, 2);
    EXPECT_FALSE(QFile::exists(path("p.png")));
}

// Rewriting the settings file keeps what the program does not know of it.
TEST_F(ListEdge, StoringAShiftKeepsTheRestOfTheSettingsFile)
{
    PrepareDataFolder(DataFolder(), InstallFolder());
    const QString ini = DataFolder() + QStringLiteral("/conf/abacora.ini");
    const QStringList before{"; kept by hand", "Loose=1", "",          "[Other]",   "; a note", "Key=value",
                             "odd line",       "",        "[PosSize]", "FormTop=5", "Unknown=7"};
    {
        QFile file(ini);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(before.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    }
    ASSERT_EQ(runCommand(runCalibrate, {"--printer", "office", "--measured-shift", "1,2"}).code, 0);
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString after = QString::fromUtf8(file.readAll());
    for (const QString& line : before)
        EXPECT_TRUE(after.contains(line + QStringLiteral("\r\n"))) << line.toStdString() << "\n"
                                                                   << after.toStdString();
    EXPECT_TRUE(after.contains(u"[PrinterCalibration]"));
}

} // namespace
} // namespace korbena::cli
