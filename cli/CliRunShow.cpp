#include "CliRunContext.h"

#include "CliTexts.h"
#include "CliValues.h"

void CliRun::addNetworkShown(InstrumentResult &result) const
{
    const QlxNetworkInfo &network = m_ctrl.networkInfo;
    const auto add = [&](const char *field, const char *caption, const QString &text,
                         const QJsonValue &value) {
        result.shown.append({QLatin1String(field), windowText(caption), text, value});
    };
    add("wirelessLan", WindowText::WIRELESS_LAN,
        windowText(m_ctrl.apConnectEnabled ? WindowText::ENABLE : WindowText::DISABLE),
        m_ctrl.apConnectEnabled);
    const QString ssid = eightBitShown(fieldBytes(network.SSID, sizeof network.SSID));
    add("ssid", WindowText::SSID, ssid, ssid);
    const QString key = keyText(fieldBytes(network.EncryptKey, sizeof network.EncryptKey));
    add("securityKey", WindowText::SECURITY_KEY, key, key);
    add("dhcp", WindowText::DHCP, windowText(m_ctrl.dhcpEnabled ? WindowText::ON : WindowText::OFF),
        m_ctrl.dhcpEnabled);
    add("ipAddress", WindowText::IP_ADDRESS, addressText(network.IPAddress), addressText(network.IPAddress));
    add("subnetMask", WindowText::SUBNET_MASK, addressText(network.SubnetMask),
        addressText(network.SubnetMask));
    add("defaultGateway", WindowText::DEFAULT_GATEWAY, addressText(network.DefaultGateway),
        addressText(network.DefaultGateway));
    add("dns", WindowText::DNS_SERVER, addressText(network.DNS), addressText(network.DNS));
}

bool CliRun::show(InstrumentResult &result)
{
    // The reads the window makes when it connects, in its order.
    if (!m_ctrl.readDeviceInfo()) {
        result.messages.append(windowText(WindowText::DEVICE_READ_FAILED));
        return false;
    }
    result.shown.append({QStringLiteral("serial"), windowText(WindowText::SERIAL_NO), m_ctrl.serialNumberText,
                         m_ctrl.serialNumberText});
    result.shown.append({QStringLiteral("firmware"), windowText(WindowText::FIRMWARE),
                         m_ctrl.firmwareVersionText, m_ctrl.firmwareVersionText});
    result.shown.append({QStringLiteral("macAddress"), windowText(WindowText::MAC_ADDRESS),
                         m_ctrl.macAddressText, m_ctrl.macAddressText});

    bool complete = true;
    const Module module = readModule();
    if (module != Module::UNKNOWN) {
        const bool enabled = module == Module::ENABLED;
        result.shown.append({QStringLiteral("wirelessLanModule"), CliText::tr("Wireless LAN module"),
                             enabled ? CliText::tr("enabled") : CliText::tr("disabled"), enabled});
    }
    if (module == Module::UNKNOWN) {
        result.messages.append(moduleQueryFailedText());
        complete = false;
    } else if (module == Module::DISABLED) {
        result.messages.append(windowText(WindowText::WIRELESS_LAN_INVALID));
    } else if (m_ctrl.readNetworkInfo()) {
        addNetworkShown(result);
    } else {
        result.messages.append(windowText(WindowText::NETWORK_READ_FAILED));
        complete = false;
    }

    if (m_ctrl.readCalibSerialNumbers()) {
        result.shown.append({QStringLiteral("whitePlateSerial"), windowText(WindowText::WHITE_PLATE),
                             m_ctrl.whitePlateSerialText, m_ctrl.whitePlateSerialText});
        result.shown.append({QStringLiteral("ambientAdapterSerial"), windowText(WindowText::AMBIENT_ADAPTER),
                             m_ctrl.ambientAdapterSerialText, m_ctrl.ambientAdapterSerialText});
    } else {
        result.messages.append(windowText(WindowText::WHITE_SERIAL_READ_FAILED));
        result.messages.append(windowText(WindowText::AMBIENT_SERIAL_READ_FAILED));
        complete = false;
    }

    QlxShutdownMode mode = QLX_SHUTDOWN_DISABLED;
    if (m_ctrl.readShutdownTime(mode)) {
        result.shown.append({QStringLiteral("powerOff"), windowText(WindowText::AUTO_POWER_OFF),
                             powerOffCaption(mode), powerOffWord(mode)});
        result.shown.append({QStringLiteral("powerOffMode"), QString(), QString(), int(mode)});
    } else {
        result.messages.append(windowText(WindowText::SHUTDOWN_READ_FAILED));
        complete = false;
    }
    return complete;
}
