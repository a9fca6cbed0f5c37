#pragma once

#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Fonts.h"
#include "platform/Rect.h"
#include "symbol/BarTypes.h"
#include "symbol/ElementPattern.h"
#include "symbol/Encoders.h"
#include "symbol/ImageControl.h"
#include "symbol/ModuleMatrix.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace korbena {

class BarImage;

// Event handler: the sender and whether a paste triggered by clipboard watching runs.
using TNotifyWatchEvent = std::function<void(BarImage& sender, bool watch)>;
using TNotifyEvent = std::function<void(BarImage& sender)>;

// Module width in pixels (1..10, not range-checked), wide-to-narrow ratio times ten
// (20..30, not range-checked) and frame thickness (0..100).
using TSCale = int;
using TElementRatio = int;
using TFrameSize = int;

class ClipboardLink;

// Where the parts of one symbol go, in pixels from its top-left corner (BarLeft,
// BarTop): the sizes of the text line and the comments, the quiet zones on the left
// and on top, the width of the bars and their length, the outer size with all four
// quiet zones, and the offsets that centre the narrower of bars and text on the
// wider. Both output paths draw from the same layout, so bitmap and vector
// pictures agree on every edge.
struct SymbolLayout
{
    int textWidth = 0;
    int textHeight = 0;
    int commentUpWidth = 0;
    int commentUpHeight = 0;
    int commentDownWidth = 0;
    int commentDownHeight = 0;
    int spaceLeft = 0;
    int spaceUp = 0;
    int patternWidth = 0;
    int barLength = 0;
    int outerWidth = 0;
    int outerHeight = 0;
    int barOffset = 0;
    int textOffset = 0;
};

// One barcode symbol: set the symbology and the data, and the component encodes
// them and draws bars, the human-readable text and the comment lines into its
// picture at once. Every assignment of a property that affects the symbol encodes
// and draws again; nothing is cached between paintings.
class BarImage : public ImageControl
{
public:
    BarImage();
    ~BarImage() override;

    // --- properties, in the order the component declares them ---
    TBarTypes BarType() const { return FBarType; }
    void SetBarType(TBarTypes value);

    const QString& Code() const { return FCode; }
    void SetCode(const QString& value);

    const QString& CommentUp() const { return FCommentUp; }
    void SetCommentUp(const QString& value);
    TLocation CommentUpLoc() const { return FCommentUpLoc; }
    void SetCommentUpLoc(TLocation value);
    const QString& CommentDown() const { return FCommentDown; }
    void SetCommentDown(const QString& value);
    TLocation CommentDownLoc() const { return FCommentDownLoc; }
    void SetCommentDownLoc(TLocation value);

    QChar StartChar() const { return FStartChar; }
    void SetStartChar(QChar value);
    QChar StopChar() const { return FStopChar; }
    void SetStopChar(QChar value);

    bool CD() const { return FCD; }
    void SetCD(bool value);
    QString CDC() const;
    int CDN() const { return FCDN; }

    TSCale Scale() const { return FScale; }
    void SetScale(TSCale value);
    int Angle() const { return FAngle; }
    void SetAngle(int value);
    bool Reverse() const { return FReverse; }
    void SetReverse(bool value);

    const QString& Symbol() const { return FSymbol; }
    bool SymbolDisp() const { return FSymbolDisp; }
    void SetSymbolDisp(bool value);
    const QString& WorkSymbol() const { return FWorkSymbol; }

    bool Automatic() const { return FAutomatic; }
    void SetAutomatic(bool value);

