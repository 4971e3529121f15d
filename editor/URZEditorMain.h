// The editor's shared state: the folders it works in, the Dialogs.ini store
// every editor window reads and writes, the hotkey lines of ShortCut.txt that
// the command dialogs rewrite, the colour invalid entries are shown in, and
// the busy flag that keeps modal create, edit and delete operations from
// nesting. Created once after the folder layout is re-based; the request
// routines live beside it.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/StringIni.h"
#include "core/StringList.h"
#include "editor/DropTargetFormLite.h"
#include "ui/ActionList.h"
#include "ui/Event.h"
#include "ui/ImageList.h"
#include "ui/PopupMenu.h"
#include "ui/TreeView.h"

class IShellStarter;
class TFilePaths;
class TKeyWordManager;
class TKeyWordX;
namespace ui {
class TAction;
class TForm;
class TImage;
class TLabel;
struct TMouseEvent;
struct TContextMenuEvent;
}  // namespace ui

// Asks whether to delete the keyword and deletes it; true when deleted.
// topMost is the calling window's top-most action (or none), whose state is
// dropped while the question is up.
using TDeleteItemHook = std::function<bool(ui::TAction* topMost, TKeyWordManager& manager, const std::string& path)>;

// What a request does on the keyword manager window while it is open: the
// window implements it, and the request routines use it in place of their
// own dialogs, saves and notices.
class IRequestWindow {
 public:
  virtual ~IRequestWindow() = default;
  virtual TKeyWordManager& RequestManager() = 0;
  virtual ui::TAction* TopMostAction() = 0;
  // Selects the keyword's node and scrolls it into view; false when it has none.
  virtual bool SelectAndShow(const std::string& path) = 0;
  virtual void ClearSelection() = 0;
  // The window's own actions on the selected node. The edit reports whether
  // its dialog was confirmed.
  virtual bool RunEditAction() = 0;
  virtual void RunDeleteAction() = 0;
  virtual void RunGroupAction() = 0;
  // Places a new item in the tree next to the selected node (with no
  // selection, in the item's own group) and runs its dialog when asked;
  // false when the dialog was cancelled.
  virtual bool PlaceNewItem(std::unique_ptr<TKeyWordX> item, bool showDialog) = 0;
};

inline constexpr char kDialogsFileName[] = "Dialogs.ini";
inline constexpr char kHotKeyFileName[] = "ShortCut.txt";
inline constexpr char kSettingsFileName[] = "quorvane.ini";
inline constexpr int kDefaultWarningColor = 255;  // red

struct TEditorState {
  // The user data folder, the Items folder and the main folder, each with a trailing "\".
  std::string UserDir;
  std::string ItemsDir;
  std::string MainDir;
  TStringIni Dialogs;
  // name TAB modifiers TAB key TAB scope, one hotkey a line.
  TStringList HotKeyLines;
  // False when ShortCut.txt exists but could not be read: the empty lines
  // above are then not the user's, and saving must not write them over it.
  bool HotKeyLinesLoaded = true;
  int WarningColor = kDefaultWarningColor;
  std::string OldItem;
  std::string NewItem;
  std::string SelectKeyword;
  bool Busy = false;
  TDeleteItemHook DeleteItem;
  // The keyword manager window while it is open.
  IRequestWindow* Window = nullptr;
  // Set when the settings window has written Dialogs.ini itself: the program
  // end then leaves the file as it is.
  bool DialogsDetached = false;

  // Takes the folders of the layout and reads Dialogs.ini, ShortCut.txt and
  // the warning colour of quorvane.ini; a missing file leaves its defaults.
  void Load(const TFilePaths& paths);
  // Writes the Dialogs store back (at program end).
  void SaveDialogs() const;
  // A file in the user data folder.
  std::string UserFile(const std::string& name) const { return UserDir + name; }
};

// The one editor state of the program.
TEditorState& EditorState();

// Sets the busy flag for one scope and clears it on every way out.
class TBusyScope {
 public:
  explicit TBusyScope(TEditorState& state) : state_(state) { state_.Busy = true; }
  ~TBusyScope() { state_.Busy = false; }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  TEditorState& state_;
};

