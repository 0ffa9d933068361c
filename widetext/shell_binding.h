#pragma once
// The shell's item-from-path function, bound when first used, for the
// item-based file dialogs.

#include <string_view>

#include "platform/core/window_system/com_types.h"

namespace widetext {

// E_NOTIMPL, without raising, while the shell module or the function is
// missing; otherwise the function's own result.
platform::HRESULT WideSHCreateItemFromParsingName(std::u16string_view Path, void* BindContext,
                                                  const platform::GUID& InterfaceId, void** Item);

}  // namespace widetext
