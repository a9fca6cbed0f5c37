#include "verify/ExpectedReading.h"

#include "symbol/BarImage.h"
#include "symbol/EncoderText.h"
#include "symbol/Gs1.h"

#include <array>
#include <string_view>

namespace korbena {

namespace {

// The names of the control characters 0 to 31 in the CODE-128 input syntax (value 5
// is spelled "ENO" there).
constexpr std::array<std::string_view, 32> kControlNames = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENO", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};

int controlCode(QStringView name)
{
    for (std::size_t i = 0; i < kControlNames.size(); ++i) {
        if (name ==
            QLatin1StringView(kControlNames[i].data(), static_cast<qsizetype>(kControlNames[i].size())))
            return static_cast<int>(i);
    }
    return -1;
}

bool isLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

enum class Set { A, B, C };

// One symbol character of the input syntax: a character standing for itself (two
// digits in set C) or a named escape, upper-cased.
struct Token
{
    QString text;
    bool named = false;
};

// Reads the tokens of CODE-128 text in the input syntax, following the code set:
// "<<" and ">x" are characters, "<NAME>" an escape, set C takes digits by pairs.
std::vector<std::pair<Token, Set>> tokenize(QStringView s, Set set)
{
    std::vector<std::pair<Token, Set>> tokens;
    bool shifted = false;
    Set before = set;
    qsizetype pos = 0;
    const qsizetype n = s.size();
    while (pos < n) {
        Token token;
        const QChar c = s[pos];
        if (c == u'<' && pos + 1 < n && s[pos + 1] == u'<') {
            token.text = QStringLiteral("<");
            pos += 2;
        } else if (c == u'<' && pos + 1 < n) {
            const qsizetype close = s.indexOf(u'>', pos + 1);
            const qsizetype end = close < 0 ? n : close;
            token.text = s.mid(pos + 1, end - pos - 1).toString().toUpper();
            token.named = true;
            pos = close < 0 ? n : close + 1;
        } else if (c == u'>' && pos + 1 < n) {
            token.text = s.mid(pos + 1, 1).toString();
            pos += 2;
        } else {
            const qsizetype length = set == Set::C && pos + 1 < n ? 2 : 1;
            token.text = s.mid(pos, length).toString();
            pos += length;
        }
        tokens.emplace_back(token, set);
        // The set for the next symbol: a switch holds, SHIFT lasts one character.
        if (token.named && token.text == u"SHIFT" && set != Set::C && !shifted) {
            before = set;
            set = set == Set::A ? Set::B : Set::A;
            shifted = true;
        } else if (token.named && token.text.startsWith(u"CODE") && token.text.size() == 5) {
            set = token.text[4] == u'A' ? Set::A : token.text[4] == u'B' ? Set::B : Set::C;
            shifted = false;
        } else if (shifted) {
            set = before;
            shifted = false;
        }
    }
    return tokens;
}

ExpectedReading unreadable(ExpectedReading::Kind kind)
{
    ExpectedReading reading;
    reading.kind = kind;
    return reading;
}

ExpectedReading readable(ReadFormat format, QString text)
{
    ExpectedReading reading;
    reading.kind = ExpectedReading::Kind::Readable;
    reading.format = format;
    reading.text = std::move(text);
    return reading;
}

// The data between the first and the last character.
QString inner(const QString& text)
{
    return text.size() >= 2 ? text.mid(1, text.size() - 2) : QString();
}

// A matrix symbol sends its data as typed; GS1 data as the element string with GS
// separators, under the GS1 symbology identifier (]Q3 for QR Code, ]d2 for DataMatrix).
ExpectedReading expectedMatrixReading(const BarImage& bar)
{
    const ReadFormat format = bar.BarType() == cbarQR           ? ReadFormat::QrCode
                              : bar.BarType() == cbarDATAMATRIX ? ReadFormat::DataMatrix
                                                                : ReadFormat::Pdf417;
    if (!carriesGs1(bar.BarType(), bar.MatrixSettings()))
        return readable(format, bar.Code());
    const Gs1Reading gs1 = readGs1(bar.Code());
    ExpectedReading reading = readable(format, gs1Transmitted(gs1.elements));
    reading.identifier = format == ReadFormat::QrCode ? QStringLiteral("]Q3") : QStringLiteral("]d2");
    return reading;
}

} // namespace

ExpectedReading expectedCode128Reading(const QString& workSymbol)
{
    if (workSymbol.size() < 2)
        return unreadable(ExpectedReading::Kind::UnreadableData);
    const QChar start = workSymbol[0];
    const Set set = start == u'B' ? Set::B : start == u'C' ? Set::C : Set::A;
    auto tokens = tokenize(QStringView(workSymbol).sliced(1), set);
    if (tokens.empty())
        return unreadable(ExpectedReading::Kind::UnreadableData);
    tokens.pop_back(); // the check character

    // ISO/IEC 15417 Annex B: FNC1 before any data marks GS1 data (]C1), after a
    // single letter (sets A and B) or digit pair (set C) an application identifier
    // (]C2); either is not transmitted, and switches before it do not count as data.
    // Anywhere else it is sent as GS.
    ExpectedReading reading = readable(ReadFormat::Code128, {});
    reading.identifier = QStringLiteral("]C0");
    for (const auto& [token, tokenSet] : tokens) {
        if (!token.named) {
            reading.text += token.text;
            continue;
        }
        if (token.text == u"FNC1") {
            const QString& text = reading.text;
            const bool pair =
                tokenSet == Set::C && text.size() == 2 && isAsciiDigit(text[0]) && isAsciiDigit(text[1]);
            const bool letter = tokenSet != Set::C && text.size() == 1 && isLetter(text[0]);
            if (text.isEmpty())
                reading.identifier = QStringLiteral("]C1");
            else if (pair || letter)
                reading.identifier = QStringLiteral("]C2");
            else
                reading.text += QChar(0x1d);
        } else if (token.text == u"SHIFT" || token.text.startsWith(u"CODE")) {
            continue;
        } else if (tokenSet == Set::A && controlCode(token.text) >= 0) {
            reading.text += QChar(controlCode(token.text));
        } else if (tokenSet == Set::B && token.text == u"DEL") {
            reading.text += QChar(0x7f);
        } else {
            // FNC2, FNC3 and FNC4 change what a reader does with the message.
            return unreadable(ExpectedReading::Kind::UnreadableData);
        }
    }
    return reading;
}

Code93Text code93FullAscii(const QString& code)
{
    Code93Text out;
    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = code[i];
        const bool escape =
            c == u'<' && i + 3 < n && code[i + 2] == u'>' && QStringView(u"$%/+").contains(code[i + 1]);
        if (!escape) {
            out.text += c;
            continue;
        }
        const QChar shift = code[i + 1];
        const QChar letter = code[i + 3];
        i += 3;
        if (letter < u'A' || letter > u'Z') {
            out.ok = false;
            continue;
        }
        const int k = letter.unicode() - u'A';
        // AIM USS Code 93, full ASCII: ($)A..Z SOH..SUB, (+)A..Z a..z, (/)A..O ! .. /
        // and (/)Z colon, (%)A..E ESC..US, F..J ;<=>?, K..O [\]^_, P..T {|}~ DEL,
        // U NUL, V @, W `, X..Z DEL.
        char16_t meaning = 0;
        if (shift == u'$') {
            meaning = static_cast<char16_t>(1 + k);
        } else if (shift == u'+') {
            meaning = static_cast<char16_t>(u'a' + k);
        } else if (shift == u'/') {
            if (k < 15)
                meaning = static_cast<char16_t>(u'!' + k);
            else if (letter == u'Z')
                meaning = u':';
            else
                out.ok = false;
        } else {
            constexpr std::u16string_view kPercent = u"\x1b\x1c\x1d\x1e\x1f;<=>?[\\]^_{|}~\x7f";
            if (k < 20)
                meaning = kPercent[static_cast<std::size_t>(k)];
            else
                meaning = letter == u'U' ? u'\0' : letter == u'V' ? u'@' : letter == u'W' ? u'`' : u'\x7f';
        }
        out.text += QChar(meaning);
    }
    return out;
}

