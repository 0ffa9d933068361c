#include "tests/support/container_test_helpers.h"

#include <algorithm>
#include <deque>
#include <fstream>
#include <mutex>
#include <stdexcept>

#include "platform/core/text/resources.h"

namespace support::testing {
namespace {

std::u16string Wide(const std::string& Ascii) { return {Ascii.begin(), Ascii.end()}; }

}  // namespace

dictionary_writer::TContainerContent SmallContent() {
  return {{{1033, u"English", {u"One", u"Two", u"Three"}}, {1040, u"Italiano", {u"Uno", u"Due", u"Tre"}}},
          {{u"First", {10, 20, 30}}, {u"Second", {0xFFFFFFFF, 7, 1000000001}}}};
}

dictionary_writer::TContainerContent DictionaryContent(const std::vector<std::uint16_t>& LangIds,
                                                       const std::vector<std::uint32_t>& Codes) {
  dictionary_writer::TContainerContent content;
  for (const std::uint16_t id : LangIds) {
    content.Languages.push_back({id, u"L", {}});
    for (std::size_t k = 0; k < Codes.size(); ++k) {
      content.Languages.back().Strings.push_back(Wide(std::to_string(id) + ":" + std::to_string(k)));
    }
  }
  content.Tables.push_back({u"Codes", Codes});
  return content;
}

void RegisterTestResource(const std::string& Name, std::vector<std::uint8_t> Bytes) {
  static std::mutex lock;
  static std::deque<std::vector<std::uint8_t>> kept;
  const std::lock_guard guard(lock);
  // A test run again in the same process registers its bytes again; the
  // registry keeps the first, which must be the same.
  if (const auto found = platform::FindResource(Name, platform::RT_RCDATA)) {
    if (std::equal(found->begin(), found->end(), Bytes.begin(), Bytes.end())) return;
    throw std::logic_error("test resource " + Name + " registered twice with other bytes");
  }
  kept.push_back(std::move(Bytes));
  if (!platform::RegisterResource(Name, platform::RT_RCDATA, kept.back())) {
    throw std::logic_error("test resource " + Name + " registered twice");
  }
}

void WriteFile(const std::filesystem::path& Path, const std::vector<std::uint8_t>& Bytes) {
  std::ofstream out(Path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + Path.string());
}

}  // namespace support::testing
