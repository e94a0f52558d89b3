// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "NoticeCatcher.h"
#include "TestMain.h"
#include "WindowFixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

enum class Trigger { Click, EnterInLens, EnterInDistance, TypeOnly };

struct Run
{
    int model;
    QString lens;
    QString distance;
    Trigger trigger = Trigger::Click;
};

using Runs = QVector<Run>;

const QString r91NoScan = QString::fromUtf8("R91无扫描幅面");
const QString r91NoDepth = QString::fromUtf8("无R91景深");
const QString enterDistance = QString::fromUtf8("请输入工作距离，且不能小于0");
const QString wrongLens = QString::fromUtf8("镜头大小输入错误");

} // namespace

Q_DECLARE_METATYPE(Run)
Q_DECLARE_METATYPE(Runs)

class CalculateTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void calculate_data();
    void calculate();
    void copyResults_data();
    void copyResults();
    void inputFieldsKeepTheirCopy();

private:
    void perform(const Run &run);

    template <typename T = QWidget> T *child(const char *name) const
    {
        return m_fixture.child<T>(name);
    }

    WindowFixture m_fixture;
};

void CalculateTest::init()
{
    QVERIFY(m_fixture.open());
}

void CalculateTest::cleanup()
{
    m_fixture.close();
}

// What a user does: pick the model, retype both fields, then click or press Enter.
void CalculateTest::perform(const Run &run)
{
    child<QComboBox>("comboBox")->setCurrentIndex(run.model);
    auto *lens = child<QLineEdit>("lineEdit");
    auto *distance = child<QLineEdit>("lineEdit_2");
    for (QLineEdit *field : {lens, distance}) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
    }
    QTest::keyClicks(lens, run.lens);
    QTest::keyClicks(distance, run.distance);
    QCOMPARE(lens->text(), run.lens);
    QCOMPARE(distance->text(), run.distance);

    switch (run.trigger) {
    case Trigger::Click:
        QTest::mouseClick(child<QPushButton>("pushButton"), Qt::LeftButton);
        break;
    case Trigger::EnterInLens:
        QTest::keyClick(lens, Qt::Key_Return);
        break;
    case Trigger::EnterInDistance:
        QTest::keyClick(distance, Qt::Key_Return);
        break;
    case Trigger::TypeOnly:
        break;
    }
}

