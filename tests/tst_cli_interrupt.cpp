// What stops kt9-cli while it works through several instruments: Ctrl+C, SIGTERM, SIGHUP, a
// reader that has gone, a full disk or no standard output at all. It finishes the instrument in hand,
// disconnects it, leaves the others untouched and says which were done. Signals, pipes,
// /dev/full and the shell's ">&-" are POSIX matters, so this test is built on POSIX systems only.

#include "CliSupport.h"

#include <signal.h>

namespace {

const QString kDoneFirst =
    QStringLiteral("after the instrument in progress had finished and was disconnected. Done: 00000001.");

} // namespace

class TestCliInterrupt : public QObject
{
    Q_OBJECT

private slots:
    void stopsBetweenInstruments_data();
    void stopsBetweenInstruments();
};

void TestCliInterrupt::stopsBetweenInstruments_data()
{
    QTest::addColumn<int>("signal");          ///< sent once the first instrument is connected; 0: none
    QTest::addColumn<QString>("redirection"); ///< of standard output
    QTest::addColumn<int>("done");            ///< instruments written
    QTest::addColumn<QStringList>("errors");  ///< pieces of standard error

    QTest::newRow("Ctrl+C") << int(SIGINT) << QString() << 1 << QStringList();
    // A scheduler's time-out, a service's stop, a terminal gone: as Ctrl+C.
    QTest::newRow("SIGTERM") << int(SIGTERM) << QString() << 1 << QStringList();
    QTest::newRow("SIGHUP") << int(SIGHUP) << QString() << 1 << QStringList();
    // The reader has gone before the first result is written.
    QTest::newRow("reader gone") << 0 << "| head -c0" << 1
                                 << QStringList{"Stopped because standard output could not be written, " +
                                                    kDoneFirst,
                                                "kt9-cli: Standard output could not be written: Broken pipe"};
    QTest::newRow("full disk") << 0 << ">/dev/full" << 1
                               << QStringList{
                                      "Stopped because standard output could not be written, " + kDoneFirst,
                                      "Standard output could not be written: No space left on device"};
    QTest::newRow("no standard output")
        << 0 << ">&-" << 0 << QStringList{"Done: none.", "kt9-cli: Standard output is closed."};
}

void TestCliInterrupt::stopsBetweenInstruments()
{
    QFETCH(int, signal);
    const bool interrupt = signal != 0;
    QFETCH(QString, redirection);
    QFETCH(int, done);
    QFETCH(QStringList, errors);

    SimInstrumentDir sim;
    for (int serial = 1; serial <= 3; ++serial) {
        QJsonObject json = usbInstrument(serial);
        json.insert("shutdownMode", 1);
        json.insert("latencyMs", 200);
        sim.write(QStringLiteral("i%1").arg(serial), json);
    }
    const QMap<QString, QByteArray> before = instrumentFiles(sim.path());

    CliRunner cli(sim.path());
    cli.outputRedirection = redirection;
    QTemporaryDir recordDir;
    QProcessEnvironment env = cli.environment();
    env.insert("KT9_RECORD", recordDir.filePath("changes.csv"));
    bool interrupted = false;
    const CliResult result =
        cli.run({"power-off", "60", "--all"}, env, [&](const QByteArray &err, QProcess &process) {
            if (interrupt && !interrupted && err.contains("QLX_Connect -> 0")) {
                ::kill(pid_t(process.processId()), signal);
                interrupted = true;
            }
        });

    QCOMPARE(interrupted, interrupt);
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(sim.read("i1").value("shutdownMode").toInt(), done == 1 ? 3 : 1);
    const QMap<QString, QByteArray> after = instrumentFiles(sim.path());
    QCOMPARE(after.value("i2.json"), before.value("i2.json"));
    QCOMPARE(after.value("i3.json"), before.value("i3.json"));
    // The first instrument was finished, recorded and let go; no other was connected.
    QCOMPARE(result.err.count("QLX_Connect"), done);
    if (done == 1)
        QVERIFY(result.err.contains(
            "QLX_Connect -> 0\nQLX_GetShutdownTime -> 0\nQLX_SetShutdownTime -> 0\nQLX_Disconnect -> 0\n"));
    QFile record(env.value("KT9_RECORD"));
    QCOMPARE(record.open(QIODevice::ReadOnly) &&
                 record.readAll().contains("00000001,powerOff,15,60,succeeded"),
             done == 1);
    for (const QString &piece : errors)
        QVERIFY2(result.errText().contains(piece), qPrintable(result.errText()));
    if (interrupt)
        QCOMPARE(
            result.outText(),
            QStringLiteral("00000001  KALDO-1(USB,Serial#00000001)  OK  Successful device writing.\n"
                           "    Auto Power Off: 15minutes -> 60minutes\n"
                           "00000002  KALDO-1(USB,Serial#00000002)  NOT DONE\n"
                           "00000003  KALDO-1(USB,Serial#00000003)  NOT DONE\n"
                           "%1 after the instrument in progress had finished and was "
                           "disconnected. Done: 00000001.\n"
                           "Summary: 1 of 3 succeeded. Not done: 00000002, 00000003.\n")
                .arg(signal == SIGINT ? "Stopped by Ctrl+C" : "Stopped by a request to end the program"));
}

QTEST_GUILESS_MAIN(TestCliInterrupt)
#include "tst_cli_interrupt.moc"
