#pragma once
// Helpers for the main settings window's tests: a complete simulated instrument, the window
// wired to a controller and the device selection dialog as start-up wires it, answers to the
// window's file questions, and calibration value files.

#include "TestSupport.h"

#include "instrument/CQlxSdk_Ctrl.h"
#include "ui/ConnectSelectDialog.h"
#include "ui/InitSettingDialog.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

#include <memory>

// An instrument with every key the window shows: wireless LAN module present, DHCP off,
// auto power-off 30 minutes, calibration serial numbers 12345678 and 00054321.
inline QJsonObject completeInstrument(int serialNo)
{
    QJsonArray white;
    for (int i = 0; i < int(QLX_WHITE_VALUE_COUNT); ++i)
        white.append(0.5 + i);
    QJsonArray ambient;
    for (int i = 0; i < int(QLX_AMBIENT_VALUE_COUNT); ++i)
        ambient.append(0.25 * i);
    return QJsonObject{
        {QStringLiteral("portType"), QLX_PORT_TYPE_USB},
        {QStringLiteral("serialNo"), serialNo},
        {QStringLiteral("firmware"), QJsonObject{{"major", 1}, {"minor", 2}, {"build", 3}}},
        {QStringLiteral("macAddress"), QStringLiteral("0A:B0:00:01:FF:10")},
        {QStringLiteral("wifiModuleEnable"), 1},
        {QStringLiteral("shutdownMode"), int(QLX_SHUTDOWN_30_MIN)},
        {QStringLiteral("network"), QJsonObject{{"APConnectUse", 1},
                                                {"DHCPUse", 0},
                                                {"IPAddress", "192.168.0.10"},
                                                {"SubnetMask", "255.255.255.0"},
                                                {"DefaultGateway", "192.168.0.1"},
                                                {"DNS", "8.8.4.4"},
                                                {"SSID", "LabNet"},
                                                {"EncryptKey", "key-1234"}}},
        {QStringLiteral("calibration"), QJsonObject{{"whiteSerial", "12345678"},
                                                    {"ambientSerial", "00054321"},
                                                    {"whiteValues", white},
                                                    {"ambientValues", ambient}}},
    };
}

