// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "TestMain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct Outcome
{
    int status = -1;
    QString out;
    QString err;
};

// The installed way: a separate process, with no environment at all (so a POSIX
// locale) unless told, reading its streams as UTF-8.
Outcome runCli(const QStringList &arguments,
               const QProcessEnvironment &environment = QProcessEnvironment())
{
    QProcess cli;
    cli.setProcessEnvironment(environment);
    cli.start(QStringLiteral(FIELDCALC_CLI), arguments);
    if (!cli.waitForFinished(processDeadlineMs))
        qFatal("fieldcalc-cli did not finish");
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
            QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
}

// The window's text for one calculation, as Ctrl+Shift+C copies it.
QString block(const char *model, const char *lens, const char *distance, const QStringList &shown)
{
    const bool r91 = shown.at(2).startsWith(QLatin1String("R91"));
    const QString unit = QStringLiteral(" MM");
    return QString::fromUtf8("光机选择: %1\n镜头大小:%2\n工作距离: %3 MM\n光机幅面长: %4 MM\n"
                             "光机幅面宽: %5 MM\n扫描幅面长: %6\n扫描幅面宽: %7\n景深: %8\n")
        .arg(QLatin1String(model), *lens ? QStringLiteral(" ") + QLatin1String(lens) : QString(),
             QLatin1String(distance), shown.at(0), shown.at(1),
             r91 ? shown.at(2) : shown.at(2) + unit, r91 ? shown.at(3) : shown.at(3) + unit,
             r91 ? shown.at(4) : QString::fromUtf8("±") + shown.at(4) + unit);
}

const QString csvHeader = QStringLiteral(
    "distance_mm,proj_length_mm,proj_width_mm,scan_length_mm,scan_width_mm,depth_mm");

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private slots:
    void sampleResults_data();
    void sampleResults();
    void solveRoundTrip_data();
    void solveRoundTrip();
    void refusals_data();
    void refusals();
    void csvAndJson_data();
    void csvAndJson();
    void fitAsText();
    void lensIgnoredWithAWarning();
    void writeErrors_data();
    void writeErrors();
    void quietUnderPosixLocales_data();
    void quietUnderPosixLocales();
};

void CliTest::sampleResults_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");

    const QString noScan = QString::fromUtf8("R91无扫描幅面");
    const QString noDepth = QString::fromUtf8("无R91景深");
    const auto r91 = [&](const char *lens, const char *mm, const char *l, const char *w) {
        QTest::newRow(
            qPrintable(QStringLiteral("R91 %1 at %2").arg(QLatin1String(lens), QLatin1String(mm))))
            << QStringList{"R91", mm, "--lens", lens}
            << block("R91", lens, mm, {l, w, noScan, noScan, noDepth});
    };
    r91("6", "1000", "1215", "670");
    r91("6", "300", "382", "210");
    r91("12", "500", "292.857", "165.714");
    r91("16", "500", "222.857", "125.714");
    r91("6", "50", "84.5", "45.7143"); // R91 has no minimum

    const auto row = [](const char *tag, const QStringList &arguments, const char *model,
                        const char *mm, const QStringList &shown) {
        QTest::newRow(tag) << arguments << block(model, "", mm, shown);
    };
    row("M61 at 70", {"M61", "70"}, "M61", "70", {"42", "37.7143", "38.75", "31", "0.151515"});
    row("M61 at 500", {"M61", "500"}, "M61", "500", {"300", "172.857", "200", "160", "106.429"});
    row("M61 at 1000", {"M61", "1000"}, "M61", "1000", {"600", "330", "387.5", "310", "285"});
    row("M64 at 80", {"M64", "80"}, "M64", "80",
        {"79.8462", "53.6923", "50", "37.8462", "1.66667"});
    row("M64 at 500", {"M64", "500"}, "M64", "500",
        {"422.308", "234.615", "260", "212.308", "106.429"});
    row("M64 at 1000", {"M64", "1000"}, "M64", "1000", {"830", "450", "510", "420", "285"});
    row("P97 at 500", {"P97", "500"}, "P97", "500", {"422.308", "234.615", "0", "0", "106.429"});
    row("P97 at 350", {"P97", "350"}, "P97", "350", {"300", "170", "0", "0", "52.8571"});
    row("model in lower case", {"m64", "500"}, "M64", "500",
        {"422.308", "234.615", "260", "212.308", "106.429"});
    row("distance parsed as the window does", {"M64", " 500 "}, "M64", "500",
        {"422.308", "234.615", "260", "212.308", "106.429"});
    row("depth at 300 from the lower line", {"M61", "300"}, "M61", "300",
        {"180", "110", "125", "100", "35"});
}

