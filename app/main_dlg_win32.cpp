#include "app/main_dlg_win32.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "app/startup_notes_win32.h"
#include "help/about_dlg_win32.h"
#include "nav/profile.h"
#include "nav/tree_model.h"
#include "nav/tweak_find.h"
#include "nav/tweak_table.h"
#include "pages/page_reset.h"
#include "pages/page_templates.h"
#include "res/resource.h"
#include "services/change_lines.h"
#include "services/file_text.h"
#include "services/dialog_texts_win32.h"
#include "services/registry_key.h"
#include "services/window_place_win32.h"
#include "services/window_text_win32.h"
#include "pages/version_gate.h"
#include "tweaks/catalogue.h"

namespace corvandel {
namespace {

// The tree's set-up: its style word and its one column, titled with a blank.
constexpr unsigned long kTreeStyle = 0x306700E3;
constexpr unsigned long kColumnFormat = 0x504144;
constexpr int kColumnWidth = 500;

// The splitter bar may move 50 pixels towards the tree and 10 towards the pages.
constexpr int kSplitterRoomLeft = 50;
constexpr int kSplitterRoomRight = 10;

// The profiles the system menu saves and applies.
constexpr char kProfileFilter[] = "Settings Profiles (*.txt)|*.txt|All Files (*.*)|*.*||";

// The program's own key keeps the window's place: "left top right bottom
// maximised splitter", the splitter as its distance from the designed place.
constexpr char kPlacementValue[] = "WindowPlacement";

RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveTo(HWND window, const RECT& rect) {
  MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

// Letters matched as the user's locale matches them (lstrcmpiA), not only ASCII ones.
bool EqualsInUserLocale(const std::string& a, const char* b) { return lstrcmpiA(a.c_str(), b) == 0; }

bool IsOfClass(HWND window, const char* className) {
  char name[16] = {};
  return GetClassNameA(window, name, sizeof(name)) && lstrcmpiA(name, className) == 0;
}

bool IsComboBox(HWND window) { return IsOfClass(window, "ComboBox"); }
// Edits, those of combo boxes included.
bool IsEdit(HWND window) { return IsOfClass(window, "Edit"); }

}  // namespace

CMainDlg::CMainDlg(MainDlgServices services)
    : services_(std::move(services)),
      baseDirectory_(services_.platform.ProgramFolder()),
      navigator_(CatalogueDispatch(), services_.registry, pageHost_, services_.platform, services_.profile),
      pageDialogs_{&listCheckPage_, &multiCheckPage_, &editCheckPage_,  &comboCheckPage_, &listPage_,
                   &editBrowsePage_, &multiComboPage_, &editComboPage_, &singleComboPage_},
      findBox_([this](const std::string& words, bool forward) { return FindTweak(words, forward); }),
      icon_(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_APP_ICON))) {}

CMainDlg::~CMainDlg() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool CMainDlg::Create() {
  // Made while the window is created.
  pictures_ = std::make_unique<TreePictures>(baseDirectory_ + "\\Skin\\BG.jpg", Scaled(kTreeBitmapSize));
  HINSTANCE instance = GetModuleHandleA(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterTreeListClass(instance)) return false;
  window_ = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN_WINDOW), nullptr, DialogProc,
                               reinterpret_cast<LPARAM>(this));
  return window_ != nullptr && !ended_ && !startupFailed_;
}

