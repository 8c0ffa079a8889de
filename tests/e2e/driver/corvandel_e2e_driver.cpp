// Drives a running Corvandel.exe from outside, as an automation tool would:
// only window messages to its top-level windows and controls. Commands are
// chained on one command line and run in order; each prints what it saw on
// stdout. The first that fails prints "error: ..." on stderr and ends the run
// with exit code 1.
//
//   wait-window             wait for the visible main window ("Corvandel")
//   tree                    "tree visible|hidden COUNT": the navigation tree
//   select TEXT             select the tree node with that text, as a click does
//   text ID                 the text of control ID (main window or showing page)
//   check ID 0|1            click check box ID until it holds that state
//   check-state ID          "check ID STATE": the state of check box ID
//   click ID                click button ID; returns once handled or once a message box shows
//   apply                   click "Apply Changes" (1016)
//   list-dump ID            "columns W1 W2 ...", "width W" (of its client area) and
//                           "row N<TAB>TEXT<TAB>TEXT ..." of list view ID
//   key ESCAPE|F1|RETURN    post the key to the main window's focused control
//   wait-class CLASS        wait for a visible top-level window of that class; prints its title
//   wait-message-box TEXT   wait for a message box saying TEXT, print it, press OK
//   layout                  "work L T R B", "frame L T R B" (the window), "client W H", "tree-height H" and
//                           "outside N": the visible controls not wholly inside the client area
//   maximise                maximise the main window
//   close                   close the main window (its close box)
#include <windows.h>
#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "remote_buffer.h"

namespace corvandel::e2e {
namespace {

constexpr char kMainCaption[] = "Corvandel";
constexpr char kDialogClass[] = "#32770";
constexpr int kApplyButton = 1016;
constexpr DWORD kTimeoutMs = 10000;
constexpr DWORD kPollMs = 20;
constexpr int kTextSize = 1024;

bool Fail(const std::string& what) {
  std::fprintf(stderr, "error: %s\n", what.c_str());
  return false;
}

// Polls done() until it holds (true) or the time is up (false).
bool WaitUntil(const std::function<bool()>& done) {
  for (const DWORD start = GetTickCount();; Sleep(kPollMs)) {
    if (done()) return true;
    if (GetTickCount() - start > kTimeoutMs) return false;
  }
}

// The first window found() gives within the time; nullptr if none.
HWND WaitFor(const std::function<HWND()>& found) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = found()) != nullptr; });
  return window;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

