#include "symbol/Gs1.h"

#include "symbol/ElementPattern.h"
#include "symbol/EncoderText.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace korbena {

namespace {

enum class Charset : unsigned char {
    Numeric, // digits only
    Cset82,  // GS1 AI encodable character set 82
    Cset39,  // GS1 AI encodable character set 39
};

enum class Check : unsigned char {
    None,
    CheckDigit, // the last digit is the GS1 modulo-10 check digit
    Date,       // YYMMDD
    DateOrMonth // YYMMDD, DD may be 00 when only the month is known
};

struct AiSpec
{
    std::string_view ai;    // the identifier; with `decimals` the last digit varies
    unsigned char decimals; // >0: one more digit 0..decimals-1 follows `ai` (the decimal point)
    Charset charset;
    unsigned char minLength;
    unsigned char maxLength;
    Check check;
};

using C = Charset;
using K = Check;

// GS1 application identifiers with the format of their data, from the GS1 General
// Specifications (Release 23.0), section 3.2 "GS1 Application Identifiers in
// numerical order". Identifiers whose data is composed of parts of different kinds
// are listed with the character set that admits every part.
constexpr std::array kAiTable = {
    // Identification of logistic units, trade items, shipments
    AiSpec{"00", 0, C::Numeric, 18, 18, K::CheckDigit},
    AiSpec{"01", 0, C::Numeric, 14, 14, K::CheckDigit},
    AiSpec{"02", 0, C::Numeric, 14, 14, K::CheckDigit},
    AiSpec{"10", 0, C::Cset82, 1, 20, K::None},
    AiSpec{"11", 0, C::Numeric, 6, 6, K::DateOrMonth},
    AiSpec{"12", 0, C::Numeric, 6, 6, K::DateOrMonth},
    AiSpec{"13", 0, C::Numeric, 6, 6, K::DateOrMonth},
    AiSpec{"15", 0, C::Numeric, 6, 6, K::DateOrMonth},
    AiSpec{"16", 0, C::Numeric, 6, 6, K::DateOrMonth},
    AiSpec{"17", 0, C::Numeric, 6, 6, K::DateOrMonth},
    AiSpec{"20", 0, C::Numeric, 2, 2, K::None},
    AiSpec{"21", 0, C::Cset82, 1, 20, K::None},
    AiSpec{"22", 0, C::Cset82, 1, 20, K::None},
    AiSpec{"235", 0, C::Cset82, 1, 28, K::None},
    AiSpec{"240", 0, C::Cset82, 1, 30, K::None},
    AiSpec{"241", 0, C::Cset82, 1, 30, K::None},
    AiSpec{"242", 0, C::Numeric, 1, 6, K::None},
    AiSpec{"243", 0, C::Cset82, 1, 20, K::None},
    AiSpec{"250", 0, C::Cset82, 1, 30, K::None},
    AiSpec{"251", 0, C::Cset82, 1, 30, K::None},
    AiSpec{"253", 0, C::Cset82, 13, 30, K::None},
    AiSpec{"254", 0, C::Cset82, 1, 20, K::None},
    AiSpec{"255", 0, C::Numeric, 13, 25, K::None},
    AiSpec{"30", 0, C::Numeric, 1, 8, K::None},
    // Trade measures: the fourth digit places the decimal point.
    AiSpec{"310", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"311", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"312", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"313", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"314", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"315", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"316", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"320", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"321", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"322", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"323", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"324", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"325", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"326", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"327", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"328", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"329", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"330", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"331", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"332", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"333", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"334", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"335", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"336", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"337", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"340", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"341", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"342", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"343", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"344", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"345", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"346", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"347", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"348", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"349", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"350", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"351", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"352", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"353", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"354", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"355", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"356", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"357", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"360", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"361", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"362", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"363", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"364", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"365", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"366", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"367", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"368", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"369", 6, C::Numeric, 6, 6, K::None},
    AiSpec{"37", 0, C::Numeric, 1, 8, K::None},
    AiSpec{"390", 10, C::Numeric, 1, 15, K::None},
    AiSpec{"391", 10, C::Numeric, 4, 18, K::None},
    AiSpec{"392", 10, C::Numeric, 1, 15, K::None},
    AiSpec{"393", 10, C::Numeric, 4, 18, K::None},
    AiSpec{"394", 10, C::Numeric, 4, 4, K::None},
    AiSpec{"395", 10, C::Numeric, 6, 6, K::None},
    AiSpec{"400", 0, C::Cset82, 1, 30, K::None},
    AiSpec{"401", 0, C::Cset82, 1, 30, K::None},
    AiSpec{"402", 0, C::Numeric, 17, 17, K::CheckDigit},
    AiSpec{"403", 0, C::Cset82, 1, 30, K::None},
    AiSpec{"410", 0, C::Numeric, 13, 13, K::CheckDigit},
    AiSpec{"411", 0, C::Numeric, 13, 13, K::CheckDigit},
    AiSpec{"412", 0, C::Numeric, 13, 13, K::CheckDigit},
    AiSpec{"413", 0, C::Numeric, 13, 13, K::CheckDigit},
    AiSpec{"414", 0, C::Numeric, 13, 13, K::CheckDigit},
    AiSpec{"415", 0, C::Numeric, 13, 13, K::CheckDigit},
    AiSpec{"416", 0, C::Numeric, 13, 13, K::CheckDigit},
    AiSpec{"417", 0, C::Numeric, 13, 13, K::CheckDigit},
    AiSpec{"420", 0, C::Cset82, 1, 20, K::None},
    AiSpec{"421", 0, C::Cset82, 4, 12, K::None},
    AiSpec{"422", 0, C::Numeric, 3, 3, K::None},
    AiSpec{"423", 0, C::Numeric, 3, 15, K::None},
    AiSpec{"424", 0, C::Numeric, 3, 3, K::None},
    AiSpec{"425", 0, C::Numeric, 3, 15, K::None},
    AiSpec{"426", 0, C::Numeric, 3, 3, K::None},
    AiSpec{"427", 0, C::Cset82, 1, 3, K::None},
    AiSpec{"7001", 0, C::Numeric, 13, 13, K::None},
    AiSpec{"7002", 0, C::Cset82, 1, 30, K::None},
    AiSpec{"7003", 0, C::Numeric, 10, 10, K::None},
    AiSpec{"7004", 0, C::Numeric, 1, 4, K::None},
    AiSpec{"7005", 0, C::Cset82, 1, 12, K::None},
    AiSpec{"7006", 0, C::Numeric, 6, 6, K::Date},
    AiSpec{"7007", 0, C::Numeric, 6, 12, K::None},
    AiSpec{"7008", 0, C::Cset82, 1, 3, K::None},
    AiSpec{"7009", 0, C::Cset82, 1, 10, K::None},
    AiSpec{"7010", 0, C::Cset82, 1, 2, K::None},
    AiSpec{"8001", 0, C::Numeric, 14, 14, K::None},
    AiSpec{"8002", 0, C::Cset82, 1, 20, K::None},
    AiSpec{"8003", 0, C::Cset82, 14, 30, K::None},
    AiSpec{"8004", 0, C::Cset82, 1, 30, K::None},
    AiSpec{"8005", 0, C::Numeric, 6, 6, K::None},
    AiSpec{"8006", 0, C::Numeric, 18, 18, K::None},
    AiSpec{"8007", 0, C::Cset82, 1, 34, K::None},
    AiSpec{"8008", 0, C::Numeric, 8, 12, K::None},
    AiSpec{"8010", 0, C::Cset39, 1, 30, K::None},
    AiSpec{"8011", 0, C::Numeric, 1, 12, K::None},
    AiSpec{"8012", 0, C::Cset82, 1, 20, K::None},
    AiSpec{"8013", 0, C::Cset82, 1, 25, K::None},
    AiSpec{"8017", 0, C::Numeric, 18, 18, K::CheckDigit},
    AiSpec{"8018", 0, C::Numeric, 18, 18, K::CheckDigit},
    AiSpec{"8019", 0, C::Numeric, 1, 10, K::None},
    AiSpec{"8020", 0, C::Cset82, 1, 25, K::None},
    AiSpec{"8200", 0, C::Cset82, 1, 70, K::None},
    // Internal to a company or between partners; AI 91 carries the Japanese
    // convenience-store payment data.
    AiSpec{"90", 0, C::Cset82, 1, 30, K::None},
    AiSpec{"91", 0, C::Cset82, 1, 90, K::None},
    AiSpec{"92", 0, C::Cset82, 1, 90, K::None},
    AiSpec{"93", 0, C::Cset82, 1, 90, K::None},
    AiSpec{"94", 0, C::Cset82, 1, 90, K::None},
    AiSpec{"95", 0, C::Cset82, 1, 90, K::None},
    AiSpec{"96", 0, C::Cset82, 1, 90, K::None},
    AiSpec{"97", 0, C::Cset82, 1, 90, K::None},
    AiSpec{"98", 0, C::Cset82, 1, 90, K::None},
    AiSpec{"99", 0, C::Cset82, 1, 90, K::None},
};

// The two-digit starts of the identifiers whose length is predefined (GS1 General
// Specifications, figure 7.8.5-1): no FNC1 follows their data.
constexpr std::array<std::string_view, 22> kPredefinedLength = {
    "00", "01", "02", "03", "04", "11", "12", "13", "14", "15", "16",
    "17", "18", "19", "20", "31", "32", "33", "34", "35", "36", "41",
};

std::optional<AiSpec> findAi(QStringView ai)
{
    for (const AiSpec& spec : kAiTable) {
        const auto base = static_cast<qsizetype>(spec.ai.size());
        const qsizetype length = base + (spec.decimals > 0 ? 1 : 0);
        if (ai.size() != length || ai.first(base) != QLatin1String(spec.ai.data(), base))
            continue;
        if (spec.decimals > 0 && digitValue(ai[base]) >= spec.decimals)
            continue;
        return spec;
    }
    return std::nullopt;
}

bool inCset82(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return true;
    if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))
        return true;
    return std::u16string_view(u"!\"%&'()*+,-./:;<=>?_").find(u) != std::u16string_view::npos;
}

