#include "platform/ui/controls/comctrls.h"

#include <algorithm>

#include "platform/core/text/cp1252.h"
#include "platform/ui/controls/forms.h"

namespace platform {

// --------------------------------------------------------------- tab sheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  FVisible = false;
  SetParentColor(true);
}

TTabSheet::~TTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TTabSheet::PaintWindow(HDC DC) {
  TBrush brush;
  brush.SetColor(Color());
  RECT r;
  GetClientRect(WindowHandle(), &r);
  FillRect(DC, r, brush.Handle());
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (Value == pageControl_) return;
  if (pageControl_) pageControl_->RemovePage(this);
  SetParent(Value);
  if (Value) Value->InsertPage(this);
}

int TTabSheet::PageIndex() {
  if (!pageControl_) return -1;
  const auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetTabVisible(bool Value) {
  if (Value == tabVisible_) return;
  tabVisible_ = Value;
  if (pageControl_) pageControl_->RebuildTabs();
}

int TTabSheet::TabIndex() {
  if (!pageControl_ || !tabVisible_) return -1;
  int index = 0;
  for (TTabSheet* p : pageControl_->pages_) {
    if (p == this) return index;
    if (p->tabVisible_) ++index;
  }
  return -1;
}

void TTabSheet::DoShow() {
  if (OnShow) OnShow(this);
}

void TTabSheet::DoHide() {
  if (OnHide) OnHide(this);
}

void TTabSheet::WndProc(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED && pageControl_) {
    pageControl_->UpdateTab(this);
    return;
  }
  if (Message.Msg == CM_SHOWINGCHANGED) {
    // A failing handler must not leave the page half switched.
    try {
      if (Showing()) {
        DoShow();
      } else {
        DoHide();
      }
    } catch (...) {
      if (!Application) throw;
      Application->HandleException(this);
    }
  }
  TWinControl::WndProc(Message);
}

// ------------------------------------------------------------ page control

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 289;
  FHeight = 193;
  ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks;
  SetTabStop(true);
  SetParentColor(true);
}

TPageControl::~TPageControl() {
  for (TTabSheet* p : pages_) p->pageControl_ = nullptr;
}

void TPageControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "SysTabControl32");
  Params.Style |= WS_CLIPCHILDREN;
}

void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  RebuildTabs();
}

void TPageControl::InsertTab(TTabSheet* Page) {
  const std::string caption = Page->Caption();
  std::string buffer = caption;
  TCITEMA item;
  item.mask = TCIF_TEXT | TCIF_PARAM;
  item.pszText = buffer.data();
  item.lParam = reinterpret_cast<LPARAM>(Page);
  // A tab is inserted without text and then given it, so that what
  // extends the control can put its own text in.
  TCITEMA empty = item;
  empty.mask = TCIF_PARAM;
  SendMessageA(Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(Page->TabIndex()), reinterpret_cast<LPARAM>(&empty));
  SendMessageA(Handle(), TCM_SETITEMA, static_cast<WPARAM>(Page->TabIndex()), reinterpret_cast<LPARAM>(&item));
}

void TPageControl::UpdateTab(TTabSheet* Page) {
  if (!HandleAllocated() || Page->TabIndex() < 0) return;
  std::string buffer = Page->Caption();
  TCITEMA item;
  item.mask = TCIF_TEXT;
  item.pszText = buffer.data();
  SendMessageA(WindowHandle(), TCM_SETITEMA, static_cast<WPARAM>(Page->TabIndex()), reinterpret_cast<LPARAM>(&item));
}

void TPageControl::DeleteTab(TTabSheet* Page) {
  if (!HandleAllocated() || Page->TabIndex() < 0) return;
  SendMessageA(WindowHandle(), TCM_DELETEITEM, static_cast<WPARAM>(Page->TabIndex()), 0);
}

void TPageControl::RebuildTabs() {
  if (!HandleAllocated()) return;
  SendMessageA(WindowHandle(), TCM_DELETEALLITEMS, 0, 0);
  for (TTabSheet* p : pages_) {
    if (p->tabVisible_) InsertTab(p);
  }
  if (activePage_ && activePage_->TabIndex() >= 0) {
    SendMessageA(WindowHandle(), TCM_SETCURSEL, static_cast<WPARAM>(activePage_->TabIndex()), 0);
  }
  Realign();
}

