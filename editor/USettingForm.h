// The settings window: a tree of pages on the left, one page at a time on the
// right, OK, キャンセル and 適用(&A) below. It edits copies of the settings
// object (quorvane.ini), the run options (RunCommand.ini) and the dialog
// options (Dialogs.ini) and writes them at Apply; the dialog options also at
// every close. Started with "/new" it is the first-run set-up: it copies the
// shipped data into the user data folder and starts the launcher when it
// closes.
//
// The option controls are made from the rows of SettingPages.h and every
// change goes through one path that stores it by its row.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/Handles.h"
#include "core/KeyWordX.h"
#include "core/ShellLink.h"
#include "core/StringIni.h"
#include "core/StringList.h"
#include "core/ZMRTData.h"
#include "editor/DropTargetFormLite.h"
#include "editor/SettingPages.h"
#include "editor/ShortcutPage.h"
#include "ui/ActionList.h"
#include "ui/Events.h"
#include "ui/PageControl.h"
#include "ui/ToolTip.h"
#include "ui/TreeView.h"

namespace ui {
class TButton;
class TLabel;
class TPanel;
}  // namespace ui

inline constexpr char kSettingCaption[] = "quorvaneの設定";
inline constexpr char kMessageCaption[] = "quorvane";

// What the window reaches outside itself; each has a real default.
struct TSettingServices {
  // Help pages and the launcher's start at the end of a first run.
  IShellStarter* Shell = nullptr;
  // Platform: Windows NT 5.0 or later; Windows 95.
  std::function<bool()> NT5OrLater;
  std::function<bool()> Win95;
  // The first-run wait for the launcher's window.
  std::function<DWORD()> Clock;
  std::function<void(DWORD ms)> Sleep;
  std::function<HWND()> FindLauncher;
  // The editor-wide Dialogs store and the editor's notice to the launcher
  // come with the editor's shared state; until then they are left out.
  std::function<void()> DetachEditorDialogs;
  std::function<void(bool forced)> SendIngMessage;
  // The faces of the screen's fonts in the Shift-JIS character set, sorted.
  std::function<std::vector<std::string>()> ShiftJisFaces;
  // The shell shortcut page's outside: the path of a shell folder id
  // (CSIDL_...) for a window, the login name, Windows NT, and how a link is
  // resolved before its hotkey is read.
  std::function<std::string(HWND owner, int folderId)> SpecialFolderPath;
  std::function<std::string()> LoginName;
  std::function<bool()> NT;
  TLinkResolver ResolveLink = nullptr;
};

// The shell's path of a special folder; empty when it has none.
std::string ShellSpecialFolderPath(HWND owner, int folderId);

std::vector<std::string> ScreenShiftJisFaces();

// The launcher's window, when it runs.
HWND FindLauncherMainWindow();

class TRZSettingMain;
// The editor's way to the settings window: makes it for the program's
// parameter list, shows it modally and frees it; returns the modal result.
int RunSettingWindow(const TStringList& params, TSettingServices services = {});

class TRZSettingMain : public TDropFormLite {
 public:
  // params: the program's parameter list. The folders come from the folder
  // layout (the editor has based it on its main folder).
  explicit TRZSettingMain(const TStringList& params, TSettingServices services = {});
  ~TRZSettingMain() override;

  void LoadFromData();
  void LoadTreeState();
  void ApplyParams(const TStringList& lines);
  void CopyData(const std::string& text, HWND sender);
  void TreeView1Change(ui::TTreeNode* node);
  void PageControl1Change();
  void RadioGroup1Click();
  void Button1Click();   // OK
  void Button2Click();   // キャンセル
  void Button11Click();  // Apply
  void HelpActionExecute();
  void TreeLeftAction1Execute();
  void TreeRightAction1Execute();
  void TreeUpAction1Execute();
  void TreeDownAction1Execute();
  void TreeView1CustomDrawItem(ui::TTreeItemDraw& item);

