// corvandel_bench_window: selection and apply in process, through the real
// main window over the real registry (run it on a copy of a prefix: every
// tweak is applied).
//
//   corvandel_bench_window PROGRAM_FOLDER PASSES
//
// PROGRAM_FOLDER holds Skin\ (and receives DFile.kvd). The window is shown,
// and every tree node is selected PASSES times through TVM_SELECTITEM, with
// the window painted before the clock stops; each node's time is its median.
// Beside it, the time the registry itself took over the calls the selection
// made (TimedRegistry). Then "Apply Changes" is pressed once on every tweak
// as its page was loaded, against the registry calls it made plus the two
// file writes an apply needs: the history file rewritten and a backup file
// written.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/main_dlg_win32.h"
#include "bench/clock_win32.h"
#include "bench/stats.h"
#include "bench/timed_registry.h"
#include "history/backups.h"
#include "history/change_history.h"
#include "pages/page_host.h"
#include "services/file_text.h"
#include "services/platform_fake.h"
#include "services/profile_win32.h"
#include "services/registry_win32.h"

namespace corvandel {
namespace {

struct Node {
  HTREEITEM item;
  int tweakId;
};

void CollectNodes(HWND tree, HTREEITEM parent, std::vector<Node>& nodes) {
  const UINT first = parent == nullptr ? TVGN_ROOT : TVGN_CHILD;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, first, reinterpret_cast<LPARAM>(parent)));
  for (; item != nullptr;
       item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    TVITEMA info{};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
    nodes.push_back({item, static_cast<int>(info.lParam)});
    CollectNodes(tree, item, nodes);
  }
}

class Bench {
 public:
  explicit Bench(const std::string& programFolder) : timed_(registry_) {
    platform_.programFolder = programFolder;
    dialog_ = std::make_unique<CMainDlg>(MainDlgServices{timed_, platform_, profile_, [](const std::string&) {}});
  }

  bool Start() {
    if (!dialog_->Create()) return false;
    ShowWindow(dialog_->window(), SW_SHOW);
    Settle();
    CollectNodes(dialog_->tree().window(), nullptr, nodes_);
    return !nodes_.empty();
  }

  // Dispatches whatever the window left queued, off the clock.
  void Settle() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!dialog_->PreTranslateMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
  }

  // One selection, painted; milliseconds.
  double Select(const Node& node) {
    timed_.Reset();
    const double start = Now();
    SendMessageA(dialog_->tree().window(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node.item));
    const double loaded = Now();
    RedrawWindow(dialog_->window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double elapsed = Now() - start;
    paintMs_ = elapsed - (loaded - start);
    Settle();
    return elapsed;
  }

  bool ApplyShown() { return dialog_->pages().IsControlVisible(page::kMainWindow, page::kApplyButton); }

  double Apply() {
    HWND apply = GetDlgItem(dialog_->window(), page::kApplyButton);
    timed_.Reset();
    const double start = Now();
    SendMessageA(dialog_->window(), WM_COMMAND, MAKEWPARAM(page::kApplyButton, BN_CLICKED), reinterpret_cast<LPARAM>(apply));
    const double elapsed = Now() - start;
    Settle();
    return elapsed;
  }

  // Rewriting the history file once as its writer does: the whole file,
  // through a temporary file put in its place.
  double RewriteHistory() {
    const std::string path = platform_.programFolder + "\\" + kHistoryFileName;
    const std::string bytes = ReadWholeFile(path).value_or(std::string());
    const double start = Now();
    ReplaceFileContent(path, bytes);
    return Now() - start;
  }

  // Writing a backup file once as the backups are written, with the bytes of
  // the newest one, beside them; none before the first backup.
  std::optional<double> WriteBackup() {
    const std::string folder = platform_.programFolder + "\\" + kBackupFolderName;
    const std::vector<BackupFile> backups = BackupFolder(platform_.programFolder).List();
    if (backups.empty()) return std::nullopt;
    const std::string bytes = ReadWholeFile(backups.front().path).value_or(std::string());
    const std::string path = folder + "\\bench.tmp";
    const double start = Now();
    DirectFiles().Write(path, bytes);
    const double elapsed = Now() - start;
    DirectFiles().Remove(path);
    return elapsed;
  }

  const std::vector<Node>& nodes() const { return nodes_; }
  double registryMs() const { return timed_.microseconds() / 1000.0; }
  int registryCalls() const { return timed_.calls(); }
  // Of the last selection, the time spent painting after the load.
  double paintMs() const { return paintMs_; }

 private:
  Win32Registry registry_;
  TimedRegistry timed_;
  SettablePlatform platform_;
  Win32Profile profile_;
  std::unique_ptr<CMainDlg> dialog_;
  std::vector<Node> nodes_;
  double paintMs_ = 0;
};

