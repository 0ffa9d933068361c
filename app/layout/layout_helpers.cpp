#include "app/layout/layout_helpers.h"

#include "widetext/custom_drawn/xp_button.h"
#include "widetext/grid/string_grid.h"
#include "widetext/standard/combo_box.h"

namespace app::layout {

TWtxLabel* Caption(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                   std::u16string_view Text) {
  auto* label = Place<TWtxLabel>(Form, Parent, Name, Left, Top, 0, 0);
  label->SetCaption(Text);
  return label;
}

TWtxLabel* TextBlock(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                     int Width, int Height, std::u16string_view Text) {
  auto* label = Place<TWtxLabel>(Form, Parent, Name, Left, Top, Width, Height);
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetCaption(Text);
  return label;
}

TWtxStaticText* ValueBox(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                         int Width) {
  auto* box = Place<TWtxStaticText>(Form, Parent, Name, Left, Top, Width, kRow - 2);
  box->SetAutoSize(false);
  box->SetBorderStyle(platform::sbsSunken);
  box->SetAlignment(platform::taRightJustify);
  box->SetColor(platform::clWindow);
  return box;
}

TxpButton* Button(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                  std::u16string_view Text, int Width) {
  auto* button = Place<TxpButton>(Form, Parent, Name, Left, Top, Width, kButtonHeight);
  button->SetCaption(std::u16string(Text));
  return button;
}

platform::TShape* Lamp(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                       int Width) {
  auto* lamp = Place<platform::TShape>(Form, Parent, Name, Left, Top, Width, 13);
  lamp->Brush().SetColor(kLampOff);
  lamp->Pen().SetColor(platform::clGray);
  return lamp;
}

TWtxComboBox* DropDown(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                       int Width, std::initializer_list<std::u16string_view> Items) {
  auto* list = Place<TWtxComboBox>(Form, Parent, Name, Left, Top, Width, kRow);
  list->SetStyle(platform::csDropDownList);
  list->SetDropDownCount(12);
  for (const std::u16string_view item : Items) list->GetItems().Add(std::u16string(item));
  return list;
}

platform::TEdit* EditBox(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                         int Width) {
  return Place<platform::TEdit>(Form, Parent, Name, Left, Top, Width, kRow);
}

TWtxStringGrid* CalibrationGrid(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Top) {
  auto* grid = Place<TWtxStringGrid>(Form, Parent, Name, kMargin, Top, kPageWidth - 2 * kMargin, 80);
  grid->SetColCount(11);
  grid->SetRowCount(3);
  grid->SetFixedRows(2);
  grid->ScrollBars = platform::ssNone;
  return grid;
}

platform::TBevel* Frame(TMainForm& Form, platform::TWinControl* Parent, int Left, int Top, int Width, int Height) {
  auto* frame = Place<platform::TBevel>(Form, Parent, "", Left, Top, Width, Height);
  frame->Shape = platform::bsFrame;
  return frame;
}

}  // namespace app::layout
