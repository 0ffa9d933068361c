#include "widetext/grid/grid_cells.h"

#include "widetext/controls/ansi_image.h"
#include "widetext/utf8.h"

namespace widetext {

std::string EncodeCell(std::u16string_view Value) { return UTF8Encode(Value); }

std::u16string DecodeCell(std::string_view Cell) {
  std::u16string decoded = UTF8Decode(Cell);
  // Text that is UTF-8 comes back as the same bytes.
  if (UTF8Encode(decoded) == Cell) return decoded;
  return WidenAnsi(Cell);
}

}  // namespace widetext
