#pragma once
// The change record: a CSV file (RFC 4180 quoting, UTF-8 with a byte order mark and a header
// line, CR LF line ends) to which every run that writes to instruments appends one line per
// instrument and changed setting, and which history reads back.

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// One line of the record.
struct ChangeEntry
{
    QString time; ///< UTC, ISO 8601
    QString user;
    QString computer;
    QString command;
    QString serial;
    QString setting;
    QString oldValue;
    QString newValue;
    QString result;

    QStringList fields() const;
};

class ChangeRecord
{
public:
    // The record file: option (--record FILE) when given, else KT9_RECORD, else
    // <generic data location>/kt9-config/changes.csv. Empty when no location is known.
    static QString pathFor(const QString &option);

    explicit ChangeRecord(const QString &path) : m_path(path) {}

    const QString &path() const { return m_path; }

    // Makes sure the file can be appended to (creating it, with its header, when missing);
    // false, with the reason in error, when it cannot.
    bool ready(QString &error) const;
    // Whether every line of the record reads (as history reads them): a damaged record is not
    // appended to, since after a quoted value left open every line added would be read as part
    // of it. False, with the first damaged line in error.
    bool intact(QString &error) const;
    // Whether its lock file is absent or a regular file (a link is not followed).
    bool lockUsable(QString &error) const;

    // False, with the reason in error, when the path names something other than a file (a
    // folder, a pipe, a device), which would hang or fail a run, a link (whose target would
    // receive the lines) or a file that is not a change record (whatever its header).
    bool pathUsable(QString &error) const;
    // Appends the lines whole, under a lock file, so that processes appending at once neither
    // lose nor interleave lines; false, with the system's reason in error, when they could not
    // be written, and the file is then cut back to what it held. A last line that lacks its line
    // end (a hand edit) gets it first.
    bool append(const QVector<ChangeEntry> &entries, QString &error) const;
    // Hands each line of the record (the header left out) to visit, in order, reading the file
    // as a stream; false, with the reason, when the file exists but cannot be read, is not a
    // change record, or holds a damaged line (the first one is named; lines after it are not
    // read).
    bool read(const std::function<void(const ChangeEntry &)> &visit, QString &error) const;
    // Every line of the record.
    bool read(QVector<ChangeEntry> &entries, QString &error) const;

    // One CSV field, quoted when it holds a comma, a quote or a line break, and kept from
    // being taken as a formula by a spreadsheet.
    static QString csvField(const QString &text);
    // The fields of the CSV lines of text (RFC 4180), with csvField's formula guard removed.
    static QVector<QStringList> parseCsv(const QString &text);

private:
    // Appends bytes at the end of the file while holding the lock.
    bool appendLocked(const QByteArray &bytes, QString &error) const;
    // Creates the record's folder, and each one above it that is missing, for the owner alone.
    bool makeFolder(QString &error) const;

    QString m_path;
};
