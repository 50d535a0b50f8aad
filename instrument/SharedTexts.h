#pragma once
// The texts that both the window program and kt9-cli show, written once here. They keep the
// translation contexts they have in the window ("InitSettingDialog" for the main window, "QObject"
// for start-up), so one translation serves both; both print them through windowText() and
// startupText().

#include <QCoreApplication>
#include <QString>

// A text of the main window (one of the constants below), translated in the window's context.
QString windowText(const char *source);
// A text of start-up (the language messages), translated in its context.
QString startupText(const char *source);

// The window's messages and captions that kt9-cli prints too, named by what they report.
namespace WindowText {

constexpr const char *NOT_CONNECTED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "The measuring instruments is not connected.");
constexpr const char *CONNECT_FAILED = QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to connect device.");
constexpr const char *DISCONNECT_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to device disconnect.");
constexpr const char *CONNECTION_LOST =
    QT_TRANSLATE_NOOP("InitSettingDialog", "The connection with the measuring instrument was disconnected.");
constexpr const char *DEVICE_READ_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to read device data.");
constexpr const char *WIRELESS_LAN_INVALID =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Wireless LAN is invalid.");
constexpr const char *WHITE_SERIAL_READ_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to device WhiteCalibPlateSerialNo.");
constexpr const char *AMBIENT_SERIAL_READ_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to device AmbientLightAdapterSerialNo.");

constexpr const char *NETWORK_FILE_READ_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to read Network Infomation file data.");
constexpr const char *NETWORK_FILE_WRITTEN =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Successful file writing.");
constexpr const char *NETWORK_FILE_WRITE_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to write Network Infomation file data.");
constexpr const char *INPUT_INVALID = QT_TRANSLATE_NOOP("InitSettingDialog", "The input value is invalid.");
constexpr const char *NETWORK_READ_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to read Network Infomation data.");
constexpr const char *NETWORK_WRITTEN = QT_TRANSLATE_NOOP(
    "InitSettingDialog", "Write successful. To reflect, after [Disconnect], turn the power supply "
                         "of the measuring instrument OFF -> ON.");
constexpr const char *NETWORK_WRITE_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to write Network Infomation data.");

constexpr const char *SHUTDOWN_READ_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to read automatic shutdown time.");
constexpr const char *SHUTDOWN_WRITE_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to write automatic shutdown time.");
constexpr const char *DEVICE_WRITTEN = QT_TRANSLATE_NOOP("InitSettingDialog", "Successful device writing.");

constexpr const char *CAL_FILE_READ_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to read file data.");
constexpr const char *WHITE_WRITE_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to write WhiteCalibPlate data.");
constexpr const char *AMBIENT_WRITE_FAILED =
    QT_TRANSLATE_NOOP("InitSettingDialog", "Failed to write AmbientLightAdapter data.");

// Captions of the window's header, pages and buttons, used to label what kt9-cli shows.
constexpr const char *SERIAL_NO = QT_TRANSLATE_NOOP("InitSettingDialog", "Serial No:");
constexpr const char *FIRMWARE = QT_TRANSLATE_NOOP("InitSettingDialog", "Firmware Ver:");
constexpr const char *MAC_ADDRESS = QT_TRANSLATE_NOOP("InitSettingDialog", "MAC Address:");
constexpr const char *WIRELESS_LAN = QT_TRANSLATE_NOOP("InitSettingDialog", "Wireless LAN");
constexpr const char *ENABLE = QT_TRANSLATE_NOOP("InitSettingDialog", "Enable");
constexpr const char *DISABLE = QT_TRANSLATE_NOOP("InitSettingDialog", "Disable");
constexpr const char *SSID = QT_TRANSLATE_NOOP("InitSettingDialog", "SSID:");
constexpr const char *SECURITY_KEY = QT_TRANSLATE_NOOP("InitSettingDialog", "Security Key:");
constexpr const char *DHCP = QT_TRANSLATE_NOOP("InitSettingDialog", "DHCP:");
constexpr const char *ON = QT_TRANSLATE_NOOP("InitSettingDialog", "ON");
constexpr const char *OFF = QT_TRANSLATE_NOOP("InitSettingDialog", "OFF");
constexpr const char *IP_ADDRESS = QT_TRANSLATE_NOOP("InitSettingDialog", "IP Address:");
constexpr const char *SUBNET_MASK = QT_TRANSLATE_NOOP("InitSettingDialog", "Subnet Mask:");
constexpr const char *DEFAULT_GATEWAY = QT_TRANSLATE_NOOP("InitSettingDialog", "Default Gateway:");
constexpr const char *DNS_SERVER = QT_TRANSLATE_NOOP("InitSettingDialog", "DNS Server:");
constexpr const char *AUTO_POWER_OFF = QT_TRANSLATE_NOOP("InitSettingDialog", "Auto Power Off");
constexpr const char *POWER_OFF_DISABLED = QT_TRANSLATE_NOOP("InitSettingDialog", "Disabled");
constexpr const char *POWER_OFF_15 = QT_TRANSLATE_NOOP("InitSettingDialog", "15minutes");
constexpr const char *POWER_OFF_30 = QT_TRANSLATE_NOOP("InitSettingDialog", "30minutes");
constexpr const char *POWER_OFF_60 = QT_TRANSLATE_NOOP("InitSettingDialog", "60minutes");
constexpr const char *WHITE_PLATE = QT_TRANSLATE_NOOP("InitSettingDialog", "White calibration plate");
constexpr const char *AMBIENT_ADAPTER = QT_TRANSLATE_NOOP("InitSettingDialog", "Ambient light adapter");

} // namespace WindowText

// Texts of start-up about the translation files.
namespace StartupText {

constexpr const char *DEFAULT_LANGUAGE_FAILED =
    QT_TRANSLATE_NOOP("QObject", "Failed to set default language.");
constexpr const char *ENGLISH_FAILED =
    QT_TRANSLATE_NOOP("QObject", "Failed to set select(English) language.");
constexpr const char *JAPANESE_FAILED =
    QT_TRANSLATE_NOOP("QObject", "Failed to set select(japanese) language.");

} // namespace StartupText
