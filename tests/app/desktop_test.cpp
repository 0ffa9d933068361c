// The program on a real display with a window manager, against the
// simulated module, as the user meets it: the monitors follow what
// arrives, the recording question stays on top and keeps the main window
// from taking clicks, and the file chooser speaks Italian in an Italian
// program. ctest runs these under Xvfb with openbox; elsewhere (the
// headless runs) they are skipped.

#include <gtest/gtest.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTextBlock>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "platform/core/os/modules.h"
#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/queue.h"
#include "platform/ui/controls/dialogs.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/app/tools_helpers.h"
#include "widetext/controls/page_control.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/memo.h"

namespace {

using apptest::PumpUntil;

std::string CommandOutput(const std::string& Command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen((Command + " 2>/dev/null").c_str(), "r"), ::pclose);
  std::string text;
  char buffer[512];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) text += buffer;
  return text;
}

// The clients the window manager looks after, bottom to top.
std::vector<unsigned long> Stacking() {
  const std::string text = CommandOutput("xprop -root _NET_CLIENT_LIST_STACKING");
  std::vector<unsigned long> ids;
  static const std::regex id("0x[0-9a-f]+");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), id); it != std::sregex_iterator(); ++it) {
    ids.push_back(std::stoul(it->str(), nullptr, 16));
  }
  return ids;
}

int StackPosition(unsigned long Window) {
  const std::vector<unsigned long> ids = Stacking();
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (ids[i] == Window) return static_cast<int>(i);
  }
  return -1;
}

unsigned long WindowId(platform::HWND hWnd) { return platform::ui::WidgetOf(hWnd)->winId(); }

// Beside the test program, wherever it runs from.
QString BesideTheProgram(const char* Name) {
  return QString::fromStdString((std::filesystem::path(platform::ProgramFileName()).parent_path() / Name).string());
}

// Counts the pointer button releases the display sends each window of this
// program, whatever Qt then does with them.
class ReleaseCounter : public QAbstractNativeEventFilter {
 public:
  ReleaseCounter() { QCoreApplication::instance()->installNativeEventFilter(this); }
  ~ReleaseCounter() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
  bool nativeEventFilter(const QByteArray& Type, void* Message, qintptr*) override {
    if (Type != "xcb_generic_event_t") return false;
    // A core release names its window after type, button, sequence, time
    // and root; Qt takes the pointer through the input extension, whose
    // release (event type 5 of a generic event) names it further on.
    constexpr unsigned char kButtonRelease = 5;
    constexpr unsigned char kGenericEvent = 35;
    const auto* event = static_cast<const unsigned char*>(Message);
    std::size_t windowAt = 0;
    if ((event[0] & 0x7F) == kButtonRelease) windowAt = 12;
    std::uint16_t extensionType = 0;
    std::memcpy(&extensionType, event + 8, sizeof extensionType);
    if ((event[0] & 0x7F) == kGenericEvent && extensionType == kButtonRelease) windowAt = 24;
    if (windowAt == 0) return false;
    std::uint32_t window = 0;
    std::memcpy(&window, event + windowAt, sizeof window);
    ++releases_[window];
    return false;
  }
  int On(unsigned long Window) const {
    const auto it = releases_.find(static_cast<std::uint32_t>(Window));
    return it == releases_.end() ? 0 : it->second;
  }

 private:
  std::map<std::uint32_t, int> releases_;
};

class DesktopTest : public apptest::SimulatorAppTest {
 protected:
  // Qt's file dialog keeps its state in a settings store of Qt's own, found
  // once for the whole process: beside the test program, not in the first
  // test's folder, which goes with that test.
  static void SetUpTestSuite() {
    SimulatorAppTest::SetUpTestSuite();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, BesideTheProgram("qt-settings"));
  }
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        CommandOutput("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") == std::string::npos) {
      GTEST_SKIP() << "needs a real display with a window manager";
    }
    SimulatorAppTest::SetUp();
  }
  void TearDown() override {
    platform::Application->OnMessage = {};
    platform::Application->OnIdle = {};
    if (!IsSkipped()) SimulatorAppTest::TearDown();
  }
  std::vector<std::string> SimulatorArguments() const override { return {"--dst-rate", "24"}; }

  // The window shown and looked after by the window manager.
  app::TMainForm& ShowManaged() {
    app::TMainForm& form = ShowOnSimulator();
    EXPECT_TRUE(PumpUntil([&] { return StackPosition(WindowId(form.Handle())) >= 0; }));
    return form;
  }
  // A click where the user clicks, on the display, then one on a blank
  // spot of Witness (a window that takes clicks): once this program has
  // the second, the display and the window manager have dealt with the
  // first, whether or not it reached the program.
  void Click(platform::HWND Window, platform::TPoint At, platform::HWND Witness) {
    const unsigned long witness = WindowId(Witness);
    const int before = Counter.On(witness);
    CommandOutput("xdotool mousemove --window " + std::to_string(WindowId(Window)) + " " + std::to_string(At.X) + " " +
                  std::to_string(At.Y) + " click 1");
    CommandOutput("xdotool mousemove --window " + std::to_string(witness) + " 2 2 click 1");
    EXPECT_TRUE(PumpUntil([&] { return Counter.On(witness) > before; }));
    platform::Application->ProcessMessages();
  }
  // The middle of a control, in its form's client coordinates.
  static platform::TPoint Middle(platform::TControl& Control, platform::TControl& Form) {
    const platform::TPoint c = Control.ClientToScreen({Control.Width() / 2, Control.Height() / 2});
    const platform::TPoint origin = Form.ClientToScreen({0, 0});
    return {c.X - origin.X, c.Y - origin.Y};
  }

  ReleaseCounter Counter;
};

