#include "FleetPlan.h"

#include "CliArguments.h"
#include "CliTexts.h"
#include "CliValues.h"
#include "CsvRecords.h"
#include "StaticAddresses.h"
#include "instrument/EightBitText.h"

#include <QFile>
#include <QHash>
#include <QStringList>

#include <cstring>

namespace {

enum Column
{
    SERIAL,
    WIRELESS_LAN,
    SSID,
    KEY,
    DHCP,
    IP, ///< the four addresses, in the controller's order
    MASK,
    GATEWAY,
    DNS,
    POWER_OFF,
    COLUMN_COUNT,
};
const char *const COLUMN_NAMES[COLUMN_COUNT] = {"serial", "wireless_lan", "ssid",    "key", "dhcp",
                                                "ip",     "mask",         "gateway", "dns", "power_off"};
constexpr int NO_COLUMN = -1;

// A plan is a few lines per instrument: anything larger is no plan.
constexpr int PLAN_MAX_MEGABYTES = 8;
constexpr qint64 PLAN_MAX_BYTES = qint64(PLAN_MAX_MEGABYTES) * 1024 * 1024;

constexpr unsigned char FIRST_PRINTABLE = 0x20;
constexpr unsigned char DELETE = 0x7F;
const QString ADDRESS_ZERO = QStringLiteral("0");

QString columnName(int column)
{
    return QString::fromLatin1(COLUMN_NAMES[column]);
}

// What reading the plan needs while it goes through the rows.
struct PlanReader
{
    QString shownName;
    QString error;

    bool fail(const QString &message)
    {
        error = QStringLiteral("%1: %2").arg(shownName, message);
        return false;
    }
    bool failRow(int row, const QString &reason)
    {
        return fail(CliText::tr("row %1: %2").arg(row).arg(reason));
    }
    bool failCell(int row, const QString &column, const QString &reason)
    {
        return fail(CliText::tr("row %1, column %2: %3").arg(row).arg(column, reason));
    }
};

QString shownValue(const QByteArray &bytes)
{
    return textFromEightBit(bytes.constData(), std::size_t(bytes.size()));
}

bool onOff(const QByteArray &text, bool &value)
{
    const QByteArray word = text.toLower();
    value = word == "on";
    return value || word == "off";
}

bool serialNumber(const QByteArray &text, int32_t &serial)
{
    if (text.isEmpty() || text.size() > SERIAL_MAX_DIGITS)
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    serial = int32_t(text.toInt());
    return true;
}

// Four octets a.b.c.d, with the window's checks of its octet fields.
bool address(const QByteArray &text, uint8_t (&octets)[QLX_IPV4_SIZE])
{
    const QList<QByteArray> pieces = text.split('.');
    if (pieces.size() != int(QLX_IPV4_SIZE))
        return false;
    CQlxSdk_Ctrl::AddressTexts texts;
    for (const QByteArray &piece : pieces)
        texts[0].append(QString::fromLatin1(piece));
    // The other three addresses are valid, so that only this one decides.
    for (int i = 1; i < CQlxSdk_Ctrl::NETWORK_ADDRESS_COUNT; ++i)
        texts[i] = QVector<QString>(int(QLX_IPV4_SIZE), ADDRESS_ZERO);
    CQlxSdk_Ctrl::AddressOctets values;
    if (!CQlxSdk_Ctrl::octetsFromTexts(texts, values))
        return false;
    std::memcpy(octets, values[0], QLX_IPV4_SIZE);
    return true;
}

// The SSID or key as it reaches the instrument; a reason on failure.
bool networkText(const QByteArray &text, std::size_t maxLength, QString &reason)
{
    if (std::size_t(text.size()) > maxLength) {
        reason = CliText::tr("%1 bytes; the instrument takes at most %2.").arg(text.size()).arg(maxLength);
        return false;
    }
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < FIRST_PRINTABLE || byte == DELETE) {
            reason = CliText::tr("a control character, which the instrument cannot take.");
            return false;
        }
    }
    return true;
}

