// Host requests: progress, dialog notices and the object loop.
#include <gtest/gtest.h>

#include <effect/common.h>
#include <hostcommon.h>

#include <vector>

namespace {

struct Request {
  LONG code, value1, value2;
  LONG_PTR argument;
};

// A host request function that records every call and answers object
// requests from the current test's list.
std::vector<Request> g_requests;
std::vector<T32OBJECTENTRY> g_objects;

LONG RecordingHost(LONG code, LONG value1, LONG value2, LONG_PTR argument) {
  g_requests.push_back({code, value1, value2, argument});
  if (code == T32_REQ_OBJECT_COUNT) *reinterpret_cast<LONG*>(argument) = static_cast<LONG>(g_objects.size());
  if (code == T32_REQ_OBJECT_LIST) {
    auto* list = reinterpret_cast<T32OBJECTENTRY*>(argument);
    for (size_t i = 0; i < g_objects.size(); ++i) list[i] = g_objects[i];
  }
  return 7;
}

T32HOSTOBJECT Host(LONG start, LONG end) { return T32HOSTOBJECT{0, RecordingHost, 99, start, end}; }

class HostRequestTest : public testing::Test {
 protected:
  void SetUp() override {
    g_requests.clear();
    g_objects.clear();
  }
};

TEST_F(HostRequestTest, ProgressSendsRisingValuesWithUserValue) {
  T32HOSTOBJECT host = Host(10, 30);
  effect::Progress progress(&host);
  progress.Begin();
  for (int done = 0; done <= 8; ++done) progress.Step(done, 8);
  progress.End();
  std::vector<LONG> codes, values;
  for (const Request& r : g_requests) {
    codes.push_back(r.code);
    values.push_back(r.value1);
    EXPECT_EQ(r.argument, 99);
  }
  EXPECT_EQ(codes, (std::vector<LONG>{1, 2, 2, 2, 2, 2, 2, 2, 2, 4}));
  EXPECT_EQ(values, (std::vector<LONG>{10, 12, 15, 17, 20, 22, 25, 27, 30, 30}));
}

TEST_F(HostRequestTest, NoHostNoRequests) {
  effect::Progress progress(nullptr);
  progress.Begin();
  progress.Step(1, 2);
  progress.End();
  EXPECT_FALSE(progress.CancelRequested());
  EXPECT_EQ(effect::HostRequest(nullptr, 1018, 0, 0, 0, 1), 1);
  T32HOSTOBJECT silent = {0, nullptr, 0, 0, 100};
  EXPECT_EQ(effect::HostRequest(&silent, 1018, 0, 0, 0, 5), 5);
  EXPECT_TRUE(g_requests.empty());
}

TEST_F(HostRequestTest, DialogNoticeCarriesWindow) {
  T32HOSTOBJECT host = Host(0, 100);
  effect::NotifyDialog(&host, effect::kDialogInitialised, 0, 1234);
  effect::NotifyDialog(&host, effect::kDialogClosing, effect::kClosedWithCancel, 1234);
  ASSERT_EQ(g_requests.size(), 2u);
  EXPECT_EQ(g_requests[0].code, 78);
  EXPECT_EQ(g_requests[0].value1, 272);
  EXPECT_EQ(g_requests[1].value1, 273);
  EXPECT_EQ(g_requests[1].value2, 2);
  EXPECT_EQ(g_requests[1].argument, 1234);
}

TEST_F(HostRequestTest, SingleObjectWorksOnSourceAndResult) {
  T32HOSTOBJECT host = Host(0, 100);
  g_objects.resize(1);
  HBUF result = 0;
  int calls = 0;
  BOOL ok = effect::ForEachObject(&host, 11, 22, &result, 72201,
                                  [&](HBUF source, HANDLE second, HBUF* slot, T32HOSTOBJECT*) {
                                    ++calls;
                                    EXPECT_EQ(source, 11u);
                                    EXPECT_EQ(second, 22u);
                                    EXPECT_EQ(slot, &result);
                                    return TRUE;
                                  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(calls, 1);
  ASSERT_EQ(g_requests.size(), 1u);
  EXPECT_EQ(g_requests[0].code, T32_REQ_OBJECT_COUNT);
}

TEST_F(HostRequestTest, ObjectsShareProgressRangeInTurn) {
  T32HOSTOBJECT host = Host(10, 100);
  HBUF results[3] = {};
  for (int i = 0; i < 3; ++i) g_objects.push_back({HBUF(100 + i), HANDLE(200 + i), &results[i]});
  std::vector<std::pair<LONG, LONG>> ranges;
  std::vector<HBUF> sources;
  BOOL ok = effect::ForEachObject(&host, 1, 2, nullptr, 72201,
                                  [&](HBUF source, HANDLE, HBUF*, T32HOSTOBJECT* h) {
                                    ranges.push_back({h->progressStart, h->progressEnd});
                                    sources.push_back(source);
                                    return TRUE;
                                  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(sources, (std::vector<HBUF>{100, 101, 102}));
  EXPECT_EQ(ranges, (std::vector<std::pair<LONG, LONG>>{{10, 40}, {40, 70}, {70, 100}}));
  EXPECT_EQ(host.progressStart, 10);
  EXPECT_EQ(host.progressEnd, 100);
}

TEST_F(HostRequestTest, FailedObjectFreesEveryResult) {
  T32HOSTOBJECT host = Host(0, 100);
  HBUF results[3] = {};
  for (int i = 0; i < 3; ++i) g_objects.push_back({HBUF(100 + i), 0, &results[i]});
  COLORREF black = 0;
  int calls = 0;
  BOOL ok = effect::ForEachObject(&host, 1, 2, nullptr, 72201,
                                  [&](HBUF, HANDLE, HBUF* slot, T32HOSTOBJECT*) {
                                    if (++calls == 2) {
                                      *slot = 0xDEAD;  // not a live buffer: only cleared
                                      return FALSE;
                                    }
                                    return buf32Alloc(slot, 24, 4, 4, BUF_KIND_FILLED, &black);
                                  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(calls, 2);
  for (HBUF r : results) EXPECT_EQ(r, 0u);
}

}  // namespace
