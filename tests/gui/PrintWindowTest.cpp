// The window's printing controls on the offscreen platform: "開始位置" in the group
// "印刷", the menu items, and the check's dialog with its buttons; pictures of the
// group and the dialog for review.
#include "controls/NumberEdit.h"
#include "gui/MainWindow.h"
#include "gui/PrintCheckDialog.h"
#include "print/PrinterTarget.h"
#include "session/AppController.h"
#include "symbol/BarTypes.h"
#include "verify/PrintCheck.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace korbena {
namespace {

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

void typeInto(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        QKeyEvent down(QEvent::KeyPress, ch.unicode(), Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &down);
    }
}

TEST(PrintWindow, TheStartLabelSitsBesideTheCopyCountAndReachesThePreview)
{
    QTemporaryDir home;
    MainWindow window(home.path() + QStringLiteral("/data"), kResources);
    window.resize(1600, 1000);
    window.show();
    QApplication::processEvents();
    AppController& c = window.controller();
    ASSERT_NE(window.action(QStringLiteral("printCheck")), nullptr);
    ASSERT_NE(window.action(QStringLiteral("calibration")), nullptr);

    auto* start = window.findChild<NumberEdit*>(QStringLiteral("xstart"));
    auto* range = window.findChild<QLabel*>(QStringLiteral("xstartRange"));
    ASSERT_TRUE(start && range);
    EXPECT_EQ(start->parentWidget(), window.findChild<NumberEdit*>(QStringLiteral("xcopy"))->parentWidget());
    EXPECT_EQ(range->text(), "（1～24）");
    EXPECT_EQ(start->IntValue(), 1);

    const QImage before = c.previewImage();
    start->setFocus();
    start->selectAll();
    typeInto(start, QStringLiteral("7"));
    EXPECT_EQ(c.startLabel(), 7);
    EXPECT_NE(c.previewImage(), before);

    // A number beyond the sheet shows as the last label once the field is left.
    start->selectAll();
    typeInto(start, QStringLiteral("99"));
    window.findChild<NumberEdit*>(QStringLiteral("xcopy"))->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(c.startLabel(), 24);
    EXPECT_EQ(start->IntValue(), 24);

    start->setFocus();
    start->selectAll();
    typeInto(start, QStringLiteral("7"));
    QApplication::processEvents();
    auto* group = qobject_cast<QGroupBox*>(start->parentWidget());
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), "印刷");
    EXPECT_TRUE(group->grab().save(QStringLiteral(KORBENA_ARTIFACTS_DIR "/print-group.png")));
    EXPECT_TRUE(window.grab().save(QStringLiteral(KORBENA_ARTIFACTS_DIR "/window-start-label-7.png")));
}

// "印刷実行" and Ctrl+P print at once; "印刷…" on Ctrl+Shift+P asks first. Whatever
// copy count a print dialog left on the printer, a document starts with the printer
// making one copy: the job makes the sets.
TEST(PrintWindow, ThePrintDialogHasItsOwnItemAndThePrinterNeverMultipliesTheSets)
{
    QTemporaryDir home;
    MainWindow window(home.path() + QStringLiteral("/data"), kResources);
    QAction* dialog = window.action(QStringLiteral("printDialog"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->text(), QStringLiteral("印刷…"));
    EXPECT_EQ(dialog->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    EXPECT_EQ(window.action(QStringLiteral("print"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_NE(window.action(QStringLiteral("printAll")), nullptr);

    PrinterTarget printer{QPrinterInfo()};
    printer.printer().setOutputFileName(home.path() + QStringLiteral("/printer.pdf"));
    printer.printer().setCopyCount(3);
    ASSERT_TRUE(printer.BeginDocument()) << printer.ErrorString().toStdString();
    EXPECT_EQ(printer.printer().copyCount(), 1);
    EXPECT_TRUE(printer.EndDocument());
}

TEST(PrintWindow, TheCheckDialogListsTheRowsAndAnswersWithItsButtons)
{
    LabelStyle style;
    style.sheet.across = 3;
    style.sheet.down = 8;
    style.symbol.symbology = cbarJAN;
    DataList rows;
    const std::pair<const char*, const char*> list[] = {{"りんご", "490123456789"},
                                                        {"みかん", "49012345678A"},
                                                        {"ぶどう", ""},
                                                        {"", "490123456789"},
                                                        {"もも", "４９０１２３４５６７８９"}};
    int row = 0;
    for (const auto& [title, number] : list) {
        ++row;
        rows.setTitle(row, QString::fromUtf8(title));
        rows.setNumber(row, QString::fromUtf8(number));
    }
    const PrintCheckReport report = verifyRows(style, rows);

    using Choice = Dialogs::PrintCheckChoice;
    const auto answer = [&](Dialogs::PrintCheckMode mode, bool halfWidth, const char* button, bool picture) {
        PrintCheckDialog dialog(report, mode, halfWidth);
        dialog.show();
        QApplication::processEvents();
        EXPECT_EQ(dialog.list().topLevelItemCount(), 4);
        EXPECT_EQ(dialog.list().topLevelItem(0)->text(0), "2");
        EXPECT_EQ(dialog.list().topLevelItem(0)->text(2), "49012345678A");
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("summary"))->text(),
                  "5 件中 1 件を読み取り確認しました");
        EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("halfWidth")) != nullptr, halfWidth);
        if (picture) {
            EXPECT_TRUE(dialog.grab().save(QStringLiteral(KORBENA_ARTIFACTS_DIR "/print-check-dialog.png")));
        }
        auto* clicked = dialog.findChild<QPushButton*>(QLatin1String(button));
        EXPECT_NE(clicked, nullptr) << button;
        if (clicked)
            clicked->click();
        return dialog.choice();
    };
    EXPECT_EQ(answer(Dialogs::PrintCheckMode::BeforePrinting, true, "print", true), Choice::Print);
    EXPECT_EQ(answer(Dialogs::PrintCheckMode::BeforePrinting, true, "cancel", false), Choice::Cancel);
    EXPECT_EQ(answer(Dialogs::PrintCheckMode::BeforePrinting, true, "halfWidth", false),
              Choice::ConvertToHalfWidth);
    // On demand there is nothing to print from the list: it is only closed.
    EXPECT_EQ(answer(Dialogs::PrintCheckMode::OnDemand, false, "cancel", false), Choice::Cancel);
    PrintCheckDialog onDemand(report, Dialogs::PrintCheckMode::OnDemand, false);
    EXPECT_EQ(onDemand.findChild<QPushButton*>(QStringLiteral("print")), nullptr);
    EXPECT_EQ(onDemand.findChild<QPushButton*>(QStringLiteral("cancel"))->text(), "閉じる");
}

} // namespace
} // namespace korbena
