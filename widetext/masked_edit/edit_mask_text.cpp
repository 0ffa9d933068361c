#include "widetext/masked_edit/edit_mask_text.h"

#include "platform/core/text/case_mapping.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/mask_helpers.h"

namespace widetext {
namespace {

char16_t Widened(char C) {
  const std::u16string wide = WidenAnsi(std::string_view(&C, 1));
  return wide.empty() ? u'?' : wide.front();
}

bool IsLiteralType(platform::TMaskCharType Type) {
  return Type == platform::mcLiteral || Type == platform::mcIntlLiteral;
}

}  // namespace

TEditMaskText::TEditMaskText(std::string_view EditMask) : mask_(EditMask) {
  if (mask_.empty()) return;
  saveLiterals_ = platform::MaskGetMaskSave(mask_);
  blank_ = Widened(platform::MaskGetMaskBlank(mask_));
  rightToLeft_ = (platform::MaskGetCurrentDirectives(mask_, 1) & platform::mdReverseDir) != 0;
  const int length = platform::MaskLength(mask_);
  for (int i = 1; i <= length; ++i) {
    const platform::TMaskCharType type = platform::MaskGetCharType(mask_, i);
    if (!IsLiteralType(type) && type != platform::mcMask && type != platform::mcMaskOpt) continue;
    MaskPosition p;
    p.Type = type;
    p.MaskChar = mask_[static_cast<std::size_t>(i) - 1];
    p.Directives = platform::MaskGetCurrentDirectives(mask_, i);
    if (IsLiteralType(type)) {
      p.Literal = Widened(p.MaskChar);
      if (type == platform::mcIntlLiteral) p.Literal = WideMaskIntlLiteralToChar(p.Literal);
    }
    positions_.push_back(p);
  }
}

const TEditMaskText::MaskPosition* TEditMaskText::At(int Position) const {
  if (Position < 0 || Position >= MaxChars()) return nullptr;
  return &positions_[static_cast<std::size_t>(Position)];
}

bool TEditMaskText::IsLiteral(int Position) const {
  const auto* p = At(Position);
  return p && IsLiteralType(p->Type);
}

bool TEditMaskText::IsEditable(int Position) const {
  const auto* p = At(Position);
  return p && !IsLiteralType(p->Type);
}

bool TEditMaskText::IsRequired(int Position) const {
  const auto* p = At(Position);
  return p && p->Type == platform::mcMask;
}

std::optional<char16_t> TEditMaskText::Accept(int Position, char16_t C) const {
  const auto* p = At(Position);
  if (!p) return std::nullopt;
  if (IsLiteralType(p->Type)) return p->Literal;
  bool accepted = false;
  switch (p->MaskChar) {
    case '#':
      accepted = (C >= u'0' && C <= u'9') || C == u' ' || C == u'+' || C == u'-';
      break;
    case '0':
    case '9':
      accepted = platform::IsCharAlphaNumericW(C) && !platform::IsCharAlphaW(C);
      break;
    case 'A':
    case 'a':
      accepted = platform::IsCharAlphaNumericW(C);
      break;
    case 'L':
    case 'l':
      accepted = platform::IsCharAlphaW(C);
      break;
    default:  // "C" and "c": any character that can be shown
      accepted = C >= u' ';
      break;
  }
  if (!accepted) return std::nullopt;
  if (p->Directives & platform::mdUpperCase) return platform::CharUpperW(C);
  if (p->Directives & platform::mdLowerCase) return platform::CharLowerW(C);
  return C;
}

std::u16string TEditMaskText::EmptyImage(int Start, int End) const {
  std::u16string image;
  for (int i = Start; i < End; ++i) {
    const auto* p = At(i);
    if (!p) break;
    image += IsLiteralType(p->Type) ? p->Literal : blank_;
  }
  return image;
}

std::u16string TEditMaskText::Format(std::u16string_view Value) const {
  return saveLiterals_ ? WidePadInputLiterals(mask_, Value, blank_) : WideMaskDoFormatText(mask_, Value, blank_);
}

std::u16string TEditMaskText::Unmask(std::u16string_view Text) const {
  std::u16string value;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (!IsLiteral(static_cast<int>(i))) value += Text[i];
  }
  if (rightToLeft_) {
    const std::size_t first = value.find_first_not_of(blank_);
    value.erase(0, first == std::u16string::npos ? value.size() : first);
  } else {
    const std::size_t last = value.find_last_not_of(blank_);
    value.erase(last == std::u16string::npos ? 0 : last + 1);
  }
  if (blank_ != u' ') {
    for (char16_t& c : value) {
      if (c == blank_) c = u' ';
    }
  }
  return saveLiterals_ ? WideMaskDoFormatText(mask_, value, u' ') : value;
}

std::optional<int> TEditMaskText::FirstInvalid(std::u16string_view Text) const {
  for (int i = 0; i < MaxChars(); ++i) {
    if (!IsRequired(i)) continue;
    const char16_t c = static_cast<std::size_t>(i) < Text.size() ? Text[static_cast<std::size_t>(i)] : blank_;
    if (c == blank_ || (c == u' ' && At(i)->MaskChar != 'C')) return i;
  }
  return std::nullopt;
}

int TEditMaskText::NextEditable(int Position) const {
  for (int i = Position < 0 ? 0 : Position; i < MaxChars(); ++i) {
    if (IsEditable(i)) return i;
  }
  return MaxChars();
}

std::optional<int> TEditMaskText::PreviousEditable(int Position) const {
  for (int i = (Position > MaxChars() ? MaxChars() : Position) - 1; i >= 0; --i) {
    if (IsEditable(i)) return i;
  }
  return std::nullopt;
}

int TEditMaskText::LastEditable() const {
  const std::optional<int> last = PreviousEditable(MaxChars());
  return last ? *last : MaxChars();
}

}  // namespace widetext
