#pragma once
// TWtxMaskEdit: a single-line edit in a Unicode "EDIT" window that holds its
// text to an edit mask (edit_mask_text.h) while keeping its text, selection
// and password character in UTF-16. Typing enters each accepted character
// at the caret over the mask's blank and moves on past the literals;
// refused characters beep and change nothing. Escape brings back the text
// the edit had when it got the focus; leaving it, or Enter, with a value
// the mask does not take beeps and raises EDBEditError, the text staying
// for correction. A data source shows its value through the edit's data
// link.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes/data_link.h"
#include "platform/core/classes/sysutils.h"
#include "platform/ui/controls/stdctrls.h"
#include "widetext/controls/wide_control.h"
#include "widetext/masked_edit/edit_mask_text.h"

namespace widetext {

class EDBEditError : public platform::Exception {
 public:
  using platform::Exception::Exception;
};

class TWtxMaskEdit : public TWideControl<platform::TCustomEdit> {
 public:
  explicit TWtxMaskEdit(platform::TComponent* AOwner);

  const std::string& EditMask() const { return mask_.EditMask(); }
  // The value is kept and laid out on the new mask.
  void SetEditMask(std::string_view Value);
  bool IsMasked() const { return !mask_.Empty(); }

  // Without a mask the window text; with one the value it stands for
  // (edit_mask_text.h, Unmask).
  std::u16string GetText();
  // With a mask the value is laid out on it; the window text is written
  // only when it changes. At design time a value the mask does not take
  // raises EDBEditError, unless the form is loading or the edit's data link
  // sets it.
  void SetText(std::u16string_view Value);
  void Clear() { SetText(u""); }

  // Shown in place of each character; 0 for none. The class library holds
  // it as 8 bits: the character itself below 256, "*" above, and that is
  // what a window shows on a platform without Unicode support.
  char16_t GetPasswordChar();
  void SetPasswordChar(char16_t Value);

  std::u16string GetSelText();
  void SetSelText(std::u16string_view Value);

  // With a mask, a changed text the mask does not take: the edit takes the
  // focus with its caret on the first bad position, beeps and raises
  // EDBEditError.
  void ValidateEdit();

  // A value handed over through the link becomes the edit's text.
  platform::TFieldDataLink& DataLink() { return dataLink_; }

  // EditMask, then the wide Text in place of the caption, the wide Hint
  // and the wide PasswordChar.
  void GetPublishedProperties(std::vector<platform::TPropInfo>& Props) const override;
  void WndProc(platform::TMessage& Message) override;

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(platform::WORD& Key, platform::TShiftState Shift) override;

 private:
  std::u16string WindowText() { return GetCaption(); }
  void Select(int Start, int End);
  int SelectionEnd() { return SelStart() + SelLength(); }
  // Puts the caret on a position that can be edited.
  void CheckCursor();
  void Reset();
  void TypeChar(char16_t C);
  // Enters C at Position, or at the next editable position when Position
  // holds a literal other than C; the position after it, or nothing when
  // the mask refuses C.
  std::optional<int> EnterChar(int Position, char16_t C);
  // Empties the selection (the character at the caret when there is none;
  // with Backspace the one before it) as the mask's empty image.
  void ClearSelection(bool Backspace);
  void Paste();
  void Cut();
  void Beep();
  void DataChange();

  // States of the masked editing.
  enum : std::uint8_t {
    // Taking the focus back after a refused value keeps the old value.
    msReEnter = 1 << 1,
    // The data link is setting the text: no design-time check.
    msDBSetText = 1 << 2,
  };

  TEditMaskText mask_;
  char16_t passwordChar_ = 0;
  std::uint8_t maskState_ = 0;
  platform::TFieldDataLink dataLink_;
  int buttonDownX_ = 0;
  std::u16string oldValue_;
};

}  // namespace widetext
