// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef PLANNERDIALOG_H
#define PLANNERDIALOG_H

#include "FieldTableModel.h"
#include "ui_PlannerDialog.h"

#include <QDialog>

#include <cmath>

// Planning a set-up beside the calculator: a table and a plot of the figures over
// a range of distances, the distance for a wanted side, and the distance at which
// a part fits. Non-modal; the calculator keeps working beside it.
class PlannerDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PlannerDialog(int model, const QString &lens, QWidget *parent = nullptr);

    // A planner for the calculator window: a window of its own (the calculator's
    // widget tree stays as it is), kept in front of it, closed with it, and not
    // keeping the program running once the calculator is closed.
    static PlannerDialog *openFor(QWidget *calculator, int model, const QString &lens);

    // The table as fieldcalc-cli --sweep --format csv writes it, saved whole or not
    // at all. False with the reason in error.
    bool writeCsv(const QString &path, QString *error) const;

private:
    enum class Mark { None, Target, Part };
    // A distance found and the size wanted there, drawn on the plot; NaN for none.
    struct Answer
    {
        double distanceMm = std::nan("");
        double sizeMm = std::nan("");
    };

    void modelChanged();
    void updateTable();
    void updateTarget();
    void updatePart();
    void updateMark();
    void copyTable();
    void exportCsv();

    int model() const;

    Ui::PlannerDialogClass ui;
    FieldTableModel m_table;
    Mark m_mark = Mark::None; // the answer edited last is the one marked
    Answer m_targetAnswer;
    Answer m_partAnswer;
};

#endif // PLANNERDIALOG_H