void CalculateTest::calculate_data()
{
    QTest::addColumn<Runs>("before"); // earlier runs whose notices do not matter here
    QTest::addColumn<Run>("run");
    QTest::addColumn<QStringList>("notices");
    // lineEdit_3, lineEdit_4, lineEdit_5, lineEdit_6, lineEdit_8
    QTest::addColumn<QStringList>("fields");

    const auto row = [](const char *tag, const Runs &before, const Run &run,
                        const QStringList &notices, const QStringList &fields) {
        QTest::newRow(tag) << before << run << notices << fields;
    };
    const auto r91 = [](const char *l, const char *s) {
        return QStringList{l, s, r91NoScan, r91NoScan, r91NoDepth};
    };
    const QStringList none;
    const QStringList inf{"inf", "inf", "inf", "inf", ""};
    const QStringList nan{"nan", "nan", "nan", "nan", ""};
    const QStringList minusInf{"-inf", "-inf", "-inf", "-inf", ""};
    const QStringList m64At500{"422.308", "234.615", "260", "212.308", "106.429"};
    const QStringList m61At500{"300", "172.857", "200", "160", "106.429"};
    const auto keepDepth = [](QStringList fields, const char *depth) {
        fields.last() = QString::fromLatin1(depth);
        return fields;
    };
    const Trigger enter = Trigger::EnterInDistance;
    const Trigger lensEnter = Trigger::EnterInLens;

    row("walkthrough: M64 at 500, Enter", {}, {2, "", "500", enter}, none, m64At500);

    row("R91 6 at 1000", {}, {0, "6", "1000"}, none, r91("1215", "670"));
    row("R91 6 at 300", {}, {0, "6", "300", lensEnter}, none, r91("382", "210"));
    row("R91 12 at 500", {}, {0, "12", "500"}, none, r91("292.857", "165.714"));
    row("R91 16 at 500", {}, {0, "16", "500", enter}, none, r91("222.857", "125.714"));
    row("R91 6 at 50, no minimum", {}, {0, "6", "50"}, none, r91("84.5", "45.7143"));
    row("M61 at 70, its minimum", {}, {1, "", "70"}, none,
        {"42", "37.7143", "38.75", "31", "0.151515"});
    row("M61 at 500", {}, {1, "6", "500", lensEnter}, none, m61At500);
    row("M61 at 1000", {}, {1, "", "1000"}, none, {"600", "330", "387.5", "310", "285"});
    row("M64 at 80, its minimum", {}, {2, "", "80"}, none,
        {"79.8462", "53.6923", "50", "37.8462", "1.66667"});
    row("M64 at 1000", {}, {2, "", "1000", enter}, none, {"830", "450", "510", "420", "285"});
    row("P97 at 500", {}, {3, "", "500"}, none, {"422.308", "234.615", "0", "0", "106.429"});
    row("P97 at 350, its minimum", {}, {3, "", "350"}, none, {"300", "170", "0", "0", "52.8571"});
    row("M64 at 500 with blanks around", {}, {2, "", " 500 "}, none, m64At500);

    row("M61 at 69", {}, {1, "", "69"}, {QString::fromUtf8("m61输入工作距离不能小于70MM!")}, inf);
    row("M64 at 79", {}, {2, "", "79", enter}, {QString::fromUtf8("M64输入工作距离不能小于80MM!")},
        inf);
    row("P97 at 349", {}, {3, "", "349"}, {QString::fromUtf8("P97输入工作距离不能小于350MM!")},
        inf);
    row("P97 at 0.5, below its minimum", {}, {3, "", "0.5"},
        {QString::fromUtf8("P97输入工作距离不能小于350MM!")}, inf);

    for (int model = 0; model <= 4; ++model)
        row(qPrintable(QStringLiteral("empty distance, model %1").arg(model)), {},
            {model, "6", "", model % 2 ? enter : Trigger::Click}, {enterDistance}, nan);
    row("unparsable distance", {}, {2, "", "abc"}, {enterDistance}, nan);
    row("decimal comma", {}, {2, "", "1,5"}, {enterDistance}, nan);
    row("zero", {}, {1, "", "0"}, {enterDistance}, nan);
    row("negative zero", {}, {1, "", "-0"}, {enterDistance}, nan);
    row("negative", {}, {2, "", "-5", enter}, {enterDistance}, minusInf);
    row("negative for R91", {}, {0, "6", "-5"}, {enterDistance}, minusInf);

    // Not a finite number: refused like an empty distance.
    row("nan", {}, {2, "", "nan"}, {enterDistance}, nan);
    row("NaN for R91", {}, {0, "6", "NaN"}, {enterDistance}, nan);
    row("inf", {}, {1, "", "inf"}, {enterDistance}, inf);
    row("inf for the placeholder", {}, {4, "", "inf"}, {enterDistance}, inf);
    row("-inf", {}, {3, "", "-inf"}, {enterDistance}, minusInf);
    row("overflow 1e50", {}, {2, "", "1e50"}, {enterDistance}, inf);
    row("overflow -1e50", {}, {2, "", "-1e50"}, {enterDistance}, minusInf);
    row("huge but finite 1e30", {}, {0, "6", "1e30"}, none, r91("1.19e+30", "6.57143e+29"));
    row("wider than the fields", {}, {1, "", "1e30"}, none,
        {"6e+29", "3.14286e+29", "3.75e+29", "3e+29", "3.57143e+29"});

    row("lens with a leading space", {}, {0, " 6", "500"}, {wrongLens}, r91("inf", "inf"));
    row("lens 6.0", {}, {0, "6.0", "500", lensEnter}, {wrongLens}, r91("inf", "inf"));
    row("lens 7", {}, {0, "7", "500", enter}, {wrongLens}, r91("inf", "inf"));
    row("lens empty", {}, {0, "", "500"}, {wrongLens}, r91("inf", "inf"));
    row("bad lens and zero distance: one notice", {}, {0, "7", "0"}, {enterDistance}, nan);
    row("lens ignored for M64", {}, {2, "7", "500"}, none, m64At500);

    row("placeholder at 500", {}, {4, "", "500"}, none, inf);
    row("placeholder keeps the depth", {{2, "", "500"}}, {4, "", "500"}, none,
        keepDepth(inf, "106.429"));
    row("rejected distance keeps the depth", {{1, "", "500"}}, {1, "", "69"},
        {QString::fromUtf8("m61输入工作距离不能小于70MM!")}, keepDepth(inf, "106.429"));
    row("empty distance keeps the depth", {{2, "", "500"}}, {2, "", ""}, {enterDistance},
        keepDepth(nan, "106.429"));
    row("M64 then R91", {{2, "", "500"}}, {0, "6", "500"}, none, r91("620", "341.429"));
    row("M64, R91, M64", {{2, "", "500"}, {0, "6", "500"}}, {2, "", "500"}, none, m64At500);
    row("R91 then P97", {{0, "6", "500"}}, {3, "", "500", enter}, none,
        {"422.308", "234.615", "0", "0", "106.429"});
    row("same run twice", {{1, "", "500"}}, {1, "", "500"}, none, m61At500);
}

