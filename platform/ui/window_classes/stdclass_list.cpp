// The LISTBOX class on a QListView. Items (text and data) live in the view's
// model; a list without data (LBS_NODATA) only has a count, and asks its
// window for each text it shows. Selecting from code sends nothing; the
// user's selection sends LBN_SELCHANGE when the list notifies.

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QListView>

#include <vector>

#include "platform/core/text/cp1252.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

class ListModel : public QAbstractListModel {
 public:
  ListModel(HWND h, bool virtualItems) : hwnd_(h), virtual_(virtualItems) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : virtual_ ? count_ : static_cast<int>(items_.size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    if (!virtual_) return items_[static_cast<std::size_t>(index.row())].text;
    // The window's owner answers for a list without data, in the form of
    // the window's procedure (such a list's text is not converted).
    const auto row = static_cast<WPARAM>(index.row());
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

  int Insert(int index, const QString& text) {
    beginInsertRows(QModelIndex(), index, index);
    items_.insert(items_.begin() + index, Item{text, 0});
    endInsertRows();
    return index;
  }

  void Remove(int index) {
    beginRemoveRows(QModelIndex(), index, index);
    items_.erase(items_.begin() + index);
    endRemoveRows();
  }

  void Reset(int count) {
    beginResetModel();
    items_.clear();
    count_ = count;
    endResetModel();
  }

  bool Virtual() const { return virtual_; }
  int Count() const { return rowCount(); }
  QString Text(int i) const { return items_[static_cast<std::size_t>(i)].text; }
  LPARAM& Data(int i) { return items_[static_cast<std::size_t>(i)].data; }

 private:
  struct Item {
    QString text;
    LPARAM data = 0;
  };
  HWND hwnd_;
  bool virtual_;
  int count_ = 0;
  std::vector<Item> items_;
};

class ListPeer : public StdPeer {
 public:
  ListPeer(HWND h, QListView* view, DWORD style)
      : StdPeer(h, view, WM_CTLCOLORLISTBOX), view_(view), model_(h, (style & LBS_NODATA) != 0) {
    sorted_ = (style & LBS_SORT) != 0;
    multi_ = (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
    view->setModel(&model_);
    view->setSelectionMode(multi_ ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setUniformItemSizes(true);
    Route(view->viewport());
    const bool notify = (style & LBS_NOTIFY) != 0;
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, view, [this, notify] {
      if (!fromCode_ && notify && IsWindow(hwnd_)) NotifyParent(hwnd_, LBN_SELCHANGE);
    });
    QObject::connect(view, &QListView::doubleClicked, view, [this, notify] {
      if (notify && IsWindow(hwnd_)) NotifyParent(hwnd_, LBN_DBLCLK);
    });
  }

  int Current() const {
    const QModelIndex i = view_->selectionModel()->currentIndex();
    if (!multi_ && !view_->selectionModel()->isSelected(i)) return -1;
    return i.isValid() ? i.row() : -1;
  }

  void SetCurrent(int row) {
    fromCode_ = true;
    if (row < 0) {
      view_->selectionModel()->clearSelection();
      view_->selectionModel()->clearCurrentIndex();
    } else {
      const QModelIndex i = model_.index(row);
      view_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
      view_->scrollTo(i);
    }
    fromCode_ = false;
  }

  int Find(int start, const QString& text, bool exact) const {
    const int n = model_.Count();
    for (int k = 1; k <= n; ++k) {
      const int i = (start + k) % n;
      const QString item = model_.data(model_.index(i), Qt::DisplayRole).toString();
      if (exact ? item.compare(text, Qt::CaseInsensitive) == 0 : item.startsWith(text, Qt::CaseInsensitive)) return i;
    }
    return static_cast<int>(LB_ERR);
  }

  int Insert(int index, const QString& text) {
    const int n = model_.Count();
    if (index < 0 || index > n) index = n;
    if (sorted_ && index == n) {
      index = 0;
      while (index < n && model_.Text(index).compare(text, Qt::CaseInsensitive) <= 0) ++index;
    }
    fromCode_ = true;
    model_.Insert(index, text);
    fromCode_ = false;
    return index;
  }

  QListView* view_;
  ListModel model_;
  bool sorted_ = false;
  bool multi_ = false;
  bool fromCode_ = false;
};

int Index(WPARAM w) { return static_cast<int>(static_cast<LPARAM>(w)); }
bool InRange(const ListPeer& p, int index) { return index >= 0 && index < p.model_.Count(); }
// An item of its own (not of a list without data).
bool HasItem(const ListPeer& p, int index) { return InRange(p, index) && !p.model_.Virtual(); }

// Runs a change from code, which the list does not announce.
template <class Change>
void FromCode(ListPeer& p, Change&& change) {
  p.fromCode_ = true;
  change();
  p.fromCode_ = false;
}

LRESULT Create(HWND h, const CREATESTRUCT& cs) {
  auto* view = new QListView;
  view->setFrameShape((cs.style & WS_BORDER) || (cs.dwExStyle & WS_EX_CLIENTEDGE) ? QFrame::StyledPanel
                                                                                  : QFrame::NoFrame);
  SetWindowPeer(h, std::make_unique<ListPeer>(h, view, cs.style));
  return 1;
}

LRESULT GetDlgCode(ListPeer&, HWND, WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

template <UINT Msg, UINT Notification>
LRESULT Focus(ListPeer&, HWND h, WPARAM w, LPARAM l) {
  DefWindowProcW(h, Msg, w, l);
  if (GetWindowLong(h, GWL_STYLE) & LBS_NOTIFY) NotifyParent(h, Notification);
  return 0;
}

// ---------------------------------------------------------------- items

LRESULT AddString(ListPeer& p, HWND, WPARAM, LPARAM l) {
  return p.model_.Virtual() ? LB_ERR : p.Insert(-1, TextArg(l));
}

LRESULT InsertString(ListPeer& p, HWND, WPARAM w, LPARAM l) {
  const int index = Index(w);
  if (p.model_.Virtual() || index > p.model_.Count()) return LB_ERR;
  return p.Insert(index < 0 ? p.model_.Count() : index, TextArg(l));
}

LRESULT DeleteString(ListPeer& p, HWND, WPARAM w, LPARAM) {
  if (!HasItem(p, Index(w))) return LB_ERR;
  FromCode(p, [&] { p.model_.Remove(Index(w)); });
  return p.model_.Count();
}

LRESULT ResetContent(ListPeer& p, HWND, WPARAM, LPARAM) {
  FromCode(p, [&] { p.model_.Reset(0); });
  return 0;
}

LRESULT SetCount(ListPeer& p, HWND, WPARAM w, LPARAM) {
  if (!p.model_.Virtual()) return LB_ERR;
  FromCode(p, [&] { p.model_.Reset(std::max(Index(w), 0)); });
  return 0;
}

LRESULT GetCount(ListPeer& p, HWND, WPARAM, LPARAM) { return p.model_.Count(); }

LRESULT GetText(ListPeer& p, HWND, WPARAM w, LPARAM l) {
  return HasItem(p, Index(w)) ? CopyItemText(p.model_.Text(Index(w)), l) : LB_ERR;
}

LRESULT GetTextLen(ListPeer& p, HWND, WPARAM w, LPARAM) {
  return HasItem(p, Index(w)) ? p.model_.Text(Index(w)).size() : LB_ERR;
}

LRESULT GetItemData(ListPeer& p, HWND, WPARAM w, LPARAM) {
  return HasItem(p, Index(w)) ? p.model_.Data(Index(w)) : LB_ERR;
}

LRESULT SetItemData(ListPeer& p, HWND, WPARAM w, LPARAM l) {
  if (!HasItem(p, Index(w))) return LB_ERR;
  p.model_.Data(Index(w)) = l;
  return 1;
}

// Searches start after the item w (-1: from the first) and wrap around.
template <bool Exact>
LRESULT FindString(ListPeer& p, HWND, WPARAM w, LPARAM l) {
  if (p.model_.Count() == 0) return LB_ERR;
  return p.Find(Index(w) < 0 ? p.model_.Count() - 1 : Index(w), TextArg(l), Exact);
}

// ------------------------------------------------------------ selection

LRESULT GetCurSel(ListPeer& p, HWND, WPARAM, LPARAM) { return p.Current(); }

LRESULT SetCurSel(ListPeer& p, HWND, WPARAM w, LPARAM) {
  const bool inRange = InRange(p, Index(w));
  p.SetCurrent(inRange ? Index(w) : -1);
  return inRange ? Index(w) : LB_ERR;
}

LRESULT SelectString(ListPeer& p, HWND h, WPARAM w, LPARAM l) {
  const LRESULT found = FindString<false>(p, h, w, l);
  if (found >= 0) p.SetCurrent(static_cast<int>(found));
  return found;
}

// Selects (w true) or deselects the item l, every item for -1.
LRESULT SetSel(ListPeer& p, HWND, WPARAM w, LPARAM l) {
  const int row = static_cast<int>(l);
  const auto flag = w ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
  QItemSelectionModel* selection = p.view_->selectionModel();
  FromCode(p, [&] {
    if (row == -1) {
      for (int i = 0; i < p.model_.Count(); ++i) selection->select(p.model_.index(i), flag);
    } else if (InRange(p, row)) {
      selection->select(p.model_.index(row), flag);
    }
  });
  return 0;
}

LRESULT GetSel(ListPeer& p, HWND, WPARAM w, LPARAM) {
  if (!InRange(p, Index(w))) return LB_ERR;
  return p.view_->selectionModel()->isSelected(p.model_.index(Index(w))) ? 1 : 0;
}

LRESULT GetSelCount(ListPeer& p, HWND, WPARAM, LPARAM) {
  return static_cast<LRESULT>(p.view_->selectionModel()->selectedRows().size());
}

// --------------------------------------------------- rows on the screen

LRESULT GetTopIndex(ListPeer& p, HWND, WPARAM, LPARAM) { return std::max(p.view_->indexAt(QPoint(1, 1)).row(), 0); }

LRESULT SetTopIndex(ListPeer& p, HWND, WPARAM w, LPARAM) {
  if (!InRange(p, Index(w))) return LB_ERR;
  p.view_->scrollTo(p.model_.index(Index(w)), QAbstractItemView::PositionAtTop);
  return 0;
}

LRESULT GetItemHeight(ListPeer& p, HWND, WPARAM, LPARAM) {
  return std::max(p.view_->sizeHintForRow(0), p.view_->fontMetrics().height());
}

LRESULT GetItemRect(ListPeer& p, HWND, WPARAM w, LPARAM l) {
  auto* r = reinterpret_cast<RECT*>(l);
  if (!InRange(p, Index(w)) || !r) return LB_ERR;
  const QRect q = p.view_->visualRect(p.model_.index(Index(w)));
  *r = RECT{q.left(), q.top(), q.right() + 1, q.bottom() + 1};
  return 1;
}

// The item at a point; below the last one, the last with the high word 1.
LRESULT ItemFromPoint(ListPeer& p, HWND, WPARAM, LPARAM l) {
  const QModelIndex i = p.view_->indexAt(QPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)));
  return i.isValid() ? i.row() : MAKELPARAM(static_cast<WORD>(std::max(p.model_.Count() - 1, 0)), 1);
}

constexpr MessageHandler<ListPeer> kMessages[] = {
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
    {LB_GETITEMRECT, &GetItemRect, LB_ERR},
    {LB_ITEMFROMPOINT, &ItemFromPoint, 0x10000},
};

LRESULT ListProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_NCCREATE) return Create(h, *reinterpret_cast<const CREATESTRUCT*>(l));
  return Dispatch(kMessages, h, msg, w, l, true);
}

}  // namespace

void RegisterListClass() { RegisterStdClass(u"LISTBOX", MakeWndProc<&ListProc>(true)); }

}  // namespace platform::ui
