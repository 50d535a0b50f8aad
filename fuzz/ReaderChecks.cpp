#include "fuzz/ReaderChecks.h"

#include "files/CFileIO.h"

#include <QByteArrayList>
#include <QFile>
#include <QVector>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <optional>

namespace {

// Each reader runs twice, on records filled with two different patterns. A byte the reader
// wrote holds the same value after both runs; a byte it left holds its pattern in each. So
// the bytes written are known exactly, whatever values the reader stored.
constexpr uint8_t FILL_A = 0xA5;
constexpr uint8_t FILL_B = 0x5A;
// Bytes watched on either side of the record.
constexpr std::size_t GUARD_SIZE = 64;

template <typename Record> struct Guarded
{
    uint8_t before[GUARD_SIZE];
    Record record;
    uint8_t after[GUARD_SIZE];
};
static_assert(sizeof(Guarded<QlxNetworkInfo>) == 2 * GUARD_SIZE + QLX_NETWORK_INFO_SIZE, "no padding");
static_assert(sizeof(Guarded<QlxCalRefData>) == 2 * GUARD_SIZE + QLX_CAL_REF_DATA_SIZE, "no padding");

template <typename Record> QByteArray imageOf(const Guarded<Record> &guarded)
{
    return QByteArray(reinterpret_cast<const char *>(&guarded), int(sizeof guarded));
}

// What the two runs did to the record and its guards.
class WrittenBytes
{
public:
    WrittenBytes(const QByteArray &runA, const QByteArray &runB, QByteArrayList &problems)
        : m_written(runA.size(), false)
    {
        for (int i = 0; i < runA.size(); ++i) {
            const bool untouched = uint8_t(runA.at(i)) == FILL_A && uint8_t(runB.at(i)) == FILL_B;
            m_written[i] = !untouched;
            if (!untouched && runA.at(i) != runB.at(i))
                problems.append("byte " + QByteArray::number(i - int(GUARD_SIZE)) +
                                " of the record depends on its previous contents");
        }
    }

    // Offsets below count from the start of the record.
    bool at(std::size_t offset) const { return m_written.at(int(GUARD_SIZE + offset)); }
    bool any(std::size_t offset, std::size_t size) const { return count(offset, size) > 0; }
    bool all(std::size_t offset, std::size_t size) const { return count(offset, size) == size; }
    // The offsets written outside the given ranges of the record, guards included.
    QVector<int> outside(const QVector<QPair<std::size_t, std::size_t>> &ranges) const
    {
        QVector<int> offsets;
        for (int i = 0; i < m_written.size(); ++i) {
            const int offset = i - int(GUARD_SIZE);
            bool inside = false;
            for (const auto &range : ranges)
                inside = inside || (offset >= int(range.first) && offset < int(range.first + range.second));
            if (m_written.at(i) && !inside)
                offsets.append(offset);
        }
        return offsets;
    }

private:
    std::size_t count(std::size_t offset, std::size_t size) const
    {
        std::size_t written = 0;
        for (std::size_t i = 0; i < size; ++i)
            written += at(offset + i) ? 1 : 0;
        return written;
    }

