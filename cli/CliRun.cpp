#include "CliRun.h"

#include "CliOutput.h"
#include "CliRunContext.h"
#include "CliTexts.h"
#include "CliValues.h"
#include "Interrupt.h"
#include "NetworkInput.h"
#include "StaticAddresses.h"
#include "instrument/EightBitText.h"

#include <QDir>

namespace {

// Why the run stops, once Ctrl+C or a request to end has come.
CliStop requestedStop()
{
    return endRequested() ? CliStop::END_REQUEST : CliStop::INTERRUPT;
}

// Commands that write to instruments, and so are recorded.
bool writesToInstruments(CliCommand command)
{
    return command == CliCommand::NetworkLoad || command == CliCommand::PowerOff ||
           command == CliCommand::Register || command == CliCommand::Restore || command == CliCommand::Apply;
}

} // namespace

const QString CliRun::HIDDEN_KEY = QStringLiteral("***");

int CliRun::exec()
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
    if (m_record && (!m_record->pathUsable(recordError) || !m_record->lockUsable(recordError) ||
                     !m_record->intact(recordError)))
        return m_report->error(CliText::tr("The change record %1 cannot be written: %2")
                                   .arg(QDir::toNativeSeparators(m_record->path()), recordError),
                               CLI_EXIT_USAGE);

    QVector<int> targets;
    int status = CLI_EXIT_SUCCESS;
    if (!selectTargets(targets, status))
        return status;
    if (m_request.command == CliCommand::Restore && m_request.target.kind == CliTarget::All)
        m_report->setBackupsNotReached(backupsNotReached());
    const QString repeated = repeatedAddressIn(targets);
    if (!repeated.isEmpty())
        return m_report->error(repeated, CLI_EXIT_USAGE);

    QVector<InstrumentResult> results;
    CliStop stop = CliStop::NONE;
    for (int i = 0; i < targets.size(); ++i) {
        // Checked between instruments only: the one in progress is always finished and let go.
        if (interruptRequested())
            stop = requestedStop();
        else if (m_output.failed())
            stop = CliStop::OUTPUT_FAILED;
        else if (m_recordFailed)
            stop = CliStop::RECORD_FAILED;
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
    // Asked to stop during the last instrument: nothing was left out, but the run was stopped.
    if (stop == CliStop::NONE && interruptRequested())
        stop = requestedStop();
    for (const InstrumentResult &unreached : m_unreached) {
        results.append(unreached);
        m_report->instrument(unreached);
    }
    // A run over every instrument reached only those the library could list.
    const uint32_t unlisted = m_request.target.kind == CliTarget::All ? m_ctrl.unlistedPortCount : 0;
    return m_report->finish(results, stop, unlisted);
}

int CliRun::list()
{
    const uint32_t unlisted = m_ctrl.refreshFullPortList() ? m_ctrl.unlistedPortCount : 0;
    // Nothing to work on: the window's message, as for every other command.
    if (m_ctrl.ports.isEmpty() && unlisted == 0)
        return m_report->error(windowText(WindowText::NOT_CONNECTED), CLI_EXIT_FAILURE);
    return m_report->list(listed(), unlisted);
}

QVector<ListedInstrument> CliRun::listed() const
{
    QVector<ListedInstrument> instruments;
    for (int i = 0; i < m_ctrl.ports.size(); ++i)
        instruments.append({i + 1, serialNumberLabel(m_ctrl.ports[i].serialNo), m_ctrl.portLabels[i]});
    return instruments;
}

bool CliRun::prepare()
{
    const QString file = QDir::toNativeSeparators(m_request.file);
    // A folder or record named by bytes that are no text would have another one written.
    // So is a plan, which is opened by its name as text.
    const bool folderOperand = m_request.command == CliCommand::Backup ||
                               m_request.command == CliCommand::Restore ||
                               m_request.command == CliCommand::Apply;
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
        for (const BackupContents &contents : std::as_const(m_backups)) {
            if (m_request.calibration && !BackupFolder::calibrationRegistrable(contents, error)) {
                m_report->error(error, CLI_EXIT_USAGE);
                return false;
            }
        }
    } else if (m_request.command == CliCommand::Apply) {
        QString error;
        if (!readFleetPlan(m_request.file, file, m_plan, error)) {
            m_report->error(error, CLI_EXIT_USAGE);
            return false;
        }
        for (int i = 0; i < m_plan.size(); ++i)
            m_planRows.insert(m_plan.at(i).serial, i);
    }
    return true;
}

bool CliRun::selectTargets(QVector<int> &targets, int &status)
{
    // A plan's rows whose instruments are all missing are each reported as not reachable.
    const bool plan = m_request.command == CliCommand::Apply;
    if (!m_ctrl.refreshFullPortList() || (m_ctrl.ports.isEmpty() && m_ctrl.unlistedPortCount == 0 && !plan)) {
        status = m_report->error(windowText(WindowText::NOT_CONNECTED), CLI_EXIT_FAILURE);
        return false;
    }
    if (plan) {
        selectPlanTargets(targets);
        return true;
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

QString CliRun::repeatedAddressIn(const QVector<int> &targets) const
{
    if (targets.size() < 2)
        return QString();
    QVector<StaticAddress> addresses;
    for (const int index : targets) {
        const QString serial = serialNumberLabel(m_ctrl.ports[index].serialNo);
        if (m_request.command == CliCommand::NetworkLoad && m_wanted.DHCPUse == eDHCP_OFF)
            addresses.append({serial, addressText(m_wanted.IPAddress)});
        const auto backup = m_backups.constFind(serial);
        if (m_request.command == CliCommand::Restore && backup != m_backups.constEnd() &&
            backup->hasNetwork && backup->network.DHCPUse == eDHCP_OFF)
            addresses.append({serial, addressText(backup->network.IPAddress)});
    }
    const int repeated = repeatedAddress(addresses);
    return repeated < 0 ? QString() : repeatedAddressText(addresses, repeated);
}

CliRun::Operation CliRun::operation() const
{
    switch (m_request.command) {
    case CliCommand::Show:
        return &CliRun::show;
    case CliCommand::NetworkLoad:
        return &CliRun::networkLoad;
    case CliCommand::NetworkSave:
        return &CliRun::networkSave;
    case CliCommand::PowerOff:
        return &CliRun::powerOff;
    case CliCommand::Register:
        return &CliRun::registerAccessory;
    case CliCommand::Backup:
        return &CliRun::backup;
    case CliCommand::Restore:
        return &CliRun::restore;
    case CliCommand::Apply:
        return &CliRun::apply;
    case CliCommand::History:
    case CliCommand::Help:
    case CliCommand::Version:
    case CliCommand::List:
        break;
    }
    return nullptr;
}

InstrumentResult CliRun::process(int index)
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
    // Work that succeeded wrote every change it lists, also when the instrument could not be
    // let go afterwards (the messages say both); work that failed marked those it wrote.
    if (done && !m_request.dryRun) {
        for (Change &change : result.changes)
            change.written = true;
    }
    if (m_record)
        recordChanges(result);
    return result;
}

int runCliRequest(const CliRequest &request, CliOutput &output)
{
    CliRun run(request, output);
    return run.exec();
}
