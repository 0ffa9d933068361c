// The file dialog window behind GetOpenFileName and GetSaveFileName. The
// dialog keeps what the user has done (folder, file type, name box) and
// lists its folder; every move reaches it as a message (FDM_), from the
// view on Qt or from a script, and is told to the hook as a CDN_
// notification. OK puts the chosen names in the caller's buffer and asks
// the hook (CDN_FILEOK) before it closes. The dialog runs its own message
// loop while the program's other windows wait.

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <system_error>
#include <type_traits>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/dialog_windows.h"
#include "platform/core/window_system/queue.h"
#include "platform/ui/controls/dialogs.h"
#include "platform/ui/window_classes/file_dialog_internal.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {
namespace {

TFileDialogScript& Script() {
  static TFileDialogScript script;
  return script;
}

TFileChooser& Chooser() {
  static TFileChooser chooser;
  return chooser;
}

std::map<HWND, FileDialogState*>& States() {
  static auto* states = new std::map<HWND, FileDialogState*>;
  return *states;
}

std::u16string Wide(const char16_t* S) { return S ? std::u16string(S) : std::u16string(); }
std::u16string Wide(const char* S) { return S ? Cp1252ToUtf16(S) : std::u16string(); }

// The text in a buffer of Size characters, up to its terminator.
template <class Char>
std::u16string BufferText(const Char* Buffer, DWORD Size) {
  const std::basic_string<Char> text(Buffer, std::find(Buffer, Buffer + Size, Char{}));
  return Wide(text.c_str());
}

std::filesystem::path PathOf(const std::u16string& S) { return std::filesystem::path(S); }

std::u16string FolderOf(std::u16string_view Path) {
  const std::size_t slash = Path.find_last_of(u'/');
  if (slash == std::u16string_view::npos) return {};
  return std::u16string(Path.substr(0, slash == 0 ? 1 : slash));
}

std::u16string NameOf(std::u16string_view Path) {
  const std::size_t slash = Path.find_last_of(u'/');
  return std::u16string(slash == std::u16string_view::npos ? Path : Path.substr(slash + 1));
}

std::u16string Join(const std::u16string& Folder, const std::u16string& Name) {
  if (Name.starts_with(u'/') || Folder.empty()) return Name;
  return Folder.ends_with(u'/') ? Folder + Name : Folder + u'/' + Name;
}

// "A|*.a" from the record's zero-separated pairs.
template <class Char>
std::vector<std::pair<std::u16string, std::u16string>> TypesOf(const Char* Filter) {
  std::vector<std::u16string> parts;
  for (const Char* p = Filter; p && *p;) {
    const std::basic_string<Char> part(p);
    parts.push_back(Wide(part.c_str()));
    p += part.size() + 1;
  }
  std::vector<std::pair<std::u16string, std::u16string>> types;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) types.emplace_back(parts[i], parts[i + 1]);
  return types;
}

