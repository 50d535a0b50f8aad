#include "CliRunContext.h"

#include "CliTexts.h"
#include "CliValues.h"
#include "NetworkInput.h"

#include <cstring>

QString CliRun::moduleQueryFailedText()
{
    return CliText::tr("Failed to read whether the wireless LAN module is enabled.");
}

CliRun::Module CliRun::readModule()
{
    if (m_ctrl.readWifiModuleEnable())
        return Module::ENABLED;
    // The controller answers false for a failed query too; its status tells the two apart.
    return qlxSucceeded(m_ctrl.lastStatus) ? Module::DISABLED : Module::UNKNOWN;
}

bool CliRun::readNetworkSettings(InstrumentResult &result)
{
    // The window disables its network page for an instrument without the module.
    const Module module = readModule();
    if (module == Module::UNKNOWN) {
        result.messages.append(moduleQueryFailedText());
        return false;
    }
    if (module == Module::DISABLED) {
        result.messages.append(windowText(WindowText::WIRELESS_LAN_INVALID));
        return false;
    }
    if (!m_ctrl.readNetworkInfo()) {
        result.messages.append(windowText(WindowText::NETWORK_READ_FAILED));
        return false;
    }
    return true;
}

QString CliRun::keyText(const QByteArray &key) const
{
    return m_request.showKey ? eightBitShown(key) : HIDDEN_KEY;
}

QVector<Change> CliRun::networkChanges(const QlxNetworkInfo &before, const QlxNetworkInfo &after) const
{
    QVector<Change> changes;
    // A switch holds 0 or 1; any other value an instrument holds is shown as the number it is,
    // so that a write that changes it is never listed as no change.
    const auto flag = [&](const char *field, const char *caption, int32_t oldValue, int32_t newValue,
                          const char *onText, const char *offText) {
        if (oldValue == newValue)
            return;
        const auto switchText = [&](int32_t value) {
            const QString text = windowText(value ? onText : offText);
            return value == 0 || value == 1 ? text : QStringLiteral("%1 (%2)").arg(text).arg(value);
        };
        const auto switchValue = [](int32_t value) {
            return value == 0 || value == 1 ? QJsonValue(value != 0) : QJsonValue(value);
        };
        changes.append({QLatin1String(field), windowText(caption), switchText(oldValue), switchText(newValue),
                        switchValue(oldValue), switchValue(newValue)});
    };
    const auto text = [&](const char *field, const char *caption, const QByteArray &oldBytes,
                          const QByteArray &newBytes, bool secret) {
        if (oldBytes == newBytes)
            return;
        const QString oldText = secret ? keyText(oldBytes) : eightBitShown(oldBytes);
        const QString newText = secret ? keyText(newBytes) : eightBitShown(newBytes);
        changes.append({QLatin1String(field), windowText(caption), oldText, newText, oldText, newText});
    };
    const auto address = [&](const char *field, const char *caption, const uint8_t(&oldOctets)[QLX_IPV4_SIZE],
                             const uint8_t(&newOctets)[QLX_IPV4_SIZE]) {
        if (std::memcmp(oldOctets, newOctets, QLX_IPV4_SIZE) == 0)
            return;
        const QString oldText = addressText(oldOctets);
        const QString newText = addressText(newOctets);
        changes.append({QLatin1String(field), windowText(caption), oldText, newText, oldText, newText});
    };
    flag("wirelessLan", WindowText::WIRELESS_LAN, before.APConnectUse, after.APConnectUse, WindowText::ENABLE,
         WindowText::DISABLE);
    text("ssid", WindowText::SSID, fieldBytes(before.SSID, sizeof before.SSID),
         fieldBytes(after.SSID, sizeof after.SSID), false);
    text("securityKey", WindowText::SECURITY_KEY, fieldBytes(before.EncryptKey, sizeof before.EncryptKey),
         fieldBytes(after.EncryptKey, sizeof after.EncryptKey), true);
    flag("dhcp", WindowText::DHCP, before.DHCPUse, after.DHCPUse, WindowText::ON, WindowText::OFF);
    address("ipAddress", WindowText::IP_ADDRESS, before.IPAddress, after.IPAddress);
    address("subnetMask", WindowText::SUBNET_MASK, before.SubnetMask, after.SubnetMask);
    address("defaultGateway", WindowText::DEFAULT_GATEWAY, before.DefaultGateway, after.DefaultGateway);
    address("dns", WindowText::DNS_SERVER, before.DNS, after.DNS);
    return changes;
}

bool CliRun::networkLoad(InstrumentResult &result)
{
    // What the instrument holds now is read first, as the window does when it connects: an
    // instrument that cannot tell is not written.
    if (!readNetworkSettings(result))
        return false;
    result.changes = networkChanges(m_ctrl.networkInfo, m_wanted);
    if (m_request.dryRun)
        return true;
    m_ctrl.networkInfo = m_wanted;
    if (!m_ctrl.writeNetworkInfo()) {
        result.messages.append(windowText(WindowText::NETWORK_WRITE_FAILED));
        return false;
    }
    result.messages.append(windowText(WindowText::NETWORK_WRITTEN));
    return true;
}

bool CliRun::networkSave(InstrumentResult &result)
{
    if (!readNetworkSettings(result))
        return false;
    // The window checks its address fields before it saves, whatever the DHCP setting.
    const CQlxSdk_Ctrl::AddressTexts texts = {m_ctrl.ipAddressOctets, m_ctrl.subnetMaskOctets,
                                              m_ctrl.defaultGatewayOctets, m_ctrl.dnsOctets};
    CQlxSdk_Ctrl::AddressOctets octets;
    if (!CQlxSdk_Ctrl::octetsFromTexts(texts, octets)) {
        result.messages.append(windowText(WindowText::INPUT_INVALID));
        return false;
    }
    applyNetworkSettings(m_ctrl, octets);
    if (!m_ctrl.saveNetworkFile(m_filePath.constData())) {
        result.messages.append(windowText(WindowText::NETWORK_FILE_WRITE_FAILED));
        return false;
    }
    result.messages.append(windowText(WindowText::NETWORK_FILE_WRITTEN));
    return true;
}
