// The network page of the main settings window: wireless LAN and TCP/IP settings moved
// between the page and either the instrument or a network settings file.

#include "InitSettingDialog.h"

#include "instrument/CQlxSdk_Ctrl.h"
#include "instrument/EightBitText.h"
#include "instrument/SharedTexts.h"
#include "ui_InitSettingDialog.h"

#include <QByteArray>

namespace {

constexpr int kOctetsPerAddress = int(QLX_IPV4_SIZE);

// Whether text has an 8-bit form that reads back as the same text and fits a record field of
// maxLength bytes. The line edits count characters; a character may take several bytes, and a
// cut one is garbage; a character the local code page cannot hold would be stored as '?'.
bool fitsField(const QString &text, std::size_t maxLength)
{
    QByteArray bytes;
    return eightBitFromText(text, bytes) && std::size_t(bytes.size()) <= maxLength;
}

enum Address
{
    kIpAddress = 0,
    kSubnetMask = 1,
    kDefaultGateway = 2,
    kDns = 3,
};

} // namespace

QLineEdit *InitSettingDialog::octetField(int address, int octet) const
{
    QLineEdit *const fields[kAddressCount][kOctetsPerAddress] = {
        {ui->ipaddr1lineEdit, ui->ipaddr2lineEdit, ui->ipaddr3lineEdit, ui->ipaddr4lineEdit},
        {ui->subnetMask1lineEdit, ui->subnetMask2lineEdit, ui->subnetMask3lineEdit, ui->subnetMask4lineEdit},
        {ui->defGWaddr1lineEdit, ui->defGWaddr2lineEdit, ui->defGWaddr3lineEdit, ui->defGWaddr4lineEdit},
        {ui->dnsaddr1lineEdit, ui->dnsaddr2lineEdit, ui->dnsaddr3lineEdit, ui->dnsaddr4lineEdit},
    };
    return fields[address][octet];
}

void InitSettingDialog::setOctetFieldsEnabled(bool enabled)
{
    for (int address = 0; address < kAddressCount; ++address) {
        for (int octet = 0; octet < kOctetsPerAddress; ++octet)
            octetField(address, octet)->setEnabled(enabled);
    }
}

void InitSettingDialog::clearOctetFields()
{
    for (int address = 0; address < kAddressCount; ++address) {
        for (int octet = 0; octet < kOctetsPerAddress; ++octet)
            octetField(address, octet)->setText(QString());
    }
}

CQlxSdk_Ctrl::AddressTexts InitSettingDialog::octetFieldTexts() const
{
    CQlxSdk_Ctrl::AddressTexts texts;
    for (int address = 0; address < kAddressCount; ++address) {
        for (int octet = 0; octet < kOctetsPerAddress; ++octet)
            texts[address].append(octetField(address, octet)->text());
    }
    return texts;
}

void InitSettingDialog::showNetworkSettings()
{
    setRadioButtonChecked(ui->enableRadioBtn, controller->apConnectEnabled);
    setRadioButtonChecked(ui->disableRadioBtn, !controller->apConnectEnabled);
    setRadioButtonChecked(ui->dhcpOnRadioBtn, controller->dhcpEnabled);
    setRadioButtonChecked(ui->dhcpOffRadioBtn, !controller->dhcpEnabled);
    setOctetFieldsEnabled(!controller->dhcpEnabled);
    ui->SSIDlineEdit->setText(controller->ssidText);
    ui->passwdlineEdit->setText(controller->encryptKeyText);

    const QVector<QString> *const octets[kAddressCount] = {
        &controller->ipAddressOctets, &controller->subnetMaskOctets, &controller->defaultGatewayOctets,
        &controller->dnsOctets};
    for (int address = 0; address < kAddressCount; ++address) {
        for (int octet = 0; octet < kOctetsPerAddress; ++octet)
            octetField(address, octet)->setText(octets[address]->value(octet));
    }
}

bool InitSettingDialog::networkSwitchesChosen() const
{
    return (ui->enableRadioBtn->isChecked() || ui->disableRadioBtn->isChecked()) &&
           (ui->dhcpOnRadioBtn->isChecked() || ui->dhcpOffRadioBtn->isChecked());
}

