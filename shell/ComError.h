#pragma once
// Failures of COM calls, raised as the program's error type so that the
// default error report shows them.
#include <windows.h>
#include <string>

#include "base/Error.h"

class EComError : public EError {
public:
  explicit EComError(HRESULT code);
  HRESULT Code() const { return FCode; }

private:
  HRESULT FCode;
};

// The system's message for the code, without trailing blanks, control
// characters and full stops; empty when the system has none.
std::string SystemErrorMessage(DWORD code);

// The text shown when the system has no message for the code: Japanese where
// the ANSI code page is 932 (Shift JIS), English elsewhere, because those
// Japanese bytes read as garbage under any other code page.
std::string ComErrorFallbackText(HRESULT code, UINT codePage);

// The error's text: the system's message, else the fallback above.
std::string ComErrorText(HRESULT code, UINT codePage = GetACP());

// Raised when an object lacks an interface the program needs.
class EInterfaceNotSupported : public EError {
public:
  EInterfaceNotSupported() : EError("Interface not supported") {}
};
