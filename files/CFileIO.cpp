#include "files/CFileIO.h"

#include "files/CLineReader.h"
#include "files/FilePath.h"
#include "files/NumberText.h"
#include "files/ProfileLookup.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>

namespace {

constexpr char NETWORK_SECTION[] = "Network";
constexpr char LINE_END[] = "\r\n";

// Lines of a calibration value file that carry data (counted from 1).
constexpr int CAL_SERIAL_LINE = 3;
constexpr int CAL_VALUES_LINE = 4;
// Characters of a complete serial number line: two decimal digits per BCD byte.
constexpr qsizetype CAL_SERIAL_DIGITS = 2 * QLX_CAL_SERIAL_SIZE;
// Bytes of a calibration line looked at; a longer serial or value line is malformed.
constexpr qsizetype CAL_LINE_KEEP = 16 * 1024 * 1024;
// The largest value of one address byte.
constexpr int32_t OCTET_MAX = 255;

// The text of a fixed-size field: its bytes up to the first zero, and never more than
// maxLength, even when the record (which comes from an instrument) has no terminating zero.
QByteArray fieldText(const char *field, std::size_t maxLength)
{
    return QByteArray(field, int(strnlen(field, maxLength)));
}

QByteArray dottedAddress(const uint8_t (&octets)[QLX_IPV4_SIZE])
{
    QByteArray text;
    for (std::size_t i = 0; i < QLX_IPV4_SIZE; ++i) {
        if (i > 0)
            text += '.';
        text += QByteArray::number(octets[i]);
    }
    return text;
}

bool hasLineBreak(const QByteArray &text)
{
    return text.contains('\n') || text.contains('\r');
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A text value as it is written after "Key=". The profile lookup drops the blanks around a
// value and then one pair of matching quotes around what is left; a value with outer blanks or
// one that starts and ends with the same quote character is therefore written inside one pair
// of double quotes, which the lookup drops again. Any other value is written as it is.
QByteArray storedText(const QByteArray &text)
{
    const bool outerBlank = !text.isEmpty() && (isBlank(text.front()) || isBlank(text.back()));
    const bool quoted =
        text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
    return outerBlank || quoted ? '"' + text + '"' : text;
}

// Writes content over the existing file at path, without a temporary file; false when anything
// failed, with the old content put back. Room for a longer content is taken at the old end
// first, so a full disk or a file-size limit fails before any old byte changed; only then are
// the old bytes overwritten and the file cut to its new length. The old bytes are kept in
// memory to be written back should that fail.
bool writeInPlace(const QString &path, const QByteArray &content)
{
    // Unbuffered: every write reaches the file at once and reports its own failure.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    const QByteArray old = file.readAll();
    const qint64 oldSize = old.size();
    const qint64 newSize = content.size();
    if (file.error() != QFileDevice::NoError || file.size() != oldSize)
        return false;
    if (newSize > oldSize) {
        const QByteArray beyond = content.mid(int(oldSize));
        if (!file.seek(oldSize) || file.write(beyond) != beyond.size()) {
            file.resize(oldSize);
            return false;
        }
    }
    const QByteArray over = content.left(int(oldSize));
    const qint64 written = file.seek(0) ? file.write(over) : 0;
    if (written == over.size() && file.resize(newSize)) {
        file.close();
        return file.error() == QFileDevice::NoError;
    }
    // The old bytes and length go back. A short write changed only the bytes it wrote; a failed
    // one may have changed any of them. Should this fail too, nothing more can be done: the
    // result is false either way.
    const QByteArray touched = old.left(int(written >= 0 ? written : over.size()));
    if (file.seek(0))
        file.write(touched);
    if (newSize > oldSize)
        file.resize(oldSize);
    return false;
}

// Writes content as the whole file at path; false when anything failed. Where the folder allows
// it, the content goes to a temporary file beside the target and replaces it only when complete,
// so an existing file is left as it was. In a folder the user may not write, an existing
// writable file is written in place instead (writeInPlace). Qt 5's commit() overlooks a failed
// flush of the last buffered bytes and a failed close (a full disk): both are checked here.
bool writeWholeFile(const QString &path, const QByteArray &content)
{
    // Only a regular file, or a link to one, is replaced: a device or a pipe stays what it is.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return target.exists() && writeInPlace(path, content);
    if (file.write(content) != content.size() || !file.flush())
        return false; // an unfinished temporary file is removed with the object
    return file.commit() && file.error() == QFileDevice::NoError;
}

// Stores a flag value into field: one whole number (blanks, leading zeros and a sign allowed;
// the caller decides whether it is 0 or 1). False, with field left as it was, for anything else
// ("x", "1.5", "1 0", "0x1"), which a leading-number conversion would take for 0 or 1.
bool readFlag(const QByteArray &value, int32_t &field)
{
    const std::optional<int32_t> number = WholeInt(value);
    if (!number)
        return false;
    field = *number;
    return true;
}

// Stores an address value into octets: exactly four dot-separated whole numbers from 0 to 255
// (blanks and leading zeros allowed). False, with octets left as they were, for anything else:
// an empty value, a missing, empty or extra piece, a piece out of range or not a number.
bool readAddress(CFileIO &io, const QByteArray &value, uint8_t (&octets)[QLX_IPV4_SIZE])
{
    const QVector<QByteArray> pieces = io.SplitString(value, '.');
    // SplitString leaves empty pieces out; the dots tell of them ("10..0.1", "1.2.3.4.").
    if (std::size_t(pieces.size()) != QLX_IPV4_SIZE || std::size_t(value.count('.')) != QLX_IPV4_SIZE - 1)
        return false;
    uint8_t parsed[QLX_IPV4_SIZE];
    for (std::size_t i = 0; i < QLX_IPV4_SIZE; ++i) {
        const std::optional<int32_t> number = WholeInt(pieces.at(int(i)));
        if (!number || *number < 0 || *number > OCTET_MAX)
            return false;
        parsed[i] = uint8_t(*number);
    }
    std::copy(std::begin(parsed), std::end(parsed), octets);
    return true;
}

// Stores a text value into field (maxLength bytes and a terminating zero); false when the
// value is empty or longer than maxLength.
bool readText(const QByteArray &value, char *field, std::size_t maxLength)
{
    if (value.isEmpty() || std::size_t(value.size()) > maxLength)
        return false;
    std::memcpy(field, value.constData(), std::size_t(value.size()));
    field[value.size()] = '\0';
    return true;
}

// Serial number bytes from the eight digits of digits, two per byte.
void storeSerial(const QByteArray &digits, uint8_t (&serialNo)[QLX_CAL_SERIAL_SIZE])
{
    for (std::size_t i = 0; i < QLX_CAL_SERIAL_SIZE; ++i)
        serialNo[i] = uint8_t(HexPairToByte(digits.constData() + 2 * i));
}

// The rejected line is echoed with its control bytes escaped (\x1B), so that a line from a file
// cannot drive the terminal or break the output into lines.
void reportIncorrectData(const QByteArray &line)
{
    constexpr unsigned char FIRST_PRINTABLE = 0x20;
    constexpr unsigned char DELETE = 0x7F;
    QByteArray shown;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < FIRST_PRINTABLE || byte == DELETE)
            shown += QByteArray("\\x") + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
        else
            shown += c;
    }
    std::printf("incorrect data. %s\n", shown.constData());
    std::fflush(stdout);
}

