#include "tray/TrayTypes.h"

#include <windows.h>
#include <shellapi.h>

const unsigned TrayBalloonFlags[3] = {NIIF_INFO, NIIF_WARNING, NIIF_ERROR};
const unsigned TrayMessageBoxFlags[3] = {MB_ICONINFORMATION, MB_ICONWARNING, MB_ICONERROR};
