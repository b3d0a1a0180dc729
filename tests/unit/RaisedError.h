#pragma once
// What a call that must fail raised, so that the test checks it at its own
// line. An error of another type passes through, and fails the test.
#include <optional>
#include <string>

#include "base/Error.h"

// The error of type E that the call raised; nothing when it raised none.
template <class E = EError, class TCall> std::optional<E> Raised(TCall call) {
  try {
    call();
  } catch (const E& error) {
    return error;
  }
  return std::nullopt;
}

// The text of the error of type E that the call raised.
template <class E = EError, class TCall> std::string RaisedText(TCall call) {
  const std::optional<E> error = Raised<E>(call);
  return error ? error->what() : "(no error raised)";
}
