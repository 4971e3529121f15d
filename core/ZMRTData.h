// The settings object of both programs: every option of quorvane.ini as a typed
// field with its default, the input history (History.txt), the hotkey list
// (ShortCut.txt) and the call and capture hotkeys, all in the user data folder.
// File errors of Load and Save are ignored: a missing quorvane.ini gives every
// default, and keys this object does not know survive a load and save.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/HotKey_Item.h"
#include "core/HotKey_List.h"
#include "core/StringIni.h"
#include "core/StringList.h"

class TZMRTData {
 public:
  // dataFolder: the user data folder of the folder layout.
  explicit TZMRTData(std::string_view dataFolder);
  ~TZMRTData();
  TZMRTData(const TZMRTData&) = delete;
  TZMRTData& operator=(const TZMRTData&) = delete;

  TStringIni Settings;          // quorvane.ini as last loaded or saved
  TStringList History;          // History.txt
  THotKeyList HotKeyList;       // ShortCut.txt
  TStringList ExecutableFileList;
  std::string DataFolder;       // without a trailing "\"

  void SetDataDir(std::string_view folder);
  void Load();
  void ReadSettings();
  void Save();
  // False when ShortCut.txt could not be written (the old file stays whole).
  bool SaveHotKeyList();

  // 0 the call hotkey, 1 the capture hotkey (global items, made on first use);
  // any other index gives none.
  THotKeyItem* GetHotKey(int index);
  // The editor's halves of the hotkey list: input-box commands (names beginning
  // with "*") and keyword hotkeys; made on first use, forgotten by Load.
  THotKeyList& GetCommandHotKeys();
  THotKeyList& GetKeyWordHotKeys();

  // The launcher's: writes one key and saves quorvane.ini at once; the fields
  // keep their values until ReadSettings.
  void SetValue(std::string_view key, std::string_view value);
  // Writes every named line of the file into the settings and saves.
  void MergeFile(const std::string& fileName);

  std::string SettingsFile() const { return InDataFolder("quorvane.ini"); }
  std::string HistoryFile() const { return InDataFolder("History.txt"); }
  std::string HotKeyFile() const { return InDataFolder("ShortCut.txt"); }

  // The fields, one per key; defaults (set by the constructor) in ZMRTData.cpp.
  // Booleans with default 1.
  bool HideCursor{}, UpPriority{}, UpPriorityByRate{}, HideWhenRun{}, HideWhenSetting{},
       RunWhenShowPopup{}, UseAutoComplete{}, SpaceAfterTab{}, UseList{}, UseTaskTray{},
       UseHistory{}, AddSimpleHistory{}, ExtendWindow{}, ExtendByComment{}, showicon{},
       showtop{}, RegistByEnter{}, UseThread{}, ListScroll{};
  // Booleans with default 0.
  bool UpPriorityG{}, hideWhenStart{}, hideWhenDeActivate{}, hideWhenReActivate{},
       hideWhenEditting{}, HideWhenSysRun{}, endWhenHide{}, EnableRomajiMatch{},
       EnablePriorityBlock{}, EnableBackSpaceCancel{}, RomajiMatchOnlyUpper{},
       UseKeywordInParam{}, AutoDecision{}, SortList{}, InputFirstCandidate{},
       HideTaskIcon{}, MouseFocus{}, ForceFocus{}, OffIME{},
       Small{},  // key "small" (windows.h defines small as a macro)
       LimitComplete{}, LimitComplete_One{}, LimitExe{}, LimitExe_One{}, AlwaysForce{};
  // Integers.
  int UpPriorityCount{}, MatchLevel{}, TabMode{}, Mode{}, WindowLeft{}, WindowTop{}, WindowWidth{},
      BorderStyle{}, Priority{}, WaitTimeForIcon{}, TransParentMode{}, TransParentValue{},
      HistoryCount{}, CountToHistory{}, ListSize{}, ListWidth{}, FontSize{}, HistoryMax{}, MaxHP{},
      LimitComplete_time{}, LimitExe_time{}, version{};
  // Texts. The colours are comma texts of four quoted numbers: normal, error,
  // unregistered or mode, busy.
  std::string CD, Exe_S, Font, OtherCandidates, ListOrder, CheckedLists, SpecialChars, CompleteChars, Back_C,
      Comment_C, InputBack_C, Input_C;

 private:
  std::string InDataFolder(const char* name) const;
  void SplitHotKeys();
  std::unique_ptr<THotKeyItem> hotKeys_[2];
  std::unique_ptr<THotKeyList> commandHotKeys_, keyWordHotKeys_;
};
