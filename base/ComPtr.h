#pragma once
// COM interfaces owned like every other handle: released once, on every path,
// error paths included.
#include <objbase.h>

#include "base/Owned.h"

template <class I>
struct TComTraits {
  using H = I*;
  static H None() { return nullptr; }
  static void Free(H h) { h->Release(); }
};

template <class I>
using TComPtr = TOwned<TComTraits<I>>;

// Asks source for interface I. The result is empty when the object does not
// support it, the query fails otherwise, or there is no source.
template <class I, class Source>
TComPtr<I> QueryComInterface(Source* source, REFIID iid) {
  I* result = nullptr;
  if (!source) return TComPtr<I>();
  if (FAILED(source->QueryInterface(iid, reinterpret_cast<void**>(&result)))) result = nullptr;
  return TComPtr<I>(result);
}
