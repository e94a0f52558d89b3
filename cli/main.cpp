// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

// fieldcalc-cli: the calculator's model from the command line. It answers what the
// window answers, for one distance, a range of distances, or the distance that
// gives a wanted field size, as text, CSV or JSON.

#include "FieldModel.h"
#include "FieldReport.h"
#include "FieldRules.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <QVector>

#include <cmath>
#include <cstdio>

namespace {

enum ExitStatus { Success = 0, Refused = 1, UsageError = 2 };

// More rows than anyone pastes into a spreadsheet: a typing error, not a table.
constexpr int maximumRows = 100000;

// UTF-8 whatever the locale, so the Chinese captions survive a POSIX shell.
void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

struct Stop
{
    ExitStatus status;
    QString message;
};

Stop refuse(const char *notice, const QString &more = QString())
{
    QString message = QString::fromUtf8(notice) + QLatin1Char('\n');
    if (!more.isEmpty())
        message += more + QLatin1Char('\n');
    return {Refused, message};
}

// A negative distance such as -5 would read as an option; keep numbers positional.
QStringList keepNegativeNumbersPositional(const QStringList &arguments,
                                          const QStringList &optionsWithValues)
{
    QStringList options{arguments.value(0)};
    QStringList positional;
    bool valueNext = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (valueNext) {
            options << argument;
            valueNext = false;
            continue;
        }
        if (argument == QLatin1String("--")) {
            positional += arguments.mid(i + 1);
            break;
        }
        bool isNumber = false;
        argument.toDouble(&isNumber);
        if (isNumber && argument.startsWith(QLatin1Char('-'))) {
            positional << argument;
            continue;
        }
        options << argument;
        valueNext = optionsWithValues.contains(argument);
    }
    return options + QStringList{QStringLiteral("--")} + positional;
}

enum class Format { Text, Csv, Json };

struct Plan
{
    int model = -1;
    QString lens;
    Format format = Format::Text;
    QVector<double> distancesMm;
};

QString sideName(FieldModel::Side side)
{
    switch (side) {
    case FieldModel::Side::ProjLength:
        return QStringLiteral("projected long side");
    case FieldModel::Side::ProjWidth:
        return QStringLiteral("projected short side");
    case FieldModel::Side::ScanLength:
        return QStringLiteral("scan long side");
    case FieldModel::Side::ScanWidth:
        return QStringLiteral("scan short side");
    }
    return QString();
}

double sideOf(const FieldResult &r, FieldModel::Side side)
{
    switch (side) {
    case FieldModel::Side::ProjLength:
        return r.projLength;
    case FieldModel::Side::ProjWidth:
        return r.projWidth;
    case FieldModel::Side::ScanLength:
        return r.scanLength;
    case FieldModel::Side::ScanWidth:
        return r.scanWidth;
    }
    return 0.0;
}

// The distance at which the chosen side measures sizeMm, if the model accepts it.
Stop solve(Plan &plan, FieldModel::Side side, double sizeMm)
{
    const FieldRules::ModelInfo &info = *FieldRules::model(plan.model);
    const bool scan = side == FieldModel::Side::ScanLength || side == FieldModel::Side::ScanWidth;
    if (scan && !info.hasCamera)
        return {Refused, QStringLiteral("%1 has no camera, so it has no scan field to solve for.\n")
                             .arg(QLatin1String(info.name))};
    const double mm = FieldModel::distanceForSize(plan.model, plan.lens, side, sizeMm) * 10.0;
    if (const char *notice = FieldRules::distanceNotice(plan.model, mm)) {
        QString more =
            QStringLiteral("A %1 of %2 mm needs a distance of %3 mm.")
                .arg(sideName(side), FieldReport::figure(sizeMm), FieldReport::figure(mm));
        if (info.minimumMm > 0) {
            const FieldResult smallest =
                FieldModel::compute(plan.model, plan.lens, info.minimumMm / 10.0);
            more += QStringLiteral(" The smallest %1 of %2 is %3 mm, at its minimum distance "
                                   "of %4 mm.")
                        .arg(sideName(side), QLatin1String(info.name),
                             FieldReport::figure(sideOf(smallest, side)),
                             FieldReport::figure(info.minimumMm));
        }
        return refuse(notice, more);
    }
    plan.distancesMm = {mm};
    return {Success, QString()};
}

