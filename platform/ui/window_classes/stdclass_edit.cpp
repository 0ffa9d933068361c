// The EDIT class: a single-line edit on QLineEdit, a multi-line one on
// QPlainTextEdit. Positions are counted as the window system counts them:
// a line break is two characters (CR LF) of the window text.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

QLineEdit* g_lent = nullptr;

class EditPeer : public StdPeer {
 public:
  EditPeer(HWND h, QLineEdit* line, bool owned) : StdPeer(h, line, WM_CTLCOLOREDIT, owned), line_(line) { Connect(); }
  EditPeer(HWND h, QPlainTextEdit* multi) : StdPeer(h, multi, WM_CTLCOLOREDIT), multi_(multi) {
    Route(multi->viewport());
    Connect();
  }
  bool Multi() const { return multi_ != nullptr; }

  // The window text, line breaks as CR LF.
  QString Text() const {
    if (line_) return line_->text();
    QString t = multi_->toPlainText();
    t.replace(u'\n', QStringLiteral("\r\n"));
    return t;
  }

  void SetText(const QString& text) {
    settingText_ = true;
    if (line_) {
      QString t = text;
      t.remove(u'\r');
      t.remove(u'\n');
      line_->setText(t);
      line_->setModified(false);
    } else {
      multi_->setPlainText(Normalised(text));
      multi_->document()->setModified(false);
      loneCr_ = QTextCursor();
      QTextCursor end(multi_->document());
      end.movePosition(QTextCursor::End);
      NoteLoneCr(text, end);
    }
    settingText_ = false;
  }

