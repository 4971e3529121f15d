#include "editor/SettingPages.h"

#include <algorithm>

#include "core/HotKeyUtils.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"

namespace {

using enum TPageShown;

const TPageNode kNodes[] = {
    {"基本", "", "basic", Always},
    {"動作設定", "基本", "setting", CustomMode},
    {"ショートカット登録", "基本", "shortcut", Always},
    {"呼び出しキー", "基本", "call_key", Always},
    {"入力", "", "input", Always},
    {"候補リスト", "入力", "list", Always},
    {"カスタマイズ", "候補リスト", "custmize", UseList},
    {"オートコンプリート", "入力", "complete", Always},
    {"履歴", "入力", "history", Always},
    {"キー割り当て", "入力", "key_assign", Always},
    {"キーカスタマイズ", "入力", "key_custmize", Always},
    {"実行", "", "run", Always},
    {"タイマー", "実行", nullptr, Always},
    {"ファイラー", "実行", "filer", Always},
    {"関連付けのないとき", "実行", "no_association", Always},
    {"表示", "", "display", Always},
    {"配色", "表示", "color", Always},
    {"アイコン描画", "表示", "icon", ShowIcon},
    {"半透明化", "表示", "transparent", NT5},
    {"登録", "", "regist", Always},
};

using K = TSettingKind;
using St = TSettingStore;
using R = TSettingRule;

#define QV_CHECK(page, caption, key) {page, #key, caption, K::Check, St::S, #key, &TZMRTData::key}
#define QV_CHECK_IF(page, caption, key, other) \
  {page, #key, caption, K::Check, St::S, #key, &TZMRTData::key, nullptr, INT_MIN, INT_MAX, 0, R::EnabledWhile, #other}

#define QV_SPIN_IF(page, caption, key, lo, hi, other) \
  {page, #key, caption, K::Spin, St::S, #key, nullptr, &TZMRTData::key, lo, hi, 0, R::EnabledWhile, #other}

#define QV_HOTKEY(page, name, caption, key, item, kind, globalDialog) \
  {page, name, caption, K::HotKey, St::S, key, nullptr, nullptr, INT_MIN, INT_MAX, 0, R::None, "", item, kind, globalDialog}

const TSettingRow kRows[] = {
    {"基本", "Mode", "動作モード(&M)\n常駐モード\n非常駐モード\nカスタム", K::Radio, St::S, "Mode", nullptr,
     &TZMRTData::Mode, 0, 2},
    {"基本", "SharedData", "すべてのユーザーで共通の設定とアイテムを使う(&U)", K::Check, St::Shared, "", nullptr,
     nullptr, INT_MIN, INT_MAX, 0, R::HiddenOnWin95},

    QV_CHECK("動作設定", "起動時は、入力ウィンドウ非表示(&W)", hideWhenStart),
    QV_CHECK("動作設定", "キーワードを実行したら隠れる(&R)", HideWhenRun),
    QV_CHECK_IF("動作設定", "システムキーワードを実行した時にも隠れる(&Y)", HideWhenSysRun, HideWhenRun),
    QV_CHECK("動作設定", "非アクティブになったら隠れる(&D)", hideWhenDeActivate),
    QV_CHECK_IF("動作設定", "入力欄に文字があっても隠れる(&C)", hideWhenEditting, hideWhenDeActivate),
    QV_CHECK("動作設定", "設定や、キーワードの編集をしたら隠れる(&E)", HideWhenSetting),
    QV_CHECK("動作設定", "隠れたらそのまま終了(非常駐)(&N)", endWhenHide),
    QV_CHECK("動作設定", "タスクトレイに入れる(&T)", UseTaskTray),
    QV_CHECK_IF("動作設定", "タスクトレイアイコンも隠す(&I)", HideTaskIcon, UseTaskTray),
    QV_CHECK("動作設定", "起動時に強制的にフォーカス取得(&F)", ForceFocus),
    QV_CHECK("動作設定", "フォーカスを得る時、マウスを入力画面まで移動(&M)", MouseFocus),

    QV_HOTKEY("呼び出しキー", "CallKey", "ランチャー呼び出しキー(&K)", "Call_key", 0, 1, true),
    {"呼び出しキー", "hideWhenReActivate", "すでにアクティブな時に、呼び出しキーを押したら隠れる(&H)", K::Check, St::S,
     "hideWhenReActivate", &TZMRTData::hideWhenReActivate, nullptr, INT_MIN, INT_MAX, 0, R::EnabledWhileHotKey,
     "CallKey"},

    QV_CHECK("入力", "未登録キーワードを入力して[Enter]で新規登録(&E)", RegistByEnter),
    QV_CHECK("入力", "文字の長さに応じてウィンドウを伸ばす(&X)", ExtendWindow),
    QV_CHECK("入力", "コメントの長さにも合わせる(&B)", ExtendByComment),
    QV_CHECK("入力", "入力中マウスカーソルを隠す(&U)", HideCursor),
    QV_CHECK("入力", "入力ウィンドウを呼び出す時、IMEをオフにする(&F)", OffIME),
    QV_CHECK("入力", "[Tab]で確定した時、半角スペースを後ろに追加(&T)", SpaceAfterTab),

    QV_CHECK("候補リスト", "候補リストを表示する(&L)", UseList),
    QV_SPIN_IF("候補リスト", "候補リストの行数(&E)", ListSize, 1, 300, UseList),
    QV_SPIN_IF("候補リスト", "候補リストの最大幅(0で無制限)(&M)", ListWidth, 0, 1000, UseList),
    QV_CHECK_IF("候補リスト", "Enterを押した時、リストが表示されていても実行(&R)", RunWhenShowPopup, UseList),
    QV_CHECK_IF("候補リスト", "BackSpaceを押した時もリストを選択状態にする(&B)", InputFirstCandidate, UseList),
    QV_CHECK_IF("候補リスト", "候補リストのファイル名をABC順に並び替え(&Y)", SortList, UseList),
    QV_CHECK_IF("候補リスト", "スクロールバーを表示(&V)", ListScroll, UseList),
    QV_CHECK_IF("候補リスト", "ローマ字マッチングを使用(&J)", EnableRomajiMatch, UseList),

    QV_CHECK("オートコンプリート", "オートコンプリートを使用する(&P)", UseAutoComplete),
    QV_CHECK_IF("オートコンプリート", "すべての候補に共通な部分は自動的に確定(&T)", AutoDecision, UseAutoComplete),

    QV_CHECK("履歴", "履歴機能を使う(&H)", UseHistory),
    QV_SPIN_IF("履歴", "履歴件数(&U)", HistoryCount, 0, 100000, UseHistory),
    QV_CHECK_IF("履歴", "単純なキーワードのみでも履歴に残す(&K)", AddSimpleHistory, UseHistory),

    QV_HOTKEY("キーカスタマイズ", "DeleteRightToken", "1区切り右削除(&R)", "*DeleteRightToken", -1, 0, false),
    QV_HOTKEY("キーカスタマイズ", "DeleteLeftToken", "1区切り左削除(&L)", "*DeleteLeftToken", -1, 0, false),
    QV_HOTKEY("キーカスタマイズ", "ForceExe", "強制実行(&F)", "*ForceExe", -1, 0, true),
    QV_HOTKEY("キーカスタマイズ", "CaptureKey", "キャプチャー登録(&C)", "Capture_key", 1, 1, true),

    {"登録", "SelectPriority", "キーワード新規作成時、優先度を選択する(&E)", K::Check, St::G, "SelectPriority",
     nullptr, nullptr, INT_MIN, INT_MAX, 0},
    {"登録", "DefaultPriority", "キーワードのデフォルト優先度)(&D)", K::Spin, St::G, "DefaultPriority", nullptr,
     nullptr, 0, 1000, 1},
    {"登録", "AnalyzeShortCut", "キーワード作成時ショートカットの情報を解析する(&L)", K::Check, St::G,
     "AnalyzeShortCut", nullptr, nullptr, INT_MIN, INT_MAX, 0},
    {"登録", "ShowDialogWhenRegist", "キーワード作成時、キーワード設定ダイアログを表示する(&G)", K::Check, St::G,
     "ShowDialogWhenRegist", nullptr, nullptr, INT_MIN, INT_MAX, 1},
};

#undef QV_CHECK
#undef QV_CHECK_IF
#undef QV_HOTKEY
#undef QV_SPIN_IF

// The ten options the two fixed modes set.
struct TPreset {
  bool TZMRTData::*Flag;
  bool Resident;
  bool NotResident;
};
const TPreset kPresets[] = {
    {&TZMRTData::hideWhenStart, false, false},   {&TZMRTData::HideWhenRun, true, true},
    {&TZMRTData::HideWhenSysRun, false, false},  {&TZMRTData::HideWhenSetting, true, true},
    {&TZMRTData::hideWhenDeActivate, false, false}, {&TZMRTData::hideWhenEditting, false, false},
    {&TZMRTData::endWhenHide, false, true},      {&TZMRTData::UseTaskTray, true, false},
    {&TZMRTData::HideTaskIcon, false, false},    {&TZMRTData::ForceFocus, false, true},
};

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find('\n', start)) != std::string_view::npos; start = at + 1)
    parts.emplace_back(text.substr(start, at - start));
  parts.emplace_back(text.substr(start));
  return parts;
}

