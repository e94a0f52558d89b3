// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "FieldModel.h"
#include "FieldRules.h"
#include "SameBits.h"
#include "TestMain.h"

#include <QtTest>

#include <array>
#include <climits>
#include <cmath>

using Figures = std::array<double, 5>; // projLength, projWidth, scanLength, scanWidth, depth
Q_DECLARE_METATYPE(Figures)
Q_DECLARE_METATYPE(FieldModel::Side)

namespace {

Figures figuresOf(const FieldResult &r)
{
    return {r.projLength, r.projWidth, r.scanLength, r.scanWidth, r.depth};
}

QString text(double v)
{
    return QString::number(v, 'g', 6);
}

// How the window prints a figure that is not there.
const QString absent = QStringLiteral("-");

} // namespace

class FieldModelTest : public QObject
{
    Q_OBJECT

private slots:
    void sampleResults_data();
    void sampleResults();
    void bitExact_data();
    void bitExact();
    void referenceSizes_data();
    void referenceSizes();
    void depthOfField_data();
    void depthOfField();
    void unrecognisedLens_data();
    void unrecognisedLens();
    void fallback_data();
    void fallback();
    void p97HasNoScan_data();
    void p97HasNoScan();
    void distanceForSize_data();
    void distanceForSize();
    void modelNames_data();
    void modelNames();
};

void FieldModelTest::sampleResults_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("lens");
    QTest::addColumn<double>("distanceMm");
    QTest::addColumn<QStringList>("expected"); // proj long, short, scan long, short, depth

    const auto row = [](const char *tag, int model, const char *lens, double mm,
                        const QStringList &expected) {
        QTest::newRow(tag) << model << QString::fromLatin1(lens) << mm << expected;
    };
    row("R91 6 at 1000", 0, "6", 1000, {"1215", "670", absent, absent, absent});
    row("R91 6 at 300", 0, "6", 300, {"382", "210", absent, absent, absent});
    row("R91 12 at 500", 0, "12", 500, {"292.857", "165.714", absent, absent, absent});
    row("R91 16 at 500", 0, "16", 500, {"222.857", "125.714", absent, absent, absent});
    row("M61 at 70", 1, "", 70, {"42", "37.7143", "38.75", "31", "0.151515"});
    row("M61 at 500", 1, "8", 500, {"300", "172.857", "200", "160", "106.429"});
    row("M61 at 1000", 1, "", 1000, {"600", "330", "387.5", "310", "285"});
    row("M64 at 80", 2, "", 80, {"79.8462", "53.6923", "50", "37.8462", "1.66667"});
    row("M64 at 500", 2, "x", 500, {"422.308", "234.615", "260", "212.308", "106.429"});
    row("M64 at 1000", 2, "", 1000, {"830", "450", "510", "420", "285"});
    row("P97 at 500", 3, "", 500, {"422.308", "234.615", "0", "0", "106.429"});
    row("P97 at 350", 3, "", 350, {"300", "170", "0", "0", "52.8571"});
    row("R91 6 at 50, below the others' limits", 0, "6", 50,
        {"84.5", "45.7143", absent, absent, absent});
}

void FieldModelTest::sampleResults()
{
    QFETCH(int, model);
    QFETCH(QString, lens);
    QFETCH(double, distanceMm);
    QFETCH(QStringList, expected);

    const FieldResult r = FieldModel::compute(model, lens, distanceMm / 10.0);
    const QStringList actual{
        text(r.projLength), text(r.projWidth), r.scanValid ? text(r.scanLength) : absent,
        r.scanValid ? text(r.scanWidth) : absent, r.depthValid ? text(r.depth) : absent};
    QCOMPARE(actual, expected);
    QVERIFY(r.lensRecognised);
}

