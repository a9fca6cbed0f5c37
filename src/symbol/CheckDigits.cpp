#include "symbol/CheckDigits.h"

#include "platform/DecimalText.h"

#include <QString>

#include <iterator>

namespace korbena {

namespace {

// Explicit lengths: the tables end in a terminating zero that is not a value.
const QStringView kNw7Table(kNw7CheckTable, std::size(kNw7CheckTable) - 1);
const QStringView kCode39Table(kCode39CheckTable, std::size(kCode39CheckTable) - 1);

// The sum of the table values of the characters; a character the table does not
// hold counts 0.
qsizetype tableSum(QStringView code, QStringView table)
{
    qsizetype sum = 0;
    for (const QChar c : code) {
        const qsizetype value = table.indexOf(c);
        if (value >= 0)
            sum += value;
    }
    return sum;
}

// The last character of a text, a surrogate pair counting as one.
qsizetype lastCharacterLength(QStringView text)
{
    if (text.size() >= 2 && text.back().isLowSurrogate() && text[text.size() - 2].isHighSurrogate())
        return 2;
    return text.isEmpty() ? 0 : 1;
}

} // namespace

int Mod10CheckDigit(QStringView digits)
{
    // Only the sum modulo 10 matters, so no length of text can overflow it.
    int sum = 0;
    bool weightThree = true;
    for (auto it = digits.crbegin(); it != digits.crend(); ++it) {
        const int d = isAsciiDigit(*it) ? asciiDigitValue(*it) : 0;
        sum = (sum + (weightThree ? 3 * d : d)) % 10;
        weightThree = !weightThree;
    }
    return sum > 0 ? 10 - sum : 0;
}

QString Modulus10Weight3(QStringView code, QString* error)
{
    auto fail = [&](QStringView offending) {
        if (error)
            *error = notAnIntegerMessage(offending);
        return QString();
    };
    if (code.isEmpty())
        return fail({});
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (!isAsciiDigit(code[i])) {
            const bool pair =
                code[i].isHighSurrogate() && i + 1 < code.size() && code[i + 1].isLowSurrogate();
            return fail(code.mid(i, pair ? 2 : 1));
        }
    }
    return QString(QChar(u'0' + Mod10CheckDigit(code)));
}

int Modulus16NW7Value(QStringView code)
{
    const int v = static_cast<int>(tableSum(code, kNw7Table) % 16);
    return v == 0 ? 0 : 16 - v;
}

QString Modulus16NW7(QStringView code)
{
    return QString(kNw7Table[Modulus16NW7Value(code)]);
}

int Modulus43Code39Value(QStringView code)
{
    return static_cast<int>(tableSum(code, kCode39Table) % 43);
}

QString Modulus43Code39(QStringView code)
{
    return QString(kCode39Table[Modulus43Code39Value(code)]);
}

QString CheckCalculatorCaption(CheckCalculator calculator)
{
    switch (calculator) {
    case CheckCalculator::Modulus10Weight3:
        return QStringLiteral("モジュラス10のウエイト3(ITF)");
    case CheckCalculator::Modulus16NW7:
        return QStringLiteral("モジュラス16(NW-7)");
    case CheckCalculator::Modulus43Code39:
        return QStringLiteral("モジュラス43(CODE39)");
    }
    return {};
}

QString CheckCalculatorPrompt()
{
    return QStringLiteral("バーコード番号を入力してください");
}

CheckCalculation CheckCalculatorMessage(CheckCalculator calculator, QStringView input)
{
    const QString v = input.toString();
    QString cd;
    QString result;
    switch (calculator) {
    case CheckCalculator::Modulus10Weight3: {
        QString error;
        cd = Modulus10Weight3(v, &error);
        if (cd.isEmpty())
            return {false, error};
        result = v + QChar(u'→') + v + cd;
        break;
    }
    case CheckCalculator::Modulus16NW7: {
        // The check character goes before the stop character.
        const qsizetype stop = lastCharacterLength(v);
        cd = Modulus16NW7(v);
        result = v + QChar(u'→') + v.left(v.size() - stop) + cd + v.right(stop);
        break;
    }
    case CheckCalculator::Modulus43Code39:
        cd = Modulus43Code39(v);
        result = u'*' + v + cd + u'*';
        break;
    }
    return {true,
            QStringLiteral("チェックデジット=") + cd + QStringLiteral("\r\nデ ー タ 結 果  =") + result};
}

} // namespace korbena
