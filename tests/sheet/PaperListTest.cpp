#include "sheet/PaperList.h"

#include "sheet/DeviceMetrics.h"
#include "sheet/PrintTarget.h"

#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

TEST(PaperList, NamesEveryWindowsPaperCodeByItsNumber)
{
    EXPECT_EQ(PaperList.size(), 119u);
    EXPECT_EQ(PaperName(0), QStringLiteral("※用紙リスト"));
    EXPECT_EQ(PaperName(1), QStringLiteral("Letter 8 12 x 11 in"));
    EXPECT_EQ(PaperName(9), QStringLiteral("A4 210 x 297 mm"));
    EXPECT_EQ(PaperName(12), QStringLiteral("B4 (JIS) 250 x 354"));
    EXPECT_EQ(PaperName(27), QStringLiteral("Envelope DL 110 x 220mm"));
    EXPECT_EQ(PaperName(29), QStringLiteral("Envelope C3  324 x 458 mm"));
    EXPECT_EQ(PaperName(48), QStringLiteral("RESERVED--DO NOT USE"));
    EXPECT_EQ(PaperName(57), QStringLiteral("SuperASuperAA4 227 x 356 mm"));
    EXPECT_EQ(PaperName(69), QStringLiteral("Japanese Double Postcard 200 x 148 mm}"));
    EXPECT_EQ(PaperName(70), QStringLiteral("A6 105 x 148 mm"));
    EXPECT_EQ(PaperName(75), QStringLiteral("Letter Rotated 11 x 8 1/2 11 in "));
    EXPECT_EQ(PaperName(87), QStringLiteral("Japanese Envelope Chou #4 Rotated"));
    EXPECT_EQ(PaperName(88), QStringLiteral("B6 (JIS) 128 x 182 mm"));
    EXPECT_EQ(PaperName(105), QStringLiteral("PRC Envelope #10 324 x 458 mm}"));
    EXPECT_EQ(PaperName(118), QStringLiteral("PRC Envelope #10 Rotated 458 x 324 mm"));
    // The fractions of the names are kept as the paper list writes them.
    EXPECT_EQ(PaperName(22), QStringLiteral("Envelope #12 4 \\276 x 11"));
    EXPECT_EQ(PaperName(56), QStringLiteral("Letter Extra Transverse 9\\275 x 12 in"));
    for (int entry = 1; entry < kPaperListCount; ++entry)
        EXPECT_FALSE(PaperName(entry).isEmpty()) << entry;
}

TEST(PaperList, CodesOutsideTheListAreTheHeading)
{
    EXPECT_EQ(PaperEntry(70), 70);
    EXPECT_EQ(PaperEntry(118), 118);
    EXPECT_EQ(PaperEntry(119), 0);
    EXPECT_EQ(PaperEntry(256), 0);
    EXPECT_EQ(PaperEntry(-1), 0);
    EXPECT_EQ(PaperName(-1), QStringLiteral("※用紙リスト"));
    EXPECT_EQ(PaperName(119), QStringLiteral("※用紙リスト"));
}

TEST(PaperPageSize, GivesTheSizeTheNameStates)
{
    const auto mm = [](int code) { return PaperPageSize(code).size(QPageSize::Millimeter).toSize(); };
    EXPECT_EQ(mm(9), QSize(210, 297));
    EXPECT_EQ(mm(70), QSize(105, 148));
    EXPECT_EQ(mm(88), QSize(128, 182));
    EXPECT_EQ(mm(43), QSize(100, 148));
    // Rotated papers have the long side across.
    EXPECT_EQ(mm(77), QSize(297, 210));
    EXPECT_EQ(mm(83), QSize(148, 105));
    EXPECT_EQ(mm(89), QSize(182, 128));
    EXPECT_EQ(mm(81), QSize(148, 100));
    EXPECT_FALSE(PaperPageSize(0).isValid());
    EXPECT_FALSE(PaperPageSize(119).isValid());
    EXPECT_FALSE(PaperPageSize(48).isValid()); // reserved, no paper
}

class PaperSettings : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    PdfFileTarget pdf{dir.filePath(QStringLiteral("sheet.pdf"))};
};

TEST_F(PaperSettings, AnEntryOfTheListBecomesThePaperAndReadsBack)
{
    EXPECT_EQ(ApplyPaperSettings(pdf, 9, 1), QStringLiteral("A4 210 x 297 mm"));
    EXPECT_EQ(ReadPrinterPaper(pdf), (PrinterPaper{9, 1}));

    EXPECT_EQ(ApplyPaperSettings(pdf, 88, 0), QStringLiteral("B6 (JIS) 128 x 182 mm"));
    EXPECT_EQ(ReadPrinterPaper(pdf), (PrinterPaper{88, 0}));
    EXPECT_EQ(PixelsToMillimetres(pdf.Page().physicalWidth, 600), 128);
    EXPECT_EQ(PixelsToMillimetres(pdf.Page().physicalHeight, 600), 182);

    // A rotated paper keeps its own code although Qt knows its size by another.
    EXPECT_EQ(ApplyPaperSettings(pdf, 77, 0), QStringLiteral("A4 Rotated 297 x 210 mm"));
    EXPECT_EQ(ReadPrinterPaper(pdf), (PrinterPaper{77, 0}));
}

TEST_F(PaperSettings, EntryZeroKeepsTheDefaultPaperAndAnyOtherIndexIsLandscape)
{
    ASSERT_TRUE(ApplyPaperSettings(pdf, 70, 0));
    EXPECT_EQ(ApplyPaperSettings(pdf, 0, -1), QStringLiteral("※用紙リスト"));
    // The default paper of a PDF file is A4; -1 (nothing chosen) is landscape.
    EXPECT_EQ(ReadPrinterPaper(pdf), (PrinterPaper{9, 1}));
    EXPECT_EQ(ApplyPaperSettings(pdf, 500, 2), QStringLiteral("※用紙リスト"));
    EXPECT_EQ(ReadPrinterPaper(pdf), (PrinterPaper{9, 1}));
}

TEST(ReadPrinterPaper, APaperChangedBehindTheTargetIsReadFromTheDevice)
{
    QTemporaryDir dir;
    QPdfWriter writer(dir.filePath(QStringLiteral("a.pdf")));
    PagedDeviceTarget target(&writer);
    ASSERT_TRUE(ApplyPaperSettings(target, 77, 0));
    // The printer dialog picks A6: the code follows the device.
    writer.setPageSize(QPageSize(QPageSize::A6));
    EXPECT_EQ(ReadPrinterPaper(target), (PrinterPaper{70, 0}));
    // A driver's own size is no entry of the list.
    writer.setPageSize(QPageSize(QSizeF(100, 100), QPageSize::Millimeter));
    EXPECT_EQ(ReadPrinterPaper(target).entry, 0);
}

} // namespace
} // namespace korbena
