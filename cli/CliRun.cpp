#include "CliRun.h"

#include "CliOutput.h"
#include "CliTexts.h"
#include "Interrupt.h"
#include "instrument/CQlxSdk_Ctrl.h"
#include "instrument/EightBitText.h"

#include <QByteArray>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QVector>

#include <cstring>

namespace {

const QString HIDDEN_KEY = QStringLiteral("***");

// One field that differs between the instrument and what is (or would be) written.
struct Change
{
    QString field; ///< name in the JSON document
    QString label; ///< caption in the text output
    QString oldText;
    QString newText;
    QJsonValue oldValue;
    QJsonValue newValue;
};

// One value that show reports.
struct Shown
{
    QString field;
    QString label;
    QString text;
    QJsonValue value;
};

struct InstrumentResult
{
    enum Outcome
    {
        Succeeded,
        Failed,
        NotDone,
    };
    int port = 0; ///< position in the list, counted from 1
    QString serial;
    QString label;
    Outcome outcome = NotDone;
    QStringList messages;
    QVector<Change> changes;
    QVector<Shown> shown;
};

QString addressText(const uint8_t (&octets)[QLX_IPV4_SIZE])
{
    return QStringLiteral("%1.%2.%3.%4").arg(octets[0]).arg(octets[1]).arg(octets[2]).arg(octets[3]);
}

// Text of a fixed-size character field up to its first zero byte.
QByteArray fieldBytes(const char *field, std::size_t size)
{
    return QByteArray(field, int(qstrnlen(field, size)));
}

QString withColon(const QString &caption)
{
    return caption.endsWith(QLatin1Char(':')) ? caption : caption + QLatin1Char(':');
}

// The power-off time as the command line names it, and as the window's page shows it.
QString powerOffWord(QlxShutdownMode mode)
{
    switch (mode) {
    case QLX_SHUTDOWN_DISABLED:
        return QStringLiteral("off");
    case QLX_SHUTDOWN_15_MIN:
        return QStringLiteral("15");
    case QLX_SHUTDOWN_30_MIN:
        return QStringLiteral("30");
    case QLX_SHUTDOWN_60_MIN:
        return QStringLiteral("60");
    default:
        return QStringLiteral("unknown");
    }
}

QString powerOffCaption(QlxShutdownMode mode)
{
    switch (mode) {
    case QLX_SHUTDOWN_DISABLED:
        return windowText(WindowText::POWER_OFF_DISABLED);
    case QLX_SHUTDOWN_15_MIN:
        return windowText(WindowText::POWER_OFF_15);
    case QLX_SHUTDOWN_30_MIN:
        return windowText(WindowText::POWER_OFF_30);
    case QLX_SHUTDOWN_60_MIN:
        return windowText(WindowText::POWER_OFF_60);
    default:
        return CliText::tr("unknown mode %1").arg(int(mode));
    }
}

QString resultWord(InstrumentResult::Outcome outcome)
{
    switch (outcome) {
    case InstrumentResult::Succeeded:
        return CliText::tr("OK");
    case InstrumentResult::Failed:
        return CliText::tr("FAILED");
    case InstrumentResult::NotDone:
        break;
    }
    return CliText::tr("NOT DONE");
}

QString resultName(InstrumentResult::Outcome outcome)
{
    switch (outcome) {
    case InstrumentResult::Succeeded:
        return QStringLiteral("succeeded");
    case InstrumentResult::Failed:
        return QStringLiteral("failed");
    case InstrumentResult::NotDone:
        break;
    }
    return QStringLiteral("not-done");
}

QJsonObject errorDocument(const QString &commandName, const QString &error, int exitStatus)
{
    return QJsonObject{{QStringLiteral("command"), commandName},
                       {QStringLiteral("error"), error},
                       {QStringLiteral("exitStatus"), exitStatus}};
}

class Run
{
public:
    Run(const CliRequest &request, CliOutput &output) : m_request(request), m_output(output) {}

    int exec();

private:
    using Operation = bool (Run::*)(InstrumentResult &);

