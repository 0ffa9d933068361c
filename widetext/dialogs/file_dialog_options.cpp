#include "widetext/dialogs/file_dialog_options.h"

#include <utility>

#include "widetext/dialogs/file_dialog_objects.h"

namespace widetext {
namespace {

constexpr std::pair<platform::TOpenOption, TFileDialogOption> kOpenOptions[] = {
    {platform::ofOverwritePrompt, fdoOverWritePrompt},
    {platform::ofNoChangeDir, fdoNoChangeDir},
    {platform::ofNoValidate, fdoNoValidate},
    {platform::ofAllowMultiSelect, fdoAllowMultiSelect},
    {platform::ofExtensionDifferent, fdoStrictFileTypes},
    {platform::ofPathMustExist, fdoPathMustExist},
    {platform::ofFileMustExist, fdoFileMustExist},
    {platform::ofCreatePrompt, fdoCreatePrompt},
    {platform::ofShareAware, fdoShareAware},
    {platform::ofNoReadOnlyReturn, fdoNoReadOnlyReturn},
    {platform::ofNoTestFileCreate, fdoNoTestFileCreate},
    {platform::ofNoDereferenceLinks, fdoNoDereferenceLinks},
    {platform::ofDontAddToRecent, fdoDontAddToRecent},
    {platform::ofForceShowHidden, fdoForceShowHidden},
};

constexpr platform::DWORD kFlags[] = {
    FOS_OVERWRITEPROMPT,    FOS_STRICTFILETYPES,    FOS_NOCHANGEDIR,      FOS_PICKFOLDERS,      FOS_FORCEFILESYSTEM,
    FOS_ALLNONSTORAGEITEMS, FOS_NOVALIDATE,         FOS_ALLOWMULTISELECT, FOS_PATHMUSTEXIST,    FOS_FILEMUSTEXIST,
    FOS_CREATEPROMPT,       FOS_SHAREAWARE,         FOS_NOREADONLYRETURN, FOS_NOTESTFILECREATE, FOS_HIDEMRUPLACES,
    FOS_HIDEPINNEDPLACES,   FOS_NODEREFERENCELINKS, FOS_DONTADDTORECENT,  FOS_FORCESHOWHIDDEN,  FOS_DEFAULTNOMINIMODE,
    FOS_FORCEPREVIEWPANEON,
};
static_assert(std::size(kFlags) == fdoForcePreviewPaneOn + 1);

}  // namespace

TFileDialogOptions::TFileDialogOptions(std::initializer_list<TFileDialogOption> Options) {
  for (const TFileDialogOption option : Options) Include(option);
}

TFileDialogOptions FileDialogOptionsOf(platform::TOpenOptions Options, platform::TOpenOptionsEx OptionsEx) {
  TFileDialogOptions result;
  for (const auto& [from, to] : kOpenOptions) {
    if (Options & from) result.Include(to);
  }
  if (OptionsEx & platform::ofExNoPlacesBar) result.Include(fdoHidePinnedPlaces);
  return result;
}

platform::DWORD FileDialogFlagsOf(const TFileDialogOptions& Options) {
  platform::DWORD flags = 0;
  for (unsigned option = 0; option < std::size(kFlags); ++option) {
    if (Options.Contains(static_cast<TFileDialogOption>(option))) flags |= kFlags[option];
  }
  return flags;
}

std::u16string TFileTypeItem::GetDisplayName() const { return DisplayName.empty() ? u"TFileTypeItem" : DisplayName; }

std::vector<TFileTypeItem> FileTypesOfFilter(std::u16string_view Filter) {
  std::vector<TFileTypeItem> types;
  for (std::size_t start = 0; start < Filter.size();) {
    const std::size_t bar = Filter.find(u'|', start);
    if (bar == std::u16string_view::npos) break;
    const std::size_t next = Filter.find(u'|', bar + 1);
    const std::size_t maskEnd = next == std::u16string_view::npos ? Filter.size() : next;
    types.push_back(
        {std::u16string(Filter.substr(start, bar - start)), std::u16string(Filter.substr(bar + 1, maskEnd - bar - 1))});
    start = maskEnd + 1;
  }
  return types;
}

}  // namespace widetext