void InitSettingDialog::collectNetworkSettings(const OctetValues &values)
{
    controller->setIpAddress(values[kIpAddress]);
    controller->setSubnetMask(values[kSubnetMask]);
    controller->setDefaultGateway(values[kDefaultGateway]);
    controller->setDns(values[kDns]);

    controller->networkInfo.APConnectUse = ui->enableRadioBtn->isChecked() ? eAPConnect_ON : eAPConnect_OFF;
    controller->networkInfo.DHCPUse = ui->dhcpOnRadioBtn->isChecked() ? eDHCP_ON : eDHCP_OFF;

    // Both texts passed fitsField, so they have an 8-bit form.
    QByteArray ssid;
    eightBitFromText(ui->SSIDlineEdit->text(), ssid);
    controller->setSsid(ssid.constData());
    QByteArray encryptKey;
    eightBitFromText(ui->passwdlineEdit->text(), encryptKey);
    controller->setEncryptKey(encryptKey.constData());
}

void InitSettingDialog::on_readToFilePushBtn_clicked()
{
    const QString fileName = askFileName(openFileName, tr("Open"), tr("*(*.*)"));
    if (fileName.isEmpty())
        return;

    const QByteArray path = filePathArgument(fileName);
    if (controller->loadNetworkFile(path.constData())) {
        showNetworkSettings();
        showInformationMessage(tr("Successful read file data."));
    } else {
        showCriticalMessage(windowText(WindowText::NETWORK_FILE_READ_FAILED));
    }
}

void InitSettingDialog::on_writeFilePushBtn_clicked()
{
    const QString fileName = askFileName(saveFileName, tr("Save"), tr("ini(*.ini)"));
    if (fileName.isEmpty())
        return;

    // The address fields are checked whatever the DHCP setting: the file keeps what they hold.
    OctetValues values;
    if (!networkSwitchesChosen() || !CQlxSdk_Ctrl::octetsFromTexts(octetFieldTexts(), values)) {
        showCriticalMessage(windowText(WindowText::INPUT_INVALID));
        return;
    }
    if (!fitsField(ui->SSIDlineEdit->text(), QLX_SSID_MAX_LENGTH) ||
        !fitsField(ui->passwdlineEdit->text(), QLX_ENCRYPT_KEY_MAX_LENGTH)) {
        showCriticalMessage(windowText(WindowText::NETWORK_FILE_WRITE_FAILED));
        return;
    }
    collectNetworkSettings(values);

    const QByteArray path = filePathArgument(fileName);
    if (controller->saveNetworkFile(path.constData()))
        showInformationMessage(windowText(WindowText::NETWORK_FILE_WRITTEN));
    else
        showCriticalMessage(windowText(WindowText::NETWORK_FILE_WRITE_FAILED));
}

void InitSettingDialog::on_readBodyPushBtn_clicked()
{
    if (controller->readNetworkInfo()) {
        showNetworkSettings();
        showInformationMessage(tr("Successful read body data."));
    } else {
        showCriticalMessage(windowText(WindowText::NETWORK_READ_FAILED));
    }
}

void InitSettingDialog::on_writeBodyPushBtn_clicked()
{
    ui->readToFilePushBtn->setEnabled(false);
    ui->writeFilePushBtn->setEnabled(false);
    ui->readBodyPushBtn->setEnabled(false);
    ui->writeBodyPushBtn->setEnabled(false);

    OctetValues values = {};
    const bool valid =
        networkSwitchesChosen() &&
        CQlxSdk_Ctrl::addressesToSend(ui->dhcpOnRadioBtn->isChecked(), octetFieldTexts(), values) &&
        fitsField(ui->SSIDlineEdit->text(), QLX_SSID_MAX_LENGTH) &&
        fitsField(ui->passwdlineEdit->text(), QLX_ENCRYPT_KEY_MAX_LENGTH);
    if (!valid) {
        showCriticalMessage(windowText(WindowText::INPUT_INVALID));
    } else {
        collectNetworkSettings(values);
        if (controller->writeNetworkInfo())
            showInformationMessage(windowText(WindowText::NETWORK_WRITTEN));
        else
            showCriticalMessage(windowText(WindowText::NETWORK_WRITE_FAILED));
    }

    ui->readToFilePushBtn->setEnabled(true);
    ui->writeFilePushBtn->setEnabled(true);
    ui->readBodyPushBtn->setEnabled(true);
    ui->writeBodyPushBtn->setEnabled(true);
}

void InitSettingDialog::on_dhcpOnRadioBtn_clicked()
{
    setOctetFieldsEnabled(false);
}

void InitSettingDialog::on_dhcpOffRadioBtn_clicked()
{
    // The fields are editable exactly while DHCP is off: a click on "OFF" when it already was
    // keeps what they hold, and only a switch from "ON" starts them empty.
    const bool wasOff = octetField(kIpAddress, 0)->isEnabledTo(ui->networkSetTab);
    setOctetFieldsEnabled(true);
    if (!wasOff)
        clearOctetFields();
}
