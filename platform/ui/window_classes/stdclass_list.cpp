// The LISTBOX class on a QListView. Items (text and data) live in the view's
// model; a list without data (LBS_NODATA) only has a count, and asks its
// window for each text it shows. Selecting from code sends nothing; the
// user's selection sends LBN_SELCHANGE when the list notifies.

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QListView>

#include <vector>

#include "platform/core/text/cp1252.h"
#include "platform/ui/window_classes/owner_draw_items.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

class ListModel : public QAbstractListModel {
 public:
  ListModel(HWND hWnd, bool VirtualItems) : hwnd_(hWnd), virtual_(VirtualItems) {}

  int rowCount(const QModelIndex& Parent = QModelIndex()) const override {
    return Parent.isValid() ? 0 : virtual_ ? count_ : static_cast<int>(items_.size());
  }

  QVariant data(const QModelIndex& Index, int Role) const override {
    if (Role != Qt::DisplayRole || !Index.isValid()) return {};
    if (!virtual_) return items_[static_cast<std::size_t>(Index.row())].Text;
    // The window's owner answers for a list without data, in the form of
    // the window's procedure (such a list's text is not converted).
    const auto row = static_cast<WPARAM>(Index.row());
    if (!IsWindowUnicode(hwnd_)) {
      const LRESULT len = SendMessageA(hwnd_, LB_GETTEXTLEN, row, 0);
      if (len <= 0) return QString();
      std::string buffer(static_cast<std::size_t>(len) + 1, '\0');
      const LRESULT got = SendMessageA(hwnd_, LB_GETTEXT, row, reinterpret_cast<LPARAM>(buffer.data()));
      buffer.resize(static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, len)));
      return ToQString(Cp1252ToUtf16(buffer));
    }
    const LRESULT len = SendMessageW(hwnd_, LB_GETTEXTLEN, row, 0);
    if (len <= 0) return QString();
    std::u16string buffer(static_cast<std::size_t>(len) + 1, u'\0');
    const LRESULT got = SendMessageW(hwnd_, LB_GETTEXT, row, reinterpret_cast<LPARAM>(buffer.data()));
    return ToQString(std::u16string_view(buffer.data(), static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, len))));
  }

  int Insert(int Index, const QString& Text, LPARAM Data) {
    beginInsertRows(QModelIndex(), Index, Index);
    items_.insert(items_.begin() + Index, Item{Text, Data});
    endInsertRows();
    return Index;
  }

  void Remove(int Index) {
    beginRemoveRows(QModelIndex(), Index, Index);
    items_.erase(items_.begin() + Index);
    endRemoveRows();
  }

  void Reset(int Count) {
    beginResetModel();
    items_.clear();
    count_ = Count;
    endResetModel();
  }

  bool Virtual() const { return virtual_; }
  int Count() const { return rowCount(); }
  QString Text(int I) const { return items_[static_cast<std::size_t>(I)].Text; }
  LPARAM& Data(int I) { return items_[static_cast<std::size_t>(I)].Data; }
  // The height of an item of a list whose items have their own (0: none
  // given).
  int& Height(int I) { return items_[static_cast<std::size_t>(I)].Height; }

 private:
  struct Item {
    QString Text;
    LPARAM Data = 0;
    int Height = 0;
  };
  HWND hwnd_;
  bool virtual_;
  int count_ = 0;
  std::vector<Item> items_;
};

