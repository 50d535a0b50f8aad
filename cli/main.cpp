// kt9-cli: configures one or many KT-9 instruments from the command line, through the same
// controller and file code as the window.

#include "CliArguments.h"
#include "CliOutput.h"
#include "CliReport.h"
#include "CliRun.h"
#include "CliTexts.h"
#include "Interrupt.h"
#include "files/ResourcePaths.h"
#include "files/TextEncoding.h"

#include <QCoreApplication>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

namespace {

// The translation chosen with --lang, else the locale's default as the window picks it. A file
// that cannot be loaded is reported with start-up's own texts; the texts then stay English.
void loadTranslation(const QString &language, QTranslator &translator, CliOutput &output)
{
    QString file;
    const char *failure = StartupText::DEFAULT_LANGUAGE_FAILED;
    if (language == QLatin1String("en")) {
        file = KT9_ENGLISH_TRANSLATION_FILE;
        failure = StartupText::ENGLISH_FAILED;
    } else if (language == QLatin1String("ja")) {
        file = KT9_JAPANESE_TRANSLATION_FILE;
        failure = StartupText::JAPANESE_FAILED;
    } else {
        file = defaultTranslationFile(QLocale::system().name());
    }
    if (translator.load(resourceDirectory() + file))
        QCoreApplication::installTranslator(&translator);
    else
        output.message(startupText(failure));
}

} // namespace

int main(int argc, char *argv[])
{
    useLocalEightBitEncoding();
    // The controller's debug lines stay off unless QT_LOGGING_RULES (which overrides this)
    // asks for them: some Qt builds print debug output by default.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QCoreApplication app(argc, argv);
    CliOutput output;

    const QStringList arguments = QCoreApplication::arguments().mid(1);
    QTranslator translator;
    loadTranslation(languageArgument(arguments), translator, output);

    const CliParseResult parsed = parseCliArguments(arguments);
    if (!parsed.error.isEmpty())
        return reportUsageError(parsed.request.commandName, parsed.error, jsonArgument(arguments), output);
    switch (parsed.request.command) {
    case CliCommand::Help:
        output.line(cliUsage().trimmed());
        return CLI_EXIT_SUCCESS;
    case CliCommand::Version:
        output.line(QStringLiteral("kt9-cli " KT9_VERSION));
        return CLI_EXIT_SUCCESS;
    default:
        break;
    }
    watchForInterrupt();
    return runCliRequest(parsed.request, output);
}
