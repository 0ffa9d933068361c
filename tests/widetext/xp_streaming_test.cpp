#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/filer.h"
#include "platform/core/classes/published.h"
#include "platform/ui/controls/extctrls.h"
#include "tests/widetext/xp_fixture.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/custom_drawn/xp_check_box.h"

namespace {

using namespace platform;
using widetext::TxpButton;
using widetext::TxpCheckBox;

// The properties a control writes, by name, each with its value's first
// byte (its type), the events among them in the order written, and the
// stream to read them back from.
class XpStreaming : public xpfixture::ShownFormTest {
 protected:
  std::map<std::string, TValueType> Write(TPersistent* Control) {
    Stream = std::make_unique<TMemoryStream>();
    TWriter writer(*Stream);
    writer.WriteProperties(Control);
    Stream->SetPosition(0);
    TReader reader(*Stream);
    std::map<std::string, TValueType> written;
    WrittenEvents.clear();
    while (!reader.EndOfList()) {
      const std::string name = reader.ReadStr();
      if (name.starts_with("On")) WrittenEvents.push_back(name);
      written[name] = reader.NextValue();
      reader.SkipValue();
    }
    Stream->SetPosition(0);
    return written;
  }
  void ReadInto(TPersistent* Control) {
    TReader reader(*Stream);
    reader.ReadProperties(Control);
    EXPECT_EQ(Stream->Position(), Stream->Size());
  }
  static std::vector<std::string> Names(const std::map<std::string, TValueType>& Written) {
    std::vector<std::string> names;
    for (const auto& [name, type] : Written) names.push_back(name);
    return names;
  }
  std::unique_ptr<TMemoryStream> Stream;
  std::vector<std::string> WrittenEvents;
};

TEST_F(XpStreaming, ANewButtonStoresOnlyWhatDiffersFromTheDeclaredDefaults) {
  auto* button = new TxpButton(Form);
  // Its caption, and the tab stop its constructor turned on.
  EXPECT_EQ(Names(Write(button)), (std::vector<std::string>{"Caption", "TabStop"}));

  button->SetParent(Form);
  button->SetCustomColor(true);
  button->SetBackColor(clRed);
  button->SetGradientTopColor(RGB(1, 2, 3));
  button->Default = true;
  button->SetModalResult(mrCancel);
  button->TimerInterval = 50;
  button->SetCaption(u"Ωμέγα");
  button->Font().SetColor(clMaroon);
  const auto written = Write(button);
  EXPECT_EQ(Names(written), (std::vector<std::string>{"BackColor", "Caption", "CustomColor", "Default", "Font.Color",
                                                      "Font.Height", "Font.Name", "GradientTopColor", "ModalResult",
                                                      "ParentFont", "TabOrder", "TabStop", "TimerInterval"}));
  // A colour with a name goes by its name, another by its number; Booleans
  // as identifiers.
  EXPECT_EQ(written.at("BackColor"), vaIdent);
  EXPECT_NE(written.at("GradientTopColor"), vaIdent);
  EXPECT_EQ(written.at("CustomColor"), vaTrue);
  EXPECT_EQ(written.at("ParentFont"), vaFalse);

  auto* copy = new TxpButton(Form);
  ReadInto(copy);
  EXPECT_TRUE(copy->CustomColor());
  EXPECT_EQ(copy->BackColor(), clRed);
  EXPECT_EQ(copy->GradientTopColor(), static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_TRUE(copy->Default);
  EXPECT_EQ(copy->ModalResult(), mrCancel);
  EXPECT_EQ(copy->TimerInterval, 50u);
  EXPECT_EQ(copy->Caption(), u"Ωμέγα");
  EXPECT_FALSE(copy->ParentFont());
  EXPECT_EQ(copy->Font().Color(), clMaroon);
  EXPECT_EQ(copy->Font().Name(), button->Font().Name());
}

TEST_F(XpStreaming, AButtonsGlyphTravelsAsItsPicture) {
  TBitmap glyph;
  glyph.SetSize(4, 3);
  glyph.Canvas().Brush().SetColor(clRed);
  glyph.Canvas().FillRect(Rect(0, 0, 4, 3));
  glyph.Canvas().SetPixel(1, 1, clBlue);
  auto* button = new TxpButton(Form);
  button->SetPicture(&glyph);
  const auto written = Write(button);
  EXPECT_EQ(written.count("Caption"), 0u);
  EXPECT_EQ(written.at("Picture.Data"), vaBinary);

  auto* copy = new TxpButton(Form);
  ReadInto(copy);
  ASSERT_NE(copy->Picture(), nullptr);
  EXPECT_EQ(copy->Picture()->Width(), 4);
  EXPECT_EQ(copy->Picture()->Height(), 3);
  EXPECT_EQ(copy->Picture()->Canvas().Pixels(1, 1), clBlue);
  EXPECT_EQ(copy->Picture()->Canvas().Pixels(3, 2), clRed);
  EXPECT_EQ(copy->Caption(), u"");
}

TEST_F(XpStreaming, ACheckBoxStoresItsGreenMarkWhoseDeclaredDefaultIsTheWindowText) {
  auto* box = new TxpCheckBox(Form);
  auto written = Write(box);
  EXPECT_EQ(Names(written), (std::vector<std::string>{"Alignment", "Caption", "Color", "MarkColor", "TabStop"}));
  EXPECT_EQ(written.at("MarkColor"), vaIdent);
  auto* copy = new TxpCheckBox(Form);
  copy->SetMarkColor(clBlue);
  ReadInto(copy);
  EXPECT_EQ(copy->MarkColor(), clGreen);

  // The declared default itself is left out, and a stream without it leaves
  // the constructor's green.
  box->SetMarkColor(clWindowText);
  box->SetChecked(true);
  box->SetAlignment(widetext::cbaLeft);
  box->SetAutosize(false);
  box->SetSquareColor(clYellow);
  box->SetCaption(u"Łódź");
  written = Write(box);
  EXPECT_EQ(written.count("MarkColor"), 0u);
  EXPECT_EQ(Names(written), (std::vector<std::string>{"Alignment", "Autosize", "Caption", "Checked", "Color",
                                                      "SquareColor", "TabStop"}));
  auto* other = new TxpCheckBox(Form);
  ReadInto(other);
  EXPECT_EQ(other->MarkColor(), clGreen);
  EXPECT_TRUE(other->Checked());
  EXPECT_EQ(other->Alignment(), widetext::cbaLeft);
  EXPECT_FALSE(other->Autosize());
  EXPECT_EQ(other->SquareColor(), clYellow);
  EXPECT_EQ(other->Caption(), u"Łódź");
}

TEST_F(XpStreaming, AButtonFollowingItsParentsFontTakesItsOwnersFont) {
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  panel->SetParentFont(false);
  panel->Font().SetHeight(-20);
  auto* button = new TxpButton(Form);
  button->SetParent(panel);
  Form->Font().SetHeight(-17);
  Form->Font().SetColor(clNavy);
  panel->Font().SetHeight(-21);
  // The panel's change reaches the button, which takes its owner's font.
  EXPECT_EQ(button->Font().Height(), -17);
  EXPECT_EQ(button->Font().Color(), clNavy);
  EXPECT_TRUE(button->ParentFont());
}

// A form that publishes the handlers its controls are streamed with, one of
// each event kind, all counting their calls.
class HandlerForm : public TForm {
 public:
  HandlerForm() : TForm(nullptr, TCustomForm::CreateNew) { SetBounds(60, 60, 300, 200); }
  int Clicks = 0;
  void ButOkClick(TObject*) { ++Clicks; }
  void ButOkKey(TObject*, WORD&, TShiftState) { ++Clicks; }
  void ButOkMouse(TObject*, TMouseButton, TShiftState, int, int) { ++Clicks; }
  void GetPublishedMethods(std::vector<TMethodInfo>& Methods) const override {
    TForm::GetPublishedMethods(Methods);
    Methods.push_back(PublishedMethod<&HandlerForm::ButOkClick>("ButOkClick"));
    Methods.push_back(PublishedMethod<&HandlerForm::ButOkKey>("ButOkKey"));
    Methods.push_back(PublishedMethod<&HandlerForm::ButOkMouse>("ButOkMouse"));
  }
};

TEST_F(XpStreaming, AnchorsAndEventsComeBackOnTheFormTheyAreReadInto) {
  std::unique_ptr<HandlerForm, void (*)(TComponent*)> source(new HandlerForm, Free), target(new HandlerForm, Free);
  const auto click = MakeMethod<&HandlerForm::ButOkClick>(source.get());
  const auto key = MakeMethod<&HandlerForm::ButOkKey>(source.get());
  const auto mouse = MakeMethod<&HandlerForm::ButOkMouse>(source.get());
  // Every event goes out in declaration order, by its method's name, and
  // comes back bound to the same method of the form that reads it.
  auto* button = new TxpButton(source.get());
  button->SetAnchors(akRight | akBottom);
  button->OnClick = button->OnEnter = button->OnExit = button->OnTimerEvent = click;
  button->OnKeyDown = button->OnKeyUp = key;
  button->OnMouseDown = button->OnMouseUp = mouse;
  EXPECT_EQ(Write(button).at("OnClick"), vaIdent);
  EXPECT_EQ(WrittenEvents, (std::vector<std::string>{"OnClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyUp",
                                                     "OnMouseDown", "OnMouseUp", "OnTimerEvent"}));
  auto* copy = new TxpButton(target.get());
  ReadInto(copy);
  copy->Click();
  EXPECT_EQ(target->Clicks, 1);
  WORD enter = VK_RETURN;
  for (const TNotifyEvent* event : {&copy->OnEnter, &copy->OnExit, &copy->OnTimerEvent}) {
    ASSERT_TRUE(*event);
    (*event)(copy);
  }
  for (const TKeyEvent* event : {&copy->OnKeyDown, &copy->OnKeyUp}) {
    ASSERT_TRUE(*event);
    (*event)(copy, enter, 0);
  }
  for (const TMouseEvent* event : {&copy->OnMouseDown, &copy->OnMouseUp}) {
    ASSERT_TRUE(*event);
    (*event)(copy, mbLeft, 0, 1, 1);
  }
  EXPECT_EQ(target->Clicks, 8);
  EXPECT_EQ(source->Clicks, 0);
  copy->SetParent(target.get());
  copy->SetBounds(200, 150, 75, 25);
  target->SetClientWidth(target->ClientWidth() + 40);
  EXPECT_EQ(copy->Left(), 240);

  auto* box = new TxpCheckBox(source.get());
  box->SetAnchors(akLeft | akRight);
  box->OnClick = box->OnEnter = box->OnExit = box->OnMouseEnter = box->OnMouseLeave = click;
  Write(box);
  EXPECT_EQ(WrittenEvents, (std::vector<std::string>{"OnClick", "OnEnter", "OnExit", "OnMouseEnter", "OnMouseLeave"}));
  auto* boxCopy = new TxpCheckBox(target.get());
  ReadInto(boxCopy);
  EXPECT_EQ(boxCopy->Anchors(), akLeft | akRight);
  for (const TNotifyEvent* event :
       {&boxCopy->OnClick, &boxCopy->OnEnter, &boxCopy->OnExit, &boxCopy->OnMouseEnter, &boxCopy->OnMouseLeave}) {
    ASSERT_TRUE(*event);
    (*event)(boxCopy);
  }
  EXPECT_EQ(target->Clicks, 13);
  EXPECT_EQ(source->Clicks, 0);

  // A handler that is not a method of the owning form has no name to go by.
  box->OnClick = [](TObject*) {};
  box->OnExit = MakeMethod<&HandlerForm::ButOkClick>(target.get());
  box->OnEnter = box->OnMouseLeave = nullptr;
  EXPECT_EQ(Names(Write(box)), (std::vector<std::string>{"Alignment", "Anchors", "Caption", "Color", "MarkColor",
                                                         "OnMouseEnter", "TabStop"}));

  // The name must be one of the form's methods, of the event's kind.
  auto* stranger = new TxpCheckBox(Form);
  Stream->SetPosition(0);
  EXPECT_THROW(TReader(*Stream).ReadProperties(stranger), EReadError);
  TMemoryStream wrongKind;
  TWriter writer(wrongKind);
  writer.WriteStr("OnMouseDown");
  writer.WriteIdent("ButOkClick");
  writer.WriteListEnd();
  wrongKind.SetPosition(0);
  EXPECT_THROW(TReader(wrongKind).ReadProperties(copy), EReadError);
}

}  // namespace
