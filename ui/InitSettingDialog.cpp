#include "InitSettingDialog.h"

#include "ConnectSelectDialog.h"
#include "EscapeKey.h"
#include "ToolMessageBox.h"
#include "files/ResourcePaths.h"
#include "instrument/CQlxSdk_Ctrl.h"
#include "instrument/SharedTexts.h"
#include "ui_InitSettingDialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QThread>

namespace {

constexpr int kDisconnectWatchIntervalMs = 1000;
constexpr int kWaitLoopSleepMs = 10;
constexpr int32_t kNoInstrument = -1;

enum TabIndex
{
    kNetworkTab = 0,
    kAutoPowerOffTab = 1,
    kWhitePlateTab = 2,
    kAmbientAdapterTab = 3,
};

} // namespace

InitSettingDialog::InitSettingDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::InitSettingDialog), openFileName(&QFileDialog::getOpenFileName),
      saveFileName(&QFileDialog::getSaveFileName)
{
    connect(&timer, &QTimer::timeout, this, &InitSettingDialog::timerHit, Qt::DirectConnection);
    timer.setInterval(kDisconnectWatchIntervalMs);
    ui->setupUi(this);

    // "Enable" and "Disable" share their group box with the DHCP buttons' box, and Qt's
    // auto-exclusive groups take in every descendant: without a group of their own, checking
    // "Enable" would uncheck "ON", and clicking a checked "Enable" would uncheck it.
    auto *wirelessLanButtons = new QButtonGroup(this);
    wirelessLanButtons->addButton(ui->enableRadioBtn);
    wirelessLanButtons->addButton(ui->disableRadioBtn);
}

InitSettingDialog::~InitSettingDialog()
{
    finished = true;
    timer.stop();
    delete ui;
}

void InitSettingDialog::setController(std::shared_ptr<CQlxSdk_Ctrl> controller)
{
    this->controller = std::move(controller);
}

void InitSettingDialog::setConnectSelectDialog(ConnectSelectDialog *dialog)
{
    connectSelectDialog = dialog;
}

void InitSettingDialog::initialize(int32_t portIndex, bool atStartUp)
{
    if (atStartUp) {
        iconPath = resourcePath(KT9_ICON_FILE);
        setWindowIcon(QIcon(iconPath));
        setWindowFlags((windowFlags() & Qt::CustomizeWindowHint) | Qt::WindowTitleHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                       Qt::WindowCloseButtonHint);
        setFixedSize(width(), height());
    }

    // A lost connection reported before this point belongs to an earlier session.
    deviceDisconnected = false;
    if (portIndex < 0) {
        ui->disConnectPushBtn->setEnabled(false);
        ui->networkSetTab->setEnabled(false);
        ui->autoPowerOfftab->setEnabled(false);
        ui->ambLightAdpTab->setEnabled(false);
        ui->wCalibPlateTab->setEnabled(false);
        uncheckRadioButton(ui->enableRadioBtn);
        uncheckRadioButton(ui->disableRadioBtn);
        uncheckRadioButton(ui->dhcpOnRadioBtn);
        uncheckRadioButton(ui->dhcpOffRadioBtn);
        ui->ConnectPushBtn->setFocus(Qt::OtherFocusReason);
    } else if (!controller->connectDevice(portIndex, KT9_CONNECT_PARAM)) {
        showCriticalMessage(windowText(WindowText::CONNECT_FAILED));
    } else {
        ui->setBasetabWidget->setEnabled(true);
        ui->networkSetTab->setEnabled(true);
        ui->autoPowerOfftab->setEnabled(true);
        ui->ambLightAdpTab->setEnabled(true);
        ui->wCalibPlateTab->setEnabled(true);

        if (!controller->readDeviceInfo()) {
            ui->serialNolabel->setText(QString());
            ui->firmVersionlabel->setText(QString());
            ui->MACAddresslabel->setText(QString());
            uncheckRadioButton(ui->dhcpOnRadioBtn);
            uncheckRadioButton(ui->dhcpOffRadioBtn);
            showCriticalMessage(windowText(WindowText::DEVICE_READ_FAILED));
        } else {
            ui->serialNolabel->setText(controller->serialNumberText);
            ui->firmVersionlabel->setText(controller->firmwareVersionText);
            ui->MACAddresslabel->setText(controller->macAddressText);

            if (controller->readWifiModuleEnable()) {
                ui->networkSetTab->setEnabled(true);
                if (controller->readNetworkInfo())
                    showNetworkSettings();
            } else {
                ui->networkSetTab->setEnabled(false);
                uncheckRadioButton(ui->enableRadioBtn);
                uncheckRadioButton(ui->disableRadioBtn);
                uncheckRadioButton(ui->dhcpOnRadioBtn);
                uncheckRadioButton(ui->dhcpOffRadioBtn);
                showInformationMessage(windowText(WindowText::WIRELESS_LAN_INVALID));
            }

            if (controller->readCalibSerialNumbers()) {
                ui->curWCalibPlateSerialNolabel->setText(controller->whitePlateSerialText);
                ui->curAmbAdpSerialNolabel->setText(controller->ambientAdapterSerialText);
            } else {
                ui->curWCalibPlateSerialNolabel->setText(QString());
                ui->curAmbAdpSerialNolabel->setText(QString());
                showCriticalMessage(windowText(WindowText::WHITE_SERIAL_READ_FAILED));
                showCriticalMessage(windowText(WindowText::AMBIENT_SERIAL_READ_FAILED));
            }

            QlxShutdownMode mode = QLX_SHUTDOWN_DISABLED;
            if (controller->readShutdownTime(mode))
                checkShutdownModeButton(mode);
            else
                showCriticalMessage(windowText(WindowText::SHUTDOWN_READ_FAILED));
        }

        ui->ConnectPushBtn->setEnabled(false);
        ui->disConnectPushBtn->setEnabled(true);
        ui->ClosePushBtn->setEnabled(false);
        sessionOpen = true;
        timer.start();
    }

    ui->setWCPValPushBtn->setEnabled(false);
    ui->setAmbAdpBodyPushBtn->setEnabled(false);
}

