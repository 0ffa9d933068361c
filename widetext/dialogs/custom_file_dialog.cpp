#include "widetext/dialogs/custom_file_dialog.h"

#include "platform/core/os/version.h"
#include "platform/core/window_system/window.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/utf8.h"
#include "widetext/wide_files.h"

namespace widetext {
namespace {

// The shell item of a folder or file named by the user: the items of this
// platform's dialogs are full paths.
std::unique_ptr<IShellItem> ItemFromPath(std::u16string_view Path) {
  return std::make_unique<TPathShellItem>(WideExpandFileName(Path));
}

}  // namespace

std::u16string ShellItemName(const IShellItem& Item) {
  std::u16string name;
  if (Item.GetDisplayName(SIGDN_FILESYSPATH, name) >= 0) return name;
  Item.GetDisplayName(SIGDN_NORMALDISPLAY, name);
  return name;
}

// Hands the dialog's callbacks to the component's events; a callback whose
// event is not set answers "not handled".
class TCustomFileDialog::TFileDialogEvents : public IFileDialogEvents {
 public:
  explicit TFileDialogEvents(TCustomFileDialog& Owner) : owner_(Owner) {}

  HRESULT OnFileOk(TFileDialogObject&) override {
    if (!owner_.OnFileOkClick) return platform::E_NOTIMPL;
    bool canClose = true;
    owner_.OnFileOkClick(&owner_, canClose);
    return canClose ? platform::S_OK : S_FALSE;
  }
  HRESULT OnFolderChanging(TFileDialogObject&, const IShellItem& Folder) override {
    if (!owner_.OnFolderChanging) return platform::E_NOTIMPL;
    bool canChange = true;
    owner_.OnFolderChanging(&owner_, ShellItemName(Folder), canChange);
    return canChange ? platform::S_OK : S_FALSE;
  }
  HRESULT OnFolderChange(TFileDialogObject&) override { return Notify(owner_.OnFolderChange); }
  HRESULT OnSelectionChange(TFileDialogObject& Dialog) override {
    FetchWindow(Dialog);
    return Notify(owner_.OnSelectionChange);
  }
  HRESULT OnShareViolation(TFileDialogObject&, const IShellItem& Item, FDE_RESPONSE& Response) override {
    return Respond(owner_.OnShareViolation, Item, Response);
  }
  HRESULT OnTypeChange(TFileDialogObject& Dialog) override {
    FetchWindow(Dialog);
    Dialog.GetFileTypeIndex(owner_.FileTypeIndex);
    return Notify(owner_.OnTypeChange);
  }
  HRESULT OnOverwrite(TFileDialogObject&, const IShellItem& Item, FDE_RESPONSE& Response) override {
    return Respond(owner_.OnFileOverwrite, Item, Response);
  }

