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
