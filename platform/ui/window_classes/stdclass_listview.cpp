// The list view class (SysListView32) on a QListWidget. Items, their texts
// and values live in the Qt list; selecting from code is silent, the
// user's selection is announced to the parent with LVN_ITEMCHANGED.

#include <QListWidget>

#include "platform/ui/window_classes/listview.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

constexpr int kValueRole = Qt::UserRole;

class ListViewPeer : public StdPeer {
 public:
  ListViewPeer(HWND hWnd, QListWidget* Widget) : StdPeer(hWnd, Widget, WM_CTLCOLOREDIT), List(Widget) {
    Widget->setSelectionMode(QAbstractItemView::SingleSelection);
    Widget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Route(Widget->viewport());
    QObject::connect(Widget, &QListWidget::currentRowChanged, Widget, [this](int Row) {
      if (FromCode || !IsWindow(Hwnd)) return;
      const HWND parent = GetParent(Hwnd);
      if (!parent) return;
      NMLISTVIEW nm;
      nm.hdr.hwndFrom = Hwnd;
      nm.hdr.idFrom = static_cast<std::uintptr_t>(GetDlgCtrlID(Hwnd));
      nm.hdr.code = LVN_ITEMCHANGED;
      nm.iItem = Row;
      nm.uNewState = LVIS_SELECTED;
      nm.uChanged = LVIF_STATE;
      SendMessageW(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    });
  }

  bool Has(int Row) const { return Row >= 0 && Row < List->count(); }

  // Runs a change from code, which the list does not announce.
  template <class ChangeFn>
  void Quietly(ChangeFn&& Change) {
    FromCode = true;
    Change();
    FromCode = false;
  }

  QListWidget* List;
  bool FromCode = false;
};

template <class Char>
LRESULT InsertItem(ListViewPeer& P, HWND, WPARAM, LPARAM lParam) {
  const auto* item = reinterpret_cast<const LVITEMT<Char>*>(lParam);
  if (!item) return -1;
  const int row = item->iItem < 0 || item->iItem > P.List->count() ? P.List->count() : item->iItem;
  auto* entry = new QListWidgetItem((item->mask & LVIF_TEXT) ? TextArgOf(item->pszText) : QString());
  entry->setData(kValueRole, QVariant::fromValue<qlonglong>((item->mask & LVIF_PARAM) ? item->lParam : 0));
  P.Quietly([&] { P.List->insertItem(row, entry); });
  return row;
}

template <class Char>
LRESULT GetItemText(ListViewPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  auto* item = reinterpret_cast<LVITEMT<Char>*>(lParam);
  const int row = static_cast<int>(wParam);
  if (!item || !P.Has(row)) return 0;
  return CopyTextOut(P.List->item(row)->text(), item->pszText, item->cchTextMax);
}

template <class Char>
LRESULT SetItemText(ListViewPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  const auto* item = reinterpret_cast<const LVITEMT<Char>*>(lParam);
  const int row = static_cast<int>(wParam);
  if (!item || !P.Has(row)) return 0;
  P.List->item(row)->setText(TextArgOf(item->pszText));
  return 1;
}

LRESULT GetItemCount(ListViewPeer& P, HWND, WPARAM, LPARAM) { return P.List->count(); }

LRESULT DeleteItem(ListViewPeer& P, HWND, WPARAM wParam, LPARAM) {
  const int row = static_cast<int>(wParam);
  if (!P.Has(row)) return 0;
  P.Quietly([&] { delete P.List->takeItem(row); });
  return 1;
}

LRESULT DeleteAllItems(ListViewPeer& P, HWND, WPARAM, LPARAM) {
  P.Quietly([&] { P.List->clear(); });
  return 1;
}

// The next selected item after wParam; with LVNI_ALL simply the next one.
LRESULT GetNextItem(ListViewPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  const int start = static_cast<int>(static_cast<LPARAM>(wParam)) + 1;
  for (int row = std::max(start, 0); row < P.List->count(); ++row) {
    if (!(lParam & LVNI_SELECTED) || P.List->item(row)->isSelected()) return row;
  }
  return -1;
}

LRESULT SetItemState(ListViewPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
  if (!item || !(item->stateMask & LVIS_SELECTED)) return 0;
  const bool select = (item->state & LVIS_SELECTED) != 0;
  const int row = static_cast<int>(static_cast<LPARAM>(wParam));
  P.Quietly([&] {
    if (row == -1) {
      if (select) return;
      P.List->clearSelection();
      P.List->setCurrentRow(-1);
    } else if (P.Has(row)) {
      if (select) {
        P.List->setCurrentRow(row);
      } else {
        P.List->item(row)->setSelected(false);
      }
    }
  });
  return 1;
}

LRESULT GetDlgCode(ListViewPeer&, HWND, WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

constexpr MessageHandler<ListViewPeer> kMessages[] = {
    {WM_GETDLGCODE, &GetDlgCode},
    {LVM_GETITEMCOUNT, &GetItemCount},
    {LVM_INSERTITEMA, &InsertItem<char>, -1},
    {LVM_INSERTITEMW, &InsertItem<char16_t>, -1},
    {LVM_GETITEMTEXTA, &GetItemText<char>},
    {LVM_GETITEMTEXTW, &GetItemText<char16_t>},
    {LVM_SETITEMTEXTA, &SetItemText<char>},
    {LVM_SETITEMTEXTW, &SetItemText<char16_t>},
    {LVM_DELETEITEM, &DeleteItem},
    {LVM_DELETEALLITEMS, &DeleteAllItems},
    {LVM_GETNEXTITEM, &GetNextItem, -1},
    {LVM_SETITEMSTATE, &SetItemState},
};

LRESULT ListViewProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_NCCREATE) {
    SetWindowPeer(hWnd, std::make_unique<ListViewPeer>(hWnd, new QListWidget));
    return 1;
  }
  return Dispatch(kMessages, hWnd, Msg, wParam, lParam, true);
}

}  // namespace

void RegisterListViewClass() { RegisterStdClass(u"SysListView32", MakeWndProc<&ListViewProc>(true)); }

}  // namespace platform::ui
