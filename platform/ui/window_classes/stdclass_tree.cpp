// The tree view class (SysTreeView32) on a QTreeWidget. Items, their texts,
// data and pictures live in the QTreeWidget; the user's selection is
// announced to the parent with TVN_SELCHANGEDW.

#include <QHeaderView>
#include <QTreeWidget>

#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"
#include "platform/ui/window_classes/treeview.h"

namespace platform::ui {
namespace {

constexpr int kDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSelectedImageRole = Qt::UserRole + 2;

class TreePeer : public StdPeer {
 public:
  TreePeer(HWND hWnd, QTreeWidget* TreeWidget) : StdPeer(hWnd, TreeWidget, WM_CTLCOLOREDIT), Tree(TreeWidget) {
    TreeWidget->setHeaderHidden(true);
    TreeWidget->setColumnCount(1);
    TreeWidget->setRootIsDecorated(true);
    TreeWidget->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeWidget->header()->setStretchLastSection(true);
    Route(TreeWidget->viewport());
    QObject::connect(TreeWidget, &QTreeWidget::currentItemChanged, TreeWidget,
                     [this](QTreeWidgetItem* Now, QTreeWidgetItem*) {
                       RefreshIcon(Now);
                       if (!FromCode && IsWindow(Hwnd)) NotifyParentNM(Hwnd, TVN_SELCHANGEDW);
                     });
  }

  void RefreshIcon(QTreeWidgetItem* Item) {
    if (!Item) return;
    const bool selected = Item == Tree->currentItem();
    const int index = Item->data(0, selected ? kSelectedImageRole : kImageRole).toInt();
    Item->setIcon(
        0, index >= 0 && index < static_cast<int>(Icons.size()) ? Icons[static_cast<std::size_t>(index)] : QIcon());
  }

  void RefreshAll(QTreeWidgetItem* Parent) {
    for (int i = 0; i < Parent->childCount(); ++i) {
      RefreshIcon(Parent->child(i));
      RefreshAll(Parent->child(i));
    }
  }

  QTreeWidget* Tree;
  std::vector<QIcon> Icons;
  bool FromCode = false;
};

TreePeer* Tree(HWND hWnd) { return StdPeerOf<TreePeer>(hWnd); }
QTreeWidgetItem* Item(HTREEITEM H) { return reinterpret_cast<QTreeWidgetItem*>(H); }
HTREEITEM Handle(QTreeWidgetItem* I) { return reinterpret_cast<HTREEITEM>(I); }

LRESULT TreeProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  TreePeer* p = Tree(hWnd);
  switch (Msg) {
    case WM_NCCREATE:
      SetWindowPeer(hWnd, std::make_unique<TreePeer>(hWnd, new QTreeWidget));
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
      return StdDefault(p, hWnd, Msg, wParam, lParam, true);
  }
}

}  // namespace

void RegisterTreeClass() { RegisterStdClass(u"SysTreeView32", MakeWndProc<&TreeProc>(true)); }

}  // namespace platform::ui

