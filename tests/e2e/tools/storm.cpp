// Sends and posts every message number below WM_USER, and the program's own
// private and registered ones, with random parameters to every window the
// program made (its application window, main window, tray window and, when
// open, the information window and its controls), as any other program may.
//   storm PID SEED SECONDS   one full round at least, more until SECONDS
//                            have passed; prints the seed and what was sent
//   storm PID SEED SECONDS trace   names each message before it goes
// Left out are only the messages that act by design: the session-end pair,
// a quit, close requests to the application, main and information windows,
// keys (the information window closes on any key; system keys close or open
// system menus), system commands that close or open a system menu, the
// taskbar's request to show a window's system menu, and tray callbacks that
// carry a mouse click. Those that are the program's own doing are tested on
// their own.
// Exit code 1 when the process has no window of its own, 2 on bad usage.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/InstanceKey.h"
#include "tray/SimpleTaskTray.h"

namespace {

// A small deterministic generator, so a failing run can be repeated.
class TRandom {
public:
  explicit TRandom(unsigned long seed) : FState(static_cast<DWORD>(seed * 2654435761u + 1)) {}
  DWORD Next() {
    FState ^= FState << 13;
    FState ^= FState >> 17;
    FState ^= FState << 5;
    return FState;
  }

private:
  DWORD FState;
};

enum TKind { kApplication, kMain, kInfoForm, kInfoControl, kOther };

struct TTarget {
  HWND Wnd;
  TKind Kind;
};

std::string ClassOf(HWND wnd) {
  char name[256] = "";
  GetClassNameA(wnd, name, sizeof(name));
  return name;
}

struct TCollect {
  DWORD Pid;
  HINSTANCE Instance;  // the program's module: windows Wine makes in its process have another
  std::vector<TTarget>* Targets;
  TKind Kind;
};

BOOL CALLBACK CollectChild(HWND wnd, LPARAM param) {
  auto* collect = reinterpret_cast<TCollect*>(param);
  collect->Targets->push_back({wnd, collect->Kind});
  return TRUE;
}

BOOL CALLBACK CollectTopLevel(HWND wnd, LPARAM param) {
  auto* collect = reinterpret_cast<TCollect*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid != collect->Pid) return TRUE;
  if (reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(wnd, GWLP_HINSTANCE)) != collect->Instance) return TRUE;
  const std::string name = ClassOf(wnd);
  TKind kind = kOther;
  if (GetPropA(wnd, InstanceKey)) kind = kApplication;
  else if (name == "TDummyMainForm") kind = kMain;
  else if (name == "TInfoForm") kind = kInfoForm;
  collect->Targets->push_back({wnd, kind});
  // The controls of the information window close it with keys like their form.
  TCollect children = *collect;
  children.Kind = kind == kInfoForm ? kInfoControl : kOther;
  EnumChildWindows(wnd, &CollectChild, reinterpret_cast<LPARAM>(&children));
  return TRUE;
}

struct TFindApplication {
  DWORD Pid;
  HWND App;
};

BOOL CALLBACK FindApplication(HWND wnd, LPARAM param) {
  auto* find = reinterpret_cast<TFindApplication*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(wnd, &owner);
  if (owner == find->Pid && GetPropA(wnd, InstanceKey)) find->App = wnd;
  return find->App ? FALSE : TRUE;
}

std::vector<TTarget> ProgramWindows(DWORD pid) {
  std::vector<TTarget> targets;
  TFindApplication find{pid, nullptr};
  EnumWindows(&FindApplication, reinterpret_cast<LPARAM>(&find));
  if (!find.App) return targets;
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(find.App, GWLP_HINSTANCE));
  TCollect collect{pid, instance, &targets, kOther};
  EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&collect));
  return targets;
}

// Key messages, and the input method's, whose default processing posts keys.
bool IsKey(UINT msg) {
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || msg == WM_IME_KEYDOWN || msg == WM_IME_KEYUP;
}

bool ActsByDesign(const TTarget& target, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
    case WM_QUIT:
      return true;
    case WM_CLOSE:
      return target.Kind == kApplication || target.Kind == kMain || target.Kind == kInfoForm;
    case WM_SYSCOMMAND: {
      const WPARAM command = wParam & 0xFFF0;
      return command == SC_CLOSE || command == SC_KEYMENU || command == SC_MOUSEMENU;
    }
    case WM_TRAYNOTIFY:
      return static_cast<UINT>(lParam) >= WM_MOUSEFIRST && static_cast<UINT>(lParam) <= WM_MOUSELAST;
    case 0x313:  // the taskbar's "show the system menu here"
      return true;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
      return true;  // Alt+F4 closes, Alt with a letter or space opens the system menu
    default:
      return IsKey(msg) && (target.Kind == kInfoForm || target.Kind == kInfoControl);
  }
}