INT_PTR CMainDlg::DoModal(const std::function<void()>& onFirstIdle) {
  StartupNotes notes;
  if (Create()) {
    splash_.Close();  // never left over the window it announced
    ShowWindow(window_, startMaximised_ ? SW_SHOWMAXIMIZED : SW_SHOW);
    notes.TreeShown();
  }
  // Pages are made and filled when first needed. Once the window is first
  // idle, the rest are prepared one at a time while nothing else waits (a
  // timer's message comes only when the queue is empty), so that a first
  // selection seldom waits for its page; between them the loop waits for
  // input as at any other time.
  bool preparing = false;
  bool idleBefore = false;
  MSG message;
  while (window_ != nullptr && !ended_) {
    if (!preparing && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      notes.FirstIdle();
      if (!std::exchange(idleBefore, true) && onFirstIdle) onFirstIdle();
      preparing = SetTimer(window_, kPreparePagesTimer, USER_TIMER_MINIMUM, nullptr) != 0;
    }
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for whoever runs the outer loop
      break;
    }
    if (got < 0) break;
    if (!PreTranslateMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  if (window_ != nullptr) DestroyWindow(window_);
  return result_;
}

void CMainDlg::EndDialog(INT_PTR result) {
  if (!ended_ && !startupFailed_ && window_ != nullptr && designClient_.cx > 0) SavePlacement();
  ended_ = true;
  result_ = result;
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

std::string CMainDlg::HelpFilePath() const {
  return baseDirectory_ + "\\Help\\" + navigator_.GetLanguage().Name() + ".chm";
}

int CMainDlg::SkinElement(HWND window, const wchar_t* elementName) {
  return skin_ ? skin_->SkinElement(window, elementName) : SkinEngine::kNoSkin;
}

// Messages.

INT_PTR CALLBACK CMainDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<CMainDlg*>(lParam);
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    dialog->window_ = window;
    return dialog->OnInitDialog();
  }
  auto* dialog = reinterpret_cast<CMainDlg*>(GetWindowLongPtrA(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    // The children are gone by now, so nothing skinned is left to draw.
    dialog->skin_.reset();
    dialog->window_ = nullptr;
    return FALSE;
  }
  return dialog->HandleMessage(message, wParam, lParam);
}

INT_PTR CMainDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == kUndoCommand) {
        OnUndoLastChange();
        return TRUE;
      }
      if ((wParam & 0xFFF0) == kPreviewCommand) {
        OnPreviewChanges();
        return TRUE;
      }
      if ((wParam & 0xFFF0) == kSaveProfileCommand) {
        OnSaveProfile();
        return TRUE;
      }
      if ((wParam & 0xFFF0) == kApplyProfileCommand) {
        OnApplyProfile();
        return TRUE;
      }
      if ((wParam & 0xFFF0) != kAboutCommand) return FALSE;
      OnSysCommand(wParam);
      return TRUE;
    case WM_INITMENUPOPUP:
      // The undo item is set as the system menu opens rather than after every
      // selection and apply: finding the newest backup lists the folder.
      if (reinterpret_cast<HMENU>(wParam) == GetSystemMenu(window_, FALSE)) UpdateUndoItem();
      return FALSE;
    case WM_TIMER:
      if (wParam != kPreparePagesTimer) return FALSE;
      if (!PrepareNextPage()) KillTimer(window_, kPreparePagesTimer);
      return TRUE;
    case WM_PAINT:
      return OnPaintIconic();
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icon_);
    case WM_COMMAND:
      // Escape (IDCANCEL) and a bare Enter (IDOK) do nothing here.
      if (LOWORD(wParam) == page::kApplyButton && HIWORD(wParam) == BN_CLICKED) ApplyChanges();
      return TRUE;
    case WM_HELP:
      // F1 opens help through WM_OPEN_HELP; the system's request does nothing.
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_CLOSE:
      EndDialog(0);
      return TRUE;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) Layout();
      return FALSE;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        // The dialog manager keeps the focus for the next activation too.
        if (IsOwnWindow(GetFocus())) savedFocus_ = GetFocus();
        return FALSE;
      }
      return RestoreFocus();
    case WM_SETFOCUS:
      return RestoreFocus();
    case WM_TREE_SELECT:
      OnTreeSelect();
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, 0);
      return TRUE;
    case WM_OPEN_HELP:
      if (services_.openHelp) services_.openHelp(HelpFilePath());
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, 0);
      return TRUE;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == IDC_SPLITTER_PLACE && header.code == kSplitterMoved)
        OnSplitterMoved(reinterpret_cast<const SplitterNotify*>(lParam)->distance);
      return FALSE;
    }
  }
  return FALSE;
}

bool CMainDlg::IsOwnWindow(HWND window) const {
  return window_ != nullptr && (window == window_ || IsChild(window_, window));
}

bool CMainDlg::PreTranslateMessage(const MSG& message) {
  if (findBox_.IsOwnWindow(message.hwnd)) return findBox_.PreTranslateMessage(message);
  if (!IsOwnWindow(message.hwnd)) return false;
  switch (message.message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return !IsEdit(message.hwnd);  // no context menus but an edit's own Cut/Copy/Paste
    case WM_KEYDOWN:
      if (message.wParam == VK_APPS) return !IsEdit(message.hwnd);
      if (message.wParam == VK_F1) {
        SendMessageA(window_, WM_OPEN_HELP, 0, 0);
        return true;
      }
      if (message.wParam == VK_RETURN && OnEnterKey()) return true;
      if (message.wParam == 'F' && GetKeyState(VK_CONTROL) < 0) {
        OpenFindBox();
        return true;
      }
      // With the box closed too, with its last words.
      if (message.wParam == VK_F3) {
        if (!findBox_.FindNext(GetKeyState(VK_SHIFT) >= 0)) OpenFindBox();
        return true;
      }
      break;
    case WM_KEYUP:
      if (message.wParam == VK_APPS) return !IsEdit(message.hwnd);
      break;
  }
  return IsDialogMessageA(window_, const_cast<MSG*>(&message));
}

