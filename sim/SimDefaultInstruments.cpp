// The two instruments a new default folder is filled with.

#include "SimInstrument.h"

#include <cstring>

namespace qlxsim {

namespace {

constexpr int32_t PORT_TYPE_NETWORK = 2;
constexpr int32_t DEFAULT_USB_SERIAL_NO = 1234567;
constexpr int32_t DEFAULT_NETWORK_SERIAL_NO = 2345678;

} // namespace

std::array<DefaultInstrument, 2> defaultInstruments()
{
    // Plausible contents: reflectance-like white values, smooth ambient values, and otherCalibData
    // bytes that are not all alike, so that any lost or moved byte shows.
    constexpr float WHITE_FIRST = 88.0f;
    constexpr float WHITE_STEP = 0.25f;
    constexpr float AMBIENT_FIRST = 1.0f;
    constexpr float AMBIENT_STEP = 0.125f;
    constexpr unsigned OTHER_FACTOR = 7;
    constexpr unsigned OTHER_OFFSET = 3;

    Instrument base;
    base.options.wifiModuleEnable = 1;
    base.shutdownMode = QLX_SHUTDOWN_15_MIN;
    base.device.firmMajor = 1;
    base.device.firmMinor = 2;
    base.device.firmBuild = 3;
    base.network.APConnectUse = eAPConnect_ON;
    base.network.DHCPUse = eDHCP_OFF;
    const uint8_t mask[] = {255, 255, 255, 0};
    const uint8_t gateway[] = {192, 168, 0, 1};
    std::memcpy(base.network.SubnetMask, mask, sizeof mask);
    std::memcpy(base.network.DefaultGateway, gateway, sizeof gateway);
    std::memcpy(base.network.DNS, gateway, sizeof gateway);
    qstrncpy(base.network.SSID, "kt9-lab", sizeof base.network.SSID);
    qstrncpy(base.network.EncryptKey, "kt9-lab-key", sizeof base.network.EncryptKey);
    QlxCalRefData &cal = base.calibration;
    for (std::size_t i = 0; i < QLX_WHITE_VALUE_COUNT; ++i)
        cal.rfWhite.spcData[i] = WHITE_FIRST + WHITE_STEP * float(i);
    for (std::size_t i = 0; i < QLX_AMBIENT_VALUE_COUNT; ++i)
        cal.rfAmbient.spcData[i] = AMBIENT_FIRST + AMBIENT_STEP * float(i);
    for (std::size_t i = 0; i < QLX_OTHER_CALIB_DATA_SIZE; ++i)
        cal.otherCalibData[i] = static_cast<uint8_t>(i * OTHER_FACTOR + OTHER_OFFSET);

    Instrument usb = base;
    usb.port.portType = QLX_PORT_TYPE_USB;
    usb.port.serialNo = usb.device.serialNo = DEFAULT_USB_SERIAL_NO;
    const uint8_t usbMac[] = {0x0A, 0xB0, 0x00, 0x01, 0xFF, 0x10};
    std::memcpy(usb.device.macAddress, usbMac, sizeof usbMac);
    const uint8_t usbIp[] = {192, 168, 0, 20};
    std::memcpy(usb.network.IPAddress, usbIp, sizeof usbIp);
    const uint8_t usbWhite[] = {0x10, 0x01, 0x23, 0x45};
    const uint8_t usbAmbient[] = {0x00, 0x05, 0x43, 0x21};
    std::memcpy(usb.calibration.rfWhite.serialNo, usbWhite, sizeof usbWhite);
    std::memcpy(usb.calibration.rfAmbient.serialNo, usbAmbient, sizeof usbAmbient);

    Instrument lan = base;
    lan.port.portType = PORT_TYPE_NETWORK;
    qstrncpy(lan.port.portName, "192.168.0.10", sizeof lan.port.portName);
    lan.port.serialNo = lan.device.serialNo = DEFAULT_NETWORK_SERIAL_NO;
    const uint8_t lanMac[] = {0x0A, 0xB0, 0x00, 0x02, 0x3C, 0x4E};
    std::memcpy(lan.device.macAddress, lanMac, sizeof lanMac);
    const uint8_t lanIp[] = {192, 168, 0, 10};
    std::memcpy(lan.network.IPAddress, lanIp, sizeof lanIp);
    const uint8_t lanWhite[] = {0x10, 0x02, 0x00, 0x17};
    const uint8_t lanAmbient[] = {0x00, 0x06, 0x10, 0x02};
    std::memcpy(lan.calibration.rfWhite.serialNo, lanWhite, sizeof lanWhite);
    std::memcpy(lan.calibration.rfAmbient.serialNo, lanAmbient, sizeof lanAmbient);

    return {DefaultInstrument{QStringLiteral("instrument-1-usb.json"), usb},
            DefaultInstrument{QStringLiteral("instrument-2-network.json"), lan}};
}

} // namespace qlxsim
