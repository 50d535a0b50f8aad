#pragma once
// Ctrl+C while kt9-cli works through its instruments: the first one asks it to stop once the
// instrument in hand is finished and disconnected; a second one ends the process at once.

// Installs the handler for SIGINT (POSIX, and the Windows console's Ctrl+C).
void watchForInterrupt();
// True once Ctrl+C was pressed.
bool interruptRequested();
