// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef FIELDTABLEMODEL_H
#define FIELDTABLEMODEL_H

#include "FieldPlan.h"

#include <QAbstractTableModel>

// The figures of a sweep, one row per distance, in the columns of fieldcalc-cli's
// CSV. Rows are computed when a view asks for them, so a long sweep costs nothing
// until it is shown.
class FieldTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit FieldTableModel(QObject *parent = nullptr);

    void setSweep(int model, const QString &lens, const FieldPlan::Sweep &sweep);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The table with separator between cells: ',' and the CLI's keys gives its CSV,
    // a tab and the captions a paste for a spreadsheet.
    QString text(QChar separator, bool captions) const;

private:
    QStringList cellsOf(int row) const;

    int m_model = -1;
    QString m_lens;
    FieldPlan::Sweep m_sweep{-1, 0.0, 0.0, 0.0};
};

#endif // FIELDTABLEMODEL_H
