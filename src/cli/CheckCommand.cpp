#include "cli/CheckCommand.h"

#include "symbol/CheckDigits.h"

#include <optional>

namespace korbena::cli {

const char* const kCheckUsage = "usage: korbena-cli check --mod10w3|--mod16|--mod43 TEXT\n"
                                "       --mod10w3: modulus 10 weight 3 (ITF), digits only\n"
                                "       --mod16:   NW-7 modulus 16, TEXT with its start and stop characters\n"
                                "       --mod43:   CODE-39 modulus 43, TEXT without the '*' characters\n"
                                "exit status: 0 computed; 1 the text was refused; 2 bad arguments\n";

namespace {

std::optional<CheckCalculator> calculatorFor(const QString& option)
{
    if (option == u"--mod10w3")
        return CheckCalculator::Modulus10Weight3;
    if (option == u"--mod16")
        return CheckCalculator::Modulus16NW7;
    if (option == u"--mod43")
        return CheckCalculator::Modulus43Code39;
    return std::nullopt;
}

// The message box breaks its lines with CR LF; a terminal wants LF.
void printLines(std::FILE* stream, QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

} // namespace

int runCheck(const QStringList& args, std::FILE* out, std::FILE* err)
{
    if (args.size() != 2) {
        std::fprintf(err, "korbena-cli check: %s\n%s",
                     args.size() < 2 ? "needs a routine and a text" : "takes a routine and one text",
                     kCheckUsage);
        return 2;
    }
    const auto calculator = calculatorFor(args[0]);
    if (!calculator) {
        std::fprintf(err, "korbena-cli check: unknown routine '%s'\n%s", qPrintable(args[0]), kCheckUsage);
        return 2;
    }
    const CheckCalculation result = CheckCalculatorMessage(*calculator, args[1]);
    printLines(result.ok ? out : err, result.message);
    return result.ok ? 0 : 1;
}

} // namespace korbena::cli
