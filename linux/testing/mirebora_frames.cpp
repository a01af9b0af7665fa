// mirebora-frames STEP[,STEP...] [OPTIONS...]: runs the hack as mirebora runs it, with the same
// options, window, desktop grab, pictures and frame loop, on a virtual clock instead of the
// machine's: every wait for the next frame passes at once, so frames follow each other as fast
// as they can be drawn, 60 a second of the virtual clock, one step each. At each listed step it
// prints the scene's state as `scene-trace STEP...` prints it; after the last it ends the loop
// as a stop signal would and releases everything. Then it prints the steps and frames on the
// standard error. Exit code: the program's, or 2 for a bad command line or a step passed over.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "linux/saver_options.h"
#include "linux/x11/loop_seams.h"
#include "linux/x11/saver_program.h"
#include "linux/x11/stop_signals.h"
#include "tools/scene_trace_format.h"

namespace {

constexpr int kUsageError = 2;
constexpr int64_t kNanosecondsPerSecond = 1'000'000'000;
// A wait without a time limit (the window unmapped) waits for real, a little at a time.
constexpr int64_t kUnmappedWaitNanoseconds = 100'000'000;

class VirtualLoopClock final : public LoopClock {
 public:
  int64_t Now() override { return now_; }
  int64_t TicksPerSecond() const override { return kNanosecondsPerSecond; }
  void WaitForInput(int fd, int64_t ticks) override {
    if (ticks < 0) {
      WaitForInputOrSignal(fd, kUnmappedWaitNanoseconds);
      return;
    }
    now_ += ticks;
  }

 private:
  int64_t now_ = 0;
};

// Prints the state at each listed step and stops after the last, or on a stop signal.
class StopAfterSteps final : public StopRequest {
 public:
  explicit StopAfterSteps(std::vector<long> steps) : steps_(std::move(steps)) {}

  bool Requested(const Scene& scene, const LoopProgress& progress) override {
    last_ = progress;
    while (next_ < steps_.size() && steps_[next_] <= progress.steps) {
      if (steps_[next_] != progress.steps) {
        passedOver_ = true;
        return true;
      }
      PrintSceneState(stdout, scene, steps_[next_]);
      std::fflush(stdout);
      ++next_;
    }
    return next_ == steps_.size() || StopSignalReceived();
  }

  bool passedOver() const { return passedOver_; }
  const LoopProgress& last() const { return last_; }

 private:
  std::vector<long> steps_;
  size_t next_ = 0;
  bool passedOver_ = false;
  LoopProgress last_;
};

// "1,1000,1500": step numbers in ascending order.
bool ParseSteps(const std::string& text, std::vector<long>& steps) {
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    const std::string item =
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    char* end = nullptr;
    errno = 0;
    const long step = std::strtol(item.c_str(), &end, 10);
    if (item.empty() || *end != '\0' || errno != 0 || step < 0 ||
        (!steps.empty() && step < steps.back())) {
      return false;
    }
    steps.push_back(step);
    if (comma == std::string::npos) {
      return true;
    }
    start = comma + 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<long> steps;
  if (argc < 2 || !ParseSteps(argv[1], steps)) {
    std::fprintf(stderr, "usage: mirebora-frames STEP[,STEP...] [mirebora options...]\n");
    return kUsageError;
  }
  const std::vector<std::string> args(argv + 2, argv + argc);
  const SaverCommand command = ParseSaverCommand("mirebora-frames", args, nullptr);
  if (!command.options) {
    std::fputs(command.message.c_str(), stderr);
    return kUsageError;
  }
  CatchStopSignals();
  VirtualLoopClock clock;
  StopAfterSteps stop(steps);
  const int exitCode = RunSaver(*command.options, clock, stop);
  std::fprintf(stderr, "mirebora-frames: steps %lld frames %lld\n",
               static_cast<long long>(stop.last().steps),
               static_cast<long long>(stop.last().frames));
  if (stop.passedOver()) {
    std::fprintf(stderr, "mirebora-frames: a frame took more than one step\n");
    return kUsageError;
  }
  return exitCode;
}
