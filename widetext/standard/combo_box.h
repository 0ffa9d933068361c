#pragma once
// A combo box whose items and text are UTF-16: the program's port, baud
// rate, language and unit lists. Its window is a Unicode "COMBOBOX" whose
// edit and list parts are Unicode windows too; it keeps its wide items,
// selection and text when its window is made anew, and completes typed
// text from its items.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/controls/stdctrls.h"
#include "widetext/controls/list_control.h"
#include "widetext/controls/wide_control.h"
#include "widetext/standard/combo_strings.h"
#include "widetext/wtx_string_list.h"

namespace widetext {

// A combo box may search its items for typed text itself.
class IWtxComboFindString {
 public:
  // The first item after StartPos (wrapping round) that begins with Value
  // in any case; -1 when none does.
  virtual int FindString(const std::u16string& Value, int StartPos) = 0;

 protected:
  ~IWtxComboFindString() = default;
};

class TWtxCustomComboBox : public TWideControl<platform::TCustomComboBox>, public IWtxListControl {
 public:
  explicit TWtxCustomComboBox(platform::TComponent* AOwner);
  ~TWtxCustomComboBox() override;

  TWtxComboBoxStrings& GetItems() { return *items_; }
  void SetItems(const TWideStrings* Value) { items_->Assign(Value); }
  std::u16string GetText() { return GetCaption(); }
  void SetText(std::u16string_view Value) { SetCaption(Value); }
  // Empty for a drop-down list, which has no edit part.
  std::u16string GetSelText();
  void AddItem(const std::u16string& Item, platform::TObject* AObject) override;
  // Adds the selected item, with its object, to another list control.
  void CopySelection(platform::TWinControl* Destination);

  // Typed keys select (a drop-down list) or complete (an editable combo
  // box) the first item that begins with them; a pause of 1250 ms or more
  // starts a new search.
  bool AutoComplete = true;
  // Typing opens the list.
  bool AutoDropDown = false;
  // Typing a whole item closes the list.
  bool AutoCloseUp = false;

  void WndProc(platform::TMessage& Message) override;

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void ComboWndProc(platform::TMessage& Message, platform::HWND ComboWnd, platform::WNDPROC ComboProc) override;
  // Without OnDrawItem: the rectangle filled, then the wide item text.
  void DrawItem(int Index, platform::TRect Rect, platform::TOwnerDrawState State) override;
  // Completion of editable combo boxes: keeps the case typed, and takes
  // the first of several items that begin with the text.
  virtual bool AutoCompleteKeepsTypedCase() { return true; }
  virtual bool AutoCompleteUniqueOnly() { return false; }

 private:
  friend bool ComboAutoSelectItem(TWtxCustomComboBox& Combo, const std::u16string& SearchText, bool KeepTypedCase,
                                  bool UniqueOnly);
  friend void WtxCombo_AutoCompleteKeyPress(TWtxCustomComboBox& Combo, char16_t& Key);
  void IncrementalSearch(platform::TMessage& Message);
  void EditChar(platform::TMessage& Message, platform::HWND ComboWnd, platform::WNDPROC ComboProc);
  bool Editable() const;
  // Opens the list, keeping the text and selection as they were.
  void DropDownKeepingText();

  std::unique_ptr<TWtxComboBoxStrings> items_;
  std::unique_ptr<TWtxStringList> savedItems_;
  int savedIndex_ = -1;
  std::u16string savedText_;
  std::u16string searchText_;
  std::uint32_t lastSearchTick_ = 0;
};

class TWtxComboBox : public TWtxCustomComboBox {
 public:
  using TWtxCustomComboBox::TWtxCustomComboBox;
};

}  // namespace widetext
