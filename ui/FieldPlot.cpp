// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "FieldPlot.h"

#include "FieldModel.h"
#include "FieldPlan.h"
#include "FieldReport.h"
#include "FieldRules.h"

#include <QPainter>
#include <QPainterPath>
#include <QVector>

#include <algorithm>
#include <array>
#include <vector>

namespace {

using FieldModel::Side;

constexpr int samples = 200;

// Told apart by dash pattern as well as by hue, so the curves stay distinct in a
// high-contrast palette and in grey print.
struct Curve
{
    const char *caption;
    QColor colour;
    Qt::PenStyle style;
};

const std::array<Curve, 5> curves{{
    {"光机幅面长", QColor(0x1f, 0x5f, 0xbf), Qt::SolidLine},
    {"光机幅面宽", QColor(0x1f, 0x5f, 0xbf), Qt::DashLine},
    {"扫描幅面长", QColor(0xc0, 0x50, 0x00), Qt::SolidLine},
    {"扫描幅面宽", QColor(0xc0, 0x50, 0x00), Qt::DashLine},
    {"景深 ±", QColor(0x20, 0x80, 0x30), Qt::DotLine},
}};

double valueOf(const FieldResult &r, int curve)
{
    switch (curve) {
    case 0:
        return r.projLength;
    case 1:
        return r.projWidth;
    case 2:
        return r.scanValid ? r.scanLength : std::nan("");
    case 3:
        return r.scanValid ? r.scanWidth : std::nan("");
    default:
        return r.depthValid ? r.depth : std::nan("");
    }
}

// 1, 2 or 5 times a power of ten, giving about `wanted` steps over span.
double niceStep(double span, int wanted)
{
    const double raw = span / std::max(1, wanted);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const std::array<double, 4> multiples{{1.0, 2.0, 5.0, 10.0}};
    return power * *std::find_if(multiples.begin(), multiples.end() - 1,
                                 [&](double m) { return raw <= m * power; });
}

} // namespace

FieldPlot::FieldPlot(QWidget *parent) : QWidget(parent)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void FieldPlot::setRange(int model, const QString &lens, double fromMm, double toMm)
{
    m_model = model;
    m_lens = lens;
    m_from = fromMm;
    m_to = toMm;
    update();
}

void FieldPlot::setMark(double distanceMm, double sizeMm)
{
    m_markDistance = distanceMm;
    m_markSize = sizeMm;
    update();
}

QSize FieldPlot::sizeHint() const
{
    const int em = fontMetrics().height();
    return {34 * em, 22 * em};
}

QSize FieldPlot::minimumSizeHint() const
{
    const int em = fontMetrics().height();
    return {22 * em, 15 * em};
}

