#pragma once

#include "platform/Color.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <vector>

namespace korbena {

// Character sets a font can ask for; only the Japanese one changes the fallback.
enum class FontCharset { Default = 1, ShiftJis = 128 };

// A font as the documents describe it: a face name, a height in device pixels
// (negative: the character height without internal leading; positive: the cell
// height), style flags and a colour.
struct FontSpec
{
    QString face = QStringLiteral("ＭＳ Ｐゴシック");
    int height = -12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    TColor color = clBlack;
    FontCharset charset = FontCharset::ShiftJis;

    // Point size at the given resolution, the way a font dialog shows it.
    int pointSize(int dpi = 96) const;
    void setPointSize(int points, int dpi = 96);

    bool operator==(const FontSpec&) const = default;
};

// The Windows faces the documents name are mapped to metric-compatible IPA faces
// so that text keeps its width; safe to call more than once.
void installFontSubstitutions();

// A QFont realising the spec at device-pixel sizes.
QFont toQFont(const FontSpec& spec);

// Width and height of a string in device pixels: the advance of the text and the
// font's cell height (ascent + descent), as text measuring reports them.
int textWidth(const FontSpec& spec, const QString& text);
int textHeight(const FontSpec& spec, const QString& text);

// textWidth for texts in the same few fonts over and over (the titles and numbers of
// thousands of labels): each font is looked up once instead of once a text. One
// measure serves one thread.
class TextMeasure
{
public:
    int width(const FontSpec& spec, const QString& text);

private:
    struct Measured
    {
        FontSpec spec;
        QFontMetrics metrics;
    };
    std::vector<Measured> m_fonts; // the most recent last
};

// Whether two specs give the same QFont: the colour is drawn, not looked up.
bool sameFace(const FontSpec& a, const FontSpec& b);

} // namespace korbena
