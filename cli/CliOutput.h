// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef CLIOUTPUT_H
#define CLIOUTPUT_H

#include "CliRequest.h"

#include <cstdio>

// Writes the request's rows to out as text, CSV or JSON, each row as it is made,
// so a long sweep needs no more memory than one row. False if a write failed;
// errno then says why.
bool writeRows(std::FILE *out, const CliRequest &request);

// UTF-8 whatever the locale, so the Chinese captions survive a POSIX shell; on a
// Windows console, UTF-16 through the console, whatever its code page.
bool writeText(std::FILE *stream, const QString &text);

#endif // CLIOUTPUT_H