void FieldPlot::paintEvent(QPaintEvent * /*event*/)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette &pal = palette();
    const QFontMetrics fm = fontMetrics();
    const int em = fm.height();
    const QColor ink = pal.color(QPalette::Text);

    if (!FieldRules::model(m_model) || !(m_to > m_from) || !std::isfinite(m_to - m_from)) {
        p.setPen(ink);
        p.drawText(rect(), Qt::AlignCenter, QString::fromUtf8("无可绘制的距离范围"));
        return;
    }

    // The curves, sampled evenly over the range; straight but for the depth's bend.
    std::vector<std::array<double, 5>> values(samples + 1);
    double top = 0.0;
    for (int i = 0; i <= samples; ++i) {
        const double mm = m_from + (m_to - m_from) * i / samples;
        const FieldResult r = FieldModel::compute(m_model, m_lens, mm / 10.0);
        for (int c = 0; c < int(curves.size()); ++c) {
            values[i][c] = valueOf(r, c);
            if (std::isfinite(values[i][c]))
                top = std::max(top, values[i][c]);
        }
    }
    if (std::isfinite(m_markSize))
        top = std::max(top, m_markSize);
    if (!(top > 0.0) || !std::isfinite(top)) {
        p.setPen(ink);
        p.drawText(rect(), Qt::AlignCenter, QString::fromUtf8("镜头大小输入错误"));
        return;
    }
    const double yStep = niceStep(top, 5);
    top = std::ceil(top / yStep) * yStep;
    const double xStep = niceStep(m_to - m_from, 5);

    // The legend: one entry per curve the model has, wrapped into as many lines as
    // the width needs, below the axis label.
    struct Entry
    {
        int curve;
        QString caption;
        qreal width;
    };
    QVector<Entry> legend;
    for (int c = 0; c < int(curves.size()); ++c) {
        if (!std::isfinite(values[0][c]) && !std::isfinite(values[samples][c]))
            continue;
        const QString caption = QString::fromUtf8(curves[c].caption);
        legend.push_back({c, caption, 2.4 * em + fm.horizontalAdvance(caption)});
    }
    const QString yLabelWidest = FieldReport::figure(top);
    const qreal left = fm.horizontalAdvance(yLabelWidest) + em;
    const qreal right = width() - em;
    int legendLines = 1;
    qreal at = left;
    for (const Entry &entry : legend) {
        if (at + entry.width > right && at > left) {
            ++legendLines;
            at = left;
        }
        at += entry.width;
    }
    const QRectF plot(left, 1.5 * em, right - left, height() - (4.3 + 1.2 * legendLines) * em);
    if (plot.width() < 2 * em || plot.height() < 2 * em)
        return;
    const auto x = [&](double mm) {
        return plot.left() + (mm - m_from) / (m_to - m_from) * plot.width();
    };
    const auto y = [&](double size) { return plot.bottom() - size / top * plot.height(); };

    // Axes, grid and ticks in millimetres.
    const qreal line = std::max<qreal>(1.0, em / 12.0);
    QColor grid = pal.color(QPalette::Mid);
    p.setPen(QPen(grid, line / 2));
    for (double v = 0.0; v <= top + yStep / 2; v += yStep) {
        p.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
    }
    p.setPen(QPen(ink, line));
    p.drawRect(plot);
    for (double v = 0.0; v <= top + yStep / 2; v += yStep)
        p.drawText(QRectF(0, y(v) - em / 2.0, plot.left() - em / 3.0, em),
                   Qt::AlignRight | Qt::AlignVCenter, FieldReport::figure(v));
    for (double mm = std::ceil(m_from / xStep) * xStep; mm <= m_to + xStep / 1e6; mm += xStep)
        p.drawText(QRectF(x(mm) - 3 * em, plot.bottom() + em / 4.0, 6 * em, em), Qt::AlignCenter,
                   FieldReport::figure(mm));
    p.drawText(QRectF(plot.left(), plot.bottom() + 1.2 * em, plot.width(), em), Qt::AlignCenter,
               QString::fromUtf8("工作距离 (MM)"));
    p.drawText(QRectF(0, 0, width(), 1.2 * em), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8("幅面 (MM)"));

    p.save();
    p.setClipRect(plot);
    for (int c = 0; c < int(curves.size()); ++c) {
        QPainterPath path;
        bool drawing = false;
        for (int i = 0; i <= samples; ++i) {
            const double v = values[i][c];
            const QPointF point(x(m_from + (m_to - m_from) * i / samples), y(v));
            if (!std::isfinite(v)) {
                drawing = false;
                continue;
            }
            if (drawing)
                path.lineTo(point);
            else
                path.moveTo(point);
            drawing = true;
        }
        p.setPen(QPen(curves[c].colour, 2 * line, curves[c].style));
        p.drawPath(path);
    }

    // The model's minimum, the planned distance and the wanted size.
    const FieldRules::ModelInfo *info = FieldRules::model(m_model);
    if (info->minimumMm > m_from && info->minimumMm <= m_to) {
        p.setPen(QPen(ink, line, Qt::DashDotLine));
        p.drawLine(QPointF(x(info->minimumMm), plot.top()),
                   QPointF(x(info->minimumMm), plot.bottom()));
    }
    if (std::isfinite(m_markDistance) && m_markDistance >= m_from && m_markDistance <= m_to) {
        p.setPen(QPen(pal.color(QPalette::Highlight), 2 * line));
        p.drawLine(QPointF(x(m_markDistance), plot.top()),
                   QPointF(x(m_markDistance), plot.bottom()));
    }
    if (std::isfinite(m_markSize)) {
        p.setPen(QPen(pal.color(QPalette::Highlight), line, Qt::DashLine));
        p.drawLine(QPointF(plot.left(), y(m_markSize)), QPointF(plot.right(), y(m_markSize)));
    }
    p.restore();
    if (info->minimumMm > m_from && info->minimumMm <= m_to) {
        p.setPen(ink);
        p.drawText(QPointF(x(info->minimumMm) + em / 4.0, plot.top() + em),
                   QString::fromUtf8("最小 %1 MM").arg(FieldReport::figure(info->minimumMm)));
    }

    at = left;
    qreal legendY = plot.bottom() + 2.9 * em;
    for (const Entry &entry : legend) {
        if (at + entry.width > right && at > left) {
            at = left;
            legendY += 1.2 * em;
        }
        p.setPen(QPen(curves[entry.curve].colour, 2 * line, curves[entry.curve].style));
        p.drawLine(QPointF(at, legendY), QPointF(at + 1.5 * em, legendY));
        p.setPen(ink);
        p.drawText(QPointF(at + 1.8 * em, legendY + fm.ascent() / 2.5), entry.caption);
        at += entry.width;
    }
}
