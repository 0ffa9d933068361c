#pragma once
// The class library's standard controls over the standard window classes:
// edits and memos (EDIT), combo boxes (COMBOBOX), list boxes (LISTBOX),
// static texts (STATIC), buttons, check boxes and radio buttons (BUTTON);
// and the painted label and group box. Their item lists are 8-bit string
// lists that talk to the window with its messages.

#include <functional>
#include <memory>
#include <string>

#include "platform/core/classes/strings.h"
#include "platform/ui/controls/button_control.h"
#include "platform/ui/controls/controls.h"

namespace platform {

enum TBorderStyle { bsNoBorder, bsSingleBorder };

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char Value);
  bool Modified();
  void SetModified(bool Value);
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  std::string SelText();
  void SetSelText(const std::string& Value);
  void Clear() { SetText(""); }
  void SelectAll();
  TBorderStyle BorderStyle = bsSingleBorder;
  TNotifyEvent OnChange;
  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change();
  // For a descendant that tells the window its own password character: the
  // window is not sent this one.
  void SetPasswordCharQuietly(char Value) { passwordChar_ = Value; }

 private:
  int maxLength_ = 0;
  bool readOnly_ = false;
  char passwordChar_ = 0;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo : public TCustomEdit {
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;
  // The lines of the window (an empty last line does not count).
  TStrings& Lines() { return *lines_; }
  // The layout: set on a memo with a window, it makes a new window (the
  // window system fixes it when it makes one).
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  // Whether Enter and Tab are the memo's (a line break, a tab) or the
  // form's (the default button, the next control).
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool Value);
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool Value) { wantTabs_ = Value; }
  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyPress(char& Key) override;

 private:
  std::unique_ptr<TStrings> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  TAlignment alignment_ = taLeftJustify;
};

class TMemo : public TCustomMemo {
 public:
  using TCustomMemo::TCustomMemo;
};

// The state of an owner-drawn item, as the window reports it.
enum TOwnerDrawStateFlag : unsigned {
  odSelected = 0x0001,
  odGrayed = 0x0002,
  odDisabled = 0x0004,
  odChecked = 0x0008,
  odFocused = 0x0010,
  odDefault = 0x0020,
  odComboBoxEdit = 0x1000,
};
using TOwnerDrawState = unsigned;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox;

// The 8-bit items of a combo box, kept in its window. A combo box may name
// a class of its own for them.
class TCustomComboBoxStrings : public TStrings {
 public:
  explicit TCustomComboBoxStrings(TCustomComboBox& Combo) : combo_(Combo) {}
  int GetCount() const override;
  // EStringListError for an index the window does not know.
  std::string Get(int Index) const override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  int Add(const std::string& S) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  // The text typed into an editable combo box stays.
  void Clear() override;
  int IndexOf(const std::string& S) const override;

 protected:
  TCustomComboBox& ComboBox() const { return combo_; }

 private:
  TCustomComboBox& combo_;
};

class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;
  TStrings& Items() { return *items_; }
  int ItemIndex();
  void SetItemIndex(int Value);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle Value);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  // How many items the open list shows, and the longest text the edit
  // part takes (0: no limit).
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int Value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  bool DroppedDown();
  void SetDroppedDown(bool Value);
  // The selection in the edit part (editable styles).
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  std::string SelText();
  void SetSelText(const std::string& Value);
  void SelectAll();
  void AddItem(const std::string& Item, TObject* AObject) { items_->AddObject(Item, AObject); }
  void Clear() { items_->Clear(); }
  // The edit and list parts of the window (the edit only for editable
  // styles).
  HWND EditHandle() const { return editHandle_; }
  HWND ListHandle() const { return listHandle_; }
  WNDPROC DefEditProc;
  WNDPROC DefListProc;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  // Owner-drawn styles: the items' height (of each, unless OnMeasureItem
  // gives a variable style's item its own) and their drawing.
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int Value);
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;
  // What owner-drawn items are drawn on.
  TCanvas& Canvas() { return *canvas_; }
  void WndProc(TMessage& Message) override;

 protected:
  // The class of Items, made once for the combo box.
  using TItemsClass = std::unique_ptr<TCustomComboBoxStrings> (*)(TCustomComboBox& Combo);
  TCustomComboBox(TComponent* AOwner, TItemsClass ItemsClass);
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // OnDrawItem, or the item's text on the filled rectangle.
  virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  // Messages of the edit and list parts; by default keys go through the
  // combo box's key events first, and then to the part's own procedure.
  virtual void ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc);
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();

 private:
  LRESULT EditWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return PartWndProc(hWnd, Msg, wParam, lParam, DefEditProc);
  }
  LRESULT ListWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return PartWndProc(hWnd, Msg, wParam, lParam, DefListProc);
  }
  // ComboWndProc for a part whose own procedure is PartProc; an exception
  // goes to the application and never back into the window system.
  LRESULT PartWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, WNDPROC PartProc);
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  std::unique_ptr<TStrings> items_;
  std::unique_ptr<TStringList> savedItems_;
  std::unique_ptr<TCanvas> canvas_ = std::make_unique<TCanvas>();
  int itemHeight_ = 16;
  int savedIndex_ = -1;
  TComboBoxStyle style_ = csDropDown;
  bool sorted_ = false;
  int dropDownCount_ = 8;
  int maxLength_ = 0;
  HWND editHandle_ = nullptr;
  HWND listHandle_ = nullptr;
};

