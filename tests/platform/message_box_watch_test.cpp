// The message box watch that the suites use: each box is recorded as MessageBoxA was asked to show
// it, and gets the queued answer. Under Wine this reads real boxes, on the host winsim's record.
#include "common/message_boxes.h"

#include <gtest/gtest.h>

#include "common/sandbox.h"

TEST(MessageBoxWatch, RecordsEachBoxAndReturnsTheQueuedAnswers) {
  struct Row {
    const char *text;
    UINT style;
    int answer;  // 0: leave the queue empty, the box gets IDOK
    int expected;
  };
  const Row rows[] = {
      {"Plain OK", MB_OK, 0, IDOK},
      {"Error", MB_OK | MB_ICONERROR, 0, IDOK},
      {"Warning, go on", MB_OKCANCEL | MB_ICONWARNING, IDOK, IDOK},
      {"Warning, stop", MB_OKCANCEL | MB_ICONWARNING, IDCANCEL, IDCANCEL},
      {"Information", MB_OK | MB_ICONINFORMATION, 0, IDOK},
      {"Question", MB_YESNO | MB_ICONQUESTION, IDNO, IDNO},
  };
  Sandbox sandbox;
  MessageBoxWatch watch;
  for (const Row &row : rows) {
    SCOPED_TRACE(row.text);
    if (row.answer != 0) watch.Answer(row.answer);
    EXPECT_EQ(row.expected, MessageBoxA(NULL, row.text, "Watch caption", row.style));
  }
  std::vector<ShownMessageBox> shown = watch.Shown();
  ASSERT_EQ(sizeof rows / sizeof rows[0], shown.size());
  for (size_t i = 0; i < shown.size(); i++) {
    SCOPED_TRACE(rows[i].text);
    EXPECT_EQ(nullptr, shown[i].owner);
    EXPECT_EQ(rows[i].text, shown[i].text);
    EXPECT_EQ("Watch caption", shown[i].caption);
    EXPECT_EQ(rows[i].style, shown[i].style);
  }
}

TEST(MessageBoxWatch, SeesOnlyTheBoxesShownWhileItLives) {
  Sandbox sandbox;
  {
    MessageBoxWatch earlier;
    MessageBoxA(NULL, "Before", "Watch caption", MB_OK);
    EXPECT_EQ(1u, earlier.Shown().size());
  }
  MessageBoxWatch watch;
  EXPECT_TRUE(watch.Shown().empty());
  MessageBoxA(NULL, "After", "Watch caption", MB_OK);
  ASSERT_EQ(1u, watch.Shown().size());
  EXPECT_EQ("After", watch.Shown()[0].text);
}
