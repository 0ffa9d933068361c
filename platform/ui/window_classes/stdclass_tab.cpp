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

LRESULT TabProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  TabPeer* p = StdPeerOf<TabPeer>(h);
  const auto index = static_cast<int>(static_cast<LPARAM>(w));
  switch (msg) {
    case WM_NCCREATE:
      SetWindowPeer(h, std::make_unique<TabPeer>(h, new TabWidget));
      return 1;
    case TCM_INSERTITEMA:
      return SetItem<TCITEMA, char>(p, index, reinterpret_cast<const TCITEMA*>(l), true);
    case TCM_INSERTITEMW:
      return SetItem<TCITEMW, char16_t>(p, index, reinterpret_cast<const TCITEMW*>(l), true);
    case TCM_SETITEMA:
      return SetItem<TCITEMA, char>(p, index, reinterpret_cast<const TCITEMA*>(l), false);
    case TCM_SETITEMW:
      return SetItem<TCITEMW, char16_t>(p, index, reinterpret_cast<const TCITEMW*>(l), false);
    case TCM_GETITEMA:
      return GetItem<TCITEMA, char>(p, index, reinterpret_cast<TCITEMA*>(l));
    case TCM_GETITEMW:
      return GetItem<TCITEMW, char16_t>(p, index, reinterpret_cast<TCITEMW*>(l));
    case TCM_DELETEITEM: {
      if (!p || index < 0 || index >= p->tabs->bar->count()) return 0;
      const QSignalBlocker block(p->tabs->bar);
      p->tabs->bar->removeTab(index);
      return 1;
    }
    case TCM_DELETEALLITEMS:
      if (p) {
        const QSignalBlocker block(p->tabs->bar);
        while (p->tabs->bar->count()) p->tabs->bar->removeTab(0);
      }
      return 1;
    case TCM_GETITEMCOUNT:
      return p ? p->tabs->bar->count() : 0;
    case TCM_GETCURSEL:
      return p ? p->tabs->bar->currentIndex() : -1;
    case TCM_SETCURSEL: {
      if (!p || index < 0 || index >= p->tabs->bar->count()) return -1;
      const QSignalBlocker block(p->tabs->bar);
      const int old = p->tabs->bar->currentIndex();
      p->tabs->bar->setCurrentIndex(index);
      return old;
    }
    case TCM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(l);
      if (!p || !r || index < 0 || index >= p->tabs->bar->count()) return 0;
      const QRect q = p->tabs->bar->tabRect(index).translated(p->tabs->bar->pos());
      *r = RECT{q.left(), q.top(), q.right() + 1, q.bottom() + 1};
      return 1;
    }
    case TCM_ADJUSTRECT: {
      auto* r = reinterpret_cast<RECT*>(l);
      if (!p || !r) return 0;
      const int top = p->tabs->BarHeight();
      if (w) {
        r->left -= 4;
        r->right += 4;
        r->top -= top + 3;
        r->bottom += 4;
      } else {
        r->left += 4;
        r->right -= 4;
        r->top += top + 3;
        r->bottom -= 4;
      }
      return 0;
    }
    case CCM_SETUNICODEFORMAT: {
      if (!p) return 0;
      return std::exchange(p->unicodeNotify, w != 0) ? 1 : 0;
    }
    case CCM_GETUNICODEFORMAT:
      return p && p->unicodeNotify ? 1 : 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: {
      if (!p) return 0;
      const QPoint pos(GET_X_LPARAM(l), GET_Y_LPARAM(l));
      const int hit = p->tabs->bar->tabAt(p->tabs->bar->mapFrom(p->tabs, pos));
      if (hit < 0 || hit == p->tabs->bar->currentIndex()) return 0;
      if (NotifyParentNM(h, TCN_SELCHANGING) != 0 || !IsWindow(h)) return 0;
      {
        const QSignalBlocker block(p->tabs->bar);
        p->tabs->bar->setCurrentIndex(hit);
      }
      NotifyParentNM(h, TCN_SELCHANGE);
      return 0;
    }
    case WM_KEYDOWN: {
      if (!p || (w != VK_LEFT && w != VK_RIGHT)) return 0;
      const int next = p->tabs->bar->currentIndex() + (w == VK_RIGHT ? 1 : -1);
      if (next < 0 || next >= p->tabs->bar->count()) return 0;
      if (NotifyParentNM(h, TCN_SELCHANGING) != 0 || !IsWindow(h)) return 0;
      {
        const QSignalBlocker block(p->tabs->bar);
        p->tabs->bar->setCurrentIndex(next);
      }
      NotifyParentNM(h, TCN_SELCHANGE);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_KEYUP:
    case WM_CHAR:
      return 0;
    default:
      return StdDefault(p, h, msg, w, l, false);
  }
}

}  // namespace

void RegisterTabClass() { RegisterStdClass(u"SysTabControl32", MakeWndProc<&TabProc>(true)); }

}  // namespace platform::ui
