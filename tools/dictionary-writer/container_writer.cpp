#include "tools/dictionary-writer/container_writer.h"

#include <limits>
#include <stdexcept>

#include "support/digest.h"
#include "support/rc6.h"

namespace dictionary_writer {
namespace {

constexpr std::string_view kSignature = "TOLVEK";

class TByteWriter {
 public:
  void U16(std::uint16_t Value) {
    Bytes.push_back(static_cast<std::uint8_t>(Value));
    Bytes.push_back(static_cast<std::uint8_t>(Value >> 8));
  }
  void U32(std::uint32_t Value) {
    U16(static_cast<std::uint16_t>(Value));
    U16(static_cast<std::uint16_t>(Value >> 16));
  }
  void PatchU32(std::size_t At, std::uint32_t Value) {
    for (int b = 0; b < 4; ++b) Bytes[At + b] = static_cast<std::uint8_t>(Value >> (8 * b));
  }
  void Counted(const std::u16string& Text) {
    if (Text.size() * 2 > std::numeric_limits<std::uint16_t>::max()) {
      throw std::invalid_argument("a text of " + std::to_string(Text.size()) +
                                  " characters is too long for the container");
    }
    U16(static_cast<std::uint16_t>(Text.size() * 2));
    for (const char16_t unit : Text) U16(unit);
  }
  std::uint32_t Position() const {
    if (Bytes.size() > std::numeric_limits<std::uint32_t>::max())
      throw std::invalid_argument("the payload is too large");
    return static_cast<std::uint32_t>(Bytes.size());
  }

  std::vector<std::uint8_t> Bytes;
};

void Check(const TContainerContent& Content, bool Extended) {
  if (Content.Languages.size() > std::numeric_limits<std::uint16_t>::max())
    throw std::invalid_argument("too many languages");
  if (Content.Tables.size() > std::numeric_limits<std::uint16_t>::max()) throw std::invalid_argument("too many tables");
  if (!Extended && !Content.Tables.empty()) throw std::invalid_argument("versions 1 and 2 hold no code tables");
  const std::size_t count = Content.Languages.empty() ? 0 : Content.Languages.front().Strings.size();
  if (count > std::numeric_limits<std::uint32_t>::max()) throw std::invalid_argument("too many strings");
  for (const auto& language : Content.Languages) {
    if (language.Strings.size() != count) {
      throw std::invalid_argument("language " + std::to_string(language.LangId) + " has " +
                                  std::to_string(language.Strings.size()) + " strings, not " + std::to_string(count));
    }
  }
  for (const auto& table : Content.Tables) {
    if (table.Codes.size() != count) throw std::invalid_argument("a code table does not have one code per string");
  }
}

// The reader's key: the digest of the signature, which is also the pass phrase.
void Encipher(std::uint8_t* Payload, std::uint32_t Size) {
  const support::THashDigest key = support::HashOfString(kSignature);
  support::TDCP_rc6 cipher;
  cipher.Init(key, 128);
  cipher.EncryptCBC(Payload, Payload, Size);
}

}  // namespace

std::vector<std::uint8_t> WriteContainer(const TContainerContent& Content, std::uint16_t Version) {
  if (Version < 1 || Version > 4)
    throw std::invalid_argument("container version " + std::to_string(Version) + " is unknown");
  const bool extended = Version >= 3;
  Check(Content, extended);
  const auto stringCount =
      static_cast<std::uint32_t>(Content.Languages.empty() ? 0 : Content.Languages.front().Strings.size());

  TByteWriter payload;
  std::size_t tableOffsetAt = 0;
  if (extended) {
    payload.U16(static_cast<std::uint16_t>(Content.Tables.size()));
    tableOffsetAt = payload.Bytes.size();
    payload.U32(0);
  }
  const std::size_t directoryAt = payload.Bytes.size();
  for (const auto& language : Content.Languages) {
    payload.U16(language.LangId);
    payload.U32(0);
  }
  for (const auto& language : Content.Languages) payload.Counted(language.Name);
  for (std::size_t l = 0; l < Content.Languages.size(); ++l) {
    payload.PatchU32(directoryAt + 6 * l + 2, payload.Position());
    for (const auto& text : Content.Languages[l].Strings) payload.Counted(text);
  }
  if (extended) {
    payload.PatchU32(tableOffsetAt, Content.Tables.empty() ? 0 : payload.Position());
    for (const auto& table : Content.Tables) {
      payload.Counted(table.Name);
      for (const std::uint32_t code : table.Codes) payload.U32(code);
    }
  }
  const std::uint32_t payloadSize = payload.Position();
  if (Version == 2 || Version == 3) Encipher(payload.Bytes.data(), payloadSize);

  TByteWriter file;
  file.Bytes.assign(kSignature.begin(), kSignature.end());
  file.U16(Version);
  file.U16(static_cast<std::uint16_t>(Content.Languages.size()));
  file.U32(stringCount);
  file.Bytes.insert(file.Bytes.end(), payload.Bytes.begin(), payload.Bytes.end());
  return file.Bytes;
}

}  // namespace dictionary_writer
