#pragma once
// How much a sweep may commit without taking the system's last commit: what
// Windows has left of its commit limit (physical memory plus page files),
// less a reserve. At the limit other programs' allocations fail, and a
// page file that the system manages grows by gigabytes.
#include <windows.h>

using TMemoryStatusEx = decltype(&::GlobalMemoryStatusEx);

// GlobalMemoryStatusEx, looked up at run time: Windows 95, 98 and NT 4, where
// the 32-bit program also runs, do not have it (null there), and importing it
// would keep the program from loading on them.
TMemoryStatusEx SystemMemoryStatusEx();

// The commit available less a tenth of the commit limit, read
// now; 0 when less than the reserve is left. Without a reading (no function,
// or it fails) there is no budget to keep: the largest SIZE_T, and a sweep
// takes what the system gives, as on the systems that cannot tell.
SIZE_T CommitBudget(TMemoryStatusEx readStatus);
