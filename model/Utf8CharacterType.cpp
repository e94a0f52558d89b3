// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "Utf8CharacterType.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_WASM)
#include <QByteArray>

#include <clocale>
#include <langinfo.h>

void useUtf8CharacterType()
{
    // What the C library makes of the environment; Qt asks the same at start.
    std::setlocale(LC_ALL, "");
    const QByteArray codeset = nl_langinfo(CODESET);
    if (codeset.compare("UTF-8", Qt::CaseInsensitive) == 0 ||
        codeset.compare("utf8", Qt::CaseInsensitive) == 0)
        return;

    // The same language and region with UTF-8 (de_DE@euro -> de_DE.UTF-8), else C.UTF-8.
    QByteArray ctype = std::setlocale(LC_CTYPE, nullptr);
    const int cut = ctype.indexOf('.') >= 0 ? ctype.indexOf('.') : ctype.indexOf('@');
    if (cut >= 0)
        ctype.truncate(cut);
    ctype += ".UTF-8";
    if (!std::setlocale(LC_CTYPE, ctype.constData())) {
        ctype = "C.UTF-8";
        if (!std::setlocale(LC_CTYPE, ctype.constData()))
            return; // no UTF-8 locale on this system: Qt's own note is then news
    }

    // Qt reads the locale from the environment again, so say it there. LC_ALL
    // would override LC_CTYPE: hand its value to the other categories instead.
    const QByteArray all = qgetenv("LC_ALL");
    if (!all.isEmpty()) {
        for (const char *category :
             {"LC_COLLATE", "LC_MESSAGES", "LC_MONETARY", "LC_NUMERIC", "LC_TIME", "LC_PAPER",
              "LC_NAME", "LC_ADDRESS", "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION"})
            qputenv(category, all);
        qunsetenv("LC_ALL");
    }
    qputenv("LC_CTYPE", ctype);
}
#else
void useUtf8CharacterType() {}
#endif