// Figures worked out independently in IEEE double with the published grouping of
// every formula; any regrouping or wrong constant changes the last bits.
void FieldModelTest::bitExact_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("lens");
    QTest::addColumn<double>("distanceCm");
    QTest::addColumn<Figures>("expected");

    const auto row = [](const char *tag, int model, const char *lens, double cm, Figures f) {
        QTest::newRow(tag) << model << QString::fromLatin1(lens) << cm << f;
    };
    row("model 0 lens \"6\" 45.7 cm", 0, "6", 45.7,
        {0x1.1c6a3d70a3d71p+9, 0x1.392be2be2be2cp+8, 0x0.0p+0, 0x0.0p+0, 0x0.0p+0});
    row("model 0 lens \"8\" 12.3 cm", 0, "8", 12.3,
        {0x1.dd47ae147ae16p+6, 0x1.0a3a83a83a83bp+6, 0x0.0p+0, 0x0.0p+0, 0x0.0p+0});
    row("model 0 lens \"12\" 33.3 cm", 0, "12", 33.3,
        {0x1.8d3e2be2be2bdp+7, 0x1.c20d2a6c405d8p+6, 0x0.0p+0, 0x0.0p+0, 0x0.0p+0});
    row("model 0 lens \"16\" 77.7 cm", 0, "16", 77.7,
        {0x1.5462608c6f2d6p+8, 0x1.7f98de5ab2780p+7, 0x0.0p+0, 0x0.0p+0, 0x0.0p+0});
    row("model 0 lens \"25\" 8.0 cm", 0, "25", 8.0,
        {0x1.af8af8af8af8bp+4, 0x1.cdb6db6db6db7p+3, 0x0.0p+0, 0x0.0p+0, 0x0.0p+0});
    row("model 0 lens \"35\" 101.1 cm", 0, "35", 101.1,
        {0x1.9a7e898231bcbp+7, 0x1.ccf7390d2a6c3p+6, 0x0.0p+0, 0x0.0p+0, 0x0.0p+0});
    row("model 0 lens \"50\" 4.5 cm", 0, "50", 4.5,
        {0x1.c924924924925p+1, 0x1.3c57c57c57c58p+0, 0x0.0p+0, 0x0.0p+0, 0x0.0p+0});
    row("model 1 lens \"\" 7.0 cm", 1, "", 7.0,
        {0x1.5000000000000p+5, 0x1.2db6db6db6db7p+5, 0x1.3600000000001p+5, 0x1.f000000000001p+4,
         0x1.364d6c0000000p-3});
    row("model 1 lens \"\" 33.3 cm", 1, "", 33.3,
        {0x1.8f99999999999p+7, 0x1.e17c57c57c57cp+6, 0x1.12c0000000000p+7, 0x1.b79999999999ap+6,
         0x1.764924b800000p+5});
    row("model 1 lens \"\" 77.7 cm", 1, "", 77.7,
        {0x1.d233333333334p+8, 0x1.03ea0ea0ea0eap+8, 0x1.2fe0000000000p+8, 0x1.e633333333333p+7,
         0x1.9ab6dbf600000p+7});
    row("model 2 lens \"\" 8.0 cm", 2, "", 8.0,
        {0x1.3f62762762763p+6, 0x1.ad89d89d89d8bp+5, 0x1.9000000000000p+5, 0x1.2ec4ec4ec4ec4p+5,
         0x1.aaaaa68000000p+0});
    row("model 2 lens \"\" 33.3 cm", 2, "", 33.3,
        {0x1.1e23723723723p+8, 0x1.455a95a95a95bp+7, 0x1.60fffffffffffp+7, 0x1.1de07e07e07e0p+7,
         0x1.764924b800000p+5});
    row("model 2 lens \"\" 77.7 cm", 2, "", 77.7,
        {0x1.4415a95a95a96p+9, 0x1.61f03f03f03f1p+8, 0x1.8e80000000000p+8, 0x1.475e85e85e85fp+8,
         0x1.9ab6dbf600000p+7});
    row("model 3 lens \"\" 35.0 cm", 3, "", 35.0,
        {0x1.2c00000000000p+8, 0x1.5400000000001p+7, 0x0.0p+0, 0x0.0p+0, 0x1.a6db6df000000p+5});
    row("model 3 lens \"\" 45.7 cm", 3, "", 45.7,
        {0x1.833f03f03f03fp+8, 0x1.b02f42f42f430p+7, 0x0.0p+0, 0x0.0p+0, 0x1.6c4924ec00000p+6});
}

