#pragma once
// A label that lays its caption out line by line at one em per line, with
// the ideographic em box at the top of the line, as the Japanese faces the
// window asks for do. The stand-in faces have taller ascents and line gaps,
// which would push the readouts out of their 255- and 375-twip boxes.

#include <QLabel>

namespace toric {

class CaptionLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace toric