bool CMainDlg::OnEnterKey() {
  // An open combo list takes Enter to close itself.
  for (HWND window = GetFocus(); window != nullptr && window != window_; window = GetParent(window)) {
    if (IsComboBox(window) && SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0)) return false;
  }
  // The button's own state: it counts as shown while the window is hidden.
  HWND apply = GetDlgItem(window_, IDC_APPLY_CHANGES);
  if ((GetWindowLongPtrA(apply, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(apply))
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(IDC_APPLY_CHANGES, BN_CLICKED), reinterpret_cast<LPARAM>(apply));
  return true;
}

void CMainDlg::OnSysCommand(WPARAM) {
  if (!skin_) return;
  CAboutDlg about(*skin_, navigator_.GetLanguage());
  about.DoModal(window_);
}

void CMainDlg::ApplyChanges() {
  ChangeOutcome outcome;
  {
    Win32PageHost::HeldVisibility held(pageHost_);  // a failed apply loads the page again
    outcome = navigator_.Apply();
  }
  NoteApplied(outcome);
  ShowStatus(ApplyStatusText(outcome));
  KeepFocusUsable();
}

void CMainDlg::CreateStatusLine() {
  // From the button to the window's right edge, level with the button: two
  // short lines.
  const RECT apply = RectInParent(GetDlgItem(window_, IDC_APPLY_CHANGES));
  RECT client, gap{0, 0, 6, 0};
  GetClientRect(window_, &client);
  MapDialogRect(window_, &gap);
  HWND status = CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_LEFT | SS_NOPREFIX, apply.right + gap.right, apply.top,
                                client.right - apply.right - 2 * gap.right, apply.bottom - apply.top, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_APPLY_STATUS)),
                                GetModuleHandleA(nullptr), nullptr);
  SendMessageA(status, WM_SETFONT, SendMessageA(window_, WM_GETFONT, 0, 0), FALSE);
  SkinElement(status, L"Label");
}

void CMainDlg::ShowStatus(const std::string& text) {
  // Every selection clears it: only what changes is sent.
  HWND status = GetDlgItem(window_, IDC_APPLY_STATUS);
  if (WindowText(status) != text) SetWindowTextA(status, text.c_str());
  const bool shown = (GetWindowLongA(status, GWL_STYLE) & WS_VISIBLE) != 0;  // its own state, not its parent's
  if (shown == text.empty()) ShowWindow(status, text.empty() ? SW_HIDE : SW_SHOWNA);
}

void CMainDlg::OnUndoLastChange() {
  const std::optional<BackupFile> backup = navigator_.LastBackup();
  if (!backup) return;
  std::vector<RegChange> restore;
  std::string error;
  const std::string caption = navigator_.GetLanguage().GetLangString(kAlertCaption);
  if (!BackupFolder::Read(*backup, &restore, &error)) {
    services_.platform.ShowMessage(error, caption, mb::kIconError);
    return;
  }
  const auto row = static_cast<std::size_t>(navigator_.CurrentTweakId());
  const std::string title = row < navigator_.Table().size() ? navigator_.Table()[row].title : std::string();
  if (services_.platform.ShowMessage(UndoQuestionText(title, restore), "Corvandel", mb::kOkCancel | mb::kIconQuestion) !=
      mb::kIdOk)
    return;
  ShowStatus("");
  {
    Win32PageHost::HeldVisibility held(pageHost_);
    navigator_.UndoLastChange(&error);
  }
  KeepFocusUsable();
}

void CMainDlg::OnPreviewChanges() {
  const RecordedChanges changes = navigator_.PreviewApply();
  std::string text;
  for (const std::string& line : ChangeLines(changes)) text += line + "\r\n";
  if (text.empty()) text = "Applying this page changes nothing.";
  // The box: a window of its own (closed with its caption's button; the
  // default handling destroys it and the edit in it), owned by the main
  // window so that it goes with it, holding a read-only, scrollable edit.
  constexpr char kBoxClass[] = "CorvandelPreview";
  WNDCLASSA boxClass{};
  boxClass.lpfnWndProc = DefWindowProcA;
  boxClass.hInstance = GetModuleHandleA(nullptr);
  boxClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  boxClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  boxClass.lpszClassName = kBoxClass;
  RegisterClassA(&boxClass);  // fails harmlessly once registered
  HWND box = CreateWindowExA(0, kBoxClass, kPreviewMenuText, WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                             CW_USEDEFAULT, 640, 360, window_, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (box == nullptr) return;
  RECT client;
  GetClientRect(box, &client);
  HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text.c_str(),
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                  ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                              0, 0, client.right, client.bottom, box, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (edit != nullptr) SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), FALSE);
  ShowWindow(box, SW_SHOW);
}