void FieldModelTest::bitExact()
{
    QFETCH(int, model);
    QFETCH(QString, lens);
    QFETCH(double, distanceCm);
    QFETCH(Figures, expected);

    const Figures actual = figuresOf(FieldModel::compute(model, lens, distanceCm));
    for (std::size_t i = 0; i < actual.size(); ++i) {
        if (!sameBits(actual[i], expected[i]))
            QFAIL(qPrintable(QStringLiteral("figure %1: %2 instead of %3")
                                 .arg(i)
                                 .arg(actual[i], 0, 'a')
                                 .arg(expected[i], 0, 'a')));
    }
}

// Every side of every entry reproduces its measured sizes at both reference distances.
void FieldModelTest::referenceSizes_data()
{
    QTest::addColumn<int>("entry");
    for (int entry = 0; entry < int(FieldModel::calibrationTable().size()); ++entry)
        QTest::newRow(qPrintable(QStringLiteral("entry %1").arg(entry))) << entry;
}

void FieldModelTest::referenceSizes()
{
    QFETCH(int, entry);
    const FieldModel::CalibrationEntry &e = FieldModel::calibrationTable()[std::size_t(entry)];
    QCOMPARE(e.nearCm, entry < 9 ? 30.0 : 35.0);

    const auto side = [](double sNear, double sFar, double nearCm, double d) {
        const double offset = FieldModel::fitOffset(sNear, sFar, nearCm);
        return FieldModel::fieldSize(offset, FieldModel::fitRatio(offset, sFar), d);
    };
    QCOMPARE(side(e.lengthNear, e.lengthFar, e.nearCm, e.nearCm), e.lengthNear);
    QCOMPARE(side(e.lengthNear, e.lengthFar, e.nearCm, 100.0), e.lengthFar);
    QCOMPARE(side(e.widthNear, e.widthFar, e.nearCm, e.nearCm), e.widthNear);
    QCOMPARE(side(e.widthNear, e.widthFar, e.nearCm, 100.0), e.widthFar);

    // The same through compute() wherever a model reads the entry.
    const char *lenses[] = {"6", "8", "12", "16", "25", "35", "50"};
    const auto at = [&](double d) -> Figures {
        if (entry <= 6)
            return figuresOf(FieldModel::compute(0, QString::fromLatin1(lenses[entry]), d));
        if (entry <= 8)
            return figuresOf(FieldModel::compute(1, QString(), d));
        return figuresOf(FieldModel::compute(2, QString(), d));
    };
    const Figures nearFigures = at(e.nearCm);
    const Figures farFigures = at(100.0);
    const std::size_t first = entry == 8 || entry == 10 ? 2 : 0; // scan or projection pair
    if (entry != 8) {                                            // no result reads entry 8's length
        QCOMPARE(nearFigures[first], e.lengthNear);
        QCOMPARE(farFigures[first], e.lengthFar);
    }
    QCOMPARE(nearFigures[first + 1], e.widthNear);
    QCOMPARE(farFigures[first + 1], e.widthFar);
}

void FieldModelTest::depthOfField_data()
{
    QTest::addColumn<double>("distanceCm");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("printed");

    QTest::newRow("13.5 cm, lower line's anchor") << 13.5 << 10.0 << "10";
    QTest::newRow("30 cm, lower line at the joint") << 30.0 << 35.00000074505806 << "35";
    QTest::newRow("30.1 cm, upper line") << 30.1 << 35.357142865657806 << "35.3571";
    QTest::newRow("100 cm") << 100.0 << 285.0000059604645 << "285";
    QTest::newRow("0 cm, extended below range") << 0.0 << -0x1.4e8ba43000000p+3 << "-10.4545";
    QTest::newRow("150 cm, extended above range") << 150.0 << 0x1.cf9249d000000p+8 << "463.571";
}

