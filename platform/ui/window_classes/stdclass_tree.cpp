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
  TreePeer(HWND h, QTreeWidget* tree) : StdPeer(h, tree, WM_CTLCOLOREDIT), tree_(tree) {
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setRootIsDecorated(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->header()->setStretchLastSection(true);
    Route(tree->viewport());
    QObject::connect(tree, &QTreeWidget::currentItemChanged, tree, [this](QTreeWidgetItem* now, QTreeWidgetItem*) {
      RefreshIcon(now);
      if (!fromCode_ && IsWindow(hwnd_)) NotifyParentNM(hwnd_, TVN_SELCHANGEDW);
    });
  }

  void RefreshIcon(QTreeWidgetItem* item) {
    if (!item) return;
    const bool selected = item == tree_->currentItem();
    const int index = item->data(0, selected ? kSelectedImageRole : kImageRole).toInt();
    item->setIcon(
        0, index >= 0 && index < static_cast<int>(icons_.size()) ? icons_[static_cast<std::size_t>(index)] : QIcon());
  }

  void RefreshAll(QTreeWidgetItem* parent) {
    for (int i = 0; i < parent->childCount(); ++i) {
      RefreshIcon(parent->child(i));
      RefreshAll(parent->child(i));
    }
  }

  QTreeWidget* tree_;
  std::vector<QIcon> icons_;
  bool fromCode_ = false;
};

TreePeer* Tree(HWND h) { return StdPeerOf<TreePeer>(h); }
QTreeWidgetItem* Item(HTREEITEM h) { return reinterpret_cast<QTreeWidgetItem*>(h); }
HTREEITEM Handle(QTreeWidgetItem* i) { return reinterpret_cast<HTREEITEM>(i); }

LRESULT TreeProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  TreePeer* p = Tree(h);
  switch (msg) {
    case WM_NCCREATE:
      SetWindowPeer(h, std::make_unique<TreePeer>(h, new QTreeWidget));
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
      return StdDefault(p, h, msg, w, l, true);
  }
}

}  // namespace

void RegisterTreeClass() { RegisterStdClass(u"SysTreeView32", MakeWndProc<&TreeProc>(true)); }

}  // namespace platform::ui

