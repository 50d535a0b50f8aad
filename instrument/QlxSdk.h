#pragma once
// Declarations of the instrument maker's QLXSDK library, as this tool uses it.
//
// The library is closed; the tool links either the maker's build or the simulated
// library in sim/, which implements the same C interface. Every record that crosses
// the boundary is a fixed-layout little-endian structure passed by address; the
// static_asserts below pin each size and each named field's offset.

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#if defined(QLXSDK_BUILDING_LIBRARY)
#define QLXSDK_API __declspec(dllexport)
#else
#define QLXSDK_API __declspec(dllimport)
#endif
#else
#define QLXSDK_API __attribute__((visibility("default")))
#endif

// Status codes: negative values are failures; zero and the positive warnings are success.
enum QlxStatus : int32_t
{
    QLX_SUCCESS = 0,

    QLX_ERROR = -9999,
    QLX_ERROR_CONNECT = -9998,
    QLX_ERROR_DISCONNECT = -9997,
    QLX_ERROR_CONNECT_TIMEOUT = -9996,
    QLX_ERROR_CONNECT_ALREADY = -9995,
    QLX_ERROR_INSTRUMENT_UNAVAILABLE = -9994,
    QLX_ERROR_INSTRUMENT_INFORMATION = -9993,
    QLX_ERROR_ARGUMENT = -9992,
    QLX_ERROR_COMMUNICATION_SEND = -9991,
    QLX_ERROR_COMMUNICATION_RECEIVE = -9990,
    QLX_ERROR_COMMUNICATION_CHECKSUM = -9989,
    QLX_ERROR_COMMUNICATION_PARAM = -9988,
    QLX_ERROR_COMMUNICATION_TIMEOUT = -9987,
    QLX_ERROR_CANT_USED = -9986,
    QLX_ERROR_NO_DATA = -9985,

    QLX_ERROR_NAK = -9799,
    QLX_ERROR_NAV = -9798,
    QLX_ERROR_NSP = -9797,
    QLX_ERROR_CNF = -9796,
    QLX_ERROR_NDT = -9795,
    QLX_ERROR_NEQ = -9794,

    QLX_WARNING_WCALIB_TEMP = 1,
    QLX_WARNING_BATTERY_EMPTY = 2,
    QLX_WARNING_INITIALDATE_SETTING = 4,
};

// True for every status the tool treats as success (zero and the warnings).
constexpr bool qlxSucceeded(int32_t status)
{
    return status >= 0;
}

// Event codes delivered to the registered handler. The library uses 0 to 9; the tool
// acts on two of them.
enum QlxEventCode : int32_t
{
    eEventCode_Standby = 0,
    eEventCode_DisConnect = 6,
};
constexpr uint32_t QLX_EVENT_CODE_MAX = 9; ///< highest event code the library sends

// Called by the library, possibly from a thread of its own.
typedef void (*QlxEventHandler)(int32_t outEventCode, int32_t outRAWDataCount, int32_t outError);

// portType value of an instrument attached over USB.
constexpr int32_t QLX_PORT_TYPE_USB = 1;
constexpr std::size_t QLX_PORT_NAME_SIZE = 36;

struct QlxPortInfo
{
    int32_t portType;                  ///< QLX_PORT_TYPE_USB, or reached through portName
    char portName[QLX_PORT_NAME_SIZE]; ///< zero-terminated 8-bit text
    int32_t serialNo;
};
constexpr std::size_t QLX_PORT_INFO_SIZE = 44;
static_assert(sizeof(QlxPortInfo) == QLX_PORT_INFO_SIZE, "QlxPortInfo layout");
static_assert(offsetof(QlxPortInfo, portType) == 0, "QlxPortInfo layout");
static_assert(offsetof(QlxPortInfo, portName) == 4, "QlxPortInfo layout");
static_assert(offsetof(QlxPortInfo, serialNo) == 40, "QlxPortInfo layout");

constexpr std::size_t QLX_MAC_ADDRESS_SIZE = 6;

