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
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

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
#include "window_texts.h"

namespace toric {

namespace {

// Each bar's change handler, in the order of the bars' readouts.
constexpr void (Form1::*kBarChanged[kBarCount])() = {
    &Form1::HScroll1_Change, &Form1::HScroll2_Change, &Form1::HScroll3_Change,
    &Form1::HScroll4_Change, &Form1::HScroll5_Change, &Form1::HScroll6_Change};

constexpr struct {
  const char* button;
  void (Form1::*clicked)();
} kButtonWiring[] = {{kCalculateButton, &Form1::Command1_Click},
                     {kResetButton, &Form1::Command2_Click},
                     {kEndButton, &Form1::Command3_Click},
                     {kPrintButton, &Form1::print_Click}};

// The controls the table made, by name (the members of the Label3 array
// are never looked up).
using NamedControls = std::map<std::string_view, QWidget*>;

// A control by name, once, while the window is built: a name missing from
// the table, or a control of another kind, stops the program at its start.
template <class Control>
Control* named(const NamedControls& controls, std::string_view name) {
  const auto found = controls.find(name);
  auto* control =
      found == controls.end() ? nullptr : qobject_cast<Control*>(found->second);
  if (control == nullptr) {
    qFatal("Form1: the control table has no %s of the kind the window needs",
           std::string(name).c_str());
  }
  return control;
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
  // The copy key anywhere in the window copies the result line as shown.
  connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
          &Form1::copy_result);
  announcer_ = new Announcer(this);
  print_job_ = new PrintJob(this);
  connect(print_job_, &PrintJob::failed, this, &Form1::show_print_failure);
}

void Form1::build_controls() {
  const auto rows = form1_controls();
  // Each new child is stacked on top, so the last row is created first.
  std::map<int, QWidget*> focus_chain;  // by tab index
  NamedControls controls;
  FontFaces faces;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    QWidget* control = create_control(*row, this, faces);
    if (row->index < 0) controls[row->name] = control;
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

  for (int i = 0; i < kBarCount; ++i) {
    const BarReadout& wiring = kBarReadouts[i];
    bars_[i] = named<ScaleBar>(controls, wiring.bar);
    readouts_[i] = named<QLabel>(controls, wiring.readout);
    connect(bars_[i], &QScrollBar::valueChanged, this, kBarChanged[i]);
  }
  result_ = named<QLabel>(controls, kResultLabel);
  for (const auto& wiring : kButtonWiring) {
    connect(named<QAbstractButton>(controls, wiring.button),
            &QAbstractButton::clicked, this, wiring.clicked);
  }
}

void Form1::show_readout(int bar) {
  readouts_[bar]->setText(bars_[bar]->readout_text());
}

LensPower Form1::lens_on_bars(int first_bar) const {
  const auto position = [this](int bar) {
    return static_cast<std::int16_t>(bars_[bar]->value());
  };
  return toric::lens_on_bars(position(first_bar), position(first_bar + 1),
                             position(first_bar + 2));
}

void Form1::Command1_Click() {
  const LensPower lens1 = lens_on_bars(0);
  const LensPower lens2 = lens_on_bars(3);
  const QString result =
      QString::fromStdString(format_result(combine_lenses(lens1, lens2)));
  result_->setText(result);
  // Said on every press, even when the line has not changed.
  announcer_->announce(result);
}

void Form1::Command2_Click() {
  result_->clear();
  for (int i = 0; i < kBarCount; ++i) {
    bars_[i]->setValue(bars_[i]->start_value());
    show_readout(i);
  }
  announcer_->announce(window_texts::text(window_texts::kResetDone));
}

void Form1::Command3_Click() { QCoreApplication::exit(0); }

void Form1::print_Click() { print_job_->start(*this); }

void Form1::copy_result() {
  const QString result = result_->text();
  // With no result the clipboard keeps what it holds.
  if (!result.isEmpty()) QGuiApplication::clipboard()->setText(result);
}

void Form1::show_print_failure(const QString& reason) {
  // Modal to the window only: every value stays, and the window takes
  // input again once the box is closed.
  namespace texts = window_texts;
  const QString text = texts::text(texts::kPrintFailed) + u'\n' + reason;
  auto* message = new QMessageBox(QMessageBox::Warning,
                                  texts::text(texts::kPrintFailureTitle), text,
                                  QMessageBox::Ok, this);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  // With Qt 6.8, Orca reads an alert's description but not the text inside
  // it; with Qt 6.4 it reads the text, and would then say it twice.
  message->setAccessibleDescription(text);
#endif
  message->setAttribute(Qt::WA_DeleteOnClose);
  message->open();
}

}  // namespace toric
