// The main settings window's form: every widget with its type, parent, position and text, the
// order of creation, the settings that limit input, the tab pages and the translated texts.

#include "ui/ui_InitSettingDialog.h"

#include <QDialog>
#include <QTabBar>
#include <QTranslator>
#include <QtTest>

namespace {

struct FormWidget
{
    const char *name;
    const char *type;
    const char *parent;
    QRect geometry; ///< null for the tab pages, which the tab widget places
    const char *text;
};

const char *const TAB_PAGE = "qt_tabwidget_stackedwidget";
const char *const FORM_WINDOW = "InitSettingDialog";

// Every widget of the form, in the order of creation.
const FormWidget FORM_WIDGETS[] = {
    {"setBasetabWidget", "QTabWidget", FORM_WINDOW, {10, 150, 1141, 531}, ""},

    {"networkSetTab", "QWidget", TAB_PAGE, {}, "Network"},
    {"WLanGroupBox", "QGroupBox", "networkSetTab", {10, 10, 831, 471}, "Wireless LAN"},
    {"enableRadioBtn", "QRadioButton", "WLanGroupBox", {170, 25, 111, 31}, "Enable"},
    {"disableRadioBtn", "QRadioButton", "WLanGroupBox", {300, 25, 121, 31}, "Disable"},
    {"AccessPointgroupBox", "QGroupBox", "WLanGroupBox", {20, 50, 801, 121}, "Access Point"},
    {"ssIDlabel", "QLabel", "AccessPointgroupBox", {20, 30, 50, 31}, "SSID:"},
    {"SSIDlineEdit", "QLineEdit", "AccessPointgroupBox", {200, 30, 591, 31}, ""},
    {"passwdlabel", "QLabel", "AccessPointgroupBox", {20, 70, 171, 31}, "Security Key:"},
    {"passwdlineEdit", "QLineEdit", "AccessPointgroupBox", {200, 70, 591, 31}, ""},
    {"tcpIPGroupBox", "QGroupBox", "WLanGroupBox", {20, 185, 551, 261}, "TCP/IP"},
    {"dhcplabel", "QLabel", "tcpIPGroupBox", {20, 40, 71, 21}, "DHCP:"},
    {"dhcpOnRadioBtn", "QRadioButton", "tcpIPGroupBox", {120, 40, 86, 21}, "ON"},
    {"dhcpOffRadioBtn", "QRadioButton", "tcpIPGroupBox", {230, 40, 86, 21}, "OFF"},
    {"iplabel", "QLabel", "tcpIPGroupBox", {20, 90, 171, 31}, "IP Address:"},
    {"ipaddr1lineEdit", "QLineEdit", "tcpIPGroupBox", {240, 90, 51, 31}, ""},
    {"ip12label", "QLabel", "tcpIPGroupBox", {300, 105, 21, 16}, "."},
    {"ipaddr2lineEdit", "QLineEdit", "tcpIPGroupBox", {320, 90, 51, 31}, ""},
    {"ip23label", "QLabel", "tcpIPGroupBox", {380, 105, 21, 16}, "."},
    {"ipaddr3lineEdit", "QLineEdit", "tcpIPGroupBox", {400, 90, 51, 31}, ""},
    {"ip34label", "QLabel", "tcpIPGroupBox", {460, 105, 21, 16}, "."},
    {"ipaddr4lineEdit", "QLineEdit", "tcpIPGroupBox", {480, 90, 51, 31}, ""},
    {"subNetlabel", "QLabel", "tcpIPGroupBox", {20, 130, 171, 31}, "Subnet Mask:"},
    {"subnetMask1lineEdit", "QLineEdit", "tcpIPGroupBox", {240, 130, 51, 31}, ""},
    {"subnetMask12label", "QLabel", "tcpIPGroupBox", {300, 145, 16, 16}, "."},
    {"subnetMask2lineEdit", "QLineEdit", "tcpIPGroupBox", {320, 130, 51, 31}, ""},
    {"subnetMask23label", "QLabel", "tcpIPGroupBox", {380, 145, 16, 16}, "."},
    {"subnetMask3lineEdit", "QLineEdit", "tcpIPGroupBox", {400, 130, 51, 31}, ""},
    {"subnetMask34label", "QLabel", "tcpIPGroupBox", {460, 145, 16, 16}, "."},
    {"subnetMask4lineEdit", "QLineEdit", "tcpIPGroupBox", {480, 130, 51, 31}, ""},
    {"defaultGWlabel", "QLabel", "tcpIPGroupBox", {20, 170, 211, 31}, "Default Gateway:"},
    {"defGWaddr1lineEdit", "QLineEdit", "tcpIPGroupBox", {240, 170, 51, 31}, ""},
    {"defGWaddr12label", "QLabel", "tcpIPGroupBox", {300, 185, 16, 16}, "."},
    {"defGWaddr2lineEdit", "QLineEdit", "tcpIPGroupBox", {320, 170, 51, 31}, ""},
    {"defGWaddr23label", "QLabel", "tcpIPGroupBox", {380, 185, 16, 16}, "."},
    {"defGWaddr3lineEdit", "QLineEdit", "tcpIPGroupBox", {400, 170, 51, 31}, ""},
    {"defGWaddr34label", "QLabel", "tcpIPGroupBox", {460, 185, 16, 16}, "."},
    {"defGWaddr4lineEdit", "QLineEdit", "tcpIPGroupBox", {480, 170, 51, 31}, ""},
    {"dnsServlabel", "QLabel", "tcpIPGroupBox", {20, 210, 181, 31}, "DNS Server:"},
    {"dnsaddr1lineEdit", "QLineEdit", "tcpIPGroupBox", {240, 210, 51, 31}, ""},
    {"dnsaddr12label", "QLabel", "tcpIPGroupBox", {300, 225, 16, 16}, "."},
    {"dnsaddr2lineEdit", "QLineEdit", "tcpIPGroupBox", {320, 210, 51, 31}, ""},
    {"dnsaddr23label", "QLabel", "tcpIPGroupBox", {380, 225, 16, 16}, "."},
    {"dnsaddr3lineEdit", "QLineEdit", "tcpIPGroupBox", {400, 210, 51, 31}, ""},
    {"dnsaddr34label", "QLabel", "tcpIPGroupBox", {460, 225, 21, 16}, "."},
    {"dnsaddr4lineEdit", "QLineEdit", "tcpIPGroupBox", {480, 210, 51, 31}, ""},
    {"wLanFileCtrlGroupBox", "QGroupBox", "networkSetTab", {870, 10, 261, 161}, "File"},
    {"readToFilePushBtn", "QPushButton", "wLanFileCtrlGroupBox", {10, 30, 241, 51}, "Read From File..."},
    {"writeFilePushBtn", "QPushButton", "wLanFileCtrlGroupBox", {10, 90, 241, 51}, "Write To File..."},
    {"wLanBodyCtrlGroupBox", "QGroupBox", "networkSetTab", {870, 320, 251, 161}, "Body"},
    {"readBodyPushBtn", "QPushButton", "wLanBodyCtrlGroupBox", {10, 30, 231, 51}, "Read From Body"},
    {"writeBodyPushBtn", "QPushButton", "wLanBodyCtrlGroupBox", {10, 90, 231, 51}, "Write To Body"},

    {"autoPowerOfftab", "QWidget", TAB_PAGE, {}, "Auto Power Off"},
    {"setPWOffTimeGroupBox",
     "QGroupBox",
     "autoPowerOfftab",
     {10, 40, 591, 211},
     "Configure auto power off time"},
    {"invalidradioBtn", "QRadioButton", "setPWOffTimeGroupBox", {50, 60, 151, 51}, "Disabled"},
    {"fifteenRadioBtn", "QRadioButton", "setPWOffTimeGroupBox", {50, 120, 151, 51}, "15minutes"},
    {"thirtyRadioBtn", "QRadioButton", "setPWOffTimeGroupBox", {240, 120, 151, 51}, "30minutes"},
    {"sixtyRadioBtn", "QRadioButton", "setPWOffTimeGroupBox", {430, 120, 151, 51}, "60minutes"},
    {"groupBox", "QGroupBox", "autoPowerOfftab", {870, 320, 251, 161}, "Body"},
    {"getAutoPWOffPushBtn", "QPushButton", "groupBox", {10, 30, 231, 51}, "Read From Body"},
    {"setAutoPWOffPushBtn", "QPushButton", "groupBox", {10, 90, 231, 51}, "Write To Body"},

    {"wCalibPlateTab", "QWidget", TAB_PAGE, {}, "White calibration plate"},
    {"curWCalibPlateSerialNoTlabel", "QLabel", "wCalibPlateTab", {40, 20, 220, 31}, "Current Serial No:"},
    {"curWCalibPlateSerialNolabel", "QLabel", "wCalibPlateTab", {280, 20, 131, 31}, ""},
    {"selWCalibPlateFileGroupBox",
     "QGroupBox",
     "wCalibPlateTab",
     {10, 80, 451, 191},
     "Select White Calibration Plate To Register"},
    {"selWCPFileTlabel",
     "QLabel",
     "selWCalibPlateFileGroupBox",
     {20, 30, 451, 31},
     "White Calibration Plate Values File(.csv)"},
    {"selWCPFileNamelabel", "QLabel", "selWCalibPlateFileGroupBox", {20, 80, 371, 31}, ""},
    {"selFileSerialNoTlabel", "QLabel", "selWCalibPlateFileGroupBox", {40, 130, 200, 51}, "Serial No:"},
    {"selFileSerialNolabel", "QLabel", "selWCalibPlateFileGroupBox", {260, 140, 131, 31}, ""},
    {"groupBox_2", "QGroupBox", "wCalibPlateTab", {870, 10, 261, 161}, "File"},
    {"selWCPFilePushBtn", "QPushButton", "groupBox_2", {10, 30, 241, 51}, "Read From File..."},
    {"groupBox_4", "QGroupBox", "wCalibPlateTab", {870, 320, 251, 161}, "Body"},
    {"setWCPValPushBtn", "QPushButton", "groupBox_4", {10, 90, 231, 51}, "Write To Body"},

    {"ambLightAdpTab", "QWidget", TAB_PAGE, {}, "Ambient light adapter"},
    {"curAmbAdpSerialNoTlabel", "QLabel", "ambLightAdpTab", {40, 20, 220, 31}, "Current Serial No:"},
    {"curAmbAdpSerialNolabel", "QLabel", "ambLightAdpTab", {280, 20, 131, 31}, ""},
    {"selAmbAdpFileGroupBox",
     "QGroupBox",
     "ambLightAdpTab",
     {10, 80, 451, 191},
     "Select Ambient Light Adapter To Register"},
    {"selAmbAdpFnameTlabel",
     "QLabel",
     "selAmbAdpFileGroupBox",
     {20, 30, 451, 31},
     "Ambient Light Adapter Value File(.csv)"},
    {"selAmbAdpFnamelabel", "QLabel", "selAmbAdpFileGroupBox", {20, 80, 371, 31}, ""},
    {"selAmbAdpFSerialTlabel", "QLabel", "selAmbAdpFileGroupBox", {40, 130, 200, 51}, "Serial No:"},
    {"selAmbAdpFSerialNolabel", "QLabel", "selAmbAdpFileGroupBox", {260, 140, 131, 31}, ""},
    {"groupBox_3", "QGroupBox", "ambLightAdpTab", {870, 10, 261, 161}, "File"},
    {"selAmbLightAdpFilePushBtn", "QPushButton", "groupBox_3", {10, 30, 241, 51}, "Read From File..."},
    {"groupBox_5", "QGroupBox", "ambLightAdpTab", {870, 320, 251, 161}, "Body"},
    {"setAmbAdpBodyPushBtn", "QPushButton", "groupBox_5", {10, 90, 231, 51}, "Write To Body"},

    {"ConnectPushBtn", "QPushButton", FORM_WINDOW, {1000, 10, 151, 41}, "Connect"},
    {"disConnectPushBtn", "QPushButton", FORM_WINDOW, {1000, 60, 151, 41}, "Disconnect"},
    {"ClosePushBtn", "QPushButton", FORM_WINDOW, {1000, 110, 151, 41}, "Close"},
    {"serialNoTLabel", "QLabel", FORM_WINDOW, {20, 10, 181, 31}, "Serial No:"},
    {"firmVerTLabel", "QLabel", FORM_WINDOW, {20, 50, 221, 31}, "Firmware Ver:"},
    {"MACAddrTLabel", "QLabel", FORM_WINDOW, {20, 90, 161, 31}, "MAC Address:"},
    {"serialNolabel", "QLabel", FORM_WINDOW, {250, 10, 361, 31}, ""},
    {"firmVersionlabel", "QLabel", FORM_WINDOW, {250, 50, 361, 31}, ""},
    {"MACAddresslabel", "QLabel", FORM_WINDOW, {250, 90, 361, 31}, ""},
    {"toolVersionlabel", "QLabel", FORM_WINDOW, {940, 690, 221, 21}, "Tool Ver.1.10.0008"},
};

const char *const OCTET_FIELDS[] = {
    "ipaddr1lineEdit",     "ipaddr2lineEdit",     "ipaddr3lineEdit",     "ipaddr4lineEdit",
    "subnetMask1lineEdit", "subnetMask2lineEdit", "subnetMask3lineEdit", "subnetMask4lineEdit",
    "defGWaddr1lineEdit",  "defGWaddr2lineEdit",  "defGWaddr3lineEdit",  "defGWaddr4lineEdit",
    "dnsaddr1lineEdit",    "dnsaddr2lineEdit",    "dnsaddr3lineEdit",    "dnsaddr4lineEdit"};

// Marks every text of the window's context, so a test can tell translated texts from others.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        if (qstrcmp(context, "InitSettingDialog") != 0 || disambiguation || n != -1)
            return QString();
        return QStringLiteral("<%1>").arg(QString::fromUtf8(sourceText));
    }
    bool isEmpty() const override { return false; }
};

