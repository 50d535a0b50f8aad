#pragma once
// The main settings window: a header with the connected instrument's serial number, firmware
// version and MAC address, the Connect / Disconnect / Close buttons, and four tab pages
// (network, auto power-off, white calibration plate, ambient light adapter).
//
// The window works through the shared instrument controller only: a slot reads its widgets,
// calls one controller operation and picks the message box. Start-up shows the window with
// show() and pumps events until `finished` is set.

#include "instrument/CQlxSdk_Ctrl.h"
#include "instrument/QlxSdk.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

class ConnectSelectDialog;
class QCloseEvent;
class QKeyEvent;
class QLineEdit;
class QRadioButton;
namespace Ui {
class InitSettingDialog;
}

class InitSettingDialog : public QDialog
{
    Q_OBJECT

public:
    explicit InitSettingDialog(QWidget *parent = nullptr);
    ~InitSettingDialog() override;

    // Keeps a reference to the controller, dropping any earlier one.
    void setController(std::shared_ptr<CQlxSdk_Ctrl> controller);
    // The device selection dialog the Connect button shows; not owned.
    void setConnectSelectDialog(ConnectSelectDialog *dialog);
    // Connects to the instrument at portIndex (negative: none chosen) and fills the header and
    // the pages. atStartUp also decorates the window (icon, title-bar buttons, fixed size).
    void initialize(int32_t portIndex, bool atStartUp);

    void showCriticalMessage(const QString &text);
    void showInformationMessage(const QString &text);
    // Enables or disables the 16 address fields of the network page.
    void setOctetFieldsEnabled(bool enabled);

    // Asks the user for a file; returns an empty name when the user cancels.
    using FileNameQuestion =
        std::function<QString(QWidget *parent, const QString &caption, const QString &dir,
                              const QString &filter, QString *selectedFilter, QFileDialog::Options options)>;

protected:
    // Swallows Escape so the window can be left only through Close or its title bar.
    void keyPressEvent(QKeyEvent *event) override;
    // Ends an open session before the window closes, as the Close button does.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_ClosePushBtn_clicked();
    void on_selWCPFilePushBtn_clicked();
    void on_selAmbLightAdpFilePushBtn_clicked();
    void on_readToFilePushBtn_clicked();
    void on_disConnectPushBtn_clicked();
    void on_ConnectPushBtn_clicked();
    void on_readBodyPushBtn_clicked();
    void on_writeFilePushBtn_clicked();
    void on_writeBodyPushBtn_clicked();
    void on_setWCPValPushBtn_clicked();
    void on_setAmbAdpBodyPushBtn_clicked();
    void on_dhcpOnRadioBtn_clicked();
    void on_dhcpOffRadioBtn_clicked();
    void on_getAutoPWOffPushBtn_clicked();
    void on_setAutoPWOffPushBtn_clicked();
    void timerHit();
    void on_setBasetabWidget_currentChanged(int index);

private:
    // One calibration page's widgets, file path and controller operations.
    struct CalibrationPage;
    // The address fields: IP address, subnet mask, default gateway and DNS server.
    static constexpr int kAddressCount = CQlxSdk_Ctrl::NETWORK_ADDRESS_COUNT;
    using OctetValues = CQlxSdk_Ctrl::AddressOctets;

    void resetToDisconnected();
    // Asks for a file with the pages' fixed start folder and options; an empty name when the
    // user cancels, or when the session ended while the question was open.
    QString askFileName(const FileNameQuestion &question, const QString &caption, const QString &filter);
    void showMessage(QMessageBox::Icon icon, const QString &text);
    // Ends up unchecked even when the button is the checked one of an exclusive group.
    static void uncheckRadioButton(QRadioButton *button);
    static void setRadioButtonChecked(QRadioButton *button, bool checked);
    // Checks the power-off button of mode; false (and nothing checked) for an unknown mode.
    bool checkShutdownModeButton(QlxShutdownMode mode);
    // Field octet (0-3) of address (0-3), in the order the fields are always taken.
    QLineEdit *octetField(int address, int octet) const;
    void clearOctetFields();
    // The texts of the 16 address fields, in the order the fields are always taken.
    CQlxSdk_Ctrl::AddressTexts octetFieldTexts() const;
    void showNetworkSettings();
    // Whether one button of each network pair (wireless LAN, DHCP) is checked: a page that was
    // never filled has neither, and a write would send a switch nobody chose.
    bool networkSwitchesChosen() const;
    // Called only once networkSwitchesChosen() holds.
    void collectNetworkSettings(const OctetValues &values);
    CalibrationPage whitePlatePage();
    CalibrationPage ambientAdapterPage();
    void selectCalibrationFile(const CalibrationPage &page);
    void registerCalibrationFile(const CalibrationPage &page);

    Ui::InitSettingDialog *ui;
    std::shared_ptr<CQlxSdk_Ctrl> controller;
    ConnectSelectDialog *connectSelectDialog = nullptr;
    QString wcpFilePath;
    QString adapterFilePath;
    QString iconPath;
    QTimer timer; ///< the disconnect watch; runs exactly while a session is open

public:
    bool finished = false; ///< set once the window is closed; start-up waits for it

private:
    bool sessionOpen = false;

public:
    // Both default to the platform's file dialogs; a test can answer through them instead.
    FileNameQuestion openFileName;
    FileNameQuestion saveFileName;
};
