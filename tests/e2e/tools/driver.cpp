// Drives the running program from outside, as a user or the shell would:
// finds its windows, sends and posts messages, reads window texts and the
// tray and menu windows Wine draws. One command per run; prints results on
// stdout; exit code 0 on success, 1 when the thing looked for is not there
// (and says why on stderr, "driver: ..."), 2 on bad usage.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/InstanceKey.h"
#include "base/ComPtr.h"
#include "base/WideText.h"
#include "shell/ComApartment.h"
#include "tray/SimpleTaskTray.h"

namespace {

// Why a command failed, for the test that reads it.
int Failed(const std::string& why) {
  std::fprintf(stderr, "driver: %s\n", why.c_str());
  return 1;
}
int Found(bool found, const std::string& what) { return found ? 0 : Failed("no " + what); }
std::string LastError() { return "error " + std::to_string(GetLastError()); }


struct TFound {
  std::vector<HWND> Windows;
  std::string ClassName;
  DWORD Pid = 0;
  bool VisibleOnly = false;
};

std::string ClassOf(HWND wnd) {
  char name[256] = "";
  GetClassNameA(wnd, name, sizeof(name));
  return name;
}

std::string TextOf(HWND wnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return "";
  std::vector<char> buffer(length + 2);
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(wnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                      5000, &copied);
  return std::string(buffer.data(), copied);
}

DWORD PidOf(HWND wnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  return pid;
}

BOOL CALLBACK Collect(HWND wnd, LPARAM param) {
  auto* found = reinterpret_cast<TFound*>(param);
  if (!found->ClassName.empty() && ClassOf(wnd) != found->ClassName) return TRUE;
  if (found->Pid && PidOf(wnd) != found->Pid) return TRUE;
  if (found->VisibleOnly && !IsWindowVisible(wnd)) return TRUE;
  found->Windows.push_back(wnd);
  return TRUE;
}

std::vector<HWND> TopLevel(const std::string& className, DWORD pid = 0, bool visibleOnly = false) {
  TFound found;
  found.ClassName = className;
  found.Pid = pid;
  found.VisibleOnly = visibleOnly;
  EnumWindows(&Collect, reinterpret_cast<LPARAM>(&found));
  return found.Windows;
}

std::vector<HWND> Children(HWND parent, const std::string& className = "") {
  TFound found;
  found.ClassName = className;
  EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&found));
  return found.Windows;
}

std::vector<HWND> ApplicationWindows() {
  std::vector<HWND> result;
  for (HWND wnd : TopLevel("")) {
    if (GetPropA(wnd, InstanceKey)) result.push_back(wnd);
  }
  return result;
}

unsigned long Number(const char* text) { return std::strtoul(text, nullptr, 0); }
HWND WindowArg(const char* text) { return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(Number(text))); }

// The messages the scripts name, so that no script keeps numbers of its own.
const std::pair<const char*, UINT> MessageNames[] = {
    {"WM_DESTROY", WM_DESTROY}, {"WM_CLOSE", WM_CLOSE}, {"WM_QUERYENDSESSION", WM_QUERYENDSESSION},
    {"WM_QUIT", WM_QUIT}, {"WM_ENDSESSION", WM_ENDSESSION}, {"WM_CONTEXTMENU", WM_CONTEXTMENU},
    {"WM_NCDESTROY", WM_NCDESTROY}, {"WM_COMMAND", WM_COMMAND}, {"WM_LBUTTONDOWN", WM_LBUTTONDOWN},
    {"WM_LBUTTONUP", WM_LBUTTONUP}, {"WM_RBUTTONDOWN", WM_RBUTTONDOWN}, {"NIN_KEYSELECT", NIN_KEYSELECT},
    {"WM_TRAYNOTIFY", WM_TRAYNOTIFY}};

// A message or a parameter as a script writes it: a number, or a name from
// the table. A misspelt name is refused, never taken for message 0.
bool MessageArg(const char* text, unsigned long& value) {
  for (const auto& [name, number] : MessageNames) {
    if (std::strcmp(name, text) != 0) continue;
    value = number;
    return true;
  }
  char* end = nullptr;
  value = std::strtoul(text, &end, 0);
  if (end != text && *end == '\0') return true;
  std::fprintf(stderr, "driver: %s is neither a number nor a message name\n", text);
  return false;
}