// Takes one cell's value into row; on failure the reason.
bool takeCell(int column, const QByteArray &text, FleetRow &row, QString &reason)
{
    bool flag = false;
    switch (column) {
    case SERIAL:
        if (serialNumber(text, row.serial))
            return true;
        reason = CliText::tr("needs a serial number of up to 8 digits, not %1.").arg(shownValue(text));
        return false;
    case WIRELESS_LAN:
    case DHCP:
        if (!onOff(text, flag)) {
            reason = CliText::tr("needs on or off, not %1.").arg(shownValue(text));
            return false;
        }
        (column == DHCP ? row.dhcp : row.wirelessLan) = flag;
        return true;
    case SSID:
    case KEY:
        if (!networkText(text, column == SSID ? QLX_SSID_MAX_LENGTH : QLX_ENCRYPT_KEY_MAX_LENGTH, reason))
            return false;
        (column == SSID ? row.ssid : row.key) = text;
        return true;
    case IP:
    case MASK:
    case GATEWAY:
    case DNS:
        if (!address(text, row.addresses[column - IP])) {
            reason =
                CliText::tr("needs an address such as 192.168.0.10 (four numbers from 0 to 255), not %1.")
                    .arg(shownValue(text));
            return false;
        }
        row.hasAddress[column - IP] = true;
        return true;
    case POWER_OFF: {
        QlxShutdownMode mode = QLX_SHUTDOWN_DISABLED;
        if (!powerOffFromWord(QString::fromLatin1(text.toLower()), mode)) {
            reason = CliText::tr("needs off, 15, 30 or 60, not %1.").arg(shownValue(text));
            return false;
        }
        row.powerOff = mode;
        return true;
    }
    default:
        break;
    }
    return false;
}

bool isEmptyRecord(const CsvRecord &record)
{
    for (const CsvCell &cell : record) {
        if (!cell.text.isEmpty())
            return false;
    }
    return true;
}

// The plan's columns by position in the header; NO_COLUMN for a position without a name.
bool readHeader(const CsvRecord &header, PlanReader &reader, QVector<int> &columns)
{
    constexpr int HEADER_ROW = 1;
    QStringList names;
    for (int column = 0; column < COLUMN_COUNT; ++column)
        names.append(columnName(column));
    for (const CsvCell &cell : header) {
        const QString name = shownValue(cell.text);
        const int column = name.isEmpty() ? NO_COLUMN : names.indexOf(name.toLower());
        if (!name.isEmpty() && column == NO_COLUMN)
            return reader.failCell(HEADER_ROW, name,
                                   CliText::tr("unknown column; the columns are %1.").arg(names.join(", ")));
        if (column != NO_COLUMN && columns.contains(column))
            return reader.failCell(HEADER_ROW, name, CliText::tr("the column is named twice."));
        columns.append(column);
    }
    if (!columns.contains(SERIAL))
        return reader.failRow(HEADER_ROW, CliText::tr("the header row has no column serial."));
    return true;
}

// The checks between a row's cells and between the rows.
bool checkRows(const QVector<FleetRow> &rows, PlanReader &reader)
{
    QHash<int32_t, int> serialRows;
    QVector<StaticAddress> addresses;
    QVector<int> addressRows;
    for (const FleetRow &row : rows) {
        if (serialRows.contains(row.serial))
            return reader.failCell(row.row, columnName(SERIAL),
                                   CliText::tr("serial number %1 is also in row %2.")
                                       .arg(serialNumberLabel(row.serial))
                                       .arg(serialRows.value(row.serial)));
        serialRows.insert(row.serial, row.row);
        for (int i = 0; i < CQlxSdk_Ctrl::NETWORK_ADDRESS_COUNT; ++i) {
            if (!row.hasAddress[i])
                continue;
            if (!row.dhcp.has_value())
                return reader.failCell(row.row, columnName(IP + i),
                                       CliText::tr("an address needs dhcp off in the same row."));
            if (*row.dhcp)
                return reader.failCell(row.row, columnName(IP + i),
                                       CliText::tr("with dhcp on the instrument takes its addresses from the "
                                                   "network: leave the addresses empty."));
        }
        if (row.hasAddress[0]) {
            addresses.append({serialNumberLabel(row.serial), addressText(row.addresses[0])});
            addressRows.append(row.row);
        }
    }
    const int repeated = repeatedAddress(addresses);
    if (repeated >= 0)
        return reader.failCell(addressRows.at(repeated), columnName(IP),
                               repeatedAddressText(addresses, repeated));
    return true;
}

