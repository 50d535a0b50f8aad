#include "BackupFolder.h"

#include "CliTexts.h"
#include "CliValues.h"
#include "Console.h"
#include "NetworkInput.h"
#include "PrivateFiles.h"
#include "instrument/CQlxSdk_Ctrl.h"
#include "instrument/EightBitText.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstring>

namespace {

const QString NETWORK_FILE = QStringLiteral("network.ini");
const QString WHITE_FILE = QStringLiteral("white.csv");
const QString AMBIENT_FILE = QStringLiteral("ambient.csv");
const QString INSTRUMENT_FILE = QStringLiteral("instrument.json");
const QString WHITE_RAW = QStringLiteral("whitePlateRaw");
const QString AMBIENT_RAW = QStringLiteral("ambientAdapterRaw");
const QString NETWORK_RAW = QStringLiteral("networkRaw");
constexpr int SERIAL_DIGITS = 8;
constexpr int HEX_FLOAT_DIGITS = 8;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QByteArray sha256Of(const QString &path, bool &ok)
{
    QFile file(path);
    ok = file.open(QIODevice::ReadOnly);
    if (!ok)
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    ok = hash.addData(&file);
    return hash.result().toHex();
}

QString hexBytes(const uint8_t *bytes, std::size_t size)
{
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char *>(bytes), int(size)).toHex().toUpper());
}

// The values' bits, "0x" and 8 hexadecimal digits each: every value comes back as it was.
QJsonObject rawPart(const uint8_t (&serial)[QLX_CAL_SERIAL_SIZE], const float *values, std::size_t count)
{
    QJsonArray bits;
    for (std::size_t i = 0; i < count; ++i) {
        uint32_t word = 0;
        std::memcpy(&word, &values[i], sizeof word);
        bits.append(QStringLiteral("0x") +
                    QString::number(word, 16).rightJustified(HEX_FLOAT_DIGITS, QLatin1Char('0')).toUpper());
    }
    return QJsonObject{{QStringLiteral("serial"), hexBytes(serial, QLX_CAL_SERIAL_SIZE)},
                       {QStringLiteral("values"), bits}};
}

bool readRawPart(const QJsonObject &raw, uint8_t (&serial)[QLX_CAL_SERIAL_SIZE], float *values,
                 std::size_t count)
{
    const QByteArray serialBytes =
        QByteArray::fromHex(raw.value(QStringLiteral("serial")).toString().toLatin1());
    const QJsonArray bits = raw.value(QStringLiteral("values")).toArray();
    if (serialBytes.size() != int(QLX_CAL_SERIAL_SIZE) || bits.size() != int(count))
        return false;
    std::memcpy(serial, serialBytes.constData(), QLX_CAL_SERIAL_SIZE);
    for (std::size_t i = 0; i < count; ++i) {
        const QString text = bits.at(int(i)).toString();
        bool ok = false;
        const uint32_t word = text.mid(2).toUInt(&ok, 16);
        if (!text.startsWith(QLatin1String("0x")) || text.size() != 2 + HEX_FLOAT_DIGITS || !ok)
            return false;
        std::memcpy(&values[i], &word, sizeof word);
    }
    return true;
}

