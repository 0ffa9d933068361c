#include "widetext/dialogs/file_dialog_objects.h"

#include <filesystem>
#include <utility>

#include "platform/core/window_system/dialog_windows.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/controls/dialogs.h"

#include "widetext/dialogs/file_name_dialog.h"
#include "widetext/utf8.h"

namespace widetext {
namespace {

// The options the file-name dialog acts on itself. It never changes the
// working folder, which FOS_NOCHANGEDIR asks for.
constexpr std::pair<platform::DWORD, platform::DWORD> kAskedFlags[] = {
    {FOS_OVERWRITEPROMPT, platform::OFN_OVERWRITEPROMPT}, {FOS_NOCHANGEDIR, platform::OFN_NOCHANGEDIR},
    {FOS_PATHMUSTEXIST, platform::OFN_PATHMUSTEXIST},     {FOS_FILEMUSTEXIST, platform::OFN_FILEMUSTEXIST},
    {FOS_CREATEPROMPT, platform::OFN_CREATEPROMPT},       {FOS_NOREADONLYRETURN, platform::OFN_NOREADONLYRETURN},
    {FOS_FORCESHOWHIDDEN, platform::OFN_FORCESHOWHIDDEN},
};

std::u16string FolderOf(std::u16string_view Path) {
  const std::size_t slash = Path.find_last_of(u'/');
  if (slash == std::u16string_view::npos) return {};
  return std::u16string(Path.substr(0, slash == 0 ? 1 : slash));
}

bool Exists(std::u16string_view Path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::path(UTF8Encode(Path)), error);
}

// A sink that does not handle a callback lets the dialog go on.
bool Refused(HRESULT Answer) { return Answer == S_FALSE || (Answer < 0 && Answer != platform::E_NOTIMPL); }

std::vector<std::unique_ptr<IShellItem>> ItemsOf(const std::vector<std::u16string>& Paths) {
  std::vector<std::unique_ptr<IShellItem>> items;
  for (const auto& path : Paths) items.push_back(std::make_unique<TPathShellItem>(path));
  return items;
}

}  // namespace

HRESULT TPathShellItem::GetDisplayName(SIGDN Kind, std::u16string& Name) const {
  switch (Kind) {
    case SIGDN_FILESYSPATH:
      if (path_.empty() || path_.front() != u'/') return E_FAIL;
      Name = path_;
      return platform::S_OK;
    case SIGDN_NORMALDISPLAY: {
      const std::size_t slash = path_.find_last_of(u'/');
      Name = slash == std::u16string::npos || slash + 1 == path_.size() ? path_ : path_.substr(slash + 1);
      return platform::S_OK;
    }
  }
  return E_FAIL;
}

HRESULT TFileDialogObject::SetClientGuid(const platform::GUID& Guid) {
  client_ = Guid;
  return platform::S_OK;
}

HRESULT TFileDialogObject::SetFileNameLabel(std::u16string_view Label) {
  fileNameLabel_ = Label;
  return platform::S_OK;
}

HRESULT TFileDialogObject::SetOkButtonLabel(std::u16string_view Label) {
  okButtonLabel_ = Label;
  return platform::S_OK;
}

HRESULT TFileDialogObject::AddPlace(const IShellItem& Place) {
  std::u16string folder;
  if (Place.GetDisplayName(SIGDN_FILESYSPATH, folder) < 0) return E_INVALIDARG;
  places_.push_back(std::move(folder));
  return platform::S_OK;
}

HRESULT TFileDialogObject::SetDefaultExtension(std::u16string_view Extension) {
  defaultExtension_ = Extension;
  return platform::S_OK;
}

HRESULT TFileDialogObject::SetFileName(std::u16string_view Name) {
  fileName_ = Name;
  return platform::S_OK;
}

HRESULT TFileDialogObject::GetFileName(std::u16string& Name) const {
  Name = selection_.empty() ? fileName_ : selection_.front();
  return platform::S_OK;
}

HRESULT TFileDialogObject::SetTitle(std::u16string_view Title) {
  title_ = Title;
  return platform::S_OK;
}

HRESULT TFileDialogObject::SetFolder(const IShellItem& Folder) {
  const HRESULT named = Folder.GetDisplayName(SIGDN_FILESYSPATH, folder_);
  folderSet_ = named >= 0;
  return named;
}

HRESULT TFileDialogObject::SetFileTypes(unsigned Count, const COMDLG_FILTERSPEC* Types) {
  if (Count > 0 && !Types) return E_INVALIDARG;
  fileTypes_.clear();
  for (unsigned i = 0; i < Count; ++i) {
    fileTypes_.emplace_back(Types[i].pszName ? Types[i].pszName : u"", Types[i].pszSpec ? Types[i].pszSpec : u"");
  }
  return platform::S_OK;
}

