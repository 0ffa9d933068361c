#pragma once
// A multi-line edit in a Unicode "EDIT" window whose lines are UTF-16: the
// program's two line monitors.

#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/controls/stdctrls.h"
#include "widetext/controls/wide_control.h"
#include "widetext/wide_string_lists.h"
#include "widetext/wide_strings.h"

namespace widetext {

class TWtxCustomMemo;

// The lines of a wide memo, read and written through its Unicode window,
// or as the class library's 8-bit lines of a window that is not Unicode. An
// empty last line does not count, as the class library counts lines.
class TWtxMemoStrings : public TWtxStrings {
 public:
  explicit TWtxMemoStrings(TWtxCustomMemo& Memo);
  std::u16string Get(int Index) const override;
  int GetCount() const override;
  void Clear() override;
  void Delete(int Index) override;
  // Index may be the count: the line then follows the last one.
  void Insert(int Index, const std::u16string& S) override;
  void Put(int Index, const std::u16string& S) override;
  // The memo's text, its line breaks as CR LF.
  std::u16string GetTextStr() const override;
  void SetTextStr(std::u16string_view Value) override;

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  platform::LRESULT Send(platform::UINT Msg, platform::WPARAM WParam, platform::LPARAM LParam) const;
  bool WideWindow() const;
  // The position of a line's first character, and the length of the line
  // holding a position, in UTF-16 units: EWtxInternalError on a platform
  // without Unicode support.
  platform::LRESULT LineStart(int Index) const;
  platform::LRESULT LineLength(platform::LRESULT Start) const;
  TWtxCustomMemo& memo_;
  TWtxTextLineBreakStyle lineBreakStyle_ = tlbsCRLF;
};

class TWtxCustomMemo : public TWideControl<platform::TCustomMemo> {
 public:
  explicit TWtxCustomMemo(platform::TComponent* AOwner);
  ~TWtxCustomMemo() override;

  TWtxMemoStrings& GetLines() { return *lines_; }
  void SetLines(const TWideStrings* Value) { lines_->Assign(Value); }
  std::u16string GetText() { return GetCaption(); }
  void SetText(std::u16string_view Value) { SetCaption(Value); }
  std::u16string GetSelText();
  // Replaces the selection (at the caret: inserts).
  void SetSelText(std::u16string_view Value);

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;

 private:
  std::unique_ptr<TWtxMemoStrings> lines_;
};

class TWtxMemo : public TWtxCustomMemo {
 public:
  using TWtxCustomMemo::TWtxCustomMemo;
};

}  // namespace widetext
