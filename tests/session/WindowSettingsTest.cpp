#include "session/WindowSettings.h"

#include "platform/AtomicFile.h"
#include "platform/TextCodec932.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

TEST(WindowSettingsTest, KeysStayLiteralAndAnyPathRoundTripsAsUtf8)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("abacora.ini"));
    writeFileAtomically(ini, QByteArray("[Other]\r\nkeep=1\r\n"));
    WindowSettings s;
    s.formTop = -8;
    s.formLeft = 12;
    s.formWidth = 1024;
    s.formHeight = 700;
    s.zoom = 150;
    s.splitter = 420;
    s.titleColumnWidth = 180;
    s.numberColumnWidth = 130;
    s.styleFile = QStringLiteral("/ホーム/ラベル/商品.kbz");
    s.dataFile = QStringLiteral("/data/한국어 ž 😀.lst"); // none of it in code page 932
    writeWindowSettings(ini, s);

    EXPECT_EQ(readWindowSettings(ini), s);
    const QByteArray bytes = readWholeFile(ini);
    EXPECT_TRUE(bytes.contains("StrColGrid2.ColWidths[1]=180\r\n"));
    EXPECT_TRUE(bytes.contains("StrColGrid2.ColWidths[2]=130\r\n"));
    EXPECT_TRUE(bytes.contains(QStringLiteral("StatusBar1.panels[1]=/ホーム/ラベル/商品.kbz\r\n").toUtf8()));
    EXPECT_TRUE(bytes.contains("[Other]\r\nkeep=1\r\n"));
}

TEST(WindowSettingsTest, ReadsCodePage932AndTakesDefaultsForMissingOrBadValues)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("abacora.ini"));
    writeFileAtomically(ini, cp932::encode(QStringLiteral("[PosSize]\r\nFormTop=x\r\nTrackBar1=0\r\n"
                                                          "StatusBar1.panels[1]=C:\\スタイル\\a.kbz\r\n")));
    const WindowSettings s = readWindowSettings(ini);
    EXPECT_EQ(s.styleFile, QStringLiteral("C:\\スタイル\\a.kbz"));
    EXPECT_EQ(s.formTop, 0);
    EXPECT_EQ(s.zoom, 100);
    EXPECT_EQ(s.titleColumnWidth, 150);
    EXPECT_EQ(s.numberColumnWidth, 100);
    EXPECT_EQ(readWindowSettings(dir.filePath(QStringLiteral("none.ini"))).zoom, 100);
}

} // namespace
} // namespace korbena
