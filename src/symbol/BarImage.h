#pragma once

#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Fonts.h"
#include "platform/Rect.h"
#include "symbol/BarTypes.h"
#include "symbol/ElementPattern.h"
#include "symbol/Encoders.h"
#include "symbol/ImageControl.h"

#include <QString>

#include <functional>
#include <memory>

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

    TNotifyWatchEvent OnChangeCode;
    TNotifyWatchEvent OnPaintBar;
    TNotifyWatchEvent OnPaintedBar;
    TNotifyWatchEvent OnChangedCode;

    // The handler clipboard watching calls on a change; the component installs its
    // own at construction. Replacing it or removing it leaves the watch itself on.
    const TNotifyEvent& OnClipChange() const { return FOnClipChange; }
    void SetOnClipChange(TNotifyEvent handler) { FOnClipChange = std::move(handler); }

    // --- operations ---
    void Clear();
    void CopyToClipboard();
    void PasteFromClipboard();
    void RepaintBarcode();
    void RepaintUPCA2E();
    void RepaintUPCE2A();

    // The pattern of the last encoding that produced one (for output paths and tests).
    const ElementPattern& LastPattern() const { return m_lastPattern; }

protected:
    void PaintBarcode();

    void DoChangeCode();
    void DoPaintBar();
    void DoPaintedBar();
    void DoChangedCode();
    void DoClipChange();

private:
    friend class ClipboardLink;

    void RenderBitmap();
    void RenderMetafile();
    ElementPattern EncodeSymbol();

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
    EncodeOptions encodeOptions() const;
    ElementPattern applyEncoding(Encoding encoding);

    void MirrorPicture();
    void ApplyOrientation(int angle);
    void DrawFrame(Canvas& canvas, const Rect& rect);
    int MeasureCustomerWidth(const ElementPattern& pattern) const;
    void DrawCustomerElement(int x0, int index, int scale, int mask);
    // The canvas the customer elements and the frame draw on: the metafile canvas
    // while the vector path runs, else the bitmap's.
    Canvas* currentCanvas() const { return FBarPicture != picBMP && FMfCanvas ? FMfCanvas : m_bmpCanvas; }

    void ClipChanged(BarImage& sender);

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
