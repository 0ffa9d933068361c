// The COMBOBOX class on QComboBox, in its three styles. Its items live in
// the QComboBox. Selecting from code sends no notification; the user's
// choice sends CBN_SELCHANGE. A drop-down list's text is its selected item.
// Editable styles have an EDIT child over the combo's own line edit, so
// typed characters pass through that child's procedures.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

class ComboWidget : public QComboBox {
 public:
  explicit ComboWidget(HWND h) : hwnd_(h) {}
  void showPopup() override {
    if (IsWindow(hwnd_)) NotifyParent(hwnd_, CBN_DROPDOWN);
    QComboBox::showPopup();
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    if (IsWindow(hwnd_)) NotifyParent(hwnd_, CBN_CLOSEUP);
  }

 private:
  HWND hwnd_;
};

class ComboPeer : public StdPeer {
 public:
  ComboPeer(HWND h, ComboWidget* combo, DWORD style) : StdPeer(h, combo, WM_CTLCOLOREDIT), combo_(combo) {
    const DWORD kind = style & 3;
    editable_ = kind == CBS_SIMPLE || kind == CBS_DROPDOWN;
    sorted_ = (style & CBS_SORT) != 0;
    combo->setEditable(editable_);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(8);
    // The open list is Qt's own popup: the choice made there comes back as
    // CBN_SELCHANGE.
    QObject::connect(combo, qOverload<int>(&QComboBox::activated), combo, [this](int) {
      if (IsWindow(hwnd_)) NotifyParent(hwnd_, CBN_SELCHANGE);
    });
    if (editable_) {
      QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo, [this](const QString&) {
        if (!IsWindow(hwnd_)) return;
        NotifyParent(hwnd_, CBN_EDITUPDATE);
        NotifyParent(hwnd_, CBN_EDITCHANGE);
      });
    }
  }

  int Insert(int index, const QString& text) {
    if (index < 0 || index > combo_->count()) index = combo_->count();
    if (sorted_ && index == combo_->count()) {
      index = 0;
      while (index < combo_->count() && combo_->itemText(index).compare(text, Qt::CaseInsensitive) <= 0) ++index;
    }
    const QSignalBlocker block(combo_);
    const int current = combo_->currentIndex();
    const QString typed = editable_ ? combo_->lineEdit()->text() : QString();
    combo_->insertItem(index, text);
    // Inserting changes neither the selection nor the typed text.
    combo_->setCurrentIndex(current >= index && current >= 0 ? current + 1 : current);
    if (editable_) combo_->lineEdit()->setText(typed);
    return index;
  }

  int Find(int start, const QString& text, bool exact) const {
    const int n = combo_->count();
    for (int k = 1; k <= n; ++k) {
      const int i = (start + k) % n;
      const QString item = combo_->itemText(i);
      if (exact ? item.compare(text, Qt::CaseInsensitive) == 0 : item.startsWith(text, Qt::CaseInsensitive)) {
        return i;
      }
    }
    return static_cast<int>(CB_ERR);
  }

  void Select(int index) {
    const QSignalBlocker block(combo_);
    combo_->setCurrentIndex(index);
    if (editable_) combo_->lineEdit()->setText(index >= 0 ? combo_->itemText(index) : QString());
  }

  QString Text() const {
    if (editable_) return combo_->lineEdit()->text();
    return combo_->currentIndex() >= 0 ? combo_->currentText() : QString();
  }

  ComboWidget* combo_;
  bool editable_ = false;
  bool sorted_ = false;
  HWND edit_ = nullptr;
  HWND list_ = nullptr;
};

LRESULT ListStubProc(HWND h, UINT msg, WPARAM w, LPARAM l) { return DefWindowProcW(h, msg, w, l); }

int Index(WPARAM w) { return static_cast<int>(static_cast<LPARAM>(w)); }
bool InRange(const ComboPeer& p, int index) { return index >= 0 && index < p.combo_->count(); }

// ----------------------------------------------- the window and its parts

LRESULT Create(HWND h, const CREATESTRUCT& cs) {
  SetWindowPeer(h, std::make_unique<ComboPeer>(h, new ComboWidget(h), cs.style));
  return 1;
}