    int list();
    // Reads and checks the command's input file before any instrument is touched.
    bool prepare();
    // The positions in the port list the command works on; on failure reports and sets status.
    bool selectTargets(QVector<int> &targets, int &status);
    InstrumentResult process(int index);
    bool show(InstrumentResult &result);
    bool networkLoad(InstrumentResult &result);
    bool networkSave(InstrumentResult &result);
    bool powerOff(InstrumentResult &result);
    bool registerAccessory(InstrumentResult &result);
    Operation operation() const;

    // The network settings as the window would take them from its page: the address octets and
    // the two switches. The SSID and key stay the bytes that were read, copied unchanged: kt9-cli
    // shows them but never turns them into text and back.
    void applyNetworkSettings(const CQlxSdk_Ctrl::AddressOctets &octets);
    // Reads the instrument's network settings into the controller, as the window's network page
    // shows them; false, with the window's message, without a wireless LAN module or on failure.
    bool readNetworkSettings(InstrumentResult &result);
    QString keyText(const QByteArray &key) const;
    QVector<Change> networkChanges(const QlxNetworkInfo &before, const QlxNetworkInfo &after) const;
    void addNetworkShown(InstrumentResult &result) const;

    int fail(const QString &error, int status);
    void printResult(const InstrumentResult &result);
    int finish(const QVector<InstrumentResult> &results, bool interrupted);

