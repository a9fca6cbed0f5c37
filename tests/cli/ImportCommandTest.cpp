#include "cli/ImportCommand.h"

#include "cli/CommandRunner.h"
#include "cli/TemplateCommand.h"
#include "document/DataFile.h"
#include "document/LabelStyle.h"
#include "platform/TextCodec932.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena::cli {
namespace {

using test::runCommand;

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(ImportCommand, WritesTheDataFileAndAnswersWithItsExitStatus)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("list.csv");
    const QString lst = dir.filePath("list.lst");
    writeBytes(csv, cp932::encode(u"品名,JAN,数\r\n\"A,1\",4901234567894,2\r\nB,4912345678904,1\r\n"));

    auto result = runCommand(runImport, {csv, "--title-col", "1", "--number-col", "2", "--qty-col", "3",
                                         "--header", "--out", lst});
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("3 row(s) written to %1\n").arg(lst));
    EXPECT_EQ(readDataFile(lst),
              (QStringList{"[DATA_LIST]=1;A,1;4901234567894;", "[DATA_LIST]=2;A,1;4901234567894;",
                           "[DATA_LIST]=3;B;4912345678904;", "[DATA_LIST]=4;;;"}));

    // The column beyond the file, an unreadable file, an unwritable data file: 1, and the
    // data file as it was.
    const QByteArray written = [&] {
        QFile f(lst);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    EXPECT_EQ(runCommand(runImport, {csv, "--title-col", "4", "--number-col", "2", "--out", lst}).code, 1);
    EXPECT_EQ(runCommand(runImport,
                         {dir.filePath("none.csv"), "--title-col", "1", "--number-col", "2", "--out", lst})
                  .code,
              1);
    EXPECT_EQ(runCommand(runImport,
                         {csv, "--title-col", "1", "--number-col", "2", "--out", dir.filePath("no/such.lst")})
                  .code,
              1);
    QFile f(lst);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), written);

    // Bad arguments: 2 with the usage.
    for (const QStringList& args :
         {QStringList{csv, "--title-col", "1", "--out", lst},
          QStringList{csv, "--title-col", "0", "--number-col", "2", "--out", lst},
          QStringList{csv, "--title-col", "1", "--number-col", "2", "--sep", "|", "--out", lst},
          QStringList{csv, "--title-col", "1", "--number-col", "2"}}) {
        const auto bad = runCommand(runImport, args);
        EXPECT_EQ(bad.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(bad.err.contains("usage: korbena-cli import"));
    }
}

TEST(TemplateCommand, WritesAStyleLaidOutForAStock)
{
    QTemporaryDir dir;
    // A fresh working folder, whose default style is the shipped one.
    const QByteArray previousDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("home")));
    const QString kbz = dir.filePath("sheet.kbz");
    const auto listed = runCommand(runTemplate, {"--search", "21面", "--templates", dir.path()});
    EXPECT_EQ(listed.code, 0);
    EXPECT_TRUE(
        listed.out.startsWith(u"汎用 A4 21面\t21面\t63.5×38.1mm\t3×7\tピッチ 66×38.1mm\t先頭 7.25,15.15mm"))
        << listed.out.toStdString();

    const auto applied =
        runCommand(runTemplate, {"--apply", "汎用 A4 21面", "--out", kbz, "--templates", dir.path()});
    EXPECT_EQ(applied.code, 0) << applied.err.toStdString();
    LabelStyle style;
    StyleFileExtras extras;
    applyStyleLines(readStyleFile(kbz), style, extras, kbz);
    EXPECT_EQ(style.sheet.across, 3);
    EXPECT_EQ(style.sheet.down, 7);
    EXPECT_EQ(style.sheet.paper, 9);
    // The working folder's default style's title sits 15 mm into the first label.
    EXPECT_NEAR(static_cast<double>(style.title.x), 22.25, 1e-9);

    EXPECT_EQ(runCommand(runTemplate, {"--apply", "nobody 1", "--out", kbz, "--templates", dir.path()}).code,
              1);
    EXPECT_EQ(runCommand(runTemplate, {"--apply", "汎用 A4 21面"}).code, 2);
    if (previousDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previousDataHome);
}

} // namespace
} // namespace korbena::cli
