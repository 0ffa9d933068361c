#include "platform/ui/controls/graphics_filing.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <iterator>
#include <utility>

#include "platform/core/classes/filer.h"
#include "platform/core/classes/published.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform {
namespace {

constexpr std::pair<TColor, const char*> kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

}  // namespace

std::string ColorToIdent(TColor Color) {
  for (const auto& [color, name] : kColorNames) {
    if (color == Color) return name;
  }
  return {};
}

std::optional<TColor> IdentToColor(std::string_view Ident) {
  for (const auto& [color, name] : kColorNames) {
    if (SameText(name, Ident)) return color;
  }
  return std::nullopt;
}

TPropInfo ColorProperty(std::string Name, std::function<TColor()> Get, std::function<void(TColor)> Set,
                        std::int64_t Default) {
  TPropInfo p = IntegerProperty(
      std::move(Name), [get = std::move(Get)]() -> std::int64_t { return get(); },
      [set = std::move(Set)](std::int64_t V) { set(static_cast<TColor>(V)); }, Default);
  p.OrdToIdent = [](std::int64_t V) { return ColorToIdent(static_cast<TColor>(V)); };
  p.IdentToOrd = [](std::string_view Ident) -> std::optional<std::int64_t> { return IdentToColor(Ident); };
  return p;
}

void TFont::GetPublishedProperties(std::vector<TPropInfo>& Props) const {
  TGraphicsObject::GetPublishedProperties(Props);
  auto* self = const_cast<TFont*>(this);
  Props.push_back(ColorProperty(
      "Color", [self] { return self->Color(); }, [self](TColor V) { self->SetColor(V); }));
  Props.push_back(IntegerProperty(
      "Height", [self]() -> std::int64_t { return self->Height(); },
      [self](std::int64_t V) { self->SetHeight(static_cast<int>(V)); }));
  TPropInfo name{.Name = "Name", .Kind = TTypeKind::tkString};
  name.GetStr = [self] { return self->Name(); };
  name.SetStr = [self](const std::string& V) { self->SetName(V); };
  Props.push_back(std::move(name));
  Props.push_back(SetProperty(
      "Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, [self]() -> std::int64_t { return self->Style(); },
      [self](std::int64_t V) { self->SetStyle(static_cast<TFontStyles>(V)); }));
}

void TBitmap::SaveToStream(TStream& Stream) const {
  const std::shared_ptr<QImage> image = ui::BitmapImage(handle_);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (image && !image->isNull()) image->save(&buffer, "PNG");
  Stream.WriteBuffer(bytes.constData(), bytes.size());
}

void TBitmap::DefineProperties(TFiler* Filer) {
  TGraphic::DefineProperties(Filer);
  const auto read = [this](TReader& Reader) {
    const std::vector<std::uint8_t> bytes = Reader.ReadBinary();
    TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    LoadFromStream(stream);
  };
  const auto write = [this](TWriter& Writer) {
    TMemoryStream stream;
    SaveToStream(stream);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Size()));
    stream.SetPosition(0);
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    Writer.WriteBinary(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  };
  Filer->DefineProperty("Data", read, write, !Empty());
}

}  // namespace platform
