#include "ChangeRecord.h"

#include "CliTexts.h"
#include "PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>

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

// A record this process creates: others may read it (it holds no key), only the user writes it.
constexpr QFile::Permissions RECORD_MODE =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;

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
    const QFileInfo info(m_path);
    if (!info.exists() || info.isFile())
        return true;
    error = CliText::tr("not a regular file");
    return false;
}

bool ChangeRecord::appendLocked(const QByteArray &bytes, QString &error) const
{
    if (!pathUsable(error))
        return false;
    const QFileInfo info(m_path);
    if (!PrivateFiles::makePath(info.absolutePath())) {
        error = CliText::tr("cannot create the folder %1").arg(QDir::toNativeSeparators(info.absolutePath()));
        return false;
    }
    // Two kt9-cli processes may append at once (a shared record on a network drive, two
    // terminals). A lock file is the one way that works alike everywhere: an append-mode write
    // is not atomic on Windows (Qt moves to the end and then writes), and a torn line there
    // would corrupt the record. QLockFile creates the lock file exclusively, on POSIX and on
    // Windows, and takes over the lock of a process that died. Under the lock each run writes
    // its lines in one write at the end of the file.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(STALE_LOCK_MS);
    if (!lock.tryLock(LOCK_WAIT_MS)) {
        error = CliText::tr("cannot lock %1").arg(QDir::toNativeSeparators(m_path + QStringLiteral(".lock")));
        return false;
    }
    QFile file(m_path);
    const bool created = !file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) ||
        (created && !file.setPermissions(RECORD_MODE))) {
        error = file.errorString();
        return false;
    }
    QByteArray whole;
    if (file.size() == 0)
        whole = BYTE_ORDER_MARK + csvLine(HEADER).toUtf8();
    whole += bytes;
    if (whole.isEmpty())
        return true;
    const bool written = file.write(whole) == whole.size() && file.flush();
    if (!written)
        error = file.errorString();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

bool ChangeRecord::ready(QString &error) const
{
    return appendLocked(QByteArray(), error);
}

bool ChangeRecord::append(const QVector<ChangeEntry> &entries, QString &error) const
{
    QString text;
    for (const ChangeEntry &entry : entries)
        text += csvLine(entry.fields());
    return appendLocked(text.toUtf8(), error);
}

bool ChangeRecord::read(QVector<ChangeEntry> &entries, QString &error) const
{
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!pathUsable(error))
        return false;
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    QByteArray bytes = file.readAll();
    if (bytes.startsWith(BYTE_ORDER_MARK))
        bytes.remove(0, BYTE_ORDER_MARK.size());
    QVector<QStringList> lines = parseCsv(QString::fromUtf8(bytes));
    if (lines.isEmpty())
        return true;
    if (lines.first() != HEADER) {
        error = CliText::tr("not a change record of kt9-cli");
        return false;
    }
    for (int i = 1; i < lines.size(); ++i) {
        QStringList fields = lines.at(i);
        while (fields.size() < HEADER.size())
            fields.append(QString());
        entries.append({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6],
                        fields[7], fields[8]});
    }
    return true;
}

QString currentUserName()
{
    // USER and LOGNAME on POSIX systems, USERNAME on Windows; else the home folder's name.
    for (const char *variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString user = qEnvironmentVariable(variable);
        if (!user.isEmpty())
            return user;
    }
    return QDir::home().dirName();
}

QString currentComputerName()
{
    return QSysInfo::machineHostName();
}
