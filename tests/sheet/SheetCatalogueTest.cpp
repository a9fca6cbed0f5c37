// The sheet catalogue: label templates read from the system's data folders, the
// generic A4 layouts, search, and a layout applied to a style.
#include "sheet/SheetCatalogue.h"

#include "sheet/GlabelsTemplates.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace korbena {
namespace {

// Written for these tests in the label programs' template format.
const char* const kTemplates = R"(<?xml version="1.0"?>
<Glabels-templates>
  <!-- A Hisago-style A4 sheet of 12, with no gaps. -->
  <Template brand="Hisago" part="TEST12" size="A4" _description="Rectangular labels">
    <Meta category="label"/>
    <Label-rectangle id="0" width="86.4mm" height="42.3mm" round="0mm" x_waste="0mm" y_waste="0mm">
      <Markup-margin size="1mm"/>
      <Layout nx="2" ny="6" x0="18.6mm" y0="21.2mm" dx="86.4mm" dy="42.3mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Hisago" part="TEST12-W" equiv="TEST12" _description="Weatherproof"/>
  <!-- Three columns with a gap between them, on letter paper, in inches and points. -->
  <Template brand="Maker"
            part="GAP-30" size="US-Letter" description="Address labels">
    <Label-rectangle id="0" width="2.625in" height="72" round="5pt">
      <Layout nx="3" ny="10" x0="0.1875in" y0="0.5in" dx="2.75in" dy="1in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Maker" part="ROUND" size="A4" _description="Round labels">
    <Label-round id="0" radius="20mm"><Layout nx="4" ny="6" x0="5mm" y0="5mm" dx="50mm" dy="48mm"/></Label-round>
  </Template>
  <Template brand="Maker" part="STAGGER" size="A4" _description="Two grids">
    <Label-rectangle id="0" width="30mm" height="20mm">
      <Layout nx="3" ny="5" x0="5mm" y0="5mm" dx="65mm" dy="50mm"/>
      <Layout nx="3" ny="5" x0="35mm" y0="30mm" dx="65mm" dy="50mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Maker" part="BROKEN" size="A4" _description="No counts">
    <Label-rectangle id="0" width="30mm" height="20mm"><Layout nx="x" ny="5" x0="5mm" y0="5mm" dx="1mm" dy="1mm"/></Label-rectangle>
  </Template>
  <Template brand="Maker" part="ROLL" size="Other" width="62mm" height="100mm" _description="Odd paper">
    <Label-rectangle id="0" width="62mm" height="100mm"><Layout nx="1" ny="1" x0="0" y0="0" dx="0" dy="0"/></Label-rectangle>
  </Template>
  <Template brand="Maker" part="LOST" equiv="NOWHERE"/>
</Glabels-templates>
)";

const SheetLayout* byName(const std::vector<SheetLayout>& layouts, const QString& name)
{
    const auto it =
        std::find_if(layouts.begin(), layouts.end(), [&](const SheetLayout& l) { return l.name() == name; });
    return it == layouts.end() ? nullptr : &*it;
}

