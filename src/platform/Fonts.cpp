#include "platform/Fonts.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace korbena {

int FontSpec::pointSize(int dpi) const
{
    if (dpi <= 0)
        return 0;
    const int pixels = height < 0 ? -height : height;
    return static_cast<int>(std::lround(pixels * 72.0 / dpi));
}

void FontSpec::setPointSize(int points, int dpi)
{
    height = -static_cast<int>(std::lround(points * static_cast<double>(dpi) / 72.0));
}

void installFontSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const QString gothic = QStringLiteral("IPAGothic");
        const QString pgothic = QStringLiteral("IPAPGothic");
        const QString mincho = QStringLiteral("IPAMincho");
        const QString pmincho = QStringLiteral("IPAPMincho");
        const struct
        {
            const char16_t* face;
            const QString& to;
        } table[] = {
            {u"ＭＳ 明朝", mincho},        {u"ＭＳ Ｐ明朝", pmincho}, {u"ＭＳ ゴシック", gothic},
            {u"ＭＳ Ｐゴシック", pgothic}, {u"MS Mincho", mincho},    {u"MS PMincho", pmincho},
            {u"MS Gothic", gothic},        {u"MS PGothic", pgothic},  {u"MS UI Gothic", pgothic},
            {u"メイリオ", pgothic},        {u"Meiryo", pgothic},      {u"Meiryo UI", pgothic},
            {u"游ゴシック", pgothic},      {u"Yu Gothic", pgothic},   {u"游明朝", pmincho},
            {u"Yu Mincho", pmincho},
        };
        for (const auto& row : table)
            QFont::insertSubstitution(QString::fromUtf16(row.face), row.to);
    });
}

QFont toQFont(const FontSpec& spec)
{
    installFontSubstitutions();
    // No face has a longer name; a name of megabytes would be compared and looked up
    // in full on every text.
    constexpr qsizetype kLongestFaceName = 256;
    QFont font(spec.face.size() > kLongestFaceName ? spec.face.left(kLongestFaceName) : spec.face);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeOut);
    // Pixel sizes are device pixels of whatever surface the text lands on.
    font.setHintingPreference(QFont::PreferNoHinting);
    if (spec.height < 0) {
        font.setPixelSize(-spec.height);
    } else if (spec.height > 0) {
        // A positive height is the cell height: scale the em so ascent + descent fits it.
        font.setPixelSize(spec.height);
        const QFontMetrics metrics(font);
        const int cell = metrics.ascent() + metrics.descent();
        if (cell > 0) {
            const int em = std::max(
                1, static_cast<int>(std::lround(spec.height * spec.height / static_cast<double>(cell))));
            font.setPixelSize(em);
        }
    } else {
        font.setPixelSize(12);
    }
    return font;
}

int textWidth(const FontSpec& spec, const QString& text)
{
    if (text.isEmpty())
        return 0;
    return QFontMetrics(toQFont(spec)).horizontalAdvance(text);
}

namespace {

// A label sheet uses two or three fonts; a few more cost nothing to keep.
constexpr std::size_t kKeptFonts = 8;

} // namespace

bool sameFace(const FontSpec& a, const FontSpec& b)
{
    return a.face == b.face && a.height == b.height && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.strikeOut == b.strikeOut && a.charset == b.charset;
}

int TextMeasure::width(const FontSpec& spec, const QString& text)
{
    if (text.isEmpty())
        return 0;
    auto kept = std::find_if(m_fonts.begin(), m_fonts.end(),
                             [&spec](const Measured& m) { return sameFace(m.spec, spec); });
    if (kept == m_fonts.end()) {
        if (m_fonts.size() >= kKeptFonts)
            m_fonts.erase(m_fonts.begin());
        m_fonts.push_back({spec, QFontMetrics(toQFont(spec))});
        kept = m_fonts.end() - 1;
    }
    return kept->metrics.horizontalAdvance(text);
}

int textHeight(const FontSpec& spec, const QString& text)
{
    if (text.isEmpty())
        return 0;
    const QFontMetrics metrics(toQFont(spec));
    return metrics.ascent() + metrics.descent();
}

} // namespace korbena
