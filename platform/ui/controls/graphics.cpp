#include "platform/ui/controls/graphics.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "platform/core/text/resource_stream.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform {
namespace {

std::vector<std::uint8_t> ReadRest(TStream& stream) {
  const std::int64_t size = std::max<std::int64_t>(stream.Size() - stream.Position(), 0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  bytes.resize(static_cast<std::size_t>(stream.Read(bytes.data(), size)));
  return bytes;
}

QImage Decode(const std::vector<std::uint8_t>& bytes) {
  QImage image;
  image.loadFromData(bytes.data(), static_cast<int>(bytes.size()));
  return image;
}

}  // namespace

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0xFFFFFF;
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

void TFont::SetName(const std::string& name) {
  if (name == log_.lfFaceName || name.empty()) return;
  log_.lfFaceName = name;
  Update();
}

void TFont::SetHeight(int height) {
  if (height == log_.lfHeight) return;
  log_.lfHeight = height;
  Update();
}

int TFont::Size() const { return -MulDiv(log_.lfHeight, 72, 96); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
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

void TFont::SetStyle(TFontStyles style) {
  if (style == Style()) return;
  log_.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
  log_.lfItalic = (style & fsItalic) != 0;
  log_.lfUnderline = (style & fsUnderline) != 0;
  log_.lfStrikeOut = (style & fsStrikeOut) != 0;
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

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Drop();
  Changed();
}

void TPen::SetWidth(int width) {
  if (width == width_ || width < 0) return;
  width_ = width;
  Drop();
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
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

void TBrush::SetColor(TColor color) {
  if (color == color_ && style_ == bsSolid) return;
  color_ = color;
  // Giving a clear brush a colour makes it solid, as the class library does.
  if (style_ == bsClear) style_ = bsSolid;
  Drop();
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
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

void TCanvas::SetHandle(HDC dc) { dc_ = dc; }

void TCanvas::RequiredState() { Handle(); }

TPoint TCanvas::PenPos() const {
  if (!dc_) return {};
  POINT p;
  MoveToEx(dc_, 0, 0, &p);
  MoveToEx(dc_, p.x, p.y, nullptr);
  return TPoint{p.x, p.y};
}

void TCanvas::SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }

void TCanvas::MoveTo(int x, int y) {
  RequiredState();
  MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequiredState();
  ::platform::LineTo(dc_, x, y);
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  Changing();
  RequiredState();
  std::vector<POINT> p;
  for (const auto& t : points) p.push_back(POINT{t.X, t.Y});
  ::platform::Polyline(dc_, p.data(), static_cast<int>(p.size()));
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  Changing();
  RequiredState();
  std::vector<POINT> p;
  for (const auto& t : points) p.push_back(POINT{t.X, t.Y});
  ::platform::Polygon(dc_, p.data(), static_cast<int>(p.size()));
  Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  Changing();
  RequiredState();
  ::platform::Rectangle(dc_, left, top, right, bottom);
  Changed();
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int width, int height) {
  Changing();
  RequiredState();
  ::platform::RoundRect(dc_, left, top, right, bottom, width, height);
  Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  Changing();
  RequiredState();
  ::platform::Ellipse(dc_, left, top, right, bottom);
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  Changing();
  RequiredState();
  ::platform::FillRect(dc_, r, brush_.Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  Changing();
  RequiredState();
  ::platform::FrameRect(dc_, r, brush_.Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
  Changing();
  RequiredState();
  ::platform::DrawFocusRect(dc_, r);
  Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  Changing();
  RequiredState();
  ExtTextOutA(dc_, x, y, TextFlags, nullptr, text.data(), static_cast<int>(text.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  Changing();
  RequiredState();
  UINT options = TextFlags | ETO_CLIPPED;
  if (brush_.Style() != bsClear) options |= ETO_OPAQUE;
  ExtTextOutA(dc_, x, y, options, &r, text.data(), static_cast<int>(text.size()), nullptr);
  Changed();
}

SIZE TCanvas::TextExtent(const std::string& text) {
  RequiredState();
  SIZE s;
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &s);
  return s;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  RequiredState();
  graphic->Draw(*this, r);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src) {
  Changing();
  RequiredState();
  source.RequiredState();
  StretchBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), source.Handle(), src.left, src.top, src.Width(),
             src.Height());
  Changed();
}

TColor TCanvas::Pixels(int x, int y) {
  RequiredState();
  const COLORREF c = GetPixel(dc_, x, y);
  return c == CLR_INVALID ? static_cast<TColor>(-1) : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  Changing();
  RequiredState();
  ::platform::SetPixel(dc_, x, y, ColorToRGB(color));
  Changed();
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

// A canvas over the bitmap's own memory context.
class TBitmap::BitmapCanvas : public TCanvas {
 public:
  explicit BitmapCanvas(TBitmap& owner) : owner_(owner) {}
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
void TBitmap::SetWidth(int width) { Resize(width, Height()); }
void TBitmap::SetHeight(int height) { Resize(Width(), height); }
void TBitmap::SetSize(int width, int height) { Resize(width, height); }

void TBitmap::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height()) return;
  auto old = ui::BitmapImage(handle_);
  QImage image(width, height, QImage::Format_RGB32);
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

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  auto image = ui::BitmapImage(handle_);
  if (!image || image->isNull()) return;
  HDC dc = canvas.Handle();
  if (!dc || !dc->painter) return;
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
  p->drawImage(QRect(rect.left, rect.top, rect.Width(), rect.Height()), source);
}

void TBitmap::LoadFromStream(TStream& stream) {
  const QImage image = Decode(ReadRest(stream));
  if (image.isNull()) throw EInvalidGraphic("Bitmap image is not valid");
  Resize(0, 0);
  const HBITMAP fresh = ui::CreateBitmapFromImage(image);
  DeleteObject(std::exchange(handle_, fresh));
  if (canvas_) static_cast<BitmapCanvas*>(canvas_.get())->Reattach();
  Changed();
}

void TBitmap::LoadFromResourceName(const std::string& name) {
  TResourceStream stream(name, RT_BITMAP);
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
  QImage image;
};

TMetafile::TMetafile() : data_(std::make_shared<Data>()) {}
TMetafile::~TMetafile() = default;
int TMetafile::Width() const { return data_->image.width(); }
int TMetafile::Height() const { return data_->image.height(); }
bool TMetafile::Empty() const { return data_->image.isNull(); }

void TMetafile::Draw(TCanvas& canvas, const TRect& rect) {
  HDC dc = canvas.Handle();
  if (!dc || !dc->painter || Empty()) return;
  QPainter* p = ui::PainterOf(dc);
  p->setRenderHint(QPainter::SmoothPixmapTransform, true);
  p->drawImage(QRect(rect.left, rect.top, rect.Width(), rect.Height()), data_->image);
}

void TMetafile::LoadFromStream(TStream& stream) {
  const QImage image = Decode(ReadRest(stream));
  if (image.isNull()) throw EInvalidGraphic("Metafile is not valid");
  auto data = std::make_shared<Data>();
  data->image = image;
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

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) {
    graphic_->OnChange = [this](TObject*) {
      if (OnChange) OnChange(this);
    };
  }
  if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(TGraphic* graphic) {
  if (!graphic) {
    Take(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy;
  if (dynamic_cast<TBitmap*>(graphic)) {
    copy = std::make_unique<TBitmap>();
  } else {
    copy = std::make_unique<TMetafile>();
  }
  copy->Assign(graphic);
  copy->Transparent = graphic->Transparent;
  Take(std::move(copy));
}

TBitmap& TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(graphic_.get())) Take(std::make_unique<TBitmap>());
  return *static_cast<TBitmap*>(graphic_.get());
}

void TPicture::LoadFromFile(const std::string& fileName) {
  auto graphic = std::make_unique<TBitmap>();
  graphic->LoadFromFile(fileName);
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