void CMainDlg::NoteApplied(const ChangeOutcome& outcome) {
  const int id = navigator_.CurrentTweakId();
  if (!outcome.backupFailure.empty() || !outcome.refusedKeys.empty() || !outcome.missingKeys.empty()) return;
  if (std::find(appliedTweaks_.begin(), appliedTweaks_.end(), id) == appliedTweaks_.end()) appliedTweaks_.push_back(id);
}

void CMainDlg::RunOverTweaks(std::vector<NoticingPlatform::HeldMessage>* held, const std::function<void()>& work) {
  const int selected = navigator_.CurrentTweakId();
  const HCURSOR cursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  navigator_.Platform().Hold(held);
  {
    Win32PageHost::HeldVisibility shown(pageHost_);  // each tweak's page is loaded in turn
    work();
    navigator_.Select(selected);
  }
  navigator_.Platform().Hold(nullptr);
  SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  SetCursor(cursor);
  ShowStatus("");
  FitOverviewColumns();
  KeepFocusUsable();
}

void CMainDlg::OnSaveProfile() {
  std::vector<int> tweakIds = AppliableTweaks(navigator_.Dispatch());
  if (!appliedTweaks_.empty()) {
    const std::string question =
        "Save every tweak that has an \"Apply Changes\" button?\n\nYes: every tweak.\nNo: only the " +
        std::to_string(appliedTweaks_.size()) + " tweak(s) applied since Corvandel started.";
    const int answer = services_.platform.ShowMessage(question, "Save Settings Profile",
                                                      mb::kYesNoCancel | mb::kIconQuestion);
    if (answer != mb::kIdYes && answer != mb::kIdNo) return;
    if (answer == mb::kIdNo)  // in tree order
      std::erase_if(tweakIds, [&](int id) {
        return std::find(appliedTweaks_.begin(), appliedTweaks_.end(), id) == appliedTweaks_.end();
      });
  }
  const std::optional<std::string> path = services_.platform.SaveFileAs(kProfileFilter, "Corvandel profile.txt");
  if (!path) return;
  std::string text;
  std::vector<NoticingPlatform::HeldMessage> held;  // what loading shows is not part of a profile
  RunOverTweaks(&held, [&] { text = ProfileText({navigator_, pageHost_}, tweakIds); });
  std::string error;
  if (!ReplaceFileContent(*path, text, &error)) {
    services_.platform.ShowMessage("The profile could not be saved.\n\n" + error, "Save Settings Profile",
                                   mb::kIconError);
    return;
  }
  ShowStatus("Profile saved: " + std::to_string(tweakIds.size()) + " tweak(s) in " + *path);
}

void CMainDlg::OnApplyProfile() {
  const std::optional<std::string> path = services_.platform.BrowseForFile(kProfileFilter);
  if (!path) return;
  std::string error;
  const auto lines = ReadProfile(DirectFiles(), *path, navigator_.Dispatch(), &error);
  if (!lines) {
    services_.platform.ShowMessage("Nothing of the profile was applied.\n\n" + error, "Apply Settings Profile",
                                   mb::kIconError);
    return;
  }
  ProfileCounts counts;
  std::vector<std::string> problems;
  std::size_t tried = 0;
  std::vector<NoticingPlatform::HeldMessage> held;
  RunOverTweaks(&held, [&] {
    for (const ProfileLine& line : *lines) {
      const std::size_t heldBefore = held.size();
      const ProfileLineResult result = ApplyProfileLine({navigator_, pageHost_}, line);
      ++tried;
      counts.Add(result);
      if (result.kind == ProfileLineResult::kApplied) NoteApplied(result.outcome);
      if (result.kind == ProfileLineResult::kApplied) continue;
      const TweakEntry* entry = FindRow(navigator_.Table(), line.tweakId);
      std::string problem = "Line " + std::to_string(line.lineNumber) + " (" + std::to_string(line.tweakId) + " " +
                            (entry ? entry->title : std::string()) + "): ";
      problem += result.kind == ProfileLineResult::kFailed ? result.failure
                 : held.size() > heldBefore            ? held[heldBefore].text
                                                       : RefusedKeysText(result.outcome.refusedKeys);
      problems.push_back(std::move(problem));
      if (!result.outcome.backupFailure.empty()) break;
    }
  });
  std::string report = "Applied " + std::to_string(counts.applied) + ", refused " + std::to_string(counts.refused) +
                       ", failed " + std::to_string(counts.failed) + " of the " + std::to_string(lines->size()) +
                       " line(s) of " + *path + ".";
  if (tried < lines->size())
    report += "\n\nA backup could not be written, so the lines after line " +
              std::to_string((*lines)[tried - 1].lineNumber) + " were not applied.";
  if (!problems.empty()) {
    report += "\n\nThe first problems:";
    constexpr std::size_t kShown = 5;
    for (std::size_t at = 0; at < std::min(kShown, problems.size()); ++at) report += "\n- " + problems[at];
    if (problems.size() > kShown) report += "\n(and " + std::to_string(problems.size() - kShown) + " more)";
  }
  services_.platform.ShowMessage(report, "Apply Settings Profile",
                                 problems.empty() ? mb::kIconInformation : mb::kIconWarning);
}

