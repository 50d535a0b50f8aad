#pragma once
// One simulated instrument's JSON form: the records the library hands out read from an
// instrument file's object, and the keys a Set call changes written back into it (the file is the
// instrument's memory; SimInstrumentFile.h reads and replaces the file itself).

#include "instrument/QlxSdk.h"

#include <QJsonObject>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace qlxsim {

// The library's functions, as named in `faults`, in injected statuses and in call counts.
enum class Function : std::size_t
{
    REGISTER_DEVICE_EVENT_HANDLER,
    GET_DEVICE_PORT_LIST,
    CONNECT,
    DISCONNECT,
    GET_DEVICE_INFO,
    GET_NETWORK_INFO,
    SET_NETWORK_INFO,
    GET_SHUTDOWN_TIME,
    SET_SHUTDOWN_TIME,
    GET_ACTION_OPTION_DATA,
    GET_CAL_REF_DATA,
    SET_CAL_REF_DATA,
    WRITE_SECTOR,
};
constexpr std::size_t FUNCTION_COUNT = static_cast<std::size_t>(Function::WRITE_SECTOR) + 1;

// The exported name of a function ("QLX_Connect").
const char *functionName(Function function);
// The function exported under `name`, if any.
std::optional<Function> functionByName(const QString &name);

// Per-function statuses: an entry replaces the function's work (negative) or is returned after it
// (zero or positive).
using StatusTable = std::array<std::optional<int32_t>, FUNCTION_COUNT>;

struct Instrument
{
    QlxPortInfo port{};
    QlxDeviceInfo device{};
    QlxActionOptionData options{};
    QlxShutdownMode shutdownMode = QLX_SHUTDOWN_15_MIN;
    QlxNetworkInfo network{};
    QlxCalRefData calibration{};
    StatusTable faults{};
    bool readBackDiffers = false; ///< a stored calibration record differs from the one sent in one byte
    int latencyMs = 0;            ///< every call on this instrument takes at least this long
    bool unplugged = false;       ///< not listed, every call fails
};

// Builds an instrument from its file's JSON object; every key is optional. On a malformed key
// returns nothing and sets *error to the key and the reason.
std::optional<Instrument> parseInstrument(const QJsonObject &json, QString *error);

// The complete JSON form of an instrument (every key with its value).
QJsonObject instrumentToJson(const Instrument &instrument);

// Replace the keys that the matching Set call changes, keeping every other key (sub-keys of
// `network` and `calibration` that this library does not know included).
void storeNetwork(QJsonObject &json, const QlxNetworkInfo &network);
void storeShutdownMode(QJsonObject &json, QlxShutdownMode mode);
void storeCalibration(QJsonObject &json, const QlxCalRefData &calibration);

// The two instruments a new default folder is filled with, as file name and content.
struct DefaultInstrument
{
    QString fileName;
    Instrument instrument;
};
std::array<DefaultInstrument, 2> defaultInstruments();

} // namespace qlxsim
