// Which module answers: the product records the link keeps, judged by
// maker, age, product code and firmware, and the labels they fill; and
// what the window lets the user press for what it knows.

#include <gtest/gtest.h>

#include <string>

#include "support/hashing.h"
#include "tests/app/module_helpers.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/standard/label.h"
#include "widetext/standard/list_box.h"
#include "widetext/standard/static_text.h"

namespace {

class IdentificationTest : public apptest::ModuleTest {
 protected:
  void AddRecord(std::uint32_t Product, std::string Firmware, std::uint32_t Tick, std::string_view Maker = "ARL") {
    nmea::tNMEAProd record;
    record.SourceId = ++Sources;
    record.ManufacturerKey = support::StringHash(Maker);
    record.ProductCode = Product;
    record.SoftwareVersion = std::move(Firmware);
    record.HardwareVersion = "123";
    record.SerialNumber = "123456";
    record.Date = 40238;  // 1 March 2010
    record.Tick = Tick;
    const nmea::TEndpointLock lock = Form->DstLink->Lock();
    Form->DstLink->NMEAData.Products.push_back(record);
  }
  void ClearRecords() {
    const nmea::TEndpointLock lock = Form->DstLink->Lock();
    Form->DstLink->NMEAData.Products.clear();
  }
  std::int32_t IdentifyAt(std::uint32_t Ticks) {
    Form->NowTicks = Ticks;
    return Form->IdentifyDevice();
  }
  std::u16string Name() { return Form->LblModuleName->GetCaption(); }

