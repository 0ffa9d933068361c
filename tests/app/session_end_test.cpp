// The program's end when the session ends under it, as a process of its
// own: this test program runs again as the child, makes and runs the
// program's windows as its entry does, records the DST channel from the
// simulated module, and is ended by a signal or by the desktop session's
// end while it records.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/core/window_system/queue.h"
#include "tests/app/tools_helpers.h"
#include "widetext/codepage.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/standard/combo_box.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kReportFd[] = "VELTROSA_CHILD_REPORT_FD";
constexpr char kReceivedFd[] = "VELTROSA_CHILD_RECEIVED_FD";
constexpr char kRecording[] = "VELTROSA_CHILD_RECORDING";
constexpr char kMode[] = "VELTROSA_CHILD_MODE";

void WriteAll(int Fd, std::string_view Text) {
  while (!Text.empty()) {
    const ssize_t n = ::write(Fd, Text.data(), Text.size());
    if (n <= 0) return;
    Text.remove_prefix(static_cast<std::size_t>(n));
  }
}

// The child: the program as its entry runs it, with the DST channel
// recorded into the parent's file and the temperature unit changed (a
// setting that only the program's end writes). It reports "recording",
// and in the "blocked" mode "closing" when the main window is asked to
// close, where it then stays until the parent's second signal ends it. In
// the "desktop" mode a byte on its standard input stands for the session
// manager telling it to go. Everything the DST link receives goes to the
// parent as it comes.
TEST(SessionEndChild, DISABLED_RunsTheProgramWhileRecording) {
  const char* report = std::getenv(kReportFd);
  const char* received = std::getenv(kReceivedFd);
  const char* recording = std::getenv(kRecording);
  const char* mode = std::getenv(kMode);
  ASSERT_TRUE(report && received && recording && mode);
  const int reportFd = std::atoi(report);
  const int receivedFd = std::atoi(received);
  const std::string how = mode;

  app::CreateProgramWindows();
  app::TMainForm& form = *app::MainForm;
  form.Show();
  platform::Application->ProcessMessages();
  ASSERT_TRUE(form.DstLink->IsOpen());
  nmea::TNMEA2KDecoder& link = *form.DstLink;
  link.SetReceiveEnabled(false);
  link.OnReceive = [receivedFd, shown = link.OnReceive](platform::TObject* Sender, std::string_view Text) {
    WriteAll(receivedFd, Text);
    if (shown) shown(Sender, Text);
  };
  link.SetReceiveEnabled(true);

  form.CmbTempMode->SetItemIndex(1);
  form.CmbTempMode->Click();
  {
    apptest::DialogAnswers answers(true);
    apptest::FileChoices files(recording);
    form.ButOpenDstLog->Click();
  }
  ASSERT_TRUE(link.IsLogging());

  if (how == "blocked") {
    form.OnCloseQuery = [reportFd](platform::TObject*, bool&) {
      WriteAll(reportFd, "closing\n");
      ::poll(nullptr, 0, 20000);
    };
  }
  std::optional<QSocketNotifier> go;
  if (how == "desktop") {
    go.emplace(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&*go, &QSocketNotifier::activated, [&go] {
      go->setEnabled(false);
      QEvent quit(QEvent::Quit);
      QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
    });
  }
  // Said from inside the program's message loop, where the end of the
  // session is watched for.
  platform::RunOnUiThread([reportFd] { WriteAll(reportFd, "recording\n"); });
  // Whatever the run made of the code page, its end puts back the one the
  // program started with.
  const std::uint32_t startCodePage = widetext::DefaultSystemCodePage;
  widetext::DefaultSystemCodePage = 1253;
  const int status = app::RunProgramWindows();
  WriteAll(reportFd, widetext::DefaultSystemCodePage == startCodePage ? "code page back\n" : "code page kept\n");
  std::_Exit(status);
}

