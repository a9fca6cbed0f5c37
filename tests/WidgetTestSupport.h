#pragma once

#include <QString>

namespace korbena::test {

// Where a widget test saves a picture for review: the build folder's artifacts folder,
// created on first use.
QString artifactPath(const QString& fileName);

} // namespace korbena::test
