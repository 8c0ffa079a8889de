// corvandel_bench_select: selection from outside, Corvandel against another
// program's registry tree, in pairs.
//
//   corvandel_bench_select PASSES CORVANDEL_EXE OTHER_EXE OTHER_NAME KEY_PATH EMPTY_SIBLING
//
// Both programs are started and left to settle. Corvandel's nodes are
// selected one after the other; each selection is paired with one in the
// other program's tree of the key at KEY_PATH (tree texts joined with "\",
// below the root, e.g. "HKEY_CURRENT_USER\Software\Bench\Ten Values"), coming
// from its sibling EMPTY_SIBLING (a key without values, selected off the
// clock), so that each timed selection fills its value list anew. A
// selection is timed from outside the way an automation tool does it:
// TVM_SELECTITEM sent to the tree view, then RedrawWindow(RDW_UPDATENOW |
// RDW_ALLCHILDREN) on the top-level window, which returns once the program
// has painted. PASSES times over every node; each node's figure is its
// median, and its first selection is shown apart.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench/clock_win32.h"
#include "bench/stats.h"
#include "tests/e2e/driver/remote_buffer.h"

namespace corvandel {
namespace {

using e2e::RemoteBuffer;

constexpr int kTextSize = 512;

struct Program {
  PROCESS_INFORMATION process{};
  HWND top = nullptr;
  HWND tree = nullptr;
};

struct Found {
  DWORD processId;
  HWND top = nullptr;
  HWND tree = nullptr;
};

BOOL CALLBACK FindTree(HWND window, LPARAM param) {
  auto& found = *reinterpret_cast<Found*>(param);
  char name[32] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpiA(name, WC_TREEVIEWA) != 0 || !IsWindowVisible(window)) return TRUE;
  found.tree = window;
  return FALSE;
}

BOOL CALLBACK FindTop(HWND window, LPARAM param) {
  auto& found = *reinterpret_cast<Found*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != found.processId || !IsWindowVisible(window)) return TRUE;
  EnumChildWindows(window, FindTree, param);
  if (found.tree == nullptr) return TRUE;
  found.top = window;
  return FALSE;
}

bool Start(const std::string& exe, Program* program) {
  std::string commandLine = "\"" + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &program->process))
    return false;
  WaitForInputIdle(program->process.hProcess, 10000);
  for (int tries = 0; tries < 500; ++tries, Sleep(20)) {
    Found found{program->process.dwProcessId};
    EnumWindows(FindTop, reinterpret_cast<LPARAM>(&found));
    if (found.tree != nullptr && SendMessageA(found.tree, TVM_GETCOUNT, 0, 0) > 0) {
      program->top = found.top;
      program->tree = found.tree;
      return true;
    }
  }
  return false;
}

