// Response of the window: from a press of calculate to the result text
// being set, and from a bar change to its readout, over 1,000 presses each.
// Prints "name value" lines in microseconds; run on the offscreen platform.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "form1.h"

namespace {

using Clock = std::chrono::steady_clock;

void report(const char* name, std::vector<double> micros) {
  std::sort(micros.begin(), micros.end());
  std::printf("%s_median_us %.2f\n", name, micros[micros.size() / 2]);
  std::printf("%s_p99_us %.2f\n", name, micros[micros.size() * 99 / 100]);
}

double since(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start)
      .count();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  toric::Form1 window;
  window.show();
  QApplication::processEvents();

  auto* calculate = window.findChild<QPushButton*>("Command1");
  auto* result = window.findChild<QLabel*>("Label6");
  auto* axis1 = window.findChild<QScrollBar*>("HScroll3");
  auto* axis2 = window.findChild<QScrollBar*>("HScroll6");
  auto* readout = window.findChild<QLabel*>("Label12");
  window.findChild<QScrollBar*>("HScroll2")->setValue(4);
  window.findChild<QScrollBar*>("HScroll5")->setValue(2);

  constexpr int kPresses = 1000;
  std::vector<double> press, change;
  for (int i = 0; i < kPresses; ++i) {
    axis1->setValue(i % 181);  // a new pair, mostly oblique, each time
    const auto start = Clock::now();
    calculate->click();
    press.push_back(since(start));
    QApplication::processEvents();  // the repaint, outside the timing
  }
  for (int i = 0; i < kPresses; ++i) {
    const auto start = Clock::now();
    axis2->setValue((axis2->value() + 7) % 181);
    change.push_back(since(start));
    QApplication::processEvents();
  }
  if (result->text().isEmpty() || readout->text().isEmpty()) return 1;
  report("calculate", press);
  report("readout", change);
  return 0;
}
