#pragma once
// UTF-16 text under an 8-bit edit mask (the class library's format,
// platform/core/classes/edit_mask.h): which positions of the edited text
// are literals and what every other position accepts, the value a text
// stands for and the text a value makes, validation, and the positions a
// caret may stand on. Positions here are 0-based positions of the edited
// text (the window text), which holds one character per text position of
// the mask.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes/edit_mask.h"

namespace widetext {

class TEditMaskText {
 public:
  explicit TEditMaskText(std::string_view EditMask = {});

  const std::string& EditMask() const { return mask_; }
  bool Empty() const { return mask_.empty(); }
  // Text positions of the mask.
  int MaxChars() const { return static_cast<int>(positions_.size()); }
  // The literals belong to the value.
  bool SavesLiterals() const { return saveLiterals_; }
  char16_t Blank() const { return blank_; }
  // Optional positions are left blank at the front rather than the end.
  bool RightToLeft() const { return rightToLeft_; }

  bool IsLiteral(int Position) const;
  bool IsEditable(int Position) const;
  // A position that must be filled (the class library's required class).
  bool IsRequired(int Position) const;

  // What typing C at Position enters: the literal itself at a literal
  // position; at an editable one C as the mask's case directive there
  // makes it, or nothing when the mask character refuses it.
  std::optional<char16_t> Accept(int Position, char16_t C) const;

  // Positions Start..End-1 emptied: the blank at editable positions, the
  // literal at literal ones.
  std::u16string EmptyImage(int Start, int End) const;

  // The window text for Value: with saved literals Value holds them (and
  // each field is fitted between them), otherwise the literals are put in;
  // positions Value does not reach are blank.
  std::u16string Format(std::u16string_view Value) const;
  // The value a window text stands for: the literals taken out, the blank
  // padding at the end (the front, right to left) dropped, the blanks left
  // inside turned into spaces; with saved literals, that laid out on the
  // mask again with spaces for the empty positions.
  std::u16string Unmask(std::u16string_view Text) const;
  // The first position whose character fails the mask: a required
  // position holding the blank, or a space where the mask character is
  // not "C"; nothing when the text is valid.
  std::optional<int> FirstInvalid(std::u16string_view Text) const;

  // The first editable position at or after Position (MaxChars when none).
  int NextEditable(int Position) const;
  // The last editable position before Position (nothing when none).
  std::optional<int> PreviousEditable(int Position) const;
  int FirstEditable() const { return NextEditable(0); }
  // The last editable position (MaxChars when none).
  int LastEditable() const;

 private:
  struct MaskPosition {
    platform::TMaskCharType Type = platform::mcNone;
    char MaskChar = 0;
    platform::TMaskDirectives Directives = 0;
    char16_t Literal = 0;
  };
  const MaskPosition* At(int Position) const;

  std::string mask_;
  std::vector<MaskPosition> positions_;
  bool saveLiterals_ = true;
  char16_t blank_ = u'_';
  bool rightToLeft_ = false;
};

}  // namespace widetext