    QVector<bool> m_written;
};

QByteArray offsetsText(const QVector<int> &offsets)
{
    QByteArrayList texts;
    for (const int offset : offsets)
        texts.append(QByteArray::number(offset));
    return texts.join(' ');
}

bool writeFile(const QByteArray &path, const QByteArray &content)
{
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

// ---- Network settings file --------------------------------------------------------------

enum class FieldKind
{
    Number, ///< a flag or an address: stored whole once its key was read
    Text    ///< stored up to and including its terminating zero once its key was read
};

struct NetworkField
{
    const char *key;
    std::size_t offset;
    std::size_t size;
    FieldKind kind;
};

// In the order the reader reads the keys.
const NetworkField NETWORK_FIELDS[] = {
    {"DHCPUse", offsetof(QlxNetworkInfo, DHCPUse), sizeof(int32_t), FieldKind::Number},
    {"IPAddress", offsetof(QlxNetworkInfo, IPAddress), QLX_IPV4_SIZE, FieldKind::Number},
    {"SubnetMask", offsetof(QlxNetworkInfo, SubnetMask), QLX_IPV4_SIZE, FieldKind::Number},
    {"DefaultGateway", offsetof(QlxNetworkInfo, DefaultGateway), QLX_IPV4_SIZE, FieldKind::Number},
    {"SSID", offsetof(QlxNetworkInfo, SSID), QLX_SSID_MAX_LENGTH + 1, FieldKind::Text},
    {"EncryptKey", offsetof(QlxNetworkInfo, EncryptKey), QLX_ENCRYPT_KEY_MAX_LENGTH + 1, FieldKind::Text},
    {"DNS", offsetof(QlxNetworkInfo, DNS), QLX_IPV4_SIZE, FieldKind::Number},
    {"APConnectUse", offsetof(QlxNetworkInfo, APConnectUse), sizeof(int32_t), FieldKind::Number},
};
constexpr int NETWORK_FIELD_COUNT = int(sizeof NETWORK_FIELDS / sizeof NETWORK_FIELDS[0]);

// A record read from a file is written and read back: it must come back unchanged, texts with
// outer blanks or outer quotation marks included (the writer quotes them).
void checkNetworkRecord(const QlxNetworkInfo &record, const ReaderScratch &scratch, QByteArrayList &problems)
{
    const QByteArray ssid(record.SSID);
    const QByteArray key(record.EncryptKey);
    CFileIO io;
    if (!io.SetNetworkInfoToFile(scratch.outputPath, record)) {
        problems.append("a record read from a file cannot be written to a file");
        return;
    }
    QlxNetworkInfo again{};
    if (!io.GetNetworkInfoFromFile(scratch.outputPath, again)) {
        problems.append("the file written from a record read from a file does not read");
        return;
    }
    if (again.DHCPUse != record.DHCPUse || again.APConnectUse != record.APConnectUse ||
        std::memcmp(again.IPAddress, record.IPAddress, 4 * QLX_IPV4_SIZE) != 0 ||
        QByteArray(again.SSID) != ssid || QByteArray(again.EncryptKey) != key)
        problems.append("writing a record read from a file and reading it back changes it");
}

QByteArrayList checkNetworkReader(const ReaderScratch &scratch)
{
    QByteArrayList problems;
    Guarded<QlxNetworkInfo> runA, runB;
    std::memset(&runA, FILL_A, sizeof runA);
    std::memset(&runB, FILL_B, sizeof runB);
    const bool result = CFileIO().GetNetworkInfoFromFile(scratch.inputPath, runA.record);
    if (CFileIO().GetNetworkInfoFromFile(scratch.inputPath, runB.record) != result)
        problems.append("the result depends on the record's previous contents");
    const WrittenBytes written(imageOf(runA), imageOf(runB), problems);

    QVector<QPair<std::size_t, std::size_t>> fieldRanges;
    for (const NetworkField &field : NETWORK_FIELDS)
        fieldRanges.append({field.offset, field.size});
    const QVector<int> stray = written.outside(fieldRanges);
    if (!stray.isEmpty())
        problems.append("wrote outside the record's fields at offsets " + offsetsText(stray));

    const auto *bytesA = reinterpret_cast<const char *>(&runA.record);
    int lastStored = -1;
    QVector<bool> stored(NETWORK_FIELD_COUNT, false);
    for (int i = 0; i < NETWORK_FIELD_COUNT; ++i) {
        const NetworkField &field = NETWORK_FIELDS[i];
        stored[i] = written.any(field.offset, field.size);
        if (stored[i])
            lastStored = i;
        if (field.kind == FieldKind::Number && stored[i] && !written.all(field.offset, field.size))
            problems.append(QByteArray(field.key) + " partly stored");
        if (field.kind != FieldKind::Text || !stored[i])
            continue;
        // The longest text leaves one byte of the field for its terminating zero.
        const std::size_t length = strnlen(bytesA + field.offset, field.size);
        if (length == field.size)
            problems.append(QByteArray(field.key) + " not zero-terminated within its field");
        else if (length == 0)
            problems.append(QByteArray(field.key) + " stored empty");
        else if (!written.all(field.offset, length + 1) ||
                 written.any(field.offset + length + 1, field.size - length - 1))
            problems.append(QByteArray(field.key) + " stored beyond its terminating zero");
    }
    // Keys are read in order and the first failing one ends the read.
    for (int i = 0; i < lastStored; ++i) {
        if (!stored[i])
            problems.append(QByteArray(NETWORK_FIELDS[lastStored].key) + " stored, but not " +
                            NETWORK_FIELDS[i].key + " before it");
    }
    if (stored.last() != result)
        problems.append(result ? "true without storing the last key" : "false after storing the last key");
    if (result && problems.isEmpty())
        checkNetworkRecord(runA.record, scratch, problems);
    return problems;
}

// ---- Calibration value files ------------------------------------------------------------

// Lines of a calibration value file that carry data (counted from 1).
constexpr int SERIAL_LINE = 3;
constexpr int VALUES_LINE = 4;
constexpr int SERIAL_DIGITS = int(2 * QLX_CAL_SERIAL_SIZE);

struct CalForm
{
    std::size_t serialOffset;
    std::size_t valuesOffset;
    std::size_t valueCount;
    bool padsShortSerial; ///< white plate: 1 to 8 digits, extended on the left with zeros
};

const CalForm WHITE_FORM = {offsetof(QlxCalRefData, rfWhite) + offsetof(QlxRefWhite, serialNo),
                            offsetof(QlxCalRefData, rfWhite) + offsetof(QlxRefWhite, spcData),
                            QLX_WHITE_VALUE_COUNT, true};
const CalForm AMBIENT_FORM = {offsetof(QlxCalRefData, rfAmbient) + offsetof(QlxRefAmbient, serialNo),
                              offsetof(QlxCalRefData, rfAmbient) + offsetof(QlxRefAmbient, spcData),
                              QLX_AMBIENT_VALUE_COUNT, false};

// The lines of content: each ends at LF, a CR directly before the LF is not part of it, and
// a last line without a line end counts.
QByteArrayList linesOf(const QByteArray &content)
{
    QByteArrayList lines = content.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    for (int i = 0; i < lines.size(); ++i) {
        const bool endedByLineFeed = i + 1 < lines.size() || content.endsWith('\n');
        if (endedByLineFeed && lines.at(i).endsWith('\r'))
            lines[i].chop(1);
    }
    return lines;
}

bool isDecimal(const QByteArray &digits)
{
    return std::all_of(digits.cbegin(), digits.cend(), [](char c) { return c >= '0' && c <= '9'; });
}

// The serial number bytes of eight decimal digits, two per byte.
QByteArray serialBytes(const QByteArray &digits)
{
    QByteArray bytes;
    for (int i = 0; i < SERIAL_DIGITS; i += 2)
        bytes.append(char((digits.at(i) - '0') * 16 + (digits.at(i + 1) - '0')));
    return bytes;
}

bool isCSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The value of a piece as the C library's strtof reads it in the "C" locale, rounded once to a
// float (an infinity when too large); empty when the
// piece holds anything but one number and white space around it, and for a hexadecimal number,
// which the readers do not take.
std::optional<float> referenceValue(const QByteArray &piece)
{
    const char *p = piece.constData();
    while (isCSpace(*p))
        ++p;
    if (*p == '-' || *p == '+')
        ++p;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))
        return std::nullopt;
    char *end = nullptr;
#ifdef _WIN32
    // MinGW's strtof reads the C99 forms (inf, nan) that the C runtime's own _strtod_l lacks,
    // and reads them in the "C" locale: on Windows Qt leaves the C library's locale as it is.
    const float value = std::strtof(piece.constData(), &end);
#else
    // Qt sets the C library's locale from the environment on start-up: read in "C" regardless.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const float value = strtof_l(piece.constData(), &end, cLocale);
#endif
    if (end == piece.constData() || !std::all_of(static_cast<const char *>(end), piece.constEnd(), isCSpace))
        return std::nullopt;
    return value;
}

