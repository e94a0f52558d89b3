#include "FieldCalcWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FieldCalcWindow window;
    // The layout is fixed: offer neither minimize nor maximize, keep everything else.
    window.setWindowFlags(window.windowFlags() &
                          ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    window.show();
    return app.exec();
}
