#pragma once
// What the tests of the Tools page and the language share: the message
// dialog answering in place of the user, file dialogs that choose a given
// file, recordings read back with their markers made readable, and a
// fixture that runs the program against the simulated module.

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog_form.h"
#include "client/dst_sim_client.h"
#include "platform/ui/controls/dialogs.h"
#include "tests/app/app_helpers.h"
#include "tests/app/module_helpers.h"

namespace apptest {

// Answers every question of the message dialog with Answer, keeping the
// questions asked; makes the dialog when the window came without one.
class DialogAnswers {
 public:
  explicit DialogAnswers(bool Answer);
  ~DialogAnswers();
  DialogAnswers(const DialogAnswers&) = delete;
  DialogAnswers& operator=(const DialogAnswers&) = delete;

  bool Answer;
  struct Question {
    std::u16string Title;
    std::u16string Message;
    int Mode = 0;
  };
  std::vector<Question> Asked;

 private:
  app::TDialogForm* made_ = nullptr;
};

// The file dialogs choose File from now on (nothing when it is empty: the
// user cancels), keeping what each was asked.
class FileChoices {
 public:
  explicit FileChoices(std::filesystem::path File);
  ~FileChoices();
  FileChoices(const FileChoices&) = delete;
  FileChoices& operator=(const FileChoices&) = delete;

  std::filesystem::path File;
  std::vector<platform::TFileChoice> Asked;
};

// The settings store's text with the two channels saved on these ports
// (0: none) and the DST channel at DstBaud.
std::string PortSettings(std::int32_t DstPort, std::int32_t DstBaud, std::int32_t GpsPort);

// The link's statistics hold Talker's sentence Id (read under its lock).
bool HasSentence(nmea::TNMEA2KDecoder& Link, std::string_view Talker, std::string_view Id);

std::string FileText(const std::filesystem::path& File);
// The recording's text with each start and power marker, checked for its
// frame and stamp, replaced by "<START LOG>", "<POWER SUSPENDED>" or
// "<POWER RESUMED>".
std::string WithMarkersNamed(const std::string& Text);

// The program against dst-sim: while the simulator runs, the runtime folder
// (and so the virtual ports the program finds) is the simulator's, and the
// window is shown with its DST and GPS channels saved on its ports.
class SimulatorAppTest : public AppTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The simulator's options; called before it starts.
  virtual std::vector<std::string> SimulatorArguments() const { return {}; }
  app::TMainForm& ShowOnSimulator(std::int32_t DstBaud = 38400);
  dstsim::DstSimProcess& Sim() { return *sim_; }
  // Nothing from now on but what the test asks of the module: its data
  // sentences go off, and the whole answer to an identification request,
  // which the module sends after everything it queued before, has arrived.
  void QuietenModule();

 private:
  // What the DST link received, chunk by chunk, beside the window's own
  // handling of it.
  void WatchDstInput();
  std::optional<dstsim::DstSimProcess> sim_;
  std::mutex inputMutex_;
  std::string dstInput_;
};

// The module's data sentences, which dst-sim switches one by one.
inline constexpr const char* kModuleSentences[] = {"DBT", "DPT", "VHW", "VLW", "MTW"};

}  // namespace apptest
