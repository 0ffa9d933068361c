#include "widetext/standard/window_items.h"

#include <algorithm>

#include "platform/core/classes/sysutils.h"

namespace widetext {
namespace {

// CB_ERR and LB_ERR.
constexpr platform::LRESULT kError = -1;

platform::LPARAM TextParam(const std::u16string& S) { return reinterpret_cast<platform::LPARAM>(S.c_str()); }

}  // namespace

// The buffer holds the item and its terminator.
std::optional<std::u16string> WindowItemText(platform::HWND Window, platform::UINT LengthMsg, platform::UINT TextMsg,
                                             int Index) {
  const auto index = static_cast<platform::WPARAM>(Index);
  const platform::LRESULT length = platform::SendMessageW(Window, LengthMsg, index, 0);
  if (length == kError) return std::nullopt;
  std::u16string buffer(static_cast<std::size_t>(length) + 1, u'\0');
  const platform::LRESULT got =
      platform::SendMessageW(Window, TextMsg, index, reinterpret_cast<platform::LPARAM>(buffer.data()));
  if (got == kError) return std::nullopt;
  buffer.resize(static_cast<std::size_t>(std::clamp<platform::LRESULT>(got, 0, length)));
  return buffer;
}

int InsertWindowItem(platform::HWND Window, platform::UINT Msg, int Index, const std::u16string& S) {
  const platform::LRESULT index =
      platform::SendMessageW(Window, Msg, static_cast<platform::WPARAM>(Index), TextParam(S));
  if (index < 0) throw platform::EOutOfResources("Unable to insert a line");
  return static_cast<int>(index);
}

int FindWindowItem(platform::HWND Window, platform::UINT Msg, const std::u16string& S) {
  return static_cast<int>(platform::SendMessageW(Window, Msg, static_cast<platform::WPARAM>(-1), TextParam(S)));
}

void SetAnsiUpdateState(platform::TStrings& AnsiItems, bool Updating) {
  if (Updating) {
    AnsiItems.BeginUpdate();
  } else {
    AnsiItems.EndUpdate();
  }
}

}  // namespace widetext