std::string TextOf(HWND window) {
  std::vector<char> text(kTextSize);
  GetWindowTextA(window, text.data(), kTextSize);
  return text.data();
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows([](HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Direct children of parent of a class, in Z order.
std::vector<HWND> Children(HWND parent, const char* className) {
  std::vector<HWND> found;
  for (HWND child = FindWindowExA(parent, nullptr, className, nullptr); child != nullptr;
       child = FindWindowExA(parent, child, className, nullptr))
    found.push_back(child);
  return found;
}

HWND MainWindow() {
  HWND window = FindWindowA(kDialogClass, kMainCaption);
  return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

// Any other visible dialog window at the top level: a message box.
HWND MessageBoxWindow() {
  for (HWND window : TopLevelWindows()) {
    if (IsWindowVisible(window) && ClassOf(window) == kDialogClass && TextOf(window) != kMainCaption) return window;
  }
  return nullptr;
}

// A message box's text: its static controls' texts (the icon has none).
std::string MessageBoxText(HWND box) {
  std::string text;
  for (HWND label : Children(box, "Static")) {
    const std::string part = TextOf(label);
    if (part.empty()) continue;
    if (!text.empty()) text += '\n';
    text += part;
  }
  return text;
}

// Control id of the main window, or of the page dialog showing in it.
HWND Control(HWND main, int id) {
  if (HWND control = GetDlgItem(main, id)) return control;
  for (HWND page : Children(main, kDialogClass)) {
    if (!IsWindowVisible(page)) continue;
    if (HWND control = GetDlgItem(page, id)) return control;
  }
  return nullptr;
}

// The standard TreeView inside the navigation tree control.
HWND TreeView(HWND main) {
  HWND found = nullptr;
  EnumChildWindows(main, [](HWND window, LPARAM result) {
    if (ClassOf(window) != WC_TREEVIEWA) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&found));
  return found;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// An item's text, read through a TVITEMA and a text buffer in the tree's process.
std::string ItemText(HWND tree, const RemoteBuffer& remote, HTREEITEM item) {
  TVITEMA info{};
  info.mask = TVIF_TEXT;
  info.hItem = item;
  info.pszText = remote.at(sizeof(info));
  info.cchTextMax = kTextSize;
  char text[kTextSize] = {};
  if (!remote.Write(0, &info, sizeof(info)) ||
      !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.at(0))) ||
      !remote.Read(sizeof(info), text, sizeof(text) - 1))
    return {};
  return text;
}

// Depth first, as the tree shows its nodes.
HTREEITEM FindItem(HWND tree, const RemoteBuffer& remote, HTREEITEM first, const std::string& text) {
  for (HTREEITEM item = first; item != nullptr; item = NextItem(tree, item, TVGN_NEXT)) {
    if (ItemText(tree, remote, item) == text) return item;
    if (HTREEITEM found = FindItem(tree, remote, NextItem(tree, item, TVGN_CHILD), text)) return found;
  }
  return nullptr;
}

std::string ListItemText(HWND list, const RemoteBuffer& remote, int row, int column) {
  LVITEMA info{};
  info.iSubItem = column;
  info.pszText = remote.at(sizeof(info));
  info.cchTextMax = kTextSize;
  char text[kTextSize] = {};
  if (!remote.Write(0, &info, sizeof(info))) return {};
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.at(0)));
  remote.Read(sizeof(info), text, sizeof(text) - 1);
  return text;
}

// Clicks without waiting on the click itself: a click that ends in a modal
// message box returns only once the box is gone.
bool Click(HWND button) {
  if (MessageBoxWindow() != nullptr) return Fail("a message box is already showing");
  bool done = false;
  if (!SendMessageCallbackA(button, BM_CLICK, 0, 0, [](HWND, UINT, ULONG_PTR flag, LRESULT) {
        *reinterpret_cast<bool*>(flag) = true;
      }, reinterpret_cast<ULONG_PTR>(&done)))
    return Fail("could not send the click");
  bool boxShowing = false;
  const bool ended = WaitUntil([&] {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // runs the send's callback
    boxShowing = MessageBoxWindow() != nullptr;
    return done || boxShowing;
  });
  if (!ended) return Fail("the click was not handled in time");
  if (boxShowing) std::printf("message box showing\n");
  return true;
}

int Number(const char* text) { return std::atoi(text); }

// The commands.

HWND g_main = nullptr;

bool NeedMain() {
  if (g_main == nullptr || !IsWindow(g_main)) g_main = MainWindow();
  return g_main != nullptr || Fail("the main window is not showing");
}

bool WaitWindow(char**) {
  g_main = WaitFor(MainWindow);
  if (g_main == nullptr) return Fail("no visible window \"Corvandel\"");
  std::printf("window visible\n");
  return true;
}

bool Tree(char**) {
  if (!NeedMain()) return false;
  HWND tree = TreeView(g_main);
  if (tree == nullptr) return Fail("no TreeView in the main window");
  std::printf("tree %s %d\n", IsWindowVisible(tree) ? "visible" : "hidden",
              static_cast<int>(SendMessageA(tree, TVM_GETCOUNT, 0, 0)));
  return true;
}

bool Select(char** args) {
  if (!NeedMain()) return false;
  const std::string text = args[0];
  HWND tree = TreeView(g_main);
  if (tree == nullptr) return Fail("no TreeView in the main window");
  RemoteBuffer remote(tree, sizeof(TVITEMA) + kTextSize);
  if (!remote.ok()) return Fail("no memory in the program's process");
  HTREEITEM item = FindItem(tree, remote, NextItem(tree, nullptr, TVGN_ROOT), text);
  if (item == nullptr) return Fail("no tree node \"" + text + "\"");
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  if (NextItem(tree, nullptr, TVGN_CARET) != item) return Fail("\"" + text + "\" did not become selected");
  std::printf("selected %s\n", text.c_str());
  return true;
}

bool Text(char** args) {
  if (!NeedMain()) return false;
  HWND control = Control(g_main, Number(args[0]));
  if (control == nullptr) return Fail(std::string("no control ") + args[0]);
  std::printf("%s\n", TextOf(control).c_str());
  return true;
}

bool Check(char** args) {
  if (!NeedMain()) return false;
  HWND box = Control(g_main, Number(args[0]));
  if (box == nullptr) return Fail(std::string("no check box ") + args[0]);
  const LRESULT wanted = Number(args[1]);
  if (SendMessageA(box, BM_GETCHECK, 0, 0) != wanted && !Click(box)) return false;
  const LRESULT state = SendMessageA(box, BM_GETCHECK, 0, 0);
  if (state != wanted) return Fail(std::string("check box ") + args[0] + " holds " + std::to_string(state));
  std::printf("check %s %d\n", args[0], static_cast<int>(state));
  return true;
}

bool CheckState(char** args) {
  if (!NeedMain()) return false;
  HWND box = Control(g_main, Number(args[0]));
  if (box == nullptr) return Fail(std::string("no check box ") + args[0]);
  std::printf("check %s %d\n", args[0], static_cast<int>(SendMessageA(box, BM_GETCHECK, 0, 0)));
  return true;
}

bool ClickControl(int id) {
  if (!NeedMain()) return false;
  HWND button = Control(g_main, id);
  if (button == nullptr) return Fail("no button " + std::to_string(id));
  if (!IsWindowVisible(button) || !IsWindowEnabled(button))
    return Fail("button " + std::to_string(id) + " is hidden or disabled");
  if (!Click(button)) return false;
  std::printf("clicked %d\n", id);
  return true;
}

bool ClickCommand(char** args) { return ClickControl(Number(args[0])); }
bool Apply(char**) { return ClickControl(kApplyButton); }

bool ListDump(char** args) {
  if (!NeedMain()) return false;
  HWND list = Control(g_main, Number(args[0]));
  if (list == nullptr || ClassOf(list) != WC_LISTVIEWA) return Fail(std::string("no list view ") + args[0]);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  const int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  std::printf("columns");
  for (int column = 0; column < columns; ++column)
    std::printf(" %d", static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)));
  RECT client{};
  GetClientRect(list, &client);
  std::printf("\nwidth %ld\n", client.right);
  RemoteBuffer remote(list, sizeof(LVITEMA) + kTextSize);
  if (!remote.ok()) return Fail("no memory in the program's process");
  const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    std::printf("row %d", row);
    for (int column = 0; column < columns; ++column) std::printf("\t%s", ListItemText(list, remote, row, column).c_str());
    std::printf("\n");
  }
  return true;
}

