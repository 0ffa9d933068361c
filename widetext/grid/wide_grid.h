#pragma once
// What the wide grids share: a Unicode window, an in-place editor that
// edits UTF-16 text, typed characters handed to it as UTF-16, and wide
// edit-text events. The class library's editing goes on as it is; its
// 8-bit edit texts are only images, the wide texts travel beside them.

#include <functional>
#include <string>

#include "platform/ui/controls/grids.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/controls/wide_control.h"
#include "widetext/controls/wm_char.h"
#include "widetext/grid/grid_cells.h"
#include "widetext/grid/inplace_edit.h"

namespace widetext {

using TWtxGetEditEvent = std::function<void(platform::TObject* Sender, int ACol, int ARow, std::u16string& Value)>;
using TWtxSetEditEvent =
    std::function<void(platform::TObject* Sender, int ACol, int ARow, const std::u16string& Value)>;

template <class Base>
class TWtxGrid : public TWideControl<Base>, public IWtxWideEditGrid {
 public:
  using TWideControl<Base>::TWideControl;

  // The text the editor starts with: the grid's own (none for a draw
  // grid), which OnGetEditText may replace.
  std::u16string GetWideEditText(int ACol, int ARow) override {
    std::u16string value = InitialEditText(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
    return value;
  }
  // The edited text: through the class library's edit-text handling (as
  // UTF-8), then to OnSetEditText.
  virtual void SetWideEditText(int ACol, int ARow, const std::u16string& Value) {
    storingWide_ = true;
    try {
      Base::SetEditText(ACol, ARow, EncodeCell(Value));
    } catch (...) {
      storingWide_ = false;
      throw;
    }
    storingWide_ = false;
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
  }

  TWtxGetEditEvent OnGetEditText;
  TWtxSetEditEvent OnSetEditText;

  void WndProc(platform::TMessage& Message) override {
    if (Message.Msg == platform::WM_CHAR && (this->Options() & platform::goEditing)) {
      const char16_t c = GetWideCharFromWMCharMsg(Message);
      if (c >= 32 || c == u'\b') {
        RestoreWMCharMsg(Message);
        ShowEditorWideChar(c);
        return;
      }
    }
    TWideControl<Base>::WndProc(Message);
  }

 protected:
  virtual std::u16string InitialEditText(int, int) { return {}; }
  // The editor of the grid's own that shows over the current cell in place
  // of the class library's; null when none does.
  virtual platform::TWinControl* CellEditor() { return nullptr; }

  void CreateWindowHandle(const platform::TCreateParams& Params) override { CreateUnicodeHandle(this, Params, u""); }
  platform::TInplaceEdit* CreateEditor() override { return new TWtxInplaceEdit(this); }

  std::string GetEditText(int ACol, int ARow) override { return AnsiImage(GetWideEditText(ACol, ARow)); }
  // The class library hands back the editor's 8-bit text; the editor's
  // wide text is taken instead.
  void SetEditText(int ACol, int ARow, const std::string& Value) override {
    if (storingWide_) {
      Base::SetEditText(ACol, ARow, Value);
      return;
    }
    platform::TInplaceEdit* editor = this->InplaceEditor();
    SetWideEditText(ACol, ARow, editor ? WideGetWindowText(editor) : WidenAnsi(Value));
  }

 private:
  // Shows the editor (empty) and gives it the character; typed ahead while
  // the editor is already up, the character follows those before it. A
  // grid that edits a cell in an editor of its own instead gets the
  // character there.
  void ShowEditorWideChar(char16_t Ch) {
    if (!this->EditorMode()) {
      if (!CellEditor()) this->ShowEditor();
      if (platform::TWinControl* other = CellEditor()) {
        platform::PostMessageW(other->Handle(), platform::WM_CHAR, Ch, 0);
        return;
      }
      if (!this->EditorMode() || !this->InplaceEditor()) return;
      WideSetWindowText(this->InplaceEditor(), u"");
    }
    platform::PostMessageW(this->InplaceEditor()->Handle(), platform::WM_CHAR, Ch, 0);
  }

  bool storingWide_ = false;
};

// A draw grid whose editor edits UTF-16 text.
class TWtxCustomDrawGrid : public TWtxGrid<platform::TDrawGrid> {
 public:
  using TWtxGrid::TWtxGrid;
};

}  // namespace widetext