// The window's sample figures, with the window's captions and units.
void CliTest::sampleResults()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);

    const Outcome outcome = runCli(arguments);
    QCOMPARE(outcome.err, QString());
    QCOMPARE(outcome.status, 0);
    QCOMPARE(outcome.out, expected);
}

void CliTest::solveRoundTrip_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("column"); // of the CSV row that must show the wanted size
    QTest::addColumn<QString>("size");

    struct Model
    {
        const char *name;
        const char *lens;
        bool camera;
    };
    for (const Model &m :
         {Model{"R91", "6", false}, Model{"R91", "50", false}, Model{"M61", "", true},
          Model{"M64", "", true}, Model{"P97", "", false}}) {
        const QStringList base = *m.lens ? QStringList{m.name, "--lens", m.lens, "--format", "csv"}
                                         : QStringList{m.name, "--format", "csv"};
        const auto row = [&](const char *option, bool scan, int column, const char *size) {
            QStringList arguments = base + QStringList{option, size};
            if (scan)
                arguments << "--scan";
            QTest::newRow(qPrintable(QStringLiteral("%1 %2 %3%4 %5")
                                         .arg(QLatin1String(m.name), QLatin1String(m.lens),
                                              QLatin1String(option), scan ? " --scan" : "",
                                              QLatin1String(size))))
                << arguments << column << QString::fromLatin1(size);
        };
        row("--solve-length", false, 1, "900");
        row("--solve-width", false, 2, "455.5");
        if (m.camera) {
            row("--solve-length", true, 3, "300");
            row("--solve-width", true, 4, "212.308");
        }
    }
}

// Solving for a side and then computing at that distance gives the side back.
void CliTest::solveRoundTrip()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, column);
    QFETCH(QString, size);

    const Outcome outcome = runCli(arguments);
    QCOMPARE(outcome.err, QString());
    QCOMPARE(outcome.status, 0);
    const QStringList lines = outcome.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0), csvHeader);
    QCOMPARE(lines.at(1).split(QLatin1Char(',')).at(column), size);
}

void CliTest::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // standard error starts with it

    const auto refused = [](const char *tag, const QStringList &arguments, const char *message) {
        QTest::newRow(tag) << arguments << 1 << QString::fromUtf8(message);
    };
    const char *enterDistance = "请输入工作距离，且不能小于0\n";
    refused("negative", {"M64", "-5"}, enterDistance);
    refused("negative after --", {"M64", "--", "-5"}, enterDistance);
    refused("zero", {"M61", "0"}, enterDistance);
    refused("unparsable", {"M64", "abc"}, enterDistance);
    refused("decimal comma", {"M64", "1,5"}, enterDistance);
    refused("nan", {"M64", "nan"}, enterDistance);
    refused("inf", {"P97", "inf"}, enterDistance);
    refused("overflow", {"M64", "1e50"}, enterDistance);
    refused("R91 negative", {"R91", "-1", "--lens", "6"}, enterDistance);
    refused("M61 at 69", {"M61", "69"}, "m61输入工作距离不能小于70MM!\n");
    refused("M64 at 79", {"M64", "79"}, "M64输入工作距离不能小于80MM!\n");
    refused("P97 at 349", {"P97", "349"}, "P97输入工作距离不能小于350MM!\n");
    refused("sweep starting below the minimum", {"P97", "--sweep", "300:500:50"},
            "P97输入工作距离不能小于350MM!\n");
    refused("sweep starting at 0", {"M61", "--sweep", "0:500:50"}, enterDistance);
    refused("R91 lens not in the list", {"R91", "500", "--lens", "7"}, "镜头大小输入错误\n");
    refused("R91 lens with a blank", {"R91", "500", "--lens", " 6"}, "镜头大小输入错误\n");
    refused("R91 without a lens", {"R91", "500"}, "镜头大小输入错误\n");
    refused("R91 solve without a lens", {"R91", "--solve-width", "300"}, "镜头大小输入错误\n");
    refused("distance before lens: one message", {"R91", "0", "--lens", "7"}, enterDistance);
    refused("solve below the minimum", {"M64", "--solve-length", "50"},
            "M64输入工作距离不能小于80MM!\nA projected long side of 50 mm needs a distance of "
            "43.3962 mm. The smallest projected long side of M64 is 79.8462 mm, at its minimum "
            "distance of 80 mm.\n");
    refused("solve landing below 0", {"M61", "--solve-width", "1"}, enterDistance);
    refused("solve for size 0", {"R91", "--lens", "6", "--solve-length", "0"}, enterDistance);
    refused("scan solve for R91", {"R91", "--lens", "6", "--scan", "--solve-width", "100"},
            "R91 has no camera, so it has no scan field to solve for.\n");
    refused("scan solve for P97", {"P97", "--scan", "--solve-length", "400"},
            "P97 has no camera, so it has no scan field to solve for.\n");

    const auto usage = [](const char *tag, const QStringList &arguments, const char *message) {
        QTest::newRow(tag) << arguments << 2 << QString::fromUtf8(message);
    };
    usage("unknown model", {"X9", "500"}, "Unknown model \"X9\"");
    usage("the placeholder", {"待添加", "500"}, "Unknown model");
    usage("nothing", {}, "Give a MODEL");
    usage("no distance", {"M64"}, "Give exactly one of");
    usage("distance and sweep", {"M64", "500", "--sweep", "100:200:10"}, "Give exactly one of");
    usage("two solves", {"M64", "--solve-length", "1", "--solve-width", "1"},
          "Give exactly one of");
    usage("scan without a solve", {"M64", "500", "--scan"}, "--scan goes with");
    usage("unknown format", {"M64", "500", "--format", "xml"}, "--format is");
    usage("unknown option", {"M64", "500", "--frobnicate"}, "Unknown option");
    usage("sweep of two parts", {"M64", "--sweep", "100:200"}, "--sweep takes");
    usage("sweep step 0", {"M64", "--sweep", "100:200:0"}, "--sweep takes");
    usage("sweep step negative", {"M64", "--sweep", "100:200:-5"}, "--sweep takes");
    usage("sweep downwards", {"M64", "--sweep", "200:100:10"}, "--sweep runs upwards");
    usage("sweep too long", {"M64", "--sweep", "100:1e30:1"}, "--sweep would print");
    usage("solve without a number", {"M64", "--solve-length", "wide"}, "--solve-length takes");
    usage("a second distance", {"m64", "500", "600"}, "One distance too many: 600.");
    usage("fit of one size", {"M64", "--fit", "200"}, "--fit takes");
    refused("solve beyond a float", {"M64", "--solve-length", "1e40"}, enterDistance);
}

