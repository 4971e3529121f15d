#include "core/ZMRTData.h"

#include <sstream>

#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/HotKey_Factory.h"
#include "core/HotKey_Loader_File.h"
#include "core/Sjis.h"

namespace {

struct TBoolKey { const char* Name; bool TZMRTData::*Field; bool Default; };
struct TIntKey { const char* Name; int TZMRTData::*Field; int Default; };
struct TTextKey { const char* Name; std::string TZMRTData::*Field; const char* Default; };

#define QV_KEY(name, def) {#name, &TZMRTData::name, def}

const TBoolKey kBoolKeys[] = {
    QV_KEY(HideCursor, true), QV_KEY(UpPriority, true), QV_KEY(UpPriorityByRate, true), QV_KEY(HideWhenRun, true),
    QV_KEY(HideWhenSetting, true), QV_KEY(RunWhenShowPopup, true), QV_KEY(UseAutoComplete, true),
    QV_KEY(SpaceAfterTab, true), QV_KEY(UseList, true), QV_KEY(UseTaskTray, true), QV_KEY(UseHistory, true),
    QV_KEY(AddSimpleHistory, true), QV_KEY(ExtendWindow, true), QV_KEY(ExtendByComment, true),
    QV_KEY(showicon, true), QV_KEY(showtop, true), QV_KEY(RegistByEnter, true), QV_KEY(UseThread, true),
    QV_KEY(ListScroll, true),
    QV_KEY(UpPriorityG, false), QV_KEY(hideWhenStart, false), QV_KEY(hideWhenDeActivate, false),
    QV_KEY(hideWhenReActivate, false), QV_KEY(hideWhenEditting, false), QV_KEY(HideWhenSysRun, false),
    QV_KEY(endWhenHide, false), QV_KEY(EnableRomajiMatch, false), QV_KEY(EnablePriorityBlock, false),
    QV_KEY(EnableBackSpaceCancel, false), QV_KEY(RomajiMatchOnlyUpper, false), QV_KEY(UseKeywordInParam, false),
    QV_KEY(AutoDecision, false), QV_KEY(SortList, false), QV_KEY(InputFirstCandidate, false),
    QV_KEY(HideTaskIcon, false), QV_KEY(MouseFocus, false), QV_KEY(ForceFocus, false), QV_KEY(OffIME, false),
    {"small", &TZMRTData::Small, false}, QV_KEY(LimitComplete, false), QV_KEY(LimitComplete_One, false),
    QV_KEY(LimitExe, false), QV_KEY(LimitExe_One, false), QV_KEY(AlwaysForce, false),
};

const TIntKey kIntKeys[] = {
    QV_KEY(UpPriorityCount, 5), QV_KEY(MatchLevel, 2), QV_KEY(TabMode, 0), QV_KEY(Mode, 0),
    QV_KEY(WindowLeft, -1), QV_KEY(WindowTop, -1), QV_KEY(WindowWidth, 120), QV_KEY(BorderStyle, 0),
    QV_KEY(Priority, 3), QV_KEY(WaitTimeForIcon, 50), QV_KEY(TransParentMode, 0), QV_KEY(TransParentValue, 200),
    QV_KEY(HistoryCount, 100), QV_KEY(CountToHistory, 0), QV_KEY(ListSize, 10), QV_KEY(ListWidth, 0),
    QV_KEY(FontSize, 9), QV_KEY(HistoryMax, 0), QV_KEY(MaxHP, 10), QV_KEY(LimitComplete_time, 500),
    QV_KEY(LimitExe_time, 800), QV_KEY(version, 0),
};

const TTextKey kTextKeys[] = {
    QV_KEY(CD, ""),
    QV_KEY(Exe_S, ""),
    QV_KEY(Font, "ＭＳ ゴシック"),
    QV_KEY(OtherCandidates, "http://\r\nmailto:"),
    QV_KEY(ListOrder, "203451"),
    QV_KEY(CheckedLists, "111111"),
    QV_KEY(SpecialChars, " \\/."),
    QV_KEY(CompleteChars, ""),
    QV_KEY(Back_C, "\"-2147483633\",\"-2147483633\",\"-2147483646\",\"-2147483633\""),
    QV_KEY(Comment_C, "\"-2147483640\",\"255\",\"-2147483639\",\"255\""),
    QV_KEY(InputBack_C, "\"-2147483643\",\"-2147483643\",\"-2147483643\",\"-2147483643\""),
    QV_KEY(Input_C, "\"-2147483640\",\"255\",\"-2147483640\",\"255\""),
};

#undef QV_KEY

struct THotKeyKeys { const char* Key; const char* Mod; };
const THotKeyKeys kHotKeyKeys[2] = {{"Call_key", "Call_Mod"}, {"Capture_key", "Capture_Mod"}};

}  // namespace

TZMRTData::TZMRTData(std::string_view dataFolder) {
  SetDataDir(dataFolder);
  ReadSettings();  // every field takes its default
}

// The hotkey items and lists go first (they unregister), then the stores.
TZMRTData::~TZMRTData() {
  commandHotKeys_.reset();
  keyWordHotKeys_.reset();
  HotKeyList.Clear();
  hotKeys_[0].reset();
  hotKeys_[1].reset();
}