void Stop(Program& program) {
  if (program.top != nullptr) PostMessageA(program.top, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(program.process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(program.process.hProcess, 1);
  CloseHandle(program.process.hThread);
  CloseHandle(program.process.hProcess);
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// An item's text and item data, through a TVITEMA in the tree's process.
TVITEMA ReadItem(HWND tree, const RemoteBuffer& remote, HTREEITEM item, std::string* text) {
  TVITEMA info{};
  info.mask = TVIF_TEXT | TVIF_PARAM;
  info.hItem = item;
  info.pszText = remote.at(sizeof(info));
  info.cchTextMax = kTextSize;
  char buffer[kTextSize] = {};
  if (remote.Write(0, &info, sizeof(info)) && SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.at(0))))
    remote.Read(sizeof(info), buffer, sizeof(buffer) - 1);
  remote.Read(0, &info, sizeof(info));
  if (text != nullptr) *text = buffer;
  return info;
}

void CollectNodes(HWND tree, const RemoteBuffer& remote, HTREEITEM first, std::vector<std::pair<HTREEITEM, int>>& nodes) {
  for (HTREEITEM item = first; item != nullptr; item = NextItem(tree, item, TVGN_NEXT)) {
    nodes.push_back({item, static_cast<int>(ReadItem(tree, remote, item, nullptr).lParam)});
    CollectNodes(tree, remote, NextItem(tree, item, TVGN_CHILD), nodes);
  }
}

// The child of parent with that text, its parent expanded first (a registry
// tree fills a key's children as it expands).
HTREEITEM Child(HWND tree, const RemoteBuffer& remote, HTREEITEM parent, const std::string& text) {
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
  for (HTREEITEM item = NextItem(tree, parent, TVGN_CHILD); item != nullptr; item = NextItem(tree, item, TVGN_NEXT)) {
    std::string name;
    ReadItem(tree, remote, item, &name);
    if (lstrcmpiA(name.c_str(), text.c_str()) == 0) return item;
  }
  return nullptr;
}

// The item at a path of texts joined with "\" below the tree's root.
HTREEITEM ItemAt(HWND tree, const RemoteBuffer& remote, const std::string& path) {
  HTREEITEM item = NextItem(tree, nullptr, TVGN_ROOT);
  for (std::size_t from = 0; item != nullptr && from <= path.size();) {
    const std::size_t end = std::min(path.find('\\', from), path.size());
    item = Child(tree, remote, item, path.substr(from, end - from));
    from = end + 1;
  }
  return item;
}

double TimedSelect(const Program& program, HTREEITEM item) {
  const double start = Now();
  SendMessageA(program.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  RedrawWindow(program.top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return Now() - start;
}

}  // namespace
}  // namespace corvandel

int main(int argc, char** argv) {
  using namespace corvandel;
  if (argc != 7) {
    std::fprintf(stderr,
                 "usage: corvandel_bench_select PASSES CORVANDEL_EXE OTHER_EXE OTHER_NAME KEY_PATH EMPTY_SIBLING\n");
    return 2;
  }
  const int passes = std::max(1, std::atoi(argv[1]));
  const std::string name = argv[4], keyPath = argv[5];
  const std::string siblingPath = keyPath.substr(0, keyPath.rfind('\\') + 1) + argv[6];
  Program corvandel, other;
  if (!Start(argv[2], &corvandel) || !Start(argv[3], &other)) {
    std::fprintf(stderr, "a program showed no tree\n");
    return 1;
  }
  int status = 0;
  {
    RemoteBuffer corvandelMemory(corvandel.tree, sizeof(TVITEMA) + kTextSize);
    RemoteBuffer otherMemory(other.tree, sizeof(TVITEMA) + kTextSize);
    std::vector<std::pair<HTREEITEM, int>> nodes;
    CollectNodes(corvandel.tree, corvandelMemory, NextItem(corvandel.tree, nullptr, TVGN_ROOT), nodes);
    HTREEITEM key = ItemAt(other.tree, otherMemory, keyPath);
    HTREEITEM sibling = ItemAt(other.tree, otherMemory, siblingPath);
    if (nodes.empty() || key == nullptr || sibling == nullptr) {
      std::fprintf(stderr, "no nodes in Corvandel, or no \"%s\" and \"%s\" in %s\n", keyPath.c_str(),
                   siblingPath.c_str(), name.c_str());
      status = 1;
    } else {
      std::map<int, std::vector<double>> byNode;
      std::vector<double> ours, theirs, ratios;
      for (int pass = 0; pass < passes; ++pass) {
        for (const auto& [item, tweakId] : nodes) {
          const double a = TimedSelect(corvandel, item);
          TimedSelect(other, sibling);
          const double b = TimedSelect(other, key);
          byNode[tweakId].push_back(a);
          ours.push_back(a);
          theirs.push_back(b);
          ratios.push_back(a / b);
        }
      }
      // Each node's median over the passes, and its first selection alone.
      std::map<int, double> medians, firsts;
      std::vector<double> nodeMedians, firstTimes;
      for (const auto& [id, times] : byNode) {
        medians[id] = SpreadOf(times).median;
        firsts[id] = times.front();
        nodeMedians.push_back(medians[id]);
        firstTimes.push_back(times.front());
      }
      const Spread node = SpreadOf(nodeMedians), first = SpreadOf(firstTimes);
      PrintRow("Corvandel: each of " + std::to_string(nodes.size()) + " nodes", node, "ms",
               Slowest(medians, node.median) + " (target: none over 3x)");
      PrintRow("Corvandel: first selection of each node", first, "ms", Slowest(firsts, first.median));
      PrintRow(name + ": a key of about ten values", SpreadOf(theirs), "ms");
      PrintRow("selection, Corvandel / " + name + ", pairs", SpreadOf(ratios), "x",
               "(target <= 1.0)");
    }
  }
  Stop(corvandel);
  Stop(other);
  return status;
}
