// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "CliRequest.h"

#include "FieldModel.h"
#include "FieldReport.h"
#include "FieldRules.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <cmath>

namespace {

using FieldModel::Side;
using FieldReport::figure;

const QStringList optionsWithValues{
    QStringLiteral("--lens"),        QStringLiteral("--sweep"), QStringLiteral("--solve-length"),
    QStringLiteral("--solve-width"), QStringLiteral("--fit"),   QStringLiteral("--format")};

CliStop usage(const QString &message)
{
    return {UsageError, message};
}

CliStop refuse(const char *notice, const QString &more = QString())
{
    QString message = QString::fromUtf8(notice) + QLatin1Char('\n');
    if (!more.isEmpty())
        message += more + QLatin1Char('\n');
    return {Refused, message};
}

QString sideName(Side side)
{
    switch (side) {
    case Side::ProjLength:
        return QStringLiteral("projected long side");
    case Side::ProjWidth:
        return QStringLiteral("projected short side");
    case Side::ScanLength:
        return QStringLiteral("scan long side");
    case Side::ScanWidth:
        return QStringLiteral("scan short side");
    }
    return QString();
}

// A single distance as a sweep of one row.
FieldPlan::Sweep oneRow(int model, double mm)
{
    return FieldPlan::Sweep(model, mm, mm, 1.0);
}

CliStop solve(CliRequest &request, Side side, double sizeMm)
{
    const FieldRules::ModelInfo &info = *FieldRules::model(request.model);
    const FieldPlan::Solution s = FieldPlan::solve(request.model, request.lens, side, sizeMm);
    switch (s.status) {
    case FieldPlan::Solution::Status::Found:
        request.rows = oneRow(request.model, s.distanceMm);
        return {};
    case FieldPlan::Solution::Status::NoCamera:
        return {Refused, QStringLiteral("%1 has no camera, so it has no scan field to solve for.\n")
                             .arg(QLatin1String(info.name))};
    case FieldPlan::Solution::Status::UnknownLens:
        return refuse(s.notice);
    case FieldPlan::Solution::Status::Refused:
        break;
    }
    QString more = QStringLiteral("A %1 of %2 mm needs a distance of %3 mm")
                       .arg(sideName(side), figure(sizeMm), figure(s.distanceMm));
    if (s.beyondRange)
        return refuse(s.notice, more + QStringLiteral(", more than a distance can be."));
    more += QLatin1Char('.');
    if (info.minimumMm > 0 && s.distanceMm < info.minimumMm)
        more += QStringLiteral(" The smallest %1 of %2 is %3 mm, at its minimum distance of %4 mm.")
                    .arg(sideName(side), QLatin1String(info.name), figure(s.smallestMm),
                         figure(info.minimumMm));
    return refuse(s.notice, more);
}

CliStop fit(CliRequest &request, const QString &part)
{
    const QStringList sizes = part.split(QRegularExpression(QStringLiteral("[xX×*]")));
    bool ok = sizes.size() == 2 || sizes.size() == 3;
    for (int i = 0; ok && i < sizes.size(); ++i) {
        request.part[i] = sizes.at(i).toDouble(&ok);
        ok = ok && request.part[i] > 0.0 && std::isfinite(request.part[i]);
    }
    if (!ok)
        return usage(QStringLiteral("--fit takes LENGTHxWIDTH or LENGTHxWIDTHxHEIGHT in mm, "
                                    "each above 0."));
    request.isFit = true;
    request.fit = FieldPlan::fit(request.model, request.lens, request.part[0], request.part[1],
                                 request.part[2]);
    switch (request.fit.status) {
    case FieldPlan::Fit::Status::Found:
        request.rows = oneRow(request.model, request.fit.distanceMm);
        return {};
    case FieldPlan::Fit::Status::UnknownLens:
        return refuse(request.fit.notice);
    case FieldPlan::Fit::Status::BadPart: // sizes were checked above
    case FieldPlan::Fit::Status::Refused:
        break;
    }
    return refuse(request.fit.notice,
                  QStringLiteral("The part needs a distance of %1 mm, more than a distance can be.")
                      .arg(figure(request.fit.distanceMm)));
}

CliStop sweep(CliRequest &request, const QString &range)
{
    request.rows = FieldPlan::Sweep::parse(request.model, range);
    switch (request.rows.status()) {
    case FieldPlan::Sweep::Status::Ok:
        return {};
    case FieldPlan::Sweep::Status::BadRange:
        return usage(QStringLiteral("--sweep takes FROM:TO:STEP, with a STEP above 0."));
    case FieldPlan::Sweep::Status::RefusedStart:
        return refuse(request.rows.notice());
    case FieldPlan::Sweep::Status::Downwards:
        return usage(QStringLiteral("--sweep runs upwards: TO must not be below FROM."));
    case FieldPlan::Sweep::Status::TooManyRows:
        break;
    }
    return usage(
        QStringLiteral("--sweep would print more than %1 rows.").arg(FieldPlan::maximumRows));
}

} // namespace

