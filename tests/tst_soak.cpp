// The instrument pulled at any moment: fifty rounds of connect, an operation with the
// instrument pulled in the middle of it, the lost connection, and a reconnect to the
// instrument plugged back in with new data. Whatever the interleaving, the user sees the
// operation's own box or the lost-connection box, the window falls back to its empty
// disconnected view, and the next session shows the instrument's current data.

#include "MainWindowSupport.h"

#include <QElapsedTimer>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

namespace {

constexpr int kRounds = 50;
constexpr int kMinLatencyMs = 30;
constexpr int kMaxLatencyMs = 60;
// Long enough for some file dialogs to stay open across the watch's first check.
constexpr int kMinDialogMs = 100;
constexpr int kMaxDialogMs = 1300;
// The watch checks once a second; the loss must be shown within this time after the operation.
constexpr int kLossShownWithinMs = 3000;
// A little more than one period of the watch.
constexpr int kQuietCheckMs = 1200;

const QString kInstrument = QStringLiteral("one");
const QString kLostText = QStringLiteral("The connection with the measuring instrument was disconnected.");
const QString kLost = QStringLiteral("C:") + kLostText;

enum class Operation
{
    NetworkReadBody,
    NetworkWriteBody,
    NetworkLoadFile,
    NetworkSaveFile,
    CalibrationReadFile,
    CalibrationRegister,
    PowerOffRead,
    PowerOffWrite,
    Initialize, ///< Connect after a Disconnect, pulled while the session opens
    Disconnect,
};

struct OperationInfo
{
    Operation operation;
    const char *name;
    int libraryCalls;  ///< calls that each take the instrument's latency
    bool fileDialog;   ///< asks for a file first, the pull may fall while the question is open
    QStringList boxes; ///< the boxes the operation itself may show, besides the lost connection
};

const QVector<OperationInfo> &operations()
{
    static const QVector<OperationInfo> table = {
        {Operation::NetworkReadBody,
         "network read body",
         1,
         false,
         {"I:Successful read body data.", "C:Failed to read Network Infomation data."}},
        {Operation::NetworkWriteBody,
         "network write body",
         1,
         false,
         {"I:Write successful. To reflect, after [Disconnect], turn the power supply of the measuring "
          "instrument OFF -> ON.",
          "C:Failed to write Network Infomation data."}},
        {Operation::NetworkLoadFile, "network load file", 0, true, {"I:Successful read file data."}},
        {Operation::NetworkSaveFile, "network save file", 0, true, {"I:Successful file writing."}},
        {Operation::CalibrationReadFile, "calibration read file", 0, true, {"I:Successful read file data."}},
        {Operation::CalibrationRegister,
         "calibration register",
         4,
         false,
         {"I:Successful device writing.", "C:Failed to write WhiteCalibPlate data.",
          "C:Failed to write AmbientLightAdapter data."}},
        {Operation::PowerOffRead,
         "power-off read",
         1,
         false,
         {"I:Successful read body data.", "C:Failed to read automatic shutdown time."}},
        {Operation::PowerOffWrite,
         "power-off write",
         1,
         false,
         {"I:Successful device writing.", "C:Failed to write automatic shutdown time."}},
        {Operation::Initialize,
         "initialize",
         6,
         false,
         {"I:The measuring instruments is not connected.", "C:Failed to connect device.",
          "C:Failed to read device data.", "I:Wireless LAN is invalid.",
          "C:Failed to device WhiteCalibPlateSerialNo.", "C:Failed to device AmbientLightAdapterSerialNo.",
          "C:Failed to read automatic shutdown time."}},
        {Operation::Disconnect, "disconnect", 1, false, {}},
    };
    return table;
}

// The instrument as it is plugged in for a round: every value the window shows depends on it.
QJsonObject instrumentFor(int round)
{
    const QString net = QStringLiteral("10.0.%1.").arg(round);
    return QJsonObject{
        {QStringLiteral("portType"), QLX_PORT_TYPE_USB},
        {QStringLiteral("serialNo"), 100000 + round},
        {QStringLiteral("firmware"), QJsonObject{{"major", 1}, {"minor", round % 100}, {"build", round}}},
        {QStringLiteral("macAddress"),
         QStringLiteral("0A:B0:00:01:FF:%1").arg(round, 2, 16, QLatin1Char('0')).toUpper()},
        {QStringLiteral("wifiModuleEnable"), 1},
        {QStringLiteral("shutdownMode"), round % 4},
        {QStringLiteral("network"), QJsonObject{{"APConnectUse", round % 2},
                                                {"DHCPUse", 0},
                                                {"IPAddress", net + "1"},
                                                {"SubnetMask", "255.255.255.0"},
                                                {"DefaultGateway", net + "254"},
                                                {"DNS", net + "53"},
                                                {"SSID", QStringLiteral("Net%1").arg(round)},
                                                {"EncryptKey", QStringLiteral("key-%1").arg(round)}}},
        {QStringLiteral("calibration"),
         QJsonObject{{"whiteSerial", QStringLiteral("1234%1").arg(round, 4, 10, QLatin1Char('0'))},
                     {"ambientSerial", QStringLiteral("0005%1").arg(round, 4, 10, QLatin1Char('0'))}}},
    };
}

// What the window shows when connected to instrumentFor(round).
QString connectedView(int round)
{
    const char *const powerOff[] = {"invalidradioBtn", "fifteenRadioBtn", "thirtyRadioBtn", "sixtyRadioBtn"};
    WindowView view;
    view.buttons = QStringLiteral("-+-");
    view.pages = QStringLiteral("++++");
    view.pageButtons = QStringLiteral("++++ ++ +- +-");
    view.header = QStringLiteral("%1 1.%2.%3 0A:B0:00:01:FF:%4")
                      .arg(100000 + round, 8, 10, QLatin1Char('0'))
                      .arg(round % 100, 2, 10, QLatin1Char('0'))
                      .arg(round, 4, 10, QLatin1Char('0'))
                      .arg(round, 2, 16, QLatin1Char('0'))
                      .toUpper();
    view.network = QStringLiteral("Net%1 key-%1 10.0.%1.1 255.255.255.0 10.0.%1.254 10.0.%1.53").arg(round);
    view.radios = QStringLiteral("%1,dhcpOffRadioBtn,%2")
                      .arg(round % 2 ? "enableRadioBtn" : "disableRadioBtn", powerOff[round % 4]);
    view.serials = QStringLiteral("1234%1 0005%1").arg(round, 4, 10, QLatin1Char('0'));
    return view.toString();
}

// The disconnected view: nothing of the instrument left. The pages' own buttons are left
// out: an operation whose box is open keeps its buttons disabled until the box is closed.
QString disconnectedView(InitSettingDialog *window)
{
    WindowView view = WindowView::of(window);
    view.pageButtons.clear();
    return view.toString();
}
QString expectedDisconnectedView()
{
    WindowView view;
    view.buttons = QStringLiteral("+-+");
    view.pages = QStringLiteral("----");
    return view.toString();
}

// Pulls the instrument by moving its folder away, which takes its file at once: a write the
// library is finishing then fails, as it would on a pulled cable, instead of putting the file
// back. Plugging in writes the instrument's new content and moves the folder back.
class InstrumentPlug
{
public:
    explicit InstrumentPlug(const QString &folder) : m_folder(folder), m_pulledFolder(folder + "-pulled") {}
    ~InstrumentPlug()
    {
        // The temporary folder must be in its place to be removed.
        if (QFileInfo::exists(m_pulledFolder))
            QDir().rename(m_pulledFolder, m_folder);
    }
    InstrumentPlug(const InstrumentPlug &) = delete;
    InstrumentPlug &operator=(const InstrumentPlug &) = delete;

