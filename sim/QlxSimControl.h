#pragma once
// Control interface of the simulated QLXSDK library, for tests and tools. Not part of the
// maker's interface: the tool itself never includes this header.

#include "instrument/QlxSdk.h"

#include <cstdint>

extern "C" {

// Points the library at a directory of instrument files (null: back to QLXSDK_SIM_DIR or the
// default directory). Ends any open session without an event.
QLXSDK_API void QLXSIM_SetDirectory(const char *directory);
// Makes every later call of the named QLX_ function return status instead of doing its work
// (a non-negative status: do the work and return it). Applies to all instruments.
QLXSDK_API void QLXSIM_InjectStatus(const char *functionName, int32_t status);
// Like QLXSIM_InjectStatus, but the next callsToSkip calls of the function still do their work.
QLXSDK_API void QLXSIM_InjectStatusAfter(const char *functionName, int32_t status, uint32_t callsToSkip);
// Removes every status injected with QLXSIM_InjectStatus.
QLXSDK_API void QLXSIM_ClearInjectedStatuses(void);
// Calls the registered handler from a library thread and returns once it has returned.
QLXSDK_API void QLXSIM_FireEvent(int32_t eventCode, int32_t rawDataCount, int32_t error);
// Number of times the named QLX_ function was called since the last reset.
QLXSDK_API uint32_t QLXSIM_CallCount(const char *functionName);
// Ends any open session without an event, clears injected statuses and call counts.
QLXSDK_API void QLXSIM_Reset(void);

} // extern "C"
