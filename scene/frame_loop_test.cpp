#include "scene/frame_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "desk/desk_state.h"
#include "scene/testing/scripted_pace_clock.h"

namespace {

constexpr int64_t kTicksPerSecond = 10'000'000;
constexpr int64_t kMillisecond = kTicksPerSecond / 1000;
constexpr int64_t Seconds(double seconds) {
  return static_cast<int64_t>(seconds * kTicksPerSecond);
}

// The scene's side of the loop, recorded: every call, with the time it came at.
class RecordingScene final : public FrameScene {
 public:
  explicit RecordingScene(const ScriptedClock& clock) : clock_(clock) {}

  struct Frame {
    int64_t at;
    int steps;
    float fraction;
  };

  void Advance(int steps) override { pendingSteps_ = steps; }
  void RenderFrame(float fraction) override {
    frames.push_back({Now(), pendingSteps_, fraction});
    pendingSteps_ = 0;
  }
  void Resize(int width, int height) override { resizes.push_back({Now(), width, height}); }

  int64_t StepsBetween(int64_t from, int64_t to) const {
    int64_t steps = 0;
    for (const Frame& frame : frames) {
      steps += frame.at >= from && frame.at < to ? frame.steps : 0;
    }
    return steps;
  }
  int64_t FramesBetween(int64_t from, int64_t to) const {
    return std::count_if(frames.begin(), frames.end(),
                         [&](const Frame& frame) { return frame.at >= from && frame.at < to; });
  }
  int MostStepsInOneFrame() const {
    int most = 0;
    for (const Frame& frame : frames) most = std::max(most, frame.steps);
    return most;
  }

  struct Size {
    int64_t at;
    int width, height;
  };
  std::vector<Frame> frames;
  std::vector<Size> resizes;

 private:
  int64_t Now() const { return clock_.now_; }
  const ScriptedClock& clock_;
  int pendingSteps_ = 0;
};

// A platform on a scripted clock. Waits pass on the clock at once, up to the next scripted
// event, which is the input that ends them; showing a frame costs `frameTicks` of wall time and
// `frameCpuTicks` of CPU time.
class ScriptedPlatform final : public FramePlatform {
 public:
  ScriptedPlatform() { start = clock.now_; }

  // `happen` runs in the first PumpInput at or after `at` ticks from the start.
  void At(int64_t at, std::function<void()> happen) {
    events_.push_back({start + at, std::move(happen)});
    std::stable_sort(events_.begin(), events_.end(),
                     [](const Event& a, const Event& b) { return a.at < b.at; });
  }
  void StopAt(int64_t at) {
    At(at, [this] { stopped = true; });
  }

  bool PumpInput(const LoopProgress& sofar) override {
    ++pumps;
    progress = sofar;
    while (!events_.empty() && events_.front().at <= clock.now_) {
      const std::function<void()> happen = std::move(events_.front().happen);
      events_.erase(events_.begin());
      happen();
    }
    return !stopped;
  }
  bool Visible() const override { return visible; }
  bool TakeNewSize(int& width, int& height) override {
    if (!newSize) return false;
    newSize = false;
    width = newWidth;
    height = newHeight;
    return true;
  }
  void WaitForInput(int64_t ticks) override {
    const int64_t nextEvent = events_.empty() ? INT64_MAX : events_.front().at;
    if (ticks == kNoTimeLimit) {
      ++unlimitedWaits;
      // With nothing left to wake it, the loop would wait for ever: end the test instead.
      if (events_.empty()) stopped = true;
      clock.now_ = std::max(clock.now_, nextEvent == INT64_MAX ? clock.now_ : nextEvent);
      return;
    }
    if (ticks <= 0) ++instantWaits;
    ++timedWaits;
    clock.now_ =
        std::min(clock.now_ + std::max<int64_t>(ticks, 1), std::max(clock.now_, nextEvent));
  }
  void ShowFrame(int64_t drawingSince) override {
    shownFramesBegan.push_back(drawingSince);
    clock.now_ += frameTicks;
    cpu.now_ += frameCpuTicks;
    if (refreshTicks > 0) {
      // The swap waits for the next refresh, which shows the frame.
      const auto refresh = static_cast<int64_t>(std::ceil((clock.now_ - start) / refreshTicks));
      clock.now_ = start + static_cast<int64_t>(std::ceil(refresh * refreshTicks));
      shownAtRefresh.push_back(refresh);
    }
  }
  int RefreshHz() override { return refreshHz; }
  bool SwapsMayWaitForDisplay() override { return swapsMayWait; }
  PaceClock& WallClock() override { return clock; }
  PaceClock* ProcessCpuClock() override { return withCpuClock ? &cpu : nullptr; }
  void Report(const char* line) override { reports.emplace_back(line); }
  void PacingChanged(bool on) override { pacing.push_back({clock.now_, on}); }