class TComboBox : public TCustomComboBox {
 public:
  using TCustomComboBox::TCustomComboBox;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
using TLBGetDataEvent = std::function<void(TWinControl* Control, int Index, std::string& Data)>;

class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;
  TStrings& Items() { return *items_; }
  int ItemIndex();
  void SetItemIndex(int Value);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool Value);
  bool Selected(int Index);
  void SetSelected(int Index, bool Value);
  int SelCount();
  int TopIndex();
  void SetTopIndex(int Value);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle Value);
  // The number of items (set for a virtual list).
  int Count();
  void SetCount(int Value);
  int ItemAtPos(TPoint Pos, bool Existing);
  void Clear() { items_->Clear(); }
  TLBGetDataEvent OnData;
  // The text of an item of a virtual list (OnData).
  virtual std::string DoGetData(int Index);
  // Owner-drawn and virtual styles: the items' height (of each, unless
  // OnMeasureItem gives a variable style's item its own) and their
  // drawing.
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int Value);
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;
  // What owner-drawn items are drawn on.
  TCanvas& Canvas() { return *canvas_; }
  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // OnDrawItem, or the item's text on the filled rectangle.
  virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);

 private:
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  std::unique_ptr<TStrings> items_;
  std::unique_ptr<TStringList> savedItems_;
  std::unique_ptr<TCanvas> canvas_ = std::make_unique<TCanvas>();
  int itemHeight_ = 16;
  int savedIndex_ = -1;
  int virtualCount_ = 0;
  // The length last answered for an item of a virtual list: LB_GETTEXT
  // carries no buffer size, so the copy into the asker's buffer never
  // goes past what it was told to expect.
  int measuredIndex_ = -1;
  std::size_t measuredLength_ = 0;
  bool multiSelect_ = false;
  bool sorted_ = false;
  TListBoxStyle style_ = lbStandard;
};

class TListBox : public TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
};

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A text without a window, drawn by its parent.
class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* AOwner);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout Value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  TWinControl* FocusControl = nullptr;
  void WndProc(TMessage& Message) override;

 protected:
  virtual std::string GetLabelText();
  virtual void DoDrawText(TRect& Rect, UINT Flags);
  virtual void AdjustBounds();
  void Paint() override;
  void Loaded() override;

 private:
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  bool transparent_ = false;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };

// A text in a STATIC window.
class TCustomStaticText : public TWinControl {
 public:
  explicit TCustomStaticText(TComponent* AOwner);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  TStaticBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TStaticBorderStyle Value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool Value);
  TWinControl* FocusControl = nullptr;
  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  virtual void AdjustBounds();
  void Loaded() override;

 private:
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  TStaticBorderStyle borderStyle_ = sbsNone;
  bool showAccelChar_ = true;
};

class TStaticText : public TCustomStaticText {
 public:
  using TCustomStaticText::TCustomStaticText;
};

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* AOwner);
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  bool Cancel = false;
  int ModalResult = 0;
  // Sets the form's modal result, then OnClick.
  void Click() override;
  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  bool default_ = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* AOwner);
  bool Checked() override { return State() == cbChecked; }
  void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State();
  // Setting the state clicks, as the user does.
  void SetState(TCheckBoxState Value);
  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  // Only while the control has no window.
  TCheckBoxState state_ = cbUnchecked;
};

class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* AOwner);
  bool Checked() override;
  void SetChecked(bool Value) override;
  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  // Only while the control has no window.
  bool checked_ = false;
};

// A frame with a caption around other controls.
class TGroupBox : public TCustomControl {
 public:
  explicit TGroupBox(TComponent* AOwner);
  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
};

// True when text marks c (either case) as its accelerator with "&".
bool IsAccel(WPARAM C, const std::string& Text);

}  // namespace platform
