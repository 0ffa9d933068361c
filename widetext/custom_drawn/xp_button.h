#pragma once
// TxpButton: the push button of the program's windows. It paints itself
// (a rounded frame, a vertical gradient, a tinted inner border, and a
// UTF-16 caption or a bitmap glyph) with hover, pressed, focused and
// disabled looks; closes a modal form through ModalResult; answers Enter
// and Escape through Default and Cancel; and can repeat OnTimerEvent while
// it is held down.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/controls/controls.h"
#include "platform/ui/controls/forms.h"

namespace widetext {

class TRepeaterThread;

class TxpButton : public platform::TCustomControl {
 public:
  explicit TxpButton(platform::TComponent* AOwner);
  ~TxpButton() override;

  const std::u16string& Caption() const { return caption_; }
  // Repaints at once when the caption changes.
  void SetCaption(const std::u16string& Value);

  // The glyph drawn while the caption is empty; null when there is none.
  platform::TBitmap* Picture() const { return picture_.get(); }
  // A copy of Bitmap becomes the glyph and the caption is emptied; null
  // removes the glyph.
  void SetPicture(const platform::TBitmap* Bitmap);
  // The program's bitmap resource ResName becomes the glyph and the caption
  // is emptied; an empty name removes the glyph. A resource that cannot be
  // loaded leaves no glyph and the caption as it was, and raises nothing.
  void LoadPictureFromResource(const std::string& ResName);

  bool CustomColor() const { return customColor_; }
  void SetCustomColor(bool Value);
  platform::TColor BackColor() const { return backColor_; }
  void SetBackColor(platform::TColor Value);
  platform::TColor GradientTopColor() const { return gradientTopColor_; }
  void SetGradientTopColor(platform::TColor Value);
  platform::TColor GradientBottColor() const { return gradientBottColor_; }
  void SetGradientBottColor(platform::TColor Value);

  platform::TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(platform::TModalResult Value) { modalResult_ = Value; }

  void SetEnabled(bool Value) override;
  // OnClick (or, when that is not set, OnTimerEvent unless it fired during
  // this press), then the owner form's ModalResult when this one is set.
  void Click() override;

  // Escape clicks the button.
  bool Cancel = false;
  // Enter clicks the button.
  bool Default = false;
  // The glyph in one colour.
  bool MonoColor = false;
  // Milliseconds before the first repeat, and between repeats.
  std::uint32_t TimerWaitStart = 1000;
  std::uint32_t TimerInterval = 200;
  // Repeated while the button is held down.
  platform::TNotifyEvent OnTimerEvent;

  bool Hot() const { return hot_; }
  bool Pressed() const { return pressed_; }
  bool IsFocused() const { return focused_; }
  bool Repeating() const { return repeater_ != nullptr; }

  void WndProc(platform::TMessage& Message) override;
  // Filed with their declared defaults: Caption, Font, Enabled (true),
  // ParentFont (true), Hint, ShowHint, TabOrder (-1), TabStop (false),
  // Visible (true), Anchors (left and top), Picture, TimerWaitStart (1000),
  // TimerInterval (200), MonoColor, Cancel, CustomColor (false), BackColor
  // (clBtnFace), GradientTopColor (clBtnHighlight), GradientBottColor
  // (clBtnFace), Default (false), ModalResult (0), and the events OnClick,
  // OnEnter, OnExit, OnKeyDown, OnKeyUp, OnMouseDown, OnMouseUp and
  // OnTimerEvent, by the names of the form's methods they are bound to.
  void GetPublishedProperties(std::vector<platform::TPropInfo>& Props) const override;

 protected:
  void Paint() override;
  void PaintPicture();
  // The mouse events go out from the button's own handlers, at the moments
  // the button chooses.
  void MouseDown(platform::TMouseButton, platform::TShiftState, int, int) override {}
  void MouseUp(platform::TMouseButton, platform::TShiftState, int, int) override {}

 private:
  void MouseEnter();
  void MouseLeave();
  void LeftButtonDown(platform::TMessage& Message);
  void LeftButtonUp(platform::TMessage& Message);
  void KeyDownMessage(platform::TMessage& Message);
  void KeyUpMessage(platform::TMessage& Message);
  bool DialogKey(platform::TMessage& Message);
  bool DialogChar(platform::TMessage& Message);
  void FocusChange(bool Focused);
  // Takes the focus when the button may; true when it did.
  bool TakeFocus();
  void FireMouseEvent(const platform::TMessage& Message, platform::TMouseButton Button, bool Down);
  // Runs the queued messages; false when the button was freed meanwhile.
  bool ProcessPendingMessages();
  platform::TCustomForm* OwnerForm() const;
  void StartRepeat();
  void StopRepeat();
  void RepeatFired();

  std::unique_ptr<platform::TBitmap> picture_;
  std::u16string caption_ = u"Button";
  bool hot_ = false;
  bool pressed_ = false;
  platform::TFont drawFont_;
  bool focused_ = false;
  platform::TModalResult modalResult_ = 0;
  bool customColor_ = false;
  platform::TColor backColor_ = platform::clBtnFace;
  platform::TColor gradientTopColor_ = platform::clBtnHighlight;
  platform::TColor gradientBottColor_ = platform::clBtnFace;
  std::unique_ptr<TRepeaterThread> repeater_;
  bool fired_ = false;
  // Cleared when the button goes, for code that pumps messages meanwhile.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace widetext
