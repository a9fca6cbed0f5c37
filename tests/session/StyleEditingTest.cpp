// The setting tabs' commands on the controller: the arrow buttons, Enter in the
// numeric fields, the switches, the symbology list, the font and colour pickers and
// the orientation group, every dialog answered from a script.
#include "session/StyleEditing.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "session/AppController.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena::test {
namespace {

using enum StyleField;

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

    Extended& length(LabelStyle& style, StyleField field)
    {
        return *std::get<Extended*>(styleKey(field).ref(style));
    }
    Extended length(StyleField field) { return length(const_cast<LabelStyle&>(c->style()), field); }
    void setLength(StyleField field, Extended value)
    {
        c->editStyleField(field, value);
        log.clear();
    }
};

TEST_F(StyleEditingTest, ArrowsStepByTheKeysHeldAndCutToOneDecimalTowardZero)
{
    const auto click = [&](StyleField field, NudgeArrow arrow, Qt::KeyboardModifiers keys) {
        c->nudgeCommand(field, arrow, keys);
    };
    setLength(SymbolY, 5);
    click(SymbolY, NudgeArrow::Up, Qt::ShiftModifier); // ↑
    EXPECT_EQ(length(SymbolY), 4.9L);
    EXPECT_EQ(log, kRedraw);
    setLength(SymbolY, 5);
    click(SymbolY, NudgeArrow::Up, Qt::ControlModifier);
    EXPECT_EQ(length(SymbolY), -5);
    setLength(SymbolY, 5);
    click(SymbolY, NudgeArrow::Up, Qt::NoModifier);
    EXPECT_EQ(length(SymbolY), 4);
    // Shift wins over Ctrl.
    click(SymbolY, NudgeArrow::Down, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(length(SymbolY), 4.1L);

    setLength(SymbolWidth, 0.05L); // typed with two decimals
    click(SymbolWidth, NudgeArrow::Right, Qt::NoModifier);
    EXPECT_EQ(length(SymbolWidth), 1.0L);
    setLength(SymbolWidth, -3.37L);
    click(SymbolWidth, NudgeArrow::Right, Qt::NoModifier);
    EXPECT_EQ(length(SymbolWidth), -2.3L);
    setLength(SymbolWidth, 1);
    click(SymbolWidth, NudgeArrow::Left, Qt::NoModifier);
    EXPECT_EQ(length(SymbolWidth), 0);
    EXPECT_FALSE(std::signbit(length(SymbolWidth)));
    // 0.3 - 0.1 is 0.1999… in binary; the cut must not make it 0.1.
    setLength(SymbolWidth, 0.3L);
    click(SymbolWidth, NudgeArrow::Left, Qt::ShiftModifier);
    EXPECT_EQ(length(SymbolWidth), 0.2L);
    setLength(SymbolWidth, 0.05L);
    click(SymbolWidth, NudgeArrow::Left, Qt::ShiftModifier); // -0.05 cuts to 0, never "-0"
    EXPECT_EQ(length(SymbolWidth), 0);
    EXPECT_FALSE(std::signbit(length(SymbolWidth)));

    // The value shows and is saved with one decimal.
    setLength(SymbolY, 2.37L);
    click(SymbolY, NudgeArrow::Down, Qt::NoModifier);
    EXPECT_TRUE(styleFileLines(c->style()).contains(QStringLiteral("[Y_LOCATE]=3.3")));
}

TEST_F(StyleEditingTest, EachOfThe32ArrowsMovesItsFieldItsWay)
{
    struct Arrow
    {
        StyleField field;
        NudgeArrow arrow;
        int sign;
    };
    // ↑ and ← subtract, ↓ and → add; the vertical arrows move the Y field.
    const Arrow arrows[] = {
        {SymbolY, NudgeArrow::Up, -1},         {SymbolY, NudgeArrow::Down, +1},
        {SymbolX, NudgeArrow::Left, -1},       {SymbolX, NudgeArrow::Right, +1},
        {SymbolHeight, NudgeArrow::Up, -1},    {SymbolHeight, NudgeArrow::Down, +1},
        {SymbolWidth, NudgeArrow::Left, -1},   {SymbolWidth, NudgeArrow::Right, +1},
        {PitchY, NudgeArrow::Up, -1},          {PitchY, NudgeArrow::Down, +1},
        {PitchX, NudgeArrow::Left, -1},        {PitchX, NudgeArrow::Right, +1},
        {TitleY, NudgeArrow::Up, -1},          {TitleY, NudgeArrow::Down, +1},
        {TitleX, NudgeArrow::Left, -1},        {TitleX, NudgeArrow::Right, +1},
        {TitleShadowY, NudgeArrow::Up, -1},    {TitleShadowY, NudgeArrow::Down, +1},
        {TitleShadowX, NudgeArrow::Left, -1},  {TitleShadowX, NudgeArrow::Right, +1},
        {NumberY, NudgeArrow::Up, -1},         {NumberY, NudgeArrow::Down, +1},
        {NumberX, NudgeArrow::Left, -1},       {NumberX, NudgeArrow::Right, +1},
        {NumberShadowY, NudgeArrow::Up, -1},   {NumberShadowY, NudgeArrow::Down, +1},
        {NumberShadowX, NudgeArrow::Left, -1}, {NumberShadowX, NudgeArrow::Right, +1},
        {OffsetY, NudgeArrow::Up, -1},         {OffsetY, NudgeArrow::Down, +1},
        {OffsetX, NudgeArrow::Left, -1},       {OffsetX, NudgeArrow::Right, +1},
    };
    EXPECT_EQ(nudgeButtons().size(), std::size(arrows));
    for (const Arrow& arrow : arrows) {
        SCOPED_TRACE(nudgeButtonId(arrow.field, arrow.arrow).toStdString());
        setLength(arrow.field, 5);
        LabelStyle expected = c->style();
        length(expected, arrow.field) = 5 + arrow.sign;
        c->nudgeCommand(arrow.field, arrow.arrow, Qt::NoModifier);
        EXPECT_EQ(c->style(), expected);
        EXPECT_EQ(log, kRedraw);
    }
    // A field without that arrow does nothing.
    const LabelStyle before = c->style();
    log.clear();
    c->nudgeCommand(LabelsAcross, NudgeArrow::Up, Qt::NoModifier);
    c->nudgeCommand(TitleColor, NudgeArrow::Left, Qt::NoModifier);
    EXPECT_EQ(c->style(), before);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(StyleEditingTest, EnterRedrawsInEveryNumericFieldAndIsKeptFromTheTextFields)
{
    for (StyleField control :
         {SymbolX, SymbolY, SymbolWidth, SymbolHeight, LabelsAcross, LabelsDown, PitchX, PitchY}) {
        SCOPED_TRACE(styleKey(control).id);
        log.clear();
        EXPECT_FALSE(c->enterKeyCommand(control)); // the field sees the key
        EXPECT_EQ(log, kRedraw);
    }
    for (std::optional<StyleField> control :
         {std::optional(TitleX), std::optional(TitleY), std::optional(TitleShadowX),
          std::optional(TitleShadowY), std::optional(TitlePitch), std::optional(TitleSecondLineY),
          std::optional(NumberX), std::optional(NumberY), std::optional(NumberShadowX),
          std::optional(NumberShadowY), std::optional(NumberPitch), std::optional(OffsetX),
          std::optional(OffsetY), std::optional<StyleField>()}) { // the last is the copy count
        SCOPED_TRACE(control ? styleKey(*control).id : "copies");
        log.clear();
        EXPECT_TRUE(c->enterKeyCommand(control)); // consumed
        EXPECT_EQ(log, kRedraw);
    }
    log.clear();
    EXPECT_FALSE(c->enterKeyCommand(Symbology));
    EXPECT_TRUE(log.isEmpty());
    // Typing alone does not redraw.
    c->editStyleField(TitleX, Extended{12});
    c->editStyleField(LabelsAcross, Extended{3});
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(StyleEditingTest, SwitchesRedrawAtOnceTheSymbologyRunsItsRulesAndTheRestWaits)
{
    const std::pair<StyleField, StyleValue> redraws[] = {
        {TitlePrinted, true},  {NumberPrinted, true}, {TitleCentred, true},
        {NumberCentred, true}, {TitleVertical, 1},    {NumberVertical, 1},
        {SizeMode, 1},         {TitlePrinted, false}, // clicking back redraws as well
    };
    for (const auto& [key, value] : redraws) {
        SCOPED_TRACE(styleKey(key).id);
        log.clear();
        c->editStyleField(key, value);
        EXPECT_EQ(styleValue(c->style(), key), value);
        EXPECT_EQ(log, kRedraw);
    }

    // The symbology list: rules, no redraw.
    log.clear();
    c->editStyleField(Symbology, 3); // NW-7
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(c->symbologyRules().start.items, (QStringList{"A", "B", "C", "D"}));
    EXPECT_EQ(c->style().symbol.startChar, "A");
    c->editStyleField(StartChar, QStringLiteral("C"));
    c->editStyleField(CheckDigit, 1);
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(c->style().symbol.startChar, "C");
    c->editStyleField(Symbology, 0); // JAN: emptied, disabled, check character forced
    EXPECT_EQ(c->style().symbol.startChar, "");
    EXPECT_EQ(c->style().symbol.stopChar, "");
    EXPECT_EQ(c->symbologyRules().start.enabled, false);
    EXPECT_EQ(c->style().symbol.checkDigit, true);
    EXPECT_EQ(c->symbologyRules().checkDigitEnabled, false);
    EXPECT_TRUE(log.isEmpty());

    // A value of the wrong kind, or an unknown key, changes nothing.
    const LabelStyle before = c->style();
    c->editStyleField(TitlePrinted, 1);
    c->editStyleField(TitleCentred, 1);
    EXPECT_EQ(c->style(), before);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(StyleEditingTest, TheOrientationGroupTurnsThePaperAndRedraws)
{
    ASSERT_EQ(c->style().sheet.paper, 9);
    const DeviceMetrics portrait = c->metrics();
    c->editStyleField(Orientation, 1);
    EXPECT_EQ(log, kRedraw);
    EXPECT_EQ(c->style().sheet.orientation, 1);
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
    style.title.fontName = QStringLiteral("ＭＳ Ｐゴシック");
    style.title.fontSize = QStringLiteral("14");
    style.title.fontStyle = QStringLiteral("太字");
    style.title.color = 255;
    style.number.fontSize = QStringLiteral("9.5"); // not an integer: the dialog starts at 0
    c->setStyle(style);

    FontChoice initial{QStringLiteral("ＭＳ Ｐゴシック"), 14, true, false, false, false, 255};
    FontChoice chosen{QStringLiteral("IPAGothic"), 22, true, false, true, false, 0xFF0000};
    dialogs.expectFont(initial, chosen);
    c->fontCommand(TextRole::Title);
    dialogs.expectDone();
    EXPECT_EQ(log, kRedraw);
    EXPECT_EQ(c->style().title.fontName, "IPAGothic");
    EXPECT_EQ(c->style().title.fontSize, "22");
    EXPECT_EQ(c->style().title.color, 0xFF0000u);
    EXPECT_EQ(c->style().title.fontStyle, ""); // bold underlined: drawn regular

    log.clear();
    const LabelStyle before = c->style();
    dialogs.expectFont({before.number.fontName, 0, false, false, false, false, before.number.color},
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
    dialogs.expectColor(before.title.shadowColor, TColor{0x123456});
    c->shadowColorCommand(TextRole::Title);
    dialogs.expectColor(before.number.shadowColor, std::nullopt);
    c->shadowColorCommand(TextRole::BarcodeNumber);
    dialogs.expectColor(before.number.color, TColor{0x00FF00});
    c->textColorCommand(TextRole::BarcodeNumber);
    dialogs.expectDone();
    EXPECT_TRUE(log.isEmpty());
    LabelStyle expected = before;
    expected.title.shadowColor = 0x123456;
    expected.number.color = 0x00FF00;
    EXPECT_EQ(c->style(), expected);
}

TEST_F(StyleEditingTest, ThePaperCommandsReadThePrinterBackOrOnlyItsMetrics)
{
    // A paper chosen in the style but never given to the printer.
    c->editStyleField(Paper, 70);
    log.clear();
    dialogs.expectPrinterSetup();
    c->pageSetupCommand(); // the menu item: metrics and a redraw, the choice stays
    EXPECT_EQ(log, kRedraw);
    EXPECT_EQ(c->style().sheet.paper, 70);

    log.clear();
    dialogs.expectPrinterSetup();
    c->printerSetupCommand(); // the toolbar: the printer's paper becomes the style's
    dialogs.expectDone();
    EXPECT_EQ(log, kRedraw);
    EXPECT_EQ(c->style().sheet.paper, 9);
    EXPECT_EQ(c->paperName(), "A4 210 x 297 mm");
}

// Every style edit is a step: a run of clicks on one arrow is one, the symbology's
// rules and the printer's paper follow an undo, and redo gives the edits back exactly.
TEST_F(StyleEditingTest, StyleEditsAreStepsThatUndoAndRedoExactly)
{
    const LabelStyle start = c->style();
    for (int i = 0; i < 3; ++i)
        c->nudgeCommand(SymbolX, NudgeArrow::Right, Qt::NoModifier);
    c->nudgeCommand(SymbolY, NudgeArrow::Down, Qt::NoModifier);
    c->editStyleField(Symbology, std::int32_t(cbarCODE39));
    c->orientationCommand(start.sheet.orientation == 0 ? 1 : 0);
    dialogs.expectColor(start.title.color, TColor{0x0000FF});
    c->textColorCommand(TextRole::Title);
    c->setZoom(80); // no step
    const LabelStyle end = c->style();
    const EditHistory& history = c->documents().history();
    EXPECT_EQ(history.count(), 5);
    EXPECT_EQ(history.undoText(), QStringLiteral("文字色変更"));

    while (c->undoEnabled())
        c->undoCommand();
    EXPECT_TRUE(c->style() == start);
    EXPECT_EQ(c->symbologyRules().start.text,
              symbologyRules(start.symbol.symbology ? int(*start.symbol.symbology) : -1).start.text);
    while (c->redoEnabled())
        c->redoCommand();
    EXPECT_TRUE(c->style() == end);
    EXPECT_EQ(length(SymbolX), start.placement.x + 3);
}

} // namespace
} // namespace korbena::test

namespace korbena::test {
namespace {

// Every change of the style shows in the preview once the user interface is idle, a
// burst of edits drawn once: a typed length, the symbology (which left the preview
// showing the old one), a colour. The page drawn is the one a direct composition gives.
TEST_F(StyleEditingTest, EveryStyleEditRedrawsOnceWhenTheBurstIsOver)
{
    const auto idle = [] { QCoreApplication::processEvents(); };
    const auto composedNow = [&] {
        PageComposer composer(c->dataFolder());
        return composer.composePreview(c->style(), c->rows(), c->metrics(), c->currentPage(), c->zoom())
            .image;
    };
    idle();
    log.clear();
    c->editStyleField(TitleX, Extended{12});
    c->editStyleField(TitleX, Extended{13});
    c->editStyleField(LabelsAcross, Extended{2});
    EXPECT_TRUE(log.isEmpty()); // nothing drawn while the edits come
    idle();
    EXPECT_EQ(log, kRedraw);
    idle();
    EXPECT_EQ(log, kRedraw);
    EXPECT_EQ(c->previewImage(), composedNow());

    log.clear();
    const QImage jan = c->previewImage();
    c->editStyleField(Symbology, 3); // NW-7
    idle();
    EXPECT_EQ(log, kRedraw);
    EXPECT_NE(c->previewImage(), jan);
    EXPECT_EQ(c->previewImage(), composedNow());
    EXPECT_TRUE(c->messageLine().isEmpty());

    log.clear();
    dialogs.expectColor(c->style().title.color, TColor{0x0000FF});
    c->textColorCommand(TextRole::Title);
    dialogs.expectDone();
    idle();
    EXPECT_EQ(log, kRedraw);
    EXPECT_EQ(c->previewImage(), composedNow());

    // A redraw that comes first takes the one asked for with it.
    log.clear();
    c->editStyleField(TitleY, Extended{4});
    c->nudgeCommand(TitleX, NudgeArrow::Right, Qt::NoModifier);
    idle();
    EXPECT_EQ(log, kRedraw);
}

} // namespace
} // namespace korbena::test
