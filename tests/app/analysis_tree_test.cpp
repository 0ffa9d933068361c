// The input analysis tree: what it shows of each channel's statistics, the
// reset, and the hints the mouse brings up.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/os/clock.h"
#include "platform/core/text/cp1252.h"
#include "platform/ui/controls/comctrls.h"
#include "platform/ui/window_classes/treeview.h"
#include "support/hashing.h"
#include "tests/app/tools_helpers.h"
#include "widetext/controls/page_control.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/standard/combo_box.h"

namespace {

using apptest::AppTest;
using apptest::HasSentence;
using apptest::PumpUntil;
using apptest::Sentence;
using apptest::VirtualPort;

std::uint32_t Key(std::string_view Text) { return static_cast<std::uint32_t>(support::StringHashEx(Text)); }

std::uint32_t DataOf(const platform::TTreeNode* Node) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Node->Data()));
}

std::vector<std::string> Texts(const platform::TTreeNode* First) {
  std::vector<std::string> texts;
  for (const platform::TTreeNode* n = First; n; n = n->getNextSibling()) texts.push_back(n->Text());
  return texts;
}

platform::TTreeNode* Child(const platform::TTreeNode* Parent, std::string_view Text) {
  for (platform::TTreeNode* n = Parent->getFirstChild(); n; n = n->getNextSibling()) {
    if (n->Text() == Text) return n;
  }
  return nullptr;
}

class AnalysisTreeTest : public AppTest {
 protected:
  // The window shown with its DST channel open on port (and its GPS
  // channel on Gps, when given) and these sentences received on the DST
  // channel (the last one waited for).
  app::TMainForm& ShowWithInput(VirtualPort& Port, const std::vector<std::string>& Bodies,
                                const VirtualPort* Gps = nullptr) {
    WriteSettings(apptest::PortSettings(Port.Number(), 4800, Gps ? Gps->Number() : 0));
    app::TMainForm& form = MakeMainForm();
    ShowMainForm();
    std::string bytes;
    for (const std::string& body : Bodies) bytes += Sentence(body);
    Port.Write(bytes);
    const std::string& last = Bodies.back();
    const bool proprietary = last.front() == 'P';
    const std::string talker = proprietary ? "P" : last.substr(0, 2);
    const std::string id = last.substr(talker.size(), last.find(',') - talker.size());
    EXPECT_TRUE(PumpUntil([&] { return HasSentence(*form.DstLink, talker, id); }));
    return form;
  }
  platform::TTreeNode* TopNode(std::string_view Text) {
    for (platform::TTreeNode* n = Form->StatsTree->Items().GetFirstNode(); n; n = n->getNextSibling()) {
      if (n->Text() == Text) return n;
    }
    return nullptr;
  }
  // Where the mouse rests on a node's picture, on its text, and on its
  // expand button.
  platform::TPoint OnIcon(platform::TTreeNode* Node) { return At(Node, 4); }
  platform::TPoint OnText(platform::TTreeNode* Node) { return At(Node, 30); }
  platform::TPoint OnButton(platform::TTreeNode* Node) { return At(Node, -6); }
  void MoveMouse(platform::TPoint At) { Form->StatsTree->OnMouseMove(Form->StatsTree, 0, At.X, At.Y); }

 private:
  platform::TPoint At(platform::TTreeNode* Node, int Dx) {
    platform::RECT r{};
    EXPECT_TRUE(platform::TreeGetItemRect(Form->StatsTree->Handle(), Node->ItemId(), &r, true));
    return {r.left + Dx, (r.top + r.bottom) / 2};
  }
};

const std::vector<std::string> kModuleInput = {"YXMTW,20.0,C",
                                               "SDDPT,10.00,0.50,",
                                               "SDDBT,32.8,f,10.00,M,5.47,F",
                                               "PARLIHS,0001E240,,1,,,,0BE2,00009D2E,,7B",
                                               "PARL,1",
                                               "VWVHW,,T,,M,5.00,N,9.26,K"};

