// ISO acknowledgement, product and configuration information.

#include "nmea/link/endpoint.h"
#include "nmea/nmea2000/n2k_message.h"
#include "nmea/nmea2000/n2k_pgns.h"
#include "nmea/nmea2000/n2k_text.h"

namespace nmea {
namespace {

std::string_view ControlText(std::uint8_t Control) {
  switch (Control) {
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

void DecodeIsoAcknowledgement(N2kMessage& M) {
  if (!M.WantsLine()) return;
  TN2kFieldStatus status;
  const std::uint32_t requested = N2kUInt24(M.At(5), status);
  std::string line = N2kLine(M.Msg.PGN, "    >>> ISO ACKNOWLEDGEMENT: ");
  line += ControlText(*M.At(0));
  line += "    GROUP:  ";
  line += std::to_string(*M.At(1));
  line += "    REQ PGN:  ";
  line += std::to_string(requested);
  M.Emit(line);
}

void DecodeProductInformation(N2kMessage& M) {
  TN2kFieldStatus versionStatus;
  TN2kFieldStatus codeStatus;
  const std::uint16_t version = N2kWord(M.At(0), versionStatus);
  const std::uint16_t code = N2kWord(M.At(2), codeStatus);
  tNMEAProd product;
  TNMEA2KDecoder::InitProduct(product);
  if (versionStatus == fsValid || codeStatus == fsValid) {
    product.SourceId = M.Msg.Source;
    product.Protocol = M.Self.StreamMode;
    if (versionStatus == fsValid) product.DatabaseVersion = version;
    if (codeStatus == fsValid) product.ProductCode = code;
    const std::span<const std::uint8_t> payload(M.Msg.Data);
    product.ModelId = N2kFixedText(payload, 4, 32);
    product.SoftwareVersion = N2kFixedText(payload, 36, 32);
    product.ModelVersion = N2kFixedText(payload, 68, 32);
    product.SerialNumber = N2kFixedText(payload, 100, 32);
    product.Tick = M.Tick();
    M.Self.AddProduct(product, M.Data.Products);
    M.Updated();
  }
  if (!M.WantsLine()) return;
  std::string line = N2kLine(M.Msg.PGN, "    >>> PRODUCT INFORMATION: ");
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
  line += std::to_string(M.Msg.Source);
  M.Emit(line);
}

void DecodeConfigurationInformation(N2kMessage& M) {
  if (M.WantsLine()) M.Emit(N2kLine(M.Msg.PGN, "    >>> CONFIGURATION INFORMATION "));
}

}  // namespace nmea
