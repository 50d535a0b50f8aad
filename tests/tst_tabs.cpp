// The main settings window's pages: network settings to and from the instrument and a file,
// the two calibration registrations, and the auto power-off time.

#include "MainWindowSupport.h"

namespace {

const char *const kNetworkButtons[] = {"readToFilePushBtn", "writeFilePushBtn", "readBodyPushBtn",
                                       "writeBodyPushBtn"};

// Fills the 16 octet fields from four dotted addresses separated by blanks; an empty octet leaves
// its field empty and "_" stands for a blank inside a field.
void setOctetTexts(MainWindowSetup &setup, const QString &addresses)
{
    QStringList octets;
    for (const QString &address : addresses.split(QLatin1Char(' ')))
        octets += address.split(QLatin1Char('.'));
    QCOMPARE(octets.size(), 16);
    for (int i = 0; i < 16; ++i)
        setup.widget<QLineEdit>(kOctetFieldNames[i])
            ->setText(octets[i].replace(QLatin1Char('_'), QLatin1Char(' ')));
}

// The enabled state of the named buttons, e.g. "++--".
QString buttonStates(MainWindowSetup &setup, std::initializer_list<const char *> names)
{
    QString states;
    for (const char *name : names)
        states += setup.widget(name)->isEnabled() ? QLatin1Char('+') : QLatin1Char('-');
    return states;
}

QString addressesOf(const QJsonObject &network)
{
    return QStringList{network.value("IPAddress").toString(), network.value("SubnetMask").toString(),
                       network.value("DefaultGateway").toString(), network.value("DNS").toString()}
        .join(QLatin1Char(' '));
}

void writeText(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

// The window asked with the fixed caption, start folder, filter and options.
void checkQuestion(const FileQuestionAnswerer::Question &question, const QString &caption,
                   const QString &filter)
{
    QCOMPARE(question.caption, caption);
    QCOMPARE(question.dir, QStringLiteral("./"));
    QCOMPARE(question.filter, filter);
    QCOMPARE(question.selectedFilter, filter);
    QCOMPARE(question.options, QFileDialog::Options(QFileDialog::DontUseCustomDirectoryIcons));
}

// The calibration page a row is about: its widgets, messages and the instrument's keys.
struct Page
{
    const char *readButton;
    const char *writeButton;
    const char *fileNameLabel;
    const char *fileSerialLabel;
    const char *currentSerialLabel;
    int valueCount;
    const char *serialKey;
    const char *valuesKey;
    QString failureText;
};

Page page(const QString &name)
{
    if (name == QLatin1String("white"))
        return {"selWCPFilePushBtn",
                "setWCPValPushBtn",
                "selWCPFileNamelabel",
                "selFileSerialNolabel",
                "curWCalibPlateSerialNolabel",
                int(QLX_WHITE_VALUE_COUNT),
                "whiteSerial",
                "whiteValues",
                QStringLiteral("C:Failed to write WhiteCalibPlate data.")};
    return {"selAmbLightAdpFilePushBtn",
            "setAmbAdpBodyPushBtn",
            "selAmbAdpFnamelabel",
            "selAmbAdpFSerialNolabel",
            "curAmbAdpSerialNolabel",
            int(QLX_AMBIENT_VALUE_COUNT),
            "ambientSerial",
            "ambientValues",
            QStringLiteral("C:Failed to write AmbientLightAdapter data.")};
}

// A serial number each page accepts, and the one the instrument holds at the start.
QString goodSerial(const QString &name)
{
    return name == QLatin1String("white") ? "12345679" : "00054322";
}
QString instrumentSerial(const QString &name)
{
    return name == QLatin1String("white") ? "12345678" : "00054321";
}

// The local 8-bit encoding, told by the bytes it gives a kana and an accented letter; empty for
// one the tests do not know.
QString localCodePage()
{
    const QByteArray kana = QString::fromUtf8("\xE3\x81\x82").toLocal8Bit();
    if (kana == "\x82\xA0")
        return QStringLiteral("932");
    if (kana == "\xE3\x81\x82")
        return QStringLiteral("UTF-8");
    if (QString::fromUtf8("\xC3\xA9").toLocal8Bit() == "\xE9")
        return QStringLiteral("1252");
    return QString();
}

} // namespace

class TestTabs : public QObject
{
    Q_OBJECT

private:
    QScopedPointer<SimInstrumentDir> sim;
    QScopedPointer<MainWindowSetup> setup;
    QScopedPointer<FileQuestionAnswerer> questions;
    QScopedPointer<ModalBoxAnswerer> boxes;
    QScopedPointer<QTemporaryDir> files;

    QJsonObject storedNetwork() { return sim->read(QStringLiteral("one")).value("network").toObject(); }
    // The bytes of a text field of the stored network record: the library keeps text that is
    // not UTF-8 as {"hex": "..."}.
    QByteArray storedNetworkBytes(const char *field)
    {
        const QJsonValue value = storedNetwork().value(QLatin1String(field));
        if (value.isObject())
            return QByteArray::fromHex(value.toObject().value("hex").toString().toLatin1());
        return value.toString().toUtf8();
    }

private slots:
    // Every test starts connected to one complete instrument.
    void init()
    {
        sim.reset(new SimInstrumentDir);
        sim->write(QStringLiteral("one"), completeInstrument(12345));
        files.reset(new QTemporaryDir);
        setup.reset(new MainWindowSetup);
        questions.reset(new FileQuestionAnswerer(setup->window));
        setup->start(0);
        boxes.reset(new ModalBoxAnswerer);
        QCOMPARE(setup->text("serialNolabel"), QStringLiteral("00012345"));
    }
    void cleanup()
    {
        boxes.reset();
        questions.reset();
        setup.reset();
        files.reset();
        sim.reset();
    }

