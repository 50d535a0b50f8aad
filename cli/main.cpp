// kt9-cli: configures one or many KT-9 instruments from the command line, through the same
// controller and file code as the window.

#include "CliArguments.h"
#include "CliOutput.h"
#include "CliReport.h"
#include "CliRun.h"
#include "CliTexts.h"
#include "Console.h"
#include "Interrupt.h"
#include "files/FileSizeSignal.h"
#include "files/ResourcePaths.h"
#include "files/TextEncoding.h"

#include <QCoreApplication>
#include <QFile>
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

// What kt9-cli could not write on standard output fails the run, however it went otherwise.
int checkedStatus(CliOutput &output, int status)
{
    if (!output.failed())
        return status;
    output.message(QStringLiteral("kt9-cli: %1").arg(output.failure()));
    return status == CLI_EXIT_SUCCESS ? CLI_EXIT_FAILURE : status;
}

// A file operand is the bytes given in argv, which Qt decodes into the arguments' text. Bytes
// that do not come back from that text (not text in the locale's encoding, such as "\xff.ini" in
// a UTF-8 locale) would have the text open another file: such a file is named by no text and is
// neither read nor written. On Windows the arguments' text comes from the UTF-16 command line, so
// an argv entry that decodes to the operand is its exact code page form and always comes back.
void checkFileOperand(CliRequest &request, int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray given(argv[i]);
        if (QFile::decodeName(given) == request.file && QFile::encodeName(request.file) != given)
            request.fileNamed = false;
        if (QFile::decodeName(given) == request.recordFile && QFile::encodeName(request.recordFile) != given)
            request.recordNamed = false;
    }
}

int run(const QStringList &arguments, int argc, char *argv[], CliOutput &output)
{
    CliParseResult parsed = parseCliArguments(arguments);
    checkFileOperand(parsed.request, argc, argv);
    if (!parsed.error.isEmpty())
        return reportUsageError(parsed.request.commandName, parsed.error, jsonArgument(arguments), output);
    switch (parsed.request.command) {
    case CliCommand::Help:
        for (const QString &line : cliUsage().trimmed().split(QLatin1Char('\n')))
            output.line(line);
        return CLI_EXIT_SUCCESS;
    case CliCommand::Version:
        output.line(QStringLiteral("kt9-cli " KT9_VERSION));
        return CLI_EXIT_SUCCESS;
    default:
        break;
    }
    watchForInterrupt();
    ignoreBrokenPipe();
    return runCliRequest(parsed.request, output);
}

} // namespace

int main(int argc, char *argv[])
{
    useLocalEightBitEncoding();
    // Before anything opens a file (the application object does).
    const bool standardOutputOpen = occupyClosedStandardStreams();
    ignoreFileSizeSignal();
    // The controller's debug lines stay off unless QT_LOGGING_RULES (which overrides this)
    // asks for them: some Qt builds print debug output by default.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QCoreApplication app(argc, argv);
    CliOutput output(standardOutputOpen);

    const QStringList arguments = QCoreApplication::arguments().mid(1);
    QTranslator translator;
    loadTranslation(languageArgument(arguments), translator, output);
    return checkedStatus(output, run(arguments, argc, argv, output));
}
