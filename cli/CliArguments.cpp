#include "CliArguments.h"

#include "CliTexts.h"
#include "CliValues.h"

namespace {

const QString PORT_OPTION = QStringLiteral("--port");
const QString SERIAL_OPTION = QStringLiteral("--serial");
const QString ALL_OPTION = QStringLiteral("--all");
const QString JSON_OPTION = QStringLiteral("--json");
const QString SHOW_KEY_OPTION = QStringLiteral("--show-key");
const QString DRY_RUN_OPTION = QStringLiteral("--dry-run");
const QString FORCE_OPTION = QStringLiteral("--force");
const QString CALIBRATION_OPTION = QStringLiteral("--calibration");
const QString RECORD_OPTION = QStringLiteral("--record");
const QString NO_RECORD_OPTION = QStringLiteral("--no-record");
const QString LANG_OPTION = QStringLiteral("--lang");
const QString HELP_OPTION = QStringLiteral("--help");
const QString VERSION_OPTION = QStringLiteral("--version");
const QString END_OF_OPTIONS = QStringLiteral("--");

// What each command accepts besides --json and --lang.
struct CommandRules
{
    bool target;
    bool manyInstruments; ///< --all allowed
    bool dryRun;
    bool showKey;
    bool writes; ///< --record and --no-record allowed
};

CommandRules rulesOf(CliCommand command)
{
    switch (command) {
    case CliCommand::List:
        return {false, false, false, false, false};
    case CliCommand::Show:
        return {true, true, false, true, false};
    case CliCommand::NetworkLoad:
        return {true, true, true, true, true};
    case CliCommand::NetworkSave:
        return {true, false, false, false, false};
    case CliCommand::PowerOff:
        return {true, true, true, false, true};
    case CliCommand::Register:
        return {true, false, true, false, true};
    case CliCommand::Backup:
        return {true, true, false, false, false};
    case CliCommand::Restore:
        return {true, true, true, true, true};
    case CliCommand::History:
        return {false, false, false, false, true};
    case CliCommand::Apply:
        // The plan names the instruments.
        return {false, false, true, true, true};
    case CliCommand::Help:
    case CliCommand::Version:
        break;
    }
    return {false, false, false, false, false};
}

// Splits "--name=value" into name and value; other arguments come back whole.
QString optionName(const QString &argument, QString *inlineValue, bool *hasInlineValue)
{
    const int equals = argument.indexOf(QLatin1Char('='));
    *hasInlineValue = argument.startsWith(QLatin1String("--")) && equals > 2;
    if (!*hasInlineValue)
        return argument;
    *inlineValue = argument.mid(equals + 1);
    return argument.left(equals);
}

bool isDecimal(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Reads the operands of the command word at the front of positionals.
QString readCommand(const QStringList &positionals, CliRequest &request)
{
    const QString word = positionals.value(0);
    int used = 1;
    if (word == QLatin1String("list")) {
        request.command = CliCommand::List;
    } else if (word == QLatin1String("show")) {
        request.command = CliCommand::Show;
    } else if (word == QLatin1String("network")) {
        const QString action = positionals.value(1);
        if (action == QLatin1String("load"))
            request.command = CliCommand::NetworkLoad;
        else if (action == QLatin1String("save"))
            request.command = CliCommand::NetworkSave;
        else if (action.isEmpty())
            return CliText::tr("network needs load or save.");
        else
            return CliText::tr("network needs load or save, not %1.").arg(action);
        request.commandName = word + QLatin1Char(' ') + action;
        request.file = positionals.value(2);
        if (request.file.isEmpty())
            return CliText::tr("%1 needs the name of a network settings file.").arg(request.commandName);
        used = 3;
    } else if (word == QLatin1String("power-off")) {
        request.command = CliCommand::PowerOff;
        if (!powerOffFromWord(positionals.value(1), request.mode))
            return CliText::tr("power-off needs off, 15, 30 or 60.");
        used = 2;
    } else if (word == QLatin1String("register")) {
        request.command = CliCommand::Register;
        const QString accessory = positionals.value(1);
        if (accessory == QLatin1String("white"))
            request.accessory = CliAccessory::WhitePlate;
        else if (accessory == QLatin1String("ambient"))
            request.accessory = CliAccessory::AmbientAdapter;
        else
            return CliText::tr("register needs white or ambient.");
        request.file = positionals.value(2);
        if (request.file.isEmpty())
            return CliText::tr("register needs the name of a calibration value file.");
        used = 3;
    } else if (word == QLatin1String("backup") || word == QLatin1String("restore")) {
        request.command = word == QLatin1String("backup") ? CliCommand::Backup : CliCommand::Restore;
        request.file = positionals.value(1);
        if (request.file.isEmpty())
            return CliText::tr("%1 needs the name of a backup folder.").arg(word);
        used = 2;
    } else if (word == QLatin1String("apply")) {
        request.command = CliCommand::Apply;
        request.file = positionals.value(1);
        if (request.file.isEmpty())
            return CliText::tr("apply needs the name of a plan file (CSV).");
        used = 2;
    } else if (word == QLatin1String("history")) {
        request.command = CliCommand::History;
    } else if (word.isEmpty()) {
        return CliText::tr("No command given.");
    } else {
        return CliText::tr("Unknown command: %1").arg(word);
    }
    if (request.commandName.isEmpty())
        request.commandName = word;
    if (positionals.size() > used)
        return CliText::tr("Unexpected argument: %1").arg(positionals.at(used));
    return QString();
}

QString setTarget(CliRequest &request, CliTarget target)
{
    if (request.target.kind != CliTarget::Unnamed)
        return CliText::tr("Give one target only: --port, --serial or --all.");
    request.target = target;
    return QString();
}

} // namespace

CliParseResult parseCliArguments(const QStringList &arguments)
{
    CliParseResult result;
    CliRequest &request = result.request;
    QStringList positionals;
    QStringList givenOptions;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;

    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            positionals.append(argument);
            continue;
        }
        if (argument == END_OF_OPTIONS) {
            optionsEnded = true;
            continue;
        }
        QString value;
        bool hasInlineValue = false;
        const QString name = optionName(argument, &value, &hasInlineValue);
        const bool takesValue =
            name == PORT_OPTION || name == SERIAL_OPTION || name == LANG_OPTION || name == RECORD_OPTION;
        if (takesValue && !hasInlineValue) {
            if (i + 1 >= arguments.size()) {
                result.error = CliText::tr("%1 needs a value.").arg(name);
                return result;
            }
            value = arguments.at(++i);
        } else if (!takesValue && hasInlineValue) {
            result.error = CliText::tr("%1 takes no value.").arg(name);
            return result;
        }
        givenOptions.append(name);

