// The start-up routine run as the program runs it, with the windows answered by a simulated
// user: language choice, instrument choice for zero, one and three instruments, the
// translation swap (the tool's texts and Qt's own), the information boxes and the teardown.

#include "TestSupport.h"
#include "app/LangSelectDialog.h"
#include "app/Startup.h"
#include "files/ResourcePaths.h"
#include "files/TextEncoding.h"
#include "instrument/CQlxSdk_Ctrl.h"
#include "ui/ConnectSelectDialog.h"
#include "ui/InitSettingDialog.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

template <typename Window> Window *visibleWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

template <typename Window> int windowCount()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<Window *>(widget) ? 1 : 0;
    return count;
}

// One of Qt's own texts, as Qt's file dialog shows it in the installed language.
QString qtText()
{
    return QCoreApplication::translate("QFileDialog", "Look in:");
}

} // namespace

// Plays the user: answers each window as it comes up, one step per poll, and records what it saw.
class SimulatedUser : public QObject
{
    Q_OBJECT

public:
    // language: KT9_LANGUAGE_ENGLISH or KT9_LANGUAGE_JAPANESE, or 0 to close the language window.
    SimulatedUser(int language, int deviceRow) : m_language(language), m_deviceRow(deviceRow)
    {
        connect(&m_timer, &QTimer::timeout, this, &SimulatedUser::poll);
        m_timer.start(10);
    }

    QStringList boxes;
    bool languagePreselectedJapanese = false;
    QString qtTextAtLanguage; ///< Qt's own text while the language window is open
    QString qtTextAtMain;     ///< Qt's own text while the main window is open
    QStringList deviceLabels;
    bool mainWindowSeen = false;
    QString serialLabel;
    QString connectButtonText;
    bool disconnectEnabled = false;
    bool networkTabEnabled = false;

private:
    void poll()
    {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            boxes.append(box->text());
            box->button(QMessageBox::Ok)->click();
            return;
        }
        if (auto *lang = visibleWindow<LangSelectDialog>()) {
            languagePreselectedJapanese = lang->findChild<QRadioButton *>("jpnRadioBtn")->isChecked();
            qtTextAtLanguage = qtText();
            if (m_language == 0) {
                lang->close();
                return;
            }
            const char *button = m_language == KT9_LANGUAGE_ENGLISH ? "engRadioBtn" : "jpnRadioBtn";
            lang->findChild<QRadioButton *>(button)->click();
            lang->findChild<QPushButton *>("pushButton")->click();
            return;
        }
        if (auto *devices = visibleWindow<ConnectSelectDialog>()) {
            auto *list = devices->findChild<QListWidget *>("connectlistWidget");
            deviceLabels.clear();
            for (int row = 0; row < list->count(); ++row)
                deviceLabels.append(list->item(row)->text());
            list->setCurrentRow(m_deviceRow);
            devices->findChild<QPushButton *>("pushButton")->click();
            return;
        }
        if (auto *window = visibleWindow<InitSettingDialog>()) {
            mainWindowSeen = true;
            qtTextAtMain = qtText();
            serialLabel = window->findChild<QLabel *>("serialNolabel")->text();
            connectButtonText = window->findChild<QPushButton *>("ConnectPushBtn")->text();
            disconnectEnabled = window->findChild<QPushButton *>("disConnectPushBtn")->isEnabled();
            networkTabEnabled = window->findChild<QWidget *>("networkSetTab")->isEnabled();
            window->close();
        }
    }

    int m_language;
    int m_deviceRow;
    QTimer m_timer;
};

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void defaultLanguage_data();
    void defaultLanguage();

    void instrumentCount_data();
    void instrumentCount();
    void languageWindowClosed();
    void translationSwap_data();
    void translationSwap();
    void missingTranslations_data();
    void missingTranslations();

private:
    SimInstrumentDir *m_sim = nullptr;
};

void TestStartup::init()
{
    m_sim = new SimInstrumentDir;
    deviceDisconnected = false;
}

void TestStartup::cleanup()
{
    delete m_sim;
    m_sim = nullptr;
    // Start-up leaves its chosen translators installed, as for the rest of a process; the next
    // test starts as a new process would.
    qDeleteAll(qApp->findChildren<QTranslator *>());
}

void TestStartup::defaultLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("file");

    QTest::newRow("ja_JP") << "ja_JP" << 2 << "jp.qm";
    QTest::newRow("upper case") << "JA_JP" << 2 << "jp.qm";
    QTest::newRow("ja anywhere") << "xx_Ja" << 2 << "jp.qm";
    QTest::newRow("en_US") << "en_US" << 1 << "en.qm";
    QTest::newRow("de_DE") << "de_DE" << 1 << "en.qm";
    QTest::newRow("C") << "C" << 1 << "en.qm";
    QTest::newRow("j and a apart") << "j_a" << 1 << "en.qm";
}

