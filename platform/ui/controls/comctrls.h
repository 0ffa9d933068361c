#pragma once
// The common controls of the class library: the page control with its tab
// sheets (over the tab control class), the tree view with its nodes (over
// the tree view class) and the image list that gives both their pictures.

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui/controls/controls.h"
#include "platform/ui/window_classes/treeview.h"

namespace platform {

class TPageControl;

// One page of a page control; its caption is the tab's text.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* Value);
  int PageIndex();
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool Value);
  // The position of the sheet's tab among the visible tabs (-1 when its
  // tab is hidden).
  int TabIndex();
  // When the sheet comes into view and when it leaves it (its page is
  // chosen or left, or the form shows or hides).
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void PaintWindow(HDC DC) override;
  virtual void DoShow();
  virtual void DoHide();

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int Index) const { return pages_.at(static_cast<std::size_t>(Index)); }
  TTabSheet* ActivePage() const { return activePage_; }
  // Shows the page and selects its tab; sends no change events.
  void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int Index);
  // The selected tab (-1 when none).
  int TabIndex();
  // The area the pages fill.
  TRect DisplayRect();
  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;
  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void AlignControls(TControl* AControl) override;
  virtual bool CanChange();
  virtual void Change();
  // Puts a sheet's tab into the window (TCM_INSERTITEMA) or refreshes its
  // text (TCM_SETITEMA).
  virtual void InsertTab(TTabSheet* Page);
  virtual void UpdateTab(TTabSheet* Page);
  virtual void DeleteTab(TTabSheet* Page);
  // A docked client (CM_DOCKCLIENT) gets a page of its own, captioned with
  // a form's caption, its tab shown (and the page made active) when the
  // client is visible, the client filling it; a new text of the client
  // (CM_DOCKNOTIFICATION) up to its first line break captions the page.
  // While the page is being made, a client being added goes onto it.
  void DoAddDockClient(TControl* Client, const TRect& ARect) override;
  // The page a docked client is on; null when none.
  TTabSheet* GetPageFromDockClient(TControl* Client) const;

 private:
  friend class TTabSheet;
  void CMDockClient(TMessage& Message);
  void CMDockNotification(TMessage& Message);
  TTabSheet* newDockSheet_ = nullptr;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void ShowOnly(TTabSheet* Page);
  void RebuildTabs();
  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
};

// Pictures of one size, given by index.
class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* AOwner);
  ~TImageList() override;
  int Width = 16;
  int Height = 16;
  int Count() const { return static_cast<int>(images_.size()); }
  // Adds a copy; the colour of masked pixels does not draw.
  int Add(TBitmap* Image, TBitmap* Mask);
  int AddMasked(TBitmap* Image, TColor MaskColor);
  void Delete(int Index);
  void Clear();
  bool GetBitmap(int Index, TBitmap* Image);
  void Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled = true);
  std::vector<HBITMAP> Handles() const;
  TColor MaskColor() const { return maskColor_; }
  TNotifyEvent OnChange;

 private:
  std::vector<std::unique_ptr<TBitmap>> images_;
  TColor maskColor_ = clDefault;
};

class TTreeNodes;
class TCustomTreeView;

class TTreeNode : public TPersistent {
 public:
  TTreeNode(TTreeNodes* Owner, HTREEITEM Item) : owner_(Owner), item_(Item) {}
  HTREEITEM ItemId() const { return item_; }
  TTreeNodes* Owner() const { return owner_; }
  std::string Text() const;
  void SetText(const std::string& Value);
  void* Data() const;
  void SetData(void* Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int Value);
  TTreeNode* Parent() const;
  int Level() const;
  int Count() const;
  TTreeNode* Item(int Index) const;
  bool HasChildren() const { return getFirstChild() != nullptr; }
  TTreeNode* getFirstChild() const;
  TTreeNode* getNextSibling() const;
  // The next node in display order (children first).
  TTreeNode* GetNext() const;
  int Index() const;
  bool Expanded() const;
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  bool Selected() const;
  void SetSelected(bool Value);
  // Sorts the children by text.
  void AlphaSort(bool Recurse = false);
  void Delete();

