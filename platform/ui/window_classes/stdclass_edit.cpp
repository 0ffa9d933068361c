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
  EditPeer(HWND hWnd, QLineEdit* Line, bool Owned) : StdPeer(hWnd, Line, WM_CTLCOLOREDIT, Owned), LineEdit(Line) {
    Connect();
  }
  EditPeer(HWND hWnd, QPlainTextEdit* Multi) : StdPeer(hWnd, Multi, WM_CTLCOLOREDIT), MultiEdit(Multi) {
    Route(Multi->viewport());
    Connect();
  }
  bool Multi() const { return MultiEdit != nullptr; }

  // The window text, line breaks as CR LF.
  QString Text() const {
    if (LineEdit) return LineEdit->text();
    QString t = MultiEdit->toPlainText();
    t.replace(u'\n', QStringLiteral("\r\n"));
    return t;
  }

  void SetText(const QString& Text) {
    settingText_ = true;
    if (LineEdit) {
      QString t = Text;
      t.remove(u'\r');
      t.remove(u'\n');
      LineEdit->setText(t);
      LineEdit->setModified(false);
    } else {
      MultiEdit->setPlainText(Normalised(Text));
      MultiEdit->document()->setModified(false);
      loneCr_ = QTextCursor();
      QTextCursor end(MultiEdit->document());
      end.movePosition(QTextCursor::End);
      NoteLoneCr(Text, end);
    }
    settingText_ = false;
  }

  // Window-system position of a Qt position, and back.
  int ToWin(int QtPos) const {
    if (LineEdit) return QtPos;
    const QTextBlock b = MultiEdit->document()->findBlock(QtPos);
    return QtPos + (b.isValid() ? b.blockNumber() : 0);
  }
  int ToQt(int WinPos) const {
    if (LineEdit) return std::clamp(WinPos, 0, static_cast<int>(LineEdit->text().size()));
    const QTextDocument* doc = MultiEdit->document();
    int pos = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
      const int len = b.length() - 1;
      if (WinPos <= pos + b.blockNumber() + len || !b.next().isValid()) {
        const int inBlock = std::clamp(WinPos - (pos + b.blockNumber()), 0, len);
        return b.position() + inBlock;
      }
      pos += len + 1;
    }
    return 0;
  }

  void Selection(int* Start, int* End) const {
    if (LineEdit) {
      if (LineEdit->hasSelectedText()) {
        *Start = LineEdit->selectionStart();
        *End = *Start + static_cast<int>(LineEdit->selectedText().size());
      } else {
        *Start = *End = LineEdit->cursorPosition();
      }
      return;
    }
    const QTextCursor c = MultiEdit->textCursor();
    *Start = ToWin(c.selectionStart());
    *End = ToWin(c.selectionEnd());
  }

  void SetSelection(int Start, int End) {
    const int length = static_cast<int>(Text().size());
    if (Start < 0) {
      int s = 0, e = 0;
      Selection(&s, &e);
      Start = End = e;
    }
    if (End < 0 || End > length) End = length;
    Start = std::min(Start, length);
    if (LineEdit) {
      LineEdit->setSelection(Start, End - Start);
      if (Start == End) LineEdit->setCursorPosition(End);
      return;
    }
    QTextCursor c = MultiEdit->textCursor();
    c.setPosition(ToQt(Start));
    c.setPosition(ToQt(End), QTextCursor::KeepAnchor);
    MultiEdit->setTextCursor(c);
  }

  void ReplaceSelection(const QString& Text) {
    if (LineEdit) {
      QString t = Text;
      t.remove(u'\r');
      t.remove(u'\n');
      LineEdit->insert(t);
    } else {
      QTextCursor c = MultiEdit->textCursor();
      QString t = Text;
      // The line feed of a break whose carriage return came alone before
      // (serial input split between them) completes that break.
      if (t.startsWith(u'\n') && !c.hasSelection() && FollowsLoneCr(c.position())) t.remove(0, 1);
      c.insertText(Normalised(t));
      NoteLoneCr(t, c);
      // The caret stays after the text and in view, so an edit that is
      // appended to shows its newest lines.
      MultiEdit->setTextCursor(c);
      MultiEdit->ensureCursorVisible();
    }
  }

  int LineCount() const { return LineEdit ? 1 : MultiEdit->document()->blockCount(); }

  int LineIndex(int Line) const {
    if (LineEdit) return Line == 0 || Line == -1 ? 0 : -1;
    const QTextDocument* doc = MultiEdit->document();
    if (Line == -1) Line = MultiEdit->textCursor().blockNumber();
    const QTextBlock b = doc->findBlockByNumber(Line);
    return b.isValid() ? ToWin(b.position()) : -1;
  }

  int LineFromChar(int Index) const {
    if (LineEdit) return 0;
    if (Index < 0) return MultiEdit->textCursor().blockNumber();
    return MultiEdit->document()->findBlock(ToQt(Index)).blockNumber();
  }

  QString LineText(int Line) const {
    if (LineEdit) return Line == 0 ? LineEdit->text() : QString();
    const QTextBlock b = MultiEdit->document()->findBlockByNumber(Line);
    return b.isValid() ? b.text() : QString();
  }

  int LineLength(int Index) const {
    if (Index < 0) {
      int s = 0, e = 0;
      Selection(&s, &e);
      const int first = LineFromChar(s), last = LineFromChar(e);
      int total = 0;
      for (int l = first; l <= last; ++l) total += static_cast<int>(LineText(l).size());
      return total - (e - s);
    }
    return static_cast<int>(LineText(LineFromChar(Index)).size());
  }

  bool Modified() const { return LineEdit ? LineEdit->isModified() : MultiEdit->document()->isModified(); }
  void SetModified(bool M) {
    if (LineEdit) {
      LineEdit->setModified(M);
    } else {
      MultiEdit->document()->setModified(M);
    }
  }
  void SetReadOnly(bool R) {
    if (LineEdit) {
      LineEdit->setReadOnly(R);
    } else {
      MultiEdit->setReadOnly(R);
    }
  }

  QLineEdit* LineEdit = nullptr;
  QPlainTextEdit* MultiEdit = nullptr;
  int Limit = 0x7FFFFFFE;
  char16_t PasswordChar = 0;

 private:
  // A text ending in a carriage return without its line feed leaves the
  // break it made open for a line feed inserted right after it; the
  // cursor follows that place through other edits (the latest such break
  // is the one kept).
  void NoteLoneCr(const QString& Text, const QTextCursor& After) {
    if (!Text.endsWith(u'\r')) return;
    loneCr_ = QTextCursor(MultiEdit->document());
    loneCr_.setPosition(After.position());
  }
  bool FollowsLoneCr(int Position) const {
    return !loneCr_.isNull() && Position > 0 && loneCr_.position() == Position && loneCr_.atBlockStart();
  }

  static QString Normalised(QString T) {
    T.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    T.replace(u'\r', u'\n');
    return T;
  }

  void Connect() {
    const auto changed = [this] {
      if (!settingText_ && IsWindow(Hwnd)) {
        NotifyParent(Hwnd, EN_UPDATE);
        NotifyParent(Hwnd, EN_CHANGE);
      }
    };
    if (LineEdit) {
      QObject::connect(LineEdit, &QLineEdit::textChanged, LineEdit, changed);
    } else {
      QObject::connect(MultiEdit, &QPlainTextEdit::textChanged, MultiEdit, changed);
    }
  }

  bool settingText_ = false;
  QTextCursor loneCr_;
};