void CalculateTest::calculate()
{
    QFETCH(Runs, before);
    QFETCH(Run, run);
    QFETCH(QStringList, notices);
    QFETCH(QStringList, fields);

    for (const Run &earlier : before) {
        NoticeCatcher ignored;
        perform(earlier);
    }

    NoticeCatcher catcher;
    perform(run);
    QVector<NoticeCatcher::Notice> expectedNotices;
    for (const QString &text : notices)
        expectedNotices.append({QString::fromUtf8("提示"), text});
    QCOMPARE(catcher.notices(), expectedNotices);

    QStringList actual;
    for (const char *name : {"lineEdit_3", "lineEdit_4", "lineEdit_5", "lineEdit_6", "lineEdit_8"})
        actual << child<QLineEdit>(name)->text();
    QCOMPARE(actual, fields);
    QCOMPARE(child<QLineEdit>("lineEdit_8")->isEnabled(), false);
    // Each field shows the beginning of its text, also where it is too long to fit.
    for (const char *name : {"lineEdit_3", "lineEdit_4", "lineEdit_5", "lineEdit_6", "lineEdit_8"})
        QCOMPARE(child<QLineEdit>(name)->cursorPosition(), 0);
}

void CalculateTest::copyResults_data()
{
    QTest::addColumn<Runs>("runs");
    QTest::addColumn<QString>("copied");

    QTest::newRow("before any calculation")
        << Runs{}
        << QString::fromUtf8("光机选择: R91\n镜头大小:\n工作距离:\n光机幅面长:\n"
                             "光机幅面宽:\n扫描幅面长:\n扫描幅面宽:\n景深:\n");
    QTest::newRow("M64 at 500")
        << Runs{{2, "", "500"}}
        << QString::fromUtf8("光机选择: M64\n镜头大小:\n工作距离: 500 MM\n"
                             "光机幅面长: 422.308 MM\n光机幅面宽: 234.615 MM\n"
                             "扫描幅面长: 260 MM\n扫描幅面宽: 212.308 MM\n景深: ±106.429 MM\n");
    QTest::newRow("R91 with its fixed texts")
        << Runs{{0, "6", "1000"}}
        << QString::fromUtf8(
               "光机选择: R91\n镜头大小: 6\n工作距离: 1000 MM\n"
               "光机幅面长: 1215 MM\n光机幅面宽: 670 MM\n"
               "扫描幅面长: R91无扫描幅面\n扫描幅面宽: R91无扫描幅面\n景深: 无R91景深\n");
    QTest::newRow("what is shown, not what was calculated")
        << Runs{{2, "", "500"}, {4, "x", " abc"}}
        << QString::fromUtf8("光机选择: 待添加\n镜头大小: x\n工作距离:  abc\n"
                             "光机幅面长: nan MM\n光机幅面宽: nan MM\n扫描幅面长: nan MM\n"
                             "扫描幅面宽: nan MM\n景深: ±106.429 MM\n");
    // The figures travel with the inputs that made them, not with those typed since.
    QTest::newRow("inputs changed after calculating")
        << Runs{{2, "", "500"}, {3, "", "900", Trigger::TypeOnly}}
        << QString::fromUtf8("光机选择: M64\n镜头大小:\n工作距离: 500 MM\n"
                             "光机幅面长: 422.308 MM\n光机幅面宽: 234.615 MM\n"
                             "扫描幅面长: 260 MM\n扫描幅面宽: 212.308 MM\n景深: ±106.429 MM\n");
    QTest::newRow("placeholder")
        << Runs{{4, "", "500"}}
        << QString::fromUtf8("光机选择: 待添加\n镜头大小:\n工作距离: 500 MM\n"
                             "光机幅面长: inf MM\n光机幅面宽: inf MM\n扫描幅面长: inf MM\n"
                             "扫描幅面宽: inf MM\n景深:\n");
}

// Ctrl+Shift+C copies what the window shows, from wherever the focus is.
void CalculateTest::copyResults()
{
    QFETCH(Runs, runs);
    QFETCH(QString, copied);

    for (const Run &run : runs) {
        NoticeCatcher ignored;
        perform(run);
    }
    // A notice took the activation away, as it does on a desktop until it closes.
    m_fixture.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_fixture.window()));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(child<QLineEdit>("lineEdit_2"), Qt::Key_C,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
}

// Ctrl+C and undo in an input field still act on its own text.
void CalculateTest::inputFieldsKeepTheirCopy()
{
    auto *distance = child<QLineEdit>("lineEdit_2");
    QTest::keyClicks(distance, QStringLiteral("500"));
    distance->selectAll();
    QTest::keyClick(distance, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("500"));
    QTest::keyClicks(distance, QStringLiteral("7"));
    QCOMPARE(distance->text(), QStringLiteral("7"));
    QTest::keyClick(distance, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(distance->text(), QStringLiteral("500"));
}

FIELDCALC_TEST_MAIN(QApplication, CalculateTest)
#include "tst_calculate.moc"
