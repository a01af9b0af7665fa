// mirebora: ミレボラ as an XScreenSaver hack. Meteors strike the desktop in a window of its own,
// on the root window, or in the window XScreenSaver gives it, until SIGTERM or SIGINT.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "linux/saver_options.h"
#include "linux/x11/loop_seams.h"
#include "linux/x11/saver_program.h"
#include "linux/x11/stop_signals.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const SaverCommand command =
      ParseSaverCommand("mirebora", args, std::getenv("XSCREENSAVER_WINDOW"));
  if (!command.options) {
    std::fputs(command.message.c_str(), command.exitCode == 0 ? stdout : stderr);
    return command.exitCode;
  }
  CatchStopSignals();
  SystemLoopClock clock;
  SignalStopRequest stop;
  return RunSaver(*command.options, clock, stop);
}
