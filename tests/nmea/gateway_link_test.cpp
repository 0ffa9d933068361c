#include "nmea/nmea2000/gateway_link.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "nmea/link/endpoint.h"
#include "tests/nmea/gateway_standin_helpers.h"

namespace nmea {
namespace {

using testing::kBinFlushRx;
using testing::kBinFlushTx;
using testing::kClose;
using testing::kCreate;
using testing::kDestroyAll;
using testing::kN2kFlushRx;
using testing::kN2kFlushTx;
using testing::kOpen;
using testing::StandIn;
using testing::StandInCall;
using Entries = std::vector<std::int32_t>;

const Entries kFlushes = {kN2kFlushRx, kBinFlushRx, kN2kFlushTx, kBinFlushTx};

Entries Concat(std::initializer_list<Entries> parts) {
  Entries all;
  for (const Entries& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

class GatewayLinkTest : public ::testing::Test {
 protected:
  StandIn standIn_;
};

TEST_F(GatewayLinkTest, FirstOpenCreatesOpensAndFlushes) {
  TZeruzivizCom link;
  EXPECT_EQ(link.LibraryFolder(), testing::TestProgramFolder());
  ASSERT_TRUE(link.LoadLibrary());
  EXPECT_EQ(link.GetPort(), -1);
  EXPECT_EQ(link.GetBaud(), -1);
  EXPECT_FALSE(link.IsConnected());

  ASSERT_TRUE(link.Open(3));
  const auto calls = standIn_.Calls();
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].entry, kCreate);
  EXPECT_EQ(calls[1], (StandInCall{kOpen, 1, 3, 115200}));
  EXPECT_EQ(standIn_.Entries(), Concat({{kCreate, kOpen}, kFlushes}));
  for (std::size_t i = 2; i < calls.size(); ++i) EXPECT_EQ(calls[i].a, 1);
  EXPECT_TRUE(link.IsConnected());
  EXPECT_EQ(link.GetPort(), 3);
  EXPECT_EQ(link.GetBaud(), 115200);
}

TEST_F(GatewayLinkTest, ReopeningPortsReusesTheHandle) {
  TZeruzivizCom link;
  ASSERT_TRUE(link.LoadLibrary());
  ASSERT_TRUE(link.Open(3));
  standIn_.Reset();

  EXPECT_TRUE(link.Open(3));
  EXPECT_EQ(standIn_.Entries(), kFlushes);

  standIn_.Reset();
  EXPECT_TRUE(link.Open(5));
  EXPECT_EQ(standIn_.Entries(), Concat({{kClose, kOpen}, kFlushes}));
  EXPECT_EQ(standIn_.Calls()[0], (StandInCall{kClose, 1, 0, 0}));
  EXPECT_EQ(standIn_.Calls()[1], (StandInCall{kOpen, 1, 5, 115200}));
  EXPECT_EQ(link.GetPort(), 5);
}

TEST_F(GatewayLinkTest, RejectsPortsBelowOneWithoutCallingTheLibrary) {
  TZeruzivizCom link;
  ASSERT_TRUE(link.LoadLibrary());
  EXPECT_FALSE(link.Open(0));
  EXPECT_FALSE(link.Open(-3));
  EXPECT_TRUE(standIn_.Calls().empty());
}

TEST_F(GatewayLinkTest, PauseKeepsThePortForResume) {
  TZeruzivizCom link;
  ASSERT_TRUE(link.LoadLibrary());
  ASSERT_TRUE(link.Open(4));
  standIn_.Reset();

  link.Pause();
  EXPECT_EQ(standIn_.Entries(), Entries{kClose});
  EXPECT_FALSE(link.IsConnected());
  EXPECT_EQ(link.GetPort(), -1);
  EXPECT_EQ(link.GetBaud(), -1);

  standIn_.Reset();
  link.Resume();
  EXPECT_EQ(standIn_.Entries(), Concat({{kOpen}, kFlushes}));
  EXPECT_EQ(standIn_.Calls()[0], (StandInCall{kOpen, 1, 4, 115200}));
  EXPECT_TRUE(link.IsConnected());

  link.Close();
  EXPECT_EQ(link.GetPort(), -1);
  standIn_.Reset();
  link.Resume();
  EXPECT_TRUE(standIn_.Calls().empty());
  EXPECT_FALSE(link.IsConnected());
}

TEST_F(GatewayLinkTest, FailedCreateOrOpenReportsFailure) {
  {
    standIn_.SetCreate(5, 9);
    TZeruzivizCom link;
    ASSERT_TRUE(link.LoadLibrary());
    EXPECT_FALSE(link.Open(2));
    EXPECT_EQ(standIn_.Entries(), Entries{kCreate});
  }
  {
    // Creation "succeeds" but hands back no handle.
    standIn_.Reset();
    standIn_.SetCreate(0, 0);
    TZeruzivizCom link;
    ASSERT_TRUE(link.LoadLibrary());
    EXPECT_FALSE(link.Open(2));
    EXPECT_FALSE(link.IsConnected());
  }
  {
    standIn_.Reset();
    standIn_.SetOpenResult(-1);
    TZeruzivizCom link;
    ASSERT_TRUE(link.LoadLibrary());
    EXPECT_FALSE(link.Open(2));
    EXPECT_EQ(link.GetPort(), -1);
    EXPECT_FALSE(link.IsConnected());
  }
}

TEST_F(GatewayLinkTest, NegativeHandleIsAsGoodAsAPositiveOne) {
  standIn_.SetCreate(0, -7);
  TZeruzivizCom link;
  ASSERT_TRUE(link.LoadLibrary());
  ASSERT_TRUE(link.Open(2));
  EXPECT_TRUE(link.IsConnected());
  standIn_.Reset();
  link.Close();
  EXPECT_EQ(standIn_.Calls(), (std::vector<StandInCall>{{kClose, -7, 0, 0}}));
}

TEST_F(GatewayLinkTest, ExceptionsFromTheLibraryNeverLeaveTheLink) {
  TZeruzivizCom link;
  ASSERT_TRUE(link.LoadLibrary());
  standIn_.SetThrow(kOpen);
  EXPECT_FALSE(link.Open(2));
  EXPECT_FALSE(link.IsConnected());

  standIn_.SetThrow(0);
  ASSERT_TRUE(link.Open(2));
  standIn_.SetThrow(kN2kFlushRx);
  EXPECT_NO_THROW(link.FlushAll());
  standIn_.SetThrow(kClose);
  EXPECT_NO_THROW(link.Pause());
  EXPECT_FALSE(link.IsConnected());
  standIn_.SetThrow(kOpen);
  EXPECT_NO_THROW(link.Resume());
  EXPECT_FALSE(link.IsConnected());
  standIn_.SetThrow(kDestroyAll);
  EXPECT_NO_THROW(link.Shutdown());
}

TEST_F(GatewayLinkTest, DestroyClosesThenDestroysAllAndReleasesTheLibrary) {
  {
    TZeruzivizCom link;
    ASSERT_TRUE(link.LoadLibrary());
    ASSERT_TRUE(link.Open(3));
    standIn_.Reset();
  }
  EXPECT_EQ(standIn_.Entries(), (Entries{kClose, kDestroyAll}));

  // The link holds its own counted reference: the library stays loaded
  // while the test's reference lives, whoever loaded it first.
  const std::string path = testing::TestProgramFolder() + kGatewayLibraryName;
  void* probe = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(probe, nullptr);
  dlclose(probe);
}

TEST_F(GatewayLinkTest, DestroyWithoutLibraryCallsNothing) {
  { TZeruzivizCom link; }
  EXPECT_TRUE(standIn_.Calls().empty());
}

TEST(GatewayLinkLoad, MissingOrBrokenLibraryFails) {
  const auto folder = std::filesystem::temp_directory_path() / ("veltrosa_gateway_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string prefix = folder.string() + "/";
  {
    TZeruzivizCom link(prefix);
    EXPECT_FALSE(link.LoadLibrary());
    EXPECT_FALSE(link.Open(1));
  }
  std::ofstream(folder / kGatewayLibraryName) << "not a library\n";
  {
    TZeruzivizCom link(prefix);
    EXPECT_FALSE(link.LoadLibrary());
    EXPECT_FALSE(link.Open(1));
  }
  std::filesystem::remove_all(folder);
}

TEST(GatewayLinkLoad, MissingEntryPointFailsAndDestroyOnlyDestroysAll) {
  StandIn partial(testing::PartialStandInFolder());
  {
    TZeruzivizCom link(testing::PartialStandInFolder());
    EXPECT_FALSE(link.LoadLibrary());
  }
  // Entry points before the missing one were resolved; no handle was made,
  // so only the destroy-all is called.
  EXPECT_EQ(partial.Entries(), Entries{kDestroyAll});
}

TEST(GatewayLinkLoad, FreshLoadWithoutOtherReferences) {
  const std::string path = testing::TestProgramFolder() + kGatewayLibraryName;
  {
    TZeruzivizCom link;
    ASSERT_TRUE(link.LoadLibrary());
    EXPECT_TRUE(link.Open(6));
    EXPECT_TRUE(link.IsConnected());
  }
  EXPECT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST_F(GatewayLinkTest, EndpointDrivesTheLinkThroughItsLifeCycle) {
  TNMEA2KDecoder endpoint;
  std::vector<std::string> messages;
  endpoint.OnMessage = [&](platform::TObject*, std::string_view text) { messages.emplace_back(text); };

  endpoint.Open(3, 4800, kStreamBinary, false);
  ASSERT_TRUE(endpoint.IsOpen());
  EXPECT_EQ(messages, std::vector<std::string>{"Port connected!"});
  EXPECT_EQ(endpoint.Port(), 3);
  EXPECT_EQ(endpoint.Baud(), 115200);
  EXPECT_EQ(standIn_.Calls()[1], (StandInCall{kOpen, 1, 3, 115200}));

  standIn_.Reset();
  endpoint.Suspend("");
  EXPECT_EQ(standIn_.Entries(), Concat({{kClose}, kFlushes}));
  EXPECT_FALSE(endpoint.IsOpen());

  standIn_.Reset();
  endpoint.Resume("");
  EXPECT_EQ(standIn_.Entries(), Concat({{kOpen}, kFlushes, kFlushes}));
  EXPECT_TRUE(endpoint.IsOpen());

  standIn_.Reset();
  endpoint.Close();
  EXPECT_EQ(standIn_.Entries(), (Entries{kClose, kDestroyAll}));
  EXPECT_FALSE(endpoint.IsOpen());
  EXPECT_EQ(endpoint.Port(), -1);
}

TEST_F(GatewayLinkTest, EndpointStaysClosedWhenTheGatewayRefusesThePort) {
  standIn_.SetOpenResult(2);
  TNMEA2KDecoder endpoint;
  std::vector<std::string> messages;
  endpoint.OnMessage = [&](platform::TObject*, std::string_view text) { messages.emplace_back(text); };
  endpoint.Open(3, 115200, kStreamBinary, false);
  EXPECT_FALSE(endpoint.IsOpen());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(endpoint.Port(), -1);
  EXPECT_EQ(standIn_.Entries().back(), kDestroyAll);
}

}  // namespace
}  // namespace nmea
