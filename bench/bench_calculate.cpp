// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

// The calculate action through the real window on the offscreen platform: one
// click of the calculate button per iteration, with distances every model
// accepts, so no notice opens. The distance alternates, so every run writes new
// texts and nothing is skipped as unchanged.
#include "WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

// With paint: after each click the event loop runs, so the five fields repaint
// into the window's backing store as they would on screen.
void calculate(benchmark::State &state, bool paint)
{
    WindowFixture fixture;
    if (!fixture.open()) {
        state.SkipWithError("the window was never exposed");
        return;
    }
    fixture.child<QComboBox>("comboBox")->setCurrentIndex(static_cast<int>(state.range(0)));
    fixture.child<QLineEdit>("lineEdit")->setText(QStringLiteral("6"));
    auto *distance = fixture.child<QLineEdit>("lineEdit_2");
    const QString distances[] = {QStringLiteral("500"), QStringLiteral("600")};
    auto *button = fixture.child<QPushButton>("pushButton");
    auto *projLength = fixture.child<QLineEdit>("lineEdit_3");

    // A notice would block in its own event loop; fail loudly instead of hanging.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QApplication::activeModalWidget())
            qFatal("a notice opened during the benchmark");
    });
    watchdog.start(500);

    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        distance->setText(distances[run++ % 2]);
        if (paint)
            QCoreApplication::processEvents();
        state.ResumeTiming();
        button->click();
        if (paint)
            QCoreApplication::processEvents();
    }

    if (projLength->text().isEmpty())
        state.SkipWithError("the calculate action wrote no result");
}

} // namespace

BENCHMARK_CAPTURE(calculate, slot, false)
    ->ArgName("model")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(calculate, withPaint, true)
    ->ArgName("model")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    // Headless unless the caller asks for another platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
