#pragma once
// Ctrl+C, or a request to end the program, while kt9-cli works through its instruments: the
// first one asks it to stop once the instrument in hand is finished, recorded and disconnected;
// a second one ends the process at once. A request to end comes from a scheduler's time-out or a
// service's stop (SIGTERM), a terminal that went away (SIGHUP), or on Windows Ctrl+Break and the
// console's window being closed.

// Installs the handlers (POSIX signals, the Windows console's control events). A signal that
// the program was started with ignored (nohup) stays ignored.
void watchForInterrupt();
// True once Ctrl+C was pressed or the program was asked to end.
bool interruptRequested();
// True when it was asked to end by something other than Ctrl+C.
bool endRequested();
