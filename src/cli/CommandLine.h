#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <optional>

namespace korbena {
class Error;
}

namespace korbena::cli {

// The pieces every command of korbena-cli shares: writing a line, reading a number
// argument, walking the options, and reporting a fault in the arguments.

// The text and a line feed, as UTF-8.
void writeLine(std::FILE* stream, const QString& text);

// A decimal integer argument within [low, high].
std::optional<int> parseInt(const QString& value, int low, int high);

// The faults of an option, as every command words them.
QString needsValue(const QString& name);                     // "--x needs a value"
QString badValue(const QString& name, const QString& value); // "bad value for --x: 'v'"
QString unknownOption(const QString& name);                  // "unknown option '--x'"

// How a command's options read: options that stand alone (flags, a file name) and
// options followed by their value.
struct OptionRules
{
    // Called first with every argument in option position: true when the argument
    // stands alone and was taken (a fault it finds goes to `fault`), false when it
    // is an option that takes a value. Unset: every option takes a value.
    std::function<bool(const QString& argument, std::optional<QString>& fault)> alone;
    // Called with an option and its value; returns the fault, or nothing.
    std::function<std::optional<QString>(const QString& name, const QString& value)> withValue;
    // False: an empty value counts as a missing one.
    bool emptyValues = false;
};

// Walks the arguments by the rules; returns the first fault, or nothing.
std::optional<QString> readOptions(const QStringList& args, const OptionRules& rules);

// Writes "korbena-cli COMMAND: fault" and the command's usage to err; returns the
// exit status of bad arguments, 2.
int usageFault(std::FILE* err, const char* command, const QString& fault, const char* usage);

// An error's message with its detail (which file, which line) in brackets after it.
QString errorText(const Error& error);

} // namespace korbena::cli