  std::uint32_t Sources = 0;
};

TEST_F(IdentificationTest, TheModuleIsSupportedFromFirmware3032AndItsLabelsShowIt) {
  const std::uint32_t now = 0x00000400u;
  AddRecord(1, "3031", now);
  EXPECT_EQ(IdentifyAt(now), 2);
  EXPECT_EQ(Form->FirmwareVersion, 3031);
  ClearRecords();
  AddRecord(1, "3032", now);
  EXPECT_EQ(IdentifyAt(now), 1);
  EXPECT_EQ(Name(), u"Zeruziviz DSM-2-C");
  EXPECT_EQ(Form->LblModuleVer->GetCaption(), u"3.032  01/03/2010");
  EXPECT_EQ(Form->LblHardVer->GetCaption(), u"1.23");
  EXPECT_EQ(Form->LblModuleSerial->GetCaption(), u"123456");
  // Firmware that is not a number reads as 0: too old.
  ClearRecords();
  AddRecord(1, "abc", now);
  EXPECT_EQ(IdentifyAt(now), 2);
  EXPECT_EQ(Form->FirmwareVersion, 0);
}

TEST_F(IdentificationTest, TheModuleIsFoundAmongOtherProductsAndOnlyYoungRecordsOfItsMakerCount) {
  const std::uint32_t now = 0x00000400u;
  AddRecord(7, "3042", now);
  AddRecord(1, "3042", now - 100);
  AddRecord(0, "3042", now);
  EXPECT_EQ(IdentifyAt(now), 1);
  EXPECT_EQ(Name(), u"Zeruziviz DSM-2-C");

  ClearRecords();
  AddRecord(11, "3042", now);
  EXPECT_EQ(IdentifyAt(now), 3);
  EXPECT_EQ(Name(), u"Zeruziviz MUX-5");
  // An unknown product is named so, but not taken for anything.
  ClearRecords();
  AddRecord(5, "3042", now);
  EXPECT_EQ(IdentifyAt(now), 0);
  EXPECT_EQ(Name(), u"Unknown Zeruziviz Product");

  ClearRecords();
  AddRecord(1, "3042", now, "GRM");
  EXPECT_EQ(IdentifyAt(now), 0);
  // 10 s old is too old, across the wrap of the counter too; a stamp just
  // ahead of the tick's reading is young.
  ClearRecords();
  AddRecord(1, "3042", now - 10000);
  EXPECT_EQ(IdentifyAt(now), 0);
  ClearRecords();
  AddRecord(1, "3042", now - 9999);
  EXPECT_EQ(IdentifyAt(now), 1);
  ClearRecords();
  AddRecord(1, "3042", now + 40);
  EXPECT_EQ(IdentifyAt(now), 1);
  // A record from 40 days ago is not young because the counter went round.
  ClearRecords();
  AddRecord(1, "3042", now + 0x80000000u);
  EXPECT_EQ(IdentifyAt(now), 0);
}

// The records come in the module's order of answering: an old module
// ends the search, so a later product of the maker neither hides it nor
// takes its labels.
TEST_F(IdentificationTest, AnOldModuleFoundBeforeAnotherProductEndsTheSearchWithItsMessage) {
  using apptest::IdentificationBody;
  ModuleIsAsked();
  ModuleSends(IdentificationBody(1, 3031));
  ModuleSends(IdentificationBody(0, 3042));
  Tick(250);
  EXPECT_EQ(Form->DeviceStatus, 2);
  EXPECT_FALSE(Form->DstReady);
  EXPECT_EQ(Name(), u"Zeruziviz DSM-2-C");
  EXPECT_EQ(Form->LblModuleVer->GetCaption(), u"3.031  01/03/2010");
  EXPECT_EQ(Form->FirmwareVersion, 3031);
  // The status step shows why the module cannot be calibrated.
  Tick(3000);
  EXPECT_TRUE(Form->LblModuleMsg->Visible());
  EXPECT_EQ(Form->LblModuleMsg->GetCaption(), Form->TxtFirmwareOld);
  EXPECT_EQ(Name(), u"Zeruziviz DSM-2-C");
}

// A module that is ready but sends no depth: nothing of the depth offset may
// be pressed, while what its speed allows may.
TEST_F(IdentificationTest, WithoutDepthSentencesTheDepthOffsetStaysDisabled) {
  Identify(3042, "VWVHW,,T,,M,5.00,N,9.26,K");
  // Speed and temperature arrive just before the next status step.
  Now += 2800;
  ModuleSends("VWVHW,,T,,M,5.00,N,9.26,K");
  ModuleSends("YXMTW,20.0,C");
  Tick(250);
  ASSERT_TRUE(Form->SpeedSeen);
  ASSERT_TRUE(Form->TempSeen);
  EXPECT_FALSE(Form->DepthSeen);
  EXPECT_TRUE(Form->ButSetLogCal->Enabled());
  EXPECT_TRUE(Form->ButSetTempOffs->Enabled());
  EXPECT_FALSE(Form->ButDepthSend->Enabled());
  EXPECT_FALSE(Form->EditDptOfs->Enabled());
}

TEST_F(IdentificationTest, TheControlsFollowTheModuleAndWhatItSends) {
  Form->DstReady = true;
  Form->DepthSeen = true;
  Form->UpdateControlStates();
  EXPECT_TRUE(Form->ButDepthSend->Enabled());
  EXPECT_TRUE(Form->EditDptOfs->Enabled());
  EXPECT_TRUE(Form->ButResetLogCal->Enabled());
  EXPECT_FALSE(Form->ButSetLogCal->Enabled());
  EXPECT_FALSE(Form->ButSetTempOffs->Enabled());

  Form->SpeedSeen = true;
  Form->UpdateControlStates();
  EXPECT_TRUE(Form->ButSetLogCal->Enabled());
  EXPECT_TRUE(Form->ButTripLogReset->Enabled());
  EXPECT_FALSE(Form->ButCalcLogVal->Enabled());
  EXPECT_FALSE(Form->ButDelLogVal->Enabled());
  // Samples allow Calculate; only a chosen one allows Delete.
  Form->LogCoeffListBox->GetItems().Add(u"6.0 kn    Coeff. = 1.10");
  Form->LogCoeffListBox->GetItems().Add(u"8.0 kn    Coeff. = 1.20");
  Form->UpdateControlStates();
  EXPECT_TRUE(Form->ButCalcLogVal->Enabled());
  EXPECT_FALSE(Form->ButDelLogVal->Enabled());
  Form->LogCoeffListBox->SetItemIndex(0);
  Form->UpdateControlStates();
  EXPECT_TRUE(Form->ButDelLogVal->Enabled());
  Form->LogCoeffListBox->SetItemIndex(-1);
  Form->UpdateControlStates();
  EXPECT_FALSE(Form->ButDelLogVal->Enabled());

  // Without the module nothing that speaks to it may be pressed; the
  // table calibration of temperature never.
  Form->DstReady = false;
  Form->TempSeen = true;
  Form->UpdateControlStates();
  for (widetext::TxpButton* button :
       {Form->ButDepthSend, Form->ButResetLogCal, Form->ButSetLogCal, Form->ButTripLogReset, Form->ButSetTempOffs,
        Form->ButResetTempOfs, Form->ButSetTempCal, Form->ButCalcTempVal}) {
    EXPECT_FALSE(button->Enabled()) << button->Name();
  }
  EXPECT_TRUE(Form->EditLogCal->Enabled());
}

TEST_F(IdentificationTest, TheModuleLabelsShowTheResultOrItsMessage) {
  Form->TxtNoValue = u"- - -";
  Form->TxtFirmwareOld = u"too old";
  Form->TxtNotSupported = u"not supported";
  Form->DeviceStatus = 2;
  Form->ShowModuleStatus();
  EXPECT_TRUE(Form->LblModuleMsg->Visible());
  EXPECT_EQ(Form->LblModuleMsg->GetCaption(), u"too old");
  Form->DeviceStatus = 3;
  Form->ShowModuleStatus();
  EXPECT_EQ(Form->LblModuleMsg->GetCaption(), u"not supported");
  Form->DeviceStatus = 1;
  Form->ShowModuleStatus();
  EXPECT_FALSE(Form->LblModuleMsg->Visible());
  Form->DeviceStatus = 0;
  Form->ShowModuleStatus();
  EXPECT_FALSE(Form->LblModuleMsg->Visible());
  for (app::TWtxLabel* label : {Form->LblModuleName, Form->LblModuleVer, Form->LblHardVer, Form->LblModuleSerial}) {
    EXPECT_EQ(label->GetCaption(), u"- - -");
  }
}

}  // namespace
