// Owner-drawn and virtual lists with texts code page 1252 cannot hold, a
// grid editing a masked cell, and the classic file dialog with a template
// of its own below it.

#include <string>

#include "platform/core/os/modules.h"
#include "platform/core/window_system/dialog_windows.h"
#include "platform/ui/controls/extctrls.h"
#include "platform/ui/controls/forms.h"
#include "tools/showcase/scene.h"
#include "widetext/controls/wide_canvas.h"
#include "widetext/dialogs/wide_open_dialog.h"
#include "widetext/grid/string_grid.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/list_box.h"

namespace showcase {
namespace {

using namespace platform;

const std::u16string kCountries[] = {u"Ελλάδα", u"Polska – Łódź", u"Česko – Ústí", u"Україна", u"Türkiye"};
constexpr TColor kSwatches[] = {clNavy, clRed, clMaroon, clBlue, clTeal};

TForm* NewForm(const char* Caption, int Width, int Height) {
  auto* form = new TForm(nullptr, TCustomForm::CreateNew);
  form->SetCaption(Caption);
  form->SetBounds(80, 80, Width, Height);
  return form;
}

TForm* BuildLists() {
  TForm* form = NewForm("Owner-drawn lists", 520, 300);
  auto* list = new widetext::TWtxListBox(form);
  list->SetParent(form);
  list->SetBounds(12, 12, 240, 150);
  list->SetStyle(lbOwnerDrawFixed);
  list->SetItemHeight(26);
  for (const std::u16string& name : kCountries) list->GetItems().Add(name);
  // A colour swatch before each wide name.
  list->OnDrawItem = [list](TWinControl*, int Index, TRect Rect, TOwnerDrawState) {
    TCanvas& c = list->Canvas();
    c.FillRect(Rect);
    c.Brush().SetColor(kSwatches[Index % 5]);
    c.FillRect(platform::Rect(Rect.left + 4, Rect.top + 5, Rect.left + 20, Rect.bottom - 5));
    c.Brush().SetStyle(bsClear);
    widetext::WideCanvasTextOut(c, Rect.left + 28, Rect.top + 5, list->GetItems().Get(Index));
  };
  list->SetItemIndex(1);

  auto* plain = new widetext::TWtxListBox(form);
  plain->SetParent(form);
  plain->SetBounds(264, 12, 240, 150);
  plain->SetStyle(lbOwnerDrawFixed);
  for (const std::u16string& name : kCountries) plain->GetItems().Add(name);
  plain->SetItemIndex(3);

  auto* combo = new widetext::TWtxComboBox(form);
  combo->SetParent(form);
  combo->SetBounds(12, 176, 240, 24);
  combo->SetStyle(csOwnerDrawFixed);
  for (const std::u16string& name : kCountries) combo->GetItems().Add(name);
  combo->SetItemIndex(2);

  auto* numbers = new widetext::TWtxListBox(form);
  numbers->SetParent(form);
  numbers->SetBounds(264, 176, 240, 90);
  numbers->SetStyle(lbVirtual);
  numbers->OnDataW = [](TWinControl*, int Index, std::u16string& Data) {
    Data = u"Σημείο " + std::u16string(1, static_cast<char16_t>(u'1' + Index)) + u" – 1,0" +
           std::u16string(1, static_cast<char16_t>(u'0' + Index)) + u" κόμβοι";
  };
  numbers->SetCount(9);
  return form;
}

TForm* BuildMaskedGrid() {
  TForm* form = NewForm("A masked cell", 420, 200);
  auto* grid = new widetext::TWtxStringGrid(form);
  grid->SetParent(form);
  grid->SetBounds(12, 12, 390, 140);
  grid->SetColCount(3);
  grid->SetRowCount(4);
  grid->SetColWidths(1, 120);
  grid->SetColWidths(2, 140);
  grid->SetOptions(grid->Options() | goEditing);
  grid->SetCells(1, 0, u"Ώρα (ωω:λλ)");
  grid->SetCells(2, 0, u"Ταχύτητα");
  grid->SetCells(1, 1, u"08-15");
  grid->SetCells(2, 1, u"5,2 κόμβοι");
  grid->OnGetEditMask = [](TObject*, int ACol, int, std::string& Mask) {
    if (ACol == 1) Mask = "00-00;1;_";
  };
  form->Show();
  grid->SetFocus();
  grid->SetCol(1);
  grid->SetRow(2);
  // Typed as the user types: the editor shows over the cell.
  PostMessageW(grid->Handle(), WM_CHAR, u'1', 0);
  PostMessageW(grid->Handle(), WM_CHAR, u'7', 0);
  PostMessageW(grid->Handle(), WM_CHAR, u'3', 0);
  return form;
}

TForm* BuildFileDialog() {
  TForm* form = NewForm("Recording", 360, 120);
  DLGTEMPLATEW extra;
  extra.cx = 600;
  extra.cy = 40;
  extra.items.push_back({WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 12, 8, 300, 24, 101, u"BUTTON",
                         u"Άνοιγμα μετά την αποθήκευση (Łódź)"});
  RegisterDialogTemplate(GetModuleHandleA(nullptr), u"SHOWCASEEXTRA", extra);
  auto* opener = new TTimer(form);
  opener->SetInterval(300);
  opener->OnTimer = [opener, form](TObject*) {
    opener->SetEnabled(false);
    widetext::TWtxSaveDialog dialog(form);
    dialog.Template = "SHOWCASEEXTRA";
    dialog.SetTitle(u"Αποθήκευση καταγραφής");
    dialog.SetFilter(u"Καταγραφές NMEA (*.txt)|*.txt|Όλα|*.*");
    dialog.SetFileName(u"βάθος.txt");
    dialog.Execute();
  };
  return form;
}

const SceneRegistration kLists("lists", "owner-drawn and virtual lists with texts code page 1252 cannot hold",
                               [] { return BuildLists(); });
const SceneRegistration kMaskedGrid("maskgrid", "a grid editing a masked cell", [] { return BuildMaskedGrid(); });
const SceneRegistration kFileDialog("filedialog", "the classic file dialog with a template below it",
                                    [] { return BuildFileDialog(); });

}  // namespace
}  // namespace showcase