bool isSerialText(const QString &text)
{
    if (text.size() != SERIAL_DIGITS)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Reads and checks one instrument folder; nameMustMatch: the folder is named after the serial.
bool readOne(const QString &folder, bool nameMustMatch, CQlxSdk_Ctrl &ctrl, BackupContents &contents,
             QString &error)
{
    // Whoever else may change the folder could have put any settings into it, and their
    // SHA-256 with them.
    const QDir dir(folder);
    bool ownFiles = ownedAndPrivate(folder);
    for (const QString &name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        ownFiles = ownFiles && ownedAndPrivate(dir.filePath(name));
    if (!ownFiles) {
        error = CliText::tr("%1 belongs to another user or others may change it; restore does not take it.")
                    .arg(native(folder));
        return false;
    }
    QFile file(dir.filePath(INSTRUMENT_FILE));
    // A pipe or a device would hang the reading.
    if (!QFileInfo(file.fileName()).isFile()) {
        error = CliText::tr("%1: not a regular file.").arg(native(file.fileName()));
        return false;
    }
    QJsonParseError parseError{};
    const QJsonDocument document = file.open(QIODevice::ReadOnly)
                                       ? QJsonDocument::fromJson(file.readAll(), &parseError)
                                       : QJsonDocument();
    const QJsonObject json = document.object();
    const QString serial = json.value(QStringLiteral("serial")).toString();
    if (document.isNull() || !isSerialText(serial)) {
        error = CliText::tr("%1: not an instrument backup of kt9-cli.").arg(native(file.fileName()));
        return false;
    }
    if (nameMustMatch && dir.dirName() != serial) {
        error = CliText::tr("%1: the backup of serial number %2 is in the folder of another instrument.")
                    .arg(native(folder), serial);
        return false;
    }
    contents.serial = serial;
    contents.folder = folder;

    // Every file the backup wrote has its SHA-256: a file beside instrument.json without one
    // would be passed over, and the instrument restored only in part.
    const QString incomplete =
        CliText::tr("%1: instrument.json lacks settings of the backup or contradicts itself.")
            .arg(native(file.fileName()));
    const QJsonObject files = json.value(QStringLiteral("files")).toObject();
    bool complete = json.value(QStringLiteral("files")).isObject();
    for (const QString &name : {NETWORK_FILE, WHITE_FILE, AMBIENT_FILE})
        complete = complete && (files.contains(name) || !QFileInfo::exists(dir.filePath(name)));
    if (!complete) {
        error = incomplete;
        return false;
    }
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QString path = dir.filePath(it.key());
        if (QFileInfo::exists(path) && !QFileInfo(path).isFile()) {
            error = CliText::tr("%1: not a regular file.").arg(native(path));
            return false;
        }
        bool read = false;
        const QByteArray hash = sha256Of(path, read);
        const bool known = it.key() == NETWORK_FILE || it.key() == WHITE_FILE || it.key() == AMBIENT_FILE;
        if (!known || !read || hash != it.value().toString().toLatin1()) {
            error =
                CliText::tr("%1: the file does not match its SHA-256 in instrument.json.").arg(native(path));
            return false;
        }
    }

    if (json.contains(NETWORK_RAW)) {
        // The record as it was read; sent as network load would send it: switches 0 or 1, and
        // with DHCP on the addresses 0.0.0.0.
        const QByteArray raw = QByteArray::fromBase64(json.value(NETWORK_RAW).toString().toLatin1());
        QlxNetworkInfo &network = contents.network;
        if (raw.size() == int(sizeof network))
            std::memcpy(&network, raw.constData(), sizeof network);
        const auto isSwitch = [](int32_t value) { return value == 0 || value == 1; };
        if (raw.size() != int(sizeof network) || !isSwitch(network.APConnectUse) ||
            !isSwitch(network.DHCPUse)) {
            error = QStringLiteral("%1: %2").arg(native(file.fileName()),
                                                 windowText(WindowText::NETWORK_FILE_READ_FAILED));
            return false;
        }
        if (network.DHCPUse == eDHCP_ON) {
            std::memset(network.IPAddress, 0, sizeof network.IPAddress);
            std::memset(network.SubnetMask, 0, sizeof network.SubnetMask);
            std::memset(network.DefaultGateway, 0, sizeof network.DefaultGateway);
            std::memset(network.DNS, 0, sizeof network.DNS);
        }
        contents.hasNetwork = true;
    } else if (files.contains(NETWORK_FILE)) {
        const char *failure = nullptr;
        const QByteArray path = filePathArgument(dir.filePath(NETWORK_FILE));
        if (!readNetworkInput(ctrl, path, contents.network, failure)) {
            error = QStringLiteral("%1: %2").arg(native(dir.filePath(NETWORK_FILE)), windowText(failure));
            return false;
        }
        contents.hasNetwork = true;
    }
    const QJsonValue mode = json.value(QStringLiteral("powerOffMode"));
    if (!mode.isUndefined()) {
        const int value = mode.toInt(-1);
        if (value < QLX_SHUTDOWN_DISABLED || value > QLX_SHUTDOWN_60_MIN) {
            error =
                CliText::tr("%1: the power-off time is not off, 15, 30 or 60.").arg(native(file.fileName()));
            return false;
        }
        contents.hasPowerOff = true;
        contents.powerOff = QlxShutdownMode(value);
    }
    const QJsonValue word = json.value(QStringLiteral("powerOff"));
    const bool powerOffConsistent =
        mode.isUndefined() ? word.isUndefined() : word.toString() == powerOffWord(contents.powerOff);
    // A backup of an instrument with its wireless LAN module on holds its network settings.
    const bool networkPresent =
        contents.hasNetwork || !json.value(QStringLiteral("wirelessLanModule")).toBool();
    if (!powerOffConsistent || !networkPresent) {
        error = incomplete;
        return false;
    }

    QlxCalRefData &refs = contents.references;
    if (files.contains(WHITE_FILE))
        contents.hasWhite =
            CQlxSdk_Ctrl::readWhitePlateFile(filePathArgument(dir.filePath(WHITE_FILE)).constData(), refs);
    else if (json.contains(WHITE_RAW))
        contents.hasWhite = readRawPart(json.value(WHITE_RAW).toObject(), refs.rfWhite.serialNo,
                                        refs.rfWhite.spcData, QLX_WHITE_VALUE_COUNT);
    if (files.contains(AMBIENT_FILE))
        contents.hasAmbient = CQlxSdk_Ctrl::readAmbientAdapterFile(
            filePathArgument(dir.filePath(AMBIENT_FILE)).constData(), refs);
    else if (json.contains(AMBIENT_RAW))
        contents.hasAmbient = readRawPart(json.value(AMBIENT_RAW).toObject(), refs.rfAmbient.serialNo,
                                          refs.rfAmbient.spcData, QLX_AMBIENT_VALUE_COUNT);
    const bool whiteFaulty = (files.contains(WHITE_FILE) || json.contains(WHITE_RAW)) && !contents.hasWhite;
    const bool ambientFaulty =
        (files.contains(AMBIENT_FILE) || json.contains(AMBIENT_RAW)) && !contents.hasAmbient;
    if (whiteFaulty || ambientFaulty) {
        error = QStringLiteral("%1: %2").arg(native(dir.filePath(whiteFaulty ? WHITE_FILE : AMBIENT_FILE)),
                                             windowText(WindowText::CAL_FILE_READ_FAILED));
        return false;
    }
    return true;
}

bool makeOwnerOnlyFolder(const QString &path)
{
    return PrivateFiles::makePath(path) && QFile::setPermissions(path, PrivateFiles::FOLDER_MODE);
}

// The settings as the instrument would take them: the switches on or off, the addresses only
// with DHCP off, the SSID and key up to their end.
bool sameNetwork(const QlxNetworkInfo &a, const QlxNetworkInfo &b)
{
    const bool dhcp = a.DHCPUse != eDHCP_OFF;
    const bool addressesSame =
        dhcp || (std::memcmp(a.IPAddress, b.IPAddress, sizeof a.IPAddress) == 0 &&
                 std::memcmp(a.SubnetMask, b.SubnetMask, sizeof a.SubnetMask) == 0 &&
                 std::memcmp(a.DefaultGateway, b.DefaultGateway, sizeof a.DefaultGateway) == 0 &&
                 std::memcmp(a.DNS, b.DNS, sizeof a.DNS) == 0);
    return (a.APConnectUse != eAPConnect_OFF) == (b.APConnectUse != eAPConnect_OFF) &&
           dhcp == (b.DHCPUse != eDHCP_OFF) && addressesSame &&
           std::strncmp(a.SSID, b.SSID, sizeof a.SSID) == 0 &&
           std::strncmp(a.EncryptKey, b.EncryptKey, sizeof a.EncryptKey) == 0;
}

// The network settings file just written gives back the instrument's record (a full disk cuts
// it short; a value the file cannot carry comes back changed).
bool networkFileReadsBack(CQlxSdk_Ctrl &ctrl, const QString &path)
{
    const QlxNetworkInfo written = ctrl.networkInfo;
    QlxNetworkInfo read = {};
    const char *failure = nullptr;
    const bool ok = readNetworkInput(ctrl, filePathArgument(path), read, failure);
    ctrl.networkInfo = written;
    return ok && sameNetwork(written, read);
}

// The calibration value file just written gives back the part's serial number and every bit.
bool calibrationFileReadsBack(bool white, const QString &path, const QlxCalRefData &refs)
{
    QlxCalRefData read = {};
    const QByteArray name = filePathArgument(path);
    if (white)
        return CQlxSdk_Ctrl::readWhitePlateFile(name.constData(), read) &&
               std::memcmp(&read.rfWhite, &refs.rfWhite, sizeof refs.rfWhite) == 0;
    return CQlxSdk_Ctrl::readAmbientAdapterFile(name.constData(), read) &&
           std::memcmp(&read.rfAmbient, &refs.rfAmbient, sizeof refs.rfAmbient) == 0;
}

// Writes text whole or not at all: QSaveFile buffers, so a full disk may show only at the
// commit, or not even there; the file is read back.
bool writeWhole(const QString &path, const QByteArray &text)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.flush() || !out.commit() ||
        !QFile::setPermissions(path, PrivateFiles::FILE_MODE))
        return false;
    QFile back(path);
    return back.open(QIODevice::ReadOnly) && back.readAll() == text;
}

} // namespace

