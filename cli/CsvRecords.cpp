#include "CsvRecords.h"

namespace {

constexpr char QUOTE = '"';
constexpr char COMMA = ',';
constexpr char SEMICOLON = ';';
constexpr char CR = '\r';
constexpr char LF = '\n';
const QByteArray UTF8_BOM("\xEF\xBB\xBF");

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineBreak(char c)
{
    return c == CR || c == LF;
}

// The separator the first record uses first, outside quotation marks; a comma when it has none.
char separatorOf(const QByteArray &bytes, int from)
{
    bool quoted = false;
    for (int i = from; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == QUOTE)
            quoted = !quoted;
        else if (!quoted && (c == COMMA || c == SEMICOLON))
            return c;
        else if (!quoted && isLineBreak(c))
            break;
    }
    return COMMA;
}

} // namespace

CsvFile readCsv(const QByteArray &bytes)
{
    CsvFile file;
    const int start = bytes.startsWith(UTF8_BOM) ? UTF8_BOM.size() : 0;
    file.separator = separatorOf(bytes, start);
    const int size = bytes.size();
    int i = start;
    while (i < size) {
        CsvRecord record;
        bool recordEnded = false;
        while (!recordEnded) {
            CsvCell cell;
            while (i < size && isBlank(bytes.at(i)))
                ++i;
            if (i < size && bytes.at(i) == QUOTE) {
                cell.quoted = true;
                ++i;
                bool closed = false;
                while (i < size && !closed) {
                    if (bytes.at(i) != QUOTE) {
                        cell.text += bytes.at(i++);
                    } else if (i + 1 < size && bytes.at(i + 1) == QUOTE) {
                        cell.text += QUOTE;
                        i += 2;
                    } else {
                        closed = true;
                        ++i;
                    }
                }
                record.append(cell);
                if (!closed)
                    file.problem = CsvFile::UNCLOSED_QUOTE;
                while (i < size && isBlank(bytes.at(i)))
                    ++i;
                if (closed && i < size && bytes.at(i) != file.separator && !isLineBreak(bytes.at(i)))
                    file.problem = CsvFile::TEXT_AFTER_QUOTE;
            } else {
                const int begin = i;
                while (i < size && bytes.at(i) != file.separator && !isLineBreak(bytes.at(i)))
                    ++i;
                int end = i;
                while (end > begin && isBlank(bytes.at(end - 1)))
                    --end;
                cell.text = bytes.mid(begin, end - begin);
                record.append(cell);
            }
            if (file.problem != CsvFile::NONE) {
                file.records.append(record);
                file.problemRecord = file.records.size() - 1;
                file.problemCell = record.size() - 1;
                return file;
            }
            if (i < size && bytes.at(i) == file.separator) {
                ++i;
                continue;
            }
            // A line break (CR LF, LF or a lone CR) or the end of the bytes ends the record.
            if (i < size && bytes.at(i) == CR)
                ++i;
            if (i < size && bytes.at(i) == LF)
                ++i;
            recordEnded = true;
        }
        file.records.append(record);
    }
    return file;
}
