#include "widetext/dialogs/file_name_dialog.h"

#include <algorithm>

#include "platform/core/window_system/window.h"

namespace widetext {
namespace {

// Room for any path the file system takes, and for many names at once; a
// longer file name is cut to fit, never written past the buffer.
constexpr std::size_t kResultBufferSize = 65536;

}  // namespace

std::u16string ZeroSeparatedFilter(std::u16string_view Filter) {
  std::u16string pairs(Filter);
  for (char16_t& c : pairs) {
    if (c == u'|') c = u'\0';
  }
  return pairs + std::u16string(2, u'\0');
}

bool AskFileNames(platform::TFileChoice& Choice, platform::DWORD& Flags, std::vector<std::u16string>& Files,
                  platform::LPOFNHOOKPROC Hook) {
  Files.clear();
  const std::u16string filter = ZeroSeparatedFilter(Choice.Filter);
  std::u16string buffer(kResultBufferSize, u'\0');
  std::copy_n(Choice.FileName.data(), std::min(Choice.FileName.size(), kResultBufferSize - 2), buffer.data());
  platform::OPENFILENAMEW ofn;
  ofn.hwndOwner = platform::GetActiveWindow();
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<platform::DWORD>(Choice.FilterIndex);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<platform::DWORD>(buffer.size());
  ofn.lpstrInitialDir = Choice.InitialDir.empty() ? nullptr : Choice.InitialDir.c_str();
  ofn.lpstrTitle = Choice.Title.empty() ? nullptr : Choice.Title.c_str();
  ofn.lpstrDefExt = Choice.DefaultExt.empty() ? nullptr : Choice.DefaultExt.c_str();
  ofn.Flags = Flags | (Choice.MultiSelect ? platform::OFN_ALLOWMULTISELECT : 0) |
              (Hook ? platform::OFN_ENABLEHOOK | platform::OFN_EXPLORER : 0);
  ofn.lpfnHook = Hook;
  const bool chosen = Choice.Save ? platform::GetSaveFileNameW(&ofn) : platform::GetOpenFileNameW(&ofn);
  if (!chosen) return false;
  Choice.FilterIndex = static_cast<int>(ofn.nFilterIndex);
  Flags = ofn.Flags;
  Files = ReadChosenNames(buffer, Choice.MultiSelect, (ofn.Flags & platform::OFN_EXPLORER) != 0);
  return !Files.empty();
}

std::vector<std::u16string> ReadChosenNames(std::u16string_view Buffer, bool MultiSelect, bool Explorer) {
  if (!MultiSelect) {
    const std::u16string_view name = Buffer.substr(0, Buffer.find(u'\0'));
    return name.empty() ? std::vector<std::u16string>{} : std::vector<std::u16string>{std::u16string(name)};
  }
  // The names end at an empty one (the old style: at the zero).
  const std::u16string_view text =
      Explorer ? Buffer.substr(0, Buffer.find(std::u16string_view(u"\0\0", 2))) : Buffer.substr(0, Buffer.find(u'\0'));
  const char16_t separator = Explorer ? u'\0' : u' ';
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