    // Safe on any thread.
    bool pull() { return renameSoon(m_folder, m_pulledFolder); }
    bool plugIn(const QJsonObject &instrument)
    {
        QSaveFile file(m_pulledFolder + QLatin1Char('/') + kInstrument + QStringLiteral(".json"));
        return file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(instrument).toJson()) >= 0 &&
               file.commit() && renameSoon(m_pulledFolder, m_folder);
    }

private:
    // Windows renames no folder while someone lists it, as the library does at every call: the
    // rename is tried again until the listing is over (a few milliseconds at most).
    static bool renameSoon(const QString &from, const QString &to)
    {
        constexpr int kTries = 200;
        for (int i = 0; i < kTries; ++i) {
            if (QDir().rename(from, to))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    QString m_folder;
    QString m_pulledFolder;
};

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void unplugAtAnyMoment()
    {
        SimInstrumentDir sim;
        QTemporaryDir files;
        sim.write(kInstrument, instrumentFor(0));
        InstrumentPlug plug(sim.path());
        MainWindowSetup setup;
        ModalBoxAnswerer boxes;
        setup.start(0);
        QCOMPARE(shownBoxes(boxes), QStringList());
        QCOMPARE(WindowView::of(&setup.window).toString(), connectedView(0));

        const QString networkFile = files.filePath(QStringLiteral("network.ini"));
        QVERIFY(setup.controller->saveNetworkFile(QFile::encodeName(networkFile).constData()));
        const QString whiteFile = files.filePath(QStringLiteral("white.csv"));
        writeCalibrationFile(whiteFile, QStringLiteral("12345679"), int(QLX_WHITE_VALUE_COUNT));
        const QString ambientFile = files.filePath(QStringLiteral("ambient.csv"));
        writeCalibrationFile(ambientFile, QStringLiteral("00054322"), int(QLX_AMBIENT_VALUE_COUNT));

        // The file questions: the user takes dialogMs to answer, and events run meanwhile as
        // they do in a file dialog.
        int dialogMs = 0;
        QString answer;
        auto question = [&](QWidget *, const QString &, const QString &, const QString &, QString *,
                            QFileDialog::Options) {
            QTest::qWait(dialogMs);
            return answer;
        };
        setup.window.openFileName = question;
        setup.window.saveFileName = question;

        // What the window showed while the lost-connection box was open, and whether the
        // instrument had been pulled by then.
        std::atomic<bool> pulled{false};
        QStringList viewsAtLoss;
        bool lossBeforePull = false;
        boxes.onBox([&](QMessageBox *box) {
            if (box->text() != kLostText)
                return;
            viewsAtLoss.append(disconnectedView(&setup.window));
            lossBeforePull = lossBeforePull || !pulled;
        });

        std::minstd_rand random(20240611);
        auto pick = [&random](int low, int high) { return low + int(random() % unsigned(high - low + 1)); };
        QElapsedTimer clock;
        clock.start();
        // How each round ended, e.g. "power-off read: failed+lost", for the log.
        QMap<QString, int> outcomes;

        for (int round = 1; round <= kRounds; ++round) {
            const OperationInfo &info = operations()[(round - 1) % operations().size()];
            const bool whitePage = (round - 1) / operations().size() % 2 == 0;
            const int latencyMs = pick(kMinLatencyMs, kMaxLatencyMs);
            sim.set(kInstrument, QStringLiteral("latencyMs"), latencyMs);

            // Untimed steps before the operation.
            if (info.operation == Operation::CalibrationRegister) {
                answer = whitePage ? whiteFile : ambientFile;
                dialogMs = 0;
                setup.click(whitePage ? "selWCPFilePushBtn" : "selAmbLightAdpFilePushBtn");
            } else if (info.operation == Operation::Initialize) {
                setup.click("disConnectPushBtn");
            }
            if (info.operation == Operation::NetworkLoadFile)
                answer = networkFile;
            else if (info.operation == Operation::NetworkSaveFile)
                answer = files.filePath(QStringLiteral("saved.ini"));
            else if (info.operation == Operation::CalibrationReadFile)
                answer = whitePage ? whiteFile : ambientFile;
            dialogMs = info.fileDialog ? pick(kMinDialogMs, kMaxDialogMs) : 0;
            const int pullAtMs =
                info.fileDialog ? pick(0, qMin(dialogMs, 900)) : pick(0, info.libraryCalls * latencyMs + 10);
            const QString context =
                QStringLiteral("round %1: %2, latency %3 ms, pulled at %4 ms, dialog %5 ms")
                    .arg(round)
                    .arg(QLatin1String(info.name))
                    .arg(latencyMs)
                    .arg(pullAtMs)
                    .arg(dialogMs);
            QVERIFY2(!lossBeforePull,
                     qPrintable(context + ": connection lost before the instrument was pulled"));
            boxes.clear();
            viewsAtLoss.clear();

            pulled = false;
            std::atomic<bool> pullWorked{false};
            std::thread puller([&plug, &pulled, &pullWorked, pullAtMs] {
                std::this_thread::sleep_for(std::chrono::milliseconds(pullAtMs));
                pulled = true;
                pullWorked = plug.pull();
            });
            switch (info.operation) {
            case Operation::NetworkReadBody:
                setup.click("readBodyPushBtn");
                break;
            case Operation::NetworkWriteBody:
                setup.click("writeBodyPushBtn");
                break;
            case Operation::NetworkLoadFile:
                setup.click("readToFilePushBtn");
                break;
            case Operation::NetworkSaveFile:
                setup.click("writeFilePushBtn");
                break;
            case Operation::CalibrationReadFile:
                setup.click(whitePage ? "selWCPFilePushBtn" : "selAmbLightAdpFilePushBtn");
                break;
            case Operation::CalibrationRegister:
                setup.click(whitePage ? "setWCPValPushBtn" : "setAmbAdpBodyPushBtn");
                break;
            case Operation::PowerOffRead:
                setup.click("getAutoPWOffPushBtn");
                break;
            case Operation::PowerOffWrite:
                setup.click("setAutoPWOffPushBtn");
                break;
            case Operation::Initialize:
                setup.click("ConnectPushBtn");
                break;
            case Operation::Disconnect:
                setup.click("disConnectPushBtn");
                break;
            }
            puller.join();
            QVERIFY2(pullWorked, qPrintable(context));
            QVERIFY2(!lossBeforePull,
                     qPrintable(context + ": connection lost before the instrument was pulled"));

            // A session still open must be reported lost.
            if (setup.widget("disConnectPushBtn")->isEnabled())
                QTRY_VERIFY2_WITH_TIMEOUT(shownBoxes(boxes).contains(kLost), qPrintable(context),
                                          kLossShownWithinMs);
            const QStringList shown = shownBoxes(boxes);
            QStringList outcome;
            for (const QString &box : shown)
                outcome.append(box == kLost                          ? "lost"
                               : box.startsWith(QLatin1String("I:")) ? "done"
                                                                     : "failed");
            ++outcomes[QLatin1String(info.name) + QLatin1String(": ") +
                       (outcome.isEmpty() ? QStringLiteral("no box") : outcome.join(QLatin1Char('+')))];
            for (const QString &box : shown)
                QVERIFY2(box == kLost || info.boxes.contains(box), qPrintable(context + ": " + box));
            QVERIFY2(shown.count(kLost) <= 1, qPrintable(context));
            for (const QString &view : viewsAtLoss)
                QVERIFY2(view == expectedDisconnectedView(), qPrintable(context + ": at the loss: " + view));
            QVERIFY2(disconnectedView(&setup.window) == expectedDisconnectedView(),
                     qPrintable(context + ": " + disconnectedView(&setup.window)));

            // Plugged back in with new data: the next session shows that data and nothing older.
            QVERIFY2(plug.plugIn(instrumentFor(round)), qPrintable(context));
            boxes.clear();
            setup.click("ConnectPushBtn");
            QVERIFY2(shownBoxes(boxes).isEmpty(), qPrintable(context + ": " + shownBoxes(boxes).join('|')));
            QCOMPARE(WindowView::of(&setup.window).toString(), connectedView(round));
            // A loss reported while a disconnect was ending the session belongs to that session:
            // the new one stays quiet past the watch's first check.
            if (info.operation == Operation::Disconnect) {
                QTest::qWait(kQuietCheckMs);
                QVERIFY2(shownBoxes(boxes).isEmpty(),
                         qPrintable(context + ": " + shownBoxes(boxes).join('|')));
            }
        }
        qDebug("%d rounds in %lld ms", kRounds, clock.elapsed());
        for (auto it = outcomes.cbegin(); it != outcomes.cend(); ++it)
            qDebug("%s: %d", qPrintable(it.key()), it.value());
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
