#include "platform/core/window_system/dialog_windows.h"

#include <map>
#include <utility>

#include "platform/core/window_system/thread_check.h"

namespace platform {
namespace {

constexpr char16_t kDialogClass[] = u"#32770";

std::u16string Folded(std::u16string_view Name) {
  std::u16string key(Name);
  for (char16_t& c : key) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return key;
}

// User-interface thread only, as every window.
std::map<std::pair<void*, std::u16string>, DLGTEMPLATEW>& Templates() {
  static auto* templates = new std::map<std::pair<void*, std::u16string>, DLGTEMPLATEW>;
  return *templates;
}

std::map<HWND, DLGPROC>& DialogProcs() {
  static auto* procs = new std::map<HWND, DLGPROC>;
  return *procs;
}

// The procedure of the dialog being made, until its first message.
DLGPROC g_creating;

void RegisterDialogClass() {
  WNDCLASS existing;
  if (GetClassInfoW(kDialogClass, &existing)) return;
  WNDCLASS wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = MakeWndProc<&DefDlgProcW>(true);
  wc.lpszClassName = kDialogClass;
  RegisterClassW(wc);
}

// Messages whose answer is the procedure's own result, not DWL_MSGRESULT.
bool AnswersItself(UINT Msg) { return Msg == WM_INITDIALOG || (Msg >= WM_CTLCOLORMSGBOX && Msg <= WM_CTLCOLORSTATIC); }

}  // namespace

bool RegisterDialogTemplate(void* hInstance, std::u16string_view Name, DLGTEMPLATEW Template) {
  RequireUiThread();
  if (Name.empty()) return false;
  Templates()[{hInstance, Folded(Name)}] = std::move(Template);
  return true;
}

bool UnregisterDialogTemplate(void* hInstance, std::u16string_view Name) {
  RequireUiThread();
  return Templates().erase({hInstance, Folded(Name)}) > 0;
}

const DLGTEMPLATEW* FindDialogTemplate(void* hInstance, std::u16string_view Name) {
  RequireUiThread();
  const auto it = Templates().find({hInstance, Folded(Name)});
  return it == Templates().end() ? nullptr : &it->second;
}

HWND CreateDialogIndirectParamW(void* hInstance, const DLGTEMPLATEW& Template, HWND Parent, DLGPROC DialogFunc,
                                LPARAM InitParam) {
  RequireUiThread();
  RegisterDialogClass();
  g_creating = DialogFunc;
  const HWND dialog =
      CreateWindowExW(Template.dwExtendedStyle, kDialogClass, Template.title, Template.style & ~WS_VISIBLE, Template.x,
                      Template.y, Template.cx, Template.cy, Parent, 0, hInstance, nullptr);
  g_creating = {};
  if (!dialog) return nullptr;
  HWND first = nullptr;
  for (const DLGITEMTEMPLATEW& item : Template.items) {
    const HWND control =
        CreateWindowExW(item.dwExtendedStyle, item.windowClass, item.title, item.style | WS_CHILD, item.x, item.y,
                        item.cx, item.cy, dialog, static_cast<std::uintptr_t>(item.id), hInstance, nullptr);
    if (!first && control && (item.style & WS_TABSTOP)) first = control;
  }
  const LRESULT focus = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), InitParam);
  if (!IsWindow(dialog)) return nullptr;
  if (focus && first) SetFocus(first);
  if (Template.style & WS_VISIBLE) ShowWindow(dialog, SW_SHOW);
  return dialog;
}

LRESULT DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_NCCREATE && g_creating) DialogProcs()[hDlg] = std::exchange(g_creating, {});
  const auto it = DialogProcs().find(hDlg);
  LRESULT answer = 0;
  if (it != DialogProcs().end()) {
    const DLGPROC proc = it->second;
    SetWindowLong(hDlg, DWL_MSGRESULT, 0);
    const LRESULT handled = CallWindowProcW(proc, hDlg, Msg, wParam, lParam);
    if (handled && Msg != WM_NCCREATE && Msg != WM_NCDESTROY) {
      return AnswersItself(Msg) ? handled : GetWindowLong(hDlg, DWL_MSGRESULT);
    }
  }
  answer = DefWindowProcW(hDlg, Msg, wParam, lParam);
  if (Msg == WM_NCDESTROY) DialogProcs().erase(hDlg);
  return answer;
}

}  // namespace platform
