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

LRESULT ListProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  ListPeer* p = StdPeerOf<ListPeer>(h);
  const auto index = static_cast<int>(static_cast<LPARAM>(w));
  const bool inRange = p && index >= 0 && index < p->model_.Count();
  switch (msg) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(l);
      auto* view = new QListView;
      view->setFrameShape((cs->style & WS_BORDER) || (cs->dwExStyle & WS_EX_CLIENTEDGE) ? QFrame::StyledPanel
                                                                                        : QFrame::NoFrame);
      SetWindowPeer(h, std::make_unique<ListPeer>(h, view, cs->style));
      return 1;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      DefWindowProcW(h, msg, w, l);
      if (GetWindowLong(h, GWL_STYLE) & LBS_NOTIFY) NotifyParent(h, msg == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
      return 0;
    case LB_ADDSTRING:
      if (!p || p->model_.Virtual()) return LB_ERR;
      return p->Insert(-1, TextArg(l));
    case LB_INSERTSTRING:
      if (!p || p->model_.Virtual() || index > p->model_.Count()) return LB_ERR;
      return p->Insert(index < 0 ? p->model_.Count() : index, TextArg(l));
    case LB_DELETESTRING:
      if (!inRange || p->model_.Virtual()) return LB_ERR;
      p->fromCode_ = true;
      p->model_.Remove(index);
      p->fromCode_ = false;
      return p->model_.Count();
    case LB_RESETCONTENT:
      if (p) {
        p->fromCode_ = true;
        p->model_.Reset(0);
        p->fromCode_ = false;
      }
      return 0;
    case LB_SETCOUNT:
      if (!p || !p->model_.Virtual()) return LB_ERR;
      p->fromCode_ = true;
      p->model_.Reset(std::max(index, 0));
      p->fromCode_ = false;
      return 0;
    case LB_GETCOUNT:
      return p ? p->model_.Count() : 0;
    case LB_GETCURSEL:
      return p ? p->Current() : LB_ERR;
    case LB_SETCURSEL:
      if (!p) return LB_ERR;
      p->SetCurrent(inRange ? index : -1);
      return inRange ? index : LB_ERR;
    case LB_SETSEL: {
      if (!p) return LB_ERR;
      const int row = static_cast<int>(l);
      p->fromCode_ = true;
      const auto flag = w ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
      if (row == -1) {
        for (int i = 0; i < p->model_.Count(); ++i) p->view_->selectionModel()->select(p->model_.index(i), flag);
      } else if (row >= 0 && row < p->model_.Count()) {
        p->view_->selectionModel()->select(p->model_.index(row), flag);
      }
      p->fromCode_ = false;
      return 0;
    }
    case LB_GETSEL:
      if (!inRange) return LB_ERR;
      return p->view_->selectionModel()->isSelected(p->model_.index(index)) ? 1 : 0;
    case LB_GETSELCOUNT:
      return p ? static_cast<LRESULT>(p->view_->selectionModel()->selectedRows().size()) : LB_ERR;
    case LB_GETTEXT:
      if (!inRange || p->model_.Virtual()) return LB_ERR;
      return CopyItemText(p->model_.Text(index), l);
    case LB_GETTEXTLEN:
      if (!inRange || p->model_.Virtual()) return LB_ERR;
      return p->model_.Text(index).size();
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      if (!p || p->model_.Count() == 0) return LB_ERR;
      return p->Find(index < 0 ? p->model_.Count() - 1 : index, TextArg(l), msg == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
      if (!p || p->model_.Count() == 0) return LB_ERR;
      const int found = p->Find(index < 0 ? p->model_.Count() - 1 : index, TextArg(l), false);
      if (found >= 0) p->SetCurrent(found);
      return found;
    }
    case LB_GETITEMDATA:
      if (!inRange || p->model_.Virtual()) return LB_ERR;
      return p->model_.Data(index);
    case LB_SETITEMDATA:
      if (!inRange || p->model_.Virtual()) return LB_ERR;
      p->model_.Data(index) = l;
      return 1;
    case LB_GETTOPINDEX:
      return p ? std::max(p->view_->indexAt(QPoint(1, 1)).row(), 0) : 0;
    case LB_SETTOPINDEX:
      if (!inRange) return LB_ERR;
      p->view_->scrollTo(p->model_.index(index), QAbstractItemView::PositionAtTop);
      return 0;
    case LB_GETITEMHEIGHT:
      return p ? std::max(p->view_->sizeHintForRow(0), p->view_->fontMetrics().height()) : 0;
    case LB_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(l);
      if (!inRange || !r) return LB_ERR;
      const QRect q = p->view_->visualRect(p->model_.index(index));
      *r = RECT{q.left(), q.top(), q.right() + 1, q.bottom() + 1};
      return 1;
    }
    case LB_ITEMFROMPOINT: {
      if (!p) return 0x10000;
      const QModelIndex i = p->view_->indexAt(QPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)));
      return i.isValid() ? i.row() : MAKELPARAM(static_cast<WORD>(std::max(p->model_.Count() - 1, 0)), 1);
    }
    default:
      return StdDefault(p, h, msg, w, l, true);
  }
}

}  // namespace

void RegisterListClass() { RegisterStdClass(u"LISTBOX", MakeWndProc<&ListProc>(true)); }

}  // namespace platform::ui