struct Measured {
  std::vector<double> times;
  std::vector<double> registry;
  int calls = 0;
};

void Report(const char* what, const std::map<int, Measured>& measured, const std::string& rawName, double extraRawMs,
            const char* target) {
  std::vector<double> times, ratios;
  std::map<int, double> byId;
  double total = 0, totalRaw = 0;
  int calls = 0;
  for (const auto& [id, m] : measured) {
    const double ms = SpreadOf(m.times).median;
    const double raw = SpreadOf(m.registry).median + extraRawMs;
    times.push_back(ms);
    if (m.calls > 0) ratios.push_back(ms / raw);  // a group's overview reads no registry
    byId[id] = ms;
    total += ms;
    totalRaw += raw;
    calls += m.calls;
  }
  PrintRow(std::string(what) + ": each of " + std::to_string(measured.size()) + " nodes", SpreadOf(times), "ms",
           Slowest(byId));
  std::printf("%-44s %10.1f ms, %s %.1f ms in %d registry calls\n", (std::string(what) + ": total").c_str(), total,
              rawName.c_str(), totalRaw, calls);
  PrintRow(std::string(what) + " / " + rawName + ", " + std::to_string(ratios.size()) + " nodes", SpreadOf(ratios), "x",
           "total " + std::to_string(total / totalRaw).substr(0, 5) + "x (target " + target + ")");
}

}  // namespace
}  // namespace corvandel

int main(int argc, char** argv) {
  using namespace corvandel;
  if (argc != 3) {
    std::fprintf(stderr, "usage: corvandel_bench_window PROGRAM_FOLDER PASSES\n");
    return 2;
  }
  OleInitialize(nullptr);
  const int passes = std::max(1, std::atoi(argv[2]));
  int status = 0;
  {
    Bench bench(argv[1]);
    if (!bench.Start()) {
      std::fprintf(stderr, "the main window did not start\n");
      return 1;
    }
    std::map<int, Measured> selections;
    std::vector<double> paints;
    for (int pass = 0; pass < passes; ++pass) {
      for (const Node& node : bench.nodes()) {
        Measured& m = selections[node.tweakId];
        m.times.push_back(bench.Select(node));
        paints.push_back(bench.paintMs());
        m.registry.push_back(bench.registryMs());
        m.calls = bench.registryCalls();
      }
    }
    Report("selection", selections, "raw reads", 0, "none; the paired figures are under 2.");
    PrintRow("selection: of which painting", SpreadOf(paints), "ms", "RedrawWindow after the load");

    std::map<int, Measured> applies;
    std::vector<double> rewrites, backups;
    for (const Node& node : bench.nodes()) {
      bench.Select(node);
      if (!bench.ApplyShown()) continue;
      Measured& m = applies[node.tweakId];
      m.times.push_back(bench.Apply());
      m.registry.push_back(bench.registryMs());
      m.calls = bench.registryCalls();
      rewrites.push_back(bench.RewriteHistory());
      if (const std::optional<double> backup = bench.WriteBackup()) backups.push_back(*backup);
    }
    const Spread rewrite = SpreadOf(rewrites), backup = SpreadOf(backups);
    PrintRow("history file rewritten once", rewrite, "ms");
    PrintRow("backup file written once", backup, "ms");
    Report("apply", applies, "raw writes + 2 files", rewrite.median + backup.median, "<= 1.5x");
  }
  OleUninitialize();
  return status;
}