    const FontSpec& BarFont() const { return FBarFont; }
    // Copies the attributes of the given font; a null font or the owned font itself does nothing.
    void SetBarFont(const FontSpec* font);

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TColor BarColor() const { return FBarColor; }
    void SetBarColor(TColor value);
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value);

    int BarWidth() const { return FBarWidth; }
    int BarHeight() const { return FBarHeight; }
    void SetBarHeight(int value);
    int BarLeft() const { return FBarLeft; }
    void SetBarLeft(int value);
    int BarTop() const { return FBarTop; }
    void SetBarTop(int value);
    int BarSpaceUp() const { return FBarSpaceUp; }
    void SetBarSpaceUp(int value);
    int BarSpaceDown() const { return FBarSpaceDown; }
    void SetBarSpaceDown(int value);
    int BarSpaceLeft() const { return FBarSpaceLeft; }
    void SetBarSpaceLeft(int value);
    int BarSpaceRight() const { return FBarSpaceRight; }
    void SetBarSpaceRight(int value);

    bool Match() const { return FMatch; }
    void SetMatch(bool value);
    TPictures BarPicture() const { return FBarPicture; }
    void SetBarPicture(TPictures value);
    TElementRatio ElementRatio() const { return FElementRatio; }
    void SetElementRatio(TElementRatio value);

    bool BarEnabled() const { return FBarEnabled; }
    void SetBarEnabled(bool value);
    bool BarDebug() const { return FBarDebug; }
    void SetBarDebug(bool value);
    bool BarDisped() const { return FBarDisped; }
    bool ClearOption() const { return FClearOption; }
    void SetClearOption(bool value);
    TFrameSize BarFrame() const { return FBarFrame; }
    void SetBarFrame(TFrameSize value);

    bool ClipWatch() const { return FClipWatch; }
    void SetClipWatch(bool value);

    // QR Code error correction, DataMatrix shape and GS1 mode of the two-dimensional symbols.
    const MatrixOptions& MatrixSettings() const { return FMatrixOptions; }
    void SetMatrixSettings(const MatrixOptions& value);

    TNotifyWatchEvent OnChangeCode;
    TNotifyWatchEvent OnPaintBar;
    TNotifyWatchEvent OnPaintedBar;
    TNotifyWatchEvent OnChangedCode;

    // The handler clipboard watching calls on every change; the component installs
    // its own, which pastes text into Code. The clipboard is watched while ClipWatch
    // is on and a handler is set: removing the handler stops watching, setting one
    // again resumes it (ClipWatch keeps its value throughout).
    const TNotifyEvent& OnClipChange() const { return FOnClipChange; }
    void SetOnClipChange(TNotifyEvent handler);

    // --- operations ---
    void Clear();
    void CopyToClipboard();
    void PasteFromClipboard();
    void RepaintBarcode();
    void RepaintUPCA2E();
    void RepaintUPCE2A();

    // The pattern of the last encoding that produced one (for output paths and tests).
    const ElementPattern& LastPattern() const { return m_lastPattern; }
    // The modules of the last two-dimensional symbol encoded, without its quiet zone.
    const ModuleMatrix& LastMatrix() const { return m_lastMatrix; }

    // The rectangle a frame is drawn inside, for a symbol at (left, top). ITF's frame
    // is its bearer bar: a box around the bars across both side quiet zones, clear of
    // the text line. Every other symbology frames all between the two comments.
    static Rect FrameRect(TBarTypes type, int left, int top, const SymbolLayout& layout);

protected:
    void PaintBarcode();

    void DoChangeCode();
    void DoPaintBar();
    void DoPaintedBar();
    void DoChangedCode();
    void DoClipChange();