// FROM:TO:STEP, from FROM up to TO inclusive.
Stop sweep(Plan &plan, const QString &range)
{
    const QStringList parts = range.split(QLatin1Char(':'));
    bool toOk = false;
    bool stepOk = false;
    // Distances are read in single precision, as the window reads them; TO is one.
    const float to = parts.value(1).toFloat(&toOk);
    const double step = parts.value(2).toDouble(&stepOk);
    if (parts.size() != 3 || !toOk || !stepOk || !(step > 0.0) || !std::isfinite(step) ||
        !std::isfinite(to))
        return {UsageError, QStringLiteral("--sweep takes FROM:TO:STEP, with a STEP above 0.")};
    const double from = FieldRules::parseDistanceMm(parts.at(0));
    if (const char *notice = FieldRules::distanceNotice(plan.model, from))
        return refuse(notice);
    if (to < from)
        return {UsageError, QStringLiteral("--sweep runs upwards: TO must not be below FROM.")};
    // A row belongs to the sweep while it reads, in single precision, as no more than
    // TO: so 0.1 steps from 0.1 reach a TO of 0.3.
    for (int i = 0; static_cast<float>(from + i * step) <= to; ++i) {
        if (i == maximumRows)
            return {UsageError,
                    QStringLiteral("--sweep would print more than %1 rows.").arg(maximumRows)};
        plan.distancesMm << from + i * step;
    }
    return {Success, QString()};
}

QString csvCell(const QString &figure, bool valid)
{
    return valid ? figure : QString();
}

QString jsonValue(double value, bool valid)
{
    return valid && std::isfinite(value) ? FieldReport::figure(value) : QStringLiteral("null");
}

QString render(const Plan &plan)
{
    const QStringList keys{QStringLiteral("distance_mm"),   QStringLiteral("proj_length_mm"),
                           QStringLiteral("proj_width_mm"), QStringLiteral("scan_length_mm"),
                           QStringLiteral("scan_width_mm"), QStringLiteral("depth_mm")};
    QStringList blocks;
    for (const double mm : plan.distancesMm) {
        const FieldResult r = FieldModel::compute(plan.model, plan.lens, mm / 10.0);
        switch (plan.format) {
        case Format::Text:
            blocks << FieldReport::asText(FieldReport::shown(plan.model, plan.lens, mm, r));
            break;
        case Format::Csv:
            blocks << QStringList{FieldReport::figure(mm),
                                  FieldReport::figure(r.projLength),
                                  FieldReport::figure(r.projWidth),
                                  csvCell(FieldReport::figure(r.scanLength), r.scanValid),
                                  csvCell(FieldReport::figure(r.scanWidth), r.scanValid),
                                  csvCell(FieldReport::figure(r.depth), r.depthValid)}
                          .join(QLatin1Char(','));
            break;
        case Format::Json: {
            const QStringList values{jsonValue(mm, true),
                                     jsonValue(r.projLength, true),
                                     jsonValue(r.projWidth, true),
                                     jsonValue(r.scanLength, r.scanValid),
                                     jsonValue(r.scanWidth, r.scanValid),
                                     jsonValue(r.depth, r.depthValid)};
            QStringList members;
            for (int i = 0; i < keys.size(); ++i)
                members << QStringLiteral("\"%1\": %2").arg(keys.at(i), values.at(i));
            blocks << QStringLiteral("  {") + members.join(QStringLiteral(", ")) + QLatin1Char('}');
            break;
        }
        }
    }
    switch (plan.format) {
    case Format::Text:
        return blocks.join(QLatin1Char('\n'));
    case Format::Csv:
        return keys.join(QLatin1Char(',')) + QLatin1Char('\n') + blocks.join(QLatin1Char('\n')) +
               QLatin1Char('\n');
    case Format::Json:
        return QStringLiteral("[\n") + blocks.join(QStringLiteral(",\n")) + QStringLiteral("\n]\n");
    }
    return QString();
}