// The text a widget shows: a group box's title, a page's tab text, otherwise its text.
QString shownText(QWidget *widget, QTabWidget *tabs)
{
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        return box->title();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    const int page = tabs->indexOf(widget);
    return page >= 0 ? tabs->tabText(page) : QString();
}

} // namespace

class TestMainWindowForm : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        window.reset(new QDialog);
        form.reset(new Ui_InitSettingDialog);
        form->setupUi(window.data());
    }
    void cleanup()
    {
        form.reset();
        window.reset();
    }

    void widgets_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        for (const FormWidget &widget : FORM_WIDGETS)
            QTest::newRow(widget.name) << widget.type << widget.parent << widget.geometry << widget.text;
    }
    void widgets()
    {
        QFETCH(QString, type);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        const QString name = QString::fromUtf8(QTest::currentDataTag());
        const QList<QWidget *> found = window->findChildren<QWidget *>(name);
        QCOMPARE(found.size(), 1);
        QWidget *widget = found.first();
        QCOMPARE(QString::fromUtf8(widget->metaObject()->className()), type);
        QVERIFY(widget->parentWidget());
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        if (!geometry.isNull())
            QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(shownText(widget, form->setBasetabWidget), text);
        QVERIFY(widget->isEnabled());
    }

    // The focus chain follows the order of creation; it must be the order of the table.
    void creationOrder()
    {
        QStringList expected;
        for (const FormWidget &widget : FORM_WIDGETS)
            expected.append(QString::fromUtf8(widget.name));

        QStringList chain;
        QWidget *widget = window.data();
        do {
            if (expected.contains(widget->objectName()))
                chain.append(widget->objectName());
            widget = widget->nextInFocusChain();
        } while (widget != window.data());
        QCOMPARE(chain, expected);

        QStringList named;
        for (QWidget *child : window->findChildren<QWidget *>()) {
            // The tab bar's scroll buttons and the tab widget's stack are the framework's own.
            const bool own = qobject_cast<QTabBar *>(child->parentWidget()) ||
                             child->objectName().startsWith(QLatin1String("qt_"));
            if (!child->objectName().isEmpty() && !own)
                named.append(child->objectName());
        }
        QCOMPARE(named.size(), 95);
    }

    void window_()
    {
        QCOMPARE(window->objectName(), QStringLiteral("InitSettingDialog"));
        QCOMPARE(window->size(), QSize(1171, 720));
        QCOMPARE(window->windowTitle(), QStringLiteral("Spectrophotometer Configuration Tool KT-9"));
        QCOMPARE(form->setBasetabWidget->count(), 4);
        QCOMPARE(form->setBasetabWidget->widget(0), form->networkSetTab);
        QCOMPARE(form->setBasetabWidget->widget(1), form->autoPowerOfftab);
        QCOMPARE(form->setBasetabWidget->widget(2), form->wCalibPlateTab);
        QCOMPARE(form->setBasetabWidget->widget(3), form->ambLightAdpTab);
        QCOMPARE(form->setBasetabWidget->currentIndex(), 0);
    }

    // An existing object name is kept.
    void keepsObjectName()
    {
        QDialog named;
        named.setObjectName(QStringLiteral("mainWindow"));
        Ui_InitSettingDialog other;
        other.setupUi(&named);
        QCOMPARE(named.objectName(), QStringLiteral("mainWindow"));
    }

    void properties_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("expected");

        auto row = [](const char *widget, const char *property, const QVariant &expected) {
            QTest::addRow("%s.%s", widget, property)
                << QString::fromUtf8(widget) << QByteArray(property) << expected;
        };
        const int rightCentred = Qt::AlignRight | Qt::AlignVCenter;
        for (const char *field : OCTET_FIELDS)
            row(field, "alignment", rightCentred);
        for (const char *dot :
             {"ip12label", "ip23label", "ip34label", "subnetMask12label", "subnetMask23label",
              "subnetMask34label", "defGWaddr12label", "defGWaddr23label", "defGWaddr34label",
              "dnsaddr12label", "dnsaddr23label", "dnsaddr34label"})
            row(dot, "alignment", int(Qt::AlignLeft | Qt::AlignTop));
        for (const char *value :
             {"curWCalibPlateSerialNolabel", "selFileSerialNolabel", "curAmbAdpSerialNolabel",
              "selAmbAdpFSerialNolabel", "serialNolabel", "firmVersionlabel", "MACAddresslabel"}) {
            row(value, "frameShape", int(QFrame::Panel));
            row(value, "frameShadow", int(QFrame::Sunken));
            row(value, "alignment", int(Qt::AlignCenter));
        }
        for (const char *name : {"selWCPFileNamelabel", "selAmbAdpFnamelabel"}) {
            row(name, "frameShape", int(QFrame::Panel));
            row(name, "frameShadow", int(QFrame::Sunken));
            row(name, "alignment", int(Qt::AlignLeft | Qt::AlignVCenter));
        }
        for (const char *caption : {"curWCalibPlateSerialNoTlabel", "selFileSerialNoTlabel",
                                    "curAmbAdpSerialNoTlabel", "selAmbAdpFSerialTlabel"})
            row(caption, "alignment", rightCentred);
        row("curWCalibPlateSerialNoTlabel", "layoutDirection", int(Qt::LeftToRight));
        row("selFileSerialNoTlabel", "layoutDirection", int(Qt::LeftToRight));
        for (const char *button :
             {"readToFilePushBtn", "writeFilePushBtn", "readBodyPushBtn", "writeBodyPushBtn",
              "getAutoPWOffPushBtn", "setAutoPWOffPushBtn", "selWCPFilePushBtn", "setWCPValPushBtn",
              "selAmbLightAdpFilePushBtn", "setAmbAdpBodyPushBtn", "ConnectPushBtn", "disConnectPushBtn",
              "ClosePushBtn"})
            row(button, "autoDefault", false);
        for (const char *radio : {"enableRadioBtn", "disableRadioBtn", "dhcpOnRadioBtn", "dhcpOffRadioBtn",
                                  "invalidradioBtn", "fifteenRadioBtn", "thirtyRadioBtn", "sixtyRadioBtn"}) {
            row(radio, "checkable", true);
            row(radio, "checked", false);
            row(radio, "autoExclusive", true);
        }
        row("SSIDlineEdit", "focusPolicy", int(Qt::StrongFocus));
        row("passwdlineEdit", "echoMode", int(QLineEdit::PasswordEchoOnEdit));
        row("ipaddr1lineEdit", "inputMethodHints", int(Qt::ImhNone));
        row("ipaddr2lineEdit", "inputMask", QString());
        row("setBasetabWidget", "autoFillBackground", false);
        row("ConnectPushBtn", "locale", QLocale(QLocale::Japanese, QLocale::Japan));
        const QSizePolicy preferred(QSizePolicy::Preferred, QSizePolicy::Preferred);
        row("firmVerTLabel", "sizePolicy", preferred);
        row("firmVersionlabel", "sizePolicy", preferred);
    }
    void properties()
    {
        QFETCH(QString, widget);
        QFETCH(QByteArray, property);
        QFETCH(QVariant, expected);
        QWidget *target = window->findChild<QWidget *>(widget);
        QVERIFY(target);
        const QVariant actual = target->property(property.constData());
        QVERIFY(actual.isValid());
        if (expected.userType() == QMetaType::Int)
            QCOMPARE(actual.toInt(), expected.toInt());
        else
            QCOMPARE(actual, expected);
    }

    void typingStopsAtMaximum_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("octet") << "dnsaddr4lineEdit"
                               << "12345"
                               << "123";
        QTest::newRow("octet exact") << "ipaddr1lineEdit"
                                     << "255"
                                     << "255";
        QTest::newRow("ssid") << "SSIDlineEdit" << QString(40, QLatin1Char('s'))
                              << QString(32, QLatin1Char('s'));
        QTest::newRow("key") << "passwdlineEdit" << QString(70, QLatin1Char('k'))
                             << QString(64, QLatin1Char('k'));
    }
    void typingStopsAtMaximum()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        auto *edit = window->findChild<QLineEdit *>(field);
        QVERIFY(edit);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
    }

    void radioGroupsExclusive_data()
    {
        QTest::addColumn<QStringList>("group");
        QTest::newRow("wireless LAN") << QStringList{"enableRadioBtn", "disableRadioBtn"};
        QTest::newRow("DHCP") << QStringList{"dhcpOnRadioBtn", "dhcpOffRadioBtn"};
        QTest::newRow("power off") << QStringList{"invalidradioBtn", "fifteenRadioBtn", "thirtyRadioBtn",
                                                  "sixtyRadioBtn"};
    }
    void radioGroupsExclusive()
    {
        QFETCH(QStringList, group);
        for (const QString &name : group) {
            QTest::mouseClick(window->findChild<QRadioButton *>(name), Qt::LeftButton);
            for (const QString &other : group)
                QCOMPARE(window->findChild<QRadioButton *>(other)->isChecked(), other == name);
        }
        int checked = 0;
        for (QRadioButton *radio : window->findChildren<QRadioButton *>())
            checked += radio->isChecked() ? 1 : 0;
        QCOMPARE(checked, 1);
    }

    // With a translation installed before the form is built, every non-empty text is a
    // translation from the window's context and the empty fields stay empty.
    void textsTranslated()
    {
        MarkingTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QDialog translated;
        Ui_InitSettingDialog other;
        other.setupUi(&translated);
        QCoreApplication::removeTranslator(&translator);

        QCOMPARE(translated.windowTitle(), QStringLiteral("<Spectrophotometer Configuration Tool KT-9>"));
        for (const FormWidget &row : FORM_WIDGETS) {
            auto *widget = translated.findChild<QWidget *>(QString::fromUtf8(row.name));
            QVERIFY(widget);
            const QString text = QString::fromUtf8(row.text);
            const QString expected = text.isEmpty() ? QString() : QStringLiteral("<%1>").arg(text);
            QVERIFY2(shownText(widget, other.setBasetabWidget) == expected, row.name);
        }
    }

private:
    QScopedPointer<QDialog> window;
    QScopedPointer<Ui_InitSettingDialog> form;
};

QTEST_MAIN(TestMainWindowForm)
#include "tst_mainwindow_form.moc"
