#include "ui_InitSettingDialog.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMetaObject>
#include <QSizePolicy>

namespace {

constexpr int kWindowWidth = 1171;
constexpr int kWindowHeight = 720;

// Octet fields of the address rows: one decimal octet each.
constexpr int kOctetMaxLength = 3;
constexpr int kOctetWidth = 51;
constexpr int kOctetHeight = 31;
constexpr int kDotHeight = 16;
constexpr int kSsidMaxLength = 32;
constexpr int kEncryptKeyMaxLength = 64;

template <typename Widget>
Widget *createWidget(QWidget *parent, const char *objectName, int x, int y, int width, int height)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setGeometry(QRect(x, y, width, height));
    return widget;
}

QPushButton *createButton(QWidget *parent, const char *objectName, int x, int y, int width, int height)
{
    auto *button = createWidget<QPushButton>(parent, objectName, x, y, width, height);
    button->setAutoDefault(false);
    return button;
}

QLineEdit *createOctetField(QWidget *parent, const char *objectName, int x, int y)
{
    auto *field = createWidget<QLineEdit>(parent, objectName, x, y, kOctetWidth, kOctetHeight);
    field->setMaxLength(kOctetMaxLength);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return field;
}

QLabel *createDotLabel(QWidget *parent, const char *objectName, int x, int y, int width)
{
    auto *label = createWidget<QLabel>(parent, objectName, x, y, width, kDotHeight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A sunken panel with centred text that the window fills with an instrument or file value.
QLabel *createValueLabel(QWidget *parent, const char *objectName, int x, int y, int width, int height)
{
    auto *label = createWidget<QLabel>(parent, objectName, x, y, width, height);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel *createFileNameLabel(QWidget *parent, const char *objectName, int x, int y, int width, int height)
{
    auto *label = createWidget<QLabel>(parent, objectName, x, y, width, height);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

QLabel *createRightAlignedLabel(QWidget *parent, const char *objectName, int x, int y, int width, int height)
{
    auto *label = createWidget<QLabel>(parent, objectName, x, y, width, height);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

void Ui_InitSettingDialog::setupUi(QDialog *InitSettingDialog)
{
    if (InitSettingDialog->objectName().isEmpty())
        InitSettingDialog->setObjectName(QString::fromUtf8("InitSettingDialog"));
    InitSettingDialog->resize(kWindowWidth, kWindowHeight);

    setBasetabWidget = createWidget<QTabWidget>(InitSettingDialog, "setBasetabWidget", 10, 150, 1141, 531);
    setBasetabWidget->setAutoFillBackground(false);

    networkSetTab = new QWidget();
    networkSetTab->setObjectName(QString::fromUtf8("networkSetTab"));
    WLanGroupBox = createWidget<QGroupBox>(networkSetTab, "WLanGroupBox", 10, 10, 831, 471);
    enableRadioBtn = createWidget<QRadioButton>(WLanGroupBox, "enableRadioBtn", 170, 25, 111, 31);
    enableRadioBtn->setCheckable(true);
    enableRadioBtn->setChecked(false);
    disableRadioBtn = createWidget<QRadioButton>(WLanGroupBox, "disableRadioBtn", 300, 25, 121, 31);
    disableRadioBtn->setCheckable(true);
    AccessPointgroupBox = createWidget<QGroupBox>(WLanGroupBox, "AccessPointgroupBox", 20, 50, 801, 121);
    ssIDlabel = createWidget<QLabel>(AccessPointgroupBox, "ssIDlabel", 20, 30, 50, 31);
    SSIDlineEdit = createWidget<QLineEdit>(AccessPointgroupBox, "SSIDlineEdit", 200, 30, 591, 31);
    SSIDlineEdit->setFocusPolicy(Qt::StrongFocus);
    SSIDlineEdit->setMaxLength(kSsidMaxLength);
    passwdlabel = createWidget<QLabel>(AccessPointgroupBox, "passwdlabel", 20, 70, 171, 31);
    passwdlineEdit = createWidget<QLineEdit>(AccessPointgroupBox, "passwdlineEdit", 200, 70, 591, 31);
    passwdlineEdit->setMaxLength(kEncryptKeyMaxLength);
    passwdlineEdit->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    tcpIPGroupBox = createWidget<QGroupBox>(WLanGroupBox, "tcpIPGroupBox", 20, 185, 551, 261);
    dhcplabel = createWidget<QLabel>(tcpIPGroupBox, "dhcplabel", 20, 40, 71, 21);
    dhcpOnRadioBtn = createWidget<QRadioButton>(tcpIPGroupBox, "dhcpOnRadioBtn", 120, 40, 86, 21);
    dhcpOnRadioBtn->setCheckable(true);
    dhcpOnRadioBtn->setChecked(false);
    dhcpOffRadioBtn = createWidget<QRadioButton>(tcpIPGroupBox, "dhcpOffRadioBtn", 230, 40, 86, 21);
    dhcpOffRadioBtn->setCheckable(true);

    iplabel = createWidget<QLabel>(tcpIPGroupBox, "iplabel", 20, 90, 171, 31);
    ipaddr1lineEdit = createOctetField(tcpIPGroupBox, "ipaddr1lineEdit", 240, 90);
    ipaddr1lineEdit->setInputMethodHints(Qt::ImhNone);
    ip12label = createDotLabel(tcpIPGroupBox, "ip12label", 300, 105, 21);
    ipaddr2lineEdit = createOctetField(tcpIPGroupBox, "ipaddr2lineEdit", 320, 90);
    ip23label = createDotLabel(tcpIPGroupBox, "ip23label", 380, 105, 21);
    ipaddr3lineEdit = createOctetField(tcpIPGroupBox, "ipaddr3lineEdit", 400, 90);
    ip34label = createDotLabel(tcpIPGroupBox, "ip34label", 460, 105, 21);
    ipaddr4lineEdit = createOctetField(tcpIPGroupBox, "ipaddr4lineEdit", 480, 90);

    subNetlabel = createWidget<QLabel>(tcpIPGroupBox, "subNetlabel", 20, 130, 171, 31);
    subnetMask1lineEdit = createOctetField(tcpIPGroupBox, "subnetMask1lineEdit", 240, 130);
    subnetMask12label = createDotLabel(tcpIPGroupBox, "subnetMask12label", 300, 145, 16);
    subnetMask2lineEdit = createOctetField(tcpIPGroupBox, "subnetMask2lineEdit", 320, 130);
    subnetMask23label = createDotLabel(tcpIPGroupBox, "subnetMask23label", 380, 145, 16);
    subnetMask3lineEdit = createOctetField(tcpIPGroupBox, "subnetMask3lineEdit", 400, 130);
    subnetMask34label = createDotLabel(tcpIPGroupBox, "subnetMask34label", 460, 145, 16);
    subnetMask4lineEdit = createOctetField(tcpIPGroupBox, "subnetMask4lineEdit", 480, 130);

    defaultGWlabel = createWidget<QLabel>(tcpIPGroupBox, "defaultGWlabel", 20, 170, 211, 31);
    defGWaddr1lineEdit = createOctetField(tcpIPGroupBox, "defGWaddr1lineEdit", 240, 170);
    defGWaddr12label = createDotLabel(tcpIPGroupBox, "defGWaddr12label", 300, 185, 16);
    defGWaddr2lineEdit = createOctetField(tcpIPGroupBox, "defGWaddr2lineEdit", 320, 170);
    defGWaddr23label = createDotLabel(tcpIPGroupBox, "defGWaddr23label", 380, 185, 16);
    defGWaddr3lineEdit = createOctetField(tcpIPGroupBox, "defGWaddr3lineEdit", 400, 170);
    defGWaddr34label = createDotLabel(tcpIPGroupBox, "defGWaddr34label", 460, 185, 16);
    defGWaddr4lineEdit = createOctetField(tcpIPGroupBox, "defGWaddr4lineEdit", 480, 170);

    dnsServlabel = createWidget<QLabel>(tcpIPGroupBox, "dnsServlabel", 20, 210, 181, 31);
    dnsaddr1lineEdit = createOctetField(tcpIPGroupBox, "dnsaddr1lineEdit", 240, 210);
    dnsaddr12label = createDotLabel(tcpIPGroupBox, "dnsaddr12label", 300, 225, 16);
    dnsaddr2lineEdit = createOctetField(tcpIPGroupBox, "dnsaddr2lineEdit", 320, 210);
    dnsaddr23label = createDotLabel(tcpIPGroupBox, "dnsaddr23label", 380, 225, 16);
    dnsaddr3lineEdit = createOctetField(tcpIPGroupBox, "dnsaddr3lineEdit", 400, 210);
    dnsaddr34label = createDotLabel(tcpIPGroupBox, "dnsaddr34label", 460, 225, 21);
    dnsaddr4lineEdit = createOctetField(tcpIPGroupBox, "dnsaddr4lineEdit", 480, 210);

    wLanFileCtrlGroupBox = createWidget<QGroupBox>(networkSetTab, "wLanFileCtrlGroupBox", 870, 10, 261, 161);
    readToFilePushBtn = createButton(wLanFileCtrlGroupBox, "readToFilePushBtn", 10, 30, 241, 51);
    writeFilePushBtn = createButton(wLanFileCtrlGroupBox, "writeFilePushBtn", 10, 90, 241, 51);
    wLanBodyCtrlGroupBox = createWidget<QGroupBox>(networkSetTab, "wLanBodyCtrlGroupBox", 870, 320, 251, 161);
    readBodyPushBtn = createButton(wLanBodyCtrlGroupBox, "readBodyPushBtn", 10, 30, 231, 51);
    writeBodyPushBtn = createButton(wLanBodyCtrlGroupBox, "writeBodyPushBtn", 10, 90, 231, 51);
    setBasetabWidget->addTab(networkSetTab, QString());

    autoPowerOfftab = new QWidget();
    autoPowerOfftab->setObjectName(QString::fromUtf8("autoPowerOfftab"));
    setPWOffTimeGroupBox = createWidget<QGroupBox>(autoPowerOfftab, "setPWOffTimeGroupBox", 10, 40, 591, 211);
    invalidradioBtn = createWidget<QRadioButton>(setPWOffTimeGroupBox, "invalidradioBtn", 50, 60, 151, 51);
    invalidradioBtn->setCheckable(true);
    invalidradioBtn->setAutoExclusive(true);
    fifteenRadioBtn = createWidget<QRadioButton>(setPWOffTimeGroupBox, "fifteenRadioBtn", 50, 120, 151, 51);
    fifteenRadioBtn->setCheckable(true);
    thirtyRadioBtn = createWidget<QRadioButton>(setPWOffTimeGroupBox, "thirtyRadioBtn", 240, 120, 151, 51);
    thirtyRadioBtn->setCheckable(true);
    sixtyRadioBtn = createWidget<QRadioButton>(setPWOffTimeGroupBox, "sixtyRadioBtn", 430, 120, 151, 51);
    sixtyRadioBtn->setCheckable(true);
    groupBox = createWidget<QGroupBox>(autoPowerOfftab, "groupBox", 870, 320, 251, 161);
    getAutoPWOffPushBtn = createButton(groupBox, "getAutoPWOffPushBtn", 10, 30, 231, 51);
    setAutoPWOffPushBtn = createButton(groupBox, "setAutoPWOffPushBtn", 10, 90, 231, 51);
    setBasetabWidget->addTab(autoPowerOfftab, QString());

    wCalibPlateTab = new QWidget();
    wCalibPlateTab->setObjectName(QString::fromUtf8("wCalibPlateTab"));
    curWCalibPlateSerialNoTlabel =
        createRightAlignedLabel(wCalibPlateTab, "curWCalibPlateSerialNoTlabel", 40, 20, 220, 31);
    curWCalibPlateSerialNoTlabel->setLayoutDirection(Qt::LeftToRight);
    curWCalibPlateSerialNolabel =
        createValueLabel(wCalibPlateTab, "curWCalibPlateSerialNolabel", 280, 20, 131, 31);
    selWCalibPlateFileGroupBox =
        createWidget<QGroupBox>(wCalibPlateTab, "selWCalibPlateFileGroupBox", 10, 80, 451, 191);
    selWCPFileTlabel = createWidget<QLabel>(selWCalibPlateFileGroupBox, "selWCPFileTlabel", 20, 30, 451, 31);
    selWCPFileNamelabel =
        createFileNameLabel(selWCalibPlateFileGroupBox, "selWCPFileNamelabel", 20, 80, 371, 31);
    selFileSerialNoTlabel =
        createRightAlignedLabel(selWCalibPlateFileGroupBox, "selFileSerialNoTlabel", 40, 130, 200, 51);
    selFileSerialNoTlabel->setLayoutDirection(Qt::LeftToRight);
    selFileSerialNolabel =
        createValueLabel(selWCalibPlateFileGroupBox, "selFileSerialNolabel", 260, 140, 131, 31);
    groupBox_2 = createWidget<QGroupBox>(wCalibPlateTab, "groupBox_2", 870, 10, 261, 161);
    selWCPFilePushBtn = createButton(groupBox_2, "selWCPFilePushBtn", 10, 30, 241, 51);
    groupBox_4 = createWidget<QGroupBox>(wCalibPlateTab, "groupBox_4", 870, 320, 251, 161);
    setWCPValPushBtn = createButton(groupBox_4, "setWCPValPushBtn", 10, 90, 231, 51);
    setBasetabWidget->addTab(wCalibPlateTab, QString());

    ambLightAdpTab = new QWidget();
    ambLightAdpTab->setObjectName(QString::fromUtf8("ambLightAdpTab"));
    curAmbAdpSerialNoTlabel =
        createRightAlignedLabel(ambLightAdpTab, "curAmbAdpSerialNoTlabel", 40, 20, 220, 31);
    curAmbAdpSerialNolabel = createValueLabel(ambLightAdpTab, "curAmbAdpSerialNolabel", 280, 20, 131, 31);
    selAmbAdpFileGroupBox =
        createWidget<QGroupBox>(ambLightAdpTab, "selAmbAdpFileGroupBox", 10, 80, 451, 191);
    selAmbAdpFnameTlabel =
        createWidget<QLabel>(selAmbAdpFileGroupBox, "selAmbAdpFnameTlabel", 20, 30, 451, 31);
    selAmbAdpFnamelabel = createFileNameLabel(selAmbAdpFileGroupBox, "selAmbAdpFnamelabel", 20, 80, 371, 31);
    selAmbAdpFSerialTlabel =
        createRightAlignedLabel(selAmbAdpFileGroupBox, "selAmbAdpFSerialTlabel", 40, 130, 200, 51);
    selAmbAdpFSerialNolabel =
        createValueLabel(selAmbAdpFileGroupBox, "selAmbAdpFSerialNolabel", 260, 140, 131, 31);
    groupBox_3 = createWidget<QGroupBox>(ambLightAdpTab, "groupBox_3", 870, 10, 261, 161);
    selAmbLightAdpFilePushBtn = createButton(groupBox_3, "selAmbLightAdpFilePushBtn", 10, 30, 241, 51);
    groupBox_5 = createWidget<QGroupBox>(ambLightAdpTab, "groupBox_5", 870, 320, 251, 161);
    setAmbAdpBodyPushBtn = createButton(groupBox_5, "setAmbAdpBodyPushBtn", 10, 90, 231, 51);
    setBasetabWidget->addTab(ambLightAdpTab, QString());

    ConnectPushBtn = createButton(InitSettingDialog, "ConnectPushBtn", 1000, 10, 151, 41);
    ConnectPushBtn->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    disConnectPushBtn = createButton(InitSettingDialog, "disConnectPushBtn", 1000, 60, 151, 41);
    ClosePushBtn = createButton(InitSettingDialog, "ClosePushBtn", 1000, 110, 151, 41);
    serialNoTLabel = createWidget<QLabel>(InitSettingDialog, "serialNoTLabel", 20, 10, 181, 31);
    firmVerTLabel = createWidget<QLabel>(InitSettingDialog, "firmVerTLabel", 20, 50, 221, 31);
    QSizePolicy sizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    sizePolicy.setHorizontalStretch(0);
    sizePolicy.setVerticalStretch(0);
    sizePolicy.setHeightForWidth(firmVerTLabel->sizePolicy().hasHeightForWidth());
    firmVerTLabel->setSizePolicy(sizePolicy);
    MACAddrTLabel = createWidget<QLabel>(InitSettingDialog, "MACAddrTLabel", 20, 90, 161, 31);
    serialNolabel = createValueLabel(InitSettingDialog, "serialNolabel", 250, 10, 361, 31);
    firmVersionlabel = createValueLabel(InitSettingDialog, "firmVersionlabel", 250, 50, 361, 31);
    sizePolicy.setHeightForWidth(firmVersionlabel->sizePolicy().hasHeightForWidth());
    firmVersionlabel->setSizePolicy(sizePolicy);
    MACAddresslabel = createValueLabel(InitSettingDialog, "MACAddresslabel", 250, 90, 361, 31);
    toolVersionlabel = createWidget<QLabel>(InitSettingDialog, "toolVersionlabel", 940, 690, 221, 21);

    retranslateUi(InitSettingDialog);

    setBasetabWidget->setCurrentIndex(0);

    QMetaObject::connectSlotsByName(InitSettingDialog);
}

void Ui_InitSettingDialog::retranslateUi(QDialog *InitSettingDialog)
{
    InitSettingDialog->setWindowTitle(
        QCoreApplication::translate("InitSettingDialog", "Spectrophotometer Configuration Tool KT-9"));

    WLanGroupBox->setTitle(QCoreApplication::translate("InitSettingDialog", "Wireless LAN"));
    enableRadioBtn->setText(QCoreApplication::translate("InitSettingDialog", "Enable"));
    disableRadioBtn->setText(QCoreApplication::translate("InitSettingDialog", "Disable"));
    AccessPointgroupBox->setTitle(QCoreApplication::translate("InitSettingDialog", "Access Point"));
    ssIDlabel->setText(QCoreApplication::translate("InitSettingDialog", "SSID:"));
    SSIDlineEdit->setText(QString());
    passwdlabel->setText(QCoreApplication::translate("InitSettingDialog", "Security Key:"));
    passwdlineEdit->setText(QString());
    tcpIPGroupBox->setTitle(QCoreApplication::translate("InitSettingDialog", "TCP/IP"));
    dhcplabel->setText(QCoreApplication::translate("InitSettingDialog", "DHCP:"));
    dhcpOnRadioBtn->setText(QCoreApplication::translate("InitSettingDialog", "ON"));
    dhcpOffRadioBtn->setText(QCoreApplication::translate("InitSettingDialog", "OFF"));
    iplabel->setText(QCoreApplication::translate("InitSettingDialog", "IP Address:"));
    ipaddr1lineEdit->setText(QString());
    ip12label->setText(QCoreApplication::translate("InitSettingDialog", "."));
    ipaddr2lineEdit->setInputMask(QString());
    ipaddr2lineEdit->setText(QString());
    ip23label->setText(QCoreApplication::translate("InitSettingDialog", "."));
    ipaddr3lineEdit->setText(QString());
    ip34label->setText(QCoreApplication::translate("InitSettingDialog", "."));
    ipaddr4lineEdit->setText(QString());
    subNetlabel->setText(QCoreApplication::translate("InitSettingDialog", "Subnet Mask:"));
    subnetMask1lineEdit->setText(QString());
    subnetMask12label->setText(QCoreApplication::translate("InitSettingDialog", "."));
    subnetMask2lineEdit->setText(QString());
    subnetMask23label->setText(QCoreApplication::translate("InitSettingDialog", "."));
    subnetMask3lineEdit->setText(QString());
    subnetMask34label->setText(QCoreApplication::translate("InitSettingDialog", "."));
    subnetMask4lineEdit->setText(QString());
    defaultGWlabel->setText(QCoreApplication::translate("InitSettingDialog", "Default Gateway:"));
    defGWaddr1lineEdit->setText(QString());
    defGWaddr12label->setText(QCoreApplication::translate("InitSettingDialog", "."));
    defGWaddr2lineEdit->setText(QString());
    defGWaddr23label->setText(QCoreApplication::translate("InitSettingDialog", "."));
    defGWaddr3lineEdit->setText(QString());
    defGWaddr34label->setText(QCoreApplication::translate("InitSettingDialog", "."));
    defGWaddr4lineEdit->setText(QString());
    dnsServlabel->setText(QCoreApplication::translate("InitSettingDialog", "DNS Server:"));
    dnsaddr1lineEdit->setText(QString());
    dnsaddr12label->setText(QCoreApplication::translate("InitSettingDialog", "."));
    dnsaddr2lineEdit->setText(QString());
    dnsaddr23label->setText(QCoreApplication::translate("InitSettingDialog", "."));
    dnsaddr3lineEdit->setText(QString());
    dnsaddr34label->setText(QCoreApplication::translate("InitSettingDialog", "."));
    dnsaddr4lineEdit->setText(QString());
    wLanFileCtrlGroupBox->setTitle(QCoreApplication::translate("InitSettingDialog", "File"));
    readToFilePushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Read From File..."));
    writeFilePushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Write To File..."));
    wLanBodyCtrlGroupBox->setTitle(QCoreApplication::translate("InitSettingDialog", "Body"));
    readBodyPushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Read From Body"));
    writeBodyPushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Write To Body"));
    setBasetabWidget->setTabText(setBasetabWidget->indexOf(networkSetTab),
                                 QCoreApplication::translate("InitSettingDialog", "Network"));

    setPWOffTimeGroupBox->setTitle(
        QCoreApplication::translate("InitSettingDialog", "Configure auto power off time"));
    invalidradioBtn->setText(QCoreApplication::translate("InitSettingDialog", "Disabled"));
    fifteenRadioBtn->setText(QCoreApplication::translate("InitSettingDialog", "15minutes"));
    thirtyRadioBtn->setText(QCoreApplication::translate("InitSettingDialog", "30minutes"));
    sixtyRadioBtn->setText(QCoreApplication::translate("InitSettingDialog", "60minutes"));
    groupBox->setTitle(QCoreApplication::translate("InitSettingDialog", "Body"));
    getAutoPWOffPushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Read From Body"));
    setAutoPWOffPushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Write To Body"));
    setBasetabWidget->setTabText(setBasetabWidget->indexOf(autoPowerOfftab),
                                 QCoreApplication::translate("InitSettingDialog", "Auto Power Off"));

    curWCalibPlateSerialNoTlabel->setText(
        QCoreApplication::translate("InitSettingDialog", "Current Serial No:"));
    curWCalibPlateSerialNolabel->setText(QString());
    selWCalibPlateFileGroupBox->setTitle(
        QCoreApplication::translate("InitSettingDialog", "Select White Calibration Plate To Register"));
    selWCPFileTlabel->setText(
        QCoreApplication::translate("InitSettingDialog", "White Calibration Plate Values File(.csv)"));
    selWCPFileNamelabel->setText(QString());
    selFileSerialNoTlabel->setText(QCoreApplication::translate("InitSettingDialog", "Serial No:"));
    selFileSerialNolabel->setText(QString());
    groupBox_2->setTitle(QCoreApplication::translate("InitSettingDialog", "File"));
    selWCPFilePushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Read From File..."));
    groupBox_4->setTitle(QCoreApplication::translate("InitSettingDialog", "Body"));
    setWCPValPushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Write To Body"));
    setBasetabWidget->setTabText(setBasetabWidget->indexOf(wCalibPlateTab),
                                 QCoreApplication::translate("InitSettingDialog", "White calibration plate"));

    curAmbAdpSerialNoTlabel->setText(QCoreApplication::translate("InitSettingDialog", "Current Serial No:"));
    curAmbAdpSerialNolabel->setText(QString());
    selAmbAdpFileGroupBox->setTitle(
        QCoreApplication::translate("InitSettingDialog", "Select Ambient Light Adapter To Register"));
    selAmbAdpFnameTlabel->setText(
        QCoreApplication::translate("InitSettingDialog", "Ambient Light Adapter Value File(.csv)"));
    selAmbAdpFnamelabel->setText(QString());
    selAmbAdpFSerialTlabel->setText(QCoreApplication::translate("InitSettingDialog", "Serial No:"));
    selAmbAdpFSerialNolabel->setText(QString());
    groupBox_3->setTitle(QCoreApplication::translate("InitSettingDialog", "File"));
    selAmbLightAdpFilePushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Read From File..."));
    groupBox_5->setTitle(QCoreApplication::translate("InitSettingDialog", "Body"));
    setAmbAdpBodyPushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Write To Body"));
    setBasetabWidget->setTabText(setBasetabWidget->indexOf(ambLightAdpTab),
                                 QCoreApplication::translate("InitSettingDialog", "Ambient light adapter"));

    ConnectPushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Connect"));
    disConnectPushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Disconnect"));
    ClosePushBtn->setText(QCoreApplication::translate("InitSettingDialog", "Close"));
    serialNoTLabel->setText(QCoreApplication::translate("InitSettingDialog", "Serial No:"));
    firmVerTLabel->setText(QCoreApplication::translate("InitSettingDialog", "Firmware Ver:"));
    MACAddrTLabel->setText(QCoreApplication::translate("InitSettingDialog", "MAC Address:"));
    serialNolabel->setText(QString());
    firmVersionlabel->setText(QString());
    MACAddresslabel->setText(QString());
    toolVersionlabel->setText(QCoreApplication::translate("InitSettingDialog", "Tool Ver.1.10.0008"));
}
