#include "platform/core/window_system/input.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <utility>

#include "platform/core/os/locale.h"

namespace platform {
namespace {

std::array<std::atomic<bool>, 256>& Keys() {
  static std::array<std::atomic<bool>, 256> keys{};
  return keys;
}

struct KeyName {
  unsigned Vk;
  unsigned Scan;
  bool Extended;
  const char16_t* Name;
};

// Scan codes of a US keyboard and the names its layout gives the keys. The
// keypad sends the scan codes of the keys above it without the extended
// flag; its "/" and Num Lock alone are extended.
constexpr KeyName kKeys[] = {
    {0x08, 0x0E, false, u"Backspace"},  {0x09, 0x0F, false, u"Tab"},         {0x0D, 0x1C, false, u"Enter"},
    {0x10, 0x2A, false, u"Shift"},      {0x11, 0x1D, false, u"Ctrl"},        {0x12, 0x38, false, u"Alt"},
    {0x1B, 0x01, false, u"Esc"},        {0x20, 0x39, false, u"Space"},       {0x21, 0x49, true, u"Page Up"},
    {0x22, 0x51, true, u"Page Down"},   {0x23, 0x4F, true, u"End"},          {0x24, 0x47, true, u"Home"},
    {0x25, 0x4B, true, u"Left"},        {0x26, 0x48, true, u"Up"},           {0x27, 0x4D, true, u"Right"},
    {0x28, 0x50, true, u"Down"},        {0x2D, 0x52, true, u"Insert"},       {0x2E, 0x53, true, u"Delete"},
    {0x30, 0x0B, false, u"0"},          {0x31, 0x02, false, u"1"},           {0x32, 0x03, false, u"2"},
    {0x33, 0x04, false, u"3"},          {0x34, 0x05, false, u"4"},           {0x35, 0x06, false, u"5"},
    {0x36, 0x07, false, u"6"},          {0x37, 0x08, false, u"7"},           {0x38, 0x09, false, u"8"},
    {0x39, 0x0A, false, u"9"},          {0x41, 0x1E, false, u"A"},           {0x42, 0x30, false, u"B"},
    {0x43, 0x2E, false, u"C"},          {0x44, 0x20, false, u"D"},           {0x45, 0x12, false, u"E"},
    {0x46, 0x21, false, u"F"},          {0x47, 0x22, false, u"G"},           {0x48, 0x23, false, u"H"},
    {0x49, 0x17, false, u"I"},          {0x4A, 0x24, false, u"J"},           {0x4B, 0x25, false, u"K"},
    {0x4C, 0x26, false, u"L"},          {0x4D, 0x32, false, u"M"},           {0x4E, 0x31, false, u"N"},
    {0x4F, 0x18, false, u"O"},          {0x50, 0x19, false, u"P"},           {0x51, 0x10, false, u"Q"},
    {0x52, 0x13, false, u"R"},          {0x53, 0x1F, false, u"S"},           {0x54, 0x14, false, u"T"},
    {0x55, 0x16, false, u"U"},          {0x56, 0x2F, false, u"V"},           {0x57, 0x11, false, u"W"},
    {0x58, 0x2D, false, u"X"},          {0x59, 0x15, false, u"Y"},           {0x5A, 0x2C, false, u"Z"},
    {0x70, 0x3B, false, u"F1"},         {0x71, 0x3C, false, u"F2"},          {0x72, 0x3D, false, u"F3"},
    {0x73, 0x3E, false, u"F4"},         {0x74, 0x3F, false, u"F5"},          {0x75, 0x40, false, u"F6"},
    {0x76, 0x41, false, u"F7"},         {0x77, 0x42, false, u"F8"},          {0x78, 0x43, false, u"F9"},
    {0x79, 0x44, false, u"F10"},        {0x7A, 0x57, false, u"F11"},         {0x7B, 0x58, false, u"F12"},
    {0xBA, 0x27, false, u";"},          {0xBB, 0x0D, false, u"="},           {0xBC, 0x33, false, u","},
    {0xBD, 0x0C, false, u"-"},          {0xBE, 0x34, false, u"."},           {0xBF, 0x35, false, u"/"},
    {0xC0, 0x29, false, u"`"},          {0xDB, 0x1A, false, u"["},           {0xDC, 0x2B, false, u"\\"},
    {0xDD, 0x1B, false, u"]"},          {0xDE, 0x28, false, u"'"},           {0x7C, 0x64, false, u"F13"},
    {0x7D, 0x65, false, u"F14"},        {0x7E, 0x66, false, u"F15"},         {0x7F, 0x67, false, u"F16"},
    {0x80, 0x68, false, u"F17"},        {0x81, 0x69, false, u"F18"},         {0x82, 0x6A, false, u"F19"},
    {0x83, 0x6B, false, u"F20"},        {0x84, 0x6C, false, u"F21"},         {0x85, 0x6D, false, u"F22"},
    {0x86, 0x6E, false, u"F23"},        {0x87, 0x76, false, u"F24"},         {0x60, 0x52, false, u"Num 0"},
    {0x61, 0x4F, false, u"Num 1"},      {0x62, 0x50, false, u"Num 2"},       {0x63, 0x51, false, u"Num 3"},
    {0x64, 0x4B, false, u"Num 4"},      {0x65, 0x4C, false, u"Num 5"},       {0x66, 0x4D, false, u"Num 6"},
    {0x67, 0x47, false, u"Num 7"},      {0x68, 0x48, false, u"Num 8"},       {0x69, 0x49, false, u"Num 9"},
    {0x6A, 0x37, false, u"Num *"},      {0x6B, 0x4E, false, u"Num +"},       {0x6D, 0x4A, false, u"Num -"},
    {0x6E, 0x53, false, u"Num Del"},    {0x6F, 0x35, true, u"Num /"},        {0x90, 0x45, true, u"Num Lock"},
    {0x13, 0x45, false, u"Pause"},      {0x91, 0x46, false, u"Scroll Lock"}, {0x14, 0x3A, false, u"Caps Lock"},
    {0x2C, 0x37, true, u"Prnt Scrn"},   {0x5B, 0x5B, true, u"Left Windows"}, {0x5C, 0x5C, true, u"Right Windows"},
    {0x5D, 0x5D, true, u"Application"},
};

// The names an Italian layout gives the keys that are named in words.
constexpr std::pair<unsigned, const char16_t*> kItalianNames[] = {
    {0x08, u"BACKSPACE"},
    {0x09, u"TAB"},
    {0x0D, u"INVIO"},
    {0x10, u"MAIUSC"},
    {0x11, u"CTRL"},
    {0x12, u"ALT"},
    {0x1B, u"ESC"},
    {0x20, u"BARRA SPAZIATRICE"},
    {0x21, u"PGSU"},
    {0x22, u"PGGI\u00D9"},
    {0x23, u"FINE"},
    {0x24, u"HOME"},
    {0x25, u"FRECCIA SINISTRA"},
    {0x26, u"FRECCIA SU"},
    {0x27, u"FRECCIA DESTRA"},
    {0x28, u"FRECCIA GI\u00D9"},
    {0x2D, u"INS"},
    {0x2E, u"CANC"},
    {0x60, u"0 (TASTIERINO NUMERICO)"},
    {0x61, u"1 (TASTIERINO NUMERICO)"},
    {0x62, u"2 (TASTIERINO NUMERICO)"},
    {0x63, u"3 (TASTIERINO NUMERICO)"},
    {0x64, u"4 (TASTIERINO NUMERICO)"},
    {0x65, u"5 (TASTIERINO NUMERICO)"},
    {0x66, u"6 (TASTIERINO NUMERICO)"},
    {0x67, u"7 (TASTIERINO NUMERICO)"},
    {0x68, u"8 (TASTIERINO NUMERICO)"},
    {0x69, u"9 (TASTIERINO NUMERICO)"},
    {0x6A, u"* (TASTIERINO NUMERICO)"},
    {0x6B, u"+ (TASTIERINO NUMERICO)"},
    {0x6D, u"- (TASTIERINO NUMERICO)"},
    {0x6E, u"CANC (TASTIERINO NUMERICO)"},
    {0x6F, u"/ (TASTIERINO NUMERICO)"},
    {0x90, u"BLOC NUM"},
    {0x13, u"PAUSA"},
    {0x91, u"BLOC SCORR"},
    {0x14, u"BLOC MAIUSC"},
    {0x2C, u"STAMP"},
    {0x5B, u"WINDOWS SINISTRO"},
    {0x5C, u"WINDOWS DESTRO"},
    {0x5D, u"APPLICAZIONE"},
};

constexpr std::uint16_t kLangItalian = 0x10;

const char16_t* LayoutName(const KeyName& Key) {
  if ((GetKeyboardLayout(0) & 0x3FF) == kLangItalian) {
    for (const auto& [vk, name] : kItalianNames) {
      if (vk == Key.Vk) return name;
    }
  }
  return Key.Name;
}

// Keys that share a scan code differ in the extended flag: the keypad's
// digits and the keys above them, "/" and Num /, Pause and Num Lock,
// Num * and Print Screen.
const KeyName* FindKey(unsigned Scan, bool Extended) {
  for (const auto& k : kKeys) {
    if (k.Scan == Scan && k.Extended == Extended) return &k;
  }
  return nullptr;
}

}  // namespace

unsigned MapVirtualKeyW(unsigned Code, unsigned MapType) {
  if (MapType != MAPVK_VK_TO_VSC) return 0;
  for (const auto& k : kKeys) {
    if (k.Vk == Code) return k.Scan;
  }
  return 0;
}

int GetKeyNameTextW(long KeyData, char16_t* Buffer, int Size) {
  if (!Buffer || Size <= 0) return 0;
  const auto scan = static_cast<unsigned>((KeyData >> 16) & 0xFF);
  const bool extended = (KeyData >> 24) & 1;
  const KeyName* key = FindKey(scan, extended);
  // A key the keyboard has in one form only is named with the flag too; an
  // extended key is never named without it, its bare scan code being
  // another key's or no key's.
  if (!key && extended) key = FindKey(scan, false);
  if (!key) {
    Buffer[0] = 0;
    return 0;
  }
  const char16_t* name = LayoutName(*key);
  int n = 0;
  for (; name[n] && n < Size - 1; ++n) Buffer[n] = name[n];
  Buffer[n] = 0;
  return n;
}

std::int16_t GetKeyState(int VirtualKey) {
  if (VirtualKey < 0 || VirtualKey > 255) return 0;
  return Keys()[static_cast<std::size_t>(VirtualKey)].load() ? static_cast<std::int16_t>(-128) : 0;
}

void SetKeyDown(int VirtualKey, bool Down) {
  if (VirtualKey < 0 || VirtualKey > 255) return;
  Keys()[static_cast<std::size_t>(VirtualKey)].store(Down);
}

}  // namespace platform