void TPageControl::InsertPage(TTabSheet* Page) {
  pages_.push_back(Page);
  Page->pageControl_ = this;
  if (HandleAllocated() && Page->tabVisible_) InsertTab(Page);
  if (!activePage_) SetActivePage(Page);
  Realign();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  const bool wasActive = Page == activePage_;
  DeleteTab(Page);
  std::erase(pages_, Page);
  Page->pageControl_ = nullptr;
  if (wasActive) {
    activePage_ = nullptr;
    if (!pages_.empty()) SetActivePage(pages_.front());
  }
}

void TPageControl::ShowOnly(TTabSheet* Page) {
  // The new page shows before the old one goes, so the page control is
  // never empty in between.
  if (Page) {
    Page->BringToFront();
    Page->SetVisible(true);
  }
  for (TTabSheet* p : pages_) {
    if (p != Page) p->SetVisible(false);
  }
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->pageControl_ != this) return;
  activePage_ = Page;
  if (HandleAllocated() && Page && Page->TabIndex() >= 0) {
    SendMessageA(WindowHandle(), TCM_SETCURSEL, static_cast<WPARAM>(Page->TabIndex()), 0);
  }
  ShowOnly(Page);
  Realign();
}

int TPageControl::ActivePageIndex() const {
  if (!activePage_) return -1;
  return static_cast<int>(std::find(pages_.begin(), pages_.end(), activePage_) - pages_.begin());
}

void TPageControl::SetActivePageIndex(int Index) {
  SetActivePage(Index >= 0 && Index < PageCount() ? pages_[static_cast<std::size_t>(Index)] : nullptr);
}

int TPageControl::TabIndex() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(WindowHandle(), TCM_GETCURSEL, 0, 0)) : -1;
}

TRect TPageControl::DisplayRect() {
  RECT r = ClientRect();
  if (HandleAllocated()) SendMessageA(WindowHandle(), TCM_ADJUSTRECT, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TPageControl::AlignControls(TControl* AControl) {
  const TRect r = DisplayRect();
  for (TTabSheet* p : pages_) p->SetBounds(r.left, r.top, r.Width(), r.Height());
  TWinControl::AlignControls(AControl);
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  const int tab = TabIndex();
  for (TTabSheet* p : pages_) {
    if (p->TabIndex() == tab && tab >= 0) {
      activePage_ = p;
      ShowOnly(p);
      break;
    }
  }
  if (OnChange) OnChange(this);
}

void TPageControl::WndProc(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY && Message.LParam) {
    const auto* nm = reinterpret_cast<const NMHDR*>(Message.LParam);
    if (nm->code == TCN_SELCHANGING) {
      Message.Result = CanChange() ? 0 : 1;
      return;
    }
    if (nm->code == TCN_SELCHANGE) {
      Change();
      return;
    }
  }
  if (Message.Msg == WM_SIZE) {
    TWinControl::WndProc(Message);
    Realign();
    return;
  }
  if (Message.Msg == CM_DOCKCLIENT) {
    CMDockClient(Message);
    return;
  }
  if (Message.Msg == CM_DOCKNOTIFICATION) {
    CMDockNotification(Message);
    return;
  }
  TWinControl::WndProc(Message);
}

// -------------------------------------------------------------- image list

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() = default;

int TImageList::Add(TBitmap* Image, TBitmap* Mask) {
  auto copy = std::make_unique<TBitmap>();
  copy->SetSize(Width, Height);
  if (Image) copy->Canvas().StretchDraw(Rect(0, 0, Width, Height), Image);
  if (Mask) {
    // Masked pixels take the key colour, which does not draw.
    for (int y = 0; y < std::min(Height, Mask->Height()); ++y) {
      for (int x = 0; x < std::min(Width, Mask->Width()); ++x) {
        if (Mask->Canvas().Pixels(x, y) != clBlack) copy->Canvas().SetPixel(x, y, clFuchsia);
      }
    }
    maskColor_ = clFuchsia;
  }
  images_.push_back(std::move(copy));
  if (OnChange) OnChange(this);
  return Count() - 1;
}

int TImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  const int index = Add(Image, nullptr);
  maskColor_ = MaskColor;
  return index;
}

void TImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError("Image list index out of bounds");
  images_.erase(images_.begin() + Index);
  if (OnChange) OnChange(this);
}

void TImageList::Clear() {
  images_.clear();
  if (OnChange) OnChange(this);
}

