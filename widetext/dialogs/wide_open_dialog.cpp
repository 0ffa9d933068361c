#include "widetext/dialogs/wide_open_dialog.h"

#include <algorithm>

#include "platform/core/os/modules.h"
#include "platform/core/os/version.h"
#include "platform/core/window_system/dialog_windows.h"
#include "support/flag_scope.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/synced_strings.h"
#include "widetext/dialogs/custom_file_dialog.h"
#include "widetext/dialogs/file_dialog_options.h"
#include "widetext/dialogs/file_name_dialog.h"
#include "widetext/platform_flags.h"

namespace widetext {
namespace {

// The 8-bit property's setter for SetSyncedWideString.
auto Into(std::string& Field) {
  return [&Field](const std::string& Value) { Field = Value; };
}

// The extension of a name, without its dot ("" when it has none).
std::u16string ExtensionOf(std::u16string_view Name) {
  const std::size_t dot = Name.find_last_of(u'.');
  const std::size_t slash = Name.find_last_of(u'/');
  if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash)) return {};
  return std::u16string(Name.substr(dot + 1));
}

// The size of the buffer CDM_GETFILEPATH fills.
constexpr std::size_t kFilePathBuffer = 261;

}  // namespace

TWtxOpenDialog::TWtxOpenDialog(platform::TComponent* AOwner)
    : platform::TOpenDialog(AOwner), files_(std::make_unique<TWtxStringList>()) {}

TWtxOpenDialog::~TWtxOpenDialog() = default;

std::u16string TWtxOpenDialog::GetDefaultExt() { return GetSyncedWideString(defaultExt_, DefaultExt); }
void TWtxOpenDialog::SetDefaultExt(std::u16string_view Value) {
  SetSyncedWideString(Value, defaultExt_, DefaultExt, Into(DefaultExt));
}

std::u16string TWtxOpenDialog::GetFileName() {
  if (Win32PlatformIsUnicode && !(Options & platform::ofOldStyleDialog) && Handle()) {
    std::u16string path(kFilePathBuffer, u'\0');
    platform::SendMessageW(platform::GetParent(Handle()), platform::CDM_GETFILEPATH, path.size(),
                           reinterpret_cast<platform::LPARAM>(path.data()));
    return path.substr(0, path.find(u'\0'));
  }
  return GetSyncedWideString(fileName_, FileName);
}

void TWtxOpenDialog::SetFileName(std::u16string_view Value) {
  fileName_ = Value;
  FileName = AnsiImage(fileName_);
}

std::u16string TWtxOpenDialog::GetFilter() { return GetSyncedWideString(filter_, Filter); }
void TWtxOpenDialog::SetFilter(std::u16string_view Value) { SetSyncedWideString(Value, filter_, Filter, Into(Filter)); }

std::u16string TWtxOpenDialog::GetInitialDir() { return GetSyncedWideString(initialDir_, InitialDir); }
void TWtxOpenDialog::SetInitialDir(std::u16string_view Value) {
  if (Value.size() > 1 && Value.back() == u'/') Value.remove_suffix(1);
  SetSyncedWideString(Value, initialDir_, InitialDir, Into(InitialDir));
}

std::u16string TWtxOpenDialog::GetTitle() { return GetSyncedWideString(title_, Title); }
void TWtxOpenDialog::SetTitle(std::u16string_view Value) { SetSyncedWideString(Value, title_, Title, Into(Title)); }

void TWtxOpenDialog::SetChosenFiles(const std::vector<std::u16string>& Chosen) {
  files_->Clear();
  platform::TOpenDialog::Files.clear();
  for (const std::u16string& file : Chosen) {
    files_->Add(file);
    platform::TOpenDialog::Files.push_back(AnsiImage(file));
  }
  if (!Chosen.empty()) SetFileName(Chosen.front());
}

bool TWtxOpenDialog::Execute() {
  if (!Win32PlatformIsUnicode) {
    // The class library's 8-bit dialog; the wide list follows its names.
    if (!platform::TOpenDialog::Execute()) return false;
    files_->Clear();
    for (const std::string& file : platform::TOpenDialog::Files) files_->Add(WidenAnsi(file));
    return true;
  }
  if (platform::GetVersionEx().MajorVersion >= 6 && Template.empty()) return ExecuteShellDialog();
  return ExecuteOpenFileNameDialog();
}

