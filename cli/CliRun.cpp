#include "CliRun.h"

#include "BackupFolder.h"
#include "BackupStore.h"
#include "ChangeRecord.h"
#include "CliOutput.h"
#include "CliReport.h"
#include "CliTexts.h"
#include "CliValues.h"
#include "Interrupt.h"
#include "NetworkInput.h"
#include "instrument/CQlxSdk_Ctrl.h"
#include "instrument/EightBitText.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QMap>
#include <QVector>

#include <cstring>
#include <memory>

namespace {

const QString HIDDEN_KEY = QStringLiteral("***");

QString moduleQueryFailedText()
{
    return CliText::tr("Failed to read whether the wireless LAN module is enabled.");
}

class Run
{
public:
    Run(const CliRequest &request, CliOutput &output)
        : m_request(request), m_output(output), m_report(CliReport::make(request, output))
    {
    }

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
    bool backup(InstrumentResult &result);
    bool restore(InstrumentResult &result);
    Operation operation() const;

    // Saves the instrument's current calibration references (current) under the user's data
    // folder before they are overwritten; false, with the reason, when they could not be.
    bool saveCalibrationCopy(InstrumentResult &result, const QlxCalRefData &current);
    // Appends the result's changes to the change record; written: the work on the instrument
    // succeeded.
    void recordChanges(InstrumentResult &result, bool written);
    int history();

    enum class Module
    {
        ENABLED,
        DISABLED,
        UNKNOWN, ///< the query failed
    };
    // Whether the instrument's wireless LAN module is enabled.
    Module readModule();
    // Reads the instrument's network settings into the controller, as the window's network page
    // shows them; false, with the window's message, without a wireless LAN module or on failure.
    bool readNetworkSettings(InstrumentResult &result);
    QString keyText(const QByteArray &key) const;
    QVector<Change> networkChanges(const QlxNetworkInfo &before, const QlxNetworkInfo &after) const;
    void addNetworkShown(InstrumentResult &result) const;

    QVector<ListedInstrument> listed() const;

