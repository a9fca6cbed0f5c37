#include "sheet/LabelImageWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

QImage bars(int width)
{
    QImage picture(width, 8, QImage::Format_Mono);
    picture.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    picture.fill(0);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < width; x += 3)
            picture.setPixel(x, y, 1);
    return picture;
}

QImage onDisk(const QString& path)
{
    QImage image;
    return image.load(path, "BMP") ? image.convertToFormat(QImage::Format_RGB32) : QImage();
}

TEST(LabelImageWriter, TheNewestPictureOfAFileIsWhatItHolds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("barcode_000.bmp"));
    LabelImageWriter writer;
    for (int width = 20; width <= 60; ++width)
        writer.write(path, bars(width));
    EXPECT_TRUE(writer.finish().isEmpty());
    EXPECT_EQ(onDisk(path), bars(60).convertToFormat(QImage::Format_RGB32));
    const long long done = writer.filesDone();
    EXPECT_GE(done, 1);
    EXPECT_LE(done, 41);

    // The file still holds that picture: nothing to write.
    writer.write(path, bars(60));
    EXPECT_TRUE(writer.finish().isEmpty());
    EXPECT_EQ(writer.filesDone(), done);

    // Someone else rewrote it: it is written again.
    ASSERT_TRUE(bars(7).save(path, "BMP"));
    writer.write(path, bars(60));
    EXPECT_TRUE(writer.finish().isEmpty());
    EXPECT_EQ(writer.filesDone(), done + 1);
    EXPECT_EQ(onDisk(path), bars(60).convertToFormat(QImage::Format_RGB32));

    // A picture then a removal: the removal wins, and no temporary is left.
    writer.write(path, bars(30));
    writer.remove(path);
    EXPECT_TRUE(writer.finish().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path));
    writer.remove(path); // removing a file that is not there is no fault
    EXPECT_TRUE(writer.finish().isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(LabelImageWriter, FilesHandedInBeforeTheEndAreWrittenAllTheSame)
{
    QTemporaryDir dir;
    {
        LabelImageWriter writer;
        for (int cell = 0; cell < 50; ++cell)
            writer.write(dir.filePath(QStringLiteral("barcode_%1.bmp").arg(cell)), bars(10 + cell));
    }
    for (int cell = 0; cell < 50; ++cell)
        EXPECT_EQ(onDisk(dir.filePath(QStringLiteral("barcode_%1.bmp").arg(cell))),
                  bars(10 + cell).convertToFormat(QImage::Format_RGB32))
            << cell;
}

TEST(LabelImageWriter, TheFirstFileThatCannotBeWrittenIsReportedOnce)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("gone/barcode_000.bmp"));
    // A folder where the file should be can be neither replaced nor removed.
    const QString folder = dir.filePath(QStringLiteral("barcode_001.bmp"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/inside")));
    const QString good = dir.filePath(QStringLiteral("barcode_002.bmp"));
    LabelImageWriter writer;
    writer.write(missing, bars(20));
    writer.write(folder, bars(20));
    writer.write(good, bars(20));
    const QString error = writer.finish();
    EXPECT_TRUE(error.startsWith(missing + QStringLiteral(": "))) << error.toStdString();
    EXPECT_GT(error.size(), missing.size() + 2); // with the system's reason
    EXPECT_EQ(onDisk(good), bars(20).convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(writer.finish().isEmpty());

    writer.remove(folder);
    EXPECT_TRUE(writer.finish().startsWith(folder + QStringLiteral(": ")));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

} // namespace
} // namespace korbena
