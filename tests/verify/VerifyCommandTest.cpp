#include "cli/VerifyCommand.h"

#include "cli/CommandRunner.h"
#include "cli/PrintCommand.h"
#include "cli/TemplateCommand.h"
#include "document/DataFile.h"
#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "symbol/BarTypes.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena::cli {
namespace {

using test::Outcome;

// Runs on a fresh working folder, as the print command's tests do.
class VerifyCommand : public cli::test::FreshWorkingFolder
{
protected:
    // Files of a 24-label sheet of `type` and the rows (title, number).
    QStringList files(TBarTypes type, const std::vector<std::pair<QString, QString>>& list)
    {
        LabelStyle style;
        style.sheet.across = 3;
        style.sheet.down = 8;
        style.symbol.symbology = type;
        const QString styleFile = work.filePath(QStringLiteral("sheet.kbz"));
        WriteStyleFile(styleFile, style);
        DataList rows;
        for (std::size_t i = 0; i < list.size(); ++i) {
            rows.setTitle(static_cast<int>(i + 1), list[i].first);
            rows.setNumber(static_cast<int>(i + 1), list[i].second);
        }
        const QString dataFile = work.filePath(QStringLiteral("rows.lst"));
        writeDataFile(dataFile, rows);
        return {QStringLiteral("--style"), styleFile, QStringLiteral("--data"), dataFile};
    }

