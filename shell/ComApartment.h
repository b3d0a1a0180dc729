#pragma once
#include <objbase.h>

// COM on the main thread for as long as the object lives: the shell launches
// and the shortcut writer need it. CoInitialize's result is not examined; an
// uninitialise is paired only with an initialise that succeeded.
class TComApartment {
public:
  TComApartment() : FInitialized(SUCCEEDED(CoInitialize(nullptr))) {}
  ~TComApartment() {
    if (FInitialized) CoUninitialize();
  }
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;

private:
  bool FInitialized;
};
