#include "form1.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>
#include <QShortcut>
#include <map>

#include "accessibility.h"
#include "announcer.h"
#include "bar_readouts.h"
#include "control_factory.h"
#include "control_table.h"
#include "light_palette.h"
#include "print_job.h"
#include "scale_bar.h"
#include "toric/combine.h"
#include "toric/format.h"
#include "toric/lens_power.h"

namespace toric {

namespace {

template <class Control>
Control* find_control(const QWidget* window, const char* name) {
  return window->findChild<Control*>(QString::fromUtf8(name),
                                     Qt::FindDirectChildrenOnly);
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QString::fromUtf8(kForm1Title));
  // The title bar says "Form1"; a screen reader says what the window is.
  setAccessibleName(QString::fromUtf8(kForm1AccessibleName));
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/toric-lens-combination-16.png"));
  icon.addFile(QStringLiteral(":/icons/toric-lens-combination-32.png"));
  setWindowIcon(icon);
  resize(kForm1Width / kTwipsPerPixel, kForm1Height / kTwipsPerPixel);
  // Before the controls, which take it over: the design's own colours stay
  // readable whatever the desktop's palette.
  setPalette(light_palette());
  build_controls();
  connect_handlers();
  // The copy key anywhere in the window copies the result line as shown.
  connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
          &Form1::copy_result);
  announcer_ = new Announcer(this);
  print_job_ = new PrintJob(this);
  connect(print_job_, &PrintJob::failed, this, &Form1::show_print_failure);
}

void Form1::build_controls() {
  const auto controls = form1_controls();
  // Each new child is stacked on top, so the last row is created first.
  std::map<int, QWidget*> focus_chain;  // by tab index
  FontFaces faces;
  for (auto row = controls.rbegin(); row != controls.rend(); ++row) {
    QWidget* control = create_control(*row, this, faces);
    if (control->focusPolicy() & Qt::TabFocus) {
      focus_chain[row->tab_index] = control;
    }
  }
  QWidget* previous = nullptr;
  for (const auto& [tab_index, control] : focus_chain) {
    if (previous != nullptr) setTabOrder(previous, control);
    previous = control;
  }
  // The focus starts on the focusable control with the lowest tab index.
  focus_chain.begin()->second->setFocus();
}

void Form1::connect_handlers() {
  const struct {
    const char* button;
    void (Form1::*handler)();
  } clicks[] = {{"Command1", &Form1::Command1_Click},
                {"Command2", &Form1::Command2_Click},
                {"Command3", &Form1::Command3_Click},
                {"print", &Form1::print_Click}};
  for (const auto& c : clicks) {
    connect(find_control<QAbstractButton>(this, c.button),
            &QAbstractButton::clicked, this, c.handler);
  }
  const struct {
    const char* bar;
    void (Form1::*handler)();
    BarReadout readout;  // what the handler writes, and the bar speaks
  } changes[] = {{"HScroll1", &Form1::HScroll1_Change, sphere_readout},
                 {"HScroll2", &Form1::HScroll2_Change, cylinder_readout},
                 {"HScroll3", &Form1::HScroll3_Change, axis_readout},
                 {"HScroll4", &Form1::HScroll4_Change, sphere_readout},
                 {"HScroll5", &Form1::HScroll5_Change, cylinder_readout},
                 {"HScroll6", &Form1::HScroll6_Change, axis_readout}};
  for (const auto& c : changes) {
    auto* bar = find_control<ScaleBar>(this, c.bar);
    bar->set_readout(c.readout);
    connect(bar, &QScrollBar::valueChanged, this, c.handler);
  }
}

std::int16_t Form1::bar_value(const char* bar) const {
  return static_cast<std::int16_t>(
      find_control<QScrollBar>(this, bar)->value());
}

void Form1::set_bar_value(const char* bar, int value) {
  find_control<QScrollBar>(this, bar)->setValue(value);
}

void Form1::set_caption(const char* label, const std::string& text) {
  find_control<QLabel>(this, label)->setText(QString::fromStdString(text));
}

void Form1::Command1_Click() {
  const LensPower lens1{scale_to_sphere(bar_value("HScroll1")),
                        scale_to_cylinder(bar_value("HScroll2")),
                        scale_to_axis(bar_value("HScroll3"))};
  const LensPower lens2{scale_to_sphere(bar_value("HScroll4")),
                        scale_to_cylinder(bar_value("HScroll5")),
                        scale_to_axis(bar_value("HScroll6"))};
  const std::string result = format_result(combine_lenses(lens1, lens2));
  set_caption("Label6", result);
  // Said on every press, even when the line has not changed.
  announcer_->announce(QString::fromStdString(result));
}

void Form1::Command2_Click() {
  set_caption("Label6", "");
  set_caption("Label7", "0.00Ｄ");
  set_caption("Label8", "0.00Ｄ");
  set_caption("Label9", "90°");
  set_caption("Label10", "0.00Ｄ");
  set_caption("Label11", "0.00Ｄ");
  set_caption("Label12", "90°");
  set_bar_value("HScroll1", 40);
  set_bar_value("HScroll2", 0);
  set_bar_value("HScroll3", 90);
  set_bar_value("HScroll4", 40);
  set_bar_value("HScroll5", 0);
  set_bar_value("HScroll6", 90);
  announcer_->announce(QStringLiteral("リセットしました。"));
}

void Form1::Command3_Click() { QCoreApplication::exit(0); }

void Form1::print_Click() { print_job_->start(*this); }

void Form1::copy_result() {
  const QString result = find_control<QLabel>(this, "Label6")->text();
  // With no result the clipboard keeps what it holds.
  if (!result.isEmpty()) QGuiApplication::clipboard()->setText(result);
}

void Form1::show_print_failure(const QString& reason) {
  // Modal to the window only: every value stays, and the window takes
  // input again once the box is closed.
  const QString text = QStringLiteral("印刷できませんでした。\n") + reason;
  auto* message = new QMessageBox(QMessageBox::Warning, QStringLiteral("印刷"),
                                  text, QMessageBox::Ok, this);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  // With Qt 6.8, Orca reads an alert's description but not the text inside
  // it; with Qt 6.4 it reads the text, and would then say it twice.
  message->setAccessibleDescription(text);
#endif
  message->setAttribute(Qt::WA_DeleteOnClose);
  message->open();
}

void Form1::HScroll1_Change() {
  set_caption("Label7", sphere_readout(bar_value("HScroll1")));
}

void Form1::HScroll2_Change() {
  set_caption("Label8", cylinder_readout(bar_value("HScroll2")));
}

void Form1::HScroll3_Change() {
  set_caption("Label9", axis_readout(bar_value("HScroll3")));
}

void Form1::HScroll4_Change() {
  set_caption("Label10", sphere_readout(bar_value("HScroll4")));
}

void Form1::HScroll5_Change() {
  set_caption("Label11", cylinder_readout(bar_value("HScroll5")));
}

void Form1::HScroll6_Change() {
  set_caption("Label12", axis_readout(bar_value("HScroll6")));
}

}  // namespace toric
