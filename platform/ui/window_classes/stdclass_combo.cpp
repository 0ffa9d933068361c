// The COMBOBOX class on QComboBox, in its three styles. Its items live in
// the QComboBox. Selecting from code sends no notification; the user's
// choice sends CBN_SELCHANGE. A drop-down list's text is its selected item.
// Editable styles have an EDIT child over the combo's own line edit, so
// typed characters pass through that child's procedures. The owner draws
// the items, and the closed box's face, of an owner-drawn combo box
// (owner_draw_items.h); one without CBS_HASSTRINGS keeps each item's data
// in place of a text.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "platform/ui/window_classes/owner_draw_items.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

constexpr int kDataRole = Qt::UserRole;
constexpr int kHeightRole = Qt::UserRole + 1;

class ComboWidget : public QComboBox {
 public:
  explicit ComboWidget(HWND hWnd) : hwnd_(hWnd) {}

  std::uintptr_t ItemData(int Index) const {
    return Index < 0 ? 0 : static_cast<std::uintptr_t>(itemData(Index, kDataRole).toLongLong());
  }

  // The frame and button as the style draws them, the face by the owner.
  void paintEvent(QPaintEvent* Event) override {
    if (!OwnerDraw) {
      QComboBox::paintEvent(Event);
      return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect face = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    UINT state = ODS_COMBOBOXEDIT;
    if (GetFocus() == hwnd_) state |= ODS_SELECTED | ODS_FOCUS;
    if (!IsWindowEnabled(hwnd_)) state |= ODS_DISABLED;
    DrawOwnerItem(painter, hwnd_, ODT_COMBOBOX, currentIndex(), ItemData(currentIndex()), state, face,
                  palette().color(QPalette::Base));
  }

  void showPopup() override {
    if (IsWindow(hwnd_)) NotifyParent(hwnd_, CBN_DROPDOWN);
    QComboBox::showPopup();
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    if (IsWindow(hwnd_)) NotifyParent(hwnd_, CBN_CLOSEUP);
  }

  bool OwnerDraw = false;

 private:
  HWND hwnd_;
};

class ComboPeer : public StdPeer {
 public:
  ComboPeer(HWND hWnd, ComboWidget* ComboBox, DWORD Style) : StdPeer(hWnd, ComboBox, WM_CTLCOLOREDIT), Combo(ComboBox) {
    const DWORD kind = Style & 3;
    Editable = kind == CBS_SIMPLE || kind == CBS_DROPDOWN;
    Sorted = (Style & CBS_SORT) != 0;
    OwnerDraw = (Style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
    Variable = (Style & CBS_OWNERDRAWVARIABLE) != 0;
    HasStrings = !OwnerDraw || (Style & CBS_HASSTRINGS) != 0;
    ComboBox->OwnerDraw = OwnerDraw && !Editable;
    if (OwnerDraw) {
      OwnerDrawDelegate::Items items;
      items.Data = [ComboBox](int Row) { return ComboBox->ItemData(Row); };
      items.Height = [this](int Row) {
        const int own = Variable ? Combo->itemData(Row, kHeightRole).toInt() : 0;
        return own > 0 ? own : ItemHeight;
      };
      ComboBox->setItemDelegate(new OwnerDrawDelegate(hWnd, ODT_COMBOBOX, std::move(items), ComboBox));
    }
    ComboBox->setEditable(Editable);
    ComboBox->setInsertPolicy(QComboBox::NoInsert);
    ComboBox->setMaxVisibleItems(8);
    // The open list is Qt's own popup: the choice made there comes back as
    // CBN_SELCHANGE.
    QObject::connect(ComboBox, qOverload<int>(&QComboBox::activated), ComboBox, [this](int) {
      if (IsWindow(Hwnd)) NotifyParent(Hwnd, CBN_SELCHANGE);
    });
    if (Editable) {
      QObject::connect(ComboBox->lineEdit(), &QLineEdit::textEdited, ComboBox, [this](const QString&) {
        if (!IsWindow(Hwnd)) return;
        NotifyParent(Hwnd, CBN_EDITUPDATE);
        NotifyParent(Hwnd, CBN_EDITCHANGE);
      });
    }
  }

  int Insert(int Index, const QString& Text, LPARAM Data = 0) {
    if (Index < 0 || Index > Combo->count()) Index = Combo->count();
    if (Sorted && Index == Combo->count()) {
      Index = 0;
      while (Index < Combo->count() && Combo->itemText(Index).compare(Text, Qt::CaseInsensitive) <= 0) ++Index;
    }
    const QSignalBlocker block(Combo);
    const int current = Combo->currentIndex();
    const QString typed = Editable ? Combo->lineEdit()->text() : QString();
    Combo->insertItem(Index, Text, QVariant::fromValue<qlonglong>(Data));
    if (Variable) {
      Combo->setItemData(Index,
                         MeasureOwnerItem(Hwnd, ODT_COMBOBOX, Index, static_cast<std::uintptr_t>(Data), ItemHeight),
                         kHeightRole);
    }
    // Inserting changes neither the selection nor the typed text.
    Combo->setCurrentIndex(current >= Index && current >= 0 ? current + 1 : current);
    if (Editable) Combo->lineEdit()->setText(typed);
    return Index;
  }

  // Wanted is a text, or the data of an item of a box without strings.
  int Find(int Start, LPARAM Wanted, bool Exact) const {
    const int n = Combo->count();
    const QString text = HasStrings ? TextArg(Wanted) : QString();
    for (int k = 1; k <= n; ++k) {
      const int i = (Start + k) % n;
      if (!HasStrings) {
        if (Combo->ItemData(i) == static_cast<std::uintptr_t>(Wanted)) return i;
        continue;
      }
      const QString item = Combo->itemText(i);
      if (Exact ? item.compare(text, Qt::CaseInsensitive) == 0 : item.startsWith(text, Qt::CaseInsensitive)) {
        return i;
      }
    }
    return static_cast<int>(CB_ERR);
  }

  void Select(int Index) {
    const QSignalBlocker block(Combo);
    Combo->setCurrentIndex(Index);
    if (Editable) Combo->lineEdit()->setText(Index >= 0 ? Combo->itemText(Index) : QString());
  }

  QString Text() const {
    if (Editable) return Combo->lineEdit()->text();
    return Combo->currentIndex() >= 0 ? Combo->currentText() : QString();
  }

  ComboWidget* Combo;
  bool Editable = false;
  bool Sorted = false;
  bool OwnerDraw = false;
  bool Variable = false;
  bool HasStrings = true;
  // The height of the open list's owner-drawn items (of each without its
  // own).
  int ItemHeight = 16;
  HWND Edit = nullptr;
  HWND List = nullptr;
};

LRESULT ListStubProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hWnd, Msg, wParam, lParam);
}

