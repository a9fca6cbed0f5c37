#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

// A command run on a fresh working folder: the data home points into a temporary
// folder for the test and is put back afterwards; `work` takes the test's files.
class FreshWorkingFolder : public ::testing::Test
{
protected:
    QTemporaryDir home;
    QTemporaryDir work;
    QByteArray previousDataHome = qgetenv("XDG_DATA_HOME");

    void SetUp() override { qputenv("XDG_DATA_HOME", QFile::encodeName(home.path())); }
    void TearDown() override
    {
        if (previousDataHome.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", previousDataHome);
    }
};

} // namespace korbena::cli::test
