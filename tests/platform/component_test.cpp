#include "platform/core/classes/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace platform;

std::vector<std::string>* g_events = nullptr;

class Probe : public TComponent {
 public:
  Probe(TComponent* Owner, std::string Label) : TComponent(Owner), label_(std::move(Label)) {}
  ~Probe() override {
    if (g_events) g_events->push_back("free " + label_);
  }
  void AfterConstruction() override { Created = WhoAmI(); }
  virtual std::string WhoAmI() const { return "probe"; }
  TComponent* Watched = nullptr;
  std::string Created;

 protected:
  void Notification(TComponent* C, TOperation Op) override {
    TComponent::Notification(C, Op);
    if (Op == opRemove && C == Watched) {
      Watched = nullptr;
      if (g_events) g_events->push_back(label_ + " saw removal");
    }
  }

 private:
  std::string label_;
};

class Derived : public Probe {
 public:
  using Probe::Probe;
  std::string WhoAmI() const override { return "derived"; }
};

class ComponentTest : public ::testing::Test {
 protected:
  void SetUp() override { g_events = &Events; }
  void TearDown() override { g_events = nullptr; }
  std::vector<std::string> Events;
};

TEST_F(ComponentTest, OwnerFreesWhatItOwnsNewestFirst) {
  auto* owner = new Probe(nullptr, "owner");
  auto* a = new Probe(owner, "a");
  new Probe(owner, "b");
  new Probe(a, "a1");
  EXPECT_EQ(owner->ComponentCount(), 2);
  delete owner;
  EXPECT_EQ(Events, (std::vector<std::string>{"free owner", "free b", "free a", "free a1"}));
}

TEST_F(ComponentTest, FreeingAComponentTellsThoseWatchingIt) {
  Probe owner(nullptr, "owner");
  auto* target = new Probe(&owner, "target");
  Probe watcher(nullptr, "watcher");
  watcher.Watched = target;
  target->FreeNotification(&watcher);
  delete target;
  EXPECT_EQ(watcher.Watched, nullptr);
  EXPECT_EQ(owner.ComponentCount(), 0);
  EXPECT_EQ(Events, (std::vector<std::string>{"free target", "watcher saw removal"}));
}

TEST_F(ComponentTest, NamesAreUniqueAmongTheOwnersComponents) {
  Probe owner(nullptr, "owner");
  auto* a = new Probe(&owner, "a");
  auto* b = new Probe(&owner, "b");
  a->SetName("ButSend");
  EXPECT_EQ(owner.FindComponent("butsend"), a);
  EXPECT_THROW(b->SetName("BUTSEND"), EComponentError);
  EXPECT_THROW(b->SetName("1st"), EComponentError);
  b->SetName("ButReset");
  EXPECT_EQ(b->ComponentIndex(), 1);
}

TEST_F(ComponentTest, AfterConstructionReachesTheMostDerivedClass) {
  Derived* d = Create<Derived>(nullptr, "d");
  EXPECT_EQ(d->Created, "derived");
  delete d;
}

TEST_F(ComponentTest, ComponentListDropsMembersThatAreFreed) {
  TComponentList list;
  auto* a = new Probe(nullptr, "a");
  auto* b = new Probe(nullptr, "b");
  list.Add(a);
  list.Add(b);
  std::vector<TComponent*> removed;
  list.OnRemoved = [&](TComponent* C) { removed.push_back(C); };
  delete a;
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0), b);
  EXPECT_EQ(removed, (std::vector<TComponent*>{a}));
  list.Remove(b);
  delete b;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(removed.size(), 1u);
}

}  // namespace
