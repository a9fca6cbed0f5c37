// The tab "データ入力" on the offscreen platform: typing, Enter, the row buttons on
// the view's selection, the context menu, the column widths, the two option dialogs
// and a picture of the tab.
#include "gui/GridPanel.h"

#include "TestSupport.h"
#include "controls/NumberEdit.h"
#include "gui/CsvOptionDialog.h"
#include "gui/MainWindow.h"
#include "gui/QtDialogs.h"
#include "gui/SerialDialog.h"
#include "session/AppController.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace korbena {
namespace {

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

class GridPanelTest : public ::testing::Test
{
protected:
    QTemporaryDir home;
    std::unique_ptr<MainWindow> window;
    GridPanel* panel = nullptr;
    QTableView* view = nullptr;

    void SetUp() override
    {
        window = std::make_unique<MainWindow>(home.path() + QStringLiteral("/data"), kResources);
        window->resize(1400, 900);
        window->show();
        auto* tabs = window->findChild<QTabWidget*>();
        tabs->setCurrentIndex(3);
        panel = window->findChild<GridPanel*>();
        ASSERT_NE(panel, nullptr);
        view = panel->view();
        QApplication::setActiveWindow(window.get());
        view->setFocus();
        QApplication::processEvents();
    }

    AppController& controller() { return window->controller(); }
    void selectRows(int firstModelRow, int lastModelRow)
    {
        const QAbstractItemModel* m = view->model();
        view->selectionModel()->setCurrentIndex(m->index(firstModelRow, 0), QItemSelectionModel::NoUpdate);
        view->selectionModel()->select(QItemSelection(m->index(firstModelRow, 0), m->index(lastModelRow, 1)),
                                       QItemSelectionModel::ClearAndSelect);
    }
    QPushButton* button(const char* text) { return panel->findChild<QPushButton*>(QString::fromUtf8(text)); }
};

TEST_F(GridPanelTest, TypingIntoACellAndPressingEnterRedrawsAndEnablesUndo)
{
    EXPECT_EQ(view->toolTip(), QStringLiteral("変更後はEnterキーを押してください。"));
    QAction* undo = window->action(QStringLiteral("undo"));
    ASSERT_FALSE(undo->isEnabled());

    view->setCurrentIndex(view->model()->index(1, 0));
    QSignalSpy redraws(&controller(), &AppController::previewChanged);
    QTest::keyClick(view, Qt::Key_X); // a key opens the editor with it
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("yz"));
    EXPECT_EQ(redraws.count(), 0);
    // The cell holds the text as typed, as the commands read it, before Enter.
    EXPECT_EQ(controller().rows().title(2), QStringLiteral("xyz"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(controller().rows().title(2), QStringLiteral("xyz"));
    EXPECT_GE(redraws.count(), 1);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(view->currentIndex().row(), 1); // Enter does not move to the next row
    undo->trigger();
    EXPECT_EQ(view->model()->index(1, 0).data().toString(), QStringLiteral("みかん 1kg"));

    // Enter with no editor open redraws too; with nothing changed since, undo goes off.
    const int before = static_cast<int>(redraws.count());
    QTest::keyClick(view, Qt::Key_Enter);
    EXPECT_EQ(redraws.count(), before + 1);
    EXPECT_FALSE(undo->isEnabled());
}

TEST_F(GridPanelTest, TheButtonsInsertAndDeleteTheSelectedRows)
{
    selectRows(2, 4); // grid rows 3 to 5
    EXPECT_EQ(controller().selectionTop(), 3);
    EXPECT_EQ(controller().selectionBottom(), 5);
    button("1行割込")->click();
    EXPECT_EQ(view->model()->rowCount(), 92);
    EXPECT_EQ(view->model()->index(5, 0).data().toString(), QStringLiteral("バナナ"));
    EXPECT_TRUE(view->model()->index(2, 0).data().toString().isEmpty());
    // The selection stays on the rows it was on, now the blank ones.
    EXPECT_EQ(controller().selectionTop(), 3);
    EXPECT_EQ(controller().selectionBottom(), 5);
    EXPECT_TRUE(view->selectionModel()->isSelected(view->model()->index(2, 0)));
    EXPECT_FALSE(view->selectionModel()->isSelected(view->model()->index(5, 0)));

    button("1行削除")->click();
    EXPECT_EQ(view->model()->rowCount(), 89);
    EXPECT_EQ(view->model()->index(2, 0).data().toString(), QStringLiteral("バナナ"));
    button("1行追加")->click();
    EXPECT_EQ(view->model()->rowCount(), 90);

    for (const char* text : {"全クリアー", "指定行数追加", "指定行数割込"})
        EXPECT_NE(button(text), nullptr) << text;
}

TEST_F(GridPanelTest, TheContextMenuAndTheEditMenuHoldTheGridCommands)
{
    QStringList items;
    for (QAction* a : panel->contextMenu()->actions())
        items << a->text();
    EXPECT_EQ(items, (QStringList{"セルの1行割込", "セルの1行削除", "セルの1行追加", "セルの指定行数追加",
                                  "セルの指定行数割り込み", "",
                                  "選択中の行から最終行までに同一のバーコードタイトルを入力",
                                  "選択中の行から最終行(タイトルのある行)までに同一のバーコード番号を入力",
                                  "選択中の行から最終行(タイトルのある行)までをシリアル化"}));
    // "セルの1行削除" deletes the selected rows, as "1行削除" does.
    selectRows(0, 0);
    panel->contextMenu()->actions().at(1)->trigger();
    EXPECT_EQ(view->model()->rowCount(), 88);
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), QStringLiteral("みかん 1kg"));
    panel->contextMenu()->actions().at(2)->trigger();
    EXPECT_EQ(view->model()->rowCount(), 89);

