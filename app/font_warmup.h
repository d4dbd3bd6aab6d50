#pragma once
// Fontconfig's start (reading its configuration and caches, listing the
// fonts) is the largest part of a Qt window's start that needs no display.
// Started on a short-lived thread before the application connects to the X
// server, it overlaps that connection; Qt's own calls then find it done.
// Windows has no fontconfig: its font list is the system's own, and there
// the warm-up is nothing.

#include <QtGlobal>
#include <thread>

namespace toric {

#ifdef Q_OS_WIN
class FontWarmup {
 public:
  // Made by hand, so that the object main() keeps is no unused variable.
  FontWarmup() {}
};
#else
class FontWarmup {
 public:
  FontWarmup();
  ~FontWarmup();  // waits for the thread, which has long finished by then
  FontWarmup(const FontWarmup&) = delete;
  FontWarmup& operator=(const FontWarmup&) = delete;

 private:
  std::thread thread_;
};
#endif

}  // namespace toric