        QString error;
        if (name == PORT_OPTION) {
            bool converted = false;
            const int port = value.toInt(&converted, 10);
            if (!isDecimal(value) || !converted || port < 1)
                error =
                    CliText::tr("--port needs the number of an instrument as kt9-cli list shows it, not %1.")
                        .arg(value);
            else
                error = setTarget(request, {CliTarget::Port, port, 0});
        } else if (name == SERIAL_OPTION) {
            if (!isDecimal(value) || value.size() > SERIAL_MAX_DIGITS)
                error = CliText::tr("--serial needs a serial number of up to 8 digits, not %1.").arg(value);
            else
                error = setTarget(request, {CliTarget::Serial, 0, int32_t(value.toInt())});
        } else if (name == ALL_OPTION) {
            error = setTarget(request, {CliTarget::All, 0, 0});
        } else if (name == JSON_OPTION) {
            request.json = true;
        } else if (name == SHOW_KEY_OPTION) {
            request.showKey = true;
        } else if (name == DRY_RUN_OPTION) {
            request.dryRun = true;
        } else if (name == FORCE_OPTION) {
            request.force = true;
        } else if (name == CALIBRATION_OPTION) {
            request.calibration = true;
        } else if (name == RECORD_OPTION) {
            if (value.isEmpty())
                error = CliText::tr("%1 needs a value.").arg(name);
            request.recordFile = value;
        } else if (name == NO_RECORD_OPTION) {
            request.noRecord = true;
        } else if (name == LANG_OPTION) {
            if (value != QLatin1String("en") && value != QLatin1String("ja"))
                error = CliText::tr("--lang needs en or ja, not %1.").arg(value);
            request.language = value;
        } else if (name == HELP_OPTION) {
            help = true;
        } else if (name == VERSION_OPTION) {
            version = true;
        } else {
            error = CliText::tr("Unknown option: %1").arg(name);
        }
        if (!error.isEmpty()) {
            result.error = error;
            return result;
        }
    }

    if (help) {
        request.command = CliCommand::Help;
        return result;
    }
    if (version) {
        request.command = CliCommand::Version;
        return result;
    }
    result.error = readCommand(positionals, request);
    if (!result.error.isEmpty())
        return result;

    const CommandRules rules = rulesOf(request.command);
    const auto refuse = [&](const QString &option) {
        return CliText::tr("%1 does not take %2.").arg(request.commandName, option);
    };
    // history takes --serial as a filter of the record, not as an instrument to connect to.
    const bool serialFilter =
        request.command == CliCommand::History && request.target.kind == CliTarget::Serial;
    if (!rules.target && request.target.kind != CliTarget::Unnamed && !serialFilter)
        result.error = refuse(request.target.kind == CliTarget::Port     ? PORT_OPTION
                              : request.target.kind == CliTarget::Serial ? SERIAL_OPTION
                                                                         : ALL_OPTION);
    else if (!rules.manyInstruments && request.target.kind == CliTarget::All)
        result.error = CliText::tr("%1 works on exactly one instrument: choose it with --port or --serial.")
                           .arg(request.commandName);
    else if (!rules.dryRun && request.dryRun)
        result.error = refuse(DRY_RUN_OPTION);
    else if (!rules.showKey && request.showKey)
        result.error = refuse(SHOW_KEY_OPTION);
    else if (request.force && request.command != CliCommand::Backup)
        result.error = refuse(FORCE_OPTION);
    else if (request.calibration && request.command != CliCommand::Restore)
        result.error = refuse(CALIBRATION_OPTION);
    else if ((!rules.writes || request.command == CliCommand::History) && request.noRecord)
        result.error = refuse(NO_RECORD_OPTION);
    else if (!rules.writes && !request.recordFile.isEmpty())
        result.error = refuse(RECORD_OPTION);
    else if (request.noRecord && !request.recordFile.isEmpty())
        result.error = CliText::tr("Give --record FILE or --no-record, not both.");
    return result;
}

