// Ctrl+C while kt9-cli works through several instruments: it finishes the instrument in hand,
// disconnects it, leaves the others untouched and says which were done. The signal is sent
// with kill(), so this test is built on POSIX systems only.

#include "CliSupport.h"

#include <signal.h>

class TestCliInterrupt : public QObject
{
    Q_OBJECT

private slots:
    void stopsBetweenInstruments();
};

void TestCliInterrupt::stopsBetweenInstruments()
{
    SimInstrumentDir sim;
    for (int serial = 1; serial <= 3; ++serial) {
        QJsonObject json = usbInstrument(serial);
        json.insert("shutdownMode", 1);
        json.insert("latencyMs", 200);
        sim.write(QStringLiteral("i%1").arg(serial), json);
    }
    const QMap<QString, QByteArray> before = instrumentFiles(sim.path());

    CliRunner cli(sim.path());
    bool interrupted = false;
    const CliResult result = cli.run({"power-off", "60", "--all"}, cli.environment(),
                                     [&](const QByteArray &err, QProcess &process) {
                                         if (!interrupted && err.contains("QLX_Connect -> 0")) {
                                             ::kill(pid_t(process.processId()), SIGINT);
                                             interrupted = true;
                                         }
                                     });

    QVERIFY(interrupted);
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(sim.read("i1").value("shutdownMode").toInt(), 3);
    const QMap<QString, QByteArray> after = instrumentFiles(sim.path());
    QCOMPARE(after.value("i2.json"), before.value("i2.json"));
    QCOMPARE(after.value("i3.json"), before.value("i3.json"));
    // The first instrument was finished and let go; no other was connected.
    QCOMPARE(result.err.count("QLX_Connect"), 1);
    QVERIFY(result.err.contains(
        "QLX_Connect -> 0\nQLX_GetShutdownTime -> 0\nQLX_SetShutdownTime -> 0\nQLX_Disconnect -> 0\n"));
    QCOMPARE(result.outText(),
             QStringLiteral("00000001  KALDO-1(USB,Serial#00000001)  OK  Successful device writing.\n"
                            "    Auto Power Off: 15minutes -> 60minutes\n"
                            "00000002  KALDO-1(USB,Serial#00000002)  NOT DONE\n"
                            "00000003  KALDO-1(USB,Serial#00000003)  NOT DONE\n"
                            "Stopped by Ctrl+C after the instrument in progress had finished and was "
                            "disconnected. Done: 00000001.\n"
                            "Summary: 1 of 3 succeeded. Not done: 00000002, 00000003.\n"));
}

QTEST_GUILESS_MAIN(TestCliInterrupt)
#include "tst_cli_interrupt.moc"
