// Connection: the two channels' ports, rates and lamps on the left, the
// connected module on the right, the language, and the program's name,
// version and web sites at the foot.

#include "app/layout/layout_helpers.h"

namespace app::layout {
namespace {

// A label for a value: bold, fixed width, so its text may change freely.
TWtxLabel* Value(TMainForm& Form, std::string_view Name, int Left, int Top) {
  TWtxLabel* label = TextBlock(Form, Form.PaConnect, Name, Left, Top, 132, 18, u"- - -");
  label->SetWordWrap(false);
  label->Font().SetStyle(platform::fsBold);
  return label;
}

}  // namespace

void BuildConnectionPage(TMainForm& Form) {
  platform::TWinControl* page = Form.PaConnect;
  const int listTop = kMargin + 18;
  Form.LblDstPort = Caption(Form, page, "LblDstPort", kMargin, kMargin, u"DST Connection Port");
  Form.CmbDstPort = DropDown(Form, page, "CmbDstPort", kMargin, listTop, 250);
  Form.CmbDstBaud = DropDown(Form, page, "CmbDstBaud", 272, listTop, 84);
  Form.LedDst = Lamp(Form, page, "LedDst", 366, listTop + 6, 42);
  Form.LblGPSPort = Caption(Form, page, "LblGPSPort", kMargin, 72, u"GPS Connection Port");
  Form.CmbGPSPort = DropDown(Form, page, "CmbGPSPort", kMargin, 90, 250);
  Form.CmbGPSBaud = DropDown(Form, page, "CmbGPSBaud", 272, 90, 84);
  Form.LedGPS = Lamp(Form, page, "LedGPS", 366, 96, 42);
  Form.LblGPSWarn = TextBlock(Form, page, "LblGPSWarn", kMargin, 122, 394, 34,
                              u"GPS Connection is useful during speed log calibration.");
  Form.LblGPSWarn->Font().SetColor(platform::clGray);
  Form.LblLanguage = Caption(Form, page, "LblLanguage", kMargin, 170, u"Language");
  Form.CmbLanguage = DropDown(Form, page, "CmbLanguage", kMargin, 188, 150, {u"English", u"Italiano"});

  // The module that answers on the DST channel.
  Frame(Form, page, 430, kMargin, 294, 170);
  const int captionLeft = 444;
  const int valueLeft = 584;
  Form.LblConnModel = Caption(Form, page, "LblConnModel", captionLeft, 28, u"Connected Model");
  Form.LblModuleName = Value(Form, "LblModuleName", valueLeft, 28);
  Form.LblFirmVer = Caption(Form, page, "LblFirmVer", captionLeft, 54, u"Firmware Version");
  Form.LblModuleVer = Value(Form, "LblModuleVer", valueLeft, 54);
  Form.LblHardwVer = Caption(Form, page, "LblHardwVer", captionLeft, 80, u"Hardware Version");
  Form.LblHardVer = Value(Form, "LblHardVer", valueLeft, 80);
  Form.LblSerNumber = Caption(Form, page, "LblSerNumber", captionLeft, 106, u"Serial Number");
  Form.LblModuleSerial = Value(Form, "LblModuleSerial", valueLeft, 106);
  Form.LblModuleMsg = TextBlock(Form, page, "LblModuleMsg", captionLeft, 132, 272, 46, u"");
  Form.LblModuleMsg->Font().SetColor(platform::clRed);
  Form.LblModuleMsg->Font().SetStyle(platform::fsBold);

  // The program itself.
  Frame(Form, page, kMargin, 236, 710, 2);
  Form.LblProgName = Caption(Form, page, "LblProgName", kMargin, 248, u"Veltrosa");
  Form.LblProgName->Font().SetHeight(-22);
  Form.LblProgName->Font().SetStyle(platform::fsBold);
  Form.LblProgName->Font().SetColor(platform::clNavy);
  Form.LblVersion = Caption(Form, page, "LblVersion", kMargin, 280, u"Version");
  Form.LblDevelLink = Caption(Form, page, "LblDevelLink", kMargin, 310, u"");
  Form.LblVendorLink = TextBlock(Form, page, "LblVendorLink", 380, 310, 344, 18, u"");
  Form.LblVendorLink->SetAlignment(platform::taRightJustify);
  for (TWtxLabel* link : {Form.LblDevelLink, Form.LblVendorLink}) {
    link->Font().SetColor(platform::clNavy);
    link->Font().SetStyle(platform::fsBold | platform::fsItalic);
    link->SetCursor(platform::crHandPoint);
  }
}

}  // namespace app::layout
