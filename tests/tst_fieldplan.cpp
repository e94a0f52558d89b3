// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "FieldPlan.h"
#include "FieldReport.h"
#include "FieldRules.h"
#include "TestMain.h"

using FieldModel::Side;
using FieldPlan::Fit;
using FieldPlan::Solution;
using FieldPlan::Sweep;
using FieldReport::figure;

Q_DECLARE_METATYPE(Side)
Q_DECLARE_METATYPE(Sweep::Status)
Q_DECLARE_METATYPE(Solution::Status)

class FieldPlanTest : public QObject
{
    Q_OBJECT

private slots:
    void sweepRows_data();
    void sweepRows();
    void solveEverySide_data();
    void solveEverySide();
    void solveRefusals_data();
    void solveRefusals();
    void fitCoversThePart_data();
    void fitCoversThePart();
    void fitHeight_data();
    void fitHeight();
    void reasons();
};

void FieldPlanTest::sweepRows_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("range");
    QTest::addColumn<Sweep::Status>("status");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("last"); // the last row's distance, as printed

    QTest::newRow("TO inclusive") << 2 << "500:1000:250" << Sweep::Status::Ok << 3 << "1000";
    QTest::newRow("tenths reach TO in single precision")
        << 0 << "300:300.3:0.1" << Sweep::Status::Ok << 4 << "300.3";
    QTest::newRow("one row where FROM is TO")
        << 2 << "1e30:1e30:1" << Sweep::Status::Ok << 1 << "1e+30";
    QTest::newRow("a step too small to show stops")
        << 2 << "16777216:16777300:0.5" << Sweep::Status::Ok << 1 << "1.67772e+07";
    QTest::newRow("the most rows")
        << 2 << "100:100099:1" << Sweep::Status::Ok << 100000 << "100099";
    QTest::newRow("one row too many")
        << 2 << "100:100100:1" << Sweep::Status::TooManyRows << 0 << "";
    QTest::newRow("downwards") << 2 << "200:100:10" << Sweep::Status::Downwards << 0 << "";
    QTest::newRow("starts below the minimum")
        << 3 << "300:500:50" << Sweep::Status::RefusedStart << 0 << "";
    QTest::newRow("step 0") << 2 << "100:200:0" << Sweep::Status::BadRange << 0 << "";
    QTest::newRow("TO beyond a float") << 2 << "100:1e39:1" << Sweep::Status::BadRange << 0 << "";
    QTest::newRow("two parts") << 2 << "100:200" << Sweep::Status::BadRange << 0 << "";
}

void FieldPlanTest::sweepRows()
{
    QFETCH(int, model);
    QFETCH(QString, range);
    QFETCH(Sweep::Status, status);
    QFETCH(int, rows);
    QFETCH(QString, last);

    const Sweep sweep = Sweep::parse(model, range);
    QCOMPARE(sweep.status(), status);
    QCOMPARE(sweep.rowCount(), rows);
    if (rows > 0)
        QCOMPARE(figure(sweep.distanceAt(rows - 1)), last);
    if (status == Sweep::Status::RefusedStart)
        QCOMPARE(sweep.notice(), FieldRules::model(model)->notice);
}

void FieldPlanTest::solveEverySide_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("lens");
    QTest::addColumn<Side>("side");

    const std::pair<Side, const char *> sides[] = {{Side::ProjLength, "proj long"},
                                                   {Side::ProjWidth, "proj short"},
                                                   {Side::ScanLength, "scan long"},
                                                   {Side::ScanWidth, "scan short"}};
    for (int model = 0; model < FieldRules::modelCount; ++model) {
        const FieldRules::ModelInfo *info = FieldRules::model(model);
        for (const auto &side : sides) {
            const bool scan = side.first == Side::ScanLength || side.first == Side::ScanWidth;
            if (scan && !info->hasCamera)
                continue;
            QTest::addRow("%s %s", info->name, side.second)
                << model << QString::fromLatin1(info->takesLens ? "16" : "") << side.first;
        }
    }
}

// The distance found gives the wanted size back, for every side a model has.
void FieldPlanTest::solveEverySide()
{
    QFETCH(int, model);
    QFETCH(QString, lens);
    QFETCH(Side, side);

    const double wanted = 600.0;
    const Solution s = FieldPlan::solve(model, lens, side, wanted);
    QCOMPARE(s.status, Solution::Status::Found);
    const FieldResult there = FieldModel::compute(model, lens, s.distanceMm / 10.0);
    QCOMPARE(FieldPlan::sideOf(there, side), wanted);
}

void FieldPlanTest::solveRefusals_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("lens");
    QTest::addColumn<Side>("side");
    QTest::addColumn<double>("size");
    QTest::addColumn<Solution::Status>("status");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<double>("smallest");

    const QString none;
    QTest::newRow("R91 has no camera")
        << 0 << "6" << Side::ScanWidth << 100.0 << Solution::Status::NoCamera << none << 0.0;
    QTest::newRow("P97 has no camera")
        << 3 << "" << Side::ScanLength << 400.0 << Solution::Status::NoCamera << none << 0.0;
    QTest::newRow("unknown lens") << 0 << "7" << Side::ProjWidth << 300.0
                                  << Solution::Status::UnknownLens
                                  << QString::fromUtf8(FieldRules::wrongLensNotice) << 0.0;
    QTest::newRow("below the minimum, with the smallest size there")
        << 2 << "" << Side::ProjLength << 50.0 << Solution::Status::Refused
        << QString::fromUtf8(FieldRules::model(2)->notice) << 1038.0 / 13.0;
    QTest::newRow("at or below 0") << 1 << "" << Side::ScanWidth << 1.0 << Solution::Status::Refused
                                   << QString::fromUtf8(FieldRules::enterDistanceNotice) << 31.0;
    QTest::newRow("beyond what a distance field holds")
        << 2 << "" << Side::ProjLength << 1e40 << Solution::Status::Refused
        << QString::fromUtf8(FieldRules::enterDistanceNotice) << 0.0;
}