// The number of pieces of line between commas, empty pieces left out; counting stops past limit.
std::size_t countValues(const QByteArray &line, std::size_t limit)
{
    std::size_t pieces = 0;
    const char *const end = line.constEnd();
    for (const char *p = line.constBegin(); p != end && pieces <= limit;) {
        if (*p == ',') {
            ++p;
            continue;
        }
        ++pieces;
        const auto *comma = static_cast<const char *>(std::memchr(p, ',', std::size_t(end - p)));
        p = comma ? comma : end;
    }
    return pieces;
}

// Converts the comma-separated values of line into values (count of them), empty pieces left
// out. False, with values left as they were, when the line does not hold exactly count values
// or one of them is not a whole decimal number that a 32-bit float holds (WholeFloat): text, a
// quoted, hexadecimal or decimal-comma number, a unit after the number ("0.95%") or only blanks
// refuse the line. The pieces are counted before anything is converted and are read in place,
// so a line of millions of values costs one pass.
bool readValues(const QByteArray &line, float *values, std::size_t count)
{
    if (countValues(line, count) != count)
        return false;
    QVector<float> converted;
    converted.reserve(int(count));
    const char *const end = line.constEnd();
    for (const char *piece = line.constBegin(); piece != end;) {
        const auto *comma = static_cast<const char *>(std::memchr(piece, ',', std::size_t(end - piece)));
        const char *const pieceEnd = comma ? comma : end;
        if (pieceEnd != piece) {
            const std::optional<float> value =
                WholeFloat(QByteArray::fromRawData(piece, int(pieceEnd - piece)));
            if (!value)
                return false;
            converted.append(*value);
        }
        piece = comma ? comma + 1 : end;
    }
    std::copy(converted.cbegin(), converted.cend(), values);
    return true;
}

