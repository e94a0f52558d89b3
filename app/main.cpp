// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "FieldCalcWindow.h"
#include "Utf8CharacterType.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt 6 scales by itself; Qt 5 needs to be asked.
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

QtMessageHandler passOnMessage = nullptr;

// Qt's Wayland platform reports the buffer integration it was told not to load.
void dropSkippedIntegrationNotes(QtMsgType type, const QMessageLogContext &context,
                                 const QString &message)
{
    if (qstrcmp(context.category, "qt.qpa.wayland") == 0 &&
        (message.startsWith(QLatin1String("Failed to load client buffer integration")) ||
         message.startsWith(QLatin1String("Available client buffer integrations"))))
        return;
    passOnMessage(type, context, message);
}

// The window draws no OpenGL, so skip the GLX/EGL integrations that Qt's X11 and
// Wayland platforms load by default: they pull in libGL or libEGL with the Mesa
// drivers and LLVM, costing start-up time and memory for nothing. A user's own
// setting still wins. Without one, Qt 5's Wayland platform draws no title bar of
// its own and leaves it to the compositor (its title bar would offer minimize and
// maximize, which the fixed window refuses).
void skipUnusedGlIntegrations()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION")) {
        qputenv("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION", "none");
        passOnMessage = qInstallMessageHandler(dropSkippedIntegrationNotes);
        // Qt 6.8 and later would draw that title bar in shared memory instead: the
        // window keeps the same look on every Qt version.
        if (!qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
            qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
    }
}

// Web: a browser offers no fonts of its own to Qt. As on a Linux desktop, Latin
// comes from DejaVu Sans (Qt carries it) and the Chinese from the CJK font the
// page carries, cut down to the program's characters.
void useBundledCjkFont()
{
#ifdef Q_OS_WASM
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/fieldcalc-cjk.ttf"));
    const QStringList cjk = QFontDatabase::applicationFontFamilies(id);
    if (cjk.isEmpty())
        return;
    const QString latin = QStringLiteral("DejaVu Sans");
    QFont::insertSubstitutions(QStringLiteral("3ds"), {latin, cjk.first()}); // the form's family
    QFont::insertSubstitution(latin, cjk.first());
    QFont font = QApplication::font();
    font.setFamily(latin);
    // Latin and Chinese need no OpenType shaping: without it they draw the same
    // pixels here, and the page starts sooner (HarfBuzz's first run costs some
    // 50 ms in WebAssembly). Scripts that need shaping still get it.
    font.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(font);
#endif
}

// Title bar and task bar show the program's own icon; the desktop file name lets
// the desktop match the window to its menu entry. The pixmaps keep the decoded
// format, which is the one the window system takes: otherwise Qt converts each
// size to premultiplied and back, starting a pool of threads to do it.
void useProgramIcon()
{
#ifndef Q_OS_WASM // Web: there is no title bar or task bar to show it.
    QIcon icon;
    for (const char *size : {"48", "128", "256"})
        icon.addPixmap(QPixmap::fromImage(
            QImage(QStringLiteral(":/icons/fieldcalc-%1.png").arg(QLatin1String(size))),
            Qt::NoFormatConversion));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.fieldcalc.fieldcalc"));
#endif
}

// Qt's Wayland client (5.15 and 6.4 alike) can hang for good while the application
// is destroyed: when the compositor sends anything as its two reader threads stop,
// one of them waits in wl_display_read_events() for a read that the other never
// finishes, and the window is gone but the process stays. So on Wayland the
// program leaves once the window is destroyed, without that teardown; the
// compositor closes the connection.
bool skipsApplicationTeardown()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

int main(int argc, char *argv[])
{
    useUtf8CharacterType();
    skipUnusedGlIntegrations();
    scaleWithTheDisplay();

    QApplication app(argc, argv);
    useBundledCjkFont();
    useProgramIcon();

    int code = 0;
    {
        FieldCalcWindow window;
        // The layout is fixed: offer neither minimize nor maximize, keep everything else.
        Qt::WindowFlags flags =
            window.windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
#ifdef Q_OS_WASM
        // Web: the page shows the title; the window fills the canvas from its corner.
        // Nothing of the window exists in the browser before show(), which creates it
        // with the flags recorded here; setWindowFlags would also restyle every widget
        // once more, some 30 ms of the page's start-up.
        window.overrideWindowFlags(flags | Qt::FramelessWindowHint);
        window.move(0, 0);
#else
        window.setWindowFlags(flags);
#endif
        // Window managers that ignore those hints still honour a fixed size.
        window.setFixedSize(window.size());
        window.show();
#ifdef Q_OS_WASM
        // Web: the polish, layout and repaint requests that building and showing the
        // window posted are handled before the browser's first frame, so that frame
        // draws the window once instead of twice.
        QCoreApplication::sendPostedEvents();
#endif
        code = app.exec();
    }
    if (skipsApplicationTeardown()) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
