// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "FieldPlan.h"

#include "FieldReport.h"
#include "FieldRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace FieldPlan {

using FieldModel::Side;
using FieldReport::figure;

namespace {

// A distance field holds a float: anything larger reads as no distance at all.
bool beyondSinglePrecision(double mm)
{
    return !std::isfinite(mm) || std::fabs(mm) > double(std::numeric_limits<float>::max());
}

bool isScan(Side side)
{
    return side == Side::ScanLength || side == Side::ScanWidth;
}

bool lensUnknown(const FieldRules::ModelInfo &info, const QString &lens)
{
    return info.takesLens && FieldRules::lensIndex(lens) < 0;
}

} // namespace

Sweep::Sweep(int model, double fromMm, double toMm, double stepMm) : m_from(fromMm), m_step(stepMm)
{
    if (!(stepMm > 0.0) || !std::isfinite(stepMm) || beyondSinglePrecision(toMm))
        return;
    const auto to = static_cast<float>(toMm);
    if ((m_notice = FieldRules::distanceNotice(model, fromMm))) {
        m_status = Status::RefusedStart;
        return;
    }
    if (to < static_cast<float>(fromMm) || beyondSinglePrecision(fromMm)) {
        m_status = Status::Downwards;
        return;
    }
    // A row belongs to the sweep while it reads, in single precision, as no more
    // than TO (so 0.1 steps from 0.1 reach a TO of 0.3), and while it reads as
    // more than the row before: a step too small to show would repeat a row.
    float previous = -std::numeric_limits<float>::infinity();
    for (int row = 0;; ++row) {
        const auto read = static_cast<float>(distanceAt(row));
        if (!(read <= to) || !(read > previous))
            break;
        if (row == maximumRows) {
            m_rows = 0;
            m_status = Status::TooManyRows;
            return;
        }
        previous = read;
        m_rows = row + 1;
    }
    m_status = Status::Ok;
}

Sweep Sweep::parse(int model, const QString &range)
{
    const QStringList parts = range.split(QLatin1Char(':'));
    bool toOk = false;
    bool stepOk = false;
    const double to = parts.value(1).toFloat(&toOk);
    const double step = parts.value(2).toDouble(&stepOk);
    if (parts.size() != 3 || !toOk || !stepOk)
        return Sweep(model, 0.0, 0.0, 0.0); // BadRange
    return Sweep(model, FieldRules::parseDistanceMm(parts.at(0)), to, step);
}

double lowestDistanceMm(int model)
{
    const FieldRules::ModelInfo *info = FieldRules::model(model);
    return info && info->minimumMm > 0.0 ? info->minimumMm : 1.0;
}

double sideOf(const FieldResult &result, Side side)
{
    switch (side) {
    case Side::ProjLength:
        return result.projLength;
    case Side::ProjWidth:
        return result.projWidth;
    case Side::ScanLength:
        return result.scanLength;
    case Side::ScanWidth:
        return result.scanWidth;
    }
    return 0.0;
}

QString sideCaption(Side side)
{
    switch (side) {
    case Side::ProjLength:
        return QString::fromUtf8("光机幅面长");
    case Side::ProjWidth:
        return QString::fromUtf8("光机幅面宽");
    case Side::ScanLength:
        return QString::fromUtf8("扫描幅面长");
    case Side::ScanWidth:
        return QString::fromUtf8("扫描幅面宽");
    }
    return QString();
}

Solution solve(int model, const QString &lens, Side side, double sizeMm)
{
    Solution s;
    const FieldRules::ModelInfo *info = FieldRules::model(model);
    if (!info) {
        s.notice = FieldRules::enterDistanceNotice;
        return s;
    }
    if (isScan(side) && !info->hasCamera) {
        s.status = Solution::Status::NoCamera;
        return s;
    }
    if (lensUnknown(*info, lens)) {
        s.status = Solution::Status::UnknownLens;
        s.notice = FieldRules::wrongLensNotice;
        return s;
    }
    s.distanceMm = FieldModel::distanceForSize(model, lens, side, sizeMm) * 10.0;
    s.beyondRange = beyondSinglePrecision(s.distanceMm);
    s.notice = s.beyondRange ? FieldRules::enterDistanceNotice
                             : FieldRules::distanceNotice(model, s.distanceMm);
    if (!s.notice) {
        s.status = Solution::Status::Found;
        return s;
    }
    if (info->minimumMm > 0.0 && s.distanceMm < info->minimumMm)
        s.smallestMm = sideOf(FieldModel::compute(model, lens, info->minimumMm / 10.0), side);
    return s;
}