    static Outcome verify(const QStringList& args) { return test::runCommand(runVerify, args); }
};

TEST_F(VerifyCommand, ListsTheRowsThatWouldPrintBadlyAndFails)
{
    const QStringList args = files(cbarJAN, {{QStringLiteral("りんご"), QStringLiteral("490123456789")},
                                             {QStringLiteral("みかん"), QStringLiteral("49012345678a")},
                                             {QStringLiteral("ぶどう"), QString()}});
    const Outcome text = verify(args);
    EXPECT_EQ(text.code, 1);
    EXPECT_EQ(text.out,
              QStringLiteral("行 2: 文字列「みかん」 番号「49012345678a」: バーコード番号にエラーがあります\n"
                             "行 3: 文字列「ぶどう」 番号「」: バーコード番号がありません\n"
                             "3 件中 1 件を読み取り確認しました\n"));

    const Outcome json = verify(args + QStringList{QStringLiteral("--json")});
    EXPECT_EQ(json.code, 1);
    const QJsonObject report = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(report[QStringLiteral("checked")].toInt(), 3);
    EXPECT_EQ(report[QStringLiteral("verified")].toInt(), 1);
    EXPECT_FALSE(report[QStringLiteral("passed")].toBool());
    const QJsonArray problems = report[QStringLiteral("problems")].toArray();
    ASSERT_EQ(problems.size(), 2);
    EXPECT_EQ(problems[0][QStringLiteral("status")].toString(), QStringLiteral("notEncodable"));
    EXPECT_EQ(problems[1][QStringLiteral("status")].toString(), QStringLiteral("noNumber"));
    EXPECT_FALSE(problems[1][QStringLiteral("fails")].toBool());
}

TEST_F(VerifyCommand, PassesWhenEveryBarcodeReadsBackOrCannotBeChecked)
{
    const Outcome good =
        verify(files(cbarCODE128, {{QStringLiteral("a"), QStringLiteral("<FNC1>0112345678901231")},
                                   {QStringLiteral("b"), QStringLiteral("Lot 7b")}}));
    EXPECT_EQ(good.code, 0) << good.out.toStdString();
    EXPECT_EQ(good.out, QStringLiteral("2 件中 2 件を読み取り確認しました\n"));

    const Outcome nec = verify(files(cbarNEC, {{QStringLiteral("a"), QStringLiteral("1234")}}));
    EXPECT_EQ(nec.code, 0);
    EXPECT_EQ(nec.out, QStringLiteral("NEC: この種類は読み取り確認できません（1 件）\n"
                                      "1 件中 0 件を読み取り確認しました\n"));
}

TEST_F(VerifyCommand, RefusesBadArgumentsAndUnreadableFiles)
{
    const QStringList args = files(cbarJAN, {{QStringLiteral("a"), QStringLiteral("4901234")}});
    for (const QStringList& bad :
         {QStringList{QStringLiteral("--bogus")}, QStringList{QStringLiteral("--style")},
          args + QStringList{QStringLiteral("--start-label"), QStringLiteral("0")},
          args + QStringList{QStringLiteral("--start-label"), QStringLiteral("25")}}) {
        const Outcome result = verify(bad);
        EXPECT_EQ(result.code, 2) << bad.join(u' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
    EXPECT_EQ(verify(args + QStringList{QStringLiteral("--start-label"), QStringLiteral("24")}).code, 0);
    EXPECT_EQ(verify({QStringLiteral("--data"), work.filePath(QStringLiteral("none.lst"))}).code, 1);
}

TEST_F(VerifyCommand, ATemplateAppliedWithoutFittingRunsOutOfTheLabelsAndFittedItDoesNot)
{
    const QString style = QStringLiteral(KORBENA_SOURCE_DIR "/resources/conf/KORBENA.dat");
    const QString data = QStringLiteral(KORBENA_SOURCE_DIR "/resources/conf/KORBENA.lst");
    const QString moved = work.filePath(QStringLiteral("moved.kbz"));
    const QString fitted = work.filePath(QStringLiteral("fitted.kbz"));
    const QStringList apply{QStringLiteral("--apply"),     QStringLiteral("汎用 A4 44面"),
                            QStringLiteral("--style"),     style,
                            QStringLiteral("--templates"), work.path(),
                            QStringLiteral("--out")};
    ASSERT_EQ(test::runCommand(runTemplate, apply + QStringList{moved}).code, 0);
    const Outcome fit =
        test::runCommand(runTemplate, apply + QStringList{fitted, QStringLiteral("--fit-content")});
    ASSERT_EQ(fit.code, 0);
    EXPECT_TRUE(fit.out.contains(u"its content fitted to the label")) << fit.out.toStdString();

    const Outcome overflow = verify({QStringLiteral("--style"), moved, QStringLiteral("--data"), data});
    EXPECT_EQ(overflow.code, 1);
    EXPECT_TRUE(overflow.out.startsWith(u"行 1: 文字列「りんご（ふじ）」 番号「490000100013」: "
                                        u"ラベルからはみ出しています: バーコード"))
        << overflow.out.toStdString();
    const Outcome json =
        verify({QStringLiteral("--style"), moved, QStringLiteral("--data"), data, QStringLiteral("--json")});
    const QJsonObject first = QJsonDocument::fromJson(json.out.toUtf8())
                                  .object()[QStringLiteral("problems")]
                                  .toArray()[0]
                                  .toObject();
    EXPECT_EQ(first[QStringLiteral("status")].toString(), QStringLiteral("outside"));
    EXPECT_EQ(first[QStringLiteral("outside")].toArray().first().toString(), QStringLiteral("barcode"));

    const Outcome clean = verify({QStringLiteral("--style"), fitted, QStringLiteral("--data"), data});
    EXPECT_EQ(clean.code, 0) << clean.out.toStdString();

    // Print prints the overflowing sheet all the same, naming the rows as a warning.
    const Outcome printed =
        test::runCommand(runPrint, {QStringLiteral("--style"), moved, QStringLiteral("--data"), data,
                                    QStringLiteral("--out"), work.filePath("m.pdf")});
    EXPECT_EQ(printed.code, 0) << printed.err.toStdString();
    EXPECT_TRUE(printed.err.contains(u"korbena-cli print: 行 1: ラベルからはみ出しています: バーコード"))
        << printed.err.toStdString();
}

} // namespace
} // namespace korbena::cli
