#include <gtest/gtest.h>

#include <vector>

#include "core/AppEvents.h"
#include "core/Easy_Cache.h"
#include "core/Easy_Integer_Cache.h"
#include "core/Easy_List_Cache.h"

namespace {

TEST(AppEvents, RaiseCallsSubscribersInOrderUntilUnsubscribed) {
  std::vector<int> calls;
  app::TSubscription a = app::SubscribeDeactivated([&] { calls.push_back(1); });
  app::TSubscription b = app::SubscribeDeactivated([&] { calls.push_back(2); });
  app::RaiseDeactivated();
  app::UnsubscribeDeactivated(a);
  app::UnsubscribeDeactivated(a);  // twice is harmless
  app::RaiseDeactivated();
  app::UnsubscribeDeactivated(b);
  app::RaiseDeactivated();
  EXPECT_EQ(calls, (std::vector<int>{1, 2, 2}));
}

TEST(AppEvents, HandlerMayRemoveItselfAndLaterOnesDuringRaise) {
  std::vector<int> calls;
  app::TSubscription second = 0;
  app::TSubscription first = 0;
  first = app::SubscribeDeactivated([&] {
    calls.push_back(1);
    app::UnsubscribeDeactivated(first);
    app::UnsubscribeDeactivated(second);
  });
  second = app::SubscribeDeactivated([&] { calls.push_back(2); });
  app::RaiseDeactivated();
  app::RaiseDeactivated();
  EXPECT_EQ(calls, (std::vector<int>{1}));
}

// Counts released values, to see the cache's ownership at work.
class TCountingCache : public TEasyCache {
 public:
  explicit TCountingCache(std::vector<void*>& freed) : freed_(freed) {}
  ~TCountingCache() override { Clear(); }

 protected:
  void FreeValue(void* value) override { freed_.push_back(value); }

 private:
  std::vector<void*>& freed_;
};

int a, b, c;

TEST(EasyCache, KeysIgnoreCaseAndPutReplacesReleasingTheOldValue) {
  std::vector<void*> freed;
  TCountingCache cache(freed);
  cache.Put("C:\\Dir", &a);
  cache.Put("ソフト", &b);
  EXPECT_EQ(cache.Get("c:\\dir"), &a);
  EXPECT_EQ(cache.Get("ソフト"), &b);
  EXPECT_EQ(cache.Get("C:\\Dir\\"), nullptr);
  cache.Put("c:\\DIR", &c);
  EXPECT_EQ(cache.Count(), 2);
  EXPECT_EQ(cache.Get("C:\\Dir"), &c);
  EXPECT_EQ(freed, (std::vector<void*>{&a}));
  cache.Clear();
  EXPECT_EQ(cache.Count(), 0);
  EXPECT_EQ(freed, (std::vector<void*>{&a, &c, &b}));  // in key order
}

TEST(EasyCache, EmptiesOnDeactivationOnlyWhileAutoClearIsOn) {
  std::vector<void*> freed;
  TCountingCache cache(freed);
  EXPECT_TRUE(cache.AutoClear());
  cache.Put("k", &a);
  app::RaiseDeactivated();
  EXPECT_EQ(cache.Get("k"), nullptr);
  cache.SetAutoClear(false);
  cache.Put("k", &b);
  app::RaiseDeactivated();
  EXPECT_EQ(cache.Get("k"), &b);
}

TEST(EasyCache, DestroyedCacheNoLongerListens) {
  std::vector<void*> freed;
  { TCountingCache cache(freed); cache.Put("k", &a); }
  EXPECT_EQ(freed, (std::vector<void*>{&a}));
  app::RaiseDeactivated();  // must not reach the freed cache
  EXPECT_EQ(freed.size(), 1u);
}

TEST(EasyListCache, PutCopiesAndGetHandsOutTheCachedList) {
  TEasyListCache cache;
  TStringList list({"a", "b"});
  cache.Put("K", list);
  list.Add("c");
  ASSERT_NE(cache.Get("k"), nullptr);
  EXPECT_EQ(cache.Get("k")->Items(), (std::vector<std::string>{"a", "b"}));
  TStringList* cached = cache.Get("k");
  cache.Put("k", TStringList({"x"}));
  EXPECT_EQ(cache.Get("K"), cached);  // the same list, new lines
  EXPECT_EQ(cached->Items(), (std::vector<std::string>{"x"}));
  app::RaiseDeactivated();
  EXPECT_EQ(cache.Get("k"), nullptr);
}

TEST(EasyIntegerCache, ZeroMeansAbsent) {
  TEasyIntegerCache cache;
  EXPECT_EQ(cache.Get("x"), 0);
  cache.Put("x", 5);
  cache.Put("y", -3);
  EXPECT_EQ(cache.Get("X"), 5);
  EXPECT_EQ(cache.Get("y"), -3);
  app::RaiseDeactivated();
  EXPECT_EQ(cache.Get("x"), 0);
}

}  // namespace
