#include "tests/app/tools_helpers.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>

#include "platform/ui/controls/dialogs.h"
#include "support/hashing.h"

namespace apptest {

DialogAnswers::DialogAnswers(bool AAnswer) : Answer(AAnswer) {
  if (!app::DialogForm) {
    made_ = platform::Create<app::TDialogForm>(platform::Application);
    app::DialogForm = made_;
  }
  app::TDialogForm::SetAnswerHandler([this](const std::u16string& Title, const std::u16string& Message, int Mode) {
    Asked.push_back({Title, Message, Mode});
    return Answer;
  });
}

DialogAnswers::~DialogAnswers() {
  app::TDialogForm::SetAnswerHandler({});
  if (made_ && app::DialogForm == made_) {
    platform::Free(app::DialogForm);
    app::DialogForm = nullptr;
  }
}

FileChoices::FileChoices(std::filesystem::path AFile) : File(std::move(AFile)) {
  platform::SetFileChooser([this](platform::TFileChoice& Choice, std::vector<std::u16string>& Files) {
    Asked.push_back(Choice);
    if (File.empty()) return false;
    Files.push_back(File.u16string());
    return true;
  });
}

FileChoices::~FileChoices() { platform::SetFileChooser({}); }

std::string PortSettings(std::int32_t DstPort, std::int32_t DstBaud, std::int32_t GpsPort) {
  char text[320];
  std::snprintf(text, sizeof text,
                "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Morvane\\Veltrosa]\n"
                "\"DSTComPort\"=dword:%08x\n\"DSTBaudRate\"=dword:%08x\n\"GPSComPort\"=dword:%08x\n",
                static_cast<unsigned>(DstPort), static_cast<unsigned>(DstBaud), static_cast<unsigned>(GpsPort));
  return text;
}

bool HasSentence(nmea::TNMEA2KDecoder& Link, std::string_view Talker, std::string_view Id) {
  const auto talker = static_cast<std::uint32_t>(support::StringHashEx(Talker));
  const auto id = static_cast<std::uint32_t>(support::StringHashEx(Id));
  const nmea::TEndpointLock lock = Link.Lock();
  for (const nmea::tNMEATalkerRec& rec : Link.Talkers) {
    if (rec.Key == talker) return std::find(rec.SubKeys.begin(), rec.SubKeys.end(), id) != rec.SubKeys.end();
  }
  return false;
}

std::string FileText(const std::filesystem::path& File) {
  std::ifstream in(File, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string WithMarkersNamed(const std::string& Text) {
  static const std::regex marker(
      "\r\n\r\n\\*{9} {6}(START LOG|POWER SUSPENDED|POWER RESUMED) "
      "\\d{2}/\\d{2}/\\d{4}  \\d{2}:\\d{2}:\\d{2} {6}\\*{9}\r\n\r\n");
  return std::regex_replace(Text, marker, "<$1>");
}

void SimulatorAppTest::SetUp() {
  AppTest::SetUp();
  sim_.emplace(dstsim::DstSimProcess::Options{.Arguments = SimulatorArguments()});
}

void SimulatorAppTest::TearDown() {
  // The links on the simulator's ports close before it ends.
  FreeMainForm();
  sim_.reset();
  AppTest::TearDown();
}

app::TMainForm& SimulatorAppTest::ShowOnSimulator(std::int32_t DstBaud) {
  WriteSettings(PortSettings(sim_->DstPort(), DstBaud, sim_->GpsPort()));
  app::TMainForm& form = MakeMainForm();
  ShowMainForm();
  if (form.DstLink->IsOpen()) WatchDstInput();
  return form;
}

void SimulatorAppTest::WatchDstInput() {
  nmea::TNMEA2KDecoder& link = *Form->DstLink;
  link.SetReceiveEnabled(false);
  link.OnReceive = [this, shown = link.OnReceive](platform::TObject* Sender, std::string_view Text) {
    {
      const std::lock_guard<std::mutex> lock(inputMutex_);
      dstInput_ += Text;
    }
    if (shown) shown(Sender, Text);
  };
  link.SetReceiveEnabled(true);
}

void SimulatorAppTest::QuietenModule() {
  for (const char* id : kModuleSentences) sim_->Command(std::string("sentence ") + id + " off");
  std::size_t from = 0;
  {
    const std::lock_guard<std::mutex> lock(inputMutex_);
    from = dstInput_.size();
  }
  Form->DstLink->SendLine("$PARLRHI,01", true);
  ASSERT_TRUE(PumpUntil([&] {
    const std::lock_guard<std::mutex> lock(inputMutex_);
    const std::size_t answer = dstInput_.find("$PARLIHS", from);
    // The window's own table reads may be answered after it: any whole
    // line last will do.
    return answer != std::string::npos && dstInput_.ends_with("\r\n");
  }));
}

}  // namespace apptest
