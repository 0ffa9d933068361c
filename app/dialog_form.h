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

  // Asks and returns true for the first button (Ok or Yes).
  bool ShowDialog(const std::u16string& Title, const std::u16string& Message, int Mode, bool ShowCheckBox);
  void SetButtonCaptions();

  // Answers every question in place of the user (tests); an empty handler
  // shows the dialog again.
  using TAnswer = std::function<bool(const std::u16string& Title, const std::u16string& Message, int Mode)>;
  static void SetAnswerHandler(TAnswer Handler);
};

extern TDialogForm* DialogForm;

}  // namespace app