HRESULT TFileDialogObject::SetFileTypeIndex(unsigned Index) {
  typeIndex_ = Index;
  return platform::S_OK;
}

HRESULT TFileDialogObject::GetFileTypeIndex(unsigned& Index) const {
  Index = typeIndex_;
  return platform::S_OK;
}

HRESULT TFileDialogObject::SetOptions(platform::DWORD Options) {
  options_ = Options;
  return platform::S_OK;
}

HRESULT TFileDialogObject::Advise(IFileDialogEvents* Sink, platform::DWORD& Cookie) {
  if (!Sink) return E_INVALIDARG;
  sink_ = Sink;
  Cookie = 1;
  return platform::S_OK;
}

HRESULT TFileDialogObject::Unadvise(platform::DWORD Cookie) {
  if (Cookie != 1 || !sink_) return E_INVALIDARG;
  sink_ = nullptr;
  return platform::S_OK;
}

HRESULT TFileDialogObject::Show(platform::HWND) {
  results_.clear();
  left_.reset();
  recalled_ = client_ ? RecallFileDialog(*client_) : TFileDialogMemory{};
  if (!folderSet_ && !recalled_.Folder.empty()) folder_ = recalled_.Folder;
  if (recalled_.FileTypeIndex >= 1 && recalled_.FileTypeIndex <= fileTypes_.size()) {
    typeIndex_ = recalled_.FileTypeIndex;
  }
  platform::TFileChoice choice;
  choice.Save = save_;
  choice.Title = title_;
  for (const auto& [name, mask] : fileTypes_) {
    if (!choice.Filter.empty()) choice.Filter += u'|';
    choice.Filter += name + u'|' + mask;
  }
  choice.FilterIndex = static_cast<int>(typeIndex_);
  choice.InitialDir = folder_;
  choice.FileName = selection_.empty() ? fileName_ : selection_.front();
  choice.DefaultExt = defaultExtension_;
  choice.MultiSelect = !save_ && (options_ & FOS_ALLOWMULTISELECT);
  platform::DWORD flags = 0;
  for (const auto& [option, flag] : kAskedFlags) {
    if (options_ & option) flags |= flag;
  }
  std::vector<std::u16string> files;
  const bool chosen = AskFileNames(choice, flags, files, platform::MakeWndProc<&TFileDialogObject::Hook>(this, true));
  window_ = nullptr;
  record_ = nullptr;
  if (client_ && left_) RememberFileDialog(*client_, *left_);
  if (!chosen) return HRESULT_ERROR_CANCELLED;
  results_ = std::move(files);
  return platform::S_OK;
}

platform::LRESULT TFileDialogObject::Hook(platform::HWND hDlg, platform::UINT Msg, platform::WPARAM,
                                          platform::LPARAM lParam) {
  if (Msg == platform::WM_INITDIALOG) {
    window_ = platform::GetParent(hDlg);
    record_ = reinterpret_cast<const platform::OPENFILENAMEW*>(lParam);
    return 0;
  }
  if (Msg == platform::WM_DESTROY) {
    Leave();
    return 0;
  }
  const auto* notify = reinterpret_cast<const platform::OFNOTIFYW*>(lParam);
  if (Msg != platform::WM_NOTIFY || !notify) return 0;
  if (notify->hdr.code == platform::CDN_INITDONE) Dress();
  if (notify->hdr.code != platform::CDN_FILEOK) return 0;
  const platform::OPENFILENAMEW& record = *notify->lpOFN;
  const std::vector<std::u16string> files = ReadChosenNames(std::u16string_view(record.lpstrFile, record.nMaxFile),
                                                            (record.Flags & platform::OFN_ALLOWMULTISELECT) != 0);
  if (!files.empty() && Accept(static_cast<int>(record.nFilterIndex), files)) return 0;
  platform::SetWindowLong(hDlg, platform::DWL_MSGRESULT, 1);
  return 1;
}

void TFileDialogObject::Dress() {
  if (!window_) return;
  const auto label = [this](int Id, const std::u16string& Text) {
    if (!Text.empty()) {
      platform::SendMessageW(window_, platform::CDM_SETCONTROLTEXT, static_cast<platform::WPARAM>(Id),
                             reinterpret_cast<platform::LPARAM>(Text.c_str()));
    }
  };
  label(platform::kFileNameLabelId, fileNameLabel_);
  label(platform::IDOK, okButtonLabel_);
  for (const std::u16string& place : places_) platform::FileDialogAddPlace(window_, place);
  if (recalled_.Width > 0) {
    platform::SetWindowPos(window_, nullptr, 0, 0, recalled_.Width, recalled_.Height,
                           platform::SWP_NOMOVE | platform::SWP_NOZORDER);
  }
}