bool TImageList::GetBitmap(int Index, TBitmap* Image) {
  if (!Image || Index < 0 || Index >= Count()) return false;
  Image->Assign(images_[static_cast<std::size_t>(Index)].get());
  return true;
}

void TImageList::Draw(TCanvas& Canvas, int X, int Y, int Index, bool) {
  if (Index < 0 || Index >= Count()) return;
  TBitmap& b = *images_[static_cast<std::size_t>(Index)];
  b.Transparent = maskColor_ != clDefault;
  b.TransparentColor = maskColor_;
  Canvas.Draw(X, Y, &b);
}

std::vector<HBITMAP> TImageList::Handles() const {
  std::vector<HBITMAP> out;
  for (const auto& b : images_) out.push_back(b->Handle());
  return out;
}

// ------------------------------------------------------------- tree nodes

HWND TTreeNodes::Handle() const { return owner_->Handle(); }

TTreeNodes::~TTreeNodes() = default;

TTreeNode* TTreeNodes::GetNode(HTREEITEM Item) const {
  if (!Item) return nullptr;
  auto it = nodes_.find(Item);
  if (it != nodes_.end()) return it->second.get();
  auto node = std::make_unique<TTreeNode>(const_cast<TTreeNodes*>(this), Item);
  TTreeNode* raw = node.get();
  nodes_.emplace(Item, std::move(node));
  return raw;
}

int TTreeNodes::Count() const { return TreeGetCount(Handle()); }

TTreeNode* TTreeNodes::GetFirstNode() const { return GetNode(TreeGetChild(Handle(), nullptr)); }

TTreeNode* TTreeNodes::Item(int Index) const {
  TTreeNode* n = GetFirstNode();
  while (n && Index-- > 0) n = n->GetNext();
  if (!n) throw EListError("Tree view index out of bounds");
  return n;
}

void TTreeNodes::Clear() {
  nodes_.clear();
  TreeDeleteItem(Handle(), nullptr);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Parent, HTREEITEM After, const std::string& S, void* Ptr) {
  const HWND h = Handle();
  HTREEITEM item = TreeInsertItem(h, Parent ? Parent->item_ : nullptr, After, Cp1252ToUtf16(S), -1, -1,
                                  reinterpret_cast<LPARAM>(Ptr));
  if (!item) throw EOutOfResources("Cannot add the tree node");
  if (owner_->SortType() == stText || owner_->SortType() == stBoth) {
    TreeSortChildren(h, Parent ? Parent->item_ : nullptr, false);
  }
  return GetNode(item);
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& S) { return AddObject(Sibling, S, nullptr); }

TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const std::string& S) {
  return Insert(Sibling ? Sibling->Parent() : nullptr, TVI_FIRST(), S, nullptr);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr) {
  return Insert(Sibling ? Sibling->Parent() : nullptr, TVI_LAST(), S, Ptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& S) { return AddChildObject(Parent, S, nullptr); }

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const std::string& S) {
  return Insert(Parent, TVI_FIRST(), S, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr) {
  return Insert(Parent, TVI_LAST(), S, Ptr);
}

void TTreeNodes::Forget(HTREEITEM Item) {
  for (HTREEITEM c = TreeGetChild(Handle(), Item); c; c = TreeGetNextSibling(Handle(), c)) Forget(c);
  nodes_.erase(Item);
}

void TTreeNodes::SaveItems(HWND hWnd, HTREEITEM Parent, std::vector<TSavedItem>& Into) {
  const HTREEITEM selected = TreeGetSelection(hWnd);
  for (HTREEITEM item = TreeGetChild(hWnd, Parent); item; item = TreeGetNextSibling(hWnd, item)) {
    TSavedItem saved;
    if (auto it = nodes_.find(item); it != nodes_.end()) saved.Node = std::move(it->second);
    saved.Text = TreeGetText(hWnd, item);
    saved.Data = TreeGetData(hWnd, item);
    saved.Expanded = TreeIsExpanded(hWnd, item);
    saved.Selected = item == selected;
    SaveItems(hWnd, item, saved.Children);
    Into.push_back(std::move(saved));
  }
}

void TTreeNodes::RestoreItems(HWND hWnd, HTREEITEM Parent, std::vector<TSavedItem>& From) {
  for (TSavedItem& saved : From) {
    const int image = saved.Node ? saved.Node->imageIndex_ : -1;
    const int selectedImage = saved.Node ? saved.Node->selectedIndex_ : -1;
    const HTREEITEM item = TreeInsertItem(hWnd, Parent, TVI_LAST(), saved.Text, image, selectedImage, saved.Data);
    if (!item) throw EOutOfResources("Cannot add the tree node");
    if (saved.Node) {
      saved.Node->item_ = item;
      nodes_.emplace(item, std::move(saved.Node));
    }
    RestoreItems(hWnd, item, saved.Children);
    if (saved.Expanded) TreeExpand(hWnd, item, true);
    if (saved.Selected) TreeSelectItem(hWnd, item);
  }
}

void TTreeNodes::SaveWindowItems() {
  saved_.clear();
  SaveItems(owner_->WindowHandle(), nullptr, saved_);
  nodes_.clear();
}

void TTreeNodes::RestoreWindowItems() {
  std::vector<TSavedItem> saved = std::move(saved_);
  saved_.clear();
  RestoreItems(owner_->WindowHandle(), nullptr, saved);
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (Node) Node->Delete();
}

void TTreeNodes::BeginUpdate() {
  if (updateCount_++ == 0 && owner_->HandleAllocated()) SendMessageA(Handle(), WM_SETREDRAW, 0, 0);
}

void TTreeNodes::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0 && owner_->HandleAllocated()) {
    SendMessageA(Handle(), WM_SETREDRAW, 1, 0);
    owner_->Invalidate();
  }
}

