#pragma once
// The steps of the program's start where Linux and Windows differ, each
// platform's in one file (platform_steps.cpp, platform_steps_win.cpp);
// where a platform needs a step no more, its file does nothing for it.
//
// - Fontconfig's start (reading its configuration and caches, listing the
//   fonts) is the largest part of a Qt window's start that needs no
//   display: Linux starts it on a short-lived thread before the
//   application connects to the X server, so that the two overlap.
//   Windows has no fontconfig.
// - Logging out, Ctrl+C in a terminal and a polite kill end the program as
//   END does: on Linux SIGHUP, SIGINT and SIGTERM end the event loop with
//   128 + the signal's number. A Windows window program has no signals:
//   logging off reaches it as WM_ENDSESSION, on which Qt quits itself.
// - A Windows window program has no standard output of its own: --help,
//   --version and the command line's complaints go to the console it was
//   started from. On Linux they go where standard output and error go.
// - The faces that stand in for the window's Japanese Windows faces: a
//   Windows program carries them in a fonts folder beside it; on Linux the
//   package depends on Debian's font packages, which fontconfig finds.

#include <memory>
#include <thread>

namespace toric {

// Fontconfig warmed up while it lives, from before the application exists.
class FontWarmup {
 public:
  FontWarmup();
  ~FontWarmup();  // waits for the thread, which has long finished by then
  FontWarmup(const FontWarmup&) = delete;
  FontWarmup& operator=(const FontWarmup&) = delete;

 private:
  std::thread thread_;
};

// The quit signals watched while it lives, once the application exists.
class QuitOnSignals {
 public:
  QuitOnSignals();
  ~QuitOnSignals();
  QuitOnSignals(const QuitOnSignals&) = delete;
  QuitOnSignals& operator=(const QuitOnSignals&) = delete;

 private:
  struct Watch;
  std::unique_ptr<Watch> watch_;
};

// Before the command line's answers are written.
void attach_console();

// Makes the carried faces known to the application, which must exist.
void add_bundled_fonts();

}  // namespace toric
