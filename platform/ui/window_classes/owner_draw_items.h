#pragma once
// Items of list and combo windows that their owner draws. Qt paints such an
// item by asking the owner (the window's parent) with WM_DRAWITEM to draw
// it into a device context over an image of the item's rectangle; a list
// of items of their own heights asks WM_MEASUREITEM for each.

#include <QStyledItemDelegate>

#include <cstdint>
#include <functional>

#include "platform/core/window_system/owner_draw.h"
#include "platform/core/window_system/window.h"

namespace platform::ui {

// Sends WM_DRAWITEM for item (-1: none) of hWnd and paints what the owner
// drew at Rect, which is in the coordinates the owner is given.
void DrawOwnerItem(QPainter& Painter, HWND hWnd, UINT CtlType, int Item, std::uintptr_t Data, UINT State,
                   const QRect& Rect, const QColor& Background);
// The height the owner gives an item (or every item, with Item 0 for a
// fixed list); Default when it gives none.
int MeasureOwnerItem(HWND hWnd, UINT CtlType, int Item, std::uintptr_t Data, int Default);

// The delegate of a list view whose window's owner draws the items. The
// window tells it each item's data and height.
class OwnerDrawDelegate : public QStyledItemDelegate {
 public:
  struct Items {
    std::function<std::uintptr_t(int Row)> Data;
    std::function<int(int Row)> Height;
    // The item that has the window's focus (none: no item shows one).
    std::function<bool(int Row)> Focused;
  };
  OwnerDrawDelegate(HWND hWnd, UINT CtlType, Items Source, QObject* Parent);
  void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;

 private:
  HWND hwnd_;
  UINT ctlType_;
  Items items_;
};

}  // namespace platform::ui