void CMainDlg::UpdateUndoItem() {
  HMENU menu = GetSystemMenu(window_, FALSE);
  if (menu == nullptr) return;
  EnableMenuItem(menu, kUndoCommand, MF_BYCOMMAND | (navigator_.LastBackup() ? MF_ENABLED : MF_GRAYED));
}

bool CMainDlg::OnPaintIconic() {
  if (!IsIconic(window_)) return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  SendMessageA(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(window_, &client);
  const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, icon_);
  EndPaint(window_, &paint);
  return true;
}

void CMainDlg::OnTreeSelect() {
  CTreeListItem* item = tree_.GetSelectedItem();
  if (item == nullptr) return;
  ShowStatus("");
  {
    Win32PageHost::HeldVisibility held(pageHost_);
    navigator_.Select(static_cast<int>(tree_.GetItemData(item)));
  }
  FitOverviewColumns();
  KeepFocusUsable();
}

void CMainDlg::FitOverviewColumns() {
  if (!ShowsOverview()) return;
  HWND list = GetDlgItem(pageHost_.PageWindow(page::kListCheck), control::kList);
  RECT client;
  GetClientRect(list, &client);
  // The date column's width is given for 96 DPI.
  const LONG dateWidth = Scaled(OverviewColumnWidths(navigator_.CurrentTweakId()).dateWidth);
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, dateWidth);
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, std::max(0L, client.right - dateWidth));
}

bool CMainDlg::IsUsableFocus(HWND window) const {
  return IsOwnWindow(window) && window != window_ && IsWindowVisible(window) && IsWindowEnabled(window);
}

HWND CMainDlg::FocusInstead(HWND lost) const {
  // Someone working on a page goes on on the page that replaced it.
  const bool onPage = std::any_of(pageDialogs_.begin(), pageDialogs_.end(), [&](const CPageDialog* page) {
    return page->window() != nullptr && IsChild(page->window(), lost);
  });
  if (onPage) {
    for (const CPageDialog* page : pageDialogs_) {
      if (page->window() == nullptr || !IsWindowVisible(page->window())) continue;
      HWND first = GetNextDlgTabItem(page->window(), nullptr, FALSE);
      if (first != nullptr && IsChild(page->window(), first) && IsUsableFocus(first)) return first;
    }
  }
  return tree_.window();
}

void CMainDlg::KeepFocusUsable() {
  // A hidden control with the focus would take the keys, and the dialog
  // manager searching the hidden page for an access key never ends.
  if (GetActiveWindow() == window_) {
    HWND focus = GetFocus();
    if (!IsUsableFocus(focus)) SetFocus(FocusInstead(focus));
  } else if (savedFocus_ != nullptr && !IsUsableFocus(savedFocus_)) {
    savedFocus_ = FocusInstead(savedFocus_);
  }
}

BOOL CMainDlg::RestoreFocus() {
  // The dialog manager would give back the focus it saved, even to a control
  // hidden since: only the first activation is left to it.
  if (savedFocus_ == nullptr || IsIconic(window_)) return FALSE;
  if (!IsUsableFocus(savedFocus_)) savedFocus_ = FocusInstead(savedFocus_);
  SetFocus(savedFocus_);
  return TRUE;
}

void CMainDlg::OpenFindBox() {
  // Over the pages, where it hides no match in the tree.
  RECT over;
  GetClientRect(window_, &over);
  over.left = RectInParent(splitter_.window()).right;
  MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&over), 2);
  findBox_.Open(window_, over);
}

