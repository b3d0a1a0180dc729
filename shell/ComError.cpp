#include "shell/ComError.h"

#include "base/Digits.h"

namespace {

constexpr DWORD MessageBufferSize = 256;
constexpr UINT ShiftJisCodePage = 932;

}  // namespace

EComError::EComError(HRESULT code) : EError(ComErrorText(code)), FCode(code) {}

std::string SystemErrorMessage(DWORD code) {
  char buffer[MessageBufferSize];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                    FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                nullptr, code, 0, buffer, MessageBufferSize, nullptr);
  if (length > MessageBufferSize) length = 0;
  // System messages end in ".\r\n"; the error report adds its own full stop.
  while (length > 0 && (static_cast<unsigned char>(buffer[length - 1]) <= ' ' || buffer[length - 1] == '.'))
    --length;
  return std::string(buffer, length);
}

std::string ComErrorFallbackText(HRESULT code, UINT codePage) {
  // "OLE エラー" in Shift JIS: katakana e, ra and the long vowel mark.
  const char* prefix = codePage == ShiftJisCodePage ? "OLE \x83\x47\x83\x89\x81\x5B " : "OLE error ";
  return prefix + PaddedDigits(static_cast<unsigned long>(code), 8, 16);
}

std::string ComErrorText(HRESULT code, UINT codePage) {
  std::string message = SystemErrorMessage(static_cast<DWORD>(code));
  return message.empty() ? ComErrorFallbackText(code, codePage) : message;
}
