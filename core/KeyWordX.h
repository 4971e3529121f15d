// The keyword model: TKeyWordManager, the keyword store of one user (group
// files below the Items folder, the identifier list IDList.txt, the cache of
// every group read), and TKeyWordX, a view of one keyword item in that cache.
//
// Ownership: the manager's cache owns every group list and every item's data;
// a view handed out (std::unique_ptr) points at the cached data and never owns
// it, except for data made by a setter on a view that is in no group yet.
// Views must not be used after ClearCache or after their group was dropped.
//
// Running: RunCommand resolves the item's values into a run copy, expands
// wildcards, puts in the run-time parameters and then starts the command
// through the shell, hands a system command to the host's runner or runs a
// group's items. The shell start, message boxes, clipboard and message pump
// are reached through the manager's RunServices.
//
// Errors: an unreadable group file and a failed write in Save raise
// EKeyWordStoreError. FindItemData and FindKeyWord swallow read errors (the
// keyword is then "not found"); every other caller sees them and must catch
// them before they reach a window procedure or other system callback.
#pragma once

#include <memory>
#include <stdexcept>
#include <string_view>
#include <string>
#include <vector>

// The path units take the Windows and shell headers in first and keep the shell's
// FindExecutable macro away; ShellExecute would rename a member below the same way.
#include "core/File_Utils.h"
#undef ShellExecute
// The item's own LoadIcon keeps its name; the system's is LoadIconA.
#undef LoadIcon

#include "core/Handles.h"
#include "core/IconPathHook.h"
#include "core/KeyWordFile.h"
#include "core/StringIni.h"
#include "core/StringList.h"

class TKeyWordX;
class TKeyWordManager;

class EKeyWordStoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The host's handler of system commands (the launcher's main window). The
// request holds CommandIndex, "%1".."%n" and "%*"; the runner owns it.
class ISystemCommandRunner {
 public:
  virtual ~ISystemCommandRunner() = default;
  virtual void ExecuteSysCommand(std::unique_ptr<TStringIni> request) = 0;
};

// The host's parser of typed text into an item's run-time parameters (the
// launcher's input box). Given an item, it fills that item's ArrayedParam and
// returns the same item.
class IKeywordParser {
 public:
  virtual ~IKeywordParser() = default;
  virtual TKeyWordX* ParseByKeyword(TKeyWordX* item, const std::string& text, bool paramMode) = 0;
};

using TKeyWordList = std::vector<std::unique_ptr<TKeyWordX>>;

// Platform services of a run. Each is a small interface whose default is the
// real service; tests put scripted ones in, and a host may put its own (its
// message box service, its message loop) in place of a default.
class IRunMessageBox {
 public:
  virtual ~IRunMessageBox() = default;
  // A modal box with the MB_ button set of type; returns the button pressed
  // (IDOK, IDYES, IDNO, IDCANCEL). Default: MessageBoxA over the application window.
  virtual int Show(const std::string& text, const std::string& caption, unsigned int type) = 0;
};
class IShellStarter {
 public:
  virtual ~IShellStarter() = default;
  // Starts what the record names; true on success, with the record's process
  // handle (when it asks for one) owned by the caller. Default: ShellExecuteExA.
  virtual bool Start(SHELLEXECUTEINFOA& start) = 0;
};
class IClipboardText {
 public:
  virtual ~IClipboardText() = default;
  // Default: ReadClipboardText (files of a drop list as lines, else the text).
  virtual std::string Read() = 0;
};
class IMessagePump {
 public:
  virtual ~IMessagePump() = default;
  // Handles the messages waiting on this thread, then returns. Default: a
  // PeekMessage loop; a WM_QUIT is posted again and marks the application as
  // terminating, which ends a Wait run.
  virtual void ProcessMessages() = 0;
};
struct TRunServices {
  IRunMessageBox* MessageBoxes;
  IShellStarter* ShellStart;
  IClipboardText* Clipboard;
  IMessagePump* Pump;
};
// The real services (process-wide objects that live to program end).
TRunServices DefaultRunServices();