QString languageArgument(const QStringList &arguments)
{
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == END_OF_OPTIONS)
            break;
        if (arguments.at(i) == LANG_OPTION)
            return arguments.value(i + 1);
        if (arguments.at(i).startsWith(LANG_OPTION + QLatin1Char('=')))
            return arguments.at(i).mid(LANG_OPTION.size() + 1);
    }
    return QString();
}

bool jsonArgument(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == END_OF_OPTIONS)
            break;
        if (argument == JSON_OPTION)
            return true;
    }
    return false;
}

QString cliUsage()
{
    return CliText::tr("Usage:\n"
                       "  kt9-cli list [--json]\n"
                       "  kt9-cli show [TARGET] [--json] [--show-key]\n"
                       "  kt9-cli network load FILE.ini [TARGET] [--dry-run] [--show-key]\n"
                       "  kt9-cli network save FILE.ini [TARGET]\n"
                       "  kt9-cli power-off (off|15|30|60) [TARGET] [--dry-run]\n"
                       "  kt9-cli register (white|ambient) FILE.csv [TARGET] [--dry-run]\n"
                       "  kt9-cli backup DIR [TARGET] [--force]\n"
                       "  kt9-cli restore DIR [TARGET] [--calibration] [--dry-run] [--show-key]\n"
                       "  kt9-cli apply PLAN.csv [--dry-run] [--show-key]\n"
                       "  kt9-cli history [--serial NNNNNNNN] [--json]\n"
                       "  kt9-cli --help | --version\n"
                       "\n"
                       "Configures KT-9 instruments from the command line, one or many at once: each\n"
                       "instrument is connected, configured and disconnected in turn.\n"
                       "\n"
                       "TARGET:\n"
                       "  --port N           the N-th instrument of kt9-cli list\n"
                       "  --serial NNNNNNNN  the instrument with this serial number\n"
                       "  --all              every instrument listed (not with network save or register)\n"
                       "  Without a target the only instrument listed; with several, name one.\n"
                       "\n"
                       "Options:\n"
                       "  --dry-run     connect, read and check, show what would change, write nothing\n"
                       "  --json        print the result as one JSON document\n"
                       "  --show-key    show the security key instead of ***\n"
                       "  --lang en|ja  language of the messages (default: from the locale)\n"
                       "\n"
                       "Backup and restore:\n"
                       "  backup writes DIR/SERIAL/ for each instrument (network.ini, white.csv,\n"
                       "  ambient.csv, instrument.json), readable by you alone: it holds the key.\n"
                       "  --force          replace an instrument's existing backup\n"
                       "  restore puts back the network settings and the power-off time of each\n"
                       "  instrument that has a folder with its own serial number in DIR.\n"
                       "  --calibration    also the calibration references (same serial only)\n"
                       "  register and restore --calibration first save the references they\n"
                       "  overwrite in DATA/kt9-config/backups/SERIAL/TIME/ (DATA: your data folder).\n"
                       "\n"
                       "Fleet plan (apply):\n"
                       "  a CSV file, one row per instrument, a header row naming the columns:\n"
                       "  serial (required), wireless_lan (on/off), ssid, key, dhcp (on/off), ip,\n"
                       "  mask, gateway, dns, power_off (off/15/30/60); separator , or ;. An empty\n"
                       "  cell keeps the instrument's setting; an address needs dhcp off in its row.\n"
                       "  Every row is checked before any instrument is touched; each instrument is\n"
                       "  written only where it differs (changed / unchanged). Listed instruments\n"
                       "  without a row are not touched.\n"
                       "\n"
                       "Change record (every run that writes to instruments, one line per change):\n"
                       "  --record FILE    append to FILE (default: KT9_RECORD, else\n"
                       "                   DATA/kt9-config/changes.csv)\n"
                       "  --no-record      record nothing\n"
                       "  history prints the record; --serial shows one instrument's changes.\n"
                       "\n"
                       "Exit status: 0 all succeeded, 1 an instrument failed or was not reached,\n"
                       "2 usage error, unreadable input file, a backup or plan that fails its check, or\n"
                       "one static address for several instruments (then nothing was written).\n");
}