bool Key(char** args) {
  static const struct { const char* name; UINT key; } kKeys[] = {
      {"ESCAPE", VK_ESCAPE}, {"F1", VK_F1}, {"RETURN", VK_RETURN}};
  UINT key = 0;
  for (const auto& known : kKeys) {
    if (std::strcmp(known.name, args[0]) == 0) key = known.key;
  }
  if (key == 0) return Fail(std::string("unknown key ") + args[0]);
  if (!NeedMain()) return false;
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  GetGUIThreadInfo(GetWindowThreadProcessId(g_main, nullptr), &thread);
  HWND target = thread.hwndFocus;
  if (target == nullptr || !IsChild(g_main, target)) target = TreeView(g_main);
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
  // Posted, as the keyboard's messages are: they pass the program's own loop.
  if (!PostMessageA(target, WM_KEYDOWN, key, scan | 1) ||
      !PostMessageA(target, WM_KEYUP, key, scan | 1 | (3u << 30)))
    return Fail("could not post the key");
  std::printf("key %s to %s\n", args[0], ClassOf(target).c_str());
  return true;
}

bool WaitClass(char** args) {
  const std::string name = args[0];
  HWND window = WaitFor([&name] {
    for (HWND window : TopLevelWindows())
      if (IsWindowVisible(window) && ClassOf(window) == name) return window;
    return HWND{};
  });
  if (window == nullptr) return Fail("no visible window of class \"" + name + "\"");
  std::printf("window %s \"%s\"\n", name.c_str(), TextOf(window).c_str());
  return true;
}

