// One form with every control of the GUI layer, laid out from a table of
// rows, with Japanese captions: for gallery-screenshot.sh. Arguments: the
// file to write once the form is ready (its contents: the area to capture,
// as WxH+X+Y), the file whose appearance ends the program, and "menu" to
// show the popup menu (with a submenu open) instead of a tooltip.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/Bevel.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/CheckListBox.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/GroupBox.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/ListView.h"
#include "ui/Memo.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/PopupMenu.h"
#include "ui/ProgressBar.h"
#include "ui/RadioButton.h"
#include "ui/RadioGroup.h"
#include "ui/SpinEdit.h"
#include "ui/Timer.h"
#include "ui/ToolTip.h"
#include "ui/TrackBar.h"
#include "ui/TreeView.h"
#include "ui/UpDown.h"

namespace {

using ui::Kind;

// clang-format off
const ui::TLayoutRow kRows[] = {
  // The first column: simple controls.
  {Kind<ui::TLabel>,       "NameLabel",   "", "キーワード(&K):",          10,  13,  90, 16},
  {Kind<ui::TEdit>,        "NameEdit",    "", "メモ帳",                  100,  10, 150, 21},
  {Kind<ui::TLabel>,       "Link",        "", "https://example.jp/サポート", 10, 38, 240, 16},
  {Kind<ui::TButton>,      "IconButton",  "", "アイコン(&I)",             10,  60, 118, 40},
  {Kind<ui::TButton>,      "Browse",      "", "参照(&R)...",              132,  60, 118, 40},
  {Kind<ui::TCheckBox>,    "Check",       "", "終了するまで待つ(&W)",     10, 106, 240, 18},
  {Kind<ui::TCheckBox>,    "Grayed",      "", "環境変数を展開する(&E)",   10, 126, 240, 18},
  {Kind<ui::TRadioButton>, "Radio1",      "", "通常表示",                 10, 148, 80, 18, WS_GROUP},
  {Kind<ui::TRadioButton>, "Radio2",      "", "最大化",                   92, 148, 70, 18},
  {Kind<ui::TRadioButton>, "Radio3",      "", "最小化",                  164, 148, 80, 18},
  {Kind<ui::TGroupBox>,    "Modifiers",   "", "修飾キー",                 10, 170, 240, 46},
  {Kind<ui::TCheckBox>,    "Shift",       "Modifiers", "Shift",           10, 20, 56, 18},
  {Kind<ui::TCheckBox>,    "Alt",         "Modifiers", "Alt",             68, 20, 50, 18},
  {Kind<ui::TCheckBox>,    "Ctrl",        "Modifiers", "Ctrl",           120, 20, 52, 18},
  {Kind<ui::TCheckBox>,    "Win",         "Modifiers", "Win",            174, 20, 50, 18},
  {Kind<ui::TRadioGroup>,  "Mode",        "", "動作モード(&M)",           10, 222, 240, 84},
  {Kind<ui::TLabel>,       "FontLabel",   "", "フォント(&F):",            10, 316,  80, 16},
  {Kind<ui::TComboBox>,    "FontCombo",   "", "",                         90, 312, 160, 200},
  {Kind<ui::TLabel>,       "StateLabel",  "", "表示状態(&S):",            10, 342,  80, 16},
  {Kind<ui::TComboBox>,    "StateCombo",  "", "",                         90, 338, 160, 200, CBS_DROPDOWNLIST},
  {Kind<ui::TLabel>,       "ExtLabel",    "", "拡張子(並び替え):",        10, 366, 115, 16},
  {Kind<ui::TListBox>,     "Extensions",  "", "",                         10, 384, 115, 92},
  {Kind<ui::TLabel>,       "SourceLabel", "", "表示する候補(&D):",       132, 366, 118, 16},
  {Kind<ui::TCheckListBox>,"Sources",     "", "",                        132, 384, 118, 92},
  {Kind<ui::TLabel>,       "SpinLabel",   "", "候補リストの行数(&E):",    10, 487, 130, 16},
  {Kind<ui::TSpinEdit>,    "ListSize",    "", "",                        140, 484,  70, 22},
  {Kind<ui::TLabel>,       "Short",       "", "←短い",                    10, 518,  40, 16},
  {Kind<ui::TTrackBar>,    "Wait",        "", "",                         48, 510, 160, 30},
  {Kind<ui::TLabel>,       "Long",        "", "長い→",                   210, 518,  40, 16},
  {Kind<ui::TProgressBar>, "Progress",    "", "",                         10, 548, 240, 16},
  // The second column: the views and the containers.
  {Kind<ui::TTreeView>,    "Tree",        "", "",                        265,  10, 260, 196},
  {Kind<ui::TListView>,    "Keys",        "", "",                        265, 214, 260, 112},
  {Kind<ui::TMemo>,        "Memo",        "", "",                        265, 334, 260,  76},
  {Kind<ui::TPanel>,       "Panel",       "", "パネル(浮き出し)",        265, 418, 126,  56},
  {Kind<ui::TFrame>,       "Frame",       "", "",                        399, 418, 126,  56},
  {Kind<ui::TLabel>,       "FrameLabel",  "Frame", "フレームの中のラベル",  6,  8, 114, 40},
  {Kind<ui::TBevel>,       "Bevel",       "", "",                        265, 482, 260,  82},
  {Kind<ui::TLabel>,       "BevelLabel",  "", "ベベルの枠の中: 色つきの文字と太字", 275, 492, 240, 16},
  {Kind<ui::TLabel>,       "Warning",     "", "キーワード(存在しません)(&K)", 275, 514, 240, 16},
  {Kind<ui::TEdit>,        "UpDownEdit",  "", "5",                       275, 536,  50, 21},
  {Kind<ui::TLabel>,       "UpDownLabel", "", "回繰り返す",               345, 539, 100, 16},
  // The third column: the page control and its pages.
  {Kind<ui::TPageControl>, "Pages",       "", "",                        540,  10, 250, 300},
  {Kind<ui::TTabSheet>,    "Basic",       "Pages", "基本(&B)",             0,   0,   0,   0},
  {Kind<ui::TTabSheet>,    "Icons",       "Pages", "アイコン(&C)",         0,   0,   0,   0},
  {Kind<ui::TTabSheet>,    "Hidden",      "Pages", "隠しページ",           0,   0,   0,   0},
  {Kind<ui::TLabel>,       "PageLabel",   "Basic", "コマンド名 : グループ", 10, 12, 220, 16},
  {Kind<ui::TCheckBox>,    "PageCheck1",  "Basic", "アイコンを先頭のキーワード\r\nと同じにする(&I)", 10, 36, 228, 32},
  {Kind<ui::TCheckBox>,    "PageCheck2",  "Basic", "繰り返して実行する(&L)", 10, 72, 220, 18},
  {Kind<ui::TRadioGroup>,  "RunMode",     "Basic", "実行時の動作(&R)",     10, 98, 226, 86},
  {Kind<ui::TListView>,    "IconView",    "Icons", "",                     4,   4, 234, 260},
  {Kind<ui::TLabel>,       "Note",        "", "【機能】\r\nキーワードの 分類・連続起動を\r\n可能にするグループを作ります", 540, 320, 250, 48},
  {Kind<ui::TButton>,      "MenuButton",  "", "範囲(&C)",                540, 376, 100, 26},
  {Kind<ui::TLabel>,       "MenuLabel",   "", "アクティブ時いつでも有効",  648, 381, 140, 16},
  {Kind<ui::TButton>,      "TipButton",   "", "ヒント表示(&H)...",        540, 412, 118, 28},
};
// clang-format on

HICON SystemIcon(LPCSTR id, int size) {
  return static_cast<HICON>(CopyImage(LoadIconA(nullptr, id), IMAGE_ICON, size, size, 0));
}

void WriteFile(const std::string& path, const std::string& text) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
}