int Index(WPARAM wParam) { return static_cast<int>(static_cast<LPARAM>(wParam)); }
bool InRange(const ComboPeer& P, int Index) { return Index >= 0 && Index < P.Combo->count(); }

// ----------------------------------------------- the window and its parts

LRESULT Create(HWND hWnd, const CREATESTRUCT& Cs) {
  auto* combo = new ComboWidget(hWnd);
  auto peer = std::make_unique<ComboPeer>(hWnd, combo, Cs.style);
  peer->ItemHeight = combo->fontMetrics().height();
  SetWindowPeer(hWnd, std::move(peer));
  return 1;
}

// The edit part (editable styles) over the combo's own line edit, and a
// stand-in for the list part.
LRESULT MakeParts(ComboPeer& P, HWND hWnd, WPARAM, LPARAM) {
  if (P.Editable) {
    LendLineEdit(P.Combo->lineEdit());
    P.Edit = CreateWindowExW(0, u"EDIT", u"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hWnd, 1001, nullptr, nullptr);
  }
  P.List = CreateWindowExW(0, u"ComboLBox", u"", WS_CHILD, 0, 0, 0, 0, hWnd, 1000, nullptr, nullptr);
  // The owner of owner-drawn items of one height gives it now.
  if (P.OwnerDraw && !P.Variable) P.ItemHeight = MeasureOwnerItem(hWnd, ODT_COMBOBOX, 0, 0, P.ItemHeight);
  return 0;
}

LRESULT GetComboBoxInfo(ComboPeer& P, HWND hWnd, WPARAM, LPARAM lParam) {
  auto* info = reinterpret_cast<COMBOBOXINFO*>(lParam);
  if (!info) return 0;
  info->hwndCombo = hWnd;
  info->hwndItem = P.Edit;
  info->hwndList = P.List;
  return 1;
}

// ------------------------------------------------------- text and focus

LRESULT SetText(ComboPeer& P, HWND, WPARAM, LPARAM lParam) {
  if (!P.Editable) return CB_ERR;
  P.Combo->lineEdit()->setText(TextArg(lParam));
  return 1;
}

LRESULT GetText(ComboPeer& P, HWND, WPARAM wParam, LPARAM lParam) { return CopyText(P.Text(), wParam, lParam); }

LRESULT GetTextLength(ComboPeer& P, HWND, WPARAM, LPARAM) { return P.Text().size(); }

LRESULT GetDlgCode(ComboPeer&, HWND, WPARAM, LPARAM) { return DLGC_WANTCHARS | DLGC_WANTARROWS; }

// The focus passing between the combo box and its own edit part neither
// enters nor leaves the combo box.
template <UINT Msg, UINT Notification>
LRESULT Focus(ComboPeer& P, HWND hWnd, WPARAM wParam, LPARAM lParam) {
  DefWindowProcW(hWnd, Msg, wParam, lParam);
  if (!P.Edit || reinterpret_cast<HWND>(wParam) != P.Edit) NotifyParent(hWnd, Notification);
  if (Msg == WM_SETFOCUS && P.Edit) SetFocus(P.Edit);
  return 0;
}

// ---------------------------------------------------------------- items

// An item of a box without strings is its data.
int InsertItem(ComboPeer& P, int Index, LPARAM lParam) {
  return P.HasStrings ? P.Insert(Index, TextArg(lParam)) : P.Insert(Index, QString(), lParam);
}

LRESULT AddString(ComboPeer& P, HWND, WPARAM, LPARAM lParam) { return InsertItem(P, -1, lParam); }

LRESULT InsertString(ComboPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  const int index = Index(wParam);
  if (index > P.Combo->count()) return CB_ERR;
  return InsertItem(P, index < 0 ? P.Combo->count() : index, lParam);
}

LRESULT DeleteString(ComboPeer& P, HWND, WPARAM wParam, LPARAM) {
  const int index = Index(wParam);
  if (!InRange(P, index)) return CB_ERR;
  const QSignalBlocker block(P.Combo);
  const QString typed = P.Editable ? P.Combo->lineEdit()->text() : QString();
  // The selected item going leaves nothing selected (Qt would choose a
  // neighbour).
  if (index == P.Combo->currentIndex()) P.Combo->setCurrentIndex(-1);
  P.Combo->removeItem(index);
  if (P.Editable) P.Combo->lineEdit()->setText(typed);
  return P.Combo->count();
}

LRESULT ResetContent(ComboPeer& P, HWND, WPARAM, LPARAM) {
  const QSignalBlocker block(P.Combo);
  P.Combo->clear();
  if (P.Editable) P.Combo->lineEdit()->clear();
  return 1;
}

LRESULT GetCount(ComboPeer& P, HWND, WPARAM, LPARAM) { return P.Combo->count(); }

// A box without strings gives an item's data in its place.
LRESULT GetLBText(ComboPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  if (!InRange(P, Index(wParam))) return CB_ERR;
  if (P.HasStrings) return CopyItemText(P.Combo->itemText(Index(wParam)), lParam);
  if (lParam) *reinterpret_cast<LPARAM*>(lParam) = static_cast<LPARAM>(P.Combo->ItemData(Index(wParam)));
  return sizeof(LPARAM);
}

LRESULT GetLBTextLen(ComboPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (!InRange(P, Index(wParam))) return CB_ERR;
  return P.HasStrings ? static_cast<LRESULT>(P.Combo->itemText(Index(wParam)).size()) : sizeof(LPARAM);
}

LRESULT GetItemData(ComboPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (!InRange(P, Index(wParam))) return CB_ERR;
  return static_cast<LRESULT>(P.Combo->ItemData(Index(wParam)));
}

LRESULT SetItemData(ComboPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  if (!InRange(P, Index(wParam))) return CB_ERR;
  P.Combo->setItemData(Index(wParam), QVariant::fromValue<qlonglong>(lParam), kDataRole);
  return 1;
}

// -1: the closed box's face; otherwise the open list's items (a variable
// box: the item wParam).
LRESULT GetItemHeight(ComboPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (Index(wParam) == -1) return P.Combo->height();
  if (P.Variable && InRange(P, Index(wParam))) {
    const int own = P.Combo->itemData(Index(wParam), kHeightRole).toInt();
    if (own > 0) return own;
  }
  return P.ItemHeight;
}

LRESULT SetItemHeight(ComboPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  const int height = LOWORD(static_cast<std::uintptr_t>(lParam));
  if (!P.OwnerDraw || height < 1 || height > 255 || Index(wParam) == -1) return CB_ERR;
  if (P.Variable) {
    if (!InRange(P, Index(wParam))) return CB_ERR;
    P.Combo->setItemData(Index(wParam), height, kHeightRole);
  } else {
    P.ItemHeight = height;
  }
  P.Combo->view()->doItemsLayout();
  return 0;
}

// Searches start after the item w (-1: from the first) and wrap around.
template <bool Exact>
LRESULT FindString(ComboPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  if (P.Combo->count() == 0) return CB_ERR;
  return P.Find(Index(wParam) < 0 ? P.Combo->count() - 1 : Index(wParam), lParam, Exact);
}

// ------------------------------------------------------------ selection

LRESULT GetCurSel(ComboPeer& P, HWND, WPARAM, LPARAM) { return P.Combo->currentIndex(); }

LRESULT SetCurSel(ComboPeer& P, HWND, WPARAM wParam, LPARAM) {
  const int index = Index(wParam);
  if (!InRange(P, index)) {
    P.Select(-1);
    return CB_ERR;
  }
  P.Select(index);
  return index;
}

LRESULT SelectString(ComboPeer& P, HWND hWnd, WPARAM wParam, LPARAM lParam) {
  const LRESULT found = FindString<false>(P, hWnd, wParam, lParam);
  if (found >= 0) P.Select(static_cast<int>(found));
  return found;
}

LRESULT GetEditSel(ComboPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  int s = 0, e = 0;
  if (P.Editable) {
    QLineEdit* le = P.Combo->lineEdit();
    s = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
    e = s + static_cast<int>(le->selectedText().size());
  }
  if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(s);
  if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(e);
  return MAKELPARAM(static_cast<WORD>(s), static_cast<WORD>(e));
}

// A start of -1 takes the selection away; an end of -1 runs to the end.
LRESULT SetEditSel(ComboPeer& P, HWND, WPARAM, LPARAM lParam) {
  if (!P.Editable) return CB_ERR;
  const int s = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam)));
  int e = static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam)));
  QLineEdit* le = P.Combo->lineEdit();
  if (s < 0) {
    le->deselect();
  } else {
    if (e < 0) e = static_cast<int>(le->text().size());
    le->setSelection(s, e - s);
  }
  return 1;
}

