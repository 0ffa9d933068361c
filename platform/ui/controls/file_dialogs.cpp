#include "platform/ui/controls/file_dialogs.h"

#include <algorithm>
#include <utility>

#include "platform/core/os/modules.h"
#include "platform/core/window_system/dialog_windows.h"

namespace platform {
namespace {

constexpr std::pair<TOpenOption, DWORD> kOptionFlags[] = {
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofShowHelp, OFN_SHOWHELP},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {ofNoLongNames, OFN_NOLONGNAMES},
    {ofEnableSizing, OFN_ENABLESIZING},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
    {ofDontAddToRecent, OFN_DONTADDTORECENT},
    {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
};

// "A|*.a" as the record's zero-separated pairs.
std::string ZeroSeparated(std::string Filter) {
  std::replace(Filter.begin(), Filter.end(), '|', '\0');
  return Filter + std::string(2, '\0');
}

std::string ExtensionOf(const std::string& Name) {
  const std::size_t dot = Name.find_last_of('.');
  const std::size_t slash = Name.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return Name.substr(dot + 1);
}

// One full name; or, of several, the folder and then the names, separated
// by zeros (by blanks in the old-style dialog).
std::vector<std::string> ReadNames(const std::string& Buffer, bool MultiSelect, bool Explorer) {
  if (!MultiSelect) {
    const std::string name = Buffer.substr(0, Buffer.find('\0'));
    return name.empty() ? std::vector<std::string>{} : std::vector<std::string>{name};
  }
  const std::string text =
      Explorer ? Buffer.substr(0, Buffer.find(std::string(2, '\0'))) : Buffer.substr(0, Buffer.find('\0'));
  const char separator = Explorer ? '\0' : ' ';
  std::vector<std::string> parts;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    if (end > start) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::string folder = parts.front();
  if (!folder.ends_with('/')) folder += '/';
  std::vector<std::string> names;
  for (std::size_t i = 1; i < parts.size(); ++i)
    names.push_back(parts[i].front() == '/' ? parts[i] : folder + parts[i]);
  return names;
}

// The names a dialog's record holds while it asks whether it may close,
// put into FileName and Files for as long as the scope stands; what they
// held comes back after, as the names stay only when the dialog closes
// with them.
class ChosenNamesScope {
 public:
  ChosenNamesScope(TOpenDialog& Dialog, const OPENFILENAMEA* Record)
      : dialog_(Dialog), fileName_(Dialog.FileName), files_(std::move(Dialog.Files)) {
    dialog_.Files.clear();
    if (Record && Record->lpstrFile) {
      dialog_.Files = ReadNames(std::string(Record->lpstrFile, Record->nMaxFile),
                                (Record->Flags & OFN_ALLOWMULTISELECT) != 0, (Record->Flags & OFN_EXPLORER) != 0);
    }
    if (!dialog_.Files.empty()) dialog_.FileName = dialog_.Files.front();
  }
  ~ChosenNamesScope() {
    dialog_.FileName = std::move(fileName_);
    dialog_.Files = std::move(files_);
  }
  ChosenNamesScope(const ChosenNamesScope&) = delete;
  ChosenNamesScope& operator=(const ChosenNamesScope&) = delete;

 private:
  TOpenDialog& dialog_;
  std::string fileName_;
  std::vector<std::string> files_;
};

}  // namespace

DWORD TOpenDialog::OpenFileNameFlags() const {
  DWORD flags = OFN_ENABLEHOOK;
  for (const auto& [option, flag] : kOptionFlags) {
    if (Options & option) flags |= flag;
  }
  if (!(Options & ofOldStyleDialog)) flags |= OFN_EXPLORER;
  if (!Template.empty()) flags |= OFN_ENABLETEMPLATE;
  return flags;
}

void TOpenDialog::TakeResultFlags(DWORD Flags) {
  const TOpenOptions readOnly = ofReadOnly, different = ofExtensionDifferent;
  Options = (Options & ~(readOnly | different)) | ((Flags & OFN_READONLY) ? readOnly : 0) |
            ((Flags & OFN_EXTENSIONDIFFERENT) ? different : 0);
}

bool TOpenDialog::Execute() {
  const std::string filter = ZeroSeparated(Filter);
  std::string buffer(kMaxFileNameLength + 2, '\0');
  std::copy_n(FileName.begin(), std::min(FileName.size(), kMaxFileNameLength), buffer.begin());
  const bool explorer = !(Options & ofOldStyleDialog);
  const std::string defaultExt = DefaultExt.empty() && !explorer ? ExtensionOf(FileName) : DefaultExt;
  OPENFILENAMEA ofn;
  ofn.hwndOwner = GetActiveWindow();
  ofn.hInstance = GetModuleHandleA(nullptr);
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.Flags = OpenFileNameFlags();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.lpfnHook = Hook();
  ofn.lpTemplateName = Template.empty() ? nullptr : Template.c_str();
  ofn.FlagsEx = (OptionsEx & ofExNoPlacesBar) ? OFN_EX_NOPLACESBAR : 0;
  const bool chosen = TaskModalDialog([&] { return IsSave() ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn); });
  if (!chosen) return false;
  Files = ReadNames(buffer, (Options & ofAllowMultiSelect) != 0, explorer);
  if (!Files.empty()) FileName = Files.front();
  TakeResultFlags(ofn.Flags);
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

bool TOpenDialog::DoCanClose() {
  bool canClose = true;
  if (OnCanClose) OnCanClose(this, canClose);
  return canClose;
}

void TOpenDialog::DoSelectionChange() {
  if (OnSelectionChange) OnSelectionChange(this);
}

void TOpenDialog::DoFolderChange() {
  if (OnFolderChange) OnFolderChange(this);
}

void TOpenDialog::DoTypeChange() {
  if (OnTypeChange) OnTypeChange(this);
}

void TOpenDialog::DoIncludeItem(const OFNOTIFYEXA& OFN, bool& Include) {
  if (OnIncludeItem) OnIncludeItem(this, OFN, Include);
}

void TOpenDialog::WndProc(TMessage& Message) {
  if (Message.Msg == WM_INITDIALOG) {
    // The dialog has shown only when it says so (CDN_INITDONE).
    DefaultHandler(Message);
    return;
  }
  if (Message.Msg == WM_NOTIFY && Message.LParam) {
    const auto* notify = reinterpret_cast<const OFNOTIFYA*>(Message.LParam);
    switch (notify->hdr.code) {
      case CDN_INITDONE:
        DoShow();
        return;
      case CDN_SELCHANGE:
        DoSelectionChange();
        return;
      case CDN_FOLDERCHANGE:
        DoFolderChange();
        return;
      case CDN_TYPECHANGE:
        if (notify->lpOFN) FilterIndex = static_cast<int>(notify->lpOFN->nFilterIndex);
        DoTypeChange();
        return;
      case CDN_FILEOK: {
        bool canClose = true;
        {
          const ChosenNamesScope chosen(*this, notify->lpOFN);
          canClose = DoCanClose();
        }
        if (!canClose) {
          Message.Result = 1;
          SetWindowLong(Handle(), DWL_MSGRESULT, 1);
        }
        return;
      }
      case CDN_INCLUDEITEM: {
        bool include = true;
        DoIncludeItem(*reinterpret_cast<const OFNOTIFYEXA*>(Message.LParam), include);
        Message.Result = include ? 1 : 0;
        return;
      }
      default:
        break;
    }
  }
  TCommonDialog::WndProc(Message);
}

}  // namespace platform