  void Resize(int width, int height) {
    newSize = true;
    newWidth = width;
    newHeight = height;
  }

  ScriptedClock clock{kTicksPerSecond};
  ScriptedClock cpu{kTicksPerSecond};
  int64_t start = 0;
  int64_t frameTicks = 2 * kMillisecond;
  int64_t frameCpuTicks = 1 * kMillisecond;
  bool withCpuClock = false;
  int refreshHz = 60;
  // The display's true refresh period, in ticks, when each swap waits for it; 0: swaps return at
  // once.
  double refreshTicks = 0;
  bool swapsMayWait = false;
  bool visible = true;
  bool stopped = false;
  bool newSize = false;
  int newWidth = 0, newHeight = 0;

  int64_t pumps = 0, timedWaits = 0, instantWaits = 0, unlimitedWaits = 0;
  std::vector<int64_t> shownFramesBegan;  // what ShowFrame was told
  std::vector<int64_t> shownAtRefresh;    // the refresh that showed each frame, when swaps wait
  LoopProgress progress;
  std::vector<std::string> reports;
  struct Pacing {
    int64_t at;
    bool on;
  };
  std::vector<Pacing> pacing;  // what PacingChanged was told, when

 private:
  struct Event {
    int64_t at;
    std::function<void()> happen;
  };
  std::vector<Event> events_;
};

LoopProgress RunLoop(ScriptedPlatform& platform, RecordingScene& scene, bool reportPace = true,
                     const std::string& glRenderer = "AMD Radeon RX 6600") {
  return RunFrameLoop(platform, scene, {glRenderer, reportPace});
}

int64_t SkippedIn(const std::string& paceLine) {
  long long steps = 0, frames = 0, skipped = -1;
  std::sscanf(paceLine.c_str(), "mirebora: steps %lld frames %lld skipped %lld", &steps, &frames,
              &skipped);
  return skipped;
}

TEST(FrameLoopTest, AMinuteAtTheRefreshRateStepsInWallTimeWithoutSpinningAndReportsItsPace) {
  ScriptedPlatform platform;
  RecordingScene scene(platform.clock);
  platform.StopAt(Seconds(60));
  const LoopProgress progress = RunLoop(platform, scene);

  EXPECT_NEAR(progress.steps, 3600, 1);
  EXPECT_NEAR(progress.frames, 3600, 1);
  EXPECT_EQ(progress.frames, static_cast<int64_t>(scene.frames.size()));
  EXPECT_EQ(scene.MostStepsInOneFrame(), 1);
  EXPECT_EQ(platform.instantWaits, 0);
  EXPECT_EQ(platform.unlimitedWaits, 0);
  // A frame, then one wait for the next: never more passes than that.
  EXPECT_LE(platform.pumps, 2 * progress.frames + 2);
  // Each frame is shown with the time its drawing began.
  ASSERT_EQ(platform.shownFramesBegan.size(), scene.frames.size());
  for (size_t i = 0; i < scene.frames.size(); ++i) {
    ASSERT_EQ(platform.shownFramesBegan[i], scene.frames[i].at) << "frame " << i;
  }
  // No budget on a graphics processor: only the pace line, once a second.
  ASSERT_NEAR(platform.reports.size(), 60u, 1u);
  EXPECT_EQ(platform.reports.front(), "mirebora: steps 61 frames 61 skipped 0\n");

  ScriptedPlatform quiet;
  RecordingScene quietScene(quiet.clock);
  quiet.StopAt(Seconds(5));
  RunLoop(quiet, quietScene, /*reportPace=*/false);
  EXPECT_TRUE(quiet.reports.empty());
}

TEST(FrameLoopTest, WhileTheWindowCannotBeSeenNothingMovesAndTheTimeIsNotMadeUp) {
  ScriptedPlatform platform;
  RecordingScene scene(platform.clock);
  platform.At(Seconds(10), [&] { platform.visible = false; });
  platform.At(Seconds(20), [&] { platform.visible = true; });
  platform.StopAt(Seconds(30));
  const LoopProgress progress = RunLoop(platform, scene);

  const int64_t start = platform.start;
  EXPECT_EQ(scene.FramesBetween(start + Seconds(10.1), start + Seconds(20)), 0);
  EXPECT_GE(platform.unlimitedWaits, 1);
  // Twenty seconds seen, ten not: the scene moved for twenty, one step a frame throughout.
  EXPECT_NEAR(progress.steps, 20 * 60, 2);
  EXPECT_EQ(scene.MostStepsInOneFrame(), 1);
  EXPECT_NEAR(scene.StepsBetween(start + Seconds(20), start + Seconds(30)), 600, 1);
}

// The desk's conditions, overlapping in any order and repeated (displays off, a lock, a sleep):
// while any holds nothing is drawn or stepped and nothing is paced, and the scene goes on after
// each pause, however long, without a burst of steps.
TEST(FrameLoopTest, WhileTheDeskIsAwayNothingIsDrawnOrPacedAndItGoesOnWithoutABurst) {
  ScriptedPlatform platform;
  RecordingScene scene(platform.clock);
  DeskState desk;
  bool windowShown = true;
  const auto follow = [&] { platform.visible = windowShown && desk.Showing(); };
  const auto at = [&](double second, std::function<void()> change) {
    platform.At(Seconds(second), [change, follow] {
      change();
      follow();
    });
  };
  at(5, [&] { desk.DisplayChanged(DeskState::Display::Off); });
  at(7, [&] { desk.SessionLocked(true); });
  at(9, [&] { desk.DisplayChanged(DeskState::Display::On); });
  at(12, [&] { desk.SessionLocked(false); });
  at(20, [&] { desk.Suspended(true); });
  at(50, [&] { desk.Suspended(false); });  // half a minute asleep
  at(55, [&] { desk.SessionConnected(false); });
  at(56, [&] { windowShown = false; });
  at(57, [&] { desk.SessionConnected(true); });
  at(58, [&] { windowShown = true; });
  platform.StopAt(Seconds(70));
  const LoopProgress progress = RunLoop(platform, scene);

  const int64_t start = platform.start;
  const std::vector<std::pair<double, double>> away = {{5, 12}, {20, 50}, {55, 58}};
  for (const auto& [from, to] : away) {
    EXPECT_EQ(scene.FramesBetween(start + Seconds(from + 0.05), start + Seconds(to)), 0)
        << from << " to " << to;
  }
  // Pacing on at the start and after each pause, off at each pause and at the end, and never
  // while away.
  ASSERT_EQ(platform.pacing.size(), 2 * (away.size() + 1));
  for (size_t i = 0; i < platform.pacing.size(); ++i) {
    EXPECT_EQ(platform.pacing[i].on, i % 2 == 0) << i;
  }
  for (size_t i = 0; i < away.size(); ++i) {
    EXPECT_NEAR(platform.pacing[2 * i + 1].at - start, Seconds(away[i].first), Seconds(0.05));
    EXPECT_NEAR(platform.pacing[2 * i + 2].at - start, Seconds(away[i].second), Seconds(0.05));
  }
  // 70 s less 40 s away: 30 s of steps, one a frame throughout.
  EXPECT_NEAR(progress.steps, 30 * 60, 3);
  EXPECT_EQ(scene.MostStepsInOneFrame(), 1);
  EXPECT_GE(platform.unlimitedWaits, 3);
}

// A display at 59.94 Hz, reported as 59, whose swaps wait for it: every refresh of a minute shows
// a new picture, each one step further on average, while steps keep 60 a second.
TEST(FrameLoopTest, SwapsThatWaitForTheDisplayPaceTheFramesWhateverRateItReports) {
  ScriptedPlatform platform;
  RecordingScene scene(platform.clock);
  platform.refreshHz = 59;
  platform.refreshTicks = kTicksPerSecond * 1001.0 / 60000.0;
  platform.swapsMayWait = true;
  platform.StopAt(Seconds(60));
  const LoopProgress progress = RunLoop(platform, scene);

  const std::vector<int64_t>& refreshes = platform.shownAtRefresh;
  ASSERT_GT(refreshes.size(), 3000u);
  int64_t repeated = 0, doubled = 0;
  for (size_t i = 1; i < refreshes.size(); ++i) {
    repeated += refreshes[i] - refreshes[i - 1] > 1;  // a refresh without a new frame
    doubled += refreshes[i] == refreshes[i - 1];      // two frames for one refresh
  }
  EXPECT_EQ(repeated, 0);
  EXPECT_EQ(doubled, 0);
  EXPECT_NEAR(static_cast<double>(refreshes.size()), 60 * 59.94, 2);
  EXPECT_NEAR(progress.steps, 3600, 2);
  EXPECT_EQ(platform.instantWaits, 0);
}

// A driver that takes the swap interval but whose swaps return at once: after a second of frames
// at twice the rate at most, the timer paces them at the refresh rate again.
TEST(FrameLoopTest, SwapsThatDoNotWaitAfterAllGiveThePacingBackToTheTimer) {
  ScriptedPlatform platform;
  RecordingScene scene(platform.clock);
  platform.swapsMayWait = true;
  platform.StopAt(Seconds(10));
  RunLoop(platform, scene);

  const int64_t start = platform.start;
  EXPECT_LE(scene.FramesBetween(start, start + Seconds(1)), 2 * 60 + 1);
  for (int second = 2; second < 10; ++second) {
    EXPECT_NEAR(scene.FramesBetween(start + Seconds(second), start + Seconds(second + 1)), 60, 1)
        << second;
  }
}

TEST(FrameLoopTest, AResizeReachesTheSceneBeforeTheNextFrame) {
  ScriptedPlatform platform;
  RecordingScene scene(platform.clock);
  platform.At(Seconds(2), [&] { platform.Resize(800, 600); });
  platform.At(Seconds(3), [&] { platform.Resize(1920, 1080); });
  platform.StopAt(Seconds(4));
  RunLoop(platform, scene);

  ASSERT_EQ(scene.resizes.size(), 2u);
  EXPECT_EQ(scene.resizes[0].width, 800);
  EXPECT_EQ(scene.resizes[0].height, 600);
  EXPECT_EQ(scene.resizes[1].width, 1920);
  EXPECT_EQ(scene.resizes[1].height, 1080);
  // The first frame after the event is drawn at the new size: no frame between the two.
  const auto firstFrameAfter = [&](int64_t at) {
    return std::find_if(scene.frames.begin(), scene.frames.end(),
                        [&](const RecordingScene::Frame& f) { return f.at >= at; })
        ->at;
  };
  EXPECT_GE(firstFrameAfter(platform.start + Seconds(2)), scene.resizes[0].at);
  EXPECT_LT(scene.resizes[0].at, platform.start + Seconds(2) + 20 * kMillisecond);
}

TEST(FrameLoopTest, AfterAStallTheSceneCatchesUpAQuarterSecondAndLetsTheRestGo) {
  ScriptedPlatform platform;
  RecordingScene scene(platform.clock);
  // The machine stops the program for two seconds.
  platform.At(Seconds(5), [&] { platform.clock.now_ += Seconds(2); });
  platform.StopAt(Seconds(10));
  const LoopProgress progress = RunLoop(platform, scene);

  EXPECT_EQ(scene.MostStepsInOneFrame(), FramePacer::kMaxStepsPerFrame);
  // 120 steps fell due in the stall; 15 were taken.
  EXPECT_NEAR(progress.steps, 600 - 120 + 15, 2);
  ASSERT_FALSE(platform.reports.empty());
  EXPECT_NEAR(SkippedIn(platform.reports.back()), 105, 1);
}

TEST(FrameLoopTest, FramesFollowAChangeOfRefreshRateWhileStepsKeepTheirPace) {
  ScriptedPlatform platform;
  RecordingScene scene(platform.clock);
  platform.At(Seconds(5), [&] { platform.refreshHz = 144; });
  platform.At(Seconds(10), [&] { platform.refreshHz = 0; });  // none reported: 60 assumed
  platform.StopAt(Seconds(15));
  const LoopProgress progress = RunLoop(platform, scene);

  const int64_t start = platform.start;
  EXPECT_NEAR(scene.FramesBetween(start + Seconds(1), start + Seconds(5)), 4 * 60, 2);
  EXPECT_NEAR(scene.FramesBetween(start + Seconds(6), start + Seconds(10)), 4 * 144, 2);
  EXPECT_NEAR(scene.FramesBetween(start + Seconds(11), start + Seconds(15)), 4 * 60, 2);
  EXPECT_NEAR(progress.steps, 15 * 60, 2);
  EXPECT_EQ(platform.instantWaits, 0);
}

TEST(FrameLoopTest, ASoftwareRendererIsAnnouncedOnceAndKeptWithinItsBudget) {
  ScriptedPlatform platform;
  platform.withCpuClock = true;
  platform.frameTicks = 20 * kMillisecond;     // drawn by the processor ...
  platform.frameCpuTicks = 20 * kMillisecond;  // ... on one core
  RecordingScene scene(platform.clock);
  platform.StopAt(Seconds(20));
  const LoopProgress progress =
      RunLoop(platform, scene, /*reportPace=*/false, "llvmpipe (LLVM 15.0.6, 256 bits)");

  ASSERT_EQ(platform.reports.size(), 1u);
  EXPECT_EQ(platform.reports[0],
            "mirebora: drawing in software (llvmpipe (LLVM 15.0.6, 256 bits)): frames within "
            "0.5 cores\n");
  // 20 ms of CPU a frame within half a core: 25 frames a second, the scene still at 60 steps.
  const int64_t start = platform.start;
  EXPECT_NEAR(scene.FramesBetween(start + Seconds(5), start + Seconds(15)), 250, 5);
  EXPECT_NEAR(progress.steps, 20 * 60, 2);
}

}  // namespace
