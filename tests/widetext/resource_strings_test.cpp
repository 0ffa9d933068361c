#include "widetext/resource_strings.h"

#include <gtest/gtest.h>

#include "platform/core/text/string_resources.h"
#include "platform/core/window_system/com_types.h"
#include "widetext/shell_binding.h"

namespace widetext {
namespace {

const platform::StringResource kGreeting(4100, u"Caf\u00E9 \u4E2D");
const platform::StringResource kLong(4101, std::u16string(5000, u'x'));

TEST(ResourceStrings, RecordsOfTextAndOfTableEntries) {
  EXPECT_EQ(WideLoadResString(nullptr), u"");

  const TResStringRec utf8{0,
                           "\xEF\xBB\xBF"
                           "Caf\xC3\xA9"};
  EXPECT_EQ(WideLoadResString(&utf8), u"Caf\u00E9");
  const TResStringRec markOnly{0, "\xEF\xBB\xBF"};
  EXPECT_EQ(WideLoadResString(&markOnly), u"\u00EF\u00BB\u00BF");
  const TResStringRec ansi{0, "Caf\xE9 \x80"};
  EXPECT_EQ(WideLoadResString(&ansi), u"Caf\u00E9 \u20AC");

  const TResStringRec entry{4100};
  EXPECT_EQ(WideLoadResString(&entry), u"Caf\u00E9 \u4E2D");
  const TResStringRec longEntry{4101};
  EXPECT_EQ(WideLoadResString(&longEntry).size(), 5000u);
  const TResStringRec missing{4199};
  EXPECT_EQ(WideLoadResString(&missing), u"");
}

TEST(ResourceStrings, LoadStringCopiesIntoTheCallersBuffer) {
  char16_t buffer[5];
  EXPECT_EQ(WideApiLoadString(nullptr, 4100, buffer, 5), 4);
  EXPECT_EQ(std::u16string(buffer), u"Caf\u00E9");
  EXPECT_EQ(WideApiLoadString(nullptr, 4100, nullptr, 0), 6);
  EXPECT_TRUE(IsIntResourceId(4100));
  EXPECT_FALSE(IsIntResourceId(0x10000));
}

TEST(ShellBinding, MissingShellGivesNotImplemented) {
  void* item = nullptr;
  EXPECT_EQ(WideSHCreateItemFromParsingName(u"/tmp", nullptr, platform::GUID{}, &item), platform::E_NOTIMPL);
  EXPECT_EQ(item, nullptr);
}

}  // namespace
}  // namespace widetext