void FieldPlanTest::solveRefusals()
{
    QFETCH(int, model);
    QFETCH(QString, lens);
    QFETCH(Side, side);
    QFETCH(double, size);
    QFETCH(Solution::Status, status);
    QFETCH(QString, notice);
    QFETCH(double, smallest);

    const Solution s = FieldPlan::solve(model, lens, side, size);
    QCOMPARE(s.status, status);
    QCOMPARE(QString::fromUtf8(s.notice), notice);
    QCOMPARE(figure(s.smallestMm), figure(smallest));
    QCOMPARE(s.beyondRange, size > 1e30);
}

void FieldPlanTest::fitCoversThePart_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("lens");
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("width");
    QTest::addColumn<QString>("distance");
    QTest::addColumn<bool>("atMinimum");

    // Large parts: one side of the field just covers the part.
    QTest::newRow("R91, projected") << 0 << "12" << 500.0 << 200.0 << "867.089" << false;
    QTest::newRow("M61, scan") << 1 << "" << 200.0 << 100.0 << "500" << false;
    QTest::newRow("M64, scan, short side decides")
        << 2 << "" << 200.0 << 190.0 << "446.296" << false;
    QTest::newRow("M64, part across the field") << 2 << "" << 190.0 << 200.0 << "446.296" << false;
    QTest::newRow("P97, projected") << 3 << "" << 600.0 << 300.0 << "717.925" << false;
    // Small parts: the nearest distance the model accepts.
    QTest::newRow("R91 below 1 mm") << 0 << "6" << 5.0 << 5.0 << "1" << true;
    QTest::newRow("M61 below its minimum") << 1 << "" << 10.0 << 10.0 << "70" << true;
    QTest::newRow("M64 below its minimum") << 2 << "" << 10.0 << 10.0 << "80" << true;
    QTest::newRow("P97 below its minimum") << 3 << "" << 10.0 << 10.0 << "350" << true;
}

void FieldPlanTest::fitCoversThePart()
{
    QFETCH(int, model);
    QFETCH(QString, lens);
    QFETCH(double, length);
    QFETCH(double, width);
    QFETCH(QString, distance);
    QFETCH(bool, atMinimum);

    const Fit f = FieldPlan::fit(model, lens, length, width);
    QCOMPARE(f.status, Fit::Status::Found);
    QCOMPARE(figure(f.distanceMm), distance);
    QCOMPARE(f.atMinimum, atMinimum);
    QCOMPARE(f.scanField, FieldRules::model(model)->hasCamera);
    const FieldResult r = FieldModel::compute(model, lens, f.distanceMm / 10.0);
    const double fieldLong = f.scanField ? r.scanLength : r.projLength;
    const double fieldShort = f.scanField ? r.scanWidth : r.projWidth;
    const double partLong = std::max(length, width);
    const double partShort = std::min(length, width);
    const double slack = 1e-9;
    QVERIFY(fieldLong >= partLong - slack && fieldShort >= partShort - slack);
    if (!atMinimum) // and not a millimetre nearer
        QVERIFY(qFuzzyCompare(fieldLong, partLong) || qFuzzyCompare(fieldShort, partShort));
}

void FieldPlanTest::fitHeight_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("fits");

    // M61 at 500 mm: depth ±106.429, so 212.857 mm of height.
    QTest::newRow("inside") << 1 << 212.0 << true << true;
    QTest::newRow("outside") << 1 << 213.0 << true << false;
    QTest::newRow("R91 has no depth") << 0 << 10.0 << false << false;
    QTest::newRow("bad part") << 1 << -1.0 << false << false;
}

void FieldPlanTest::fitHeight()
{
    QFETCH(int, model);
    QFETCH(double, height);
    QFETCH(bool, known);
    QFETCH(bool, fits);

    const Fit f = FieldPlan::fit(model, QStringLiteral("6"), 200.0, 100.0, height);
    QCOMPARE(f.status, height < 0 ? Fit::Status::BadPart : Fit::Status::Found);
    QCOMPARE(f.depthKnown && f.heightGiven, known);
    QCOMPARE(f.heightFits, fits);
}

void FieldPlanTest::reasons()
{
    const Solution below = FieldPlan::solve(2, QString(), Side::ProjLength, 50.0);
    QCOMPARE(FieldPlan::reason(2, Side::ProjLength, 50.0, below),
             QString::fromUtf8("M64输入工作距离不能小于80MM!：光机幅面长 50 MM 需要工作距离 "
                               "43.3962 MM；M64最小工作距离 80 MM 处的光机幅面长为 79.8462 MM"));
    const Solution p97 = FieldPlan::solve(3, QString(), Side::ScanWidth, 50.0);
    QCOMPARE(FieldPlan::reason(3, Side::ScanWidth, 50.0, p97), QString::fromUtf8("P97无扫描幅面"));
    QVERIFY(
        FieldPlan::reason(FieldPlan::fit(2, QString(), 0.0, 1.0)).contains(QLatin1String("MM")));
}

FIELDCALC_TEST_MAIN(QCoreApplication, FieldPlanTest)
#include "tst_fieldplan.moc"
