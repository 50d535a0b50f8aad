// The auto power-off page of the main settings window: one radio button per power-off mode.

#include "InitSettingDialog.h"

#include "instrument/CQlxSdk_Ctrl.h"
#include "instrument/SharedTexts.h"
#include "ui_InitSettingDialog.h"

bool InitSettingDialog::checkShutdownModeButton(QlxShutdownMode mode)
{
    switch (mode) {
    case QLX_SHUTDOWN_DISABLED:
        ui->invalidradioBtn->setChecked(true);
        return true;
    case QLX_SHUTDOWN_15_MIN:
        ui->fifteenRadioBtn->setChecked(true);
        return true;
    case QLX_SHUTDOWN_30_MIN:
        ui->thirtyRadioBtn->setChecked(true);
        return true;
    case QLX_SHUTDOWN_60_MIN:
        ui->sixtyRadioBtn->setChecked(true);
        return true;
    default:
        return false;
    }
}

void InitSettingDialog::on_getAutoPWOffPushBtn_clicked()
{
    ui->getAutoPWOffPushBtn->setEnabled(false);
    ui->setAutoPWOffPushBtn->setEnabled(false);

    QlxShutdownMode mode = QLX_SHUTDOWN_DISABLED;
    if (controller->readShutdownTime(mode)) {
        // An unknown mode leaves the check marks as they were; the read itself succeeded.
        checkShutdownModeButton(mode);
        showInformationMessage(tr("Successful read body data."));
    } else {
        showCriticalMessage(windowText(WindowText::SHUTDOWN_READ_FAILED));
    }

    ui->getAutoPWOffPushBtn->setEnabled(true);
    ui->setAutoPWOffPushBtn->setEnabled(true);
}

void InitSettingDialog::on_setAutoPWOffPushBtn_clicked()
{
    ui->getAutoPWOffPushBtn->setEnabled(false);
    ui->setAutoPWOffPushBtn->setEnabled(false);

    bool anyChecked = true;
    QlxShutdownMode mode = QLX_SHUTDOWN_DISABLED;
    if (ui->invalidradioBtn->isChecked())
        mode = QLX_SHUTDOWN_DISABLED;
    else if (ui->fifteenRadioBtn->isChecked())
        mode = QLX_SHUTDOWN_15_MIN;
    else if (ui->thirtyRadioBtn->isChecked())
        mode = QLX_SHUTDOWN_30_MIN;
    else if (ui->sixtyRadioBtn->isChecked())
        mode = QLX_SHUTDOWN_60_MIN;
    else
        anyChecked = false;

    if (!anyChecked)
        showCriticalMessage(windowText(WindowText::SHUTDOWN_WRITE_FAILED));
    else if (controller->writeShutdownTime(mode))
        showInformationMessage(windowText(WindowText::DEVICE_WRITTEN));
    else
        showCriticalMessage(windowText(WindowText::SHUTDOWN_WRITE_FAILED));

    ui->getAutoPWOffPushBtn->setEnabled(true);
    ui->setAutoPWOffPushBtn->setEnabled(true);
}