void FieldModelTest::depthOfField()
{
    QFETCH(double, distanceCm);
    QFETCH(double, expected);
    QFETCH(QString, printed);

    for (int model : {1, 2, 3}) {
        const FieldResult r = FieldModel::compute(model, QString(), distanceCm);
        QVERIFY(r.depthValid);
        QVERIFY2(sameBits(r.depth, expected), qPrintable(QString::number(r.depth, 'a')));
        QCOMPARE(text(r.depth), printed);
    }
    QVERIFY(!FieldModel::compute(0, QStringLiteral("6"), distanceCm).depthValid);
}

void FieldModelTest::unrecognisedLens_data()
{
    QTest::addColumn<QString>("lens");
    QTest::addColumn<double>("distanceCm");
    QTest::addColumn<QString>("printed");

    QTest::newRow("leading space") << " 6" << 50.0 << "inf";
    QTest::newRow("trailing space") << "6 " << 50.0 << "inf";
    QTest::newRow("decimal") << "6.0" << 50.0 << "inf";
    QTest::newRow("leading zero") << "06" << 50.0 << "inf";
    QTest::newRow("not in the list") << "7" << 50.0 << "inf";
    QTest::newRow("empty") << "" << 50.0 << "inf";
    QTest::newRow("full-width digit") << QString::fromUtf8("６") << 50.0 << "inf";
    QTest::newRow("with unit") << "6mm" << 50.0 << "inf";
    QTest::newRow("zero distance") << "x" << 0.0 << "nan";
    QTest::newRow("negative distance") << "x" << -0.5 << "-inf";
}

void FieldModelTest::unrecognisedLens()
{
    QFETCH(QString, lens);
    QFETCH(double, distanceCm);
    QFETCH(QString, printed);

    const FieldResult r = FieldModel::compute(0, lens, distanceCm);
    QVERIFY(!r.lensRecognised);
    QCOMPARE(text(r.projLength), printed);
    QCOMPARE(text(r.projWidth), printed);
    QVERIFY(!r.scanValid);
    QVERIFY(!r.depthValid);
}

void FieldModelTest::fallback_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<double>("distanceCm");
    QTest::addColumn<QString>("printed");

    for (int model : {4, 5, -1, -2, 100, INT_MAX, INT_MIN}) {
        const auto tag = [model](const char *what) {
            return QStringLiteral("model %1, %2").arg(model).arg(QLatin1String(what)).toLatin1();
        };
        QTest::newRow(tag("positive").constData()) << model << 50.0 << "inf";
        QTest::newRow(tag("tiny positive").constData()) << model << 1e-300 << "inf";
        QTest::newRow(tag("zero").constData()) << model << 0.0 << "nan";
        QTest::newRow(tag("negative").constData()) << model << -0.5 << "-inf";
        QTest::newRow(tag("nan").constData()) << model << std::nan("") << "nan";
    }
}

void FieldModelTest::fallback()
{
    QFETCH(int, model);
    QFETCH(double, distanceCm);
    QFETCH(QString, printed);

    const FieldResult r = FieldModel::compute(model, QStringLiteral("6"), distanceCm);
    QCOMPARE(
        QStringList({text(r.projLength), text(r.projWidth), text(r.scanLength), text(r.scanWidth)}),
        QStringList({printed, printed, printed, printed}));
    QVERIFY(r.scanValid);
    QVERIFY(!r.depthValid);
}

