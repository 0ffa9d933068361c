#pragma once
// The tree view class (SysTreeView32): its items live in the Qt tree behind
// the window; the class library's tree view reaches them through these
// calls with the window's handle. Item handles stay valid until the item
// is deleted.

#include <string>
#include <vector>

#include "platform/core/window_system/wintypes.h"
#include "platform/ui/window_classes/gdi.h"

namespace platform {

struct HTREEITEM__;
using HTREEITEM = HTREEITEM__*;

// Positions for TreeInsertItem.
inline HTREEITEM TVI_FIRST() { return reinterpret_cast<HTREEITEM>(~std::uintptr_t{0}); }
inline HTREEITEM TVI_LAST() { return reinterpret_cast<HTREEITEM>(~std::uintptr_t{0} - 1); }

// Parts of a hit test.
constexpr UINT TVHT_NOWHERE = 0x0001;
constexpr UINT TVHT_ONITEMICON = 0x0002;
constexpr UINT TVHT_ONITEMLABEL = 0x0004;
constexpr UINT TVHT_ONITEMINDENT = 0x0008;
constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
constexpr UINT TVHT_ONITEMSTATEICON = 0x0040;
constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;

// parent null: a top-level item; after: an item of the same parent, or
// TVI_FIRST / TVI_LAST.
HTREEITEM TreeInsertItem(HWND tree, HTREEITEM parent, HTREEITEM after, std::u16string_view text, int image,
                         int selectedImage, LPARAM data);
// Null deletes every item.
bool TreeDeleteItem(HWND tree, HTREEITEM item);
std::u16string TreeGetText(HWND tree, HTREEITEM item);
bool TreeSetText(HWND tree, HTREEITEM item, std::u16string_view text);
LPARAM TreeGetData(HWND tree, HTREEITEM item);
bool TreeSetData(HWND tree, HTREEITEM item, LPARAM data);
bool TreeSetImages(HWND tree, HTREEITEM item, int image, int selectedImage);
HTREEITEM TreeGetParent(HWND tree, HTREEITEM item);
// The first child (of the root for null), and the next sibling.
HTREEITEM TreeGetChild(HWND tree, HTREEITEM item);
HTREEITEM TreeGetNextSibling(HWND tree, HTREEITEM item);
int TreeGetCount(HWND tree);
HTREEITEM TreeGetSelection(HWND tree);
bool TreeSelectItem(HWND tree, HTREEITEM item);
bool TreeExpand(HWND tree, HTREEITEM item, bool expand);
bool TreeIsExpanded(HWND tree, HTREEITEM item);
// Sorts the children of item (of the root for null) by text, without
// regard to case; recursive sorts every level below too.
bool TreeSortChildren(HWND tree, HTREEITEM item, bool recursive);
// The item at a point of the client area and the part of it there.
HTREEITEM TreeHitTest(HWND tree, POINT pt, UINT* flags);
bool TreeGetItemRect(HWND tree, HTREEITEM item, RECT* rect, bool textOnly);
// The pictures items name by index.
void TreeSetImageList(HWND tree, const std::vector<HBITMAP>& images, COLORREF transparent);
void TreeSetIndent(HWND tree, int indent);

}  // namespace platform
