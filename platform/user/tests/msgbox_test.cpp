// Message boxes, help requests and cursors as the records show them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "step_agent.h"

namespace {

// Answers the boxes in turn from a list (Cancel once it runs out) and notes
// the caption of the window that is active while each box is answered.
class AnswerListAgent : public lvtest::StepAgent {
 public:
  explicit AnswerListAgent(std::vector<int> answers)
      : lvtest::StepAgent({}), answers_(std::move(answers)) {}
  int AnswerMessageBox(HWND, const std::string&, const std::string&, UINT) override {
    captionsSeen.push_back(lvtest::WindowText(GetActiveWindow()));
    return next_ < answers_.size() ? answers_[next_++] : IDCANCEL;
  }
  std::vector<std::string> captionsSeen;

 private:
  std::vector<int> answers_;
  size_t next_ = 0;
};

class RecordsTest : public ::testing::Test {
 protected:
  void SetUp() override { lv::ClearRecords(); }
};

TEST_F(RecordsTest, MessageBoxesAreAnsweredByTheAgentAndRecorded) {
  AnswerListAgent agent({IDNO, IDOK, IDRETRY});
  EXPECT_EQ(MessageBoxA(0, "Datei fehlt", "Hinweis", MB_YESNO | MB_ICONQUESTION), IDNO);
  // An answer the box does not offer becomes its default button.
  EXPECT_EQ(MessageBoxA(0, "Weiter?", nullptr, MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(MessageBoxA(0, "Nochmal", "X", MB_ABORTRETRYIGNORE), IDRETRY);
  const auto& shown = lv::MessageBoxesShown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, "Datei fehlt");
  EXPECT_EQ(shown[0].caption, "Hinweis");
  EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(shown[0].answer, IDNO);
  EXPECT_EQ(shown[1].caption, "Fehler");
  // While the agent answered, the box was the active window.
  EXPECT_EQ(agent.captionsSeen, (std::vector<std::string>{"Hinweis", "Fehler", "X"}));
}

TEST_F(RecordsTest, WithoutAgentTheDefaultButtonAnswers) {
  struct Case {
    UINT type;
    int answer;
  };
  const Case cases[] = {{MB_OK, IDOK},
                        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
                        {MB_YESNOCANCEL, IDYES},
                        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
                        {MB_RETRYCANCEL, IDRETRY},
                        {MB_YESNO | MB_DEFBUTTON4, IDNO}};
  for (const Case& c : cases) EXPECT_EQ(MessageBoxA(0, "t", "c", c.type), c.answer) << c.type;
}

TEST_F(RecordsTest, HelpRequestsAreRecordedAsPassed) {
  EXPECT_TRUE(WinHelpA(0, "TPI1.HLP>d", HELP_CONTEXT, 1234));
  EXPECT_TRUE(WinHelpA(0, "tpi.hlp", HELP_QUIT, 0));
  const auto& help = lv::HelpRequests();
  ASSERT_EQ(help.size(), 2u);
  EXPECT_EQ(help[0].file, "TPI1.HLP>d");
  EXPECT_EQ(help[0].command, static_cast<UINT>(HELP_CONTEXT));
  EXPECT_EQ(help[0].data, 1234u);
  EXPECT_EQ(help[1].command, static_cast<UINT>(HELP_QUIT));
}

TEST_F(RecordsTest, WaitCursorShowsUpInTheHistory) {
  HCURSOR arrow = LoadCursorA(0, IDC_ARROW);
  HCURSOR wait = LoadCursorA(0, IDC_WAIT);
  ASSERT_TRUE(arrow);
  ASSERT_TRUE(wait);
  EXPECT_NE(arrow, wait);
  EXPECT_EQ(LoadCursorA(0, IDC_WAIT), wait);
  EXPECT_FALSE(LoadCursorA(0, MAKEINTRESOURCEA(1)));
  SetCursor(arrow);
  HCURSOR previous = SetCursor(wait);
  SetCursor(previous);
  EXPECT_EQ(lv::CursorHistory(), (std::vector<HCURSOR>{arrow, wait, arrow}));
  EXPECT_EQ(GetCursor(), arrow);
  EXPECT_TRUE(LoadIconA(0, IDI_APPLICATION));
  EXPECT_NE(LoadIconA(0, IDI_APPLICATION), LoadIconA(0, IDI_QUESTION));
}

}  // namespace

namespace {

TEST(Icons, ResourceIconDrawsWhereItsMaskIsClear) {
  HICON icon = LoadIconA(0, MAKEINTRESOURCEA(300));
  ASSERT_TRUE(icon);
  EXPECT_EQ(LoadIconA(0, MAKEINTRESOURCEA(300)), icon);  // shared
  HDC screen = GetDC(0);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(0, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 16, 16};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ASSERT_TRUE(DrawIcon(dc, 2, 2, icon));
  EXPECT_EQ(GetPixel(dc, 3, 3), RGB(255, 0, 0));      // left half: red
  EXPECT_EQ(GetPixel(dc, 8, 3), RGB(255, 255, 255));  // right half: masked out
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));  // outside
  ASSERT_TRUE(DrawIconEx(dc, 0, 0, icon, 16, 16, 0, 0, DI_NORMAL));
  EXPECT_EQ(GetPixel(dc, 7, 15), RGB(255, 0, 0));  // scaled to twice the size
  EXPECT_FALSE(DrawIcon(dc, 0, 0, LoadCursorA(0, IDC_ARROW)));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
