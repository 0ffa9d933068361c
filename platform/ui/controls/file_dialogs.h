#pragma once
// The class library's open and save dialogs (8-bit properties), over the
// platform's file dialogs: Filter is "description|pattern|...", FilterIndex
// counts from 1. While a dialog shows, the component is told of the user's
// moves and may refuse the chosen file (OnCanClose, which finds the chosen
// names in FileName and Files) or leave files out of the list
// (OnIncludeItem, with ofEnableIncludeNotify).

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/controls/common_dialog.h"

namespace platform {

enum TOpenOption : unsigned {
  ofReadOnly = 1u << 0,
  ofOverwritePrompt = 1u << 1,
  ofHideReadOnly = 1u << 2,
  ofNoChangeDir = 1u << 3,
  ofShowHelp = 1u << 4,
  ofNoValidate = 1u << 5,
  ofAllowMultiSelect = 1u << 9,
  ofExtensionDifferent = 1u << 10,
  ofPathMustExist = 1u << 11,
  ofFileMustExist = 1u << 12,
  ofCreatePrompt = 1u << 13,
  ofShareAware = 1u << 14,
  ofNoReadOnlyReturn = 1u << 15,
  ofNoTestFileCreate = 1u << 16,
  ofNoNetworkButton = 1u << 17,
  ofNoLongNames = 1u << 18,
  ofOldStyleDialog = 1u << 19,
  ofEnableSizing = 1u << 20,
  ofNoDereferenceLinks = 1u << 21,
  ofEnableIncludeNotify = 1u << 22,
  ofDontAddToRecent = 1u << 25,
  ofForceShowHidden = 1u << 28,
};
using TOpenOptions = unsigned;
enum TOpenOptionEx : unsigned { ofExNoPlacesBar = 1u << 0 };
using TOpenOptionsEx = unsigned;
using TFileDialogCloseEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TIncludeItemEvent = std::function<void(TObject* Sender, const OFNOTIFYEXA& OFN, bool& Include)>;

// The longest file name (or list of names) the dialogs take.
constexpr std::size_t kMaxFileNameLength = 65534;

class TOpenDialog : public TCommonDialog {
 public:
  explicit TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  // True when the user chose; FileName (and Files) then hold the choice.
  bool Execute() override;
  std::string DefaultExt;
  std::string FileName;
  std::string Filter;
  int FilterIndex = 1;
  std::string InitialDir;
  std::string Title;
  TOpenOptions Options = ofHideReadOnly | ofEnableSizing;
  TOpenOptionsEx OptionsEx = 0;
  std::vector<std::string> Files;
  TFileDialogCloseEvent OnCanClose;
  TNotifyEvent OnFolderChange;
  TNotifyEvent OnSelectionChange;
  TNotifyEvent OnTypeChange;
  TIncludeItemEvent OnIncludeItem;

  void WndProc(TMessage& Message) override;

 protected:
  virtual bool IsSave() const { return false; }
  virtual bool DoCanClose();
  virtual void DoSelectionChange();
  virtual void DoFolderChange();
  virtual void DoTypeChange();
  virtual void DoIncludeItem(const OFNOTIFYEXA& OFN, bool& Include);
  // The record's OFN_ flags for the options: the hook always, the explorer
  // style unless ofOldStyleDialog, the template when one is set.
  DWORD OpenFileNameFlags() const;
  // Takes OFN_READONLY and OFN_EXTENSIONDIFFERENT back into the options.
  void TakeResultFlags(DWORD Flags);
};

class TSaveDialog : public TOpenDialog {
 public:
  using TOpenDialog::TOpenDialog;

 protected:
  bool IsSave() const override { return true; }
};

}  // namespace platform
