#include "tests/app/app_helpers.h"

#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "app/dialog_form.h"
#include "platform/core/os/registry.h"
#include "platform/core/os/serial_ports.h"
#include "platform/core/os/ui_language.h"
#include "platform/core/window_system/input_target.h"
#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/controls/dialogs.h"
#include "widetext/controls/wide_application.h"
#include "widetext/standard/combo_box.h"

namespace apptest {

std::u16string ItemText(app::TWtxComboBox& List, int Index) { return List.GetItems().Get(Index); }

int ItemCount(app::TWtxComboBox& List) { return List.GetItems().Count(); }

bool PumpUntil(const std::function<bool()>& Want) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!Want()) {
    if (std::chrono::steady_clock::now() > until) return false;
    platform::WaitMessage(20);
    platform::Application->ProcessMessages();
  }
  return true;
}

bool ChoosePort(app::TMainForm& Form, app::TWtxComboBox& List, std::int32_t Number) {
  const auto& numbers = Form.PortNumbers;
  const auto it = std::find(numbers.begin(), numbers.end(), Number);
  if (it == numbers.end()) return false;
  List.SetItemIndex(static_cast<int>(it - numbers.begin()) + 1);
  List.Click();
  return true;
}

void ClickWindow(platform::TWinControl& Control, int X, int Y) {
  if (X < 0) X = Control.ClientWidth() / 2;
  if (Y < 0) Y = Control.ClientHeight() / 2;
  const platform::HWND aimed = Control.Handle();
  const platform::HWND target = platform::MouseInputWindow(aimed);
  if (!target) return;
  platform::POINT at{X, Y};
  platform::ClientToScreen(aimed, &at);
  platform::ScreenToClient(target, &at);
  const platform::LPARAM where =
      platform::MAKELPARAM(static_cast<platform::WORD>(at.x), static_cast<platform::WORD>(at.y));
  platform::PostMessageW(target, platform::WM_LBUTTONDOWN, platform::MK_LBUTTON, where);
  platform::Application->ProcessMessages();
  platform::PostMessageW(target, platform::WM_LBUTTONUP, 0, where);
  platform::Application->ProcessMessages();
}

void PressKey(platform::TWinControl& Control, platform::WPARAM Key) {
  const platform::HWND window = Control.Handle();
  if (!platform::TakesKeyboardInput(window)) return;
  platform::PostMessageW(window, platform::WM_KEYDOWN, Key, 1);
  platform::Application->ProcessMessages();
  platform::PostMessageW(window, platform::WM_KEYUP, Key, static_cast<platform::LPARAM>(0xC0000001u));
  platform::Application->ProcessMessages();
}

VirtualPort::VirtualPort(std::string Name) : name_(std::move(Name)), number_(platform::SerialPortNumber(name_, true)) {
  pty_.Publish(name_);
}

void VirtualPort::Write(std::string_view Bytes) {
  std::size_t done = 0;
  while (done < Bytes.size()) {
    const ssize_t n = ::write(pty_.MasterFd(), Bytes.data() + done, Bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else {
      pollfd p{pty_.MasterFd(), POLLOUT, 0};
      ::poll(&p, 1, 50);
    }
  }
}

std::string VirtualPort::Read(std::size_t Want) {
  std::string got;
  PumpUntil([&] {
    char buffer[512];
    const ssize_t n = ::read(pty_.MasterFd(), buffer, sizeof buffer);
    if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
    return got.size() >= Want;
  });
  return got;
}

void AppTest::SetUpTestSuite() {
  platform::InitializeApplication();
  widetext::WtxApplication();
}

void AppTest::SetUp() {
  std::filesystem::create_directories(Scratch / "runtime");
  std::filesystem::permissions(Scratch / "runtime", std::filesystem::perms::owner_all);
  config_.emplace("XDG_CONFIG_HOME", (Scratch / "config").string());
  runtime_.emplace("XDG_RUNTIME_DIR", (Scratch / "runtime").string());
  platform::SetMessageBoxHandler(
      [](const std::u16string&, const std::u16string&, platform::UINT) { return platform::IDOK; });
}

void AppTest::TearDown() {
  FreeMainForm();
  platform::SetThreadUILanguage(0);
  platform::SetMessageBoxHandler({});
  platform::SetFileChooser({});
  app::TDialogForm::SetAnswerHandler({});
  runtime_.reset();
  config_.reset();
}

app::TMainForm& AppTest::MakeMainForm() {
  Form = platform::Create<app::TMainForm>(platform::Application);
  platform::Application->SetMainForm(Form);
  Form->OpenWebAddress = [this](platform::HWND, std::string_view Address) { WebAddresses.emplace_back(Address); };
  app::DialogForm = platform::Create<app::TDialogForm>(platform::Application);
  return *Form;
}

void AppTest::ShowMainForm() {
  Form->Show();
  platform::Application->ProcessMessages();
}

void AppTest::FreeMainForm() {
  if (!Form) return;
  platform::Free(app::DialogForm);
  app::DialogForm = nullptr;
  platform::Free(Form);
  Form = nullptr;
  platform::Application->SetMainForm(nullptr);
  platform::Application->ProcessMessages();
}

std::string AppTest::SettingsFile() const { return (Scratch / "config" / "veltrosa" / "registry.reg").string(); }

void AppTest::WriteSettings(const std::string& Text) const {
  std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
  std::ofstream(SettingsFile(), std::ios::binary) << Text;
}

std::optional<std::int32_t> AppTest::StoredSetting(const std::string& Name) const {
  platform::TRegistry registry(SettingsFile());
  if (!registry.OpenKeyReadOnly(app::kSettingsKey)) return std::nullopt;
  try {
    return registry.ReadInteger(Name);
  } catch (const platform::ERegistryException&) {
    return std::nullopt;
  }
}

void AppTest::SendPortChange(platform::WPARAM Event, std::uint32_t DeviceType) const {
  platform::DEV_BROADCAST_PORT port;
  port.hdr.dbch_size = sizeof port;
  port.hdr.dbch_devicetype = DeviceType;
  platform::SendMessageA(Form->Handle(), platform::WM_DEVICECHANGE, Event, reinterpret_cast<platform::LPARAM>(&port));
}

}  // namespace apptest
