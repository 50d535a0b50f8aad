// The two calibration pages of the main settings window: a calibration value file is chosen
// and checked, then its values are registered in the instrument. Both pages run the same
// steps on their own widgets and controller operations.

#include "InitSettingDialog.h"

#include "instrument/CQlxSdk_Ctrl.h"
#include "instrument/EightBitText.h"
#include "instrument/SharedTexts.h"
#include "ui_InitSettingDialog.h"

#include <QByteArray>
#include <QFileInfo>

struct InitSettingDialog::CalibrationPage
{
    bool (CQlxSdk_Ctrl::*checkFile)(const char *path);
    bool (CQlxSdk_Ctrl::*registerFile)(const char *path);
    QString CQlxSdk_Ctrl::*fileSerialText;
    QString CQlxSdk_Ctrl::*currentSerialText;
    QLabel *fileNameLabel;
    QLabel *fileSerialLabel;
    QLabel *currentSerialLabel;
    QPushButton *readButton;
    QPushButton *writeButton;
    QString *filePath;
    QString registrationFailureText;
    QString noFileText;
};

InitSettingDialog::CalibrationPage InitSettingDialog::whitePlatePage()
{
    return {&CQlxSdk_Ctrl::checkWhitePlateFile,
            &CQlxSdk_Ctrl::registerWhitePlate,
            &CQlxSdk_Ctrl::whitePlateFileSerialText,
            &CQlxSdk_Ctrl::whitePlateSerialText,
            ui->selWCPFileNamelabel,
            ui->selFileSerialNolabel,
            ui->curWCalibPlateSerialNolabel,
            ui->selWCPFilePushBtn,
            ui->setWCPValPushBtn,
            &wcpFilePath,
            windowText(WindowText::WHITE_WRITE_FAILED),
            tr("Failed to write WhiteCalibPlate file.")};
}

InitSettingDialog::CalibrationPage InitSettingDialog::ambientAdapterPage()
{
    return {&CQlxSdk_Ctrl::checkAmbientAdapterFile,
            &CQlxSdk_Ctrl::registerAmbientAdapter,
            &CQlxSdk_Ctrl::ambientAdapterFileSerialText,
            &CQlxSdk_Ctrl::ambientAdapterSerialText,
            ui->selAmbAdpFnamelabel,
            ui->selAmbAdpFSerialNolabel,
            ui->curAmbAdpSerialNolabel,
            ui->selAmbLightAdpFilePushBtn,
            ui->setAmbAdpBodyPushBtn,
            &adapterFilePath,
            windowText(WindowText::AMBIENT_WRITE_FAILED),
            tr("Failed to write AmbientLightAdapter file.")};
}

void InitSettingDialog::selectCalibrationFile(const CalibrationPage &page)
{
    const QString fileName = askFileName(openFileName, tr("Open"), tr("csv(*.csv)"));
    if (fileName.isEmpty())
        return;

    const QByteArray path = filePathArgument(fileName);
    // The name is shown even for a refused file, so the user sees which file was refused.
    page.fileNameLabel->setText(QFileInfo(fileName).baseName());
    if ((*controller.*page.checkFile)(path.constData())) {
        page.fileSerialLabel->setText(*controller.*page.fileSerialText);
        page.writeButton->setEnabled(true);
        *page.filePath = fileName;
        showInformationMessage(tr("Successful read file data."));
    } else {
        page.fileSerialLabel->setText(QString());
        *page.filePath = fileName;
        page.writeButton->setEnabled(false);
        showCriticalMessage(windowText(WindowText::CAL_FILE_READ_FAILED));
    }
}

void InitSettingDialog::registerCalibrationFile(const CalibrationPage &page)
{
    page.readButton->setEnabled(false);
    page.writeButton->setEnabled(false);

    if (page.filePath->isEmpty()) {
        showCriticalMessage(page.noFileText);
    } else {
        // The controller reads the file again: what is on disk now is what gets registered.
        const QByteArray path = filePathArgument(*page.filePath);
        if ((*controller.*page.registerFile)(path.constData())) {
            showInformationMessage(windowText(WindowText::DEVICE_WRITTEN));
            controller->readCalibSerialNumbers();
            page.currentSerialLabel->setText(*controller.*page.currentSerialText);
        } else {
            showCriticalMessage(page.registrationFailureText);
        }
    }

    page.readButton->setEnabled(true);
    page.writeButton->setEnabled(true);
}

void InitSettingDialog::on_selWCPFilePushBtn_clicked()
{
    selectCalibrationFile(whitePlatePage());
}

void InitSettingDialog::on_setWCPValPushBtn_clicked()
{
    registerCalibrationFile(whitePlatePage());
}

void InitSettingDialog::on_selAmbLightAdpFilePushBtn_clicked()
{
    selectCalibrationFile(ambientAdapterPage());
}

void InitSettingDialog::on_setAmbAdpBodyPushBtn_clicked()
{
    registerCalibrationFile(ambientAdapterPage());
}
