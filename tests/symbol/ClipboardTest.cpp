// Copying the picture to the clipboard, pasting a code from it, and watching it:
// switching the watch on does not paste what is already there, later text pastes
// with Watch set, and the handler decides whether the clipboard is watched at all.
#include "TestSupport.h"
#include "symbol/BarImage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace korbena {
namespace {

const QString kJan = QStringLiteral("494612200092");
const QString kOther = QStringLiteral("490123456789");

QClipboard& clipboard()
{
    return *QGuiApplication::clipboard();
}

void copyText(const QString& text)
{
    clipboard().setText(text);
}

void copyImage()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    clipboard().setImage(image);
}

struct Watched
{
    BarImage bar;
    std::vector<std::string> events;

    Watched()
    {
        bar.SetBarEnabled(false);
        bar.SetSymbolDisp(false);
        bar.SetMatch(true);
        bar.SetBarEnabled(true);
        auto log = [this](const char* name) {
            return [this, name](BarImage& sender, bool watch) {
                events.push_back(std::string(name) + (watch ? "+watch:" : ":") + sender.Code().toStdString());
            };
        };
        bar.OnChangeCode = log("change");
        bar.OnChangedCode = log("changed");
    }
};

// --- copy and paste ---

TEST(Clipboard, BitmapPictureIsCopiedAsImage)
{
    BarImage bar;
    bar.SetMatch(true);
    bar.SetCode(kJan);
    bar.CopyToClipboard();
    const QMimeData* data = clipboard().mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasImage());
    EXPECT_FALSE(data->hasFormat(QStringLiteral("image/svg+xml")));
    EXPECT_EQ(clipboard().image().convertToFormat(QImage::Format_RGB32), bar.Picture().bitmap()->image());
}

TEST(Clipboard, VectorPictureIsCopiedAsSvgWithItsImageBeside)
{
    for (const TPictures kind : {picEMF, picWMF}) {
        BarImage bar;
        bar.SetSymbolDisp(false);
        bar.SetMatch(true);
        bar.SetBarPicture(kind);
        bar.SetCode(kJan);
        ASSERT_TRUE(bar.Picture().isMetafile());
        bar.CopyToClipboard();
        const QMimeData* data = clipboard().mimeData();
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(data->data(QStringLiteral("image/svg+xml")), bar.Picture().metafile()->svg) << kind;
        ASSERT_TRUE(data->hasImage()) << kind;
        const QImage image = clipboard().image();
        EXPECT_EQ(image.size(), QSize(bar.Width() + 1, bar.Height() + 1)) << kind;
        // The raster shows the symbol: black start guard, white quiet zone.
        EXPECT_EQ(test::pixelAt(image, 10, 50), clBlack) << kind;
        EXPECT_EQ(test::pixelAt(image, 5, 50), clWhite) << kind;
    }
}

TEST(Clipboard, NoPictureLeavesTheClipboardAlone)
{
    copyText(QStringLiteral("keep"));
    BarImage bar;
    bar.CopyToClipboard();
    EXPECT_EQ(clipboard().text(), QStringLiteral("keep"));
}

TEST(Clipboard, PasteTakesPlainTextThroughTheCodeSetter)
{
    Watched w;
    copyText(kJan);
    w.bar.PasteFromClipboard();
    EXPECT_EQ(w.bar.Code(), kJan);
    EXPECT_TRUE(w.bar.BarDisped());
    EXPECT_EQ(w.events, (std::vector<std::string>{"change:", "changed:494612200092"}));

    copyImage();
    w.bar.PasteFromClipboard();
    auto* urls = new QMimeData;
    urls->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/490123456789"))});
    clipboard().setMimeData(urls);
    w.bar.PasteFromClipboard();
    EXPECT_EQ(w.bar.Code(), kJan);
    EXPECT_EQ(w.events.size(), 2u);
}

// --- watching ---