// A beep and a modal warning box with OK. topMost is the calling window's
// top-most action or none: while the box is up that window leaves the
// top-most band, and it comes back unless the action was switched meanwhile.
void ShowWarning(ui::TAction* topMost, const std::string& text);

// Saves the keyword store and the hotkey lines, then tells the windows that
// notify.txt (beside the editor program) lists to reload, naming the changed
// items (OldItem, NewItem), and brings the editor to the front again.
void SaveAndNotify(TKeyWordManager& manager);

// The reload notice for the windows of notify.txt, NUL included.
std::string ReloadNotice(const std::string& oldItem, const std::string& newItem);
// The windows listed in notify.txt's text: class TAB caption, one a line.
struct TNotifyTarget {
  std::string ClassName;
  std::string Caption;
};
std::vector<TNotifyTarget> ReadNotifyTargets(const std::string& text);

// The launcher's window, found by its class and caption; none when it does not run.
struct HWND__* FindLauncherWindow();

// Tells a visible launcher window (or with force any launcher window) to
// take the focus back.
void SendIngMessage(bool force);

// Runs one keyword request (Action, Keyword, Command, ...; see the launcher's
// editor requests) on manager, or on the manager window's when none is given,
// or on a store of its own. True when the manager window is to open or come
// to the front.
bool ExecuteParamActionEx(TStringIni& request, TKeyWordManager* manager);
bool ExecuteParamAction(TStringIni& request);

// A new keyword for a request (see the definition); none when refused,
// failed or cancelled. Type -1 asks the kind.
std::unique_ptr<TKeyWordX> CreateItem(ui::TAction* topMost, TKeyWordManager& manager, const std::string& path,
                                      bool analyzeShortCut, int type, const std::string& comment,
                                      const std::string& command);

// Makes a group of the item in its place: a group of its name at its
// position, with its UseKeyword flags, RunMode 1 and SyncIcon 1, the item
// inside. The group and, in moved, the item in it; none (after a warning)
// when that fails.
std::unique_ptr<TKeyWordX> GroupItem(ui::TAction* topMost, TKeyWordManager& manager, TKeyWordX& item,
                                     const std::string& comment, const std::string& command,
                                     std::unique_ptr<TKeyWordX>& moved);

// The name of a keyword type: 通常コマンド, 拡張コマンド, システムコマンド,
// グループ; empty for others.
const char* KeywordTypeName(int type);

// Opens the dialog of the item's kind; true when confirmed. deleted tells
// that the dialog itself deleted the item (nothing is then to be undone).
// owner is the window the dialog belongs to (none: ownerless).
bool EditItemDialog(ui::TAction* topMost, std::unique_ptr<TKeyWordX>& item, bool isNew, TKeyWordManager& manager,
                    ui::TForm* owner = nullptr, bool* deleted = nullptr);

// The question DeleteItemConfirm asks about an item.
std::string DeleteConfirmText(const std::string& name, const std::string& groupPath, int type,
                              const std::string& comment, const std::string& command);
// Asks whether to delete the keyword of path and deletes it (a group with
// its contents), then drops the hotkey lines of keywords no longer there;
// true when deleted. Refused while another create, edit or delete runs.
bool DeleteItemConfirm(ui::TAction* topMost, TKeyWordManager& manager, const std::string& path);
// Drops the hotkey lines (all but the commands, "*...") whose keyword no
// longer exists.
void DropStaleHotKeyLines(TStringList& lines, TKeyWordManager& manager);

// Fills a new item of Type 0, 2 or 5 from the user's defaults file of its
// kind (Dialog_Default_info\Normal.ini, System.ini, Group.ini), then from
// its command: a name, the folder, the program's own description and an
// icon. analyzeShortCut takes a link's target in place of the link.
void ApplyItemDefaults(TKeyWordX& item, bool analyzeShortCut);
// The name a command gives an unnamed item: its last part without the
// extension, else its first character; forbidden characters become "_".
std::string ItemNameFromCommand(const std::string& command);
// Reads the link the item's command names into the item (command, folder,
// parameters, icon); false, with the item untouched, when that fails.
bool ReadShortCutInto(TKeyWordX& item);