// The run options of RunCommand.ini in the user folder, read at every start;
// a missing file or key means its default.
inline constexpr char kRunOptionsFileName[] = "RunCommand.ini";
struct TRunOptions {
  // A command that is no executable file gives its place to an executable parameter.
  bool RunByParam = false;
  // Quoting of parameters with blanks when the filer runs.
  bool QuoteParam = true;
  // A command of this many lines or more asks before it runs.
  int MaxWildCardRunCount = 10;
  // Folders open with the filer program instead of the shell.
  bool UseFiler = false;
  std::string FilerName;   // may hold keyword identifiers and references
  std::string FilerParam;  // run-time placeholders
  // When the shell cannot open an existing file: 0 the system's "open with"
  // dialog, 1 open it with FileOpenFile, 2 only report.
  int FileOpenMode = 0;
  std::string FileOpenFile;  // may hold keyword identifiers and references

  static TRunOptions Read(const TStringIni& ini);
};

// Item types (key Type).
inline constexpr int kTypeCommand = 0;
inline constexpr int kTypeSystem = 2;
inline constexpr int kTypeTemp = 3;
inline constexpr int kTypeGroup = 5;

// Returns the identifier of the keyword path, issuing the next one (and adding
// its entry) when the path has none. -1 when no identifier is left to issue.
int GetKeyWordID(const std::string& path, int& lastId, TStringList& idList);

// Turns a token of a stored value into a real path: keyword names (and a
// keyword name as the first part of a path) become their commands, program
// names their full path on the search path; a leading "!" only drops the "!".
std::string ResolveKeyWordPath(const std::string& token, TKeyWordManager& manager);

// Editor: the large icon of a file (a leading "%Icondir" is the layout's icon
// folder) at the index; null for no file and on any failure.
core::TUniqueIcon LoadKeyWordIcon(const std::string& file, int index);

class TKeyWordManager {
 public:
  // Both folders get a trailing "\" when missing. With an icon hook (the
  // launcher's icon factory) the store installs ExpandIconDir as its path
  // handler and removes it again in the destructor.
  TKeyWordManager(std::string itemsFolder, std::string mainFolder, IIconPathHook* iconHook = nullptr);
  ~TKeyWordManager();
  TKeyWordManager(const TKeyWordManager&) = delete;
  TKeyWordManager& operator=(const TKeyWordManager&) = delete;

  const std::string& ItemsFolder() const { return itemsFolder_; }
  const std::string& MainFolder() const { return mainFolder_; }

  // Keyword paths whose command is being resolved right now (stops cycles).
  TStringList GuardList;
  // ".exe" and ".vbs" until the launcher puts its setting in.
  TStringList ExecutableExtensions;
  bool QuoteParam = true;
  ISystemCommandRunner* SystemCommandRunner = nullptr;
  // The icon folder (no trailing "\") that "%Icondir" stands for. Starts as
  // the Icons folder beside the items folder, where the folder layout keeps it.
  std::string IconFolder;

  // The cached group list, else the group file read into a new cached list;
  // nullptr when the group file does not exist. Raises EKeyWordStoreError when
  // the file exists but cannot be read (nothing is cached then).
  TKeyWordGroupList* GetFolderList(const std::string& groupPath);
  // Writes IDList.txt (when loaded) and every cached group, then deletes the
  // files of DeleteList. A failed write raises; files written before stay.
  void Save();
  void LoadIDList();
  bool IdListLoaded() const { return idListLoaded_; }
  const TStringList& IdList() const { return idList_; }
  int LastId() const { return lastId_; }

  std::string EncodeKeyWordToken(const std::string& token);
  std::string EncodeKeyWordIDs(const std::string& text);
  std::string DecodeKeyWordIDs(const std::string& stored);
  // Updates (or, with an empty new path, removes) the identifier entries of a
  // path and of every path below it.
  void RenameKeyWordID(const std::string& oldPath, const std::string& newPath);
  // Mode 0 by name (locale order, ignoring case), mode 1 by Type, larger first.
  void SortFolder(const std::string& groupPath, int mode);
  void ClearCache();