TEST_F(DesktopTest, TheMonitorShowsItsNewestLineAfter500Lines) {
  app::TMainForm& form = ShowManaged();
  // The reader thread counts until the window goes, after the test's body.
  const auto lines = std::make_shared<std::atomic<int>>(0);
  nmea::TNMEA2KDecoder& link = *form.DstLink;
  link.SetReceiveEnabled(false);
  link.OnReceive = [lines, shown = link.OnReceive](platform::TObject* Sender, std::string_view Text) {
    *lines += static_cast<int>(std::count(Text.begin(), Text.end(), '\n'));
    if (shown) shown(Sender, Text);
  };
  link.SetReceiveEnabled(true);
  auto* edit = qobject_cast<QPlainTextEdit*>(platform::ui::WidgetOf(form.MemoDST->Handle()));
  ASSERT_NE(edit, nullptr);
  // Past 500 lines, and (the monitor starts again empty after 300) with
  // many more lines in the monitor than it shows.
  ASSERT_TRUE(PumpUntil([&] { return *lines >= 500 && edit->document()->blockCount() >= 60; }));
  QTextBlock newest = edit->document()->lastBlock();
  while (newest.isValid() && newest.text().isEmpty()) newest = newest.previous();
  ASSERT_TRUE(newest.isValid());
  EXPECT_TRUE(newest.text().startsWith(u'$')) << newest.text().toStdString();
  const QRect shown = edit->cursorRect(QTextCursor(newest));
  EXPECT_TRUE(edit->viewport()->rect().contains(shown.center()));
  EXPECT_GT(platform::SendMessageW(form.MemoDST->Handle(), platform::EM_GETFIRSTVISIBLELINE, 0, 0), 40);
  EXPECT_TRUE(platform::ui::SaveWindowImage(form.Handle(), "monitor_newest_line.png"));
}