TStringIni& IniOf(const TSettingRow& row, const TSettingStores& stores) {
  return row.Store == St::R ? stores.RunOptions : stores.Dialogs;
}

}  // namespace

std::span<const TPageNode> PageNodes() { return kNodes; }

const TPageNode* FindPageNode(std::string_view caption) {
  for (const TPageNode& n : kNodes)
    if (sjis::EqualsIgnoreCase(n.Caption, caption)) return &n;
  return nullptr;
}

bool PageNodeShown(const TPageNode& node, const TTreeConditions& c) {
  switch (node.Shown) {
    case Always: return true;
    case CustomMode: return c.Mode == kCustomMode;
    case UseList: return c.UseList;
    case ShowIcon: return c.ShowIcon;
    case NT5: return c.NT5;
  }
  return true;
}

std::string HelpFileOfPath(std::string_view pagePath) {
  std::string path = "/" + std::string(pagePath) + "/";
  for (const TPageNode& n : kNodes) {
    if (!n.HelpName) continue;
    path = sjis::ReplaceAll(path, "/" + std::string(n.Caption) + "/", "/" + std::string(n.HelpName) + "/", true);
  }
  // Only "/" is replaced: a trail byte 0x5C of a caption is no separator.
  std::string file;
  for (size_t i = 0; i < path.size(); ++i) {
    if (sjis::IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
      file += path[i];
      file += path[++i];
      continue;
    }
    file += path[i] == '/' ? '\\' : path[i];
  }
  if (!file.empty() && file.back() == '\\') file.pop_back();
  if (!file.empty()) file.erase(0, 1);
  return "Files\\doc\\setting\\" + file + ".html";
}