// Memory the sender's side of Windows (Wine reads it to carry a message to
// another process) may read and write for messages whose parameters point
// at something: random bytes, strings that end, sizes that fit.
class TArena {
public:
  static constexpr std::size_t Size = 65536;

  LPARAM At(std::size_t offset) { return reinterpret_cast<LPARAM>(FBytes.data() + offset); }

  // Prepares the parameters of a message that carries pointers; false for
  // one that does not.
  bool Prepare(UINT msg, WPARAM& wParam, LPARAM& lParam, TRandom& random) {
    if (!IsPointerMessage(msg)) return false;
    for (auto& byte : FBytes) byte = static_cast<unsigned char>(random.Next());
    std::memset(FBytes.data() + Size - 64, 0, 64);  // every text ends inside
    const LPARAM text = At(Size / 2);
    switch (msg) {
      case WM_NCCREATE:
      case WM_CREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(FBytes.data());
        cs->lpszName = reinterpret_cast<LPCWSTR>(text);
        cs->lpszClass = reinterpret_cast<LPCWSTR>(text);
        break;
      }
      case WM_MDICREATE: {
        auto* mcs = reinterpret_cast<MDICREATESTRUCTW*>(FBytes.data());
        mcs->szClass = reinterpret_cast<LPCWSTR>(text);
        mcs->szTitle = reinterpret_cast<LPCWSTR>(text);
        break;
      }
      case WM_COPYDATA: {
        auto* data = reinterpret_cast<COPYDATASTRUCT*>(FBytes.data());
        data->lpData = reinterpret_cast<void*>(text);
        data->cbData %= Size / 4;
        break;
      }
      case WM_NCCALCSIZE:
        reinterpret_cast<NCCALCSIZE_PARAMS*>(FBytes.data())->lppos = reinterpret_cast<WINDOWPOS*>(text);
        break;
      case WM_DEVICECHANGE:
        reinterpret_cast<DEV_BROADCAST_HDR_SIZE*>(FBytes.data())->Size %= Size / 4;
        break;
      case EM_GETLINE:
        *reinterpret_cast<WORD*>(FBytes.data()) %= Size / 8;
        break;
      case WM_GETTEXT:
      case WM_ASKCBFORMATNAME:
      case EM_SETTABSTOPS:
      case LB_SETTABSTOPS:
      case LB_GETSELITEMS:
        wParam %= Size / 8;
        break;
      case EM_GETSEL:
      case SBM_GETRANGE:
      case CB_GETEDITSEL:
        wParam = At(Size / 4);
        break;
      default:
        break;
    }
    lParam = At(0);
    return true;
  }

private:
  struct DEV_BROADCAST_HDR_SIZE {
    DWORD Size;
  };

  // The messages below WM_USER whose parameters Windows carries across
  // processes as the memory they point at.
  static bool IsPointerMessage(UINT msg) {
    static const UINT pointers[] = {
        WM_SETTEXT, WM_WININICHANGE, WM_DEVMODECHANGE, WM_GETMINMAXINFO, WM_DRAWITEM, WM_MEASUREITEM,
        WM_DELETEITEM, WM_COMPAREITEM, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_HELP, WM_STYLECHANGING,
        WM_STYLECHANGED, WM_GETDLGCODE, EM_GETRECT, EM_SETRECT, EM_SETRECTNP, EM_REPLACESEL,
        SBM_SETSCROLLINFO, SBM_GETSCROLLINFO, SBM_GETSCROLLBARINFO, CB_ADDSTRING, CB_DIR, CB_GETLBTEXT,
        CB_INSERTSTRING, CB_FINDSTRING, CB_SELECTSTRING, CB_GETDROPPEDCONTROLRECT, CB_FINDSTRINGEXACT,
        LB_ADDSTRING, LB_INSERTSTRING, LB_GETTEXT, LB_SELECTSTRING, LB_DIR, LB_FINDSTRING, LB_ADDFILE,
        LB_GETITEMRECT, LB_FINDSTRINGEXACT, WM_NEXTMENU, WM_SIZING, WM_MOVING, WM_MDIGETACTIVE,
        0x22A, 0x22B, 0x22C, 0x22D, 0x22E,  // the undocumented drag-and-drop messages
        WM_NOTIFY, WM_NCCREATE, WM_CREATE,
        WM_MDICREATE, WM_COPYDATA, WM_NCCALCSIZE, WM_DEVICECHANGE, EM_GETLINE, WM_GETTEXT, WM_ASKCBFORMATNAME,
        EM_SETTABSTOPS, LB_SETTABSTOPS, LB_GETSELITEMS, EM_GETSEL, SBM_GETRANGE, CB_GETEDITSEL};
    for (UINT pointer : pointers) {
      if (msg == pointer) return true;
    }
    return false;
  }

  std::vector<unsigned char> FBytes = std::vector<unsigned char>(Size);
};