void FieldModelTest::p97HasNoScan_data()
{
    QTest::addColumn<double>("distanceCm");
    for (double cm : {35.0, 50.0, 100.0, 1e6, 0.0, -3.0})
        QTest::newRow(qPrintable(QString::number(cm))) << cm;
}

void FieldModelTest::p97HasNoScan()
{
    QFETCH(double, distanceCm);
    const FieldResult p97 = FieldModel::compute(3, QString(), distanceCm);
    const FieldResult m64 = FieldModel::compute(2, QString(), distanceCm);
    QVERIFY(p97.scanValid);
    QVERIFY(sameBits(p97.scanLength, 0.0));
    QVERIFY(sameBits(p97.scanWidth, 0.0));
    QVERIFY(sameBits(p97.projLength, m64.projLength));
    QVERIFY(sameBits(p97.projWidth, m64.projWidth));
}

void FieldModelTest::distanceForSize_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("lens");
    QTest::addColumn<FieldModel::Side>("side");
    QTest::addColumn<bool>("solvable");

    using FieldModel::Side;
    const auto row = [](int model, const char *lens, Side side, const char *sideName,
                        bool solvable) {
        QTest::newRow(qPrintable(QStringLiteral("model %1 lens '%2' %3")
                                     .arg(model)
                                     .arg(QLatin1String(lens), QLatin1String(sideName))))
            << model << QString::fromLatin1(lens) << side << solvable;
    };
    for (const char *lens : {"6", "8", "12", "16", "25", "35", "50"}) {
        row(0, lens, Side::ProjLength, "length", true);
        row(0, lens, Side::ProjWidth, "width", true);
        row(0, lens, Side::ScanLength, "scan length", false);
    }
    row(0, "7", Side::ProjLength, "length", false); // no calibration for an unknown lens
    for (int model : {1, 2}) {
        row(model, "", Side::ProjLength, "length", true);
        row(model, "", Side::ProjWidth, "width", true);
        row(model, "", Side::ScanLength, "scan length", true);
        row(model, "", Side::ScanWidth, "scan width", true);
    }
    row(3, "", Side::ProjLength, "length", true);
    row(3, "", Side::ProjWidth, "width", true);
    row(3, "", Side::ScanWidth, "scan width", false); // P97 has no camera
    row(4, "", Side::ProjLength, "length", false);
    row(-1, "", Side::ProjWidth, "width", false);
}

// The inverse of compute: at the distance found, the side has the size asked for.
void FieldModelTest::distanceForSize()
{
    QFETCH(int, model);
    QFETCH(QString, lens);
    QFETCH(FieldModel::Side, side);
    QFETCH(bool, solvable);

    for (double size : {37.5, 300.0, 1215.0, 1e6}) {
        const double cm = FieldModel::distanceForSize(model, lens, side, size);
        if (!solvable) {
            QVERIFY(std::isnan(cm));
            continue;
        }
        const FieldResult r = FieldModel::compute(model, lens, cm);
        const double sides[] = {r.projLength, r.projWidth, r.scanLength, r.scanWidth};
        const double found = sides[static_cast<int>(side)];
        QVERIFY2(std::abs(found - size) <= 1e-9 * size,
                 qPrintable(QStringLiteral("%1 mm at %2 cm").arg(found).arg(cm)));
    }
}

void FieldModelTest::modelNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::newRow("R91") << "R91" << 0;
    QTest::newRow("lower case") << "m61" << 1;
    QTest::newRow("chooser item with its space") << " M64" << 2;
    QTest::newRow("mixed case") << "p97" << 3;
    QTest::newRow("placeholder") << QString::fromUtf8(" 待添加") << -1;
    QTest::newRow("unknown") << "M65" << -1;
    QTest::newRow("empty") << "" << -1;
}

void FieldModelTest::modelNames()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    QCOMPARE(FieldRules::modelIndex(text), index);
}

FIELDCALC_TEST_MAIN(QCoreApplication, FieldModelTest)
#include "tst_fieldmodel.moc"