enum class CalFileKind
{
    WhitePlate,
    AmbientAdapter
};

// Reads a calibration value file of the given kind into serialNo and values. Lines 3 and 4
// carry the data; the others are ignored. A file that ends before line 4 is refused: it would
// register a serial number without its values, or nothing at all.
bool readCalFile(const char *path, CalFileKind kind, uint8_t (&serialNo)[QLX_CAL_SERIAL_SIZE], float *values,
                 std::size_t count)
{
    if (!path)
        return false;
    // Only regular files: a device or a pipe may never end or never deliver a byte.
    QFile file(filePathFromUtf8(path));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    bool result = true;
    CLineReader reader(file, CAL_LINE_KEEP);
    QByteArray line;
    int lineNo = 1;
    for (; lineNo <= CAL_VALUES_LINE && reader.next(line); ++lineNo) {
        if (lineNo == CAL_SERIAL_LINE) {
            const qsizetype length = line.size();
            // Packed BCD holds decimal digits only; any other character would become a nibble
            // above 9 or a byte 0xFF.
            const bool decimal =
                std::all_of(line.cbegin(), line.cend(), [](char c) { return c >= '0' && c <= '9'; });
            if (decimal && kind == CalFileKind::WhitePlate && length > 0 && length <= CAL_SERIAL_DIGITS) {
                storeSerial(line.rightJustified(int(CAL_SERIAL_DIGITS), '0'), serialNo);
            } else if (decimal && kind == CalFileKind::AmbientAdapter && length == CAL_SERIAL_DIGITS) {
                storeSerial(line, serialNo);
            } else if (length > 0 || kind == CalFileKind::AmbientAdapter) {
                reportIncorrectData(line);
                result = false;
            }
        } else if (lineNo == CAL_VALUES_LINE) {
            if (reader.truncated() || !readValues(line, values, count))
                result = false;
        }
    }
    // Lines after the fourth carry nothing, so reading stops there; a device error before
    // that point is a failure, not a short file.
    if (reader.failed() || lineNo <= CAL_VALUES_LINE)
        result = false;
    return result;
}

} // namespace

