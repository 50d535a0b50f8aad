#include "ChangeRecord.h"

#include "CliTexts.h"
#include "PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {

const QStringList HEADER{QStringLiteral("time"),    QStringLiteral("user"),   QStringLiteral("computer"),
                         QStringLiteral("command"), QStringLiteral("serial"), QStringLiteral("setting"),
                         QStringLiteral("old"),     QStringLiteral("new"),    QStringLiteral("result")};
const QByteArray BYTE_ORDER_MARK("\xEF\xBB\xBF");
const QString LINE_END = QStringLiteral("\r\n");
const QString RECORD_VARIABLE = QStringLiteral("KT9_RECORD");

// How long a process waits for another one's append, and after how long a lock file left by a
// process that died is taken over (QLockFile also takes it over at once when its owner is gone).
constexpr int LOCK_WAIT_MS = 10000;
constexpr int STALE_LOCK_MS = 30000;

// What the record file is created with at most, whatever the umask (its folders are the owner's
// alone, PrivateFiles). On Windows Qt changes only the read-only attribute, and it keeps the
// access rights it inherits from the parent folder.
const QFile::Permissions FILE_PERMISSIONS_AT_MOST = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                                    QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther;
// The longest first line pathUsable reads to tell a change record by its header.
constexpr qint64 HEADER_LINE_LIMIT = 256;

// First characters that make a spreadsheet take a cell as a formula; such a field gets a
// leading apostrophe, which the spreadsheet hides and the reader here removes.
bool needsFormulaGuard(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0);
    return first == QLatin1Char('=') || first == QLatin1Char('+') || first == QLatin1Char('-') ||
           first == QLatin1Char('@') || first == QLatin1Char('\t') || first == QLatin1Char('\r') ||
           first == QLatin1Char('\'');
}

QString csvLine(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &field : fields)
        quoted.append(ChangeRecord::csvField(field));
    return quoted.join(QLatin1Char(',')) + LINE_END;
}

// True when line (the file's first, its line end included) is the record's header.
bool isHeaderLine(QByteArray line)
{
    if (line.startsWith(BYTE_ORDER_MARK))
        line.remove(0, BYTE_ORDER_MARK.size());
    const QVector<QStringList> lines = ChangeRecord::parseCsv(QString::fromUtf8(line));
    return lines.size() == 1 && lines.first() == HEADER;
}

// True when the file of size bytes ends its last line; leaves the position at the end.
bool endsWithLineEnd(QFile &file, qint64 size)
{
    char last = 0;
    return file.seek(size - 1) && file.getChar(&last) && last == '\n';
}

} // namespace

QStringList ChangeEntry::fields() const
{
    return {time, user, computer, command, serial, setting, oldValue, newValue, result};
}

QString ChangeRecord::pathFor(const QString &option)
{
    if (!option.isEmpty())
        return option;
    const QString variable = qEnvironmentVariable(qPrintable(RECORD_VARIABLE));
    if (!variable.isEmpty())
        return variable;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return QString();
    return data + QStringLiteral("/kt9-config/changes.csv");
}

QString ChangeRecord::csvField(const QString &text)
{
    QString field = needsFormulaGuard(text) ? QLatin1Char('\'') + text : text;
    const bool quote = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
                       field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'));
    if (!quote)
        return field;
    field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QVector<QStringList> ChangeRecord::parseCsv(const QString &text)
{
    QVector<QStringList> lines;
    QStringList fields;
    QString field;
    bool quoted = false;
    bool lineHasData = false;
    const auto endField = [&] {
        if (field.startsWith(QLatin1Char('\'')) && needsFormulaGuard(field.mid(1)))
            field.remove(0, 1);
        fields.append(field);
        field.clear();
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            lineHasData = true;
        } else if (c == QLatin1Char(',')) {
            endField();
            lineHasData = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            if (lineHasData || !field.isEmpty()) {
                endField();
                lines.append(fields);
            }
            fields.clear();
            lineHasData = false;
        } else {
            field += c;
            lineHasData = true;
        }
    }
    if (lineHasData || !field.isEmpty()) {
        endField();
        lines.append(fields);
    }
    return lines;
}

bool ChangeRecord::pathUsable(QString &error) const
{
    // QFileInfo looks at the link itself, so a link to nowhere (which a write would follow and
    // create its target) is found too.
    const QFileInfo info(m_path);
    if (info.isSymLink() || info.isShortcut() || info.isJunction()) {
        error = CliText::tr("a link, not a file of its own");
        return false;
    }
    if (!info.exists())
        return true;
    if (!info.isFile()) {
        error = CliText::tr("not a regular file");
        return false;
    }
    // An empty file is taken as a new record and gets the header.
    if (info.size() == 0)
        return true;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    if (!isHeaderLine(file.readLine(HEADER_LINE_LIMIT))) {
        error = CliText::tr("not a change record of kt9-cli");
        return false;
    }
    return true;
}

