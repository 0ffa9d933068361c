// The input analysis tree of the Tools page: per channel the talkers heard
// and under each the sentences seen from it, with the dictionary's meaning
// of a node as the tree's hint while the mouse rests on it, and the reset
// of the statistics.

#include <cstdint>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/core/os/clock.h"
#include "platform/core/text/cp1252.h"
#include "platform/ui/controls/comctrls.h"
#include "support/hashing.h"
#include "widetext/custom_drawn/xp_button.h"

namespace app {
namespace {

// Images of the tree's levels.
constexpr int kChannelImage = 0;
constexpr int kTalkerImage = 1;
constexpr int kSentenceImage = 2;

// The key of the talker under which a link files every proprietary
// sentence ("P"); the first three letters of such a sentence's name are
// its maker's code.
const std::uint32_t kProprietaryTalker = static_cast<std::uint32_t>(support::StringHashEx("P"));
constexpr std::size_t kMakerCodeLength = 3;

struct NamedKey {
  std::uint32_t Key = 0;
  std::string Name;
};

struct TalkerCopy {
  NamedKey Talker;
  std::vector<NamedKey> Sentences;
};

// A link's statistics with their names, copied under its lock so that its
// reader waits no longer than the copy takes and loses nothing. A closed
// link's statistics are emptied.
std::vector<TalkerCopy> CopyStatistics(nmea::TNMEA2KDecoder& Link) {
  const bool open = Link.IsOpen();
  const nmea::TEndpointLock lock = Link.Lock();
  if (!open) Link.ClearTalkers();
  std::vector<TalkerCopy> talkers;
  talkers.reserve(Link.Talkers.size());
  for (const nmea::tNMEATalkerRec& rec : Link.Talkers) {
    TalkerCopy copy{{rec.Key, Link.KeyName(rec.Key, 0)}, {}};
    copy.Sentences.reserve(rec.SubKeys.size());
    for (const std::uint32_t sub : rec.SubKeys) copy.Sentences.push_back({sub, Link.KeyName(sub, 1)});
    talkers.push_back(std::move(copy));
  }
  return talkers;
}

void SetLook(platform::TTreeNode& Node, std::uint32_t Data, int Image) {
  Node.SetData(reinterpret_cast<void*>(static_cast<std::uintptr_t>(Data)));
  Node.SetImageIndex(Image);
  Node.SetSelectedIndex(Image);
}

std::uint32_t DataOf(const platform::TTreeNode& Node) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Node.Data()));
}

// One channel's branch: the channel node first, then its talkers, each
// selected as it comes. A failure keeps the nodes added before it.
void AddChannel(platform::TTreeView& Tree, nmea::TNMEA2KDecoder& Link, const std::u16string& Title, bool First) {
  try {
    const std::string text = platform::Utf16ToCp1252(Title);
    platform::TTreeNodes& items = Tree.Items();
    platform::TTreeNode* channel = First ? items.AddFirst(nullptr, text) : items.Add(nullptr, text);
    SetLook(*channel, 0, kChannelImage);
    for (const TalkerCopy& talker : CopyStatistics(Link)) {
      platform::TTreeNode* node = items.AddChild(channel, talker.Talker.Name);
      SetLook(*node, talker.Talker.Key, kTalkerImage);
      Tree.SetSelected(node);
      for (const NamedKey& sentence : talker.Sentences) {
        SetLook(*items.AddChild(node, sentence.Name), sentence.Key, kSentenceImage);
      }
    }
  } catch (const std::exception&) {
  }
}

}  // namespace

void TMainForm::BindAnalysisTreeEvents() {
  ButRefreshAnalysis->OnClick = [this](platform::TObject* Sender) { ButRefreshAnalysisClick(Sender); };
  ButReset->OnClick = [this](platform::TObject* Sender) { ButResetClick(Sender); };
  StatsTree->OnMouseMove = [this](platform::TObject* Sender, platform::TShiftState Shift, int X, int Y) {
    StatsTreeMouseMove(Sender, Shift, X, Y);
  };
}

void TMainForm::BuildAnalysisTree() {
  platform::TTreeNodes& items = StatsTree->Items();
  items.BeginUpdate();
  // The nodes go, and with them the one whose hint was set.
  platform::Application->CancelHint();
  LastHintNode = nullptr;
  StatsTree->Hint.clear();
  items.Clear();
  if (DstLink) AddChannel(*StatsTree, *DstLink, TxtDstChannel, true);
  if (GpsLink) AddChannel(*StatsTree, *GpsLink, TxtGpsChannel, false);
  items.EndUpdate();
}

std::string TMainForm::GetNodeHint(platform::TTreeNode* Node) {
  if (!Node || Node->Level() == 0 || !Dictionary) return {};
  std::u16string text;
  if (Node->Level() == 1) {
    if (!Dictionary->Lookup(1, static_cast<std::int32_t>(DataOf(*Node)), text)) return {};
    return platform::Utf16ToCp1252(text);
  }
  if (Node->Parent() && DataOf(*Node->Parent()) == kProprietaryTalker) {
    const std::string name = Node->Text();
    const std::int32_t maker = support::StringHashEx(std::string_view(name).substr(0, kMakerCodeLength));
    if (!Dictionary->Lookup(3, maker, text)) return {};
    std::string hint = platform::Utf16ToCp1252(text);
    if (name.size() > kMakerCodeLength) hint += "  \"" + name.substr(kMakerCodeLength) + "\" Sentence";
    return hint;
  }
  if (!Dictionary->Lookup(2, static_cast<std::int32_t>(DataOf(*Node)), text)) return {};
  return platform::Utf16ToCp1252(text);
}

void TMainForm::ButRefreshAnalysisClick(platform::TObject*) { BuildAnalysisTree(); }

void TMainForm::ButResetClick(platform::TObject*) {
  if (GpsLink) GpsLink->ClearTalkers();
  if (DstLink) DstLink->ClearTalkers();
  BuildAnalysisTree();
  TreeRefreshTick = platform::GetTickCount();
}

// The hint follows the node under the mouse; the dictionary is asked once
// per node, and only when the mouse is on the node's picture or text.
void TMainForm::StatsTreeMouseMove(platform::TObject* Sender, platform::TShiftState, int X, int Y) {
  auto* tree = dynamic_cast<platform::TTreeView*>(Sender);
  if (Closing || !tree) return;
  platform::TTreeNode* node = tree->GetNodeAt(X, Y);
  const platform::THitTests hit = tree->GetHitTestInfoAt(X, Y);
  if (node == LastHintNode) return;
  platform::Application->CancelHint();
  constexpr platform::THitTests kOnNode =
      platform::htOnItem | platform::htOnIcon | platform::htOnLabel | platform::htOnStateIcon;
  if ((hit & ~kOnNode) != 0) return;
  LastHintNode = node;
  tree->Hint = GetNodeHint(node);
}

}  // namespace app
