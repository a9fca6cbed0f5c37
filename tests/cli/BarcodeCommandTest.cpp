#include "cli/BarcodeCommand.h"

#include "cli/CommandRunner.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace korbena::cli {
namespace {

QJsonObject jsonOf(const QStringList& args, int expectedCode)
{
    const test::Outcome result = test::runCommand(runBarcode, args + QStringList{QStringLiteral("--json")});
    EXPECT_EQ(result.code, expectedCode) << result.err.toStdString();
    return QJsonDocument::fromJson(result.out.toUtf8()).object();
}

TEST(BarcodeCommand, AFailedEncodingReportsNothingOfAnotherSymbol)
{
    const QJsonObject failed = jsonOf({"--type", "CODE-39", "--code", "abc"}, 1);
    EXPECT_FALSE(failed.value("displayed").toBool());
    for (const char* key : {"pattern", "symbol", "workSymbol", "cdc"})
        EXPECT_EQ(failed.value(key).toString(), QString()) << key;
    EXPECT_EQ(failed.value("cdn").toInt(), -1);
    for (const char* key : {"width", "height", "barWidth", "barHeight"})
        EXPECT_EQ(failed.value(key).toInt(), 0) << key;

    const QJsonObject good = jsonOf({"--type", "CODE-39", "--code", "ABC"}, 0);
    EXPECT_TRUE(good.value("displayed").toBool());
    EXPECT_EQ(good.value("workSymbol").toString(), QStringLiteral("*ABCX*")); // with its check character
    EXPECT_GT(good.value("width").toInt(), 0);
}

} // namespace
} // namespace korbena::cli
