#include "widetext/dialogs/custom_file_dialog.h"

#include "platform/core/os/version.h"
#include "platform/core/window_system/window.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/utf8.h"
#include "widetext/wide_files.h"

namespace widetext {
namespace {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"; false for anything else.
bool ParseGuid(std::u16string_view text, platform::GUID& guid) {
  constexpr std::u16string_view kShape = u"{........-....-....-....-............}";
  if (text.size() != kShape.size()) return false;
  std::uint8_t bytes[16] = {};
  int nibble = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (kShape[i] != u'.') {
      if (text[i] != kShape[i]) return false;
      continue;
    }
    const int digit = HexDigit(text[i]);
    if (digit < 0) return false;
    bytes[nibble / 2] = static_cast<std::uint8_t>(bytes[nibble / 2] << 4 | digit);
    ++nibble;
  }
  guid.Data1 = static_cast<std::uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
  guid.Data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
  guid.Data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
  std::copy(bytes + 8, bytes + 16, guid.Data4);
  return true;
}

// The shell item of a folder or file named by the user: the items of this
// platform's dialogs are full paths.
std::unique_ptr<IShellItem> ItemFromPath(std::u16string_view path) {
  return std::make_unique<TPathShellItem>(WideExpandFileName(path));
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
  explicit TFileDialogEvents(TCustomFileDialog& owner) : owner_(owner) {}

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
  HRESULT OnSelectionChange(TFileDialogObject&) override { return Notify(owner_.OnSelectionChange); }
  HRESULT OnShareViolation(TFileDialogObject&, const IShellItem& Item, FDE_RESPONSE& Response) override {
    return Respond(owner_.OnShareViolation, Item, Response);
  }
  HRESULT OnTypeChange(TFileDialogObject& Dialog) override {
    Dialog.GetFileTypeIndex(owner_.FileTypeIndex);
    return Notify(owner_.OnTypeChange);
  }
  HRESULT OnOverwrite(TFileDialogObject&, const IShellItem& Item, FDE_RESPONSE& Response) override {
    return Respond(owner_.OnFileOverwrite, Item, Response);
  }

 private:
  HRESULT Notify(const platform::TNotifyEvent& event) {
    if (!event) return platform::E_NOTIMPL;
    event(&owner_);
    return platform::S_OK;
  }
  HRESULT Respond(const TFileDialogResponseEvent& event, const IShellItem& item, FDE_RESPONSE& response) {
    if (!event) return platform::E_NOTIMPL;
    event(&owner_, ShellItemName(item), response);
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
    throw EPlatformVersionException(std::string(platform::ClassNameOf(*this)) +
                                    " requires a platform of version 6 or later");
  }
  return Show(ParentWnd);
}

bool TCustomFileDialog::Show(platform::HWND ParentWnd) {
  const std::unique_ptr<TFileDialogObject> dialog = CreateFileDialog();
  platform::GUID guid;
  if (!ClientGuid.empty() && ParseGuid(ClientGuid, guid)) dialog->SetClientGuid(guid);
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
  for (const TFavoriteLinkItem& link : FavoriteLinks) dialog->AddPlace(*ItemFromPath(link.Location));

  TFileDialogEvents events(*this);
  platform::DWORD cookie = 0;
  dialog->Advise(&events, cookie);
  // While it shows, the dialog is the one the events read, and the
  // program's windows wait for it.
  const struct Showing {
    TFileDialogObject*& shown;
    std::vector<platform::HWND> disabled;
    Showing(TFileDialogObject*& current, TFileDialogObject* dialog) : shown(current) {
      shown = dialog;
      for (const platform::HWND window : platform::GetThreadWindows()) {
        if (!platform::IsWindowEnabled(window) || !platform::IsWindowVisible(window)) continue;
        platform::EnableWindow(window, false);
        disabled.push_back(window);
      }
    }
    ~Showing() {
      for (const platform::HWND window : disabled) platform::EnableWindow(window, true);
      shown = nullptr;
    }
  } showing(dialog_, dialog.get());
  const HRESULT shown = dialog->Show(ParentWnd);
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
