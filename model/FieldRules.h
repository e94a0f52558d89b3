// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef FIELDRULES_H
#define FIELDRULES_H

#include <QString>

#include <array>

// What the calculator accepts as input, shared by the window and the command line:
// the models, their minimum working distances and the notices for refused input.
namespace FieldRules {

struct ModelInfo
{
    const char *name;   // as printed on the engine, e.g. "M64"
    double minimumMm;   // 0: no minimum beyond a positive distance
    bool hasCamera;     // scan figures are measured for it
    bool takesLens;     // the lens text selects the calibration
    const char *notice; // shown for a distance below minimumMm, or nullptr
};

constexpr int modelCount = 4; // models with data: R91, M61, M64, P97

// Data of a model with calibration, or nullptr for any other index.
const ModelInfo *model(int index);

// The model whose name is text, in any case and without surrounding blanks, or -1.
int modelIndex(const QString &text);

// The lens texts that R91 recognises, in calibration order, matched verbatim.
constexpr std::array<const char *, 7> lensSizes{{"6", "8", "12", "16", "25", "35", "50"}};

// The index of text in lensSizes, or -1 for a lens R91 does not know.
int lensIndex(const QString &text);

// The working distance in mm as the window reads it: single precision, and an
// empty or unparsable text gives 0.
double parseDistanceMm(const QString &text);

// The notice for a working distance that the model refuses, or nullptr if it is
// accepted. Not a finite number is refused like an empty distance.
const char *distanceNotice(int model, double mm);

extern const char *const enterDistanceNotice;
extern const char *const wrongLensNotice;
extern const char *const noticeTitle;
extern const char *const r91NoScanText;
extern const char *const r91NoDepthText;

} // namespace FieldRules

#endif // FIELDRULES_H