Qt::Alignment Alignment(DWORD Style) {
  if (Style & ES_RIGHT) return Qt::AlignRight;
  if (Style & ES_CENTER) return Qt::AlignHCenter;
  return Qt::AlignLeft;
}

bool Accepts(HWND hWnd, char16_t C) {
  const auto style = static_cast<DWORD>(GetWindowLong(hWnd, GWL_STYLE));
  if ((style & ES_NUMBER) && C >= 32 && (C < u'0' || C > u'9')) return false;
  return true;
}

char16_t CaseFor(HWND hWnd, char16_t C) {
  const auto style = static_cast<DWORD>(GetWindowLong(hWnd, GWL_STYLE));
  if (style & ES_UPPERCASE) return QChar(C).toUpper().unicode();
  if (style & ES_LOWERCASE) return QChar(C).toLower().unicode();
  return C;
}

bool IsReadOnly(HWND hWnd) { return (GetWindowLong(hWnd, GWL_STYLE) & ES_READONLY) != 0; }

LRESULT Create(HWND hWnd, const CREATESTRUCT& Cs) {
  std::unique_ptr<EditPeer> peer;
  if (g_lent) {
    peer = std::make_unique<EditPeer>(hWnd, std::exchange(g_lent, nullptr), false);
  } else if (Cs.style & ES_MULTILINE) {
    auto* edit = new QPlainTextEdit;
    edit->setFrameShape((Cs.dwExStyle & WS_EX_CLIENTEDGE) || (Cs.style & WS_BORDER) ? QFrame::StyledPanel
                                                                                    : QFrame::NoFrame);
    // Lines wrap at the window's edge unless the edit scrolls sideways.
    edit->setLineWrapMode((Cs.style & (WS_HSCROLL | ES_AUTOHSCROLL)) ? QPlainTextEdit::NoWrap
                                                                     : QPlainTextEdit::WidgetWidth);
    QTextOption option = edit->document()->defaultTextOption();
    option.setAlignment(Alignment(Cs.style));
    edit->document()->setDefaultTextOption(option);
    edit->setVerticalScrollBarPolicy((Cs.style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy((Cs.style & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    peer = std::make_unique<EditPeer>(hWnd, edit);
  } else {
    auto* edit = new QLineEdit;
    edit->setFrame((Cs.dwExStyle & WS_EX_CLIENTEDGE) != 0 || (Cs.style & WS_BORDER) != 0);
    peer = std::make_unique<EditPeer>(hWnd, edit, true);
  }
  if (Cs.style & ES_READONLY) peer->SetReadOnly(true);
  if (peer->LineEdit) {
    if (Cs.style & ES_PASSWORD) peer->LineEdit->setEchoMode(QLineEdit::Password);
    peer->LineEdit->setAlignment(Alignment(Cs.style) | Qt::AlignVCenter);
  }
  if (Cs.lpszName) peer->SetText(QString::fromUtf16(static_cast<const char16_t*>(Cs.lpszName)));
  SetWindowPeer(hWnd, std::move(peer));
  return 1;
}

// ---------------------------------------------------------------- text

LRESULT SetText(EditPeer& P, HWND hWnd, WPARAM, LPARAM lParam) {
  P.SetText(TextArg(lParam));
  NotifyParent(hWnd, EN_UPDATE);
  NotifyParent(hWnd, EN_CHANGE);
  return 1;
}

LRESULT GetText(EditPeer& P, HWND, WPARAM wParam, LPARAM lParam) { return CopyText(P.Text(), wParam, lParam); }

LRESULT GetTextLength(EditPeer& P, HWND, WPARAM, LPARAM) { return P.Text().size(); }

// ------------------------------------------------------- keys and focus

LRESULT GetDlgCode(EditPeer&, HWND hWnd, WPARAM, LPARAM) {
  return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS |
         ((GetWindowLong(hWnd, GWL_STYLE) & ES_MULTILINE) ? DLGC_WANTALLKEYS : 0);
}

template <UINT Msg, UINT Notification>
LRESULT Focus(EditPeer&, HWND hWnd, WPARAM wParam, LPARAM lParam) {
  DefWindowProcW(hWnd, Msg, wParam, lParam);
  NotifyParent(hWnd, Notification);
  return 0;
}

LRESULT Char(EditPeer& P, HWND hWnd, WPARAM wParam, LPARAM lParam) {
  const auto c = static_cast<char16_t>(wParam);
  if (!Accepts(hWnd, c)) return 0;
  if (c == u'\t') {
    if (P.Multi() && !IsReadOnly(hWnd)) P.ReplaceSelection(QStringLiteral("\t"));
    return 0;
  }
  if (c == u'\r' && (!P.Multi() || !(GetWindowLong(hWnd, GWL_STYLE) & ES_WANTRETURN))) {
    if (P.Multi() && !IsReadOnly(hWnd)) P.ReplaceSelection(QStringLiteral("\r\n"));
    return 0;
  }
  if (c >= 32 && P.Text().size() >= P.Limit && !(P.LineEdit && P.LineEdit->hasSelectedText())) {
    NotifyParent(hWnd, EN_MAXTEXT);
    return 0;
  }
  return StdDefault(&P, hWnd, WM_CHAR, CaseFor(hWnd, c), lParam, true);
}

// ------------------------------------------------------------ selection

LRESULT GetSel(EditPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  int s = 0, e = 0;
  P.Selection(&s, &e);
  if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(s);
  if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(e);
  return MAKELPARAM(static_cast<WORD>(std::min(s, 0xFFFF)), static_cast<WORD>(std::min(e, 0xFFFF)));
}

LRESULT SetSel(EditPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  P.SetSelection(static_cast<int>(static_cast<LPARAM>(wParam)), static_cast<int>(lParam));
  return 0;
}

LRESULT ReplaceSel(EditPeer& P, HWND, WPARAM, LPARAM lParam) {
  if (lParam) P.ReplaceSelection(TextArg(lParam));
  return 0;
}

LRESULT Clear(EditPeer& P, HWND, WPARAM, LPARAM) {
  P.ReplaceSelection(QString());
  return 0;
}

// ---------------------------------------------------------------- lines

LRESULT GetLineCount(EditPeer& P, HWND, WPARAM, LPARAM) { return P.LineCount(); }

LRESULT LineIndex(EditPeer& P, HWND, WPARAM wParam, LPARAM) {
  return P.LineIndex(static_cast<int>(static_cast<LPARAM>(wParam)));
}

LRESULT LineFromChar(EditPeer& P, HWND, WPARAM wParam, LPARAM) {
  return P.LineFromChar(static_cast<int>(static_cast<LPARAM>(wParam)));
}

LRESULT LineLength(EditPeer& P, HWND, WPARAM wParam, LPARAM) {
  return P.LineLength(static_cast<int>(static_cast<LPARAM>(wParam)));
}

// The buffer's first unit holds its size; the line is not terminated.
LRESULT GetLine(EditPeer& P, HWND, WPARAM wParam, LPARAM lParam) {
  const int line = static_cast<int>(wParam);
  if (!lParam || line < 0 || line >= P.LineCount()) return 0;
  auto* buffer = reinterpret_cast<char16_t*>(lParam);
  const std::size_t size = *reinterpret_cast<const std::uint16_t*>(lParam);
  const QString text = P.LineText(line);
  const std::size_t n = std::min<std::size_t>(size, static_cast<std::size_t>(text.size()));
  std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), n, buffer);
  return static_cast<LRESULT>(n);
}

LRESULT GetFirstVisibleLine(EditPeer& P, HWND, WPARAM, LPARAM) {
  return P.MultiEdit ? P.MultiEdit->cursorForPosition(QPoint(0, 0)).blockNumber() : 0;
}

LRESULT ScrollCaret(EditPeer& P, HWND, WPARAM, LPARAM) {
  if (P.MultiEdit) P.MultiEdit->ensureCursorVisible();
  return 1;
}

// ----------------------------------------------------------- the state

LRESULT LimitText(EditPeer& P, HWND, WPARAM wParam, LPARAM) {
  P.Limit = wParam == 0 ? 0x7FFFFFFE : static_cast<int>(wParam);
  if (P.LineEdit) P.LineEdit->setMaxLength(std::min(P.Limit, 32767));
  return 0;
}

LRESULT GetLimitText(EditPeer& P, HWND, WPARAM, LPARAM) { return P.Limit; }

LRESULT GetModify(EditPeer& P, HWND, WPARAM, LPARAM) { return P.Modified() ? 1 : 0; }

LRESULT SetModify(EditPeer& P, HWND, WPARAM wParam, LPARAM) {
  P.SetModified(wParam != 0);
  return 0;
}

LRESULT SetReadOnly(EditPeer& P, HWND hWnd, WPARAM wParam, LPARAM) {
  P.SetReadOnly(wParam != 0);
  const auto style = static_cast<DWORD>(GetWindowLong(hWnd, GWL_STYLE));
  SetWindowLong(hWnd, GWL_STYLE, static_cast<LPARAM>(wParam ? style | ES_READONLY : style & ~ES_READONLY));
  return 1;
}

// A single-line edit shows the character in place of each of its own.
LRESULT SetPasswordChar(EditPeer& P, HWND, WPARAM wParam, LPARAM) {
  if (!P.LineEdit) return 0;
  P.PasswordChar = static_cast<char16_t>(wParam);
  P.LineEdit->setEchoMode(wParam ? QLineEdit::Password : QLineEdit::Normal);
  P.LineEdit->setStyleSheet(
      wParam ? QStringLiteral("QLineEdit { lineedit-password-character: %1 }").arg(static_cast<unsigned>(wParam))
             : QString());
  return 0;
}

LRESULT GetPasswordChar(EditPeer& P, HWND, WPARAM, LPARAM) { return P.PasswordChar; }

// ------------------------------------------------- undo and the clipboard

LRESULT CanUndo(EditPeer& P, HWND, WPARAM, LPARAM) {
  return P.LineEdit ? P.LineEdit->isUndoAvailable() : P.MultiEdit->document()->isUndoAvailable();
}

LRESULT EmptyUndoBuffer(EditPeer& P, HWND, WPARAM, LPARAM) {
  if (P.MultiEdit) P.MultiEdit->document()->clearUndoRedoStacks();
  return 0;
}

LRESULT Undo(EditPeer& P, HWND, WPARAM, LPARAM) {
  if (P.LineEdit) P.LineEdit->undo();
  if (P.MultiEdit) P.MultiEdit->undo();
  return 1;
}

LRESULT Cut(EditPeer& P, HWND, WPARAM, LPARAM) {
  if (P.LineEdit) P.LineEdit->cut();
  if (P.MultiEdit) P.MultiEdit->cut();
  return 0;
}

LRESULT Copy(EditPeer& P, HWND, WPARAM, LPARAM) {
  if (P.LineEdit) P.LineEdit->copy();
  if (P.MultiEdit) P.MultiEdit->copy();
  return 0;
}

LRESULT Paste(EditPeer& P, HWND, WPARAM, LPARAM) {
  if (P.LineEdit) P.LineEdit->paste();
  if (P.MultiEdit) P.MultiEdit->paste();
  return 0;
}

// The formatting rectangle: where the text goes within the window. The
// widget keeps it; a single line shows it as its text margins, several
// lines as their document's margin.
constexpr const char* kFormatRect = "formatRect";

LRESULT GetRect(EditPeer& P, HWND hWnd, WPARAM, LPARAM lParam) {
  auto* r = reinterpret_cast<RECT*>(lParam);
  if (!r) return 0;
  GetClientRect(hWnd, r);
  const QVariant kept = P.Widget()->property(kFormatRect);
  if (kept.isValid()) {
    const QRect q = kept.toRect();
    *r = RECT{q.left(), q.top(), q.right() + 1, q.bottom() + 1};
  }
  return 0;
}

LRESULT SetRect(EditPeer& P, HWND hWnd, WPARAM, LPARAM lParam) {
  const auto* r = reinterpret_cast<const RECT*>(lParam);
  RECT client{};
  GetClientRect(hWnd, &client);
  const RECT format = r ? *r : client;
  P.Widget()->setProperty(kFormatRect, QRect(format.left, format.top, format.Width(), format.Height()));
  const int left = std::max(format.left, 0), top = std::max(format.top, 0);
  if (P.LineEdit) {
    P.LineEdit->setTextMargins(left, top, std::max(client.right - format.right, 0),
                               std::max(client.bottom - format.bottom, 0));
  } else {
    P.MultiEdit->document()->setDocumentMargin(std::max(left, top));
  }
  return 0;
}

LRESULT ContextMenu(EditPeer&, HWND hWnd, WPARAM, LPARAM lParam) {
  ShowEditMenu(hWnd, lParam);
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
    {EM_GETRECT, &GetRect},
    {EM_SETRECT, &SetRect},
    {EM_SETRECTNP, &SetRect},
};

LRESULT EditProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_NCCREATE) return Create(hWnd, *reinterpret_cast<const CREATESTRUCT*>(lParam));
  return Dispatch(kMessages, hWnd, Msg, wParam, lParam, true);
}

}  // namespace

void LendLineEdit(QLineEdit* Edit) { g_lent = Edit; }

void RegisterEditClass() { RegisterStdClass(u"EDIT", MakeWndProc<&EditProc>(true)); }

}  // namespace platform::ui