// A window's text on one line: any program may have set it to anything.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  }
  return text;
}

void PrintWindow(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  std::printf("0x%lx %lu %s %d %ld,%ld,%ld,%ld %d \"%s\"\n",
              static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(wnd)), PidOf(wnd), ClassOf(wnd).c_str(),
              IsWindowVisible(wnd) ? 1 : 0, r.left, r.top, r.right - r.left, r.bottom - r.top,
              IsWindowEnabled(wnd) ? 1 : 0, OneLine(TextOf(wnd)).c_str());
}

// The icons Wine shows in its own tray window when no window manager runs.
std::vector<HWND> TrayIcons() {
  std::vector<HWND> icons;
  for (HWND tray : TopLevel("__winex11_standalone_tray")) {
    for (HWND icon : Children(tray, "__winex11_tray_icon")) {
      if (IsWindowVisible(icon)) icons.push_back(icon);
    }
  }
  return icons;
}

HWND TrayIcon(const char* which) {
  HWND wanted = WindowArg(which);
  for (HWND icon : TrayIcons()) {
    if (icon == wanted) return icon;
  }
  return nullptr;
}

// Prints every process that starts within the time, other than the test's
// own tools, by polling the system's process list.
int WatchProcesses(unsigned long milliseconds) {
  auto snapshot = [] {
    std::vector<std::pair<DWORD, std::string>> processes;
    HANDLE list = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (list == INVALID_HANDLE_VALUE) return processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(list, &entry); more; more = Process32Next(list, &entry))
      processes.emplace_back(entry.th32ProcessID, entry.szExeFile);
    CloseHandle(list);
    return processes;
  };
  auto known = snapshot();
  const DWORD started = GetTickCount();
  int found = 0;
  do {
    for (const auto& process : snapshot()) {
      bool seen = false;
      for (const auto& old : known) seen = seen || old.first == process.first;
      // A process that is still starting has no name yet: looked at again.
      if (seen || process.second.empty()) continue;
      known.push_back(process);
      if (lstrcmpiA(process.second.c_str(), "driver.exe") == 0 || lstrcmpiA(process.second.c_str(), "storm.exe") == 0)
        continue;
      std::printf("%lu %s\n", process.first, process.second.c_str());
      std::fflush(stdout);
      ++found;
    }
    Sleep(20);
  } while (GetTickCount() - started < milliseconds);
  return Found(found != 0, "process started");
}

// Sends a message without waiting in the send: prints "queued" once it is in
// the receiver's queue, then "result N" once the receiver has handled it. A
// test can so queue a sent message while the program is frozen and learn
// when, after it resumes, the message was answered.
bool Answered = false;
LRESULT Answer = 0;
void CALLBACK NoteAnswer(HWND, UINT, ULONG_PTR, LRESULT result) {
  Answered = true;
  Answer = result;
}

int SendQueued(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!SendMessageCallbackA(wnd, msg, wParam, lParam, &NoteAnswer, 0)) return Failed("send failed: " + LastError());
  std::printf("queued\n");
  std::fflush(stdout);
  const DWORD deadline = GetTickCount() + 120000;
  while (!Answered && static_cast<LONG>(deadline - GetTickCount()) > 0) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG pending;
    while (PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&pending);
  }
  if (!Answered) return Failed("no answer within 120 s");
  std::printf("result %lu\n", static_cast<unsigned long>(Answer));
  return 0;
}

// Prints a UTF-16 text as UTF-8, the encoding of the scripts that read it:
// a path the ANSI code page cannot spell comes through whole.
void PrintUtf8(const char* label, const wchar_t* text) {
  std::printf("%s=%s\n", label, TWideText(text).ToAnsi(CP_UTF8).c_str());
}

