// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef FIELDPLAN_H
#define FIELDPLAN_H

#include "FieldModel.h"

#include <QString>
#include <QStringList>

// Planning a set-up: the figures over a range of distances, the distance for a
// wanted size of one side, and the distance at which a part fits in the field.
// The window's planner and fieldcalc-cli both answer from here.
namespace FieldPlan {

// More rows than anyone pastes into a spreadsheet: a typing error, not a table.
constexpr int maximumRows = 100000;

// FROM up to TO by STEP (mm), read as the window reads a distance.
class Sweep
{
public:
    enum class Status { Ok, BadRange, RefusedStart, Downwards, TooManyRows };

    Sweep(int model, double fromMm, double toMm, double stepMm);
    // "FROM:TO:STEP"
    static Sweep parse(int model, const QString &range);

    Status status() const { return m_status; }
    const char *notice() const { return m_notice; } // RefusedStart: the window's notice
    int rowCount() const { return m_rows; }
    double distanceAt(int row) const { return m_from + row * m_step; }

private:
    double m_from = 0.0;
    double m_step = 1.0;
    int m_rows = 0;
    Status m_status = Status::BadRange;
    const char *m_notice = nullptr;
};

// The distance at which one side of the model's field has a wanted size.
struct Solution
{
    enum class Status { Found, NoCamera, UnknownLens, Refused };

    Status status = Status::Refused;
    double distanceMm = 0.0;      // Found; Refused: the distance it would need
    const char *notice = nullptr; // Refused, UnknownLens: the window's notice
    double smallestMm = 0.0;      // Refused below a minimum: that side at the minimum
    bool beyondRange = false;     // Refused: more than a distance field can hold
};

Solution solve(int model, const QString &lens, FieldModel::Side side, double sizeMm);

// The nearest accepted distance at which the field covers a part of
// length x width mm, long side along long side: the scan field where the model
// has a camera, since it must see the whole part, else the projected field.
struct Fit
{
    enum class Status { Found, BadPart, UnknownLens, Refused };

    Status status = Status::Refused;
    double distanceMm = 0.0;
    bool atMinimum = false; // it would fit nearer than the model allows
    bool scanField = false; // covered by the scan field, not the projected one
    const char *notice = nullptr;
    bool heightGiven = false;
    bool depthKnown = false; // the model gives a depth of field
    bool heightFits = false; // height <= 2 x depth, focused at mid-height
};

Fit fit(int model, const QString &lens, double lengthMm, double widthMm, double heightMm = 0.0);

// The lowest distance the model accepts: its minimum, or 1 mm where it has none.
double lowestDistanceMm(int model);

QString sideCaption(FieldModel::Side side); // the window's caption, e.g. "扫描幅面长"
double sideOf(const FieldResult &result, FieldModel::Side side);

// Why a solve or a fit has no answer, in the window's words.
QString reason(int model, FieldModel::Side side, double sizeMm, const Solution &solution);
QString reason(const Fit &fit);

// One row per distance: the columns of a table, CSV or tab-separated, and the
// figures in them. A figure the model does not give is an empty cell.
QStringList columnKeys(); // distance_mm, proj_length_mm, ..., depth_mm
QStringList cells(double distanceMm, const FieldResult &result);
QString csvLine(const QStringList &cells, QChar separator = QLatin1Char(','));

} // namespace FieldPlan

#endif // FIELDPLAN_H