  // The item data of a path; with tag, its stored name is left under the key
  // "Keyword". nullptr when not found (read errors included).
  TStringIni* FindItemData(const std::string& path, bool tag);
  // A new view of the keyword; a trailing "/" demands a group.
  std::unique_ptr<TKeyWordX> FindKeyWord(const std::string& path);
  bool Exists(const std::string& path);

  // CR LF and a forbidden character the name holds; empty for a valid name.
  static std::string FindInvalidChars(const std::string& name);
  static std::string ReplaceInvalidChars(const std::string& name);
  // The characters no name may hold, in their stored order.
  static std::string_view ForbiddenChars();
  bool IsValidPath(const std::string& path);

  // A new item at index 0 of the group (name made unique); with an empty
  // name, a view that is in no group. nullptr for a name with a forbidden character.
  std::unique_ptr<TKeyWordX> NewKeyWord(const std::string& name, const std::string& groupPath, int type);
  TStringList GetNames(const std::string& groupPath, bool slashAfterGroups = false, bool backslashAfterFolders = false,
                       bool usableOnly = false);
  TKeyWordList GetKeyWords(const std::string& groupPath);
  // Paths of every group below the path, from the group files and the cache.
  TStringList GetSubFolders(const std::string& groupPath);
  std::unique_ptr<TKeyWordX> GetFirstKeyWord(const std::string& groupPath);
  std::unique_ptr<TKeyWordX> GetPrevKeyWord(TKeyWordX* item);

  // The icon factory's path handler: a leading "%Icondir" becomes IconFolder.
  void ExpandIconDir(std::string& path) const;

  // Hands a system command to SystemCommandRunner as a request of CommandIndex,
  // "%1".."%n" and "%*"; nothing without a runner.
  void RunSystemCommand(int commandIndex, const TStringList* params);
  // A temporary item (Type 3, never stored) made from typed text; the caller owns it.
  std::unique_ptr<TKeyWordX> CreateTemp(const std::string& name, const std::string& text);

  // Message boxes, the shell start, the clipboard and the message pump of runs.
  TRunServices RunServices = DefaultRunServices();

  // Group paths whose files go at the next Save.
  const TStringList& DeleteList() const { return deleteList_; }
  // The cached list of the path, without reading any file.
  TKeyWordGroupList* CachedList(const std::string& groupPath);
  int CachedGroupCount() const { return static_cast<int>(cache_.size()); }

 private:
  friend class TKeyWordX;

  struct CachedGroup {
    std::string Path;
    std::unique_ptr<TKeyWordGroupList> List;
  };

  void EnsureIdList();
  TKeyWordGroupList& CreateCachedList(const std::string& groupPath);
  void AddToDeleteList(const std::string& groupPath);
  // Every group at or below the path goes to DeleteList and out of the cache.
  void DropGroupTree(const std::string& groupPath);
  // Loads every group at or below the path (files and cache) before it moves.
  void LoadGroupTree(const std::string& groupPath);
  // Cached groups at or below oldPath move to newPath; each old path is queued
  // for deletion, since its file is rewritten under the new name.
  void RenameGroupTree(const std::string& oldPath, const std::string& newPath);
  // The entry of a path: the group list and the index in it; false when absent.
  bool FindEntry(const std::string& path, TKeyWordGroupList*& list, int& index);

  std::string itemsFolder_;
  std::string mainFolder_;
  IIconPathHook* iconHook_ = nullptr;
  bool idListLoaded_ = false;
  TStringList idList_;
  int lastId_ = -1;
  std::vector<CachedGroup> cache_;
  TStringList deleteList_;
};

class TKeyWordX {
 public:
  explicit TKeyWordX(TKeyWordManager* manager);
  TKeyWordX(TKeyWordManager* manager, std::string name, std::string groupPath);
  ~TKeyWordX();
  TKeyWordX(const TKeyWordX&) = delete;
  TKeyWordX& operator=(const TKeyWordX&) = delete;

