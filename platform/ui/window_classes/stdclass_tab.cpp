// The tab control class (SysTabControl32) on a QTabBar above a framed
// page area. Tab texts and item data live in the tab bar. The A and W item
// messages carry TCITEMA and TCITEMW; a text set with TCIF_RTLREADING reads
// right to left, and a get-item that asks for TCIF_RTLREADING keeps it in
// its mask only for such a text. A click asks the parent first
// (TCN_SELCHANGING may refuse) and then tells it (TCN_SELCHANGE); selecting
// from code tells nobody.

#include <QPainter>
#include <QStyleOptionFrame>
#include <QTabBar>

#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

class TabWidget : public QWidget {
 public:
  TabWidget() : Bar(new QTabBar(this)) {
    Bar->setDrawBase(false);
    Bar->setExpanding(false);
    Bar->move(2, 0);
  }
  int BarHeight() const { return Bar->count() ? Bar->sizeHint().height() : Bar->fontMetrics().height() + 8; }
  QTabBar* Bar;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    const int top = BarHeight() - 1;
    p.setPen(ToQColor(GetSysColor(COLOR_BTNSHADOW)));
    p.drawRect(QRect(0, top, width() - 1, height() - top - 1));
  }
  void resizeEvent(QResizeEvent*) override { Bar->resize(std::max(width() - 4, 0), BarHeight()); }
};

class TabPeer : public StdPeer {
 public:
  TabPeer(HWND hWnd, TabWidget* W) : StdPeer(hWnd, W, WM_CTLCOLORSTATIC), Tabs(W) { Route(W->Bar); }
  TabWidget* Tabs;
  bool UnicodeNotify = true;
};

// A tab's item data and whether its text reads right to left.
struct TabData {
  qlonglong Param = 0;
  bool RightToLeft = false;
};

TabData DataOf(const QTabBar* Bar, int Index) {
  const QVariantList v = Bar->tabData(Index).toList();
  return v.size() == 2 ? TabData{v[0].toLongLong(), v[1].toBool()} : TabData{};
}

void SetDataOf(QTabBar* Bar, int Index, const TabData& Data) {
  Bar->setTabData(Index, QVariantList{Data.Param, Data.RightToLeft});
}

// A right-to-left text is shown embedded as such.
constexpr char16_t kRightToLeftEmbedding = 0x202B;
constexpr char16_t kPopDirection = 0x202C;

QString TabText(const QTabBar* Bar, int Index) {
  const QString shown = Bar->tabText(Index);
  return DataOf(Bar, Index).RightToLeft ? shown.mid(1, shown.size() - 2) : shown;
}

template <class TabItem>
LRESULT SetItem(TabPeer* P, int Index, const TabItem* Item, bool Insert) {
  if (!P || !Item) return Insert ? -1 : 0;
  QTabBar* bar = P->Tabs->Bar;
  const QSignalBlocker block(bar);
  if (Insert) {
    Index = std::clamp(Index, 0, bar->count());
    const int current = bar->currentIndex();
    bar->insertTab(Index, QString());
    if (current >= 0) bar->setCurrentIndex(current >= Index ? current + 1 : current);
    P->Tabs->Bar->resize(std::max(P->Tabs->width() - 4, 0), P->Tabs->BarHeight());
  } else if (Index < 0 || Index >= bar->count()) {
    return 0;
  }
  TabData data = DataOf(bar, Index);
  if ((Item->mask & TCIF_TEXT) && Item->pszText) {
    QString text = TextArgOf(Item->pszText);
    data.RightToLeft = (Item->mask & TCIF_RTLREADING) != 0;
    if (data.RightToLeft) text = QChar(kRightToLeftEmbedding) + text + QChar(kPopDirection);
    bar->setTabText(Index, text);
  }
  if (Item->mask & TCIF_PARAM) data.Param = Item->lParam;
  SetDataOf(bar, Index, data);
  P->Tabs->update();
  return Insert ? Index : 1;
}

