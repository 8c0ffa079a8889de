// corvandel_bench_launch: start-up of two programs, in pairs (A B A B ...).
//
//   corvandel_bench_launch PAIRS EXE_A NAME_A EXE_B NAME_B
//
// Each run starts the exe with CreateProcess and takes two times from the
// launch: the first moment one of its tree views (SysTreeView32) answers
// TVM_GETCOUNT with an item, and the moment WaitForInputIdle, called then,
// returns. (Wine answers a message sent from another process only while the
// program waits for messages, and marks a program idle the first time it
// waits with an empty queue, which may come before its tree.) Then
// the program is closed (WM_CLOSE to its top-level windows) and the next
// starts. Prints the medians with their ranges, and the B/A... ratios pair by
// pair.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/clock_win32.h"
#include "bench/stats.h"

namespace corvandel {
namespace {

struct Search {
  DWORD processId;
  std::vector<HWND> topLevel;
  bool filled = false;
};

BOOL CALLBACK CheckChild(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  char name[32] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpiA(name, WC_TREEVIEWA) != 0) return TRUE;
  DWORD_PTR count = 0;
  if (SendMessageTimeoutA(window, TVM_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2, &count) && count > 0) {
    search.filled = true;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CheckTopLevel(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId) return TRUE;
  search.topLevel.push_back(window);
  if (!search.filled) EnumChildWindows(window, CheckChild, param);
  return TRUE;
}

struct Run {
  double tree = 0;
  double idle = 0;
};

bool Launch(const std::string& exe, Run* run) {
  std::string commandLine = "\"" + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const double start = Now();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  Search search{process.dwProcessId, {}, false};
  const double deadline = start + 10000;
  while (!search.filled && Now() < deadline) {
    search.topLevel.clear();
    EnumWindows(CheckTopLevel, reinterpret_cast<LPARAM>(&search));
    if (!search.filled) Sleep(1);
  }
  const double treeAt = Now();
  WaitForInputIdle(process.hProcess, 10000);
  run->tree = treeAt - start;
  run->idle = Now() - start;
  search.topLevel.clear();
  EnumWindows(CheckTopLevel, reinterpret_cast<LPARAM>(&search));
  for (HWND window : search.topLevel) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return search.filled;
}

}  // namespace
}  // namespace corvandel

int main(int argc, char** argv) {
  using namespace corvandel;
  if (argc != 6) {
    std::fprintf(stderr, "usage: corvandel_bench_launch PAIRS EXE_A NAME_A EXE_B NAME_B\n");
    return 2;
  }
  const int pairs = std::atoi(argv[1]);
  std::vector<double> treeA, treeB, idleA, idleB, treeRatio, idleRatio;
  for (int pair = 0; pair < pairs; ++pair) {
    Run a, b;
    if (!Launch(argv[2], &a) || !Launch(argv[4], &b)) {
      std::fprintf(stderr, "pair %d: a program showed no filled tree\n", pair + 1);
      return 1;
    }
    treeA.push_back(a.tree);
    treeB.push_back(b.tree);
    idleA.push_back(a.idle);
    idleB.push_back(b.idle);
    treeRatio.push_back(a.tree / b.tree);
    idleRatio.push_back(a.idle / b.idle);
  }
  const std::string nameA = argv[3], nameB = argv[5];
  const Spread idleOfA = SpreadOf(idleA), idleOfB = SpreadOf(idleB);
  PrintRow(nameA + ": launch to filled tree", SpreadOf(treeA), "ms");
  PrintRow(nameB + ": launch to filled tree", SpreadOf(treeB), "ms");
  PrintRow(nameA + ": launch to input idle", idleOfA, "ms");
  PrintRow(nameB + ": launch to input idle", idleOfB, "ms");
  PrintRow("filled tree, " + nameA + "/" + nameB + " pair by pair", SpreadOf(treeRatio), "x");
  PrintRow("input idle, " + nameA + "/" + nameB + " pair by pair", SpreadOf(idleRatio), "x",
           "ratio of medians " + std::to_string(idleOfA.median / idleOfB.median).substr(0, 4) + " (target <= 1.0)");
  return 0;
}
