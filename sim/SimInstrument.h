#pragma once
// One simulated instrument: a JSON file read into the records the library hands out, and
// updated key by key when the tool writes to the instrument (the file is the instrument's memory).

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
    RegisterDeviceEventHandler,
    GetDevicePortList,
    Connect,
    Disconnect,
    GetDeviceInfo,
    GetNetworkInfo,
    SetNetworkInfo,
    GetShutdownTime,
    SetShutdownTime,
    GetActionOptionData,
    GetCalRefData,
    SetCalRefData,
    WriteSector,
};
constexpr std::size_t kFunctionCount = static_cast<std::size_t>(Function::WriteSector) + 1;

// The exported name of a function ("QLX_Connect").
const char *functionName(Function function);
// The function exported under `name`, if any.
std::optional<Function> functionByName(const QString &name);

// Per-function statuses: an entry replaces the function's work (negative) or is returned after it
// (zero or positive).
using StatusTable = std::array<std::optional<int32_t>, kFunctionCount>;

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

// Largest instrument file read; anything longer is reported as malformed.
constexpr qint64 kMaxFileSize = 1024 * 1024;

struct LoadedFile
{
    enum Kind
    {
        Missing,
        Malformed,
        Valid
    };
    Kind kind = Missing;
    QString error;    ///< why a Malformed file was refused
    QJsonObject json; ///< the file's object (Valid only)
    Instrument instrument;
};

// Reads and parses an instrument file.
LoadedFile loadInstrumentFile(const QString &path);

// Replaces the file with `json` atomically; on failure the old file stays and *error says why.
bool saveInstrumentFile(const QString &path, const QJsonObject &json, QString *error);

// True while the instrument's file exists as a regular file and does not say it is unplugged. A
// file that is not valid JSON counts as present (an editor may be saving it). Uses only the
// standard library (on Windows the Windows API) for file access so that it is safe on the
// watcher thread while the process exits.
bool instrumentPresent(const QString &path);

// The two instruments a new default folder is filled with, as file name and content.
struct DefaultInstrument
{
    QString fileName;
    Instrument instrument;
};
std::array<DefaultInstrument, 2> defaultInstruments();

} // namespace qlxsim