Fit fit(int model, const QString &lens, double lengthMm, double widthMm, double heightMm)
{
    Fit f;
    const FieldRules::ModelInfo *info = FieldRules::model(model);
    const auto positive = [](double mm) { return mm > 0.0 && std::isfinite(mm); };
    if (!info || !positive(lengthMm) || !positive(widthMm) ||
        !(heightMm >= 0.0 && std::isfinite(heightMm))) {
        f.status = Fit::Status::BadPart;
        return f;
    }
    if (lensUnknown(*info, lens)) {
        f.status = Fit::Status::UnknownLens;
        f.notice = FieldRules::wrongLensNotice;
        return f;
    }
    f.scanField = info->hasCamera;
    const Side longSide = f.scanField ? Side::ScanLength : Side::ProjLength;
    const Side shortSide = f.scanField ? Side::ScanWidth : Side::ProjWidth;
    // Every side grows with the distance, so the part fits from where both do.
    const double needed =
        10.0 *
        std::max(FieldModel::distanceForSize(model, lens, longSide, std::max(lengthMm, widthMm)),
                 FieldModel::distanceForSize(model, lens, shortSide, std::min(lengthMm, widthMm)));
    if (beyondSinglePrecision(needed)) {
        f.notice = FieldRules::enterDistanceNotice;
        f.distanceMm = needed;
        return f;
    }
    const double lowest = lowestDistanceMm(model);
    f.atMinimum = needed < lowest;
    f.distanceMm = f.atMinimum ? lowest : needed;
    f.status = Fit::Status::Found;

    const FieldResult there = FieldModel::compute(model, lens, f.distanceMm / 10.0);
    f.heightGiven = heightMm > 0.0;
    f.depthKnown = there.depthValid;
    f.heightFits = f.depthKnown && heightMm <= 2.0 * there.depth;
    return f;
}

QString reason(int model, Side side, double sizeMm, const Solution &solution)
{
    const FieldRules::ModelInfo *info = FieldRules::model(model);
    const QString name = info ? QString::fromLatin1(info->name) : QString();
    switch (solution.status) {
    case Solution::Status::Found:
        return QString();
    case Solution::Status::NoCamera:
        return QString::fromUtf8("%1无扫描幅面").arg(name);
    case Solution::Status::UnknownLens:
        return QString::fromUtf8(solution.notice);
    case Solution::Status::Refused:
        break;
    }
    QString text = QString::fromUtf8(solution.notice);
    if (solution.beyondRange)
        return text + QString::fromUtf8("：%1 %2 MM 所需的工作距离超出可输入的范围")
                          .arg(sideCaption(side), figure(sizeMm));
    text += QString::fromUtf8("：%1 %2 MM 需要工作距离 %3 MM")
                .arg(sideCaption(side), figure(sizeMm), figure(solution.distanceMm));
    if (info && info->minimumMm > 0.0 && solution.distanceMm < info->minimumMm)
        text +=
            QString::fromUtf8("；%1最小工作距离 %2 MM 处的%3为 %4 MM")
                .arg(name, figure(info->minimumMm), sideCaption(side), figure(solution.smallestMm));
    return text;
}

QString reason(const Fit &fit)
{
    switch (fit.status) {
    case Fit::Status::Found:
        return QString();
    case Fit::Status::BadPart:
        return QString::fromUtf8("请输入部件的长和宽（高可不填），单位 MM，须大于0");
    case Fit::Status::UnknownLens:
    case Fit::Status::Refused:
        break;
    }
    if (fit.status == Fit::Status::Refused)
        return QString::fromUtf8(fit.notice) +
               QString::fromUtf8("：部件所需的工作距离超出可输入的范围");
    return QString::fromUtf8(fit.notice);
}

QStringList columnKeys()
{
    return {QStringLiteral("distance_mm"),   QStringLiteral("proj_length_mm"),
            QStringLiteral("proj_width_mm"), QStringLiteral("scan_length_mm"),
            QStringLiteral("scan_width_mm"), QStringLiteral("depth_mm")};
}

QStringList cells(double distanceMm, const FieldResult &r)
{
    const auto cell = [](double value, bool valid) { return valid ? figure(value) : QString(); };
    return {figure(distanceMm),
            figure(r.projLength),
            figure(r.projWidth),
            cell(r.scanLength, r.scanValid),
            cell(r.scanWidth, r.scanValid),
            cell(r.depth, r.depthValid)};
}

QString csvLine(const QStringList &cells, QChar separator)
{
    return cells.join(separator) + QLatin1Char('\n');
}

} // namespace FieldPlan
