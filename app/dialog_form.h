#pragma once
// The program's own modal question box: a title, a message, an optional
// check box and one or two buttons whose captions follow the language.
// One is made at start-up, after the main window, and asked every question.

#include <functional>
#include <string>
#include <vector>

#include "widetext/controls/wide_form.h"

namespace widetext {
class TxpButton;
class TxpCheckBox;
}  // namespace widetext

namespace app {

class TDialogForm : public widetext::TWtxForm {
 public:
  explicit TDialogForm(platform::TComponent* AOwner);

  widetext::TxpButton* ButOK = nullptr;
  widetext::TxpButton* ButCancel = nullptr;
  widetext::TxpCheckBox* ChkBox = nullptr;

  // The message, wrapped, one entry per line.
  std::vector<std::u16string> Lines;
  float LineFactor = 1.3f;
  int Margin = 5;
  bool IsModal = false;
  // 1 Yes/Cancel, 2 Yes/No, 0 Ok alone.
  int Mode = 0;
  std::u16string TextYes = u"Yes";
  std::u16string TextNo = u"No";
  std::u16string TextOk = u"Ok";
  std::u16string TextCancel = u"Cancel";

  // Lays the dialog out for the message, asks and returns true for the
  // first button (Ok or Yes); Escape and closing the window answer false.
  bool ShowDialog(const std::u16string& Title, const std::u16string& Message, int Mode, bool ShowCheckBox);
  void SetButtonCaptions();

  // Answers every question in place of the user (tests), once the dialog
  // is laid out; an empty handler shows the dialog again.
  using TAnswer = std::function<bool(const std::u16string& Title, const std::u16string& Message, int Mode)>;
  static void SetAnswerHandler(TAnswer Handler);

 private:
  void FormCreate(platform::TObject* Sender);
  void FormPaint(platform::TObject* Sender);
  void FormShow(platform::TObject* Sender);
  void FormKeyUp(platform::TObject* Sender, platform::WORD& Key, platform::TShiftState Shift);
  void FormActivate(platform::TObject* Sender);
  void ButOKClick(platform::TObject* Sender);
  // Wraps Message within the widest line and measures the lines.
  void WrapMessage(const std::u16string& Message, int& WidestLine, int& LineHeight);
};

extern TDialogForm* DialogForm;

// Asks with Yes and No; false when the question cannot be asked.
bool Confirm(const std::u16string& Title, const std::u16string& Message);

}  // namespace app