// The edit part (editable styles) over the combo's own line edit, and a
// stand-in for the list part.
LRESULT MakeParts(ComboPeer& p, HWND h, WPARAM, LPARAM) {
  if (p.editable_) {
    LendLineEdit(p.combo_->lineEdit());
    p.edit_ = CreateWindowExW(0, u"EDIT", u"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, h, 1001, nullptr, nullptr);
  }
  p.list_ = CreateWindowExW(0, u"ComboLBox", u"", WS_CHILD, 0, 0, 0, 0, h, 1000, nullptr, nullptr);
  return 0;
}

LRESULT GetComboBoxInfo(ComboPeer& p, HWND h, WPARAM, LPARAM l) {
  auto* info = reinterpret_cast<COMBOBOXINFO*>(l);
  if (!info) return 0;
  info->hwndCombo = h;
  info->hwndItem = p.edit_;
  info->hwndList = p.list_;
  return 1;
}

// ------------------------------------------------------- text and focus

LRESULT SetText(ComboPeer& p, HWND, WPARAM, LPARAM l) {
  if (!p.editable_) return CB_ERR;
  p.combo_->lineEdit()->setText(TextArg(l));
  return 1;
}

LRESULT GetText(ComboPeer& p, HWND, WPARAM w, LPARAM l) { return CopyText(p.Text(), w, l); }

LRESULT GetTextLength(ComboPeer& p, HWND, WPARAM, LPARAM) { return p.Text().size(); }

LRESULT GetDlgCode(ComboPeer&, HWND, WPARAM, LPARAM) { return DLGC_WANTCHARS | DLGC_WANTARROWS; }

// The focus passing between the combo box and its own edit part neither
// enters nor leaves the combo box.
template <UINT Msg, UINT Notification>
LRESULT Focus(ComboPeer& p, HWND h, WPARAM w, LPARAM l) {
  DefWindowProcW(h, Msg, w, l);
  if (!p.edit_ || reinterpret_cast<HWND>(w) != p.edit_) NotifyParent(h, Notification);
  if (Msg == WM_SETFOCUS && p.edit_) SetFocus(p.edit_);
  return 0;
}

// ---------------------------------------------------------------- items

LRESULT AddString(ComboPeer& p, HWND, WPARAM, LPARAM l) { return p.Insert(-1, TextArg(l)); }

LRESULT InsertString(ComboPeer& p, HWND, WPARAM w, LPARAM l) {
  const int index = Index(w);
  if (index > p.combo_->count()) return CB_ERR;
  return p.Insert(index < 0 ? p.combo_->count() : index, TextArg(l));
}

LRESULT DeleteString(ComboPeer& p, HWND, WPARAM w, LPARAM) {
  const int index = Index(w);
  if (!InRange(p, index)) return CB_ERR;
  const QSignalBlocker block(p.combo_);
  const QString typed = p.editable_ ? p.combo_->lineEdit()->text() : QString();
  // The selected item going leaves nothing selected (Qt would choose a
  // neighbour).
  if (index == p.combo_->currentIndex()) p.combo_->setCurrentIndex(-1);
  p.combo_->removeItem(index);
  if (p.editable_) p.combo_->lineEdit()->setText(typed);
  return p.combo_->count();
}

LRESULT ResetContent(ComboPeer& p, HWND, WPARAM, LPARAM) {
  const QSignalBlocker block(p.combo_);
  p.combo_->clear();
  if (p.editable_) p.combo_->lineEdit()->clear();
  return 1;
}

LRESULT GetCount(ComboPeer& p, HWND, WPARAM, LPARAM) { return p.combo_->count(); }

LRESULT GetLBText(ComboPeer& p, HWND, WPARAM w, LPARAM l) {
  return InRange(p, Index(w)) ? CopyItemText(p.combo_->itemText(Index(w)), l) : CB_ERR;
}

LRESULT GetLBTextLen(ComboPeer& p, HWND, WPARAM w, LPARAM) {
  return InRange(p, Index(w)) ? p.combo_->itemText(Index(w)).size() : CB_ERR;
}

LRESULT GetItemData(ComboPeer& p, HWND, WPARAM w, LPARAM) {
  if (!InRange(p, Index(w))) return CB_ERR;
  return static_cast<LRESULT>(p.combo_->itemData(Index(w), Qt::UserRole).toLongLong());
}

LRESULT SetItemData(ComboPeer& p, HWND, WPARAM w, LPARAM l) {
  if (!InRange(p, Index(w))) return CB_ERR;
  p.combo_->setItemData(Index(w), QVariant::fromValue<qlonglong>(l), Qt::UserRole);
  return 1;
}

// Searches start after the item w (-1: from the first) and wrap around.
template <bool Exact>
LRESULT FindString(ComboPeer& p, HWND, WPARAM w, LPARAM l) {
  if (p.combo_->count() == 0) return CB_ERR;
  return p.Find(Index(w) < 0 ? p.combo_->count() - 1 : Index(w), TextArg(l), Exact);
}

// ------------------------------------------------------------ selection

LRESULT GetCurSel(ComboPeer& p, HWND, WPARAM, LPARAM) { return p.combo_->currentIndex(); }

LRESULT SetCurSel(ComboPeer& p, HWND, WPARAM w, LPARAM) {
  const int index = Index(w);
  if (!InRange(p, index)) {
    p.Select(-1);
    return CB_ERR;
  }
  p.Select(index);
  return index;
}

LRESULT SelectString(ComboPeer& p, HWND h, WPARAM w, LPARAM l) {
  const LRESULT found = FindString<false>(p, h, w, l);
  if (found >= 0) p.Select(static_cast<int>(found));
  return found;
}

LRESULT GetEditSel(ComboPeer& p, HWND, WPARAM w, LPARAM l) {
  int s = 0, e = 0;
  if (p.editable_) {
    QLineEdit* le = p.combo_->lineEdit();
    s = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
    e = s + static_cast<int>(le->selectedText().size());
  }
  if (w) *reinterpret_cast<DWORD*>(w) = static_cast<DWORD>(s);
  if (l) *reinterpret_cast<DWORD*>(l) = static_cast<DWORD>(e);
  return MAKELPARAM(static_cast<WORD>(s), static_cast<WORD>(e));
}

// A start of -1 takes the selection away; an end of -1 runs to the end.
LRESULT SetEditSel(ComboPeer& p, HWND, WPARAM, LPARAM l) {
  if (!p.editable_) return CB_ERR;
  const int s = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(l)));
  int e = static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(l)));
  QLineEdit* le = p.combo_->lineEdit();
  if (s < 0) {
    le->deselect();
  } else {
    if (e < 0) e = static_cast<int>(le->text().size());
    le->setSelection(s, e - s);
  }
  return 1;
}

