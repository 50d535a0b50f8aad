// The Windows DLL entry point of the simulated library: a Windows process that exits ends the
// library's threads before it destroys the library's objects, so the library must not join them
// then.

#include "Simulator.h"

#include <windows.h>

// Called by the C runtime's DLL entry point before it destroys the static objects; reserved is
// non-null when the whole process is ending rather than the library being unloaded.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_DETACH && reserved != nullptr)
        qlxsim::markThreadsEndedByExit();
    return TRUE;
}