TEST(SheetCatalogue, ReadsRectangleTemplatesFromTheTemplateFolders)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("test-templates.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kTemplates);
    file.close();

    const SheetCatalogue catalogue = loadSheetCatalogue({dir.path()});
    EXPECT_EQ(catalogue.templateFiles, QStringList{file.fileName()});
    // Round, staggered, broken and the equivalent of nothing are left out.
    EXPECT_EQ(catalogue.skippedTemplates, 4);

    const SheetLayout* hisago = byName(catalogue.layouts, "Hisago TEST12");
    ASSERT_TRUE(hisago);
    EXPECT_EQ(hisago->paperCode, 9); // A4
    EXPECT_EQ(hisago->labelsPerSheet(), 12);
    EXPECT_DOUBLE_EQ(hisago->labelWidth, 86.4);
    EXPECT_DOUBLE_EQ(hisago->firstY, 21.2);
    EXPECT_DOUBLE_EQ(hisago->pitchY, 42.3);
    EXPECT_EQ(hisago->description, u"Rectangular labels");
    const SheetLayout* weatherproof = byName(catalogue.layouts, "Hisago TEST12-W");
    ASSERT_TRUE(weatherproof);
    EXPECT_EQ(weatherproof->description, u"Weatherproof");
    EXPECT_DOUBLE_EQ(weatherproof->pitchX, 86.4);

    const SheetLayout* gap = byName(catalogue.layouts, "Maker GAP-30");
    ASSERT_TRUE(gap);
    EXPECT_EQ(gap->paperCode, 1); // letter
    EXPECT_EQ(gap->across, 3);
    EXPECT_NEAR(gap->labelWidth, 66.675, 1e-9);
    EXPECT_NEAR(gap->labelHeight, 25.4, 1e-9); // 72 points
    EXPECT_NEAR(gap->pitchX - gap->labelWidth, 3.175, 1e-9);
    EXPECT_NEAR(gap->firstX, 4.7625, 1e-9);

    const SheetLayout* roll = byName(catalogue.layouts, "Maker ROLL");
    ASSERT_TRUE(roll);
    EXPECT_EQ(roll->paperCode, 0); // no paper of the list is 62 x 100 mm

    // A file that is not XML to the end keeps what came before the fault.
    QFile broken(dir.filePath("broken-templates.xml"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(kTemplates).left(QByteArray(kTemplates).indexOf("<Template brand=\"Maker\"")) +
                 "<Template brand=");
    broken.close();
    const GlabelsFile partial = readGlabelsTemplateFile(broken.fileName(), glabelsPaperSizes());
    EXPECT_FALSE(partial.error.isEmpty());
    EXPECT_EQ(partial.layouts.size(), 1u);
    EXPECT_FALSE(readGlabelsTemplateFile(dir.filePath("none.xml"), {}).error.isEmpty());
}

TEST(SheetCatalogue, GenericLayoutsAreCentredAndSearchable)
{
    const std::vector<SheetLayout> generic = builtInLayouts();
    std::vector<int> counts;
    for (const SheetLayout& l : generic) {
        counts.push_back(l.labelsPerSheet());
        EXPECT_EQ(l.paperCode, 9);
        const double right = l.paperWidth - (l.firstX + (l.across - 1) * l.pitchX + l.labelWidth);
        const double bottom = l.paperHeight - (l.firstY + (l.down - 1) * l.pitchY + l.labelHeight);
        EXPECT_NEAR(right, l.firstX, 1e-9) << l.name().toStdString();
        EXPECT_NEAR(bottom, l.firstY, 1e-9) << l.name().toStdString();
        EXPECT_GE(l.firstX, 0);
        EXPECT_GE(l.firstY, 0);
    }
    EXPECT_EQ(counts, (std::vector<int>{12, 18, 21, 24, 40, 44, 65}));

    std::vector<SheetLayout> all = generic;
    SheetLayout part;
    part.maker = QStringLiteral("Hisago");
    part.partNumber = QStringLiteral("OP3012");
    part.across = 2;
    part.down = 5;
    all.push_back(part);
    const auto names = [](const std::vector<SheetLayout>& found) {
        QStringList list;
        for (const SheetLayout& l : found)
            list << l.name();
        return list;
    };
    EXPECT_EQ(names(searchLayouts(all, u"44面")), QStringList{"汎用 A4 44面"});
    EXPECT_EQ(names(searchLayouts(all, u"１２")), (QStringList{"汎用 A4 12面", "Hisago OP3012"}));
    EXPECT_EQ(names(searchLayouts(all, u"hisago 10面")), QStringList{"Hisago OP3012"});
    EXPECT_EQ(names(searchLayouts(all, u"ｏｐ３")), QStringList{"Hisago OP3012"});
    EXPECT_EQ(searchLayouts(all, u"").size(), all.size());
    EXPECT_TRUE(searchLayouts(all, u"Avery").empty());
}

TEST(SheetCatalogue, ApplyingALayoutKeepsTheElementsInTheirPlacesWithinTheLabel)
{
    const std::vector<SheetLayout> generic = builtInLayouts();
    const SheetLayout& sheet44 = *byName(generic, "汎用 A4 44面");
    const SheetLayout& sheet12 = *byName(generic, "汎用 A4 12面");

    // A style made for the 44-label sheet on a printer whose printable area starts 3 mm
    // right and 4 mm down the paper: the barcode 4 mm into the label, 5 mm down.
    const double ox = 3;
    const double oy = 4;
    LabelStyle style;
    style.sheet.across = 4;
    style.sheet.down = 11;
    style.sheet.pitchX = 48.3;
    style.sheet.pitchY = 25.4;
    style.placement.x = 8.4 - ox + 4;
    style.placement.y = 8.8 - oy + 5;
    style.title.x = 8.4 - ox + 4;
    style.title.y = 8.8 - oy + 1;
    style.number.x = 8.4 - ox + 4;
    style.number.y = 8.8 - oy + 18;
    style.sheet.offsetX = 1.5;
    style.sheet.paper = 70;
    style.sheet.orientation = 1;
    const LabelStyle original = style;
    const SheetPoint first = currentFirstLabel(style, generic, ox, oy);
    EXPECT_NEAR(first.x, 8.4 - ox, 1e-9);
    EXPECT_NEAR(first.y, 8.8 - oy, 1e-9);
    EXPECT_EQ(currentFirstLabel(LabelStyle{}, generic, 0, 0), (SheetPoint{0, 0}));

    EXPECT_TRUE(applySheetLayout(style, sheet12, first, ox, oy));
    EXPECT_EQ(style.sheet.across, 2);
    EXPECT_EQ(style.sheet.down, 6);
    EXPECT_NEAR(static_cast<double>(style.sheet.pitchX), 86.4, 1e-9);
    EXPECT_NEAR(static_cast<double>(style.sheet.pitchY), 42.3, 1e-9);
    EXPECT_EQ(style.sheet.paper, 9);
    EXPECT_EQ(style.sheet.orientation, 0);
    EXPECT_EQ(style.sheet.offsetX, static_cast<Extended>(1.5)); // the printer correction stays
    EXPECT_NEAR(static_cast<double>(style.placement.x), 18.6 - ox + 4, 1e-9);
    EXPECT_NEAR(static_cast<double>(style.placement.y), 21.6 - oy + 5, 1e-9);
    EXPECT_NEAR(static_cast<double>(style.title.y), 21.6 - oy + 1, 1e-9);
    EXPECT_NEAR(static_cast<double>(style.number.y), 21.6 - oy + 18, 1e-9);

    // And back: the same positions as before.
    EXPECT_TRUE(applySheetLayout(style, sheet44, currentFirstLabel(style, generic, ox, oy), ox, oy));
    for (const StyleField field : {StyleField::SymbolX, StyleField::SymbolY, StyleField::TitleX,
                                   StyleField::TitleY, StyleField::NumberX, StyleField::NumberY})
        EXPECT_NEAR(static_cast<double>(std::get<Extended>(styleValue(style, field))),
                    static_cast<double>(std::get<Extended>(styleValue(original, field))), 1e-9);

    // A stock of a paper the list lacks keeps the style's paper.
    SheetLayout roll = sheet12;
    roll.paperCode = 0;
    style.sheet.paper = 70;
    EXPECT_FALSE(applySheetLayout(style, roll, {}, 0, 0));
    EXPECT_EQ(style.sheet.paper, 70);
}

} // namespace
} // namespace korbena