// ---- The keyword manager window ----

inline constexpr char kManagerClassName[] = "TRZEditorMain";
inline constexpr char kManagerCaption[] = "キーワードマネージャ";

// Runs one keyword request; true when the window is to come to the front.
using TManagerRequestRunner = std::function<bool(TStringIni& request)>;

// Every keyword as a tree of groups, with the selected keyword's place, kind,
// comment and icon below it. Changes stay in the window's own store until
// Apply or OK.
class TRZEditorMain : public TDropFormLite, private IRequestWindow {
 public:
  explicit TRZEditorMain(TManagerRequestRunner runRequest = ExecuteParamAction);
  ~TRZEditorMain() override;

  TKeyWordManager& Manager() { return *manager_; }
  TKeyWordX* CurrentItem() const { return current_.get(); }
  bool Modified() const { return modified_; }

  ui::TTreeView& TreeView1() const;
  ui::TLabel& PlaceText() const;
  ui::TLabel& KindText() const;
  ui::TLabel& CommentText() const;
  ui::TImage& ItemIcon() const;
  ui::TAction& ZOrderAction() { return zOrderAction_; }
  ui::TAction& ApplyAction() { return applyAction_; }
  ui::TAction& DeleteAction() { return deleteAction_; }
  ui::TAction& UpNode() { return upNode_; }
  ui::TAction& DownNode() { return downNode_; }
  ui::TAction& ReNameAction() { return reNameAction_; }
  ui::TAction& EditAction() { return editAction_; }
  ui::TAction& NewExAction() { return newExAction_; }
  ui::TAction& NewNormalAction() { return newNormalAction_; }
  ui::TAction& NewFolder() { return newFolder_; }
  ui::TAction& ChangeToGroup() { return changeToGroup_; }
  // Set by the edit action when its dialog was confirmed.
  bool EditConfirmed() const { return editConfirmed_; }
  ui::TAction& CopyNode() { return copyNode_; }
  ui::TAction& CutNode() { return cutNode_; }
  ui::TAction& PasteNode() { return pasteNode_; }
  ui::TAction& SortByName() { return sortByName_; }
  ui::TAction& SortByType() { return sortByType_; }
  ui::TAction& OKAction() { return okAction_; }
  ui::TAction& CancelAction() { return cancelAction_; }
  // The tree's context menu.
  ui::TPopupMenu& TreeMenu() { return treeMenu_; }
  // The node whose keyword Paste copies, or moves; at most one is set.
  ui::TTreeNode* CopiedNode() const { return copied_; }
  ui::TTreeNode* CutNodeMark() const { return cut_; }
  // Help pages are opened through it (the system's shell when none).
  IShellStarter* Shell = nullptr;

  // The node of a keyword path, or none.
  ui::TTreeNode* FindNode(const std::string& path);
  // The image of a node by its keyword's Type.
  static int ImageOfType(int type);

  void TreeView1Change(ui::TTreeNode* node);
  void ApplyActionExecute();
  void DeleteActionExecute();
  void UpNodeExecute();
  void DownNodeExecute();
  void ReNameActionExecute();
  void CopyNodeExecute();
  void CutNodeExecute();
  void PasteNodeExecute();
  void SortByNameExecute();
  void SortByTypeExecute();
  void HelpActionExecute();
  void OKActionExecute();
  void CancelActionExecute();
  void FormResize();

  // Places a new or changed item in the tree and runs its dialog: a new one
  // next to anchor (into it when it is a group), or first at the root
  // without one. False when the dialog was cancelled.
  bool EditItem(std::unique_ptr<TKeyWordX>& item, ui::TTreeNode* anchor, bool showDialog);
  void EditActionExecute();
  void NewItemExecute(int type);
  void ChangeToGroupExecute();
  void FileDropped(const std::string& text);
  void URLDropped(const std::string& address, const std::string& title);

 private:
  // The request routines' view of the window.
  TKeyWordManager& RequestManager() override { return *manager_; }
  ui::TAction* TopMostAction() override { return &zOrderAction_; }
  bool SelectAndShow(const std::string& path) override;
  void ClearSelection() override;
  bool RunEditAction() override;
  void RunDeleteAction() override { DeleteActionExecute(); }
  void RunGroupAction() override { ChangeToGroupExecute(); }
  bool PlaceNewItem(std::unique_ptr<TKeyWordX> item, bool showDialog) override;

