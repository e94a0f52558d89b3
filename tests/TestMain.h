// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef TESTMAIN_H
#define TESTMAIN_H

#include <QtTest>

// The suites run on the offscreen platform at scale 1 whatever the session around
// them has exported: a Wayland or KDE shell sets the platform, a laptop a scale.
inline void isolateFromDesktopSession()
{
    for (const char *name :
         {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
          "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_FONT_DPI",
          "QT_DEVICE_PIXEL_RATIO", "QT_STYLE_OVERRIDE", "QT_QPA_PLATFORMTHEME", "QT_QPA_FONTDIR"})
        qunsetenv(name);
#ifdef Q_OS_WIN
    // Windows' own platform, as users get it (under Wine, in its X display): the
    // offscreen one there reads fonts from a folder instead of the system.
    qputenv("QT_QPA_PLATFORM", "windows");
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
}

// How long a child process may take. Under Wine on a busy machine starting one
// takes seconds; a hang still fails well inside the per-function watchdog.
constexpr int processDeadlineMs = 30000;

#define FIELDCALC_TEST_MAIN(Application, TestObject)                                               \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        isolateFromDesktopSession();                                                               \
        Application app(argc, argv);                                                               \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

#endif // TESTMAIN_H
