// The end of the session as the windows hear of it: asked first, then told
// whether it ends; a form may refuse unless the end is critical.

#include "platform/core/window_system/session_end.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/window_system/messages.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

// A form that notes the end-of-session messages it gets, in order.
class NotingForm : public TForm {
 public:
  NotingForm() : TForm(nullptr, CreateNew) { HandleNeeded(); }
  std::vector<std::string> Heard;
  void WndProc(TMessage& M) override {
    if (M.Msg == WM_QUERYENDSESSION) Heard.push_back("query " + std::to_string(M.LParam));
    if (M.Msg == WM_ENDSESSION) Heard.push_back(M.WParam ? "ends" : "goes on");
    TForm::WndProc(M);
  }
};

using SessionEndTest = fixture::FormTest;

TEST_F(SessionEndTest, EveryWindowIsAskedThenToldAndAFormMayRefuseAnEndThatIsNotCritical) {
  auto* agreeing = new NotingForm;
  auto* refusing = new NotingForm;
  bool mayClose = true;
  refusing->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = mayClose; };
  const std::vector<HWND> windows{agreeing->Handle(), refusing->Handle()};

  EXPECT_TRUE(AnnounceEndSession(ENDSESSION_LOGOFF, windows));
  const std::string logoff = "query " + std::to_string(ENDSESSION_LOGOFF);
  EXPECT_EQ(agreeing->Heard, (std::vector<std::string>{logoff, "ends"}));
  EXPECT_EQ(refusing->Heard, (std::vector<std::string>{logoff, "ends"}));

  mayClose = false;
  agreeing->Heard.clear();
  EXPECT_FALSE(AnnounceEndSession(ENDSESSION_LOGOFF, windows));
  EXPECT_EQ(agreeing->Heard, (std::vector<std::string>{logoff, "goes on"}));

  // A critical end is asked about all the same, and ends whatever the
  // answer.
  agreeing->Heard.clear();
  EXPECT_TRUE(AnnounceEndSession(ENDSESSION_CRITICAL, windows));
  EXPECT_EQ(agreeing->Heard, (std::vector<std::string>{"query " + std::to_string(ENDSESSION_CRITICAL), "ends"}));
  Free(agreeing);
  Free(refusing);
}

}  // namespace
