#pragma once
// The class library's graphics: colours, fonts, pens and brushes, the
// canvas that draws with them on a device context, and pictures (bitmaps,
// metafiles and the picture that holds either). 8-bit texts are code page
// 1252, as everywhere in the class library.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/persistent.h"
#include "platform/core/classes/streams.h"
#include "platform/ui/window_classes/gdi.h"

namespace platform {

// A colour: RGB in the low three bytes, or a system colour (clSystemColor
// with the index in the low byte).
using TColor = std::int32_t;
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor SystemColor(int Index) { return clSystemColor | Index; }
constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours become their RGB value; others keep their low three bytes.
COLORREF ColorToRGB(TColor Color);

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  bool operator==(const TPoint&) const = default;
};
using TRect = RECT;
inline TRect Rect(int Left, int Top, int Right, int Bottom) { return TRect{Left, Top, Right, Bottom}; }
inline TRect Bounds(int Left, int Top, int Width, int Height) { return TRect{Left, Top, Left + Width, Top + Height}; }

// Graphics objects tell their owner when they change.
class TGraphicsObject : public TPersistent {
 public:
  TNotifyEvent OnChange;

 protected:
  void Changed();
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TFont : public TGraphicsObject {
 public:
  TFont();
  ~TFont() override;
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  std::string Name() const { return log_.lfFaceName; }
  void SetName(const std::string& Name);
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return log_.lfHeight; }
  void SetHeight(int Height);
  // Points at 96 pixels per inch.
  int Size() const;
  void SetSize(int Points);
  TColor Color() const { return color_; }
  void SetColor(TColor Color);
  TFontStyles Style() const;
  void SetStyle(TFontStyles Style);
  // A font object for the current description; the font keeps it.
  HFONT Handle();
  void Assign(const TPersistent* Source) override;

 private:
  void Update();
  LOGFONT log_;
  TColor color_ = clWindowText;
  HFONT handle_ = 0;
};

enum TPenStyle { psSolid, psDash, psDot, psClear };

class TPen : public TGraphicsObject {
 public:
  ~TPen() override;
  TColor Color() const { return color_; }
  void SetColor(TColor Color);
  int Width() const { return width_; }
  void SetWidth(int Width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle Style);
  HPEN Handle();
  void Assign(const TPersistent* Source) override;

 private:
  void Drop();
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  HPEN handle_ = 0;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
 public:
  ~TBrush() override;
  TColor Color() const { return color_; }
  void SetColor(TColor Color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle Style);
  HBRUSH Handle();
  void Assign(const TPersistent* Source) override;

 private:
  void Drop();
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  HBRUSH handle_ = 0;
};

class TGraphic;

enum TCanvasOrientation { coLeftToRight, coRightToLeft };

// Draws with its font, pen and brush on a device context. A canvas that
// has none asks for one (CreateHandle) before it draws.
class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The device context, with the font, pen and brush selected into it.
  HDC Handle();
  void SetHandle(HDC DC);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont& Font() { return font_; }
  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  TPoint PenPos() const;
  void SetPenPos(TPoint P);
  // ETO_ flags added to every text the canvas draws.
  UINT TextFlags = 0;
  // Right to left while the context's layout is (LAYOUT_RTL). Texts then
  // end where they are placed, so the canvas moves them right by their
  // width (TextRect only when it reads right to left): they stand where a
  // left-to-right canvas shows them.
  TCanvasOrientation CanvasOrientation() const {
    return dc_ && (GetLayout(dc_) & LAYOUT_RTL) ? coRightToLeft : coLeftToRight;
  }

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Polyline(const std::vector<TPoint>& Points);
  void Polygon(const std::vector<TPoint>& Points);
  void Rectangle(int Left, int Top, int Right, int Bottom);
  void Rectangle(const TRect& R) { Rectangle(R.left, R.top, R.right, R.bottom); }
  void RoundRect(int Left, int Top, int Right, int Bottom, int Width, int Height);
  void Ellipse(int Left, int Top, int Right, int Bottom);
  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  void DrawFocusRect(const TRect& R);
  void TextOut(int X, int Y, const std::string& Text);
  // Text clipped to r; the rectangle is filled first unless the brush is
  // clear.
  void TextRect(const TRect& R, int X, int Y, const std::string& Text);
  SIZE TextExtent(const std::string& Text);
  int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& R, TGraphic* Graphic);
  // Copies a part of another canvas, stretching it to dest.
  void CopyRect(const TRect& Dest, TCanvas& Source, const TRect& Src);
  TColor Pixels(int X, int Y);
  void SetPixel(int X, int Y, TColor Color);

  void Changing();
  void Changed();
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  // Makes a device context when the canvas has none; none by default.
  virtual void CreateHandle() {}
  // Selects the font, pen and brush into the context before drawing.
  void RequiredState();

 private:
  HDC dc_ = nullptr;
  TFont font_;
  TPen pen_;
  TBrush brush_;
};