QStringList BackupFolder::fileNames()
{
    return {NETWORK_FILE, WHITE_FILE, AMBIENT_FILE, INSTRUMENT_FILE};
}

bool BackupFolder::write(const QString &folder, const InstrumentSnapshot &snapshot, CQlxSdk_Ctrl &ctrl,
                         bool network, QStringList &warnings, QString &error)
{
    if (!makeOwnerOnlyFolder(folder)) {
        error = CliText::tr("cannot create the folder %1").arg(native(folder));
        return false;
    }
    const QDir dir(folder);
    QJsonObject files;
    QJsonObject json{{QStringLiteral("serial"), snapshot.serial},
                     {QStringLiteral("firmware"), snapshot.firmware},
                     {QStringLiteral("macAddress"), snapshot.macAddress},
                     {QStringLiteral("wirelessLanModule"), snapshot.moduleEnabled},
                     {QStringLiteral("time"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate)}};
    // Files of an earlier backup that this one does not write again must not stay behind.
    for (const QString &name : {NETWORK_FILE, WHITE_FILE, AMBIENT_FILE})
        QFile::remove(dir.filePath(name));
    // The files are created with the umask's modes, in a folder that only the user can enter.
    const auto addFile = [&](const QString &name) {
        bool read = QFile::setPermissions(dir.filePath(name), PrivateFiles::FILE_MODE);
        const QByteArray hash = read ? sha256Of(dir.filePath(name), read) : QByteArray();
        if (read)
            files.insert(name, QString::fromLatin1(hash));
        else
            QFile::remove(dir.filePath(name));
        return read;
    };

    if (network) {
        // The window refuses to save settings its reader would refuse (an empty SSID or key):
        // those are kept as the record itself.
        const QByteArray path = filePathArgument(dir.filePath(NETWORK_FILE));
        if (!ctrl.saveNetworkFile(path.constData()) ||
            !networkFileReadsBack(ctrl, dir.filePath(NETWORK_FILE)) || !addFile(NETWORK_FILE)) {
            QFile::remove(dir.filePath(NETWORK_FILE));
            const QByteArray raw(reinterpret_cast<const char *>(&ctrl.networkInfo),
                                 int(sizeof ctrl.networkInfo));
            json.insert(NETWORK_RAW, QString::fromLatin1(raw.toBase64()));
            warnings.append(CliText::tr("The network settings cannot be written as a network settings file; "
                                        "they are kept in instrument.json."));
        }
    }
    if (snapshot.powerOffRead) {
        json.insert(QStringLiteral("powerOff"), powerOffWord(snapshot.powerOff));
        json.insert(QStringLiteral("powerOffMode"), int(snapshot.powerOff));
    }
    if (snapshot.referencesRead) {
        const QlxCalRefData &refs = snapshot.references;
        if (!CQlxSdk_Ctrl::saveWhitePlateFile(dir.filePath(WHITE_FILE), refs) ||
            !calibrationFileReadsBack(true, dir.filePath(WHITE_FILE), refs) || !addFile(WHITE_FILE)) {
            QFile::remove(dir.filePath(WHITE_FILE));
            json.insert(WHITE_RAW,
                        rawPart(refs.rfWhite.serialNo, refs.rfWhite.spcData, QLX_WHITE_VALUE_COUNT));
            warnings.append(
                CliText::tr("The white calibration plate values cannot be written as a calibration "
                            "value file; they are kept in instrument.json."));
        }
        if (!CQlxSdk_Ctrl::saveAmbientAdapterFile(dir.filePath(AMBIENT_FILE), refs) ||
            !calibrationFileReadsBack(false, dir.filePath(AMBIENT_FILE), refs) || !addFile(AMBIENT_FILE)) {
            QFile::remove(dir.filePath(AMBIENT_FILE));
            json.insert(AMBIENT_RAW,
                        rawPart(refs.rfAmbient.serialNo, refs.rfAmbient.spcData, QLX_AMBIENT_VALUE_COUNT));
            warnings.append(CliText::tr("The ambient light adapter values cannot be written as a calibration "
                                        "value file; they are kept in instrument.json."));
        }
    }
    json.insert(QStringLiteral("files"), files);

    if (!writeWhole(dir.filePath(INSTRUMENT_FILE), QJsonDocument(json).toJson(QJsonDocument::Indented))) {
        error = CliText::tr("cannot write %1").arg(native(dir.filePath(INSTRUMENT_FILE)));
        return false;
    }
    return true;
}