Stop makePlan(const QCommandLineParser &parser, Plan &plan)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty() || positional.size() > 2)
        return {UsageError, QStringLiteral("Give a MODEL and, unless solving or sweeping, a "
                                           "DISTANCE_MM.")};
    plan.model = FieldRules::modelIndex(positional.at(0));
    if (plan.model < 0)
        return {
            UsageError,
            QStringLiteral("Unknown model \"%1\": R91, M61, M64 or P97.").arg(positional.at(0))};

    const QString format = parser.value(QStringLiteral("format"));
    if (format == QLatin1String("csv"))
        plan.format = Format::Csv;
    else if (format == QLatin1String("json"))
        plan.format = Format::Json;
    else if (format != QLatin1String("text"))
        return {UsageError, QStringLiteral("--format is text, csv or json.")};

    const bool solveLength = parser.isSet(QStringLiteral("solve-length"));
    const bool solveWidth = parser.isSet(QStringLiteral("solve-width"));
    const bool sweeping = parser.isSet(QStringLiteral("sweep"));
    if (int(positional.size() == 2) + int(solveLength) + int(solveWidth) + int(sweeping) != 1)
        return {UsageError, QStringLiteral("Give exactly one of DISTANCE_MM, --sweep, "
                                           "--solve-length and --solve-width.")};
    const bool scan = parser.isSet(QStringLiteral("scan"));
    if (scan && !solveLength && !solveWidth)
        return {UsageError, QStringLiteral("--scan goes with --solve-length or --solve-width.")};

    // The lens only selects R91's calibration; the window ignores it for the others.
    const bool takesLens = FieldRules::model(plan.model)->takesLens;
    plan.lens = takesLens ? parser.value(QStringLiteral("lens")) : QString();
    const bool lensKnown = !takesLens || FieldRules::lensIndex(plan.lens) >= 0;

    if (solveLength || solveWidth) {
        const QString option =
            solveLength ? QStringLiteral("solve-length") : QStringLiteral("solve-width");
        bool ok = false;
        const double size = parser.value(option).toDouble(&ok);
        if (!ok || !std::isfinite(size))
            return {UsageError, QStringLiteral("--%1 takes a size in mm.").arg(option)};
        if (!lensKnown) // no calibration to solve with
            return refuse(FieldRules::wrongLensNotice);
        using FieldModel::Side;
        const Side side = solveLength ? (scan ? Side::ScanLength : Side::ProjLength)
                                      : (scan ? Side::ScanWidth : Side::ProjWidth);
        return solve(plan, side, size);
    }

    // As the window does: the distance first, then the lens.
    if (sweeping) {
        Stop stop = sweep(plan, parser.value(QStringLiteral("sweep")));
        if (stop.status != Success)
            return stop;
    } else {
        const double mm = FieldRules::parseDistanceMm(positional.at(1));
        if (const char *notice = FieldRules::distanceNotice(plan.model, mm))
            return refuse(notice);
        plan.distancesMm = {mm};
    }
    if (!lensKnown)
        return refuse(FieldRules::wrongLensNotice);
    return {Success, QString()};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fieldcalc-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FIELDCALC_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Field of a projection engine at a working distance, from the calculator's "
        "calibration.\nPrints the projected and scanned long and short side and the depth "
        "of field, in mm."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("MODEL"),
                                 QStringLiteral("Engine model: R91, M61, M64 or P97."));
    parser.addPositionalArgument(QStringLiteral("DISTANCE_MM"),
                                 QStringLiteral("Working distance in mm."),
                                 QStringLiteral("[DISTANCE_MM]"));
    parser.addOptions({
        {QStringLiteral("lens"), QStringLiteral("R91's lens size: 6, 8, 12, 16, 25, 35 or 50."),
         QStringLiteral("SIZE")},
        {QStringLiteral("sweep"),
         QStringLiteral("One row per distance from FROM up to TO, STEP apart (mm)."),
         QStringLiteral("FROM:TO:STEP")},
        {QStringLiteral("solve-length"),
         QStringLiteral("The distance at which the projected long side is MM."),
         QStringLiteral("MM")},
        {QStringLiteral("solve-width"),
         QStringLiteral("The distance at which the projected short side is MM."),
         QStringLiteral("MM")},
        {QStringLiteral("scan"), QStringLiteral("Solve for the camera's scan side instead.")},
        {QStringLiteral("format"), QStringLiteral("text, csv or json (default text)."),
         QStringLiteral("FORMAT"), QStringLiteral("text")},
    });

    const QStringList arguments = keepNegativeNumbersPositional(
        QCoreApplication::arguments(),
        {QStringLiteral("--lens"), QStringLiteral("--sweep"), QStringLiteral("--solve-length"),
         QStringLiteral("--solve-width"), QStringLiteral("--format")});
    if (!parser.parse(arguments)) {
        write(stderr, parser.errorText() + QStringLiteral("\n\n") + parser.helpText());
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(Success);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    Plan request;
    const Stop stop = makePlan(parser, request);
    if (stop.status == UsageError) {
        write(stderr, stop.message + QStringLiteral("\n\n") + parser.helpText());
        return UsageError;
    }
    if (stop.status == Refused) {
        write(stderr, stop.message);
        return Refused;
    }
    write(stdout, render(request));
    return Success;
}