bool inCset39(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || u == u'#' || u == u'-' || u == u'/';
}

bool validDate(QStringView date, bool dayMayBeZero)
{
    const int yy = date.first(2).toInt();
    const int mm = date.sliced(2, 2).toInt();
    const int dd = date.sliced(4, 2).toInt();
    if (mm < 1 || mm > 12)
        return false;
    if (dd == 0)
        return dayMayBeZero;
    // The century does not matter but for 1900, which GS1's sliding window never
    // reaches for a two-digit year of 00 (it means 2000, a leap year).
    constexpr std::array<int, 12> days = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mm == 2 && dd == 29)
        return yy % 4 == 0;
    return dd <= days[static_cast<std::size_t>(mm - 1)];
}

QString checkElement(const Gs1Element& element)
{
    const std::optional<AiSpec> spec = findAi(element.ai);
    const QString name = u'(' + element.ai + u')';
    if (!spec)
        return QStringLiteral("GS1: %1 は登録されたアプリケーション識別子ではありません").arg(name);
    const qsizetype length = element.data.size();
    if (length < spec->minLength || length > spec->maxLength) {
        if (spec->minLength == spec->maxLength)
            return QStringLiteral("GS1: %1 のデータは %2 桁です").arg(name).arg(spec->minLength);
        return QStringLiteral("GS1: %1 のデータは %2 から %3 文字です")
            .arg(name)
            .arg(spec->minLength)
            .arg(spec->maxLength);
    }
    for (const QChar c : element.data) {
        const bool ok = spec->charset == C::Numeric  ? isAsciiDigit(c)
                        : spec->charset == C::Cset39 ? inCset39(c)
                                                     : inCset82(c);
        if (!ok) {
            if (spec->charset == C::Numeric)
                return QStringLiteral("GS1: %1 のデータには数字だけが使えます").arg(name);
            return QStringLiteral("GS1: %1 のデータに使えない文字 '%2' があります").arg(name, QString(c));
        }
    }
    if (spec->check == K::CheckDigit &&
        static_cast<std::size_t>(Mod10CheckDigit(QStringView(element.data).first(length - 1))) !=
            digitValue(element.data.back()))
        return QStringLiteral("GS1: %1 のチェックディジットが正しくありません").arg(name);
    if ((spec->check == K::Date || spec->check == K::DateOrMonth) &&
        !validDate(element.data, spec->check == K::DateOrMonth))
        return QStringLiteral("GS1: %1 の日付が正しくありません").arg(name);
    return {};
}