std::string TTreeNode::Text() const { return Utf16ToCp1252(TreeGetText(owner_->Handle(), item_)); }

void TTreeNode::SetText(const std::string& Value) { TreeSetText(owner_->Handle(), item_, Cp1252ToUtf16(Value)); }

void* TTreeNode::Data() const { return reinterpret_cast<void*>(TreeGetData(owner_->Handle(), item_)); }

void TTreeNode::SetData(void* Value) { TreeSetData(owner_->Handle(), item_, reinterpret_cast<LPARAM>(Value)); }

void TTreeNode::SetImageIndex(int Value) {
  imageIndex_ = Value;
  TreeSetImages(owner_->Handle(), item_, imageIndex_, selectedIndex_);
}

void TTreeNode::SetSelectedIndex(int Value) {
  selectedIndex_ = Value;
  TreeSetImages(owner_->Handle(), item_, imageIndex_, selectedIndex_);
}

TTreeNode* TTreeNode::Parent() const { return owner_->GetNode(TreeGetParent(owner_->Handle(), item_)); }

int TTreeNode::Level() const {
  int level = 0;
  for (TTreeNode* p = Parent(); p; p = p->Parent()) ++level;
  return level;
}

int TTreeNode::Count() const {
  int n = 0;
  for (TTreeNode* c = getFirstChild(); c; c = c->getNextSibling()) ++n;
  return n;
}

TTreeNode* TTreeNode::Item(int Index) const {
  TTreeNode* c = getFirstChild();
  while (c && Index-- > 0) c = c->getNextSibling();
  if (!c) throw EListError("Tree view index out of bounds");
  return c;
}

TTreeNode* TTreeNode::getFirstChild() const { return owner_->GetNode(TreeGetChild(owner_->Handle(), item_)); }

TTreeNode* TTreeNode::getNextSibling() const { return owner_->GetNode(TreeGetNextSibling(owner_->Handle(), item_)); }

TTreeNode* TTreeNode::GetNext() const {
  if (TTreeNode* c = getFirstChild()) return c;
  for (const TTreeNode* n = this; n; n = n->Parent()) {
    if (TTreeNode* s = n->getNextSibling()) return s;
  }
  return nullptr;
}

int TTreeNode::Index() const {
  const HWND h = owner_->Handle();
  int i = 0;
  for (HTREEITEM c = TreeGetChild(h, TreeGetParent(h, item_)); c && c != item_; c = TreeGetNextSibling(h, c)) ++i;
  return i;
}

bool TTreeNode::Expanded() const { return TreeIsExpanded(owner_->Handle(), item_); }

void TTreeNode::SetExpanded(bool Value) { TreeExpand(owner_->Handle(), item_, Value); }

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (Recurse) {
    for (TTreeNode* c = getFirstChild(); c; c = c->getNextSibling()) c->Expand(true);
  }
}

void TTreeNode::Collapse(bool Recurse) {
  SetExpanded(false);
  if (Recurse) {
    for (TTreeNode* c = getFirstChild(); c; c = c->getNextSibling()) c->Collapse(true);
  }
}

