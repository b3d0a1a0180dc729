#pragma once
// What the sweep command needs of the worker that sweeps while it animates.
#include <cstdint>

class TSweepWorker {
public:
  virtual ~TSweepWorker() = default;
  // True once the memory has been given back; polled by the command.
  virtual bool Done() const = 0;
  // Waits for the worker to end and gives the bytes it swept.
  virtual std::uint64_t Join() = 0;
};
