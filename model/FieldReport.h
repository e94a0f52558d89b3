// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef FIELDREPORT_H
#define FIELDREPORT_H

#include "FieldModel.h"

#include <QString>

// The results as the window shows them, and as plain text to copy or print.
namespace FieldReport {

// Six significant digits, C-locale point, "inf", "-inf" and "nan" where not finite.
QString figure(double value);

// The texts of one calculation, as the window's fields show them.
struct Shown
{
    QString model;    // e.g. "M64"
    QString lens;     // as typed
    QString distance; // in mm
    QString projLength;
    QString projWidth;
    QString scanLength;
    QString scanWidth;
    QString depth;
};

// The texts of an accepted calculation: figures, or R91's fixed texts where it
// has no scan field and no depth.
Shown shown(int model, const QString &lens, double distanceMm, const FieldResult &result);

// One line per item with its caption, a figure followed by its unit, and a line
// break after each, for example "光机幅面长: 422.308 MM".
QString asText(const Shown &shown);

} // namespace FieldReport

#endif // FIELDREPORT_H