bool BackupFolder::check(const QString &folder, CQlxSdk_Ctrl &ctrl, BackupContents &contents, QString &error)
{
    return readOne(folder, false, ctrl, contents, error);
}

bool BackupFolder::readAll(const QString &dir, CQlxSdk_Ctrl &ctrl, QMap<QString, BackupContents> &contents,
                           QString &error)
{
    const QDir top(dir);
    if (!top.exists()) {
        error = CliText::tr("%1: no such folder.").arg(native(dir));
        return false;
    }
    if (top.exists(INSTRUMENT_FILE)) {
        BackupContents one;
        if (!readOne(dir, false, ctrl, one, error))
            return false;
        contents.insert(one.serial, one);
        return true;
    }
    for (const QString &name : top.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        // The scratch folders of a backup at work (hidden on POSIX systems, listed on Windows).
        if (name.startsWith(QLatin1Char('.')))
            continue;
        // A folder named after an instrument without its instrument.json is a damaged backup,
        // not an instrument without one.
        const QString json = top.filePath(name + QLatin1Char('/') + INSTRUMENT_FILE);
        // Backup never writes a link there: whoever could write to dir may have put it.
        if ((isSerialText(name) || QFileInfo::exists(json)) && PrivateFiles::isLink(top.filePath(name))) {
            error = CliText::tr("%1 is a link; restore does not follow it.").arg(native(top.filePath(name)));
            return false;
        }
        if (!QFileInfo::exists(json) && isSerialText(name)) {
            error = CliText::tr("%1: not an instrument backup of kt9-cli.").arg(native(json));
            return false;
        }
        if (!QFileInfo::exists(json))
            continue;
        BackupContents one;
        if (!readOne(top.filePath(name), true, ctrl, one, error))
            return false;
        contents.insert(one.serial, one);
    }
    // A mistyped folder must not pass for a restore with nothing to do.
    if (contents.isEmpty()) {
        error = CliText::tr("%1: not an instrument backup of kt9-cli.").arg(native(dir));
        return false;
    }
    return true;
}