// The rows after the header, each cell taken into its column; empty rows left out.
bool readRows(const CsvFile &csv, const QVector<int> &columns, PlanReader &reader, QVector<FleetRow> &rows)
{
    const int serialCell = columns.indexOf(SERIAL);
    for (int r = 1; r < csv.records.size(); ++r) {
        const CsvRecord &record = csv.records.at(r);
        // Spreadsheets write the empty rows between filled ones as separators alone.
        if (isEmptyRecord(record))
            continue;
        FleetRow row;
        row.row = r + 1;
        for (int cell = 0; cell < record.size(); ++cell) {
            const QByteArray &text = record.at(cell).text;
            const int column = columns.value(cell, NO_COLUMN);
            QString reason;
            if (column == NO_COLUMN && !text.isEmpty())
                return reader.failCell(row.row, QString::number(cell + 1),
                                       CliText::tr("a value in a column that the header row does not name."));
            if (column != NO_COLUMN && !text.isEmpty() && !takeCell(column, text, row, reason))
                return reader.failCell(row.row, columnName(column), reason);
        }
        if (record.value(serialCell).text.isEmpty())
            return reader.failCell(row.row, columnName(SERIAL),
                                   CliText::tr("needs the instrument's serial number."));
        rows.append(row);
    }
    return true;
}

} // namespace

bool FleetRow::setsNetwork() const
{
    bool address = false;
    for (const bool given : hasAddress)
        address = address || given;
    return address || wirelessLan || ssid || key || dhcp;
}

bool readFleetPlan(const QString &path, const QString &shownName, QVector<FleetRow> &rows, QString &error)
{
    PlanReader reader{shownName, QString()};
    const auto done = [&](bool) {
        error = reader.error;
        return error.isEmpty();
    };
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(PLAN_MAX_BYTES + 1);
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        return done(reader.fail(CliText::tr("the plan cannot be read: %1").arg(file.errorString())));
    if (bytes.size() > PLAN_MAX_BYTES)
        return done(reader.fail(CliText::tr("the plan is larger than %1 MB.").arg(PLAN_MAX_MEGABYTES)));

    const CsvFile csv = readCsv(bytes);
    QVector<int> columns;
    const bool headerRead = !csv.records.isEmpty() && (csv.problem == CsvFile::NONE || csv.problemRecord > 0);
    if (headerRead && !readHeader(csv.records.first(), reader, columns))
        return done(false);
    if (csv.problem != CsvFile::NONE) {
        const int column = columns.value(csv.problemCell, NO_COLUMN);
        return done(reader.failCell(
            csv.problemRecord + 1,
            column == NO_COLUMN ? QString::number(csv.problemCell + 1) : columnName(column),
            csv.problem == CsvFile::UNCLOSED_QUOTE ? CliText::tr("a quoted cell is not closed.")
                                                   : CliText::tr("text after the closing quotation mark.")));
    }
    if (headerRead && !readRows(csv, columns, reader, rows))
        return done(false);
    if (rows.isEmpty())
        return done(reader.fail(CliText::tr("the plan has no instrument rows.")));
    return done(checkRows(rows, reader));
}
