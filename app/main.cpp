// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "FieldCalcWindow.h"

#include <QApplication>
#include <QIcon>

#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
#include <clocale>
#include <langinfo.h>
#endif
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QTextCodec>
#endif

namespace {

// Qt 6 scales by itself, and from 6.5 on it also makes the character type UTF-8;
// older versions need to be asked.
void scaleWithTheDisplay()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Follow the desktop's scale (Xft.dpi, QT_SCALE_FACTOR) so the fixed layout grows
    // with its fonts, and keep 1.25 or 1.5 as they are instead of rounding them.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#if QT_VERSION >= QT_VERSION_CHECK(5, 14, 0)
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
#endif
}

void useUtf8CharacterType()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    // Under a POSIX locale the C library (and Qt 5's local 8-bit codec) cannot
    // carry the Chinese title into the legacy WM_NAME property. Switch the
    // character type only, so numbers, dates and messages keep the user's locale.
    if (qstrcmp(nl_langinfo(CODESET), "UTF-8") == 0 || !std::setlocale(LC_CTYPE, "C.UTF-8"))
        return;
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
#endif
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    // The window draws no OpenGL, so skip the GLX/EGL integration that Qt's X11
    // platform loads by default: it pulls in libGL and the Mesa drivers, costing
    // start-up time and memory for nothing. A user's own setting still wins.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    scaleWithTheDisplay();

    QApplication app(argc, argv);
    useUtf8CharacterType();
    // Title bar and task bar show the program's own icon; the desktop file name lets
    // the desktop match the window to its menu entry.
    QIcon icon;
    for (const char *size : {"48", "128", "256"})
        icon.addFile(QStringLiteral(":/icons/fieldcalc-%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.fieldcalc.fieldcalc"));

    FieldCalcWindow window;
    // The layout is fixed: offer neither minimize nor maximize, keep everything else.
    window.setWindowFlags(window.windowFlags() &
                          ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    // Window managers that ignore those hints still honour a fixed size.
    window.setFixedSize(window.size());
    window.show();
    return app.exec();
}