void TestStartup::defaultLanguage()
{
    QFETCH(QString, locale);
    QFETCH(int, code);
    QFETCH(QString, file);
    const DefaultLanguage language = defaultLanguageFor(locale);
    QCOMPARE(int(language.code), code);
    QCOMPARE(language.translationFile, file);
}

void TestStartup::instrumentCount_data()
{
    QTest::addColumn<int>("instruments");
    QTest::addColumn<int>("deviceRow");
    QTest::addColumn<QStringList>("deviceLabels");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("portLines");

    QTest::newRow("none") << 0 << 0 << QStringList() << QString()
                          << QStringList{"The measuring instruments is not connected."} << QStringList();
    QTest::newRow("one") << 1 << 0 << QStringList() << "00000101" << QStringList() << QStringList();
    QTest::newRow("three, third chosen")
        << 3 << 2
        << QStringList{"KALDO-1(USB,Serial#00000101)", "KALDO-1(USB,Serial#00000102)",
                       "KALDO-1(USB,Serial#00000103)"}
        << "00000103" << QStringList() << QStringList{"select portNum[main]:2"};
    QTest::newRow("three, first kept")
        << 3 << 0
        << QStringList{"KALDO-1(USB,Serial#00000101)", "KALDO-1(USB,Serial#00000102)",
                       "KALDO-1(USB,Serial#00000103)"}
        << "00000101" << QStringList() << QStringList{"select portNum[main]:0"};
}

void TestStartup::instrumentCount()
{
    QFETCH(int, instruments);
    QFETCH(int, deviceRow);
    QFETCH(QStringList, deviceLabels);
    QFETCH(QString, serial);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, portLines);

    for (int i = 0; i < instruments; ++i)
        m_sim->write(QStringLiteral("i%1").arg(i), usbInstrument(101 + i));

    LogCapture log;
    SimulatedUser user(KT9_LANGUAGE_ENGLISH, deviceRow);
    QCOMPARE(runStartup(*qApp), 0);

    QCOMPARE(user.boxes, boxes);
    QCOMPARE(user.deviceLabels, deviceLabels);
    QVERIFY(user.mainWindowSeen);
    QCOMPARE(user.serialLabel, serial);
    QCOMPARE(user.disconnectEnabled, instruments > 0);
    QCOMPARE(user.networkTabEnabled, instruments > 0);
    QCOMPARE(log.lines().filter("select portNum[main]"), portLines);
    QCOMPARE(log.lines().filter("select English:"), QStringList{"select English:1"});

    // Teardown: the windows are gone, the session was closed with the window, and the
    // controller removed its event handler.
    QCOMPARE(windowCount<InitSettingDialog>(), 0);
    QCOMPARE(windowCount<ConnectSelectDialog>(), 0);
    QCOMPARE(windowCount<LangSelectDialog>(), 0);
    QCOMPARE(QLXSIM_CallCount("QLX_Disconnect"), instruments > 0 ? 1u : 0u);
    QLXSIM_FireEvent(eEventCode_DisConnect, 0, 0);
    QVERIFY(!deviceDisconnected);
}

void TestStartup::languageWindowClosed()
{
    m_sim->write("a", usbInstrument(1));
    SimulatedUser user(0, 0);
    QCOMPARE(runStartup(*qApp), 0);
    QVERIFY(!user.languagePreselectedJapanese);
    QVERIFY(!user.mainWindowSeen);
    QVERIFY(user.boxes.isEmpty());
    QCOMPARE(QLXSIM_CallCount("QLX_GetDevicePortList"), 0u);
    QCOMPARE(QLXSIM_CallCount("QLX_Connect"), 0u);
    QCOMPARE(windowCount<LangSelectDialog>(), 0);
}

void TestStartup::translationSwap_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("debugLine");
    QTest::addColumn<bool>("japanese");

    QTest::newRow("English") << int(KT9_LANGUAGE_ENGLISH) << "select English:1" << false;
    // Qt's own texts come in Japanese with the tool's and are left behind with them.
    QTest::newRow("Japanese") << int(KT9_LANGUAGE_JAPANESE) << "select japanese:2" << true;
    // Choosing the default again still loads and swaps in a new translator.
    QTest::newRow("English again") << int(KT9_LANGUAGE_ENGLISH) << "select English:1" << false;
}

void TestStartup::translationSwap()
{
    QFETCH(int, language);
    QFETCH(QString, debugLine);
    QFETCH(bool, japanese);

    m_sim->write("a", usbInstrument(1));
    LogCapture log;
    SimulatedUser user(language, 0);
    QCOMPARE(runStartup(*qApp), 0);
    QVERIFY(log.lines().contains(debugLine));
    QVERIFY(user.mainWindowSeen);
    // The main window is built after the swap, so it comes up in the chosen language.
    QCOMPARE(user.connectButtonText != QStringLiteral("Connect"), japanese);
    // The chosen translation stays installed after start-up has returned.
    QCOMPARE(QCoreApplication::translate("InitSettingDialog", "Connect") != QStringLiteral("Connect"),
             japanese);
    QCOMPARE(user.qtTextAtMain != QStringLiteral("Look in:"), japanese);
    QCOMPARE(qtText() != QStringLiteral("Look in:"), japanese);
}

