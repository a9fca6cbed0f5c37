#pragma once

#include <QString>

#include <exception>

namespace korbena {

// An error a command does not handle itself: the application's error box shows
// message() as the system words it, with detail() (which file, which line) below.
// Whatever the command applied before the error stays applied.
class Error : public std::exception
{
public:
    explicit Error(QString message, QString detail = {});

    const QString& message() const noexcept { return message_; }
    const QString& detail() const noexcept { return detail_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QString detail_;
    QByteArray utf8_;
};

// A file that cannot be opened, read, created or written; the message is the
// platform's own text and the detail names the file.
class FileError : public Error
{
public:
    FileError(const QString& platformMessage, const QString& path);

    const QString& path() const noexcept { return path_; }

private:
    QString path_;
};

} // namespace korbena
