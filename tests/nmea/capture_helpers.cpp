#include "tests/nmea/capture_helpers.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>

namespace nmea::testing {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::optional<JsonValue> Value() {
    Skip();
    if (at_ >= text_.size()) return std::nullopt;
    JsonValue v;
    const char c = text_[at_];
    if (c == '{') {
      ++at_;
      if (Peek('}')) return v;
      do {
        Skip();
        auto key = String();
        if (!key || !Peek(':')) return std::nullopt;
        auto member = Value();
        if (!member) return std::nullopt;
        v.Members.emplace(*key, std::move(*member));
      } while (Peek(','));
      return Peek('}') ? std::optional(v) : std::nullopt;
    }
    if (c == '[') {
      ++at_;
      if (Peek(']')) return v;
      do {
        auto item = Value();
        if (!item) return std::nullopt;
        v.Items.push_back(std::move(*item));
      } while (Peek(','));
      return Peek(']') ? std::optional(v) : std::nullopt;
    }
    if (c == '"') {
      v.Text = String();
      return v.Text ? std::optional(v) : std::nullopt;
    }
    for (const std::string_view word : {"true", "false", "null"}) {
      if (text_.substr(at_, word.size()) == word) {
        at_ += word.size();
        return v;
      }
    }
    double number = 0;
    const auto [end, ec] = std::from_chars(text_.data() + at_, text_.data() + text_.size(), number);
    if (ec != std::errc()) return std::nullopt;
    at_ = static_cast<std::size_t>(end - text_.data());
    v.Number = number;
    return v;
  }

  bool AtEnd() {
    Skip();
    return at_ == text_.size();
  }

 private:
  void Skip() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r')) ++at_;
  }
  bool Peek(char c) {
    Skip();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  // The decoder's strings need no escapes beyond a backslash before the
  // next character.
  std::optional<std::string> String() {
    if (!Peek('"')) return std::nullopt;
    std::string s;
    while (at_ < text_.size() && text_[at_] != '"') {
      if (text_[at_] == '\\' && at_ + 1 < text_.size()) ++at_;
      s += text_[at_++];
    }
    if (at_ == text_.size()) return std::nullopt;
    ++at_;
    return s;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

const JsonValue* JsonValue::Find(const std::string& key) const {
  const auto it = Members.find(key);
  return it == Members.end() ? nullptr : &it->second;
}

std::optional<double> JsonValue::NumberAt(const std::string& key) const {
  const JsonValue* v = Find(key);
  return v ? v->Number : std::nullopt;
}

std::optional<std::string> JsonValue::TextAt(const std::string& key) const {
  const JsonValue* v = Find(key);
  return v ? v->Text : std::nullopt;
}

std::optional<JsonValue> ParseJson(std::string_view Text) {
  Reader reader(Text);
  auto value = reader.Value();
  if (!value || !reader.AtEnd()) return std::nullopt;
  return value;
}

std::vector<std::string> ReadLines(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> CaptureNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(VELTROSA_DATA_DIR "/nmea0183")) {
    if (entry.path().extension() == ".log") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace nmea::testing
