#include "instrument/CQlxSdk_Ctrl.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    CQlxSdk_Ctrl controller;
    QTextStream out(stdout);
    if (controller.refreshPortList()) {
        for (const QString &label : controller.portLabels)
            out << label << '\n';
    }
    return 0;
}
