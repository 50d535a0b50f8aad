#pragma once
// The instrument controller: the one object in the process that calls the QLXSDK library.
//
// Operations return true or false and leave their results in the public members, which
// the windows read right after the call. The controller never shows anything; on failure
// it writes a diagnostic line to Qt's debug log and the caller picks the message box.

#include "QlxSdk.h"

#include <QString>
#include <QVector>

#include <array>
#include <atomic>
#include <cstdint>

// Set by the library's event handler when the instrument reports a lost connection, cleared
// on a Standby event and by the main window's watch once it has handled the loss. Written
// from a library thread, read and cleared by the GUI thread.
extern std::atomic<bool> deviceDisconnected;

// The connect parameter the tool hands the library unchanged, from the window and kt9-cli alike.
constexpr int32_t KT9_CONNECT_PARAM = 10;

// A serial number as the labels show it: 8 decimal digits, zero-filled.
QString serialNumberLabel(int32_t serialNo);

// The handler registered with the library for the controller's lifetime.
void onDeviceEvent(int32_t outEventCode, int32_t outRAWDataCount, int32_t outError);

class CQlxSdk_Ctrl
{
public:
    // Registers onDeviceEvent with the library.
    CQlxSdk_Ctrl();
    // Removes the event handler; does not disconnect.
    ~CQlxSdk_Ctrl();

    CQlxSdk_Ctrl(const CQlxSdk_Ctrl &) = delete;
    CQlxSdk_Ctrl &operator=(const CQlxSdk_Ctrl &) = delete;

    // Session (instrument list, connection, header data).

    // Rebuilds ports, portLabels and portCount from the library's port list.
    bool refreshPortList();
    // As refreshPortList, but through a table as large as the count the library reports, so
    // that every instrument is listed (portTable is left as it was). Instruments the library
    // reports but does not hand over are counted in unlistedPortCount.
    bool refreshFullPortList();
    // Connects to ports[portIndex]; connectParam goes to the library unchanged.
    bool connectDevice(int32_t portIndex, int32_t connectParam);
    bool disconnectDevice();
    // Fills deviceInfo and the serial number, firmware version and MAC address texts.
    bool readDeviceInfo();

    // Network settings.

    // Reads the instrument's network record into networkInfo and its text form.
    bool readNetworkInfo();
    // Loads a network settings file into networkInfo and its text form.
    bool loadNetworkFile(const char *path);
    // Sends networkInfo to the instrument.
    bool writeNetworkInfo();
    // Saves networkInfo as a network settings file; false, and nothing written, for a record
    // that loadNetworkFile would refuse.
    bool saveNetworkFile(const char *path);
    void setIpAddress(const uint8_t octets[QLX_IPV4_SIZE]);
    void setSubnetMask(const uint8_t octets[QLX_IPV4_SIZE]);
    void setDefaultGateway(const uint8_t octets[QLX_IPV4_SIZE]);
    void setDns(const uint8_t octets[QLX_IPV4_SIZE]);
    // Copies at most 32 bytes of text into networkInfo.SSID, always zero-terminated.
    void setSsid(const char *text);
    // Copies at most 64 bytes of text into networkInfo.EncryptKey, always zero-terminated.
    void setEncryptKey(const char *text);

    // The four addresses of the network settings, in this order: IP address, subnet mask,
    // default gateway, DNS server; four octets each, octet 1 first.
    static constexpr int NETWORK_ADDRESS_COUNT = 4;
    using AddressTexts = std::array<QVector<QString>, NETWORK_ADDRESS_COUNT>;
    using AddressOctets = uint8_t[NETWORK_ADDRESS_COUNT][QLX_IPV4_SIZE];
    // True when text is not empty and holds the digits 0 to 9 only. Logs the text's length and
    // each character examined.
    static bool isDigitsOnly(const QString &text);
    // The 16 octets from their texts, as the network settings are checked before they are saved:
    // every text digits only (taken in address order, stopping at the first that is not; a
    // missing text counts as empty), then no value above 255 (octet N of every address before
    // octet N + 1 of any). On false, values is left as it was.
    static bool octetsFromTexts(const AddressTexts &texts, AddressOctets &values);
    // The addresses sent to the instrument: with DHCP on all four are 0.0.0.0 and no text is
    // examined (the instrument takes its addresses from the network); otherwise octetsFromTexts.
    static bool addressesToSend(bool dhcpOn, const AddressTexts &texts, AddressOctets &values);

