#pragma once
// Building blocks of the page layouts: a control made on a parent at a
// place, named as the program knows it; captions and value fields in the
// window's common looks; and the measures the pages share.

#include <initializer_list>
#include <string>
#include <string_view>

#include "app/main_form.h"
#include "platform/ui/controls/extctrls.h"
#include "platform/ui/controls/stdctrls.h"
#include "widetext/controls/page_control.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/standard/label.h"
#include "widetext/standard/static_text.h"

namespace app::layout {

// The client area of a page.
inline constexpr int kPageWidth = 738;
inline constexpr int kPageHeight = 341;
// Space between a page's edge and its controls, and a row's height.
inline constexpr int kMargin = 14;
inline constexpr int kRow = 24;
inline constexpr int kButtonWidth = 92;
inline constexpr int kButtonHeight = 28;
// Light sky blue, the monitors' face.
inline constexpr platform::TColor kSkyBlue = static_cast<platform::TColor>(0xF0CAA6);

// A control of class T owned by the form, on Parent, named Name ("" for
// one the program never refers to).
template <class T>
T* Place(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top, int Width,
         int Height) {
  auto* control = new T(&Form);
  if (!Name.empty()) control->SetName(std::string(Name));
  control->SetParent(Parent);
  control->SetBounds(Left, Top, Width, Height);
  return control;
}

// A caption that takes the width of its text.
TWtxLabel* Caption(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                   std::u16string_view Text);
// A caption of a fixed width that may wrap onto Height.
TWtxLabel* TextBlock(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                     int Width, int Height, std::u16string_view Text);
// A read-only value in a sunken box.
TWtxStaticText* ValueBox(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                         int Width);
// A push button with a caption.
TxpButton* Button(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                  std::u16string_view Text, int Width = kButtonWidth);
// A status lamp, grey until something lights it.
platform::TShape* Lamp(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                       int Width);
// A drop-down list without free text, holding Items.
TWtxComboBox* DropDown(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                       int Width, std::initializer_list<std::u16string_view> Items = {});
// A single-line edit box.
platform::TEdit* EditBox(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Left, int Top,
                         int Width);
// A calibration table across the page: eleven columns (the row titles and
// ten points) and three rows, the two upper ones fixed, no scroll bars.
TWtxStringGrid* CalibrationGrid(TMainForm& Form, platform::TWinControl* Parent, std::string_view Name, int Top);
// A thin sunken frame that groups the controls drawn inside it.
platform::TBevel* Frame(TMainForm& Form, platform::TWinControl* Parent, int Left, int Top, int Width, int Height);

// The pages and the monitors below them.
void BuildConnectionPage(TMainForm& Form);
void BuildDepthPage(TMainForm& Form);
void BuildSpeedPage(TMainForm& Form);
void BuildTemperaturePage(TMainForm& Form);
void BuildGpsPage(TMainForm& Form);
void BuildToolsPage(TMainForm& Form);
void BuildReferencePage(TMainForm& Form);
void BuildMonitors(TMainForm& Form);

}  // namespace app::layout
