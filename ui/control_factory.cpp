#include "control_factory.h"

#include <QPalette>
#include <QPushButton>

#include "caption_label.h"
#include "faced_button.h"
#include "scale_bar.h"

namespace toric {

namespace {

QColor colour(std::uint32_t rgb) { return QColor::fromRgb(rgb); }

QWidget* make_label(const ControlSpec& spec, QWidget* parent) {
  auto* label = new CaptionLabel(QString::fromUtf8(spec.caption), parent);
  QPalette palette = label->palette();
  if (spec.text_colour != kDefaultColour) {
    palette.setColor(QPalette::WindowText, colour(spec.text_colour));
  }
  if (spec.background != kDefaultColour) {
    palette.setColor(QPalette::Window, colour(spec.background));
  }
  label->setPalette(palette);
  // A label paints its whole rectangle, so a readout covers the caption
  // beneath it.
  label->setAutoFillBackground(true);
  label->setAlignment(
      Qt::AlignTop |
      (spec.align == TextAlign::kCentre ? Qt::AlignHCenter : Qt::AlignLeft));
  label->setWordWrap(true);
  return label;
}

QWidget* make_button(const ControlSpec& spec, QWidget* parent) {
  const QString caption = QString::fromUtf8(spec.caption);
  QPushButton* button =
      spec.background == kDefaultColour
          ? new QPushButton(caption, parent)
          : new FacedButton(caption, colour(spec.background), parent);
  // Enter presses the focused button, as Space does.
  button->setAutoDefault(true);
  return button;
}

QWidget* make_bar(const ControlSpec& spec, QWidget* parent) {
  auto* bar = new ScaleBar(parent);
  bar->setRange(spec.bar.min, spec.bar.max);
  bar->setSingleStep(spec.bar.small_change);
  bar->setPageStep(spec.bar.large_change);
  bar->setValue(spec.bar.value);
  bar->setAccessibleName(QString::fromUtf8(spec.accessible_name));
  return bar;
}

}  // namespace

QRect to_pixels(const Twips& rect) {
  return {rect.left / kTwipsPerPixel, rect.top / kTwipsPerPixel,
          rect.width / kTwipsPerPixel, rect.height / kTwipsPerPixel};
}

QWidget* create_control(const ControlSpec& spec, QWidget* parent,
                        FontFaces& faces) {
  QWidget* widget = nullptr;
  switch (spec.kind) {
    case ControlKind::kLabel:
      widget = make_label(spec, parent);
      break;
    case ControlKind::kButton:
      widget = make_button(spec, parent);
      break;
    case ControlKind::kScrollBar:
      widget = make_bar(spec, parent);
      break;
  }
  widget->setObjectName(QString::fromUtf8(spec.name));
  if (spec.index >= 0) widget->setProperty(kIndexProperty, spec.index);
  widget->setGeometry(to_pixels(spec.rect));
  if (spec.font.face != nullptr) widget->setFont(faces.font_for(spec.font));
  return widget;
}

}  // namespace toric
