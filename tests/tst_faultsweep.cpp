// Every library function failing with a negative status in every flow of the tool that calls
// it: the boxes the user sees, the state the window and the controller are left in, the calls
// made, and the instrument records that must stay unwritten.

#include "MainWindowSupport.h"
#include "app/LangSelectDialog.h"
#include "app/Startup.h"

#include <QPushButton>

#include <iterator>
#include <map>
#include <memory>

namespace {

enum class Flow
{
    StartUp,                ///< the start-up routine, up to the main window and its title-bar close
    ControllerConstruction, ///< the controller built while the failure is injected, then initialised
    Initialize,             ///< the window initialised at start-up with the one instrument
    ConnectButton,          ///< Connect from the no-instrument view, one instrument reachable
    DisconnectButton,
    TitleBarClose, ///< closed from its title bar while connected
    NetworkReadBody,
    NetworkWriteBody, ///< the instrument's SSID changed behind the page's back first
    PowerOffRead,
    PowerOffWrite,          ///< the instrument's mode changed behind the page's back first
    RegisterWhitePlate,     ///< after a good white calibration plate file was chosen
    RegisterAmbientAdapter, ///< after a good ambient light adapter file was chosen
};

// What is left of the session once the flow is over.
enum class Session
{
    Open,     ///< the controller is connected and the disconnect watch runs
    None,     ///< not connected, no watch
    LeftOpen, ///< the controller is still connected but the window let go of it: no watch
    Unseen,   ///< start-up's own controller, out of the test's reach
};

} // namespace

Q_DECLARE_METATYPE(Flow)
Q_DECLARE_METATYPE(Session)

