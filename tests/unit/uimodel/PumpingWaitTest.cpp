#include "ui/model/PumpingWait.h"

#include <gtest/gtest.h>

#include <vector>

namespace tagsling::ui {
namespace {

// A thread on a virtual clock: the awaited program answers at `ready_at`
// (or never), messages arrive every `message_every` ms (0: none), and the
// pump meets WM_QUIT from `quit_at` on.
struct Scene {
  std::uint64_t clock = 1000;
  std::uint64_t ready_at = UINT64_MAX;
  bool fails = false;
  unsigned message_every = 0;
  std::uint64_t quit_at = UINT64_MAX;
  int polls = 0;
  int pumps = 0;
  std::vector<unsigned> sleeps;  // asked for
  std::uint64_t start = clock;

  WaitSteps Steps() {
    return {[this] {
              ++polls;
              if (fails) return WaitPoll::kFailed;
              return clock - start >= ready_at ? WaitPoll::kReady : WaitPoll::kNotYet;
            },
            [this](unsigned ms) {
              sleeps.push_back(ms);
              clock += message_every != 0 && message_every < ms ? message_every : ms;
            },
            [this] {
              ++pumps;
              return clock - start < quit_at;
            },
            [this] { return clock; }};
  }
};

TEST(PumpingWait, EndsWithTheAnswerTheBoundOrTheQuit) {
  struct Case {
    const char* name;
    std::uint64_t ready_at;
    bool fails;
    unsigned message_every;
    std::uint64_t quit_at;
    unsigned bound;
    WaitOutcome outcome;
    std::uint64_t elapsed;  // virtual ms when the wait ended
  };
  const Case cases[] = {
      {"ready at once", 0, false, 0, UINT64_MAX, 10000, WaitOutcome::kReady, 0},
      {"ready after 120 ms", 120, false, 0, UINT64_MAX, 10000, WaitOutcome::kReady, 150},
      {"never ready", UINT64_MAX, false, 0, UINT64_MAX, 10000, WaitOutcome::kTimedOut, 10000},
      {"never ready, a bound between slices", UINT64_MAX, false, 0, UINT64_MAX, 1030, WaitOutcome::kTimedOut, 1030},
      {"messages all the time", UINT64_MAX, false, 3, UINT64_MAX, 300, WaitOutcome::kTimedOut, 300},
      {"the program cannot be waited for", 0, true, 0, UINT64_MAX, 10000, WaitOutcome::kFailed, 0},
      {"the program is closing", UINT64_MAX, false, 0, 400, 30000, WaitOutcome::kQuit, 400},
      {"no time at all", UINT64_MAX, false, 0, UINT64_MAX, 0, WaitOutcome::kTimedOut, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scene scene;
    scene.ready_at = c.ready_at;
    scene.fails = c.fails;
    scene.message_every = c.message_every;
    scene.quit_at = c.quit_at;
    EXPECT_EQ(WaitWhilePumping(scene.Steps(), c.bound), c.outcome);
    EXPECT_EQ(scene.clock - scene.start, c.elapsed);
    // Every sleep is one slice at most and is followed by a pump; the
    // answer is asked for before each sleep.
    EXPECT_EQ(scene.pumps, static_cast<int>(scene.sleeps.size()));
    EXPECT_EQ(scene.polls, c.outcome == WaitOutcome::kQuit ? scene.pumps : scene.pumps + 1);
    for (unsigned ms : scene.sleeps) {
      EXPECT_GE(ms, 1u);
      EXPECT_LE(ms, kWaitSliceMs);
    }
  }
}

TEST(PumpingWait, TheProgramsBoundsAreTheirs) {
  EXPECT_EQ(kEditorIdleWaitMs, 10000u);
  EXPECT_EQ(kDdeServerWaitMs, 10000u);
  EXPECT_EQ(kClassDetectionWaitMs, 30000u);
  // A message never waits longer than the slice, well inside the half
  // second in which a window must answer to look alive.
  EXPECT_LE(kWaitSliceMs, 100u);
}

}  // namespace
}  // namespace tagsling::ui