bool WaitMessageBox(char** args) {
  const std::string wanted = args[0];
  std::string seen;
  HWND box = WaitFor([&] {
    HWND window = MessageBoxWindow();
    if (window == nullptr) return HWND{};
    seen = MessageBoxText(window);
    return seen == wanted ? window : HWND{};
  });
  if (box == nullptr)
    return Fail("no message box \"" + wanted + "\"" + (seen.empty() ? "" : "; the one showing says \"" + seen + "\""));
  std::printf("message box caption \"%s\"\nmessage box text \"%s\"\n", TextOf(box).c_str(), seen.c_str());
  HWND ok = GetDlgItem(box, IDOK);
  if (ok == nullptr) return Fail("the message box has no OK button");
  SendMessageTimeoutA(ok, BM_CLICK, 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
  if (!WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }))
    return Fail("the message box stayed after OK");
  std::printf("pressed OK\n");
  return true;
}

bool Layout(char**) {
  if (!NeedMain()) return false;
  RECT work{}, window{}, client{}, tree{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(g_main, &window);
  GetClientRect(g_main, &client);
  GetClientRect(TreeView(g_main), &tree);
  std::printf("work %ld %ld %ld %ld\nframe %ld %ld %ld %ld\nclient %ld %ld\ntree-height %ld\n", work.left, work.top,
              work.right, work.bottom, window.left, window.top, window.right, window.bottom, client.right,
              client.bottom, tree.bottom);
  // The client area in screen coordinates; a child counts wherever it is.
  MapWindowPoints(g_main, nullptr, reinterpret_cast<POINT*>(&client), 2);
  struct Check {
    RECT client;
    int outside;
  } check{client, 0};
  EnumChildWindows(g_main, [](HWND child, LPARAM data) {
    auto& check = *reinterpret_cast<Check*>(data);
    RECT rect{}, both{};
    GetWindowRect(child, &rect);
    IntersectRect(&both, &rect, &check.client);
    if (IsWindowVisible(child) && !EqualRect(&both, &rect)) {
      std::printf("outside %d %s\n", GetDlgCtrlID(child), ClassOf(child).c_str());
      ++check.outside;
    }
    return TRUE;
  }, reinterpret_cast<LPARAM>(&check));
  std::printf("outside %d\n", check.outside);
  return true;
}

bool Maximise(char**) {
  if (!NeedMain()) return false;
  ShowWindowAsync(g_main, SW_MAXIMIZE);
  if (!WaitUntil([] { return IsZoomed(g_main) != FALSE; })) return Fail("the window was not maximised");
  std::printf("maximised\n");
  return true;
}

bool Close(char**) {
  if (!NeedMain()) return false;
  PostMessageA(g_main, WM_CLOSE, 0, 0);
  std::printf("close sent\n");
  return true;
}

struct Command {
  const char* name;
  int arguments;
  bool (*run)(char** args);
};

constexpr Command kCommands[] = {
    {"wait-window", 0, WaitWindow}, {"tree", 0, Tree},         {"select", 1, Select},
    {"text", 1, Text},              {"check", 2, Check},       {"check-state", 1, CheckState},
    {"click", 1, ClickCommand},     {"apply", 0, Apply},       {"list-dump", 1, ListDump},
    {"key", 1, Key},                {"wait-class", 1, WaitClass},
    {"wait-message-box", 1, WaitMessageBox},                   {"close", 0, Close},
    {"layout", 0, Layout},          {"maximise", 0, Maximise},
};

}  // namespace
}  // namespace corvandel::e2e

int main(int argc, char** argv) {
  using namespace corvandel::e2e;
  // Plain line ends for the shell script reading the output.
  _setmode(_fileno(stdout), _O_BINARY);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  for (int at = 1; at < argc;) {
    const Command* command = nullptr;
    for (const Command& known : kCommands) {
      if (std::strcmp(known.name, argv[at]) == 0) command = &known;
    }
    if (command == nullptr) return Fail(std::string("unknown command ") + argv[at]), 2;
    if (at + command->arguments >= argc)
      return Fail(std::string(command->name) + " needs " + std::to_string(command->arguments) + " argument(s)"), 2;
    if (!command->run(argv + at + 1)) return 1;
    at += 1 + command->arguments;
  }
  return 0;
}
