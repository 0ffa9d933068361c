// The tab control class (SysTabControl32) on a QTabBar above a framed
// page area. Tab texts and item data live in the tab bar. The A and W item
// messages carry TCITEMA and TCITEMW; a click asks the parent first
// (TCN_SELCHANGING may refuse) and then tells it (TCN_SELCHANGE); selecting
// from code tells nobody.

#include <QPainter>
#include <QStyleOptionFrame>
#include <QTabBar>

#include "platform/core/text/cp1252.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

class TabWidget : public QWidget {
 public:
  TabWidget() : bar(new QTabBar(this)) {
    bar->setDrawBase(false);
    bar->setExpanding(false);
    bar->move(2, 0);
  }
  int BarHeight() const { return bar->count() ? bar->sizeHint().height() : bar->fontMetrics().height() + 8; }
  QTabBar* bar;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    const int top = BarHeight() - 1;
    p.setPen(ToQColor(GetSysColor(COLOR_BTNSHADOW)));
    p.drawRect(QRect(0, top, width() - 1, height() - top - 1));
  }
  void resizeEvent(QResizeEvent*) override { bar->resize(std::max(width() - 4, 0), BarHeight()); }
};

class TabPeer : public StdPeer {
 public:
  TabPeer(HWND h, TabWidget* w) : StdPeer(h, w, WM_CTLCOLORSTATIC), tabs(w) { Route(w->bar); }
  TabWidget* tabs;
  bool unicodeNotify = true;
};

template <class Item, class Char>
LRESULT SetItem(TabPeer* p, int index, const Item* item, bool insert) {
  if (!p || !item) return insert ? -1 : 0;
  QTabBar* bar = p->tabs->bar;
  const QSignalBlocker block(bar);
  if (insert) {
    index = std::clamp(index, 0, bar->count());
    const int current = bar->currentIndex();
    bar->insertTab(index, QString());
    if (current >= 0) bar->setCurrentIndex(current >= index ? current + 1 : current);
    p->tabs->bar->resize(std::max(p->tabs->width() - 4, 0), p->tabs->BarHeight());
  } else if (index < 0 || index >= bar->count()) {
    return 0;
  }
  if ((item->mask & TCIF_TEXT) && item->pszText) {
    if constexpr (std::is_same_v<Char, char>) {
      bar->setTabText(index, ToQString(Cp1252ToUtf16(item->pszText)));
    } else {
      bar->setTabText(index, QString::fromUtf16(item->pszText));
    }
  }
  if (item->mask & TCIF_PARAM) bar->setTabData(index, QVariant::fromValue<qlonglong>(item->lParam));
  p->tabs->update();
  return insert ? index : 1;
}

template <class Item, class Char>
LRESULT GetItem(TabPeer* p, int index, Item* item) {
  if (!p || !item || index < 0 || index >= p->tabs->bar->count()) return 0;
  if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
    const QString text = p->tabs->bar->tabText(index);
    if constexpr (std::is_same_v<Char, char>) {
      const std::string s = Utf16ToCp1252(FromQString(text));
      const std::size_t n = std::min<std::size_t>(s.size(), static_cast<std::size_t>(item->cchTextMax - 1));
      std::copy_n(s.data(), n, item->pszText);
      item->pszText[n] = '\0';
    } else {
      CopyText(text, static_cast<std::size_t>(item->cchTextMax), reinterpret_cast<LPARAM>(item->pszText));
    }
  }
  if (item->mask & TCIF_PARAM) item->lParam = static_cast<LPARAM>(p->tabs->bar->tabData(index).toLongLong());
  return 1;
}

int Index(WPARAM w) { return static_cast<int>(static_cast<LPARAM>(w)); }

LRESULT Create(HWND h) {
  SetWindowPeer(h, std::make_unique<TabPeer>(h, new TabWidget));
  return 1;
}

// ---------------------------------------------------------------- items

template <class Item, class Char, bool Insert>
LRESULT PutItem(TabPeer& p, HWND, WPARAM w, LPARAM l) {
  return SetItem<Item, Char>(&p, Index(w), reinterpret_cast<const Item*>(l), Insert);
}

template <class Item, class Char>
LRESULT TakeItem(TabPeer& p, HWND, WPARAM w, LPARAM l) {
  return GetItem<Item, Char>(&p, Index(w), reinterpret_cast<Item*>(l));
}

LRESULT DeleteItem(TabPeer& p, HWND, WPARAM w, LPARAM) {
  QTabBar* bar = p.tabs->bar;
  if (Index(w) < 0 || Index(w) >= bar->count()) return 0;
  const QSignalBlocker block(bar);
  bar->removeTab(Index(w));
  return 1;
}

