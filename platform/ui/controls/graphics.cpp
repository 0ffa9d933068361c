#include "platform/ui/controls/graphics.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "platform/core/text/resource_stream.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform {
namespace {

std::vector<std::uint8_t> ReadRest(TStream& Stream) {
  const std::int64_t size = std::max<std::int64_t>(Stream.Size() - Stream.Position(), 0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  bytes.resize(static_cast<std::size_t>(Stream.Read(bytes.data(), size)));
  return bytes;
}

QImage Decode(const std::vector<std::uint8_t>& Bytes) {
  QImage image;
  image.loadFromData(Bytes.data(), static_cast<int>(Bytes.size()));
  return image;
}

}  // namespace

COLORREF ColorToRGB(TColor Color) {
  if (Color < 0) return GetSysColor(Color & 0xFF);
  return static_cast<COLORREF>(Color) & 0xFFFFFF;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

TFont::TFont() = default;

TFont::~TFont() {
  if (handle_) DeleteObject(handle_);
}

void TFont::Update() {
  if (handle_) DeleteObject(std::exchange(handle_, 0));
  Changed();
}

void TFont::SetName(const std::string& Name) {
  if (Name == log_.lfFaceName || Name.empty()) return;
  log_.lfFaceName = Name;
  Update();
}

void TFont::SetHeight(int Height) {
  if (Height == log_.lfHeight) return;
  log_.lfHeight = Height;
  Update();
}

int TFont::Size() const { return -MulDiv(log_.lfHeight, 72, 96); }

void TFont::SetSize(int Points) { SetHeight(-MulDiv(Points, 96, 72)); }

void TFont::SetColor(TColor Color) {
  if (Color == color_) return;
  color_ = Color;
  Changed();
}

TFontStyles TFont::Style() const {
  TFontStyles s = 0;
  if (log_.lfWeight >= FW_BOLD) s |= fsBold;
  if (log_.lfItalic) s |= fsItalic;
  if (log_.lfUnderline) s |= fsUnderline;
  if (log_.lfStrikeOut) s |= fsStrikeOut;
  return s;
}

void TFont::SetStyle(TFontStyles NewStyle) {
  if (NewStyle == Style()) return;
  log_.lfWeight = (NewStyle & fsBold) ? FW_BOLD : FW_NORMAL;
  log_.lfItalic = (NewStyle & fsItalic) != 0;
  log_.lfUnderline = (NewStyle & fsUnderline) != 0;
  log_.lfStrikeOut = (NewStyle & fsStrikeOut) != 0;
  Update();
}

HFONT TFont::Handle() {
  if (!handle_) handle_ = CreateFontIndirect(log_);
  return handle_;
}

void TFont::Assign(const TPersistent* Source) {
  if (const auto* f = dynamic_cast<const TFont*>(Source)) {
    if (f == this) return;
    if (log_ == f->log_ && color_ == f->color_) return;
    log_ = f->log_;
    color_ = f->color_;
    Update();
    return;
  }
  TPersistent::Assign(Source);
}

TPen::~TPen() { Drop(); }

void TPen::Drop() {
  if (handle_) DeleteObject(std::exchange(handle_, 0));
}

void TPen::SetColor(TColor Color) {
  if (Color == color_) return;
  color_ = Color;
  Drop();
  Changed();
}

void TPen::SetWidth(int Width) {
  if (Width == width_ || Width < 0) return;
  width_ = Width;
  Drop();
  Changed();
}

void TPen::SetStyle(TPenStyle Style) {
  if (Style == style_) return;
  style_ = Style;
  Drop();
  Changed();
}

HPEN TPen::Handle() {
  if (!handle_) {
    const int style = style_ == psClear ? PS_NULL : style_ == psDash ? PS_DASH : style_ == psDot ? PS_DOT : PS_SOLID;
    handle_ = CreatePen(style, width_, ColorToRGB(color_));
  }
  return handle_;
}

void TPen::Assign(const TPersistent* Source) {
  if (const auto* p = dynamic_cast<const TPen*>(Source)) {
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    Drop();
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

TBrush::~TBrush() { Drop(); }

void TBrush::Drop() {
  if (handle_) DeleteObject(std::exchange(handle_, 0));
}

void TBrush::SetColor(TColor Color) {
  if (Color == color_ && style_ == bsSolid) return;
  color_ = Color;
  // Giving a clear brush a colour makes it solid, as the class library does.
  if (style_ == bsClear) style_ = bsSolid;
  Drop();
  Changed();
}

void TBrush::SetStyle(TBrushStyle Style) {
  if (Style == style_) return;
  style_ = Style;
  Drop();
  Changed();
}

HBRUSH TBrush::Handle() {
  if (style_ == bsClear) return GetStockBrush(BS_NULL);
  if (!handle_) handle_ = CreateSolidBrush(ColorToRGB(color_));
  return handle_;
}

void TBrush::Assign(const TPersistent* Source) {
  if (const auto* b = dynamic_cast<const TBrush*>(Source)) {
    color_ = b->color_;
    style_ = b->style_;
    Drop();
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

TCanvas::TCanvas() { brush_.SetColor(clWhite); }

TCanvas::~TCanvas() = default;

// The context with the canvas's font, pen and brush selected, as code that
// draws on the handle itself expects.
HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  if (!dc_) return nullptr;
  SelectObject(dc_, font_.Handle());
  SelectObject(dc_, pen_.Handle());
  SelectObject(dc_, brush_.Handle());
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  SetBkColor(dc_, ColorToRGB(brush_.Color()));
  SetBkMode(dc_, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
  return dc_;
}

void TCanvas::SetHandle(HDC DC) { dc_ = DC; }

void TCanvas::RequiredState() { Handle(); }

TPoint TCanvas::PenPos() const {
  if (!dc_) return {};
  POINT p;
  MoveToEx(dc_, 0, 0, &p);
  MoveToEx(dc_, p.x, p.y, nullptr);
  return TPoint{p.x, p.y};
}

void TCanvas::SetPenPos(TPoint P) { MoveTo(P.X, P.Y); }

void TCanvas::MoveTo(int X, int Y) {
  RequiredState();
  MoveToEx(dc_, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequiredState();
  ::platform::LineTo(dc_, X, Y);
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  Changing();
  RequiredState();
  std::vector<POINT> p;
  for (const auto& t : Points) p.push_back(POINT{t.X, t.Y});
  ::platform::Polyline(dc_, p.data(), static_cast<int>(p.size()));
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
  Changing();
  RequiredState();
  std::vector<POINT> p;
  for (const auto& t : Points) p.push_back(POINT{t.X, t.Y});
  ::platform::Polygon(dc_, p.data(), static_cast<int>(p.size()));
  Changed();
}

void TCanvas::Rectangle(int Left, int Top, int Right, int Bottom) {
  Changing();
  RequiredState();
  ::platform::Rectangle(dc_, Left, Top, Right, Bottom);
  Changed();
}

void TCanvas::RoundRect(int Left, int Top, int Right, int Bottom, int Width, int Height) {
  Changing();
  RequiredState();
  ::platform::RoundRect(dc_, Left, Top, Right, Bottom, Width, Height);
  Changed();
}

void TCanvas::Ellipse(int Left, int Top, int Right, int Bottom) {
  Changing();
  RequiredState();
  ::platform::Ellipse(dc_, Left, Top, Right, Bottom);
  Changed();
}

void TCanvas::FillRect(const TRect& R) {
  Changing();
  RequiredState();
  ::platform::FillRect(dc_, R, brush_.Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& R) {
  Changing();
  RequiredState();
  ::platform::FrameRect(dc_, R, brush_.Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& R) {
  Changing();
  RequiredState();
  ::platform::DrawFocusRect(dc_, R);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  Changing();
  RequiredState();
  if (CanvasOrientation() == coRightToLeft) X += TextWidth(Text) + 1;
  ExtTextOutA(dc_, X, Y, TextFlags, nullptr, Text.data(), static_cast<int>(Text.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
  Changing();
  RequiredState();
  UINT options = TextFlags | ETO_CLIPPED;
  if (brush_.Style() != bsClear) options |= ETO_OPAQUE;
  if ((options & ETO_RTLREADING) && CanvasOrientation() == coRightToLeft) X += TextWidth(Text) + 1;
  ExtTextOutA(dc_, X, Y, options, &R, Text.data(), static_cast<int>(Text.size()), nullptr);
  Changed();
}

SIZE TCanvas::TextExtent(const std::string& Text) {
  RequiredState();
  SIZE s;
  GetTextExtentPoint32A(dc_, Text.data(), static_cast<int>(Text.size()), &s);
  return s;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  StretchDraw(Bounds(X, Y, Graphic->Width(), Graphic->Height()), Graphic);
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  RequiredState();
  Graphic->Draw(*this, R);
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas& Source, const TRect& Src) {
  Changing();
  RequiredState();
  Source.RequiredState();
  StretchBlt(dc_, Dest.left, Dest.top, Dest.Width(), Dest.Height(), Source.Handle(), Src.left, Src.top, Src.Width(),
             Src.Height());
  Changed();
}

TColor TCanvas::Pixels(int X, int Y) {
  RequiredState();
  const COLORREF c = GetPixel(dc_, X, Y);
  return c == CLR_INVALID ? static_cast<TColor>(-1) : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  Changing();
  RequiredState();
  ::platform::SetPixel(dc_, X, Y, ColorToRGB(Color));
  Changed();
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

// A canvas over the bitmap's own memory context.
class TBitmap::BitmapCanvas : public TCanvas {
 public:
  explicit BitmapCanvas(TBitmap& Owner) : owner_(Owner) {}
  ~BitmapCanvas() override {
    if (HDC dc = Handle(); dc && created_) DeleteDC(dc);
  }
  void Reattach() {
    if (created_) SelectObject(Handle(), owner_.handle_);
  }

 protected:
  void CreateHandle() override {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, owner_.handle_);
    created_ = true;
    SetHandle(dc);
  }

 private:
  TBitmap& owner_;
  bool created_ = false;
};

TBitmap::TBitmap() : handle_(CreateBitmap(0, 0)) {}

TBitmap::~TBitmap() {
  canvas_.reset();
  DeleteObject(handle_);
}

int TBitmap::Width() const { return GetBitmapSize(handle_).cx; }
int TBitmap::Height() const { return GetBitmapSize(handle_).cy; }
bool TBitmap::Empty() const { return Width() == 0 || Height() == 0; }
void TBitmap::SetWidth(int Width) { Resize(Width, Height()); }
void TBitmap::SetHeight(int Height) { Resize(Width(), Height); }
void TBitmap::SetSize(int Width, int Height) { Resize(Width, Height); }

void TBitmap::Resize(int NewWidth, int NewHeight) {
  NewWidth = std::max(NewWidth, 0);
  NewHeight = std::max(NewHeight, 0);
  if (NewWidth == Width() && NewHeight == Height()) return;
  auto old = ui::BitmapImage(handle_);
  QImage image(NewWidth, NewHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  if (old && !old->isNull() && !image.isNull()) QPainter(&image).drawImage(0, 0, *old);
  // The canvas's context keeps the old image alive until it takes the new.
  DeleteObject(std::exchange(handle_, ui::CreateBitmapFromImage(image)));
  if (canvas_) static_cast<BitmapCanvas*>(canvas_.get())->Reattach();
  Changed();
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<BitmapCanvas>(*this);
  return *canvas_;
}

void TBitmap::Draw(TCanvas& Canvas, const TRect& Rect) {
  auto image = ui::BitmapImage(handle_);
  if (!image || image->isNull()) return;
  HDC dc = Canvas.Handle();
  if (!dc || !dc->Painter) return;
  QImage source = *image;
  if (Transparent) {
    const COLORREF key = TransparentColor == clDefault ? ui::FromQColor(image->pixelColor(0, image->height() - 1))
                                                       : ColorToRGB(TransparentColor);
    source = image->convertToFormat(QImage::Format_ARGB32);
    const QRgb k = ui::ToQColor(key).rgb() & 0xFFFFFF;
    for (int y = 0; y < source.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(source.scanLine(y));
      for (int x = 0; x < source.width(); ++x) {
        if ((line[x] & 0xFFFFFF) == k) line[x] = 0;
      }
    }
  }
  QPainter* p = ui::PainterOf(dc);
  p->setRenderHint(QPainter::SmoothPixmapTransform, false);
  p->drawImage(QRect(Rect.left, Rect.top, Rect.Width(), Rect.Height()), source);
}

void TBitmap::LoadFromStream(TStream& Stream) {
  const QImage image = Decode(ReadRest(Stream));
  if (image.isNull()) throw EInvalidGraphic("Bitmap image is not valid");
  Resize(0, 0);
  const HBITMAP fresh = ui::CreateBitmapFromImage(image);
  DeleteObject(std::exchange(handle_, fresh));
  if (canvas_) static_cast<BitmapCanvas*>(canvas_.get())->Reattach();
  Changed();
}

void TBitmap::LoadFromResourceName(const std::string& Name) {
  TResourceStream stream(Name, RT_BITMAP);
  LoadFromStream(stream);
}

void TBitmap::Assign(const TPersistent* Source) {
  if (const auto* b = dynamic_cast<const TBitmap*>(Source)) {
    if (b == this) return;
    auto image = ui::BitmapImage(b->handle_);
    const HBITMAP fresh = ui::CreateBitmapFromImage(image ? *image : QImage());
    DeleteObject(std::exchange(handle_, fresh));
    if (canvas_) static_cast<BitmapCanvas*>(canvas_.get())->Reattach();
    Transparent = b->Transparent;
    TransparentColor = b->TransparentColor;
    PixelFormat = b->PixelFormat;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

struct TMetafile::Data {
  QImage Image;
};

TMetafile::TMetafile() : data_(std::make_shared<Data>()) {}
TMetafile::~TMetafile() = default;
int TMetafile::Width() const { return data_->Image.width(); }
int TMetafile::Height() const { return data_->Image.height(); }
bool TMetafile::Empty() const { return data_->Image.isNull(); }

void TMetafile::Draw(TCanvas& Canvas, const TRect& Rect) {
  HDC dc = Canvas.Handle();
  if (!dc || !dc->Painter || Empty()) return;
  QPainter* p = ui::PainterOf(dc);
  p->setRenderHint(QPainter::SmoothPixmapTransform, true);
  p->drawImage(QRect(Rect.left, Rect.top, Rect.Width(), Rect.Height()), data_->Image);
}

void TMetafile::LoadFromStream(TStream& Stream) {
  const QImage image = Decode(ReadRest(Stream));
  if (image.isNull()) throw EInvalidGraphic("Metafile is not valid");
  auto data = std::make_shared<Data>();
  data->Image = image;
  data_ = std::move(data);
  Changed();
}

void TMetafile::Assign(const TPersistent* Source) {
  if (const auto* m = dynamic_cast<const TMetafile*>(Source)) {
    data_ = m->data_;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Take(std::unique_ptr<TGraphic> Graphic) {
  graphic_ = std::move(Graphic);
  if (graphic_) {
    graphic_->OnChange = [this](TObject*) {
      if (OnChange) OnChange(this);
    };
  }
  if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(TGraphic* Graphic) {
  if (!Graphic) {
    Take(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy;
  if (dynamic_cast<TBitmap*>(Graphic)) {
    copy = std::make_unique<TBitmap>();
  } else {
    copy = std::make_unique<TMetafile>();
  }
  copy->Assign(Graphic);
  copy->Transparent = Graphic->Transparent;
  Take(std::move(copy));
}

TBitmap& TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(graphic_.get())) Take(std::make_unique<TBitmap>());
  return *static_cast<TBitmap*>(graphic_.get());
}

void TPicture::LoadFromFile(const std::string& FileName) {
  auto graphic = std::make_unique<TBitmap>();
  graphic->LoadFromFile(FileName);
  Take(std::move(graphic));
}

void TPicture::Assign(const TPersistent* Source) {
  if (const auto* p = dynamic_cast<const TPicture*>(Source)) {
    SetGraphic(p->graphic_.get());
    return;
  }
  if (const auto* g = dynamic_cast<const TGraphic*>(Source)) {
    SetGraphic(const_cast<TGraphic*>(g));
    return;
  }
  if (!Source) {
    Take(nullptr);
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace platform