 private:
  friend class TTreeNodes;
  TTreeNodes* owner_;
  HTREEITEM item_;
  int imageIndex_ = -1;
  int selectedIndex_ = -1;
};

class TTreeNodes : public TPersistent {
 public:
  explicit TTreeNodes(TCustomTreeView* Owner) : owner_(Owner) {}
  ~TTreeNodes() override;
  int Count() const;
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstNode() const;
  void Clear();
  // A node after the last sibling of Sibling (at the top level when null).
  TTreeNode* Add(TTreeNode* Sibling, const std::string& S);
  TTreeNode* AddFirst(TTreeNode* Sibling, const std::string& S);
  TTreeNode* AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr);
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& S);
  TTreeNode* AddChildFirst(TTreeNode* Parent, const std::string& S);
  TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr);
  void Delete(TTreeNode* Node);
  void BeginUpdate();
  void EndUpdate();
  // The node of an item of the window.
  TTreeNode* GetNode(HTREEITEM Item) const;
  TCustomTreeView* Owner() const { return owner_; }

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  TTreeNode* Insert(TTreeNode* Parent, HTREEITEM After, const std::string& S, void* Ptr);
  void Forget(HTREEITEM Item);
  HWND Handle() const;
  // What a window's items were, kept with their node objects while the
  // window is made anew.
  struct TSavedItem {
    std::unique_ptr<TTreeNode> Node;
    std::u16string Text;
    LPARAM Data = 0;
    bool Expanded = false;
    bool Selected = false;
    std::vector<TSavedItem> Children;
  };
  void SaveItems(HWND hWnd, HTREEITEM Parent, std::vector<TSavedItem>& Into);
  void RestoreItems(HWND hWnd, HTREEITEM Parent, std::vector<TSavedItem>& From);
  // Before the window goes (not for good) and after the new one is made.
  void SaveWindowItems();
  void RestoreWindowItems();
  TCustomTreeView* owner_;
  mutable std::unordered_map<HTREEITEM, std::unique_ptr<TTreeNode>> nodes_;
  std::vector<TSavedItem> saved_;
  int updateCount_ = 0;
};

enum TSortType { stNone, stData, stText, stBoth };
enum THitTestFlag : unsigned {
  htAbove = 1u << 0,
  htBelow = 1u << 1,
  htNowhere = 1u << 2,
  htOnItem = 1u << 3,
  htOnButton = 1u << 4,
  htOnIcon = 1u << 5,
  htOnIndent = 1u << 6,
  htOnLabel = 1u << 7,
  htOnRight = 1u << 8,
  htOnStateIcon = 1u << 9,
  htToLeft = 1u << 10,
  htToRight = 1u << 11,
};
using THitTests = unsigned;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

class TCustomTreeView : public TWinControl {
 public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;
  TTreeNodes& Items() { return *items_; }
  TTreeNode* Selected();
  void SetSelected(TTreeNode* Node);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* Value);
  int Indent() const { return indent_; }
  void SetIndent(int Value);
  TSortType SortType() const { return sortType_; }
  void SetSortType(TSortType Value);
  TTreeNode* GetNodeAt(int X, int Y);
  THitTests GetHitTestInfoAt(int X, int Y);
  void AlphaSort();
  void FullExpand();
  void FullCollapse();
  TTVChangedEvent OnChange;
  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void Change(TTreeNode* Node);

 private:
  std::unique_ptr<TTreeNodes> items_;
  TImageList* images_ = nullptr;
  int indent_ = 19;
  TSortType sortType_ = stNone;
};

class TTreeView : public TCustomTreeView {
 public:
  using TCustomTreeView::TCustomTreeView;
};

}  // namespace platform
