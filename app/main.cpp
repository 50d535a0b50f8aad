#include "app/Startup.h"
#include "files/FileSizeSignal.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    ignoreFileSizeSignal();
    // On a high-DPI screen (Xft.dpi on X11, the display scale on Windows) every window is scaled
    // as a whole, so the fixed-size forms keep their layout at any scale, and the icon is drawn
    // from its largest image. Both must be set before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    return runStartup(app);
}