void InitSettingDialog::on_ConnectPushBtn_clicked()
{
    controller->refreshPortList();
    if (controller->portCount == 0) {
        showInformationMessage(windowText(WindowText::NOT_CONNECTED));
        initialize(kNoInstrument, false);
        return;
    }
    if (controller->portCount == 1) {
        initialize(0, false);
        return;
    }

    // The selection dialog is not modal and this wait keeps the window's own controls alive;
    // a second click on Connect would start a second wait inside this one, so Connect stays
    // disabled until the user has chosen.
    const bool connectWasEnabled = ui->ConnectPushBtn->isEnabled();
    ui->ConnectPushBtn->setEnabled(false);
    connectSelectDialog->selectFinished = false;
    connectSelectDialog->setPortList(controller->portLabels);
    connectSelectDialog->show();
    // Closing the window meanwhile ends the wait too: nothing is connected for a closed window.
    while (!connectSelectDialog->selectFinished && !finished) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::msleep(kWaitLoopSleepMs);
    }
    ui->ConnectPushBtn->setEnabled(connectWasEnabled);
    if (!connectSelectDialog->selectFinished) {
        connectSelectDialog->hide();
        return;
    }

    qDebug("select portNum[main]:%d", connectSelectDialog->portNum);
    initialize(connectSelectDialog->portNum, false);
}

void InitSettingDialog::on_disConnectPushBtn_clicked()
{
    if (!sessionOpen)
        return;
    if (!controller->disconnectDevice()) {
        showCriticalMessage(windowText(WindowText::DISCONNECT_FAILED));
        return;
    }
    timer.stop();
    resetToDisconnected();
    sessionOpen = false;
}

void InitSettingDialog::on_ClosePushBtn_clicked()
{
    if (sessionOpen) {
        if (!controller->disconnectDevice())
            showCriticalMessage(tr("Failed to disconnect device."));
        sessionOpen = false;
        timer.stop();
    }
    finished = true;
    close();
}

void InitSettingDialog::closeEvent(QCloseEvent *event)
{
    if (!finished)
        on_ClosePushBtn_clicked();
    QDialog::closeEvent(event);
}

void InitSettingDialog::keyPressEvent(QKeyEvent *event)
{
    if (!consumeEscape(event))
        QDialog::keyPressEvent(event);
}

void InitSettingDialog::timerHit()
{
    qDebug("eEventCode_DisConnect check \n");
    if (!deviceDisconnected)
        return;
    timer.stop();
    deviceDisconnected = false;
    qDebug("eEventCode_DisConnect true \n");
    resetToDisconnected();
    sessionOpen = false;
    showCriticalMessage(windowText(WindowText::CONNECTION_LOST));
}