namespace platform {

using ui::Handle;
using ui::Item;
using ui::Tree;

HTREEITEM TreeInsertItem(HWND hTree, HTREEITEM Parent, HTREEITEM After, std::u16string_view Text, int Image,
                         int SelectedImage, LPARAM Data) {
  ui::TreePeer* p = Tree(hTree);
  if (!p) return nullptr;
  auto* item = new QTreeWidgetItem(QStringList(ui::ToQString(Text)));
  item->setData(0, ui::kDataRole, QVariant::fromValue<qlonglong>(Data));
  item->setData(0, ui::kImageRole, Image);
  item->setData(0, ui::kSelectedImageRole, SelectedImage);
  QTreeWidgetItem* root = Parent ? Item(Parent) : p->Tree->invisibleRootItem();
  int index = root->childCount();
  if (After == TVI_FIRST()) {
    index = 0;
  } else if (After && After != TVI_LAST()) {
    const int at = root->indexOfChild(Item(After));
    if (at >= 0) index = at + 1;
  }
  p->FromCode = true;
  root->insertChild(index, item);
  p->FromCode = false;
  p->RefreshIcon(item);
  return Handle(item);
}

bool TreeDeleteItem(HWND hTree, HTREEITEM hItem) {
  ui::TreePeer* p = Tree(hTree);
  if (!p) return false;
  p->FromCode = true;
  if (hItem) {
    delete Item(hItem);
  } else {
    p->Tree->clear();
  }
  p->FromCode = false;
  return true;
}

std::u16string TreeGetText(HWND hTree, HTREEITEM hItem) {
  return Tree(hTree) && hItem ? ui::FromQString(Item(hItem)->text(0)) : std::u16string();
}

bool TreeSetText(HWND hTree, HTREEITEM hItem, std::u16string_view Text) {
  if (!Tree(hTree) || !hItem) return false;
  Item(hItem)->setText(0, ui::ToQString(Text));
  return true;
}

LPARAM TreeGetData(HWND hTree, HTREEITEM hItem) {
  return Tree(hTree) && hItem ? static_cast<LPARAM>(Item(hItem)->data(0, ui::kDataRole).toLongLong()) : 0;
}

bool TreeSetData(HWND hTree, HTREEITEM hItem, LPARAM Data) {
  if (!Tree(hTree) || !hItem) return false;
  Item(hItem)->setData(0, ui::kDataRole, QVariant::fromValue<qlonglong>(Data));
  return true;
}

bool TreeSetImages(HWND hTree, HTREEITEM hItem, int Image, int SelectedImage) {
  ui::TreePeer* p = Tree(hTree);
  if (!p || !hItem) return false;
  Item(hItem)->setData(0, ui::kImageRole, Image);
  Item(hItem)->setData(0, ui::kSelectedImageRole, SelectedImage);
  p->RefreshIcon(Item(hItem));
  return true;
}

HTREEITEM TreeGetParent(HWND hTree, HTREEITEM hItem) {
  return Tree(hTree) && hItem ? Handle(Item(hItem)->parent()) : nullptr;
}

HTREEITEM TreeGetChild(HWND hTree, HTREEITEM hItem) {
  ui::TreePeer* p = Tree(hTree);
  if (!p) return nullptr;
  QTreeWidgetItem* root = hItem ? Item(hItem) : p->Tree->invisibleRootItem();
  return root->childCount() ? Handle(root->child(0)) : nullptr;
}

HTREEITEM TreeGetNextSibling(HWND hTree, HTREEITEM hItem) {
  ui::TreePeer* p = Tree(hTree);
  if (!p || !hItem) return nullptr;
  QTreeWidgetItem* root = Item(hItem)->parent() ? Item(hItem)->parent() : p->Tree->invisibleRootItem();
  const int at = root->indexOfChild(Item(hItem));
  return at >= 0 && at + 1 < root->childCount() ? Handle(root->child(at + 1)) : nullptr;
}

int TreeGetCount(HWND hTree) {
  ui::TreePeer* p = Tree(hTree);
  if (!p) return 0;
  int count = 0;
  for (QTreeWidgetItemIterator it(p->Tree); *it; ++it) ++count;
  return count;
}

HTREEITEM TreeGetSelection(HWND hTree) {
  ui::TreePeer* p = Tree(hTree);
  return p ? Handle(p->Tree->currentItem()) : nullptr;
}

bool TreeSelectItem(HWND hTree, HTREEITEM hItem) {
  ui::TreePeer* p = Tree(hTree);
  if (!p) return false;
  p->FromCode = true;
  p->Tree->setCurrentItem(hItem ? Item(hItem) : nullptr);
  p->FromCode = false;
  return true;
}

bool TreeExpand(HWND hTree, HTREEITEM hItem, bool Expand) {
  if (!Tree(hTree) || !hItem) return false;
  Item(hItem)->setExpanded(Expand);
  return true;
}

bool TreeIsExpanded(HWND hTree, HTREEITEM hItem) { return Tree(hTree) && hItem && Item(hItem)->isExpanded(); }

bool TreeSortChildren(HWND hTree, HTREEITEM hItem, bool Recursive) {
  ui::TreePeer* p = Tree(hTree);
  if (!p) return false;
  QTreeWidgetItem* root = hItem ? Item(hItem) : p->Tree->invisibleRootItem();
  const auto sortLevel = [&](QTreeWidgetItem* Parent, auto&& Self) -> void {
    QList<QTreeWidgetItem*> children = Parent->takeChildren();
    std::stable_sort(children.begin(), children.end(), [](QTreeWidgetItem* A, QTreeWidgetItem* B) {
      return A->text(0).compare(B->text(0), Qt::CaseInsensitive) < 0;
    });
    Parent->addChildren(children);
    if (Recursive) {
      for (QTreeWidgetItem* c : children) Self(c, Self);
    }
  };
  p->FromCode = true;
  QTreeWidgetItem* current = p->Tree->currentItem();
  sortLevel(root, sortLevel);
  if (current) p->Tree->setCurrentItem(current);
  p->FromCode = false;
  return true;
}

HTREEITEM TreeHitTest(HWND hTree, POINT Pt, UINT* Flags) {
  ui::TreePeer* p = Tree(hTree);
  if (Flags) *Flags = TVHT_NOWHERE;
  if (!p) return nullptr;
  const QPoint at = p->Tree->viewport()->mapFrom(p->Tree, QPoint(Pt.x, Pt.y));
  QTreeWidgetItem* item = p->Tree->itemAt(at);
  if (!item) return nullptr;
  if (Flags) {
    const QRect r = p->Tree->visualItemRect(item);
    const int icon = item->icon(0).isNull() ? 0 : p->Tree->iconSize().width() + 4;
    const int textWidth = p->Tree->fontMetrics().horizontalAdvance(item->text(0)) + 6;
    if (at.x() < r.left()) {
      *Flags =
          item->childCount() && at.x() >= r.left() - p->Tree->indentation() ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    } else if (at.x() < r.left() + icon) {
      *Flags = TVHT_ONITEMICON;
    } else if (at.x() < r.left() + icon + textWidth) {
      *Flags = TVHT_ONITEMLABEL;
    } else {
      *Flags = TVHT_ONITEMRIGHT;
    }
  }
  return Handle(item);
}

bool TreeGetItemRect(HWND hTree, HTREEITEM hItem, RECT* Rect, bool TextOnly) {
  ui::TreePeer* p = Tree(hTree);
  if (!p || !hItem || !Rect) return false;
  QRect r = p->Tree->visualItemRect(Item(hItem));
  if (r.isNull()) return false;
  r.translate(p->Tree->viewport()->pos());
  if (!TextOnly) r.setLeft(0);
  *Rect = RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
  return true;
}

void TreeSetImageList(HWND hTree, const std::vector<HBITMAP>& Images, COLORREF Transparent) {
  ui::TreePeer* p = Tree(hTree);
  if (!p) return;
  p->Icons.clear();
  for (HBITMAP b : Images) p->Icons.push_back(ui::MaskedIcon(b, Transparent));
  if (!Images.empty()) {
    if (auto first = ui::BitmapImage(Images.front())) p->Tree->setIconSize(first->size());
  }
  p->RefreshAll(p->Tree->invisibleRootItem());
}

void TreeSetIndent(HWND hTree, int Indent) {
  if (ui::TreePeer* p = Tree(hTree)) p->Tree->setIndentation(Indent);
}

}  // namespace platform
