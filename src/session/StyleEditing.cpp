#include "session/StyleEditing.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace korbena {

// ---- the arrow buttons ----

Extended NudgeStep(Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ShiftModifier)
        return 0.1L;
    if (modifiers & Qt::ControlModifier)
        return 10;
    return 1;
}

Extended nudgedLength(Extended value, NudgeArrow arrow, Qt::KeyboardModifiers modifiers)
{
    const Extended step = NudgeStep(modifiers);
    const Extended moved = arrow == NudgeArrow::Up || arrow == NudgeArrow::Left ? value - step : value + step;
    if (moved == 0 || !std::isfinite(moved))
        return moved;
    // The tenths with the binary noise of the sum rounded away first: 0.3 - 0.1 is
    // 0.1999… in binary and must still cut to 0.2.
    const Extended tenths = std::trunc(std::round(moved * 10 * 1e6L) / 1e6L);
    return tenths == 0 ? 0 : tenths / 10;
}

namespace {

using enum NudgeArrow;
using enum StyleField;

// Each group's buttons in the order ↑, ↓, ←, →.
constexpr std::array<NudgeButton, 32> kNudgeButtons = {{
    // "バーコードの位置", position and size
    {SymbolY, Up},
    {SymbolY, Down},
    {SymbolX, Left},
    {SymbolX, Right},
    {SymbolHeight, Up},
    {SymbolHeight, Down},
    {SymbolWidth, Left},
    {SymbolWidth, Right},
    // "バーコードの枚数", interval
    {PitchY, Up},
    {PitchY, Down},
    {PitchX, Left},
    {PitchX, Right},
    // "タイトルのフォント", position and shadow
    {TitleY, Up},
    {TitleY, Down},
    {TitleX, Left},
    {TitleX, Right},
    {TitleShadowY, Up},
    {TitleShadowY, Down},
    {TitleShadowX, Left},
    {TitleShadowX, Right},
    // "バーコードのフォント", position and shadow
    {NumberY, Up},
    {NumberY, Down},
    {NumberX, Left},
    {NumberX, Right},
    {NumberShadowY, Up},
    {NumberShadowY, Down},
    {NumberShadowX, Left},
    {NumberShadowX, Right},
    // "全体位置調整"
    {OffsetY, Up},
    {OffsetY, Down},
    {OffsetX, Left},
    {OffsetX, Right},
}};

using enum EnterRule;

// The layout fields let Enter go on; the text, shadow, adjustment and copy fields
// keep it from the field.
constexpr std::array<NumericControl, 23> kNumericControls = {{
    {SymbolX, RedrawAndPass},          {SymbolY, RedrawAndPass},         {SymbolWidth, RedrawAndPass},
    {SymbolHeight, RedrawAndPass},     {ModuleSize, RedrawAndPass},      {LabelsAcross, RedrawAndPass},
    {LabelsDown, RedrawAndPass},       {PitchX, RedrawAndPass},          {PitchY, RedrawAndPass},
    {TitleX, RedrawAndConsume},        {TitleY, RedrawAndConsume},       {TitleShadowX, RedrawAndConsume},
    {TitleShadowY, RedrawAndConsume},  {TitlePitch, RedrawAndConsume},   {TitleSecondLineY, RedrawAndConsume},
    {NumberX, RedrawAndConsume},       {NumberY, RedrawAndConsume},      {NumberShadowX, RedrawAndConsume},
    {NumberShadowY, RedrawAndConsume}, {NumberPitch, RedrawAndConsume},  {OffsetX, RedrawAndConsume},
    {OffsetY, RedrawAndConsume},       {std::nullopt, RedrawAndConsume}, // the copy count
}};

} // namespace

std::span<const NudgeButton> nudgeButtons()
{
    return kNudgeButtons;
}

bool isNudgeButton(StyleField field, NudgeArrow arrow)
{
    return std::any_of(kNudgeButtons.begin(), kNudgeButtons.end(),
                       [&](const NudgeButton& b) { return b.field == field && b.arrow == arrow; });
}

QString nudgeButtonId(StyleField field, NudgeArrow arrow)
{
    static constexpr std::array<const char*, 4> arrows = {".up", ".down", ".left", ".right"};
    return QLatin1String(styleKey(field).id) + QLatin1String(arrows[static_cast<std::size_t>(arrow)]);
}

std::span<const NumericControl> numericControls()
{
    return kNumericControls;
}