bool TWtxOpenDialog::ExecuteShellDialog() {
  std::unique_ptr<TCustomFileDialog> dialog;
  if (IsSave()) {
    dialog = std::make_unique<TFileSaveDialog>(nullptr);
  } else {
    dialog = std::make_unique<TFileOpenDialog>(nullptr);
  }
  const std::u16string before = GetFileName();
  dialog->DefaultExtension = GetDefaultExt();
  dialog->DefaultFolder = GetInitialDir();
  dialog->SetFileName(before);
  dialog->FileTypeIndex = static_cast<unsigned>(FilterIndex);
  dialog->Title = GetTitle();
  dialog->FileTypes = FileTypesOfFilter(GetFilter());
  dialog->Options = FileDialogOptionsOf(Options, OptionsEx);

  TCustomFileDialog& d = *dialog;
  if (OnCanClose) {
    d.OnFileOkClick = [this, &d](platform::TObject*, bool& CanClose) {
      SetChosenFiles(d.Files());
      SetFileName(d.FileName());
      OnCanClose(this, CanClose);
    };
  }
  if (OnFolderChange) {
    d.OnFolderChange = [this, &d](platform::TObject*) {
      SetFileName(d.FileName());
      OnFolderChange(this);
    };
  }
  if (OnSelectionChange) {
    d.OnSelectionChange = [this, &d](platform::TObject*) {
      SetChosenFiles(d.Files());
      SetFileName(d.FileName());
      OnSelectionChange(this);
    };
  }
  if (OnTypeChange) {
    d.OnTypeChange = [this, &d](platform::TObject*) {
      SetFileName(d.FileName());
      FilterIndex = static_cast<int>(d.FileTypeIndex);
      OnTypeChange(this);
    };
  }

  const bool chosen = d.Execute();
  if (chosen) {
    SetChosenFiles(d.Files());
  } else {
    // What the handlers saw of a dialog that was cancelled does not stay.
    SetChosenFiles({});
    SetFileName(before);
  }
  FilterIndex = static_cast<int>(d.FileTypeIndex);
  return chosen;
}

bool TWtxOpenDialog::ExecuteOpenFileNameDialog() {
  const std::u16string before = GetFileName();
  SetChosenFiles({});
  const bool explorer = !(Options & platform::ofOldStyleDialog);
  const std::u16string filter = ZeroSeparatedFilter(GetFilter());
  std::u16string buffer(platform::kMaxFileNameLength + 2, u'\0');
  std::copy_n(before.begin(), std::min(before.size(), platform::kMaxFileNameLength), buffer.begin());
  std::u16string defaultExt = GetDefaultExt();
  if (defaultExt.empty() && !explorer) defaultExt = ExtensionOf(before);
  const std::u16string initialDir = GetInitialDir();
  const std::u16string title = GetTitle();
  const std::u16string templateName = WidenAnsi(Template);

  platform::OPENFILENAMEW ofn;
  ofn.hwndOwner = platform::GetActiveWindow();
  ofn.hInstance = platform::GetModuleHandleA(nullptr);
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<platform::DWORD>(FilterIndex);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<platform::DWORD>(buffer.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.Flags = OpenFileNameFlags();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.lpfnHook = Hook();
  ofn.lpTemplateName = templateName.empty() ? nullptr : templateName.c_str();
  ofn.FlagsEx = (OptionsEx & platform::ofExNoPlacesBar) ? platform::OFN_EX_NOPLACESBAR : 0;
  bool chosen = false;
  {
    const support::FlagScope shows(wideDialogShows_);
    chosen = TaskModalDialog([&] { return IsSave() ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn); });
  }
  if (!chosen) {
    // A name the close check saw and refused does not stay either.
    SetFileName(before);
    return false;
  }
  SetChosenFiles(ReadChosenNames(buffer, (Options & platform::ofAllowMultiSelect) != 0, explorer));
  TakeResultFlags(ofn.Flags);
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

bool TWtxOpenDialog::DoCanClose() {
  if (Win32PlatformIsUnicode && !wideCloseCheck_) return true;
  return platform::TOpenDialog::DoCanClose();
}

void TWtxOpenDialog::DoIncludeItemW(const platform::OFNOTIFYEXW& OFN, bool& Include) {
  if (OnIncludeItem) OnIncludeItem(this, OFN, Include);
}

void TWtxOpenDialog::WideCloseCheck(platform::TMessage& Message) {
  const platform::OPENFILENAMEW& record = *reinterpret_cast<const platform::OFNOTIFYW*>(Message.LParam)->lpOFN;
  SetChosenFiles(ReadChosenNames(std::u16string_view(record.lpstrFile, record.nMaxFile),
                                 (Options & platform::ofAllowMultiSelect) != 0,
                                 (record.Flags & platform::OFN_EXPLORER) != 0));
  bool canClose = true;
  {
    const support::FlagScope checking(wideCloseCheck_);
    canClose = DoCanClose();
  }
  files_->Clear();
  platform::TOpenDialog::Files.clear();
  if (canClose) return;
  Message.Result = 1;
  platform::SetWindowLong(Handle(), platform::DWL_MSGRESULT, 1);
}

void TWtxOpenDialog::WndProc(platform::TMessage& Message) {
  if (wideDialogShows_ && Message.Msg == platform::WM_NOTIFY && Message.LParam) {
    const auto* notify = reinterpret_cast<const platform::OFNOTIFYW*>(Message.LParam);
    switch (notify->hdr.code) {
      case platform::CDN_FILEOK:
        WideCloseCheck(Message);
        return;
      case platform::CDN_INCLUDEITEM: {
        bool include = true;
        DoIncludeItemW(*reinterpret_cast<const platform::OFNOTIFYEXW*>(Message.LParam), include);
        Message.Result = include ? 1 : 0;
        return;
      }
      case platform::CDN_TYPECHANGE:
        if (notify->lpOFN) FilterIndex = static_cast<int>(notify->lpOFN->nFilterIndex);
        DoTypeChange();
        return;
      default:
        break;
    }
  }
  platform::TOpenDialog::WndProc(Message);
}

}  // namespace widetext
