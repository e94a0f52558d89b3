// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "FieldTableModel.h"

#include "FieldModel.h"

namespace {

QStringList captions()
{
    return {QString::fromUtf8("工作距离 (MM)"),   QString::fromUtf8("光机幅面长 (MM)"),
            QString::fromUtf8("光机幅面宽 (MM)"), QString::fromUtf8("扫描幅面长 (MM)"),
            QString::fromUtf8("扫描幅面宽 (MM)"), QString::fromUtf8("景深 ± (MM)")};
}

} // namespace

FieldTableModel::FieldTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void FieldTableModel::setSweep(int model, const QString &lens, const FieldPlan::Sweep &sweep)
{
    beginResetModel();
    m_model = model;
    m_lens = lens;
    m_sweep = sweep;
    endResetModel();
}

int FieldTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_sweep.rowCount();
}

int FieldTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(FieldPlan::columnKeys().size());
}

QStringList FieldTableModel::cellsOf(int row) const
{
    const double mm = m_sweep.distanceAt(row);
    return FieldPlan::cells(mm, FieldModel::compute(m_model, m_lens, mm / 10.0));
}

QVariant FieldTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    return cellsOf(index.row()).value(index.column());
}

QVariant FieldTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    return captions().value(section);
}

QString FieldTableModel::text(QChar separator, bool withCaptions) const
{
    QString out =
        FieldPlan::csvLine(withCaptions ? captions() : FieldPlan::columnKeys(), separator);
    for (int row = 0; row < rowCount(); ++row)
        out += FieldPlan::csvLine(cellsOf(row), separator);
    return out;
}