class ListPeer : public StdPeer {
 public:
  ListPeer(HWND hWnd, QListView* ListView, DWORD Style)
      : StdPeer(hWnd, ListView, WM_CTLCOLORLISTBOX), View(ListView), Model(hWnd, (Style & LBS_NODATA) != 0) {
    Sorted = (Style & LBS_SORT) != 0;
    Multi = (Style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
    OwnerDraw = (Style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
    Variable = (Style & LBS_OWNERDRAWVARIABLE) != 0 && !Model.Virtual();
    HasStrings = !OwnerDraw || (Style & LBS_HASSTRINGS) != 0;
    ListView->setModel(&Model);
    ListView->setSelectionMode(Multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setUniformItemSizes(!Variable);
    if (OwnerDraw) {
      OwnerDrawDelegate::Items items;
      items.Data = [this](int Row) { return Model.Virtual() ? 0 : static_cast<std::uintptr_t>(Model.Data(Row)); };
      items.Height = [this](int Row) { return Variable && Model.Height(Row) > 0 ? Model.Height(Row) : ItemHeight; };
      items.Focused = [this](int Row) { return GetFocus() == Hwnd && View->currentIndex().row() == Row; };
      ListView->setItemDelegate(new OwnerDrawDelegate(hWnd, ODT_LISTBOX, std::move(items), ListView));
      ListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    Route(ListView->viewport());
    const bool notify = (Style & LBS_NOTIFY) != 0;
    QObject::connect(ListView->selectionModel(), &QItemSelectionModel::selectionChanged, ListView, [this, notify] {
      if (!FromCode && notify && IsWindow(Hwnd)) NotifyParent(Hwnd, LBN_SELCHANGE);
    });
    QObject::connect(ListView, &QListView::doubleClicked, ListView, [this, notify] {
      if (notify && IsWindow(Hwnd)) NotifyParent(Hwnd, LBN_DBLCLK);
    });
  }

  int Current() const {
    const QModelIndex i = View->selectionModel()->currentIndex();
    if (!Multi && !View->selectionModel()->isSelected(i)) return -1;
    return i.isValid() ? i.row() : -1;
  }

  void SetCurrent(int Row) {
    FromCode = true;
    if (Row < 0) {
      View->selectionModel()->clearSelection();
      View->selectionModel()->clearCurrentIndex();
    } else {
      const QModelIndex i = Model.index(Row);
      View->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
      View->scrollTo(i);
    }
    FromCode = false;
  }

  // Wanted is a text, or the data of an item of a list without strings. A
  // list without data has only the texts its owner gives.
  int Find(int Start, LPARAM Wanted, bool Exact) {
    const int n = Model.Count();
    const bool byData = !HasStrings && !Model.Virtual();
    const QString text = byData ? QString() : TextArg(Wanted);
    for (int k = 1; k <= n; ++k) {
      const int i = (Start + k) % n;
      if (byData) {
        if (Model.Data(i) == Wanted) return i;
        continue;
      }
      const QString item = Model.data(Model.index(i), Qt::DisplayRole).toString();
      if (Exact ? item.compare(text, Qt::CaseInsensitive) == 0 : item.startsWith(text, Qt::CaseInsensitive)) return i;
    }
    return static_cast<int>(LB_ERR);
  }

  int Insert(int Index, const QString& Text, LPARAM Data = 0) {
    const int n = Model.Count();
    if (Index < 0 || Index > n) Index = n;
    if (Sorted && Index == n) {
      Index = 0;
      while (Index < n && Model.Text(Index).compare(Text, Qt::CaseInsensitive) <= 0) ++Index;
    }
    FromCode = true;
    Model.Insert(Index, Text, Data);
    if (Variable) {
      Model.Height(Index) = MeasureOwnerItem(Hwnd, ODT_LISTBOX, Index, static_cast<std::uintptr_t>(Data), ItemHeight);
    }
    FromCode = false;
    return Index;
  }

  // Lays the rows out again after a height changed.
  void Relayout() { View->doItemsLayout(); }

  QListView* View;
  ListModel Model;
  bool Sorted = false;
  bool Multi = false;
  bool FromCode = false;
  bool OwnerDraw = false;
  bool Variable = false;
  bool HasStrings = true;
  // The height of the items of an owner-drawn list (of each item without
  // its own).
  int ItemHeight = 16;
};

int Index(WPARAM wParam) { return static_cast<int>(static_cast<LPARAM>(wParam)); }
bool InRange(const ListPeer& P, int Index) { return Index >= 0 && Index < P.Model.Count(); }
// An item of its own (not of a list without data).
bool HasItem(const ListPeer& P, int Index) { return InRange(P, Index) && !P.Model.Virtual(); }

// Runs a change from code, which the list does not announce.
template <class ChangeFn>
void FromCode(ListPeer& P, ChangeFn&& Change) {
  P.FromCode = true;
  Change();
  P.FromCode = false;
}

LRESULT Create(HWND hWnd, const CREATESTRUCT& Cs) {
  auto* view = new QListView;
  view->setFrameShape((Cs.style & WS_BORDER) || (Cs.dwExStyle & WS_EX_CLIENTEDGE) ? QFrame::StyledPanel
                                                                                  : QFrame::NoFrame);
  auto peer = std::make_unique<ListPeer>(hWnd, view, Cs.style);
  peer->ItemHeight = view->fontMetrics().height();
  SetWindowPeer(hWnd, std::move(peer));
  return 1;
}

// The owner of a list of owner-drawn items of one height gives it as the
// list is made.
LRESULT Created(ListPeer& P, HWND hWnd, WPARAM, LPARAM) {
  if (P.OwnerDraw && !P.Variable) P.ItemHeight = MeasureOwnerItem(hWnd, ODT_LISTBOX, 0, 0, P.ItemHeight);
  return 0;
}

LRESULT GetDlgCode(ListPeer&, HWND, WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

template <UINT Msg, UINT Notification>
LRESULT Focus(ListPeer&, HWND hWnd, WPARAM wParam, LPARAM lParam) {
  DefWindowProcW(hWnd, Msg, wParam, lParam);
  if (GetWindowLong(hWnd, GWL_STYLE) & LBS_NOTIFY) NotifyParent(hWnd, Notification);
  return 0;
}

// ---------------------------------------------------------------- items

// An item of a list without strings is its data.
int InsertItem(ListPeer& P, int Index, LPARAM lParam) {
  return P.HasStrings ? P.Insert(Index, TextArg(lParam)) : P.Insert(Index, QString(), lParam);
}

LRESULT AddString(ListPeer& P, HWND, WPARAM, LPARAM lParam) {
  return P.Model.Virtual() ? LB_ERR : InsertItem(P, -1, lParam);
}

LRESULT InsertString(ListPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  const int index = Index(wParam);
  if (P.Model.Virtual() || index > P.Model.Count()) return LB_ERR;
  return InsertItem(P, index < 0 ? P.Model.Count() : index, lParam);
}

LRESULT DeleteString(ListPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (!HasItem(P, Index(wParam))) return LB_ERR;
  FromCode(P, [&] { P.Model.Remove(Index(wParam)); });
  return P.Model.Count();
}

LRESULT ResetContent(ListPeer& P, HWND, WPARAM, LPARAM) {
  FromCode(P, [&] { P.Model.Reset(0); });
  return 0;
}

LRESULT SetCount(ListPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (!P.Model.Virtual()) return LB_ERR;
  FromCode(P, [&] { P.Model.Reset(std::max(Index(wParam), 0)); });
  return 0;
}

LRESULT GetCount(ListPeer& P, HWND, WPARAM, LPARAM) { return P.Model.Count(); }

// A list without strings gives an item's data in its place.
LRESULT GetText(ListPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  if (!HasItem(P, Index(wParam))) return LB_ERR;
  if (P.HasStrings) return CopyItemText(P.Model.Text(Index(wParam)), lParam);
  if (lParam) *reinterpret_cast<LPARAM*>(lParam) = P.Model.Data(Index(wParam));
  return sizeof(LPARAM);
}

LRESULT GetTextLen(ListPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (!HasItem(P, Index(wParam))) return LB_ERR;
  return P.HasStrings ? static_cast<LRESULT>(P.Model.Text(Index(wParam)).size()) : sizeof(LPARAM);
}

LRESULT GetItemData(ListPeer& P, HWND, WPARAM wParam, LPARAM) {
  return HasItem(P, Index(wParam)) ? P.Model.Data(Index(wParam)) : LB_ERR;
}

LRESULT SetItemData(ListPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  if (!HasItem(P, Index(wParam))) return LB_ERR;
  P.Model.Data(Index(wParam)) = lParam;
  return 1;
}

// Searches start after the item w (-1: from the first) and wrap around.
template <bool Exact>
LRESULT FindString(ListPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  if (P.Model.Count() == 0) return LB_ERR;
  return P.Find(Index(wParam) < 0 ? P.Model.Count() - 1 : Index(wParam), lParam, Exact);
}

// ------------------------------------------------------------ selection

LRESULT GetCurSel(ListPeer& P, HWND, WPARAM, LPARAM) { return P.Current(); }

LRESULT SetCurSel(ListPeer& P, HWND, WPARAM wParam, LPARAM) {
  const bool inRange = InRange(P, Index(wParam));
  P.SetCurrent(inRange ? Index(wParam) : -1);
  return inRange ? Index(wParam) : LB_ERR;
}

LRESULT SelectString(ListPeer& P, HWND hWnd, WPARAM wParam, LPARAM lParam) {
  const LRESULT found = FindString<false>(P, hWnd, wParam, lParam);
  if (found >= 0) P.SetCurrent(static_cast<int>(found));
  return found;
}

// Selects (w true) or deselects the item l, every item for -1.
LRESULT SetSel(ListPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  const int row = static_cast<int>(lParam);
  const auto flag = wParam ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
  QItemSelectionModel* selection = P.View->selectionModel();
  FromCode(P, [&] {
    if (row == -1) {
      for (int i = 0; i < P.Model.Count(); ++i) selection->select(P.Model.index(i), flag);
    } else if (InRange(P, row)) {
      selection->select(P.Model.index(row), flag);
    }
  });
  return 0;
}

LRESULT GetSel(ListPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (!InRange(P, Index(wParam))) return LB_ERR;
  return P.View->selectionModel()->isSelected(P.Model.index(Index(wParam))) ? 1 : 0;
}

LRESULT GetSelCount(ListPeer& P, HWND, WPARAM, LPARAM) {
  return static_cast<LRESULT>(P.View->selectionModel()->selectedRows().size());
}

// --------------------------------------------------- rows on the screen

LRESULT GetTopIndex(ListPeer& P, HWND, WPARAM, LPARAM) { return std::max(P.View->indexAt(QPoint(1, 1)).row(), 0); }

LRESULT SetTopIndex(ListPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (!InRange(P, Index(wParam))) return LB_ERR;
  P.View->scrollTo(P.Model.index(Index(wParam)), QAbstractItemView::PositionAtTop);
  return 0;
}

LRESULT GetItemHeight(ListPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (P.Variable && InRange(P, Index(wParam)) && P.Model.Height(Index(wParam)) > 0) {
    return P.Model.Height(Index(wParam));
  }
  if (P.OwnerDraw) return P.ItemHeight;
  return std::max(P.View->sizeHintForRow(0), P.View->fontMetrics().height());
}

// Of every item (wParam ignored) or, in a variable list, of the item
// wParam; heights from 1 to 255.
LRESULT SetItemHeight(ListPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  const int height = LOWORD(static_cast<std::uintptr_t>(lParam));
  if (!P.OwnerDraw || height < 1 || height > 255) return LB_ERR;
  if (P.Variable) {
    if (!InRange(P, Index(wParam))) return LB_ERR;
    P.Model.Height(Index(wParam)) = height;
  } else {
    P.ItemHeight = height;
  }
  P.Relayout();
  return 0;
}

LRESULT GetItemRect(ListPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  auto* r = reinterpret_cast<RECT*>(lParam);
  if (!InRange(P, Index(wParam)) || !r) return LB_ERR;
  const QRect q = P.View->visualRect(P.Model.index(Index(wParam)));
  *r = RECT{q.left(), q.top(), q.right() + 1, q.bottom() + 1};
  return 1;
}

// The item at a point; below the last one, the last with the high word 1.
LRESULT ItemFromPoint(ListPeer& P, HWND, WPARAM, LPARAM lParam) {
  const QModelIndex i = P.View->indexAt(QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
  return i.isValid() ? i.row() : MAKELPARAM(static_cast<WORD>(std::max(P.Model.Count() - 1, 0)), 1);
}

constexpr MessageHandler<ListPeer> kMessages[] = {
    {WM_CREATE, &Created},
    {WM_GETDLGCODE, &GetDlgCode},
    {WM_SETFOCUS, &Focus<WM_SETFOCUS, LBN_SETFOCUS>},
    {WM_KILLFOCUS, &Focus<WM_KILLFOCUS, LBN_KILLFOCUS>},
    {LB_ADDSTRING, &AddString, LB_ERR},
    {LB_INSERTSTRING, &InsertString, LB_ERR},
    {LB_DELETESTRING, &DeleteString, LB_ERR},
    {LB_RESETCONTENT, &ResetContent},
    {LB_SETCOUNT, &SetCount, LB_ERR},
    {LB_GETCOUNT, &GetCount},
    {LB_GETTEXT, &GetText, LB_ERR},
    {LB_GETTEXTLEN, &GetTextLen, LB_ERR},
    {LB_GETITEMDATA, &GetItemData, LB_ERR},
    {LB_SETITEMDATA, &SetItemData, LB_ERR},
    {LB_FINDSTRING, &FindString<false>, LB_ERR},
    {LB_FINDSTRINGEXACT, &FindString<true>, LB_ERR},
    {LB_GETCURSEL, &GetCurSel, LB_ERR},
    {LB_SETCURSEL, &SetCurSel, LB_ERR},
    {LB_SELECTSTRING, &SelectString, LB_ERR},
    {LB_SETSEL, &SetSel, LB_ERR},
    {LB_GETSEL, &GetSel, LB_ERR},
    {LB_GETSELCOUNT, &GetSelCount, LB_ERR},
    {LB_GETTOPINDEX, &GetTopIndex},
    {LB_SETTOPINDEX, &SetTopIndex, LB_ERR},
    {LB_GETITEMHEIGHT, &GetItemHeight},
    {LB_SETITEMHEIGHT, &SetItemHeight, LB_ERR},
    {LB_GETITEMRECT, &GetItemRect, LB_ERR},
    {LB_ITEMFROMPOINT, &ItemFromPoint, 0x10000},
};

LRESULT ListProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_NCCREATE) return Create(hWnd, *reinterpret_cast<const CREATESTRUCT*>(lParam));
  return Dispatch(kMessages, hWnd, Msg, wParam, lParam, true);
}

}  // namespace

void RegisterListClass() { RegisterStdClass(u"LISTBOX", MakeWndProc<&ListProc>(true)); }

}  // namespace platform::ui
