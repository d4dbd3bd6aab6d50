#include "control_factory.h"

#include <QPalette>
#include <QPushButton>
#include <QRect>

#include "caption_label.h"
#include "faced_button.h"
#include "scale_bar.h"

namespace toric {

namespace {

QColor colour(std::uint32_t rgb) { return QColor::fromRgb(rgb); }

QWidget* make_label(const ControlRow& row, QWidget* parent) {
  auto* label =
      new CaptionLabel(QString::fromStdString(start_caption(row)), parent);
  QPalette palette = label->palette();
  if (row.text_colour != kDefaultColour) {
    palette.setColor(QPalette::WindowText, colour(row.text_colour));
  }
  if (row.background != kDefaultColour) {
    palette.setColor(QPalette::Window, colour(row.background));
  }
  label->setPalette(palette);
  // A label paints its whole rectangle, so a readout covers the caption
  // beneath it.
  label->setAutoFillBackground(true);
  label->setAlignment(
      Qt::AlignTop |
      (row.align == TextAlign::kCentre ? Qt::AlignHCenter : Qt::AlignLeft));
  label->setWordWrap(true);
  return label;
}

QWidget* make_button(const ControlRow& row, QWidget* parent) {
  const QString caption = QString::fromUtf8(row.caption);
  QPushButton* button =
      row.background == kDefaultColour
          ? new QPushButton(caption, parent)
          : new FacedButton(caption, colour(row.background), parent);
  // Enter presses the focused button, as Space does.
  button->setAutoDefault(true);
  return button;
}

QWidget* make_bar(const ControlRow& row, QWidget* parent) {
  // Its scale from the start: even a value set while the window is built
  // is read out in dioptres or degrees.
  const BarScale* scale = scale_of_bar(row.name);
  if (scale == nullptr) {
    qFatal("Form1: the bar %s has no readout and scale", row.name);
  }
  auto* bar = new ScaleBar(*scale, parent);
  bar->setRange(row.bar.min, row.bar.max);
  bar->setSingleStep(row.bar.small_change);
  bar->setPageStep(row.bar.large_change);
  bar->set_start_value(row.bar.value);
  bar->setAccessibleName(QString::fromUtf8(row.accessible_name));
  return bar;
}

QRect to_pixels(const Twips& rect) {
  return {rect.left / kTwipsPerPixel, rect.top / kTwipsPerPixel,
          rect.width / kTwipsPerPixel, rect.height / kTwipsPerPixel};
}

}  // namespace

QWidget* create_control(const ControlRow& row, QWidget* parent,
                        FontFaces& faces) {
  QWidget* widget = nullptr;
  switch (row.kind) {
    case ControlKind::kLabel:
      widget = make_label(row, parent);
      break;
    case ControlKind::kButton:
      widget = make_button(row, parent);
      break;
    case ControlKind::kScrollBar:
      widget = make_bar(row, parent);
      break;
  }
  widget->setObjectName(QString::fromUtf8(row.name));
  if (row.index >= 0) widget->setProperty(kIndexProperty, row.index);
  widget->setGeometry(to_pixels(row.rect));
  if (row.font.face != nullptr) widget->setFont(faces.font_for(row.font));
  return widget;
}

}  // namespace toric
