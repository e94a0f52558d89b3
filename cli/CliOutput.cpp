// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "CliOutput.h"

#include "FieldModel.h"
#include "FieldReport.h"

#include <cmath>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

namespace {

using FieldReport::figure;

QString jsonNumber(double value)
{
    return std::isfinite(value) ? figure(value) : QStringLiteral("null");
}

QString jsonBool(bool known, bool value)
{
    return known ? (value ? QStringLiteral("true") : QStringLiteral("false"))
                 : QStringLiteral("null");
}

// The fit's answer beside the figures at its distance.
struct PartColumns
{
    QStringList keys;
    QStringList csv;
    QStringList json;
    QString text;
};

PartColumns partColumns(const CliRequest &request)
{
    PartColumns p;
    if (!request.isFit)
        return p;
    const FieldPlan::Fit &fit = request.fit;
    const double height = request.part[2];
    const bool heightKnown = fit.heightGiven && fit.depthKnown;
    p.keys = QStringList{QStringLiteral("part_length_mm"), QStringLiteral("part_width_mm"),
                         QStringLiteral("part_height_mm"), QStringLiteral("at_minimum"),
                         QStringLiteral("height_fits")};
    const QString heightCell = fit.heightGiven ? figure(height) : QString();
    p.csv = QStringList{figure(request.part[0]), figure(request.part[1]), heightCell,
                        jsonBool(true, fit.atMinimum),
                        heightKnown ? jsonBool(true, fit.heightFits) : QString()};
    p.json = QStringList{figure(request.part[0]), figure(request.part[1]),
                         fit.heightGiven ? figure(height) : QStringLiteral("null"),
                         jsonBool(true, fit.atMinimum), jsonBool(heightKnown, fit.heightFits)};
    p.text = QString::fromUtf8("部件: %1 × %2%3 MM\n")
                 .arg(figure(request.part[0]), figure(request.part[1]),
                      fit.heightGiven ? QString::fromUtf8(" × ") + figure(height) : QString());
    if (fit.atMinimum)
        p.text += QString::fromUtf8("最小工作距离: 是\n");
    if (heightKnown)
        p.text += QString::fromUtf8("高度在景深内: %1\n")
                      .arg(QString::fromUtf8(fit.heightFits ? "是" : "否"));
    return p;
}

QString row(const CliRequest &request, const PartColumns &part, int index)
{
    const double mm = request.rows.distanceAt(index);
    const FieldResult r = FieldModel::compute(request.model, request.lens, mm / 10.0);
    switch (request.format) {
    case Format::Text:
        return (index > 0 ? QStringLiteral("\n") : QString()) +
               FieldReport::asText(FieldReport::shown(request.model, request.lens, mm, r)) +
               part.text;
    case Format::Csv:
        return FieldPlan::csvLine(FieldPlan::cells(mm, r) + part.csv);
    case Format::Json: {
        const QStringList keys = FieldPlan::columnKeys() + part.keys;
        const QStringList values =
            QStringList{jsonNumber(mm),
                        jsonNumber(r.projLength),
                        jsonNumber(r.projWidth),
                        r.scanValid ? jsonNumber(r.scanLength) : QStringLiteral("null"),
                        r.scanValid ? jsonNumber(r.scanWidth) : QStringLiteral("null"),
                        r.depthValid ? jsonNumber(r.depth) : QStringLiteral("null")} +
            part.json;
        QStringList members;
        for (int i = 0; i < keys.size(); ++i)
            members << QStringLiteral("\"%1\": %2").arg(keys.at(i), values.at(i));
        return (index > 0 ? QStringLiteral(",\n") : QString()) + QStringLiteral("  {") +
               members.join(QStringLiteral(", ")) + QLatin1Char('}');
    }
    }
    return QString();
}

} // namespace

bool writeText(std::FILE *stream, const QString &text)
{
#ifdef Q_OS_WIN
    // A console reads bytes in its own code page (936 on Chinese Windows), whatever
    // the program's: give it UTF-16 through its own API. Files and pipes get UTF-8.
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        auto next = reinterpret_cast<const wchar_t *>(text.utf16());
        DWORD left = static_cast<DWORD>(text.size());
        while (left > 0) {
            DWORD written = 0;
            if (!WriteConsoleW(handle, next, left, &written, nullptr) || written == 0)
                return false;
            next += written;
            left -= written;
        }
        return true;
    }
#endif
    const QByteArray bytes = text.toUtf8();
    return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream) ==
           static_cast<std::size_t>(bytes.size());
}

bool writeRows(std::FILE *out, const CliRequest &request)
{
    const PartColumns part = partColumns(request);
    bool ok = true;
    if (request.format == Format::Csv)
        ok = writeText(out, FieldPlan::csvLine(FieldPlan::columnKeys() + part.keys));
    else if (request.format == Format::Json)
        ok = writeText(out, QStringLiteral("[\n"));
    for (int i = 0; ok && i < request.rows.rowCount(); ++i)
        ok = writeText(out, row(request, part, i));
    if (ok && request.format == Format::Json)
        ok = writeText(out, QStringLiteral("\n]\n"));
    // A full disk or a closed stream shows only when the buffer goes out.
    return std::fflush(out) == 0 && ok && !std::ferror(out);
}
