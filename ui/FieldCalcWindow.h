// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef FIELDCALCWINDOW_H
#define FIELDCALCWINDOW_H

#include "ui_FieldCalcWindow.h"

#include <QMainWindow>

class QTimerEvent;

// The calculator's only window: the form, a clock that ticks every 100 ms, and
// the calculate and exit actions.
class FieldCalcWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit FieldCalcWindow(QWidget *parent = nullptr);

protected:
    void timerEvent(QTimerEvent *event) override;

private slots:
    void JiSuanFuMian();   // calculate the fields
    void TuiChuRuanJian(); // leave the program

private:
    void makeResultsReadable();
    void describeForScreenReaders();
    void offerCopyOfResults();
    void offerPlanner();

    Ui::FieldCalcWindowClass ui;
};

#endif // FIELDCALCWINDOW_H
