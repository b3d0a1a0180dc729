/* The native yardstick for the sweep: a first-touch memset of fresh pages,
   as the Linux kernel hands them out, mapped, filled and unmapped.
   Usage: native_fill MIB... ; prints "native MIB SECONDS" per size, the
   best of three runs. */
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>

static double now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    size_t size = (size_t)strtoul(argv[i], NULL, 10) << 20;
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
      double start = now();
      void* block = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
      if (block == MAP_FAILED) return 1;
      memset(block, 0, size);
      munmap(block, size);
      double seconds = now() - start;
      if (seconds < best) best = seconds;
    }
    printf("native %s %.6f\n", argv[i], best);
  }
  return 0;
}
