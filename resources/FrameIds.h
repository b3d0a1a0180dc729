#pragma once
// Resource ids of the tray animation strip, shared by the .rc and the code.
#define IDB_SWEEP_FRAMES 101
#define IDB_SWEEP_FRAME_MASKS 102
