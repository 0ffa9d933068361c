#pragma once
// TxpCheckBox: a check box that draws its own square, check mark and UTF-16
// caption, sizes itself to the caption and tints the square while the
// mouse is over it. Clicking, Space, Enter and the caption's accelerator
// toggle it and fire OnClick; setting Checked from code fires nothing.

#include <string>
#include <vector>

#include "platform/ui/controls/controls.h"

namespace widetext {

enum TCheckBoxAlignment {
  cbaLeft = 0,   // the square at the right, the caption to its left
  cbaRight = 1,  // the square at the left, the caption to its right
};

class TxpCheckBox : public platform::TCustomControl {
 public:
  explicit TxpCheckBox(platform::TComponent* AOwner);

  const std::u16string& Caption() const { return caption_; }
  void SetCaption(const std::u16string& Value);
  // The caption's font.
  platform::TFont& DrawFont() { return drawFont_; }
  void SetFont(const platform::TFont& Value);
  bool Checked() const { return checked_; }
  void SetChecked(bool Value);
  TCheckBoxAlignment Alignment() const { return alignment_; }
  void SetAlignment(TCheckBoxAlignment Value);
  bool Autosize() const { return autosize_; }
  void SetAutosize(bool Value);
  // Colours derived from Color, MarkColor and SquareColor are used only
  // with CustomColor.
  bool CustomColor() const { return customColor_; }
  void SetCustomColor(bool Value);
  // The background; stored as the control's colour.
  void SetColor(platform::TColor Value);
  platform::TColor MarkColor() const { return markColor_; }
  void SetMarkColor(platform::TColor Value);
  platform::TColor SquareColor() const { return squareColor_; }
  void SetSquareColor(platform::TColor Value);
  void SetEnabled(bool Value) override;
  void SetParent(platform::TWinControl* AParent) override;

  // Checked turned over, then OnClick.
  void Toggle();

  bool Hot() const { return hot_; }
  bool Pressed() const { return pressed_; }
  bool IsFocused() const { return focused_; }

  platform::TNotifyEvent OnMouseEnter;
  platform::TNotifyEvent OnMouseLeave;

  void WndProc(platform::TMessage& Message) override;
  // Filed with their declared defaults: Caption, Font, Enabled (true),
  // ParentFont (true), Hint, ShowHint, TabOrder (-1), TabStop (false),
  // Visible (true), Anchors (left and top), Color, MarkColor
  // (clWindowText), SquareColor (clWindow), Checked (false), Alignment, the
  // events OnClick, OnEnter, OnExit, OnMouseEnter and OnMouseLeave (by the
  // names of the form's methods they are bound to), Autosize (true) and
  // CustomColor (false). MarkColor starts as clGreen, so a new check box
  // stores it.
  void GetPublishedProperties(std::vector<platform::TPropInfo>& Props) const override;

 protected:
  void Paint() override;
  // The check box acts on the mouse in its own handlers.
  void MouseDown(platform::TMouseButton, platform::TShiftState, int, int) override {}
  void MouseUp(platform::TMouseButton, platform::TShiftState, int, int) override {}

 private:
  void Redraw();
  void PaintSquare();
  void MouseEnterLeave(bool Entered);
  bool DialogChar(platform::TMessage& Message);
  void ParentFontChanged();

  std::u16string caption_ = u"Checkbox";
  bool hot_ = false;
  bool autosize_ = true;
  bool checked_ = false;
  bool pressed_ = false;
  platform::TFont drawFont_;
  bool focused_ = false;
  TCheckBoxAlignment alignment_ = cbaRight;
  platform::TColor markColor_ = platform::clGreen;
  platform::TColor squareColor_ = platform::clWindow;
  bool squareColorSet_ = false;
  int boxSize_ = 0;
  int margin_ = 1;
  bool customColor_ = false;
};

}  // namespace widetext