    const CliRequest &m_request;
    CliOutput &m_output;
    CQlxSdk_Ctrl m_ctrl;
    QByteArray m_filePath;        ///< the input or output file (filePathArgument); empty: none
    QlxNetworkInfo m_wanted = {}; ///< network load: the record every instrument gets
    QString m_fileSerial;         ///< register: the serial number in the calibration file
};

int Run::exec()
{
    if (m_request.command == CliCommand::List)
        return list();
    if (m_request.fileNamed)
        m_filePath = filePathArgument(m_request.file);
    if (!prepare())
        return CLI_EXIT_USAGE;

    QVector<int> targets;
    int status = CLI_EXIT_SUCCESS;
    if (!selectTargets(targets, status))
        return status;

    QVector<InstrumentResult> results;
    bool interrupted = false;
    for (int i = 0; i < targets.size(); ++i) {
        if (interruptRequested()) {
            interrupted = true;
            for (int j = i; j < targets.size(); ++j) {
                InstrumentResult notDone;
                notDone.port = targets[j] + 1;
                notDone.serial = serialNumberLabel(m_ctrl.ports[targets[j]].serialNo);
                notDone.label = m_ctrl.portLabels[targets[j]];
                results.append(notDone);
                printResult(notDone);
            }
            break;
        }
        if (targets.size() > 1)
            m_output.progress(CliText::tr("Instrument %1 of %2: %3")
                                  .arg(i + 1)
                                  .arg(targets.size())
                                  .arg(serialNumberLabel(m_ctrl.ports[targets[i]].serialNo)));
        results.append(process(targets[i]));
        printResult(results.last());
    }
    return finish(results, interrupted);
}

int Run::list()
{
    if (!m_ctrl.refreshPortList())
        return fail(windowText(WindowText::NOT_CONNECTED), CLI_EXIT_FAILURE);
    QJsonArray instruments;
    for (int i = 0; i < m_ctrl.ports.size(); ++i) {
        const QString serial = serialNumberLabel(m_ctrl.ports[i].serialNo);
        if (m_request.json)
            instruments.append(QJsonObject{{QStringLiteral("port"), i + 1},
                                           {QStringLiteral("serial"), serial},
                                           {QStringLiteral("label"), m_ctrl.portLabels[i]}});
        else
            m_output.line(QStringLiteral("%1  %2  %3").arg(i + 1).arg(serial, m_ctrl.portLabels[i]));
    }
    if (m_ctrl.ports.isEmpty() && !m_request.json)
        m_output.line(windowText(WindowText::NOT_CONNECTED));
    if (m_request.json)
        m_output.document(QJsonObject{{QStringLiteral("command"), m_request.commandName},
                                      {QStringLiteral("instruments"), instruments},
                                      {QStringLiteral("exitStatus"), CLI_EXIT_SUCCESS}});
    return CLI_EXIT_SUCCESS;
}

bool Run::prepare()
{
    const QString file = QDir::toNativeSeparators(m_request.file);
    if (m_request.command == CliCommand::NetworkLoad) {
        if (!m_ctrl.loadNetworkFile(m_filePath.constData())) {
            fail(QStringLiteral("%1: %2").arg(file, windowText(WindowText::NETWORK_FILE_READ_FAILED)),
                 CLI_EXIT_USAGE);
            return false;
        }
        const CQlxSdk_Ctrl::AddressTexts texts = {m_ctrl.ipAddressOctets, m_ctrl.subnetMaskOctets,
                                                  m_ctrl.defaultGatewayOctets, m_ctrl.dnsOctets};
        CQlxSdk_Ctrl::AddressOctets octets;
        if (!CQlxSdk_Ctrl::addressesToSend(m_ctrl.dhcpEnabled, texts, octets)) {
            fail(QStringLiteral("%1: %2").arg(file, windowText(WindowText::INPUT_INVALID)), CLI_EXIT_USAGE);
            return false;
        }
        applyNetworkSettings(octets);
        m_wanted = m_ctrl.networkInfo;
    } else if (m_request.command == CliCommand::Register) {
        const bool white = m_request.accessory == CliAccessory::WhitePlate;
        const bool accepted = white ? m_ctrl.checkWhitePlateFile(m_filePath.constData())
                                    : m_ctrl.checkAmbientAdapterFile(m_filePath.constData());
        if (!accepted) {
            fail(QStringLiteral("%1: %2").arg(file, windowText(WindowText::CAL_FILE_READ_FAILED)),
                 CLI_EXIT_USAGE);
            return false;
        }
        m_fileSerial = white ? m_ctrl.whitePlateFileSerialText : m_ctrl.ambientAdapterFileSerialText;
    }
    return true;
}

bool Run::selectTargets(QVector<int> &targets, int &status)
{
    if (!m_ctrl.refreshPortList() || m_ctrl.ports.isEmpty()) {
        status = fail(windowText(WindowText::NOT_CONNECTED), CLI_EXIT_FAILURE);
        return false;
    }
    const int count = m_ctrl.ports.size();
    const CliTarget &target = m_request.target;
    QString error;
    switch (target.kind) {
    case CliTarget::Unnamed:
        if (count == 1)
            targets.append(0);
        else if (m_request.command == CliCommand::NetworkSave || m_request.command == CliCommand::Register)
            error = CliText::tr("%1 instruments are listed: choose one with --port N or --serial NNNNNNNN.")
                        .arg(count);
        else
            error = CliText::tr("%1 instruments are listed: choose one with --port N or --serial NNNNNNNN, "
                                "or all of them with --all.")
                        .arg(count);
        break;
    case CliTarget::Port:
        if (target.port <= count)
            targets.append(target.port - 1);
        else
            error = CliText::tr("--port %1: there is no such instrument; %2 are listed.")
                        .arg(target.port)
                        .arg(count);
        break;
    case CliTarget::Serial:
        for (int i = 0; i < count; ++i) {
            if (m_ctrl.ports[i].serialNo == target.serial)
                targets.append(i);
        }
        if (targets.isEmpty())
            error = CliText::tr("--serial %1: no instrument with this serial number is listed.")
                        .arg(serialNumberLabel(target.serial));
        else if (targets.size() > 1)
            error =
                CliText::tr("--serial %1: %2 instruments have this serial number; choose one with --port.")
                    .arg(serialNumberLabel(target.serial))
                    .arg(targets.size());
        break;
    case CliTarget::All:
        for (int i = 0; i < count; ++i)
            targets.append(i);
        break;
    }
    if (error.isEmpty())
        return true;
    targets.clear();
    // The list helps to choose: it goes with the error on standard error.
    QStringList listed;
    for (int i = 0; i < count; ++i)
        listed.append(QStringLiteral("  %1  %2  %3")
                          .arg(i + 1)
                          .arg(serialNumberLabel(m_ctrl.ports[i].serialNo), m_ctrl.portLabels[i]));
    status = reportUsageError(m_request.commandName, error, m_request.json, m_output, listed);
    return false;
}

Run::Operation Run::operation() const
{
    switch (m_request.command) {
    case CliCommand::Show:
        return &Run::show;
    case CliCommand::NetworkLoad:
        return &Run::networkLoad;
    case CliCommand::NetworkSave:
        return &Run::networkSave;
    case CliCommand::PowerOff:
        return &Run::powerOff;
    case CliCommand::Register:
        return &Run::registerAccessory;
    case CliCommand::Help:
    case CliCommand::Version:
    case CliCommand::List:
        break;
    }
    return nullptr;
}

InstrumentResult Run::process(int index)
{
    InstrumentResult result;
    result.port = index + 1;
    result.serial = serialNumberLabel(m_ctrl.ports[index].serialNo);
    result.label = m_ctrl.portLabels[index];

    // A lost connection reported before this point belongs to an earlier instrument.
    deviceDisconnected = false;
    if (!m_ctrl.connectDevice(index, KT9_CONNECT_PARAM)) {
        result.outcome = InstrumentResult::Failed;
        result.messages.append(windowText(WindowText::CONNECT_FAILED));
        return result;
    }
    const bool done = (this->*operation())(result);
    result.outcome = done ? InstrumentResult::Succeeded : InstrumentResult::Failed;
    if (deviceDisconnected)
        result.messages.append(windowText(WindowText::CONNECTION_LOST));
    if (!m_ctrl.disconnectDevice()) {
        result.outcome = InstrumentResult::Failed;
        result.messages.append(windowText(WindowText::DISCONNECT_FAILED));
    }
    // What was to change did not, or not surely: only a success lists its changes.
    if (result.outcome != InstrumentResult::Succeeded)
        result.changes.clear();
    return result;
}

bool Run::readNetworkSettings(InstrumentResult &result)
{
    // The window disables its network page for an instrument without the module.
    if (!m_ctrl.readWifiModuleEnable()) {
        result.messages.append(windowText(WindowText::WIRELESS_LAN_INVALID));
        return false;
    }
    if (!m_ctrl.readNetworkInfo()) {
        result.messages.append(windowText(WindowText::NETWORK_READ_FAILED));
        return false;
    }
    return true;
}

void Run::applyNetworkSettings(const CQlxSdk_Ctrl::AddressOctets &octets)
{
    m_ctrl.setIpAddress(octets[0]);
    m_ctrl.setSubnetMask(octets[1]);
    m_ctrl.setDefaultGateway(octets[2]);
    m_ctrl.setDns(octets[3]);
    m_ctrl.networkInfo.APConnectUse = m_ctrl.apConnectEnabled ? eAPConnect_ON : eAPConnect_OFF;
    m_ctrl.networkInfo.DHCPUse = m_ctrl.dhcpEnabled ? eDHCP_ON : eDHCP_OFF;
}

QString Run::keyText(const QByteArray &key) const
{
    return m_request.showKey ? textFromEightBit(key.constData(), std::size_t(key.size())) : HIDDEN_KEY;
}

QVector<Change> Run::networkChanges(const QlxNetworkInfo &before, const QlxNetworkInfo &after) const
{
    QVector<Change> changes;
    const auto flag = [&](const char *field, const char *caption, int32_t oldValue, int32_t newValue,
                          const char *onText, const char *offText) {
        if ((oldValue != 0) != (newValue != 0))
            changes.append({QLatin1String(field), windowText(caption),
                            windowText(oldValue ? onText : offText), windowText(newValue ? onText : offText),
                            oldValue != 0, newValue != 0});
    };
    const auto text = [&](const char *field, const char *caption, const QByteArray &oldBytes,
                          const QByteArray &newBytes, bool secret) {
        if (oldBytes == newBytes)
            return;
        const QString oldText =
            secret ? keyText(oldBytes) : textFromEightBit(oldBytes.constData(), std::size_t(oldBytes.size()));
        const QString newText =
            secret ? keyText(newBytes) : textFromEightBit(newBytes.constData(), std::size_t(newBytes.size()));
        changes.append({QLatin1String(field), windowText(caption), oldText, newText, oldText, newText});
    };
    const auto address = [&](const char *field, const char *caption, const uint8_t(&oldOctets)[QLX_IPV4_SIZE],
                             const uint8_t(&newOctets)[QLX_IPV4_SIZE]) {
        if (std::memcmp(oldOctets, newOctets, QLX_IPV4_SIZE) == 0)
            return;
        const QString oldText = addressText(oldOctets);
        const QString newText = addressText(newOctets);
        changes.append({QLatin1String(field), windowText(caption), oldText, newText, oldText, newText});
    };
    flag("wirelessLan", WindowText::WIRELESS_LAN, before.APConnectUse, after.APConnectUse, WindowText::ENABLE,
         WindowText::DISABLE);
    text("ssid", WindowText::SSID, fieldBytes(before.SSID, sizeof before.SSID),
         fieldBytes(after.SSID, sizeof after.SSID), false);
    text("securityKey", WindowText::SECURITY_KEY, fieldBytes(before.EncryptKey, sizeof before.EncryptKey),
         fieldBytes(after.EncryptKey, sizeof after.EncryptKey), true);
    flag("dhcp", WindowText::DHCP, before.DHCPUse, after.DHCPUse, WindowText::ON, WindowText::OFF);
    address("ipAddress", WindowText::IP_ADDRESS, before.IPAddress, after.IPAddress);
    address("subnetMask", WindowText::SUBNET_MASK, before.SubnetMask, after.SubnetMask);
    address("defaultGateway", WindowText::DEFAULT_GATEWAY, before.DefaultGateway, after.DefaultGateway);
    address("dns", WindowText::DNS_SERVER, before.DNS, after.DNS);
    return changes;
}

void Run::addNetworkShown(InstrumentResult &result) const
{
    const QlxNetworkInfo &network = m_ctrl.networkInfo;
    const auto add = [&](const char *field, const char *caption, const QString &text,
                         const QJsonValue &value) {
        result.shown.append({QLatin1String(field), windowText(caption), text, value});
    };
    add("wirelessLan", WindowText::WIRELESS_LAN,
        windowText(m_ctrl.apConnectEnabled ? WindowText::ENABLE : WindowText::DISABLE),
        m_ctrl.apConnectEnabled);
    add("ssid", WindowText::SSID, m_ctrl.ssidText, m_ctrl.ssidText);
    const QString key = keyText(fieldBytes(network.EncryptKey, sizeof network.EncryptKey));
    add("securityKey", WindowText::SECURITY_KEY, key, key);
    add("dhcp", WindowText::DHCP, windowText(m_ctrl.dhcpEnabled ? WindowText::ON : WindowText::OFF),
        m_ctrl.dhcpEnabled);
    add("ipAddress", WindowText::IP_ADDRESS, addressText(network.IPAddress), addressText(network.IPAddress));
    add("subnetMask", WindowText::SUBNET_MASK, addressText(network.SubnetMask),
        addressText(network.SubnetMask));
    add("defaultGateway", WindowText::DEFAULT_GATEWAY, addressText(network.DefaultGateway),
        addressText(network.DefaultGateway));
    add("dns", WindowText::DNS_SERVER, addressText(network.DNS), addressText(network.DNS));
}

bool Run::show(InstrumentResult &result)
{
    // The reads the window makes when it connects, in its order.
    if (!m_ctrl.readDeviceInfo()) {
        result.messages.append(windowText(WindowText::DEVICE_READ_FAILED));
        return false;
    }
    result.shown.append({QStringLiteral("serial"), windowText(WindowText::SERIAL_NO), m_ctrl.serialNumberText,
                         m_ctrl.serialNumberText});
    result.shown.append({QStringLiteral("firmware"), windowText(WindowText::FIRMWARE),
                         m_ctrl.firmwareVersionText, m_ctrl.firmwareVersionText});
    result.shown.append({QStringLiteral("macAddress"), windowText(WindowText::MAC_ADDRESS),
                         m_ctrl.macAddressText, m_ctrl.macAddressText});

    bool complete = true;
    const bool module = m_ctrl.readWifiModuleEnable();
    result.shown.append({QStringLiteral("wirelessLanModule"), CliText::tr("Wireless LAN module"),
                         module ? CliText::tr("enabled") : CliText::tr("disabled"), module});
    if (!module) {
        result.messages.append(windowText(WindowText::WIRELESS_LAN_INVALID));
    } else if (m_ctrl.readNetworkInfo()) {
        addNetworkShown(result);
    } else {
        result.messages.append(windowText(WindowText::NETWORK_READ_FAILED));
        complete = false;
    }

    if (m_ctrl.readCalibSerialNumbers()) {
        result.shown.append({QStringLiteral("whitePlateSerial"), windowText(WindowText::WHITE_PLATE),
                             m_ctrl.whitePlateSerialText, m_ctrl.whitePlateSerialText});
        result.shown.append({QStringLiteral("ambientAdapterSerial"), windowText(WindowText::AMBIENT_ADAPTER),
                             m_ctrl.ambientAdapterSerialText, m_ctrl.ambientAdapterSerialText});
    } else {
        result.messages.append(windowText(WindowText::WHITE_SERIAL_READ_FAILED));
        result.messages.append(windowText(WindowText::AMBIENT_SERIAL_READ_FAILED));
        complete = false;
    }

    QlxShutdownMode mode = QLX_SHUTDOWN_DISABLED;
    if (m_ctrl.readShutdownTime(mode)) {
        result.shown.append({QStringLiteral("powerOff"), windowText(WindowText::AUTO_POWER_OFF),
                             powerOffCaption(mode), powerOffWord(mode)});
        result.shown.append({QStringLiteral("powerOffMode"), QString(), QString(), int(mode)});
    } else {
        result.messages.append(windowText(WindowText::SHUTDOWN_READ_FAILED));
        complete = false;
    }
    return complete;
}

bool Run::networkLoad(InstrumentResult &result)
{
    // What the instrument holds now is read first, as the window does when it connects: an
    // instrument that cannot tell is not written.
    if (!readNetworkSettings(result))
        return false;
    result.changes = networkChanges(m_ctrl.networkInfo, m_wanted);
    if (m_request.dryRun)
        return true;
    m_ctrl.networkInfo = m_wanted;
    if (!m_ctrl.writeNetworkInfo()) {
        result.messages.append(windowText(WindowText::NETWORK_WRITE_FAILED));
        return false;
    }
    result.messages.append(windowText(WindowText::NETWORK_WRITTEN));
    return true;
}

bool Run::networkSave(InstrumentResult &result)
{
    if (!readNetworkSettings(result))
        return false;
    // The window checks its address fields before it saves, whatever the DHCP setting.
    const CQlxSdk_Ctrl::AddressTexts texts = {m_ctrl.ipAddressOctets, m_ctrl.subnetMaskOctets,
                                              m_ctrl.defaultGatewayOctets, m_ctrl.dnsOctets};
    CQlxSdk_Ctrl::AddressOctets octets;
    if (!CQlxSdk_Ctrl::octetsFromTexts(texts, octets)) {
        result.messages.append(windowText(WindowText::INPUT_INVALID));
        return false;
    }
    applyNetworkSettings(octets);
    if (!m_ctrl.saveNetworkFile(m_filePath.constData())) {
        result.messages.append(windowText(WindowText::NETWORK_FILE_WRITE_FAILED));
        return false;
    }
    result.messages.append(windowText(WindowText::NETWORK_FILE_WRITTEN));
    return true;
}

bool Run::powerOff(InstrumentResult &result)
{
    QlxShutdownMode current = QLX_SHUTDOWN_DISABLED;
    if (!m_ctrl.readShutdownTime(current)) {
        result.messages.append(windowText(WindowText::SHUTDOWN_READ_FAILED));
        return false;
    }
    if (current != m_request.mode)
        result.changes.append({QStringLiteral("powerOff"), windowText(WindowText::AUTO_POWER_OFF),
                               powerOffCaption(current), powerOffCaption(m_request.mode),
                               powerOffWord(current), powerOffWord(m_request.mode)});
    if (m_request.dryRun)
        return true;
    if (!m_ctrl.writeShutdownTime(m_request.mode)) {
        result.messages.append(windowText(WindowText::SHUTDOWN_WRITE_FAILED));
        return false;
    }
    result.messages.append(windowText(WindowText::DEVICE_WRITTEN));
    return true;
}

bool Run::registerAccessory(InstrumentResult &result)
{
    const bool white = m_request.accessory == CliAccessory::WhitePlate;
    const auto currentSerial = [&] {
        return white ? m_ctrl.whitePlateSerialText : m_ctrl.ambientAdapterSerialText;
    };
    if (!m_ctrl.readCalibSerialNumbers()) {
        result.messages.append(windowText(white ? WindowText::WHITE_SERIAL_READ_FAILED
                                                : WindowText::AMBIENT_SERIAL_READ_FAILED));
        return false;
    }
    Change change{white ? QStringLiteral("whitePlateSerial") : QStringLiteral("ambientAdapterSerial"),
                  windowText(white ? WindowText::WHITE_PLATE : WindowText::AMBIENT_ADAPTER),
                  currentSerial(),
                  m_fileSerial,
                  currentSerial(),
                  m_fileSerial};
    if (m_request.dryRun) {
        result.changes.append(change);
        return true;
    }
    // The file is read again here, as the window's Write To Body does.
    const bool registered = white ? m_ctrl.registerWhitePlate(m_filePath.constData())
                                  : m_ctrl.registerAmbientAdapter(m_filePath.constData());
    if (!registered) {
        result.messages.append(
            windowText(white ? WindowText::WHITE_WRITE_FAILED : WindowText::AMBIENT_WRITE_FAILED));
        return false;
    }
    result.messages.append(windowText(WindowText::DEVICE_WRITTEN));
    // The serial number now registered, as the window shows it afterwards.
    if (m_ctrl.readCalibSerialNumbers()) {
        change.newText = currentSerial();
        change.newValue = currentSerial();
    }
    result.changes.append(change);
    return true;
}

int Run::fail(const QString &error, int status)
{
    m_output.message(error);
    if (m_request.json)
        m_output.document(errorDocument(m_request.commandName, error, status));
    return status;
}

void Run::printResult(const InstrumentResult &result)
{
    if (m_request.json)
        return;
    QString line = QStringLiteral("%1  %2  %3").arg(result.serial, result.label, resultWord(result.outcome));
    if (!result.messages.isEmpty())
        line += QStringLiteral("  ") + result.messages.join(QLatin1Char(' '));
    m_output.line(line);
    for (const Shown &shown : result.shown) {
        if (!shown.label.isEmpty())
            m_output.line(QStringLiteral("    %1 %2").arg(withColon(shown.label), shown.text));
    }
    for (const Change &change : result.changes)
        m_output.line(
            QStringLiteral("    %1 %2 -> %3").arg(withColon(change.label), change.oldText, change.newText));
    const bool writes = m_request.command != CliCommand::Show && m_request.command != CliCommand::NetworkSave;
    if (writes && result.outcome == InstrumentResult::Succeeded && result.changes.isEmpty())
        m_output.line(QStringLiteral("    ") + CliText::tr("No change."));
}

int Run::finish(const QVector<InstrumentResult> &results, bool interrupted)
{
    QStringList failed;
    QStringList notDone;
    QStringList done;
    int succeeded = 0;
    QJsonArray instruments;
    for (const InstrumentResult &result : results) {
        if (result.outcome == InstrumentResult::Succeeded)
            ++succeeded;
        else if (result.outcome == InstrumentResult::Failed)
            failed.append(result.serial);
        else
            notDone.append(result.serial);
        if (result.outcome != InstrumentResult::NotDone)
            done.append(result.serial);

        QJsonObject instrument{{QStringLiteral("port"), result.port},
                               {QStringLiteral("serial"), result.serial},
                               {QStringLiteral("label"), result.label},
                               {QStringLiteral("result"), resultName(result.outcome)},
                               {QStringLiteral("message"), result.messages.join(QLatin1Char(' '))}};
        if (m_request.command == CliCommand::Show) {
            QJsonObject settings;
            for (const Shown &shown : result.shown)
                settings.insert(shown.field, shown.value);
            instrument.insert(QStringLiteral("settings"), settings);
        } else {
            QJsonArray changes;
            for (const Change &change : result.changes)
                changes.append(QJsonObject{{QStringLiteral("field"), change.field},
                                           {QStringLiteral("old"), change.oldValue},
                                           {QStringLiteral("new"), change.newValue}});
            instrument.insert(QStringLiteral("changes"), changes);
        }
        instruments.append(instrument);
    }

    const QString separator = QStringLiteral(", ");
    QString summary = m_request.dryRun
                          ? CliText::tr("Summary (dry run, nothing written): %1 of %2 passed the checks.")
                                .arg(succeeded)
                                .arg(results.size())
                          : CliText::tr("Summary: %1 of %2 succeeded.").arg(succeeded).arg(results.size());
    if (!failed.isEmpty())
        summary += QLatin1Char(' ') + CliText::tr("Failed: %1.").arg(failed.join(separator));
    if (!notDone.isEmpty())
        summary += QLatin1Char(' ') + CliText::tr("Not done: %1.").arg(notDone.join(separator));
    const QString interruption =
        interrupted ? CliText::tr("Stopped by Ctrl+C after the instrument in progress had finished and was "
                                  "disconnected. Done: %1.")
                          .arg(done.isEmpty() ? CliText::tr("none") : done.join(separator))
                    : QString();

    const int status = failed.isEmpty() && notDone.isEmpty() ? CLI_EXIT_SUCCESS : CLI_EXIT_FAILURE;
    if (m_request.json) {
        m_output.document(
            QJsonObject{{QStringLiteral("command"), m_request.commandName},
                        {QStringLiteral("dryRun"), m_request.dryRun},
                        {QStringLiteral("instruments"), instruments},
                        {QStringLiteral("summary"),
                         QJsonObject{{QStringLiteral("instruments"), results.size()},
                                     {QStringLiteral("succeeded"), succeeded},
                                     {QStringLiteral("failed"), QJsonArray::fromStringList(failed)},
                                     {QStringLiteral("notDone"), QJsonArray::fromStringList(notDone)},
                                     {QStringLiteral("text"), summary}}},
                        {QStringLiteral("interrupted"), interrupted},
                        {QStringLiteral("exitStatus"), status}});
        if (interrupted)
            m_output.message(interruption);
    } else {
        if (interrupted)
            m_output.line(interruption);
        m_output.line(summary);
    }
    return status;
}

} // namespace

int runCliRequest(const CliRequest &request, CliOutput &output)
{
    Run run(request, output);
    return run.exec();
}

int reportUsageError(const QString &commandName, const QString &error, bool json, CliOutput &output,
                     const QStringList &details)
{
    output.message(QStringLiteral("kt9-cli: %1").arg(error));
    for (const QString &detail : details)
        output.message(detail);
    output.message(CliText::tr("Try kt9-cli --help for more information."));
    if (json)
        output.document(errorDocument(commandName, error, CLI_EXIT_USAGE));
    return CLI_EXIT_USAGE;
}