  // The one change path of the option controls, and the handlers over it.
  void RowChanged(const TSettingRow& row);
  void CheckBox1Click(const TSettingRow& row);
  void CheckBox35Click(const TSettingRow& row) { RowChanged(row); }
  void SpinEdit4Change(const TSettingRow& row) { RowChanged(row); }
  void SpinEdit1Change(const TSettingRow& row) { RowChanged(row); }
  void CheckBox23Click(const TSettingRow& row) { RowChanged(row); }  // UseFiler, RunByParam
  void CheckBox42Click(const TSettingRow& row) { RowChanged(row); }  // QuoteParam
  void RadioGroup2Click(const TSettingRow& row);                      // TransParentMode
  void RadioGroup3Click(const TSettingRow& row) { RowChanged(row); }  // FileOpenMode
  void RadioGroup4Click(const TSettingRow& row) { RowChanged(row); }  // small
  void RadioGroup5Click(const TSettingRow& row) { RowChanged(row); }  // MatchLevel
  void ComboBox1Click(const TSettingRow& row) { RowChanged(row); }    // Priority
  void ComboBox5Change(const TSettingRow& row) { RowChanged(row); }   // UpPriorityByRate
  void ComboBox4Change(const TSettingRow& row) { RowChanged(row); }   // BorderStyle, then the preview
  void Edit3Change(const TSettingRow& row) { RowChanged(row); }       // SpecialChars, CompleteChars
  void Memo1Change(const TSettingRow& row) { RowChanged(row); }       // OtherCandidates
  void FileNameComplete1Change(const TSettingRow& row) { RowChanged(row); }  // FilerName, FileOpenFile, FilerParam
  void TrackBar1Change(const TSettingRow& row) { RowChanged(row); }
  // The arrow labels of a track bar: step -10 or 10. 24 and 28 are those of
  // the icon wait, 26 and 27 those of the transparency; all are underlined
  // while the mouse is over them.
  void ArrowLabelClick(const TSettingRow& row, int step);
  void Label24Click(const TSettingRow& row) { ArrowLabelClick(row, -10); }
  void Label28Click(const TSettingRow& row) { ArrowLabelClick(row, 10); }
  void Label26Click(const TSettingRow& row) { ArrowLabelClick(row, -10); }
  void Label27Click(const TSettingRow& row) { ArrowLabelClick(row, 10); }
  static void Label26MouseEnter(ui::TLabel& label);
  static void Label26MouseLeave(ui::TLabel& label);
  // The "..." of a file-name box: a file dialog for programs.
  void Button4Click(const TSettingRow& row);

  // The candidate sources (カスタマイズ): filled from ListOrder and
  // CheckedLists, stored at every click, check and move; step -1 up, 1 down.
  void SetListOrder();
  void CheckListBox1Click();
  void CheckListBox1ClickCheck();
  void UpAction2Execute(int step);
  // The keyword hotkeys (キー割り当て): filled at the first visit; rows in
  // the order of the list, higher ones win. Moves: step -1 up, 1 down.
  void SetHotKeyListItem(int index);
  void Button8Click();   // 追加(&D)
  void Button9Click();   // 変更(&N)
  void Button10Click();  // 削除(&X)
  void ListView1KeyDown(ui::TKeyEvent& key);
  void UpAction1Execute(int step);
  // 拡張子の編集(&E)... (実行).
  void Button25Click();
  // 配色: the preview of the input window in the chosen state (on 表示
  // in 通常状態), a colour button (TColourKey) and the defaults of the state.
  void ComboBox4Change();
  void Button5Click(int key);
  void Button14Click();
  int ColourState();
  // The font and its size (表示).
  void Combobox2Change();
  void ComboBox3Change();

  // The shell shortcut page (ショートカット登録). GetSpecialFolder ends with "\".
  std::string GetSpecialFolder(int folderId);
  bool CreateShortCut(const std::string& linkFile, const std::string& target, const std::string& hotKeyText,
                      const std::string& folder);
  WORD GetShortCutHotKey(const std::string& linkFile);
  void CheckBox14Click(const char* kind);
  void Button12Click();

