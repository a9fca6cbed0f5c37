#pragma once

#include "platform/Bitmap.h"
#include "platform/Metafile.h"

#include <functional>
#include <optional>
#include <variant>

namespace korbena {

// The graphic an image control owns: nothing, a bitmap, or a recorded vector picture.
class Picture
{
public:
    bool hasGraphic() const { return !std::holds_alternative<std::monostate>(m_graphic); }
    bool isBitmap() const { return std::holds_alternative<korbena::Bitmap>(m_graphic); }
    bool isMetafile() const { return std::holds_alternative<korbena::Metafile>(m_graphic); }

    // The picture as a bitmap; a picture that holds no bitmap gets a new, empty one.
    korbena::Bitmap& Bitmap();
    const korbena::Bitmap* bitmap() const { return std::get_if<korbena::Bitmap>(&m_graphic); }
    const korbena::Metafile* metafile() const { return std::get_if<korbena::Metafile>(&m_graphic); }
    void setMetafile(korbena::Metafile metafile) { m_graphic = std::move(metafile); }

    // Releases the graphic.
    void clear() { m_graphic = std::monostate{}; }

private:
    std::variant<std::monostate, korbena::Bitmap, korbena::Metafile> m_graphic;
};

// A graphic control with a position, a size, a visibility flag, the automatic
// sizing and stretching flags, and an owned picture. It knows no window system:
// a view shows it and listens to pictureChanged.
class ImageControl
{
public:
    ImageControl() = default;
    virtual ~ImageControl() = default;
    ImageControl(const ImageControl&) = delete;
    ImageControl& operator=(const ImageControl&) = delete;

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    void SetLeft(int left) { m_left = left; }
    void SetTop(int top) { m_top = top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetWidth(int width) { m_width = width; }
    void SetHeight(int height) { m_height = height; }

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch) { m_stretch = stretch; }
    bool Center() const { return m_center; }
    void SetCenter(bool center) { m_center = center; }

    korbena::Picture& Picture() { return m_picture; }
    const korbena::Picture& Picture() const { return m_picture; }

    // Told after every change of the picture, so that a view can show it again.
    std::function<void()> pictureChanged;

protected:
    void notifyPictureChanged()
    {
        if (pictureChanged)
            pictureChanged();
    }

private:
    int m_left = 0;
    int m_top = 0;
    // An image control starts 105 pixels square.
    int m_width = 105;
    int m_height = 105;
    bool m_visible = true;
    bool m_autoSize = false;
    bool m_stretch = false;
    bool m_center = false;
    korbena::Picture m_picture;
};

inline Bitmap& Picture::Bitmap()
{
    if (auto* bitmap = std::get_if<korbena::Bitmap>(&m_graphic))
        return *bitmap;
    return m_graphic.emplace<korbena::Bitmap>();
}

} // namespace korbena