// Lends a device context to a canvas while it lives; the canvas lets go of
// it on the way out, also when a paint throws.
class TCanvasHandleScope {
 public:
  TCanvasHandleScope(TCanvas& Canvas, HDC DC) : canvas_(Canvas) { canvas_.SetHandle(DC); }
  ~TCanvasHandleScope() { canvas_.SetHandle(nullptr); }
  TCanvasHandleScope(const TCanvasHandleScope&) = delete;
  TCanvasHandleScope& operator=(const TCanvasHandleScope&) = delete;

 private:
  TCanvas& canvas_;
};

// A picture that can draw itself on a canvas.
class TGraphic : public TPersistent {
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  virtual void Draw(TCanvas& Canvas, const TRect& Rect) = 0;
  virtual void LoadFromStream(TStream& Stream) = 0;
  void LoadFromFile(const std::string& FileName);
  bool Transparent = false;
  TNotifyEvent OnChange;

 protected:
  void Changed();
};

enum TPixelFormat { pfDevice, pf24bit, pf32bit };

// A 32-bit bitmap with its own canvas.
class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const override;
  int Height() const override;
  bool Empty() const override;
  void SetWidth(int Width);
  void SetHeight(int Height);
  void SetSize(int Width, int Height);
  TCanvas& Canvas();
  HBITMAP Handle() const { return handle_; }
  void Draw(TCanvas& Canvas, const TRect& Rect) override;
  // BMP or PNG data.
  void LoadFromStream(TStream& Stream) override;
  // A bitmap resource of the program; EResNotFound when missing.
  void LoadFromResourceName(const std::string& Name);
  void Assign(const TPersistent* Source) override;
  TPixelFormat PixelFormat = pf32bit;
  // The colour that does not draw when Transparent is set; clDefault means
  // the colour of the bottom-left pixel.
  TColor TransparentColor = clDefault;

 private:
  class BitmapCanvas;
  void Resize(int Width, int Height);
  HBITMAP handle_ = 0;
  std::unique_ptr<TCanvas> canvas_;
};

// A scalable picture. Drawn stretched to the rectangle it is given.
class TMetafile : public TGraphic {
 public:
  TMetafile();
  ~TMetafile() override;
  int Width() const override;
  int Height() const override;
  bool Empty() const override;
  void Draw(TCanvas& Canvas, const TRect& Rect) override;
  // PNG or BMP data; EInvalidGraphic for anything else.
  void LoadFromStream(TStream& Stream) override;
  void Assign(const TPersistent* Source) override;

 private:
  struct Data;
  std::shared_ptr<Data> data_;
};

class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// Holds one graphic of any kind.
class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  TGraphic* Graphic() const { return graphic_.get(); }
  // Takes a copy of the graphic (null empties the picture).
  void SetGraphic(TGraphic* Graphic);
  // Makes the picture a bitmap when it is not one.
  TBitmap& Bitmap();
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  void LoadFromFile(const std::string& FileName);
  void Assign(const TPersistent* Source) override;
  TNotifyEvent OnChange;
  TNotifyEvent OnProgress;

 private:
  void Take(std::unique_ptr<TGraphic> Graphic);
  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace platform
