// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "PlannerDialog.h"
#include "TestMain.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class PlannerTest : public QObject
{
    Q_OBJECT

private slots:
    void opensBesideTheWindow();
    void csvIsTheCommandLinesCsv_data();
    void csvIsTheCommandLinesCsv();
    void failedExportLeavesNoFile();
    void copiesTabSeparated();
    void answers_data();
    void answers();
    void everyControlIsNamed();

private:
    static QList<PlannerDialog *> planners();
};

QList<PlannerDialog *> PlannerTest::planners()
{
    QList<PlannerDialog *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *planner = qobject_cast<PlannerDialog *>(widget))
            if (planner->isVisible())
                found << planner;
    return found;
}

// From the window's shortcut: non-modal, with the window's model and lens, outside
// the window's widget tree, one at a time, and gone with the window.
void PlannerTest::opensBesideTheWindow()
{
    WindowFixture fixture;
    QVERIFY(fixture.open());
    fixture.child<QComboBox>("comboBox")->setCurrentIndex(2);
    const int widgets = fixture.window()->findChildren<QWidget *>().size();

    QTest::keyClick(fixture.window(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_COMPARE(planners().size(), 1);
    PlannerDialog *planner = planners().first();
    QVERIFY(!planner->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(planner->findChild<QComboBox *>(QStringLiteral("modelBox"))->currentText(),
             QStringLiteral("M64"));
    QCOMPARE(planner->findChild<QLineEdit *>(QStringLiteral("fromEdit"))->text(),
             QStringLiteral("80"));
    QCOMPARE(fixture.window()->findChildren<QWidget *>().size(), widgets);

    fixture.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fixture.window()));
    QTest::keyClick(fixture.window(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(planners().size(), 1);

    const QPointer<PlannerDialog> watched = planner;
    fixture.close();
    QTRY_VERIFY(watched.isNull());
}

void PlannerTest::csvIsTheCommandLinesCsv_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("lens");
    QTest::addColumn<QStringList>("range"); // from, to, step
    QTest::addColumn<QStringList>("cli");

    QTest::newRow("M64 by default")
        << 2 << "" << QStringList{} << QStringList{"M64", "--sweep", "80:1000:100"};
    QTest::newRow("R91 in tenths, empty cells")
        << 0 << "12" << QStringList{"300", "300.3", "0.1"}
        << QStringList{"R91", "--lens", "12", "--sweep", "300:300.3:0.1"};
}

// The exported bytes are those of fieldcalc-cli --sweep --format csv.
void PlannerTest::csvIsTheCommandLinesCsv()
{
    QFETCH(int, model);
    QFETCH(QString, lens);
    QFETCH(QStringList, range);
    QFETCH(QStringList, cli);

    PlannerDialog planner(model, lens);
    const char *edits[] = {"fromEdit", "toEdit", "stepEdit"};
    for (int i = 0; i < range.size(); ++i)
        planner.findChild<QLineEdit *>(QLatin1String(edits[i]))->setText(range.at(i));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.csv"));
    QString error;
    QVERIFY2(planner.writeCsv(path, &error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));

    QProcess process;
    process.start(QStringLiteral(FIELDCALC_CLI), cli + QStringList{"--format", "csv"});
    QVERIFY(process.waitForFinished(processDeadlineMs));
    QCOMPARE(file.readAll(), process.readAllStandardOutput());
}

void PlannerTest::failedExportLeavesNoFile()
{
    PlannerDialog planner(2, QString());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/table.csv"));
    QString error;
    QVERIFY(!planner.writeCsv(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void PlannerTest::copiesTabSeparated()
{
    PlannerDialog planner(2, QString());
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(planner.findChild<QPushButton *>(QStringLiteral("copyButton")),
                      Qt::LeftButton);
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 1 + 10 + 1); // captions, 80 to 980, and the final line break
    QCOMPARE(lines.at(0).split(QLatin1Char('\t')).size(), 6);
    QCOMPARE(lines.at(5), QStringLiteral("480\t406\t226\t250\t204\t99.2857"));
}

void PlannerTest::answers_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("shows");

    QTest::newRow("scan short side") << 2 << "sizeEdit"
                                     << "212.308"
                                     << "targetResult" << QString::fromUtf8("工作距离: 500.001 MM");
    QTest::newRow("no camera, in the window's words")
        << 3 << "sizeEdit"
        << "212"
        << "targetResult" << QString::fromUtf8("P97无扫描幅面");
    QTest::newRow("part at the minimum")
        << 1 << "partLengthEdit"
        << "10"
        << "partResult" << QString::fromUtf8("部件在最小工作距离处即可覆盖");
}

void PlannerTest::answers()
{
    QFETCH(int, model);
    QFETCH(QString, edit);
    QFETCH(QString, text);
    QFETCH(QString, result);
    QFETCH(QString, shows);

    PlannerDialog planner(model, QString());
    planner.findChild<QComboBox *>(QStringLiteral("sideBox"))->setCurrentIndex(3);
    planner.findChild<QLineEdit *>(QStringLiteral("partWidthEdit"))->setText(QStringLiteral("10"));
    planner.findChild<QLineEdit *>(edit)->setText(text);
    const QString shown = planner.findChild<QLabel *>(result)->text();
    QVERIFY2(shown.contains(shows), qPrintable(shown));
}

// A screen reader names every control that the keyboard reaches.
void PlannerTest::everyControlIsNamed()
{
    PlannerDialog planner(0, QStringLiteral("6"));
    planner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&planner));
    int reached = 0;
    for (QWidget *widget : planner.findChildren<QWidget *>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(&planner))
            continue;
        ++reached;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), qPrintable(widget->objectName()));
    }
    QVERIFY(reached >= 14);
}

FIELDCALC_TEST_MAIN(QApplication, PlannerTest)
#include "tst_planner.moc"
