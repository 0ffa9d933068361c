// The message dialog: its buttons and check box, their captions, and the
// question itself, laid out for each message.

#include "app/dialog_form.h"

#include "app/dialog_layout.h"
#include "platform/core/window_system/messages.h"
#include "support/ui/text_helpers.h"
#include "support/ui/window_placement.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/custom_drawn/xp_check_box.h"

namespace app {
namespace {

TDialogForm::TAnswer& Answer() {
  static TDialogForm::TAnswer answer;
  return answer;
}

void BuildDialogLayout(platform::TCustomForm& Form) {
  auto& dialog = static_cast<TDialogForm&>(Form);
  dialog.SetBorderStyle(platform::bsSingle);
  dialog.SetBorderIcons(platform::biSystemMenu);
  dialog.KeyPreview = true;
  dialog.SetColor(platform::clBtnFace);
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
  OnCreate = [this](platform::TObject* Sender) { FormCreate(Sender); };
  OnPaint = [this](platform::TObject* Sender) { FormPaint(Sender); };
  OnShow = [this](platform::TObject* Sender) { FormShow(Sender); };
  OnKeyUp = [this](platform::TObject* Sender, platform::WORD& Key, platform::TShiftState Shift) {
    FormKeyUp(Sender, Key, Shift);
  };
  OnActivate = [this](platform::TObject* Sender) { FormActivate(Sender); };
}

void TDialogForm::SetAnswerHandler(TAnswer Handler) { Answer() = std::move(Handler); }

void TDialogForm::FormCreate(platform::TObject*) {
  ButOK->OnClick = [this](platform::TObject* Sender) { ButOKClick(Sender); };
}

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

void TDialogForm::WrapMessage(const std::u16string& Message, int& WidestLine, int& LineHeight) {
  const platform::HDC dc = platform::GetDC(Handle());
  {
    const platform::TCanvasHandleScope lent(Canvas(), dc);
    Canvas().Font().Assign(&Font());
    WidestLine = kDialogMaxWidth - 2 * Margin;
    support::WrapTextLines(Canvas(), Message, WidestLine, Lines);
    LineHeight = 0;
    if (!Lines.empty()) {
      int width = 0;
      support::GetTextExtentW(Canvas().Handle(), Lines.front(), LineHeight, width);
    }
  }
  platform::ReleaseDC(Handle(), dc);
}

bool TDialogForm::ShowDialog(const std::u16string& Title, const std::u16string& Message, int AMode, bool ShowCheckBox) {
  IsModal = true;
  Mode = AMode;
  SetButtonCaptions();
  Font().SetColor(platform::clBtnText);
  SetCaption(u" " + Title);
  Margin = 5;
  LineFactor = 1.3f;
  ChkBox->SetVisible(ShowCheckBox);

  TDialogMeasures measures{.Single = Mode == 0,
                           .CheckBox = ShowCheckBox,
                           .ButtonWidth = ButOK->Width(),
                           .ButtonHeight = ButOK->Height(),
                           .CheckHeight = ChkBox->Height(),
                           .Margin = Margin,
                           .LineFactor = LineFactor};
  WrapMessage(Message, measures.WidestLine, measures.LineHeight);
  measures.LineCount = static_cast<int>(Lines.size());
  const TDialogLayout layout = LayOutDialog(measures);
  SetClientSize(layout.ClientWidth, layout.ClientHeight);
  ButOK->SetTop(layout.OkTop);
  ButOK->SetLeft(layout.OkLeft);
  ButCancel->SetTop(layout.OkTop);
  ButCancel->SetLeft(layout.CancelLeft);
  ButCancel->SetVisible(!measures.Single);
  ChkBox->SetLeft(layout.CheckLeft);
  ChkBox->SetTop(layout.CheckTop);

  std::int32_t left = 0;
  std::int32_t top = 0;
  support::CenterOverMainForm(left, top, Width(), Height());
  SetBounds(left, top, Width(), Height());
  support::SetWindowStayOnTop(Handle(), true);
  Invalidate();
  if (Answer()) return Answer()(Title, Message, Mode);
  return ShowModal() == platform::mrOk;
}

void TDialogForm::FormPaint(platform::TObject*) {
  Canvas().Brush().SetStyle(platform::bsClear);
  const int count = static_cast<int>(Lines.size());
  for (int i = 0; i < count; ++i) {
    const std::u16string& line = Lines[static_cast<std::size_t>(i)];
    int height = 0;
    int width = 0;
    support::GetTextExtentW(Canvas().Handle(), line, height, width);
    support::TextOutWide(Canvas().Handle(), DialogLineLeft(ClientWidth(), width, count, Margin),
                         DialogLineTop(i, height, LineFactor, Margin), line);
  }
}

void TDialogForm::FormShow(platform::TObject*) {
  if (ButCancel->Visible() && ButCancel->CanFocus()) {
    ButCancel->SetFocus();
  } else if (ButOK->CanFocus()) {
    ButOK->SetFocus();
  }
}

void TDialogForm::FormKeyUp(platform::TObject*, platform::WORD& Key, platform::TShiftState) {
  if (Key != platform::VK_ESCAPE) return;
  SetModalResult(platform::mrCancel);
  Close();
}

void TDialogForm::FormActivate(platform::TObject*) { support::SetWindowStayOnTop(Handle(), true); }

void TDialogForm::ButOKClick(platform::TObject*) {
  if (!IsModal) Close();
}

bool Confirm(const std::u16string& Title, const std::u16string& Message) {
  return DialogForm && DialogForm->ShowDialog(Title, Message, 2, false);
}

}  // namespace app
