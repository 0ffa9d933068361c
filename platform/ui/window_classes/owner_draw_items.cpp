#include "platform/ui/window_classes/owner_draw_items.h"

#include <QAbstractItemView>
#include <QPainter>

#include <algorithm>

#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {

void DrawOwnerItem(QPainter& Painter, HWND hWnd, UINT CtlType, int Item, std::uintptr_t Data, UINT State,
                   const QRect& Rect, const QColor& Background) {
  const HWND owner = GetParent(hWnd);
  if (!owner || Rect.width() <= 0 || Rect.height() <= 0) return;
  QImage image(Rect.size(), QImage::Format_RGB32);
  image.fill(Background);
  HDC dc = CreateImageDC(&image);
  // The owner draws at the item's place in the window; the image holds just
  // that place.
  SetViewportOrg(dc, -Rect.left(), -Rect.top());
  DRAWITEMSTRUCT dis;
  dis.CtlType = CtlType;
  dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hWnd));
  dis.itemID = static_cast<UINT>(Item);
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = State;
  dis.hwndItem = hWnd;
  dis.hDC = dc;
  dis.rcItem = RECT{Rect.left(), Rect.top(), Rect.right() + 1, Rect.bottom() + 1};
  dis.itemData = Data;
  SetClipRect(dc, dis.rcItem);
  SendMessageW(owner, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  DeleteDC(dc);
  Painter.drawImage(Rect.topLeft(), image);
}

int MeasureOwnerItem(HWND hWnd, UINT CtlType, int Item, std::uintptr_t Data, int Default) {
  const HWND owner = GetParent(hWnd);
  if (!owner) return Default;
  MEASUREITEMSTRUCT mis;
  mis.CtlType = CtlType;
  mis.CtlID = static_cast<UINT>(GetDlgCtrlID(hWnd));
  mis.itemID = static_cast<UINT>(Item);
  mis.itemHeight = static_cast<UINT>(Default);
  mis.itemData = Data;
  SendMessageW(owner, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
  return mis.itemHeight > 0 ? static_cast<int>(mis.itemHeight) : Default;
}

OwnerDrawDelegate::OwnerDrawDelegate(HWND hWnd, UINT CtlType, Items Source, QObject* Parent)
    : QStyledItemDelegate(Parent), hwnd_(hWnd), ctlType_(CtlType), items_(std::move(Source)) {}

void OwnerDrawDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const {
  if (!IsWindow(hwnd_) || !Painter) return;
  UINT state = 0;
  if (Option.state & QStyle::State_Selected) state |= ODS_SELECTED;
  const int row = Index.row();
  if (items_.Focused && items_.Focused(row)) state |= ODS_FOCUS;
  if (!IsWindowEnabled(hwnd_)) state |= ODS_DISABLED;
  DrawOwnerItem(*Painter, hwnd_, ctlType_, row, items_.Data(row), state, Option.rect,
                Option.palette.color(QPalette::Base));
}

// As wide as the list shows: its items never scroll sideways.
QSize OwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const {
  const auto* view = qobject_cast<const QAbstractItemView*>(Option.widget);
  const int width = view ? view->viewport()->width() : Option.rect.width();
  return QSize(std::max(width, 1), items_.Height(Index.row()));
}

}  // namespace platform::ui