    const CliRequest &m_request;
    CliOutput &m_output; ///< looked at between instruments: a run stops once it has failed
    std::unique_ptr<CliReport> m_report;
    CQlxSdk_Ctrl m_ctrl;
    QByteArray m_filePath;                   ///< the input or output file (filePathArgument); empty: none
    QlxNetworkInfo m_wanted = {};            ///< network load: the record every instrument gets
    QString m_fileSerial;                    ///< register: the serial number in the calibration file
    QMap<QString, BackupContents> m_backups; ///< restore: the checked backups, by serial number
    std::unique_ptr<ChangeRecord> m_record;  ///< null when this run records nothing
};

// The text of a value in the change record: untranslated, as the JSON document has it.
QString recordText(const QJsonValue &value)
{
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (value.isDouble())
        return QString::number(value.toDouble());
    return value.toString();
}

// Commands that write to instruments, and so are recorded.
bool writesToInstruments(CliCommand command)
{
    return command == CliCommand::NetworkLoad || command == CliCommand::PowerOff ||
           command == CliCommand::Register || command == CliCommand::Restore;
}

int Run::exec()
{
    if (m_request.command == CliCommand::List)
        return list();
    if (m_request.command == CliCommand::History)
        return history();
    if (m_request.fileNamed)
        m_filePath = filePathArgument(m_request.file);
    if (!prepare())
        return CLI_EXIT_USAGE;
    if (writesToInstruments(m_request.command) && !m_request.dryRun && !m_request.noRecord)
        m_record.reset(new ChangeRecord(ChangeRecord::pathFor(m_request.recordFile)));
    QString recordError;
    if (m_record && !m_record->pathUsable(recordError))
        return m_report->error(CliText::tr("The change record %1 cannot be written: %2")
                                   .arg(QDir::toNativeSeparators(m_record->path()), recordError),
                               CLI_EXIT_USAGE);

    QVector<int> targets;
    int status = CLI_EXIT_SUCCESS;
    if (!selectTargets(targets, status))
        return status;

    QVector<InstrumentResult> results;
    CliStop stop = CliStop::NONE;
    for (int i = 0; i < targets.size(); ++i) {
        // Checked between instruments only: the one in progress is always finished and let go.
        if (interruptRequested())
            stop = CliStop::INTERRUPT;
        else if (m_output.failed())
            stop = CliStop::OUTPUT_FAILED;
        if (stop != CliStop::NONE) {
            for (int j = i; j < targets.size(); ++j) {
                InstrumentResult notDone;
                notDone.port = targets[j] + 1;
                notDone.serial = serialNumberLabel(m_ctrl.ports[targets[j]].serialNo);
                notDone.label = m_ctrl.portLabels[targets[j]];
                results.append(notDone);
                m_report->instrument(notDone);
            }
            break;
        }
        if (targets.size() > 1)
            m_report->progress(i + 1, targets.size(), serialNumberLabel(m_ctrl.ports[targets[i]].serialNo));
        results.append(process(targets[i]));
        m_report->instrument(results.last());
    }
    // A run over every instrument reached only those the library could list.
    const uint32_t unlisted = m_request.target.kind == CliTarget::All ? m_ctrl.unlistedPortCount : 0;
    return m_report->finish(results, stop, unlisted);
}

int Run::list()
{
    const uint32_t unlisted = m_ctrl.refreshFullPortList() ? m_ctrl.unlistedPortCount : 0;
    // Nothing to work on: the window's message, as for every other command.
    if (m_ctrl.ports.isEmpty() && unlisted == 0)
        return m_report->error(windowText(WindowText::NOT_CONNECTED), CLI_EXIT_FAILURE);
    return m_report->list(listed(), unlisted);
}

QVector<ListedInstrument> Run::listed() const
{
    QVector<ListedInstrument> instruments;
    for (int i = 0; i < m_ctrl.ports.size(); ++i)
        instruments.append({i + 1, serialNumberLabel(m_ctrl.ports[i].serialNo), m_ctrl.portLabels[i]});
    return instruments;
}

bool Run::prepare()
{
    const QString file = QDir::toNativeSeparators(m_request.file);
    // A folder or record named by bytes that are no text would have another one written.
    const bool folderOperand =
        m_request.command == CliCommand::Backup || m_request.command == CliCommand::Restore;
    if ((folderOperand && !m_request.fileNamed) || !m_request.recordNamed) {
        m_report->error(
            CliText::tr("%1: the name is not text in the system's encoding.")
                .arg(m_request.recordNamed ? file : QDir::toNativeSeparators(m_request.recordFile)),
            CLI_EXIT_USAGE);
        return false;
    }
    if (m_request.command == CliCommand::NetworkLoad) {
        const char *failure = nullptr;
        if (!readNetworkInput(m_ctrl, m_filePath, m_wanted, failure)) {
            m_report->error(QStringLiteral("%1: %2").arg(file, windowText(failure)), CLI_EXIT_USAGE);
            return false;
        }
    } else if (m_request.command == CliCommand::Register) {
        const bool white = m_request.accessory == CliAccessory::WhitePlate;
        const bool accepted = white ? m_ctrl.checkWhitePlateFile(m_filePath.constData())
                                    : m_ctrl.checkAmbientAdapterFile(m_filePath.constData());
        if (!accepted) {
            m_report->error(QStringLiteral("%1: %2").arg(file, windowText(WindowText::CAL_FILE_READ_FAILED)),
                            CLI_EXIT_USAGE);
            return false;
        }
        m_fileSerial = white ? m_ctrl.whitePlateFileSerialText : m_ctrl.ambientAdapterFileSerialText;
    } else if (m_request.command == CliCommand::Restore) {
        QString error;
        if (!BackupFolder::readAll(m_request.file, m_ctrl, m_backups, error)) {
            m_report->error(error, CLI_EXIT_USAGE);
            return false;
        }
    }
    return true;
}

bool Run::selectTargets(QVector<int> &targets, int &status)
{
    if (!m_ctrl.refreshFullPortList() || (m_ctrl.ports.isEmpty() && m_ctrl.unlistedPortCount == 0)) {
        status = m_report->error(windowText(WindowText::NOT_CONNECTED), CLI_EXIT_FAILURE);
        return false;
    }
    const int count = m_ctrl.ports.size();
    const uint32_t unlisted = m_ctrl.unlistedPortCount;
    const CliTarget &target = m_request.target;
    QString error;
    switch (target.kind) {
    case CliTarget::Unnamed:
        if (count == 1 && unlisted == 0)
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
    status = m_report->targetError(error, listed(), unlisted);
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
    case CliCommand::Backup:
        return &Run::backup;
    case CliCommand::Restore:
        return &Run::restore;
    case CliCommand::History:
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

    if (m_request.command == CliCommand::Restore && !m_backups.contains(result.serial)) {
        result.outcome = InstrumentResult::Skipped;
        result.messages.append(
            CliText::tr("No backup of this instrument in %1.").arg(QDir::toNativeSeparators(m_request.file)));
        return result;
    }
    // A record that cannot be written stops the work before anything is written.
    QString recordError;
    if (m_record && !m_record->ready(recordError)) {
        result.outcome = InstrumentResult::Failed;
        result.messages.append(CliText::tr("The change record %1 cannot be written: %2")
                                   .arg(QDir::toNativeSeparators(m_record->path()), recordError));
        return result;
    }

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
    if (m_record)
        recordChanges(result, done);
    // What was to change did not, or not surely: only work that succeeded lists its changes,
    // also when the instrument could not be let go afterwards (the messages say both).
    if (!done)
        result.changes.clear();
    return result;
}

Run::Module Run::readModule()
{
    if (m_ctrl.readWifiModuleEnable())
        return Module::ENABLED;
    // The controller answers false for a failed query too; its status tells the two apart.
    return qlxSucceeded(m_ctrl.lastStatus) ? Module::DISABLED : Module::UNKNOWN;
}

bool Run::readNetworkSettings(InstrumentResult &result)
{
    // The window disables its network page for an instrument without the module.
    const Module module = readModule();
    if (module == Module::UNKNOWN) {
        result.messages.append(moduleQueryFailedText());
        return false;
    }
    if (module == Module::DISABLED) {
        result.messages.append(windowText(WindowText::WIRELESS_LAN_INVALID));
        return false;
    }
    if (!m_ctrl.readNetworkInfo()) {
        result.messages.append(windowText(WindowText::NETWORK_READ_FAILED));
        return false;
    }
    return true;
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
    const Module module = readModule();
    if (module != Module::UNKNOWN) {
        const bool enabled = module == Module::ENABLED;
        result.shown.append({QStringLiteral("wirelessLanModule"), CliText::tr("Wireless LAN module"),
                             enabled ? CliText::tr("enabled") : CliText::tr("disabled"), enabled});
    }
    if (module == Module::UNKNOWN) {
        result.messages.append(moduleQueryFailedText());
        complete = false;
    } else if (module == Module::DISABLED) {
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
    applyNetworkSettings(m_ctrl, octets);
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
    QlxCalRefData current = {};
    if (!m_ctrl.readCalibReferences(current)) {
        result.messages.append(windowText(white ? WindowText::WHITE_SERIAL_READ_FAILED
                                                : WindowText::AMBIENT_SERIAL_READ_FAILED));
        return false;
    }
    if (!saveCalibrationCopy(result, current))
        return false;
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

bool Run::saveCalibrationCopy(InstrumentResult &result, const QlxCalRefData &current)
{
    QString error;
    const QString folder = BackupFolder::createCopyFolder(result.serial, error);
    InstrumentSnapshot snapshot;
    snapshot.serial = result.serial;
    snapshot.referencesRead = true;
    snapshot.references = current;
    QStringList warnings;
    if (folder.isEmpty() || !BackupFolder::write(folder, snapshot, m_ctrl, false, warnings, error)) {
        if (!folder.isEmpty())
            QDir(folder).removeRecursively();
        result.messages.append(
            CliText::tr("The current calibration references could not be saved (%1); nothing was written.")
                .arg(error));
        return false;
    }
    result.messages.append(warnings);
    result.messages.append(
        CliText::tr("Current calibration references saved in %1.").arg(QDir::toNativeSeparators(folder)));
    return true;
}

bool Run::backup(InstrumentResult &result)
{
    const QString folder = QDir(m_request.file).filePath(result.serial);
    QString error;
    if (!BackupStore::mayWrite(folder, m_request.force, error)) {
        result.messages.append(error);
        return false;
    }
    InstrumentSnapshot snapshot;
    snapshot.serial = result.serial;
    if (!m_ctrl.readDeviceInfo()) {
        result.messages.append(windowText(WindowText::DEVICE_READ_FAILED));
        return false;
    }
    snapshot.firmware = m_ctrl.firmwareVersionText;
    snapshot.macAddress = m_ctrl.macAddressText;
    const Module module = readModule();
    if (module == Module::UNKNOWN) {
        result.messages.append(moduleQueryFailedText());
        return false;
    }
    snapshot.moduleEnabled = module == Module::ENABLED;
    if (snapshot.moduleEnabled) {
        if (!m_ctrl.readNetworkInfo()) {
            result.messages.append(windowText(WindowText::NETWORK_READ_FAILED));
            return false;
        }
        snapshot.networkRead = true;
    }
    if (!m_ctrl.readShutdownTime(snapshot.powerOff)) {
        result.messages.append(windowText(WindowText::SHUTDOWN_READ_FAILED));
        return false;
    }
    snapshot.powerOffRead = true;
    if (!m_ctrl.readCalibReferences(snapshot.references)) {
        result.messages.append(windowText(WindowText::WHITE_SERIAL_READ_FAILED));
        result.messages.append(windowText(WindowText::AMBIENT_SERIAL_READ_FAILED));
        return false;
    }
    snapshot.referencesRead = true;

    QStringList warnings;
    // A failed backup leaves an earlier one as it was.
    if (!BackupStore::save(m_request.file, snapshot, m_ctrl, m_request.force, warnings, error)) {
        result.messages.append(error);
        return false;
    }
    result.messages.append(warnings);
    result.messages.append(CliText::tr("Saved in %1.").arg(QDir::toNativeSeparators(folder)));
    return true;
}

// One accessory's references as a change: the serial numbers, and a note when only the values differ.
Change calibrationChange(bool white, const QlxCalRefData &before, const QlxCalRefData &after)
{
    const uint8_t *oldSerial = white ? before.rfWhite.serialNo : before.rfAmbient.serialNo;
    const uint8_t *newSerial = white ? after.rfWhite.serialNo : after.rfAmbient.serialNo;
    const auto serialText = [](const uint8_t *bytes) {
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char *>(bytes), QLX_CAL_SERIAL_SIZE).toHex());
    };
    const QString oldText = serialText(oldSerial);
    QString newText = serialText(newSerial);
    if (oldText == newText)
        newText += QLatin1Char(' ') + CliText::tr("(other values)");
    return {white ? QStringLiteral("whitePlate") : QStringLiteral("ambientAdapter"),
            windowText(white ? WindowText::WHITE_PLATE : WindowText::AMBIENT_ADAPTER),
            oldText,
            newText,
            oldText,
            newText};
}

bool Run::restore(InstrumentResult &result)
{
    const BackupContents &saved = m_backups[result.serial];
    // The port list's serial number chose the backup; the instrument itself must agree.
    if (!m_ctrl.readDeviceInfo()) {
        result.messages.append(windowText(WindowText::DEVICE_READ_FAILED));
        return false;
    }
    if (m_ctrl.serialNumberText != saved.serial) {
        result.messages.append(CliText::tr("The instrument reports serial number %1; the backup of %2 is not "
                                           "applied to it.")
                                   .arg(m_ctrl.serialNumberText, saved.serial));
        return false;
    }

    const bool network = saved.hasNetwork;
    if (network) {
        if (!readNetworkSettings(result))
            return false;
        result.changes += networkChanges(m_ctrl.networkInfo, saved.network);
    }
    QlxShutdownMode mode = QLX_SHUTDOWN_DISABLED;
    if (saved.hasPowerOff) {
        if (!m_ctrl.readShutdownTime(mode)) {
            result.messages.append(windowText(WindowText::SHUTDOWN_READ_FAILED));
            return false;
        }
        if (mode != saved.powerOff)
            result.changes.append({QStringLiteral("powerOff"), windowText(WindowText::AUTO_POWER_OFF),
                                   powerOffCaption(mode), powerOffCaption(saved.powerOff), powerOffWord(mode),
                                   powerOffWord(saved.powerOff)});
    }
    QlxCalRefData current = {};
    bool white = false;
    bool ambient = false;
    if (m_request.calibration && (saved.hasWhite || saved.hasAmbient)) {
        if (!m_ctrl.readCalibReferences(current)) {
            result.messages.append(windowText(WindowText::WHITE_SERIAL_READ_FAILED));
            result.messages.append(windowText(WindowText::AMBIENT_SERIAL_READ_FAILED));
            return false;
        }
        white = saved.hasWhite &&
                std::memcmp(&current.rfWhite, &saved.references.rfWhite, sizeof current.rfWhite) != 0;
        ambient = saved.hasAmbient &&
                  std::memcmp(&current.rfAmbient, &saved.references.rfAmbient, sizeof current.rfAmbient) != 0;
        if (white)
            result.changes.append(calibrationChange(true, current, saved.references));
        if (ambient)
            result.changes.append(calibrationChange(false, current, saved.references));
    }
    if (m_request.dryRun)
        return true;

    const auto changed = [&](const char *field) {
        for (const Change &change : result.changes) {
            if (change.field == QLatin1String(field))
                return true;
        }
        return false;
    };
    // The copy of the references comes before any write: when it cannot be saved, nothing is.
    if ((white || ambient) && !saveCalibrationCopy(result, current))
        return false;
    const bool networkChanged =
        network && std::memcmp(&m_ctrl.networkInfo, &saved.network, sizeof saved.network) != 0;
    if (networkChanged) {
        m_ctrl.networkInfo = saved.network;
        if (!m_ctrl.writeNetworkInfo()) {
            result.messages.append(windowText(WindowText::NETWORK_WRITE_FAILED));
            return false;
        }
        result.messages.append(windowText(WindowText::NETWORK_WRITTEN));
    }
    if (changed("powerOff")) {
        if (!m_ctrl.writeShutdownTime(saved.powerOff)) {
            result.messages.append(windowText(WindowText::SHUTDOWN_WRITE_FAILED));
            return false;
        }
        result.messages.append(windowText(WindowText::DEVICE_WRITTEN));
    }
    if (white || ambient) {
        if (!m_ctrl.writeCalibReferences(saved.references, white, ambient)) {
            result.messages.append(
                windowText(white ? WindowText::WHITE_WRITE_FAILED : WindowText::AMBIENT_WRITE_FAILED));
            return false;
        }
        result.messages.append(windowText(WindowText::DEVICE_WRITTEN));
    }
    return true;
}

void Run::recordChanges(InstrumentResult &result, bool written)
{
    const QString time = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    const QString user = currentUserName();
    const QString computer = currentComputerName();
    const QString outcome = written ? QStringLiteral("succeeded") : QStringLiteral("failed");
    QVector<ChangeEntry> entries;
    for (const Change &change : result.changes) {
        // The key is never recorded, whatever --show-key says.
        const bool secret = change.field == QLatin1String("securityKey");
        entries.append({time, user, computer, m_request.commandName, result.serial, change.field,
                        secret ? HIDDEN_KEY : recordText(change.oldValue),
                        secret ? HIDDEN_KEY : recordText(change.newValue), outcome});
    }
    QString error;
    if (!entries.isEmpty() && !m_record->append(entries, error))
        result.messages.append(CliText::tr("The change record %1 cannot be written: %2")
                                   .arg(QDir::toNativeSeparators(m_record->path()), error));
}

int Run::history()
{
    const ChangeRecord record(ChangeRecord::pathFor(m_request.recordFile));
    QVector<ChangeEntry> entries;
    QString error;
    if (!record.read(entries, error))
        return m_report->error(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(record.path()), error),
                               CLI_EXIT_FAILURE);
    if (m_request.target.kind == CliTarget::Serial) {
        const QString serial = serialNumberLabel(m_request.target.serial);
        QVector<ChangeEntry> chosen;
        for (const ChangeEntry &entry : entries) {
            if (entry.serial == serial)
                chosen.append(entry);
        }
        entries = chosen;
    }
    m_report->history(record.path(), entries);
    return CLI_EXIT_SUCCESS;
}

} // namespace

int runCliRequest(const CliRequest &request, CliOutput &output)
{
    Run run(request, output);
    return run.exec();
}
