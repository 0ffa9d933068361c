#pragma once
// The component over the item-based file dialogs: properties set before
// Execute are handed to a fresh dialog object, the user's moves come back
// as events, and the chosen files as FileName and Files.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/component.h"
#include "platform/core/classes/sysutils.h"
#include "platform/core/window_system/wintypes.h"
#include "widetext/dialogs/file_dialog_objects.h"
#include "widetext/dialogs/file_dialog_options.h"

namespace widetext {

// The platform is older than the dialogs need.
class EPlatformVersionException : public platform::Exception {
 public:
  using platform::Exception::Exception;
};

// A folder offered among the dialog's places.
struct TFavoriteLinkItem {
  std::u16string Location;
  // The item's name in a list of items: its Location, or, like any item
  // without a name, its class name.
  std::u16string GetDisplayName() const { return Location.empty() ? u"TFavoriteLinkItem" : Location; }
};

using TFileDialogCloseEvent = std::function<void(platform::TObject* Sender, bool& CanClose)>;
using TFileDialogFolderChangingEvent =
    std::function<void(platform::TObject* Sender, const std::u16string& Folder, bool& CanChange)>;
using TFileDialogResponseEvent =
    std::function<void(platform::TObject* Sender, const std::u16string& File, FDE_RESPONSE& Response)>;

class TCustomFileDialog : public platform::TComponent {
 public:
  using platform::TComponent::TComponent;
  ~TCustomFileDialog() override;

  // Shows the dialog over the active window; true when the user chose.
  // EPlatformVersionException on a platform older than version 6,
  // EConvertError for a ClientGuid that is not an identifier.
  bool Execute();
  bool Execute(platform::HWND ParentWnd);

  std::u16string ClientGuid;
  std::u16string DefaultExtension;
  std::u16string DefaultFolder;
  std::u16string FileNameLabel;
  std::u16string OkButtonLabel;
  std::u16string Title;
  // 1-based.
  unsigned FileTypeIndex = 1;
  std::vector<TFileTypeItem> FileTypes;
  std::vector<TFavoriteLinkItem> FavoriteLinks;
  TFileDialogOptions Options;

  // While the dialog shows, the name (names) the user has selected in it;
  // afterwards the chosen ones.
  std::u16string FileName() const;
  void SetFileName(std::u16string_view Value) { fileName_ = Value; }
  std::vector<std::u16string> Files() const;
  // The dialog's window while it shows, from its first selection or type
  // change on; null otherwise.
  platform::HWND Handle() const { return handle_; }

  TFileDialogCloseEvent OnFileOkClick;
  TFileDialogFolderChangingEvent OnFolderChanging;
  platform::TNotifyEvent OnFolderChange;
  platform::TNotifyEvent OnSelectionChange;
  TFileDialogResponseEvent OnShareViolation;
  platform::TNotifyEvent OnTypeChange;
  TFileDialogResponseEvent OnFileOverwrite;

 protected:
  virtual std::unique_ptr<TFileDialogObject> CreateFileDialog() const = 0;
  // After the user chose: FileName and Files from the dialog's result.
  virtual void GetResults();
  TFileDialogObject* Dialog() const { return dialog_; }
  void SetResults(std::vector<std::u16string> Files);

 private:
  class TFileDialogEvents;
  bool Show(platform::HWND ParentWnd);

  std::u16string fileName_;
  std::vector<std::u16string> files_;
  TFileDialogObject* dialog_ = nullptr;
  platform::HWND handle_ = nullptr;
};

class TCustomFileOpenDialog : public TCustomFileDialog {
 public:
  using TCustomFileDialog::TCustomFileDialog;

 protected:
  std::unique_ptr<TFileDialogObject> CreateFileDialog() const override;
  // With fdoAllowMultiSelect every chosen file, in order.
  void GetResults() override;
};

class TFileOpenDialog : public TCustomFileOpenDialog {
 public:
  using TCustomFileOpenDialog::TCustomFileOpenDialog;
};

class TCustomFileSaveDialog : public TCustomFileDialog {
 public:
  using TCustomFileDialog::TCustomFileDialog;

 protected:
  std::unique_ptr<TFileDialogObject> CreateFileDialog() const override;
};

class TFileSaveDialog : public TCustomFileSaveDialog {
 public:
  using TCustomFileSaveDialog::TCustomFileSaveDialog;
};

// A shell item's name: its file-system path, else its display name.
std::u16string ShellItemName(const IShellItem& Item);

}  // namespace widetext
