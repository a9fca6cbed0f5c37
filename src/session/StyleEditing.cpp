#include "session/StyleEditing.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace korbena {

StyleValue styleValue(const LabelStyle& style, const StyleKey& key)
{
    return std::visit([&](auto member) -> StyleValue { return style.*member; }, key.field);
}

bool setStyleValue(LabelStyle& style, const StyleKey& key, const StyleValue& value)
{
    return std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(style.*member)>;
            const T* given = std::get_if<T>(&value);
            if (!given)
                return false;
            style.*member = *given;
            return true;
        },
        key.field);
}

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

// Each group's buttons in the order ↑, ↓, ←, →: the vertical ones move the Y field,
// the horizontal ones the X field.
constexpr std::array<NudgeButton, 32> kNudgeButtons = {{
    // "バーコードの位置", position
    {"PictButton20", u"[Y_LOCATE]", Up},
    {"PictButton19", u"[Y_LOCATE]", Down},
    {"PictButton18", u"[X_LOCATE]", Left},
    {"PictButton17", u"[X_LOCATE]", Right},
    // "バーコードの位置", size
    {"PictButton28", u"[SIZE_Y]", Up},
    {"PictButton23", u"[SIZE_Y]", Down},
    {"PictButton22", u"[SIZE_X]", Left},
    {"PictButton21", u"[SIZE_X]", Right},
    // "バーコードの枚数", interval
    {"PictButton36", u"[INTERVAL_Y]", Up},
    {"PictButton35", u"[INTERVAL_Y]", Down},
    {"PictButton34", u"[INTERVAL_X]", Left},
    {"PictButton33", u"[INTERVAL_X]", Right},
    // "タイトルのフォント", position
    {"PictButton4", u"[TITLE_Y]", Up},
    {"PictButton3", u"[TITLE_Y]", Down},
    {"PictButton2", u"[TITLE_X]", Left},
    {"PictButton1", u"[TITLE_X]", Right},
    // "タイトルのフォント", shadow
    {"PictButton8", u"[G_TITLE_Y]", Up},
    {"PictButton7", u"[G_TITLE_Y]", Down},
    {"PictButton6", u"[G_TITLE_X]", Left},
    {"PictButton5", u"[G_TITLE_X]", Right},
    // "バーコードのフォント", position
    {"PictButton12", u"[BARCODE_Y]", Up},
    {"PictButton11", u"[BARCODE_Y]", Down},
    {"PictButton10", u"[BARCODE_X]", Left},
    {"PictButton9", u"[BARCODE_X]", Right},
    // "バーコードのフォント", shadow
    {"PictButton16", u"[G_BARCODE_Y]", Up},
    {"PictButton15", u"[G_BARCODE_Y]", Down},
    {"PictButton14", u"[G_BARCODE_X]", Left},
    {"PictButton13", u"[G_BARCODE_X]", Right},
    // "全体位置調整"
    {"PictButton24", u"[Y_OFFSET]", Up},
    {"PictButton26", u"[Y_OFFSET]", Down},
    {"PictButton25", u"[X_OFFSET]", Left},
    {"PictButton27", u"[X_OFFSET]", Right},
}};

using enum EnterRule;

// The layout fields let Enter go on; the text, shadow, adjustment and copy fields
// keep it from the field.
constexpr std::array<NumericControl, 23> kNumericControls = {{
    {"ix", u"[X_LOCATE]", RedrawAndPass},
    {"iy", u"[Y_LOCATE]", RedrawAndPass},
    {"zx", u"[SIZE_X]", RedrawAndPass},
    {"module_size", u"[MODULE_SIZE]", RedrawAndPass},
    {"zy", u"[SIZE_Y]", RedrawAndPass},
    {"MX", u"[NUM_X]", RedrawAndPass},
    {"MY", u"[NUM_Y]", RedrawAndPass},
    {"vx", u"[INTERVAL_X]", RedrawAndPass},
    {"vy", u"[INTERVAL_Y]", RedrawAndPass},
    {"t_cx", u"[TITLE_X]", RedrawAndConsume},
    {"t_cy", u"[TITLE_Y]", RedrawAndConsume},
    {"t_KX", u"[G_TITLE_X]", RedrawAndConsume},
    {"t_KY", u"[G_TITLE_Y]", RedrawAndConsume},
    {"t_cm", u"[TITLE_INTERVAL]", RedrawAndConsume},
    {"NValEdit1", u"[SUB_Y]", RedrawAndConsume},
    {"b_cx", u"[BARCODE_X]", RedrawAndConsume},
    {"b_cy", u"[BARCODE_Y]", RedrawAndConsume},
    {"b_KX", u"[G_BARCODE_X]", RedrawAndConsume},
    {"b_KY", u"[G_BARCODE_Y]", RedrawAndConsume},
    {"b_cm", u"[BARCODE_INTERVAL]", RedrawAndConsume},
    {"ofxbox", u"[X_OFFSET]", RedrawAndConsume},
    {"ofybox", u"[Y_OFFSET]", RedrawAndConsume},
    {"xcopy", u"", RedrawAndConsume},
}};

} // namespace

std::span<const NudgeButton> nudgeButtons()
{
    return kNudgeButtons;
}

const NudgeButton* findNudgeButton(QStringView name)
{
    const auto it = std::find_if(kNudgeButtons.begin(), kNudgeButtons.end(),
                                 [name](const NudgeButton& b) { return name == QLatin1String(b.name); });
    return it == kNudgeButtons.end() ? nullptr : &*it;
}

std::span<const NumericControl> numericControls()
{
    return kNumericControls;
}

EnterRule enterRule(QStringView control)
{
    for (const NumericControl& c : kNumericControls) {
        if (control == QLatin1String(c.control))
            return c.enter;
    }
    return EnterRule::None;
}

QString numericControlName(QStringView key)
{
    for (const NumericControl& c : kNumericControls) {
        if (!key.isEmpty() && key == QStringView(c.key))
            return QLatin1String(c.control);
    }
    return {};
}

SwitchEffect switchEffect(QStringView key)
{
    static constexpr std::array<const char16_t*, 7> redraws = {
        u"[TITLE_PRINT]",    u"[BARCODE_PRINT]",    u"[TITLE_CENTER]", u"[BARCODE_CENTER]",
        u"[TITLE_PORTLATE]", u"[BARCODE_PORTLATE]", u"[SIZE]"};
    if (std::any_of(redraws.begin(), redraws.end(),
                    [key](const char16_t* k) { return key == QStringView(k); }))
        return SwitchEffect::Redraw;
    if (key == u"[PAPERLAND]")
        return SwitchEffect::PaperOrientation;
    if (key == u"[BARCODE_TYPE]")
        return SwitchEffect::SymbologyRules;
    return SwitchEffect::None;
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
        {"JAN", {u"数値のみ(12桁/7桁)　通常／短縮を自動判別", u"使用しない", u"使用しない", u"必ず使用"}},
        {"UPC", {u"数値のみ   A／Eを自動判別(11桁/7桁)", u"使用しない", u"使用しない", u"必ず使用"}},
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