  // Window-system position of a Qt position, and back.
  int ToWin(int qtPos) const {
    if (line_) return qtPos;
    const QTextBlock b = multi_->document()->findBlock(qtPos);
    return qtPos + (b.isValid() ? b.blockNumber() : 0);
  }
  int ToQt(int winPos) const {
    if (line_) return std::clamp(winPos, 0, static_cast<int>(line_->text().size()));
    const QTextDocument* doc = multi_->document();
    int pos = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
      const int len = b.length() - 1;
      if (winPos <= pos + b.blockNumber() + len || !b.next().isValid()) {
        const int inBlock = std::clamp(winPos - (pos + b.blockNumber()), 0, len);
        return b.position() + inBlock;
      }
      pos += len + 1;
    }
    return 0;
  }

  void Selection(int* start, int* end) const {
    if (line_) {
      if (line_->hasSelectedText()) {
        *start = line_->selectionStart();
        *end = *start + static_cast<int>(line_->selectedText().size());
      } else {
        *start = *end = line_->cursorPosition();
      }
      return;
    }
    const QTextCursor c = multi_->textCursor();
    *start = ToWin(c.selectionStart());
    *end = ToWin(c.selectionEnd());
  }

  void SetSelection(int start, int end) {
    const int length = static_cast<int>(Text().size());
    if (start < 0) {
      int s = 0, e = 0;
      Selection(&s, &e);
      start = end = e;
    }
    if (end < 0 || end > length) end = length;
    start = std::min(start, length);
    if (line_) {
      line_->setSelection(start, end - start);
      if (start == end) line_->setCursorPosition(end);
      return;
    }
    QTextCursor c = multi_->textCursor();
    c.setPosition(ToQt(start));
    c.setPosition(ToQt(end), QTextCursor::KeepAnchor);
    multi_->setTextCursor(c);
  }

  void ReplaceSelection(const QString& text) {
    if (line_) {
      QString t = text;
      t.remove(u'\r');
      t.remove(u'\n');
      line_->insert(t);
    } else {
      QTextCursor c = multi_->textCursor();
      QString t = text;
      // The line feed of a break whose carriage return came alone before
      // (serial input split between them) completes that break.
      if (t.startsWith(u'\n') && !c.hasSelection() && FollowsLoneCr(c.position())) t.remove(0, 1);
      c.insertText(Normalised(t));
      NoteLoneCr(t, c);
    }
  }

  int LineCount() const { return line_ ? 1 : multi_->document()->blockCount(); }

  int LineIndex(int line) const {
    if (line_) return line == 0 || line == -1 ? 0 : -1;
    const QTextDocument* doc = multi_->document();
    if (line == -1) line = multi_->textCursor().blockNumber();
    const QTextBlock b = doc->findBlockByNumber(line);
    return b.isValid() ? ToWin(b.position()) : -1;
  }

  int LineFromChar(int index) const {
    if (line_) return 0;
    if (index < 0) return multi_->textCursor().blockNumber();
    return multi_->document()->findBlock(ToQt(index)).blockNumber();
  }

  QString LineText(int line) const {
    if (line_) return line == 0 ? line_->text() : QString();
    const QTextBlock b = multi_->document()->findBlockByNumber(line);
    return b.isValid() ? b.text() : QString();
  }

  int LineLength(int index) const {
    if (index < 0) {
      int s = 0, e = 0;
      Selection(&s, &e);
      const int first = LineFromChar(s), last = LineFromChar(e);
      int total = 0;
      for (int l = first; l <= last; ++l) total += static_cast<int>(LineText(l).size());
      return total - (e - s);
    }
    return static_cast<int>(LineText(LineFromChar(index)).size());
  }

  bool Modified() const { return line_ ? line_->isModified() : multi_->document()->isModified(); }
  void SetModified(bool m) {
    if (line_) {
      line_->setModified(m);
    } else {
      multi_->document()->setModified(m);
    }
  }
  void SetReadOnly(bool r) {
    if (line_) {
      line_->setReadOnly(r);
    } else {
      multi_->setReadOnly(r);
    }
  }

  QLineEdit* line_ = nullptr;
  QPlainTextEdit* multi_ = nullptr;
  int limit_ = 0x7FFFFFFE;
  char16_t passwordChar_ = 0;

 private:
  // A text ending in a carriage return without its line feed leaves the
  // break it made open for a line feed inserted right after it; the
  // cursor follows that place through other edits (the latest such break
  // is the one kept).
  void NoteLoneCr(const QString& text, const QTextCursor& after) {
    if (!text.endsWith(u'\r')) return;
    loneCr_ = QTextCursor(multi_->document());
    loneCr_.setPosition(after.position());
  }
  bool FollowsLoneCr(int position) const {
    return !loneCr_.isNull() && position > 0 && loneCr_.position() == position && loneCr_.atBlockStart();
  }

  static QString Normalised(QString t) {
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
  }

  void Connect() {
    const auto changed = [this] {
      if (!settingText_ && IsWindow(hwnd_)) {
        NotifyParent(hwnd_, EN_UPDATE);
        NotifyParent(hwnd_, EN_CHANGE);
      }
    };
    if (line_) {
      QObject::connect(line_, &QLineEdit::textChanged, line_, changed);
    } else {
      QObject::connect(multi_, &QPlainTextEdit::textChanged, multi_, changed);
    }
  }

  bool settingText_ = false;
  QTextCursor loneCr_;
};

Qt::Alignment Alignment(DWORD style) {
  if (style & ES_RIGHT) return Qt::AlignRight;
  if (style & ES_CENTER) return Qt::AlignHCenter;
  return Qt::AlignLeft;
}

bool Accepts(HWND h, char16_t c) {
  const auto style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  if ((style & ES_NUMBER) && c >= 32 && (c < u'0' || c > u'9')) return false;
  return true;
}

char16_t CaseFor(HWND h, char16_t c) {
  const auto style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  if (style & ES_UPPERCASE) return QChar(c).toUpper().unicode();
  if (style & ES_LOWERCASE) return QChar(c).toLower().unicode();
  return c;
}

bool IsReadOnly(HWND h) { return (GetWindowLong(h, GWL_STYLE) & ES_READONLY) != 0; }

