#include "sheet/SymbologyRules.h"

#include "document/LabelStyle.h"
#include "symbol/BarTypes.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

struct Row
{
    int type;
    QStringList startItems;
    QString start;
    bool startEnabled;
    QString stop;
    bool stopEnabled;
    bool checkForced;
};

TEST(SymbologyRulesTest, EverySymbologyFillsItsCharacterFieldsAndCheckDigitGroup)
{
    const QStringList none;
    const QStringList abcd{"A", "B", "C", "D"};
    const Row rows[] = {
        {cbarJAN, none, "", false, "", false, true},
        {cbarUPC, none, "", false, "", false, true},
        {cbarCODE39, {"*"}, "*", false, "*", false, false},
        {cbarNW7, abcd, "A", true, "A", true, false},
        {cbarITF, none, "", false, "", false, false},
        {cbarCTF, none, "", false, "", false, false},
        {cbarIATA, none, "", false, "", false, true},
        {cbarMATRIX, none, "", false, "", false, false},
        {cbarNEC, none, "", false, "", false, false},
        {cbarCUSTOMER, none, "", false, "", false, true},
        {cbarCODE128, {"A", "B", "C"}, "", true, "", false, true},
        {cbarCODE93, none, "(", false, ")", false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(kBarTypeNames[static_cast<size_t>(row.type)]);
        LabelStyle style;
        style.symbol.symbology = static_cast<TBarTypes>(row.type);
        style.symbol.startChar = QStringLiteral("Z"); // as a file may hold them
        style.symbol.stopChar = QStringLiteral("Z");
        style.symbol.checkDigit = false;
        const SymbologyRules rules = ApplySymbologyRules(style);
        EXPECT_EQ(rules.start.items, row.startItems);
        EXPECT_EQ(rules.start.enabled, row.startEnabled);
        EXPECT_EQ(rules.stop.enabled, row.stopEnabled);
        EXPECT_EQ(style.symbol.startChar, row.start);
        EXPECT_EQ(style.symbol.stopChar, row.stop);
        EXPECT_EQ(rules.checkDigitForced, row.checkForced);
        EXPECT_EQ(rules.checkDigitEnabled, !row.checkForced);
        EXPECT_EQ(style.symbol.checkDigit, row.checkForced); // an optional check keeps its choice
    }
}

TEST(SymbologyRulesTest, NoSymbologyEmptiesTheFieldsAndLeavesTheControlsAsTheyAre)
{
    LabelStyle style;
    style.symbol.startChar = QStringLiteral("A");
    const SymbologyRules rules = ApplySymbologyRules(style);
    EXPECT_TRUE(style.symbol.startChar.isEmpty());
    EXPECT_FALSE(rules.start.enabled.has_value());
    EXPECT_FALSE(rules.checkDigitEnabled.has_value());
}

} // namespace
} // namespace korbena
