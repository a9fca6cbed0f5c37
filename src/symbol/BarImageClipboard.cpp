#include "symbol/BarImage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QObject>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <exception>

namespace korbena {

namespace {

const QString kSvgMime = QStringLiteral("image/svg+xml");
const QString kTextMime = QStringLiteral("text/plain");

// The system clipboard, or none where no GUI application runs (a console program).
QClipboard* systemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                        : nullptr;
}

// The vector picture drawn at its own size, for programs that paste only images.
QImage rasterised(const Metafile& metafile)
{
    QImage image(std::max(metafile.width, 1), std::max(metafile.height, 1),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(metafile.svg);
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(0, 0, image.width(), image.height()));
    }
    return image;
}

} // namespace

// Ties the component to the clipboard's change notification while it watches.
class ClipboardLink : public QObject
{
public:
    explicit ClipboardLink(BarImage& owner) : m_owner(owner) {}

    // Starts listening; false where there is no clipboard to listen to.
    bool join()
    {
        QClipboard* clipboard = systemClipboard();
        if (clipboard == nullptr)
            return false;
        m_connection = QObject::connect(clipboard, &QClipboard::dataChanged, this, [this] { changed(); });
        return true;
    }

    void leave() { QObject::disconnect(m_connection); }

    // One change of the clipboard. A handler's fault ends here: it must not unwind
    // through the clipboard's signal. A change that a handler causes while it runs
    // (copying, say, from OnChangedCode) is not handled again, so that a handler
    // that writes text cannot feed itself without end.
    void changed()
    {
        if (m_running)
            return;
        m_running = true;
        try {
            m_owner.DoClipChange();
        } catch (const std::exception& error) {
            qWarning("Clipboard change handler failed: %s", error.what());
        } catch (...) {
            qWarning("Clipboard change handler failed");
        }
        m_running = false;
    }

private:
    BarImage& m_owner;
    QMetaObject::Connection m_connection;
    bool m_running = false;
};

BarImage::BarImage() : FWindowHandle(std::make_unique<ClipboardLink>(*this))
{
    FOnClipChange = [this](BarImage& sender) { DefaultClipChange(sender); };
}

BarImage::~BarImage()
{
    SetClipWatch(false);
    FWindowHandle.reset();
}

void BarImage::SetClipWatch(bool value)
{
    // Switching the watch on raises one notification at once (see UpdateViewerChain);
    // it must not paste what the clipboard already holds.
    FSkip = !FClipWatch && value;
    FClipWatch = value;
    UpdateViewerChain();
}

void BarImage::SetOnClipChange(TNotifyEvent handler)
{
    FOnClipChange = std::move(handler);
    UpdateViewerChain();
}

void BarImage::UpdateViewerChain()
{
    const bool wanted = FClipWatch && static_cast<bool>(FOnClipChange);
    if (wanted == FRegistered)
        return;
    FRegistered = wanted;
    if (!wanted) {
        FWindowHandle->leave();
        return;
    }
    if (!FWindowHandle->join()) {
        FRegistered = false;
        return;
    }
    // A new watcher is told of the clipboard once as it starts, as a clipboard
    // viewer is; ClipWatch's skip flag swallows that one notification.
    FWindowHandle->changed();
}

void BarImage::DefaultClipChange(BarImage& /*sender*/)
{
    if (FSkip) {
        FSkip = false;
        return;
    }
    FWatch = true;
    struct WatchEnds
    {
        bool& watch;
        ~WatchEnds() { watch = false; }
    } watchEnds{FWatch};
    PasteFromClipboard();
}

void BarImage::CopyToClipboard()
{
    QClipboard* clipboard = systemClipboard();
    if (clipboard == nullptr)
        return;
    if (const Metafile* metafile = Picture().metafile()) {
        // The vector picture for programs that take SVG, its image beside it for the rest.
        auto data = std::make_unique<QMimeData>();
        data->setData(kSvgMime, metafile->svg);
        data->setImageData(rasterised(*metafile));
        clipboard->setMimeData(data.release());
    } else if (const Bitmap* bitmap = Picture().bitmap(); bitmap != nullptr && !bitmap->Empty()) {
        clipboard->setImage(bitmap->image());
    }
    // With no picture the clipboard keeps what it holds.
}

void BarImage::PasteFromClipboard()
{
    QClipboard* clipboard = systemClipboard();
    if (clipboard == nullptr)
        return;
    const QMimeData* data = clipboard->mimeData();
    // Plain text only: a list of files or links is not a barcode number.
    if (data == nullptr || !data->hasFormat(kTextMime))
        return;
    SetCode(data->text());
}

} // namespace korbena
