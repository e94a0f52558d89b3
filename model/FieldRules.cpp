// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "FieldRules.h"

#include <cmath>

namespace FieldRules {

const char *const enterDistanceNotice = "请输入工作距离，且不能小于0";
const char *const wrongLensNotice = "镜头大小输入错误";
const char *const noticeTitle = "提示";
const char *const r91NoScanText = "R91无扫描幅面";
const char *const r91NoDepthText = "无R91景深";

namespace {

// The M61 notice has always spelt the model in lower case.
constexpr std::array<ModelInfo, modelCount> models{{
    {"R91", 0.0, false, true, nullptr},
    {"M61", 70.0, true, false, "m61输入工作距离不能小于70MM!"},
    {"M64", 80.0, true, false, "M64输入工作距离不能小于80MM!"},
    {"P97", 350.0, false, false, "P97输入工作距离不能小于350MM!"},
}};

} // namespace

const ModelInfo *model(int index)
{
    return index >= 0 && index < modelCount ? &models[static_cast<std::size_t>(index)] : nullptr;
}

int modelIndex(const QString &text)
{
    const QString wanted = text.trimmed();
    for (int i = 0; i < modelCount; ++i) {
        if (wanted.compare(QLatin1String(models[static_cast<std::size_t>(i)].name),
                           Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int lensIndex(const QString &text)
{
    for (std::size_t i = 0; i < lensSizes.size(); ++i) {
        if (text == QLatin1String(lensSizes[i]))
            return static_cast<int>(i);
    }
    return -1;
}

double parseDistanceMm(const QString &text)
{
    return text.toFloat();
}

const char *distanceNotice(int model, double mm)
{
    if (!(mm > 0.0) || !std::isfinite(mm))
        return enterDistanceNotice;
    const ModelInfo *info = FieldRules::model(model);
    if (info && mm < info->minimumMm)
        return info->notice;
    return nullptr;
}

} // namespace FieldRules
