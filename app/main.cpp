#include "FieldCalcWindow.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    // The window draws no OpenGL, so skip the GLX/EGL integration that Qt's X11
    // platform loads by default: it pulls in libGL and the Mesa drivers, costing
    // start-up time and memory for nothing. A user's own setting still wins.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");

    QApplication app(argc, argv);
    // Title bar and task bar show the program's own icon; the desktop file name lets
    // the desktop match the window to its menu entry.
    QIcon icon;
    for (const char *size : {"48", "128", "256"})
        icon.addFile(QStringLiteral(":/icons/fieldcalc-%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("fieldcalc"));

    FieldCalcWindow window;
    // The layout is fixed: offer neither minimize nor maximize, keep everything else.
    window.setWindowFlags(window.windowFlags() &
                          ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    window.show();
    return app.exec();
}
