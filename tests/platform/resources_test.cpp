#include "platform/core/text/resources.h"

#include <gtest/gtest.h>

#include <array>

namespace platform {
namespace {

TEST(Resources, FoundByNameAndTypeWithoutRegardToCaseAndFirstRegistrationWins) {
  static constexpr std::array<std::uint8_t, 3> kFirst = {1, 2, 3};
  static constexpr std::array<std::uint8_t, 1> kSecond = {9};
  // Registrations last as long as the process: a second run of the test
  // finds them made by the first.
  static const std::array<bool, 3> registered = {RegisterResource("TestPicture", RT_RCDATA, kFirst),
                                                 RegisterResource("TESTPICTURE", "rcdata", kSecond),
                                                 RegisterResource("TestPicture", "OTHER", kSecond)};
  EXPECT_EQ(registered, (std::array<bool, 3>{true, false, true}));

  const auto found = FindResource("testpicture", "RcData");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->data(), kFirst.data());
  EXPECT_EQ(found->size(), kFirst.size());
  EXPECT_EQ(FindResource("TestPicture", "OTHER")->data(), kSecond.data());

  EXPECT_FALSE(FindResource("TestPictur", RT_RCDATA));
  EXPECT_FALSE(FindResource("", RT_RCDATA));
}

}  // namespace
}  // namespace platform