template <class TabItem>
LRESULT GetItem(TabPeer* P, int Index, TabItem* Item) {
  if (!P || !Item || Index < 0 || Index >= P->Tabs->Bar->count()) return 0;
  const TabData data = DataOf(P->Tabs->Bar, Index);
  if (!data.RightToLeft) Item->mask &= ~TCIF_RTLREADING;
  if (Item->mask & TCIF_TEXT) CopyTextOut(TabText(P->Tabs->Bar, Index), Item->pszText, Item->cchTextMax);
  if (Item->mask & TCIF_PARAM) Item->lParam = static_cast<LPARAM>(data.Param);
  return 1;
}

int Index(WPARAM wParam) { return static_cast<int>(static_cast<LPARAM>(wParam)); }

LRESULT Create(HWND hWnd) {
  SetWindowPeer(hWnd, std::make_unique<TabPeer>(hWnd, new TabWidget));
  return 1;
}

// ---------------------------------------------------------------- items

template <class TabItem, bool Insert>
LRESULT PutItem(TabPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  return SetItem<TabItem>(&P, Index(wParam), reinterpret_cast<const TabItem*>(lParam), Insert);
}

template <class TabItem>
LRESULT TakeItem(TabPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  return GetItem<TabItem>(&P, Index(wParam), reinterpret_cast<TabItem*>(lParam));
}

LRESULT DeleteItem(TabPeer& P, HWND, WPARAM wParam, LPARAM) {
  QTabBar* bar = P.Tabs->Bar;
  if (Index(wParam) < 0 || Index(wParam) >= bar->count()) return 0;
  const QSignalBlocker block(bar);
  bar->removeTab(Index(wParam));
  return 1;
}

LRESULT DeleteAllItems(TabPeer& P, HWND, WPARAM, LPARAM) {
  const QSignalBlocker block(P.Tabs->Bar);
  while (P.Tabs->Bar->count()) P.Tabs->Bar->removeTab(0);
  return 1;
}

LRESULT GetItemCount(TabPeer& P, HWND, WPARAM, LPARAM) { return P.Tabs->Bar->count(); }

LRESULT GetItemRect(TabPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  auto* r = reinterpret_cast<RECT*>(lParam);
  QTabBar* bar = P.Tabs->Bar;
  if (!r || Index(wParam) < 0 || Index(wParam) >= bar->count()) return 0;
  const QRect q = bar->tabRect(Index(wParam)).translated(bar->pos());
  *r = RECT{q.left(), q.top(), q.right() + 1, q.bottom() + 1};
  return 1;
}

// The display area of a window area (w false), or the window area of a
// display area (w true).
LRESULT AdjustRect(TabPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  auto* r = reinterpret_cast<RECT*>(lParam);
  if (!r) return 0;
  const int sign = wParam ? -1 : 1;
  const int top = P.Tabs->BarHeight();
  r->left += sign * 4;
  r->right -= sign * 4;
  r->top += sign * (top + 3);
  r->bottom -= sign * 4;
  return 0;
}

// ------------------------------------------------------------ selection

LRESULT GetCurSel(TabPeer& P, HWND, WPARAM, LPARAM) { return P.Tabs->Bar->currentIndex(); }

// From code: nobody is asked or told.
LRESULT SetCurSel(TabPeer& P, HWND, WPARAM wParam, LPARAM) {
  QTabBar* bar = P.Tabs->Bar;
  if (Index(wParam) < 0 || Index(wParam) >= bar->count()) return -1;
  const QSignalBlocker block(bar);
  const int old = bar->currentIndex();
  bar->setCurrentIndex(Index(wParam));
  return old;
}

// The user's choice of tab: the parent may refuse it, and hears of it.
void Choose(TabPeer& P, HWND hWnd, int Index) {
  if (Index < 0 || Index >= P.Tabs->Bar->count() || Index == P.Tabs->Bar->currentIndex()) return;
  if (NotifyParentNM(hWnd, TCN_SELCHANGING) != 0 || !IsWindow(hWnd)) return;
  {
    const QSignalBlocker block(P.Tabs->Bar);
    P.Tabs->Bar->setCurrentIndex(Index);
  }
  NotifyParentNM(hWnd, TCN_SELCHANGE);
}