struct QlxDeviceInfo
{
    int32_t serialNo;
    uint32_t firmMajor;
    int32_t firmMinor;
    int32_t firmBuild;
    uint8_t reserved1[8]; ///< carried as the library fills it
    uint8_t macAddress[QLX_MAC_ADDRESS_SIZE];
    uint8_t reserved2[10]; ///< carried as the library fills it
};
constexpr std::size_t QLX_DEVICE_INFO_SIZE = 40;
static_assert(sizeof(QlxDeviceInfo) == QLX_DEVICE_INFO_SIZE, "QlxDeviceInfo layout");
static_assert(offsetof(QlxDeviceInfo, serialNo) == 0, "QlxDeviceInfo layout");
static_assert(offsetof(QlxDeviceInfo, firmMajor) == 4, "QlxDeviceInfo layout");
static_assert(offsetof(QlxDeviceInfo, firmMinor) == 8, "QlxDeviceInfo layout");
static_assert(offsetof(QlxDeviceInfo, firmBuild) == 12, "QlxDeviceInfo layout");
static_assert(offsetof(QlxDeviceInfo, macAddress) == 24, "QlxDeviceInfo layout");

enum QlxAPConnect : int32_t
{
    eAPConnect_OFF = 0,
    eAPConnect_ON = 1,
};
enum QlxDHCP : int32_t
{
    eDHCP_OFF = 0,
    eDHCP_ON = 1,
};

constexpr std::size_t QLX_IPV4_SIZE = 4;
constexpr std::size_t QLX_SSID_MAX_LENGTH = 32;        ///< text bytes, without the terminating zero
constexpr std::size_t QLX_ENCRYPT_KEY_MAX_LENGTH = 64; ///< text bytes, without the terminating zero

struct QlxNetworkInfo
{
    int32_t APConnectUse; ///< eAPConnect_OFF / eAPConnect_ON
    int32_t DHCPUse;      ///< eDHCP_OFF / eDHCP_ON
    uint8_t IPAddress[QLX_IPV4_SIZE];
    uint8_t SubnetMask[QLX_IPV4_SIZE];
    uint8_t DefaultGateway[QLX_IPV4_SIZE];
    uint8_t DNS[QLX_IPV4_SIZE];
    char SSID[QLX_SSID_MAX_LENGTH + 1];
    char EncryptKey[QLX_ENCRYPT_KEY_MAX_LENGTH + 1];
    uint8_t reserved[2];
};
constexpr std::size_t QLX_NETWORK_INFO_SIZE = 124;
static_assert(sizeof(QlxNetworkInfo) == QLX_NETWORK_INFO_SIZE, "QlxNetworkInfo layout");
static_assert(offsetof(QlxNetworkInfo, APConnectUse) == 0, "QlxNetworkInfo layout");
static_assert(offsetof(QlxNetworkInfo, DHCPUse) == 4, "QlxNetworkInfo layout");
static_assert(offsetof(QlxNetworkInfo, IPAddress) == 8, "QlxNetworkInfo layout");
static_assert(offsetof(QlxNetworkInfo, SubnetMask) == 12, "QlxNetworkInfo layout");
static_assert(offsetof(QlxNetworkInfo, DefaultGateway) == 16, "QlxNetworkInfo layout");
static_assert(offsetof(QlxNetworkInfo, DNS) == 20, "QlxNetworkInfo layout");
static_assert(offsetof(QlxNetworkInfo, SSID) == 24, "QlxNetworkInfo layout");
static_assert(offsetof(QlxNetworkInfo, EncryptKey) == 57, "QlxNetworkInfo layout");
static_assert(offsetof(QlxNetworkInfo, reserved) == 122, "QlxNetworkInfo layout");

constexpr std::size_t QLX_CAL_SERIAL_SIZE = 4; ///< packed BCD, most significant byte first
constexpr std::size_t QLX_WHITE_VALUE_COUNT = 38;
constexpr std::size_t QLX_AMBIENT_VALUE_COUNT = 75;
constexpr std::size_t QLX_OTHER_CALIB_DATA_SIZE = 2048;

struct QlxRefWhite
{
    uint8_t serialNo[QLX_CAL_SERIAL_SIZE];
    float spcData[QLX_WHITE_VALUE_COUNT];
};
static_assert(sizeof(QlxRefWhite) == 156, "QlxRefWhite layout");
static_assert(offsetof(QlxRefWhite, spcData) == 4, "QlxRefWhite layout");

struct QlxRefAmbient
{
    uint8_t serialNo[QLX_CAL_SERIAL_SIZE];
    float spcData[QLX_AMBIENT_VALUE_COUNT];
};
static_assert(sizeof(QlxRefAmbient) == 304, "QlxRefAmbient layout");
static_assert(offsetof(QlxRefAmbient, spcData) == 4, "QlxRefAmbient layout");