LRESULT LimitText(ComboPeer& p, HWND, WPARAM w, LPARAM) {
  if (p.editable_) p.combo_->lineEdit()->setMaxLength(w == 0 ? 32767 : static_cast<int>(w));
  return 1;
}

// ------------------------------------------------------------- the list

LRESULT ShowDropDown(ComboPeer& p, HWND, WPARAM w, LPARAM) {
  if (w) {
    p.combo_->showPopup();
  } else {
    p.combo_->hidePopup();
  }
  return 1;
}

LRESULT GetDroppedState(ComboPeer& p, HWND, WPARAM, LPARAM) { return p.combo_->view()->isVisible() ? 1 : 0; }

LRESULT SetMinVisible(ComboPeer& p, HWND, WPARAM w, LPARAM) {
  if (static_cast<int>(w) <= 0) return 0;
  p.combo_->setMaxVisibleItems(static_cast<int>(w));
  return 1;
}

LRESULT GetMinVisible(ComboPeer& p, HWND, WPARAM, LPARAM) { return p.combo_->maxVisibleItems(); }

constexpr MessageHandler<ComboPeer> kMessages[] = {
    {WM_CREATE, &MakeParts, -1},
    {CB_GETCOMBOBOXINFO, &GetComboBoxInfo},
    {WM_SETTEXT, &SetText, CB_ERR},
    {WM_GETTEXT, &GetText},
    {WM_GETTEXTLENGTH, &GetTextLength},
    {WM_GETDLGCODE, &GetDlgCode},
    {WM_SETFOCUS, &Focus<WM_SETFOCUS, CBN_SETFOCUS>},
    {WM_KILLFOCUS, &Focus<WM_KILLFOCUS, CBN_KILLFOCUS>},
    {CB_ADDSTRING, &AddString, CB_ERR},
    {CB_INSERTSTRING, &InsertString, CB_ERR},
    {CB_DELETESTRING, &DeleteString, CB_ERR},
    {CB_RESETCONTENT, &ResetContent, 1},
    {CB_GETCOUNT, &GetCount},
    {CB_GETLBTEXT, &GetLBText, CB_ERR},
    {CB_GETLBTEXTLEN, &GetLBTextLen, CB_ERR},
    {CB_GETITEMDATA, &GetItemData, CB_ERR},
    {CB_SETITEMDATA, &SetItemData, CB_ERR},
    {CB_FINDSTRING, &FindString<false>, CB_ERR},
    {CB_FINDSTRINGEXACT, &FindString<true>, CB_ERR},
    {CB_GETCURSEL, &GetCurSel, CB_ERR},
    {CB_SETCURSEL, &SetCurSel, CB_ERR},
    {CB_SELECTSTRING, &SelectString, CB_ERR},
    {CB_GETEDITSEL, &GetEditSel},
    {CB_SETEDITSEL, &SetEditSel, CB_ERR},
    {CB_LIMITTEXT, &LimitText, 1},
    {CB_SHOWDROPDOWN, &ShowDropDown, 1},
    {CB_GETDROPPEDSTATE, &GetDroppedState},
    {CB_SETMINVISIBLE, &SetMinVisible},
    {CB_GETMINVISIBLE, &GetMinVisible},
};

LRESULT ComboProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_NCCREATE) return Create(h, *reinterpret_cast<const CREATESTRUCT*>(l));
  return Dispatch(kMessages, h, msg, w, l, true);
}

}  // namespace

void RegisterComboClass() {
  RegisterStdClass(u"COMBOBOX", MakeWndProc<&ComboProc>(true));
  RegisterStdClass(u"ComboLBox", MakeWndProc<&ListStubProc>(true));
}

}  // namespace platform::ui
