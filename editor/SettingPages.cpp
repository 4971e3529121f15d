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
using M = TSettingMap;

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
    // ---- 候補リスト: match level and romaji ----
    {.Page = "候補リスト", .Name = "MatchLevel",
     .Caption = "表示する候補(&C)\n先頭一致のみ\n部分一致の候補も表示\nスキップマッチングの候補も表示", .Kind = K::Radio,
     .Store = St::S, .Key = "MatchLevel", .Number = &TZMRTData::MatchLevel, .Rule = R::EnabledWhile, .Other = "UseList",
     .Map = M::Reversed},
    QV_CHECK_IF("候補リスト", "ローマ字マッチングを使用(&J)", EnableRomajiMatch, UseList),
    {.Page = "候補リスト", .Name = "RomajiMatchOnlyUpper", .Caption = "先頭が大文字のときのみ", .Kind = K::Check,
     .Store = St::S, .Key = "RomajiMatchOnlyUpper", .Flag = &TZMRTData::RomajiMatchOnlyUpper, .Rule = R::VisibleWhile,
     .Other = "EnableRomajiMatch"},

    // ---- カスタマイズ: the other candidates ----
    {.Page = "カスタマイズ", .Name = "OtherCandidates", .Caption = "「その他」の候補設定(&T)", .Kind = K::Memo,
     .Store = St::S, .Key = "OtherCandidates", .Text = &TZMRTData::OtherCandidates},

    QV_CHECK("オートコンプリート", "オートコンプリートを使用する(&P)", UseAutoComplete),
    QV_CHECK_IF("オートコンプリート", "すべての候補に共通な部分は自動的に確定(&T)", AutoDecision, UseAutoComplete),
    // ---- オートコンプリート: the stop characters ----
    {.Page = "オートコンプリート", .Name = "SpecialChars", .Caption = "…のいずれかが入力された時に、その位置まで確定(&D)",
     .Kind = K::Text, .Store = St::S, .Key = "SpecialChars", .Text = &TZMRTData::SpecialChars},
    {.Page = "オートコンプリート", .Name = "CompleteChars", .Caption = "", .Kind = K::Text, .Store = St::S,
     .Key = "CompleteChars", .Rule = R::Hidden, .Text = &TZMRTData::CompleteChars},

    QV_CHECK("履歴", "履歴機能を使う(&H)", UseHistory),
    QV_SPIN_IF("履歴", "履歴件数(&U)", HistoryCount, 0, 100000, UseHistory),
    QV_CHECK_IF("履歴", "単純なキーワードのみでも履歴に残す(&K)", AddSimpleHistory, UseHistory),
    // ---- 履歴: the hidden spins ----
    {.Page = "履歴", .Name = "CountToHistory", .Caption = "", .Kind = K::Spin, .Store = St::S, .Key = "CountToHistory",
     .Number = &TZMRTData::CountToHistory, .Min = 0, .Max = 50, .Rule = R::Hidden},
    {.Page = "履歴", .Name = "HistoryMax", .Caption = "", .Kind = K::Spin, .Store = St::S, .Key = "HistoryMax",
     .Number = &TZMRTData::HistoryMax, .Rule = R::Hidden},

    QV_HOTKEY("キーカスタマイズ", "DeleteRightToken", "1区切り右削除(&R)", "*DeleteRightToken", -1, 0, false),
    QV_HOTKEY("キーカスタマイズ", "DeleteLeftToken", "1区切り左削除(&L)", "*DeleteLeftToken", -1, 0, false),
    QV_HOTKEY("キーカスタマイズ", "ForceExe", "強制実行(&F)", "*ForceExe", -1, 0, true),
    QV_HOTKEY("キーカスタマイズ", "CaptureKey", "キャプチャー登録(&C)", "Capture_key", 1, 1, true),

    // ---- 実行 ----
    {.Page = "実行", .Name = "RunByParam", .Caption = "データファイルをパラメータの実行ファイルで開く(&P)", .Kind = K::Check,
     .Store = St::R, .Key = "RunByParam"},
    QV_CHECK("実行", "実行したキーワードの順位を上げる(&U)", UpPriority),
    {.Page = "実行", .Name = "UpPriorityCount", .Caption = "…上げる(&N)", .Kind = K::Spin, .Store = St::S,
     .Key = "UpPriorityCount", .Number = &TZMRTData::UpPriorityCount, .Rule = R::EnabledWhile, .Other = "UpPriority"},
    {.Page = "実行", .Name = "UpPriorityByRate", .Caption = "\n個\n%", .Kind = K::Combo, .Store = St::S,
     .Key = "UpPriorityByRate", .Flag = &TZMRTData::UpPriorityByRate, .Rule = R::EnabledWhile, .Other = "UpPriority"},
    {.Page = "実行", .Name = "MaxWildCardRunCount",
     .Caption = "一度に…個以上のファイルを開こうとした時に確認(ワイルドカード)(&W)", .Kind = K::Spin, .Store = St::R,
     .Key = "MaxWildCardRunCount", .Default = 10},

    // ---- タイマー ----
    QV_CHECK("タイマー", "タイマー確定をする", LimitComplete),
    QV_SPIN_IF("タイマー", "…ミリ秒で確定", LimitComplete_time, 0, 10000, LimitComplete),
    QV_CHECK_IF("タイマー", "候補がひとつ以下の時のみ", LimitComplete_One, LimitComplete),
    QV_CHECK("タイマー", "タイマー実行をする", LimitExe),
    QV_SPIN_IF("タイマー", "…ミリ秒で実行", LimitExe_time, 0, 10000, LimitExe),
    QV_CHECK_IF("タイマー", "候補がひとつ以下の時のみ", LimitExe_One, LimitExe),

    // ---- ファイラー ----
    {.Page = "ファイラー", .Name = "UseFiler", .Caption = "フォルダを開くファイラーを指定(&F)", .Kind = K::Check,
     .Store = St::R, .Key = "UseFiler"},
    {.Page = "ファイラー", .Name = "FilerName", .Caption = "ファイラーのパス(&N)", .Kind = K::Path, .Store = St::R,
     .Key = "FilerName", .Rule = R::VisibleWhile, .Other = "UseFiler"},
    {.Page = "ファイラー", .Name = "FilerParam", .Caption = "パラメータ(&P)", .Kind = K::Text, .Store = St::R,
     .Key = "FilerParam", .Rule = R::VisibleWhile, .Other = "UseFiler"},
    {.Page = "ファイラー", .Name = "QuoteParam", .Caption = "空白を含むファイル名を\"で囲んで渡す(&Q)", .Kind = K::Check,
     .Store = St::R, .Key = "QuoteParam", .Default = 1, .Rule = R::VisibleWhile, .Other = "UseFiler"},

    // ---- 関連付けのないとき ----
    {.Page = "関連付けのないとき", .Name = "FileOpenMode",
     .Caption = "ファイルが関連付けされていないとき(&N)\n開くプログラムを選択\nとりあえず指定したプログラムで開く\nなにもしない",
     .Kind = K::Radio, .Store = St::R, .Key = "FileOpenMode", .Min = 0, .Max = 2},
    {.Page = "関連付けのないとき", .Name = "FileOpenFile", .Caption = "使用するプログラム(メモ帳など)(&P)", .Kind = K::Path,
     .Store = St::R, .Key = "FileOpenFile", .Rule = R::VisibleWhileValue, .Other = "FileOpenMode", .RuleValue = 1},

    // ---- 表示 ----
    {.Page = "表示", .Name = "small",
     .Caption = "ウィンドウの大きさ(&W)\n通常の大きさ    (大きいアイコン・コメント表示部あり)\n"
                "小さいウィンドウ (小さいアイコン・コメント表示部なし)",
     .Kind = K::Radio, .Store = St::S, .Key = "small", .Flag = &TZMRTData::Small},
    QV_CHECK("表示", "アイコンを表示する(&I)", showicon),
    QV_CHECK("表示", "入力画面を常に最前面に表示(&Z)", showtop),
    {.Page = "表示", .Name = "BorderStyle", .Caption = "\n通常の枠\n太いウィンドウ枠\n平面的な枠\n枠なし", .Kind = K::Combo,
     .Store = St::S, .Key = "BorderStyle", .Number = &TZMRTData::BorderStyle},

    // ---- アイコン描画 ----
    {.Page = "アイコン描画", .Name = "WaitTimeForIcon", .Caption = "描画までの待ち時間(&T)\n←短い\n長い→",
     .Kind = K::Track, .Store = St::S, .Key = "WaitTimeForIcon", .Number = &TZMRTData::WaitTimeForIcon, .Min = 0,
     .Max = 600, .Tick = 50, .Unit = "ミリ秒"},
    QV_CHECK("アイコン描画", "アイコン描画にスレッドを使う(&H)", UseThread),
    {.Page = "アイコン描画", .Name = "Priority",
     .Caption = "描画の優先度(&P):\n最も低い\n低い\n少し低め\n通常\n少し高め\n高い", .Kind = K::Combo,
     .Store = St::S, .Key = "Priority", .Number = &TZMRTData::Priority, .Rule = R::EnabledWhile, .Other = "UseThread"},

    // ---- 半透明化 ----
    {.Page = "半透明化", .Name = "TransParentMode",
     .Caption = "半透明(&T)\n非アクティブなときに半透明\nいつでも半透明\n半透明にしない", .Kind = K::Radio,
     .Store = St::S, .Key = "TransParentMode", .Number = &TZMRTData::TransParentMode},
    {.Page = "半透明化", .Name = "TransParentValue", .Caption = "透明度(&R):\n←透明\n不透明→", .Kind = K::Track,
     .Store = St::S, .Key = "TransParentValue", .Number = &TZMRTData::TransParentValue, .Min = 0, .Max = 255,
     .Rule = R::VisibleUnlessValue, .Other = "TransParentMode", .RuleValue = 2, .Tick = 10},

    // ---- 登録 ----
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