namespace platform {

using ui::Handle;
using ui::Item;
using ui::Tree;

HTREEITEM TreeInsertItem(HWND tree, HTREEITEM parent, HTREEITEM after, std::u16string_view text, int image,
                         int selectedImage, LPARAM data) {
  ui::TreePeer* p = Tree(tree);
  if (!p) return nullptr;
  auto* item = new QTreeWidgetItem(QStringList(ui::ToQString(text)));
  item->setData(0, ui::kDataRole, QVariant::fromValue<qlonglong>(data));
  item->setData(0, ui::kImageRole, image);
  item->setData(0, ui::kSelectedImageRole, selectedImage);
  QTreeWidgetItem* root = parent ? Item(parent) : p->tree_->invisibleRootItem();
  int index = root->childCount();
  if (after == TVI_FIRST()) {
    index = 0;
  } else if (after && after != TVI_LAST()) {
    const int at = root->indexOfChild(Item(after));
    if (at >= 0) index = at + 1;
  }
  p->fromCode_ = true;
  root->insertChild(index, item);
  p->fromCode_ = false;
  p->RefreshIcon(item);
  return Handle(item);
}

bool TreeDeleteItem(HWND tree, HTREEITEM item) {
  ui::TreePeer* p = Tree(tree);
  if (!p) return false;
  p->fromCode_ = true;
  if (item) {
    delete Item(item);
  } else {
    p->tree_->clear();
  }
  p->fromCode_ = false;
  return true;
}

std::u16string TreeGetText(HWND tree, HTREEITEM item) {
  return Tree(tree) && item ? ui::FromQString(Item(item)->text(0)) : std::u16string();
}

bool TreeSetText(HWND tree, HTREEITEM item, std::u16string_view text) {
  if (!Tree(tree) || !item) return false;
  Item(item)->setText(0, ui::ToQString(text));
  return true;
}

LPARAM TreeGetData(HWND tree, HTREEITEM item) {
  return Tree(tree) && item ? static_cast<LPARAM>(Item(item)->data(0, ui::kDataRole).toLongLong()) : 0;
}

bool TreeSetData(HWND tree, HTREEITEM item, LPARAM data) {
  if (!Tree(tree) || !item) return false;
  Item(item)->setData(0, ui::kDataRole, QVariant::fromValue<qlonglong>(data));
  return true;
}

bool TreeSetImages(HWND tree, HTREEITEM item, int image, int selectedImage) {
  ui::TreePeer* p = Tree(tree);
  if (!p || !item) return false;
  Item(item)->setData(0, ui::kImageRole, image);
  Item(item)->setData(0, ui::kSelectedImageRole, selectedImage);
  p->RefreshIcon(Item(item));
  return true;
}

HTREEITEM TreeGetParent(HWND tree, HTREEITEM item) {
  return Tree(tree) && item ? Handle(Item(item)->parent()) : nullptr;
}

HTREEITEM TreeGetChild(HWND tree, HTREEITEM item) {
  ui::TreePeer* p = Tree(tree);
  if (!p) return nullptr;
  QTreeWidgetItem* root = item ? Item(item) : p->tree_->invisibleRootItem();
  return root->childCount() ? Handle(root->child(0)) : nullptr;
}

HTREEITEM TreeGetNextSibling(HWND tree, HTREEITEM item) {
  ui::TreePeer* p = Tree(tree);
  if (!p || !item) return nullptr;
  QTreeWidgetItem* root = Item(item)->parent() ? Item(item)->parent() : p->tree_->invisibleRootItem();
  const int at = root->indexOfChild(Item(item));
  return at >= 0 && at + 1 < root->childCount() ? Handle(root->child(at + 1)) : nullptr;
}

int TreeGetCount(HWND tree) {
  ui::TreePeer* p = Tree(tree);
  if (!p) return 0;
  int count = 0;
  for (QTreeWidgetItemIterator it(p->tree_); *it; ++it) ++count;
  return count;
}

HTREEITEM TreeGetSelection(HWND tree) {
  ui::TreePeer* p = Tree(tree);
  return p ? Handle(p->tree_->currentItem()) : nullptr;
}

bool TreeSelectItem(HWND tree, HTREEITEM item) {
  ui::TreePeer* p = Tree(tree);
  if (!p) return false;
  p->fromCode_ = true;
  p->tree_->setCurrentItem(item ? Item(item) : nullptr);
  p->fromCode_ = false;
  return true;
}

bool TreeExpand(HWND tree, HTREEITEM item, bool expand) {
  if (!Tree(tree) || !item) return false;
  Item(item)->setExpanded(expand);
  return true;
}

bool TreeIsExpanded(HWND tree, HTREEITEM item) { return Tree(tree) && item && Item(item)->isExpanded(); }

bool TreeSortChildren(HWND tree, HTREEITEM item, bool recursive) {
  ui::TreePeer* p = Tree(tree);
  if (!p) return false;
  QTreeWidgetItem* root = item ? Item(item) : p->tree_->invisibleRootItem();
  const auto sortLevel = [&](QTreeWidgetItem* parent, auto&& self) -> void {
    QList<QTreeWidgetItem*> children = parent->takeChildren();
    std::stable_sort(children.begin(), children.end(), [](QTreeWidgetItem* a, QTreeWidgetItem* b) {
      return a->text(0).compare(b->text(0), Qt::CaseInsensitive) < 0;
    });
    parent->addChildren(children);
    if (recursive) {
      for (QTreeWidgetItem* c : children) self(c, self);
    }
  };
  p->fromCode_ = true;
  QTreeWidgetItem* current = p->tree_->currentItem();
  sortLevel(root, sortLevel);
  if (current) p->tree_->setCurrentItem(current);
  p->fromCode_ = false;
  return true;
}

HTREEITEM TreeHitTest(HWND tree, POINT pt, UINT* flags) {
  ui::TreePeer* p = Tree(tree);
  if (flags) *flags = TVHT_NOWHERE;
  if (!p) return nullptr;
  const QPoint at = p->tree_->viewport()->mapFrom(p->tree_, QPoint(pt.x, pt.y));
  QTreeWidgetItem* item = p->tree_->itemAt(at);
  if (!item) return nullptr;
  if (flags) {
    const QRect r = p->tree_->visualItemRect(item);
    const int icon = item->icon(0).isNull() ? 0 : p->tree_->iconSize().width() + 4;
    const int textWidth = p->tree_->fontMetrics().horizontalAdvance(item->text(0)) + 6;
    if (at.x() < r.left()) {
      *flags =
          item->childCount() && at.x() >= r.left() - p->tree_->indentation() ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    } else if (at.x() < r.left() + icon) {
      *flags = TVHT_ONITEMICON;
    } else if (at.x() < r.left() + icon + textWidth) {
      *flags = TVHT_ONITEMLABEL;
    } else {
      *flags = TVHT_ONITEMRIGHT;
    }
  }
  return Handle(item);
}

bool TreeGetItemRect(HWND tree, HTREEITEM item, RECT* rect, bool textOnly) {
  ui::TreePeer* p = Tree(tree);
  if (!p || !item || !rect) return false;
  QRect r = p->tree_->visualItemRect(Item(item));
  if (r.isNull()) return false;
  r.translate(p->tree_->viewport()->pos());
  if (!textOnly) r.setLeft(0);
  *rect = RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
  return true;
}

void TreeSetImageList(HWND tree, const std::vector<HBITMAP>& images, COLORREF transparent) {
  ui::TreePeer* p = Tree(tree);
  if (!p) return;
  p->icons_.clear();
  for (HBITMAP b : images) {
    auto image = ui::BitmapImage(b);
    if (!image) {
      p->icons_.emplace_back();
      continue;
    }
    QImage withMask = image->convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ui::ToQColor(transparent).rgb();
    for (int y = 0; y < withMask.height(); ++y) {
      for (int x = 0; x < withMask.width(); ++x) {
        if ((withMask.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF)) withMask.setPixel(x, y, 0);
      }
    }
    p->icons_.emplace_back(QPixmap::fromImage(withMask));
  }
  if (!images.empty()) {
    if (auto first = ui::BitmapImage(images.front())) p->tree_->setIconSize(first->size());
  }
  p->RefreshAll(p->tree_->invisibleRootItem());
}

void TreeSetIndent(HWND tree, int indent) {
  if (ui::TreePeer* p = Tree(tree)) p->tree_->setIndentation(indent);
}

}  // namespace platform
