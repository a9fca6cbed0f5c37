// What the composer's cell pass draws, read back from composed pages: the title and
// the number text in their cells, their shadows, the title's second line, vertical
// writing, letter pitch, the "do not print" switches, the hatching of used labels and
// the label image files a redraw keeps or rewrites.
#include "TestSupport.h"
#include "platform/Canvas.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"
#include "symbol/BarTypes.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>

namespace korbena {
namespace {

// 254 dpi is exactly 10 pixels a millimetre.
constexpr int kTenPerMm = 254;

constexpr TColor kTitleFace = rgbColor(230, 0, 0);
constexpr TColor kTitleShadow = rgbColor(0, 170, 0);
constexpr TColor kNumberFace = rgbColor(0, 0, 230);
constexpr TColor kNumberShadow = rgbColor(240, 160, 0);

// The style's block of one label text, so that one table serves both texts.
TextBlock& fieldsOf(LabelStyle& s, TextRole role)
{
    if (role == TextRole::Title)
        return s.title;
    return s.number;
}

const char* roleName(TextRole role)
{
    return role == TextRole::Title ? "title" : "number";
}

TColor faceOf(TextRole role)
{
    return role == TextRole::Title ? kTitleFace : kNumberFace;
}

TColor shadowOf(TextRole role)
{
    return role == TextRole::Title ? kTitleShadow : kNumberShadow;
}

// A 2 x 2 sheet of 60 x 30 mm cells; both texts at (5, 4) mm in their cell, the
// barcode image a thin strip at the cell's foot, each text in its own colour.
LabelStyle textSheet()
{
    LabelStyle s;
    s.symbol.symbology = cbarCODE128;
    s.sheet.across = s.sheet.down = 2;
    s.sheet.pitchX = 60;
    s.sheet.pitchY = 30;
    s.placement.sizeMode = 1;
    s.placement.width = 40; // the centring box
    s.placement.height = 1;
    s.placement.x = 0;
    s.placement.y = 28;
    s.title.fontName = s.number.fontName = QStringLiteral("DejaVu Sans");
    s.title.fontSize = s.number.fontSize = QStringLiteral("8");
    s.title.fontStyle = s.number.fontStyle = QStringLiteral("太字");
    for (const TextRole role : {TextRole::Title, TextRole::BarcodeNumber}) {
        TextBlock& f = fieldsOf(s, role);
        f.x = 5;
        f.y = 4;
        f.color = faceOf(role);
        f.shadowColor = shadowOf(role);
        f.shadowX = f.shadowY = 0;
        f.pitch = 0;
        f.vertical = false;
        f.printed = true;
        f.centred = false;
    }
    return s;
}

// Only `role` is printed: the other text is switched off.
LabelStyle onlyText(TextRole role)
{
    LabelStyle s = textSheet();
    fieldsOf(s, role == TextRole::Title ? TextRole::BarcodeNumber : TextRole::Title).printed = false;
    return s;
}

// A screen of the page's resolution: a preview at 100 per cent, where the texts are
// measured for centring at the resolution they are drawn at.
DeviceMetrics a4()
{
    DeviceMetrics m;
    m.printerDpiX = m.printerDpiY = 600;
    m.screenDpiX = m.screenDpiY = kTenPerMm;
    m.printableWidth = 200;
    m.printableHeight = 287;
    m.offsetX = m.offsetY = 5;
    m.paperWidth = 210;
    m.paperHeight = 297;
    return m;
}

// The bounding box of the pixels of about `color` (antialiased edges left out).
QRect inkOf(const QImage& image, TColor color, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    const QColor want = toQColor(color);
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c(image.pixel(x, y));
            if (std::abs(c.red() - want.red()) + std::abs(c.green() - want.green()) +
                    std::abs(c.blue() - want.blue()) <
                60)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

class ComposerTextTest : public ::testing::Test
{
protected:
    // A page of 1200 x 600 pixels (120 x 60 mm) whose cell `cell` alone holds a row.
    QImage composeCell(const LabelStyle& style, int cell, const QString& title, const QString& number,
                       int startLabel = 1)
    {
        DataList rows;
        rows.SetRowCount(10);
        rows.setTitle(cell + 1, title);
        rows.setNumber(cell + 1, number);
        QImage image(1200, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
        Canvas canvas(&image);
        PageRequest request;
        request.dpiX = request.dpiY = kTenPerMm;
        request.startLabel = startLabel;
        composer.compose(canvas, style, rows, a4(), request);
        return image;
    }

    QTemporaryDir data;
    PageComposer composer{data.path()};
};

TEST_F(ComposerTextTest, TextSitsInItsCellLeftAlignedOrCentred)
{
    struct Case
    {
        int cell;
        bool centred;
    };
    for (const TextRole role : {TextRole::Title, TextRole::BarcodeNumber})
        for (const Case c : {Case{0, false}, Case{3, false}, Case{1, true}, Case{2, true}}) {
            SCOPED_TRACE(testing::Message()
                         << roleName(role) << " cell " << c.cell << " centred " << c.centred);
            LabelStyle style = onlyText(role);
            fieldsOf(style, role).centred = c.centred;
            const QImage page = composeCell(style, c.cell, QStringLiteral("HH"), QStringLiteral("11"));
            const QRect box = inkOf(page, faceOf(role));
            ASSERT_FALSE(box.isEmpty());
            // The cell's corner: 600 pixels a column, 300 a row; the text at (5, 4) mm.
            const int left = (c.cell % 2) * 600 + 50;
            const int top = (c.cell / 2) * 300 + 40;
            EXPECT_NEAR(box.top(), top, 12);
            EXPECT_LT(box.bottom(), top + 30);
            if (c.centred) // in the 40 mm box from the text's x
                EXPECT_NEAR(box.center().x(), left + 200, 4);
            else
                EXPECT_NEAR(box.left(), left, 4);
            EXPECT_TRUE(inkOf(page, shadowOf(role)).isEmpty());
        }
}

TEST_F(ComposerTextTest, ShadowIsDrawnUnderTheFaceAtItsOffset)
{
    struct Case
    {
        double dx, dy; // mm
    };
    for (const TextRole role : {TextRole::Title, TextRole::BarcodeNumber})
        for (const Case c : {Case{1.5, 1}, Case{-1.5, -1}, Case{0, 1}, Case{0, 0}}) {
            SCOPED_TRACE(testing::Message() << roleName(role) << " shadow " << c.dx << ", " << c.dy);
            LabelStyle style = onlyText(role);
            fieldsOf(style, role).shadowX = c.dx;
            fieldsOf(style, role).shadowY = c.dy;
            const QImage page = composeCell(style, 3, QStringLiteral("HH"), QStringLiteral("11"));
            const QRect face = inkOf(page, faceOf(role));
            const QRect shadow = inkOf(page, shadowOf(role));
            ASSERT_FALSE(face.isEmpty());
            EXPECT_NEAR(face.left(), 650, 4); // the face keeps its own place
            EXPECT_NEAR(face.top(), 340, 12);
            if (c.dx == 0 && c.dy == 0) {
                EXPECT_TRUE(shadow.isEmpty());
                continue;
            }
            ASSERT_FALSE(shadow.isEmpty());
            // The face covers part of the shadow; its far edges show the offset.
            const int dx = static_cast<int>(c.dx * 10);
            const int dy = static_cast<int>(c.dy * 10);
            if (dx >= 0)
                EXPECT_NEAR(shadow.right() - face.right(), dx, 2);
            else
                EXPECT_NEAR(shadow.left() - face.left(), dx, 2);
            if (dy >= 0)
                EXPECT_NEAR(shadow.bottom() - face.bottom(), dy, 2);
            else
                EXPECT_NEAR(shadow.top() - face.top(), dy, 2);
        }
}

TEST_F(ComposerTextTest, TitleSecondLineSitsSubYBelowTheFirst)
{
    for (const double subY : {12.0, 20.0}) {
        SCOPED_TRACE(subY);
        LabelStyle style = onlyText(TextRole::Title);
        style.title.secondLineY = subY;
        // 30 units on the first line, the rest on the second.
        const QImage page = composeCell(style, 0, QString(30, u'H') + QStringLiteral("HH"), {});
        const QRect all = inkOf(page, kTitleFace);
        ASSERT_FALSE(all.isEmpty());
        const QRect first = inkOf(page, kTitleFace, QRect(0, 0, 1200, all.top() + 60));
        const QRect second = inkOf(page, kTitleFace, QRect(0, all.top() + 60, 1200, 540 - all.top()));
        ASSERT_FALSE(second.isEmpty());
        EXPECT_NEAR(second.top() - first.top(), static_cast<int>(subY * 10), 2);
        EXPECT_NEAR(second.left(), first.left(), 2);
        EXPECT_LT(second.width(), first.width() / 5); // two characters against thirty
    }
}

TEST_F(ComposerTextTest, VerticalWritingAndLetterPitch)
{
    for (const TextRole role : {TextRole::Title, TextRole::BarcodeNumber}) {
        SCOPED_TRACE(roleName(role));
        const auto box = [&](int kind, double pitch) {
            LabelStyle style = onlyText(role);
            fieldsOf(style, role).vertical = kind != 0;
            fieldsOf(style, role).pitch = pitch;
            return inkOf(composeCell(style, 0, QStringLiteral("1111"), QStringLiteral("1111")), faceOf(role));
        };
        const QRect flat = box(0, 0);
        const QRect pitch6 = box(0, 6);
        const QRect pitch9 = box(0, 9);
        EXPECT_GT(flat.width(), flat.height());
        // Three gaps between four characters: 3 x 3 mm more.
        EXPECT_NEAR(pitch9.width() - pitch6.width(), 90, 3);
        EXPECT_NEAR(pitch6.left(), 50, 4);

        // Stacked downward from the text's corner, 4 mm a character at 8 points.
        const QRect upright = box(1, 0);
        EXPECT_NEAR(upright.top(), flat.top(), 2);
        EXPECT_GT(upright.height(), 3 * upright.width());
        EXPECT_NEAR(upright.height() - flat.height(), 120, 3);
        const QRect pitched = box(1, 7); // 7 mm a character
        EXPECT_NEAR(pitched.height() - flat.height(), 210, 3);
    }
}

TEST_F(ComposerTextTest, NotPrintedSwitchHidesOnlyItsText)
{
    for (const TextRole hidden : {TextRole::Title, TextRole::BarcodeNumber}) {
        SCOPED_TRACE(roleName(hidden));
        LabelStyle style = textSheet();
        style.number.y = 16; // the texts one above the other
        style.title.shadowX = style.number.shadowX = 1;
        fieldsOf(style, hidden).printed = false;
        const QImage page = composeCell(style, 0, QStringLiteral("HH"), QStringLiteral("11"));
        const TextRole shown = hidden == TextRole::Title ? TextRole::BarcodeNumber : TextRole::Title;
        EXPECT_TRUE(inkOf(page, faceOf(hidden)).isEmpty());
        EXPECT_TRUE(inkOf(page, shadowOf(hidden)).isEmpty());
        EXPECT_FALSE(inkOf(page, faceOf(shown)).isEmpty());
        EXPECT_FALSE(inkOf(page, shadowOf(shown)).isEmpty());
    }
}

TEST_F(ComposerTextTest, CellsBeforeTheStartLabelAreHatched)
{
    const TColor hatch = rgbColor(150, 150, 150);
    for (const int start : {1, 2, 4}) {
        SCOPED_TRACE(start);
        LabelStyle style = onlyText(TextRole::Title);
        const QImage page = composeCell(style, 0, QStringLiteral("HH"), QStringLiteral("11"), start);
        int hatched = 0;
        for (int cell = 0; cell < 4; ++cell) {
            const QRect area((cell % 2) * 600, (cell / 2) * 300, 600, 300);
            const bool grey = !inkOf(page, hatch, area).isEmpty();
            EXPECT_EQ(grey, cell < start - 1) << "cell " << cell;
            hatched += grey ? 1 : 0;
        }
        EXPECT_EQ(hatched, start - 1);
        // Row 1 goes to the start label.
        const int cell = start - 1;
        EXPECT_FALSE(inkOf(page, kTitleFace, QRect((cell % 2) * 600, (cell / 2) * 300, 600, 300)).isEmpty());
    }
}

struct stat statOf(const QString& path)
{
    struct stat info
    {
    };
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

TEST_F(ComposerTextTest, RedrawKeepsItsImageFileAndRewritesAForeignOne)
{
    const LabelStyle style = onlyText(TextRole::Title);
    composeCell(style, 0, QStringLiteral("HH"), QStringLiteral("1234"));
    const QString path = composer.imagePath(0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    file.close();
    const struct stat first = statOf(path);

    // An unchanged page: the file is left as it is.
    composeCell(style, 0, QStringLiteral("HH"), QStringLiteral("1234"));
    EXPECT_EQ(statOf(path).st_ino, first.st_ino);

    // Another program renames in a file of the same size and time but other pixels.
    QByteArray foreign = written;
    for (qsizetype i = foreign.size() - 16; i < foreign.size(); ++i)
        foreign[i] = static_cast<char>(~foreign[i]);
    const QString other = path + QStringLiteral(".other");
    QFile replacement(other);
    ASSERT_TRUE(replacement.open(QIODevice::WriteOnly));
    replacement.write(foreign);
    replacement.close();
    const struct timespec times[2] = {first.st_atim, first.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(other).constData(), times, 0), 0);
    ASSERT_EQ(std::rename(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()), 0);
    const struct stat swapped = statOf(path);
    ASSERT_NE(swapped.st_ino, first.st_ino);
    ASSERT_EQ(swapped.st_size, first.st_size);
    ASSERT_EQ(swapped.st_mtim.tv_nsec, first.st_mtim.tv_nsec);

    composeCell(style, 0, QStringLiteral("HH"), QStringLiteral("1234"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), written);
}

} // namespace
} // namespace korbena
