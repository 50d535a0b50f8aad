#include "app/Startup.h"
#include "files/FileSizeSignal.h"
#include "files/TextEncoding.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    useLocalEightBitEncoding();
    ignoreFileSizeSignal();
    // On a high-DPI screen (Xft.dpi on X11, the display scale on Windows) every window is scaled
    // as a whole, so the fixed-size forms keep their layout at any scale, and the icon is drawn
    // from its largest image. Set before the application object exists. Qt 6 always does both;
    // its scale factor is rounded as Qt 5 rounds it, so a screen of 150 % shows the same.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
#else
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    QApplication app(argc, argv);
    return runStartup(app);
}
