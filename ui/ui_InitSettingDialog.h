#pragma once
// Widget tree of the main settings window, written by hand in the shape of a designer form:
// one pointer per widget, named after its object name and declared in the order of creation
// (which is also the keyboard focus order). setupUi builds the tree on the window; the widgets
// belong to their parents, not to this object.

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>

class Ui_InitSettingDialog
{
public:
    QTabWidget *setBasetabWidget;

    QWidget *networkSetTab;
    QGroupBox *WLanGroupBox;
    QRadioButton *enableRadioBtn;
    QRadioButton *disableRadioBtn;
    QGroupBox *AccessPointgroupBox;
    QLabel *ssIDlabel;
    QLineEdit *SSIDlineEdit;
    QLabel *passwdlabel;
    QLineEdit *passwdlineEdit;
    QGroupBox *tcpIPGroupBox;
    QLabel *dhcplabel;
    QRadioButton *dhcpOnRadioBtn;
    QRadioButton *dhcpOffRadioBtn;
    QLabel *iplabel;
    QLineEdit *ipaddr1lineEdit;
    QLabel *ip12label;
    QLineEdit *ipaddr2lineEdit;
    QLabel *ip23label;
    QLineEdit *ipaddr3lineEdit;
    QLabel *ip34label;
    QLineEdit *ipaddr4lineEdit;
    QLabel *subNetlabel;
    QLineEdit *subnetMask1lineEdit;
    QLabel *subnetMask12label;
    QLineEdit *subnetMask2lineEdit;
    QLabel *subnetMask23label;
    QLineEdit *subnetMask3lineEdit;
    QLabel *subnetMask34label;
    QLineEdit *subnetMask4lineEdit;
    QLabel *defaultGWlabel;
    QLineEdit *defGWaddr1lineEdit;
    QLabel *defGWaddr12label;
    QLineEdit *defGWaddr2lineEdit;
    QLabel *defGWaddr23label;
    QLineEdit *defGWaddr3lineEdit;
    QLabel *defGWaddr34label;
    QLineEdit *defGWaddr4lineEdit;
    QLabel *dnsServlabel;
    QLineEdit *dnsaddr1lineEdit;
    QLabel *dnsaddr12label;
    QLineEdit *dnsaddr2lineEdit;
    QLabel *dnsaddr23label;
    QLineEdit *dnsaddr3lineEdit;
    QLabel *dnsaddr34label;
    QLineEdit *dnsaddr4lineEdit;
    QGroupBox *wLanFileCtrlGroupBox;
    QPushButton *readToFilePushBtn;
    QPushButton *writeFilePushBtn;
    QGroupBox *wLanBodyCtrlGroupBox;
    QPushButton *readBodyPushBtn;
    QPushButton *writeBodyPushBtn;

    QWidget *autoPowerOfftab;
    QGroupBox *setPWOffTimeGroupBox;
    QRadioButton *invalidradioBtn;
    QRadioButton *fifteenRadioBtn;
    QRadioButton *thirtyRadioBtn;
    QRadioButton *sixtyRadioBtn;
    QGroupBox *groupBox;
    QPushButton *getAutoPWOffPushBtn;
    QPushButton *setAutoPWOffPushBtn;

    QWidget *wCalibPlateTab;
    QLabel *curWCalibPlateSerialNoTlabel;
    QLabel *curWCalibPlateSerialNolabel;
    QGroupBox *selWCalibPlateFileGroupBox;
    QLabel *selWCPFileTlabel;
    QLabel *selWCPFileNamelabel;
    QLabel *selFileSerialNoTlabel;
    QLabel *selFileSerialNolabel;
    QGroupBox *groupBox_2;
    QPushButton *selWCPFilePushBtn;
    QGroupBox *groupBox_4;
    QPushButton *setWCPValPushBtn;

    QWidget *ambLightAdpTab;
    QLabel *curAmbAdpSerialNoTlabel;
    QLabel *curAmbAdpSerialNolabel;
    QGroupBox *selAmbAdpFileGroupBox;
    QLabel *selAmbAdpFnameTlabel;
    QLabel *selAmbAdpFnamelabel;
    QLabel *selAmbAdpFSerialTlabel;
    QLabel *selAmbAdpFSerialNolabel;
    QGroupBox *groupBox_3;
    QPushButton *selAmbLightAdpFilePushBtn;
    QGroupBox *groupBox_5;
    QPushButton *setAmbAdpBodyPushBtn;

    QPushButton *ConnectPushBtn;
    QPushButton *disConnectPushBtn;
    QPushButton *ClosePushBtn;
    QLabel *serialNoTLabel;
    QLabel *firmVerTLabel;
    QLabel *MACAddrTLabel;
    QLabel *serialNolabel;
    QLabel *firmVersionlabel;
    QLabel *MACAddresslabel;
    QLabel *toolVersionlabel;

    // Creates every widget on the window, applies the texts, makes the Network page current
    // and connects the window's on_<objectName>_<signal> slots by name.
    void setupUi(QDialog *InitSettingDialog);
    // Sets every text of the window again in the current language.
    void retranslateUi(QDialog *InitSettingDialog);
};

namespace Ui {
class InitSettingDialog : public Ui_InitSettingDialog
{
};
} // namespace Ui
