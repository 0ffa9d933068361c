#pragma once
// The open and save dialogs with UTF-16 DefaultExt, FileName, Filter,
// InitialDir, Title and Files. Each wide property is kept beside the class
// library's 8-bit one: it stands while its 8-bit image equals the 8-bit
// value, and the widened 8-bit value wins once that was changed behind it.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/controls/dialogs.h"
#include "widetext/wtx_string_list.h"

namespace widetext {

class TWtxOpenDialog : public platform::TOpenDialog {
 public:
  explicit TWtxOpenDialog(platform::TComponent* AOwner);
  ~TWtxOpenDialog() override;

  std::u16string GetDefaultExt();
  void SetDefaultExt(std::u16string_view Value);
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

  // True when the user chose a file; cancelling leaves FileName as it was.
  // This platform (version 6 or later, no dialog templates) shows the
  // item-based dialog.
  bool Execute() override;

 protected:
  // The item-based dialog, with the dialog's events routed to OnCanClose,
  // OnFolderChange, OnSelectionChange and OnTypeChange when these are set.
  bool ExecuteShellDialog();
  // The platform's file-name dialog, with OnCanClose as its close check.
  bool ExecuteOpenFileNameDialog();

 private:
  // Files (wide and 8-bit) and FileName, the first of them.
  void SetChosenFiles(const std::vector<std::u16string>& Files);

  std::unique_ptr<TWtxStringList> files_;
  std::u16string defaultExt_;
  std::u16string fileName_;
  std::u16string filter_;
  std::u16string initialDir_;
  std::u16string title_;
};

class TWtxSaveDialog : public TWtxOpenDialog {
 public:
  using TWtxOpenDialog::TWtxOpenDialog;

 protected:
  bool IsSave() const override { return true; }
};

}  // namespace widetext
