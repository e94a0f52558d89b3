// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

// The yardstick for the web page: an empty Qt Widgets window of the calculator's
// size and place, built with the same Qt and flags. What the page costs beyond
// it is the calculator's own.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setFixedSize(797, 497);
    window.move(0, 0);
    window.show();
    return app.exec();
}
