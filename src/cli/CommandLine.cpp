#include "cli/CommandLine.h"

#include "platform/Error.h"

namespace korbena::cli {

void writeLine(std::FILE* stream, const QString& text)
{
    // Every byte, a NUL in a title included.
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

std::optional<int> parseInt(const QString& value, int low, int high)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < low || n > high)
        return std::nullopt;
    return n;
}

QString needsValue(const QString& name)
{
    return QStringLiteral("%1 needs a value").arg(name);
}

QString badValue(const QString& name, const QString& value)
{
    return QStringLiteral("bad value for %1: '%2'").arg(name, value);
}

QString unknownOption(const QString& name)
{
    return QStringLiteral("unknown option '%1'").arg(name);
}

std::optional<QString> readOptions(const QStringList& args, const OptionRules& rules)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& name = args[i];
        std::optional<QString> fault;
        if (rules.alone && rules.alone(name, fault)) {
            if (fault)
                return fault;
            continue;
        }
        if (i + 1 >= args.size() || (!rules.emptyValues && args[i + 1].isEmpty()))
            return needsValue(name);
        if (auto valueFault = rules.withValue(name, args[++i]))
            return valueFault;
    }
    return std::nullopt;
}

int usageFault(std::FILE* err, const char* command, const QString& fault, const char* usage)
{
    writeLine(err, QStringLiteral("korbena-cli %1: ").arg(QLatin1String(command)) + fault);
    std::fputs(usage, err);
    return 2;
}

QString errorText(const Error& error)
{
    QString text = error.message();
    if (!error.detail().isEmpty())
        text += QStringLiteral(" (") + error.detail() + u')';
    return text;
}

} // namespace korbena::cli
