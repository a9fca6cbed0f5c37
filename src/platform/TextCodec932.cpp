#include "platform/TextCodec932.h"

#include <QSysInfo>

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace korbena {

namespace {

// The UTF-16 form QString holds in memory, for iconv.
constexpr const char* kUtf16 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
constexpr const char* kCp932 = "CP932";
constexpr char16_t kReplacement = u'\uFFFD';

class Iconv
{
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        // glibc ships CP932 in its gconv modules; without them nothing can be read.
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between code page 932 and UTF-16");
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // One call of iconv; returns errno, 0 when everything was converted.
    int convert(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft)
    {
        auto* input = const_cast<char*>(in);
        const std::size_t rc = iconv(cd_, &input, &inLeft, &out, &outLeft);
        in = input;
        return rc == static_cast<std::size_t>(-1) ? errno : 0;
    }

private:
    iconv_t cd_;
};

} // namespace

namespace cp932 {

QByteArray encode(QStringView text)
{
    // At most two bytes per UTF-16 unit: a double-byte character is one unit, and
    // a surrogate pair (two units) becomes a single "?".
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    if (text.isEmpty())
        return out;
    Iconv cd(kCp932, kUtf16);
    const char* const base = reinterpret_cast<const char*>(text.utf16());
    const char* in = base;
    std::size_t inLeft = static_cast<std::size_t>(text.size()) * 2;
    char* o = out.data();
    auto outLeft = static_cast<std::size_t>(out.size());
    while (inLeft > 0) {
        const int error = cd.convert(in, inLeft, o, outLeft);
        if (error == 0)
            break;
        if (error == E2BIG) {
            const qsizetype used = o - out.data();
            out.resize(out.size() * 2 + 16);
            o = out.data() + used;
            outLeft = static_cast<std::size_t>(out.size() - used);
            continue;
        }
        // EILSEQ (not in the code page, or a lone surrogate) or EINVAL (a high
        // surrogate at the very end): one "?" for the character.
        const auto index = static_cast<qsizetype>((in - base) / 2);
        const std::size_t skip =
            text[index].isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate() ? 4
                                                                                                         : 2;
        if (outLeft == 0) {
            const qsizetype used = o - out.data();
            out.resize(out.size() + 16);
            o = out.data() + used;
            outLeft = static_cast<std::size_t>(out.size() - used);
        }
        *o++ = '?';
        --outLeft;
        in += skip;
        inLeft -= skip;
    }
    out.resize(o - out.data());
    return out;
}

QString decode(QByteArrayView bytes)
{
    // Every byte gives at most one UTF-16 unit.
    QString out(bytes.size(), Qt::Uninitialized);
    if (bytes.isEmpty())
        return out;
    Iconv cd(kUtf16, kCp932);
    const char* in = bytes.data();
    auto inLeft = static_cast<std::size_t>(bytes.size());
    char* o = reinterpret_cast<char*>(out.data());
    std::size_t outLeft = static_cast<std::size_t>(out.size()) * 2;
    while (inLeft > 0) {
        const int error = cd.convert(in, inLeft, o, outLeft);
        if (error == 0)
            break;
        if (error == E2BIG)
            break; // cannot happen: one unit per byte at most
        // EILSEQ or EINVAL: this byte starts no character of the code page.
        auto* unit = reinterpret_cast<char16_t*>(o);
        *unit = kReplacement;
        o += 2;
        outLeft -= 2;
        ++in;
        --inLeft;
    }
    out.resize((o - reinterpret_cast<char*>(out.data())) / 2);
    return out;
}

} // namespace cp932

bool looksLikeUtf8(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return true;
    bool nonAscii = false;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            nonAscii = true;
            break;
        }
    }
    return nonAscii && bytes.isValidUtf8();
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.sliced(start).toString());
    return lines;
}

QString joinLinesCrLf(const QStringList& lines)
{
    qsizetype total = 0;
    for (const QString& line : lines)
        total += line.size() + 2;
    QString text;
    text.reserve(total);
    for (const QString& line : lines) {
        text.append(line);
        text.append(u"\r\n");
    }
    return text;
}

} // namespace korbena
