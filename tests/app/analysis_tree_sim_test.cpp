// The input analysis tree after a run against the simulated module and GPS
// receiver: every talker and sentence of both channels, in both languages,
// pictured for a person to look at.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/controls/comctrls.h"
#include "platform/ui/window_classes/presentation.h"
#include "tests/app/tools_helpers.h"
#include "widetext/controls/page_control.h"
#include "widetext/standard/combo_box.h"

namespace {

using apptest::HasSentence;
using apptest::PumpUntil;

// The tree's levels as "channel/talker/sentence" paths.
void CollectPaths(const platform::TTreeNode* Node, const std::string& Prefix, std::vector<std::string>& Paths) {
  for (; Node; Node = Node->getNextSibling()) {
    const std::string path = Prefix + Node->Text();
    Paths.push_back(path);
    CollectPaths(Node->getFirstChild(), path + "/", Paths);
  }
}

class AnalysisTreeSimulatorTest : public apptest::SimulatorAppTest {
 protected:
  std::vector<std::string> Paths() {
    std::vector<std::string> paths;
    CollectPaths(Form->StatsTree->Items().GetFirstNode(), "", paths);
    return paths;
  }
};

TEST_F(AnalysisTreeSimulatorTest, AfterARunTheTreeShowsEveryTalkerAndSentenceOfBothChannels) {
  app::TMainForm& form = ShowOnSimulator();
  ASSERT_TRUE(form.DstLink->IsOpen());
  ASSERT_TRUE(form.GpsLink->IsOpen());
  // The window identifies the module and reads its tables by itself.
  ASSERT_TRUE(PumpUntil([&] {
    return HasSentence(*form.DstLink, "P", "ARLIHS") && HasSentence(*form.DstLink, "P", "ARLARC") &&
           HasSentence(*form.DstLink, "SD", "DBT") && HasSentence(*form.DstLink, "SD", "DPT") &&
           HasSentence(*form.DstLink, "VW", "VHW") && HasSentence(*form.DstLink, "VW", "VLW") &&
           HasSentence(*form.DstLink, "YX", "MTW") && HasSentence(*form.GpsLink, "GP", "GGA") &&
           HasSentence(*form.GpsLink, "GP", "RMC") && HasSentence(*form.GpsLink, "GP", "VTG") &&
           HasSentence(*form.GpsLink, "GP", "GSA") && HasSentence(*form.GpsLink, "GP", "GSV");
  }));

  form.TabPag->SetActivePage(form.PaTools);
  platform::Application->ProcessMessages();
  const std::vector<std::string> english = {
      "DST Channel",        "DST Channel/P",      "DST Channel/P/ARLARC", "DST Channel/P/ARLIHS", "DST Channel/SD",
      "DST Channel/SD/DBT", "DST Channel/SD/DPT", "DST Channel/VW",       "DST Channel/VW/VHW",   "DST Channel/VW/VLW",
      "DST Channel/YX",     "DST Channel/YX/MTW", "GPS Channel",          "GPS Channel/GP",       "GPS Channel/GP/GGA",
      "GPS Channel/GP/GSA", "GPS Channel/GP/GSV", "GPS Channel/GP/RMC",   "GPS Channel/GP/VTG"};
  EXPECT_EQ(Paths(), english);
  form.StatsTree->FullExpand();
  platform::Application->ProcessMessages();
  ASSERT_TRUE(platform::ui::SaveWindowImage(form.Handle(), "tools_page_tree.png"));

  form.CmbLanguage->SetItemIndex(1);
  form.CmbLanguage->Click();
  std::vector<std::string> italian = english;
  for (std::string& path : italian) {
    if (path.starts_with("DST Channel")) path.replace(0, 11, "Canale DST");
    if (path.starts_with("GPS Channel")) path.replace(0, 11, "Canale GPS");
  }
  EXPECT_EQ(Paths(), italian);
  form.StatsTree->FullExpand();
  platform::Application->ProcessMessages();
  ASSERT_TRUE(platform::ui::SaveWindowImage(form.Handle(), "tools_page_tree_ita.png"));
}

}  // namespace