bool CMainDlg::FindTweak(const std::string& words, bool forward) {
  std::optional<std::size_t> from;
  CTreeListItem* selected = tree_.GetSelectedItem();
  for (std::size_t at = 0; at < nodeItems_.size(); ++at)
    if (nodeItems_[at] == selected) from = at;
  const auto next = FindNextMatch(treeNodes_, navigator_.Table(), FindWords(words), from, forward);
  if (!next) return false;
  // Selecting the caret expands the parents; the selection dispatch runs
  // from the tree's notification, as for a click.
  const auto item = reinterpret_cast<LPARAM>(nodeItems_[*next]);
  SendMessageA(tree_.window(), TVM_SELECTITEM, TVGN_CARET, item);
  SendMessageA(tree_.window(), TVM_ENSUREVISIBLE, 0, item);
  // Closing the box gives the focus to the node found.
  if (GetActiveWindow() != window_) savedFocus_ = tree_.window();
  return true;
}

void CMainDlg::OnSplitterMoved(int distance) {
  HWND tree = tree_.window();
  RECT treeRect = RectInParent(tree);
  treeRect.right += distance;
  MoveTo(tree, treeRect);
  splitterMoves_.push_back(distance);
  for (const CPageDialog* page : pageDialogs_)
    if (pageHost_.IsPageCreated(page->templateId())) MovePage(page->templateId(), distance);
  InvalidateRect(window_, nullptr, TRUE);
  UpdateWindow(window_);
}

void CMainDlg::Layout() {
  RECT client;
  GetClientRect(window_, &client);
  if (designClient_.cx == 0 || client.right == 0) return;  // during creation, or minimised
  const int dx = client.right - designClient_.cx;
  const int treeShift = std::max(std::min(0, dx), -designTreeWidth_ / 2);
  const int pageShift = dx >= 0 ? dx / 2 : treeShift;
  const int growth = client.bottom - designClient_.cy;
  const int treeDelta = treeShift - treeShift_, pageDelta = pageShift - pageShift_, heightDelta = growth - heightGrowth_;
  if (treeDelta == 0 && pageDelta == 0 && heightDelta == 0) return;
  treeShift_ = treeShift;
  pageShift_ = pageShift;
  heightGrowth_ = growth;
  RECT tree = RectInParent(tree_.window());
  tree.right += treeDelta;
  tree.bottom += heightDelta;
  MoveTo(tree_.window(), tree);
  splitter_.Reposition(treeDelta, heightDelta);
  std::vector<HWND> moved = {GetDlgItem(window_, IDC_APPLY_CHANGES), GetDlgItem(window_, IDC_APPLY_STATUS)};
  for (const CPageDialog* page : pageDialogs_)
    if (page->window() != nullptr) moved.push_back(page->window());
  for (HWND window : moved) {
    RECT rect = RectInParent(window);
    OffsetRect(&rect, pageDelta, 0);
    MoveTo(window, rect);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

void CMainDlg::OnGetMinMaxInfo(MINMAXINFO& info) const {
  if (minimumWindow_.cx == 0) return;
  const RECT area = WorkAreaOf(window_);
  info.ptMinTrackSize.x = std::min<LONG>(minimumWindow_.cx, area.right - area.left);
  info.ptMinTrackSize.y = std::min<LONG>(minimumWindow_.cy, area.bottom - area.top);
}

void CMainDlg::PlaceWindow() {
  RECT window;
  GetWindowRect(window_, &window);
  const int dpi = ScreenDpi();
  minimumWindow_ = {MulDiv(window.right - window.left, 96, dpi), MulDiv(window.bottom - window.top, 96, dpi)};

  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(window_, &placement);
  placement.rcNormalPosition = window;
  int maximised = 0, splitter = 0;
  const auto saved = RegistryKey::Open(services_.registry, reg::kCurrentUser, kProgramKey).ReadText(kPlacementValue);
  RECT remembered{};
  if (saved && std::sscanf(saved->c_str(), "%ld %ld %ld %ld %d %d", &remembered.left, &remembered.top,
                           &remembered.right, &remembered.bottom, &maximised, &splitter) == 6 &&
      remembered.right - remembered.left >= minimumWindow_.cx && remembered.bottom - remembered.top >= minimumWindow_.cy)
    placement.rcNormalPosition = remembered;
  else
    maximised = splitter = 0;
  placement.rcNormalPosition = InsideArea(placement.rcNormalPosition, WorkAreaOf(window_));
  // Shown later by whoever shows the window.
  placement.showCmd = SW_HIDE;
  SetWindowPlacement(window_, &placement);
  startMaximised_ = maximised != 0;
  if (splitter != 0) splitter_.MoveBy(splitter);
}

void CMainDlg::SavePlacement() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(window_, &placement)) return;
  int splitter = 0;
  for (int distance : splitterMoves_) splitter += distance;
  const RECT& r = placement.rcNormalPosition;
  char text[96];
  std::snprintf(text, sizeof(text), "%ld %ld %ld %ld %d %d", r.left, r.top, r.right, r.bottom,
                placement.showCmd == SW_SHOWMAXIMIZED ? 1 : 0, splitter);
  RegistryKey::Create(services_.registry, reg::kCurrentUser, kProgramKey).WriteText(kPlacementValue, text);
}

