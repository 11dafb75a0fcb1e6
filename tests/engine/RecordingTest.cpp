#include "Recording.h"
#include "TestSupport.h"

namespace {

using RecordingTest = twtest::LoggedTest;

// A second recording is refused: the one being written keeps its file and its end line.
TEST_F(RecordingTest, ASecondRecordingLeavesTheFirstWhole) {
  tw::Recording recording;
  ASSERT_EQ(recording.record("first.rec", 1, 33, 80, 24), 0);
  EXPECT_EQ(recording.record("second.rec", 1, 33, 80, 24), -1);
  recording.stop(5);
  EXPECT_TRUE(twtest::contains(twtest::linesOf("first.rec"), "end 5"));
  EXPECT_EQ(recording.replay("first.rec"), 0) << logged();
  EXPECT_TRUE(twtest::contains(twtest::linesOf("tarnwick.log"), "'second.rec' not started"));
}

} // namespace

namespace {

const std::string HEAD = "tarnwick-recording 1\nseed 7\nframe_time 33\ngrid 80 24\n";

/// A recording's text, and how it reads: its end step and its last entry ("step kind"), or the
/// error.
struct Cut {
  std::string text;
  std::string read;
};

// A recording cut short replays up to its last whole step, then closes; what is damaged before
// the cut is refused.
TEST_F(RecordingTest, ACutRecordingReplaysUpToItsLastWholeStep) {
  const Cut cuts[] = {
      {HEAD + "2 key pressed A\n3 screen 0000abcd\n4 close\nend 5\n", "end 5, 4 close"},
      {HEAD + "2 key pressed A\n3 screen 0000abcd\n", "end 4, 3 close, cut at 3"},
      {HEAD + "2 key pressed A\n3 screen 0000ab", "end 3, 2 close, cut at 2"},
      {HEAD + "2 key pressed A\n3 screen 0000abcd\n9 key pressed A", "end 4, 3 close, cut at 3"},
      {HEAD + "2 key pressed A\n3 screen 0000abcd\nend 5", "end 5, 2 key"},
      {HEAD + "2 key pressed A\n30 screen 0000abcd\nend 3", "end 31, 30 close, cut at 30"},
      {HEAD, "end 1, 0 close, cut at 0"},
      {HEAD + "2147483647 key pressed A\n", "end 2147483647, 2147483647 close, cut at 2147483647"},
      {HEAD.substr(0, HEAD.size() - 3), "line 4: truncated: the header is incomplete"},
      {HEAD + "2 key pressed NOSUCHKEY\n3 screen 0000abcd\n", "line 5: bad key entry"},
      {HEAD + "2 key pressed A\nend 5\n3 screen", "line 7: text after the end line"}};
  for (const Cut& cut : cuts) {
    tw::Recording recording;
    std::string error, read;
    if (recording.parse(cut.text, error) == 0) {
      const tw::Recording::Entry& last = recording.getEntries().back();
      read = "end " + std::to_string(recording.getEndStep()) + ", " + std::to_string(last.step) +
             (last.kind == tw::Recording::CLOSE ? " close" : " key");
      if (recording.getCutStep() >= 0)
        read += ", cut at " + std::to_string(recording.getCutStep());
    }
    EXPECT_EQ(read.empty() ? error : read, cut.read) << cut.text;
  }
  writeFile("cut.rec", HEAD + "2 key pressed A\n3 screen 0000ab");
  tw::Recording recording;
  EXPECT_EQ(recording.replay("cut.rec"), 0);
  EXPECT_EQ(logged(),
            "   0 Recording::replay(): Warning! 'cut.rec' has no end line: replaying it up "
            "to step 2, its last whole step\n");
}

} // namespace
