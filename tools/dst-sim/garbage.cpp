#include "garbage.h"

#include <array>
#include <utility>

#include "sentence.h"

namespace dstsim {
namespace {

// Longer than the 510 characters a receiver's frame buffer holds.
constexpr std::size_t kOverlongField = 600;

bool HasHexLetter(std::string_view checksum) { return checksum.find_first_of("ABCDEF") != std::string_view::npos; }

std::string WithChecksum(std::string_view body, std::string_view checksum) {
  return "$" + std::string(body) + "*" + std::string(checksum) + "\r\n";
}

// A body whose checksum has a letter, so that lower case shows: one of the
// models, else the first with a trailing field added.
std::string LetteredBody(const std::vector<std::string>& models) {
  for (const std::string& body : models) {
    if (HasHexLetter(Checksum(body))) return body;
  }
  for (char digit = '0'; digit <= '9'; ++digit) {
    const std::string body = models.front() + "," + digit;
    if (HasHexLetter(Checksum(body))) return body;
  }
  return models.front();
}

}  // namespace

std::optional<GarbageKind> GarbageByName(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, GarbageKind>, 6> kNames{{
      {"bad-checksum", GarbageKind::BadChecksum},
      {"lower-checksum", GarbageKind::LowerChecksum},
      {"binary", GarbageKind::Binary},
      {"overlong", GarbageKind::Overlong},
      {"foreign", GarbageKind::Foreign},
      {"empty-field", GarbageKind::EmptyField},
  }};
  for (const auto& [text, kind] : kNames) {
    if (text == name) return kind;
  }
  return std::nullopt;
}

std::string MakeGarbage(GarbageKind kind, const std::vector<std::string>& models) {
  const std::string& model = models.front();
  switch (kind) {
    case GarbageKind::BadChecksum:
      // One bit off the right checksum.
      return WithChecksum(model, Checksum(model + "\x01"));
    case GarbageKind::LowerChecksum: {
      const std::string body = LetteredBody(models);
      std::string checksum = Checksum(body);
      for (char& c : checksum) c = static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
      return WithChecksum(body, checksum);
    }
    case GarbageKind::Binary:
      return std::string("\x00\x01\x02\x03\x1B\x7F\x80\x8F\x9B\xA5\xC3\xD0\xE0\xF0\xFE\xFF", 16);
    case GarbageKind::Overlong:
      return Sentence(model + "," + std::string(kOverlongField, 'A'));
    case GarbageKind::Foreign: {
      // Another maker's code in place of the model's maker or talker.
      const std::string rest = model.size() > 4 && model[0] == 'P' ? model.substr(4) : model.substr(2);
      return Sentence("PXYZ" + rest);
    }
    case GarbageKind::EmptyField: {
      std::vector<std::string> fields = SplitFields(model);
      if (fields.size() > 1) fields[1].clear();
      std::string body = fields[0];
      for (std::size_t i = 1; i < fields.size(); ++i) body += "," + fields[i];
      return Sentence(body);
    }
  }
  return {};
}

}  // namespace dstsim