std::string TZMRTData::InDataFolder(const char* name) const {
#ifdef _WIN32
  return DataFolder + "\\" + name;
#else
  return DataFolder + "/" + name;  // host builds and their tests
#endif
}

void TZMRTData::SetDataDir(std::string_view folder) { DataFolder = sjis::ExcludeTrailingPathDelimiter(folder); }

void TZMRTData::Load() {
  commandHotKeys_.reset();
  keyWordHotKeys_.reset();
  if (History.Empty() && fileio::FileExists(HistoryFile())) {
    std::string data;
    fileio::RemoveStaleTemporaries(HistoryFile());
    if (fileio::ReadWholeFile(HistoryFile(), data)) History.SetText(data);
  }
  Settings.LoadFromFile(SettingsFile());
  HotKeyList.LoadFromFile(HotKeyFile());
  ReadSettings();
}

void TZMRTData::ReadSettings() {
  for (const auto& k : kBoolKeys) this->*k.Field = Settings.ReadBool(k.Name, k.Default);
  for (const auto& k : kIntKeys) this->*k.Field = Settings.ReadInteger(k.Name, k.Default);
  for (const auto& k : kTextKeys) this->*k.Field = Settings.ReadString(k.Name, k.Default);
  ExecutableFileList.SetCommaText(Settings.ReadString("ExecutableFileList", ".exe"));
  for (int i = 0; i < 2; ++i)
    GetHotKey(i)->SetHotKey(static_cast<uint8_t>(Settings.ReadInteger(kHotKeyKeys[i].Mod, 0)),
                            Settings.ReadInteger(kHotKeyKeys[i].Key, 0));
}

void TZMRTData::Save() {
  if (fileio::DirectoryExists(DataFolder)) fileio::WriteFileReplacing(HistoryFile(), History.GetText());
  else fileio::ForceDirectories(DataFolder);
  SaveHotKeyList();
  Settings.WriteString("ExecutableFileList", ExecutableFileList.GetCommaText());
  for (const auto& k : kBoolKeys) Settings.WriteBool(k.Name, this->*k.Field);
  for (const auto& k : kIntKeys) Settings.WriteInteger(k.Name, this->*k.Field);
  for (const auto& k : kTextKeys) Settings.WriteString(k.Name, this->*k.Field);
  for (int i = 0; i < 2; ++i) {
    Settings.WriteInteger(kHotKeyKeys[i].Key, GetHotKey(i)->GetKey());
    Settings.WriteInteger(kHotKeyKeys[i].Mod, GetHotKey(i)->GetModifiers());
  }
  Settings.SaveToFile(SettingsFile());
}

bool TZMRTData::SaveHotKeyList() {
  DebugOut().Write("TZMRTData.SaveHotKeyList").WriteLn();
  if (!commandHotKeys_ || !keyWordHotKeys_) return HotKeyList.SaveToFile(HotKeyFile());
  std::string text = THotKeyLoaderFile::ListToText(*keyWordHotKeys_) + THotKeyLoaderFile::ListToText(*commandHotKeys_);
  DebugOut().Write(text).WriteLn();
  if (!fileio::WriteFileReplacing(HotKeyFile(), text)) return false;
  HotKeyList.LoadFromFile(HotKeyFile());
  return true;
}

THotKeyItem* TZMRTData::GetHotKey(int index) {
  if (index < 0 || index > 1) return nullptr;
  if (!hotKeys_[index]) hotKeys_[index] = HotKeyFactory().CreateByClassId(1);
  return hotKeys_[index].get();
}

void TZMRTData::SplitHotKeys() {
  commandHotKeys_ = std::make_unique<THotKeyList>();
  keyWordHotKeys_ = std::make_unique<THotKeyList>();
  for (int i = 0; i < HotKeyList.GetCount(); ++i) {
    const THotKeyItem& item = HotKeyList.GetItem(i);
    auto copy = HotKeyFactory().Clone(item);
    if (sjis::StartsWithChar(item.GetName(), '*')) commandHotKeys_->Add(std::move(copy));
    else keyWordHotKeys_->Add(std::move(copy));
  }
}

THotKeyList& TZMRTData::GetCommandHotKeys() {
  if (!commandHotKeys_ || !keyWordHotKeys_) SplitHotKeys();
  return *commandHotKeys_;
}

THotKeyList& TZMRTData::GetKeyWordHotKeys() {
  if (!commandHotKeys_ || !keyWordHotKeys_) SplitHotKeys();
  return *keyWordHotKeys_;
}

void TZMRTData::SetValue(std::string_view key, std::string_view value) {
  Settings.WriteString(key, value);
  Settings.SaveToFile(SettingsFile());
}

void TZMRTData::MergeFile(const std::string& fileName) {
  TStringIni other;
  other.LoadFromFile(fileName);
  for (int i = 0; i < other.Lines.Count(); ++i) {
    if (sjis::FindChar(other.Lines[i], '=') == sjis::npos) continue;
    std::string name = other.GetName(i);
    if (name.empty()) continue;
    Settings.WriteString(name, other.ReadString(name, ""));
  }
  Settings.SaveToFile(SettingsFile());
}
