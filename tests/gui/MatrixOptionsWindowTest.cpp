// The window's symbology list and the group of the two-dimensional symbols'
// options: chosen in the controls, they reach the style, the file and the preview.
#include "TestSupport.h"
#include "gui/MainWindow.h"
#include "session/AppController.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

// A key press, as the user chooses in a list.
void press(QWidget* widget, int key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &up);
}

template <typename T> T* child(QWidget& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(MatrixOptionsWindow, NewSymbologiesAndTheirOptionsReachTheStyleFile)
{
    QTemporaryDir home;
    MainWindow window(home.path() + QStringLiteral("/data"), kResources);
    window.resize(1400, 900);
    window.show();
    QApplication::processEvents();
    AppController& controller = window.controller();
    controller.LoadStyle(kResources + QStringLiteral("/style/A4-65-JAN.kbz"));

    auto* type = child<QComboBox>(window, "symbol.symbology");
    ASSERT_EQ(type->count(), 16);
    EXPECT_EQ(type->itemText(11), "CODE-93");
    EXPECT_EQ(type->itemText(12), "QR");
    EXPECT_EQ(type->itemText(13), "DATAMATRIX");
    EXPECT_EQ(type->itemText(14), "PDF417");
    EXPECT_EQ(type->itemText(15), "GS1-128");
    type->setCurrentIndex(11);
    press(type, Qt::Key_Down);
    EXPECT_EQ(controller.style().symbol.symbology, cbarQR);
    EXPECT_FALSE(child<QComboBox>(window, "symbol.startChar")->isEnabled());

    auto* ecc = child<QComboBox>(window, "symbol.qrErrorCorrection");
    ecc->setCurrentIndex(2);
    press(ecc, Qt::Key_Down);
    // The sheet's JAN numbers drawn as QR Code, for review.
    controller.RedrawPreview();
    auto* tabs = window.findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentIndex(0);
    QApplication::processEvents();
    QDir().mkpath(QStringLiteral(KORBENA_ARTIFACTS_DIR));
    EXPECT_TRUE(window.grab().toImage().save(QStringLiteral(KORBENA_ARTIFACTS_DIR "/tab-barcode-qr.png")));

    child<QCheckBox>(window, "symbol.gs1")->click();
    window.findChild<QWidget*>(QStringLiteral("symbol.dataMatrixShape"))->findChildren<QRadioButton*>().at(1)->click();
    EXPECT_EQ(controller.style().symbol.qrErrorCorrection, 3);
    EXPECT_TRUE(controller.style().symbol.gs1);
    EXPECT_EQ(controller.style().symbol.dataMatrixShape, 1);

    const QString path = home.filePath(QStringLiteral("qr.kbz"));
    ASSERT_TRUE(controller.SaveStyle(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 51); // 50 lines and the empty rest after the last line end
    EXPECT_EQ(lines[46], "[QR_ECC]=3\r");
    EXPECT_EQ(lines[49], "[GS1_MODE]=1\r");
}

} // namespace
} // namespace korbena