  void BindEditActions();

  void FormCreate();
  void FormClose();
  void BuildSubTree(ui::TTreeNode* node, const std::string& groupPath);
  void LoadImages();
  void ApplyPlacement();
  void FillPanel(TKeyWordX* item);
  void CopyData(const std::string& text, bool hasRequest);
  void ZOrderChange();
  void ActionList1Update();
  void TestRun();
  void TreeView1Edited(ui::TTreeNode* node, std::string& text, bool& accept);
  bool HasItem() const { return TreeView1().Selected() && current_; }

  // Copy, cut, paste, drags, sorts and the tree's menu (URZEditorMainTree.cpp).
  void SetUpTreeOperations();
  void BindButton(const char* name, ui::TAction& action);
  void BuildTreeMenu();
  void TreeMenuPopup();
  void TreeView1MouseDown(ui::TMouseEvent& e);
  void TreeView1ContextPopup(ui::TContextMenuEvent& e);
  void TreeView1StartDrag(ui::TTreeNode* node);
  void TreeView1DragOver(ui::TTreeNode* source, ui::TTreeNode* target);
  void TreeView1DragDrop(ui::TTreeNode* source, ui::TTreeNode* target);
  // Moves the keyword of source to target as a drop does.
  void MoveNodeTo(ui::TTreeNode* source, ui::TTreeNode* target);
  void PasteCopy(ui::TTreeNode* target);
  bool CanPaste() const;
  void SortSelected(int mode);
  // Builds the children of node (the whole tree for none) anew from the store,
  // keeping what was expanded, selected, copied or cut.
  void RebuildChildren(ui::TTreeNode* node);
  // A node that goes takes its marks with it.
  void TreeView1Deletion(ui::TTreeNode* node);

  TManagerRequestRunner runRequest_;
  std::unique_ptr<TKeyWordManager> manager_;
  std::unique_ptr<TKeyWordX> current_;
  bool modified_ = false;
  bool editConfirmed_ = false;
  ui::TImageList images_{16, 16};
  // The list index of each type image, -1 for a file that could not be loaded.
  std::array<int, 4> imageSlots_{-1, -1, -1, -1};
  ui::TActionList actions_{*this};
  ui::TAction okAction_{"OK"};
  ui::TAction cancelAction_{"キャンセル"};
  ui::TAction applyAction_{"適用(&A)"};
  ui::TAction zOrderAction_{""};
  ui::TAction deleteAction_{"削除"};
  ui::TAction upNode_{"↑上へ", static_cast<WORD>(VK_UP | 0x8000)};
  ui::TAction downNode_{"↓下へ", static_cast<WORD>(VK_DOWN | 0x8000)};
  ui::TAction reNameAction_{"名前の変更", VK_F2};
  ui::TAction helpAction_{"?", VK_F1};
  ui::TAction editAction_{"編集", static_cast<WORD>(VK_RETURN | 0x8000)};
  ui::TAction newExAction_{"新規作成", static_cast<WORD>('N' | 0x4000)};
  ui::TAction newNormalAction_{"新規(通常コマンド)"};
  ui::TAction newFolder_{"フォルダ"};
  ui::TAction changeToGroup_{"グループ化"};
  ui::TAction copyNode_{"コピー"};
  ui::TAction cutNode_{"切り取り"};
  ui::TAction pasteNode_{"貼り付け"};
  ui::TAction sortByName_{"ABC順に並び替え"};
  ui::TAction sortByType_{"種類順に並び替え"};
  ui::TTreeNode* copied_ = nullptr;
  ui::TTreeNode* cut_ = nullptr;
  ui::TTreeNode* dragged_ = nullptr;
  ui::TPopupMenu treeMenu_;
  // Each menu entry with the action it runs, for the states at popup.
  std::vector<std::pair<ui::TMenuItem*, ui::TAction*>> menuActions_;
  std::vector<ui::TConnection> buttonLinks_;
};