// Factory calibration record CALREFDATA.
struct QlxCalRefData
{
    QlxRefWhite rfWhite;
    QlxRefAmbient rfAmbient;
    uint8_t otherCalibData[QLX_OTHER_CALIB_DATA_SIZE]; ///< never interpreted or changed by the tool
};
constexpr std::size_t QLX_CAL_REF_DATA_SIZE = 2508;
static_assert(sizeof(QlxCalRefData) == QLX_CAL_REF_DATA_SIZE, "QlxCalRefData layout");
static_assert(offsetof(QlxCalRefData, rfWhite) == 0, "QlxCalRefData layout");
static_assert(offsetof(QlxCalRefData, rfWhite) + offsetof(QlxRefWhite, spcData) == 4, "QlxCalRefData layout");
static_assert(offsetof(QlxCalRefData, rfAmbient) == 156, "QlxCalRefData layout");
static_assert(offsetof(QlxCalRefData, rfAmbient) + offsetof(QlxRefAmbient, spcData) == 160,
              "QlxCalRefData layout");
static_assert(offsetof(QlxCalRefData, otherCalibData) == 460, "QlxCalRefData layout");

// Factory option record ACTIONOPTIONDATA.
struct QlxActionOptionData
{
    uint8_t wifiModuleEnable; ///< non-zero: the wireless LAN module is enabled
    uint8_t reserved[15];     ///< carried as the library fills it
};
constexpr std::size_t QLX_ACTION_OPTION_DATA_SIZE = 16;
static_assert(sizeof(QlxActionOptionData) == QLX_ACTION_OPTION_DATA_SIZE, "QlxActionOptionData layout");
static_assert(offsetof(QlxActionOptionData, wifiModuleEnable) == 0, "QlxActionOptionData layout");

// Automatic power-off mode, one byte.
typedef uint8_t QlxShutdownMode;
enum : QlxShutdownMode
{
    QLX_SHUTDOWN_DISABLED = 0,
    QLX_SHUTDOWN_15_MIN = 1,
    QLX_SHUTDOWN_30_MIN = 2,
    QLX_SHUTDOWN_60_MIN = 3,
};
static_assert(sizeof(QlxShutdownMode) == 1, "QlxShutdownMode layout");

// Capacity of the port table the tool hands to QLX_GetDevicePortList.
constexpr uint32_t QLX_PORT_TABLE_CAPACITY = 100;

extern "C" {

// Registers the event handler; a null handler removes it.
QLXSDK_API int32_t QLX_RegisterDeviceEventHandler(QlxEventHandler handler);
// Sets *count to the number of reachable instruments and fills up to capacity records of table
// (table may be null with capacity 0 to ask for the count only).
QLXSDK_API int32_t QLX_GetDevicePortList(QlxPortInfo *table, uint32_t *count, uint32_t capacity);
// Connects to the instrument described by a record from the port list.
QLXSDK_API int32_t QLX_Connect(QlxPortInfo *port, int32_t connectParam);
QLXSDK_API int32_t QLX_Disconnect(void);
QLXSDK_API int32_t QLX_GetDeviceInfo(QlxDeviceInfo *info);
QLXSDK_API int32_t QLX_GetNetworkInfo(QlxNetworkInfo *info);
// Stores the settings; the instrument applies them after it is switched off and on.
QLXSDK_API int32_t QLX_SetNetworkInfo(QlxNetworkInfo *info);
QLXSDK_API int32_t QLX_GetShutdownTime(QlxShutdownMode *mode);
QLXSDK_API int32_t QLX_SetShutdownTime(QlxShutdownMode *mode);
QLXSDK_API int32_t QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA(QlxActionOptionData *data);
QLXSDK_API int32_t QLX_JIG_GetFactoryCalib_CALREFDATA(QlxCalRefData *data);
// Takes the record over; QLX_JIG_SetFactoryCalib_WriteSector stores it.
QLXSDK_API int32_t QLX_JIG_SetFactoryCalib_CALREFDATA(QlxCalRefData *data);
QLXSDK_API int32_t QLX_JIG_SetFactoryCalib_WriteSector(void);

} // extern "C"
