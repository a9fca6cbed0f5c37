#include "platform/Error.h"

#include <QDir>

namespace korbena {

Error::Error(QString message, QString detail)
    : message_(std::move(message)), detail_(std::move(detail)), utf8_(message_.toUtf8())
{
}

FileError::FileError(const QString& platformMessage, const QString& path)
    : Error(platformMessage, QDir::toNativeSeparators(path)), path_(path)
{
}

} // namespace korbena
