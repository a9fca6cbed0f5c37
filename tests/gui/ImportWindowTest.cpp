// Lists and label stock in the window, on the offscreen platform: Ctrl+V and Ctrl+C
// in the grid through the clipboard, the two dialogs through QtDialogs, and the
// preview with its label outlines, each pictured for review.
#include "WorkbookFiles.h"
#include "gui/GridPanel.h"
#include "gui/MainWindow.h"
#include "gui/PreviewPane.h"
#include "gui/QtDialogs.h"
#include "platform/AtomicFile.h"
#include "platform/TextCodec932.h"
#include "session/AppController.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace korbena {
namespace {

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

void answerNextModal(std::function<void(QDialog*)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(dialog);
    });
}

void savePicture(const QImage& image, const char* name)
{
    QDir().mkpath(QStringLiteral(KORBENA_ARTIFACTS_DIR));
    EXPECT_TRUE(image.save(QStringLiteral(KORBENA_ARTIFACTS_DIR "/") + QString::fromLatin1(name)));
}

class ImportWindowTest : public ::testing::Test
{
protected:
    QTemporaryDir home;
    std::unique_ptr<MainWindow> window;
    QTableView* view = nullptr;

    void SetUp() override
    {
        window = std::make_unique<MainWindow>(home.path() + QStringLiteral("/data"), kResources);
        window->resize(1400, 900);
        window->show();
        window->findChild<QTabWidget*>()->setCurrentIndex(3);
        view = window->findChild<GridPanel*>()->view();
        QApplication::setActiveWindow(window.get());
        view->setFocus();
        QApplication::processEvents();
    }
    AppController& controller() { return window->controller(); }
};

TEST_F(ImportWindowTest, CtrlVPastesTheClipboardAtTheCurrentCellAndCtrlCCopiesTheSelection)
{
    const DataList& rows = controller().rows();
    const int count = rows.RowCount();
    QGuiApplication::clipboard()->setText(QStringLiteral("商品A\t4901234567894\n\"改行\nあり\"\t\n"));
    view->setCurrentIndex(view->model()->index(count - 2, 0)); // the last shown row
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rows.RowCount(), count + 1); // one row added for the block
    EXPECT_EQ(rows.title(count - 1), QStringLiteral("商品A"));
    EXPECT_EQ(rows.number(count - 1), QStringLiteral("4901234567894"));
    EXPECT_EQ(rows.title(count), QStringLiteral("改行 あり"));
    EXPECT_EQ(view->model()->rowCount(), count); // the view follows
    EXPECT_TRUE(window->action(QStringLiteral("undo"))->isEnabled());
    // The pasted block is the selection now, so Ctrl+C gives it back.
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("商品A\t4901234567894\n改行 あり\t\n"));

    // The edit menu's undo takes the paste back.
    window->action(QStringLiteral("undo"))->trigger();
    EXPECT_TRUE(rows.title(count - 1).isEmpty());
}

TEST_F(ImportWindowTest, TheDetailedImportDialogPreviewsTheFileAndGivesItsSettings)
{
    const QString path = home.filePath(QStringLiteral("商品.csv"));
    writeFileAtomically(path, cp932::encode(u"品名,JANコード,枚数\r\n"
                                            u"\"りんご, ふじ\",4901234567894,2\r\n"
                                            u"みかん,4909876543210,1\r\n"
                                            u"バナナ,4900000000001,3\r\n"));
    QtDialogs dialogs(window.get());
    DetailedCsvSettings initial;
    initial.startRow = 4;
    answerNextModal([](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("CSV取込(詳細)"));
        auto* header = d->findChild<QCheckBox*>(QStringLiteral("header"));
        header->setChecked(true);
        auto* preview = d->findChild<QTableView*>(QStringLiteral("preview"));
        EXPECT_EQ(preview->model()->rowCount(), 3);
        EXPECT_EQ(preview->model()->index(0, 0).data().toString(), QStringLiteral("りんご, ふじ"));
        auto* quantity = d->findChild<QComboBox*>(QStringLiteral("quantityColumn"));
        quantity->setCurrentIndex(quantity->findData(3));
        EXPECT_EQ(quantity->currentText(), QStringLiteral("3列目: 枚数"));
        d->resize(700, 680);
        savePicture(d->grab().toImage(), "detailed-csv-dialog.png");
        d->findChild<QPushButton*>(QStringLiteral("import"))->click();
    });
    const auto settings = dialogs.detailedCsvImport(path, initial);
    ASSERT_TRUE(settings);
    EXPECT_FALSE(settings->format.separator); // left to detection
    EXPECT_TRUE(settings->columns.header);
    EXPECT_EQ(settings->columns.titleColumn, 1);
    EXPECT_EQ(settings->columns.numberColumn, 2);
    EXPECT_EQ(settings->columns.quantityColumn, 3);
    EXPECT_EQ(settings->startRow, 4);
}