// What the window refuses is refused here: a message, no output, a status.
void CliTest::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);

    const Outcome outcome = runCli(arguments);
    QCOMPARE(outcome.status, status);
    QCOMPARE(outcome.out, QString());
    QVERIFY2(outcome.err.startsWith(message), qPrintable(outcome.err));
    // A usage error points to the help instead of printing all of it.
    if (status == 2)
        QVERIFY2(outcome.err.endsWith(QLatin1String("\nTry 'fieldcalc-cli --help'.\n")) &&
                     !outcome.err.contains(QLatin1String("Usage:")),
                 qPrintable(outcome.err));
}

void CliTest::csvAndJson_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("csv");

    QTest::newRow("R91: empty cells, null") << QStringList{"R91", "1000", "--lens", "6"}
                                            << csvHeader + QStringLiteral("\n1000,1215,670,,,\n");
    QTest::newRow("M64 sweep, TO inclusive")
        << QStringList{"M64", "--sweep", "500:1000:250"}
        << csvHeader + QStringLiteral("\n500,422.308,234.615,260,212.308,106.429\n"
                                      "750,626.154,342.308,385,316.154,195.714\n"
                                      "1000,830,450,510,420,285\n");
    QTest::newRow("sweep in tenths reaches TO")
        << QStringList{"R91", "--lens", "6", "--sweep", "300:300.3:0.1"}
        << csvHeader + QStringLiteral("\n300,382,210,,,\n300.1,382.119,210.066,,,\n"
                                      "300.2,382.238,210.131,,,\n300.3,382.357,210.197,,,\n");
    QTest::newRow("P97 scan zero")
        << QStringList{"P97", "500"}
        << csvHeader + QStringLiteral("\n500,422.308,234.615,0,0,106.429\n");
    QTest::newRow("fit: the answer, its depth, the height")
        << QStringList{"M64", "--fit", "100x200x150"}
        << csvHeader + QStringLiteral(
                           ",part_length_mm,part_width_mm,part_height_mm,at_minimum,height_fits"
                           "\n380,324.462,182.923,200,162.462,63.5714,100,200,150,false,false\n");
}