    QMenu* edit = window->menuBar()->actions().at(1)->menu();
    QStringList editItems;
    for (QAction* a : edit->actions())
        editItems << a->text();
    for (const QString& text :
         QStringList{"取り消し", "全クリアー", "1行割込", "1行削除", "1行追加", "指定行数追加",
                     "指定行数割込", "選択中の行から最終行(タイトルのある行)までをシリアル化"})
        EXPECT_TRUE(editItems.contains(text)) << text.toStdString();
    EXPECT_NE(window->action(QStringLiteral("importCsv")), nullptr);
}

TEST_F(GridPanelTest, ColumnWidthsComeFromTheSettingsAndGoBackToThem)
{
    QHeaderView* columns = view->horizontalHeader();
    EXPECT_EQ(columns->sectionSize(0), 150); // the settings' defaults on a first run
    EXPECT_EQ(columns->sectionSize(1), 100);
    columns->resizeSection(0, 210);
    // What the close sequence writes into the INI file.
    EXPECT_EQ(controller().settings().titleColumnWidth, 210);
    EXPECT_EQ(controller().settings().numberColumnWidth, 100);
}

TEST_F(GridPanelTest, ThePictureOfTheDataTab)
{
    selectRows(1, 3);
    QApplication::processEvents();
    QDir().mkpath(QStringLiteral(KORBENA_ARTIFACTS_DIR));
    EXPECT_TRUE(window->grab().toImage().save(QStringLiteral(KORBENA_ARTIFACTS_DIR "/data-tab.png")));
}

// Answers the next modal dialog once it shows.
void answerModal(std::function<void(QDialog*)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(dialog);
    });
}

