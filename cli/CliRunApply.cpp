#include "CliRunContext.h"

#include "CliTexts.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <iterator>

namespace {

// The row over the network settings the controller holds, as the window's page would take them.
void takeRow(CQlxSdk_Ctrl &ctrl, const FleetRow &row)
{
    QlxNetworkInfo &info = ctrl.networkInfo;
    if (row.wirelessLan)
        info.APConnectUse = *row.wirelessLan ? eAPConnect_ON : eAPConnect_OFF;
    if (row.ssid)
        ctrl.setSsid(row.ssid->constData());
    if (row.key)
        ctrl.setEncryptKey(row.key->constData());
    CQlxSdk_Ctrl::AddressOctets octets;
    std::memcpy(octets, row.addresses, sizeof octets);
    bool given[CQlxSdk_Ctrl::NETWORK_ADDRESS_COUNT];
    std::copy(std::begin(row.hasAddress), std::end(row.hasAddress), std::begin(given));
    if (row.dhcp) {
        // Turning DHCP on, the window sends 0.0.0.0 for every address (such a row gives none).
        // An instrument that has DHCP on already keeps what it reports, which may be its lease.
        if (*row.dhcp && info.DHCPUse == eDHCP_OFF && CQlxSdk_Ctrl::addressesToSend(true, {}, octets))
            std::fill(std::begin(given), std::end(given), true);
        info.DHCPUse = *row.dhcp ? eDHCP_ON : eDHCP_OFF;
    }
    // (Lambdas rather than pointers to members: GCC's bounds sanitizer misreads an array of those.)
    const std::array<std::function<void(const uint8_t *)>, CQlxSdk_Ctrl::NETWORK_ADDRESS_COUNT> setters{
        [&](const uint8_t *address) { ctrl.setIpAddress(address); },
        [&](const uint8_t *address) { ctrl.setSubnetMask(address); },
        [&](const uint8_t *address) { ctrl.setDefaultGateway(address); },
        [&](const uint8_t *address) { ctrl.setDns(address); }};
    for (int i = 0; i < CQlxSdk_Ctrl::NETWORK_ADDRESS_COUNT; ++i) {
        if (given[i])
            setters[std::size_t(i)](octets[i]);
    }
}

} // namespace

bool CliRun::apply(InstrumentResult &result)
{
    const FleetRow &row = m_plan.at(m_planRows.value(m_ctrl.ports[result.port - 1].serialNo));
    // Everything is read first: an instrument that cannot tell is not written at all.
    QVector<Change> network;
    if (row.setsNetwork()) {
        if (!readNetworkSettings(result))
            return false;
        const QlxNetworkInfo before = m_ctrl.networkInfo;
        takeRow(m_ctrl, row);
        // The one comparison that says what changes and whether the record is sent.
        network = networkChanges(before, m_ctrl.networkInfo);
    }
    QlxShutdownMode mode = QLX_SHUTDOWN_DISABLED;
    if (row.powerOff && !m_ctrl.readShutdownTime(mode)) {
        result.messages.append(windowText(WindowText::SHUTDOWN_READ_FAILED));
        return false;
    }
    const bool powerOffChanged = row.powerOff && mode != *row.powerOff;
    result.changes = network;
    if (powerOffChanged)
        result.changes.append(powerOffChange(mode, *row.powerOff));
    if (m_request.dryRun)
        return true;

    if (!network.isEmpty()) {
        if (!m_ctrl.writeNetworkInfo()) {
            result.messages.append(windowText(WindowText::NETWORK_WRITE_FAILED));
            return false;
        }
        result.messages.append(windowText(WindowText::NETWORK_WRITTEN));
        // Held now, also when the power-off write then fails.
        for (int i = 0; i < network.size(); ++i)
            result.changes[i].written = true;
    }
    if (powerOffChanged) {
        if (!m_ctrl.writeShutdownTime(*row.powerOff)) {
            result.messages.append(windowText(WindowText::SHUTDOWN_WRITE_FAILED));
            return false;
        }
        result.messages.append(windowText(WindowText::DEVICE_WRITTEN));
    }
    return true;
}

void CliRun::selectPlanTargets(QVector<int> &targets)
{
    QHash<int32_t, QVector<int>> listedPorts;
    for (int i = 0; i < m_ctrl.ports.size(); ++i)
        listedPorts[m_ctrl.ports[i].serialNo].append(i);
    for (const FleetRow &row : m_plan) {
        const QVector<int> ports = listedPorts.value(row.serial);
        if (ports.size() == 1) {
            targets.append(ports.first());
            continue;
        }
        InstrumentResult unreached;
        unreached.serial = serialNumberLabel(row.serial);
        unreached.outcome = InstrumentResult::Failed;
        unreached.messages.append(
            ports.isEmpty()
                ? CliText::tr("Not reachable: no instrument with this serial number is listed.")
                : CliText::tr("%1 instruments with this serial number are listed; none of them is written.")
                      .arg(ports.size()));
        m_unreached.append(unreached);
    }
    int notInPlan = 0;
    for (const QlxPortInfo &port : m_ctrl.ports)
        notInPlan += m_planRows.contains(port.serialNo) ? 0 : 1;
    m_report->notInPlan(notInPlan);
}