// Reads a shortcut back through the shell's own link object, in UTF-16
// throughout; the path is the command's last argument, taken from the wide
// command line so that no code page spoils it. Wine stores the target a
// second time as an ANSI path ("target"); the shell's item list ("item")
// keeps the real one.
int PrintShortcut() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args) return Failed("cannot read the command line");
  TWideText path(args[count - 1]);
  LocalFree(args);
  TComApartment com;
  IShellLinkW* created = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&created))))
    return Failed("no shell link object");
  TComPtr<IShellLinkW> link(created);
  TComPtr<IPersistFile> file = QueryComInterface<IPersistFile>(link.Get(), IID_IPersistFile);
  if (!file || FAILED(file.Get()->Load(path.c_str(), STGM_READ))) return Failed("cannot load the shortcut");
  wchar_t target[1024] = L"", arguments[1024] = L"", directory[1024] = L"";
  link.Get()->GetPath(target, 1024, nullptr, SLGP_RAWPATH);
  link.Get()->GetArguments(arguments, 1024);
  link.Get()->GetWorkingDirectory(directory, 1024);
  PrintUtf8("target", target);
  LPITEMIDLIST list = nullptr;
  wchar_t listPath[1024] = L"";
  if (SUCCEEDED(link.Get()->GetIDList(&list)) && list) {
    SHGetPathFromIDListW(list, listPath);
    CoTaskMemFree(list);
  }
  PrintUtf8("item", listPath);
  PrintUtf8("arguments", arguments);
  PrintUtf8("directory", directory);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: driver <command> [args]\n"
               "  app                      application windows carrying the instance property\n"
               "  prop HWND                data of the instance property\n"
               "  windows [PID]            top-level windows (of a process)\n"
               "  children HWND            child windows\n"
               "  find CLASS [PID]         top-level windows of a class\n"
               "  text HWND                window text\n"
               "  post HWND MSG WPARAM LPARAM [TIMES]   posts it once or TIMES times\n"
               "  send HWND MSG WPARAM LPARAM   prints the result\n"
               "  send-queued HWND MSG WPARAM LPARAM   prints \"queued\", then \"result N\" once answered\n"
               "                           (MSG, WPARAM, LPARAM: numbers, or message names such as WM_CLOSE)\n"
               "  broadcast MSGNAME        posts a registered message to every top-level window\n"
               "  register MSGNAME         prints the registered message number\n"
               "  tray-icons               count of icons in Wine's tray window\n"
               "  tray-list                the icon windows in Wine's tray window\n"
               "  tray-click ICON BUTTON   posts a click (left|right|leftdouble) to a tray icon window\n"
               "  menu                     visible popup menu windows\n"
               "  key HWND VK              posts key down and up\n"
               "  mutex                    exit 0 when the single-instance mutex exists\n"
               "  tooltips                 texts of visible tooltip windows (balloons)\n"
               "  tray-rect ICON           screen rectangle of a tray icon window\n"
               "  watch-processes MS       prints the processes that start within MS milliseconds\n"
               "  shortcut PATH            a .lnk file's target (as stored), item (the shell's own\n"
               "                           target), arguments and working directory, in UTF-8\n"
               "  terminate PID            ends a Windows process by its id\n"
               "\n  windows are printed as: HWND PID CLASS VISIBLE LEFT,TOP,WIDTH,HEIGHT ENABLED \"TEXT\"\n");
  return 2;
}

