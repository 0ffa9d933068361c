#pragma once
// Reading the real captures and the other decoder's report of them: the
// JSON objects of its .chk files (numbers, strings, arrays of objects).

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nmea::testing {

struct JsonValue {
  std::optional<double> Number;
  std::optional<std::string> Text;
  std::vector<JsonValue> Items;              // an array
  std::map<std::string, JsonValue> Members;  // an object

  const JsonValue* Find(const std::string& key) const;
  std::optional<double> NumberAt(const std::string& key) const;
  std::optional<std::string> TextAt(const std::string& key) const;
};

// One JSON value; nullopt when the text is not one.
std::optional<JsonValue> ParseJson(std::string_view Text);

// The lines of a file, without line ends.
std::vector<std::string> ReadLines(const std::string& Path);

// The capture files (*.log) of the NMEA 0183 data folder, sorted.
std::vector<std::string> CaptureNames();

}  // namespace nmea::testing