// A child widget of the window by object name; fails the test when it is missing.
template <typename Widget = QWidget> Widget *child(QWidget *window, const char *name)
{
    auto *widget = window->findChild<Widget *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

// The window, the controller and the device selection dialog, wired as start-up wires them.
struct MainWindowSetup
{
    MainWindowSetup()
    {
        deviceDisconnected = false;
        window.setController(controller);
        window.setConnectSelectDialog(&selectDialog);
    }
    ~MainWindowSetup()
    {
        if (controller->connected)
            controller->disconnectDevice();
        deviceDisconnected = false;
    }
    // Lists the instruments and initialises the window with index, as start-up does.
    void start(int32_t index = 0)
    {
        controller->refreshPortList();
        window.initialize(index, true);
    }
    template <typename Widget = QWidget> Widget *widget(const char *name)
    {
        return child<Widget>(&window, name);
    }
    QString text(const char *name)
    {
        QWidget *target = widget(name);
        if (auto *label = qobject_cast<QLabel *>(target))
            return label->text();
        return child<QLineEdit>(&window, name)->text();
    }
    void click(const char *name) { QTest::mouseClick(widget<QAbstractButton>(name), Qt::LeftButton); }

    std::shared_ptr<CQlxSdk_Ctrl> controller = std::make_shared<CQlxSdk_Ctrl>();
    ConnectSelectDialog selectDialog;
    InitSettingDialog window;
};

// Answers the window's open/save questions with prepared names and records what was asked.
struct FileQuestionAnswerer
{
    struct Question
    {
        QWidget *parent;
        QString caption;
        QString dir;
        QString filter;
        QString selectedFilter;
        QFileDialog::Options options;
    };

    explicit FileQuestionAnswerer(InitSettingDialog &window)
    {
        auto answer = [this](QWidget *parent, const QString &caption, const QString &dir,
                             const QString &filter, QString *selectedFilter, QFileDialog::Options options) {
            questions.append(
                {parent, caption, dir, filter, selectedFilter ? *selectedFilter : QString(), options});
            return answers.isEmpty() ? QString() : answers.takeFirst();
        };
        window.openFileName = answer;
        window.saveFileName = answer;
    }

    QStringList answers; ///< consumed one per question; empty means the user cancels
    QVector<Question> questions;
};

const char *const kOctetFieldNames[] = {
    "ipaddr1lineEdit",     "ipaddr2lineEdit",     "ipaddr3lineEdit",     "ipaddr4lineEdit",
    "subnetMask1lineEdit", "subnetMask2lineEdit", "subnetMask3lineEdit", "subnetMask4lineEdit",
    "defGWaddr1lineEdit",  "defGWaddr2lineEdit",  "defGWaddr3lineEdit",  "defGWaddr4lineEdit",
    "dnsaddr1lineEdit",    "dnsaddr2lineEdit",    "dnsaddr3lineEdit",    "dnsaddr4lineEdit"};

const char *const kRadioButtonNames[] = {"enableRadioBtn",  "disableRadioBtn", "dhcpOnRadioBtn",
                                         "dhcpOffRadioBtn", "invalidradioBtn", "fifteenRadioBtn",
                                         "thirtyRadioBtn",  "sixtyRadioBtn"};

// The 16 octet fields' texts joined as four dotted addresses.
inline QString octetTexts(MainWindowSetup &setup)
{
    QStringList octets;
    for (const char *name : kOctetFieldNames)
        octets.append(setup.text(name));
    QStringList addresses;
    for (int i = 0; i < octets.size(); i += 4)
        addresses.append(octets.mid(i, 4).join(QLatin1Char('.')));
    return addresses.join(QLatin1Char(' '));
}

// Writes a calibration value file: two heading lines, the serial number line, the values.
inline void writeCalibrationFile(const QString &path, const QString &serialLine, int valueCount,
                                 double first = 1.0)
{
    QStringList values;
    for (int i = 0; i < valueCount; ++i)
        values.append(QString::number(first + i * 0.125));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write("Calibration values\r\nheading\r\n");
    file.write(serialLine.toLatin1() + "\r\n");
    file.write(values.join(QLatin1Char(',')).toLatin1() + "\r\n");
}

// What the main window shows, part by part: enabled states, texts, check marks and the chosen
// calibration files. Compared as one text, so that a failure prints every part side by side.
struct WindowView
{
    QString buttons;     ///< Connect, Disconnect, Close: '+' enabled, '-' disabled
    QString pages;       ///< network, auto power-off, white plate and ambient adapter pages
    QString pageButtons; ///< each page's own buttons, by their own enabled flag
    QString header;      ///< serial number, firmware version, MAC address
    QString network;     ///< SSID, security key and the four addresses
    QString radios;      ///< the checked radio buttons
    QString serials;     ///< current white plate and ambient adapter serial numbers
    QString files;       ///< white plate, then ambient adapter: chosen file name and its serial number
    bool open = true;    ///< not finished (closed windows set their finished flag)

    static WindowView of(InitSettingDialog *window)
    {
        auto enabled = [window](std::initializer_list<const char *> names, bool own) {
            QString states;
            for (const char *name : names) {
                QWidget *widget = child(window, name);
                const bool on = own ? widget->isEnabledTo(widget->parentWidget()) : widget->isEnabled();
                states += on ? QLatin1Char('+') : QLatin1Char('-');
            }
            return states;
        };
        auto text = [window](const char *name) {
            QWidget *widget = child(window, name);
            if (auto *label = qobject_cast<QLabel *>(widget))
                return label->text();
            return child<QLineEdit>(window, name)->text();
        };
        auto joined = [](const QStringList &parts) {
            for (const QString &part : parts) {
                if (!part.isEmpty())
                    return parts.join(QLatin1Char(' '));
            }
            return QString();
        };

        WindowView view;
        view.buttons = enabled({"ConnectPushBtn", "disConnectPushBtn", "ClosePushBtn"}, false);
        view.pages = enabled({"networkSetTab", "autoPowerOfftab", "wCalibPlateTab", "ambLightAdpTab"}, false);
        view.pageButtons =
            enabled({"readToFilePushBtn", "writeFilePushBtn", "readBodyPushBtn", "writeBodyPushBtn"}, true) +
            ' ' + enabled({"getAutoPWOffPushBtn", "setAutoPWOffPushBtn"}, true) + ' ' +
            enabled({"selWCPFilePushBtn", "setWCPValPushBtn"}, true) + ' ' +
            enabled({"selAmbLightAdpFilePushBtn", "setAmbAdpBodyPushBtn"}, true);
        view.header = joined({text("serialNolabel"), text("firmVersionlabel"), text("MACAddresslabel")});
        QStringList network{text("SSIDlineEdit"), text("passwdlineEdit")};
        for (int address = 0; address < 4; ++address) {
            QStringList octets;
            for (int octet = 0; octet < 4; ++octet)
                octets.append(text(kOctetFieldNames[address * 4 + octet]));
            network.append(joined(octets).isEmpty() ? QString() : octets.join(QLatin1Char('.')));
        }
        view.network = joined(network);
        QStringList checked;
        for (const char *name : kRadioButtonNames) {
            if (child<QRadioButton>(window, name)->isChecked())
                checked.append(QString::fromLatin1(name));
        }
        view.radios = checked.join(QLatin1Char(','));
        view.serials = joined({text("curWCalibPlateSerialNolabel"), text("curAmbAdpSerialNolabel")});
        const QString whiteFile = joined({text("selWCPFileNamelabel"), text("selFileSerialNolabel")});
        const QString ambientFile = joined({text("selAmbAdpFnamelabel"), text("selAmbAdpFSerialNolabel")});
        if (!whiteFile.isEmpty() || !ambientFile.isEmpty())
            view.files = whiteFile + QStringLiteral(" / ") + ambientFile;
        view.open = !window->finished;
        return view;
    }

    QString toString() const
    {
        return QStringLiteral(
                   "buttons %1 | pages %2 | page buttons %3 | header %4 | network %5 | radios %6 | "
                   "serials %7 | files %8 | %9")
            .arg(buttons, pages, pageButtons, header, network, radios, serials, files,
                 open ? QStringLiteral("open") : QStringLiteral("closed"));
    }
};

// The texts of the boxes shown, each prefixed with its kind: "C:" critical, "I:" information.
inline QStringList shownBoxes(const ModalBoxAnswerer &answerer)
{
    QStringList result;
    for (const ModalBoxAnswerer::Box &box : answerer.boxes())
        result.append((box.icon == QMessageBox::Critical ? QStringLiteral("C:") : QStringLiteral("I:")) +
                      box.text);
    return result;
}