void CMainDlg::MovePage(int pageId, int distance) {
  const PageTemplate* page = FindTemplate(pageId);
  HWND window = pageHost_.PageWindow(pageId);
  if (page == nullptr || window == nullptr) return;
  RECT pageRect = RectInParent(window);
  pageRect.left += distance;
  MoveTo(window, pageRect);
  const int width = pageRect.right - pageRect.left;
  if (width <= 0) return;
  for (const ControlTemplate& moved : page->controls) {
    if (!moved.followsSplitter) continue;
    HWND control = GetDlgItem(window, moved.id);
    RECT rect = RectInParent(control);
    rect.left += distance * 100 / width;
    MoveTo(control, rect);
  }
}

// Start-up.

bool CMainDlg::OnInitDialog() {
  tree_.Attach(GetDlgItem(window_, IDC_NAV_TREE));
  pageHost_.SetMainWindow(window_);
  AddAboutItem();
  AddChangeItems();
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  StartSplash();
  if (!StartSkin()) {
    services_.platform.ShowMessage(kSkinFailureText, "", mb::kOk);
    startupFailed_ = true;
    PostMessageA(window_, WM_CLOSE, 0, 0);
    return false;
  }
  if (SkinElement(GetDlgItem(window_, IDC_APPLY_CHANGES), L"Button") < 0 ||
      SkinElement(GetDlgItem(window_, IDC_SPLITTER_PLACE), L"Splitter") < 0) {
    services_.platform.ShowMessage(kSkinFailureText, "", mb::kOk);
    EndDialog(0);
    return false;
  }
  navigator_.LoadTables();
  images_.reset(
      ImageList_Create(Scaled(kTreeBitmapSize), Scaled(kTreeBitmapSize), ILC_COLOR24, kTreeBitmapCount, 1));
  LoadBackground();
  FillImageList();
  if (!CreateSplitter()) return false;
  CreateStatusLine();
  SetUpTree();
  BuildTree();
  TranslateDialog(navigator_.GetLanguage(), window_, IDD_MAIN_WINDOW);
  // Each page is made when a selection first needs it: a start-up makes one.
  pageHost_.SetPageCreator([this](int pageId) { CreatePage(pageId); });
  navigator_.ShowFirstPage();
  // Its node is selected here: the tree would select its first node as it
  // first takes the focus, and that page would be loaded a second time.
  for (std::size_t at = 0; at < treeNodes_.size(); ++at)
    if (treeNodes_[at].tweakId == navigator_.CurrentTweakId()) {
      tree_.SelectWithoutMessage(nodeItems_[at]);
      break;
    }
  FitOverviewColumns();
  RECT client;
  GetClientRect(window_, &client);
  designClient_ = {client.right, client.bottom};
  designTreeWidth_ = RectInParent(tree_.window()).right - RectInParent(tree_.window()).left;
  PlaceWindow();
  // The tree's size is known now: its picture is stretched while the window
  // is shown (a maximised window's is not known until then).
  if (!startMaximised_) {
    RECT treeClient;
    GetClientRect(tree_.treeView(), &treeClient);
    tree_.GetBGImage().StretchAhead({treeClient.right, treeClient.bottom});
  }
  return true;
}

void CMainDlg::AddAboutItem() {
  char text[256] = {};
  if (LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUT_MENU, text, sizeof(text)) <= 0) return;
  HMENU menu = GetSystemMenu(window_, FALSE);
  if (menu == nullptr) return;
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kAboutCommand, text);
}

void CMainDlg::AddChangeItems() {
  HMENU menu = GetSystemMenu(window_, FALSE);
  if (menu == nullptr) return;
  AppendMenuA(menu, MF_STRING | MF_GRAYED, kUndoCommand, kUndoMenuText);
  AppendMenuA(menu, MF_STRING, kPreviewCommand, kPreviewMenuText);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kSaveProfileCommand, kSaveProfileMenuText);
  AppendMenuA(menu, MF_STRING, kApplyProfileCommand, kApplyProfileMenuText);
}

