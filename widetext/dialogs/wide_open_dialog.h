#pragma once
// The open and save dialogs with UTF-16 DefaultExt, FileName, Filter,
// InitialDir, Title and Files. Each wide property is kept beside the class
// library's 8-bit one: it stands while its 8-bit image equals the 8-bit
// value, and the widened 8-bit value wins once that was changed behind it.
// On a platform of version 6 or later the item-based dialog shows, unless a
// template is set; on an older one (or with a template) the platform's wide
// file-name dialog; on one without Unicode the class library's 8-bit dialog.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/controls/file_dialogs.h"
#include "widetext/wtx_string_list.h"

namespace widetext {

using TIncludeItemEventW =
    std::function<void(platform::TObject* Sender, const platform::OFNOTIFYEXW& OFN, bool& Include)>;

class TWtxOpenDialog : public platform::TOpenDialog {
 public:
  explicit TWtxOpenDialog(platform::TComponent* AOwner);
  ~TWtxOpenDialog() override;

  std::u16string GetDefaultExt();
  void SetDefaultExt(std::u16string_view Value);
  // While the wide file-name dialog shows (new style): the name it holds
  // now; otherwise the stored one.
  std::u16string GetFileName();
  // Stores the wide value and its 8-bit image.
  void SetFileName(std::u16string_view Value);
  // Pairs of description and mask, every part separated from the next by
  // "|".
  std::u16string GetFilter();
  void SetFilter(std::u16string_view Value);
  // Kept without a trailing "/" (the root itself keeps it).
  std::u16string GetInitialDir();
  void SetInitialDir(std::u16string_view Value);
  std::u16string GetTitle();
  void SetTitle(std::u16string_view Value);
  // The chosen files (full paths).
  TWtxStringList& GetFiles() { return *files_; }

  // The wide file-name dialog asks it, with ofEnableIncludeNotify, whether
  // to list each file.
  TIncludeItemEventW OnIncludeItem;

  // True when the user chose a file; cancelling leaves FileName as it was.
  bool Execute() override;
  void WndProc(platform::TMessage& Message) override;

 protected:
  // The item-based dialog, with the dialog's events routed to OnCanClose,
  // OnFolderChange, OnSelectionChange and OnTypeChange when these are set.
  bool ExecuteShellDialog();
  // The platform's wide file-name dialog, checking the chosen names with
  // OnCanClose before it closes.
  bool ExecuteOpenFileNameDialog();
  // The class library's own close check lets every file pass on a Unicode
  // platform: the wide one asks instead.
  bool DoCanClose() override;
  virtual void DoIncludeItemW(const platform::OFNOTIFYEXW& OFN, bool& Include);

 private:
  // Files (wide and 8-bit) and FileName, the first of them.
  void SetChosenFiles(const std::vector<std::u16string>& Files);
  // CDN_FILEOK of the wide dialog: the names are read, OnCanClose asked
  // with them, and Files cleared again; a refusal keeps the dialog open.
  void WideCloseCheck(platform::TMessage& Message);

  std::unique_ptr<TWtxStringList> files_;
  std::u16string defaultExt_;
  std::u16string fileName_;
  std::u16string filter_;
  std::u16string initialDir_;
  std::u16string title_;
  bool wideDialogShows_ = false;
  bool wideCloseCheck_ = false;
};

class TWtxSaveDialog : public TWtxOpenDialog {
 public:
  using TWtxOpenDialog::TWtxOpenDialog;

 protected:
  bool IsSave() const override { return true; }
};

}  // namespace widetext
