#include "NetworkInput.h"

#include "instrument/SharedTexts.h"

void applyNetworkSettings(CQlxSdk_Ctrl &ctrl, const CQlxSdk_Ctrl::AddressOctets &octets)
{
    ctrl.setIpAddress(octets[0]);
    ctrl.setSubnetMask(octets[1]);
    ctrl.setDefaultGateway(octets[2]);
    ctrl.setDns(octets[3]);
    ctrl.networkInfo.APConnectUse = ctrl.apConnectEnabled ? eAPConnect_ON : eAPConnect_OFF;
    ctrl.networkInfo.DHCPUse = ctrl.dhcpEnabled ? eDHCP_ON : eDHCP_OFF;
}

bool readNetworkInput(CQlxSdk_Ctrl &ctrl, const QByteArray &path, QlxNetworkInfo &wanted,
                      const char *&failure)
{
    if (!ctrl.loadNetworkFile(path.constData())) {
        failure = WindowText::NETWORK_FILE_READ_FAILED;
        return false;
    }
    const CQlxSdk_Ctrl::AddressTexts texts = {ctrl.ipAddressOctets, ctrl.subnetMaskOctets,
                                              ctrl.defaultGatewayOctets, ctrl.dnsOctets};
    CQlxSdk_Ctrl::AddressOctets octets;
    if (!CQlxSdk_Ctrl::addressesToSend(ctrl.dhcpEnabled, texts, octets)) {
        failure = WindowText::INPUT_INVALID;
        return false;
    }
    applyNetworkSettings(ctrl, octets);
    wanted = ctrl.networkInfo;
    return true;
}
