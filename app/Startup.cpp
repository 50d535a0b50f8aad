#include "Startup.h"

#include "app/LangSelectDialog.h"
#include "files/ResourcePaths.h"
#include "instrument/CQlxSdk_Ctrl.h"
#include "instrument/SharedTexts.h"
#include "ui/ConnectSelectDialog.h"
#include "ui/InitSettingDialog.h"
#include "ui/ToolMessageBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFont>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QThread>
#include <QTranslator>

#include <memory>

namespace {

constexpr int WAIT_LOOP_SLEEP_MS = 10;
constexpr int APPLICATION_FONT_POINT_SIZE = 12;
// By name: Qt 5 weighs fonts from 0 to 99 (normal 50), Qt 6 from 1 to 1000 (normal 400).
constexpr QFont::Weight APPLICATION_FONT_WEIGHT = QFont::Normal;

// Pumps events until the window sets its flag; the flag is tested before the first pass.
void waitUntil(const bool &flag)
{
    while (!flag) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::msleep(WAIT_LOOP_SLEEP_MS);
    }
}

void showInformation(const QString &iconPath, const QString &text)
{
    showToolMessageBox(QObject::tr("Spectrophotometer Configuration Tool KT-9"), iconPath,
                       QMessageBox::Information, text);
}

// Loads Qt's own texts for the language, beside the tool's translation of the same language.
// Only Japanese has them; without the file Qt's texts stay English, and nothing is shown.
bool loadQtTranslation(QTranslator &translator, int32_t languageCode, const QString &resourceDir)
{
    return languageCode == KT9_LANGUAGE_JAPANESE &&
           translator.load(resourceDir + KT9_QT_JAPANESE_TRANSLATION_FILE);
}

} // namespace

DefaultLanguage defaultLanguageFor(const QString &localeName)
{
    const QString file = defaultTranslationFile(localeName);
    return {file == KT9_JAPANESE_TRANSLATION_FILE ? KT9_LANGUAGE_JAPANESE : KT9_LANGUAGE_ENGLISH, file};
}

int runStartup(QApplication &app)
{
    auto controller = std::make_shared<CQlxSdk_Ctrl>();

    QFont font(QStringLiteral("Segoe UI"), APPLICATION_FONT_POINT_SIZE, APPLICATION_FONT_WEIGHT, false);
    QApplication::setFont(font);

    QTranslator defaultTranslator;
    QTranslator defaultQtTranslator;
    const QString localeName = QLocale::system().name();
    const QString resourceDir = resourceDirectory();
    const DefaultLanguage defaultLanguage = defaultLanguageFor(localeName);
    const QString defaultTranslationPath = resourceDir + defaultLanguage.translationFile;

    const QString iconPath = resourceDir + KT9_ICON_FILE;
    QApplication::setWindowIcon(QIcon(iconPath));

    bool defaultTranslationLoaded = false;
    bool defaultQtTranslationLoaded = false;
    if (defaultTranslator.load(defaultTranslationPath)) {
        QCoreApplication::installTranslator(&defaultTranslator);
        defaultTranslationLoaded = true;
        defaultQtTranslationLoaded =
            loadQtTranslation(defaultQtTranslator, defaultLanguage.code, resourceDir);
        if (defaultQtTranslationLoaded)
            QCoreApplication::installTranslator(&defaultQtTranslator);
    } else {
        showInformation(iconPath, startupText(StartupText::DEFAULT_LANGUAGE_FAILED));
    }

    auto langDialog = std::make_unique<LangSelectDialog>();
    langDialog->setDefaultLanguage(defaultLanguage.code);
    langDialog->show();
    waitUntil(langDialog->selectFinished);

    if (!langDialog->closedByUser) {
        // Stays installed until the process ends; the application object owns it.
        auto *selectedTranslator = new QTranslator(&app);
        bool selectedLoaded = false;
        QString failureText;
        if (langDialog->language == KT9_LANGUAGE_ENGLISH) {
            qDebug("select English:%d", langDialog->language);
            selectedLoaded = selectedTranslator->load(resourceDir + KT9_ENGLISH_TRANSLATION_FILE);
            failureText = startupText(StartupText::ENGLISH_FAILED);
        } else {
            qDebug("select japanese:%d", langDialog->language);
            selectedLoaded = selectedTranslator->load(resourceDir + KT9_JAPANESE_TRANSLATION_FILE);
            failureText = startupText(StartupText::JAPANESE_FAILED);
        }
        if (selectedLoaded) {
            if (defaultTranslationLoaded)
                QCoreApplication::removeTranslator(&defaultTranslator);
            if (defaultQtTranslationLoaded)
                QCoreApplication::removeTranslator(&defaultQtTranslator);
            QCoreApplication::installTranslator(selectedTranslator);
            auto *selectedQtTranslator = new QTranslator(&app);
            if (loadQtTranslation(*selectedQtTranslator, langDialog->language, resourceDir))
                QCoreApplication::installTranslator(selectedQtTranslator);
        } else {
            showInformation(iconPath, failureText);
        }

        auto connectDialog = std::make_unique<ConnectSelectDialog>();
        auto mainWindow = std::make_unique<InitSettingDialog>();

        int portIndex = -1;
        const bool listed = controller->refreshPortList();
        if (!listed || controller->portCount == 0) {
            showInformation(iconPath, QObject::tr("The measuring instruments is not connected."));
        } else if (controller->portCount == 1) {
            portIndex = 0;
        } else {
            connectDialog->setPortList(controller->portLabels);
            connectDialog->show();
            waitUntil(connectDialog->selectFinished);
            qDebug("select portNum[main]:%d", connectDialog->portNum);
            portIndex = connectDialog->portNum;
        }

        mainWindow->setController(controller);
        mainWindow->setConnectSelectDialog(connectDialog.get());
        mainWindow->initialize(portIndex, true);
        mainWindow->show();
        waitUntil(mainWindow->finished);

        mainWindow.reset();
        connectDialog.reset();
    }

    langDialog.reset();
    return 0;
}