bool TTreeNode::Selected() const { return TreeGetSelection(owner_->Handle()) == item_; }

void TTreeNode::SetSelected(bool Value) { TreeSelectItem(owner_->Handle(), Value ? item_ : nullptr); }

void TTreeNode::AlphaSort(bool Recurse) { TreeSortChildren(owner_->Handle(), item_, Recurse); }

void TTreeNode::Delete() {
  TTreeNodes* owner = owner_;
  const HTREEITEM item = item_;
  const HWND h = owner->Handle();
  owner->Forget(item);
  TreeDeleteItem(h, item);
}

// -------------------------------------------------------------- tree view

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner), items_(std::make_unique<TTreeNodes>(this)) {
  FWidth = 121;
  FHeight = 97;
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() = default;

void TCustomTreeView::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "SysTreeView32");
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  TreeSetIndent(WindowHandle(), indent_);
  if (images_) TreeSetImageList(WindowHandle(), images_->Handles(), ColorToRGB(images_->MaskColor()));
  items_->RestoreWindowItems();
}

void TCustomTreeView::DestroyWnd() {
  if (HasState(csDestroying)) {
    items_->nodes_.clear();
  } else {
    items_->SaveWindowItems();
  }
  TWinControl::DestroyWnd();
}

TTreeNode* TCustomTreeView::Selected() { return items_->GetNode(TreeGetSelection(Handle())); }

void TCustomTreeView::SetSelected(TTreeNode* Node) { TreeSelectItem(Handle(), Node ? Node->ItemId() : nullptr); }

void TCustomTreeView::SetImages(TImageList* Value) {
  if (Value == images_) return;
  images_ = Value;
  if (Value) Value->FreeNotification(this);
  if (HandleAllocated()) {
    TreeSetImageList(WindowHandle(), Value ? Value->Handles() : std::vector<HBITMAP>(),
                     Value ? ColorToRGB(Value->MaskColor()) : 0);
  }
}

void TCustomTreeView::SetIndent(int Value) {
  indent_ = Value;
  if (HandleAllocated()) TreeSetIndent(WindowHandle(), Value);
}

void TCustomTreeView::SetSortType(TSortType Value) {
  if (Value == sortType_) return;
  sortType_ = Value;
  if (Value == stText || Value == stBoth) AlphaSort();
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) {
  UINT flags = 0;
  HTREEITEM item = TreeHitTest(Handle(), POINT{X, Y}, &flags);
  return (flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON)) ? items_->GetNode(item)
                                                                                            : nullptr;
}

THitTests TCustomTreeView::GetHitTestInfoAt(int X, int Y) {
  THitTests result = 0;
  const TRect c = ClientRect();
  if (Y < c.top) result |= htAbove;
  if (Y >= c.bottom) result |= htBelow;
  if (X < c.left) result |= htToLeft;
  if (X >= c.right) result |= htToRight;
  if (result) return result;
  UINT flags = 0;
  TreeHitTest(Handle(), POINT{X, Y}, &flags);
  if (flags & TVHT_NOWHERE) result |= htNowhere;
  if (flags & TVHT_ONITEMICON) result |= htOnIcon | htOnItem;
  if (flags & TVHT_ONITEMLABEL) result |= htOnLabel | htOnItem;
  if (flags & TVHT_ONITEMSTATEICON) result |= htOnStateIcon | htOnItem;
  if (flags & TVHT_ONITEMINDENT) result |= htOnIndent;
  if (flags & TVHT_ONITEMBUTTON) result |= htOnButton;
  if (flags & TVHT_ONITEMRIGHT) result |= htOnRight;
  return result;
}

void TCustomTreeView::AlphaSort() {
  if (HandleAllocated()) TreeSortChildren(WindowHandle(), nullptr, true);
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* n = items_->GetFirstNode(); n; n = n->getNextSibling()) n->Expand(true);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* n = items_->GetFirstNode(); n; n = n->getNextSibling()) n->Collapse(true);
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (OnChange) OnChange(this, Node);
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) SetImages(nullptr);
}

void TCustomTreeView::WndProc(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY && Message.LParam &&
      reinterpret_cast<const NMHDR*>(Message.LParam)->code == TVN_SELCHANGEDW) {
    Change(Selected());
    return;
  }
  TWinControl::WndProc(Message);
}

}  // namespace platform
