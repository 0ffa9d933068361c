#include "support/ui/shell_helpers.h"

#include <exception>

#include "platform/core/text/resource_stream.h"
#include "platform/ui/controls/dialogs.h"

namespace support {

void LoadMetafileResource(platform::TPicture* Picture, std::string_view ResName) {
  if (!Picture || ResName.empty()) return;
  try {
    platform::TResourceStream stream(ResName, platform::RT_RCDATA);
    platform::TMetafile metafile;
    metafile.LoadFromStream(stream);
    Picture->Assign(&metafile);
  } catch (const std::exception&) {
    // The picture keeps what it showed.
  }
}

void OpenWebAddress(platform::HWND Wnd, std::string_view Address) {
  std::size_t first = 0, last = Address.size();
  while (first < last && static_cast<unsigned char>(Address[first]) < 33) ++first;
  while (last > first && static_cast<unsigned char>(Address[last - 1]) < 33) --last;
  if (first == last) return;
  const std::string target = "http://" + std::string(Address.substr(first, last - first));
  platform::ShellExecuteA(Wnd, "open", target, "", "", 1);
}

}  // namespace support
