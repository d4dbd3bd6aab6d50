#pragma once
// The calculator's one window: two lenses set on six scroll bars, the
// readouts above them, the result line and four commands. Built from the
// control table; every handler reads the bars, calls the lens arithmetic
// and writes a label.

#include <QWidget>
#include <cstdint>
#include <string>

namespace toric {

class Announcer;
class PrintJob;

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
  void HScroll1_Change();
  void HScroll2_Change();
  void HScroll3_Change();
  void HScroll4_Change();
  void HScroll5_Change();
  void HScroll6_Change();

 private:
  void build_controls();
  void connect_handlers();
  void copy_result();
  void show_print_failure(const QString& reason);

  std::int16_t bar_value(const char* bar) const;
  void set_bar_value(const char* bar, int value);
  void set_caption(const char* label, const std::string& text);

  PrintJob* print_job_;   // a child of the window
  Announcer* announcer_;  // a child of the window
};

}  // namespace toric
