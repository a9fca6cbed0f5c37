#include "cli/CheckCommand.h"

#include "cli/CommandLine.h"
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

} // namespace

int runCheck(const QStringList& args, std::FILE* out, std::FILE* err)
{
    if (args.size() != 2)
        return usageFault(err, "check",
                          args.size() < 2 ? QStringLiteral("needs a routine and a text")
                                          : QStringLiteral("takes a routine and one text"),
                          kCheckUsage);
    const auto calculator = calculatorFor(args[0]);
    if (!calculator)
        return usageFault(err, "check", QStringLiteral("unknown routine '%1'").arg(args[0]), kCheckUsage);
    CheckCalculation result = CheckCalculatorMessage(*calculator, args[1]);
    // The message box breaks its lines with CR LF; a terminal wants LF.
    writeLine(result.ok ? out : err, result.message.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    return result.ok ? 0 : 1;
}

} // namespace korbena::cli