namespace {

// Short names of the library functions in the rows' call lists.
const std::map<QString, const char *> kFunctions = {
    {"Register", "QLX_RegisterDeviceEventHandler"},
    {"PortList", "QLX_GetDevicePortList"},
    {"Connect", "QLX_Connect"},
    {"Disconnect", "QLX_Disconnect"},
    {"DeviceInfo", "QLX_GetDeviceInfo"},
    {"GetNetwork", "QLX_GetNetworkInfo"},
    {"SetNetwork", "QLX_SetNetworkInfo"},
    {"GetShutdown", "QLX_GetShutdownTime"},
    {"SetShutdown", "QLX_SetShutdownTime"},
    {"Options", "QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA"},
    {"GetCal", "QLX_JIG_GetFactoryCalib_CALREFDATA"},
    {"SetCal", "QLX_JIG_SetFactoryCalib_CALREFDATA"},
    {"WriteSector", "QLX_JIG_SetFactoryCalib_WriteSector"},
};
// The functions that change the instrument: called only where a row names them.
const char *const kWriters[] = {"SetNetwork", "SetShutdown", "SetCal", "WriteSector"};

const int32_t kFailures[] = {
    QLX_ERROR,
    QLX_ERROR_CONNECT,
    QLX_ERROR_DISCONNECT,
    QLX_ERROR_CONNECT_TIMEOUT,
    QLX_ERROR_CONNECT_ALREADY,
    QLX_ERROR_INSTRUMENT_UNAVAILABLE,
    QLX_ERROR_INSTRUMENT_INFORMATION,
    QLX_ERROR_ARGUMENT,
    QLX_ERROR_COMMUNICATION_SEND,
    QLX_ERROR_COMMUNICATION_RECEIVE,
    QLX_ERROR_COMMUNICATION_CHECKSUM,
    QLX_ERROR_COMMUNICATION_PARAM,
    QLX_ERROR_COMMUNICATION_TIMEOUT,
    QLX_ERROR_CANT_USED,
    QLX_ERROR_NO_DATA,
    QLX_ERROR_NAK,
    QLX_ERROR_NAV,
    QLX_ERROR_NSP,
    QLX_ERROR_CNF,
    QLX_ERROR_NDT,
    QLX_ERROR_NEQ,
};

using CallCounts = std::map<QString, uint32_t>;

CallCounts callCounts()
{
    CallCounts counts;
    for (const auto &[alias, name] : kFunctions)
        counts[alias] = QLXSIM_CallCount(name);
    return counts;
}

// The calls made since `before` (empty: since the last reset), in the form of a row's list ("GetCal:1
// SetCal:0"): the functions the row names, then any writer it does not name that was called all the same.
QString callsSince(const CallCounts &before, const QString &expected)
{
    const CallCounts now = callCounts();
    auto since = [&](const QString &alias) {
        const auto earlier = before.find(alias);
        return now.at(alias) - (earlier == before.end() ? 0 : earlier->second);
    };
    QStringList named;
    QStringList calls;
    for (const QString &item : expected.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString alias = item.section(QLatin1Char(':'), 0, 0);
        named.append(alias);
        calls.append(QStringLiteral("%1:%2").arg(alias).arg(since(alias)));
    }
    for (const char *writer : kWriters) {
        const QString alias = QString::fromLatin1(writer);
        if (!named.contains(alias) && since(alias) != 0)
            calls.append(QStringLiteral("%1:%2").arg(alias).arg(since(alias)));
    }
    return calls.join(QLatin1Char(' '));
}

// How a row's window differs from the view of the connected instrument.
enum Change
{
    NoHeader = 1 << 0,
    NoNetwork = 1 << 1, ///< SSID, security key and addresses empty
    NoNetworkRadios = 1 << 2,
    NoPowerOffRadio = 1 << 3,
    NoSerials = 1 << 4,
    NetworkPageOff = 1 << 5,
    WhiteFileChosen = 1 << 6,
    AmbientFileChosen = 1 << 7,
    Closed = 1 << 8,
    NoWhiteSerial = 1 << 9,
    NoAmbientSerial = 1 << 10,
};
constexpr int kNothingRead = NoHeader | NoNetwork | NoNetworkRadios | NoPowerOffRadio | NoSerials;

const QString kWhiteFileSerial = QStringLiteral("12345679");
const QString kAmbientFileSerial = QStringLiteral("00054322");

// The window connected to completeInstrument(12345), with the given changes.
WindowView connectedView(int changes = 0)
{
    WindowView view;
    view.buttons = QStringLiteral("-+-");
    view.pages = changes & NetworkPageOff ? QStringLiteral("-+++") : QStringLiteral("++++");
    view.pageButtons =
        QStringLiteral("++++ ++ %1 %2")
            .arg(changes & WhiteFileChosen ? "++" : "+-", changes & AmbientFileChosen ? "++" : "+-");
    if (!(changes & NoHeader))
        view.header = QStringLiteral("00012345 1.02.0003 0A:B0:00:01:FF:10");
    if (!(changes & NoNetwork))
        view.network = QStringLiteral("LabNet key-1234 192.168.0.10 255.255.255.0 192.168.0.1 8.8.4.4");
    QStringList radios;
    if (!(changes & NoNetworkRadios))
        radios << QStringLiteral("enableRadioBtn") << QStringLiteral("dhcpOffRadioBtn");
    if (!(changes & NoPowerOffRadio))
        radios << QStringLiteral("thirtyRadioBtn");
    view.radios = radios.join(QLatin1Char(','));
    if (!(changes & NoSerials)) {
        view.serials = QStringLiteral("%1 %2").arg(changes & NoWhiteSerial ? "" : "12345678",
                                                   changes & NoAmbientSerial ? "" : "00054321");
    }
    if (changes & WhiteFileChosen)
        view.files = QStringLiteral("plate ") + kWhiteFileSerial + QStringLiteral(" / ");
    if (changes & AmbientFileChosen)
        view.files = QStringLiteral(" / adapter ") + kAmbientFileSerial;
    view.open = !(changes & Closed);
    return view;
}

// A window without a session: nothing shown, the given enabled states.
WindowView emptyView(const char *buttons, const char *pages)
{
    WindowView view;
    view.buttons = QString::fromLatin1(buttons);
    view.pages = QString::fromLatin1(pages);
    view.pageButtons = QStringLiteral("++++ ++ +- +-");
    return view;
}

template <typename Window> Window *visibleWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

// The user of the start-up routine: English, then looks at the main window once and closes it
// from its title bar. Message boxes are left to a ModalBoxAnswerer.
class StartUpUser
{
public:
    StartUpUser()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    QString mainWindowView;

private:
    void poll()
    {
        if (QApplication::activeModalWidget())
            return;
        if (auto *language = visibleWindow<LangSelectDialog>()) {
            child<QRadioButton>(language, "engRadioBtn")->click();
            child<QPushButton>(language, "pushButton")->click();
        } else if (auto *window = visibleWindow<InitSettingDialog>()) {
            mainWindowView = WindowView::of(window).toString();
            window->close();
        }
    }
    QTimer m_timer;
};

void chooseCalibrationFile(MainWindowSetup &setup, FileQuestionAnswerer &questions, const QString &path,
                           const char *readButton)
{
    questions.answers = QStringList{path};
    setup.click(readButton);
}

} // namespace

