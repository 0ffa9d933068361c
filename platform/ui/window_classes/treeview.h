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
HTREEITEM TreeInsertItem(HWND hTree, HTREEITEM Parent, HTREEITEM After, std::u16string_view Text, int Image,
                         int SelectedImage, LPARAM Data);
// Null deletes every item.
bool TreeDeleteItem(HWND hTree, HTREEITEM hItem);
std::u16string TreeGetText(HWND hTree, HTREEITEM hItem);
bool TreeSetText(HWND hTree, HTREEITEM hItem, std::u16string_view Text);
LPARAM TreeGetData(HWND hTree, HTREEITEM hItem);
bool TreeSetData(HWND hTree, HTREEITEM hItem, LPARAM Data);
bool TreeSetImages(HWND hTree, HTREEITEM hItem, int Image, int SelectedImage);
HTREEITEM TreeGetParent(HWND hTree, HTREEITEM hItem);
// The first child (of the root for null), and the next sibling.
HTREEITEM TreeGetChild(HWND hTree, HTREEITEM hItem);
HTREEITEM TreeGetNextSibling(HWND hTree, HTREEITEM hItem);
int TreeGetCount(HWND hTree);
HTREEITEM TreeGetSelection(HWND hTree);
bool TreeSelectItem(HWND hTree, HTREEITEM hItem);
bool TreeExpand(HWND hTree, HTREEITEM hItem, bool Expand);
bool TreeIsExpanded(HWND hTree, HTREEITEM hItem);
// Sorts the children of item (of the root for null) by text, without
// regard to case; recursive sorts every level below too.
bool TreeSortChildren(HWND hTree, HTREEITEM hItem, bool Recursive);
// The item at a point of the client area and the part of it there.
HTREEITEM TreeHitTest(HWND hTree, POINT Pt, UINT* Flags);
bool TreeGetItemRect(HWND hTree, HTREEITEM hItem, RECT* Rect, bool TextOnly);
// The pictures items name by index.
void TreeSetImageList(HWND hTree, const std::vector<HBITMAP>& Images, COLORREF Transparent);
void TreeSetIndent(HWND hTree, int Indent);

}  // namespace platform