TEST_F(AnalysisTreeTest, EachChannelShowsItsTalkersAndTheirSentencesInAlphabeticalOrder) {
  VirtualPort port("dst-tree");
  app::TMainForm& form = ShowWithInput(port, kModuleInput);
  {
    // Statistics of a closed channel are emptied by the next build.
    const nmea::TEndpointLock lock = form.GpsLink->Lock();
    form.GpsLink->AddTalkerSentence("GP", "GGA");
  }
  form.ButRefreshAnalysis->Click();

  EXPECT_EQ(Texts(form.StatsTree->Items().GetFirstNode()), (std::vector<std::string>{"DST Channel", "GPS Channel"}));
  platform::TTreeNode* dst = TopNode("DST Channel");
  ASSERT_NE(dst, nullptr);
  EXPECT_EQ(DataOf(dst), 0u);
  EXPECT_EQ(dst->ImageIndex(), 0);
  EXPECT_EQ(Texts(dst->getFirstChild()), (std::vector<std::string>{"P", "SD", "VW", "YX"}));
  EXPECT_EQ(Texts(Child(dst, "SD")->getFirstChild()), (std::vector<std::string>{"DBT", "DPT"}));
  EXPECT_EQ(Texts(Child(dst, "P")->getFirstChild()), (std::vector<std::string>{"ARL", "ARLIHS"}));
  platform::TTreeNode* sd = Child(dst, "SD");
  EXPECT_EQ(DataOf(sd), Key("SD"));
  EXPECT_EQ(sd->ImageIndex(), 1);
  EXPECT_EQ(sd->SelectedIndex(), 1);
  platform::TTreeNode* dbt = Child(sd, "DBT");
  EXPECT_EQ(DataOf(dbt), Key("DBT"));
  EXPECT_EQ(dbt->ImageIndex(), 2);
  EXPECT_EQ(dbt->SelectedIndex(), 2);

  // The talker added last (the link keeps them by key) stays selected.
  std::string last;
  std::uint32_t highest = 0;
  for (const char* talker : {"P", "SD", "VW", "YX"}) {
    if (Key(talker) >= highest) {
      highest = Key(talker);
      last = talker;
    }
  }
  ASSERT_NE(form.StatsTree->Selected(), nullptr);
  EXPECT_EQ(form.StatsTree->Selected()->Text(), last);

  platform::TTreeNode* gps = TopNode("GPS Channel");
  ASSERT_NE(gps, nullptr);
  EXPECT_FALSE(gps->HasChildren());
  const nmea::TEndpointLock lock = form.GpsLink->Lock();
  EXPECT_TRUE(form.GpsLink->Talkers.empty());
}

TEST_F(AnalysisTreeTest, ResetEmptiesTheStatisticsAndAsksTheTimerForOneMoreBuild) {
  VirtualPort port("dst-tree");
  VirtualPort gps("gps-tree");
  app::TMainForm& form = ShowWithInput(port, kModuleInput, &gps);
  ASSERT_TRUE(form.GpsLink->IsOpen());
  gps.Write(Sentence("GPGLL,4530.00,N,00912.00,E,120000,A"));
  ASSERT_TRUE(PumpUntil([&] { return HasSentence(*form.GpsLink, "GP", "GLL"); }));
  form.ButRefreshAnalysis->Click();
  ASSERT_TRUE(TopNode("DST Channel")->HasChildren());
  ASSERT_TRUE(TopNode("GPS Channel")->HasChildren());
  const std::uint32_t before = platform::GetTickCount();
  form.ButReset->Click();
  const std::uint32_t after = platform::GetTickCount();
  EXPECT_EQ(Texts(form.StatsTree->Items().GetFirstNode()), (std::vector<std::string>{"DST Channel", "GPS Channel"}));
  EXPECT_FALSE(TopNode("DST Channel")->HasChildren());
  EXPECT_FALSE(TopNode("GPS Channel")->HasChildren());
  EXPECT_LE(form.TreeRefreshTick - before, after - before);
  for (nmea::TNMEA2KDecoder* link : {form.DstLink.get(), form.GpsLink.get()}) {
    const nmea::TEndpointLock lock = link->Lock();
    EXPECT_TRUE(link->Talkers.empty());
  }
}

