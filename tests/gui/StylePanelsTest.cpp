// The setting tabs on the offscreen platform: every style field in a control, the
// samples written back through the controls byte for byte, edits and Enter reaching
// the controller, and a picture of each tab for review.
#include "gui/StylePanels.h"

#include "TestSupport.h"
#include "controls/NumberEdit.h"
#include "gui/MainWindow.h"
#include "gui/StyleBinder.h"
#include "platform/TextFile.h"
#include "session/AppController.h"
#include "session/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace korbena {
namespace {

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void press(QWidget* widget, int key, const QString& text = {})
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &up);
}

// Typing plain characters, one key each.
void type(QWidget* widget, const QString& text)
{
    for (const QChar ch : text)
        press(widget, ch.unicode(), QString(ch));
}

// The tabs of the window with the pages the panels fill, over a controller whose
// dialogs answer from a script.
class StylePanelsTest : public ::testing::Test
{
protected:
    QTemporaryDir home;
    test::ScriptedDialogs dialogs;
    test::RecordingDesktop desktop;
    AppController controller{dialogs, desktop, home.path() + QStringLiteral("/data"), kResources};
    QTabWidget tabs;
    StylePanels* panels = nullptr;
    int redraws = 0;

    void SetUp() override
    {
        for (const char* name : {"バーコード設定", "フォント設定", "シート設定", "データ入力", "注意事項"})
            tabs.addTab(new QWidget, QString::fromUtf8(name));
        panels = new StylePanels(controller, tabs);
        controller.setScreenDpi(96, 96);
        controller.prepare();
        controller.startupLoad();
        QObject::connect(&controller, &AppController::previewChanged, [this] { ++redraws; });
        tabs.resize(460, 900);
        tabs.show();
        QApplication::processEvents();
    }