bool ChangeRecord::lockUsable(QString &error) const
{
    // QLockFile reads a lock file that is there: a pipe would hang it, a link be followed.
    const QString lockPath = m_path + QStringLiteral(".lock");
    const QFileInfo lockInfo(lockPath);
    const bool link = PrivateFiles::isLink(lockPath);
    if (!link && (!lockInfo.exists() || lockInfo.isFile()))
        return true;
    error = QStringLiteral("%1: %2").arg(
        CliText::tr("cannot lock %1").arg(QDir::toNativeSeparators(lockPath)),
        link ? CliText::tr("a link, not a file of its own") : CliText::tr("not a regular file"));
    return false;
}

bool ChangeRecord::makeFolder(QString &error) const
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (PrivateFiles::makePath(folder))
        return true;
    error = CliText::tr("cannot create the folder %1").arg(QDir::toNativeSeparators(folder));
    return false;
}

bool ChangeRecord::appendLocked(const QByteArray &bytes, QString &error) const
{
    if (!pathUsable(error) || !makeFolder(error))
        return false;
    // Two kt9-cli processes may append at once (a shared record on a network drive, two
    // terminals). A lock file is the one way that works alike everywhere: an append-mode write
    // is not atomic on Windows (Qt moves to the end and then writes), and a torn line there
    // would corrupt the record. QLockFile creates the lock file exclusively, on POSIX and on
    // Windows, and takes over the lock of a process that died. Under the lock each run writes
    // its lines in one write at the end of the file.
    if (!lockUsable(error))
        return false;
    const QString lockPath = m_path + QStringLiteral(".lock");
    QLockFile lock(lockPath);
    lock.setStaleLockTime(STALE_LOCK_MS);
    if (!lock.tryLock(LOCK_WAIT_MS)) {
        error = CliText::tr("cannot lock %1").arg(QDir::toNativeSeparators(lockPath));
        return false;
    }
    // Looked at again under the lock: another process may have created the file meanwhile.
    if (!pathUsable(error))
        return false;
    // Unbuffered: a write that fails part way reports it at once, with the system's reason.
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        error = file.errorString();
        return false;
    }
    const qint64 previous = file.size();
    QByteArray whole;
    if (previous == 0) {
        file.setPermissions(file.permissions() & FILE_PERMISSIONS_AT_MOST);
        whole = BYTE_ORDER_MARK + csvLine(HEADER).toUtf8();
    } else if (!bytes.isEmpty() && !endsWithLineEnd(file, previous)) {
        whole = LINE_END.toUtf8();
    }
    whole += bytes;
    if (whole.isEmpty())
        return true;
    if (file.write(whole) == whole.size())
        return true;
    // A write cut short (a file-size limit, a full disk) sets no error of QFile's own: the
    // reason is the system's. What was written of it is taken back, so no torn line stays.
    error = file.error() == QFileDevice::NoError ? qt_error_string() : file.errorString();
    file.resize(previous);
    return false;
}

bool ChangeRecord::ready(QString &error) const
{
    return appendLocked(QByteArray(), error);
}

bool ChangeRecord::intact(QString &error) const
{
    return read([](const ChangeEntry &) {}, error);
}

bool ChangeRecord::append(const QVector<ChangeEntry> &entries, QString &error) const
{
    QString text;
    for (const ChangeEntry &entry : entries)
        text += csvLine(entry.fields());
    return appendLocked(text.toUtf8(), error);
}

bool ChangeRecord::read(const std::function<void(const ChangeEntry &)> &visit, QString &error) const
{
    if (!pathUsable(error))
        return false;
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    // A line of the record may span several lines of the file (a line break in a quoted
    // value): lines are gathered until their quotes balance.
    QByteArray pending;
    int quotes = 0;
    int lineNumber = 0;
    int firstLine = 0;
    bool headerRead = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (file.error() != QFileDevice::NoError) {
            error = file.errorString();
            return false;
        }
        ++lineNumber;
        if (pending.isEmpty())
            firstLine = lineNumber;
        pending += line;
        quotes += line.count('"');
        if (quotes % 2 != 0)
            continue;
        if (!headerRead) {
            if (!isHeaderLine(pending)) {
                error = CliText::tr("not a change record of kt9-cli");
                return false;
            }
            headerRead = true;
        } else {
            const QVector<QStringList> lines = parseCsv(QString::fromUtf8(pending));
            if (lines.size() > 1 || (lines.size() == 1 && lines.first().size() != HEADER.size())) {
                error = CliText::tr("line %1: %2 fields instead of %3")
                            .arg(firstLine)
                            .arg(lines.first().size())
                            .arg(HEADER.size());
                return false;
            }
            if (lines.size() == 1) {
                const QStringList &fields = lines.first();
                visit({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], fields[7],
                       fields[8]});
            }
        }
        pending.clear();
        quotes = 0;
    }
    if (!pending.isEmpty()) {
        error = CliText::tr("line %1: a quoted value is not closed").arg(firstLine);
        return false;
    }
    return true;
}

bool ChangeRecord::read(QVector<ChangeEntry> &entries, QString &error) const
{
    return read([&](const ChangeEntry &entry) { entries.append(entry); }, error);
}
