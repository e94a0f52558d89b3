// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef FIELDPLOT_H
#define FIELDPLOT_H

#include <QString>
#include <QWidget>

#include <cmath>

// The four sides of the field and the depth of field against the working
// distance, for one model over a range, with the model's minimum distance and
// an optional planned distance and wanted size marked.
class FieldPlot : public QWidget
{
    Q_OBJECT

public:
    explicit FieldPlot(QWidget *parent = nullptr);

    void setRange(int model, const QString &lens, double fromMm, double toMm);
    // NaN leaves the mark out.
    void setMark(double distanceMm, double sizeMm = std::nan(""));

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_model = -1;
    QString m_lens;
    double m_from = 0.0;
    double m_to = 0.0;
    double m_markDistance = std::nan("");
    double m_markSize = std::nan("");
};

#endif // FIELDPLOT_H