 private:
  // The dialog's window, asked for once it has one to give.
  void FetchWindow(TFileDialogObject& Dialog) {
    if (!owner_.handle_) Dialog.GetWindow(owner_.handle_);
  }
  HRESULT Notify(const platform::TNotifyEvent& Event) {
    if (!Event) return platform::E_NOTIMPL;
    Event(&owner_);
    return platform::S_OK;
  }
  HRESULT Respond(const TFileDialogResponseEvent& Event, const IShellItem& Item, FDE_RESPONSE& Response) {
    if (!Event) return platform::E_NOTIMPL;
    Event(&owner_, ShellItemName(Item), Response);
    return platform::S_OK;
  }
  TCustomFileDialog& owner_;
};

TCustomFileDialog::~TCustomFileDialog() = default;

std::u16string TCustomFileDialog::FileName() const {
  if (!dialog_) return fileName_;
  std::unique_ptr<IShellItem> selection;
  if (dialog_->GetCurrentSelection(selection) >= 0) return ShellItemName(*selection);
  std::u16string name;
  dialog_->GetFileName(name);
  return name;
}

std::vector<std::u16string> TCustomFileDialog::Files() const {
  if (!dialog_) return files_;
  std::vector<std::unique_ptr<IShellItem>> items;
  std::vector<std::u16string> files;
  if (dialog_->GetSelectedItems(items) >= 0) {
    for (const auto& item : items) files.push_back(ShellItemName(*item));
  }
  return files;
}

bool TCustomFileDialog::Execute() { return Execute(platform::GetActiveWindow()); }

bool TCustomFileDialog::Execute(platform::HWND ParentWnd) {
  if (platform::GetVersionEx().MajorVersion < 6) {
    throw EPlatformVersionException(platform::ClassNameOf(*this) + " requires Windows Vista or later");
  }
  return Show(ParentWnd);
}

bool TCustomFileDialog::Show(platform::HWND ParentWnd) {
  const std::unique_ptr<TFileDialogObject> dialog = CreateFileDialog();
  // A malformed identifier raises here, before anything shows or waits.
  if (!ClientGuid.empty()) dialog->SetClientGuid(platform::StringToGUID(UTF8Encode(ClientGuid)));
  if (!DefaultExtension.empty()) dialog->SetDefaultExtension(DefaultExtension);
  dialog->SetFileName(fileName_);
  dialog->SetFileNameLabel(FileNameLabel);
  dialog->SetOkButtonLabel(OkButtonLabel);
  dialog->SetTitle(Title);
  if (!DefaultFolder.empty()) dialog->SetFolder(*ItemFromPath(DefaultFolder));
  std::vector<COMDLG_FILTERSPEC> types;
  for (const TFileTypeItem& type : FileTypes) types.push_back({type.DisplayName.c_str(), type.FileMask.c_str()});
  dialog->SetFileTypes(static_cast<unsigned>(types.size()), types.data());
  dialog->SetFileTypeIndex(FileTypeIndex);
  dialog->SetOptions(FileDialogFlagsOf(Options));
  for (const TFavoriteLinkItem& link : FavoriteLinks) {
    if (!link.Location.empty()) dialog->AddPlace(*ItemFromPath(link.Location));
  }

  TFileDialogEvents events(*this);
  platform::DWORD cookie = 0;
  dialog->Advise(&events, cookie);
  // While it shows, the dialog is the one the events read, and the
  // program's windows wait for it.
  const struct Showing {
    TFileDialogObject*& Shown;
    std::vector<platform::HWND> Disabled;
    Showing(TFileDialogObject*& Current, TFileDialogObject* Dialog) : Shown(Current) {
      Shown = Dialog;
      for (const platform::HWND window : platform::GetThreadWindows()) {
        if (!platform::IsWindowEnabled(window) || !platform::IsWindowVisible(window)) continue;
        platform::EnableWindow(window, false);
        Disabled.push_back(window);
      }
    }
    ~Showing() {
      for (const platform::HWND window : Disabled) platform::EnableWindow(window, true);
      Shown = nullptr;
    }
  } showing(dialog_, dialog.get());
  handle_ = nullptr;
  const HRESULT shown = dialog->Show(ParentWnd);
  handle_ = nullptr;
  // The dialog may have opened on another type than asked, as its client
  // left it, and the user may have changed it without choosing.
  dialog->GetFileTypeIndex(FileTypeIndex);
  if (shown >= 0) GetResults();
  dialog->Unadvise(cookie);
  return shown >= 0;
}

void TCustomFileDialog::GetResults() {
  std::unique_ptr<IShellItem> result;
  if (dialog_->GetResult(result) < 0) return;
  SetResults({ShellItemName(*result)});
}

void TCustomFileDialog::SetResults(std::vector<std::u16string> Files) {
  files_ = std::move(Files);
  if (!files_.empty()) fileName_ = files_.front();
}

std::unique_ptr<TFileDialogObject> TCustomFileOpenDialog::CreateFileDialog() const {
  return std::make_unique<TFileDialogObject>(false);
}

void TCustomFileOpenDialog::GetResults() {
  if (!Options.Contains(fdoAllowMultiSelect)) {
    TCustomFileDialog::GetResults();
    return;
  }
  std::vector<std::unique_ptr<IShellItem>> items;
  if (Dialog()->GetResults(items) < 0) return;
  std::vector<std::u16string> files;
  for (const auto& item : items) files.push_back(ShellItemName(*item));
  SetResults(std::move(files));
}

std::unique_ptr<TFileDialogObject> TCustomFileSaveDialog::CreateFileDialog() const {
  return std::make_unique<TFileDialogObject>(true);
}

}  // namespace widetext
