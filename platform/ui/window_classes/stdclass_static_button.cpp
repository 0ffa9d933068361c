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
  explicit StaticWidget(DWORD style) : style_(style) {}
  QString text;
  HFONT font = 0;

 protected:
  void paintEvent(QPaintEvent*) override {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    HDC dc = CreateImageDC(&image);
    if (font) SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(
        dc, FromQColor(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText)));
    RECT r{0, 0, width(), height()};
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if ((style_ & 3) == SS_CENTER) format |= DT_CENTER;
    if ((style_ & 3) == SS_RIGHT) format |= DT_RIGHT;
    if (style_ & SS_NOPREFIX) format |= DT_NOPREFIX;
    const std::u16string t = FromQString(text);
    DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &r, format);
    delete dc;
    QPainter(this).drawImage(0, 0, image);
  }

 private:
  DWORD style_;
};

class StaticPeer : public StdPeer {
 public:
  StaticPeer(HWND h, StaticWidget* w) : StdPeer(h, w, WM_CTLCOLORSTATIC), widget(w) { w->setAutoFillBackground(false); }
  StaticWidget* widget;
};

LRESULT StaticProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  StaticPeer* p = StdPeerOf<StaticPeer>(h);
  switch (msg) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(l);
      auto* widget = new StaticWidget(cs->style);
      if (cs->lpszName) widget->text = QString::fromUtf16(static_cast<const char16_t*>(cs->lpszName));
      SetWindowPeer(h, std::make_unique<StaticPeer>(h, widget));
      return 1;
    }
    case WM_SETTEXT:
      if (!p) return 0;
      p->widget->text = TextArg(l);
      p->widget->update();
      return 1;
    case WM_GETTEXT:
      return p ? CopyText(p->widget->text, w, l) : 0;
    case WM_GETTEXTLENGTH:
      return p ? p->widget->text.size() : 0;
    case WM_SETFONT:
      if (p) {
        p->widget->font = static_cast<HFONT>(w);
        p->widget->update();
      }
      return 0;
    case WM_GETFONT:
      return p ? static_cast<LRESULT>(p->widget->font) : 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      if (msg == WM_LBUTTONUP && (GetWindowLong(h, GWL_STYLE) & SS_NOTIFY)) NotifyParent(h, 0);
      return 0;
    default:
      return StdDefault(p, h, msg, w, l, false);
  }
}

class ButtonPeer : public StdPeer {
 public:
  ButtonPeer(HWND h, QAbstractButton* button, DWORD type)
      : StdPeer(h, button, WM_CTLCOLORBTN), button_(button), type_(type) {
    QObject::connect(button, &QAbstractButton::clicked, button, [this] {
      // Only the auto styles change their own check; the others leave it
      // to the program.
      if (type_ == BS_CHECKBOX || type_ == BS_RADIOBUTTON) {
        const QSignalBlocker block(button_);
        button_->setChecked(!button_->isChecked());
      }
      if (IsWindow(hwnd_)) NotifyParent(hwnd_, BN_CLICKED);
    });
  }
  ButtonPeer(HWND h, QGroupBox* box) : StdPeer(h, box, WM_CTLCOLORSTATIC), box_(box), type_(BS_GROUPBOX) {}

  QString Text() const { return button_ ? button_->text() : box_->title(); }
  void SetText(const QString& t) {
    if (button_) {
      button_->setText(t);
    } else {
      box_->setTitle(t);
    }
  }

  QAbstractButton* button_ = nullptr;
  QGroupBox* box_ = nullptr;
  DWORD type_;
};

LRESULT ButtonProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  ButtonPeer* p = StdPeerOf<ButtonPeer>(h);
  switch (msg) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(l);
      const DWORD type = cs->style & BS_TYPEMASK;
      std::unique_ptr<ButtonPeer> peer;
      if (type == BS_GROUPBOX) {
        peer = std::make_unique<ButtonPeer>(h, new QGroupBox);
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
        peer = std::make_unique<ButtonPeer>(h, button, type);
      }
      if (cs->lpszName) peer->SetText(QString::fromUtf16(static_cast<const char16_t*>(cs->lpszName)));
      SetWindowPeer(h, std::move(peer));
      return 1;
    }
    case WM_SETTEXT:
      if (!p) return 0;
      p->SetText(TextArg(l));
      return 1;
    case WM_GETTEXT:
      return p ? CopyText(p->Text(), w, l) : 0;
    case WM_GETTEXTLENGTH:
      return p ? p->Text().size() : 0;
    case WM_GETDLGCODE: {
      if (!p || p->type_ == BS_GROUPBOX) return DLGC_STATIC;
      if (p->type_ == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (p->type_ == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      return DLGC_BUTTON;
    }
    case BM_GETCHECK:
      return p && p->button_ && p->button_->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
      if (p && p->button_ && p->button_->isCheckable()) {
        const QSignalBlocker block(p->button_);
        p->button_->setChecked(w == BST_CHECKED);
      }
      return 0;
    case BM_GETSTATE:
      return p && p->button_ && p->button_->isDown() ? 4 : 0;
    case BM_SETSTATE:
      if (p && p->button_) p->button_->setDown(w != 0);
      return 0;
    case BM_CLICK:
      if (p && p->button_ && IsWindowEnabled(h)) p->button_->click();
      return 0;
    case WM_CHAR:
      // Space presses a button, as the key-down and key-up do it there.
      if (w == u' ' && p && p->button_) {
        p->button_->click();
        return 0;
      }
      return 0;
    default:
      return StdDefault(p, h, msg, w, l, p && p->button_);
  }
}

}  // namespace

void RegisterStaticAndButtonClasses() {
  RegisterStdClass(u"STATIC", MakeWndProc<&StaticProc>(true));
  RegisterStdClass(u"BUTTON", MakeWndProc<&ButtonProc>(true));
}

}  // namespace platform::ui
