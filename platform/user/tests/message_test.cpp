// Sending and posting, the queue, translation, and timers in virtual time.
#include <gtest/gtest.h>

#include "recorder.h"
#include "step_agent.h"

using usertest::Log;
using usertest::MakeRecorder;
using usertest::Messages;

namespace {

class MessageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Log().clear();
    window = MakeRecorder(WS_POPUP, 0, 0);
  }
  void TearDown() override {
    DestroyWindow(window);
    MSG m;
    while (PeekMessageA(&m, 0, 0, 0, PM_REMOVE)) {
    }
  }
  HWND window = 0;
};

TEST_F(MessageTest, PostedMessagesComeInOrderAndPeekCanLeaveThem) {
  Log().clear();
  PostMessageA(window, WM_USER + 1, 1, 0);
  PostMessageA(window, WM_USER + 2, 2, 0);
  EXPECT_TRUE(Messages(window).empty());  // nothing delivered yet
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  ASSERT_TRUE(PeekMessageA(&msg, 0, WM_USER + 2, WM_USER + 2, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
  ASSERT_TRUE(GetMessageA(&msg, 0, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  DispatchMessageA(&msg);
  EXPECT_EQ(Messages(window), std::vector<UINT>{WM_USER + 1});
  EXPECT_FALSE(PostMessageA(0x12345678, WM_USER, 0, 0));
}

TEST_F(MessageTest, QuitEndsTheLoopAndAnIdleLoopWithoutAgentEnds) {
  PostQuitMessage(3);
  MSG msg;
  EXPECT_FALSE(GetMessageA(&msg, 0, 0, 0));
  EXPECT_EQ(msg.wParam, 3u);
  // Nothing queued, no agent: the loop is not left waiting.
  ShowWindow(window, SW_SHOW);
  int rounds = 0;
  while (GetMessageA(&msg, 0, 0, 0) && ++rounds < 100) DispatchMessageA(&msg);
  EXPECT_LT(rounds, 100);
  EXPECT_FALSE(IsWindow(window));  // closed as the user would
}

TEST_F(MessageTest, TranslateTurnsKeysIntoCharacters) {
  struct Case {
    UINT vk;
    char expected;
  };
  const Case cases[] = {{'A', 'a'}, {'7', '7'}, {VK_SPACE, ' '}, {VK_RETURN, '\r'}, {VK_NUMPAD3, '3'}};
  for (const Case& c : cases) {
    MSG key{window, WM_KEYDOWN, c.vk, 1, 0, {}};
    EXPECT_TRUE(TranslateMessage(&key));
    MSG ch;
    ASSERT_TRUE(PeekMessageA(&ch, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(ch.message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(static_cast<char>(ch.wParam), c.expected);
  }
  MSG key{window, WM_KEYDOWN, VK_F5, 1, 0, {}};
  EXPECT_FALSE(TranslateMessage(&key));
}

std::vector<std::pair<UINT_PTR, DWORD>> g_fired;
void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD time) {
  g_fired.push_back({id, time});
}

TEST_F(MessageTest, TimersFireInOrderOfVirtualTime) {
  lvtest::StepAgent agent({});
  g_fired.clear();
  ASSERT_TRUE(SetTimer(window, 1, 100, OnTimer));
  ASSERT_TRUE(SetTimer(window, 2, 250, OnTimer));
  MSG probe;
  EXPECT_FALSE(PeekMessageA(&probe, 0, WM_TIMER, WM_TIMER, PM_NOREMOVE));  // time stands still
  DWORD start = GetMessageTime();
  (void)start;
  lv::LetTimePass(500);
  std::vector<UINT_PTR> ids;
  for (auto& f : g_fired) ids.push_back(f.first);
  EXPECT_EQ(ids, (std::vector<UINT_PTR>{1, 1, 2, 1, 1, 1, 2}));
  ASSERT_EQ(g_fired.size(), 7u);
  EXPECT_EQ(g_fired[1].second - g_fired[0].second, 100u);
  EXPECT_EQ(g_fired[2].second - g_fired[0].second, 150u);
  EXPECT_TRUE(KillTimer(window, 1));
  EXPECT_FALSE(KillTimer(window, 1));
  g_fired.clear();
  lv::LetTimePass(250);
  ASSERT_EQ(g_fired.size(), 1u);
  EXPECT_EQ(g_fired[0].first, 2u);
  // A window timer without a procedure arrives as WM_TIMER.
  Log().clear();
  SetTimer(window, 9, 50, nullptr);
  lv::LetTimePass(120);
  EXPECT_EQ(Messages(window, {WM_TIMER}), (std::vector<UINT>{WM_TIMER, WM_TIMER}));
  DestroyWindow(window);  // its timers go with it
  g_fired.clear();
  lv::LetTimePass(1000);
  EXPECT_TRUE(g_fired.empty());
}

TEST_F(MessageTest, SendReturnsTheResultAndRegisteredMessagesAreStable) {
  EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 0);
  UINT a = RegisterWindowMessageA("LvTestMessage");
  EXPECT_GE(a, 0xC000u);
  EXPECT_EQ(RegisterWindowMessageA("lvtestmessage"), a);
  EXPECT_NE(RegisterWindowMessageA("Other"), a);
}

}  // namespace