// The parent's side: the child process, what it reports, and its end.
class ProgramChild {
 public:
  ProgramChild(const std::filesystem::path& Recording, const std::string& Mode) {
    int report[2], received[2], input[2];
    if (::pipe(report) != 0 || ::pipe(received) != 0 || ::pipe(input) != 0) return;
    // This process's environment (its settings store and the simulator's
    // ports) and what the child is to do.
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.push_back(std::string(kReportFd) + "=" + std::to_string(report[1]));
    env.push_back(std::string(kReceivedFd) + "=" + std::to_string(received[1]));
    env.push_back(std::string(kRecording) + "=" + Recording.string());
    env.push_back(std::string(kMode) + "=" + Mode);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    const char* argv[] = {"/proc/self/exe", "--gtest_filter=SessionEndChild.*", "--gtest_also_run_disabled_tests",
                          nullptr};
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(input[0], STDIN_FILENO);
      ::execve(argv[0], const_cast<char**>(argv), envp.data());
      ::_exit(127);
    }
    ::close(report[1]);
    ::close(received[1]);
    ::close(input[0]);
    reportFd_ = report[0];
    receivedFd_ = received[0];
    inputFd_ = input[1];
    ::fcntl(reportFd_, F_SETFL, O_NONBLOCK);
    ::fcntl(receivedFd_, F_SETFL, O_NONBLOCK);
  }
  ~ProgramChild() {
    if (pid_ > 0 && !status_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    for (const int fd : {reportFd_, receivedFd_, inputFd_}) {
      if (fd >= 0) ::close(fd);
    }
  }
  ProgramChild(const ProgramChild&) = delete;
  ProgramChild& operator=(const ProgramChild&) = delete;

  bool Started() const { return pid_ > 0; }
  void Signal(int Number) const { ::kill(pid_, Number); }
  // The session manager's word, in the desktop mode.
  void TellToGo() const { WriteAll(inputFd_, "x"); }
  // Reads what the child says until Want holds; false at the deadline.
  bool WaitFor(const std::function<bool()>& Want) {
    const auto until = Clock::now() + std::chrono::seconds(30);
    while (!Want()) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
      if (left <= 0) return false;
      pollfd fds[2] = {{reportFd_, POLLIN, 0}, {receivedFd_, POLLIN, 0}};
      ::poll(fds, 2, static_cast<int>(left));
      // Both closed: the child has gone, and says nothing more.
      const bool reportOpen = Drain(reportFd_, Reported);
      const bool receivedOpen = Drain(receivedFd_, Received);
      if (!reportOpen && !receivedOpen) return Want();
    }
    return true;
  }
  bool WaitForReport(std::string_view Line) {
    return WaitFor([&] { return Reported.find(std::string(Line) + "\n") != std::string::npos; });
  }
  // The child's exit status, once it has ended; nothing at the deadline.
  std::optional<int> WaitForEnd() {
    if (status_) return status_;
    const int pidFd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    pollfd fd{pidFd, POLLIN, 0};
    const bool ended = pidFd >= 0 && ::poll(&fd, 1, 30000) == 1;
    if (pidFd >= 0) ::close(pidFd);
    int status = 0;
    if (ended && ::waitpid(pid_, &status, 0) == pid_) status_ = status;
    return status_;
  }

  std::string Reported;
  std::string Received;

 private:
  // False once the child's end of the pipe is closed.
  static bool Drain(int Fd, std::string& Into) {
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(Fd, buffer, sizeof buffer)) > 0) Into.append(buffer, static_cast<std::size_t>(n));
    return n != 0;
  }
  pid_t pid_ = -1;
  int reportFd_ = -1;
  int receivedFd_ = -1;
  int inputFd_ = -1;
  std::optional<int> status_;
};

bool IsWholeSentence(const std::string& Line) {
  static const std::regex sentence(R"([$!][A-Z0-9]+,.*\*[0-9A-F]{2})");
  return std::regex_match(Line, sentence);
}

