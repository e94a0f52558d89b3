// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

// One FieldModel::compute call per iteration, for every model the chooser offers
// and for the fallback the calculate action uses after a rejected distance.
#include "FieldModel.h"

#include <benchmark/benchmark.h>

namespace {

void computeModel(benchmark::State &state)
{
    const int model = static_cast<int>(state.range(0));
    const QString lens = QStringLiteral("6");
    double distanceCm = 50.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(distanceCm);
        FieldResult result = FieldModel::compute(model, lens, distanceCm);
        benchmark::DoNotOptimize(result);
    }
}

} // namespace

// 0 R91, 1 M61, 2 M64, 3 P97, 4 the fallback.
BENCHMARK(computeModel)->ArgName("model")->DenseRange(0, 4);

BENCHMARK_MAIN();
