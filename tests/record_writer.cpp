// Run by tst_cli_backup: appends COUNT lines to the change record FILE, one append per line,
// each naming WRITER and its number, so that two of them running at once show whether lines
// are lost or torn. Usage: record_writer FILE WRITER COUNT
#include "cli/ChangeRecord.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4)
        return 2;
    const ChangeRecord record(arguments.at(1));
    const QString writer = arguments.at(2);
    const int count = arguments.at(3).toInt();
    for (int i = 0; i < count; ++i) {
        // A value with a comma, a quote and a line break: the longest kind of line.
        const ChangeEntry entry{QStringLiteral("2026-01-01T00:00:00.000Z"),
                                writer,
                                QStringLiteral("pc"),
                                QStringLiteral("power-off"),
                                QString::number(i),
                                QStringLiteral("ssid"),
                                QStringLiteral("a,\"b\"\nc"),
                                QString(200, QLatin1Char('x')),
                                QStringLiteral("succeeded")};
        QString error;
        if (!record.append({entry}, error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
