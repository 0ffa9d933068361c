#include "widetext/dialogs/file_chooser.h"

#include <algorithm>

#include "platform/core/window_system/window.h"
#include "platform/ui/controls/dialogs.h"

namespace widetext {
namespace {

// Room for any path the file system takes, and for many names at once; a
// longer file name is cut to fit, never written past the buffer.
constexpr std::size_t kResultBufferSize = 65536;

TWideFileChooser& Chooser() {
  static TWideFileChooser chooser;
  return chooser;
}

// "A|*.a|B|*.b" as the zero-separated pairs the platform's dialogs take.
std::u16string ZeroSeparated(std::u16string_view filter) {
  std::u16string pairs(filter);
  for (char16_t& c : pairs) {
    if (c == u'|') c = u'\0';
  }
  return pairs + std::u16string(2, u'\0');
}

bool AskPlatform(TWideFileChoice& choice, std::vector<std::u16string>& files) {
  const std::u16string filter = ZeroSeparated(choice.Filter);
  std::u16string buffer(kResultBufferSize, u'\0');
  std::copy_n(choice.FileName.data(), std::min(choice.FileName.size(), kResultBufferSize - 2), buffer.data());
  platform::OPENFILENAMEW ofn;
  ofn.hwndOwner = platform::GetActiveWindow();
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<platform::DWORD>(choice.FilterIndex);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<platform::DWORD>(buffer.size());
  ofn.lpstrInitialDir = choice.InitialDir.empty() ? nullptr : choice.InitialDir.c_str();
  ofn.lpstrTitle = choice.Title.empty() ? nullptr : choice.Title.c_str();
  ofn.lpstrDefExt = choice.DefaultExt.empty() ? nullptr : choice.DefaultExt.c_str();
  ofn.Flags =
      (choice.OldStyle ? 0 : platform::OFN_EXPLORER) | (choice.MultiSelect ? platform::OFN_ALLOWMULTISELECT : 0) |
      (choice.OverwritePrompt ? platform::OFN_OVERWRITEPROMPT : 0) | (choice.ReadOnly ? platform::OFN_READONLY : 0);
  const bool chosen = choice.Save ? platform::GetSaveFileNameW(&ofn) : platform::GetOpenFileNameW(&ofn);
  if (!chosen) return false;
  choice.FilterIndex = static_cast<int>(ofn.nFilterIndex);
  choice.ReadOnly = (ofn.Flags & platform::OFN_READONLY) != 0;
  choice.ExtensionDifferent = (ofn.Flags & platform::OFN_EXTENSIONDIFFERENT) != 0;
  files = ReadChosenNames(buffer, choice.MultiSelect, choice.OldStyle);
  return !files.empty();
}

}  // namespace

void SetWideFileChooser(TWideFileChooser Chooser) { widetext::Chooser() = std::move(Chooser); }

bool ChooseFiles(TWideFileChoice& Choice, std::vector<std::u16string>& Files) {
  Files.clear();
  const bool chosen = Chooser() ? Chooser()(Choice, Files) : AskPlatform(Choice, Files);
  return chosen && !Files.empty();
}

std::vector<std::u16string> ReadChosenNames(std::u16string_view Buffer, bool MultiSelect, bool OldStyle) {
  // Zero-separated names end at an empty one; the others at the first zero.
  const bool zeroSeparated = MultiSelect && !OldStyle;
  const char16_t separator = zeroSeparated ? u'\0' : u' ';
  const std::u16string_view terminator =
      zeroSeparated ? std::u16string_view(u"\0\0", 2) : std::u16string_view(u"\0", 1);
  const std::u16string_view text = Buffer.substr(0, Buffer.find(terminator));
  if (!MultiSelect)
    return text.empty() ? std::vector<std::u16string>{} : std::vector<std::u16string>{std::u16string(text)};
  std::vector<std::u16string> parts;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    if (end > start) parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::u16string folder = parts.front();
  if (folder.empty() || folder.back() != u'/') folder += u'/';
  std::vector<std::u16string> names;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    names.push_back(parts[i].front() == u'/' ? parts[i] : folder + parts[i]);
  }
  return names;
}

}  // namespace widetext