bool CFileIO::GetNetworkInfoFromFile(const char *path, QlxNetworkInfo &record)
{
    // The keys in the order they are stored; the first one that fails ends the read.
    enum
    {
        DHCP_USE_KEY,
        IP_ADDRESS_KEY,
        SUBNET_MASK_KEY,
        DEFAULT_GATEWAY_KEY,
        SSID_KEY,
        ENCRYPT_KEY_KEY,
        DNS_KEY,
        AP_CONNECT_USE_KEY
    };
    const QVector<QByteArray> values =
        ReadProfileStrings(path, NETWORK_SECTION,
                           {"DHCPUse", "IPAddress", "SubnetMask", "DefaultGateway", "SSID", "EncryptKey",
                            "DNS", "APConnectUse"});
    return readFlag(values.at(DHCP_USE_KEY), record.DHCPUse) &&
           readAddress(*this, values.at(IP_ADDRESS_KEY), record.IPAddress) &&
           readAddress(*this, values.at(SUBNET_MASK_KEY), record.SubnetMask) &&
           readAddress(*this, values.at(DEFAULT_GATEWAY_KEY), record.DefaultGateway) &&
           readText(values.at(SSID_KEY), record.SSID, QLX_SSID_MAX_LENGTH) &&
           readText(values.at(ENCRYPT_KEY_KEY), record.EncryptKey, QLX_ENCRYPT_KEY_MAX_LENGTH) &&
           readAddress(*this, values.at(DNS_KEY), record.DNS) &&
           readFlag(values.at(AP_CONNECT_USE_KEY), record.APConnectUse);
}

bool CFileIO::SetNetworkInfoToFile(const char *path, const QlxNetworkInfo &record)
{
    if (!path)
        return false;
    const QByteArray ssid = fieldText(record.SSID, QLX_SSID_MAX_LENGTH);
    const QByteArray encryptKey = fieldText(record.EncryptKey, QLX_ENCRYPT_KEY_MAX_LENGTH);
    // A line break would end the line early and put the rest of the text on lines of its own;
    // an empty value makes the reader refuse the whole file.
    if (hasLineBreak(ssid) || hasLineBreak(encryptKey) || ssid.isEmpty() || encryptKey.isEmpty())
        return false;

    QByteArray content;
    content += QByteArray("[Network]") + LINE_END;
    content += QByteArray("; 0:eDHCP_OFF, 1:eDHCP_ON") + LINE_END;
    content += "DHCPUse=" + QByteArray::number(record.DHCPUse) + LINE_END;
    content += "IPAddress=" + dottedAddress(record.IPAddress) + LINE_END;
    content += "SubnetMask=" + dottedAddress(record.SubnetMask) + LINE_END;
    content += "DefaultGateway=" + dottedAddress(record.DefaultGateway) + LINE_END;
    content += "SSID=" + storedText(ssid) + LINE_END;
    content += "EncryptKey=" + storedText(encryptKey) + LINE_END;
    content += "DNS=" + dottedAddress(record.DNS) + LINE_END;
    content += QByteArray("; 0:eAPConnect_OFF, 1:eAPConnect_ON") + LINE_END;
    content += "APConnectUse=" + QByteArray::number(record.APConnectUse) + LINE_END;

    return writeWholeFile(filePathFromUtf8(path), content);
}

QVector<QByteArray> CFileIO::SplitString(const QByteArray &text, char separator)
{
    QVector<QByteArray> pieces;
    QByteArray piece;
    for (const char c : text) {
        if (c != separator) {
            piece += c;
            continue;
        }
        if (!piece.isEmpty())
            pieces.append(piece);
        piece.clear();
    }
    if (!piece.isEmpty())
        pieces.append(piece);
    return pieces;
}

bool CFileIO::GetCalRefDataFromFile(const char *path, QlxRefWhite &white)
{
    return readCalFile(path, CalFileKind::WhitePlate, white.serialNo, white.spcData, QLX_WHITE_VALUE_COUNT);
}

bool CFileIO::GetCalRefDataFromFile(const char *path, QlxCalRefData &record)
{
    return readCalFile(path, CalFileKind::AmbientAdapter, record.rfAmbient.serialNo, record.rfAmbient.spcData,
                       QLX_AMBIENT_VALUE_COUNT);
}

int CFileIO::BcdToDec(uint8_t value)
{
    return ((value >> 4) & 0x0F) * 10 + (value & 0x0F);
}

int HexPairToByte(const char *digits)
{
    const auto digitValue = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    const int high = digitValue(digits[0]);
    if (high < 0)
        return -1; // the second character may lie beyond the end of a short text
    const int low = digitValue(digits[1]);
    return low < 0 ? -1 : high * 16 + low;
}