// "*" any run, "?" any one character; "*.*" takes every name.
bool Matches(std::u16string_view Mask, std::u16string_view Name) {
  if (Mask == u"*.*") Mask = u"*";
  std::size_t m = 0, n = 0, star = std::u16string_view::npos, mark = 0;
  while (n < Name.size()) {
    if (m < Mask.size() && (Mask[m] == u'?' || Mask[m] == Name[n])) {
      ++m;
      ++n;
    } else if (m < Mask.size() && Mask[m] == u'*') {
      star = m++;
      mark = n;
    } else if (star != std::u16string_view::npos) {
      m = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (m < Mask.size() && Mask[m] == u'*') ++m;
  return m == Mask.size();
}

bool OfType(const FileDialogState& S, const std::u16string& Name) {
  if (S.Types.empty() || S.TypeIndex < 1 || S.TypeIndex > static_cast<int>(S.Types.size())) return true;
  return FileDialogTypeMatches(S.Types[static_cast<std::size_t>(S.TypeIndex - 1)].second, Name);
}

// Sends a CDN_ notification to the hook of an explorer-style dialog; its
// answer (0 without a hook).
LRESULT Notify(FileDialogState& S, int Code) {
  if (!S.Hook || !S.Explorer()) return 0;
  const NMHDR hdr{S.Dialog, 0, Code};
  if (S.Ansi) {
    OFNOTIFYA nm{hdr, S.Ansi, nullptr};
    return SendMessageW(S.Hook, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  }
  OFNOTIFYW nm{hdr, S.Wide, nullptr};
  return SendMessageW(S.Hook, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
}

void ListFolder(FileDialogState& S) {
  std::vector<std::u16string> folders, files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(PathOf(S.Folder), error), end; !error && it != end; it.increment(error)) {
    const std::u16string name = it->path().filename().u16string();
    if (name.starts_with(u'.') && !(S.Flags & OFN_FORCESHOWHIDDEN)) continue;
    std::error_code kind;
    if (it->is_directory(kind)) {
      folders.push_back(name);
    } else if (OfType(S, name) && IncludesFile(S, Join(S.Folder, name))) {
      files.push_back(name);
    }
  }
  std::sort(folders.begin(), folders.end());
  std::sort(files.begin(), files.end());
  S.Items = std::move(folders);
  S.Items.insert(S.Items.end(), files.begin(), files.end());
}

void ChangeFolder(FileDialogState& S, std::u16string Folder) {
  if (Folder.size() > 1 && Folder.ends_with(u'/')) Folder.pop_back();
  if (Folder.empty() || Folder == S.Folder) return;
  S.Folder = std::move(Folder);
  S.Included.clear();
  ListFolder(S);
  RefreshFileDialogView(S.Dialog);
  Notify(S, CDN_FOLDERCHANGE);
}

void ChangeType(FileDialogState& S, int Index) {
  if (Index < 1 || Index > static_cast<int>(S.Types.size()) || Index == S.TypeIndex) return;
  S.TypeIndex = Index;
  // The hook reads the new type from the record.
  if (S.Wide) S.Wide->nFilterIndex = static_cast<DWORD>(Index);
  if (S.Ansi) S.Ansi->nFilterIndex = static_cast<DWORD>(Index);
  ListFolder(S);
  RefreshFileDialogView(S.Dialog);
  Notify(S, CDN_TYPECHANGE);
}

// The name box shows a file of the folder by its name, several in quotes.
void Select(FileDialogState& S, const std::vector<std::u16string>& Names) {
  std::vector<std::u16string> shown;
  for (const std::u16string& name : Names) {
    shown.push_back(FolderOf(name) == S.Folder ? NameOf(name) : name);
  }
  S.NameBox.clear();
  if (shown.size() == 1) {
    S.NameBox = shown.front();
  } else {
    for (const std::u16string& name : shown) S.NameBox += (S.NameBox.empty() ? u"\"" : u" \"") + name + u'"';
  }
  RefreshFileDialogView(S.Dialog);
  Notify(S, CDN_SELCHANGE);
}

// The full paths the name box names.
std::vector<std::u16string> Chosen(const FileDialogState& S) {
  std::vector<std::u16string> names;
  const std::u16string& box = S.NameBox;
  if (box.starts_with(u'"')) {
    for (std::size_t open = box.find(u'"'); open != std::u16string::npos; open = box.find(u'"', open)) {
      const std::size_t close = box.find(u'"', open + 1);
      if (close == std::u16string::npos) break;
      if (close > open + 1) names.push_back(Join(S.Folder, box.substr(open + 1, close - open - 1)));
      open = close + 1;
    }
  } else if (!box.empty()) {
    names.push_back(Join(S.Folder, box));
  }
  return names;
}

std::u16string ExtensionOf(std::u16string_view Path) {
  const std::u16string name = NameOf(Path);
  const std::size_t dot = name.find_last_of(u'.');
  return dot == std::u16string::npos ? std::u16string() : name.substr(dot + 1);
}

// Writes the names into the caller's buffer, in its kind of text; false
// when they do not fit (the buffer is then left as it was).
bool WriteNames(FileDialogState& S, const std::vector<std::u16string>& Names) {
  std::u16string out;
  WORD offset = 0;
  if (Names.size() == 1) {
    out = Names.front();
    const std::size_t slash = out.find_last_of(u'/');
    offset = static_cast<WORD>(slash == std::u16string::npos ? 0 : slash + 1);
  } else {
    const std::u16string folder = FolderOf(Names.front());
    const char16_t separator = S.Explorer() ? u'\0' : u' ';
    out = folder;
    for (const std::u16string& name : Names) out += separator + (FolderOf(name) == folder ? NameOf(name) : name);
    offset = static_cast<WORD>(folder.size() + 1);
  }
  out += u'\0';
  if (S.MultiSelect() && S.Explorer()) out += u'\0';
  const DWORD capacity = S.Wide ? S.Wide->nMaxFile : S.Ansi->nMaxFile;
  if (out.size() > capacity) return false;
  const std::size_t dot = Names.size() == 1 ? out.find_last_of(u'.') : std::u16string::npos;
  const WORD extension = static_cast<WORD>(dot == std::u16string::npos || dot < offset ? 0 : dot + 1);
  const bool different = !S.DefaultExt.empty() && Names.size() == 1 && ExtensionOf(Names.front()) != S.DefaultExt;
  const auto finish = [&](auto& Ofn) {
    Ofn.nFileOffset = offset;
    Ofn.nFileExtension = extension;
    Ofn.nFilterIndex = static_cast<DWORD>(S.TypeIndex);
    Ofn.Flags = different ? Ofn.Flags | OFN_EXTENSIONDIFFERENT : Ofn.Flags & ~OFN_EXTENSIONDIFFERENT;
  };
  if (S.Wide) {
    std::copy(out.begin(), out.end(), S.Wide->lpstrFile);
    finish(*S.Wide);
  } else {
    for (std::size_t i = 0; i < out.size(); ++i) {
      char c = '?';
      S.Ansi->lpstrFile[i] = UnicodeToCp1252(out[i], c) ? c : '?';
    }
    finish(*S.Ansi);
  }
  return true;
}

// The platform's read-only attribute: nobody may write the file.
bool ReadOnly(const std::u16string& Path) {
  using std::filesystem::perms;
  std::error_code error;
  const perms mode = std::filesystem::status(PathOf(Path), error).permissions();
  return !error && (mode & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}

bool Warn(const FileDialogState& S, const std::u16string& Text) {
  MessageBoxW(S.Dialog, Text, S.Title, MB_OK | MB_ICONWARNING);
  return false;
}

// One of the names, as the caller's flags want it: its folder there, the
// file there (or to be made, when the user says so), and writable.
bool Acceptable(const FileDialogState& S, const std::u16string& Name) {
  std::error_code error;
  const bool exists = std::filesystem::exists(PathOf(Name), error);
  const std::u16string name = NameOf(Name), folder = FolderOf(Name);
  if (!exists && (S.Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) &&
      !std::filesystem::is_directory(PathOf(folder), error)) {
    return Warn(S, folder + u"\nPath does not exist.\nCheck the path and try again.");
  }
  if (!exists && (S.Flags & OFN_CREATEPROMPT)) {
    return MessageBoxW(S.Dialog, name + u"\nThis file does not exist.\nDo you want to create it?", S.Title,
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
  }
  if (!exists && !S.Save && (S.Flags & OFN_FILEMUSTEXIST)) {
    return Warn(S, name + u"\nFile not found.\nCheck the file name and try again.");
  }
  if (exists && (S.Flags & OFN_NOREADONLYRETURN) && ReadOnly(Name)) {
    return Warn(S, name + u"\nThis file is set to read-only.\nTry again with a different file name.");
  }
  return true;
}

// What the dialog asks the user before it takes the names: each must be
// acceptable, and a file to be saved over is replaced only when the user
// says so.
bool Confirmed(const FileDialogState& S, const std::vector<std::u16string>& Names) {
  if (!std::all_of(Names.begin(), Names.end(), [&S](const std::u16string& Name) { return Acceptable(S, Name); })) {
    return false;
  }
  std::error_code error;
  if (S.Save && (S.Flags & OFN_OVERWRITEPROMPT) && Names.size() == 1 &&
      std::filesystem::exists(PathOf(Names.front()), error)) {
    return MessageBoxW(S.Dialog, NameOf(Names.front()) + u" already exists.\nDo you want to replace it?", S.Title,
                       MB_YESNO | MB_ICONWARNING) == IDYES;
  }
  return true;
}

// The dialog closes without a choice.
void Cancel(FileDialogState& S) {
  S.Done = true;
  S.Chosen = false;
}

// OK: a folder typed into the name box opens; otherwise the names go to
// the buffer and, unless the hook refuses them, the dialog closes.
bool Ok(FileDialogState& S) {
  std::vector<std::u16string> names = Chosen(S);
  if (names.empty()) return false;
  std::error_code error;
  if (names.size() == 1 && std::filesystem::is_directory(PathOf(names.front()), error)) {
    ChangeFolder(S, names.front());
    S.NameBox.clear();
    RefreshFileDialogView(S.Dialog);
    return false;
  }
  if (names.size() == 1 && !S.DefaultExt.empty() && ExtensionOf(names.front()).empty()) {
    names.front() += u'.' + S.DefaultExt;
  }
  if (!Confirmed(S, names)) return false;
  if (!WriteNames(S, names)) {
    Cancel(S);
    return true;
  }
  if (Notify(S, CDN_FILEOK) != 0) return false;
  S.Done = true;
  S.Chosen = true;
  return true;
}

// The buffer's copy of Text, with its terminator, in the dialog's kind of
// text: the length with the terminator, or the size needed.
LRESULT Answer(const FileDialogState& S, const std::u16string& Text, WPARAM Size, LPARAM Buffer) {
  const auto needed = static_cast<LRESULT>(Text.size() + 1);
  if (!Buffer || static_cast<LRESULT>(Size) < needed) return needed;
  if (S.Ansi) {
    const std::string text = Utf16ToCp1252(Text);
    std::copy(text.begin(), text.end(), reinterpret_cast<char*>(Buffer));
    reinterpret_cast<char*>(Buffer)[text.size()] = '\0';
  } else {
    std::copy(Text.begin(), Text.end(), reinterpret_cast<char16_t*>(Buffer));
    reinterpret_cast<char16_t*>(Buffer)[Text.size()] = u'\0';
  }
  return needed;
}

std::u16string TextArgOf(const FileDialogState& S, LPARAM lParam, bool FromUser) {
  if (!lParam) return {};
  if (S.Ansi && !FromUser) return Cp1252ToUtf16(reinterpret_cast<const char*>(lParam));
  return std::u16string(reinterpret_cast<const char16_t*>(lParam));
}

// The chooser as the user: asked with what the dialog shows; its answer
// becomes the user's moves. A refused answer asks again.
void RunChooser(FileDialogState& S) {
  bool selected = false;
  while (!S.Done) {
    TFileChoice choice;
    choice.Save = S.Save;
    choice.Title = S.Title;
    for (const auto& [description, masks] : S.Types) {
      choice.Filter += (choice.Filter.empty() ? u"" : u"|") + description + u'|' + masks;
    }
    choice.FilterIndex = S.TypeIndex;
    choice.InitialDir = S.Folder;
    choice.FileName = selected ? Join(S.Folder, S.NameBox) : S.NameBox;
    choice.DefaultExt = S.DefaultExt;
    choice.MultiSelect = S.MultiSelect();
    std::vector<std::u16string> files;
    if (!Chooser()(choice, files) || files.empty()) {
      FileDialogCancel(S.Dialog);
      return;
    }
    FileDialogChangeType(S.Dialog, choice.FilterIndex);
    FileDialogChangeFolder(S.Dialog, FolderOf(files.front()));
    FileDialogSelect(S.Dialog, files);
    selected = true;
    FileDialogOk(S.Dialog);
  }
}

void RunUser(FileDialogState& S) {
  if (Script()) {
    Script()(S.Dialog);
  } else if (Chooser()) {
    RunChooser(S);
  }
  if (!S.Done) FileDialogCancel(S.Dialog);
}

// The hook's child dialog keeps the bottom of the dialog, as wide as it;
// the dialog's own part takes the room above.
void PlaceHookDialog(const FileDialogState& S) {
  if (!S.Hook) return;
  const RECT dialog = GetWindowBounds(S.Dialog), child = GetWindowBounds(S.Hook);
  const int top = std::max(dialog.Height() - child.Height(), 0);
  if (child.top != top || child.Width() != dialog.Width()) {
    SetWindowPos(S.Hook, nullptr, 0, top, dialog.Width(), child.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// A move of the user (FDM_, the buttons, the frame's close box); its
// answer, or nothing for another message.
std::optional<LRESULT> UserMove(FileDialogState& S, UINT Msg, WPARAM wParam, LPARAM lParam) {
  switch (Msg) {
    case WM_CLOSE:
    case FDM_CANCEL:
      Cancel(S);
      return 0;
    case WM_COMMAND:
      // The buttons of a template, and Enter and Escape.
      if (LOWORD(wParam) == IDOK) Ok(S);
      if (LOWORD(wParam) == IDCANCEL) Cancel(S);
      return 0;
    case FDM_FOLDER:
      ChangeFolder(S, TextArgOf(S, lParam, true));
      return 0;
    case FDM_TYPE:
      ChangeType(S, static_cast<int>(wParam));
      return 0;
    case FDM_SELECT:
      if (lParam) Select(S, *reinterpret_cast<const std::vector<std::u16string>*>(lParam));
      return 0;
    case FDM_NAME:
      S.NameBox = TextArgOf(S, lParam, true);
      return 0;
    case FDM_OK:
      return Ok(S) ? 1 : 0;
    case FDM_RUNUSER:
      RunUser(S);
      return 0;
    default:
      return std::nullopt;
  }
}

// A question or a request of the hook (CDM_), or a place its owner adds;
// its answer, or nothing for another message.
std::optional<LRESULT> Request(FileDialogState& S, UINT Msg, WPARAM wParam, LPARAM lParam) {
  switch (Msg) {
    case CDM_GETSPEC:
      return Answer(S, S.NameBox, wParam, lParam);
    case CDM_GETFILEPATH: {
      const std::vector<std::u16string> names = Chosen(S);
      return Answer(S, names.empty() ? S.Folder : names.front(), wParam, lParam);
    }
    case CDM_GETFOLDERPATH:
      return Answer(S, S.Folder, wParam, lParam);
    case CDM_SETCONTROLTEXT:
      S.ControlTexts[static_cast<int>(wParam)] = TextArgOf(S, lParam, false);
      RefreshFileDialogView(S.Dialog);
      return 0;
    case CDM_SETDEFEXT:
      S.DefaultExt = TextArgOf(S, lParam, false);
      return 0;
    case FDM_PLACE:
      if (std::u16string place = TextArgOf(S, lParam, true);
          !place.empty() && std::find(S.Places.begin(), S.Places.end(), place) == S.Places.end()) {
        S.Places.push_back(std::move(place));
        RefreshFileDialogView(S.Dialog);
      }
      return 0;
    default:
      return std::nullopt;
  }
}

// The dialog window: its state comes with WM_INITDIALOG and goes with the
// window; what it handles answers through DWL_MSGRESULT.
LRESULT FileDialogProc(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_INITDIALOG) {
    auto* state = reinterpret_cast<FileDialogState*>(lParam);
    state->Dialog = hDlg;
    States()[hDlg] = state;
    InstallFileDialogView(hDlg, *state);
    return 0;
  }
  FileDialogState* s = FileDialogOf(hDlg);
  if (!s) return 0;
  if (Msg == WM_NCDESTROY) {
    States().erase(hDlg);
    return 0;
  }
  if (Msg == WM_SIZE) {
    PlaceHookDialog(*s);
    return 0;
  }
  std::optional<LRESULT> result = UserMove(*s, Msg, wParam, lParam);
  if (!result) result = Request(*s, Msg, wParam, lParam);
  if (!result) return 0;
  SetWindowLong(hDlg, DWL_MSGRESULT, *result);
  return 1;
}

// The hook's child dialog: empty unless the caller's template gives it
// controls; it holds what the hook adds below the dialog's own part.
HWND MakeHookDialog(FileDialogState& S, void* Instance, const std::u16string& TemplateName, LPARAM Record) {
  DLGTEMPLATEW child;
  if (S.Flags & OFN_ENABLETEMPLATE) {
    if (const DLGTEMPLATEW* found = FindDialogTemplate(Instance, TemplateName)) child = *found;
  }
  child.style = (child.style & ~(WS_POPUP | WS_CAPTION)) | WS_CHILD | DS_CONTROL;
  child.x = 0;
  child.y = kFileDialogHeight;
  child.cx = std::max(child.cx, kFileDialogWidth);
  const LPOFNHOOKPROC hook = S.Wide ? S.Wide->lpfnHook : S.Ansi->lpfnHook;
  return CreateDialogIndirectParamW(Instance, child, S.Dialog, hook, Record);
}

// Every other window of the thread waits while the dialog shows.
class ModalScope {
 public:
  explicit ModalScope(HWND Dialog) {
    for (const HWND w : GetThreadWindows()) {
      if (w != Dialog && IsWindowEnabled(w)) {
        EnableWindow(w, false);
        disabled_.push_back(w);
      }
    }
  }
  ~ModalScope() {
    for (const HWND w : disabled_) {
      if (IsWindow(w)) EnableWindow(w, true);
    }
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  std::vector<HWND> disabled_;
};

void RunLoop(FileDialogState& S) {
  MSG msg;
  while (!S.Done) {
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      // The quit request stays for the program's own loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      Cancel(S);
      break;
    }
    if (!IsDialogMessageW(S.Dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

template <class Ofn>
bool RunFileDialog(Ofn* Record, bool Save) {
  RequireUi();
  if (!Record || !Record->lpstrFile || Record->nMaxFile == 0) return false;
  FileDialogState state;
  if constexpr (std::is_same_v<Ofn, OPENFILENAMEW>) {
    state.Wide = Record;
  } else {
    state.Ansi = Record;
  }
  state.Save = Save;
  state.Flags = Record->Flags;
  state.Title = Record->lpstrTitle ? Wide(Record->lpstrTitle) : Save ? u"Save As" : u"Open";
  state.Types = TypesOf(Record->lpstrFilter);
  state.TypeIndex = std::clamp(static_cast<int>(Record->nFilterIndex), 1, std::max<int>(state.Types.size(), 1));
  state.NameBox = BufferText(Record->lpstrFile, Record->nMaxFile);
  state.Folder = Wide(Record->lpstrInitialDir);
  if (state.Folder.empty()) state.Folder = FolderOf(state.NameBox);
  if (state.Folder.empty()) {
    std::error_code error;
    state.Folder = std::filesystem::current_path(error).u16string();
  }
  state.DefaultExt = Wide(Record->lpstrDefExt);
  ListFolder(state);

  DLGTEMPLATEW frame;
  frame.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  frame.title = state.Title;
  frame.cx = kFileDialogWidth;
  frame.cy = kFileDialogHeight;
  frame.x = std::max((GetSystemMetrics(SM_CXSCREEN) - frame.cx) / 2, 0);
  frame.y = std::max((GetSystemMetrics(SM_CYSCREEN) - frame.cy) / 2, 0);
  const HWND dialog = CreateDialogIndirectParamW(Record->hInstance, frame, Record->hwndOwner,
                                                 MakeWndProc<&FileDialogProc>(true), reinterpret_cast<LPARAM>(&state));
  if (!dialog) return false;
  const bool hooked = (state.Flags & OFN_ENABLEHOOK) && Record->lpfnHook && state.Explorer();
  if (hooked) {
    state.Hook =
        MakeHookDialog(state, Record->hInstance, Wide(Record->lpTemplateName), reinterpret_cast<LPARAM>(Record));
    if (state.Hook) {
      const RECT child = GetWindowBounds(state.Hook);
      SetWindowPos(dialog, nullptr, 0, 0, std::max(child.right, kFileDialogWidth), child.bottom,
                   SWP_NOMOVE | SWP_NOZORDER);
      ShowWindow(state.Hook, SW_SHOW);
      // The hook may leave files out of the list.
      ListFolder(state);
      RefreshFileDialogView(dialog);
    }
  }
  {
    const ModalScope modal(dialog);
    Notify(state, CDN_INITDONE);
    Notify(state, CDN_FOLDERCHANGE);
    if (Script() || Chooser()) {
      PostMessageW(dialog, FDM_RUNUSER, 0, 0);
    } else if (CanAskUser()) {
      ShowWindow(dialog, SW_SHOW);
      SetActiveWindow(dialog);
    } else {
      state.Done = true;
    }
    RunLoop(state);
  }
  DestroyWindow(dialog);
  return state.Chosen;
}

}  // namespace

FileDialogState* FileDialogOf(HWND Dialog) {
  const auto it = States().find(Dialog);
  return it == States().end() ? nullptr : it->second;
}

bool IncludesFile(FileDialogState& State, const std::u16string& Path) {
  if (!State.Hook || !State.Explorer() || !(State.Flags & OFN_ENABLEINCLUDENOTIFY)) return true;
  if (const auto it = State.Included.find(Path); it != State.Included.end()) return it->second;
  const NMHDR hdr{State.Dialog, 0, CDN_INCLUDEITEM};
  const std::u16string folder = FolderOf(Path), name = NameOf(Path);
  LRESULT answer = 0;
  if (State.Ansi) {
    const std::string folderA = Utf16ToCp1252(folder), nameA = Utf16ToCp1252(name);
    OFNOTIFYEXA nm{hdr, State.Ansi, folderA.c_str(), nameA.c_str()};
    answer = SendMessageW(State.Hook, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  } else {
    OFNOTIFYEXW nm{hdr, State.Wide, folder.c_str(), name.c_str()};
    answer = SendMessageW(State.Hook, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  }
  return State.Included[Path] = answer != 0;
}

}  // namespace platform::ui

namespace platform {

bool GetOpenFileNameW(OPENFILENAMEW* Ofn) { return ui::RunFileDialog(Ofn, false); }
bool GetSaveFileNameW(OPENFILENAMEW* Ofn) { return ui::RunFileDialog(Ofn, true); }
bool GetOpenFileNameA(OPENFILENAMEA* Ofn) { return ui::RunFileDialog(Ofn, false); }
bool GetSaveFileNameA(OPENFILENAMEA* Ofn) { return ui::RunFileDialog(Ofn, true); }

void SetFileDialogScript(TFileDialogScript NewScript) { ui::Script() = std::move(NewScript); }
void SetFileChooser(TFileChooser NewChooser) { ui::Chooser() = std::move(NewChooser); }

void FileDialogChangeFolder(HWND Dialog, std::u16string_view Folder) {
  const std::u16string folder(Folder);
  SendMessageW(Dialog, ui::FDM_FOLDER, 0, reinterpret_cast<LPARAM>(folder.c_str()));
}

void FileDialogChangeType(HWND Dialog, int Index) { SendMessageW(Dialog, ui::FDM_TYPE, static_cast<WPARAM>(Index), 0); }

void FileDialogSelect(HWND Dialog, const std::vector<std::u16string>& Names) {
  SendMessageW(Dialog, ui::FDM_SELECT, 0, reinterpret_cast<LPARAM>(&Names));
}

void FileDialogTypeName(HWND Dialog, std::u16string_view Text) {
  const std::u16string text(Text);
  SendMessageW(Dialog, ui::FDM_NAME, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool FileDialogOk(HWND Dialog) { return SendMessageW(Dialog, ui::FDM_OK, 0, 0) != 0; }

void FileDialogCancel(HWND Dialog) { SendMessageW(Dialog, ui::FDM_CANCEL, 0, 0); }

std::vector<std::u16string> FileDialogItems(HWND Dialog) {
  const ui::FileDialogState* s = ui::FileDialogOf(Dialog);
  return s ? s->Items : std::vector<std::u16string>{};
}

void FileDialogAddPlace(HWND Dialog, std::u16string_view Folder) {
  const std::u16string folder(Folder);
  SendMessageW(Dialog, ui::FDM_PLACE, 0, reinterpret_cast<LPARAM>(folder.c_str()));
}

bool FileDialogTypeMatches(std::u16string_view Masks, std::u16string_view Name) {
  for (std::size_t start = 0; start <= Masks.size();) {
    const std::size_t end = std::min(Masks.find(u';', start), Masks.size());
    std::u16string mask(Masks.substr(start, end - start));
    std::erase(mask, u' ');
    if (!mask.empty() && ui::Matches(mask, Name)) return true;
    start = end + 1;
  }
  return false;
}

std::vector<std::u16string> FileDialogPlaces(HWND Dialog) {
  const ui::FileDialogState* s = ui::FileDialogOf(Dialog);
  return s ? s->Places : std::vector<std::u16string>{};
}

std::u16string FileDialogControlText(HWND Dialog, int Id) {
  const ui::FileDialogState* s = ui::FileDialogOf(Dialog);
  if (!s) return {};
  const auto it = s->ControlTexts.find(Id);
  return it == s->ControlTexts.end() ? std::u16string() : it->second;
}

}  // namespace platform
