#include "cli/CheckCommand.h"

#include "cli/CommandRunner.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace korbena::cli {
namespace {

using test::Outcome;

Outcome check(const QStringList& args)
{
    return test::runCommand(runCheck, args);
}

TEST(CheckCommand, PrintsTheCalculatorsMessageOneLineEach)
{
    const Outcome itf = check({QStringLiteral("--mod10w3"), QStringLiteral("12345")});
    EXPECT_EQ(itf.code, 0);
    EXPECT_EQ(itf.out, QStringLiteral("チェックデジット=7\nデ ー タ 結 果  =12345→123457\n"));
    EXPECT_TRUE(itf.err.isEmpty());

    EXPECT_EQ(check({QStringLiteral("--mod16"), QStringLiteral("A1234B")}).out,
              QStringLiteral("チェックデジット=5\nデ ー タ 結 果  =A1234B→A12345B\n"));
    EXPECT_EQ(check({QStringLiteral("--mod43"), QStringLiteral("ABC")}).out,
              QStringLiteral("チェックデジット=X\nデ ー タ 結 果  =*ABCX*\n"));
}

TEST(CheckCommand, TextMayBeEmptyOrLookLikeAnOption)
{
    const Outcome empty = check({QStringLiteral("--mod43"), QString()});
    EXPECT_EQ(empty.code, 0);
    EXPECT_EQ(empty.out, QStringLiteral("チェックデジット=0\nデ ー タ 結 果  =*0*\n"));
    // -, $ and - again: 10 + 11 + 10 = 31, 31 mod 16 = 15, check value 1.
    EXPECT_EQ(check({QStringLiteral("--mod16"), QStringLiteral("-$-")}).out,
              QStringLiteral("チェックデジット=1\nデ ー タ 結 果  =-$-→-$1-\n"));
}

TEST(CheckCommand, RejectedTextPrintsTheConversionErrorAndFails)
{
    for (const QString& text : {QString(), QStringLiteral("12A")}) {
        const Outcome run = check({QStringLiteral("--mod10w3"), text});
        EXPECT_EQ(run.code, 1) << qPrintable(text);
        EXPECT_TRUE(run.out.isEmpty()) << qPrintable(text);
        EXPECT_TRUE(run.err.endsWith(QStringLiteral("は整数ではありません\n"))) << qPrintable(run.err);
    }
}

TEST(CheckCommand, BadArgumentsPrintTheUsage)
{
    const QStringList cases[] = {
        {},
        {QStringLiteral("--mod16")},
        {QStringLiteral("--mod11"), QStringLiteral("123")},
        {QStringLiteral("123"), QStringLiteral("--mod16")},
        {QStringLiteral("--mod16"), QStringLiteral("A1B"), QStringLiteral("extra")},
    };
    for (const QStringList& args : cases) {
        const Outcome run = check(args);
        EXPECT_EQ(run.code, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage: korbena-cli check"))) << qPrintable(run.err);
    }
}

} // namespace
} // namespace korbena::cli
