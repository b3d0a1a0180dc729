// Which libraries a process has loaded, for the security test:
//   modules PID        the full path of every module of the process, one a line
//   modules load NAME  loads a library by its bare name, as a program that
//                      does not narrow its search path would (exit code 0
//                      when it was found)
// Exit code 1 when the process cannot be looked into, 2 on bad usage.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Owned.h"

namespace {

int PrintModules(DWORD pid) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
  if (snapshot == INVALID_HANDLE_VALUE) return 1;
  TOwnedHandle owned(snapshot);
  MODULEENTRY32 module{};
  module.dwSize = sizeof(module);
  for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module))
    std::printf("%s\n", module.szExePath);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "load") return LoadLibraryA(argv[2]) ? 0 : 1;
  if (argc == 2) return PrintModules(std::strtoul(argv[1], nullptr, 0));
  std::fprintf(stderr, "usage: modules PID | modules load NAME\n");
  return 2;
}
