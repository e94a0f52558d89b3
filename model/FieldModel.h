// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef FIELDMODEL_H
#define FIELDMODEL_H

#include <QString>

#include <array>

// The five figures of one calculation, all in millimetres. A figure whose flag is
// false was not computed for that model and holds 0.
struct FieldResult
{
    double projLength = 0.0;
    double projWidth = 0.0;
    double scanLength = 0.0;
    double scanWidth = 0.0;
    double depth = 0.0;
    bool scanValid = false;
    bool depthValid = false;
    bool lensRecognised = true; // only model 0 reads a lens
};

// Field sizes predicted from sizes measured at two reference distances, assuming
// that every side grows linearly with the working distance.
namespace FieldModel {

// One calibration entry: the long (length) and short (width) side measured at
// 100 cm and at the entry's near distance.
struct CalibrationEntry
{
    double lengthFar;
    double lengthNear;
    double widthFar;
    double widthNear;
    double nearCm;
};

// The measured sizes; entry numbers are those of the calibration sheet.
const std::array<CalibrationEntry, 11> &calibrationTable();

// Distance (cm) at which the linear fit through both measurements reaches size 0,
// negated. Kept in exactly this grouping so the figures stay reproducible.
constexpr double fitOffset(double sNear, double sFar, double nearCm)
{
    return (sNear * 100.0 - sFar * nearCm) / (sFar - sNear);
}

constexpr double fitRatio(double offset, double sFar)
{
    return (offset + 100.0) / sFar;
}

constexpr double fieldSize(double offset, double ratio, double distanceCm)
{
    return (offset + distanceCm) / ratio;
}

// Rough depth of field (mm) at a distance in mm.
constexpr double depthOfField(double distanceMm)
{
    // The slopes are the single-precision values nearest 5/14 and 5/33; the
    // published figures were made with these, not with 5/14 in double.
    return distanceMm > 300.0 ? 35.0 + (distanceMm - 300.0) * 0.3571428656578064
                              : 10.0 + (distanceMm - 135.0) * 0.1515151560306549;
}

// model: chooser index 0 R91, 1 M61, 2 M64, 3 P97; anything else (the placeholder
// 4, or -1 for a rejected distance) reads the empty slot and gives non-finite sides.
// lensText: matched verbatim, read only for model 0.
FieldResult compute(int model, const QString &lensText, double distanceCm);

enum class Side { ProjLength, ProjWidth, ScanLength, ScanWidth };

// The inverse of compute for one side: the distance (cm) at which that side of the
// model's field measures sizeMm. NaN where the model has no such side (no camera,
// no data, or an R91 lens it does not know). The distance may be 0 or negative:
// the caller decides whether it is one the model accepts.
double distanceForSize(int model, const QString &lensText, Side side, double sizeMm);

} // namespace FieldModel

#endif // FIELDMODEL_H
