#pragma once
// Zeroing the sweep's block. The block is uncached: on a real PC every store
// to it is one bus transaction, whatever its width (~35 ns in one published
// measurement of uncached store throughput: 228 MB/s with 8-byte stores,
// 465 MB/s with 16-byte ones), so the width of the stores decides how long a
// sweep takes. Assuming that rate, with 16-byte stores 10% of 16 GiB takes
// about 4 s and 50% about 18 s; with 1-byte stores (what `rep stosb` does on
// uncached memory, Intel: fast strings need write-back or write-combining
// memory) a minute and five minutes. Wine ignores PAGE_NOCACHE, so nothing
// run under it shows this: tests/fill_stores_check.py reads the built
// machine code instead.
#include <windows.h>

// Zeroes size bytes from block, which starts on a 16-byte boundary
// (committed memory starts on a page), in one pass from the first byte to the
// last. Each call ends with its stores done.
using TZeroFill = void (*)(void* block, SIZE_T size);

// SSE2 non-temporal 16-byte stores, then one fence. On cached memory (a
// system that ignores the page attribute) they still go around the caches.
void ZeroFill16(void* block, SIZE_T size);
// 4-byte stores, for 32-bit processors without SSE2 that the program still
// runs on: Pentium II and III, early Athlons. Older ones (Pentium MMX, K6-2),
// which Windows XP also ran on, cannot start the program at all: the
// compiler's default target and the C runtime's start-up code use cmov and
// fcomi, Pentium Pro instructions.
void ZeroFill4(void* block, SIZE_T size);
// The widest of the two this processor has, asked once.
TZeroFill ZeroFillForThisProcessor();
