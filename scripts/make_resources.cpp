// Writes the templates shipped in resources/: the default style and data list of
// conf/ and the sample styles of style/, through the program's own style and data
// writers so that they are byte for byte what the program itself would save.
// Build and run with scripts/make_resources.sh.

#include "document/DataFile.h"
#include "document/DataList.h"
#include "document/LabelStyle.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace korbena;

namespace {

// Lengths are written in hundredths of a millimetre and turned into the field's
// value by one division, so that the file shows them as typed (33.9, not
// 33.8999999999999986).
using Hundredths = int;

Extended mm(Hundredths value)
{
    return static_cast<Extended>(value) / 100;
}

// A sheet of equal labels on A4 portrait, positions from the paper's corner.
struct Sheet
{
    int across;
    int down;
    Hundredths pitchX, pitchY;
    Hundredths left, top;
};

// The parts of one label, from the label's corner.
struct Label
{
    Hundredths barX, barY, barWidth, barHeight;
    Hundredths titleY;
    int titlePoints;
    Hundredths numberY;
    int numberPoints;
};

using Index = std::int32_t;

LabelStyle style(const Sheet& sheet, const Label& label, Index barType, std::int32_t checkDigit,
                 const QString& start = {}, const QString& stop = {})
{
    LabelStyle s;
    s.sheet.across = sheet.across;
    s.sheet.down = sheet.down;
    s.sheet.pitchX = mm(sheet.pitchX);
    s.sheet.pitchY = mm(sheet.pitchY);
    s.sheet.offsetX = 0;
    s.sheet.offsetY = 0;
    s.sheet.paper = 9; // A4 210 x 297 mm
    s.sheet.orientation = 0;

    s.placement.x = mm(sheet.left + label.barX);
    s.placement.y = mm(sheet.top + label.barY);
    s.placement.width = mm(label.barWidth);
    s.placement.height = mm(label.barHeight);
    s.placement.sizeMode = 1;

    // Title and number are centred over the barcode.
    s.title.x = s.placement.x;
    s.title.y = mm(sheet.top + label.titleY);
    s.title.fontName = QStringLiteral("ＭＳ Ｐゴシック");
    s.title.fontStyle = QStringLiteral("太字");
    s.title.fontSize = QString::number(label.titlePoints);
    s.title.color = 0;
    s.title.centred = true;
    s.title.secondLineY = mm(label.titlePoints * 40);

    s.number.x = s.placement.x;
    s.number.y = mm(sheet.top + label.numberY);
    s.number.fontName = QStringLiteral("ＭＳ ゴシック");
    s.number.fontStyle = QString();
    s.number.fontSize = QString::number(label.numberPoints);
    s.number.color = 0;
    s.number.centred = true;

    s.symbol.symbology = static_cast<TBarTypes>(barType);
    s.symbol.checkDigit = checkDigit == 0; // the radio index: 0 uses a check character
    s.symbol.startChar = start;
    s.symbol.stopChar = stop;
    return s;
}

struct Row
{
    const char* title;
    const char* number;
};

// Sample goods with JAN numbers of the Japanese prefix 49; the program adds the
// check digit.
const Row kSampleRows[] = {
    {"りんご（ふじ）", "490000100013"}, {"みかん 1kg", "490000100020"},
    {"バナナ", "490000100037"},         {"ぶどう（巨峰）", "490000100044"},
    {"もも", "490000100051"},           {"なし（幸水）", "490000100068"},
    {"いちご", "490000100075"},         {"メロン", "490000100082"},
    {"すいか", "490000100099"},         {"さくらんぼ", "490000100105"},
    {"キウイフルーツ", "490000100112"}, {"レモン", "490000100129"},
    {"緑茶 500ml", "490000200010"},     {"麦茶 2L", "490000200027"},
    {"ほうじ茶", "490000200034"},       {"煎茶 ティーバッグ", "490000200041"},
    {"抹茶ラテ", "490000200058"},       {"コーヒー 無糖", "490000200065"},
    {"醤油 1L", "490000300017"},        {"味噌 750g", "490000300024"},
    {"みりん", "490000300031"},         {"米酢 500ml", "490000300048"},
    {"食塩 1kg", "490000300055"},       {"上白糖 1kg", "490000300062"},
    {"薄力粉", "490000300079"},         {"食パン 6枚切", "490000400014"},
    {"牛乳 1000ml", "490000400021"},    {"納豆 3個組", "490000400038"},
    {"豆腐 絹ごし", "490000400045"},    {"卵 10個入", "490000400052"},
    {"ボールペン 黒", "490000500011"},  {"ノート B5", "490000500028"},
    {"消しゴム", "490000500035"},       {"のり 30g", "490000500042"},
    {"ホッチキス針", "490000500059"},   {"クリアファイル A4", "490000500066"},
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: make_resources RESOURCES_FOLDER\n", stderr);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    root.mkpath(QStringLiteral("conf"));
    root.mkpath(QStringLiteral("style"));

    constexpr Index kJan = 0, kCode39 = 2, kItf = 4, kCode128 = 10;

    // 24 labels of 70 x 33.9 mm, three across, eight down.
    const Sheet a4x24{3, 8, 7000, 3390, 0, 1290};
    const Label jan24{1500, 850, 4000, 1400, 250, 10, 2400, 9};
    // 12 labels of 105 x 49.5 mm, two across, six down, no margins.
    const Sheet a4x12{2, 6, 10500, 4950, 0, 0};
    const Label itf12{1250, 1400, 8000, 2200, 300, 14, 3800, 12};
    // 44 labels of 48.3 x 25.4 mm, four across, eleven down.
    const Sheet a4x44{4, 11, 4830, 2540, 840, 880};
    const Label code128x44{415, 500, 4000, 1100, 150, 7, 1750, 7};
    // 65 labels of 38.1 x 21.2 mm, five across, thirteen down, 2.5 mm between columns.
    const Sheet a4x65{5, 13, 4060, 2120, 475, 1070};
    const Label jan65{305, 400, 3200, 1100, 120, 6, 1580, 6};
    // CODE-39 on the 24 label sheet, with the modulus-43 check character.
    const Label code39x24{700, 850, 5600, 1400, 250, 10, 2400, 9};

    try {
        WriteStyleFile(root.filePath(QStringLiteral("conf/KORBENA.dat")), style(a4x24, jan24, kJan, 0));
        WriteStyleFile(root.filePath(QStringLiteral("style/A4-24-JAN.kbz")), style(a4x24, jan24, kJan, 0));
        WriteStyleFile(root.filePath(QStringLiteral("style/A4-12-ITF.kbz")), style(a4x12, itf12, kItf, 0));
        WriteStyleFile(root.filePath(QStringLiteral("style/A4-44-CODE128.kbz")),
                       style(a4x44, code128x44, kCode128, 0));
        WriteStyleFile(root.filePath(QStringLiteral("style/A4-65-JAN.kbz")), style(a4x65, jan65, kJan, 0));
        WriteStyleFile(root.filePath(QStringLiteral("style/A4-24-CODE39.kbz")),
                       style(a4x24, code39x24, kCode39, 0, QStringLiteral("*"), QStringLiteral("*")));

        DataList rows;
        const int count = static_cast<int>(std::size(kSampleRows));
        rows.SetRowCount(count + 1);
        for (int i = 0; i < count; ++i) {
            rows.setTitle(i + 1, QString::fromUtf8(kSampleRows[i].title));
            rows.setNumber(i + 1, QString::fromUtf8(kSampleRows[i].number));
        }
        writeDataFile(root.filePath(QStringLiteral("conf/KORBENA.lst")), rows);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_resources: %s\n", e.what());
        return 1;
    }
    return 0;
}
