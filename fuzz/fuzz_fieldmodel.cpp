// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

// Feeds FieldModel::compute arbitrary models, lens texts and distances and checks
// the properties every result must have.
#include "FieldModel.h"
#include "SameBits.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

struct Input
{
    const uint8_t *data;
    size_t size;

    template <typename T> T take()
    {
        T value{};
        const size_t n = size < sizeof value ? size : sizeof value;
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
};

bool sameFigures(const FieldResult &a, const FieldResult &b)
{
    return sameBits(a.projLength, b.projLength) && sameBits(a.projWidth, b.projWidth) &&
           sameBits(a.scanLength, b.scanLength) && sameBits(a.scanWidth, b.scanWidth) &&
           sameBits(a.depth, b.depth) && a.scanValid == b.scanValid &&
           a.depthValid == b.depthValid && a.lensRecognised == b.lensRecognised;
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void checkResult(int model, const QString &lens, double cm)
{
    const FieldResult r = FieldModel::compute(model, lens, cm);
    check(sameFigures(r, FieldModel::compute(model, lens, cm)));

    const bool known = model >= 0 && model <= 3;
    if (!known) {
        // Every model without data behaves exactly like the placeholder.
        check(sameFigures(r, FieldModel::compute(4, lens, cm)));
        check(!std::isfinite(r.projLength) && !std::isfinite(r.scanWidth));
        return;
    }
    if (model == 0 && !r.lensRecognised)
        return;
    // Finite inputs the window can produce: at most the float range, in cm.
    if (std::isfinite(cm) && std::fabs(cm) < 1e37) {
        check(std::isfinite(r.projLength) && std::isfinite(r.projWidth));
        check(std::isfinite(r.scanLength) && std::isfinite(r.scanWidth));
        check(std::isfinite(r.depth));
    }
    if (model == 1)
        check(sameBits(r.scanLength, r.scanWidth * 1.25));
    if (model == 3)
        check(sameBits(r.scanLength, 0.0) && sameBits(r.scanWidth, 0.0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in{data, size};
    const int model = in.take<int32_t>();
    const double rawCm = in.take<double>();
    const uint8_t split = in.take<uint8_t>();
    const size_t lensSize = in.size < split ? in.size : split;
    const QString lens =
        QString::fromUtf8(reinterpret_cast<const char *>(in.data), static_cast<int>(lensSize));
    const QString distanceText = QString::fromUtf8(
        reinterpret_cast<const char *>(in.data + lensSize), static_cast<int>(in.size - lensSize));

    // Small model numbers are the interesting ones; keep them common.
    for (int m : {model, model % 7 - 1}) {
        checkResult(m, lens, rawCm);
        // The distance as the window reads it: parsed as float, in mm.
        checkResult(m, lens, double(distanceText.toFloat()) / 10.0);
    }
    return 0;
}
