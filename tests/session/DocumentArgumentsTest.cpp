#include "session/DocumentArguments.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace korbena {
namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return QFileInfo(file).absoluteFilePath();
}

TEST(DocumentArguments, TheDesktopsFileIsAStyleOrADataListByItsExtensionOrItsFirstLine)
{
    QTemporaryDir dir;
    const QString style = writeFile(dir, QStringLiteral("シート.KBZ"), "[Version]=1.00\r\n");
    const QString data = writeFile(dir, QStringLiteral("rows.lst"), "[DATA_LIST]=1;a;4901;\r\n");
    const QString defaultStyle = writeFile(dir, QStringLiteral("KORBENA.dat"), "[Version]=1.00\r\n");
    const QString oddData = writeFile(dir, QStringLiteral("rows.txt"), "[DATA_LIST]=1;a;4901;\r\n");

    EXPECT_EQ(documentArguments({style}).styleFile, style);
    EXPECT_TRUE(documentArguments({style}).dataFile.isEmpty());
    EXPECT_EQ(documentArguments({data}).dataFile, data);
    EXPECT_EQ(documentArguments({defaultStyle}).styleFile, defaultStyle);
    EXPECT_EQ(documentArguments({oddData}).dataFile, oddData);
    // As a file manager passes it, percent-encoded.
    const DocumentArguments fromUrl =
        documentArguments({QUrl::fromLocalFile(style).toString(QUrl::FullyEncoded)});
    EXPECT_EQ(fromUrl.styleFile, style);
    EXPECT_TRUE(fromUrl.error.isEmpty());
    // A relative path is made absolute, since the window remembers it across runs.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_EQ(documentArguments({QStringLiteral("rows.lst")}).dataFile, data);
    QDir::setCurrent(previous);
}

TEST(DocumentArguments, NothingIsOpenedFromArgumentsThatCannotBeUsed)
{
    QTemporaryDir dir;
    const QString data = writeFile(dir, QStringLiteral("rows.lst"), "");
    const DocumentArguments none = documentArguments({});
    EXPECT_TRUE(none.styleFile.isEmpty() && none.dataFile.isEmpty() && none.error.isEmpty());
    for (const QStringList& args :
         {QStringList{data, data}, QStringList{dir.filePath(QStringLiteral("missing.kbz"))},
          QStringList{dir.path()}, QStringList{QStringLiteral("file://server/share/a.kbz")}}) {
        const DocumentArguments result = documentArguments(args);
        EXPECT_FALSE(result.error.isEmpty()) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.styleFile.isEmpty() && result.dataFile.isEmpty());
    }
}

} // namespace
} // namespace korbena
