// The setting tabs' commands on the controller: the arrow buttons, Enter in the
// numeric fields, the switches, the symbology list, the font and colour pickers and
// the orientation group, every dialog answered from a script.
#include "session/StyleEditing.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "session/AppController.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena::test {
namespace {

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");
const QStringList kRedraw{"BeforePreviewRedraw", "TakeDataSnapshot", "RedrawPreview"};

class StyleEditingTest : public ::testing::Test
{
protected:
    QTemporaryDir home;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    QStringList log;
    std::unique_ptr<AppController> c;

    void SetUp() override
    {
        c = std::make_unique<AppController>(dialogs, desktop, home.path() + QStringLiteral("/data"),
                                            kResources);
        c->setScreenDpi(96, 96);
        c->prepare();
        c->startupLoad();
        QObject::connect(c.get(), &AppController::notified, [this](const QString& n) { log << n; });
        QObject::connect(c.get(), &AppController::answered, [this](const QString& a) { log << a; });
    }

    Extended& length(LabelStyle& style, const char16_t* key)
    {
        return style.*std::get<Extended LabelStyle::*>(findStyleKey(key)->field);
    }
    Extended length(const char16_t* key) { return length(const_cast<LabelStyle&>(c->style()), key); }
    void setLength(const char16_t* key, Extended value)
    {
        c->editStyleField(key, value);
        log.clear();
    }
};

TEST_F(StyleEditingTest, ArrowsStepByTheKeysHeldAndCutToOneDecimalTowardZero)
{
    const auto click = [&](const char* button, Qt::KeyboardModifiers keys) {
        c->nudgeCommand(QString::fromLatin1(button), keys);
    };
    setLength(u"[Y_LOCATE]", 5);
    click("PictButton20", Qt::ShiftModifier); // ↑
    EXPECT_EQ(length(u"[Y_LOCATE]"), 4.9L);
    EXPECT_EQ(log, kRedraw);
    setLength(u"[Y_LOCATE]", 5);
    click("PictButton20", Qt::ControlModifier);
    EXPECT_EQ(length(u"[Y_LOCATE]"), -5);
    setLength(u"[Y_LOCATE]", 5);
    click("PictButton20", Qt::NoModifier);
    EXPECT_EQ(length(u"[Y_LOCATE]"), 4);
    // Shift wins over Ctrl.
    click("PictButton19", Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(length(u"[Y_LOCATE]"), 4.1L);

    setLength(u"[SIZE_X]", 0.05L); // typed with two decimals
    click("PictButton21", Qt::NoModifier);
    EXPECT_EQ(length(u"[SIZE_X]"), 1.0L);
    setLength(u"[SIZE_X]", -3.37L);
    click("PictButton21", Qt::NoModifier);
    EXPECT_EQ(length(u"[SIZE_X]"), -2.3L);
    setLength(u"[SIZE_X]", 1);
    click("PictButton22", Qt::NoModifier);
    EXPECT_EQ(length(u"[SIZE_X]"), 0);
    EXPECT_FALSE(std::signbit(length(u"[SIZE_X]")));
    // 0.3 - 0.1 is 0.1999… in binary; the cut must not make it 0.1.
    setLength(u"[SIZE_X]", 0.3L);
    click("PictButton22", Qt::ShiftModifier);
    EXPECT_EQ(length(u"[SIZE_X]"), 0.2L);
    setLength(u"[SIZE_X]", 0.05L);
    click("PictButton22", Qt::ShiftModifier); // -0.05 cuts to 0, never "-0"
    EXPECT_EQ(length(u"[SIZE_X]"), 0);
    EXPECT_FALSE(std::signbit(length(u"[SIZE_X]")));

    // The value shows and is saved with one decimal.
    setLength(u"[Y_LOCATE]", 2.37L);
    click("PictButton19", Qt::NoModifier);
    EXPECT_TRUE(styleFileLines(c->style()).contains(QStringLiteral("[Y_LOCATE]=3.3")));
}

TEST_F(StyleEditingTest, EachOfThe32ArrowsMovesItsFieldItsWay)
{
    struct Arrow
    {
        const char* button;
        const char16_t* key;
        int sign;
    };
    // ↑ and ← subtract, ↓ and → add; the vertical arrows move the Y field.
    const Arrow arrows[] = {
        {"PictButton20", u"[Y_LOCATE]", -1},    {"PictButton19", u"[Y_LOCATE]", +1},
        {"PictButton18", u"[X_LOCATE]", -1},    {"PictButton17", u"[X_LOCATE]", +1},
        {"PictButton28", u"[SIZE_Y]", -1},      {"PictButton23", u"[SIZE_Y]", +1},
        {"PictButton22", u"[SIZE_X]", -1},      {"PictButton21", u"[SIZE_X]", +1},
        {"PictButton36", u"[INTERVAL_Y]", -1},  {"PictButton35", u"[INTERVAL_Y]", +1},
        {"PictButton34", u"[INTERVAL_X]", -1},  {"PictButton33", u"[INTERVAL_X]", +1},
        {"PictButton4", u"[TITLE_Y]", -1},      {"PictButton3", u"[TITLE_Y]", +1},
        {"PictButton2", u"[TITLE_X]", -1},      {"PictButton1", u"[TITLE_X]", +1},
        {"PictButton8", u"[G_TITLE_Y]", -1},    {"PictButton7", u"[G_TITLE_Y]", +1},
        {"PictButton6", u"[G_TITLE_X]", -1},    {"PictButton5", u"[G_TITLE_X]", +1},
        {"PictButton12", u"[BARCODE_Y]", -1},   {"PictButton11", u"[BARCODE_Y]", +1},
        {"PictButton10", u"[BARCODE_X]", -1},   {"PictButton9", u"[BARCODE_X]", +1},
        {"PictButton16", u"[G_BARCODE_Y]", -1}, {"PictButton15", u"[G_BARCODE_Y]", +1},
        {"PictButton14", u"[G_BARCODE_X]", -1}, {"PictButton13", u"[G_BARCODE_X]", +1},
        {"PictButton24", u"[Y_OFFSET]", -1},    {"PictButton26", u"[Y_OFFSET]", +1},
        {"PictButton25", u"[X_OFFSET]", -1},    {"PictButton27", u"[X_OFFSET]", +1},
    };
    EXPECT_EQ(nudgeButtons().size(), std::size(arrows));
    for (const Arrow& arrow : arrows) {
        SCOPED_TRACE(arrow.button);
        setLength(arrow.key, 5);
        LabelStyle expected = c->style();
        length(expected, arrow.key) = 5 + arrow.sign;
        c->nudgeCommand(QString::fromLatin1(arrow.button), Qt::NoModifier);
        EXPECT_EQ(c->style(), expected);
        EXPECT_EQ(log, kRedraw);
    }
    // A name that is no arrow does nothing.
    const LabelStyle before = c->style();
    log.clear();
    c->nudgeCommand(u"PictButton99", Qt::NoModifier);
    EXPECT_EQ(c->style(), before);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(StyleEditingTest, EnterRedrawsInEveryNumericFieldAndIsKeptFromTheTextFields)
{
    for (const char* control : {"ix", "iy", "zx", "zy", "MX", "MY", "vx", "vy"}) {
        SCOPED_TRACE(control);
        log.clear();
        EXPECT_FALSE(c->enterKeyCommand(QString::fromLatin1(control))); // the field sees the key
        EXPECT_EQ(log, kRedraw);
    }
    for (const char* control : {"t_cx", "t_cy", "t_KX", "t_KY", "t_cm", "NValEdit1", "b_cx", "b_cy", "b_KX",
                                "b_KY", "b_cm", "ofxbox", "ofybox", "xcopy"}) {
        SCOPED_TRACE(control);
        log.clear();
        EXPECT_TRUE(c->enterKeyCommand(QString::fromLatin1(control))); // consumed
        EXPECT_EQ(log, kRedraw);
    }
    log.clear();
    EXPECT_FALSE(c->enterKeyCommand(u"barcode_type"));
    EXPECT_TRUE(log.isEmpty());
    // Typing alone does not redraw.
    c->editStyleField(u"[TITLE_X]", Extended{12});
    c->editStyleField(u"[NUM_X]", Extended{3});
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(StyleEditingTest, SwitchesRedrawAtOnceTheSymbologyRunsItsRulesAndTheRestWaits)
{
    const std::pair<const char16_t*, StyleValue> redraws[] = {
        {u"[TITLE_PRINT]", true},
        {u"[BARCODE_PRINT]", true},
        {u"[TITLE_CENTER]", true},
        {u"[BARCODE_CENTER]", true},
        {u"[TITLE_PORTLATE]", 1},
        {u"[BARCODE_PORTLATE]", 1},
        {u"[SIZE]", 1},
        {u"[TITLE_PRINT]", false}, // clicking back redraws as well
    };
    for (const auto& [key, value] : redraws) {
        SCOPED_TRACE(QString::fromUtf16(key).toStdString());
        log.clear();
        c->editStyleField(key, value);
        EXPECT_EQ(styleValue(c->style(), *findStyleKey(key)), value);
        EXPECT_EQ(log, kRedraw);
    }

    // The symbology list: rules, no redraw.
    log.clear();
    c->editStyleField(u"[BARCODE_TYPE]", 3); // NW-7
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(c->symbologyRules().start.items, (QStringList{"A", "B", "C", "D"}));
    EXPECT_EQ(c->style().START_CHAR, "A");
    c->editStyleField(u"[START_CHAR]", QStringLiteral("C"));
    c->editStyleField(u"[CHECK_DT]", 1);
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(c->style().START_CHAR, "C");
    c->editStyleField(u"[BARCODE_TYPE]", 0); // JAN: emptied, disabled, check character forced
    EXPECT_EQ(c->style().START_CHAR, "");
    EXPECT_EQ(c->style().STOP_CHAR, "");
    EXPECT_EQ(c->symbologyRules().start.enabled, false);
    EXPECT_EQ(c->style().CHECK_DT, 0);
    EXPECT_EQ(c->symbologyRules().checkDigitEnabled, false);
    EXPECT_TRUE(log.isEmpty());

    // A value of the wrong kind, or an unknown key, changes nothing.
    const LabelStyle before = c->style();
    c->editStyleField(u"[TITLE_PRINT]", 1);
    c->editStyleField(u"[NO_SUCH_KEY]", true);
    EXPECT_EQ(c->style(), before);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(StyleEditingTest, TheOrientationGroupTurnsThePaperAndRedraws)
{
    ASSERT_EQ(c->style().PAPERSIZE, 9);
    const DeviceMetrics portrait = c->metrics();
    c->editStyleField(u"[PAPERLAND]", 1);
    EXPECT_EQ(log, kRedraw);
    EXPECT_EQ(c->style().PAPERLAND, 1);
    EXPECT_EQ(c->paperName(), "A4 210 x 297 mm");
    EXPECT_EQ(c->metrics().paperWidth, portrait.paperHeight);
    EXPECT_EQ(c->metrics().printableWidth, portrait.printableHeight);
    // The redraw is the plain one: the paint guard stays as it was.
    EXPECT_TRUE(c->paintGuard());
    c->orientationCommand(0);
    EXPECT_EQ(c->metrics(), portrait);
}

TEST_F(StyleEditingTest, TheFontPickerPresetsTakesTheChoiceAndRedrawsEitherWay)
{
    LabelStyle style = c->style();
    style.TITLE_FONT_NAME = QStringLiteral("ＭＳ Ｐゴシック");
    style.TITLE_FONT_SIZE = QStringLiteral("14");
    style.TITLE_FONT_BOLD = QStringLiteral("太字");
    style.TITLE_FONT_COLOE = 255;
    style.BARCODE_FONT_SIZE = QStringLiteral("9.5"); // not an integer: the dialog starts at 0
    c->setStyle(style);

    FontChoice initial{QStringLiteral("ＭＳ Ｐゴシック"), 14, true, false, false, false, 255};
    FontChoice chosen{QStringLiteral("IPAGothic"), 22, true, false, true, false, 0xFF0000};
    dialogs.expectFont(initial, chosen);
    c->fontCommand(TextRole::Title);
    dialogs.expectDone();
    EXPECT_EQ(log, kRedraw);
    EXPECT_EQ(c->style().TITLE_FONT_NAME, "IPAGothic");
    EXPECT_EQ(c->style().TITLE_FONT_SIZE, "22");
    EXPECT_EQ(c->style().TITLE_FONT_COLOE, 0xFF0000u);
    EXPECT_EQ(c->style().TITLE_FONT_BOLD, ""); // bold underlined: drawn regular

    log.clear();
    const LabelStyle before = c->style();
    dialogs.expectFont({before.BARCODE_FONT_NAME, 0, false, false, false, false, before.BARCODE_FONT_COLOR},
                       std::nullopt);
    c->fontCommand(TextRole::BarcodeNumber);
    dialogs.expectDone();
    EXPECT_EQ(c->style(), before);
    EXPECT_EQ(log, kRedraw);
}

TEST(FontStyleName, ExactlyBoldItalicOrBothElseNothing)
{
    const auto name = [](bool bold, bool italic, bool underline, bool strikeOut) {
        FontChoice f;
        f.bold = bold;
        f.italic = italic;
        f.underline = underline;
        f.strikeOut = strikeOut;
        return fontStyleName(f);
    };
    EXPECT_EQ(name(false, false, false, false), "");
    EXPECT_EQ(name(true, false, false, false), "太字");
    EXPECT_EQ(name(false, true, false, false), "斜体");
    EXPECT_EQ(name(true, true, false, false), "太字斜体");
    EXPECT_EQ(name(true, false, true, false), "");
    EXPECT_EQ(name(false, true, false, true), "");
}

TEST_F(StyleEditingTest, ColourSwatchesAskForAColourAndDoNotRedraw)
{
    const LabelStyle before = c->style();
    dialogs.expectColor(before.G_TITLE_COLOR, TColor{0x123456});
    c->shadowColorCommand(TextRole::Title);
    dialogs.expectColor(before.G_BARCODE_COLOR, std::nullopt);
    c->shadowColorCommand(TextRole::BarcodeNumber);
    dialogs.expectColor(before.BARCODE_FONT_COLOR, TColor{0x00FF00});
    c->textColorCommand(TextRole::BarcodeNumber);
    dialogs.expectDone();
    EXPECT_TRUE(log.isEmpty());
    LabelStyle expected = before;
    expected.G_TITLE_COLOR = 0x123456;
    expected.BARCODE_FONT_COLOR = 0x00FF00;
    EXPECT_EQ(c->style(), expected);
}

TEST_F(StyleEditingTest, ThePaperCommandsReadThePrinterBackOrOnlyItsMetrics)
{
    // A paper chosen in the style but never given to the printer.
    c->editStyleField(u"[PAPERSIZE]", 70);
    log.clear();
    dialogs.expectPrinterSetup();
    c->pageSetupCommand(); // the menu item: metrics and a redraw, the choice stays
    EXPECT_EQ(log, kRedraw);
    EXPECT_EQ(c->style().PAPERSIZE, 70);

    log.clear();
    dialogs.expectPrinterSetup();
    c->printerSetupCommand(); // the toolbar: the printer's paper becomes the style's
    dialogs.expectDone();
    EXPECT_EQ(log, kRedraw);
    EXPECT_EQ(c->style().PAPERSIZE, 9);
    EXPECT_EQ(c->paperName(), "A4 210 x 297 mm");
}

} // namespace
} // namespace korbena::test
