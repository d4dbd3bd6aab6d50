// The window as it opens: every control where its table row puts it and
// with its caption, inside the window, each readout above its bar, the
// fonts, colours and alignment, the stacking order, the scroll bars, and a
// few pixels of the picture that prove the looks.
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QtGlobal>
#include <algorithm>

#include "form1_support.h"
#include "light_palette.h"
#include "toric/lens_power.h"

using toric::test::bar;
using toric::test::count_points;
using toric::test::find;
using toric::test::ink;

namespace {

constexpr const char* kPGothic = "ＭＳ Ｐゴシック";
constexpr const char* kGothic = "ＭＳ ゴシック";
constexpr const char* kPop = "HGP創英角ﾎﾟｯﾌﾟ体";
constexpr QRgb kDefault = 0x1000000;  // not a colour: the platform's own
constexpr QRgb kBlue = 0x0000FF;

QRect twips(int left, int top, int width, int height) {
  return {left / 15, top / 15, width / 15, height / 15};
}

// The control name of a data row tagged "Label3(2)" or "Label7".
QString control_name_of_row() {
  return QString::fromUtf8(QTest::currentDataTag()).section('(', 0, 0);
}

}  // namespace

class Form1LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void window_has_its_title_and_client_size() {
    toric::Form1 window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(window.size(), QSize(555, 379));
    QCOMPARE(window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
             26);
  }

  void window_carries_the_program_icon() {
    toric::Form1 window;
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(32, 32)));
    // Two lenses: the blue rim of the upper left one, the brown rim of the
    // lower right one.
    const QImage icon = window.windowIcon().pixmap(32).toImage();
    QCOMPARE(icon.pixel(2, 12), QRgb(0xFF1F5F9F));
    QCOMPARE(icon.pixel(29, 19), QRgb(0xFFB05010));
  }

  void every_control_is_its_table_row_inside_the_window() {
    toric::Form1 window;
    for (const toric::ControlRow& row : toric::form1_controls()) {
      QWidget* control = find(window, row.name, row.index);
      QVERIFY2(control != nullptr, row.name);
      const toric::Twips& r = row.rect;
      QCOMPARE(control->geometry(), twips(r.left, r.top, r.width, r.height));
      QVERIFY2(window.rect().contains(control->geometry()), row.name);
      QString shown;
      if (auto* label = qobject_cast<QLabel*>(control)) {
        shown = label->text();
      } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        shown = button->text();
      } else {
        QVERIFY(qobject_cast<QScrollBar*>(control) != nullptr);
      }
      QCOMPARE(shown, QString::fromStdString(toric::start_caption(row)));
    }
  }

  void each_readout_sits_above_its_bar() {
    toric::Form1 window;
    const char* pairs[][2] = {{"Label7", "HScroll1"},  {"Label8", "HScroll2"},
                              {"Label9", "HScroll3"},  {"Label10", "HScroll4"},
                              {"Label11", "HScroll5"}, {"Label12", "HScroll6"}};
    for (const auto& [readout, bar_name] : pairs) {
      const QRect above = find(window, readout)->geometry();
      const QRect below = bar(window, bar_name)->geometry();
      QVERIFY2(above.bottom() < below.top(), readout);
      QVERIFY2(below.left() <= above.center().x() &&
                   above.center().x() <= below.right(),
               readout);
    }
  }

  void label3_has_no_member_3() {
    toric::Form1 window;
    QVERIFY(find(window, "Label3", 3) == nullptr);
    QVERIFY(find(window, "Label3", 5) != nullptr);
  }

  void controls_are_stacked_buttons_and_bars_over_labels() {
    toric::Form1 window;
    // Qt draws later children above earlier ones.
    QStringList bottom_first;
    for (QWidget* child :
         window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const QVariant index = child->property(toric::kIndexProperty);
      bottom_first << (index.isValid() ? QStringLiteral("%1(%2)")
                                             .arg(child->objectName())
                                             .arg(index.toInt())
                                       : child->objectName());
    }
    const QStringList topmost_first{
        "print",     "HScroll6",  "HScroll5", "HScroll4",  "HScroll3",
        "HScroll2",  "HScroll1",  "Command3", "Command2",  "Command1",
        "Label12",   "Label11",   "Label10",  "Label9",    "Label8",
        "Label7",    "Label6",    "Label5",   "Label3(5)", "Label3(4)",
        "Label3(2)", "Label3(1)", "Label4",   "Label3(0)", "Label2",
        "Label1"};
    QStringList expected(topmost_first.rbegin(), topmost_first.rend());
    QCOMPARE(bottom_first, expected);
  }

  void readout_is_on_top_where_it_overlaps_its_caption_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("top");
    // Points in twips inside each overlap.
    QTest::newRow("Label7 over Label3(0)") << QPoint(2300, 1200) << "Label7";
    QTest::newRow("Label10 over Label4") << QPoint(2300, 2200) << "Label10";
    QTest::newRow("Label8 over Label3(1)") << QPoint(4000, 1200) << "Label8";
    QTest::newRow("Label9 over Label3(2)") << QPoint(5700, 1200) << "Label9";
    QTest::newRow("Label11 over Label3(4)") << QPoint(4000, 2200) << "Label11";
    QTest::newRow("Label12 over Label3(5)") << QPoint(5700, 2200) << "Label12";
    QTest::newRow("Command1 over Label5") << QPoint(6700, 3725) << "Command1";
  }

  void readout_is_on_top_where_it_overlaps_its_caption() {
    QFETCH(QPoint, point);
    QFETCH(QString, top);
    toric::Form1 window;
    QWidget* hit = window.childAt(point / 15);
    QVERIFY(hit != nullptr);
    QCOMPARE(hit->objectName(), top);
  }

  void control_has_its_font_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("pixels");  // the point size at 96 dpi
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QString>("installed");
    const QString pgothic = QString::fromUtf8(kPGothic);
    const QString gothic = QString::fromUtf8(kGothic);
    for (const char* readout :
         {"Label7", "Label8", "Label9", "Label10", "Label11", "Label12"}) {
      QTest::newRow(readout) << pgothic << 19 << true << false << "IPAPGothic";
    }
    QTest::newRow("Label6") << pgothic << 24 << true << false << "IPAPGothic";
    QTest::newRow("Label5") << gothic << 19 << true << false << "IPAGothic";
    QTest::newRow("Label4") << pgothic << 19 << true << false << "IPAPGothic";
    QTest::newRow("Label2") << gothic << 13 << true << false << "IPAGothic";
    QTest::newRow("Label1")
        << QString::fromUtf8(kPop) << 24 << false << true << "RocknRoll One";
    QTest::newRow("Command1") << gothic << 12 << false << false << "IPAGothic";
    QTest::newRow("Command2") << gothic << 12 << false << false << "IPAGothic";
  }

  void control_has_its_font() {
    QFETCH(QString, face);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(QString, installed);
    const QString name = QString::fromUtf8(QTest::currentDataTag());
    // The window asks for the face by its name...
    const auto rows = toric::form1_controls();
    const auto row = std::find_if(rows.begin(), rows.end(), [&](auto& r) {
      return name == QString::fromUtf8(r.name);
    });
    QVERIFY(row != rows.end());
    QCOMPARE(QString::fromUtf8(row->font.face), face);
    // ...and, with no such face installed, gets its stand-in.
    toric::Form1 window;
    const QFont font = find(window, qPrintable(name))->font();
    QCOMPARE(font.family(), installed);
    QCOMPARE(font.pixelSize(), pixels);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.italic(), italic);
    QCOMPARE(QFontInfo(font).family(), installed);
  }

  void captions_of_lens_rows_use_the_readout_font() {
    toric::Form1 window;
    for (int index : {0, 1, 2, 4, 5}) {
      const QFont font = find(window, "Label3", index)->font();
      QCOMPARE(font.family(), QStringLiteral("IPAPGothic"));
      QCOMPARE(font.pixelSize(), 19);
      QVERIFY(font.bold());
    }
  }

  void sphere_tag_of_lens_rows_ends_before_the_readout() {
    // The readout covers the right 375 twips of its row caption; with the
    // proportional face the caption's "Ｓ" ends before it.
    toric::Form1 window;
    for (const char* row : {"Label3", "Label4"}) {
      auto* label =
          find<QLabel>(window, row, row == QLatin1String("Label3") ? 0 : -1);
      const int covered_from = (2280 - 480) / 15;
      QVERIFY2(
          label->fontMetrics().horizontalAdvance(label->text()) <= covered_from,
          row);
    }
  }

  void end_and_print_use_the_window_font() {
    toric::Form1 window;
    QCOMPARE(find(window, "Command3")->font(), window.font());
    QCOMPARE(find(window, "print")->font(), window.font());
  }

  void label_has_its_colours_and_alignment_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QRgb>("text");
    QTest::addColumn<QRgb>("background");
    QTest::addColumn<bool>("centred");
    for (const char* readout : {"Label6", "Label7", "Label8", "Label9",
                                "Label10", "Label11", "Label12"}) {
      QTest::newRow(readout) << -1 << kBlue << kDefault << true;
    }
    QTest::newRow("Label5") << -1 << QRgb(0xFF00FF) << kDefault << false;
    QTest::newRow("Label4") << -1 << kBlue << kDefault << false;
    for (int index : {0, 1, 2, 4, 5}) {
      QTest::newRow(qPrintable(QStringLiteral("Label3(%1)").arg(index)))
          << index << kBlue << kDefault << false;
    }
    QTest::newRow("Label2") << -1 << kDefault << kDefault << false;
    QTest::newRow("Label1") << -1 << kDefault << QRgb(0xFFFFC0) << true;
  }

  void label_has_its_colours_and_alignment() {
    QFETCH(int, index);
    QFETCH(QRgb, text);
    QFETCH(QRgb, background);
    QFETCH(bool, centred);
    toric::Form1 window;
    const QString name = control_name_of_row();
    auto* label = find<QLabel>(window, qPrintable(name), index);
    QVERIFY(label != nullptr);
    // What the design leaves open is the window's light palette's, on
    // every platform.
    const QPalette light = toric::light_palette();
    const QColor want_text = text == kDefault
                                 ? light.color(QPalette::WindowText)
                                 : QColor::fromRgb(text);
    const QColor want_background = background == kDefault
                                       ? light.color(QPalette::Window)
                                       : QColor::fromRgb(background);
    QCOMPARE(label->palette().color(QPalette::WindowText), want_text);
    QCOMPARE(label->palette().color(QPalette::Window), want_background);
    QVERIFY(label->autoFillBackground());
    QCOMPARE(bool(label->alignment() & Qt::AlignHCenter), centred);
    QVERIFY(label->alignment() & Qt::AlignTop);
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
  }

  void scroll_bar_has_its_range_steps_and_start_data() {
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("large_step");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("accessible_name");
    // The core's scales, which the arithmetic decodes positions by.
    const struct {
      const char* bar;
      const toric::BarSpan& span;
      const char* name;
    } kBars[] = {
        {"HScroll1", toric::kSphereSpan, "レンズ１ 球面度数"},
        {"HScroll2", toric::kCylinderSpan, "レンズ１ 円柱度数"},
        {"HScroll3", toric::kAxisSpan, "レンズ１ 軸度"},
        {"HScroll4", toric::kSphereSpan, "レンズ２ 球面度数"},
        {"HScroll5", toric::kCylinderSpan, "レンズ２ 円柱度数"},
        {"HScroll6", toric::kAxisSpan, "レンズ２ 軸度"},
    };
    for (const auto& b : kBars) {
      QTest::newRow(b.bar) << int(b.span.last) << int(b.span.page)
                           << int(b.span.start) << QString::fromUtf8(b.name);
    }
  }

  void scroll_bar_has_its_range_steps_and_start() {
    QFETCH(int, maximum);
    QFETCH(int, large_step);
    QFETCH(int, start);
    QFETCH(QString, accessible_name);
    toric::Form1 window;
    QScrollBar* b = bar(window, QTest::currentDataTag());
    QCOMPARE(b->orientation(), Qt::Horizontal);
    QCOMPARE(b->minimum(), 0);
    QCOMPARE(b->maximum(), maximum);
    QCOMPARE(b->singleStep(), 1);
    QCOMPARE(b->pageStep(), large_step);
    QCOMPARE(b->value(), start);
    QVERIFY(!b->hasTracking());
    QCOMPARE(b->accessibleName(), accessible_name);
  }

  void picture_shows_the_colours() {
    toric::Form1 window;
    const QImage picture = window.grab().toImage();
    // The calculate button's face, away from its frame and caption.
    QCOMPARE(picture.pixel(440 + 8, 248 + 8) & 0xFFFFFF, QRgb(0xFFC080));
    QCOMPARE(picture.pixel(440 + 80, 248 + 48) & 0xFFFFFF, QRgb(0xFFC080));
    // The title box, at its left end, before the centred title.
    QCOMPARE(picture.pixel(16 + 2, 8 + 12) & 0xFFFFFF, QRgb(0xFFFFC0));
    // Readout text: pure blue ink inside Label7, on the window's face.
    const int blue = count_points(twips(2280, 1080, 1335, 375), [&](QPoint at) {
      return (picture.pixel(at) & 0xFFFFFF) == kBlue;
    });
    QVERIFY2(blue > 40, qPrintable(QString::number(blue)));
  }

  void button_caption_is_dark_ink_on_its_face_data() {
    QTest::addColumn<QRect>("rect");
    QTest::newRow("Command1") << twips(6600, 3720, 1335, 855);
    QTest::newRow("Command2") << twips(4920, 4920, 1095, 615);
    QTest::newRow("Command3") << twips(6600, 4920, 1095, 615);
    QTest::newRow("print") << twips(3480, 5040, 855, 375);
  }

  void button_caption_is_dark_ink_on_its_face() {
    QFETCH(QRect, rect);
    toric::Form1 window;
    const QImage picture = window.grab().toImage();
    // Inside the frame; ink is far darker than the face, even where wine
    // draws it lighter.
    const int dark = ink(picture, rect.adjusted(3, 3, -3, -3), 150);
    QVERIFY2(dark > 20, qPrintable(QString::number(dark)));
  }

  void picture_is_the_same_under_a_dark_desktop_palette() {
    // As a dark desktop theme gives it to every Qt program (Breeze Dark's
    // colours), before the window opens and while it is open.
    QPalette dark(QColor(0xFCFCFC), QColor(0x292C30), QColor(0x40464C),
                  QColor(0x101213), QColor(0x202326), QColor(0xFCFCFC),
                  QColor(0xFFFFFF), QColor(0x141618), QColor(0x202326));
    dark.setColor(QPalette::ButtonText, QColor(0xFCFCFC));
    dark.setColor(QPalette::Highlight, QColor(0x3DAEE9));
    const QPalette desktop = QApplication::palette();
    const QImage light = toric::Form1().grab().toImage();
    toric::Form1 open_window;
    QApplication::setPalette(dark);
    const QImage opened_dark = toric::Form1().grab().toImage();
    const QImage turned_dark = open_window.grab().toImage();
    QApplication::setPalette(desktop);
    QVERIFY(opened_dark == light);
    QVERIFY(turned_dark == light);
  }

  void calculate_face_keeps_its_colour_with_keyboard_focus() {
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    for (int i = 0; i < 10; ++i) {  // once round the tab cycle
      QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    }
    QCOMPARE(toric::test::focused_name(), QStringLiteral("Command1"));
    const QImage picture = window.grab().toImage();
    for (const QPoint at : {QPoint(448, 256), QPoint(520, 296)}) {
      QCOMPARE(picture.pixel(at) & 0xFFFFFF, QRgb(0xFFC080));
    }
  }

  void bold_text_looks_bold() {
    // The stand-in Gothic faces have no bold face of their own: the
    // emboldened text must carry clearly more ink than the regular.
    toric::Form1 window;
    QFont bold = find(window, "Label7")->font();
    QFont regular = bold;
    regular.setBold(false);
    const auto ink_of = [](const QFont& font) {
      QImage image(200, 40, QImage::Format_RGB32);
      image.fill(Qt::white);
      QPainter painter(&image);
      painter.setFont(font);
      painter.setPen(Qt::black);
      painter.drawText(4, 30, QStringLiteral("レンズ ０.００Ｄ"));
      painter.end();
      return ink(image, image.rect());
    };
    const int bold_ink = ink_of(bold);
    const int regular_ink = ink_of(regular);
    QVERIFY2(
        bold_ink > regular_ink * 5 / 4,
        qPrintable(QStringLiteral("%1 vs %2").arg(bold_ink).arg(regular_ink)));
  }

  void description_takes_two_lines_inside_its_box() {
    toric::Form1 window;
    const QImage picture = window.grab().toImage();
    const QRect box = twips(4560, 120, 3495, 495);
    const int half = box.height() / 2;
    QVERIFY(ink(picture, box.adjusted(0, 0, 0, half - box.height())) > 50);
    QVERIFY(ink(picture, box.adjusted(0, half, 0, 0)) > 50);
  }
};

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