// Each row runs a copy of this program beside a Resources/ folder holding only the given files
// (none: no folder), under the given system locale, with the given language chosen.
void TestStartup::missingTranslations_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("output");

    QTranslator qtJapanese;
    QVERIFY(qtJapanese.load(resourcePath(KT9_QT_JAPANESE_TRANSLATION_FILE)));
    const QString lookIn = QStringLiteral("Look in:");
    const QString lookInJapanese = qtJapanese.translate("QFileDialog", "Look in:");
    QVERIFY(!lookInJapanese.isEmpty() && lookInJapanese != lookIn);
    const QString connectJapanese = QStringLiteral("接続");
    const QStringList tool{KT9_ICON_FILE, KT9_ENGLISH_TRANSLATION_FILE, KT9_JAPANESE_TRANSLATION_FILE};
    const QStringList all = tool + QStringList{KT9_QT_JAPANESE_TRANSLATION_FILE};
    const int english = KT9_LANGUAGE_ENGLISH;
    const int japanese = KT9_LANGUAGE_JAPANESE;

    QTest::newRow("no Resources/") << QStringList() << "C.UTF-8" << japanese
                                   << QStringList{"box:Failed to set default language.",
                                                  "box:Failed to set select(japanese) language.",
                                                  "language window, Qt:" + lookIn, "main window:Connect",
                                                  "main window, Qt:" + lookIn};
    // Without Qt's own Japanese texts the tool's are Japanese, Qt's English, and nothing is said.
    QTest::newRow("no Qt texts") << tool << "C.UTF-8" << japanese
                                 << QStringList{"language window, Qt:" + lookIn,
                                                "main window:" + connectJapanese,
                                                "main window, Qt:" + lookIn};
    // A Japanese system: Qt's texts are Japanese from the first window on, and go with the
    // tool's when English is chosen.
    QTest::newRow("Japanese system, English chosen")
        << all << "ja_JP.UTF-8" << english
        << QStringList{"language window, Qt:" + lookInJapanese, "main window:Connect",
                       "main window, Qt:" + lookIn};
    QTest::newRow("Japanese system, Japanese chosen")
        << all << "ja_JP.UTF-8" << japanese
        << QStringList{"language window, Qt:" + lookInJapanese, "main window:" + connectJapanese,
                       "main window, Qt:" + lookInJapanese};
}

void TestStartup::missingTranslations()
{
    QFETCH(QStringList, files);
    QFETCH(QString, locale);
    QFETCH(int, language);
    QFETCH(QStringList, output);

    m_sim->write("a", usbInstrument(1));
    QTemporaryDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/../startup-XXXXXX"));
    QVERIFY(dir.isValid());
    const QString copy = dir.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    if (!files.isEmpty())
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Resources")));
    for (const QString &file : files)
        QVERIFY(QFile::copy(resourcePath(file), dir.filePath(QStringLiteral("Resources/") + file)));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KT9_STARTUP_CHILD"), m_sim->path());
    environment.insert(QStringLiteral("KT9_STARTUP_LANGUAGE"), QString::number(language));
    setChildLocale(environment, locale);
    process.setProcessEnvironment(environment);
    // Text mode: the child's C runtime may end its lines with CR LF (on Windows it does).
    process.start(copy, QStringList(), QIODevice::ReadOnly | QIODevice::Text);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QString printed = QString::fromUtf8(process.readAllStandardOutput());
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(printed.split('\n', Qt::SkipEmptyParts), output);
}

// Run in a copy of this program: start-up with the language of KT9_STARTUP_LANGUAGE chosen,
// printing what the user saw.
static int runAsChild(int argc, char **argv, const QByteArray &simDir)
{
    QApplication app(argc, argv);
    QLXSIM_SetDirectory(simDir.constData());
    SimulatedUser user(qEnvironmentVariableIntValue("KT9_STARTUP_LANGUAGE"), 0);
    const int code = runStartup(app);
    QTextStream out(stdout);
    setUtf8(out);
    for (const QString &box : user.boxes)
        out << "box:" << box << '\n';
    out << "language window, Qt:" << user.qtTextAtLanguage << '\n';
    if (user.mainWindowSeen)
        out << "main window:" << user.connectButtonText << '\n'
            << "main window, Qt:" << user.qtTextAtMain << '\n';
    return code;
}

int main(int argc, char **argv)
{
    const QByteArray childSimDir = qgetenv("KT9_STARTUP_CHILD");
    if (!childSimDir.isEmpty())
        return runAsChild(argc, argv, childSimDir);
    QApplication app(argc, argv);
    TestStartup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