std::span<const TSettingRow> SettingRows() { return kRows; }

const TSettingRow* FindSettingRow(std::string_view name) {
  for (const TSettingRow& r : kRows)
    if (name == r.Name) return &r;
  return nullptr;
}

std::vector<const TSettingRow*> RowsOfPage(std::string_view page) {
  std::vector<const TSettingRow*> rows;
  for (const TSettingRow& r : kRows)
    if (page == r.Page) rows.push_back(&r);
  return rows;
}

std::string RadioCaption(const TSettingRow& row) { return SplitLines(row.Caption).front(); }

std::vector<std::string> RadioItems(const TSettingRow& row) {
  std::vector<std::string> parts = SplitLines(row.Caption);
  parts.erase(parts.begin());
  return parts;
}

int ReadRowValue(const TSettingRow& row, const TSettingStores& stores) {
  switch (row.Store) {
    case St::S:
      if (row.Flag) return stores.Settings.*row.Flag ? 1 : 0;
      if (row.Number) return stores.Settings.*row.Number;
      return 0;
    case St::R:
    case St::G:
      return IniOf(row, stores).ReadInteger(row.Key, row.Default);
    case St::Shared:
      return 0;
  }
  return 0;
}

void WriteRowValue(const TSettingRow& row, int value, const TSettingStores& stores) {
  switch (row.Store) {
    case St::S:
      if (row.Flag) stores.Settings.*row.Flag = value != 0;
      if (row.Number) stores.Settings.*row.Number = value;
      return;
    case St::R:
    case St::G:
      IniOf(row, stores).WriteInteger(row.Key, value);
      return;
    case St::Shared:
      return;
  }
}

std::string ReadHotKeyRow(const TSettingRow& row, TZMRTData& settings) {
  if (row.HotKeyItem >= 0) return settings.GetHotKey(row.HotKeyItem)->GetHotKeyText();
  const THotKeyItem* item = settings.GetCommandHotKeys().FindByName(row.Key);
  return item ? item->GetHotKeyText() : kNoHotKeyText;
}

