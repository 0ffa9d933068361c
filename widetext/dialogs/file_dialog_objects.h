#pragma once
// The item-based open and save dialogs as this platform offers them: a
// dialog object set up through its operations, shown modally, and telling
// an event sink what the user does (the folder, selection and file type
// changing, and the chosen file before the dialog closes, which the sink
// may refuse). Chosen files come back as shell items. The dialog asks the
// user through the platform's file-name dialog (file_name_dialog.h); as the
// user presses OK there, the moves that led to the choice are reported to
// the sink, and a refused choice keeps that dialog open.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/window_system/com_types.h"
#include "platform/core/window_system/wintypes.h"
#include "platform/ui/window_classes/commdlg.h"
#include "widetext/dialogs/file_dialog_memory.h"

namespace widetext {

using platform::HRESULT;

constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
// The user cancelled (the platform's "operation cancelled" as a result).
constexpr HRESULT HRESULT_ERROR_CANCELLED = static_cast<HRESULT>(0x800704C7u);

// The dialog's options (FOS_ flags).
constexpr platform::DWORD FOS_OVERWRITEPROMPT = 0x2;
constexpr platform::DWORD FOS_STRICTFILETYPES = 0x4;
constexpr platform::DWORD FOS_NOCHANGEDIR = 0x8;
constexpr platform::DWORD FOS_PICKFOLDERS = 0x20;
constexpr platform::DWORD FOS_FORCEFILESYSTEM = 0x40;
constexpr platform::DWORD FOS_ALLNONSTORAGEITEMS = 0x80;
constexpr platform::DWORD FOS_NOVALIDATE = 0x100;
constexpr platform::DWORD FOS_ALLOWMULTISELECT = 0x200;
constexpr platform::DWORD FOS_PATHMUSTEXIST = 0x800;
constexpr platform::DWORD FOS_FILEMUSTEXIST = 0x1000;
constexpr platform::DWORD FOS_CREATEPROMPT = 0x2000;
constexpr platform::DWORD FOS_SHAREAWARE = 0x4000;
constexpr platform::DWORD FOS_NOREADONLYRETURN = 0x8000;
constexpr platform::DWORD FOS_NOTESTFILECREATE = 0x10000;
constexpr platform::DWORD FOS_HIDEMRUPLACES = 0x20000;
constexpr platform::DWORD FOS_HIDEPINNEDPLACES = 0x40000;
constexpr platform::DWORD FOS_NODEREFERENCELINKS = 0x100000;
constexpr platform::DWORD FOS_DONTADDTORECENT = 0x2000000;
constexpr platform::DWORD FOS_FORCESHOWHIDDEN = 0x10000000;
constexpr platform::DWORD FOS_DEFAULTNOMINIMODE = 0x20000000;
constexpr platform::DWORD FOS_FORCEPREVIEWPANEON = 0x40000000;

// How a shell item is named: its file-system path, or its display name.
enum SIGDN : std::uint32_t {
  SIGDN_NORMALDISPLAY = 0,
  SIGDN_FILESYSPATH = 0x80058000,
};

// A place of the file system: here, a path.
class IShellItem {
 public:
  virtual ~IShellItem() = default;
  // E_FAIL when the item has no name of that kind.
  virtual HRESULT GetDisplayName(SIGDN Kind, std::u16string& Name) const = 0;
};

class TPathShellItem final : public IShellItem {
 public:
  explicit TPathShellItem(std::u16string Path) : path_(std::move(Path)) {}
  HRESULT GetDisplayName(SIGDN Kind, std::u16string& Name) const override;

 private:
  std::u16string path_;
};

// The sink's answers to a share violation or an overwrite.
enum FDE_RESPONSE : int { FDER_DEFAULT = 0, FDER_ACCEPT = 1, FDER_REFUSE = 2 };

class TFileDialogObject;

// What the dialog tells its sink; E_NOTIMPL means "not handled". OnFileOk
// or OnFolderChanging answering S_FALSE (or failing otherwise) refuses the
// file or the folder.
class IFileDialogEvents {
 public:
  virtual HRESULT OnFileOk(TFileDialogObject& Dialog) = 0;
  virtual HRESULT OnFolderChanging(TFileDialogObject& Dialog, const IShellItem& Folder) = 0;
  virtual HRESULT OnFolderChange(TFileDialogObject& Dialog) = 0;
  virtual HRESULT OnSelectionChange(TFileDialogObject& Dialog) = 0;
  virtual HRESULT OnShareViolation(TFileDialogObject& Dialog, const IShellItem& Item, FDE_RESPONSE& Response) = 0;
  virtual HRESULT OnTypeChange(TFileDialogObject& Dialog) = 0;
  virtual HRESULT OnOverwrite(TFileDialogObject& Dialog, const IShellItem& Item, FDE_RESPONSE& Response) = 0;

