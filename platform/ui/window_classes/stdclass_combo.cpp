// The COMBOBOX class on QComboBox, in its three styles. Its items live in
// the QComboBox. Selecting from code sends no notification; the user's
// choice sends CBN_SELCHANGE. A drop-down list's text is its selected item.
// Editable styles have an EDIT child over the combo's own line edit, so
// typed characters pass through that child's procedures.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

class ComboWidget : public QComboBox {
 public:
  explicit ComboWidget(HWND h) : hwnd_(h) {}
  void showPopup() override {
    if (IsWindow(hwnd_)) NotifyParent(hwnd_, CBN_DROPDOWN);
    QComboBox::showPopup();
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    if (IsWindow(hwnd_)) NotifyParent(hwnd_, CBN_CLOSEUP);
  }

 private:
  HWND hwnd_;
};

class ComboPeer : public StdPeer {
 public:
  ComboPeer(HWND h, ComboWidget* combo, DWORD style) : StdPeer(h, combo, WM_CTLCOLOREDIT), combo_(combo) {
    const DWORD kind = style & 3;
    editable_ = kind == CBS_SIMPLE || kind == CBS_DROPDOWN;
    sorted_ = (style & CBS_SORT) != 0;
    combo->setEditable(editable_);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(8);
    // The open list is Qt's own popup: the choice made there comes back as
    // CBN_SELCHANGE.
    QObject::connect(combo, qOverload<int>(&QComboBox::activated), combo, [this](int) {
      if (IsWindow(hwnd_)) NotifyParent(hwnd_, CBN_SELCHANGE);
    });
    if (editable_) {
      QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo, [this](const QString&) {
        if (!IsWindow(hwnd_)) return;
        NotifyParent(hwnd_, CBN_EDITUPDATE);
        NotifyParent(hwnd_, CBN_EDITCHANGE);
      });
    }
  }

  int Insert(int index, const QString& text) {
    if (index < 0 || index > combo_->count()) index = combo_->count();
    if (sorted_ && index == combo_->count()) {
      index = 0;
      while (index < combo_->count() && combo_->itemText(index).compare(text, Qt::CaseInsensitive) <= 0) ++index;
    }
    const QSignalBlocker block(combo_);
    const int current = combo_->currentIndex();
    const QString typed = editable_ ? combo_->lineEdit()->text() : QString();
    combo_->insertItem(index, text);
    // Inserting changes neither the selection nor the typed text.
    combo_->setCurrentIndex(current >= index && current >= 0 ? current + 1 : current);
    if (editable_) combo_->lineEdit()->setText(typed);
    return index;
  }

  int Find(int start, const QString& text, bool exact) const {
    const int n = combo_->count();
    for (int k = 1; k <= n; ++k) {
      const int i = (start + k) % n;
      const QString item = combo_->itemText(i);
      if (exact ? item.compare(text, Qt::CaseInsensitive) == 0 : item.startsWith(text, Qt::CaseInsensitive)) {
        return i;
      }
    }
    return static_cast<int>(CB_ERR);
  }

  void Select(int index) {
    const QSignalBlocker block(combo_);
    combo_->setCurrentIndex(index);
    if (editable_) combo_->lineEdit()->setText(index >= 0 ? combo_->itemText(index) : QString());
  }

  QString Text() const {
    if (editable_) return combo_->lineEdit()->text();
    return combo_->currentIndex() >= 0 ? combo_->currentText() : QString();
  }

  ComboWidget* combo_;
  bool editable_ = false;
  bool sorted_ = false;
  HWND edit_ = nullptr;
  HWND list_ = nullptr;
};

LRESULT ListStubProc(HWND h, UINT msg, WPARAM w, LPARAM l) { return DefWindowProcW(h, msg, w, l); }

