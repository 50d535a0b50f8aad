#include "CliRunContext.h"

#include "CliTexts.h"
#include "CliValues.h"
#include "NetworkInput.h"
#include "instrument/EightBitText.h"

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
    return m_request.showKey ? textFromEightBit(key.constData(), std::size_t(key.size())) : HIDDEN_KEY;
}

QVector<Change> CliRun::networkChanges(const QlxNetworkInfo &before, const QlxNetworkInfo &after) const
{
    QVector<Change> changes;
    const auto flag = [&](const char *field, const char *caption, int32_t oldValue, int32_t newValue,
                          const char *onText, const char *offText) {
        if ((oldValue != 0) != (newValue != 0))
            changes.append({QLatin1String(field), windowText(caption),
                            windowText(oldValue ? onText : offText), windowText(newValue ? onText : offText),
                            oldValue != 0, newValue != 0});
    };
    const auto text = [&](const char *field, const char *caption, const QByteArray &oldBytes,
                          const QByteArray &newBytes, bool secret) {
        if (oldBytes == newBytes)
            return;
        const QString oldText =
            secret ? keyText(oldBytes) : textFromEightBit(oldBytes.constData(), std::size_t(oldBytes.size()));
        const QString newText =
            secret ? keyText(newBytes) : textFromEightBit(newBytes.constData(), std::size_t(newBytes.size()));
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
