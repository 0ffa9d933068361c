#pragma once
// What the program's tests share: a fixture that gives each test its own
// settings store and virtual port folder (through XDG_CONFIG_HOME and
// XDG_RUNTIME_DIR), answers message boxes and file dialogs, and makes,
// shows and frees the main window as the program does; pseudo-terminals
// published as virtual ports; and a loop that handles messages until
// something has happened.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/core/os/pseudo_terminal.h"
#include "tests/support/scoped_env.h"
#include "tests/support/scratch_folder.h"

namespace apptest {

// The items of a list.
std::u16string ItemText(app::TWtxComboBox& List, int Index);
int ItemCount(app::TWtxComboBox& List);

// Handles messages until Want holds; false when a generous deadline passed
// first.
bool PumpUntil(const std::function<bool()>& Want);

// Chooses the port of this number in a port list and clicks it, as the
// user does; false when the list does not hold it.
bool ChoosePort(app::TMainForm& Form, app::TWtxComboBox& List, std::int32_t Number);

// The left mouse button pressed and let go at a point of the control's
// client area (by default its middle), as a user's click arrives: each
// message posted to the window the mouse input reaches and handled before
// the next. A disabled control, or one inside a disabled window, passes it
// to the nearest enabled window around it; while its top-level window is
// disabled nothing takes it.
void ClickWindow(platform::TWinControl& Control, int X = -1, int Y = -1);
// A key pressed and let go on the control, as the keyboard sends it while
// the control has the focus; nothing when the control takes no keys.
void PressKey(platform::TWinControl& Control, platform::WPARAM Key);

// A pseudo-terminal published as a virtual port of the test's folder.
class VirtualPort {
 public:
  explicit VirtualPort(std::string Name);
  std::int32_t Number() const { return number_; }
  void Publish() { pty_.Publish(name_); }
  void Unpublish() { pty_.Unpublish(); }
  void Write(std::string_view Bytes);
  // What the program wrote, once Want bytes came (or the deadline passed).
  std::string Read(std::size_t Want);

 private:
  std::string name_;
  platform::PseudoTerminal pty_;
  std::int32_t number_;
};

class AppTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Makes the main window, then the message dialog, as the program does
  // (the settings are read now).
  app::TMainForm& MakeMainForm();
  // Shows it: the program's work starts.
  void ShowMainForm();
  // Frees both as the program does at its end.
  void FreeMainForm();

  std::string SettingsFile() const;
  // Writes the settings store's text (UTF-8, the export header included).
  void WriteSettings(const std::string& Text) const;
  // The seven settings as the store now holds them, by name.
  std::optional<std::int32_t> StoredSetting(const std::string& Name) const;
  // Sends a port arrival or removal to the main window as the system does.
  void SendPortChange(platform::WPARAM Event, std::uint32_t DeviceType = 3) const;

  support::testing::TScratchFolder Scratch;
  app::TMainForm* Form = nullptr;
  std::vector<std::string> WebAddresses;

 private:
  std::optional<support::testing::TScopedEnv> config_;
  std::optional<support::testing::TScopedEnv> runtime_;
};

}  // namespace apptest
