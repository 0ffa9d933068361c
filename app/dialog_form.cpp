// The message dialog: its buttons and check box, their captions, and the
// question itself.

#include "app/dialog_form.h"

#include "widetext/custom_drawn/xp_button.h"
#include "widetext/custom_drawn/xp_check_box.h"

namespace app {
namespace {

TDialogForm::TAnswer& Answer() {
  static TDialogForm::TAnswer answer;
  return answer;
}

void BuildDialogLayout(platform::TCustomForm& form) {
  auto& dialog = static_cast<TDialogForm&>(form);
  dialog.SetBorderStyle(platform::bsSingle);
  dialog.SetBorderIcons(platform::biSystemMenu);
  dialog.KeyPreview = true;
  dialog.SetClientSize(230, 60);
  dialog.Font().SetHeight(-13);
  dialog.ButOK = new widetext::TxpButton(&dialog);
  dialog.ButOK->SetName("ButOK");
  dialog.ButOK->SetParent(&dialog);
  dialog.ButOK->SetBounds(5, 22, 105, 33);
  dialog.ButOK->SetModalResult(platform::mrOk);
  dialog.ButCancel = new widetext::TxpButton(&dialog);
  dialog.ButCancel->SetName("ButCancel");
  dialog.ButCancel->SetParent(&dialog);
  dialog.ButCancel->SetBounds(120, 22, 105, 33);
  dialog.ButCancel->SetModalResult(platform::mrCancel);
  dialog.ChkBox = new widetext::TxpCheckBox(&dialog);
  dialog.ChkBox->SetName("ChkBox");
  dialog.ChkBox->SetParent(&dialog);
  dialog.ChkBox->SetBounds(5, 37, 25, 18);
  dialog.ChkBox->SetCaption(u" ");
  dialog.ChkBox->SetVisible(false);
}

}  // namespace

TDialogForm* DialogForm = nullptr;

TDialogForm::TDialogForm(platform::TComponent* AOwner) : widetext::TWtxForm(AOwner) {
  static const bool registered = (platform::RegisterFormLayout("TDialogForm", BuildDialogLayout), true);
  (void)registered;
}

void TDialogForm::SetAnswerHandler(TAnswer Handler) { Answer() = std::move(Handler); }

void TDialogForm::SetButtonCaptions() {
  if (Mode == 1) {
    ButOK->SetCaption(TextYes);
    ButCancel->SetCaption(TextCancel);
  } else if (Mode == 2) {
    ButOK->SetCaption(TextYes);
    ButCancel->SetCaption(TextNo);
  } else {
    ButOK->SetCaption(TextOk);
    Mode = 0;
  }
}

bool TDialogForm::ShowDialog(const std::u16string& Title, const std::u16string& Message, int AMode, bool ShowCheckBox) {
  IsModal = true;
  Mode = AMode;
  SetButtonCaptions();
  SetCaption(u" " + Title);
  ChkBox->SetVisible(ShowCheckBox);
  ButCancel->SetVisible(Mode != 0);
  if (Answer()) return Answer()(Title, Message, Mode);
  return ShowModal() == platform::mrOk;
}

}  // namespace app
