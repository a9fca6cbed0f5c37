#include "controls/NumberEdit.h"

#include "TestSupport.h"
#include "WidgetTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace korbena {
namespace {

NumberFormat withComma()
{
    NumberFormat f;
    f.Comma = true;
    return f;
}

// Empties the field the way a user does: select all, Backspace.
void clear(NumberEdit& edit)
{
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Backspace);
}

TEST(NumberEdit, TypingFiltersKeysEditsTheSignAndKeepsTheCaretAcrossRegrouping)
{
    NumberEdit edit(withComma());
    EXPECT_EQ(edit.text(), "0");
    EXPECT_TRUE(edit.alignment() & Qt::AlignRight);
    clear(edit);
    QTest::keyClicks(&edit, "12a3x4567");
    EXPECT_EQ(edit.text(), "1,234,567");
    EXPECT_EQ(edit.cursorPosition(), 9);
    EXPECT_EQ(edit.Value(), 1234567);

    // Backspace after the "4" of "1,234,567": the caret stays after the "3".
    edit.setCursorPosition(5);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "123,567");
    EXPECT_EQ(edit.cursorPosition(), 3);

    // A digit typed after the "1" regroups and the caret stays after the new digit.
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, "9");
    EXPECT_EQ(edit.text(), "1,923,567");
    EXPECT_EQ(edit.cursorPosition(), 3);

    // Delete is the line edit's own edit; the field still regroups and reads it.
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "923,567");
    EXPECT_EQ(edit.cursorPosition(), 0);

    // The sign goes to the front wherever the caret is, and the caret follows the digits.
    edit.setCursorPosition(4);
    QTest::keyClicks(&edit, "-");
    EXPECT_EQ(edit.text(), "-923,567");
    EXPECT_EQ(edit.cursorPosition(), 5);

    // A text set through the plain line edit goes through the field too.
    QSignalSpy changed(&edit, &NumberEdit::changed);
    static_cast<QLineEdit&>(edit).setText(QStringLiteral("4567.5"));
    EXPECT_EQ(edit.text(), "4,567.5");
    EXPECT_EQ(edit.Value(), 4567.5L);
    EXPECT_EQ(changed.count(), 1);

    // A text that does not read stays as typed; the widget only reports it.
    QSignalSpy errors(&edit, &NumberEdit::conversionError);
    clear(edit);
    QTest::keyClicks(&edit, "-.");
    EXPECT_EQ(edit.text(), "-.");
    EXPECT_EQ(errors.count(), 1);
}

// The error box that reports a slip opens while the slip is on screen, not the text before it.
TEST(NumberEdit, AConversionErrorIsReportedWithTheTextItConcernsShown)
{
    NumberEdit edit;
    edit.SetValue(23.4L);
    edit.selectAll();
    QString shown;
    QObject::connect(&edit, &NumberEdit::conversionError, [&] { shown = edit.text(); });
    QTest::keyClicks(&edit, ".");
    EXPECT_EQ(shown, ".");
    // Leaving the field reads the same slip: not said twice. A text that reads again
    // and then the same slip: said again.
    QSignalSpy errors(&edit, &NumberEdit::conversionError);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&edit, &leave);
    EXPECT_EQ(edit.text(), "23.4");
    EXPECT_EQ(errors.count(), 0);
    edit.selectAll();
    QTest::keyClicks(&edit, ".");
    EXPECT_EQ(errors.count(), 1);
}

TEST(NumberEdit, PasteGoesThroughTheFilterFromKeysAndSlot)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    NumberEdit edit;
    clear(edit);
    clipboard->setText(QStringLiteral("a1b2.3c"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "12.3");
    EXPECT_EQ(edit.cursorPosition(), 4);

    // A second separator is dropped; the selection is replaced.
    edit.setSelection(0, 2);
    clipboard->setText(QStringLiteral("9.9"));
    QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(edit.text(), "99.3");

    // Nothing goes in before a sign.
    edit.SetValue(-5);
    edit.setCursorPosition(0);
    edit.paste();
    EXPECT_EQ(edit.text(), "-5");

    // The context menu's paste uses the same filter.
    clipboard->setText(QStringLiteral("x3y"));
    edit.setCursorPosition(2);
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        const QString pasteKeys = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction* action : menu->actions()) {
            if (action->text().endsWith(pasteKeys))
                action->trigger();
        }
        menu->close();
    });
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), edit.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&edit, &request);
    EXPECT_EQ(edit.text(), "-53");
}

TEST(NumberEdit, ArrowKeysStepWithWrapAndTheHandlersSay)
{
    NumberFormat f;
    f.Limit = true;
    f.Min = 1;
    f.Max = 5;
    f.Wrap = true;
    NumberEdit edit(f);
    edit.SetValue(5);
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.text(), "5"); // AllowKeys is off

    edit.SetAllowKeys(true);
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.text(), "1");
    QTest::keyClick(&edit, Qt::Key_Down);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.text(), "4");

    std::vector<TArrowKeyDirection> seen;
    edit.SetOnArrowKeyChange([&](NumberField&, TArrowKeyDirection direction, Extended& newValue) {
        seen.push_back(direction);
        newValue -= 0.5;
    });
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.text(), "4.5");
    EXPECT_EQ(seen, std::vector<TArrowKeyDirection>{adUp});
}

TEST(NumberEdit, EnteringSelectsAllAndLeavingFormats)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    NumberFormat money;
    money.Figure = 2;
    money.Fixed = true;
    money.Comma = true;
    auto* first = new NumberEdit(money);
    auto* second = new NumberEdit;
    second->SetAutoSelect(false);
    layout->addWidget(first);
    layout->addWidget(second);
    first->SetValue(1234.5);
    second->SetValue(42);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    // The window's first field is entered when the window opens.
    ASSERT_TRUE(first->hasFocus());
    EXPECT_EQ(first->selectedText(), "1,234.50");
    QTest::keyClicks(first, "3");
    EXPECT_EQ(first->text(), "3");

    QSignalSpy exited(first, &NumberEdit::exited);
    QTest::keyClick(first, Qt::Key_Tab);
    ASSERT_TRUE(second->hasFocus());
    EXPECT_EQ(first->text(), "3.00");
    EXPECT_EQ(exited.count(), 1);
    EXPECT_TRUE(first->Modified());
    EXPECT_FALSE(second->hasSelectedText());
    EXPECT_EQ(second->cursorPosition(), 2);

    // Leaving without typing leaves Modified off.
    QTest::keyClick(second, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(first->hasFocus());
    EXPECT_FALSE(second->Modified());

    first->SetValue(9876543.21);
    second->SetValue(-0.5);
    window.resize(220, window.sizeHint().height());
    EXPECT_TRUE(window.grab().save(test::artifactPath(QStringLiteral("number-edit.png"))));
}

} // namespace
} // namespace korbena