TEST_F(ImportWindowTest, TheDetailedImportDialogPreviewsASpreadsheetSheetChosenByName)
{
    const auto cell = [](const char* value) {
        return QByteArray("<table:table-cell office:value-type=\"float\" office:value=\"") + value +
               "\"><text:p>4.90E+12</text:p></table:table-cell>";
    };
    const auto text = [](const char* value) {
        return QByteArray("<table:table-cell office:value-type=\"string\"><text:p>") + value +
               "</text:p></table:table-cell>";
    };
    const QString path = home.filePath(QStringLiteral("商品.ods"));
    ASSERT_TRUE(test::writeZip(
        path,
        test::odsDocument({{QStringLiteral("商品"), "<table:table-row>" + text("りんご") +
                                                        cell("4.901234567894E+12") + "</table:table-row>"},
                           {QStringLiteral("在庫"), "<table:table-row>" + text("みかん") +
                                                        cell("4909876543210") + "</table:table-row>"}})));
    QtDialogs dialogs(window.get());
    answerNextModal([](QDialog* d) {
        auto* sheet = d->findChild<QLineEdit*>(QStringLiteral("sheet"));
        auto* preview = d->findChild<QTableView*>(QStringLiteral("preview"));
        ASSERT_TRUE(sheet && preview);
        EXPECT_TRUE(sheet->isEnabled());
        EXPECT_FALSE(d->findChild<QComboBox*>(QStringLiteral("separator"))->isEnabled());
        // The first sheet, its number exact although displayed in exponent form.
        EXPECT_EQ(preview->model()->index(0, 1).data().toString(), QStringLiteral("4901234567894"));
        sheet->setText(QStringLiteral("売上"));
        EXPECT_EQ(preview->model()->rowCount(), 0);
        const QList<QLabel*> labels = d->findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](QLabel* l) {
            return l->text() == QStringLiteral("シート「売上」がありません");
        }));
        sheet->setText(QStringLiteral("在庫"));
        EXPECT_EQ(preview->model()->index(0, 0).data().toString(), QStringLiteral("みかん"));
        EXPECT_EQ(preview->model()->index(0, 1).data().toString(), QStringLiteral("4909876543210"));
        savePicture(d->grab().toImage(), "detailed-import-spreadsheet.png");
        d->findChild<QPushButton*>(QStringLiteral("import"))->click();
    });
    const auto settings = dialogs.detailedCsvImport(path, {});
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->format.sheet, QStringLiteral("在庫"));
}

TEST_F(ImportWindowTest, TheSheetCatalogueFindsByCountAndTheOutlinedPreviewFollows)
{
    QtDialogs dialogs(window.get());
    answerNextModal([](QDialog* d) {
        auto* list = d->findChild<QTableView*>(QStringLiteral("layouts"));
        d->findChild<QLineEdit*>(QStringLiteral("search"))->setText(QStringLiteral("２１面"));
        EXPECT_EQ(list->model()->rowCount(), 1); // full-width digits count as their ASCII forms
        d->findChild<QLineEdit*>(QStringLiteral("search"))->setText(QStringLiteral("汎用"));
        EXPECT_EQ(list->model()->rowCount(), 7);
        list->selectRow(2);
        QApplication::processEvents();
        savePicture(d->grab().toImage(), "sheet-catalogue-dialog.png");
        d->findChild<QPushButton*>(QStringLiteral("apply"))->click();
    });
    const auto chosen = dialogs.chooseSheetLayout(builtInLayouts());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->labelsPerSheet(), 21);

    controller().applySheetLayoutCommand(*chosen);
    EXPECT_EQ(static_cast<int>(controller().style().sheet.down), 7);
    QAction* outlines = window->action(QStringLiteral("cellOutlines"));
    ASSERT_TRUE(outlines->isCheckable());
    outlines->trigger();
    EXPECT_TRUE(controller().cellOutlines());
    controller().setZoom(50);
    QApplication::processEvents();
    savePicture(controller().previewImage(), "preview-cell-outlines.png");
}

} // namespace
} // namespace korbena