void InitSettingDialog::on_setBasetabWidget_currentChanged(int index)
{
    qDebug("select tab:%d", index);
    switch (index) {
    case kAutoPowerOffTab:
        if (ui->autoPowerOfftab->isEnabled())
            ui->autoPowerOfftab->setFocus(Qt::OtherFocusReason);
        break;
    case kWhitePlateTab:
        if (ui->wCalibPlateTab->isEnabled())
            ui->curWCalibPlateSerialNolabel->setFocus(Qt::OtherFocusReason);
        break;
    case kAmbientAdapterTab:
        if (ui->ambLightAdpTab->isEnabled())
            ui->curAmbAdpSerialNolabel->setFocus(Qt::OtherFocusReason);
        break;
    default:
        break;
    }
}

void InitSettingDialog::resetToDisconnected()
{
    ui->ConnectPushBtn->setEnabled(true);
    ui->disConnectPushBtn->setEnabled(false);
    ui->ClosePushBtn->setEnabled(true);

    ui->networkSetTab->setEnabled(false);
    ui->autoPowerOfftab->setEnabled(false);
    ui->ambLightAdpTab->setEnabled(false);
    ui->wCalibPlateTab->setEnabled(false);

    ui->serialNolabel->setText(QString());
    ui->firmVersionlabel->setText(QString());
    ui->MACAddresslabel->setText(QString());
    ui->SSIDlineEdit->setText(QString());
    ui->passwdlineEdit->setText(QString());
    clearOctetFields();
    ui->curWCalibPlateSerialNolabel->setText(QString());
    ui->selWCPFileNamelabel->setText(QString());
    ui->selFileSerialNolabel->setText(QString());
    wcpFilePath.clear();
    ui->curAmbAdpSerialNolabel->setText(QString());
    ui->selAmbAdpFnamelabel->setText(QString());
    ui->selAmbAdpFSerialNolabel->setText(QString());
    adapterFilePath.clear();

    uncheckRadioButton(ui->enableRadioBtn);
    uncheckRadioButton(ui->disableRadioBtn);
    uncheckRadioButton(ui->dhcpOnRadioBtn);
    uncheckRadioButton(ui->dhcpOffRadioBtn);
    uncheckRadioButton(ui->invalidradioBtn);
    uncheckRadioButton(ui->fifteenRadioBtn);
    uncheckRadioButton(ui->thirtyRadioBtn);
    uncheckRadioButton(ui->sixtyRadioBtn);
}

QString InitSettingDialog::askFileName(const FileNameQuestion &question, const QString &caption,
                                       const QString &filter)
{
    QString selectedFilter = filter;
    const bool sessionWasOpen = sessionOpen;
    const QString fileName = question(this, caption, QStringLiteral("./"), filter, &selectedFilter,
                                      QFileDialog::DontUseCustomDirectoryIcons);
    // The disconnect watch runs while the question is open. After a lost connection the pages
    // are emptied and disabled: an answer would put a file's data back into the disconnected
    // view, or save the emptied fields.
    if (sessionWasOpen && !sessionOpen)
        return QString();
    return fileName;
}

void InitSettingDialog::uncheckRadioButton(QRadioButton *button)
{
    // An exclusive button group remembers its checked button even when the button is cleared
    // behind its back, and would check it again on the next change; while not exclusive it
    // lets go of it.
    if (QButtonGroup *group = button->group()) {
        group->setExclusive(false);
        button->setChecked(false);
        group->setExclusive(true);
    }
    button->setCheckable(false);
    button->setChecked(false);
    button->setCheckable(true);
}

void InitSettingDialog::setRadioButtonChecked(QRadioButton *button, bool checked)
{
    if (checked)
        button->setChecked(true);
    else
        uncheckRadioButton(button);
}

void InitSettingDialog::showCriticalMessage(const QString &text)
{
    showMessage(QMessageBox::Critical, text);
}

void InitSettingDialog::showInformationMessage(const QString &text)
{
    showMessage(QMessageBox::Information, text);
}

void InitSettingDialog::showMessage(QMessageBox::Icon icon, const QString &text)
{
    showToolMessageBox(tr("Spectrophotometer Configuration Tool KT-9"), iconPath, icon, text);
}