// The dialog is going: what it shows now is what the next one of its
// client opens with.
void TFileDialogObject::Leave() {
  if (!window_ || !record_) return;
  TFileDialogMemory left;
  const auto length = platform::SendMessageW(window_, platform::CDM_GETFOLDERPATH, 0, 0);
  if (length > 1) {
    left.Folder.assign(static_cast<std::size_t>(length), u'\0');
    platform::SendMessageW(window_, platform::CDM_GETFOLDERPATH, left.Folder.size(),
                           reinterpret_cast<platform::LPARAM>(left.Folder.data()));
    left.Folder.resize(static_cast<std::size_t>(length - 1));
  }
  const platform::RECT bounds = platform::GetWindowBounds(window_);
  left.Width = bounds.Width();
  left.Height = bounds.Height();
  if (record_->nFilterIndex >= 1) typeIndex_ = record_->nFilterIndex;
  left.FileTypeIndex = typeIndex_;
  left_ = std::move(left);
}

HRESULT TFileDialogObject::GetWindow(platform::HWND& Window) const {
  if (!window_) return E_FAIL;
  Window = window_;
  return platform::S_OK;
}

bool TFileDialogObject::Accept(int TypeIndex, const std::vector<std::u16string>& Files) {
  if (TypeIndex >= 1 && static_cast<unsigned>(TypeIndex) != typeIndex_) {
    typeIndex_ = static_cast<unsigned>(TypeIndex);
    if (sink_) sink_->OnTypeChange(*this);
  }
  const std::u16string folder = FolderOf(Files.front());
  if (folder != folder_) {
    if (sink_ && Refused(sink_->OnFolderChanging(*this, TPathShellItem(folder)))) return false;
    folder_ = folder;
    if (sink_) sink_->OnFolderChange(*this);
  }
  selection_ = Files;
  if (sink_) sink_->OnSelectionChange(*this);
  if (!OfChosenType(Files.front())) return false;
  if (!sink_) return true;
  if (save_ && (options_ & FOS_OVERWRITEPROMPT) && Exists(Files.front())) {
    FDE_RESPONSE response = FDER_DEFAULT;
    // The dialog has asked the user already; only a refusal counts.
    if (sink_->OnOverwrite(*this, TPathShellItem(Files.front()), response) >= 0 && response == FDER_REFUSE) {
      return false;
    }
  }
  return !Refused(sink_->OnFileOk(*this));
}

bool TFileDialogObject::OfChosenType(const std::u16string& File) const {
  if (!save_ || !(options_ & FOS_STRICTFILETYPES) || typeIndex_ < 1 || typeIndex_ > fileTypes_.size()) return true;
  const std::u16string& masks = fileTypes_[typeIndex_ - 1].second;
  const std::u16string shortName = File.substr(File.find_last_of(u'/') + 1);
  if (platform::FileDialogTypeMatches(masks, shortName)) return true;
  platform::MessageBoxW(
      window_, shortName + u"\nThis name is not of the chosen file type (" + masks + u").\nType a name of that type.",
      title_, platform::MB_OK | platform::MB_ICONWARNING);
  return false;
}

HRESULT TFileDialogObject::GetResult(std::unique_ptr<IShellItem>& Item) const {
  if (results_.empty()) return E_UNEXPECTED;
  Item = std::make_unique<TPathShellItem>(results_.front());
  return platform::S_OK;
}

HRESULT TFileDialogObject::GetResults(std::vector<std::unique_ptr<IShellItem>>& Items) const {
  if (results_.empty()) return E_UNEXPECTED;
  Items = ItemsOf(results_);
  return platform::S_OK;
}

HRESULT TFileDialogObject::GetSelectedItems(std::vector<std::unique_ptr<IShellItem>>& Items) const {
  if (selection_.empty()) return E_FAIL;
  Items = ItemsOf(selection_);
  return platform::S_OK;
}

HRESULT TFileDialogObject::GetCurrentSelection(std::unique_ptr<IShellItem>& Item) const {
  if (selection_.empty()) return E_FAIL;
  Item = std::make_unique<TPathShellItem>(selection_.front());
  return platform::S_OK;
}

}  // namespace widetext
