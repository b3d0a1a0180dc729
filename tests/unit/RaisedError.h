#pragma once
// The error of type E that a call raised, or none, for a check at the test's
// own line; an error of another type passes through and fails the test.
#include <optional>
#include <string>

#include "base/Error.h"

template <class E = EError, class TCall> std::optional<E> Raised(TCall call) {
  try {
    call();
  } catch (const E& error) {
    return error;
  }
  return std::nullopt;
}
template <class E = EError, class TCall> std::string RaisedText(TCall call) {
  const std::optional<E> error = Raised<E>(call);
  return error ? error->what() : "(no error raised)";
}