  // UseKeyword bits once set by SetUseKeyWord; -1: read them from the data.
  int UseKeywordCache = -1;
  // Type once read or set; -1: not read yet.
  int TypeCache = -1;
  std::string Folder;
  std::string Name;
  std::unique_ptr<TStringList> ArrayedParam;
  TKeyWordManager* Manager;
  std::unique_ptr<TStringList> TypedParams;
  bool WildCardTemp = false;
  std::string RunFile;
  bool RunByParam = false;
  IKeywordParser* Parser = nullptr;

  // The item data (cached, or the view's own while it is in no group); nullptr
  // when the view has none.
  TStringIni* Data() const { return data_; }

  // Resolved values: stored references decoded and keyword names resolved.
  std::string GetParam();
  std::string GetCommand();
  std::string GetIcon();
  std::string GetDir();
  std::string GetComment();
  int GetType();
  int GetIconIndex();
  int GetUseKeyWord();
  // Full path: Folder + "/" + Name (Name alone in the root).
  std::string GetKeyWord();
  int GetIndex();
  bool IsPathKeyWord();

  void SetParam(const std::string& value);
  void SetCommand(const std::string& value);
  void SetComment(const std::string& value);
  void SetIcon(const std::string& value);
  void SetDir(const std::string& value);
  void SetType(int type);
  void SetIconIndex(int index);
  void SetUseKeyWord(int bits);
  void SetIndex(int index);

  // Editing (editor).
  void SetFolder(const std::string& groupPath);
  void SetName(const std::string& name);
  void Delete();
  std::unique_ptr<TKeyWordX> CopyTo(const std::string& groupPath);
  void MoveUp();
  void MoveDown();
  void MoveBefore(const std::string& siblingName);

  // Editor: the item's icon, large. A command item without Icon first takes
  // its resolved command as Icon. Null when there is none.
  core::TUniqueIcon LoadIcon();

  // Launcher.
  void AddParam(const std::string& text);
  std::string ToString();

  // Running. The host sets RunFile, Parser and the parameters first. Store
  // errors (EKeyWordStoreError) while resolving may reach the caller; start
  // failures never do: they are reported in message boxes.
  void RunCommand();
  // Starts one command line (several, one by one, when it holds line breaks)
  // with the run data's folder, window state and the item's parameters.
  void Execute(const std::string& commandLine, TStringIni* runData);
  // The shell start of a record with its failure reports and the wait; the
  // options are RunCommand.ini plus RunParam (the parameter text) and Wait.
  void ShellExecute(SHELLEXECUTEINFOA& start, const TStringIni& options);
  // Wildcard values of the run data and of the parameters become their matches.
  void ExpandWildCard(TStringIni& runData, std::string& commandLine);
  void RunGroup(TStringIni& runData);
  bool IsExecutableFile(const std::string& path);

  // Whether text holds a run-time placeholder: %clip%, %0, %*, %1..%9.
  bool ExistsInsertParam(const std::string& text);
  // Puts the run-time parameters into the run data and the command line, in
  // one pass over each text; extra is the parameter text to parse when the
  // run data's FParam holds no placeholder.
  void ProcessParam(TStringIni& runData, std::string& commandLine, const std::string& extra);

 private:
  friend class TKeyWordManager;

  TStringIni& EnsureData();
  std::string ReadValue(const char* key);
  bool ReadFlag(const char* key, bool def);
  // The referring setters' common part: encoded when the bit is set.
  void WriteReferring(const char* key, const std::string& value, int bit);
  // The group's index-0 item when this item syncs its icon with it.
  std::unique_ptr<TKeyWordX> SyncIconSource();
  // A name not yet taken in the list: name, else name(0), name(1), ...
  static std::string UniqueName(const TKeyWordGroupList& list, const std::string& name);
  // The view's data as an entry's data: its own (handed over) or a copy.
  std::unique_ptr<TStringIni> TakeDataForInsert();
  // Replaces every group marker among the parameters by its group's commands.
  void ExpandGroupMarkers(TStringList& params);
  void ReportStartFailure(const std::string& command, const std::string& reason);

  TStringIni* data_ = nullptr;
  std::unique_ptr<TStringIni> ownData_;
};
