#include "nmea/nmea2000/n2k_decoder.h"

#include "nmea/link/endpoint.h"
#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "support/arrays.h"
#include "support/formatting.h"

namespace nmea {
namespace {

std::string RawLine(const TNmea2KMsg& Msg) {
  std::string line = std::to_string(Msg.PGN);
  line += ' ';
  line += std::to_string(Msg.Source);
  line += " [ ";
  line += support::BytesToHex(Msg.Data, " ");
  line += " ]";
  return line;
}

}  // namespace

void DecodePGN(TNMEA2KDecoder& Self, const TNmea2KMsg& Msg, tNMEAData& Data) {
  if (Self.OnRawMessage) Self.OnRawMessage(&Self, RawLine(Msg));
  if (Self.CollectStatistics) Self.AddSourcePGN(Msg.Source, Msg.PGN);
  if (!Self.SkipKeys.empty() && support::BinarySearchCardinal(Self.SkipKeys, Msg.PGN) >= 0) return;
  const N2kPgnEntry* entry = FindN2kPgn(Msg.PGN);
  if (!entry) {
    if (Self.OnMessage) Self.OnMessage(&Self, std::to_string(Msg.PGN));
    return;
  }
  if (Msg.Data.size() < entry->MinLength) return;
  N2kMessage message(Self, Msg, Data);
  entry->Decode(message);
}

}  // namespace nmea
