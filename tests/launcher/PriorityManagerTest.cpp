#include "launcher/Priority_Manager.h"

#include <gtest/gtest.h>

#include "core/KeyWordX.h"
#include "tests/launcher/PriorityFixture.h"

namespace {

using V = std::vector<std::string>;

// A key source that starts when told to and records its calls.
class FakeKeySource : public IPriorityKeySource {
 public:
  bool CanStart = true;
  int Starts = 0;
  bool Start(TPriorityManager&) override {
    ++Starts;
    started_ = CanStart;
    return CanStart;
  }
  void Stop() override { started_ = false; }
  bool Started() const override { return started_; }

 private:
  bool started_ = false;
};

class Priority : public PriorityStore {
 protected:
  FakeKeySource source;
  DWORD now = 100000;
  TPriorityManager pm{&m};

  Priority() {
    pm.SetKeySource(&source);
    pm.TickCount = [this] { return now; };
  }
  int Raise(const std::string& path, int n) { return pm.RaisePriority(Find(path).get(), n); }
};

// ---------------------------------------------------------------------------
// Raising

TEST_F(Priority, RaiseByCountMovesUpAndStopsAtTheTop) {
  Put("%.vane", Row("k0") + Row("k1") + Row("k2") + Row("k3") + Row("k4"));
  EXPECT_EQ(Raise("k3", 2), 1);
  EXPECT_EQ(Names(""), (V{"k0", "k3", "k1", "k2", "k4"}));
  EXPECT_EQ(Raise("k3", 5), 0);
  EXPECT_EQ(Raise("k3", 5), 0);  // at index 0 the first step changes nothing
  EXPECT_EQ(Names(""), (V{"k3", "k0", "k1", "k2", "k4"}));
  EXPECT_EQ(Raise("k4", 0), 4);
  EXPECT_EQ(Raise("k4", -3), 4);
  EXPECT_EQ(pm.RaisePriority(nullptr, 1), -1);
}

TEST_F(Priority, RaiseByPercentageOfTheFolderSize) {
  struct Case {
    const char* name;
    int size, from, percent, to;
  } cases[] = {
      {"5% of 30 is one place", 30, 20, 5, 19},
      {"5% of 10 is none", 10, 5, 5, 5},
      {"50% of 10 is five places", 10, 7, 50, 2},
      {"huge percentage reaches the top", 10, 7, 2000000000, 0},
  };
  for (const Case& c : cases) {
    std::string rows;
    for (int k = 0; k < c.size; ++k) rows += Row("i" + std::to_string(k));
    Put("%grp.vane", rows);
    Put("%.vane", Row("grp", "Type=5\tUpPriority=1"));
    m.ClearCache();
    pm.ByCount = false;
    EXPECT_EQ(Raise("grp/i" + std::to_string(c.from), c.percent), c.to) << c.name;
  }
}

TEST_F(Priority, FolderItemIsRaisedFirstAndItsUpPriorityKeyGatesTheItem) {
  Put("%.vane", Row("x") + Row("y") + Row("on", "Type=5\tUpPriority=1") + Row("off", "Type=5"));
  Put("%on.vane", Row("a") + Row("b"));
  Put("%off.vane", Row("a") + Row("b"));
  EXPECT_EQ(Raise("off/b", 1), 1);  // the item stays ...
  EXPECT_EQ(Names("off"), (V{"a", "b"}));
  EXPECT_EQ(Names(""), (V{"x", "y", "off", "on"}));  // ... its folder item moves
  EXPECT_EQ(Raise("on/b", 1), 0);
  EXPECT_EQ(Names(""), (V{"x", "y", "on", "off"}));
  EXPECT_FALSE(pm.CanUpPriority(nullptr));
  EXPECT_TRUE(pm.CanUpPriority(Find("x").get()));
}

TEST_F(Priority, VanishedItemIsSkipped) {
  Put("%.vane", Row("a") + Row("b"));
  auto b = Find("b");
  m.ClearCache();
  Put("%.vane", Row("a"));
  EXPECT_EQ(pm.RaisePriority(b.get(), 1), -1);
}

// ---------------------------------------------------------------------------
// Blocking

TEST_F(Priority, BlockedByTheUpperNeighbourUntilItsPointsAreGone) {
  Put("%.vane", Row("abc", "PriorityHP=3\tComplementedWord=ab") + Row("abd"));
  pm.EnablePriorityBlock = true;
  for (int hp : {2, 1, 0}) {
    EXPECT_EQ(Raise("abd", 1), 1);
    EXPECT_EQ(Find("abc")->Data()->ReadInteger("PriorityHP", -1), hp);
  }
  EXPECT_EQ(Raise("abd", 1), 0);
  EXPECT_EQ(Names(""), (V{"abd", "abc"}));
  EXPECT_EQ(Find("abc")->Data()->ReadInteger("PriorityHP", -1), 0);
}

TEST_F(Priority, BlockingRules) {
  struct Case {
    const char* name;
    std::string upper, lower;
    bool block;
    bool moves;
  } cases[] = {
      {"lower matches worse: passes", "PriorityHP=3\tComplementedWord=ab", "xaxb", true, true},
      {"lower matches as well: blocked", "PriorityHP=3\tComplementedWord=ab", "abd", true, false},
      {"any remembered text blocks", "PriorityHP=1\tComplementedWord=zz,ab", "abd", true, false},
      {"lower does not match at all: passes", "PriorityHP=3\tComplementedWord=ab", "qq", true, true},
      {"no points: passes", "PriorityHP=0\tComplementedWord=ab", "abd", true, true},
      {"no remembered text: passes", "PriorityHP=3", "abd", true, true},
      {"blocking off: passes", "PriorityHP=3\tComplementedWord=ab", "abd", false, true},
  };
  for (const Case& c : cases) {
    m.ClearCache();
    Put("%.vane", Row("abc", c.upper) + Row(c.lower));
    pm.EnablePriorityBlock = c.block;
    EXPECT_EQ(Raise(c.lower, 1), c.moves ? 0 : 1) << c.name;
  }
}

// ---------------------------------------------------------------------------
// Completions: points and remembered texts

TEST_F(Priority, CompletionAddsPointsUpToMaxHPAndRemembersTyped) {
  Put("%.vane", Row("abc"));
  pm.EnablePriorityBlock = true;
  pm.MaxHP = 2;
  auto abc = Find("abc");
  EXPECT_EQ(pm.Complemented(abc.get(), "a"), 1);
  EXPECT_EQ(pm.Complemented(abc.get(), "ab"), 2);
  EXPECT_EQ(pm.Complemented(abc.get(), "b"), 2);
  EXPECT_EQ(abc->Data()->ReadInteger("PriorityHP", -1), 2);
  EXPECT_EQ(abc->Data()->ReadString("ComplementedWord", ""), "a,ab,b");
}

TEST_F(Priority, RememberedTexts) {
  struct Case {
    const char* name;
    V typed;
    std::string stored;
  } cases[] = {
      {"oldest go beyond four", {"a", "b", "c", "d", "e"}, "b,c,d,e"},
      {"all equal ignoring case: the last", {"Ab", "ab", "AB"}, "AB"},
      {"equal ones fold before the next", {"ab", "AB", "x"}, "AB,x"},
      {"not all equal: kept", {"x", "ab", "AB"}, "x,ab,AB"},
      {"blank and comma quoted, read back", {"a b", "c,d", "e"}, "\"a b\",\"c,d\",e"},
      {"empty typed adds nothing", {"a", ""}, "a"},
  };
  for (const Case& c : cases) {
    m.ClearCache();
    Put("%.vane", Row("abc"));
    auto abc = Find("abc");
    for (const std::string& t : c.typed) pm.AddComplementedWord(abc.get(), t);
    EXPECT_EQ(abc->Data()->ReadString("ComplementedWord", ""), c.stored) << c.name;
  }
}

TEST_F(Priority, WholeKeywordTypedOutChangesNothing) {
  Put("%.vane", Row("grp", "Type=5"));
  Put("%grp.vane", Row("abc"));
  pm.EnablePriorityBlock = true;
  pm.EnableBackSpaceCancel = true;
  auto abc = Find("grp/abc");
  EXPECT_EQ(pm.Complemented(abc.get(), "grp/abc"), 0);
  EXPECT_FALSE(abc->Data()->ValueExists("PriorityHP"));
  EXPECT_FALSE(abc->Data()->ValueExists("ComplementedWord"));
  EXPECT_FALSE(pm.BackSpaceArmed());
  EXPECT_EQ(source.Starts, 0);
}

TEST_F(Priority, DecreaseHPStopsAtZero) {
  Put("%.vane", Row("a", "PriorityHP=3"));
  auto a = Find("a");
  EXPECT_EQ(pm.DecreaseHP(a.get(), 2), 1);
  EXPECT_EQ(pm.DecreaseHP(a.get(), 2), 0);
  EXPECT_EQ(a->Data()->ReadInteger("PriorityHP", -1), 0);
}

// ---------------------------------------------------------------------------
// Backspace cancel

class BackSpaceCancel : public Priority {
 protected:
  BackSpaceCancel() {
    Put("%.vane", Row("k0") + Row("k1", "PriorityHP=5") + Row("k2") + Row("k3"));
    pm.EnableBackSpaceCancel = true;
  }
  void Complete(const char* typed = "k") { pm.Complemented(Find("k1").get(), typed); }
  int Points() { return Find("k1")->Data()->ReadInteger("PriorityHP", -1); }
  bool Cancelled() { return Names("") == V{"k0", "k2", "k1", "k3"}; }
};

TEST_F(BackSpaceCancel, BackspaceInsideTheWindowMovesDownTakesPointsAndSaves) {
  Complete();
  EXPECT_TRUE(pm.BackSpaceArmed());
  EXPECT_TRUE(pm.HookStarted());
  pm.KeyEvent(VK_BACK, false, now + 500);
  EXPECT_TRUE(Cancelled());
  EXPECT_EQ(Points(), 3);
  EXPECT_FALSE(pm.BackSpaceArmed());
  EXPECT_FALSE(pm.HookStarted());
  m.ClearCache();  // what was saved
  EXPECT_TRUE(Cancelled());
  EXPECT_EQ(Points(), 3);
}

TEST_F(BackSpaceCancel, KeysThatDoNotCancel) {
  struct Key {
    WORD key;
    bool modifier;
    DWORD after;
  };
  struct Case {
    const char* name;
    std::vector<Key> keys;
  } cases[] = {
      {"after 800 ms", {{VK_BACK, false, 800}}},
      {"at exactly 700 ms", {{VK_BACK, false, 700}}},
      {"shift+backspace ends the window", {{VK_BACK, true, 100}, {VK_BACK, false, 200}}},
      {"another key first ends the window", {{'A', false, 100}, {VK_BACK, false, 200}}},
  };
  for (const Case& c : cases) {
    Complete();
    for (const Key& k : c.keys) pm.KeyEvent(k.key, k.modifier, now + k.after);
    EXPECT_FALSE(Cancelled()) << c.name;
    EXPECT_EQ(Points(), 5) << c.name;
    EXPECT_FALSE(pm.BackSpaceArmed()) << c.name;
    EXPECT_FALSE(pm.HookStarted()) << c.name;
  }
}

TEST_F(BackSpaceCancel, TickCountWrapIsNoTimeOver) {
  now = 0xFFFFFF00u;
  Complete();
  pm.KeyEvent(VK_BACK, false, 0x100);  // 512 ms later, past the wrap
  EXPECT_TRUE(Cancelled());
}

TEST_F(BackSpaceCancel, WithoutHookTheBoxKeyDownServes) {
  source.CanStart = false;
  Complete();
  EXPECT_TRUE(pm.BackSpaceArmed());
  EXPECT_FALSE(pm.HookStarted());
  now += 300;
  pm.BoxKeyDown(VK_BACK);
  EXPECT_TRUE(Cancelled());
  EXPECT_EQ(Points(), 3);
  pm.BoxKeyDown(VK_BACK);  // nothing armed any more
  EXPECT_TRUE(Cancelled());
}

TEST_F(BackSpaceCancel, BoxKeyDownAfterTheWindowOrAnotherKey) {
  source.CanStart = false;
  Complete();
  now += 800;
  pm.BoxKeyDown(VK_BACK);
  EXPECT_FALSE(Cancelled());
  Complete();
  pm.BoxKeyDown(VK_RIGHT);
  pm.BoxKeyDown(VK_BACK);
  EXPECT_FALSE(Cancelled());
}

TEST_F(BackSpaceCancel, NoCancelWithoutTypedTextOrWhenOff) {
  Complete("");
  EXPECT_FALSE(pm.BackSpaceArmed());
  pm.EnableBackSpaceCancel = false;
  Complete();
  EXPECT_FALSE(pm.BackSpaceArmed());
  pm.KeyEvent(VK_BACK, false, now + 10);
  EXPECT_FALSE(Cancelled());
}

TEST_F(BackSpaceCancel, VanishedKeywordIsSkipped) {
  Complete();
  Find("k1")->Delete();
  pm.KeyEvent(VK_BACK, false, now + 10);
  EXPECT_EQ(Names(""), (V{"k0", "k2", "k3"}));
}

TEST_F(BackSpaceCancel, NextCompletionRestartsTheWindow) {
  Complete();
  now += 600;
  Complete();
  EXPECT_EQ(source.Starts, 2);
  pm.KeyEvent(VK_BACK, false, now + 600);
  EXPECT_TRUE(Cancelled());
}

TEST_F(BackSpaceCancel, DestroyStopsTheHook) {
  {
    TPriorityManager other(&m);
    other.SetKeySource(&source);
    other.EnableBackSpaceCancel = true;
    other.Complemented(Find("k1").get(), "k");
    EXPECT_TRUE(source.Started());
  }
  EXPECT_FALSE(source.Started());
}

}  // namespace