TEST_F(AnalysisTreeTest, HintsAreTheDictionarysMeaningsInTheChosenLanguage) {
  VirtualPort port("dst-tree");
  app::TMainForm& form = ShowWithInput(port, kModuleInput);
  port.Write(Sentence("SDQQQ,1") + Sentence("ZZDBT,1,f,2,M,3,F"));
  ASSERT_TRUE(PumpUntil([&] { return HasSentence(*form.DstLink, "ZZ", "DBT"); }));
  form.ButRefreshAnalysis->Click();
  platform::TTreeNode* dst = TopNode("DST Channel");
  platform::TTreeNode* sd = Child(dst, "SD");
  platform::TTreeNode* proprietary = Child(dst, "P");
  EXPECT_EQ(form.GetNodeHint(nullptr), "");
  EXPECT_EQ(form.GetNodeHint(dst), "");
  EXPECT_EQ(form.GetNodeHint(sd), "Depth sounder");
  EXPECT_EQ(form.GetNodeHint(Child(sd, "DBT")), "Depth below transducer");
  EXPECT_EQ(form.GetNodeHint(Child(sd, "QQQ")), "");
  EXPECT_EQ(form.GetNodeHint(Child(dst, "ZZ")), "");
  EXPECT_EQ(form.GetNodeHint(Child(Child(dst, "ZZ"), "DBT")), "Depth below transducer");
  EXPECT_EQ(form.GetNodeHint(proprietary), "Proprietary sentences");
  // A proprietary sentence is named by its maker, and its own letters follow.
  EXPECT_EQ(form.GetNodeHint(Child(proprietary, "ARLIHS")), "ZERUZIVIZ  \"IHS\" Sentence");
  EXPECT_EQ(form.GetNodeHint(Child(proprietary, "ARL")), "ZERUZIVIZ");

  form.CmbLanguage->SetItemIndex(1);
  form.CmbLanguage->Click();
  dst = TopNode("Canale DST");
  ASSERT_NE(dst, nullptr);
  sd = Child(dst, "SD");
  EXPECT_EQ(form.GetNodeHint(sd), "Ecoscandaglio");
  EXPECT_EQ(form.GetNodeHint(Child(sd, "DBT")), platform::Utf16ToCp1252(u"Profondità sotto il trasduttore"));
  EXPECT_EQ(form.GetNodeHint(Child(Child(dst, "P"), "ARLIHS")), "ZERUZIVIZ  \"IHS\" Sentence");

  form.Dictionary.reset();
  EXPECT_EQ(form.GetNodeHint(sd), "");
}

TEST_F(AnalysisTreeTest, TheHintFollowsTheMouseOncePerNodeAndOnlyOverItsPictureOrText) {
  VirtualPort port("dst-tree");
  app::TMainForm& form = ShowWithInput(port, kModuleInput);
  // Showing the Tools page builds the tree.
  form.TabPag->SetActivePage(form.PaTools);
  platform::Application->ProcessMessages();
  platform::TTreeNode* dst = TopNode("DST Channel");
  ASSERT_NE(dst, nullptr);
  ASSERT_TRUE(dst->HasChildren());
  dst->Expand(false);
  Child(dst, "SD")->Expand(false);
  platform::Application->ProcessMessages();
  platform::TTreeNode* sd = Child(dst, "SD");
  platform::TTreeNode* dbt = Child(sd, "DBT");

  MoveMouse(OnIcon(sd));
  EXPECT_EQ(form.LastHintNode, sd);
  EXPECT_EQ(form.StatsTree->Hint, "Depth sounder");
  // Within the same node the dictionary is not asked again.
  form.StatsTree->Hint = "unchanged";
  MoveMouse(OnText(sd));
  EXPECT_EQ(form.StatsTree->Hint, "unchanged");
  // The expand button of another node only cancels the hint shown.
  MoveMouse(OnButton(Child(dst, "P")));
  EXPECT_EQ(form.LastHintNode, sd);
  EXPECT_EQ(form.StatsTree->Hint, "unchanged");
  MoveMouse(OnText(dbt));
  EXPECT_EQ(form.LastHintNode, dbt);
  EXPECT_EQ(form.StatsTree->Hint, "Depth below transducer");

  // Nothing while the window closes, or from another control.
  form.Closing = true;
  MoveMouse(OnText(sd));
  form.Closing = false;
  form.StatsTreeMouseMove(form.ButReset, 0, OnText(sd).X, OnText(sd).Y);
  EXPECT_EQ(form.LastHintNode, dbt);

  // A rebuild forgets the node whose hint was set.
  form.ButRefreshAnalysis->Click();
  EXPECT_EQ(form.LastHintNode, nullptr);
  EXPECT_EQ(form.StatsTree->Hint, "");
}

}  // namespace
