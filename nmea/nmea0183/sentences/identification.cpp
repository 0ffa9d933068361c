// ARLIHS: the module's identification reply; a complete reply files or
// refreshes the module's product record.

#include <string>

#include "nmea/link/endpoint.h"
#include "nmea/nmea0183/sentence_handlers.h"
#include "support/hashing.h"

namespace nmea {
namespace {

// Device class by product code; unknown codes have class 0.
std::uint16_t ClassOfProduct(std::uint32_t ProductCode) {
  switch (ProductCode) {
    case 0:
    case 3:
    case 10:
    case 11:
      return 100;
    case 1:
      return 102;
    case 4:
      return 101;
    case 7:
      return 105;
    default:
      return 0;
  }
}

}  // namespace

void HandleARLIHS(TSentenceContext& Ctx) {
  // $PARLIHS,hhhhhhhh,c--c,x,c--c,c--c,c--c,hhhh,hhhhhhhh,c--c,hh*hh
  const TSentenceFields& f = Ctx.Fields;
  tNMEAProd product;
  TNMEA2KDecoder::InitProduct(product);
  if (f.Filled(1)) product.SerialNumber = std::to_string(Ctx.HexCardinal(1));
  if (f.Filled(3)) {
    product.ProductCode = static_cast<std::uint32_t>(Ctx.Int(3));
    product.ManufacturerKey = support::StringHash(Ctx.Manufacturer);
    product.ClassCode = ClassOfProduct(product.ProductCode);
    product.SourceId = Ctx.Self.PortId;
    product.Protocol = Ctx.Self.StreamMode;
    product.DatabaseVersion = 301;
    Ctx.Touch();
  }
  if (f.Filled(7)) product.SoftwareVersion = std::to_string(Ctx.HexWord(7));
  if (f.Filled(8)) product.Date = static_cast<double>(Ctx.HexCardinal(8));
  if (f.Filled(10)) {
    product.HardwareVersion = std::to_string(Ctx.HexByte(10));
    product.Tick = Ctx.Tick;
    Ctx.Self.AddProduct(product, Ctx.Data.Products);
  }
}

}  // namespace nmea