void WriteHotKeyRow(const TSettingRow& row, std::string_view text, TZMRTData& settings) {
  if (row.HotKeyItem >= 0) settings.GetHotKey(row.HotKeyItem)->SetHotKeyText(text);
  else settings.GetCommandHotKeys().SetHotKeyText(row.Key, text);
}

bool HotKeyRowValid(const TSettingRow& row, TZMRTData& settings) {
  if (row.HotKeyItem < 0) return false;
  const THotKeyItem* item = settings.GetHotKey(row.HotKeyItem);
  return IsValidHotKey(item->GetModifiers(), item->GetKey());
}

const char* CandidateSourceName(int source) {
  static constexpr const char* kNames[kCandidateSourceCount] = {
      "フォルダ内のファイル", "履歴", "キーワード", "カレントフォルダのファイル", "ドライブリスト(A:\\,C:\\,E:\\,...)",
      "その他(ユーザー設定)"};
  return source >= 0 && source < kCandidateSourceCount ? kNames[source] : "";
}

std::vector<TCandidateRow> CandidateRows(std::string_view listOrder, std::string_view checkedLists) {
  std::vector<int> order;
  auto add = [&](int source) {
    if (std::find(order.begin(), order.end(), source) == order.end()) order.push_back(source);
  };
  for (char c : listOrder.substr(0, kCandidateSourceCount)) {
    const int source = c >= '0' && c <= '9' ? c - '0' : 0;
    if (source < kCandidateSourceCount) add(source);
  }
  for (int source = 0; source < kCandidateSourceCount; ++source) add(source);
  std::vector<TCandidateRow> rows;
  for (size_t i = 0; i < order.size(); ++i)
    rows.push_back({order[i], !(i < checkedLists.size() && checkedLists[i] == '0')});
  return rows;
}

std::string ListOrderOf(const std::vector<TCandidateRow>& rows) {
  std::string text;
  for (const TCandidateRow& r : rows) text += static_cast<char>('0' + r.Source);
  return text;
}

std::string CheckedListsOf(const std::vector<TCandidateRow>& rows) {
  std::string text;
  for (const TCandidateRow& r : rows) text += r.Checked ? '1' : '0';
  return text;
}

int FontSizeOfText(std::string_view text) {
  size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
  const std::string_view rest = text.substr(digits);
  const bool fraction = rest.empty() || (rest[0] == '.' && rest.size() > 1 &&
                                         rest.substr(1).find_first_not_of("0123456789") == std::string_view::npos);
  if (digits == 0 || digits > 6 || !fraction) return 9;
  return std::stoi(std::string(text.substr(0, digits)));
}

int SpinStoredValue(const TSettingRow& row, std::string_view text) { return WholeNumberInRange(text, row.Min, row.Max); }

void ApplyModePreset(TZMRTData& settings, int mode) {
  if (mode != 0 && mode != 1) return;
  for (const TPreset& p : kPresets) settings.*p.Flag = mode == 0 ? p.Resident : p.NotResident;
}

std::string ModeExplanation(int mode) {
  switch (mode) {
    case 0:
      return "【解説】\r\n\r\n"
             "ある程度メモリに余裕があるときはこのモードを使います。\r\n"
             "素早くquorvaneを呼び出せます\r\n\r\n"
             "【使い方】\r\n\r\n"
             "「ショートカット登録」ページで\r\n"
             "スタートアップに登録するのがおすすめです。\r\n\r\n"
             "キーワードを実行すると隠れるので、\r\n"
             "「呼び出しキー」ページの「ランチャー呼び出しキー」で呼び出します。";
    case 1:
      return "【解説】\r\n\r\n"
             "少しでもメモリやリソースを節約したい人向けです。\r\n\r\n"
             "【使い方】\r\n\r\n"
             "キーワードを実行するとquorvaneが終了しますが、\r\n"
             "「ショートカット登録」ページでスタートメニューに登録すると、\r\n"
             "「起動用ホットキー」でいつでも起動できます。";
    case kCustomMode:
      return "【解説】\r\n\r\n"
             "上級者の方にお勧めです。\r\n"
             "細かい設定をすることができます。\r\n\r\n"
             "【使い方】\r\n\r\n"
             "「動作設定」ページにて動作をカスタマイズしてください。";
  }
  return "";
}
