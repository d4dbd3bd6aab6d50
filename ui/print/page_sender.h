#pragma once
// How the page reaches the printer, the one part of printing each platform
// does its own way:
// - Linux (page_sender_lp.cpp): the window is drawn into a PDF in memory
//   and written to lp's standard input, beside the event loop. The window
//   goes on while the print service takes the job, and a service that has
//   not taken it within the bound is given up.
// - Windows (page_sender_win.cpp): right after the press has returned, the
//   window is drawn straight onto the default printer through Qt's print
//   support on the GUI thread, as Qt's own examples print one small page.
//   The window waits until the printer has the page (a printer that asks
//   for a file name asks then), without a bound.

#include <QObject>
#include <QString>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>

namespace toric {

class PageSender {
 public:
  // Called once, with why the page did not reach the printer, or with an
  // empty string when it did.
  using Done = std::function<void(const QString& failure)>;

  // Stops whatever still runs for the page; `done` is then never called.
  virtual ~PageSender() = default;

  // Starts handing `window`'s page to the printer. `done` is called from
  // the event loop, never from inside send(), and may destroy the sender.
  virtual void send(QWidget& window, Done done) = 0;
};

// The platform's sender. `owner` outlives it and takes what it leaves to
// end (lp's process); `accept_bound` is how long lp's print service has to
// take the job (Windows has no bound).
std::unique_ptr<PageSender> platform_page_sender(
    QObject* owner, std::chrono::milliseconds accept_bound);

}  // namespace toric