TEST(OptionDialogsTest, AreMadeOnceAndShowTheValuesLastEntered)
{
    QWidget parent;
    QtDialogs dialogs(&parent);
    SerialDialog& serial = dialogs.serialDialog();
    EXPECT_EQ(serial.windowTitle(), QStringLiteral("Korbena"));
    EXPECT_EQ(serial.settings(), SerialSettings{});

    answerModal([](QDialog* d) {
        d->findChild<QLineEdit*>(QStringLiteral("header"))->setText(QStringLiteral("AB"));
        d->findChild<NumberEdit*>(QStringLiteral("start_no"))->SetValue(-2.9L);
        for (auto* radio : d->findChildren<QRadioButton*>()) {
            if (radio->text() == u"10桁")
                radio->setChecked(true);
        }
        QDir().mkpath(QStringLiteral(KORBENA_ARTIFACTS_DIR));
        d->grab().save(QStringLiteral(KORBENA_ARTIFACTS_DIR "/serial-dialog.png"));
        d->findChild<QPushButton*>(QStringLiteral("run"))->click();
    });
    const auto entered = dialogs.serialNumbers();
    ASSERT_TRUE(entered);
    EXPECT_EQ(entered->header, QStringLiteral("AB"));
    EXPECT_EQ(entered->footer, QStringLiteral("-01"));
    EXPECT_EQ(entered->start, -2);
    EXPECT_EQ(entered->width, 10);

    // The same dialog again, with what was entered; cancelled it answers nothing.
    answerModal([&serial](QDialog* d) {
        EXPECT_EQ(d, &serial);
        EXPECT_EQ(d->findChild<QLineEdit*>(QStringLiteral("header"))->text(), QStringLiteral("AB"));
        d->findChild<QPushButton*>(QStringLiteral("cancel"))->click();
    });
    EXPECT_FALSE(dialogs.serialNumbers());

    EXPECT_EQ(dialogs.csvOptionDialog().options(), CsvOptions{});
    answerModal([](QDialog* d) {
        for (auto* radio : d->findChildren<QRadioButton*>()) {
            if (radio->text() == u"セミコロン区切り")
                radio->setChecked(true);
        }
        d->findChild<NumberEdit*>(QStringLiteral("col_no"))->SetValue(3.7L);
        d->grab().save(QStringLiteral(KORBENA_ARTIFACTS_DIR "/csv-option-dialog.png"));
        d->findChild<QPushButton*>(QStringLiteral("run"))->click();
    });
    EXPECT_EQ(dialogs.csvOptions(), (CsvOptions{CsvSeparator::Semicolon, 3}));
}

TEST(OptionDialogsTest, EachDigitButtonPadsToItsNumberOfCharacters)
{
    QWidget parent;
    QtDialogs dialogs(&parent);
    // The caption of each button and the number 7 as it numbers a row then.
    const std::pair<const char16_t*, const char*> buttons[] = {
        {u"桁調整なし", "H7F"},  {u"2桁", "H07F"},          {u"3桁", "H007F"},     {u"4桁", "H0007F"},
        {u"5桁", "H00007F"},     {u"6桁", "H000007F"},      {u"7桁", "H0000007F"}, {u"8桁", "H00000007F"},
        {u"9桁", "H000000007F"}, {u"10桁", "H0000000007F"},
    };
    for (const auto& [caption, expected] : buttons) {
        const QString label = QString::fromUtf16(caption);
        answerModal([&label](QDialog* d) {
            d->findChild<QLineEdit*>(QStringLiteral("header"))->setText(QStringLiteral("H"));
            d->findChild<QLineEdit*>(QStringLiteral("footer"))->setText(QStringLiteral("F"));
            d->findChild<NumberEdit*>(QStringLiteral("start_no"))->SetValue(7);
            for (auto* radio : d->findChildren<QRadioButton*>()) {
                if (radio->text() == label)
                    radio->setChecked(true);
            }
            d->findChild<QPushButton*>(QStringLiteral("run"))->click();
        });
        const auto entered = dialogs.serialNumbers();
        ASSERT_TRUE(entered) << label.toStdString();
        DataList grid;
        grid.setTitle(1, QStringLiteral("t"));
        SerializeRows(grid, 1, *entered);
        EXPECT_EQ(grid.number(1), QLatin1String(expected)) << label.toStdString();
        // A number longer than the width leaves the row; without padding none is too long.
        grid.setNumber(1, QStringLiteral("kept"));
        SerialSettings longer = *entered;
        longer.start = 12'345'678'901LL;
        SerializeRows(grid, 1, longer);
        EXPECT_EQ(grid.number(1),
                  entered->width == 0 ? QStringLiteral("H12345678901F") : QStringLiteral("kept"))
            << label.toStdString();
    }
}

} // namespace
} // namespace korbena
