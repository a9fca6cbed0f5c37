#pragma once

#include <QString>
#include <QStringView>

// The check characters: modulus 10 with weights 3 and 1, NW-7 modulus 16 and CODE-39
// modulus 43. The symbol encoders, the check-digit calculators and the number text
// printed beside each barcode all take them from here.

namespace korbena {

// The NW-7 (Codabar) and CODE-39 characters in the order of their check values.
inline constexpr char16_t kNw7CheckTable[] = u"0123456789-$:/.+ABCD";
inline constexpr char16_t kCode39CheckTable[] = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
static_assert(sizeof kNw7CheckTable / sizeof(char16_t) - 1 == 20, "NW-7 modulus 16 uses 20 values");
static_assert(sizeof kCode39CheckTable / sizeof(char16_t) - 1 == 43, "CODE-39 modulus 43 uses 43 values");

// The modulo-10 check digit of the symbol encoders (GS1): weights 3, 1, 3, ... from
// the rightmost digit. Characters other than the ASCII digits count as 0.
int Mod10CheckDigit(QStringView digits);

// The modulus 10 weight 3 check digit (GS1; the ITF calculator): weight 3 on the
// rightmost digit and every second digit to its left. Every character must be a
// digit "0" to "9": otherwise, and for an empty text, the result is empty and
// `error` receives the conversion error "'%s' は整数ではありません" naming the
// offending character (nothing for an empty text).
QString Modulus10Weight3(QStringView code, QString* error = nullptr);

// The NW-7 modulus 16 check character over every character, start and stop
// characters included. Characters outside the table, lower case too, count 0.
QString Modulus16NW7(QStringView code);
// The value of that character: its place in kNw7CheckTable.
int Modulus16NW7Value(QStringView code);

// The CODE-39 modulus 43 check character (ISO/IEC 16388) of the data without the
// "*" start and stop characters. Characters outside the table count 0.
QString Modulus43Code39(QStringView code);
// The value of that character: its place in kCode39CheckTable.
int Modulus43Code39Value(QStringView code);

// The three calculators of the menu "チェックデジット計算".
enum class CheckCalculator { Modulus10Weight3, Modulus16NW7, Modulus43Code39 };

// The calculator's caption, which its input box shows as well.
QString CheckCalculatorCaption(CheckCalculator calculator);

// The prompt of the calculators' input box.
QString CheckCalculatorPrompt();

struct CheckCalculation
{
    bool ok = false;
    QString message; // the information box's text, or the conversion error when !ok
};

// What a calculator shows for the entered text: "チェックデジット=" + the check
// character, a line break ("\r\n"), "デ ー タ 結 果  =" and the code written with
// its check character as the calculator writes it.
CheckCalculation CheckCalculatorMessage(CheckCalculator calculator, QStringView input);

} // namespace korbena