// The length of "(digits)" at `at`, 0 when none starts there.
qsizetype identifierAt(const QString& text, qsizetype at)
{
    if (at >= text.size() || text[at] != u'(')
        return 0;
    qsizetype i = at + 1;
    while (i < text.size() && isAsciiDigit(text[i]))
        ++i;
    const qsizetype digits = i - at - 1;
    if (digits < 2 || digits > 4 || i >= text.size() || text[i] != u')')
        return 0;
    return digits + 2;
}

QString escapedForCode128(const QString& data)
{
    QString out;
    out.reserve(data.size());
    for (const QChar c : data) {
        if (c == u'<' || c == u'>')
            out.append(c);
        out.append(c);
    }
    return out;
}

} // namespace

Gs1Reading readGs1(const QString& humanForm)
{
    Gs1Reading reading;
    const QString& text = humanForm;
    qsizetype at = 0;
    if (identifierAt(text, 0) == 0) {
        reading.error = QStringLiteral("GS1: \"(01)04912345678904(10)LOT1\" のように (AI) で始めてください");
        return reading;
    }
    while (at < text.size()) {
        const qsizetype head = identifierAt(text, at);
        Gs1Element element;
        element.ai = text.mid(at + 1, head - 2);
        qsizetype end = at + head;
        while (end < text.size() && identifierAt(text, end) == 0)
            ++end;
        element.data = text.mid(at + head, end - at - head);
        if (element.data.isEmpty()) {
            reading.error = QStringLiteral("GS1: (%1) のデータがありません").arg(element.ai);
            return reading;
        }
        if (QString problem = checkElement(element); !problem.isEmpty()) {
            reading.error = std::move(problem);
            return reading;
        }
        reading.elements.push_back(std::move(element));
        at = end;
    }
    return reading;
}