    template <typename T> T* control(const char* name)
    {
        T* found = tabs.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};

TEST_F(StylePanelsTest, EverySampleFillsEveryControlAndWritesBackByteIdentical)
{
    std::vector<StyleField> keys;
    for (const StyleKey& key : styleKeys())
        keys.push_back(key.field);
    std::vector<StyleField> bound = panels->binder().boundFields();
    std::sort(bound.begin(), bound.end());
    EXPECT_EQ(bound, keys); // each key once

    QStringList samples = QDir(kResources + QStringLiteral("/style")).entryList({QStringLiteral("*.kbz")});
    for (QString& sample : samples)
        sample.prepend(kResources + QStringLiteral("/style/"));
    samples << kResources + QStringLiteral("/conf/KORBENA.dat");
    ASSERT_EQ(samples.size(), 6);
    for (const QString& sample : samples) {
        SCOPED_TRACE(sample.toStdString());
        controller.LoadStyle(sample);
        // Read from the controls alone, over a style that holds none of the sample.
        LabelStyle blank;
        blank.displayKey = controller.style().displayKey;
        const LabelStyle shown = panels->binder().read(blank);
        EXPECT_EQ(shown, controller.style());
        const QString copy = home.path() + QStringLiteral("/through-controls.kbz");
        WriteStyleFile(copy, shown);
        EXPECT_EQ(bytes(copy), bytes(sample));
        ASSERT_TRUE(controller.SaveStyle(home.path() + QStringLiteral("/saved.kbz")));
        EXPECT_EQ(bytes(home.path() + QStringLiteral("/saved.kbz")), bytes(sample));
    }
    // What the last sample (JAN) shows in a few controls, as the user sees them.
    EXPECT_EQ(control<QComboBox>("symbol.symbology")->currentText(), "JAN");
    EXPECT_FALSE(control<QComboBox>("symbol.startChar")->isEnabled());
    EXPECT_EQ(control<QLabel>("title.fontName")->text(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(control<QLabel>("title.fontStyle")->text(), "太字");
    EXPECT_EQ(control<QLabel>("paper_size")->text(), "A4 210 x 297 mm");
}

TEST_F(StylePanelsTest, EditsInTheControlsReachTheStyleAndMakeItChanged)
{
    controller.LoadStyle(kResources + QStringLiteral("/style/A4-24-CODE39.kbz"));
    const QString copy = home.path() + QStringLiteral("/tempstyle.sle");
    ChangeTracking& changes = const_cast<ChangeTracking&>(controller.changes());
    EXPECT_FALSE(changes.StyleChanged(controller.style(), copy));

    NumberEdit* ix = control<NumberEdit>("placement.x");
    ix->setFocus();
    ix->selectAll();
    redraws = 0;
    type(ix, QStringLiteral("12.5"));
    EXPECT_EQ(controller.style().placement.x, 12.5L);
    EXPECT_EQ(ix->text(), "12.5"); // the refill left the field as typed
    EXPECT_EQ(redraws, 0);         // typing alone does not redraw
    EXPECT_TRUE(changes.StyleChanged(controller.style(), copy));

    // Enter: redraws; in the barcode's X the field still sees the key, in the title's X it does not.
    int ixReturns = 0, titleReturns = 0;
    QObject::connect(ix, &QLineEdit::returnPressed, [&] { ++ixReturns; });
    press(ix, Qt::Key_Return);
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(ixReturns, 1);
    NumberEdit* titleX = control<NumberEdit>("title.x");
    QObject::connect(titleX, &QLineEdit::returnPressed, [&] { ++titleReturns; });
    press(titleX, Qt::Key_Enter);
    EXPECT_EQ(redraws, 2);
    EXPECT_EQ(titleReturns, 0);

    // A switch redraws; an arrow button moves its field and the field shows it.
    QCheckBox* center = control<QCheckBox>("title.centred");
    ASSERT_TRUE(center->isChecked()); // as the sample has it
    center->click();
    EXPECT_FALSE(controller.style().title.centred);
    EXPECT_EQ(redraws, 3);
    control<QAbstractButton>("placement.x.right")->click();
    EXPECT_EQ(controller.style().placement.x, 13.5L);
    EXPECT_EQ(ix->text(), "13.5");
    EXPECT_EQ(redraws, 4);

    // The symbology list refills the character lists, without a redraw.
    QComboBox* symbology = control<QComboBox>("symbol.symbology");
    press(symbology, Qt::Key_Down); // CODE-39 to NW-7
    EXPECT_EQ(controller.style().symbol.symbology, cbarNW7);
    QComboBox* start = control<QComboBox>("symbol.startChar");
    EXPECT_TRUE(start->isEnabled());
    EXPECT_EQ(start->count(), 4);
    EXPECT_EQ(start->currentText(), "A");
    EXPECT_EQ(redraws, 4);

    // The copy count is the controller's, read as its integer part.
    NumberEdit* copies = control<NumberEdit>("xcopy");
    copies->selectAll();
    type(copies, QStringLiteral("3.7"));
    EXPECT_EQ(controller.copies(), 3);
    control<QAbstractButton>("xcopyUp")->click();
    EXPECT_EQ(controller.copies(), 4);
    EXPECT_EQ(copies->text(), "4");
}

// A slip in a number field is said in the error box at once, the style keeping its
// number; the Up and Down keys step a field by 1, and the steps redraw once.
TEST_F(StylePanelsTest, ANumberFieldSaysWhatDoesNotReadAndItsArrowKeysStep)
{
    NumberEdit* ix = control<NumberEdit>("placement.x");
    ix->setFocus();
    ix->selectAll();
    type(ix, QStringLiteral("12"));
    ASSERT_EQ(controller.style().placement.x, 12);
    // A separator typed over the whole text: the text does not read.
    ix->selectAll();
    dialogs.expectError(QStringLiteral("'.' は浮動小数点数ではありません"));
    type(ix, QStringLiteral("."));
    dialogs.expectDone();
    EXPECT_EQ(ix->text(), "."); // left as typed, and said
    EXPECT_EQ(controller.style().placement.x, 12);
    press(ix, Qt::Key_Backspace);
    type(ix, QStringLiteral("12"));
    EXPECT_EQ(ix->text(), "12");

    QApplication::processEvents();
    redraws = 0;
    press(ix, Qt::Key_Up);
    press(ix, Qt::Key_Up);
    EXPECT_EQ(controller.style().placement.x, 14);
    EXPECT_EQ(ix->text(), "14");
    press(ix, Qt::Key_Down);
    EXPECT_EQ(controller.style().placement.x, 13);
    EXPECT_EQ(redraws, 0);
    QApplication::processEvents();
    EXPECT_EQ(redraws, 1);

    // The copy count steps as well.
    NumberEdit* copies = control<NumberEdit>("xcopy");
    press(copies, Qt::Key_Up);
    EXPECT_EQ(controller.copies(), 2);
}

TEST(StylePanelsPictures, EachTabAfterStartUp)
{
    QTemporaryDir home;
    MainWindow window(home.path() + QStringLiteral("/data"), kResources);
    window.resize(1400, 900);
    window.show();
    QApplication::processEvents();
    auto* tabs = window.findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    const char* files[] = {"tab-barcode.png", "tab-font.png", "tab-sheet.png", "tab-data.png",
                           "tab-caution.png"};
    ASSERT_EQ(tabs->count(), 5);
    QDir().mkpath(QStringLiteral(KORBENA_ARTIFACTS_DIR));
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        const QImage picture = window.grab().toImage();
        EXPECT_TRUE(picture.save(QStringLiteral(KORBENA_ARTIFACTS_DIR "/") + QLatin1String(files[i])));
    }
}

} // namespace
} // namespace korbena