void describeOptions(QCommandLineParser &parser)
{
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
        {QStringLiteral("fit"),
         QStringLiteral("The nearest distance at which the field covers a part of L x W mm (the "
                        "scan field for models with a camera), and with H whether its height "
                        "is inside the depth of field."),
         QStringLiteral("LxW[xH]")},
        {QStringLiteral("format"), QStringLiteral("text, csv or json (default text)."),
         QStringLiteral("FORMAT"), QStringLiteral("text")},
    });
}

QStringList keepNegativeNumbersPositional(const QStringList &arguments)
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

CliStop makeRequest(const QCommandLineParser &parser, CliRequest &request)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usage(QStringLiteral("Give a MODEL and, unless solving, fitting or sweeping, a "
                                    "DISTANCE_MM."));
    if (positional.size() > 2)
        return usage(QStringLiteral("One distance too many: %1. Give one DISTANCE_MM, or "
                                    "--sweep for several.")
                         .arg(positional.at(2)));
    request.model = FieldRules::modelIndex(positional.at(0));
    if (request.model < 0)
        return usage(
            QStringLiteral("Unknown model \"%1\": R91, M61, M64 or P97.").arg(positional.at(0)));

    const QString format = parser.value(QStringLiteral("format"));
    if (format == QLatin1String("csv"))
        request.format = Format::Csv;
    else if (format == QLatin1String("json"))
        request.format = Format::Json;
    else if (format != QLatin1String("text"))
        return usage(QStringLiteral("--format is text, csv or json."));

    const bool solveLength = parser.isSet(QStringLiteral("solve-length"));
    const bool solveWidth = parser.isSet(QStringLiteral("solve-width"));
    const bool sweeping = parser.isSet(QStringLiteral("sweep"));
    const bool fitting = parser.isSet(QStringLiteral("fit"));
    if (int(positional.size() == 2) + int(solveLength) + int(solveWidth) + int(sweeping) +
            int(fitting) !=
        1)
        return usage(QStringLiteral("Give exactly one of DISTANCE_MM, --sweep, --solve-length, "
                                    "--solve-width and --fit."));
    const bool scan = parser.isSet(QStringLiteral("scan"));
    if (scan && !solveLength && !solveWidth)
        return usage(QStringLiteral("--scan goes with --solve-length or --solve-width."));

    // The lens only selects R91's calibration; the window ignores it for the others.
    const FieldRules::ModelInfo &info = *FieldRules::model(request.model);
    if (info.takesLens)
        request.lens = parser.value(QStringLiteral("lens"));
    else if (parser.isSet(QStringLiteral("lens")))
        request.warnings << QStringLiteral("%1 has no lens choice: --lens %2 is ignored.")
                                .arg(QLatin1String(info.name),
                                     parser.value(QStringLiteral("lens")));
    const bool lensKnown = !info.takesLens || FieldRules::lensIndex(request.lens) >= 0;

    if (solveLength || solveWidth) {
        const QString option =
            solveLength ? QStringLiteral("solve-length") : QStringLiteral("solve-width");
        bool ok = false;
        const double size = parser.value(option).toDouble(&ok);
        if (!ok || !std::isfinite(size))
            return usage(QStringLiteral("--%1 takes a size in mm.").arg(option));
        const Side side = solveLength ? (scan ? Side::ScanLength : Side::ProjLength)
                                      : (scan ? Side::ScanWidth : Side::ProjWidth);
        return solve(request, side, size);
    }
    if (fitting)
        return fit(request, parser.value(QStringLiteral("fit")));

    // As the window does: the distance first, then the lens.
    if (sweeping) {
        CliStop stop = sweep(request, parser.value(QStringLiteral("sweep")));
        if (stop.status != Success)
            return stop;
    } else {
        const double mm = FieldRules::parseDistanceMm(positional.at(1));
        if (const char *notice = FieldRules::distanceNotice(request.model, mm))
            return refuse(notice);
        request.rows = oneRow(request.model, mm);
    }
    if (!lensKnown)
        return refuse(FieldRules::wrongLensNotice);
    return {};
}
