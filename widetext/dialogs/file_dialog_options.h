#pragma once
// The options of the item-based file dialogs and how the class library's
// dialog options and filters become them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/controls/dialogs.h"

namespace widetext {

enum TFileDialogOption : unsigned {
  fdoOverWritePrompt,
  fdoStrictFileTypes,
  fdoNoChangeDir,
  fdoPickFolders,
  fdoForceFileSystem,
  fdoAllNonStorageItems,
  fdoNoValidate,
  fdoAllowMultiSelect,
  fdoPathMustExist,
  fdoFileMustExist,
  fdoCreatePrompt,
  fdoShareAware,
  fdoNoReadOnlyReturn,
  fdoNoTestFileCreate,
  fdoHideMRUPlaces,
  fdoHidePinnedPlaces,
  fdoNoDereferenceLinks,
  fdoDontAddToRecent,
  fdoForceShowHidden,
  fdoDefaultNoMiniMode,
  fdoForcePreviewPaneOn,
};

// A set of TFileDialogOption, one bit each.
class TFileDialogOptions {
 public:
  TFileDialogOptions() = default;
  TFileDialogOptions(std::initializer_list<TFileDialogOption> Options);
  bool Contains(TFileDialogOption Option) const { return (bits_ >> Option) & 1u; }
  void Include(TFileDialogOption Option) { bits_ |= 1u << Option; }
  void Exclude(TFileDialogOption Option) { bits_ &= ~(1u << Option); }
  bool operator==(const TFileDialogOptions&) const = default;

 private:
  std::uint32_t bits_ = 0;
};

// Each class-library option that has a counterpart (ofReadOnly,
// ofHideReadOnly, ofShowHelp, ofNoNetworkButton, ofNoLongNames,
// ofOldStyleDialog, ofEnableIncludeNotify and ofEnableSizing have none).
TFileDialogOptions FileDialogOptionsOf(platform::TOpenOptions Options, platform::TOpenOptionsEx OptionsEx);
// The dialog object's FOS_ flags.
platform::DWORD FileDialogFlagsOf(const TFileDialogOptions& Options);

struct TFileTypeItem {
  std::u16string DisplayName;
  std::u16string FileMask;
  // The item's name in a list of items: its DisplayName, or, like any
  // item without a name, its class name.
  std::u16string GetDisplayName() const;
};
// "Text (*.txt)|*.txt|All|*": each description with the mask after it; a
// last description without a mask is dropped.
std::vector<TFileTypeItem> FileTypesOfFilter(std::u16string_view Filter);

}  // namespace widetext
