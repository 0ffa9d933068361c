// Which module answers on the DST channel: its identification replies,
// stored by the link as product records, give the model, firmware,
// hardware and serial number labels of the Connection page, and whether
// the program can calibrate it.

#include <cstdint>
#include <string>

#include "app/control_helpers.h"
#include "app/main_form.h"
#include "app/tick_ages.h"
#include "support/conversions.h"
#include "support/date_time.h"
#include "support/formatting.h"
#include "widetext/standard/label.h"

namespace app {
namespace {

// A product record counts only while younger than this.
constexpr std::uint32_t kRecordLifeMs = 10000;
// The DST module calibrates from this firmware on.
constexpr std::int32_t kOldestFirmware = 3032;
constexpr std::uint32_t kDstModuleCode = 1;

struct ProductModel {
  std::uint32_t Code;
  const char16_t* Name;
};

// The maker's products other than the DST module, which the program cannot
// calibrate.
constexpr ProductModel kOtherProducts[] = {
    {0, u"Zeruziviz MUX-2"}, {3, u"Zeruziviz MUX-3"},  {4, u"Zeruziviz SWX-1"},
    {7, u"Zeruziviz GWX-1"}, {10, u"Zeruziviz MUX-4"}, {11, u"Zeruziviz MUX-5"},
};

// The low 32 bits of a decimal text, as the module's numbers are kept.
std::int32_t DecimalValue(std::string_view Text) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(support::SafeStrToInt64(Text)));
}

}  // namespace

// Looks through the young records of the module's maker, in order, until a
// DST module is found; the labels show the last record looked at. The
// module message is left to the status step, which shows it steadily.
std::int32_t TMainForm::IdentifyDevice() {
  std::int32_t result = 0;
  if (!DstLink || !DstLink->IsOpen()) return result;
  nmea::tNmeaProdArray products;
  {
    const nmea::TEndpointLock lock = DstLink->Lock();
    products = DstLink->NMEAData.Products;
  }
  const auto now = static_cast<std::uint32_t>(NowTicks);
  for (const nmea::tNMEAProd& product : products) {
    if (product.ManufacturerKey != ArlKey || !IsFresh(now, product.Tick, kRecordLifeMs)) continue;
    FirmwareVersion = DecimalValue(product.SoftwareVersion);
    LblModuleVer->SetCaption(FromUtf8(support::FloatToStrFixed(FirmwareVersion / 1000.0, 1, 3) + "  " +
                                      support::FormatDateTimeText(product.Date, false, false, " ", false)));
    if (product.ProductCode == kDstModuleCode) {
      LblModuleName->SetCaption(u"Zeruziviz DSM-2-C");
      result = FirmwareVersion >= kOldestFirmware ? 1 : 2;
    } else {
      LblModuleName->SetCaption(u"Unknown Zeruziviz Product");
      for (const ProductModel& model : kOtherProducts) {
        if (model.Code != product.ProductCode) continue;
        LblModuleName->SetCaption(model.Name);
        result = 3;
      }
    }
    LblHardVer->SetCaption(FromUtf8(support::FloatToStrFixed(DecimalValue(product.HardwareVersion) / 100.0, 1, 2)));
    LblModuleSerial->SetCaption(FromUtf8(product.SerialNumber));
    if (result == 1 || result == 2) break;
  }
  return result;
}

}  // namespace app
