#include "platform/core/text/cp1252.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>

namespace {

// The C library's own CP1252 table, one character at a time: nothing when
// it has no mapping.
class SystemTable {
 public:
  SystemTable() : toWide_(::iconv_open("UTF-16LE", "CP1252")), toBytes_(::iconv_open("CP1252", "UTF-16LE")) {}
  ~SystemTable() {
    if (Ready()) {
      ::iconv_close(toWide_);
      ::iconv_close(toBytes_);
    }
  }
  SystemTable(const SystemTable&) = delete;
  SystemTable& operator=(const SystemTable&) = delete;
  bool Ready() const { return toWide_ != kFailed && toBytes_ != kFailed; }

  std::optional<char16_t> Wide(unsigned char Byte) const {
    char in[1] = {static_cast<char>(Byte)};
    char out[4] = {};
    if (Convert(toWide_, in, 1, out, sizeof out) != 2) return std::nullopt;
    return static_cast<char16_t>(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8);
  }
  std::optional<unsigned char> Byte(char16_t Unit) const {
    char in[2] = {static_cast<char>(Unit & 0xFF), static_cast<char>(Unit >> 8)};
    char out[4] = {};
    if (Convert(toBytes_, in, 2, out, sizeof out) != 1) return std::nullopt;
    return static_cast<unsigned char>(out[0]);
  }

 private:
  static inline const iconv_t kFailed = reinterpret_cast<iconv_t>(-1);

  // Bytes written, or -1 when the table refuses the input.
  static int Convert(iconv_t Cd, char* In, std::size_t InSize, char* Out, std::size_t OutSize) {
    ::iconv(Cd, nullptr, nullptr, nullptr, nullptr);
    char* from = In;
    char* to = Out;
    std::size_t fromLeft = InSize;
    std::size_t toLeft = OutSize;
    if (::iconv(Cd, &from, &fromLeft, &to, &toLeft) == static_cast<std::size_t>(-1) || fromLeft != 0) return -1;
    return static_cast<int>(OutSize - toLeft);
  }

  iconv_t toWide_;
  iconv_t toBytes_;
};

// Both directions agree with the system's table, byte for byte and unit for
// unit. Where the table has no mapping, the five unassigned bytes stand for
// the C1 controls of the same value (and those controls for them), and
// every other unit has no byte.
TEST(Cp1252, AgreesWithTheSystemTableInBothDirections) {
  const SystemTable table;
  ASSERT_TRUE(table.Ready()) << "the C library has no CP1252 table";
  for (int b = 0; b < 256; ++b) {
    const std::optional<char16_t> expected = table.Wide(static_cast<unsigned char>(b));
    EXPECT_EQ(platform::Cp1252ToUnicode(static_cast<unsigned char>(b)), expected.value_or(static_cast<char16_t>(b)))
        << "byte " << b;
    if (!expected) {
      EXPECT_TRUE(b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) << "byte " << b;
    }
  }
  for (int u = 0; u < 0x10000; ++u) {
    if (u >= 0xD800 && u <= 0xDFFF) continue;
    const auto unit = static_cast<char16_t>(u);
    std::optional<unsigned char> expected = table.Byte(unit);
    if (!expected && (u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D)) {
      expected = static_cast<unsigned char>(u);
    }
    char ours = 0;
    const bool mapped = platform::UnicodeToCp1252(unit, ours);
    ASSERT_EQ(mapped, expected.has_value()) << "U+" << std::hex << u;
    if (mapped) {
      EXPECT_EQ(static_cast<unsigned char>(ours), *expected) << "U+" << std::hex << u;
    }
  }
}

TEST(Cp1252, EveryByteRoundTripsThroughUtf16) {
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  const std::u16string wide = platform::Cp1252ToUtf16(all);
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(wide[0x80], u'\u20AC');
  EXPECT_EQ(wide[0xB0], u'\u00B0');
  EXPECT_EQ(wide[0x81], u'\u0081');
  bool defaulted = true;
  EXPECT_EQ(platform::Utf16ToCp1252(wide, '?', &defaulted), all);
  EXPECT_FALSE(defaulted);
}

TEST(Cp1252, CharactersWithoutAByteBecomeTheDefaultOncePerCharacter) {
  bool defaulted = false;
  // U+0100, then a surrogate pair (one character), then a lone surrogate.
  const std::u16string text =
      u"a\u0100b\xD83D\xDE00"
      u"c\xD800";
  EXPECT_EQ(platform::Utf16ToCp1252(text, '?', &defaulted), "a?b?c?");
  EXPECT_TRUE(defaulted);
}

}  // namespace
