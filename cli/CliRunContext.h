#pragma once
// What the run's skeleton (CliRun.cpp) shares with the commands' work: the run itself, its request,
// controller, report and what was read before any instrument was touched. Each command's work is
// a member defined in a file of its own (CliRunShow.cpp, CliRunNetwork.cpp, ...) and chosen by
// operation(); a new command adds its member, its file and its case there (and its input file to
// prepare(), and itself to writesToInstruments() when it writes, both in CliRun.cpp).

#include "BackupFolder.h"
#include "ChangeRecord.h"
#include "CliArguments.h"
#include "CliReport.h"
#include "CliResult.h"
#include "FleetPlan.h"
#include "instrument/CQlxSdk_Ctrl.h"

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QString>
#include <QVector>

#include <memory>

class CliOutput;

class CliRun
{
public:
    CliRun(const CliRequest &request, CliOutput &output)
        : m_request(request), m_output(output), m_report(CliReport::make(request, output))
    {
    }

    int exec();

private:
    using Operation = bool (CliRun::*)(InstrumentResult &);

    // The run's skeleton (CliRun.cpp).
    int list();
    // Reads and checks the command's input file before any instrument is touched.
    bool prepare();
    // The positions in the port list the command works on; on failure reports and sets status.
    bool selectTargets(QVector<int> &targets, int &status);
    // apply: the instruments of the plan's rows, in the plan's order; the rows whose instrument
    // is not listed (or listed twice) go to m_unreached.
    void selectPlanTargets(QVector<int> &targets); ///< CliRunApply.cpp
    // The refusal of a static address that the run would give to more than one of the targets;
    // empty when there is none.
    QString repeatedAddressIn(const QVector<int> &targets) const;
    InstrumentResult process(int index);
    // The command's work on one connected instrument; null for the commands without any.
    Operation operation() const;
    // Appends the result's changes to the change record, each with its own outcome; a record
    // that cannot be written fails the instrument.
    void recordChanges(InstrumentResult &result); ///< CliRunRecord.cpp
    QVector<ListedInstrument> listed() const;

    // The commands' work, a file each.
    bool show(InstrumentResult &result);              ///< CliRunShow.cpp
    bool networkLoad(InstrumentResult &result);       ///< CliRunNetwork.cpp
    bool networkSave(InstrumentResult &result);       ///< CliRunNetwork.cpp
    bool powerOff(InstrumentResult &result);          ///< CliRunPowerOff.cpp
    bool registerAccessory(InstrumentResult &result); ///< CliRunRegister.cpp
    bool backup(InstrumentResult &result);            ///< CliRunBackup.cpp
    bool restore(InstrumentResult &result);           ///< CliRunRestore.cpp
    QStringList backupsNotReached() const;            ///< CliRunRestore.cpp: not in the port list
    bool apply(InstrumentResult &result);             ///< CliRunApply.cpp
    int history();                                    ///< CliRunHistory.cpp, without instruments

    // Saves the instrument's current calibration references (current) under the user's data
    // folder before they are overwritten; false, with the reason, when they could not be
    // (CliRunBackup.cpp).
    bool saveCalibrationCopy(InstrumentResult &result, const QlxCalRefData &current);
    void addNetworkShown(InstrumentResult &result) const; ///< CliRunShow.cpp

    // The network settings (CliRunNetwork.cpp).
    enum class Module
    {
        ENABLED,
        DISABLED,
        UNKNOWN, ///< the query failed
    };
    // Whether the instrument's wireless LAN module is enabled.
    Module readModule();
    // Reads the instrument's network settings into the controller, as the window's network page
    // shows them; false, with the window's message, without a wireless LAN module or on failure.
    bool readNetworkSettings(InstrumentResult &result);
    QString keyText(const QByteArray &key) const;
    QVector<Change> networkChanges(const QlxNetworkInfo &before, const QlxNetworkInfo &after) const;
    static QString moduleQueryFailedText();
    // The change of the power-off time (CliRunPowerOff.cpp).
    static Change powerOffChange(QlxShutdownMode before, QlxShutdownMode after);

    static const QString HIDDEN_KEY; ///< the security key where it is not shown, and in the record

    const CliRequest &m_request;
    CliOutput &m_output; ///< looked at between instruments: a run stops once it has failed
    std::unique_ptr<CliReport> m_report;
    CQlxSdk_Ctrl m_ctrl;
    QByteArray m_filePath;                   ///< the input or output file (filePathArgument); empty: none
    QlxNetworkInfo m_wanted = {};            ///< network load: the record every instrument gets
    QString m_fileSerial;                    ///< register: the serial number in the calibration file
    QMap<QString, BackupContents> m_backups; ///< restore: the checked backups, by serial number
    QVector<FleetRow> m_plan;                ///< apply: the checked rows
    QHash<int32_t, int> m_planRows;          ///< apply: position in m_plan by serial number
    QVector<InstrumentResult> m_unreached;   ///< apply: the rows whose instrument was not reached
    std::unique_ptr<ChangeRecord> m_record;  ///< null when this run records nothing
    bool m_recordFailed = false;             ///< an append failed: no further instrument is written
};
