#pragma once
// The calculator's one window: two lenses set on six scroll bars, the
// readouts above them, the result line and four commands. Built from the
// control table; every handler reads the bars, calls the lens arithmetic
// and writes a label.

#include <QWidget>
#include <array>

#include "bar_readouts.h"
#include "toric/lens_power.h"

class QLabel;

namespace toric {

class Announcer;
class PrintJob;
class ScaleBar;

class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  // Commands.
  void Command1_Click();  // calculate
  void Command2_Click();  // reset
  void Command3_Click();  // end
  void print_Click();     // print the window

  // Readouts: each bar's change writes the label above it.
  void HScroll1_Change() { show_readout(0); }
  void HScroll2_Change() { show_readout(1); }
  void HScroll3_Change() { show_readout(2); }
  void HScroll4_Change() { show_readout(3); }
  void HScroll5_Change() { show_readout(4); }
  void HScroll6_Change() { show_readout(5); }

 private:
  void build_controls();
  void show_readout(int bar);
  // The lens set on three bars from `first_bar`: sphere, cylinder, axis.
  LensPower lens_on_bars(int first_bar) const;
  void copy_result();
  void show_print_failure(const QString& reason);

  std::array<ScaleBar*, kBarCount> bars_{};    // HScroll1 to HScroll6
  std::array<QLabel*, kBarCount> readouts_{};  // Label7 to Label12
  QLabel* result_ = nullptr;                   // Label6
  PrintJob* print_job_ = nullptr;              // a child of the window
  Announcer* announcer_ = nullptr;             // a child of the window
};

}  // namespace toric
