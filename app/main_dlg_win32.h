// CMainDlg: the main window (template 102). It owns the tree, the nine page
// dialogs, the splitter bar, the splash control and the skin engine, and
// drives the navigation core (Navigator) from the tree and the Apply button.
// It runs with a message loop of its own, so that every message for the
// window and its children passes its pre-filter first.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/find_box_win32.h"
#include "app/tree_pictures_win32.h"
#include "widgets/skin_engine_win32.h"
#include "widgets/splash_win32.h"
#include "widgets/splitter_bar_win32.h"
#include "nav/navigator.h"
#include "widgets/tree_list_ctrl_win32.h"
#include "pages/page_dialogs_win32.h"
#include "pages/page_host_win32.h"

namespace corvandel {

// Private window messages: the tree's selection changed; open the help file.
inline constexpr UINT WM_TREE_SELECT = 1226;
inline constexpr UINT WM_OPEN_HELP = 1227;
// The timer that prepares the pages not made or filled yet, one per tick
// (CMainDlg::PrepareNextPage).
inline constexpr UINT_PTR kPreparePagesTimer = 1;

// The system menu's About item, and the item after it that undoes the last
// change to the selected tweak.
inline constexpr UINT kAboutCommand = 16;
inline constexpr UINT kUndoCommand = 32;
inline constexpr char kUndoMenuText[] = "Undo Last Change to This Tweak";
// After it: what "Apply Changes" would write for the page as it stands.
inline constexpr UINT kPreviewCommand = 48;
inline constexpr char kPreviewMenuText[] = "Preview Changes...";
// Then, after a separator, the settings of many tweaks saved as a profile,
// and a profile applied (the files of "corvandel-cli profile").
inline constexpr UINT kSaveProfileCommand = 64;
inline constexpr char kSaveProfileMenuText[] = "Save Settings Profile...";
inline constexpr UINT kApplyProfileCommand = 80;
inline constexpr char kApplyProfileMenuText[] = "Apply Settings Profile...";

// What the window works with: the seams, and how a help file is opened.
struct MainDlgServices {
  IRegistry& registry;
  IPlatform& platform;
  IProfile& profile;
  std::function<void(const std::string& path)> openHelp;
};

class CMainDlg : private IPageOwner {
 public:
  explicit CMainDlg(MainDlgServices services);
  ~CMainDlg() override;
  CMainDlg(const CMainDlg&) = delete;
  CMainDlg& operator=(const CMainDlg&) = delete;

  // Creates the window, shows it and runs it until it ends; the end result.
  // onFirstIdle, when given, runs once as the loop first finds nothing to do.
  INT_PTR DoModal(const std::function<void()>& onFirstIdle = nullptr);
  // Creates the window hidden and runs its start-up, for a caller with its own
  // message loop; false when no window was made or the start-up ended it.
  bool Create();
  // The pre-filter: true when the message was handled here and must not be
  // dispatched.
  bool PreTranslateMessage(const MSG& message);
  // Ends the window with a result (the loop of DoModal stops).
  void EndDialog(INT_PTR result);
  bool IsEnded() const { return ended_; }

  HWND window() const { return window_; }
  Navigator& navigator() { return navigator_; }
  CTreeListCtrl& tree() { return tree_; }
  CSplitterBar& splitter() { return splitter_; }
  Win32PageHost& pages() { return pageHost_; }
  CFindBox& findBox() { return findBox_; }
  // Selects the next (forward) or previous tree node after the selected one
  // whose texts hold every word, through the tree as a click would; false
  // when none does.
  bool FindTweak(const std::string& words, bool forward);
  // Opens the "Find Tweak" box, the first time centred over the pages.
  void OpenFindBox();
  // The base directory + "\Help\" + the language + ".chm".
  std::string HelpFilePath() const;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool OnInitDialog();
  void AddAboutItem();
  // Undo, Preview Changes and the two profile items.
  void AddChangeItems();
  void StartSplash();
  bool StartSkin();
  void FillImageList();
  void LoadBackground();
  bool CreateSplitter();
  void SetUpTree();
  void BuildTree();
  // Makes a page when it is first needed (Win32PageHost asks).
  void CreatePage(int pageId);
  // Makes the next page not made yet or, once all are made, fills the next
  // page's waiting items; false when nothing is left.
  bool PrepareNextPage();