    // Calibration reference data.

    // Reads both accessory serial numbers held by the instrument.
    bool readCalibSerialNumbers();
    // Reads a white calibration plate file and tests its serial number.
    bool checkWhitePlateFile(const char *path);
    // Reads an ambient light adapter file and tests its serial number.
    bool checkAmbientAdapterFile(const char *path);
    // Writes a white calibration plate file's values into the instrument and verifies them.
    bool registerWhitePlate(const char *path);
    // Writes an ambient light adapter file's values into the instrument and verifies them.
    bool registerAmbientAdapter(const char *path);

    // Reads the instrument's whole calibration reference record into record.
    bool readCalibReferences(QlxCalRefData &record);
    // Writes the white plate part (white) and/or the ambient adapter part (ambient) of
    // references into the instrument, the rest of its record kept, and verifies them by reading
    // the record back, as registration does; no serial number range is tested: this puts back
    // what an instrument held.
    bool writeCalibReferences(const QlxCalRefData &references, bool white, bool ambient);
    // Reads a white calibration plate file / an ambient light adapter file into its part of
    // record, without the serial number test of registration.
    static bool readWhitePlateFile(const char *path, QlxCalRefData &record);
    static bool readAmbientAdapterFile(const char *path, QlxCalRefData &record);
    // Whether the serial number of record's white plate part / ambient adapter part is one that
    // registration accepts.
    static bool whitePlateSerialAccepted(const QlxCalRefData &record);
    static bool ambientAdapterSerialAccepted(const QlxCalRefData &record);
    // Writes the white plate part / the ambient adapter part of record as a calibration value
    // file; false when it cannot be written or does not read back to the same bytes (a value
    // the reader cannot carry, such as a non-finite one), and then no file is left.
    static bool saveWhitePlateFile(const QString &path, const QlxCalRefData &record);
    static bool saveAmbientAdapterFile(const QString &path, const QlxCalRefData &record);

    // Auto power-off and module options.

    // On true, mode holds the instrument's automatic power-off mode.
    bool readShutdownTime(QlxShutdownMode &mode);
    bool writeShutdownTime(QlxShutdownMode mode);
    // True when the instrument's wireless LAN module is enabled (false also when the query fails).
    bool readWifiModuleEnable();

    uint32_t reportedPortCount = 0; ///< port count written by the library on the latest call
    uint32_t portCount = 0;         ///< entries in ports and portLabels
    QlxPortInfo portTable[QLX_PORT_TABLE_CAPACITY] = {};
    QVector<QlxPortInfo> ports; ///< a port index is a position in this vector
    bool connected = false;
    QVector<QString> portLabels;      ///< display label of each entry of ports, same order
    int32_t lastStatus = QLX_SUCCESS; ///< status of the latest library call, for diagnosis
    QString serialNumberText;
    QString firmwareVersionText;
    QString macAddressText;
    QlxDeviceInfo deviceInfo = {};
    QlxNetworkInfo networkInfo = {}; ///< the single working copy of the network settings
    bool apConnectEnabled = false;
    bool dhcpEnabled = false;
    QString ssidText;
    QString encryptKeyText;
    QVector<QString> ipAddressOctets;
    QVector<QString> subnetMaskOctets;
    QVector<QString> defaultGatewayOctets;
    QVector<QString> dnsOctets;
    QString whitePlateSerialText;         ///< held by the instrument
    QString ambientAdapterSerialText;     ///< held by the instrument
    QString whitePlateFileSerialText;     ///< from the file last examined by checkWhitePlateFile
    QString ambientAdapterFileSerialText; ///< from the file last examined by checkAmbientAdapterFile
    uint32_t unlistedPortCount = 0;       ///< instruments the library reported beyond the latest list

    // Most instruments refreshFullPortList lists, whatever count the library reports.
    static constexpr uint32_t FULL_PORT_LIST_LIMIT = 10000;

private:
    // Appends table's first `listed` records to ports with their labels; sets unlistedPortCount.
    void takePorts(const QlxPortInfo *table, uint32_t listed);
    void clearNetworkTexts();
    // Fills apConnectEnabled, dhcpEnabled and the text members from networkInfo.
    void networkInfoToTexts();
};
