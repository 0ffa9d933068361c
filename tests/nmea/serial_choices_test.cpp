#include <gtest/gtest.h>

#include "nmea/serial/serial_port.h"

namespace {

// The names a settings dialog offers stand for the settings the port opens
// with: a parity name for its letter in the settings text, and every flow
// name, and nothing beyond them, for an index the line settings are built
// from. Only "None" and "Software" open a port: the hardware flows ask for a
// DTR handshake, which the line driver refuses.
TEST(SerialChoices, NamesMatchTheSettingsTheirIndexesGive) {
  for (std::size_t i = 0; i < nmea::kParityNames.size(); ++i) {
    const std::optional<std::string> text = nmea::BuildSettingsText(4800, static_cast<int>(i), 0, 0);
    ASSERT_TRUE(text) << nmea::kParityNames[i];
    EXPECT_EQ(text->at(text->find("parity=") + 7), nmea::kParityNames[i][0]);
  }
  EXPECT_FALSE(nmea::BuildSettingsText(4800, static_cast<int>(nmea::kParityNames.size()), 0, 0));

  for (std::size_t i = 0; i <= nmea::kFlowNames.size(); ++i) {
    nmea::TSComPort port;
    port.SetBaud(4800);
    port.SetFlowIndex(static_cast<int>(i));
    port.Open();  // port 0: the settings are checked, nothing is opened
    EXPECT_EQ(port.LastError().empty(), i < nmea::kFlowNames.size()) << i << ": " << port.LastError();
  }
}

}  // namespace