    void networkReadBody_data()
    {
        QTest::addColumn<bool>("fails");
        QTest::newRow("read") << false;
        QTest::newRow("instrument refuses") << true;
    }
    void networkReadBody()
    {
        QFETCH(bool, fails);
        sim->set("one", "network",
                 QJsonObject{{"APConnectUse", 0},
                             {"DHCPUse", 1},
                             {"IPAddress", "10.0.0.2"},
                             {"SubnetMask", "255.0.0.0"},
                             {"DefaultGateway", "10.0.0.1"},
                             {"DNS", "10.0.0.3"},
                             {"SSID", "Other"},
                             {"EncryptKey", "other-key"}});
        if (fails)
            QLXSIM_InjectStatus("QLX_GetNetworkInfo", QLX_ERROR);
        setup->click("readBodyPushBtn");
        if (fails) {
            QCOMPARE(shownBoxes(*boxes), QStringList{"C:Failed to read Network Infomation data."});
            QCOMPARE(octetTexts(*setup), QStringLiteral("192.168.0.10 255.255.255.0 192.168.0.1 8.8.4.4"));
            QCOMPARE(setup->text("SSIDlineEdit"), QStringLiteral("LabNet"));
            QVERIFY(setup->widget<QRadioButton>("dhcpOffRadioBtn")->isChecked());
            return;
        }
        QCOMPARE(shownBoxes(*boxes), QStringList{"I:Successful read body data."});
        QCOMPARE(octetTexts(*setup), QStringLiteral("10.0.0.2 255.0.0.0 10.0.0.1 10.0.0.3"));
        QCOMPARE(setup->text("SSIDlineEdit"), QStringLiteral("Other"));
        QCOMPARE(setup->text("passwdlineEdit"), QStringLiteral("other-key"));
        QVERIFY(setup->widget<QRadioButton>("disableRadioBtn")->isChecked());
        QVERIFY(!setup->widget<QRadioButton>("enableRadioBtn")->isChecked());
        QVERIFY(setup->widget<QRadioButton>("dhcpOnRadioBtn")->isChecked());
        for (const char *name : kOctetFieldNames)
            QVERIFY(!setup->widget(name)->isEnabled());
    }

    void networkWriteBody_data()
    {
        QTest::addColumn<bool>("dhcpOn");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("instrumentRefuses");
        QTest::addColumn<QString>("stored"); ///< empty: nothing sent
        QTest::addColumn<QString>("box");

        const QString success =
            QStringLiteral("I:Write successful. To reflect, after [Disconnect], turn the power "
                           "supply of the measuring instrument OFF -> ON.");
        const QString invalid = QStringLiteral("C:The input value is invalid.");
        const QString addresses = QStringLiteral("10.0.0.5 255.0.0.0 10.0.0.1 1.1.1.1");
        QTest::newRow("DHCP off") << false << addresses << false << addresses << success;
        QTest::newRow("leading zeros") << false << "007.0.0.1 255.255.0.0 0.0.0.0 0.0.0.0" << false
                                       << "7.0.0.1 255.255.0.0 0.0.0.0 0.0.0.0" << success;
        QTest::newRow("255 everywhere")
            << false << "255.255.255.255 255.255.255.255 255.255.255.255 255.255.255.255" << false
            << "255.255.255.255 255.255.255.255 255.255.255.255 255.255.255.255" << success;
        QTest::newRow("256") << false << "10.0.0.5 255.0.0.0 10.0.0.1 1.1.1.256" << false << "" << invalid;
        QTest::newRow("999") << false << "999.0.0.5 255.0.0.0 10.0.0.1 1.1.1.1" << false << "" << invalid;
        QTest::newRow("empty field") << false << "10.0.0.5 255.0..0 10.0.0.1 1.1.1.1" << false << ""
                                     << invalid;
        QTest::newRow("letter") << false << "10.0.0.5 255.0.0.0 10.0.0.x 1.1.1.1" << false << "" << invalid;
        QTest::newRow("sign") << false << "10.0.0.5 255.0.0.0 10.0.0.1 -1.1.1.1" << false << "" << invalid;
        QTest::newRow("blank") << false << "10.0.0.5 255.0.0.0 10.0.0.1 1.1._1.1" << false << "" << invalid;
        QTest::newRow("DHCP on, bad fields ignored") << true << "999... 1.2.3.4 a.b.c.d 256.0.0.0" << false
                                                     << "0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0" << success;
        QTest::newRow("instrument refuses") << false << addresses << true << ""
                                            << "C:Failed to write Network Infomation data.";
    }
    void networkWriteBody()
    {
        QFETCH(bool, dhcpOn);
        QFETCH(QString, typed);
        QFETCH(bool, instrumentRefuses);
        QFETCH(QString, stored);
        QFETCH(QString, box);

        if (dhcpOn)
            setup->click("dhcpOnRadioBtn");
        setOctetTexts(*setup, typed);
        setup->widget<QLineEdit>("SSIDlineEdit")->setText(QStringLiteral("New SSID"));
        setup->widget<QLineEdit>("passwdlineEdit")->setText(QStringLiteral("new key"));
        setup->click("disableRadioBtn");
        if (instrumentRefuses)
            QLXSIM_InjectStatus("QLX_SetNetworkInfo", QLX_ERROR);
        QString statesWhileOpen;
        boxes->onBox([&](QMessageBox *) {
            statesWhileOpen = buttonStates(
                *setup, {kNetworkButtons[0], kNetworkButtons[1], kNetworkButtons[2], kNetworkButtons[3]});
        });

        setup->click("writeBodyPushBtn");

        QCOMPARE(shownBoxes(*boxes), QStringList{box});
        QCOMPARE(statesWhileOpen, QStringLiteral("----"));
        QCOMPARE(buttonStates(*setup, {kNetworkButtons[0], kNetworkButtons[1], kNetworkButtons[2],
                                       kNetworkButtons[3]}),
                 QStringLiteral("++++"));
        const QJsonObject network = storedNetwork();
        if (stored.isEmpty()) {
            QCOMPARE(network, completeInstrument(12345).value("network").toObject());
            if (!instrumentRefuses)
                QCOMPARE(QLXSIM_CallCount("QLX_SetNetworkInfo"), 0u);
            return;
        }
        QCOMPARE(addressesOf(network), stored);
        QCOMPARE(network.value("DHCPUse").toInt(), dhcpOn ? 1 : 0);
        QCOMPARE(network.value("APConnectUse").toInt(), 0);
        QCOMPARE(network.value("SSID").toString(), QStringLiteral("New SSID"));
        QCOMPARE(network.value("EncryptKey").toString(), QStringLiteral("new key"));
    }