namespace {
int ReadStoredValue(const TSettingRow& row, const TSettingStores& stores) {
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
}  // namespace

int ReadRowValue(const TSettingRow& row, const TSettingStores& stores) {
  const int value = ReadStoredValue(row, stores);
  if (row.Map == M::Reversed) return value >= 0 && value <= 2 ? 2 - value : 0;
  return value;
}

void WriteRowValue(const TSettingRow& row, int value, const TSettingStores& stores) {
  if (row.Map == M::Reversed) value = 2 - value;
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

bool IsTextRow(const TSettingRow& row) {
  return row.Kind == K::Text || row.Kind == K::Memo || row.Kind == K::Path;
}

std::string ReadRowText(const TSettingRow& row, const TSettingStores& stores) {
  if (row.Store == St::S) return row.Text ? stores.Settings.*row.Text : std::string();
  if (row.Store == St::Shared) return "";
  return IniOf(row, stores).ReadString(row.Key, row.DefaultText);
}

void WriteRowText(const TSettingRow& row, std::string_view text, const TSettingStores& stores) {
  if (row.Store == St::S) {
    if (row.Text) stores.Settings.*row.Text = std::string(text);
  } else if (row.Store != St::Shared) {
    IniOf(row, stores).WriteString(row.Key, text);
  }
}

std::pair<std::string, std::string> CaptionAround(const TSettingRow& row) {
  const std::string caption = SplitLines(row.Caption).front();
  static constexpr std::string_view kMark = "…";
  const size_t at = caption.find(kMark);
  if (at == std::string::npos) return {caption, ""};
  return {caption.substr(0, at), caption.substr(at + kMark.size())};
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

// ---- Colours and the preview ----

namespace {
constexpr int kButtonFace = 15, kWindowText = 8, kWindow = 5, kActiveCaption = 2, kCaptionText = 9;

std::vector<std::string> ColourEntries(std::string_view list) {
  std::vector<std::string> entries;
  if (list.empty()) return entries;
  size_t start = 0;
  for (;;) {
    const size_t comma = list.find(',', start);
    std::string_view part = list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (part.size() >= 2 && part.front() == '"' && part.back() == '"') part = part.substr(1, part.size() - 2);
    entries.emplace_back(part);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return entries;
}
}  // namespace

std::string TZMRTData::*ColourKeyField(int key) {
  static std::string TZMRTData::*const kFields[kColourKeyCount] = {&TZMRTData::Back_C, &TZMRTData::Comment_C,
                                                                   &TZMRTData::InputBack_C, &TZMRTData::Input_C};
  return kFields[key];
}

std::string ColourEntry(std::string_view list, int state) {
  const std::vector<std::string> entries = ColourEntries(list);
  return state >= 0 && state < static_cast<int>(entries.size()) ? entries[state] : std::string();
}

std::string WithColourEntry(std::string_view list, int state, int value) {
  std::vector<std::string> entries = ColourEntries(list);
  if (static_cast<int>(entries.size()) <= state) entries.resize(state + 1);
  entries[state] = std::to_string(value);
  std::string text;
  for (const std::string& e : entries) text += (text.empty() ? "\"" : ",\"") + e + "\"";
  return text;
}

int DefaultColourValue(int key, int state) {
  const bool warning = state == 1 || state == 3;
  switch (key) {
    case ckBack: return SystemColourValue(state == 2 ? kActiveCaption : kButtonFace);
    case ckComment: return warning ? 255 : SystemColourValue(state == 2 ? kCaptionText : kWindowText);
    case ckInputBack: return SystemColourValue(kWindow);
    case ckInput: return warning ? 255 : SystemColourValue(kWindowText);
  }
  return 0;
}

int MissingColourValue(int key) {
  static constexpr int kIndex[kColourKeyCount] = {kButtonFace, kWindowText, kWindow, kWindowText};
  return SystemColourValue(kIndex[key]);
}

int ColourValue(std::string_view entry, int key) {
  int value = 0;
  return sjis::TryStrToInt(entry, value) ? value : MissingColourValue(key);
}

TPreviewGeometry PreviewGeometry(bool small, bool showIcon, int borderStyle, int width, int inputHeight) {
  TPreviewGeometry g;
  g.Frame = borderStyle == 1 ? 2 : borderStyle == 3 ? 0 : 1;
  g.Width = width;
  g.InnerWidth = width - 2 * g.Frame;
  g.InputHeight = inputHeight;
  if (showIcon) {
    g.IconSize = small ? 16 : 32;
    g.IconLeft = small ? 1 : 2;
  }
  const int offset = showIcon ? (small ? 18 : 36) : 0;
  g.InputLeft = offset;
  if (small) {
    g.InnerHeight = std::max(inputHeight, 16);
    g.InputTop = 0;
    g.InputWidth = g.InnerWidth - offset - 5;
  } else {
    g.InnerHeight = std::max(2 * inputHeight + 4, 36);
    g.InputTop = g.InnerHeight - inputHeight - 2;
    g.InputWidth = g.InnerWidth - offset - 2;
    g.LabelVisible = true;
    g.LabelTop = 2;
    g.LabelWidth = g.InnerWidth - offset - 2;
    g.LabelHeight = g.InnerHeight - inputHeight - 3;
  }
  g.IconTop = (g.InnerHeight - g.IconSize) / 2;
  g.Height = g.InnerHeight + 2 * g.Frame;
  return g;
}
