#pragma once
// A list box whose items are UTF-16 (the program's coefficient lists), in a
// Unicode "LISTBOX" window; it keeps its wide items, top item and selection
// when its window is made anew. A virtual list box asks its wide data event
// for each text it shows.

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/controls/stdctrls.h"
#include "widetext/controls/list_control.h"
#include "widetext/controls/wide_control.h"
#include "widetext/standard/list_box_strings.h"
#include "widetext/wtx_string_list.h"

namespace widetext {

using TLBGetWideDataEvent = std::function<void(platform::TWinControl* Control, int Index, std::u16string& Data)>;

class TWtxCustomListBox : public TWideControl<platform::TCustomListBox>, public IWtxListControl {
 public:
  explicit TWtxCustomListBox(platform::TComponent* AOwner);
  ~TWtxCustomListBox() override;

  TWtxListBoxStrings& GetItems() { return *items_; }
  void SetItems(const TWideStrings* Value) { items_->Assign(Value); }
  void AddItem(const std::u16string& Item, platform::TObject* AObject) override;
  // Adds the selected items (the one at ItemIndex unless several can be
  // selected), with their objects, to another list control.
  void CopySelection(platform::TWinControl* Destination);

  // The texts of a virtual list box; without it, the 8-bit data event's
  // texts widened.
  TLBGetWideDataEvent OnDataW;
  // The 8-bit image of the wide text, when there is a wide data event.
  std::string DoGetData(int Index) override;

  void WndProc(platform::TMessage& Message) override;

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // Without OnDrawItem: the rectangle filled, then the wide item text in
  // one line, centred up and down, two pixels in from the side it aligns
  // to.
  void DrawItem(int Index, platform::TRect Rect, platform::TOwnerDrawState State) override;

 private:
  friend class TWtxListBoxStrings;
  bool IsVirtual() const;
  std::u16string WideData(int Index);
  void AnswerText(platform::TMessage& Message);
  template <class Str, class Unit>
  platform::LRESULT CopyMeasured(Str Value, Unit* Out, int Index) const;

  std::unique_ptr<TWtxListBoxStrings> items_;
  std::unique_ptr<TWtxStringList> savedItems_;
  int savedTopIndex_ = -1;
  int savedIndex_ = -1;
  // The length last answered for an item of a virtual list: the text copied
  // for it never runs past what the asker was told to expect.
  int measuredIndex_ = -1;
  std::size_t measuredLength_ = 0;
};

class TWtxListBox : public TWtxCustomListBox {
 public:
  using TWtxCustomListBox::TWtxCustomListBox;
};

}  // namespace widetext