LRESULT DeleteAllItems(TabPeer& p, HWND, WPARAM, LPARAM) {
  const QSignalBlocker block(p.tabs->bar);
  while (p.tabs->bar->count()) p.tabs->bar->removeTab(0);
  return 1;
}

LRESULT GetItemCount(TabPeer& p, HWND, WPARAM, LPARAM) { return p.tabs->bar->count(); }

LRESULT GetItemRect(TabPeer& p, HWND, WPARAM w, LPARAM l) {
  auto* r = reinterpret_cast<RECT*>(l);
  QTabBar* bar = p.tabs->bar;
  if (!r || Index(w) < 0 || Index(w) >= bar->count()) return 0;
  const QRect q = bar->tabRect(Index(w)).translated(bar->pos());
  *r = RECT{q.left(), q.top(), q.right() + 1, q.bottom() + 1};
  return 1;
}

// The display area of a window area (w false), or the window area of a
// display area (w true).
LRESULT AdjustRect(TabPeer& p, HWND, WPARAM w, LPARAM l) {
  auto* r = reinterpret_cast<RECT*>(l);
  if (!r) return 0;
  const int sign = w ? -1 : 1;
  const int top = p.tabs->BarHeight();
  r->left += sign * 4;
  r->right -= sign * 4;
  r->top += sign * (top + 3);
  r->bottom -= sign * 4;
  return 0;
}

// ------------------------------------------------------------ selection

LRESULT GetCurSel(TabPeer& p, HWND, WPARAM, LPARAM) { return p.tabs->bar->currentIndex(); }

// From code: nobody is asked or told.
LRESULT SetCurSel(TabPeer& p, HWND, WPARAM w, LPARAM) {
  QTabBar* bar = p.tabs->bar;
  if (Index(w) < 0 || Index(w) >= bar->count()) return -1;
  const QSignalBlocker block(bar);
  const int old = bar->currentIndex();
  bar->setCurrentIndex(Index(w));
  return old;
}

// The user's choice of tab: the parent may refuse it, and hears of it.
void Choose(TabPeer& p, HWND h, int index) {
  if (index < 0 || index >= p.tabs->bar->count() || index == p.tabs->bar->currentIndex()) return;
  if (NotifyParentNM(h, TCN_SELCHANGING) != 0 || !IsWindow(h)) return;
  {
    const QSignalBlocker block(p.tabs->bar);
    p.tabs->bar->setCurrentIndex(index);
  }
  NotifyParentNM(h, TCN_SELCHANGE);
}

LRESULT LButtonDown(TabPeer& p, HWND h, WPARAM, LPARAM l) {
  const QPoint pos(GET_X_LPARAM(l), GET_Y_LPARAM(l));
  Choose(p, h, p.tabs->bar->tabAt(p.tabs->bar->mapFrom(p.tabs, pos)));
  return 0;
}

LRESULT KeyDown(TabPeer& p, HWND h, WPARAM w, LPARAM) {
  if (w == VK_LEFT || w == VK_RIGHT) Choose(p, h, p.tabs->bar->currentIndex() + (w == VK_RIGHT ? 1 : -1));
  return 0;
}

// The tab bar is worked by the messages above; the rest of the input is
// not handed back to it.
LRESULT Ignore(TabPeer&, HWND, WPARAM, LPARAM) { return 0; }

LRESULT GetDlgCode(TabPeer&, HWND, WPARAM, LPARAM) { return DLGC_WANTARROWS; }

// --------------------------------------------- the form of notifications

LRESULT SetUnicodeFormat(TabPeer& p, HWND, WPARAM w, LPARAM) { return std::exchange(p.unicodeNotify, w != 0) ? 1 : 0; }

LRESULT GetUnicodeFormat(TabPeer& p, HWND, WPARAM, LPARAM) { return p.unicodeNotify ? 1 : 0; }

constexpr MessageHandler<TabPeer> kMessages[] = {
    {TCM_INSERTITEMA, &PutItem<TCITEMA, char, true>, -1},
    {TCM_INSERTITEMW, &PutItem<TCITEMW, char16_t, true>, -1},
    {TCM_SETITEMA, &PutItem<TCITEMA, char, false>},
    {TCM_SETITEMW, &PutItem<TCITEMW, char16_t, false>},
    {TCM_GETITEMA, &TakeItem<TCITEMA, char>},
    {TCM_GETITEMW, &TakeItem<TCITEMW, char16_t>},
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

LRESULT TabProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_NCCREATE) return Create(h);
  return Dispatch(kMessages, h, msg, w, l, false);
}

}  // namespace

void RegisterTabClass() { RegisterStdClass(u"SysTabControl32", MakeWndProc<&TabProc>(true)); }

}  // namespace platform::ui
