// corvandel_bench_launch: start-up of Corvandel against another program, in
// pairs, each pair measured two ways.
//
//   corvandel_bench_launch PAIRS CORVANDEL_EXE OTHER_EXE OTHER_NAME
//
// Undisturbed: Corvandel notes its own moments (app/startup_notes_win32.h:
// the window shown with its tree filled, and the first time its message loop
// finds nothing to do) in a shared block that this launcher makes, and the
// launcher only waits on the block's event; the other program is timed to
// WaitForInputIdle, which waits on the process without sending it anything.
// Watched (the older method): from the launch, the first moment one of the
// program's tree views (SysTreeView32) answers TVM_GETCOUNT with an item,
// polled every millisecond, then WaitForInputIdle. Wine answers a message
// sent from another process only while the program waits for messages, so
// the polling slows what it watches; both ways are printed so that the two
// can be compared. Each run ends with WM_CLOSE to the program's top-level
// windows. Order in a pair: Corvandel undisturbed, other undisturbed,
// Corvandel watched, other watched.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/startup_notes_win32.h"
#include "bench/clock_win32.h"
#include "bench/stats.h"

namespace corvandel {
namespace {

struct Search {
  DWORD processId;
  std::vector<HWND> topLevel;
  bool filled = false;
  bool watch = false;  // look into tree views
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
  if (search.watch && !search.filled) EnumChildWindows(window, CheckChild, param);
  return TRUE;
}

struct Run {
  double tree = 0;  // 0: not measured
  double idle = 0;
};

double CounterMs(LONGLONG counter) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

enum class Method { kNoted, kIdleOnly, kWatched };

bool Launch(const std::string& exe, Method method, Run* run) {
  static int serial = 0;
  std::unique_ptr<StartupNotesWatch> block;
  if (method == Method::kNoted)
    block = std::make_unique<StartupNotesWatch>("corvandel-bench-" + std::to_string(GetCurrentProcessId()) + "-" +
                                                std::to_string(++serial));
  SetEnvironmentVariableA(kStartupNotesVariable, block ? block->name().c_str() : nullptr);
  std::string commandLine = "\"" + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const double start = Now();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  Search search{process.dwProcessId, {}, false, method == Method::kWatched};
  bool ok = true;
  if (method == Method::kNoted) {
    ok = WaitForSingleObject(block->idle(), 10000) == WAIT_OBJECT_0;
    run->tree = CounterMs(block->notes().treeShown) - start;
    run->idle = CounterMs(block->notes().firstIdle) - start;
  } else if (method == Method::kIdleOnly) {
    ok = WaitForInputIdle(process.hProcess, 10000) == 0;
    run->idle = Now() - start;
  } else {
    const double deadline = start + 10000;
    while (!search.filled && Now() < deadline) {
      search.topLevel.clear();
      EnumWindows(CheckTopLevel, reinterpret_cast<LPARAM>(&search));
      if (!search.filled) Sleep(1);
    }
    run->tree = Now() - start;
    WaitForInputIdle(process.hProcess, 10000);
    run->idle = Now() - start;
    ok = search.filled;
  }
  search.watch = false;
  search.topLevel.clear();
  EnumWindows(CheckTopLevel, reinterpret_cast<LPARAM>(&search));
  for (HWND window : search.topLevel) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ok;
}

// A figure over the pairs, and its ratio to another pair by pair.
struct Series {
  std::vector<double> values;
  void Add(double value) { values.push_back(value); }
};

std::vector<double> Ratios(const Series& a, const Series& b) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < a.values.size() && i < b.values.size(); ++i) ratios.push_back(a.values[i] / b.values[i]);
  return ratios;
}

std::string Fixed(double value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.2f", value);
  return text;
}

}  // namespace
}  // namespace corvandel

int main(int argc, char** argv) {
  using namespace corvandel;
  if (argc != 5) {
    std::fprintf(stderr, "usage: corvandel_bench_launch PAIRS CORVANDEL_EXE OTHER_EXE OTHER_NAME\n");
    return 2;
  }
  const int pairs = std::atoi(argv[1]);
  const std::string corvandel = argv[2], other = argv[3], name = argv[4];
  Series notedTree, notedIdle, otherIdle, watchedTree, watchedIdle, otherWatchedTree, otherWatchedIdle;
  for (int pair = 0; pair < pairs; ++pair) {
    Run a, b, c, d;
    if (!Launch(corvandel, Method::kNoted, &a) || !Launch(other, Method::kIdleOnly, &b) ||
        !Launch(corvandel, Method::kWatched, &c) || !Launch(other, Method::kWatched, &d)) {
      std::fprintf(stderr, "pair %d: a program did not start\n", pair + 1);
      return 1;
    }
    notedTree.Add(a.tree);
    notedIdle.Add(a.idle);
    otherIdle.Add(b.idle);
    watchedTree.Add(c.tree);
    watchedIdle.Add(c.idle);
    otherWatchedTree.Add(d.tree);
    otherWatchedIdle.Add(d.idle);
  }
  std::printf("undisturbed (Corvandel's own notes; %s to WaitForInputIdle, not sent anything)\n", name.c_str());
  PrintRow("Corvandel: launch to tree shown", SpreadOf(notedTree.values), "ms");
  PrintRow("Corvandel: launch to first idle", SpreadOf(notedIdle.values), "ms");
  PrintRow(name + ": launch to input idle", SpreadOf(otherIdle.values), "ms");
  PrintRow("tree shown, Corvandel / " + name + " idle, pairs", SpreadOf(Ratios(notedTree, otherIdle)), "x",
           "(target <= 1.0; " + name + "'s tree fills before its idle)");
  PrintRow("first idle, Corvandel / " + name + ", pairs", SpreadOf(Ratios(notedIdle, otherIdle)), "x",
           "ratio of medians " + Fixed(SpreadOf(notedIdle.values).median / SpreadOf(otherIdle.values).median) +
               " (target <= 1.0)");
  std::printf("watched (tree views polled every 1 ms, then WaitForInputIdle)\n");
  PrintRow("Corvandel: launch to filled tree", SpreadOf(watchedTree.values), "ms");
  PrintRow(name + ": launch to filled tree", SpreadOf(otherWatchedTree.values), "ms");
  PrintRow("Corvandel: launch to input idle", SpreadOf(watchedIdle.values), "ms");
  PrintRow(name + ": launch to input idle", SpreadOf(otherWatchedIdle.values), "ms");
  PrintRow("filled tree, Corvandel / " + name + ", pairs", SpreadOf(Ratios(watchedTree, otherWatchedTree)), "x");
  PrintRow("input idle, Corvandel / " + name + ", pairs", SpreadOf(Ratios(watchedIdle, otherWatchedIdle)), "x");
  PrintRow("Corvandel idle, watched / undisturbed", SpreadOf(Ratios(watchedIdle, notedIdle)), "x");
  PrintRow(name + " idle, watched / undisturbed", SpreadOf(Ratios(otherWatchedIdle, otherIdle)), "x");
  return 0;
}