LRESULT LButtonDown(TabPeer& P, HWND hWnd, WPARAM, LPARAM lParam) {
  const QPoint pos(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  Choose(P, hWnd, P.Tabs->Bar->tabAt(P.Tabs->Bar->mapFrom(P.Tabs, pos)));
  return 0;
}

LRESULT KeyDown(TabPeer& P, HWND hWnd, WPARAM wParam, LPARAM) {
  if (wParam == VK_LEFT || wParam == VK_RIGHT)
    Choose(P, hWnd, P.Tabs->Bar->currentIndex() + (wParam == VK_RIGHT ? 1 : -1));
  return 0;
}

// The tab bar is worked by the messages above; the rest of the input is
// not handed back to it.
LRESULT Ignore(TabPeer&, HWND, WPARAM, LPARAM) { return 0; }

LRESULT GetDlgCode(TabPeer&, HWND, WPARAM, LPARAM) { return DLGC_WANTARROWS; }

// --------------------------------------------- the form of notifications

// A new tab control sends its notifications in the form its parent asks
// for.
void AskNotifyFormat(HWND hWnd) {
  TabPeer* peer = StdPeerOf<TabPeer>(hWnd);
  const HWND parent = GetParent(hWnd);
  if (!peer || !parent) return;
  peer->UnicodeNotify = SendMessageW(parent, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(hWnd), NF_QUERY) == NFR_UNICODE;
}

LRESULT SetUnicodeFormat(TabPeer& P, HWND, WPARAM wParam, LPARAM) {
  return std::exchange(P.UnicodeNotify, wParam != 0) ? 1 : 0;
}

LRESULT GetUnicodeFormat(TabPeer& P, HWND, WPARAM, LPARAM) { return P.UnicodeNotify ? 1 : 0; }

constexpr MessageHandler<TabPeer> kMessages[] = {
    {TCM_INSERTITEMA, &PutItem<TCITEMA, true>, -1},
    {TCM_INSERTITEMW, &PutItem<TCITEMW, true>, -1},
    {TCM_SETITEMA, &PutItem<TCITEMA, false>},
    {TCM_SETITEMW, &PutItem<TCITEMW, false>},
    {TCM_GETITEMA, &TakeItem<TCITEMA>},
    {TCM_GETITEMW, &TakeItem<TCITEMW>},
    {TCM_DELETEITEM, &DeleteItem},
    {TCM_DELETEALLITEMS, &DeleteAllItems, 1},
    {TCM_GETITEMCOUNT, &GetItemCount},
    {TCM_GETITEMRECT, &GetItemRect},
    {TCM_ADJUSTRECT, &AdjustRect},
    {TCM_GETCURSEL, &GetCurSel, -1},
    {TCM_SETCURSEL, &SetCurSel, -1},
    {CCM_SETUNICODEFORMAT, &SetUnicodeFormat},
    {CCM_GETUNICODEFORMAT, &GetUnicodeFormat},
    {WM_GETDLGCODE, &GetDlgCode, DLGC_WANTARROWS},
    {WM_LBUTTONDOWN, &LButtonDown},
    {WM_KEYDOWN, &KeyDown},
    {WM_LBUTTONUP, &Ignore},
    {WM_MOUSEMOVE, &Ignore},
    {WM_KEYUP, &Ignore},
    {WM_CHAR, &Ignore},
};

LRESULT TabProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_NCCREATE) return Create(hWnd);
  if (Msg == WM_CREATE) AskNotifyFormat(hWnd);
  return Dispatch(kMessages, hWnd, Msg, wParam, lParam, false);
}

}  // namespace

void RegisterTabClass() { RegisterStdClass(u"SysTabControl32", MakeWndProc<&TabProc>(true)); }

}  // namespace platform::ui
