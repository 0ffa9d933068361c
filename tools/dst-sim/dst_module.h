#pragma once
// A simulated DST module: it answers the proprietary commands of the
// calibration program (identification, reading and writing the speed and
// temperature tables, depth offset, trip reset) and streams depth, water
// speed, distance and water temperature sentences. It is strict where the
// protocol is precise: a command in another form than its firmware takes,
// with a number in another format, or with a value out of range is refused
// with the reason, and the program's mistakes show as refusals in the log.
// Its log speed is the paddle wheel's reading corrected by its own speed
// table, so a table the program sends changes what the module reports.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "speed_log.h"

namespace dstsim {

struct DstSettings {
  double DepthMetres = 12.5;
  double SpeedKnots = 6.0;  // true speed through the water
  double WaterTemperature = 18.0;
  double TripMiles = 0.0;
  double TotalMiles = 1234.5;
  double TransducerOffset = 0.0;
  double TemperatureOffset = 0.0;
  std::uint32_t ProductCode = 1;  // 1: the calibratable DST module
  std::uint32_t Firmware = 3042;  // 3042 is version 3.042
  std::uint32_t Hardware = 123;   // 1.23
  std::uint32_t SerialNumber = 123456;
  int FirmwareYear = 2010;
  int FirmwareMonth = 3;
  int FirmwareDay = 1;
  // Offsets out of range are taken at the nearest limit instead of being
  // refused.
  bool ClampOffsets = false;
  // After a delete the module holds no speed table and sends none when
  // asked, instead of returning to the factory table.
  bool ForgetTableOnDelete = false;
};

enum class ReplyKind { None, Identification, SpeedTable, TemperatureTable };

// What the module made of one command.
struct Answer {
  bool Accepted = false;
  // Why it was refused, or what was changed in taking it.
  std::string Note;
  ReplyKind Kind = ReplyKind::None;
  // Sentence bodies, without "$", checksum and line end.
  std::vector<std::string> Replies;
  // Changes of the module's state, in order.
  std::vector<std::string> Events;
};

class DstModule {
 public:
  static constexpr double kMaxTemperatureOffset = 5.0;
  static constexpr double kMaxDepthOffset = 32.76;
  // Firmware from which temperature offsets carry an empty field before the
  // value.
  static constexpr std::uint32_t kNewTemperatureForm = 3042;

  explicit DstModule(DstSettings settings, double logFactor = 0.95);

  // The body of a command whose framing and checksum were right.
  Answer Handle(const std::string& body);
  // Bodies of one round of the module's own sentences; distances advance by
  // the log speed over elapsedSeconds.
  std::vector<std::string> Stream(double elapsedSeconds);

  // The body of the module's identification reply.
  std::string IdentificationBody() const;

  DstSettings& Settings() { return settings_; }
  const DstSettings& Settings() const { return settings_; }
  PaddleWheel& Wheel() { return wheel_; }
  // Nothing while the module holds no table.
  const std::optional<SpeedTable>& Table() const { return table_; }
  void SetTable(const SpeedTable& table) { table_ = table; }
  void ClearTable() { table_.reset(); }
  // The speed the module reports: the paddle wheel's reading times the
  // table's correction at that reading.
  double LogSpeed() const;

 private:
  using Fields = std::vector<std::string>;

  Answer Identify(const Fields& f) const;
  Answer ReadTable(const Fields& f);
  Answer SetCommand(const Fields& f);
  Answer SpeedPointCommand(const Fields& f);
  Answer EndSpeedTable(const Fields& f);
  Answer TemperatureOffset(const Fields& f);
  Answer DepthOffset(const Fields& f);
  Answer TripPreset(const Fields& f);
  // True for an offset within +-limit, or moved to the limit when clamping
  // is on (noted in a); else a becomes the refusal.
  bool InRange(double& value, double limit, int decimals, Answer& a) const;
  void DiscardUpload(Answer& a, const std::string& why);

  DstSettings settings_;
  PaddleWheel wheel_;
  std::optional<SpeedTable> table_;
  SpeedTable pending_{};
  std::array<bool, kSpeedPoints> pendingSet_{};
  bool uploading_ = false;
};

}  // namespace dstsim