struct TCounts {
  unsigned long Sent = 0, Answered = 0, Posted = 0, LeftOut = 0;
};

bool Trace = false;  // names each message before it goes, to find the one that hurts

void Deliver(const TTarget& target, UINT msg, TRandom& random, TArena& arena, TCounts& counts) {
  WPARAM wParam = random.Next();
  LPARAM lParam = static_cast<LPARAM>(random.Next());
  if (Trace) {
    std::printf("0x%lx %s 0x%x 0x%lx 0x%lx\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(target.Wnd)),
                ClassOf(target.Wnd).c_str(), msg, static_cast<unsigned long>(wParam), static_cast<unsigned long>(lParam));
    std::fflush(stdout);
  }
  if (ActsByDesign(target, msg, wParam, lParam)) {
    ++counts.LeftOut;
  } else {
    arena.Prepare(msg, wParam, lParam, random);
    DWORD_PTR result = 0;
    ++counts.Sent;
    // A short wait: in the middle of a sweep the program answers only while
    // it waits for the shell.
    const bool answered = SendMessageTimeoutW(target.Wnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 100, &result);
    if (answered) ++counts.Answered;
    if (Trace) std::printf("  sent: %s, window %s%s\n", answered ? "answered" : "no answer", IsWindow(target.Wnd) ? "alive" : "gone", IsWindowVisible(target.Wnd) ? " visible" : "");
  }
  // Posted with parameters of their own; those that carry pointers are
  // refused by Windows for another process.
  wParam = random.Next();
  lParam = static_cast<LPARAM>(random.Next());
  if (ActsByDesign(target, msg, wParam, lParam)) {
    ++counts.LeftOut;
    return;
  }
  if (PostMessageW(target.Wnd, msg, wParam, lParam)) ++counts.Posted;
  // Posted messages are capped per queue: let it drain now and then.
  if (counts.Posted % 500 == 499) Sleep(20);
}

std::vector<UINT> MessageNumbers() {
  std::vector<UINT> numbers;
  for (UINT msg = 0; msg < WM_USER; ++msg) numbers.push_back(msg);
  numbers.push_back(WM_TRAYNOTIFY);
  numbers.push_back(WM_APP + 0x101);  // the application's "run a deferred call"
  numbers.push_back(RegisterWindowMessageA("TaskbarCreated"));
  numbers.push_back(RegisterWindowMessageA(TrayReAddMessageName));
  return numbers;
}

int Storm(DWORD pid, unsigned long seed, unsigned long seconds) {
  std::printf("storm seed %lu\n", seed);
  std::vector<TTarget> targets = ProgramWindows(pid);
  if (targets.empty()) return 1;
  const std::vector<UINT> numbers = MessageNumbers();
  const UINT reAdd = numbers.back();
  TRandom random(seed);
  TArena arena;
  TCounts counts;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  unsigned long rounds = 0;
  do {
    for (const TTarget& target : targets) {
      for (UINT msg : numbers) Deliver(target, msg, random, arena, counts);
      // The re-add request as the tray callback's value, which random
      // values would hardly ever hit.
      SendMessageTimeoutW(target.Wnd, WM_TRAYNOTIFY, 0, reAdd, SMTO_ABORTIFHUNG, 100, nullptr);
      PostMessageW(target.Wnd, WM_TRAYNOTIFY, 0, reAdd);
    }
    ++rounds;
  } while (std::chrono::steady_clock::now() < until);
  std::printf("%u windows, %lu rounds: %lu sent (%lu answered), %lu posted, %lu left out\n",
              static_cast<unsigned>(targets.size()), rounds, counts.Sent, counts.Answered, counts.Posted,
              counts.LeftOut);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5 || (argc == 5 && std::strcmp(argv[4], "trace") != 0)) {
    std::fprintf(stderr, "usage: storm PID SEED SECONDS [trace]\n");
    return 2;
  }
  Trace = argc == 5;
  return Storm(std::strtoul(argv[1], nullptr, 0), std::strtoul(argv[2], nullptr, 0),
               std::strtoul(argv[3], nullptr, 0));
}