LRESULT LimitText(ComboPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (P.Editable) P.Combo->lineEdit()->setMaxLength(wParam == 0 ? 32767 : static_cast<int>(wParam));
  return 1;
}

// ------------------------------------------------------------- the list

LRESULT ShowDropDown(ComboPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (wParam) {
    P.Combo->showPopup();
  } else {
    P.Combo->hidePopup();
  }
  return 1;
}

LRESULT GetDroppedState(ComboPeer& P, HWND, WPARAM, LPARAM) { return P.Combo->view()->isVisible() ? 1 : 0; }

LRESULT SetMinVisible(ComboPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (static_cast<int>(wParam) <= 0) return 0;
  P.Combo->setMaxVisibleItems(static_cast<int>(wParam));
  return 1;
}

LRESULT GetMinVisible(ComboPeer& P, HWND, WPARAM, LPARAM) { return P.Combo->maxVisibleItems(); }

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
    {CB_GETITEMHEIGHT, &GetItemHeight, CB_ERR},
    {CB_SETITEMHEIGHT, &SetItemHeight, CB_ERR},
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

LRESULT ComboProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_NCCREATE) return Create(hWnd, *reinterpret_cast<const CREATESTRUCT*>(lParam));
  return Dispatch(kMessages, hWnd, Msg, wParam, lParam, true);
}

}  // namespace

void RegisterComboClass() {
  RegisterStdClass(u"COMBOBOX", MakeWndProc<&ComboProc>(true));
  RegisterStdClass(u"ComboLBox", MakeWndProc<&ListStubProc>(true));
}

}  // namespace platform::ui
