#include "FieldCalcWindow.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
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