ExpectedReading expectedReading(const BarImage& bar)
{
    const QString& work = bar.WorkSymbol();
    switch (bar.BarType()) {
    case cbarJAN:
        return readable(work.size() == 8 ? ReadFormat::Ean8 : ReadFormat::Ean13, work);
    case cbarUPC:
        return readable(work.size() == 8 ? ReadFormat::UpcE : ReadFormat::UpcA, work);
    case cbarCODE39:
        // The reader leaves out the start and stop asterisks and keeps the check character.
        return readable(ReadFormat::Code39, inner(work));
    case cbarNW7:
        // Without its start and stop characters; readers want two characters between them.
        if (work.size() < 4)
            return unreadable(ExpectedReading::Kind::UnreadableData);
        return readable(ReadFormat::Codabar, inner(work));
    case cbarITF:
        // Readers take ITF of six digits or more, shorter runs being too easily misread.
        if (work.size() < 6)
            return unreadable(ExpectedReading::Kind::UnreadableData);
        return readable(ReadFormat::Itf, work);
    case cbarCODE128:
        return expectedCode128Reading(work);
    case cbarCODE93: {
        const Code93Text text = code93FullAscii(bar.Code());
        if (!text.ok)
            return unreadable(ExpectedReading::Kind::UnreadableData);
        return readable(ReadFormat::Code93, text.text);
    }
    case cbarGS1_128:
        return expectedCode128Reading(work);
    case cbarQR:
    case cbarDATAMATRIX:
    case cbarPDF417:
        return expectedMatrixReading(bar);
    case cbarCTF:
    case cbarIATA:
    case cbarMATRIX:
    case cbarNEC:
    case cbarCUSTOMER:
        break;
    }
    return unreadable(ExpectedReading::Kind::UnreadableType);
}

QString visibleText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < kControlNames.size()) {
            const std::string_view name = kControlNames[c.unicode()];
            out += u'<' + QLatin1StringView(name.data(), static_cast<qsizetype>(name.size())) + u'>';
        } else if (c.unicode() == 0x7f) {
            out += QStringLiteral("<DEL>");
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace korbena