int Run(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "app") {
    std::vector<HWND> apps = ApplicationWindows();
    for (HWND wnd : apps) PrintWindow(wnd);
    return Found(!apps.empty(), "application window carries the instance property");
  }
  if (command == "prop" && argc == 3) {
    HANDLE data = GetPropA(WindowArg(argv[2]), InstanceKey);
    std::printf("0x%lx\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(data)));
    return Found(data != nullptr, "instance property on that window");
  }
  if (command == "windows") {
    std::vector<HWND> windows = TopLevel("", argc >= 3 ? Number(argv[2]) : 0);
    for (HWND wnd : windows) PrintWindow(wnd);
    return Found(!windows.empty(), "top-level window of that process");
  }
  if (command == "children" && argc == 3) {
    std::vector<HWND> children = Children(WindowArg(argv[2]));
    for (HWND wnd : children) PrintWindow(wnd);
    return Found(!children.empty(), IsWindow(WindowArg(argv[2])) ? "child windows" : "such window");
  }
  if (command == "find" && argc >= 3) {
    std::vector<HWND> windows = TopLevel(argv[2], argc >= 4 ? Number(argv[3]) : 0);
    for (HWND wnd : windows) PrintWindow(wnd);
    return Found(!windows.empty(), std::string("window of class ") + argv[2]);
  }
  if (command == "text" && argc == 3) {
    HWND wnd = WindowArg(argv[2]);
    if (!IsWindow(wnd)) return Failed("no such window");
    std::printf("%s\n", TextOf(wnd).c_str());
    return 0;
  }
  if ((command == "post" && (argc == 6 || argc == 7)) ||
      ((command == "send" || command == "send-queued") && argc == 6)) {
    HWND wnd = WindowArg(argv[2]);
    unsigned long msg = 0, wParam = 0, number = 0;
    if (!MessageArg(argv[3], msg) || !MessageArg(argv[4], wParam) || !MessageArg(argv[5], number)) return 2;
    const LPARAM lParam = static_cast<LPARAM>(number);
    if (command == "send-queued") return SendQueued(wnd, msg, wParam, lParam);
    if (command == "post") {
      for (unsigned long times = argc == 7 ? Number(argv[6]) : 1; times > 0; --times) {
        if (!PostMessageA(wnd, msg, wParam, lParam)) return Failed("post failed: " + LastError());
      }
      return 0;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(wnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result))
      return Failed("no answer within 10 s: " + LastError());
    std::printf("%lu\n", static_cast<unsigned long>(result));
    return 0;
  }
  if (command == "register" && argc == 3) {
    std::printf("%u\n", RegisterWindowMessageA(argv[2]));
    return 0;
  }
  if (command == "broadcast" && argc == 3) {
    return PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(argv[2]), 0, 0) ? 0 : Failed("broadcast failed: " + LastError());
  }
  if (command == "tray-icons") {
    std::printf("%u\n", static_cast<unsigned>(TrayIcons().size()));
    return 0;
  }
  if (command == "tray-list") {
    for (HWND icon : TrayIcons()) std::printf("0x%lx\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(icon)));
    return 0;
  }
  if (command == "tray-rect" && argc == 3) {
    HWND icon = TrayIcon(argv[2]);
    if (!icon) return Failed("no such icon in Wine's tray");
    RECT r{};
    GetWindowRect(icon, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (command == "watch-processes" && argc == 3) {
    return WatchProcesses(Number(argv[2]));
  }
  if (command == "shortcut" && argc == 3) {
    return PrintShortcut();
  }
  if (command == "terminate" && argc == 3) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, Number(argv[2]));
    if (!process) return Failed("cannot open the process: " + LastError());
    BOOL ended = TerminateProcess(process, 99);
    CloseHandle(process);
    return ended ? 0 : Failed("cannot end the process: " + LastError());
  }
  if (command == "tray-click" && argc == 4) {
    HWND icon = TrayIcon(argv[2]);
    if (!icon) return Failed("no such icon in Wine's tray");
    const std::string button = argv[3];
    LPARAM at = MAKELPARAM(10, 10);
    if (button == "right") {
      PostMessageA(icon, WM_RBUTTONDOWN, MK_RBUTTON, at);
      PostMessageA(icon, WM_RBUTTONUP, 0, at);
    } else if (button == "left") {
      PostMessageA(icon, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageA(icon, WM_LBUTTONUP, 0, at);
    } else if (button == "leftdouble") {
      PostMessageA(icon, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
      PostMessageA(icon, WM_LBUTTONUP, 0, at);
    } else {
      return Usage();
    }
    return 0;
  }
  if (command == "menu") {
    std::vector<HWND> menus = TopLevel("#32768", 0, true);
    for (HWND wnd : menus) PrintWindow(wnd);
    return Found(!menus.empty(), "menu open");
  }
  if (command == "key" && argc == 4) {
    HWND wnd = WindowArg(argv[2]);
    WPARAM vk = Number(argv[3]);
    if (!PostMessageA(wnd, WM_KEYDOWN, vk, 1)) return Failed("post failed: " + LastError());
    PostMessageA(wnd, WM_KEYUP, vk, 0xC0000001);
    return 0;
  }
  if (command == "mutex") {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, InstanceKey);
    if (!mutex) return Failed("single-instance mutex");
    CloseHandle(mutex);
    return 0;
  }
  if (command == "tooltips") {
    std::vector<HWND> tips = TopLevel("tooltips_class32", 0, true);
    for (HWND wnd : tips) std::printf("%s\n", TextOf(wnd).c_str());
    return Found(!tips.empty(), "tooltip shown");
  }
  return Usage();
}

}  // namespace

int main(int argc, char** argv) { return Run(argc, argv); }