QString gs1Problem(const QString& humanForm)
{
    return readGs1(humanForm).error;
}

bool gs1PredefinedLength(const QString& ai)
{
    for (const std::string_view start : kPredefinedLength) {
        if (ai.startsWith(QLatin1String(start.data(), 2)))
            return true;
    }
    return false;
}

QString gs1Code128Input(const std::vector<Gs1Element>& elements)
{
    QString out = QStringLiteral("<FNC1>");
    for (std::size_t i = 0; i < elements.size(); ++i) {
        out += elements[i].ai + escapedForCode128(elements[i].data);
        if (i + 1 < elements.size() && !gs1PredefinedLength(elements[i].ai))
            out += QStringLiteral("<FNC1>");
    }
    return out;
}

QString gs1Transmitted(const std::vector<Gs1Element>& elements)
{
    QString out;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        out += elements[i].ai + elements[i].data;
        if (i + 1 < elements.size() && !gs1PredefinedLength(elements[i].ai))
            out += QChar(0x1D);
    }
    return out;
}

QString gs1Bracketed(const std::vector<Gs1Element>& elements)
{
    QString out;
    for (const Gs1Element& element : elements)
        out += u'[' + element.ai + u']' + element.data;
    return out;
}

} // namespace korbena

namespace korbena {

Encoding encodeGs1_128(const QString& humanForm)
{
    const Gs1Reading reading = readGs1(humanForm);
    if (!reading.ok() || gs1Transmitted(reading.elements).size() > kGs1_128MaxCharacters)
        return {};
    EncodeOptions options;
    options.automatic = true;
    // Automatic segmentation finds switch and function escapes anywhere in the text, so
    // data holding "<" or ">" could read as one ("<<CODEB>>"); such data goes in set B,
    // which holds every GS1 data character, read token by token.
    const bool angled =
        std::any_of(reading.elements.begin(), reading.elements.end(),
                    [](const Gs1Element& e) { return e.data.contains(u'<') || e.data.contains(u'>'); });
    if (angled) {
        options.automatic = false;
        options.startChar = u'B';
    }
    Encoding encoding = encodeCode128(gs1Code128Input(reading.elements), options);
    // The CODE-128 settings of the component are not GS1-128's to change.
    encoding.f128Code.reset();
    encoding.startChar.reset();
    if (encoding.ok())
        encoding.symbol = humanForm;
    return encoding;
}

} // namespace korbena
