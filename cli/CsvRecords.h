#pragma once
// The records of a CSV file as spreadsheet programs write it: cells split at the separator,
// quoted cells with "" for a quotation mark and with separators and line breaks inside, lines
// ended by CR LF or LF. Works on the file's bytes, so that text in UTF-8 and in an 8-bit code
// page such as Shift_JIS (whose double-byte characters never use the bytes of a quotation
// mark, separator or line break) comes out as the bytes it was.

#include <QByteArray>
#include <QVector>

struct CsvCell
{
    QByteArray text; ///< unquoted; blanks around the cell (outside its quotation marks) dropped
    bool quoted = false;
};

// One record: its cells, in order; an empty line is a record of one empty cell.
using CsvRecord = QVector<CsvCell>;

struct CsvFile
{
    enum Problem
    {
        NONE,
        UNCLOSED_QUOTE,   ///< a quoted cell runs to the end of the file
        TEXT_AFTER_QUOTE, ///< more than blanks between a closing quotation mark and the separator
    };
    char separator = ',';       ///< ',' or ';', whichever the first record uses first
    QVector<CsvRecord> records; ///< record N is row N + 1 as a spreadsheet numbers it
    Problem problem = NONE;
    int problemRecord = 0; ///< the position in records of the record with the problem
    int problemCell = 0;   ///< the position of the cell in that record
};

// The records of bytes, a UTF-8 byte order mark at their start left out; a line break at the end
// ends the last record and starts none. On a problem, records ends with the record concerned.
CsvFile readCsv(const QByteArray &bytes);