// The same rows as CSV and as JSON: numbers as the same text, nothing as null.
void CliTest::csvAndJson()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, csv);

    const Outcome asCsv = runCli(arguments + QStringList{"--format", "csv"});
    QCOMPARE(asCsv.status, 0);
    QCOMPARE(asCsv.out, csv);

    const Outcome asJson = runCli(arguments + QStringList{"--format", "json"});
    QCOMPARE(asJson.status, 0);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(asJson.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(document.isArray());
    const QStringList lines = csv.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList keys = lines.at(0).split(QLatin1Char(','));
    const QStringList rows = lines.mid(1);
    QCOMPARE(document.array().size(), rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        const QJsonObject object = document.array().at(i).toObject();
        QCOMPARE(object.keys().size(), keys.size());
        const QStringList cells = rows.at(i).split(QLatin1Char(','));
        for (int k = 0; k < keys.size(); ++k) {
            const QJsonValue value = object.value(keys.at(k));
            if (cells.at(k).isEmpty())
                QVERIFY2(value.isNull(), qPrintable(keys.at(k)));
            else if (value.isBool())
                QCOMPARE(value.toBool() ? "true" : "false", cells.at(k));
            else
                QCOMPARE(QString::number(value.toDouble(), 'g', 6), cells.at(k));
        }
    }
    // Each number is written as its 6-digit text, not re-rounded by a JSON writer.
    for (const QString &row : rows)
        for (const QString &cell : row.split(QLatin1Char(',')))
            if (!cell.isEmpty() && cell != QLatin1String("true") && cell != QLatin1String("false"))
                QVERIFY2(asJson.out.contains(QStringLiteral(": ") + cell), qPrintable(cell));
}

void CliTest::fitAsText()
{
    const Outcome outcome = runCli({"M61", "--fit", "10x10x30"});
    QCOMPARE(outcome.status, 0);
    QVERIFY2(outcome.out.startsWith(
                 block("M61", "", "70", {"42", "37.7143", "38.75", "31", "0.151515"})),
             qPrintable(outcome.out));
    QVERIFY(outcome.out.endsWith(
        QString::fromUtf8("部件: 10 × 10 × 30 MM\n最小工作距离: 是\n高度在景深内: 否\n")));
}

void CliTest::lensIgnoredWithAWarning()
{
    const Outcome outcome = runCli({"M64", "500", "--lens", "7"});
    QCOMPARE(outcome.status, 0);
    QCOMPARE(outcome.err, QStringLiteral("fieldcalc-cli: warning: M64 has no lens choice: --lens 7 "
                                         "is ignored.\n"));
    QVERIFY(outcome.out.startsWith(QString::fromUtf8("光机选择: M64\n镜头大小:\n")));
}

void CliTest::writeErrors_data()
{
    QTest::addColumn<QString>("redirect");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");

    QTest::newRow("full disk") << ">/dev/full" << 3
                               << "fieldcalc-cli: cannot write: No space left on device\n";
    QTest::newRow("closed") << ">&-" << 3 << "fieldcalc-cli: cannot write: Bad file descriptor\n";
    // A reader that has seen enough ends the writer quietly, as for any filter.
    QTest::newRow("closed pipe") << "| head -c1 >/dev/null" << 141 << "";
}

// A failed write is a failure, never a quiet success.
void CliTest::writeErrors()
{
#ifdef Q_OS_WIN
    QSKIP("needs a POSIX shell");
#endif
    QFETCH(QString, redirect);
    QFETCH(int, status);
    QFETCH(QString, err);

    QProcess shell;
    shell.setProcessEnvironment(QProcessEnvironment());
    shell.start(
        QStringLiteral("/bin/bash"),
        {QStringLiteral("-c"),
         QStringLiteral("\"$0\" M64 --sweep 100:1000:0.01 %1; echo status=${PIPESTATUS[0]} >&2")
             .arg(redirect),
         QStringLiteral(FIELDCALC_CLI)});
    QVERIFY(shell.waitForFinished(processDeadlineMs));
    QCOMPARE(QString::fromUtf8(shell.readAllStandardError()),
             err + QStringLiteral("status=%1\n").arg(status));
}

void CliTest::quietUnderPosixLocales_data()
{
    QTest::addColumn<QStringList>("variables");

    QTest::newRow("LANG=C") << QStringList{"LANG=C"};
    // LC_ALL outranks the UTF-8 character type asked for.
    QTest::newRow("LC_ALL=C over LANG") << QStringList{"LC_ALL=C", "LANG=C.UTF-8"};
}

// A script under a POSIX locale gets the figures and not a word about locales.
void CliTest::quietUnderPosixLocales()
{
    QFETCH(QStringList, variables);

    QProcessEnvironment environment;
    for (const QString &variable : variables)
        environment.insert(variable.section(QLatin1Char('='), 0, 0),
                           variable.section(QLatin1Char('='), 1));
    const Outcome outcome = runCli({"M64", "500"}, environment);
    QCOMPARE(outcome.err, QString());
    QCOMPARE(outcome.status, 0);
    QVERIFY(outcome.out.startsWith(QString::fromUtf8("光机选择: M64\n")));
}

FIELDCALC_TEST_MAIN(QCoreApplication, CliTest)
#include "tst_cli.moc"