class TestFaultSweep : public QObject
{
    Q_OBJECT

private:
    // One row: `function` fails with a negative status in `flow` after `workingCalls` calls
    // that still work. The user sees `boxes`, the window ends as `view`, the session as
    // `session`; `calls` lists the calls made; `stored` says whether the instrument file changed.
    void row(const char *function, const char *flowName, Flow flow, const QStringList &boxes,
             const WindowView &view, Session session, const char *calls, uint32_t workingCalls = 0,
             bool stored = false)
    {
        // Each row fails with the next of the library's failure statuses.
        const int32_t status = kFailures[m_rows++ % std::size(kFailures)];
        QTest::addRow("%s / %s", function, flowName)
            << QString::fromLatin1(function) << status << workingCalls << flow << boxes << view.toString()
            << session << QString::fromLatin1(calls) << stored;
    }

    std::size_t m_rows = 0;

private slots:
    void sweep_data()
    {
        m_rows = 0;
        QTest::addColumn<QString>("function");
        QTest::addColumn<int32_t>("status");
        QTest::addColumn<uint32_t>("workingCalls");
        QTest::addColumn<Flow>("flow");
        QTest::addColumn<QStringList>("expectedBoxes");
        QTest::addColumn<QString>("expectedView");
        QTest::addColumn<Session>("session");
        QTest::addColumn<QString>("calls");
        QTest::addColumn<bool>("stored");

        const WindowView noInstrument = emptyView("+-+", "----");
        const QStringList notConnected{"I:The measuring instruments is not connected."};
        const QStringList connectFailed{"C:Failed to connect device."};
        const QStringList deviceDataFailed{"C:Failed to read device data."};
        const QStringList noWirelessLan{"I:Wireless LAN is invalid."};
        const QStringList serialsFailed{"C:Failed to device WhiteCalibPlateSerialNo.",
                                        "C:Failed to device AmbientLightAdapterSerialNo."};
        const QStringList shutdownReadFailed{"C:Failed to read automatic shutdown time."};
        const QStringList whiteFailed{"C:Failed to write WhiteCalibPlate data."};
        const QStringList ambientFailed{"C:Failed to write AmbientLightAdapter data."};
        const Flow start = Flow::StartUp;
        const Flow init = Flow::Initialize;
        const Flow connect = Flow::ConnectButton;
        const Flow white = Flow::RegisterWhitePlate;
        const Flow ambient = Flow::RegisterAmbientAdapter;
        const Session open = Session::Open;
        const Session unseen = Session::Unseen;

        // The registration's result is kept but not tested: the tool runs on.
        row("QLX_RegisterDeviceEventHandler", "controller construction", Flow::ControllerConstruction, {},
            connectedView(), open, "Register:1 Connect:1");
        row("QLX_RegisterDeviceEventHandler", "start-up", start, {}, connectedView(), unseen,
            "Register:2 Connect:1 Disconnect:1");
        row("QLX_RegisterDeviceEventHandler", "start-up teardown (removal)", start, {}, connectedView(),
            unseen, "Register:2 Disconnect:1", 1);

        row("QLX_GetDevicePortList", "start-up (count query)", start, notConnected, noInstrument, unseen,
            "PortList:1 Connect:0");
        row("QLX_GetDevicePortList", "start-up (list call)", start, notConnected, noInstrument, unseen,
            "PortList:2 Connect:0", 1);
        row("QLX_GetDevicePortList", "Connect button (count query)", connect, notConnected, noInstrument,
            Session::None, "PortList:1 Connect:0");
        row("QLX_GetDevicePortList", "Connect button (list call)", connect, notConnected, noInstrument,
            Session::None, "PortList:2 Connect:0", 1);

        row("QLX_Connect", "start-up", start, connectFailed, emptyView("+++", "++++"), unseen,
            "Connect:1 DeviceInfo:0 Disconnect:0");
        row("QLX_Connect", "initialize", init, connectFailed, emptyView("+++", "++++"), Session::None,
            "Connect:1 DeviceInfo:0");
        row("QLX_Connect", "Connect button", connect, connectFailed, noInstrument, Session::None,
            "Connect:1 DeviceInfo:0");

        row("QLX_Disconnect", "Disconnect button", Flow::DisconnectButton, {"C:Failed to device disconnect."},
            connectedView(), open, "Disconnect:1");
        row("QLX_Disconnect", "title-bar close", Flow::TitleBarClose, {"C:Failed to disconnect device."},
            connectedView(Closed), Session::LeftOpen, "Disconnect:1");
        row("QLX_Disconnect", "start-up, main window closed", start, {"C:Failed to disconnect device."},
            connectedView(), unseen, "Disconnect:1");

        // The first read after connecting: nothing else is read, the session is open all the same.
        const char *afterDeviceInfo = "DeviceInfo:1 Options:0 GetNetwork:0 GetCal:0 GetShutdown:0";
        row("QLX_GetDeviceInfo", "initialize", init, deviceDataFailed, connectedView(kNothingRead), open,
            afterDeviceInfo);
        row("QLX_GetDeviceInfo", "Connect button", connect, deviceDataFailed, connectedView(kNothingRead),
            open, afterDeviceInfo);

        row("QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA", "initialize", init, noWirelessLan,
            connectedView(NetworkPageOff | NoNetwork | NoNetworkRadios), open,
            "Options:1 GetNetwork:0 GetCal:1 GetShutdown:1");
        row("QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA", "Connect button", connect, noWirelessLan,
            connectedView(NetworkPageOff | NoNetwork | NoNetworkRadios), open,
            "Options:1 GetNetwork:0 GetCal:1 GetShutdown:1");

        row("QLX_GetNetworkInfo", "initialize", init, {}, connectedView(NoNetwork | NoNetworkRadios), open,
            "GetNetwork:1 GetCal:1 GetShutdown:1");
        row("QLX_GetNetworkInfo", "Connect button", connect, {}, connectedView(NoNetwork | NoNetworkRadios),
            open, "GetNetwork:1 GetCal:1 GetShutdown:1");
        row("QLX_GetNetworkInfo", "Read From Body", Flow::NetworkReadBody,
            {"C:Failed to read Network Infomation data."}, connectedView(), open, "GetNetwork:1");
        row("QLX_SetNetworkInfo", "Write To Body", Flow::NetworkWriteBody,
            {"C:Failed to write Network Infomation data."}, connectedView(), open, "SetNetwork:1");

        row("QLX_JIG_GetFactoryCalib_CALREFDATA", "initialize", init, serialsFailed, connectedView(NoSerials),
            open, "GetCal:1 GetShutdown:1");
        row("QLX_JIG_GetFactoryCalib_CALREFDATA", "Connect button", connect, serialsFailed,
            connectedView(NoSerials), open, "GetCal:1 GetShutdown:1");
        row("QLX_JIG_GetFactoryCalib_CALREFDATA", "register white (first read)", white, whiteFailed,
            connectedView(WhiteFileChosen), open, "GetCal:1");
        // The record was stored before the read-back failed; nothing restores it.
        row("QLX_JIG_GetFactoryCalib_CALREFDATA", "register white (read-back)", white, whiteFailed,
            connectedView(WhiteFileChosen), open, "GetCal:2 SetCal:1 WriteSector:1", 1, true);
        row("QLX_JIG_GetFactoryCalib_CALREFDATA", "register ambient (first read)", ambient, ambientFailed,
            connectedView(AmbientFileChosen), open, "GetCal:1");
        row("QLX_JIG_GetFactoryCalib_CALREFDATA", "register ambient (read-back)", ambient, ambientFailed,
            connectedView(AmbientFileChosen), open, "GetCal:2 SetCal:1 WriteSector:1", 1, true);
        // Registered and verified; the serial numbers read afterwards for the label fail.
        const QStringList registered{"I:Successful device writing."};
        row("QLX_JIG_GetFactoryCalib_CALREFDATA", "register white (serials read afterwards)", white,
            registered, connectedView(WhiteFileChosen | NoWhiteSerial), open,
            "GetCal:3 SetCal:1 WriteSector:1", 2, true);
        row("QLX_JIG_GetFactoryCalib_CALREFDATA", "register ambient (serials read afterwards)", ambient,
            registered, connectedView(AmbientFileChosen | NoAmbientSerial), open,
            "GetCal:3 SetCal:1 WriteSector:1", 2, true);
        row("QLX_JIG_SetFactoryCalib_CALREFDATA", "register white", white, whiteFailed,
            connectedView(WhiteFileChosen), open, "GetCal:1 SetCal:1");
        row("QLX_JIG_SetFactoryCalib_CALREFDATA", "register ambient", ambient, ambientFailed,
            connectedView(AmbientFileChosen), open, "GetCal:1 SetCal:1");
        row("QLX_JIG_SetFactoryCalib_WriteSector", "register white", white, whiteFailed,
            connectedView(WhiteFileChosen), open, "GetCal:1 SetCal:1 WriteSector:1");
        row("QLX_JIG_SetFactoryCalib_WriteSector", "register ambient", ambient, ambientFailed,
            connectedView(AmbientFileChosen), open, "GetCal:1 SetCal:1 WriteSector:1");

        row("QLX_GetShutdownTime", "initialize", init, shutdownReadFailed, connectedView(NoPowerOffRadio),
            open, "GetShutdown:1");
        row("QLX_GetShutdownTime", "Connect button", connect, shutdownReadFailed,
            connectedView(NoPowerOffRadio), open, "GetShutdown:1");
        row("QLX_GetShutdownTime", "Read From Body", Flow::PowerOffRead, shutdownReadFailed, connectedView(),
            open, "GetShutdown:1");
        row("QLX_SetShutdownTime", "Write To Body", Flow::PowerOffWrite,
            {"C:Failed to write automatic shutdown time."}, connectedView(), open, "SetShutdown:1");
    }

