#include "sweep/ZeroFill.h"

#include <emmintrin.h>

#include <cstdint>

// The 32-bit program is built for processors without SSE2: only this
// routine may use it, and only where the processor says it has it.
#if defined(__GNUC__) && defined(__i386__)
#define SWEEPER_TARGET_SSE2 __attribute__((target("sse2")))
#else
#define SWEEPER_TARGET_SSE2
#endif

// Volatile, so that the compiler keeps the 4-byte stores as written: a plain
// loop of zero stores is what it turns into memset, and so into `rep stosb`.
void ZeroFill4(void* block, SIZE_T size) {
  volatile std::uint32_t* words = static_cast<std::uint32_t*>(block);
  for (SIZE_T n = size / 4; n > 0; --n) *words++ = 0;
  volatile unsigned char* rest = reinterpret_cast<volatile unsigned char*>(words);
  // At most three bytes are left: one 2-byte and one 1-byte store.
  if (size & 2) {
    *reinterpret_cast<volatile std::uint16_t*>(rest) = 0;
    rest += 2;
  }
  if (size & 1) *rest = 0;
}

SWEEPER_TARGET_SSE2 void ZeroFill16(void* block, SIZE_T size) {
  __m128i* lines = static_cast<__m128i*>(block);
  const __m128i zero = _mm_setzero_si128();
  for (SIZE_T n = size / 16; n > 0; --n) _mm_stream_si128(lines++, zero);
  // Non-temporal stores are weakly ordered: the fence makes them done before
  // the block is given back or the fill is reported.
  _mm_sfence();
  ZeroFill4(lines, size % 16);
}

TZeroFill ZeroFillForThisProcessor() {
#if defined(_M_X64) || defined(__x86_64__)
  return &ZeroFill16;  // every x64 processor has SSE2
#else
  static const TZeroFill fill = IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) ? &ZeroFill16 : &ZeroFill4;
  return fill;
#endif
}
