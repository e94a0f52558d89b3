// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef UTF8CHARACTERTYPE_H
#define UTF8CHARACTERTYPE_H

// Both programs show Chinese text, which needs a UTF-8 character type. Under a
// POSIX locale ("C", no LANG at all, as in cron, containers and CI) Qt 6.5 and
// later switch it themselves but say so on standard error at every start, and
// older versions cannot carry the window title. Call this before the application
// object is made: it asks the environment for the user's locale with a UTF-8
// character type, leaving numbers, dates and messages as they were. Nothing
// changes where the character type is UTF-8 already, or on Windows, whose
// manifest makes narrow strings UTF-8.
void useUtf8CharacterType();

#endif // UTF8CHARACTERTYPE_H