 protected:
  ~IFileDialogEvents() = default;
};

// NOLINTBEGIN(readability-identifier-naming)
struct COMDLG_FILTERSPEC {
  const char16_t* pszName = nullptr;
  const char16_t* pszSpec = nullptr;
};
// NOLINTEND(readability-identifier-naming)

// One dialog object, for opening (several files with
// FOS_ALLOWMULTISELECT) or for saving. With a client identifier it opens as
// the last dialog of that identifier closed (file_dialog_memory.h): in its
// folder, unless SetFolder names one, with its size and its file type. Of
// its options, the file-name dialog acts on those it knows (commdlg.h);
// FOS_STRICTFILETYPES keeps a save dialog from taking a name that the
// chosen file type does not take.
class TFileDialogObject {
 public:
  explicit TFileDialogObject(bool Save) : save_(Save) {}
  TFileDialogObject(const TFileDialogObject&) = delete;
  TFileDialogObject& operator=(const TFileDialogObject&) = delete;

  bool IsSave() const { return save_; }
  HRESULT SetClientGuid(const platform::GUID& Guid);
  HRESULT SetDefaultExtension(std::u16string_view Extension);
  HRESULT SetFileName(std::u16string_view Name);
  // The name in the dialog's name box.
  HRESULT GetFileName(std::u16string& Name) const;
  // The texts of the name box's label and of the OK button; empty keeps
  // the dialog's own.
  HRESULT SetFileNameLabel(std::u16string_view Label);
  HRESULT SetOkButtonLabel(std::u16string_view Label);
  HRESULT SetTitle(std::u16string_view Title);
  HRESULT SetFolder(const IShellItem& Folder);
  HRESULT SetFileTypes(unsigned Count, const COMDLG_FILTERSPEC* Types);
  // 1-based.
  HRESULT SetFileTypeIndex(unsigned Index);
  HRESULT GetFileTypeIndex(unsigned& Index) const;
  HRESULT SetOptions(platform::DWORD Options);
  // A folder shown among the dialog's places; E_INVALIDARG for an item
  // that is not one of the file system.
  HRESULT AddPlace(const IShellItem& Place);
  // One sink at a time; Cookie names it for Unadvise.
  HRESULT Advise(IFileDialogEvents* Sink, platform::DWORD& Cookie);
  HRESULT Unadvise(platform::DWORD Cookie);

  // S_OK when the user chose, HRESULT_ERROR_CANCELLED when not.
  HRESULT Show(platform::HWND Owner);
  // The chosen file (the first of several); E_UNEXPECTED before a choice.
  HRESULT GetResult(std::unique_ptr<IShellItem>& Item) const;
  HRESULT GetResults(std::vector<std::unique_ptr<IShellItem>>& Items) const;
  // The file (files) selected while the dialog shows.
  HRESULT GetCurrentSelection(std::unique_ptr<IShellItem>& Item) const;
  HRESULT GetSelectedItems(std::vector<std::unique_ptr<IShellItem>>& Items) const;
  // The dialog's window while it shows; E_FAIL otherwise.
  HRESULT GetWindow(platform::HWND& Window) const;

 private:
  // Reports what one answer shows of the user's moves; false when the sink
  // refuses it and the user is asked again.
  bool Accept(int TypeIndex, const std::vector<std::u16string>& Files);
  // The hook of the file-name dialog: notes its window, dresses it as it
  // has shown (Dress), checks each choice (Accept) before the dialog may
  // close, and notes what it leaves as it goes (Leave).
  platform::LRESULT Hook(platform::HWND hDlg, platform::UINT Msg, platform::WPARAM wParam, platform::LPARAM lParam);
  // False, after telling the user, for a file that FOS_STRICTFILETYPES
  // keeps out.
  bool OfChosenType(const std::u16string& File) const;
  // The labels, the places and the remembered size.
  void Dress();
  void Leave();

  const bool save_;
  std::u16string defaultExtension_;
  std::u16string fileName_;
  std::u16string title_;
  std::u16string fileNameLabel_;
  std::u16string okButtonLabel_;
  std::u16string folder_;
  bool folderSet_ = false;
  std::vector<std::u16string> places_;
  std::optional<platform::GUID> client_;
  // What the client's last dialog left, and what this one leaves.
  TFileDialogMemory recalled_;
  std::optional<TFileDialogMemory> left_;
  const platform::OPENFILENAMEW* record_ = nullptr;
  std::vector<std::pair<std::u16string, std::u16string>> fileTypes_;
  unsigned typeIndex_ = 1;
  platform::DWORD options_ = 0;
  IFileDialogEvents* sink_ = nullptr;
  std::vector<std::u16string> selection_;
  std::vector<std::u16string> results_;
  platform::HWND window_ = nullptr;
};

}  // namespace widetext
