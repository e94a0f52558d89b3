// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "FieldModel.h"

#include "FieldRules.h"

#include <limits>

namespace FieldModel {
namespace {

constexpr std::array<CalibrationEntry, 11> calibration{{
    // lengthFar, lengthNear, widthFar, widthNear, nearCm
    {1215, 382, 670, 210, 30}, // 0: R91, lens 6
    {856, 268, 480, 150, 30},  // 1: R91, lens 8
    {575, 180, 325, 102, 30},  // 2: R91, lens 12
    {435, 138, 245, 78, 30},   // 3: R91, lens 16
    {278, 87, 159, 49, 30},    // 4: R91, lens 25
    {203, 60, 114, 35, 30},    // 5: R91, lens 35
    {140, 40, 79, 22, 30},     // 6: R91, lens 50
    {600, 180, 330, 110, 30},  // 7: M61 projection
    {400, 120, 310, 100, 30},  // 8: M61 scan (only the width is used)
    {830, 300, 450, 170, 35},  // 9: M64 and P97 projection
    {510, 185, 420, 150, 35},  // 10: M64 scan
}};

struct Coefficients
{
    double lengthOffset;
    double lengthRatio;
    double widthOffset;
    double widthRatio;

    constexpr double length(double d) const { return fieldSize(lengthOffset, lengthRatio, d); }
    constexpr double width(double d) const { return fieldSize(widthOffset, widthRatio, d); }
    // The inverses of length and width: the distance for a size.
    constexpr double lengthAt(double size) const { return size * lengthRatio - lengthOffset; }
    constexpr double widthAt(double size) const { return size * widthRatio - widthOffset; }
};

constexpr Coefficients derive(const CalibrationEntry &e)
{
    const double lengthOffset = fitOffset(e.lengthNear, e.lengthFar, e.nearCm);
    const double widthOffset = fitOffset(e.widthNear, e.widthFar, e.nearCm);
    return {lengthOffset, fitRatio(lengthOffset, e.lengthFar), widthOffset,
            fitRatio(widthOffset, e.widthFar)};
}

// Slots 0-8 are calibration entries 0-8. Slot 9 is deliberately all zero: an
// unknown lens and every model without data read it, and the division by a zero
// ratio yields +inf, NaN or -inf, which the window shows as such.
constexpr int emptySlot = 9;
constexpr std::array<Coefficients, 10> derivedSlots{{
    derive(calibration[0]),
    derive(calibration[1]),
    derive(calibration[2]),
    derive(calibration[3]),
    derive(calibration[4]),
    derive(calibration[5]),
    derive(calibration[6]),
    derive(calibration[7]),
    derive(calibration[8]),
    {0.0, 0.0, 0.0, 0.0},
}};

constexpr Coefficients m64Projection = derive(calibration[9]);
constexpr Coefficients m64Scan = derive(calibration[10]);
constexpr int m61ProjectionSlot = 7;
constexpr int m61ScanSlot = 8;

// The R91 lenses are calibration entries 0-6, in the order of the lens list.
int lensSlot(const QString &lensText)
{
    const int index = FieldRules::lensIndex(lensText);
    return index < 0 ? emptySlot : index;
}

void setProjection(FieldResult &r, const Coefficients &c, double d)
{
    r.projLength = c.length(d);
    r.projWidth = c.width(d);
}

void setScan(FieldResult &r, double length, double width)
{
    r.scanLength = length;
    r.scanWidth = width;
    r.scanValid = true;
}

void setDepth(FieldResult &r, double d)
{
    r.depth = depthOfField(d * 10.0);
    r.depthValid = true;
}

} // namespace

const std::array<CalibrationEntry, 11> &calibrationTable()
{
    return calibration;
}

FieldResult compute(int model, const QString &lensText, double distanceCm)
{
    const double d = distanceCm;
    FieldResult r;
    switch (model) {
    case 0: { // R91
        const int slot = lensSlot(lensText);
        r.lensRecognised = slot != emptySlot;
        setProjection(r, derivedSlots[slot], d);
        break;
    }
    case 1: { // M61: the scan's long side follows from its short side
        setDepth(r, d);
        setProjection(r, derivedSlots[m61ProjectionSlot], d);
        const double scanWidth = derivedSlots[m61ScanSlot].width(d);
        setScan(r, scanWidth * 1.25, scanWidth);
        break;
    }
    case 2: // M64
        setDepth(r, d);
        setProjection(r, m64Projection, d);
        setScan(r, m64Scan.length(d), m64Scan.width(d));
        break;
    case 3: // P97: same optics as M64, no camera
        setDepth(r, d);
        setProjection(r, m64Projection, d);
        setScan(r, 0.0, 0.0);
        break;
    default:
        setProjection(r, derivedSlots[emptySlot], d);
        setScan(r, r.projLength, r.projWidth);
        break;
    }
    return r;
}

double distanceForSize(int model, const QString &lensText, Side side, double sizeMm)
{
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Coefficients *projection = nullptr;
    switch (model) {
    case 0: {
        const int slot = lensSlot(lensText);
        if (slot == emptySlot)
            return none;
        projection = &derivedSlots[slot];
        break;
    }
    case 1:
        projection = &derivedSlots[m61ProjectionSlot];
        break;
    case 2:
    case 3:
        projection = &m64Projection;
        break;
    default:
        return none;
    }

    switch (side) {
    case Side::ProjLength:
        return projection->lengthAt(sizeMm);
    case Side::ProjWidth:
        return projection->widthAt(sizeMm);
    case Side::ScanLength:
        if (model == 1) // the scan's long side is 1.25 times its short side
            return derivedSlots[m61ScanSlot].widthAt(sizeMm / 1.25);
        return model == 2 ? m64Scan.lengthAt(sizeMm) : none;
    case Side::ScanWidth:
        if (model == 1)
            return derivedSlots[m61ScanSlot].widthAt(sizeMm);
        return model == 2 ? m64Scan.widthAt(sizeMm) : none;
    }
    return none;
}

} // namespace FieldModel
