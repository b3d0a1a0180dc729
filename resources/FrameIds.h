#pragma once
// Resource ids of the tray animation strips, shared by the .rc and the code:
// one strip and its mask for each size the notification area's slot takes.
#define IDB_SWEEP_FRAMES_16 101
#define IDB_SWEEP_FRAME_MASKS_16 102
#define IDB_SWEEP_FRAMES_20 103
#define IDB_SWEEP_FRAME_MASKS_20 104
#define IDB_SWEEP_FRAMES_24 105
#define IDB_SWEEP_FRAME_MASKS_24 106
#define IDB_SWEEP_FRAMES_32 107
#define IDB_SWEEP_FRAME_MASKS_32 108
