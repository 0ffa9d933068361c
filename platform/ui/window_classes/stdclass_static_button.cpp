// The STATIC class (a text the window draws itself, "&" marking the
// accelerator unless SS_NOPREFIX) and the BUTTON class on Qt's push button,
// check box, radio button and group box.

#include <QCheckBox>
#include <QGroupBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

class StaticWidget : public QWidget {
 public:
  explicit StaticWidget(DWORD Style) : style_(Style) {}
  QString Text;
  HFONT Font = 0;

 protected:
  void paintEvent(QPaintEvent*) override {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    HDC dc = CreateImageDC(&image);
    if (Font) SelectObject(dc, Font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(
        dc, FromQColor(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText)));
    RECT r{0, 0, width(), height()};
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if ((style_ & 3) == SS_CENTER) format |= DT_CENTER;
    if ((style_ & 3) == SS_RIGHT) format |= DT_RIGHT;
    if (style_ & SS_NOPREFIX) format |= DT_NOPREFIX;
    const std::u16string t = FromQString(Text);
    DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &r, format);
    delete dc;
    QPainter(this).drawImage(0, 0, image);
  }

 private:
  DWORD style_;
};

class StaticPeer : public StdPeer {
 public:
  StaticPeer(HWND hWnd, StaticWidget* W) : StdPeer(hWnd, W, WM_CTLCOLORSTATIC), Widget(W) {
    W->setAutoFillBackground(false);
  }
  StaticWidget* Widget;
};

LRESULT StaticProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  StaticPeer* p = StdPeerOf<StaticPeer>(hWnd);
  switch (Msg) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
      auto* widget = new StaticWidget(cs->style);
      if (cs->lpszName) widget->Text = QString::fromUtf16(static_cast<const char16_t*>(cs->lpszName));
      SetWindowPeer(hWnd, std::make_unique<StaticPeer>(hWnd, widget));
      return 1;
    }
    case WM_SETTEXT:
      if (!p) return 0;
      p->Widget->Text = TextArg(lParam);
      p->Widget->update();
      return 1;
    case WM_GETTEXT:
      return p ? CopyText(p->Widget->Text, wParam, lParam) : 0;
    case WM_GETTEXTLENGTH:
      return p ? p->Widget->Text.size() : 0;
    case WM_SETFONT:
      if (p) {
        p->Widget->Font = static_cast<HFONT>(wParam);
        p->Widget->update();
      }
      return 0;
    case WM_GETFONT:
      return p ? static_cast<LRESULT>(p->Widget->Font) : 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      if (Msg == WM_LBUTTONUP && (GetWindowLong(hWnd, GWL_STYLE) & SS_NOTIFY)) NotifyParent(hWnd, 0);
      return 0;
    default:
      return StdDefault(p, hWnd, Msg, wParam, lParam, false);
  }
}

class ButtonPeer : public StdPeer {
 public:
  ButtonPeer(HWND hWnd, QAbstractButton* ButtonWidget, DWORD ButtonType)
      : StdPeer(hWnd, ButtonWidget, WM_CTLCOLORBTN), Button(ButtonWidget), Type(ButtonType) {
    QObject::connect(ButtonWidget, &QAbstractButton::clicked, ButtonWidget, [this] {
      // Only the auto styles change their own check; the others leave it
      // to the program.
      if (Type == BS_CHECKBOX || Type == BS_RADIOBUTTON) {
        const QSignalBlocker block(Button);
        Button->setChecked(!Button->isChecked());
      }
      if (IsWindow(Hwnd)) NotifyParent(Hwnd, BN_CLICKED);
    });
  }
  ButtonPeer(HWND hWnd, QGroupBox* GroupBox)
      : StdPeer(hWnd, GroupBox, WM_CTLCOLORSTATIC), Box(GroupBox), Type(BS_GROUPBOX) {}

  QString Text() const { return Button ? Button->text() : Box->title(); }
  void SetText(const QString& T) {
    if (Button) {
      Button->setText(T);
    } else {
      Box->setTitle(T);
    }
  }

  QAbstractButton* Button = nullptr;
  QGroupBox* Box = nullptr;
  DWORD Type;
};

LRESULT ButtonProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  ButtonPeer* p = StdPeerOf<ButtonPeer>(hWnd);
  switch (Msg) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
      const DWORD type = cs->style & BS_TYPEMASK;
      std::unique_ptr<ButtonPeer> peer;
      if (type == BS_GROUPBOX) {
        peer = std::make_unique<ButtonPeer>(hWnd, new QGroupBox);
      } else {
        QAbstractButton* button = nullptr;
        if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) {
          button = new QCheckBox;
        } else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
          auto* radio = new QRadioButton;
          radio->setAutoExclusive(false);
          button = radio;
        } else {
          auto* push = new QPushButton;
          push->setDefault(type == BS_DEFPUSHBUTTON);
          push->setAutoDefault(false);
          button = push;
        }
        peer = std::make_unique<ButtonPeer>(hWnd, button, type);
      }
      if (cs->lpszName) peer->SetText(QString::fromUtf16(static_cast<const char16_t*>(cs->lpszName)));
      SetWindowPeer(hWnd, std::move(peer));
      return 1;
    }
    case WM_SETTEXT:
      if (!p) return 0;
      p->SetText(TextArg(lParam));
      return 1;
    case WM_GETTEXT:
      return p ? CopyText(p->Text(), wParam, lParam) : 0;
    case WM_GETTEXTLENGTH:
      return p ? p->Text().size() : 0;
    case WM_GETDLGCODE: {
      if (!p || p->Type == BS_GROUPBOX) return DLGC_STATIC;
      if (p->Type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (p->Type == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      return DLGC_BUTTON;
    }
    case BM_GETCHECK:
      return p && p->Button && p->Button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
      if (p && p->Button && p->Button->isCheckable()) {
        const QSignalBlocker block(p->Button);
        p->Button->setChecked(wParam == BST_CHECKED);
      }
      return 0;
    case BM_GETSTATE:
      return p && p->Button && p->Button->isDown() ? 4 : 0;
    case BM_SETSTATE:
      if (p && p->Button) p->Button->setDown(wParam != 0);
      return 0;
    case BM_CLICK:
      if (p && p->Button && IsWindowEnabled(hWnd)) p->Button->click();
      return 0;
    case WM_CHAR:
      // Space presses a button, as the key-down and key-up do it there.
      if (wParam == u' ' && p && p->Button) {
        p->Button->click();
        return 0;
      }
      return 0;
    default:
      return StdDefault(p, hWnd, Msg, wParam, lParam, p && p->Button);
  }
}

}  // namespace

void RegisterStaticAndButtonClasses() {
  RegisterStdClass(u"STATIC", MakeWndProc<&StaticProc>(true));
  RegisterStdClass(u"BUTTON", MakeWndProc<&ButtonProc>(true));
}

}  // namespace platform::ui