TEST(ClipboardWatch, SwitchingOnDoesNotPasteWhatIsThere)
{
    Watched w;
    copyText(kJan);
    w.bar.SetClipWatch(true);
    EXPECT_TRUE(w.bar.ClipWatch());
    EXPECT_TRUE(w.bar.Code().isEmpty());
    EXPECT_TRUE(w.events.empty());

    // The first change after it is not skipped.
    copyText(kOther);
    EXPECT_EQ(w.bar.Code(), kOther);
    EXPECT_EQ(w.events, (std::vector<std::string>{"change+watch:", "changed+watch:490123456789"}));
    // Watch is set only while the automatic paste runs.
    w.bar.SetCode(kJan);
    EXPECT_EQ(w.events.back(), "changed:494612200092");
}

TEST(ClipboardWatch, ChangesWithoutTextLeaveTheCode)
{
    Watched w;
    w.bar.SetClipWatch(true);
    copyText(kJan);
    ASSERT_EQ(w.bar.Code(), kJan);
    copyImage();
    EXPECT_EQ(w.bar.Code(), kJan);
    clipboard().clear();
    EXPECT_EQ(w.bar.Code(), kJan);
    EXPECT_EQ(w.events.size(), 2u);
}

TEST(ClipboardWatch, SwitchingOffStopsPasting)
{
    Watched w;
    w.bar.SetClipWatch(true);
    w.bar.SetClipWatch(false);
    copyText(kJan);
    EXPECT_TRUE(w.bar.Code().isEmpty());
    // On again: again the notification of switching on is skipped.
    w.bar.SetClipWatch(true);
    EXPECT_TRUE(w.bar.Code().isEmpty());
    copyText(kOther);
    EXPECT_EQ(w.bar.Code(), kOther);
}

TEST(ClipboardWatch, RemovingTheHandlerStopsWatchingAndSettingItResumes)
{
    Watched w;
    w.bar.SetClipWatch(true);
    const TNotifyEvent own = w.bar.OnClipChange();
    ASSERT_TRUE(own);
    w.bar.SetOnClipChange(nullptr);
    copyText(kJan);
    EXPECT_TRUE(w.bar.Code().isEmpty());
    EXPECT_TRUE(w.bar.ClipWatch());

    // Resuming is told of the clipboard at once, and that notification is not
    // skipped: only switching ClipWatch on skips one.
    w.bar.SetOnClipChange(own);
    EXPECT_EQ(w.bar.Code(), kJan);
    copyText(kOther);
    EXPECT_EQ(w.bar.Code(), kOther);
}

TEST(ClipboardWatch, ReplacedHandlerIsCalledInsteadOfPasting)
{
    Watched w;
    int calls = 0;
    BarImage* seen = nullptr;
    w.bar.SetOnClipChange([&](BarImage& sender) {
        ++calls;
        seen = &sender;
    });
    w.bar.SetClipWatch(true); // the notification of switching on reaches it too
    copyText(kJan);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(seen, &w.bar);
    EXPECT_TRUE(w.bar.Code().isEmpty());
}

TEST(ClipboardWatch, HandlerThatCopiesDoesNotFeedItself)
{
    Watched w;
    int changes = 0;
    w.bar.OnChangedCode = [&](BarImage& sender, bool) {
        ++changes;
        clipboard().setText(sender.Code() + QStringLiteral("0"));
    };
    w.bar.SetClipWatch(true);
    copyText(QStringLiteral("4901234"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(w.bar.Code(), QStringLiteral("4901234"));
    EXPECT_EQ(clipboard().text(), QStringLiteral("49012340"));
}

TEST(ClipboardWatch, FailingHandlerEndsThere)
{
    Watched w;
    w.bar.SetOnClipChange([](BarImage&) { throw std::runtime_error("handler failed"); });
    w.bar.SetClipWatch(true);
    EXPECT_NO_THROW(copyText(kJan));
}

TEST(ClipboardWatch, DestroyedWatcherIsNoLongerTold)
{
    int calls = 0;
    {
        BarImage bar;
        bar.SetOnClipChange([&](BarImage&) { ++calls; });
        bar.SetClipWatch(true);
    }
    const int before = calls;
    copyText(kOther);
    EXPECT_EQ(calls, before);
}

} // namespace
} // namespace korbena