TEST_F(DesktopTest, AClickOnTheMainWindowWhileTheRecordingQuestionIsOpenChangesNothing) {
  app::TMainForm& form = ShowManaged();
  form.TabPag->SetActivePage(form.PaTools);
  platform::Application->ProcessMessages();
  int messageBoxes = 0;
  platform::SetMessageBoxHandler([&](const std::u16string&, const std::u16string&, platform::UINT) {
    ++messageBoxes;
    return platform::IDOK;
  });
  apptest::FileChoices files(Scratch / "dst.txt");
  app::TDialogForm& dialog = *app::DialogForm;
  bool asked = false;

  // Inside the question's own message loop, once it is on the screen.
  const auto whileAsked = [&] {
    const unsigned long main = WindowId(form.Handle());
    const unsigned long question = WindowId(dialog.Handle());
    ASSERT_TRUE(PumpUntil([&] { return StackPosition(question) > StackPosition(main); }));
    // Transient for the main window and modal, for the window manager.
    const std::string hints =
        CommandOutput("xprop -id " + std::to_string(question) + " WM_TRANSIENT_FOR _NET_WM_STATE");
    EXPECT_NE(hints.find("_NET_WM_STATE_MODAL"), std::string::npos) << hints;
    EXPECT_NE(hints.find(QStringLiteral("window id # 0x%1").arg(main, 0, 16).toStdString()), std::string::npos)
        << hints;

    // The Connection tab, and the button that asked, where the question
    // leaves them uncovered.
    platform::RECT tab{};
    platform::SendMessageW(form.TabPag->Handle(), platform::TCM_GETITEMRECT, 0,
                           reinterpret_cast<platform::LPARAM>(&tab));
    const platform::TPoint pageOrigin = Middle(*form.TabPag, form);
    const int mainReleases = Counter.On(main);
    Click(form.Handle(),
          {pageOrigin.X - form.TabPag->Width() / 2 + (tab.left + tab.right) / 2,
           pageOrigin.Y - form.TabPag->Height() / 2 + (tab.top + tab.bottom) / 2},
          dialog.Handle());
    const platform::TPoint button = Middle(*form.ButOpenDstLog, form);
    const platform::TRect covered = dialog.BoundsRect();
    const platform::TPoint formOrigin = form.ClientToScreen({0, 0});
    const bool buttonCovered = button.X + formOrigin.X >= covered.left && button.X + formOrigin.X < covered.right &&
                               button.Y + formOrigin.Y >= covered.top && button.Y + formOrigin.Y < covered.bottom;
    if (!buttonCovered) Click(form.Handle(), button, dialog.Handle());
    // The clicks reached the program, which kept them from the main window.
    EXPECT_GT(Counter.On(main), mainReleases);

    EXPECT_EQ(form.TabPag->ActivePage(), form.PaTools);
    EXPECT_EQ(files.Asked.size(), 1u);
    EXPECT_EQ(messageBoxes, 0);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_GT(StackPosition(question), StackPosition(main));
    QGuiApplication::primaryScreen()->grabWindow(0).save(BesideTheProgram("question_over_main_window.png"));
    // The user answers No.
    const int answered = Counter.On(question);
    const platform::TPoint no = Middle(*dialog.ButCancel, dialog);
    CommandOutput("xdotool mousemove --window " + std::to_string(question) + " " + std::to_string(no.X) + " " +
                  std::to_string(no.Y) + " click 1");
    EXPECT_TRUE(PumpUntil([&] { return Counter.On(question) > answered; }));
    platform::Application->ProcessMessages();
    EXPECT_EQ(dialog.ModalResult(), platform::mrCancel);
  };
  constexpr platform::UINT kWhileAsked = platform::WM_APP + 31;
  platform::Application->OnMessage = [&](platform::MSG& Msg, bool& Handled) {
    if (Msg.message != kWhileAsked) return;
    Handled = true;
    asked = true;
    whileAsked();
    // Whatever happened, a failed assertion too, the question ends.
    dialog.SetModalResult(platform::mrCancel);
  };
  // The file dialog runs a loop of its own first, as the system's does,
  // which hands messages to their windows without the application seeing
  // them: the question's loop is told once the question shows.
  bool told = false;
  platform::Application->OnIdle = [&](platform::TObject*, bool&) {
    if (told || !dialog.Visible()) return;
    told = true;
    platform::PostMessageW(form.Handle(), kWhileAsked, 0, 0);
  };
  form.ButOpenDstLog->Click();
  EXPECT_TRUE(asked);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(form.DstLink->IsLogging());
  EXPECT_EQ(form.TabPag->ActivePage(), form.PaTools);
}

TEST_F(DesktopTest, TheFileChooserSpeaksItalianInAnItalianProgram) {
  app::TMainForm& form = ShowManaged();
  form.CmbLanguage->SetItemIndex(1);
  form.CmbLanguage->Click();
  form.TabPag->SetActivePage(form.PaTools);
  platform::Application->ProcessMessages();
  QStringList buttons;
  QStringList fileTypes;
  QString title;
  // The file dialog's window holds Qt's chooser; it shows once the dialog
  // has told its hook it is ready.
  const QDeadlineTimer deadline(30000);
  std::function<void()> whileOpen = [&] {
    QFileDialog* chooser = nullptr;
    QWidget* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible()) continue;
      if ((chooser = qobject_cast<QFileDialog*>(w) ? qobject_cast<QFileDialog*>(w) : w->findChild<QFileDialog*>())) {
        window = w;
        break;
      }
    }
    if (!chooser) {
      if (deadline.hasExpired()) {
        ADD_FAILURE() << "no file chooser showed";
        platform::PostMessageW(platform::GetActiveWindow(), platform::WM_COMMAND, platform::IDCANCEL, 0);
        return;
      }
      platform::RunOnUiThread(whileOpen);
      return;
    }
    title = window->windowTitle();
    fileTypes = chooser->nameFilters();
    for (QPushButton* b : chooser->findChild<QDialogButtonBox*>()->findChildren<QPushButton*>()) {
      buttons << b->text().remove(u'&');
    }
    chooser->grab().save(BesideTheProgram("italian_file_chooser.png"));
    chooser->reject();
  };
  platform::RunOnUiThread(whileOpen);
  form.ButOpenDstLog->Click();
  EXPECT_EQ(title, QStringLiteral("Salva i dati del canale DST"));
  EXPECT_TRUE(buttons.contains(QStringLiteral("Salva"))) << buttons.join(u',').toStdString();
  EXPECT_TRUE(buttons.contains(QStringLiteral("Annulla"))) << buttons.join(u',').toStdString();
  // The type's name already shows its pattern, which the chooser does not add again.
  EXPECT_EQ(fileTypes.join(u'|').toStdString(), "File ASCII NMEA (*.txt)");
  EXPECT_EQ(form.EditDstLog->Text(), "");
}

}  // namespace