  void OnSysCommand(WPARAM command);
  void OnUndoLastChange();
  // Shows the writes of PreviewApply in a read-only box of its own.
  void OnPreviewChanges();
  // Asks whether every tweak or only those applied since start-up, then
  // writes their pages as they load to a file the user names.
  void OnSaveProfile();
  // Applies each line of a profile the user opens, then says how many lines
  // were applied, refused and failed, with the first problems.
  void OnApplyProfile();
  // Runs work over many tweaks out of sight: message boxes held in *held,
  // the window not redrawn, and the selected tweak's page loaded again after.
  void RunOverTweaks(std::vector<NoticingPlatform::HeldMessage>* held, const std::function<void()>& work);
  // Keeps the selected tweak among those applied since start-up, unless
  // the apply failed or the registry refused it.
  void NoteApplied(const ChangeOutcome& outcome);
  void ApplyChanges();
  // The line beside "Apply Changes": what the last apply did, until the next
  // selection.
  void CreateStatusLine();
  void ShowStatus(const std::string& text);
  // Enables the undo item when the selected tweak has a backup.
  void UpdateUndoItem();
  bool OnPaintIconic();
  void OnTreeSelect();
  // The focus never stays on a hidden or disabled control: after a page
  // change it goes to the new page's first control when it was on a page,
  // else to the tree. For an inactive window, the focus its next activation
  // gives back.
  void KeepFocusUsable();
  bool IsUsableFocus(HWND window) const;
  HWND FocusInstead(HWND lost) const;
  // WM_ACTIVATE and WM_SETFOCUS: gives back the saved focus, or its
  // replacement; FALSE leaves it to the dialog manager.
  BOOL RestoreFocus();
  // An overview's name column takes the list's width less the date column,
  // which is widened for the screen's DPI.
  void FitOverviewColumns();
  void OnSplitterMoved(int distance);
  // The window grows from its designed layout: the tree and the splitter bar
  // take the height, the pages, "Apply Changes" and its line stay centred in
  // the width the splitter leaves. Narrower than designed (at a high DPI on a
  // small screen), the tree gives up width first.
  void Layout();
  void OnGetMinMaxInfo(MINMAXINFO& info) const;
  // The window inside the work area, at its remembered place and size where
  // there is one; the splitter bar where it was left.
  void PlaceWindow();
  void SavePlacement() const;
  // Moves a page's left edge, and its controls that follow the splitter bar, by distance.
  void MovePage(int pageId, int distance);
  bool OnEnterKey();
  bool IsOwnWindow(HWND window) const;

  // IPageOwner
  const PageBehaviour& CurrentPage() const override { return navigator_.CurrentPage(); }
  bool ShowsOverview() const override { return navigator_.Dispatch().HasOverview(navigator_.CurrentTweakId()); }
  IPlatform& Platform() override { return services_.platform; }
  Win32PageHost& PageHost() override { return pageHost_; }
  int SkinElement(HWND window, const wchar_t* elementName) override;

  struct ImageListDeleter {
    void operator()(HIMAGELIST images) const { ImageList_Destroy(images); }
  };

  MainDlgServices services_;
  std::string baseDirectory_;
  Win32PageHost pageHost_;
  Navigator navigator_;
  std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter> images_;
  std::unique_ptr<TreePictures> pictures_;  // made on a second thread at Create
  std::unique_ptr<SkinEngine> skin_;
  CSplash splash_;
  CTreeListCtrl tree_;
  CSplitterBar splitter_;
  CListCheckPage listCheckPage_;
  CMultiCheckPage multiCheckPage_;
  CEditCheckPage editCheckPage_;
  CComboCheckPage comboCheckPage_;
  CListPage listPage_;
  CEditBrowsePage editBrowsePage_;
  CMultiComboPage multiComboPage_;
  CEditComboPage editComboPage_;
  CSingleComboPage singleComboPage_;
  std::array<CPageDialog*, 9> pageDialogs_;
  std::size_t pagesTried_ = 0;  // by PrepareNextPage
  // Every move of the splitter bar since start-up, for pages made later.
  std::vector<int> splitterMoves_;
  std::vector<int> appliedTweaks_;  // since start-up, each once, in the order first applied
  CFindBox findBox_;
  // The tree's nodes as BuildTree inserted them, and their items.
  std::vector<TreeItem> treeNodes_;
  std::vector<CTreeListItem*> nodeItems_;
  // The layout as designed (client size, tree width, the window's size at
  // 96 DPI), and how far Layout has moved things from it.
  SIZE designClient_{};
  SIZE minimumWindow_{};
  int designTreeWidth_ = 0;
  int treeShift_ = 0;
  int pageShift_ = 0;
  int heightGrowth_ = 0;
  bool startMaximised_ = false;  // as it was left
  HWND savedFocus_ = nullptr;  // the focus when the window was last deactivated
  HICON icon_ = nullptr;
  HWND window_ = nullptr;
  bool ended_ = false;
  bool startupFailed_ = false;  // the window closes without being shown
  INT_PTR result_ = 0;
};

}  // namespace corvandel