// Whether the piece names a number other than zero: a digit 1 to 9 before any exponent.
bool namesNonZero(const QByteArray &piece)
{
    for (const char c : piece) {
        if (c == 'e' || c == 'E')
            return false;
        if (c >= '1' && c <= '9')
            return true;
    }
    return false;
}

// A float holds the piece's value: within its range once rounded, and not a number other than
// zero that would be stored as 0.
bool fitsFloat(const QByteArray &piece)
{
    const std::optional<float> value = referenceValue(piece);
    return value && std::isfinite(*value) && !(*value == 0.0f && namesNonZero(piece));
}

QByteArrayList checkCalReader(FileReader reader, const QByteArray &content, const ReaderScratch &scratch)
{
    QByteArrayList problems;
    const bool white = reader == FileReader::WhitePlate;
    const CalForm &form = white ? WHITE_FORM : AMBIENT_FORM;
    Guarded<QlxCalRefData> runA, runB;
    std::memset(&runA, FILL_A, sizeof runA);
    std::memset(&runB, FILL_B, sizeof runB);
    CFileIO io;
    const bool result = white ? io.GetCalRefDataFromFile(scratch.inputPath, runA.record.rfWhite)
                              : io.GetCalRefDataFromFile(scratch.inputPath, runA.record);
    const bool resultB = white ? io.GetCalRefDataFromFile(scratch.inputPath, runB.record.rfWhite)
                               : io.GetCalRefDataFromFile(scratch.inputPath, runB.record);
    if (resultB != result)
        problems.append("the result depends on the record's previous contents");
    const WrittenBytes written(imageOf(runA), imageOf(runB), problems);

    const std::size_t valuesSize = form.valueCount * sizeof(float);
    const QVector<int> stray =
        written.outside({{form.serialOffset, QLX_CAL_SERIAL_SIZE}, {form.valuesOffset, valuesSize}});
    if (!stray.isEmpty())
        problems.append("wrote outside its part of the record at offsets " + offsetsText(stray));
    const bool serialStored = written.any(form.serialOffset, QLX_CAL_SERIAL_SIZE);
    const bool valuesStored = written.any(form.valuesOffset, valuesSize);
    if (serialStored && !written.all(form.serialOffset, QLX_CAL_SERIAL_SIZE))
        problems.append("serial number partly stored");
    if (valuesStored && !written.all(form.valuesOffset, valuesSize))
        problems.append("values partly stored");

    const QByteArrayList lines = linesOf(content);
    const auto *bytesA = reinterpret_cast<const char *>(&runA.record);

    bool serialRejected = false;
    if (lines.size() >= SERIAL_LINE) {
        const QByteArray serial = lines.at(SERIAL_LINE - 1);
        const bool accepted = isDecimal(serial) && (form.padsShortSerial ? serial.size() <= SERIAL_DIGITS
                                                                         : serial.size() == SERIAL_DIGITS);
        serialRejected = !accepted;
        const bool expectStored = accepted && !serial.isEmpty();
        if (serialStored != expectStored)
            problems.append(expectStored ? "serial number line not stored"
                                         : "serial number stored from a bad line");
        else if (expectStored && QByteArray(bytesA + form.serialOffset, int(QLX_CAL_SERIAL_SIZE)) !=
                                     serialBytes(serial.rightJustified(SERIAL_DIGITS, '0')))
            problems.append("serial number bytes differ from the line's digits");
    } else if (serialStored) {
        problems.append("serial number stored without a serial number line");
    }

    bool valuesRejected = false;
    if (lines.size() >= VALUES_LINE) {
        QByteArrayList pieces = lines.at(VALUES_LINE - 1).split(',');
        pieces.removeAll(QByteArray());
        bool allFit = std::size_t(pieces.size()) == form.valueCount;
        for (int i = 0; allFit && i < pieces.size(); ++i)
            allFit = fitsFloat(pieces.at(i));
        valuesRejected = !allFit;
        if (valuesStored != allFit) {
            problems.append(allFit ? "values line not stored" : "values stored from a bad line");
        } else if (valuesStored) {
            for (int i = 0; i < pieces.size(); ++i) {
                float stored;
                std::memcpy(&stored, bytesA + form.valuesOffset + std::size_t(i) * sizeof stored,
                            sizeof stored);
                const float expected = *referenceValue(pieces.at(i));
                if (!std::isfinite(stored) || stored != expected)
                    problems.append("value " + QByteArray::number(i) + " stored as " +
                                    QByteArray::number(double(stored), 'g', 9) + " for the text \"" +
                                    pieces.at(i).toPercentEncoding() + "\"");
            }
        }
    } else if (valuesStored) {
        problems.append("values stored without a values line");
    }
    // A file that ends before its values line is refused.
    const bool rejected = serialRejected || valuesRejected || lines.size() < VALUES_LINE;
    if (result == rejected)
        problems.append(result ? "true for a file with a bad or missing serial number or values line"
                               : "false for a file with good serial number and values lines");
    return problems;
}

} // namespace

QByteArray checkFileReader(FileReader reader, const QByteArray &content, const ReaderScratch &scratch)
{
    if (!writeFile(scratch.inputPath, content))
        return "cannot write the input file " + scratch.inputPath;
    const QByteArrayList problems = reader == FileReader::NetworkSettings
                                        ? checkNetworkReader(scratch)
                                        : checkCalReader(reader, content, scratch);
    return problems.join('\n');
}
