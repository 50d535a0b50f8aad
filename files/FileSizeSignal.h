#pragma once

// Makes a write beyond the process's file-size limit fail with an error (EFBIG), which the file
// writers handle, instead of the signal SIGXFSZ ending the process in the middle of a save.
// Called once at start-up; does nothing where the signal does not exist.
void ignoreFileSizeSignal();
