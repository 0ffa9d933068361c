#include "widetext/dialogs/file_dialog_memory.h"

#include <algorithm>
#include <cstdio>

#include "platform/core/os/registry.h"
#include "widetext/utf8.h"

namespace widetext {
namespace {

// Smaller than this, a remembered size would hide the dialog's controls.
constexpr int kSmallestSide = 100;

std::string KeyOf(const platform::GUID& Client) {
  char text[64];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", Client.Data1, Client.Data2,
                Client.Data3, Client.Data4[0], Client.Data4[1], Client.Data4[2], Client.Data4[3], Client.Data4[4],
                Client.Data4[5], Client.Data4[6], Client.Data4[7]);
  return std::string("\\Software\\Platform\\File Dialogs\\") + text;
}

int ReadInteger(const platform::TRegistry& Registry, std::string_view Name) {
  try {
    return Registry.ValueExists(Name) ? Registry.ReadInteger(Name) : 0;
  } catch (const platform::ERegistryException&) {
    return 0;
  }
}

}  // namespace

TFileDialogMemory RecallFileDialog(const platform::GUID& Client) {
  TFileDialogMemory memory;
  platform::TRegistry registry;
  if (!registry.OpenKeyReadOnly(KeyOf(Client))) return memory;
  try {
    if (registry.ValueExists("Folder")) memory.Folder = UTF8Decode(registry.ReadString("Folder"));
  } catch (const platform::ERegistryException&) {
    memory.Folder.clear();
  }
  const int width = ReadInteger(registry, "Width"), height = ReadInteger(registry, "Height");
  if (width >= kSmallestSide && height >= kSmallestSide) {
    memory.Width = width;
    memory.Height = height;
  }
  memory.FileTypeIndex = static_cast<unsigned>(std::max(ReadInteger(registry, "FileType"), 0));
  return memory;
}

bool RememberFileDialog(const platform::GUID& Client, const TFileDialogMemory& Memory) {
  platform::TRegistry registry;
  if (!registry.OpenKey(KeyOf(Client), true)) return false;
  // A folder whose name the settings file cannot hold (a line break, half a
  // surrogate pair) is not kept; none is then remembered rather than an older one.
  try {
    registry.WriteString("Folder", UTF8Encode(Memory.Folder));
  } catch (const platform::ERegistryException&) {
    registry.WriteString("Folder", {});
  }
  registry.WriteInteger("Width", Memory.Width);
  registry.WriteInteger("Height", Memory.Height);
  registry.WriteInteger("FileType", static_cast<std::int32_t>(Memory.FileTypeIndex));
  return registry.CloseKey();
}

}  // namespace widetext