LRESULT ComboProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  ComboPeer* p = StdPeerOf<ComboPeer>(h);
  const auto index = static_cast<int>(static_cast<LPARAM>(w));
  switch (msg) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(l);
      SetWindowPeer(h, std::make_unique<ComboPeer>(h, new ComboWidget(h), cs->style));
      return 1;
    }
    case WM_CREATE: {
      p = StdPeerOf<ComboPeer>(h);
      if (!p) return -1;
      if (p->editable_) {
        LendLineEdit(p->combo_->lineEdit());
        p->edit_ = CreateWindowExW(0, u"EDIT", u"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, h, 1001, nullptr, nullptr);
      }
      p->list_ = CreateWindowExW(0, u"ComboLBox", u"", WS_CHILD, 0, 0, 0, 0, h, 1000, nullptr, nullptr);
      return 0;
    }
    case CB_GETCOMBOBOXINFO: {
      auto* info = reinterpret_cast<COMBOBOXINFO*>(l);
      if (!p || !info) return 0;
      info->hwndCombo = h;
      info->hwndItem = p->edit_;
      info->hwndList = p->list_;
      return 1;
    }
    case WM_SETTEXT:
      if (!p || !p->editable_) return CB_ERR;
      p->combo_->lineEdit()->setText(TextArg(l));
      return 1;
    case WM_GETTEXT:
      return p ? CopyText(p->Text(), w, l) : 0;
    case WM_GETTEXTLENGTH:
      return p ? p->Text().size() : 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      DefWindowProcW(h, msg, w, l);
      if (msg == WM_SETFOCUS && p && p->edit_) SetFocus(p->edit_);
      NotifyParent(h, msg == WM_SETFOCUS ? CBN_SETFOCUS : CBN_KILLFOCUS);
      return 0;
    case CB_ADDSTRING:
      return p ? p->Insert(-1, TextArg(l)) : CB_ERR;
    case CB_INSERTSTRING:
      if (!p || index > p->combo_->count()) return CB_ERR;
      return p->Insert(index < 0 ? p->combo_->count() : index, TextArg(l));
    case CB_DELETESTRING: {
      if (!p || index < 0 || index >= p->combo_->count()) return CB_ERR;
      const QSignalBlocker block(p->combo_);
      const QString typed = p->editable_ ? p->combo_->lineEdit()->text() : QString();
      // The selected item going leaves nothing selected (Qt would choose
      // a neighbour).
      if (index == p->combo_->currentIndex()) p->combo_->setCurrentIndex(-1);
      p->combo_->removeItem(index);
      if (p->editable_) p->combo_->lineEdit()->setText(typed);
      return p->combo_->count();
    }
    case CB_RESETCONTENT:
      if (p) {
        const QSignalBlocker block(p->combo_);
        p->combo_->clear();
        if (p->editable_) p->combo_->lineEdit()->clear();
      }
      return 1;
    case CB_GETCOUNT:
      return p ? p->combo_->count() : 0;
    case CB_GETCURSEL:
      return p ? p->combo_->currentIndex() : CB_ERR;
    case CB_SETCURSEL:
      if (!p) return CB_ERR;
      if (index < 0 || index >= p->combo_->count()) {
        p->Select(-1);
        return CB_ERR;
      }
      p->Select(index);
      return index;
    case CB_GETLBTEXT:
      if (!p || index < 0 || index >= p->combo_->count()) return CB_ERR;
      return CopyItemText(p->combo_->itemText(index), l);
    case CB_GETLBTEXTLEN:
      if (!p || index < 0 || index >= p->combo_->count()) return CB_ERR;
      return p->combo_->itemText(index).size();
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
      if (!p || p->combo_->count() == 0) return CB_ERR;
      return p->Find(index < 0 ? p->combo_->count() - 1 : index, TextArg(l), msg == CB_FINDSTRINGEXACT);
    case CB_SELECTSTRING: {
      if (!p || p->combo_->count() == 0) return CB_ERR;
      const int found = p->Find(index < 0 ? p->combo_->count() - 1 : index, TextArg(l), false);
      if (found >= 0) p->Select(found);
      return found;
    }
    case CB_GETITEMDATA:
      if (!p || index < 0 || index >= p->combo_->count()) return CB_ERR;
      return static_cast<LRESULT>(p->combo_->itemData(index, Qt::UserRole).toLongLong());
    case CB_SETITEMDATA:
      if (!p || index < 0 || index >= p->combo_->count()) return CB_ERR;
      p->combo_->setItemData(index, QVariant::fromValue<qlonglong>(l), Qt::UserRole);
      return 1;
    case CB_SHOWDROPDOWN:
      if (p) {
        if (w) {
          p->combo_->showPopup();
        } else {
          p->combo_->hidePopup();
        }
      }
      return 1;
    case CB_GETDROPPEDSTATE:
      return p && p->combo_->view()->isVisible() ? 1 : 0;
    case CB_GETEDITSEL: {
      int s = 0, e = 0;
      if (p && p->editable_) {
        QLineEdit* le = p->combo_->lineEdit();
        s = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
        e = s + static_cast<int>(le->selectedText().size());
      }
      if (w) *reinterpret_cast<DWORD*>(w) = static_cast<DWORD>(s);
      if (l) *reinterpret_cast<DWORD*>(l) = static_cast<DWORD>(e);
      return MAKELPARAM(static_cast<WORD>(s), static_cast<WORD>(e));
    }
    case CB_SETEDITSEL:
      if (!p || !p->editable_) return CB_ERR;
      {
        const int s = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(l)));
        int e = static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(l)));
        QLineEdit* le = p->combo_->lineEdit();
        if (s < 0) {
          le->deselect();
        } else {
          if (e < 0) e = static_cast<int>(le->text().size());
          le->setSelection(s, e - s);
        }
      }
      return 1;
    case CB_SETMINVISIBLE:
      if (!p || static_cast<int>(w) <= 0) return 0;
      p->combo_->setMaxVisibleItems(static_cast<int>(w));
      return 1;
    case CB_GETMINVISIBLE:
      return p ? p->combo_->maxVisibleItems() : 0;
    case CB_LIMITTEXT:
      if (p && p->editable_) p->combo_->lineEdit()->setMaxLength(w == 0 ? 32767 : static_cast<int>(w));
      return 1;
    default:
      return StdDefault(p, h, msg, w, l, true);
  }
}

}  // namespace

void RegisterComboClass() {
  RegisterStdClass(u"COMBOBOX", MakeWndProc<&ComboProc>(true));
  RegisterStdClass(u"ComboLBox", MakeWndProc<&ListStubProc>(true));
}

}  // namespace platform::ui