bool FileExists(const std::string& path) { return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Geometry(RECT r) {
  return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) +
         "+" + std::to_string(r.top);
}

RECT Union(RECT a, HWND w) {
  RECT b = {};
  if (!w || !IsWindowVisible(w) || !GetWindowRect(w, &b)) return a;
  RECT u = {};
  UnionRect(&u, &a, &b);
  return u;
}

std::vector<std::string> Arguments(const char* cmdLine) {
  std::vector<std::string> args;
  std::string cur;
  bool quoted = false;
  for (const char* c = cmdLine; c && *c; ++c) {
    if (*c == '"') quoted = !quoted;
    else if (*c == ' ' && !quoted) {
      if (!cur.empty()) args.push_back(cur);
      cur.clear();
    } else cur += *c;
  }
  if (!cur.empty()) args.push_back(cur);
  return args;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
  std::vector<std::string> args = Arguments(cmdLine);
  std::string readyFile = args.size() > 0 ? args[0] : "", doneFile = args.size() > 1 ? args[1] : "";
  bool menuMode = args.size() > 2 && args[2] == "menu";

  ui::TApplication app;
  app.SetTitle("quorvane");
  ui::TForm form;
  ui::TFormParams fp;
  fp.Caption = "コントロール一覧 - quorvane";
  fp.X = 20;
  fp.Y = 20;
  fp.ClientWidth = 800;
  fp.ClientHeight = 574;
  fp.BorderStyle = ui::TBorderStyle::Single;
  fp.ShowInTaskbar = true;
  if (!form.Create(fp)) return 1;
  app.SetMainForm(&form);
  form.BuildLayout(kRows);

  // What the rows cannot say.
  auto& link = form.Control<ui::TLabel>("Link");
  link.SetLink(true);
  form.Control<ui::TLabel>("NameLabel").SetFocusControl(form.Control("NameEdit").Handle());
  ui::TImageList bigIcons(32, 32), smallIcons(16, 16);
  for (LPCSTR id : {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING, IDI_ERROR, IDI_QUESTION, IDI_WINLOGO}) {
    HICON big = SystemIcon(id, 32), small = SystemIcon(id, 16);
    bigIcons.AddIcon(big);
    smallIcons.AddIcon(small);
    DestroyIcon(big);
    DestroyIcon(small);
  }
  form.Control<ui::TButton>("IconButton").SetPicture(core::TUniqueIcon(SystemIcon(IDI_INFORMATION, 32)));
  form.Control<ui::TCheckBox>("Check").SetChecked(true);
  auto& grayed = form.Control<ui::TCheckBox>("Grayed");
  grayed.SetAllowGrayed(true);
  grayed.SetState(ui::TCheckBoxState::Grayed);
  form.Control<ui::TRadioButton>("Radio2").SetChecked(true);
  form.Control<ui::TCheckBox>("Ctrl").SetChecked(true);
  auto& mode = form.Control<ui::TRadioGroup>("Mode");
  mode.SetItems({"常駐モード", "非常駐モード", "カスタム"});
  mode.SetItemIndex(0);
  auto& fonts = form.Control<ui::TComboBox>("FontCombo");
  fonts.SetItems({"ＭＳ Ｐゴシック", "ＭＳ ゴシック", "MS UI Gothic", "IPAゴシック"});
  fonts.SetItemIndex(0);
  fonts.AutoDropDown = true;
  auto& states = form.Control<ui::TComboBox>("StateCombo");
  states.SetItems({"通常表示", "最大化", "最小化"});
  states.SetItemIndex(1);
  auto& extensions = form.Control<ui::TListBox>("Extensions");
  for (const char* e : {".exe", ".BAT", ".com", ".lnk", ".Cmd", ".表"}) extensions.Add(e);
  extensions.SetItemIndex(2);
  auto& sources = form.Control<ui::TCheckListBox>("Sources");
  const std::pair<const char*, bool> sourceRows[] = {{"キーワード", true}, {"フォルダ内のファイル", true}, {"履歴", false},
                                                     {"ドライブリスト", true}, {"その他", false}};
  for (const auto& [text, on] : sourceRows) sources.Add(text, on);
  sources.SetItemIndex(1);
  auto& spin = form.Control<ui::TSpinEdit>("ListSize");
  spin.SetRange(1, 300);
  spin.SetValue(15);
  auto& wait = form.Control<ui::TTrackBar>("Wait");
  wait.SetRange(0, 600);
  wait.SetFrequency(50);
  wait.SetPageSize(50);
  wait.SetPosition(250);
  auto& progress = form.Control<ui::TProgressBar>("Progress");
  progress.SetRange(0, 5);
  progress.SetStep(1);
  for (int i = 0; i < 3; ++i) progress.StepIt();

  auto& tree = form.Control<ui::TTreeView>("Tree");
  tree.SetImages(&smallIcons);
  ui::TTreeNode* basic = tree.AddChild(nullptr, "基本");
  for (const char* t : {"動作設定", "ショートカット登録", "呼び出しキー"}) tree.AddChild(basic, t)->SetImageIndex(1);
  ui::TTreeNode* input = tree.AddChild(nullptr, "入力");
  input->SetImageIndex(3);
  ui::TTreeNode* list = tree.AddChild(input, "候補リスト");
  list->SetImageIndex(2);
  tree.AddChild(list, "カスタマイズ")->SetImageIndex(4);
  tree.AddChild(input, "履歴")->SetImageIndex(5);
  ui::TTreeNode* cut = tree.AddChild(nullptr, "切り取ったグループ");
  cut->SetImageIndex(3);
  cut->SetCut(true);
  tree.FullExpand();
  tree.SetSelected(list);
  tree.SetDropTarget(basic->FirstChild()->NextSibling());
  tree.OnCustomDrawItem = [basic](ui::TTreeItemDraw& item) {
    if (item.Node == basic) {
      item.FontStyle = ui::fsBold;
      if (!item.Selected) item.TextColor = RGB(0, 0, 160);
    }
  };

  auto& keys = form.Control<ui::TListView>("Keys");
  keys.SetSmallImages(&smallIcons);
  keys.AddColumn("キーワード", 90);
  keys.AddColumn("ショートカット", 80);
  keys.AddColumn("有効範囲", 86);
  const char* keyRows[][3] = {{"メモ帳", "Ctrl+Alt+N", "常駐時"}, {"表示ソ", "なし", "アクティブ時"},
                              {"電卓", "Win+C", "常駐時"}, {"ブラウザ", "Ctrl*2", "常駐時"}};
  for (int i = 0; i < 4; ++i) {
    int at = keys.AddItem(keyRows[i][0], i);
    keys.SetSubItem(at, 1, keyRows[i][1]);
    keys.SetSubItem(at, 2, keyRows[i][2]);
  }
  keys.SetItemIndex(1);

  form.Control<ui::TMemo>("Memo").SetLines({"「その他」の候補設定", "http://example.jp/", "C:\\Program Files\\表示ソフト\\",
                                            "三行目の後にも行があります"});
  auto& panel = form.Control<ui::TPanel>("Panel");
  panel.SetColor(RGB(255, 250, 220));
  auto& frame = form.Control<ui::TFrame>("Frame");
  frame.SetColor(RGB(225, 240, 255));
  form.Control<ui::TLabel>("FrameLabel").SetWordWrap(true);
  form.Control<ui::TBevel>("Bevel").SetShape(ui::TBevelShape::Frame, ui::TBevelStyle::Lowered);
  auto& bevelLabel = form.Control<ui::TLabel>("BevelLabel");
  bevelLabel.SetFontColor(RGB(0, 110, 0));
  bevelLabel.SetFontStyle(ui::fsBold);
  form.Control<ui::TLabel>("Warning").SetFontColor(RGB(255, 0, 0));
  ui::TUpDown upDown;
  ui::TUpDownParams up;
  up.Parent = form.Handle();
  up.Min = 0;
  up.Max = 10;
  up.Position = 5;
  up.Associate = form.Control("UpDownEdit").Handle();
  upDown.Create(up);

  auto& pages = form.Control<ui::TPageControl>("Pages");
  form.Control<ui::TTabSheet>("Hidden").SetTabVisible(false);
  auto& runMode = form.Control<ui::TRadioGroup>("RunMode");
  runMode.SetItems({"中のキーワードを全て実行", "先頭のキーワードのみ実行", "何もしない"});
  runMode.SetItemIndex(1);
  form.Control<ui::TCheckBox>("PageCheck2").SetChecked(true);
  auto& iconView = form.Control<ui::TListView>("IconView");
  iconView.SetViewStyle(ui::TViewStyle::Icon);
  iconView.SetLargeImages(&bigIcons);
  for (int i = 0; i < 6; ++i) iconView.AddItem("", i);
  iconView.SetItemIndex(2);
  pages.SetActivePage(&form.Control<ui::TTabSheet>("Basic"));

  ui::TToolTip tip;
  ui::TToolTipParams tp;
  tp.Owner = form.Handle();
  tp.InitialDelay = 100;
  tp.AutoPopDelay = 30000;
  tip.Create(tp);
  HWND tipButton = form.Control("TipButton").Handle();
  tip.AddTool(tipButton, std::string("ダイアログでキー設定\r\n(通常では入力不可能なキーも設定可能)"));

  ui::TPopupMenu menu;
  ui::TMenuItem* active = menu.Items().Add("アクティブ時いつでも有効");
  ui::TMenuItem* resident = menu.Items().Add("常駐時いつでも有効");
  for (ui::TMenuItem* r : {active, resident}) r->SetRadioItem(true);
  active->SetChecked(true);
  menu.Items().Add("-");
  ui::TMenuItem* edit = menu.Items().Add("編集");
  edit->SetDefault(true);
  edit->SetShortCutText("Alt+Enter");
  ui::TMenuItem* sortMenu = menu.Items().Add("並び替え");
  sortMenu->Add("↑上へ")->SetShortCutText("Alt+Up");
  sortMenu->Add("↓下へ")->SetShortCutText("Alt+Down");
  sortMenu->Add("ABC順に並び替え");
  menu.Items().Add("隠れた項目")->SetVisible(false);
  ui::TMenuItem* top = menu.Items().Add("最前面に表示");
  top->SetChecked(true);
  menu.Items().Add("削除")->SetEnabled(false);

  form.Show();
  SetForegroundWindow(form.Handle());
  form.Control("NameEdit").Focus();
  app.ProcessMessages();

  RECT area = {};
  GetWindowRect(form.Handle(), &area);
  DWORD start = GetTickCount();
  auto timedOut = [&] { return GetTickCount() - start > 60000; };
  if (!menuMode) {
    // The mouse rests on the button until its tip shows.
    RECT b = {};
    GetWindowRect(tipButton, &b);
    SetCursorPos((b.left + b.right) / 2 - 2, (b.top + b.bottom) / 2);
    app.ProcessMessages();
    SetCursorPos((b.left + b.right) / 2, (b.top + b.bottom) / 2);
    while (!tip.ShownTool() && !timedOut()) {
      app.ProcessMessages();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    area = Union(area, tip.Handle());
    WriteFile(readyFile, Geometry(area));
  } else {
    // Away from the button with the tip; the page with the large icons.
    SetCursorPos(area.right + 20, area.bottom + 20);
    pages.SetActivePage(&form.Control<ui::TTabSheet>("Icons"));
    app.ProcessMessages();
    // The menu's own loop runs the timer: it reports the menu once it is
    // open, with its submenu, and closes it when the picture is taken.
    ui::TTimer timer(200);
    bool reported = false;
    timer.OnTimer = [&] {
      HWND popup = nullptr;
      RECT all = area;
      while ((popup = FindWindowExA(nullptr, popup, "#32768", nullptr)))
        if (IsWindowVisible(popup)) all = Union(all, popup);
      if (!reported && (all.right != area.right || all.bottom != area.bottom || all.left != area.left)) {
        WriteFile(readyFile, Geometry(all));
        reported = true;
      }
      if (FileExists(doneFile) || timedOut()) EndMenu();
    };
    timer.SetEnabled(true);
    for (WORD k : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}) {
      PostMessageA(form.Handle(), WM_KEYDOWN, k, 1);
      PostMessageA(form.Handle(), WM_KEYUP, k, 0xC0000001);
    }
    RECT b = {};
    GetWindowRect(form.Control("MenuButton").Handle(), &b);
    menu.Popup(b.left, b.bottom, form.Handle());
  }
  while (!app.Terminated() && !FileExists(doneFile) && !timedOut()) {
    app.ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  return 0;
}
