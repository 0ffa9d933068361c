// ISO acknowledgement, product and configuration information.

#include "nmea/link/endpoint.h"
#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "nmea/nmea2000/n2k_text.h"

namespace nmea {
namespace {

std::string_view ControlText(std::uint8_t control) {
  switch (control) {
    case 0:
      return "OK";
    case 1:
      return "NEGATIVE";
    case 2:
      return "ACCESS DENIED";
    default:
      return "[INVALID]";
  }
}

}  // namespace

void DecodeIsoAcknowledgement(N2kMessage& m) {
  if (!m.WantsLine()) return;
  TN2kFieldStatus status;
  const std::uint32_t requested = N2kUInt24(m.At(5), status);
  std::string line = N2kLine(m.Msg.PGN, "    >>> ISO ACKNOWLEDGEMENT: ");
  line += ControlText(*m.At(0));
  line += "    GROUP:  ";
  line += std::to_string(*m.At(1));
  line += "    REQ PGN:  ";
  line += std::to_string(requested);
  m.Emit(line);
}

void DecodeProductInformation(N2kMessage& m) {
  TN2kFieldStatus versionStatus;
  TN2kFieldStatus codeStatus;
  const std::uint16_t version = N2kWord(m.At(0), versionStatus);
  const std::uint16_t code = N2kWord(m.At(2), codeStatus);
  tNMEAProd product;
  TNMEA2KDecoder::InitProduct(product);
  if (versionStatus == fsValid || codeStatus == fsValid) {
    product.SourceId = m.Msg.Source;
    product.Protocol = m.Self.StreamMode;
    if (versionStatus == fsValid) product.DatabaseVersion = version;
    if (codeStatus == fsValid) product.ProductCode = code;
    const std::span<const std::uint8_t> payload(m.Msg.Data);
    product.ModelId = N2kFixedText(payload, 4, 32);
    product.SoftwareVersion = N2kFixedText(payload, 36, 32);
    product.ModelVersion = N2kFixedText(payload, 68, 32);
    product.SerialNumber = N2kFixedText(payload, 100, 32);
    product.Tick = m.Tick();
    m.Self.AddProduct(product, m.Data.Products);
    m.Updated();
  }
  if (!m.WantsLine()) return;
  std::string line = N2kLine(m.Msg.PGN, "    >>> PRODUCT INFORMATION: ");
  line += "    N2K VER:  ";
  line += std::to_string(version);
  line += "    PROD ID:  ";
  line += std::to_string(code);
  line += "    PROD NAME:  ";
  line += product.ModelId;
  line += "    SOFT VER:  ";
  line += product.SoftwareVersion;
  line += "    MODEL VER:  ";
  line += product.ModelVersion;
  line += "    SERIAL:  ";
  line += product.SerialNumber;
  line += "    N2K ADDRESS:  ";
  line += std::to_string(m.Msg.Source);
  m.Emit(line);
}

void DecodeConfigurationInformation(N2kMessage& m) {
  if (m.WantsLine()) m.Emit(N2kLine(m.Msg.PGN, "    >>> CONFIGURATION INFORMATION "));
}

}  // namespace nmea
