// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "FieldReport.h"

#include "FieldRules.h"

#include <QStringList>

namespace FieldReport {

QString figure(double value)
{
    return QString::number(value, 'g', 6);
}

Shown shown(int model, const QString &lens, double distanceMm, const FieldResult &result)
{
    const FieldRules::ModelInfo *info = FieldRules::model(model);
    Shown s;
    s.model = info ? QString::fromLatin1(info->name) : QString();
    s.lens = lens;
    s.distance = figure(distanceMm);
    s.projLength = figure(result.projLength);
    s.projWidth = figure(result.projWidth);
    s.scanLength =
        result.scanValid ? figure(result.scanLength) : QString::fromUtf8(FieldRules::r91NoScanText);
    s.scanWidth =
        result.scanValid ? figure(result.scanWidth) : QString::fromUtf8(FieldRules::r91NoScanText);
    s.depth =
        result.depthValid ? figure(result.depth) : QString::fromUtf8(FieldRules::r91NoDepthText);
    return s;
}

QString asText(const Shown &shown)
{
    // A figure carries the unit; a fixed text or an empty field does not.
    const auto line = [](const char *caption, const QString &text, bool hasUnit = true,
                         const char *prefix = "") {
        QString result = QString::fromUtf8(caption) + QLatin1Char(':');
        if (text.isEmpty())
            return result;
        bool isFigure = false;
        text.toDouble(&isFigure); // also true for "inf" and "nan"
        if (!hasUnit || !isFigure)
            return result + QLatin1Char(' ') + text;
        return result + QLatin1Char(' ') + QString::fromUtf8(prefix) + text + QStringLiteral(" MM");
    };
    const QStringList lines{
        line("光机选择", shown.model, false), line("镜头大小", shown.lens, false),
        line("工作距离", shown.distance),     line("光机幅面长", shown.projLength),
        line("光机幅面宽", shown.projWidth),  line("扫描幅面长", shown.scanLength),
        line("扫描幅面宽", shown.scanWidth),  line("景深", shown.depth, true, "±"),
    };
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace FieldReport