    void sweep()
    {
        QFETCH(QString, function);
        QFETCH(int32_t, status);
        QFETCH(uint32_t, workingCalls);
        QFETCH(Flow, flow);
        QFETCH(QStringList, expectedBoxes);
        QFETCH(QString, expectedView);
        QFETCH(Session, session);
        QFETCH(QString, calls);
        QFETCH(bool, stored);

        SimInstrumentDir sim;
        const QString instrument = QStringLiteral("one");
        sim.write(instrument, completeInstrument(12345));
        deviceDisconnected = false;
        const QByteArray name = function.toLatin1();
        auto inject = [&] { QLXSIM_InjectStatusAfter(name.constData(), status, workingCalls); };

        if (flow == Flow::StartUp) {
            const QJsonObject instrumentBefore = sim.read(instrument);
            inject();
            ModalBoxAnswerer boxes;
            StartUpUser user;
            QCOMPARE(runStartup(*qApp), 0);
            QCOMPARE(shownBoxes(boxes), expectedBoxes);
            QCOMPARE(user.mainWindowView, expectedView);
            QCOMPARE(callsSince(CallCounts{}, calls), calls);
            QCOMPARE(sim.read(instrument) != instrumentBefore, stored);
            return;
        }

        // Counted from before the controller exists, so that its registration is counted too.
        CallCounts before = callCounts();
        if (flow == Flow::ControllerConstruction)
            inject();
        auto setup = std::make_unique<MainWindowSetup>();
        if (flow == Flow::ControllerConstruction)
            QCOMPARE(setup->controller->lastStatus, status);
        FileQuestionAnswerer questions(setup->window);
        ModalBoxAnswerer boxes;
        QTemporaryDir files;

        switch (flow) {
        case Flow::ControllerConstruction:
            break;
        case Flow::Initialize:
            inject();
            break;
        case Flow::ConnectButton:
            setup->start(-1);
            break;
        default:
            setup->start(0);
            break;
        }
        if (flow == Flow::RegisterWhitePlate) {
            const QString path = files.filePath(QStringLiteral("plate.csv"));
            writeCalibrationFile(path, kWhiteFileSerial, int(QLX_WHITE_VALUE_COUNT), 3.0);
            chooseCalibrationFile(*setup, questions, path, "selWCPFilePushBtn");
        } else if (flow == Flow::RegisterAmbientAdapter) {
            const QString path = files.filePath(QStringLiteral("adapter.csv"));
            writeCalibrationFile(path, kAmbientFileSerial, int(QLX_AMBIENT_VALUE_COUNT), 3.0);
            chooseCalibrationFile(*setup, questions, path, "selAmbLightAdpFilePushBtn");
        } else if (flow == Flow::NetworkWriteBody) {
            // The instrument no longer holds what the page shows, so any write would show in its file.
            QJsonObject content = sim.read(instrument);
            QJsonObject network = content.value(QStringLiteral("network")).toObject();
            network.insert(QStringLiteral("SSID"), QStringLiteral("Elsewhere"));
            content.insert(QStringLiteral("network"), network);
            sim.write(instrument, content);
        } else if (flow == Flow::PowerOffWrite) {
            sim.set(instrument, QStringLiteral("shutdownMode"), int(QLX_SHUTDOWN_15_MIN));
        }
        if (flow != Flow::ControllerConstruction && flow != Flow::Initialize) {
            before = callCounts();
            inject();
        }
        const QJsonObject instrumentBefore = sim.read(instrument);
        boxes.clear();

        switch (flow) {
        case Flow::ControllerConstruction:
        case Flow::Initialize:
            setup->start(0);
            break;
        case Flow::ConnectButton:
            setup->click("ConnectPushBtn");
            break;
        case Flow::DisconnectButton:
            setup->click("disConnectPushBtn");
            break;
        case Flow::TitleBarClose:
            setup->window.show();
            setup->window.close();
            break;
        case Flow::NetworkReadBody:
            setup->click("readBodyPushBtn");
            break;
        case Flow::NetworkWriteBody:
            setup->click("writeBodyPushBtn");
            break;
        case Flow::PowerOffRead:
            setup->click("getAutoPWOffPushBtn");
            break;
        case Flow::PowerOffWrite:
            setup->click("setAutoPWOffPushBtn");
            break;
        case Flow::RegisterWhitePlate:
            setup->click("setWCPValPushBtn");
            break;
        case Flow::RegisterAmbientAdapter:
            setup->click("setAmbAdpBodyPushBtn");
            break;
        case Flow::StartUp:
            break;
        }

        QCOMPARE(shownBoxes(boxes), expectedBoxes);
        for (const ModalBoxAnswerer::Box &box : boxes.boxes())
            QCOMPARE(box.title, QStringLiteral("Spectrophotometer Configuration Tool KT-9"));
        QCOMPARE(WindowView::of(&setup->window).toString(), expectedView);
        QCOMPARE(callsSince(before, calls), calls);
        QCOMPARE(sim.read(instrument) != instrumentBefore, stored);

        // The session: the controller's flag, and whether the watch still reports a loss.
        QCOMPARE(setup->controller->connected, session != Session::None);
        boxes.clear();
        deviceDisconnected = true;
        if (session == Session::Open) {
            QTRY_COMPARE_WITH_TIMEOUT(shownBoxes(boxes).size(), 1, 2500);
            QCOMPARE(shownBoxes(boxes),
                     QStringList{"C:The connection with the measuring instrument was disconnected."});
        } else {
            QTest::qWait(1200);
            QCOMPARE(shownBoxes(boxes), QStringList());
        }
        deviceDisconnected = false;
    }
};

QTEST_MAIN(TestFaultSweep)
#include "tst_faultsweep.moc"