LRESULT Create(HWND h, const CREATESTRUCT& cs) {
  std::unique_ptr<EditPeer> peer;
  if (g_lent) {
    peer = std::make_unique<EditPeer>(h, std::exchange(g_lent, nullptr), false);
  } else if (cs.style & ES_MULTILINE) {
    auto* edit = new QPlainTextEdit;
    edit->setFrameShape((cs.dwExStyle & WS_EX_CLIENTEDGE) || (cs.style & WS_BORDER) ? QFrame::StyledPanel
                                                                                    : QFrame::NoFrame);
    // Lines wrap at the window's edge unless the edit scrolls sideways.
    edit->setLineWrapMode((cs.style & (WS_HSCROLL | ES_AUTOHSCROLL)) ? QPlainTextEdit::NoWrap
                                                                     : QPlainTextEdit::WidgetWidth);
    QTextOption option = edit->document()->defaultTextOption();
    option.setAlignment(Alignment(cs.style));
    edit->document()->setDefaultTextOption(option);
    edit->setVerticalScrollBarPolicy((cs.style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy((cs.style & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    peer = std::make_unique<EditPeer>(h, edit);
  } else {
    auto* edit = new QLineEdit;
    edit->setFrame((cs.dwExStyle & WS_EX_CLIENTEDGE) != 0 || (cs.style & WS_BORDER) != 0);
    peer = std::make_unique<EditPeer>(h, edit, true);
  }
  if (cs.style & ES_READONLY) peer->SetReadOnly(true);
  if (peer->line_) {
    if (cs.style & ES_PASSWORD) peer->line_->setEchoMode(QLineEdit::Password);
    peer->line_->setAlignment(Alignment(cs.style) | Qt::AlignVCenter);
  }
  if (cs.lpszName) peer->SetText(QString::fromUtf16(static_cast<const char16_t*>(cs.lpszName)));
  SetWindowPeer(h, std::move(peer));
  return 1;
}

// ---------------------------------------------------------------- text

LRESULT SetText(EditPeer& p, HWND h, WPARAM, LPARAM l) {
  p.SetText(TextArg(l));
  NotifyParent(h, EN_UPDATE);
  NotifyParent(h, EN_CHANGE);
  return 1;
}

LRESULT GetText(EditPeer& p, HWND, WPARAM w, LPARAM l) { return CopyText(p.Text(), w, l); }

LRESULT GetTextLength(EditPeer& p, HWND, WPARAM, LPARAM) { return p.Text().size(); }

// ------------------------------------------------------- keys and focus

LRESULT GetDlgCode(EditPeer&, HWND h, WPARAM, LPARAM) {
  return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS |
         ((GetWindowLong(h, GWL_STYLE) & ES_MULTILINE) ? DLGC_WANTALLKEYS : 0);
}

template <UINT Msg, UINT Notification>
LRESULT Focus(EditPeer&, HWND h, WPARAM w, LPARAM l) {
  DefWindowProcW(h, Msg, w, l);
  NotifyParent(h, Notification);
  return 0;
}

LRESULT Char(EditPeer& p, HWND h, WPARAM w, LPARAM l) {
  const auto c = static_cast<char16_t>(w);
  if (!Accepts(h, c)) return 0;
  if (c == u'\t') {
    if (p.Multi() && !IsReadOnly(h)) p.ReplaceSelection(QStringLiteral("\t"));
    return 0;
  }
  if (c == u'\r' && (!p.Multi() || !(GetWindowLong(h, GWL_STYLE) & ES_WANTRETURN))) {
    if (p.Multi() && !IsReadOnly(h)) p.ReplaceSelection(QStringLiteral("\r\n"));
    return 0;
  }
  if (c >= 32 && p.Text().size() >= p.limit_ && !(p.line_ && p.line_->hasSelectedText())) {
    NotifyParent(h, EN_MAXTEXT);
    return 0;
  }
  return StdDefault(&p, h, WM_CHAR, CaseFor(h, c), l, true);
}

// ------------------------------------------------------------ selection

LRESULT GetSel(EditPeer& p, HWND, WPARAM w, LPARAM l) {
  int s = 0, e = 0;
  p.Selection(&s, &e);
  if (w) *reinterpret_cast<DWORD*>(w) = static_cast<DWORD>(s);
  if (l) *reinterpret_cast<DWORD*>(l) = static_cast<DWORD>(e);
  return MAKELPARAM(static_cast<WORD>(std::min(s, 0xFFFF)), static_cast<WORD>(std::min(e, 0xFFFF)));
}

LRESULT SetSel(EditPeer& p, HWND, WPARAM w, LPARAM l) {
  p.SetSelection(static_cast<int>(static_cast<LPARAM>(w)), static_cast<int>(l));
  return 0;
}

LRESULT ReplaceSel(EditPeer& p, HWND, WPARAM, LPARAM l) {
  if (l) p.ReplaceSelection(TextArg(l));
  return 0;
}

LRESULT Clear(EditPeer& p, HWND, WPARAM, LPARAM) {
  p.ReplaceSelection(QString());
  return 0;
}

// ---------------------------------------------------------------- lines

LRESULT GetLineCount(EditPeer& p, HWND, WPARAM, LPARAM) { return p.LineCount(); }

LRESULT LineIndex(EditPeer& p, HWND, WPARAM w, LPARAM) { return p.LineIndex(static_cast<int>(static_cast<LPARAM>(w))); }

LRESULT LineFromChar(EditPeer& p, HWND, WPARAM w, LPARAM) {
  return p.LineFromChar(static_cast<int>(static_cast<LPARAM>(w)));
}

LRESULT LineLength(EditPeer& p, HWND, WPARAM w, LPARAM) {
  return p.LineLength(static_cast<int>(static_cast<LPARAM>(w)));
}

// The buffer's first unit holds its size; the line is not terminated.
LRESULT GetLine(EditPeer& p, HWND, WPARAM w, LPARAM l) {
  const int line = static_cast<int>(w);
  if (!l || line < 0 || line >= p.LineCount()) return 0;
  auto* buffer = reinterpret_cast<char16_t*>(l);
  const std::size_t size = *reinterpret_cast<const std::uint16_t*>(l);
  const QString text = p.LineText(line);
  const std::size_t n = std::min<std::size_t>(size, static_cast<std::size_t>(text.size()));
  std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), n, buffer);
  return static_cast<LRESULT>(n);
}

LRESULT GetFirstVisibleLine(EditPeer& p, HWND, WPARAM, LPARAM) {
  return p.multi_ ? p.multi_->cursorForPosition(QPoint(0, 0)).blockNumber() : 0;
}

LRESULT ScrollCaret(EditPeer& p, HWND, WPARAM, LPARAM) {
  if (p.multi_) p.multi_->ensureCursorVisible();
  return 1;
}

// ----------------------------------------------------------- the state

LRESULT LimitText(EditPeer& p, HWND, WPARAM w, LPARAM) {
  p.limit_ = w == 0 ? 0x7FFFFFFE : static_cast<int>(w);
  if (p.line_) p.line_->setMaxLength(std::min(p.limit_, 32767));
  return 0;
}

LRESULT GetLimitText(EditPeer& p, HWND, WPARAM, LPARAM) { return p.limit_; }

LRESULT GetModify(EditPeer& p, HWND, WPARAM, LPARAM) { return p.Modified() ? 1 : 0; }

LRESULT SetModify(EditPeer& p, HWND, WPARAM w, LPARAM) {
  p.SetModified(w != 0);
  return 0;
}

LRESULT SetReadOnly(EditPeer& p, HWND h, WPARAM w, LPARAM) {
  p.SetReadOnly(w != 0);
  const auto style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  SetWindowLong(h, GWL_STYLE, static_cast<LPARAM>(w ? style | ES_READONLY : style & ~ES_READONLY));
  return 1;
}

// A single-line edit shows the character in place of each of its own.
LRESULT SetPasswordChar(EditPeer& p, HWND, WPARAM w, LPARAM) {
  if (!p.line_) return 0;
  p.passwordChar_ = static_cast<char16_t>(w);
  p.line_->setEchoMode(w ? QLineEdit::Password : QLineEdit::Normal);
  p.line_->setStyleSheet(
      w ? QStringLiteral("QLineEdit { lineedit-password-character: %1 }").arg(static_cast<unsigned>(w)) : QString());
  return 0;
}

LRESULT GetPasswordChar(EditPeer& p, HWND, WPARAM, LPARAM) { return p.passwordChar_; }

// ------------------------------------------------- undo and the clipboard

LRESULT CanUndo(EditPeer& p, HWND, WPARAM, LPARAM) {
  return p.line_ ? p.line_->isUndoAvailable() : p.multi_->document()->isUndoAvailable();
}

LRESULT EmptyUndoBuffer(EditPeer& p, HWND, WPARAM, LPARAM) {
  if (p.multi_) p.multi_->document()->clearUndoRedoStacks();
  return 0;
}

LRESULT Undo(EditPeer& p, HWND, WPARAM, LPARAM) {
  if (p.line_) p.line_->undo();
  if (p.multi_) p.multi_->undo();
  return 1;
}

LRESULT Cut(EditPeer& p, HWND, WPARAM, LPARAM) {
  if (p.line_) p.line_->cut();
  if (p.multi_) p.multi_->cut();
  return 0;
}

LRESULT Copy(EditPeer& p, HWND, WPARAM, LPARAM) {
  if (p.line_) p.line_->copy();
  if (p.multi_) p.multi_->copy();
  return 0;
}

LRESULT Paste(EditPeer& p, HWND, WPARAM, LPARAM) {
  if (p.line_) p.line_->paste();
  if (p.multi_) p.multi_->paste();
  return 0;
}

LRESULT ContextMenu(EditPeer&, HWND h, WPARAM, LPARAM l) {
  ShowEditMenu(h, l);
  return 0;
}

constexpr MessageHandler<EditPeer> kMessages[] = {
    {WM_SETTEXT, &SetText},
    {WM_GETTEXT, &GetText},
    {WM_GETTEXTLENGTH, &GetTextLength},
    {WM_GETDLGCODE, &GetDlgCode},
    {WM_SETFOCUS, &Focus<WM_SETFOCUS, EN_SETFOCUS>},
    {WM_KILLFOCUS, &Focus<WM_KILLFOCUS, EN_KILLFOCUS>},
    {WM_CHAR, &Char},
    {EM_GETSEL, &GetSel},
    {EM_SETSEL, &SetSel},
    {EM_REPLACESEL, &ReplaceSel},
    {WM_CLEAR, &Clear},
    {EM_GETLINECOUNT, &GetLineCount, 1},
    {EM_LINEINDEX, &LineIndex, -1},
    {EM_LINEFROMCHAR, &LineFromChar},
    {EM_LINELENGTH, &LineLength},
    {EM_GETLINE, &GetLine},
    {EM_GETFIRSTVISIBLELINE, &GetFirstVisibleLine},
    {EM_SCROLLCARET, &ScrollCaret, 1},
    {EM_LIMITTEXT, &LimitText},
    {EM_GETLIMITTEXT, &GetLimitText},
    {EM_GETMODIFY, &GetModify},
    {EM_SETMODIFY, &SetModify},
    {EM_SETREADONLY, &SetReadOnly, 1},
    {EM_SETPASSWORDCHAR, &SetPasswordChar},
    {EM_GETPASSWORDCHAR, &GetPasswordChar},
    {EM_CANUNDO, &CanUndo},
    {EM_UNDO, &Undo, 1},
    {WM_UNDO, &Undo, 1},
    {EM_EMPTYUNDOBUFFER, &EmptyUndoBuffer},
    {WM_CUT, &Cut},
    {WM_COPY, &Copy},
    {WM_PASTE, &Paste},
    {WM_CONTEXTMENU, &ContextMenu},
};

LRESULT EditProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_NCCREATE) return Create(h, *reinterpret_cast<const CREATESTRUCT*>(l));
  return Dispatch(kMessages, h, msg, w, l, true);
}

}  // namespace

void LendLineEdit(QLineEdit* edit) { g_lent = edit; }

void RegisterEditClass() { RegisterStdClass(u"EDIT", MakeWndProc<&EditProc>(true)); }

}  // namespace platform::ui