private:
    friend class ClipboardLink;

    // AutoSize and Stretch are off while a rendering sizes the control.
    class SizingFlagsOff
    {
    public:
        explicit SizingFlagsOff(ImageControl& control)
            : m_control(control), m_autoSize(control.AutoSize()), m_stretch(control.Stretch())
        {
            control.SetAutoSize(false);
            control.SetStretch(false);
        }
        ~SizingFlagsOff()
        {
            m_control.SetAutoSize(m_autoSize);
            m_control.SetStretch(m_stretch);
        }
        SizingFlagsOff(const SizingFlagsOff&) = delete;
        SizingFlagsOff& operator=(const SizingFlagsOff&) = delete;

    private:
        ImageControl& m_control;
        bool m_autoSize;
        bool m_stretch;
    };

    void RenderBitmap();
    void RenderMetafile();
    ElementPattern EncodeSymbol();
    // What both output paths do before drawing: encode (keeping the pattern), stop
    // with BarDisped set under BarDebug, measure the texts and size the symbol,
    // writing BarWidth and BarHeight back. Nothing when no symbol is to be drawn.
    std::optional<SymbolLayout> EncodeAndLayOut(ElementPattern& pattern);
    // Bars, the text line, the frame and the comments of the symbol at (BarLeft, BarTop).
    void DrawSymbol(Canvas& canvas, const SymbolLayout& layout, const ElementPattern& pattern);
    // What DrawSymbol draws after the bars: the text line, the frame and the comments.
    void DrawTextFrameAndComments(Canvas& canvas, const SymbolLayout& layout);
    bool HasTextFrameOrComments() const;
    // The background (when given) and the bars of a bitmap symbol, written row by row
    // into a 32-bit bitmap: one row is built and copied down the bar length. False,
    // with nothing drawn, for the customer barcode's bars of four heights and for
    // other bitmaps; the painter draws those.
    bool RasterBars(Bitmap& bitmap, const std::optional<Rect>& background, const SymbolLayout& layout,
                    const ElementPattern& pattern) const;
    // Background, bars, text, frame and comments into the bitmap, for a symbol whose
    // background rectangle ends at (right, bottom).
    void DrawIntoBitmap(Bitmap& bitmap, int right, int bottom, const SymbolLayout& layout,
                        const ElementPattern& pattern);

    ElementPattern EncodeJAN();
    ElementPattern EncodeUPC();
    ElementPattern EncodeCODE39();
    ElementPattern EncodeNW7();
    ElementPattern EncodeITF();
    ElementPattern EncodeCTF();
    ElementPattern EncodeIATA();
    ElementPattern EncodeMATRIX();
    ElementPattern EncodeNEC();
    ElementPattern EncodeCUSTOMER();
    ElementPattern EncodeCODE128();
    ElementPattern EncodeCODE93();
    // QR Code, DataMatrix and PDF417 through the installed matrix encoder; the
    // pattern holds the modules row by row, 1 dark and 0 light.
    ElementPattern EncodeMatrixSymbol();
    ElementPattern EncodeGS1_128();
    // The modules of a two-dimensional symbol, square, Scale pixels each, inside its quiet zone.
    void DrawModules(Canvas& canvas, const SymbolLayout& layout);
    EncodeOptions encodeOptions() const;
    ElementPattern applyEncoding(Encoding encoding);

    void MirrorPicture();
    void ApplyOrientation(int angle);
    // The turn of ApplyOrientation without its mirroring.
    void RotatePicture(int angle);
    // Undoes ApplyOrientation(Angle) on the existing picture before drawing into it.
    void TurnUpright();
    void DrawFrame(Canvas& canvas, const Rect& rect);
    int MeasureCustomerWidth(const ElementPattern& pattern) const;
    void DrawCustomerElement(int x0, int index, int scale, int mask);
    // The canvas the customer elements and the frame draw on: the metafile canvas
    // while the vector path runs, else the bitmap's.
    Canvas* currentCanvas() const { return FBarPicture != picBMP && FMfCanvas ? FMfCanvas : m_bmpCanvas; }

    // Joins or leaves clipboard watching: watched exactly while ClipWatch is on and
    // an OnClipChange handler is set.
    void UpdateViewerChain();
    // The handler installed at construction: pastes, unless the notification is the
    // one that switching ClipWatch on raises.
    void DefaultClipChange(BarImage& sender);

    TBarTypes FBarType = cbarJAN;
    QString FCode;
    QString FCommentUp;
    TLocation FCommentUpLoc = locLeft;
    QString FCommentDown;
    TLocation FCommentDownLoc = locLeft;
    QChar FStartChar = u'A';
    QChar FStopChar = u'A';
    bool FCD = false;
    int FCDN = -1;
    TSCale FScale = 1;
    int FAngle = 0;
    bool FReverse = false;
    QString FSymbol;
    bool FSymbolDisp = true;
    QString FWorkSymbol;
    bool FAutomatic = true;
    FontSpec FBarFont;
    bool FTransparent = false;
    TColor FBarColor = clBlack;
    TColor FBackColor = clWhite;
    int FBarWidth = 0;
    int FBarHeight = 105;
    int FBarLeft = 0;
    int FBarTop = 0;
    int FBarSpaceUp = 0;
    int FBarSpaceDown = 0;
    int FBarSpaceLeft = 10;
    int FBarSpaceRight = 10;
    bool FMatch = false;
    TPictures FBarPicture = picBMP;
    TElementRatio FElementRatio = 20;
    bool FBarEnabled = true;
    bool FBarDebug = false;
    bool FBarDisped = false;
    bool FClearOption = false;
    TFrameSize FBarFrame = 0;
    QString F128Code;
    MatrixOptions FMatrixOptions;
    ModuleMatrix m_lastMatrix;

    Canvas* FMfCanvas = nullptr;
    Canvas* m_bmpCanvas = nullptr;
    ElementPattern m_lastPattern;

    // Clipboard watching.
    std::unique_ptr<ClipboardLink> FWindowHandle;
    bool FRegistered = false;
    bool FClipWatch = false;
    bool FWatch = false;
    bool FSkip = false;
    TNotifyEvent FOnClipChange;
};

} // namespace korbena