    // The check walks the fields in order and stops at the first one that is not all digits.
    void octetCheckLog()
    {
        setOctetTexts(*setup, QStringLiteral("1.2.3.4 5.6.7.8 9.10.1x.0 0.0.0.0"));
        LogCapture log;
        setup->click("writeBodyPushBtn");
        QStringList checks;
        for (const QString &line : log.lines()) {
            if (line.startsWith(QLatin1String("length:")) || line.startsWith(QLatin1String("char[")))
                checks.append(line);
        }
        QCOMPARE(checks.size(), 11 + 13);
        QCOMPARE(checks.first(), QStringLiteral("length:1\n"));
        QCOMPARE(checks.mid(checks.size() - 3),
                 (QStringList{"length:2\n", "char[0]:0x0031\n", "char[1]:0x0078\n"}));
        QCOMPARE(shownBoxes(*boxes), QStringList{"C:The input value is invalid."});
    }

    // A page that could not be filled on connecting has neither button of a pair checked: both
    // write buttons refuse until one of each pair is, and send or write nothing.
    void networkWriteNeedsBothSwitches_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("clicked"); ///< radio buttons clicked before the write
        QTest::addColumn<QString>("box");

        const QString invalid = QStringLiteral("C:The input value is invalid.");
        const QString body = QStringLiteral("writeBodyPushBtn"), file = QStringLiteral("writeFilePushBtn");
        QTest::newRow("body, DHCP ON only") << body << QStringList{"dhcpOnRadioBtn"} << invalid;
        QTest::newRow("body, Disable only") << body << QStringList{"disableRadioBtn"} << invalid;
        QTest::newRow("body, both chosen")
            << body << QStringList{"enableRadioBtn", "dhcpOnRadioBtn"}
            << QStringLiteral("I:Write successful. To reflect, after [Disconnect], turn the power supply of "
                              "the measuring instrument OFF -> ON.");
        QTest::newRow("file, neither") << file << QStringList{} << invalid;
        QTest::newRow("file, Enable only") << file << QStringList{"enableRadioBtn"} << invalid;
    }
    void networkWriteNeedsBothSwitches()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, clicked);
        QFETCH(QString, box);

        QLXSIM_InjectStatus("QLX_GetNetworkInfo", QLX_ERROR);
        setup->click("disConnectPushBtn");
        setup->click("ConnectPushBtn");
        QLXSIM_ClearInjectedStatuses();
        for (const char *name : {"enableRadioBtn", "disableRadioBtn", "dhcpOnRadioBtn", "dhcpOffRadioBtn"})
            QVERIFY(!setup->widget<QRadioButton>(name)->isChecked());
        for (const QString &name : clicked)
            setup->click(name.toLatin1().constData());
        setOctetTexts(*setup, QStringLiteral("10.0.0.5 255.0.0.0 10.0.0.1 1.1.1.1"));
        setup->widget<QLineEdit>("SSIDlineEdit")->setText(QStringLiteral("New SSID"));
        setup->widget<QLineEdit>("passwdlineEdit")->setText(QStringLiteral("new key"));
        const QString path = files->filePath(QStringLiteral("net.ini"));
        questions->answers = QStringList{path};

        setup->click(button.toLatin1().constData());

        QCOMPARE(shownBoxes(*boxes), QStringList{box});
        QVERIFY(!QFile::exists(path));
        if (box.startsWith(QLatin1String("C:"))) {
            QCOMPARE(QLXSIM_CallCount("QLX_SetNetworkInfo"), 0u);
            QCOMPARE(storedNetwork(), completeInstrument(12345).value("network").toObject());
            return;
        }
        QCOMPARE(storedNetwork().value("APConnectUse").toInt(), 1);
        QCOMPARE(storedNetwork().value("DHCPUse").toInt(), 1);
        QCOMPARE(storedNetwork().value("SSID").toString(), QStringLiteral("New SSID"));
    }

    void dhcpButtons()
    {
        // "OFF" while DHCP is already off keeps the addresses; only a switch from "ON" empties them.
        setup->click("dhcpOffRadioBtn");
        QCOMPARE(octetTexts(*setup), QStringLiteral("192.168.0.10 255.255.255.0 192.168.0.1 8.8.4.4"));
        setup->click("dhcpOnRadioBtn");
        for (const char *name : kOctetFieldNames)
            QVERIFY(!setup->widget(name)->isEnabled());
        QCOMPARE(octetTexts(*setup), QStringLiteral("192.168.0.10 255.255.255.0 192.168.0.1 8.8.4.4"));
        setup->click("dhcpOffRadioBtn");
        for (const char *name : kOctetFieldNames)
            QVERIFY(setup->widget(name)->isEnabled());
        QCOMPARE(octetTexts(*setup), QStringLiteral("... ... ... ..."));
        setup->click("dhcpOnRadioBtn");
        for (const char *name : kOctetFieldNames)
            QVERIFY(!setup->widget(name)->isEnabled());
        QVERIFY(boxes->boxes().isEmpty());
    }

    // The line edits count characters, the record bytes: a text whose 8-bit form does not fit is
    // refused, never cut inside a character.
    void networkTextLength_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("ssidBytes"); ///< bytes of the SSID in the local 8-bit encoding
        QTest::addColumn<int>("keyBytes");
        QTest::addColumn<QString>("box"); ///< empty: written
        const QString invalid = QStringLiteral("C:The input value is invalid.");
        const QString fileFailed = QStringLiteral("C:Failed to write Network Infomation file data.");
        QTest::newRow("body, SSID of 32 bytes") << "writeBodyPushBtn" << 32 << 1 << "";
        QTest::newRow("body, SSID of 33 bytes") << "writeBodyPushBtn" << 33 << 1 << invalid;
        QTest::newRow("body, key of 65 bytes") << "writeBodyPushBtn" << 1 << 65 << invalid;
        QTest::newRow("file, SSID of 32 bytes") << "writeFilePushBtn" << 32 << 1 << "";
        QTest::newRow("file, SSID of 33 bytes") << "writeFilePushBtn" << 33 << 1 << fileFailed;
        QTest::newRow("file, key of 65 bytes") << "writeFilePushBtn" << 1 << 65 << fileFailed;
    }
    // The fields count characters, the record bytes: a text that fits the field but not the
    // record is refused, not cut inside a character.
    void networkTextLength()
    {
        QFETCH(QString, button);
        QFETCH(int, ssidBytes);
        QFETCH(int, keyBytes);
        QFETCH(QString, box);
        // Texts of exactly so many bytes in the local 8-bit encoding, made mostly of a character
        // that takes more than one byte there (three in UTF-8, two in Shift_JIS).
        const QString wide = QString::fromUtf8("\xE3\x81\x82");
        const int wideBytes = wide.toLocal8Bit().size();
        if (wideBytes < 2 || QString::fromLocal8Bit(wide.toLocal8Bit()) != wide) {
            // A run meant for a code page of several bytes a character must not pass unseen.
            if (qEnvironmentVariableIsSet("KT9_MULTIBYTE_CODE_PAGE"))
                QFAIL("the local 8-bit encoding was to have characters of several bytes");
            QSKIP("the local 8-bit encoding has no character of several bytes: no text that fits a "
                  "field can be too long for the record");
        }
        const auto textOfBytes = [&](int bytes) {
            return wide.repeated(bytes / wideBytes) + QString(bytes % wideBytes, QLatin1Char('a'));
        };
        const QString ssid = textOfBytes(ssidBytes);
        const QString key = textOfBytes(keyBytes);
        const QString path = files->filePath(QStringLiteral("net.ini"));
        questions->answers = QStringList{path};
        setup->widget<QLineEdit>("SSIDlineEdit")->setText(ssid);
        setup->widget<QLineEdit>("passwdlineEdit")->setText(key);
        QCOMPARE(setup->widget<QLineEdit>("SSIDlineEdit")->text(), ssid);
        QCOMPARE(setup->widget<QLineEdit>("passwdlineEdit")->text(), key);
        setup->click(button.toLatin1().constData());

        const bool toFile = button == QLatin1String("writeFilePushBtn");
        QCOMPARE(shownBoxes(*boxes).size(), 1);
        if (!box.isEmpty()) {
            QCOMPARE(shownBoxes(*boxes).first(), box);
            QCOMPARE(QLXSIM_CallCount("QLX_SetNetworkInfo"), 0u);
            QVERIFY(!QFileInfo::exists(path));
            return;
        }
        QVERIFY(shownBoxes(*boxes).first().startsWith(QLatin1String("I:")));
        if (!toFile) {
            QCOMPARE(storedNetworkBytes("SSID"), ssid.toLocal8Bit());
            return;
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\r\nSSID=" + ssid.toLocal8Bit() +
                                        "\r\nEncryptKey=" + key.toLocal8Bit() + "\r\n"));
    }

    void networkWriteFile_data()
    {
        QTest::addColumn<QString>("answer"); ///< file name in the temporary folder; empty: cancelled
        QTest::addColumn<bool>("dhcpOn");
        QTest::addColumn<QString>("typed"); ///< empty: the fields are emptied with ON, OFF first
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("ipLine"); ///< expected IPAddress line; empty: no file

        const QString addresses = QStringLiteral("10.0.0.5 255.0.0.0 10.0.0.1 1.1.1.1");
        const QString invalid = QStringLiteral("C:The input value is invalid.");
        QTest::newRow("cancelled") << "" << false << addresses << ""
                                   << "";
        QTest::newRow("saved") << "net.ini" << false << addresses << "I:Successful file writing."
                               << "IPAddress=10.0.0.5";
        QTest::newRow("DHCP on saves the disabled fields")
            << "net.ini" << true << addresses << "I:Successful file writing."
            << "IPAddress=10.0.0.5";
        QTest::newRow("DHCP on with empty fields") << "net.ini" << true << "" << invalid << "";
        QTest::newRow("256") << "net.ini" << false << "10.0.0.5 255.0.0.0 10.0.0.1 1.1.256.1" << invalid
                             << "";
        QTest::newRow("folder missing")
            << "missing/net.ini" << false << addresses << "C:Failed to write Network Infomation file data."
            << "";
    }
    void networkWriteFile()
    {
        QFETCH(QString, answer);
        QFETCH(bool, dhcpOn);
        QFETCH(QString, typed);
        QFETCH(QString, box);
        QFETCH(QString, ipLine);

        if (typed.isEmpty()) {
            setup->click("dhcpOnRadioBtn");
            setup->click("dhcpOffRadioBtn");
        } else
            setOctetTexts(*setup, typed);
        if (dhcpOn)
            setup->click("dhcpOnRadioBtn");
        const QString path = answer.isEmpty() ? QString() : files->filePath(answer);
        questions->answers = QStringList{path};
        setup->click("writeFilePushBtn");

        QCOMPARE(questions->questions.size(), 1);
        QCOMPARE(questions->questions.first().parent, &setup->window);
        checkQuestion(questions->questions.first(), QStringLiteral("Save"), QStringLiteral("ini(*.ini)"));
        QCOMPARE(shownBoxes(*boxes), box.isEmpty() ? QStringList() : QStringList{box});
        QFile file(path);
        QCOMPARE(file.exists(), !ipLine.isEmpty());
        if (ipLine.isEmpty())
            return;
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'));
        QVERIFY2(lines.contains(ipLine), qPrintable(lines.join(QLatin1Char('|'))));
        QVERIFY(lines.contains(QStringLiteral("DHCPUse=%1").arg(dhcpOn ? 1 : 0)));
        QVERIFY(lines.contains(QStringLiteral("SSID=LabNet")));
    }

    void networkReadFile_data()
    {
        QTest::addColumn<QByteArray>("content"); ///< empty: the dialog is cancelled
        QTest::addColumn<QString>("box");
        const QByteArray good = "[Network]\r\nDHCPUse=1\r\nIPAddress=10.1.2.3\r\nSubnetMask=255.255.0.0\r\n"
                                "DefaultGateway=10.1.0.1\r\nSSID=FileNet\r\nEncryptKey=file-key\r\n"
                                "DNS=10.1.0.2\r\nAPConnectUse=0\r\n";
        QTest::newRow("cancelled") << QByteArray() << "";
        QTest::newRow("read") << good << "I:Successful read file data.";
        QTest::newRow("SSID missing") << QByteArray(good).replace("SSID=FileNet\r\n", "")
                                      << "C:Failed to read Network Infomation file data.";
        QTest::newRow("DHCPUse 2") << QByteArray(good).replace("DHCPUse=1", "DHCPUse=2")
                                   << "C:Failed to read Network Infomation file data.";
    }
    void networkReadFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, box);
        const QString path = files->filePath(QStringLiteral("in.ini"));
        if (!content.isEmpty())
            writeText(path, content);
        questions->answers = QStringList{content.isEmpty() ? QString() : path};
        setup->click("readToFilePushBtn");

        QCOMPARE(questions->questions.size(), 1);
        checkQuestion(questions->questions.first(), QStringLiteral("Open"), QStringLiteral("*(*.*)"));
        QCOMPARE(shownBoxes(*boxes), box.isEmpty() ? QStringList() : QStringList{box});
        if (box.startsWith(QLatin1String("I:"))) {
            QCOMPARE(octetTexts(*setup), QStringLiteral("10.1.2.3 255.255.0.0 10.1.0.1 10.1.0.2"));
            QCOMPARE(setup->text("SSIDlineEdit"), QStringLiteral("FileNet"));
            QVERIFY(setup->widget<QRadioButton>("dhcpOnRadioBtn")->isChecked());
            QVERIFY(setup->widget<QRadioButton>("disableRadioBtn")->isChecked());
            QVERIFY(!setup->widget("ipaddr1lineEdit")->isEnabled());
        } else {
            QCOMPARE(octetTexts(*setup), QStringLiteral("192.168.0.10 255.255.255.0 192.168.0.1 8.8.4.4"));
            QCOMPARE(setup->text("SSIDlineEdit"), QStringLiteral("LabNet"));
            QVERIFY(setup->widget<QRadioButton>("dhcpOffRadioBtn")->isChecked());
        }
        // Nothing in the instrument changes.
        QCOMPARE(QLXSIM_CallCount("QLX_SetNetworkInfo"), 0u);
    }

    void networkFileRoundTrip()
    {
        setup->click("disableRadioBtn");
        setup->click("dhcpOnRadioBtn");
        setOctetTexts(*setup, QStringLiteral("10.20.30.40 255.255.255.128 10.20.30.1 9.9.9.9"));
        setup->widget<QLineEdit>("SSIDlineEdit")->setText(QStringLiteral("Round Trip"));
        setup->widget<QLineEdit>("passwdlineEdit")->setText(QStringLiteral("p@ss=word;1"));
        const QString path = files->filePath(QStringLiteral("round.ini"));
        questions->answers = QStringList{path, path};
        setup->click("writeFilePushBtn");

        setup->click("enableRadioBtn");
        setup->click("dhcpOffRadioBtn");
        setup->widget<QLineEdit>("SSIDlineEdit")->setText(QStringLiteral("changed"));
        setup->widget<QLineEdit>("passwdlineEdit")->clear();
        setup->click("readToFilePushBtn");

        QCOMPARE(shownBoxes(*boxes),
                 (QStringList{"I:Successful file writing.", "I:Successful read file data."}));
        QCOMPARE(octetTexts(*setup), QStringLiteral("10.20.30.40 255.255.255.128 10.20.30.1 9.9.9.9"));
        QCOMPARE(setup->text("SSIDlineEdit"), QStringLiteral("Round Trip"));
        QCOMPARE(setup->text("passwdlineEdit"), QStringLiteral("p@ss=word;1"));
        QVERIFY(setup->widget<QRadioButton>("disableRadioBtn")->isChecked());
        QVERIFY(setup->widget<QRadioButton>("dhcpOnRadioBtn")->isChecked());
        QVERIFY(!setup->widget("dnsaddr4lineEdit")->isEnabled());
    }

    // SSIDs outside ASCII between the page, files and the instrument, in the code page the run
    // has: every text read is shown as it was written, and is either written back byte for byte
    // or refused with the page's message, never stored as '?' or U+FFFD. The files lie in a
    // folder whose name no single 8-bit code page holds.
    void networkCodePage_data()
    {
        QTest::addColumn<QString>("codePage"); ///< empty: every code page
        QTest::addColumn<QString>("source");   ///< "typed", "file" or "instrument"
        QTest::addColumn<QByteArray>("given"); ///< UTF-8 of the typed text, else the SSID bytes
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("stored"); ///< SSID bytes written to file and instrument; empty: refused
        const QString japanese = QString::fromUtf8("研究室のLAN");
        const QByteArray utf8 = japanese.toUtf8();
        const QByteArray shiftJis = QByteArray::fromHex("8CA48B868EBA82CC4C414E");
        QTest::newRow("ASCII typed") << ""
                                     << "typed" << QByteArray("Lab-Net 2") << "Lab-Net 2"
                                     << QByteArray("Lab-Net 2");
        QTest::newRow("932, typed") << "932"
                                    << "typed" << utf8 << japanese << shiftJis;
        QTest::newRow("932, Shift_JIS file") << "932"
                                             << "file" << shiftJis << japanese << shiftJis;
        QTest::newRow("932, UTF-8 file") << "932"
                                         << "file" << utf8 << japanese << shiftJis;
        QTest::newRow("932, instrument") << "932"
                                         << "instrument" << shiftJis << japanese << shiftJis;
        QTest::newRow("1252, typed") << "1252"
                                     << "typed" << utf8 << japanese << QByteArray();
        QTest::newRow("1252, UTF-8 file") << "1252"
                                          << "file" << utf8 << japanese << QByteArray();
        QTest::newRow("1252, Latin-1 file")
            << "1252"
            << "file" << QByteArray("caf\xE9") << QString::fromUtf8("café") << QByteArray("caf\xE9");
        QTest::newRow("UTF-8, typed") << "UTF-8"
                                      << "typed" << utf8 << japanese << utf8;
        QTest::newRow("UTF-8, Shift_JIS file")
            << "UTF-8"
            << "file" << shiftJis << QString(8, QChar::ReplacementCharacter) + "LAN" << QByteArray();
        QTest::newRow("UTF-8, instrument bytes of no text") << "UTF-8"
                                                            << "instrument" << QByteArray::fromHex("4C414EFF")
                                                            << QString::fromUtf8("LAN\uFFFD") << QByteArray();
    }
    void networkCodePage()
    {
        QFETCH(QString, codePage);
        QFETCH(QString, source);
        QFETCH(QByteArray, given);
        QFETCH(QString, shown);
        QFETCH(QByteArray, stored);
        // A run registered for a code page must not pass unseen in another one.
        if (qEnvironmentVariableIsSet("KT9_CODE_PAGE"))
            QCOMPARE(localCodePage(), qEnvironmentVariable("KT9_CODE_PAGE"));
        if (!codePage.isEmpty() && codePage != localCodePage())
            QSKIP("a row of another code page");

        const QString folder = files->filePath(QString::fromUtf8("測定 Données"));
        QVERIFY(QDir().mkpath(folder));
        const QString in = folder + QStringLiteral("/in.ini");
        const QString out = folder + QStringLiteral("/out.ini");
        QStringList expected;
        if (source == QLatin1String("typed")) {
            setup->widget<QLineEdit>("SSIDlineEdit")->setText(QString::fromUtf8(given));
        } else if (source == QLatin1String("file")) {
            writeText(in, "[Network]\r\nDHCPUse=0\r\nIPAddress=10.1.2.3\r\nSubnetMask=255.255.0.0\r\n"
                          "DefaultGateway=10.1.0.1\r\nSSID=" +
                              given + "\r\nEncryptKey=file-key\r\nDNS=10.1.0.2\r\nAPConnectUse=0\r\n");
            questions->answers = QStringList{in};
            setup->click("readToFilePushBtn");
            expected << "I:Successful read file data.";
        } else {
            QJsonObject network = storedNetwork();
            network.insert("SSID", QJsonObject{{"hex", QString::fromLatin1(given.toHex())}});
            sim->set("one", "network", network);
            setup->click("readBodyPushBtn");
            expected << "I:Successful read body data.";
        }
        QCOMPARE(setup->text("SSIDlineEdit"), shown);

        questions->answers = QStringList{out};
        setup->click("writeFilePushBtn");
        if (stored.isEmpty()) {
            expected << "C:Failed to write Network Infomation file data.";
            QVERIFY(!QFileInfo::exists(out));
        } else {
            expected << "I:Successful file writing.";
            QFile file(out);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray content = file.readAll();
            QVERIFY2(content.contains("\r\nSSID=" + stored + "\r\n"), content.toHex(' ').constData());
            setup->widget<QLineEdit>("SSIDlineEdit")->setText(QStringLiteral("changed"));
            questions->answers = QStringList{out};
            setup->click("readToFilePushBtn");
            expected << "I:Successful read file data.";
            QCOMPARE(setup->text("SSIDlineEdit"), shown);
        }

        setup->click("writeBodyPushBtn");
        if (stored.isEmpty()) {
            expected << "C:The input value is invalid.";
            QCOMPARE(QLXSIM_CallCount("QLX_SetNetworkInfo"), 0u);
        } else {
            expected << "I:Write successful. To reflect, after [Disconnect], turn the power supply of the "
                        "measuring instrument OFF -> ON.";
            QCOMPARE(storedNetworkBytes("SSID"), stored);
        }
        QCOMPARE(shownBoxes(*boxes), expected);
    }

    void calibrationReadFile_data()
    {
        QTest::addColumn<QString>("pageName");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("serialLine"); ///< empty: the file does not exist
        QTest::addColumn<int>("valueCountChange");
        QTest::addColumn<QString>("shownName");
        QTest::addColumn<QString>("shownSerial"); ///< empty: the file is refused

        QTest::newRow("white accepted") << "white"
                                        << "white.2024.csv"
                                        << "10000001" << 0 << "white"
                                        << "10000001";
        QTest::newRow("white serial at limit") << "white"
                                               << "w.csv"
                                               << "10000000" << 0 << "w"
                                               << "";
        QTest::newRow("white one value short") << "white"
                                               << "w.csv"
                                               << "12345679" << -1 << "w"
                                               << "";
        QTest::newRow("white file missing") << "white"
                                            << "gone.csv"
                                            << "" << 0 << "gone"
                                            << "";
        QTest::newRow("adapter accepted") << "ambient"
                                          << "adapter.v2.csv"
                                          << "00099999" << 0 << "adapter"
                                          << "00099999";
        QTest::newRow("adapter serial too small") << "ambient"
                                                  << "a.csv"
                                                  << "00010000" << 0 << "a"
                                                  << "";
        QTest::newRow("adapter serial too large") << "ambient"
                                                  << "a.csv"
                                                  << "00100000" << 0 << "a"
                                                  << "";
        QTest::newRow("adapter one value more") << "ambient"
                                                << "a.csv"
                                                << "00054322" << 1 << "a"
                                                << "";
    }
    void calibrationReadFile()
    {
        QFETCH(QString, pageName);
        QFETCH(QString, fileName);
        QFETCH(QString, serialLine);
        QFETCH(int, valueCountChange);
        QFETCH(QString, shownName);
        QFETCH(QString, shownSerial);
        const Page p = page(pageName);

        // A good file first, so a refused one has to disable the write button again.
        const QString good = files->filePath(QStringLiteral("good.csv"));
        writeCalibrationFile(good, goodSerial(pageName), p.valueCount);
        const QString path = files->filePath(fileName);
        if (!serialLine.isEmpty())
            writeCalibrationFile(path, serialLine, p.valueCount + valueCountChange);
        questions->answers = QStringList{good, path};
        setup->click(p.readButton);
        QCOMPARE(setup->widget(p.writeButton)->isEnabled(), true);
        setup->click(p.readButton);

        const QString expectedBox = shownSerial.isEmpty() ? QStringLiteral("C:Failed to read file data.")
                                                          : "I:Successful read file data.";
        QCOMPARE(shownBoxes(*boxes), (QStringList{"I:Successful read file data.", expectedBox}));
        QCOMPARE(setup->text(p.fileNameLabel), shownName);
        QCOMPARE(setup->text(p.fileSerialLabel), shownSerial);
        QCOMPARE(setup->widget(p.writeButton)->isEnabled(), !shownSerial.isEmpty());
        QCOMPARE(setup->widget(p.readButton)->isEnabled(), true);
        QCOMPARE(setup->text(p.currentSerialLabel), instrumentSerial(pageName));
        for (const FileQuestionAnswerer::Question &question : questions->questions)
            checkQuestion(question, QStringLiteral("Open"), QStringLiteral("csv(*.csv)"));
    }

    void calibrationRegister_data()
    {
        QTest::addColumn<QString>("pageName");
        QTest::addColumn<QString>("failure"); ///< empty: the registration succeeds
        for (const char *name : {"white", "ambient"}) {
            QTest::addRow("%s registered", name) << name << "";
            QTest::addRow("%s file cancelled, earlier file registered", name) << name << "cancel";
            QTest::addRow("%s file replaced by a bad one", name) << name << "replaced";
            QTest::addRow("%s read-back differs", name) << name << "readBackDiffers";
            QTest::addRow("%s record refused", name) << name << "QLX_JIG_SetFactoryCalib_CALREFDATA";
            QTest::addRow("%s sector write fails", name) << name << "QLX_JIG_SetFactoryCalib_WriteSector";
        }
    }
    void calibrationRegister()
    {
        QFETCH(QString, pageName);
        QFETCH(QString, failure);
        const Page p = page(pageName);
        const QString path = files->filePath(QStringLiteral("values.csv"));
        writeCalibrationFile(path, goodSerial(pageName), p.valueCount, 2.0);
        questions->answers = QStringList{path};
        setup->click(p.readButton);

        if (failure == QLatin1String("cancel")) {
            setup->click(p.readButton);
            QCOMPARE(setup->text(p.fileNameLabel), QStringLiteral("values"));
            QCOMPARE(setup->text(p.fileSerialLabel), goodSerial(pageName));
        } else if (failure == QLatin1String("replaced")) {
            writeCalibrationFile(path, goodSerial(pageName), p.valueCount - 1);
        } else if (failure == QLatin1String("readBackDiffers")) {
            sim->set("one", "readBackDiffers", true);
        } else if (!failure.isEmpty()) {
            QLXSIM_InjectStatus(failure.toLatin1().constData(), QLX_ERROR);
        }
        const bool succeeds = failure.isEmpty() || failure == QLatin1String("cancel");

        QString labelWhileOpen;
        QString buttonsWhileOpen;
        boxes->onBox([&](QMessageBox *) {
            labelWhileOpen = setup->text(p.currentSerialLabel);
            buttonsWhileOpen = buttonStates(*setup, {p.readButton, p.writeButton});
        });
        boxes->clear();
        setup->click(p.writeButton);

        QCOMPARE(shownBoxes(*boxes),
                 QStringList{succeeds ? QStringLiteral("I:Successful device writing.") : p.failureText});
        QCOMPARE(buttonsWhileOpen, QStringLiteral("--"));
        QCOMPARE(buttonStates(*setup, {p.readButton, p.writeButton}), QStringLiteral("++"));
        // The current serial number changes only once the box is closed.
        QCOMPARE(labelWhileOpen, instrumentSerial(pageName));
        QCOMPARE(setup->text(p.currentSerialLabel),
                 succeeds ? goodSerial(pageName) : instrumentSerial(pageName));
        const QJsonObject calibration = sim->read("one").value("calibration").toObject();
        if (succeeds) {
            QCOMPARE(calibration.value(p.serialKey).toString(), goodSerial(pageName));
            const QJsonArray values = calibration.value(p.valuesKey).toArray();
            QCOMPARE(values.size(), p.valueCount);
            QCOMPARE(values.first().toDouble(), 2.0);
            QCOMPARE(values.last().toDouble(), 2.0 + (p.valueCount - 1) * 0.125);
            // The other accessory's values stay as they were.
            const char *other = pageName == QLatin1String("white") ? "ambientSerial" : "whiteSerial";
            QCOMPARE(calibration.value(other).toString(),
                     instrumentSerial(pageName == QLatin1String("white") ? "ambient" : "white"));
        } else if (failure != QLatin1String("readBackDiffers")) {
            QCOMPARE(calibration.value(p.serialKey).toString(), instrumentSerial(pageName));
        }
    }

    void powerOffRead_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("box");
        const QString ok = QStringLiteral("I:Successful read body data.");
        QTest::newRow("0") << 0 << false << "invalidradioBtn" << ok;
        QTest::newRow("1") << 1 << false << "fifteenRadioBtn" << ok;
        QTest::newRow("2") << 2 << false << "thirtyRadioBtn" << ok;
        QTest::newRow("3") << 3 << false << "sixtyRadioBtn" << ok;
        QTest::newRow("4 keeps the check mark") << 4 << false << "fifteenRadioBtn" << ok;
        QTest::newRow("read fails") << 0 << true << "fifteenRadioBtn"
                                    << "C:Failed to read automatic shutdown time.";
    }
    void powerOffRead()
    {
        QFETCH(int, mode);
        QFETCH(bool, fails);
        QFETCH(QString, checked);
        QFETCH(QString, box);
        setup->click("fifteenRadioBtn");
        sim->set("one", "shutdownMode", mode);
        if (fails)
            QLXSIM_InjectStatus("QLX_GetShutdownTime", QLX_ERROR);
        QString buttonsWhileOpen;
        boxes->onBox([&](QMessageBox *) {
            buttonsWhileOpen = buttonStates(*setup, {"getAutoPWOffPushBtn", "setAutoPWOffPushBtn"});
        });
        setup->click("getAutoPWOffPushBtn");

        QCOMPARE(shownBoxes(*boxes), QStringList{box});
        QCOMPARE(buttonsWhileOpen, QStringLiteral("--"));
        QCOMPARE(buttonStates(*setup, {"getAutoPWOffPushBtn", "setAutoPWOffPushBtn"}), QStringLiteral("++"));
        for (const char *name : {"invalidradioBtn", "fifteenRadioBtn", "thirtyRadioBtn", "sixtyRadioBtn"})
            QCOMPARE(setup->widget<QRadioButton>(name)->isChecked(), checked == QLatin1String(name));
    }

    void powerOffWrite_data()
    {
        QTest::addColumn<QString>("radio"); ///< empty: none checked
        QTest::addColumn<bool>("fails");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("box");
        const QString ok = QStringLiteral("I:Successful device writing.");
        const QString failed = QStringLiteral("C:Failed to write automatic shutdown time.");
        QTest::newRow("disabled") << "invalidradioBtn" << false << 0 << ok;
        QTest::newRow("15 minutes") << "fifteenRadioBtn" << false << 1 << ok;
        QTest::newRow("60 minutes") << "sixtyRadioBtn" << false << 3 << ok;
        QTest::newRow("none checked") << "" << false << 2 << failed;
        QTest::newRow("instrument refuses") << "sixtyRadioBtn" << true << 2 << failed;
    }
    void powerOffWrite()
    {
        QFETCH(QString, radio);
        QFETCH(bool, fails);
        QFETCH(int, stored);
        QFETCH(QString, box);
        if (radio.isEmpty()) {
            // A session whose mode could not be read leaves every button unchecked.
            QLXSIM_InjectStatus("QLX_GetShutdownTime", QLX_ERROR);
            setup->click("disConnectPushBtn");
            setup->click("ConnectPushBtn");
            boxes->clear();
        } else {
            setup->click(qPrintable(radio));
        }
        if (fails)
            QLXSIM_InjectStatus("QLX_SetShutdownTime", QLX_ERROR);
        const uint32_t callsBefore = QLXSIM_CallCount("QLX_SetShutdownTime");
        QString buttonsWhileOpen;
        boxes->onBox([&](QMessageBox *) {
            buttonsWhileOpen = buttonStates(*setup, {"getAutoPWOffPushBtn", "setAutoPWOffPushBtn"});
        });
        setup->click("setAutoPWOffPushBtn");

        QCOMPARE(shownBoxes(*boxes), QStringList{box});
        QCOMPARE(buttonsWhileOpen, QStringLiteral("--"));
        QCOMPARE(sim->read("one").value("shutdownMode").toInt(), stored);
        QCOMPARE(QLXSIM_CallCount("QLX_SetShutdownTime") - callsBefore, radio.isEmpty() ? 0u : 1u);
        QCOMPARE(buttonStates(*setup, {"getAutoPWOffPushBtn", "setAutoPWOffPushBtn"}), QStringLiteral("++"));
    }

    // The connection is lost while the user is still choosing a file: the watch empties the
    // pages, and the file chosen afterwards is neither shown, checked nor written.
    void fileQuestionOutlivesSession_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("network Read From File...") << "readToFilePushBtn"
                                                   << "network.ini";
        QTest::newRow("network Write To File...") << "writeFilePushBtn"
                                                  << "saved.ini";
        QTest::newRow("white plate Read From File...") << "selWCPFilePushBtn"
                                                       << "white.csv";
        QTest::newRow("ambient adapter Read From File...") << "selAmbLightAdpFilePushBtn"
                                                           << "ambient.csv";
    }
    void fileQuestionOutlivesSession()
    {
        QFETCH(QString, button);
        QFETCH(QString, fileName);
        const QString path = files->filePath(fileName);
        if (fileName == QLatin1String("network.ini"))
            QVERIFY(setup->controller->saveNetworkFile(QFile::encodeName(path).constData()));
        else if (fileName == QLatin1String("white.csv"))
            writeCalibrationFile(path, goodSerial("white"), int(QLX_WHITE_VALUE_COUNT));
        else if (fileName == QLatin1String("ambient.csv"))
            writeCalibrationFile(path, goodSerial("ambient"), int(QLX_AMBIENT_VALUE_COUNT));

        auto answerAfterLoss = [&](QWidget *, const QString &, const QString &, const QString &, QString *,
                                   QFileDialog::Options) {
            deviceDisconnected = true;
            QDeadlineTimer deadline(2500);
            while (boxes->boxes().isEmpty() && !deadline.hasExpired())
                QTest::qWait(10);
            return path;
        };
        setup->window.openFileName = answerAfterLoss;
        setup->window.saveFileName = answerAfterLoss;
        setup->click(qPrintable(button));

        QCOMPARE(shownBoxes(*boxes),
                 QStringList{"C:The connection with the measuring instrument was disconnected."});
        QCOMPARE(
            WindowView::of(&setup->window).toString(),
            QStringLiteral("buttons +-+ | pages ---- | page buttons ++++ ++ +- +- | header  | network  | "
                           "radios  | serials  | files  | open"));
        QCOMPARE(QFile::exists(path), fileName != QLatin1String("saved.ini"));
    }
};

QTEST_MAIN(TestTabs)
#include "tst_tabs.moc"