bool BackupFolder::calibrationRegistrable(const BackupContents &contents, QString &error)
{
    const bool whiteAccepted =
        !contents.hasWhite || CQlxSdk_Ctrl::whitePlateSerialAccepted(contents.references);
    if (whiteAccepted &&
        (!contents.hasAmbient || CQlxSdk_Ctrl::ambientAdapterSerialAccepted(contents.references)))
        return true;
    const QDir dir(contents.folder);
    QString file = dir.filePath(whiteAccepted ? AMBIENT_FILE : WHITE_FILE);
    if (!QFileInfo::exists(file))
        file = dir.filePath(INSTRUMENT_FILE);
    error = QStringLiteral("%1: %2").arg(native(file), windowText(WindowText::CAL_FILE_READ_FAILED));
    return false;
}

QString BackupFolder::createCopyFolder(const QString &serial, QString &error)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString backups = data + QStringLiteral("/kt9-config/backups");
    const QString parent = backups + QLatin1Char('/') + serial;
    if (data.isEmpty() || !makeOwnerOnlyFolder(backups) || !makeOwnerOnlyFolder(parent)) {
        error = CliText::tr("cannot create the folder %1").arg(native(parent));
        return QString();
    }
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    // Two copies within one second get a number each.
    for (int attempt = 1;; ++attempt) {
        const QString name = attempt == 1 ? stamp : QStringLiteral("%1-%2").arg(stamp).arg(attempt);
        const QString folder = parent + QLatin1Char('/') + name;
        if (QDir(parent).mkdir(name)) {
            if (!QFile::setPermissions(folder, PrivateFiles::FOLDER_MODE))
                break;
            return folder;
        }
        if (!QFileInfo::exists(folder))
            break;
    }
    error = CliText::tr("cannot create a folder in %1").arg(native(parent));
    return QString();
}
