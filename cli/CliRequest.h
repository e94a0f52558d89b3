// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef CLIREQUEST_H
#define CLIREQUEST_H

#include "FieldPlan.h"

#include <QString>
#include <QStringList>

class QCommandLineParser;

enum ExitStatus { Success = 0, Refused = 1, UsageError = 2, WriteError = 3 };

enum class Format { Text, Csv, Json };

// What the command line asks for: the rows to print, and with --fit the part.
struct CliRequest
{
    int model = -1;
    QString lens;
    Format format = Format::Text;
    FieldPlan::Sweep rows{-1, 0.0, 0.0, 0.0};
    bool isFit = false;
    double part[3] = {0.0, 0.0, 0.0}; // length, width, height (0: not given)
    FieldPlan::Fit fit;
    QStringList warnings; // printed, but the request goes on
};

struct CliStop
{
    ExitStatus status = Success;
    QString message; // for standard error
};

// Declares the options and arguments fieldcalc-cli understands.
void describeOptions(QCommandLineParser &parser);

// Negative numbers such as -5 would read as options; keep them positional.
QStringList keepNegativeNumbersPositional(const QStringList &arguments);

// Reads the parsed command line into request, or says why it cannot.
CliStop makeRequest(const QCommandLineParser &parser, CliRequest &request);

#endif // CLIREQUEST_H
