// The main settings window as a whole: initialisation, Connect / Disconnect / Close, the
// title-bar close, the disconnect watch, tab switching, Escape and the slot table.

#include "MainWindowSupport.h"

#include <QElapsedTimer>
#include <QMetaMethod>

namespace {

const char *const kPages[] = {"networkSetTab", "autoPowerOfftab", "wCalibPlateTab", "ambLightAdpTab"};

// The names of the checked radio buttons, joined by commas.
QString checkedRadioButtons(MainWindowSetup &setup)
{
    QStringList checked;
    for (const char *name : kRadioButtonNames) {
        if (setup.widget<QRadioButton>(name)->isChecked())
            checked.append(QString::fromLatin1(name));
    }
    return checked.join(QLatin1Char(','));
}

QJsonObject merged(QJsonObject instrument, const QJsonObject &changes)
{
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        if (it.value().isObject() && instrument.value(it.key()).isObject())
            instrument.insert(it.key(), merged(instrument.value(it.key()).toObject(), it.value().toObject()));
        else
            instrument.insert(it.key(), it.value());
    }
    return instrument;
}

QJsonObject fault(const char *function)
{
    return {{QStringLiteral("faults"), QJsonObject{{QString::fromLatin1(function), int(QLX_ERROR)}}}};
}

const QString kAddresses = QStringLiteral("192.168.0.10 255.255.255.0 192.168.0.1 8.8.4.4");
const QString kNoAddresses = QStringLiteral("... ... ... ...");
const QString kDisconnectCheck = QStringLiteral("eEventCode_DisConnect check \n");

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    // Enabled states of Connect, Disconnect, Close and the four pages, e.g. "-+- ++++".
    static QString enabledStates(MainWindowSetup &setup)
    {
        QString states;
        for (const char *name : {"ConnectPushBtn", "disConnectPushBtn", "ClosePushBtn"})
            states += setup.widget(name)->isEnabled() ? QLatin1Char('+') : QLatin1Char('-');
        states += QLatin1Char(' ');
        for (const char *page : kPages)
            states += setup.widget(page)->isEnabled() ? QLatin1Char('+') : QLatin1Char('-');
        return states;
    }

    // Counts the watch's debug lines over a little more than one period.
    static int watchChecksDuring(LogCapture &log, int milliseconds)
    {
        log.clear();
        QTest::qWait(milliseconds);
        return log.count(kDisconnectCheck);
    }

