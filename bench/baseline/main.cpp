// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

// The yardstick for fieldcalc's start-up and idle cost: the least a Qt Widgets
// program with the same window can do. A bare QMainWindow of the same size, one
// label of Chinese text (so the same CJK font is loaded) rewritten by a 100 ms
// timer, and Qt left in its default configuration.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("基准窗口"));
    window.resize(797, 497);
    auto *label = new QLabel(&window);
    window.setCentralWidget(label);
    const auto tick = [label] {
        label->setText(QStringLiteral("当前时间 ") +
                       QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss:zzz")));
    };
    tick();

    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, label, tick);
    clock.start(100);

    window.show();
    return app.exec();
}