void CMainDlg::StartSplash() {
  HWND place = GetDlgItem(window_, IDC_SPLASH);
  RECT rect = RectInParent(place);
  DestroyWindow(place);  // the control takes its place and ID
  if (!splash_.Create(window_, rect, IDC_SPLASH)) return;
  splash_.SetSplashFile(baseDirectory_ + "\\Skin\\Splash.spl");
  splash_.SetDelay(0);
  splash_.SetTopMost(false);
}

bool CMainDlg::StartSkin() {
  skin_ = std::make_unique<SkinEngine>();
  skin_->OnEvent20([this](const std::string& objectName) {
    if (EqualsInUserLocale(objectName, "Help")) SendMessageA(window_, WM_OPEN_HELP, 0, 0);
  });
  return skin_->LoadSkin(baseDirectory_ + "\\Skin\\skin.skn") >= 0 && skin_->SkinMainWindow(window_) >= 0;
}

void CMainDlg::LoadBackground() {
  // A missing or undecodable picture leaves the tree on its plain ground.
  tree_.GetBGImage().Attach(pictures_->TakeBackground());
}

void CMainDlg::FillImageList() {
  HBITMAP strip = pictures_->TakeStrip();
  if (strip == nullptr) return;
  ImageList_Add(images_.get(), strip, nullptr);  // transparent through the tree's key
  DeleteObject(strip);
}

bool CMainDlg::CreateSplitter() {
  const RECT place = RectInParent(GetDlgItem(window_, IDC_SPLITTER_PLACE));
  if (!splitter_.Create(window_, place, IDC_SPLITTER_PLACE)) return false;
  const int centre = splitter_.Centre();
  splitter_.SetRange(centre - kSplitterRoomLeft, centre + kSplitterRoomRight);
  return true;
}

void CMainDlg::SetUpTree() {
  tree_.SetStyle(kTreeStyle);
  tree_.SetSelectMessage(WM_TREE_SELECT);
  tree_.SetImageList(images_.get());
  tree_.InsertColumn(" ", kColumnFormat, 0, -1, 0, 0);
  tree_.SetColumnModify(0, 1);
  tree_.SetColumnWidth(0, kColumnWidth, 0, 0);
}

void CMainDlg::BuildTree() {
  // The tree is not on screen yet: it need not lay itself out after every
  // one of its nodes.
  HWND treeView = tree_.treeView();
  SendMessageA(treeView, WM_SETREDRAW, FALSE, 0);
  tree_.DeleteAllItems();
  treeNodes_.clear();
  nodeItems_.clear();
  std::vector<CTreeListItem*> items(kTweakCount, nullptr);  // by row
  for (const TreeItem& node : TreeItems(navigator_.Table(), navigator_.Dispatch())) {
    CTreeListItem* parent = kTreeListRoot;
    if (node.row.parentId != kNoParent) parent = items[static_cast<std::size_t>(node.row.parentId)];
    CTreeListItem* item = tree_.InsertItem(
        {node.text.c_str(), static_cast<unsigned long>(node.tweakId), IsBold(node.row.kind), node.image}, parent,
        kTreeListLast);
    if (item == nullptr) continue;
    treeNodes_.push_back(node);
    nodeItems_.push_back(item);
    items[static_cast<std::size_t>(node.row.tweakId)] = item;
  }
  SendMessageA(treeView, WM_SETREDRAW, TRUE, 0);
}

bool CMainDlg::PrepareNextPage() {
  while (pagesTried_ < pageDialogs_.size()) {
    const int pageId = pageDialogs_[pagesTried_++]->templateId();
    if (pageHost_.IsPageCreated(pageId)) continue;
    pageHost_.PageWindow(pageId);  // once: a page that could not be made is not asked again
    return true;
  }
  return pageHost_.RunNextFills();
}

void CMainDlg::CreatePage(int pageId) {
  for (CPageDialog* page : pageDialogs_) {
    if (page->templateId() != pageId || !page->Create(window_, *this)) continue;
    // Pages overlap the tree's right edge and the splitter bar: they go
    // under both, and after them in the tab order.
    SetWindowPos(page->window(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Where the splitter bar has been moved since start-up, as if the page
    // had been there.
    for (int distance : splitterMoves_) MovePage(pageId, distance);
    RECT rect = RectInParent(page->window());
    OffsetRect(&rect, pageShift_, 0);
    MoveTo(page->window(), rect);
    ResetPage(pageHost_, pageId);
  }
}

}  // namespace corvandel
