// The library's exported C functions: the maker's QLX_ interface and the QLXSIM_ control
// interface, each a thin call into the one Simulator.

#include "QlxSimControl.h"
#include "Simulator.h"

namespace qlxsim {
namespace {

Simulator &sim()
{
    return Simulator::instance();
}

} // namespace
} // namespace qlxsim

using qlxsim::Function;
using qlxsim::LoadedFile;
using qlxsim::Session;
using qlxsim::sim;

extern "C" {

int32_t QLX_RegisterDeviceEventHandler(QlxEventHandler handler)
{
    return sim().registerHandler(handler);
}

int32_t QLX_GetDevicePortList(QlxPortInfo *table, uint32_t *count, uint32_t capacity)
{
    return sim().portList(table, count, capacity);
}

// The simulated instruments need no connect parameter; any value is accepted.
int32_t QLX_Connect(QlxPortInfo *port, int32_t)
{
    return sim().connect(port);
}

int32_t QLX_Disconnect(void)
{
    return sim().disconnect();
}

int32_t QLX_GetDeviceInfo(QlxDeviceInfo *info)
{
    return sim().onInstrument(Function::GET_DEVICE_INFO, info != nullptr,
                              [info](const LoadedFile &file, Session &) {
                                  *info = file.instrument.device;
                                  return int32_t(QLX_SUCCESS);
                              });
}

int32_t QLX_GetNetworkInfo(QlxNetworkInfo *info)
{
    return sim().onInstrument(Function::GET_NETWORK_INFO, info != nullptr,
                              [info](const LoadedFile &file, Session &) {
                                  *info = file.instrument.network;
                                  return int32_t(QLX_SUCCESS);
                              });
}

int32_t QLX_SetNetworkInfo(QlxNetworkInfo *info)
{
    return sim().onInstrument(Function::SET_NETWORK_INFO, info != nullptr,
                              [info](const LoadedFile &file, Session &session) {
                                  QJsonObject json = file.json;
                                  qlxsim::storeNetwork(json, *info);
                                  return qlxsim::saveChanges(session.filePath, json);
                              });
}

int32_t QLX_GetShutdownTime(QlxShutdownMode *mode)
{
    return sim().onInstrument(Function::GET_SHUTDOWN_TIME, mode != nullptr,
                              [mode](const LoadedFile &file, Session &) {
                                  *mode = file.instrument.shutdownMode;
                                  return int32_t(QLX_SUCCESS);
                              });
}

int32_t QLX_SetShutdownTime(QlxShutdownMode *mode)
{
    return sim().onInstrument(Function::SET_SHUTDOWN_TIME, mode != nullptr,
                              [mode](const LoadedFile &file, Session &session) {
                                  QJsonObject json = file.json;
                                  qlxsim::storeShutdownMode(json, *mode);
                                  return qlxsim::saveChanges(session.filePath, json);
                              });
}

int32_t QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA(QlxActionOptionData *data)
{
    return sim().onInstrument(Function::GET_ACTION_OPTION_DATA, data != nullptr,
                              [data](const LoadedFile &file, Session &) {
                                  *data = file.instrument.options;
                                  return int32_t(QLX_SUCCESS);
                              });
}

int32_t QLX_JIG_GetFactoryCalib_CALREFDATA(QlxCalRefData *data)
{
    return sim().onInstrument(Function::GET_CAL_REF_DATA, data != nullptr,
                              [data](const LoadedFile &file, Session &) {
                                  *data = file.instrument.calibration;
                                  return int32_t(QLX_SUCCESS);
                              });
}

int32_t QLX_JIG_SetFactoryCalib_CALREFDATA(QlxCalRefData *data)
{
    return sim().onInstrument(Function::SET_CAL_REF_DATA, data != nullptr,
                              [data](const LoadedFile &, Session &session) {
                                  session.pending = *data;
                                  return int32_t(QLX_SUCCESS);
                              });
}

int32_t QLX_JIG_SetFactoryCalib_WriteSector(void)
{
    return sim().onInstrument(Function::WRITE_SECTOR, true, [](const LoadedFile &file, Session &session) {
        if (!session.pending)
            return int32_t(QLX_ERROR_NO_DATA);
        QlxCalRefData stored = *session.pending;
        // An instrument that stores a record differently from what it was sent, to prove the
        // tool's read-back check.
        if (file.instrument.readBackDiffers)
            stored.otherCalibData[0] = static_cast<uint8_t>(~stored.otherCalibData[0]);
        QJsonObject json = file.json;
        qlxsim::storeCalibration(json, stored);
        const int32_t status = qlxsim::saveChanges(session.filePath, json);
        if (qlxSucceeded(status))
            session.pending.reset();
        return status;
    });
}

void QLXSIM_SetDirectory(const char *directory)
{
    sim().setDirectory(directory);
}

void QLXSIM_InjectStatus(const char *functionName, int32_t status)
{
    sim().injectStatus(functionName, status, 0);
}

void QLXSIM_InjectStatusAfter(const char *functionName, int32_t status, uint32_t callsToSkip)
{
    sim().injectStatus(functionName, status, callsToSkip);
}

void QLXSIM_ClearInjectedStatuses(void)
{
    sim().clearInjectedStatuses();
}

void QLXSIM_FireEvent(int32_t eventCode, int32_t rawDataCount, int32_t error)
{
    sim().fireEvent(eventCode, rawDataCount, error);
}

uint32_t QLXSIM_CallCount(const char *functionName)
{
    return sim().callCount(functionName);
}

void QLXSIM_Reset(void)
{
    sim().reset();
}

} // extern "C"
