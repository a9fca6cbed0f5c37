#include "symbol/CheckDigits.h"

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

QString Modulus10Weight3(QStringView code, QString* error)
{
    auto fail = [&](QStringView offending) {
        if (error)
            *error = QStringLiteral("'%1' は整数ではありません").arg(offending);
        return QString();
    };
    if (code.isEmpty())
        return fail({});
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (code[i] < u'0' || code[i] > u'9') {
            const bool pair =
                code[i].isHighSurrogate() && i + 1 < code.size() && code[i + 1].isLowSurrogate();
            return fail(code.mid(i, pair ? 2 : 1));
        }
    }
    // Only the sums modulo 10 matter, so no length of text can overflow them.
    int odd = 0, even = 0;
    bool oddPosition = true;
    for (auto it = code.crbegin(); it != code.crend(); ++it) {
        int& sum = oddPosition ? odd : even;
        sum = (sum + (it->unicode() - u'0')) % 10;
        oddPosition = !oddPosition;
    }
    const int t = (3 * odd + even) % 10;
    return QString(QChar(u'0' + (t == 0 ? 0 : 10 - t)));
}

QString Modulus16NW7(QStringView code)
{
    const qsizetype v = tableSum(code, kNw7Table) % 16;
    return QString(kNw7Table[v == 0 ? 0 : 16 - v]);
}

QString Modulus43Code39(QStringView code)
{
    return QString(kCode39Table[tableSum(code, kCode39Table) % 43]);
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
