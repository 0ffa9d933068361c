#include "widetext/dialogs/wide_open_dialog.h"

#include "platform/core/os/version.h"
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

}  // namespace

TWtxOpenDialog::TWtxOpenDialog(platform::TComponent* AOwner)
    : platform::TOpenDialog(AOwner), files_(std::make_unique<TWtxStringList>()) {}

TWtxOpenDialog::~TWtxOpenDialog() = default;

std::u16string TWtxOpenDialog::GetDefaultExt() { return GetSyncedWideString(defaultExt_, DefaultExt); }
void TWtxOpenDialog::SetDefaultExt(std::u16string_view Value) {
  SetSyncedWideString(Value, defaultExt_, DefaultExt, Into(DefaultExt));
}

std::u16string TWtxOpenDialog::GetFileName() { return GetSyncedWideString(fileName_, FileName); }
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
  if (!Win32PlatformIsUnicode) return platform::TOpenDialog::Execute();
  // The class library here has no dialog templates, so only the platform's
  // version decides.
  if (platform::GetVersionEx().MajorVersion >= 6) return ExecuteShellDialog();
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
  platform::TFileChoice choice;
  choice.Save = IsSave();
  choice.Title = GetTitle();
  choice.Filter = GetFilter();
  choice.FilterIndex = FilterIndex;
  choice.InitialDir = GetInitialDir();
  choice.FileName = before;
  const bool oldStyle = (Options & platform::ofOldStyleDialog) != 0;
  choice.DefaultExt = GetDefaultExt();
  if (choice.DefaultExt.empty() && oldStyle) choice.DefaultExt = ExtensionOf(before);
  choice.MultiSelect = (Options & platform::ofAllowMultiSelect) != 0;
  platform::DWORD flags = (oldStyle ? 0 : platform::OFN_EXPLORER) |
                          ((Options & platform::ofOverwritePrompt) ? platform::OFN_OVERWRITEPROMPT : 0) |
                          ((Options & platform::ofReadOnly) ? platform::OFN_READONLY : 0);
  std::vector<std::u16string> files;
  for (;;) {
    if (!AskFileNames(choice, flags, files)) {
      SetFileName(before);
      return false;
    }
    if (!OnCanClose) break;
    // The close check sees the names; a refusal keeps the dialog open.
    SetChosenFiles(files);
    bool canClose = true;
    OnCanClose(this, canClose);
    SetChosenFiles({});
    if (canClose) break;
    choice.FileName = files.front();
  }
  SetChosenFiles(files);
  const platform::TOpenOptions readOnly = platform::ofReadOnly;
  const platform::TOpenOptions extensionDifferent = platform::ofExtensionDifferent;
  Options = (Options & ~(readOnly | extensionDifferent)) | ((flags & platform::OFN_READONLY) ? readOnly : 0) |
            ((flags & platform::OFN_EXTENSIONDIFFERENT) ? extensionDifferent : 0);
  FilterIndex = choice.FilterIndex;
  return true;
}

}  // namespace widetext
