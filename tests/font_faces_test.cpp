// Choosing the face for each font the window asks for.
#include "font_faces.h"

#include <QFontInfo>
#include <QTest>

class FontFacesTest : public QObject {
  Q_OBJECT

 private slots:
  void face_used_for_a_request_data() {
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("used");
    QTest::newRow("missing proportional Gothic") << "ＭＳ Ｐゴシック"
                                                 << "IPAPGothic";
    QTest::newRow("missing fixed-pitch Gothic") << "ＭＳ ゴシック"
                                                << "IPAGothic";
    QTest::newRow("missing pop face") << "HGP創英角ﾎﾟｯﾌﾟ体"
                                      << "RocknRoll One";
    QTest::newRow("installed face is used as it is") << "IPAGothic"
                                                     << "IPAGothic";
    QTest::newRow("face without a stand-in is left to the platform")
        << "No Such Face"
        << "No Such Face";
  }

  void face_used_for_a_request() {
    QFETCH(QString, requested);
    QFETCH(QString, used);
    toric::FontFaces faces;
    const QByteArray face = requested.toUtf8();
    const QFont font = faces.font_for({face.constData(), 9, false, false});
    QCOMPARE(font.family(), used);
    // Asking again gives the same choice.
    QCOMPARE(faces.font_for({face.constData(), 18, true, true}).family(), used);
  }

  void point_sizes_become_pixels_at_96_dpi_data() {
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("pixels");
    QTest::newRow("9 pt") << 9.0 << 12;
    QTest::newRow("9.75 pt") << 9.75 << 13;
    QTest::newRow("14.25 pt") << 14.25 << 19;
    QTest::newRow("18 pt") << 18.0 << 24;
  }

  void point_sizes_become_pixels_at_96_dpi() {
    QFETCH(double, points);
    QFETCH(int, pixels);
    toric::FontFaces faces;
    const QFont font = faces.font_for({"ＭＳ Ｐゴシック", points, true, false});
    QCOMPARE(font.pixelSize(), pixels);
    QCOMPARE(QFontInfo(font).pixelSize(), pixels);
    QVERIFY(font.bold());
  }
};

QTEST_MAIN(FontFacesTest)
#include "font_faces_test.moc"