class SessionEndTest : public apptest::SimulatorAppTest {
 protected:
  std::vector<std::string> SimulatorArguments() const override { return {"--dst-rate", "4"}; }
  void SetUp() override {
    SimulatorAppTest::SetUp();
    // The module sends its data alone: no reply to the program's requests
    // can be under way when the test wants the line quiet.
    Sim().Command("fault ignore-identification on");
    WriteSettings(apptest::PortSettings(Sim().DstPort(), 4800, Sim().GpsPort()));
  }
  std::filesystem::path Recording() const { return Scratch / "dst.txt"; }
};

TEST_F(SessionEndTest, ASigtermWhileRecordingSavesTheSettingsAndEndsTheRecordingWithWholeLines) {
  ProgramChild child(Recording(), "signal");
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.WaitForReport("recording")) << child.Reported;
  const std::size_t from = Sim().Log().size();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(Sim().WaitForLog("dst", "tx", "$SDDBT", Sim().Log().size()));
  // The data stops, and a last sentence follows all of it on the line: once
  // it has arrived the line is quiet.
  for (const char* id : apptest::kModuleSentences) Sim().Command(std::string("sentence ") + id + " off");
  Sim().Command("garbage foreign dst DBT");
  const auto last = Sim().WaitForLog("dst", "tx", "$PXYZ", from);
  ASSERT_TRUE(last);
  ASSERT_TRUE(child.WaitFor([&] { return child.Received.ends_with(last->Text + "\r\n"); })) << child.Received;

  child.Signal(SIGTERM);
  const std::optional<int> status = child.WaitForEnd();
  ASSERT_TRUE(status);
  ASSERT_TRUE(WIFEXITED(*status)) << *status;
  EXPECT_EQ(WEXITSTATUS(*status), 0);
  EXPECT_TRUE(child.WaitForReport("code page back")) << child.Reported;
  EXPECT_EQ(StoredSetting("UnitsTemp"), 1);
  EXPECT_EQ(StoredSetting("DSTComPort"), Sim().DstPort());

  // Everything received while it recorded is in the file, up to the last
  // line, whole.
  const std::string text = apptest::WithMarkersNamed(apptest::FileText(Recording()));
  ASSERT_TRUE(text.starts_with("<START LOG>")) << text;
  const std::string body = text.substr(std::string("<START LOG>").size());
  EXPECT_TRUE(child.Received.ends_with(body));
  ASSERT_TRUE(body.ends_with(last->Text + "\r\n"));
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = body.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(body.substr(at, end - at));
  }
  ASSERT_GE(lines.size(), 10u);
  // The first line may have begun before the recording did.
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_TRUE(IsWholeSentence(lines[i])) << lines[i];
}

TEST_F(SessionEndTest, ASecondSignalWhileTheProgramClosesEndsItAtOnce) {
  ProgramChild child(Recording(), "blocked");
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.WaitForReport("recording")) << child.Reported;
  child.Signal(SIGTERM);
  ASSERT_TRUE(child.WaitForReport("closing")) << child.Reported;
  child.Signal(SIGINT);
  const std::optional<int> status = child.WaitForEnd();
  ASSERT_TRUE(status);
  ASSERT_TRUE(WIFSIGNALED(*status)) << *status;
  EXPECT_EQ(WTERMSIG(*status), SIGINT);
}

TEST_F(SessionEndTest, TheDesktopSessionsEndClosesTheProgramInItsOwnOrder) {
  ProgramChild child(Recording(), "desktop");
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.WaitForReport("recording")) << child.Reported;
  ASSERT_TRUE(Sim().WaitForLog("dst", "tx", "$SDDBT", Sim().Log().size()));
  ASSERT_TRUE(child.WaitFor([&] { return child.Received.ends_with("\r\n"); }));
  child.TellToGo();
  const std::optional<int> status = child.WaitForEnd();
  ASSERT_TRUE(status);
  ASSERT_TRUE(WIFEXITED(*status)) << *status;
  EXPECT_EQ(WEXITSTATUS(*status), 0);
  EXPECT_EQ(StoredSetting("UnitsTemp"), 1);
  EXPECT_TRUE(apptest::WithMarkersNamed(apptest::FileText(Recording())).starts_with("<START LOG>"));
}

}  // namespace