private slots:
    void slotTable()
    {
        const QMetaObject &meta = InitSettingDialog::staticMetaObject;
        QCOMPARE(meta.className(), "InitSettingDialog");
        QCOMPARE(meta.superClass(), &QDialog::staticMetaObject);
        QCOMPARE(meta.propertyCount(), meta.propertyOffset());
        const QByteArrayList expected = {"on_ClosePushBtn_clicked()",
                                         "on_selWCPFilePushBtn_clicked()",
                                         "on_selAmbLightAdpFilePushBtn_clicked()",
                                         "on_readToFilePushBtn_clicked()",
                                         "on_disConnectPushBtn_clicked()",
                                         "on_ConnectPushBtn_clicked()",
                                         "on_readBodyPushBtn_clicked()",
                                         "on_writeFilePushBtn_clicked()",
                                         "on_writeBodyPushBtn_clicked()",
                                         "on_setWCPValPushBtn_clicked()",
                                         "on_setAmbAdpBodyPushBtn_clicked()",
                                         "on_dhcpOnRadioBtn_clicked()",
                                         "on_dhcpOffRadioBtn_clicked()",
                                         "on_getAutoPWOffPushBtn_clicked()",
                                         "on_setAutoPWOffPushBtn_clicked()",
                                         "timerHit()",
                                         "on_setBasetabWidget_currentChanged(int)"};
        QByteArrayList actual;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            const QMetaMethod method = meta.method(i);
            QCOMPARE(method.methodType(), QMetaMethod::Slot);
            QCOMPARE(method.access(), QMetaMethod::Private);
            actual.append(method.methodSignature());
        }
        QCOMPARE(actual, expected);
        QCOMPARE(meta.method(meta.methodCount() - 1).parameterNames(), QByteArrayList{"index"});
    }

    void noInstrumentAtStartUp()
    {
        SimInstrumentDir sim;
        MainWindowSetup setup;
        ModalBoxAnswerer boxes;
        setup.start(-1);
        setup.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&setup.window));

        QCOMPARE(enabledStates(setup), QStringLiteral("+-+ ----"));
        QTRY_VERIFY(setup.widget("ConnectPushBtn")->hasFocus());
        QVERIFY(boxes.boxes().isEmpty());
        QCOMPARE(QLXSIM_CallCount("QLX_Connect"), 0u);
        QCOMPARE(setup.window.minimumSize(), QSize(1171, 720));
        QCOMPARE(setup.window.maximumSize(), QSize(1171, 720));
        const Qt::WindowFlags hints = Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                                      Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
        QCOMPARE(setup.window.windowFlags() & hints, hints);
        QVERIFY(!(setup.window.windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(!setup.window.isModal());
    }

    void initializeOneInstrument_data()
    {
        QTest::addColumn<QJsonObject>("changes");
        QTest::addColumn<QStringList>("expectedBoxes");
        QTest::addColumn<bool>("header");
        QTest::addColumn<bool>("networkPage");
        QTest::addColumn<QString>("addresses");
        QTest::addColumn<bool>("octetsEnabled");
        QTest::addColumn<QString>("radios");
        QTest::addColumn<QString>("serials");

        const QString complete = QStringLiteral("enableRadioBtn,dhcpOffRadioBtn,thirtyRadioBtn");
        const QString serials = QStringLiteral("12345678/00054321");
        QTest::newRow("complete") << QJsonObject() << QStringList() << true << true << kAddresses << true
                                  << complete << serials;
        QTest::newRow("DHCP on") << QJsonObject{{"network", QJsonObject{{"DHCPUse", 1}, {"APConnectUse", 0}}}}
                                 << QStringList() << true << true << kAddresses << false
                                 << "disableRadioBtn,dhcpOnRadioBtn,thirtyRadioBtn" << serials;
        const QStringList noLan{"I:Wireless LAN is invalid."};
        QTest::newRow("no wireless LAN module")
            << QJsonObject{{"wifiModuleEnable", 0}} << noLan << true << false << kNoAddresses << true
            << "thirtyRadioBtn" << serials;
        QTest::newRow("option query fails")
            << fault("QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA") << noLan << true << false << kNoAddresses
            << true << "thirtyRadioBtn" << serials;
        QTest::newRow("network read fails") << fault("QLX_GetNetworkInfo") << QStringList() << true << true
                                            << kNoAddresses << true << "thirtyRadioBtn" << serials;
        QTest::newRow("device information fails")
            << fault("QLX_GetDeviceInfo") << QStringList{"C:Failed to read device data."} << false << true
            << kNoAddresses << true << ""
            << "/";
        QTest::newRow("calibration serials fail")
            << fault("QLX_JIG_GetFactoryCalib_CALREFDATA")
            << QStringList{"C:Failed to device WhiteCalibPlateSerialNo.",
                           "C:Failed to device AmbientLightAdapterSerialNo."}
            << true << true << kAddresses << true << complete << "/";
        QTest::newRow("shutdown time fails")
            << fault("QLX_GetShutdownTime") << QStringList{"C:Failed to read automatic shutdown time."}
            << true << true << kAddresses << true << "enableRadioBtn,dhcpOffRadioBtn" << serials;
        const char *const modeButtons[] = {"invalidradioBtn", "fifteenRadioBtn", "thirtyRadioBtn",
                                           "sixtyRadioBtn", nullptr};
        for (int mode = 0; mode <= 4; ++mode) {
            QString radios = QStringLiteral("enableRadioBtn,dhcpOffRadioBtn");
            if (modeButtons[mode])
                radios += QLatin1Char(',') + QLatin1String(modeButtons[mode]);
            QTest::addRow("shutdown mode %d", mode)
                << QJsonObject{{"shutdownMode", mode}} << QStringList() << true << true << kAddresses << true
                << radios << serials;
        }
    }
    void initializeOneInstrument()
    {
        QFETCH(QJsonObject, changes);
        QFETCH(QStringList, expectedBoxes);
        QFETCH(bool, header);
        QFETCH(bool, networkPage);
        QFETCH(QString, addresses);
        QFETCH(bool, octetsEnabled);
        QFETCH(QString, radios);
        QFETCH(QString, serials);

        SimInstrumentDir sim;
        sim.write(QStringLiteral("one"), merged(completeInstrument(12345), changes));
        MainWindowSetup setup;
        ModalBoxAnswerer boxes;
        setup.start(0);

        QCOMPARE(shownBoxes(boxes), expectedBoxes);
        for (const ModalBoxAnswerer::Box &box : boxes.boxes())
            QCOMPARE(box.title, QStringLiteral("Spectrophotometer Configuration Tool KT-9"));
        // Connected whatever the reads gave.
        QCOMPARE(enabledStates(setup), networkPage ? QStringLiteral("-+- ++++") : QStringLiteral("-+- -+++"));
        QCOMPARE(setup.text("serialNolabel"), header ? QStringLiteral("00012345") : QString());
        QCOMPARE(setup.text("firmVersionlabel"), header ? QStringLiteral("1.02.0003") : QString());
        QCOMPARE(setup.text("MACAddresslabel"), header ? QStringLiteral("0A:B0:00:01:FF:10") : QString());
        QCOMPARE(octetTexts(setup), addresses);
        for (const char *name : kOctetFieldNames)
            QCOMPARE(setup.widget(name)->isEnabledTo(setup.widget("networkSetTab")), octetsEnabled);
        QCOMPARE(setup.text("SSIDlineEdit"), addresses == kAddresses ? QStringLiteral("LabNet") : QString());
        QCOMPARE(setup.text("passwdlineEdit"),
                 addresses == kAddresses ? QStringLiteral("key-1234") : QString());
        QCOMPARE(checkedRadioButtons(setup), radios);
        QCOMPARE(setup.text("curWCalibPlateSerialNolabel") + '/' + setup.text("curAmbAdpSerialNolabel"),
                 serials);
        QVERIFY(!setup.widget("setWCPValPushBtn")->isEnabled());
        QVERIFY(!setup.widget("setAmbAdpBodyPushBtn")->isEnabled());
        if (!header)
            QCOMPARE(QLXSIM_CallCount("QLX_GetShutdownTime"), 0u);
    }

    // A failed connection keeps every state the window had; at start-up that is all enabled.
    void connectionFailsAtStartUp()
    {
        SimInstrumentDir sim;
        sim.write(QStringLiteral("one"), merged(completeInstrument(12345), fault("QLX_Connect")));
        MainWindowSetup setup;
        ModalBoxAnswerer boxes;
        LogCapture log;
        setup.start(0);
        QCOMPARE(shownBoxes(boxes), QStringList{"C:Failed to connect device."});
        QCOMPARE(enabledStates(setup), QStringLiteral("+++ ++++"));
        QVERIFY(!setup.widget("setWCPValPushBtn")->isEnabled());
        QVERIFY(!setup.widget("setAmbAdpBodyPushBtn")->isEnabled());
        QCOMPARE(watchChecksDuring(log, 1200), 0);
    }

    void connectButton_data()
    {
        QTest::addColumn<int>("instruments");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("connectFails");
        QTest::addColumn<QStringList>("expectedBoxes");
        QTest::addColumn<QString>("states");
        QTest::newRow("none") << 0 << -1 << false
                              << QStringList{"I:The measuring instruments is not connected."} << "+-+ ----";
        QTest::newRow("one") << 1 << 0 << false << QStringList() << "-+- ++++";
        QTest::newRow("three, third chosen") << 3 << 2 << false << QStringList() << "-+- ++++";
        QTest::newRow("three, first chosen") << 3 << 0 << false << QStringList() << "-+- ++++";
        QTest::newRow("three, connection fails")
            << 3 << 1 << true << QStringList{"C:Failed to connect device."} << "+-+ ----";
    }
    void connectButton()
    {
        QFETCH(int, instruments);
        QFETCH(int, row);
        QFETCH(bool, connectFails);
        QFETCH(QStringList, expectedBoxes);
        QFETCH(QString, states);

        SimInstrumentDir sim;
        MainWindowSetup setup;
        ModalBoxAnswerer boxes;
        LogCapture log;
        setup.start(-1);
        for (int i = 0; i < instruments; ++i)
            sim.write(QStringLiteral("inst%1").arg(i), completeInstrument(20001 + i));
        if (connectFails)
            QLXSIM_InjectStatus("QLX_Connect", QLX_ERROR);

        // The user picks a row in the selection dialog once it is shown; a second click on
        // Connect meanwhile would start a second wait inside the first.
        bool connectEnabledDuringWait = true;
        QTimer user;
        user.setInterval(10);
        connect(&user, &QTimer::timeout, [&] {
            if (!setup.selectDialog.isVisible())
                return;
            user.stop();
            connectEnabledDuringWait = setup.widget("ConnectPushBtn")->isEnabled();
            auto *list = child<QListWidget>(&setup.selectDialog, "connectlistWidget");
            list->setCurrentRow(row);
            QTest::mouseClick(child<QAbstractButton>(&setup.selectDialog, "pushButton"), Qt::LeftButton);
        });
        user.start();

        setup.click("ConnectPushBtn");

        QCOMPARE(shownBoxes(boxes), expectedBoxes);
        QCOMPARE(enabledStates(setup), states);
        QCOMPARE(QLXSIM_CallCount("QLX_GetDevicePortList") > 0, true);
        QCOMPARE(setup.selectDialog.isVisible(), false);
        if (instruments >= 2) {
            QVERIFY(!connectEnabledDuringWait);
            QCOMPARE(log.count(QStringLiteral("select portNum[main]:%1").arg(row)), 1);
            QCOMPARE(QLXSIM_CallCount("QLX_Connect"), 1u);
        } else {
            QVERIFY(user.isActive());
        }
        if (!connectFails && row >= 0) {
            QCOMPARE(
                setup.text("serialNolabel"),
                QStringLiteral("%1").arg(setup.controller->ports[row].serialNo, 8, 10, QLatin1Char('0')));
            QCOMPARE(octetTexts(setup), kAddresses);
        }
    }

    void disconnectThenConnect()
    {
        SimInstrumentDir sim;
        sim.write(QStringLiteral("one"), completeInstrument(12345));
        QTemporaryDir files;
        const QString csv = files.filePath(QStringLiteral("plate.csv"));
        writeCalibrationFile(csv, QStringLiteral("12345679"), int(QLX_WHITE_VALUE_COUNT));
        MainWindowSetup setup;
        FileQuestionAnswerer questions(setup.window);
        ModalBoxAnswerer boxes;
        setup.start(0);
        questions.answers = QStringList{csv};
        setup.click("selWCPFilePushBtn");
        QCOMPARE(setup.text("selWCPFileNamelabel"), QStringLiteral("plate"));

        setup.click("disConnectPushBtn");
        QCOMPARE(enabledStates(setup), QStringLiteral("+-+ ----"));
        for (const char *name :
             {"serialNolabel", "firmVersionlabel", "MACAddresslabel", "SSIDlineEdit", "passwdlineEdit",
              "curWCalibPlateSerialNolabel", "selWCPFileNamelabel", "selFileSerialNolabel",
              "curAmbAdpSerialNolabel", "selAmbAdpFnamelabel", "selAmbAdpFSerialNolabel"})
            QVERIFY2(setup.text(name).isEmpty(), name);
        QCOMPARE(octetTexts(setup), kNoAddresses);
        QCOMPARE(checkedRadioButtons(setup), QString());
        QVERIFY(!setup.controller->connected);

        setup.click("ConnectPushBtn");
        QCOMPARE(shownBoxes(boxes), QStringList{"I:Successful read file data."});
        QCOMPARE(enabledStates(setup), QStringLiteral("-+- ++++"));
        QCOMPARE(setup.text("serialNolabel"), QStringLiteral("00012345"));
        QCOMPARE(octetTexts(setup), kAddresses);
        QCOMPARE(checkedRadioButtons(setup), QStringLiteral("enableRadioBtn,dhcpOffRadioBtn,thirtyRadioBtn"));
        QCOMPARE(setup.text("curWCalibPlateSerialNolabel"), QStringLiteral("12345678"));
        QCOMPARE(setup.text("selWCPFileNamelabel"), QString());
        // The chosen file was forgotten with the session.
        QVERIFY(!setup.widget("setWCPValPushBtn")->isEnabled());
        QMetaObject::invokeMethod(&setup.window, "on_setWCPValPushBtn_clicked");
        QCOMPARE(shownBoxes(boxes).last(), QStringLiteral("C:Failed to write WhiteCalibPlate file."));
    }

    void disconnectFails()
    {
        SimInstrumentDir sim;
        sim.write(QStringLiteral("one"), merged(completeInstrument(12345), fault("QLX_Disconnect")));
        MainWindowSetup setup;
        ModalBoxAnswerer boxes;
        setup.start(0);
        setup.click("disConnectPushBtn");
        QCOMPARE(shownBoxes(boxes), QStringList{"C:Failed to device disconnect."});
        QCOMPARE(enabledStates(setup), QStringLiteral("-+- ++++"));
        QCOMPARE(setup.text("serialNolabel"), QStringLiteral("00012345"));
        // The watch still runs.
        deviceDisconnected = true;
        QTRY_COMPARE_WITH_TIMEOUT(boxes.boxes().size(), 2, 2500);
        QCOMPARE(enabledStates(setup), QStringLiteral("+-+ ----"));
    }

    void disconnectWhileNotConnectedDoesNothing()
    {
        SimInstrumentDir sim;
        MainWindowSetup setup;
        ModalBoxAnswerer boxes;
        setup.start(-1);
        QVERIFY(QMetaObject::invokeMethod(&setup.window, "on_disConnectPushBtn_clicked"));
        QCoreApplication::processEvents();
        QVERIFY(boxes.boxes().isEmpty());
        QCOMPARE(QLXSIM_CallCount("QLX_Disconnect"), 0u);
        QCOMPARE(enabledStates(setup), QStringLiteral("+-+ ----"));
    }

    void lostConnection_data()
    {
        QTest::addColumn<bool>("unplug");
        QTest::newRow("event from a library thread") << false;
        QTest::newRow("instrument unplugged") << true;
    }
    void lostConnection()
    {
        QFETCH(bool, unplug);
        SimInstrumentDir sim;
        sim.write(QStringLiteral("one"), completeInstrument(12345));
        MainWindowSetup setup;
        ModalBoxAnswerer boxes;
        LogCapture log;
        setup.start(0);
        setup.window.show();

        QElapsedTimer clock;
        clock.start();
        if (unplug)
            sim.set(QStringLiteral("one"), QStringLiteral("unplugged"), true);
        else
            QLXSIM_FireEvent(eEventCode_DisConnect, 0, 0);
        QTRY_COMPARE_WITH_TIMEOUT(boxes.boxes().size(), 1, 3000);
        QVERIFY2(clock.elapsed() < 2500, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(shownBoxes(boxes),
                 QStringList{"C:The connection with the measuring instrument was disconnected."});
        QCOMPARE(log.count(QStringLiteral("eEventCode_DisConnect true \n")), 1);
        QVERIFY(!deviceDisconnected);
        QCOMPARE(enabledStates(setup), QStringLiteral("+-+ ----"));
        QCOMPARE(setup.text("serialNolabel"), QString());
        QCOMPARE(QLXSIM_CallCount("QLX_Disconnect"), 0u);

        // The watch has stopped: a later report is not shown until a new session is open.
        deviceDisconnected = true;
        QCOMPARE(watchChecksDuring(log, 1300), 0);
        QCOMPARE(boxes.boxes().size(), 1);
    }

    void closeWindow_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("disconnectFails");
        QTest::addColumn<bool>("titleBar");
        QTest::addColumn<QStringList>("expectedBoxes");
        QTest::newRow("title bar, connected") << true << false << true << QStringList();
        QTest::newRow("title bar, disconnect fails")
            << true << true << true << QStringList{"C:Failed to disconnect device."};
        QTest::newRow("title bar, not connected") << false << false << true << QStringList();
        QTest::newRow("Close button, not connected") << false << false << false << QStringList();
    }
    void closeWindow()
    {
        QFETCH(bool, connected);
        QFETCH(bool, disconnectFails);
        QFETCH(bool, titleBar);
        QFETCH(QStringList, expectedBoxes);
        SimInstrumentDir sim;
        QJsonObject instrument = completeInstrument(12345);
        if (disconnectFails)
            instrument = merged(instrument, fault("QLX_Disconnect"));
        sim.write(QStringLiteral("one"), instrument);
        MainWindowSetup setup;
        ModalBoxAnswerer boxes;
        LogCapture log;
        setup.start(connected ? 0 : -1);
        setup.window.show();

        if (titleBar)
            setup.window.close();
        else
            setup.click("ClosePushBtn");
        QVERIFY(setup.window.finished);
        QVERIFY(!setup.window.isVisible());
        QCOMPARE(shownBoxes(boxes), expectedBoxes);
        QCOMPARE(QLXSIM_CallCount("QLX_Disconnect"), connected ? 1u : 0u);
        QCOMPARE(watchChecksDuring(log, 1200), 0);

        // A further close event ends nothing a second time.
        setup.window.show();
        setup.window.close();
        QCOMPARE(QLXSIM_CallCount("QLX_Disconnect"), connected ? 1u : 0u);
        QCOMPARE(boxes.boxes().size(), expectedBoxes.size());
    }

    void escapeChangesNothing()
    {
        SimInstrumentDir sim;
        sim.write(QStringLiteral("one"), completeInstrument(12345));
        MainWindowSetup setup;
        setup.start(0);
        setup.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&setup.window));
        QTest::keyClick(&setup.window, Qt::Key_Escape);
        QTest::keyClick(setup.widget("SSIDlineEdit"), Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(setup.window.isVisible());
        QVERIFY(!setup.window.finished);
        QCOMPARE(setup.window.result(), 0);
        QCOMPARE(enabledStates(setup), QStringLiteral("-+- ++++"));
        QCOMPARE(QLXSIM_CallCount("QLX_Disconnect"), 0u);
    }

    void tabSwitchFocus_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("focus"); ///< empty: the focus stays where it was
        QTest::newRow("power off page") << true << 1 << "autoPowerOfftab";
        QTest::newRow("white plate page") << true << 2 << "curWCalibPlateSerialNolabel";
        QTest::newRow("adapter page") << true << 3 << "curAmbAdpSerialNolabel";
        QTest::newRow("adapter then network page") << true << 0 << "";
        QTest::newRow("disabled power off page") << false << 1 << "";
        QTest::newRow("disabled white plate page") << false << 2 << "";
        QTest::newRow("disabled adapter page") << false << 3 << "";
    }
    void tabSwitchFocus()
    {
        QFETCH(bool, connected);
        QFETCH(int, index);
        QFETCH(QString, focus);
        SimInstrumentDir sim;
        sim.write(QStringLiteral("one"), completeInstrument(12345));
        MainWindowSetup setup;
        LogCapture log;
        setup.start(connected ? 0 : -1);
        setup.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&setup.window));
        auto *tabs = setup.widget<QTabWidget>("setBasetabWidget");
        if (index == 0)
            tabs->setCurrentIndex(3);
        QWidget *before = connected ? setup.widget("disConnectPushBtn") : setup.widget("ConnectPushBtn");
        before->setFocus();
        QTRY_VERIFY(before->hasFocus());

        log.clear();
        tabs->setCurrentIndex(index);
        QCOMPARE(log.count(QStringLiteral("select tab:%1").arg(index)), 1);
        QWidget *expected = focus.isEmpty() ? before : setup.widget(qPrintable(focus));
        QCOMPARE(QApplication::focusWidget(), expected);
    }
    void wirelessLanPairApartFromDhcpPair()
    {
        SimInstrumentDir sim;
        sim.write(QStringLiteral("one"), completeInstrument(12345));
        MainWindowSetup setup;
        ModalBoxAnswerer boxes;
        setup.start(0);
        QCOMPARE(checkedRadioButtons(setup), QStringLiteral("enableRadioBtn,dhcpOffRadioBtn,thirtyRadioBtn"));

        setup.click("disableRadioBtn");
        setup.click("disableRadioBtn");
        QCOMPARE(checkedRadioButtons(setup),
                 QStringLiteral("disableRadioBtn,dhcpOffRadioBtn,thirtyRadioBtn"));

        // A session whose network read fails leaves the page empty; the first click on a
        // wireless LAN button must not take the check from the DHCP button.
        setup.click("disConnectPushBtn");
        QLXSIM_InjectStatus("QLX_GetNetworkInfo", QLX_ERROR);
        setup.click("ConnectPushBtn");
        QCOMPARE(checkedRadioButtons(setup), QStringLiteral("thirtyRadioBtn"));
        setup.click("dhcpOnRadioBtn");
        setup.click("enableRadioBtn");
        setup.click("enableRadioBtn");
        QCOMPARE(checkedRadioButtons(setup), QStringLiteral("enableRadioBtn,dhcpOnRadioBtn,thirtyRadioBtn"));
        QVERIFY(boxes.boxes().isEmpty());
    }

    void closedDuringDeviceChoice()
    {
        SimInstrumentDir sim;
        for (int i = 0; i < 3; ++i)
            sim.write(QStringLiteral("inst%1").arg(i), completeInstrument(20001 + i));
        MainWindowSetup setup;
        ModalBoxAnswerer boxes;
        setup.start(-1);
        setup.window.show();

        // The user closes the main window from its title bar while the selection dialog waits.
        QTimer user;
        user.setInterval(10);
        connect(&user, &QTimer::timeout, [&] {
            if (!setup.selectDialog.isVisible())
                return;
            user.stop();
            setup.window.close();
        });
        user.start();
        setup.click("ConnectPushBtn");

        QVERIFY(setup.window.finished);
        QVERIFY(!setup.selectDialog.isVisible());
        QVERIFY(!setup.selectDialog.selectFinished);
        QCOMPARE(QLXSIM_CallCount("QLX_Connect"), 0u);
        QVERIFY(!setup.widget("disConnectPushBtn")->isEnabled());
        QVERIFY(boxes.boxes().isEmpty());
    }

    void lostConnectionBeforeSessionIsForgotten()
    {
        SimInstrumentDir sim;
        sim.write(QStringLiteral("one"), completeInstrument(12345));
        MainWindowSetup setup;
        ModalBoxAnswerer boxes;
        LogCapture log;
        setup.start(-1);
        // A report that arrived while no session was open.
        deviceDisconnected = true;
        setup.click("ConnectPushBtn");
        QVERIFY(setup.widget("disConnectPushBtn")->isEnabled());
        QVERIFY(watchChecksDuring(log, 1300) >= 1);
        QVERIFY(boxes.boxes().isEmpty());
        QVERIFY(setup.widget("disConnectPushBtn")->isEnabled());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