EnterRule enterRule(std::optional<StyleField> field)
{
    for (const NumericControl& c : kNumericControls) {
        if (c.field == field)
            return c.enter;
    }
    return EnterRule::None;
}

SwitchEffect switchEffect(StyleField field)
{
    switch (field) {
    case TitlePrinted:
    case NumberPrinted:
    case TitleCentred:
    case NumberCentred:
    case TitleVertical:
    case NumberVertical:
    case SizeMode:
        return SwitchEffect::Redraw;
    case Orientation:
        return SwitchEffect::PaperOrientation;
    case Symbology:
        return SwitchEffect::SymbologyRules;
    default:
        return SwitchEffect::None;
    }
}

QString fontStyleName(const FontChoice& font)
{
    if (font.underline || font.strikeOut)
        return {};
    if (font.bold && font.italic)
        return QStringLiteral("太字斜体");
    if (font.bold)
        return QStringLiteral("太字");
    if (font.italic)
        return QStringLiteral("斜体");
    return {};
}

QString cautionNote()
{
    struct Row
    {
        const char* name;
        const char16_t* columns[4];
    };
    static constexpr std::array<Row, 16> rows = {{
        {"JAN",
         {u"数値のみ(12桁/7桁、チェックデジット付きの13桁/8桁も可)　通常／短縮を自動判別", u"使用しない",
          u"使用しない", u"必ず使用(13桁/8桁は末尾の数字を検査)"}},
        {"UPC",
         {u"数値のみ   A／Eを自動判別(11桁/7桁、チェックデジット付きの12桁/8桁も可)", u"使用しない",
          u"使用しない", u"必ず使用(12桁/8桁は末尾の数字を検査)"}},
        {"CODE-39", {u"- 0〜9､A〜Z", u"'*'固定", u"'*'固定", u"選択"}},
        {"NW-7", {u"数値のみ", u"'A'〜'D'", u"'A'〜'D'", u"選択"}},
        {"ITF", {u"数値のみ", u"使用しない", u"使用しない", u"選択"}},
        {"CTF", {u"数値のみ", u"使用しない", u"使用しない", u"選択"}},
        {"IATA", {u"数値のみ", u"使用しない", u"使用しない", u"必ず使用"}},
        {"MATRIX", {u"数値のみ", u"使用しない", u"使用しない", u"選択"}},
        {"NEC", {u"数値のみ", u"使用しない", u"使用しない", u"選択"}},
        {"CUSTOMER",
         {u"0〜9､A〜Z (郵便番号7桁 + 住所表示番号13桁)", u"使用しない", u"使用しない", u"必ず使用"}},
        {"CODE-128", {u"英数字及び記号", u"'A'〜'C'(キャラクタセット)", u"使用しない", u"必ず使用"}},
        {"CODE-93", {u"0〜9､A〜Z", u"'('固定", u"')'固定", u"必ず使用(常に2個付加)"}},
        {"QR",
         {u"すべての文字(漢字は漢字モード)　最大 数字7089/英数字4296/漢字1817文字(誤り訂正L)､GS1可",
          u"使用しない", u"使用しない", u"誤り訂正レベル L/M/Q/H"}},
        {"DATAMATRIX",
         {u"すべての文字　最大 数字3116/英数字2335文字(正方形)､数字98文字(長方形)､GS1可", u"使用しない",
          u"使用しない", u"誤り訂正(ECC200)"}},
        {"PDF417", {u"すべての文字　最大 数字2528文字", u"使用しない", u"使用しない", u"誤り訂正(自動)"}},
        {"GS1-128",
         {u"(AI)データの形式 例 (01)04912345678904(10)LOT1　48文字まで", u"使用しない", u"使用しない",
          u"必ず使用(AI (00)(01)(02)などは入力した桁を検査)"}},
    }};
    static constexpr std::array<const char16_t*, 4> headings = {
        u"（１）使用できるバーコードと文字", u"（２）スタートキャラクタに使用するキャラクタ",
        u"（３）ストップキャラクタに使用するキャラクタ", u"（４）チェックデジットの有無"};
    QStringList lines;
    for (int section = 0; section < 4; ++section) {
        if (section > 0)
            lines << QString();
        lines << QString::fromUtf16(headings[section]);
        for (const Row& row : rows)
            lines << QString(QLatin1String(row.name)).leftJustified(10) +
                         QString::fromUtf16(row.columns[section]);
    }
    return lines.join(u'\n');
}

} // namespace korbena
