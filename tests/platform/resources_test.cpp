#include "platform/core/text/resources.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <string>

#include "platform/core/os/errors.h"
#include "platform/core/text/message_tables.h"

namespace platform {
namespace {

TEST(Resources, FoundByNameAndTypeWithoutRegardToCaseAndFirstRegistrationWins) {
  static constexpr std::array<std::uint8_t, 3> kFirst = {1, 2, 3};
  static constexpr std::array<std::uint8_t, 1> kSecond = {9};
  // Registrations last for the run, so a run of this test again in the same
  // process takes names of its own.
  static int run = 0;
  const std::string name = "TestPicture" + std::to_string(run++);
  std::string upper = name;
  std::string lower = name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_TRUE(RegisterResource(name, RT_RCDATA, kFirst));
  EXPECT_FALSE(RegisterResource(upper, "rcdata", kSecond));
  EXPECT_TRUE(RegisterResource(name, "OTHER", kSecond));

  const auto found = FindResource(lower, "RcData");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->data(), kFirst.data());
  EXPECT_EQ(found->size(), kFirst.size());
  EXPECT_EQ(FindResource(name, "OTHER")->data(), kSecond.data());

  EXPECT_FALSE(FindResource("TestPictur", RT_RCDATA));
  EXPECT_FALSE(FindResource("", RT_RCDATA));
}

TEST(MessageTables, AModulesMessagesStandWhileTheirEntriesLiveAndMustFit) {
  constexpr std::uint32_t kFlags = FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS;
  constexpr std::uint32_t kId = 0xC0010001;
  char16_t buffer[16] = {};
  {
    const MessageTableEntry first(nullptr, kId, u"Stale %1");
    const MessageTableEntry later(GetModuleHandleA(nullptr), kId, u"Fresh %1");
    EXPECT_EQ(FormatMessageW(kFlags, nullptr, kId, 0, buffer, 16), 8u);
    EXPECT_EQ(std::u16string(buffer), u"Fresh %1");
    // The text and its terminator must fit.
    EXPECT_EQ(FormatMessageW(kFlags, nullptr, kId, 0, buffer, 8), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  }
  EXPECT_EQ(FormatMessageW(kFlags, nullptr, kId, 0, buffer, 16), 0u);
  EXPECT_EQ(GetLastError(), ERROR_MR_MID_NOT_FOUND);
}

}  // namespace
}  // namespace platform
