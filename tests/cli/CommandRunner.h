#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace korbena::cli::test {

// What a command printed and returned.
struct Outcome
{
    int code;
    QString out, err;
};

using Command = int (*)(const QStringList&, std::FILE*, std::FILE*);

// Runs a command in-process with its output caught in temporary files.
inline Outcome runCommand(Command command, const QStringList& args)
{
    struct FileCloser
    {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    using File = std::unique_ptr<std::FILE, FileCloser>;
    auto contents = [](std::FILE* file) {
        std::rewind(file);
        QByteArray bytes;
        char buffer[4096];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file))
            bytes.append(buffer, static_cast<qsizetype>(n));
        return QString::fromUtf8(bytes);
    };
    const File out(std::tmpfile()), err(std::tmpfile());
    const int code = command(args, out.get(), err.get());
    return {code, contents(out.get()), contents(err.get())};
}

} // namespace korbena::cli::test