  // ---- State, for the tests and the pages still to come ----
  TZMRTData* Settings() { return settings_.get(); }
  TStringIni* RunOptions() { return runOptions_.get(); }
  TStringIni* DialogOptions() { return dialogs_.get(); }
  const std::string& MainFolder() const { return mainFolder_; }
  const std::string& DataFolder() const { return dataFolder_; }
  bool Shared() const { return shared_; }
  TStringList& PendingChanges() { return pendingChanges_; }
  const TStringList& InitialisedPages() const { return initialisedPages_; }
  int SetUpRuns(const std::string& page) const;

  ui::TTreeView& TreeView1() { return Control<ui::TTreeView>("TreeView1"); }
  ui::TPageControl& PageControl1() { return Control<ui::TPageControl>("PageControl1"); }
  ui::TButton& ApplyButton() { return Control<ui::TButton>("Button11"); }
  ui::TLabel& ModeExplanationLabel() { return Control<ui::TLabel>("ModeExplanation"); }
  ui::TTabSheet* PageOf(const std::string& caption) const;
  ui::TToolTip& ShortcutHints() { return shortcutHints_; }
  // The control of a row.
  ui::TWindow& RowControl(const TSettingRow& row) { return Control(row.Name); }

  // What the captions of the tree nodes are, in tree order.
  std::vector<std::string> NodeCaptions();

 protected:
  // Apply's steps between creating the data folder and saving: the shared
  // data folder's switch (false when it failed and the old folder stays),
  // its marker file and the shortcut files.
  bool SwitchSharedDataFolder();
  void WriteSharedDataMarker();
  void WriteShortcutFiles();

 private:
  void BuildWindow();
  void BuildPages();
  void BuildPageRows(const char* page, int y = 10);
  void BindRow(const TSettingRow& row);
  std::vector<ui::TWindow*> RowWindows(const TSettingRow& row);
  void UpdateRowRule(const TSettingRow& row);
  void ColourPathLabel(const TSettingRow& row);
  void FocusTrackBar(const char* name);
  void BuildCustomizePage();
  void BuildDisplayPage();
  void BuildKeyAssignPage();
  void BuildColourPage();
  void ShowColours();
  void FillHotKeyList();
  void UpdateHotKeyButtons();
  void SetUpFonts();
  void UpdateListButtons();
  void StoreListOrder();
  void BuildTree();
  void FormCreate();
  void CopyFirstRunData();
  void FormClose(ui::TCloseAction& action);
  void WaitForLauncher();
  void SetUpPage(const std::string& caption);
  void FillRow(const TSettingRow& row);
  static bool FilledAtFirstVisit(const TSettingRow& row);
  void HotKeyButtonClick(const TSettingRow& row);
  void UpdateDependents();
  void SetNodeShown(const char* path, bool shown);
  void EnableApply();
  TSettingStores Stores();
  void BuildShortcutPage();
  void SetUpShortcutPage();
  void ShowPerUserNote();
  void WriteShortcutKind(const TShortcutKind& kind, bool checked);
  void DeleteStartMenuFolder(const std::string& folder);
  bool FirstRun() const;
  bool NT5() const;

  TSettingServices services_;
  TStringList params_;

  // The window's state.
  std::unique_ptr<TZMRTData> settings_;
  std::unique_ptr<TStringIni> runOptions_;
  std::unique_ptr<TStringIni> dialogs_;
  bool shared_ = false;
  bool sharedAtOpen_ = false;
  std::string mainFolder_;
  std::string dataFolder_;
  std::string dataFolderAtOpen_;
  TStringList pendingChanges_;
  TStringList initialisedPages_;
  std::string expandedText_, selectedText_;
  std::unique_ptr<TKeyWordManager> keywords_;

  std::map<std::string, int> setUpRuns_;
  int filling_ = 0;  // controls are being filled from the stores
  bool closed_ = false;

  ui::TActionList actions_{*this};
  ui::TAction helpAction_{"?"};
  ui::TAction treeLeft_, treeRight_, treeUp_, treeDown_;
  ui::TAction upAction2_, downAction2_;
  ui::TToolTip shortcutHints_;
  core::TUniqueFont previewFont_;
  core::TUniqueBrush inputBrush_;
  COLORREF inputText_ = 0, inputBack_ = 0;
};
