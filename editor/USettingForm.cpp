#include "editor/USettingForm.h"

#include <algorithm>
#include <charconv>

#include "core/AppEvents.h"
#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/OSUtils.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"
#include "editor/ComCtrlsXP.h"
#include "editor/ExtCtrlsXP.h"
#include "editor/FileNameComplete.h"
#include "editor/HotKey_Dialog.h"
#include "editor/Edit_File_Ext.h"
#include "editor/HotKey_Edit.h"
#include "editor/TreeViewUtils.h"
#include "editor/UHotKeyDialog.h"
#include "core/HotKey_Factory.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/CheckListBox.h"
#include "ui/ComboBox.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/GroupBox.h"
#include "ui/Image.h"
#include "ui/Memo.h"
#include "ui/MessageBox.h"
#include "ui/Panel.h"
#include "ui/SpinEdit.h"
#include "ui/TrackBar.h"

namespace {

constexpr char kRegistPage[] = "登録";
constexpr char kKeyCustomizePage[] = "キーカスタマイズ";
constexpr char kSettingNodePath[] = "基本/動作設定";
constexpr char kCustomizeNodePath[] = "入力/候補リスト/カスタマイズ";
constexpr char kApplying[] = "設定反映中・・・";
constexpr char kReLoad[] = "/ReLoad";
constexpr DWORD kLauncherWaitMs = 60000;

const ui::TLayoutRow kFrameRows[] = {
    {ui::Kind<ui::TTreeView>, "TreeView1", "", "", 8, 8, 168, 376, TVS_TRACKSELECT, ui::akLeft | ui::akTop | ui::akBottom},
    {ui::Kind<ui::TPanel>, "HeaderPanel", "", "", 184, 8, 400, 24, 0, ui::akLeft | ui::akTop | ui::akRight},
    {ui::Kind<ui::TLabel>, "HeaderLabel", "HeaderPanel", "", 4, 5, 390, 14},
    {ui::Kind<ui::TPageControl>, "PageControl1", "", "", 184, 38, 400, 346, 0,
     ui::akLeft | ui::akTop | ui::akRight | ui::akBottom},
    {ui::Kind<ui::TButton>, "HelpButton", "", "?", 8, 394, 25, 25, 0, ui::akLeft | ui::akBottom},
    {ui::Kind<ui::TButton>, "Button1", "", "OK", 346, 394, 75, 25, 0, ui::akRight | ui::akBottom},
    {ui::Kind<ui::TButton>, "Button2", "", "キャンセル", 427, 394, 75, 25, 0, ui::akRight | ui::akBottom},
    {ui::Kind<ui::TButton>, "Button11", "", "適用(&A)", 508, 394, 75, 25, 0, ui::akRight | ui::akBottom},
};

// The pages whose controls are made here; the others are empty until theirs come.
constexpr const char* kBuiltPages[] = {"基本",       "動作設定",   "呼び出しキー",       "入力",
                                       "候補リスト", "オートコンプリート", "履歴",       "キーカスタマイズ",
                                       "実行",       "タイマー",   "ファイラー",         "関連付けのないとき",
                                       "アイコン描画", "半透明化", "登録"};
constexpr char kFilerPage[] = "ファイラー";
constexpr char kExeFilter[] = "実行ファイル(*.exe) | *.exe";

bool IsEmphasised(const std::string& caption) {
  return caption == "基本" || caption == "ショートカット登録" || caption == "呼び出しキー";
}

int NumberOrMinusOne(std::string_view text) {
  int v = -1;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  return ec == std::errc() && end == text.data() + text.size() ? v : -1;
}

// The controls of a window that take the focus by Tab, nested ones included,
// in the order they were made.
std::vector<HWND> TabOrderControls(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND w, LPARAM p) -> BOOL {
        if (GetWindowLongA(w, GWL_STYLE) & WS_TABSTOP) reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

class TScopedCount {
 public:
  explicit TScopedCount(int& n) : n_(n) { ++n_; }
  ~TScopedCount() { --n_; }
  TScopedCount(const TScopedCount&) = delete;
  TScopedCount& operator=(const TScopedCount&) = delete;

 private:
  int& n_;
};

}  // namespace

namespace {
int CALLBACK EnumFontsProc(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM found) {
  if (font->lfCharSet == SHIFTJIS_CHARSET && font->lfFaceName[0] != '@')  // not the vertical faces
    reinterpret_cast<std::vector<std::string>*>(found)->push_back(font->lfFaceName);
  return 1;
}
}  // namespace

std::vector<std::string> ScreenShiftJisFaces() {
  std::vector<std::string> faces;
  HDC dc = GetDC(nullptr);
  LOGFONTA want = {};
  want.lfCharSet = SHIFTJIS_CHARSET;
  EnumFontFamiliesExA(dc, &want, EnumFontsProc, reinterpret_cast<LPARAM>(&faces), 0);
  ReleaseDC(nullptr, dc);
  std::sort(faces.begin(), faces.end());
  faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
  return faces;
}

HWND FindLauncherMainWindow() { return FindWindowA("TZMRTMain", "quorvanemain"); }

int RunSettingWindow(const TStringList& params, TSettingServices services) {
  TRZSettingMain form(params, std::move(services));
  return form.ShowModal();
}

TRZSettingMain::TRZSettingMain(const TStringList& params, TSettingServices services)
    : services_(std::move(services)), params_(params) {
  if (!services_.Shell) services_.Shell = DefaultRunServices().ShellStart;
  if (!services_.NT5OrLater) services_.NT5OrLater = [] { return IsNT() && SystemVersion().major >= 5; };
  if (!services_.Win95) services_.Win95 = [] { return IsWin95(); };
  if (!services_.Clock) services_.Clock = [] { return GetTickCount(); };
  if (!services_.Sleep) services_.Sleep = [](DWORD ms) { ::Sleep(ms); };
  if (!services_.FindLauncher) services_.FindLauncher = [] { return FindLauncherMainWindow(); };
  if (!services_.ShiftJisFaces) services_.ShiftJisFaces = ScreenShiftJisFaces;
  if (!services_.SpecialFolderPath) services_.SpecialFolderPath = ShellSpecialFolderPath;
  if (!services_.LoginName) services_.LoginName = GetLoginUserName;
  if (!services_.NT) services_.NT = [] { return IsNT(); };
  if (!services_.ResolveLink) services_.ResolveLink = ResolveLinkWithoutUI;
  BuildWindow();
  FormCreate();
}

TRZSettingMain::~TRZSettingMain() = default;

void TRZSettingMain::BuildWindow() {
  ui::TFormParams p;
  p.ClassName = "TRZSettingMain";
  p.Caption = kSettingCaption;
  p.BorderStyle = ui::TBorderStyle::Sizeable;
  p.ClientWidth = 592;
  p.ClientHeight = 427;
  p.ShowInTaskbar = true;
  Create(p);
  BuildLayout(kFrameRows);
  BuildPages();
}

void TRZSettingMain::BuildPages() {
  // One page per node, each with its tab hidden: the tree is the way between them.
  std::vector<ui::TLayoutRow> rows;
  for (const TPageNode& n : PageNodes())
    rows.push_back({ui::Kind<TXPTabSheet>, n.Caption, "PageControl1", n.Caption, 0, 0, 0, 0});
  BuildLayout(rows);
  for (const TPageNode& n : PageNodes()) Control<ui::TTabSheet>(n.Caption).SetTabVisible(false);
  for (const char* page : kBuiltPages) BuildPageRows(page);
  BuildCustomizePage();
  BuildPageRows("カスタマイズ", 150);
  BuildDisplayPage();
  BuildShortcutPage();
  BuildPageRows("表示", 40);
  BuildKeyAssignPage();
  BuildColourPage();
}

// ---- 配色 and the preview ----

namespace {
constexpr char kColourPage[] = "配色";
constexpr char kDisplayPage[] = "表示";
constexpr const char* kColourCaptions[kColourKeyCount] = {"入力ウィンドウ背景(&I)", "入力ウィンドウ文字(&R)",
                                                          "入力欄背景(&B)", "入力欄文字(&C)"};
const char* const kSwatches[kColourKeyCount] = {"Swatch0", "Swatch1", "Swatch2", "Swatch3"};
const char* const kColourButtons[kColourKeyCount] = {"ColourButton0", "ColourButton1", "ColourButton2",
                                                     "ColourButton3"};
const char* const kColourLabels[kColourKeyCount] = {"ColourLabel0", "ColourLabel1", "ColourLabel2", "ColourLabel3"};
constexpr int kPreviewTopOnDisplay = 222, kPreviewTopOnColours = 206;

// A stored colour: a system colour by its index with the top bit set, else RGB.
COLORREF ColourOfValue(int value) {
  const auto v = static_cast<unsigned>(value);
  return (v & 0x80000000u) ? GetSysColor(static_cast<int>(v & 0xFFu)) : static_cast<COLORREF>(v & 0xFFFFFFu);
}
}  // namespace

void TRZSettingMain::BuildColourPage() {
  std::vector<ui::TLayoutRow> rows = {
      {ui::Kind<ui::TLabel>, "StateLabel", kColourPage, "状態(&T):", 12, 14, 80, 14},
      {ui::Kind<ui::TComboBox>, "ComboBox4", kColourPage, "", 96, 10, 200, 200, WS_TABSTOP | CBS_DROPDOWNLIST},
  };
  for (int k = 0; k < kColourKeyCount; ++k) {
    const int y = 44 + 30 * k;
    rows.push_back({ui::Kind<ui::TLabel>, kColourLabels[k], kColourPage, kColourCaptions[k], 12, y + 4, 180, 14});
    rows.push_back({ui::Kind<ui::TPanel>, kSwatches[k], kColourPage, "", 196, y, 40, 21});
    rows.push_back({ui::Kind<ui::TButton>, kColourButtons[k], kColourPage, "...", 242, y, 21, 21, WS_TABSTOP});
  }
  rows.push_back({ui::Kind<ui::TButton>, "Button14", kColourPage, "デフォルトの配色に戻す(&D)", 12, 166, 180, 25,
                  WS_TABSTOP});
  // The preview is made on 表示 and moves onto 配色 while that page shows.
  rows.push_back({ui::Kind<ui::TPanel>, "PreviewBox", kDisplayPage, "", 12, kPreviewTopOnDisplay, 372, 70});
  rows.push_back({ui::Kind<ui::TPanel>, "Preview", "PreviewBox", "", 0, 0, 300, 48});
  rows.push_back({ui::Kind<ui::TImage>, "PreviewIcon", "Preview", "", 2, 2, 32, 32});
  rows.push_back({ui::Kind<ui::TLabel>, "PreviewLabel", "Preview", "コメント", 36, 2, 200, 20});
  rows.push_back({ui::Kind<ui::TEdit>, "PreviewEdit", "Preview", "キーワード", 36, 24, 200, 21, ES_AUTOHSCROLL});
  BuildLayout(rows);
  Control<ui::TPanel>("PreviewBox").SetBevel(ui::TBevelCut::None, ui::TBevelCut::None, 1);
  for (const char* swatch : kSwatches) Control<ui::TPanel>(swatch).SetBevel(ui::TBevelCut::Lowered, ui::TBevelCut::None, 1);
  auto& state = Control<ui::TComboBox>("ComboBox4");
  state.SetItems({"通常状態", "警告時", "未登録キーワード入力時", "実行時"});
  state.SetItemIndex(0);
  Control<ui::TLabel>("StateLabel").SetFocusControl(state.Handle());
  state.OnChange = [this] { ComboBox4Change(); };
  for (int k = 0; k < kColourKeyCount; ++k) {
    Control<ui::TLabel>(kColourLabels[k]).SetFocusControl(Control(kColourButtons[k]).Handle());
    Control<ui::TButton>(kColourButtons[k]).OnClick = [this, k] { Button5Click(k); };
  }
  Control<ui::TButton>("Button14").OnClick = [this] { Button14Click(); };
  Control<ui::TLabel>("PreviewLabel").SetWordWrap(true);
  Control<ui::TEdit>("PreviewEdit").OnControlColor = [this](ui::TCtlColorEvent& e) {
    SetTextColor(e.DC, inputText_);
    SetBkColor(e.DC, inputBack_);
    e.SetBrush(inputBrush_.get());
  };
}

int TRZSettingMain::ColourState() {
  ui::TTabSheet* active = PageControl1().ActivePage();
  if (!active || active->Caption() != kColourPage) return 0;  // 表示 shows 通常状態
  return std::max(Control<ui::TComboBox>("ComboBox4").ItemIndex(), 0);
}

void TRZSettingMain::ShowColours() {
  const int state = ColourState();
  for (int k = 0; k < kColourKeyCount; ++k)
    Control<ui::TPanel>(kSwatches[k])
        .SetColor(ColourOfValue(ColourValue(ColourEntry(settings_.get()->*ColourKeyField(k), state), k)));
}

void TRZSettingMain::ComboBox4Change() {
  if (closed_ || !settings_) return;
  ui::TTabSheet* active = PageControl1().ActivePage();
  const bool onColours = active && active->Caption() == kColourPage;
  auto& box = Control<ui::TPanel>("PreviewBox");
  ui::TWindow& page = Control(onColours ? kColourPage : kDisplayPage);
  if (GetParent(box.Handle()) != page.Handle()) SetParent(box.Handle(), page.Handle());
  const RECT place = box.Bounds();
  box.SetBounds(Scale(12), Scale(onColours ? kPreviewTopOnColours : kPreviewTopOnDisplay), place.right - place.left,
                place.bottom - place.top);
  ShowColours();

  const int state = ColourState();
  auto colour = [&](int key) { return ColourOfValue(ColourValue(ColourEntry(settings_.get()->*ColourKeyField(key), state), key)); };
  const COLORREF back = colour(ckBack), comment = colour(ckComment);
  inputBack_ = colour(ckInputBack);
  inputText_ = colour(ckInput);
  inputBrush_.reset(CreateSolidBrush(inputBack_));

  // The face and size of the input window.
  LOGFONTA lf = {};
  lf.lfHeight = -MulDiv(settings_->FontSize, Dpi(), 72);
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynA(lf.lfFaceName, settings_->Font.c_str(), LF_FACESIZE);
  previewFont_.reset(CreateFontIndirectA(&lf));
  int textHeight = 12;
  if (HDC dc = GetDC(nullptr)) {
    HGDIOBJ old = SelectObject(dc, previewFont_.get());
    TEXTMETRICA tm = {};
    if (GetTextMetricsA(dc, &tm)) textHeight = tm.tmHeight;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
  }
  auto& preview = Control<ui::TPanel>("Preview");
  auto& icon = Control<ui::TImage>("PreviewIcon");
  auto& label = Control<ui::TLabel>("PreviewLabel");
  auto& edit = Control<ui::TEdit>("PreviewEdit");
  for (ui::TWindow* w : {static_cast<ui::TWindow*>(&label), static_cast<ui::TWindow*>(&edit)})
    SendMessageA(w->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(previewFont_.get()), TRUE);

  const RECT boxRect = box.ClientRect();
  const int boxWidth = boxRect.right - boxRect.left, boxHeight = boxRect.bottom - boxRect.top;
  const TPreviewGeometry g = PreviewGeometry(settings_->Small, settings_->showicon, settings_->BorderStyle,
                                             std::min(settings_->WindowWidth, boxWidth), textHeight + 4);
  switch (settings_->BorderStyle) {
    case 0: preview.SetSingleBorder(false); preview.SetBevel(ui::TBevelCut::Raised, ui::TBevelCut::None, 1); break;
    case 1: preview.SetSingleBorder(false); preview.SetBevel(ui::TBevelCut::Raised, ui::TBevelCut::None, 2); break;
    case 2: preview.SetBevel(ui::TBevelCut::None, ui::TBevelCut::None, 1); preview.SetSingleBorder(true); break;
    default: preview.SetBevel(ui::TBevelCut::None, ui::TBevelCut::None, 1); preview.SetSingleBorder(false); break;
  }
  // A bevel is drawn inside the client area, a single border outside it.
  const int inset = settings_->BorderStyle == 2 ? 0 : g.Frame;
  preview.SetBounds((boxWidth - g.Width) / 2, std::max((boxHeight - g.Height) / 2, 0), g.Width, g.Height);
  preview.SetColor(back);
  label.SetColor(back);
  label.SetFontColor(comment);
  if (g.IconSize > 0) {
    HICON large = nullptr, small = nullptr;
    const std::string exe = mainFolder_ + "quorvane.exe";
    if (ExtractIconExA(exe.c_str(), 0, &large, &small, 1) > 0) {  // a failure leaves the icon as it was
      if (g.IconSize == 16) std::swap(large, small);
      icon.SetIcon(core::TUniqueIcon(large));
      if (small) DestroyIcon(small);
    }
    icon.SetBounds(inset + g.IconLeft, inset + g.IconTop, g.IconSize, g.IconSize);
    icon.Show();
  } else {
    icon.Hide();
  }
  edit.SetBounds(inset + g.InputLeft, inset + g.InputTop, g.InputWidth, g.InputHeight);
  label.SetBounds(inset + g.InputLeft, inset + g.LabelTop, g.LabelWidth, g.LabelHeight);
  label.SetVisible(g.LabelVisible);
  edit.Invalidate();
}

void TRZSettingMain::Button5Click(int key) {
  const int state = ColourState();
  std::string& list = settings_.get()->*ColourKeyField(key);
  ui::TColorDialogRequest request;
  request.Owner = Handle();
  request.Color = ColourOfValue(ColourValue(ColourEntry(list, state), key));
  if (!ui::ChooseColorDialog(request)) return;
  list = WithColourEntry(list, state, static_cast<int>(request.Color));
  ComboBox4Change();
  EnableApply();
}

void TRZSettingMain::Button14Click() {
  const int state = ColourState();
  for (int k = 0; k < kColourKeyCount; ++k) {
    std::string& list = settings_.get()->*ColourKeyField(k);
    list = WithColourEntry(list, state, DefaultColourValue(k, state));
  }
  ComboBox4Change();
  EnableApply();
}

// ---- キー割り当て: the keyword hotkeys ----

void TRZSettingMain::BuildKeyAssignPage() {
  static constexpr char kPage[] = "キー割り当て";
  const ui::TLayoutRow rows[] = {
      {ui::Kind<ui::TListView>, "ListView1", kPage, "", 12, 10, 300, 240, WS_TABSTOP},
      {ui::Kind<ui::TButton>, "Button8", kPage, "追加(&D)", 320, 10, 64, 25, WS_TABSTOP},
      {ui::Kind<ui::TButton>, "Button9", kPage, "変更(&N)", 320, 40, 64, 25, WS_TABSTOP},
      {ui::Kind<ui::TButton>, "Button10", kPage, "削除(&X)", 320, 70, 64, 25, WS_TABSTOP},
      {ui::Kind<ui::TButton>, "UpButton1", kPage, "↑", 320, 110, 25, 25, WS_TABSTOP},
      {ui::Kind<ui::TButton>, "DownButton1", kPage, "↓", 320, 140, 25, 25, WS_TABSTOP},
      {ui::Kind<ui::TLabel>, "KeyAssignNote", kPage, "※ショートカットは上にあるものが優先されます。", 12, 258, 372, 14},
  };
  BuildLayout(rows);
  auto& view = Control<ui::TListView>("ListView1");
  view.AddColumn("キーワード", 110);
  view.AddColumn("ショートカット", 80);
  view.AddColumn("有効範囲", 106);
  view.OnSelectItem = [this](int, bool) { UpdateHotKeyButtons(); };
  view.OnKeyDown = [this](ui::TKeyEvent& key) { ListView1KeyDown(key); };
  Control<ui::TButton>("Button8").OnClick = [this] { Button8Click(); };
  Control<ui::TButton>("Button9").OnClick = [this] { Button9Click(); };
  Control<ui::TButton>("Button10").OnClick = [this] { Button10Click(); };
  Control<ui::TButton>("UpButton1").OnClick = [this] { UpAction1Execute(-1); };
  Control<ui::TButton>("DownButton1").OnClick = [this] { UpAction1Execute(1); };
  UpdateHotKeyButtons();
}

void TRZSettingMain::FillHotKeyList() {
  auto& view = Control<ui::TListView>("ListView1");
  view.Clear();
  const THotKeyList& list = settings_->GetKeyWordHotKeys();
  for (int i = 0; i < list.GetCount(); ++i) {
    view.AddItem("");
    SetHotKeyListItem(i);
  }
  UpdateHotKeyButtons();
}

void TRZSettingMain::SetHotKeyListItem(int index) {
  auto& view = Control<ui::TListView>("ListView1");
  const THotKeyItem& item = settings_->GetKeyWordHotKeys().GetItem(index);
  view.SetCaption(index, keywords_->DecodeKeyWordIDs(item.GetName()));
  view.SetSubItem(index, 1, item.GetHotKeyText());
  view.SetSubItem(index, 2, item.GetHotKeyClassInfo().Caption);
}

void TRZSettingMain::UpdateHotKeyButtons() {
  auto& view = Control<ui::TListView>("ListView1");
  const int i = view.ItemIndex();
  Control("Button9").SetEnabled(Control("Button8").Enabled() && i >= 0);
  Control("Button10").SetEnabled(i >= 0);
  Control("UpButton1").SetEnabled(i > 0);
  Control("DownButton1").SetEnabled(i >= 0 && i < view.Count() - 1);
}

void TRZSettingMain::Button8Click() {
  std::unique_ptr<THotKeyItem> item = HotKeyFactory().CreateDefault();
  {
    TKW_HotKeyDialog dialog(this);
    if (!dialog.Execute(item, *keywords_)) return;  // the fresh item goes with the unique_ptr
  }
  auto& view = Control<ui::TListView>("ListView1");
  const int at = std::max(view.ItemIndex(), 0);
  settings_->GetKeyWordHotKeys().Insert(at, std::move(item));
  view.InsertItem(at, "");
  SetHotKeyListItem(at);
  view.SetItemIndex(at);
  UpdateHotKeyButtons();
  EnableApply();
}

void TRZSettingMain::Button9Click() {
  auto& view = Control<ui::TListView>("ListView1");
  const int i = view.ItemIndex();
  THotKeyList& list = settings_->GetKeyWordHotKeys();
  if (i < 0 || i >= list.GetCount()) return;
  // The dialog frees the item it is given on OK: out of the list it goes
  // first, a stand-in holds its place meanwhile.
  std::unique_ptr<THotKeyItem> item = list.PutItem(i, HotKeyFactory().CreateDefault());
  bool ok;
  {
    TKW_HotKeyDialog dialog(this);
    ok = dialog.Execute(item, *keywords_);
  }
  list.PutItem(i, std::move(item));
  if (!ok) return;
  SetHotKeyListItem(i);
  EnableApply();
}

void TRZSettingMain::Button10Click() {
  auto& view = Control<ui::TListView>("ListView1");
  const int i = view.ItemIndex();
  if (i < 0 || !settings_->GetKeyWordHotKeys().Delete(i)) return;
  view.Delete(i);
  UpdateHotKeyButtons();
  EnableApply();
}

void TRZSettingMain::ListView1KeyDown(ui::TKeyEvent& key) {
  if (key.Key != VK_DELETE || key.Shift != 0 || !Control("Button10").Enabled()) return;
  Button10Click();
  key.Key = 0;
}

void TRZSettingMain::UpAction1Execute(int step) {
  auto& view = Control<ui::TListView>("ListView1");
  THotKeyList& list = settings_->GetKeyWordHotKeys();
  const int i = view.ItemIndex(), j = i + step;
  if (i < 0 || j < 0 || j >= view.Count() || j >= list.GetCount()) return;
  if (step < 0) list.MoveUp(i);
  else list.MoveDown(i);
  SetHotKeyListItem(i);
  SetHotKeyListItem(j);
  view.SetItemIndex(j);
  UpdateHotKeyButtons();
  EnableApply();
}

// ---- 実行: the extensions of executable files ----

void TRZSettingMain::Button25Click() {
  if (ShowEditFileExt(this, settings_->ExecutableFileList)) EnableApply();
}

void TRZSettingMain::BuildDisplayPage() {
  static constexpr char kPage[] = "表示";
  const ui::TLayoutRow rows[] = {
      {ui::Kind<ui::TLabel>, "FontLabel", kPage, "フォント(&F):", 12, 14, 80, 14},
      {ui::Kind<ui::TComboBox>, "ComboBox2", kPage, "", 96, 10, 180, 200, WS_TABSTOP},
      {ui::Kind<ui::TComboBox>, "ComboBox3", kPage, "", 284, 10, 56, 200, WS_TABSTOP},
      {ui::Kind<ui::TLabel>, "DisplayNote", kPage, "※本体再起動後に有効", 12, 300, 300, 14},
  };
  BuildLayout(rows);
  auto& face = Control<ui::TComboBox>("ComboBox2");
  Control<ui::TLabel>("FontLabel").SetFocusControl(face.Handle());
  face.OnChange = [this] { Combobox2Change(); };
  auto& size = Control<ui::TComboBox>("ComboBox3");
  size.SetItems({"8", "9", "10", "10.5", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "78"});
  size.OnChange = [this] { ComboBox3Change(); };
}

// 表示's first visit. With no Shift-JIS face the list stays empty and shows
// the stored face, which stays as it is.
void TRZSettingMain::SetUpFonts() {
  TScopedCount filling(filling_);
  auto& face = Control<ui::TComboBox>("ComboBox2");
  face.SetItems(services_.ShiftJisFaces());
  const int at = face.IndexOf(settings_->Font);
  if (at >= 0) face.SetItemIndex(at);
  else if (face.Count() > 0) face.SetItemIndex(0);
  else face.SetText(settings_->Font);
  Control<ui::TComboBox>("ComboBox3").SetText(std::to_string(settings_->FontSize));
}

void TRZSettingMain::Combobox2Change() {
  if (filling_ || closed_) return;
  auto& face = Control<ui::TComboBox>("ComboBox2");
  const int i = face.ItemIndex();
  settings_->Font = i >= 0 ? face.Item(i) : face.Text();
  ComboBox4Change();
  EnableApply();
}

void TRZSettingMain::ComboBox3Change() {
  if (filling_ || closed_) return;
  auto& size = Control<ui::TComboBox>("ComboBox3");
  const int i = size.ItemIndex();
  settings_->FontSize = FontSizeOfText(i >= 0 ? size.Item(i) : size.Text());
  ComboBox4Change();
  EnableApply();
}

void TRZSettingMain::BuildCustomizePage() {
  static constexpr char kPage[] = "カスタマイズ";
  const ui::TLayoutRow rows[] = {
      {ui::Kind<ui::TLabel>, "CheckListBox1Label", kPage, "表示する候補とその並び順(&D)", 12, 10, 300, 14},
      {ui::Kind<ui::TCheckListBox>, "CheckListBox1", kPage, "", 12, 28, 300, 110, WS_TABSTOP},
      {ui::Kind<ui::TButton>, "UpButton2", kPage, "↑", 320, 28, 25, 25, WS_TABSTOP},
      {ui::Kind<ui::TButton>, "DownButton2", kPage, "↓", 320, 58, 25, 25, WS_TABSTOP},
  };
  BuildLayout(rows);
  auto& list = Control<ui::TCheckListBox>("CheckListBox1");
  Control<ui::TLabel>("CheckListBox1Label").SetFocusControl(list.Handle());
  list.OnClick = [this] { CheckListBox1Click(); };
  list.OnClickCheck = [this](int) { CheckListBox1ClickCheck(); };
  Control<ui::TButton>("UpButton2").OnClick = [this] { UpAction2Execute(-1); };
  Control<ui::TButton>("DownButton2").OnClick = [this] { UpAction2Execute(1); };
  // Alt+Up and Alt+Down move a source only while the list has the focus.
  constexpr WORD kAlt = 0x8000;
  upAction2_.SetShortCut(static_cast<WORD>(VK_UP | kAlt));
  downAction2_.SetShortCut(static_cast<WORD>(VK_DOWN | kAlt));
  // The keyword hotkey list shares them.
  auto move = [this, &list](int step) {
    if (GetFocus() == list.Handle()) UpAction2Execute(step);
    else if (GetFocus() == Control("ListView1").Handle()) UpAction1Execute(step);
  };
  upAction2_.OnExecute = [move] { move(-1); };
  downAction2_.OnExecute = [move] { move(1); };
  actions_.Add(&upAction2_);
  actions_.Add(&downAction2_);
}

void TRZSettingMain::SetListOrder() {
  auto& list = Control<ui::TCheckListBox>("CheckListBox1");
  list.Clear();
  for (const TCandidateRow& r : CandidateRows(settings_->ListOrder, settings_->CheckedLists))
    list.Add(CandidateSourceName(r.Source), r.Checked);
  UpdateListButtons();
}

void TRZSettingMain::UpdateListButtons() {
  auto& list = Control<ui::TCheckListBox>("CheckListBox1");
  const int i = list.ItemIndex();
  Control("UpButton2").SetEnabled(i > 0);
  Control("DownButton2").SetEnabled(i >= 0 && i < list.Count() - 1);
}

void TRZSettingMain::StoreListOrder() {
  if (filling_ || closed_) return;
  auto& list = Control<ui::TCheckListBox>("CheckListBox1");
  std::vector<TCandidateRow> rows;
  for (int i = 0; i < list.Count(); ++i) {
    int source = 0;
    while (source < kCandidateSourceCount && list.Item(i) != CandidateSourceName(source)) ++source;
    rows.push_back({source, list.Checked(i)});
  }
  const std::string order = ListOrderOf(rows), checked = CheckedListsOf(rows);
  const bool changed = !sjis::EqualsIgnoreCase(order, settings_->ListOrder) ||
                       !sjis::EqualsIgnoreCase(checked, settings_->CheckedLists);
  settings_->ListOrder = order;
  settings_->CheckedLists = checked;
  if (changed) EnableApply();
}

void TRZSettingMain::CheckListBox1Click() {
  UpdateListButtons();
  StoreListOrder();
}

void TRZSettingMain::CheckListBox1ClickCheck() { StoreListOrder(); }

void TRZSettingMain::UpAction2Execute(int step) {
  auto& list = Control<ui::TCheckListBox>("CheckListBox1");
  const int i = list.ItemIndex(), j = i + step;
  if (i < 0 || j < 0 || j >= list.Count()) return;
  list.Exchange(i, j);
  list.SetItemIndex(j);
  UpdateListButtons();
  StoreListOrder();
}

// The option rows of a page, stacked from y down; the fixed texts of the
// page after the row they explain.
void TRZSettingMain::BuildPageRows(const char* page, int y) {
  std::vector<ui::TLayoutRow> rows;
  std::vector<std::unique_ptr<std::string>> texts;  // captions the rows point at during the build
  auto keep = [&](std::string s) { return texts.emplace_back(std::make_unique<std::string>(std::move(s)))->c_str(); };
  auto name = [&](const TSettingRow* r, const char* suffix) { return keep(std::string(r->Name) + suffix); };
  // The filer's rows sit in the group ファイラー, shown with UseFiler.
  const bool filer = std::string_view(page) == kFilerPage;
  int groupTop = -1;
  for (const TSettingRow* r : RowsOfPage(page)) {
    const bool hidden = r->Rule == TSettingRule::Hidden;
    if (filer && groupTop < 0 && r->Rule == TSettingRule::VisibleWhile) {
      groupTop = y;
      y += 18;
    }
    switch (r->Kind) {
      case TSettingKind::Check:
        rows.push_back({ui::Kind<ui::TCheckBox>, r->Name, page, r->Caption, 12, y, 372, 17, WS_TABSTOP});
        y += 24;
        break;
      case TSettingKind::Spin: {
        if (hidden) {
          rows.push_back({ui::Kind<ui::TSpinEdit>, r->Name, page, "", 248, 0, 72, 21});
          break;
        }
        // "…" in a caption is where the box sits: the text before it left of
        // the box, the text after it right of it.
        const auto [before, after] = CaptionAround(*r);
        const int width = before.empty() ? 0 : 230;
        if (!before.empty())
          rows.push_back({ui::Kind<ui::TLabel>, name(r, "Label"), page, keep(before), 12, y + 4, width, 14});
        const int x = before.empty() ? 12 : 248;
        rows.push_back({ui::Kind<ui::TSpinEdit>, r->Name, page, "", x, y, 72, 21, WS_TABSTOP});
        if (!after.empty())
          rows.push_back({ui::Kind<ui::TLabel>, name(r, "Label2"), page, keep(after), x + 78, y + 4, 372 - x - 66, 14});
        y += 30;
        break;
      }
      case TSettingKind::Radio: {
        const int items = static_cast<int>(RadioItems(*r).size());
        rows.push_back({ui::Kind<TXPRadioGroup>, r->Name, page, keep(RadioCaption(*r)), 12, y, 372, 22 + 20 * items});
        y += 30 + 20 * items;
        if (std::string_view(r->Name) == "Mode") {
          rows.push_back({ui::Kind<ui::TLabel>, "ModeExplanation", page, "", 16, y, 378, 190});
          y += 198;
        }
        break;
      }
      case TSettingKind::HotKey:
        rows.push_back({ui::Kind<ui::TLabel>, name(r, "Label"), page, r->Caption, 12, y, 230, 14});
        rows.push_back({ui::Kind<THotKeyEdit>, r->Name, page, "", 12, y + 18, 200, 21, WS_TABSTOP});
        rows.push_back({ui::Kind<ui::TButton>, name(r, "Button"), page, "...", 216, y + 18, 21, 21, WS_TABSTOP});
        y += 48;
        break;
      case TSettingKind::Combo: {
        const std::string label = RadioCaption(*r);
        int x = 12;
        if (!label.empty()) {
          rows.push_back({ui::Kind<ui::TLabel>, name(r, "Label"), page, keep(label), 12, y + 4, 130, 14});
          x = 148;
        }
        rows.push_back({ui::Kind<ui::TComboBox>, r->Name, page, "", x, y, 160, 200, WS_TABSTOP | CBS_DROPDOWNLIST});
        y += 30;
        break;
      }
      case TSettingKind::Text: {
        if (hidden) {
          rows.push_back({ui::Kind<ui::TEdit>, r->Name, page, "", 12, 0, 100, 21, ES_AUTOHSCROLL});
          break;
        }
        const auto [before, after] = CaptionAround(*r);
        if (!before.empty()) {
          rows.push_back({ui::Kind<ui::TLabel>, name(r, "Label"), page, keep(before), 12, y, 372, 14});
          y += 18;
        }
        rows.push_back({ui::Kind<ui::TEdit>, r->Name, page, "", 12, y, after.empty() ? 300 : 100, 21,
                        WS_TABSTOP | ES_AUTOHSCROLL, ui::akLeft | ui::akTop, WS_EX_CLIENTEDGE});
        if (!after.empty())
          rows.push_back({ui::Kind<ui::TLabel>, name(r, "Label2"), page, keep(after), 118, y + 4, 266, 14});
        y += 30;
        break;
      }
      case TSettingKind::Memo:
        rows.push_back({ui::Kind<ui::TLabel>, name(r, "Label"), page, r->Caption, 12, y, 372, 14});
        rows.push_back({ui::Kind<ui::TMemo>, r->Name, page, "", 12, y + 18, 300, 90, WS_TABSTOP});
        y += 116;
        break;
      case TSettingKind::Path:
        rows.push_back({ui::Kind<ui::TLabel>, name(r, "Label"), page, r->Caption, 12, y, 372, 14});
        rows.push_back({ui::Kind<TFileNameComplete>, r->Name, page, "", 12, y + 18, 300, 21, WS_TABSTOP | ES_AUTOHSCROLL,
                        ui::akLeft | ui::akTop, WS_EX_CLIENTEDGE});
        rows.push_back({ui::Kind<ui::TButton>, name(r, "Button"), page, "...", 316, y + 18, 21, 21, WS_TABSTOP});
        y += 48;
        break;
      case TSettingKind::Track: {
        const std::vector<std::string> parts = RadioItems(*r);
        rows.push_back({ui::Kind<ui::TLabel>, name(r, "Label"), page, keep(RadioCaption(*r)), 12, y, 230, 14});
        rows.push_back({ui::Kind<ui::TLabel>, name(r, "Number"), page, "", 248, y, 100, 14});
        rows.push_back({ui::Kind<ui::TTrackBar>, r->Name, page, "", 12, y + 18, 300, 30, WS_TABSTOP});
        rows.push_back({ui::Kind<ui::TLabel>, name(r, "Left"), page, keep(parts.at(0)), 12, y + 50, 80, 14});
        rows.push_back({ui::Kind<ui::TLabel>, name(r, "Right"), page, keep(parts.at(1)), 232, y + 50, 80, 14});
        y += 72;
        break;
      }
    }
  }
  if (groupTop >= 0) {
    // Made last: at the bottom of the order, under the rows it surrounds.
    rows.push_back({ui::Kind<ui::TGroupBox>, "FilerGroup", page, "ファイラー", 6, groupTop, 384, y - groupTop,
                    WS_CLIPSIBLINGS});
    y += 4;
  }
  const std::string_view p = page;
  if (p == kRegistPage) rows.push_back({ui::Kind<ui::TLabel>, "RegistNote", page, "", 12, y + 8, 372, 60});
  if (p == "呼び出しキー")
    rows.push_back({ui::Kind<ui::TLabel>, "CallKeyNote", page, "※システムのショートカットとかぶらないよう注意してください",
                    12, y + 8, 372, 14});
  if (p == "実行") {
    rows.push_back({ui::Kind<ui::TButton>, "Button25", page, "拡張子の編集(&E)...", 12, y + 4, 120, 25, WS_TABSTOP});
    rows.push_back({ui::Kind<ui::TLabel>, "RunNote", page, "", 12, y + 40, 372, 60});
  }
  if (p == "タイマー")
    rows.push_back({ui::Kind<ui::TLabel>, "TimerNote", page, "※BackSpaceか[←]でキャンセルされます", 12, y + 8, 372, 14});
  if (p == "ファイラー") rows.push_back({ui::Kind<ui::TLabel>, "FilerNote", page, "", 12, y + 8, 372, 190});
  BuildLayout(rows);

  for (const TSettingRow* r : RowsOfPage(page)) BindRow(*r);
  if (p == "実行") Control<ui::TButton>("Button25").OnClick = [this] { Button25Click(); };
  if (ui::TLabel* note = FindControl<ui::TLabel>("ModeExplanation")) note->SetWordWrap(true);
  for (const char* note : {"RunNote", "FilerNote", "RegistNote"})
    if (ui::TLabel* label = FindControl<ui::TLabel>(note)) label->SetWordWrap(true);
}

// The handler each control calls; all of them store through RowChanged.
void TRZSettingMain::BindRow(const TSettingRow& row) {
  const std::string_view name = row.Name;
  auto label = [&](const char* suffix) { return FindControl<ui::TLabel>(std::string(row.Name) + suffix); };
  if (row.Rule == TSettingRule::Hidden)
    for (ui::TWindow* w : RowWindows(row)) w->Hide();
  switch (row.Kind) {
    case TSettingKind::Check: {
      auto& box = Control<ui::TCheckBox>(row.Name);
      box.OnClick = [this, &row, name] {
        if (row.Store == TSettingStore::G) CheckBox35Click(row);
        else if (name == "QuoteParam") CheckBox42Click(row);
        else if (row.Store == TSettingStore::R) CheckBox23Click(row);
        else CheckBox1Click(row);
      };
      break;
    }
    case TSettingKind::Spin: {
      auto& spin = Control<ui::TSpinEdit>(row.Name);
      spin.SetRange(row.Min, row.Max);
      for (const char* s : {"Label", "Label2"})
        if (ui::TLabel* l = label(s)) l->SetFocusControl(spin.Handle());
      spin.OnChange = [this, &row, name] {
        if (name == "DefaultPriority") SpinEdit4Change(row);
        else SpinEdit1Change(row);
      };
      break;
    }
    case TSettingKind::Radio: {
      auto& group = Control<ui::TRadioGroup>(row.Name);
      group.SetItems(RadioItems(row));
      group.OnClick = [this, &row, name] {
        if (name == "TransParentMode") RadioGroup2Click(row);
        else if (name == "FileOpenMode") RadioGroup3Click(row);
        else if (name == "small") RadioGroup4Click(row);
        else if (name == "MatchLevel") RadioGroup5Click(row);
        else RowChanged(row);
      };
      break;
    }
    case TSettingKind::HotKey: {
      auto& box = Control<THotKeyEdit>(row.Name);
      box.SetKind(static_cast<uint8_t>(row.HotKeyKind));
      label("Label")->SetFocusControl(box.Handle());
      box.OnChange = [this, &row] { RowChanged(row); };
      Control<ui::TButton>(std::string(row.Name) + "Button").OnClick = [this, &row] { HotKeyButtonClick(row); };
      break;
    }
    case TSettingKind::Combo: {
      auto& combo = Control<ui::TComboBox>(row.Name);
      combo.SetItems(RadioItems(row));
      if (ui::TLabel* l = label("Label")) l->SetFocusControl(combo.Handle());
      combo.OnChange = [this, &row, name] {
        if (name == "Priority") ComboBox1Click(row);
        else if (name == "UpPriorityByRate") ComboBox5Change(row);
        else ComboBox4Change(row);
      };
      break;
    }
    case TSettingKind::Text:
    case TSettingKind::Memo:
    case TSettingKind::Path: {
      auto& edit = Control<ui::TEdit>(row.Name);
      if (ui::TLabel* l = label("Label")) l->SetFocusControl(edit.Handle());
      if (ui::TLabel* l = label("Label2")) l->SetFocusControl(edit.Handle());
      edit.OnChange = [this, &row] {
        if (row.Kind == TSettingKind::Memo) Memo1Change(row);
        else if (row.Kind == TSettingKind::Path || row.Store == TSettingStore::R) FileNameComplete1Change(row);
        else Edit3Change(row);
      };
      if (row.Kind == TSettingKind::Path) {
        auto& box = Control<TFileNameComplete>(row.Name);
        if (name == "FilerName") {
          box.ListOrder = "0231";
          box.CheckedLists = "1111";
        }
        Control<ui::TButton>(std::string(row.Name) + "Button").OnClick = [this, &row] { Button4Click(row); };
      }
      break;
    }
    case TSettingKind::Track: {
      auto& bar = Control<ui::TTrackBar>(row.Name);
      bar.SetRange(row.Min, row.Max);
      bar.SetFrequency(row.Tick);
      label("Label")->SetFocusControl(bar.Handle());
      bar.OnChange = [this, &row] { TrackBar1Change(row); };
      const bool icon = name == "WaitTimeForIcon";
      label("Left")->OnClick = [this, &row, icon] { icon ? Label24Click(row) : Label26Click(row); };
      label("Right")->OnClick = [this, &row, icon] { icon ? Label28Click(row) : Label27Click(row); };
      for (const char* s : {"Left", "Right"}) {
        ui::TLabel* arrow = label(s);
        arrow->OnMouseEnter = [arrow] { Label26MouseEnter(*arrow); };
        arrow->OnMouseLeave = [arrow] { Label26MouseLeave(*arrow); };
      }
      break;
    }
  }
}

// Every window of a row: the control and its labels and buttons.
std::vector<ui::TWindow*> TRZSettingMain::RowWindows(const TSettingRow& row) {
  std::vector<ui::TWindow*> found;
  for (const char* suffix : {"", "Label", "Label2", "Button", "Number", "Left", "Right"})
    if (ui::TWindow* w = FindControl(std::string(row.Name) + suffix)) found.push_back(w);
  return found;
}

void TRZSettingMain::BuildTree() {
  ui::TTreeView& tree = TreeView1();
  TTreeConditions c;
  c.Mode = 0;  // 動作設定 goes in with the mode (RadioGroup1Click)
  c.NT5 = NT5();
  c.UseList = settings_->UseList;
  c.ShowIcon = settings_->showicon;
  std::map<std::string, ui::TTreeNode*> made;
  for (const TPageNode& n : PageNodes()) {
    if (!PageNodeShown(n, c)) continue;
    ui::TTreeNode* parent = *n.Parent ? made[n.Parent] : nullptr;
    if (*n.Parent && !parent) continue;
    made[n.Caption] = tree.AddChild(parent, n.Caption);
  }
}

void TRZSettingMain::FormCreate() {
  onCopyData = [this](const std::string& text, HWND sender) { CopyData(text, sender); };

  const TFilePaths& paths = FilePathsInstance();
  mainFolder_ = paths.MainDir;
  if (mainFolder_.empty() || mainFolder_.back() != '\\') mainFolder_ += '\\';
  dataFolder_ = paths.UserDir;
  dataFolderAtOpen_ = dataFolder_;
  shared_ = sharedAtOpen_ = sjis::EndsWithIgnoreCase(dataFolder_, "All Users");
  fileio::ForceDirectories(dataFolder_);

  for (int i = 0; i < params_.Count(); ++i)
    if (sjis::EqualsIgnoreCase(params_[i], "/new")) {
      CopyFirstRunData();
      break;
    }

  settings_ = std::make_unique<TZMRTData>(dataFolder_);
  settings_->Load();
  keywords_ = std::make_unique<TKeyWordManager>(dataFolder_ + "\\Items", mainFolder_);
  for (const TSettingRow& row : SettingRows())
    if (row.Kind == TSettingKind::Path) Control<TFileNameComplete>(row.Name).SetManager(keywords_.get(), nullptr);
  runOptions_ = std::make_unique<TStringIni>();
  dialogs_ = std::make_unique<TStringIni>();
  if (fileio::FileExists(dataFolder_ + "\\" + kRunOptionsFileName))
    runOptions_->LoadFromFile(dataFolder_ + "\\" + kRunOptionsFileName);
  if (fileio::FileExists(dataFolder_ + "\\Dialogs.ini")) dialogs_->LoadFromFile(dataFolder_ + "\\Dialogs.ini");

  if (services_.Win95()) Control(FindSettingRow("SharedData")->Name).Hide();
  Control<ui::TLabel>("RunNote")
      .SetCaption("※データファイルにパラメータとして実行ファイルが与えられた場合、\r\n"
                  "　その実行ファイルでデータファイルを開きます\r\n\r\n"
                  "  パラメータが与えられていない場合、関連付けから開きます。");
  ApplyButton().SetEnabled(false);

  ui::TTreeView& tree = TreeView1();
  tree.SetReadOnly(true);
  tree.OnCustomDrawItem = [this](ui::TTreeItemDraw& item) { TreeView1CustomDrawItem(item); };
  BuildTree();

  Control<ui::TButton>("Button1").OnClick = [this] { Button1Click(); };
  Control<ui::TButton>("Button2").OnClick = [this] { Button2Click(); };
  ApplyButton().OnClick = [this] { Button11Click(); };
  SetDefaultButton(&Control("Button1"));
  SetCancelButton(&Control("Button2"));

  helpAction_.SetShortCut(VK_F1);
  helpAction_.OnExecute = [this] { HelpActionExecute(); };
  helpAction_.LinkControl(Control("HelpButton").Handle());
  treeLeft_.SetShortCut(static_cast<WORD>(VK_LEFT | 0x4000));
  treeRight_.SetShortCut(static_cast<WORD>(VK_RIGHT | 0x4000));
  treeUp_.SetShortCut(static_cast<WORD>(VK_UP | 0x4000));
  treeDown_.SetShortCut(static_cast<WORD>(VK_DOWN | 0x4000));
  treeLeft_.OnExecute = [this] { TreeLeftAction1Execute(); };
  treeRight_.OnExecute = [this] { TreeRightAction1Execute(); };
  treeUp_.OnExecute = [this] { TreeUpAction1Execute(); };
  treeDown_.OnExecute = [this] { TreeDownAction1Execute(); };
  for (ui::TAction* a : {&helpAction_, &treeLeft_, &treeRight_, &treeUp_, &treeDown_}) actions_.Add(a);

  OnClose = [this](ui::TCloseAction& action) { FormClose(action); };
  Position = ui::TPosition::ScreenCenter;

  LoadFromData();
  LoadTreeState();
  TreeView1Change(tree.Selected());
  tree.OnChange = [this](ui::TTreeNode* node) { TreeView1Change(node); };
  ApplyParams(params_);
}

void TRZSettingMain::CopyFirstRunData() {
  DebugOut().Write("TSettingForm./New").WriteLn();
  const std::string files = mainFolder_ + "Files\\";
  struct TItem {
    const char* Name;
    bool Folder;
  };
  for (TItem item : {TItem{"Items", true}, TItem{"Icons", true}, TItem{"shortcut.txt", false}, TItem{"quorvane.ini", false}}) {
    const std::string target = dataFolder_ + "\\" + item.Name;
    if (item.Folder ? fileio::DirectoryExists(target) : fileio::FileExists(target)) continue;
    fileio::ForceDirectories(dataFolder_);
    if (!item.Folder) DebugOut().Write(std::string("TSettingForm.Copying...") + item.Name).WriteLn();
    ShellCopyFiles(Handle(), files + item.Name, dataFolder_);
  }
  const std::string name = sjis::ExtractFileName(dataFolder_);
  ui::ShowMessageBox(Handle(),
                     "初回起動なので設定ウィンドウを表示します\r\n\r\n\r\n各種設定、データは\r\n\r\n"
                     "[ quorvaneのフォルダ ]\\Users\\" + name + "\r\n\r\nに保存されます。\r\n\r\n\r\n"
                     "データのバックアップを取る際には「" + name + "」フォルダごと保存してください",
                     kMessageCaption, MB_OK);
  ForceForegroundWindow(Handle());
}

TSettingStores TRZSettingMain::Stores() { return {*settings_, *runOptions_, *dialogs_}; }

bool TRZSettingMain::NT5() const { return services_.NT5OrLater(); }

void TRZSettingMain::FillRow(const TSettingRow& row) {
  if (IsTextRow(row)) {
    auto& edit = Control<ui::TEdit>(row.Name);
    std::string text = ReadRowText(row, Stores());
    // Only a text with a reference needs the id list (which Apply then writes).
    if (row.Kind == TSettingKind::Path && sjis::FindChar(text, '<') != sjis::npos) text = keywords_->DecodeKeyWordIDs(text);
    if (edit.Text() != text) edit.SetText(text);
    if (row.Kind == TSettingKind::Path) ColourPathLabel(row);
    return;
  }
  const bool noValue = row.Store == TSettingStore::Shared || row.Kind == TSettingKind::HotKey;
  const int value = row.Store == TSettingStore::Shared ? (shared_ ? 1 : 0) : noValue ? 0 : ReadRowValue(row, Stores());
  // A value the control cannot show is held to the one it shows.
  if (row.Map == TSettingMap::Reversed) WriteRowValue(row, value, Stores());
  // A control is only set when its value differs, so that no handler runs for
  // a value left as it is.
  switch (row.Kind) {
    case TSettingKind::Check: {
      auto& box = Control<ui::TCheckBox>(row.Name);
      if (box.Checked() != (value != 0)) box.SetChecked(value != 0);
      break;
    }
    case TSettingKind::Spin: {
      auto& spin = Control<ui::TSpinEdit>(row.Name);
      if (spin.Text() != std::to_string(value)) spin.SetValue(value);
      break;
    }
    case TSettingKind::Radio: {
      auto& group = Control<ui::TRadioGroup>(row.Name);
      if (group.ItemIndex() != value) group.SetItemIndex(value);
      break;
    }
    case TSettingKind::HotKey: {
      auto& box = Control<THotKeyEdit>(row.Name);
      const std::string text = ReadHotKeyRow(row, *settings_);
      if (box.Text() != text) box.SetText(text);
      break;
    }
    case TSettingKind::Combo: {
      auto& combo = Control<ui::TComboBox>(row.Name);
      if (combo.ItemIndex() != value) combo.SetItemIndex(value);
      break;
    }
    case TSettingKind::Track: {
      auto& bar = Control<ui::TTrackBar>(row.Name);
      if (bar.Position() != value) bar.SetPosition(value);
      Control<ui::TLabel>(std::string(row.Name) + "Number").SetCaption(std::to_string(bar.Position()) + row.Unit);
      break;
    }
    case TSettingKind::Text:
    case TSettingKind::Memo:
    case TSettingKind::Path:
      break;
  }
}

// The path label in the window-text colour while the resolved path is a file, else red.
void TRZSettingMain::ColourPathLabel(const TSettingRow& row) {
  auto& box = Control<TFileNameComplete>(row.Name);
  const bool file = !box.Text().empty() && fileio::FileExists(box.GetCommand());
  Control<ui::TLabel>(std::string(row.Name) + "Label").SetFontColor(file ? GetSysColor(COLOR_WINDOWTEXT) : RGB(255, 0, 0));
}

void TRZSettingMain::Button4Click(const TSettingRow& row) {
  auto& box = Control<TFileNameComplete>(row.Name);
  ui::TFileDialogRequest request;
  request.Owner = Handle();
  request.Filter = kExeFilter;
  const std::string file = box.GetCommand();
  if (fileio::FileExists(file)) request.InitialDir = sjis::ExtractFilePath(file);
  else if (fileio::DirectoryExists(box.Text())) request.InitialDir = box.Text();
  if (ui::OpenFileDialog(request)) box.SetText(request.FileName);
}

void TRZSettingMain::ArrowLabelClick(const TSettingRow& row, int step) {
  auto& bar = Control<ui::TTrackBar>(row.Name);
  bar.SetPosition(std::clamp(bar.Position() + step, bar.Min(), bar.Max()));
  TrackBar1Change(row);
}

void TRZSettingMain::Label26MouseEnter(ui::TLabel& label) { label.SetFontStyle(label.FontStyle() | ui::fsUnderline); }

void TRZSettingMain::Label26MouseLeave(ui::TLabel& label) { label.SetFontStyle(label.FontStyle() & ~ui::fsUnderline); }

void TRZSettingMain::RadioGroup2Click(const TSettingRow& row) {
  RowChanged(row);
  if (!filling_ && !closed_ && Control<ui::TRadioGroup>(row.Name).ItemIndex() != 2) FocusTrackBar("TransParentValue");
}

// Focus to the bar and back, so that it draws its thumb where it now is.
void TRZSettingMain::FocusTrackBar(const char* name) {
  auto& bar = Control(name);
  if (!Visible() || !IsWindowVisible(bar.Handle())) return;
  HWND had = GetFocus();
  SetFocus(bar.Handle());
  if (had && had != bar.Handle()) SetFocus(had);
}

// The command and capture boxes are filled at their page's first visit.
bool TRZSettingMain::FilledAtFirstVisit(const TSettingRow& row) {
  return (row.Kind == TSettingKind::HotKey && std::string_view(row.Page) == kKeyCustomizePage) ||
         std::string_view(row.Name) == "QuoteParam";
}

void TRZSettingMain::HotKeyButtonClick(const TSettingRow& row) {
  auto& box = Control<THotKeyEdit>(row.Name);
  const std::string text = row.GlobalDialog ? EditGlobalHotKey(this, box.Text()) : EditLocalHotKey(this, box.Text());
  if (text != box.Text()) box.SetText(text);
}

void TRZSettingMain::LoadFromData() {
  ApplyModePreset(*settings_, settings_->Mode);
  auto& mode = Control<ui::TRadioGroup>("Mode");
  const bool modeChanges = mode.ItemIndex() != settings_->Mode;
  {
    TScopedCount filling(filling_);
    for (const TSettingRow& row : SettingRows())
      if (row.Store != TSettingStore::G && !FilledAtFirstVisit(row)) FillRow(row);
    SetListOrder();
  }
  UpdateDependents();
  // The mode group's handler runs for a new mode, as a click would; it fills
  // again, and then the mode no longer changes.
  if (modeChanges) RadioGroup1Click();
}

void TRZSettingMain::UpdateRowRule(const TSettingRow& row) {
  auto checked = [&] {
    auto* other = FindControl<ui::TCheckBox>(row.Other);
    return other && other->Checked();
  };
  auto otherValue = [&] { return ReadRowValue(*FindSettingRow(row.Other), Stores()); };
  switch (row.Rule) {
    case TSettingRule::EnabledWhileHotKey:
      Control(row.Name).SetEnabled(HotKeyRowValid(*FindSettingRow(row.Other), *settings_));
      return;
    case TSettingRule::EnabledWhile: {
      const bool on = checked();
      for (ui::TWindow* w : RowWindows(row)) w->SetEnabled(on);
      return;
    }
    case TSettingRule::VisibleWhile:
    case TSettingRule::VisibleWhileValue:
    case TSettingRule::VisibleUnlessValue: {
      const bool shown = row.Rule == TSettingRule::VisibleWhile        ? checked()
                         : row.Rule == TSettingRule::VisibleWhileValue ? otherValue() == row.RuleValue
                                                                       : otherValue() != row.RuleValue && NT5();
      for (ui::TWindow* w : RowWindows(row)) shown ? w->Show() : w->Hide();
      return;
    }
    case TSettingRule::None:
    case TSettingRule::HiddenOnWin95:
    case TSettingRule::Hidden:
      return;
  }
}

void TRZSettingMain::UpdateDependents() {
  for (const TSettingRow& row : SettingRows()) UpdateRowRule(row);
  Control("Button25").SetEnabled(Control<ui::TCheckBox>("RunByParam").Checked());
  Control<ui::TGroupBox>("FilerGroup").SetVisible(Control<ui::TCheckBox>("UseFiler").Checked());
  SetNodeShown(kCustomizeNodePath, settings_->UseList);
  ui::TTabSheet* active = PageControl1().ActivePage();
  if (active && active->Caption() == "表示") {
    ui::TTreeView& tree = TreeView1();
    DeleteNodeByPath("表示/アイコン描画", '/', &tree);
    if (settings_->showicon) {
      ui::TTreeNode* display = FindNodeByPath("表示", '/', &tree);
      ui::TTreeNode* transparent = FindNodeByPath("表示/半透明化", '/', &tree);
      if (transparent && NT5()) tree.Insert(transparent, "アイコン描画");
      else if (display) tree.AddChild(display, "アイコン描画");
    }
  }
}

void TRZSettingMain::SetNodeShown(const char* path, bool shown) {
  ui::TTreeView& tree = TreeView1();
  if (shown) FindOrCreateNodeByPath(path, '/', false, &tree);
  else DeleteNodeByPath(path, '/', &tree);
}

void TRZSettingMain::EnableApply() {
  if (Visible()) ApplyButton().SetEnabled(true);
}

void TRZSettingMain::RowChanged(const TSettingRow& row) {
  if (filling_ || closed_) return;
  if (std::string_view(row.Name) == "Mode") {
    RadioGroup1Click();
    return;
  }
  if (row.Kind == TSettingKind::HotKey) {
    // A command box stores only once its page is set up and the window shows.
    if (row.HotKeyItem < 0 && (initialisedPages_.IndexOf(row.Page) < 0 || !Visible())) return;
    WriteHotKeyRow(row, Control<THotKeyEdit>(row.Name).Text(), *settings_);
    UpdateDependents();
    EnableApply();
    return;
  }
  if (IsTextRow(row)) {
    // The text boxes store only what is typed into the shown window.
    if (!Visible()) return;
    std::string text = Control<ui::TEdit>(row.Name).Text();
    if (row.Kind == TSettingKind::Path) {
      ColourPathLabel(row);
      text = keywords_->EncodeKeyWordIDs(text);
    }
    WriteRowText(row, text, Stores());
    EnableApply();
    return;
  }
  int value = 0;
  switch (row.Kind) {
    case TSettingKind::Check: value = Control<ui::TCheckBox>(row.Name).Checked() ? 1 : 0; break;
    case TSettingKind::Spin: value = SpinStoredValue(row, Control<ui::TSpinEdit>(row.Name).Text()); break;
    case TSettingKind::Radio: value = Control<ui::TRadioGroup>(row.Name).ItemIndex(); break;
    case TSettingKind::Combo: value = Control<ui::TComboBox>(row.Name).ItemIndex(); break;
    case TSettingKind::Track: {
      auto& bar = Control<ui::TTrackBar>(row.Name);
      value = bar.Position();
      Control<ui::TLabel>(std::string(row.Name) + "Number").SetCaption(std::to_string(value) + row.Unit);
      break;
    }
    case TSettingKind::HotKey:
    case TSettingKind::Text:
    case TSettingKind::Memo:
    case TSettingKind::Path:
      break;
  }
  if ((row.Kind == TSettingKind::Radio || row.Kind == TSettingKind::Combo) && value < 0) return;
  WriteRowValue(row, value, Stores());
  UpdateDependents();
  if (std::string_view(row.Page) == kDisplayPage) ComboBox4Change();
  EnableApply();
}

void TRZSettingMain::RadioGroup1Click() {
  if (closed_) return;
  ui::TTreeView& tree = TreeView1();
  DeleteNodeByPath(kSettingNodePath, '/', &tree);
  const int index = Control<ui::TRadioGroup>("Mode").ItemIndex();
  ModeExplanationLabel().SetCaption(ModeExplanation(index));
  if (index == kCustomMode)
    if (ui::TTreeNode* basic = FindNodeByPath("基本", '/', &tree)) tree.AddChildFirst(basic, "動作設定");
  EnableApply();
  if (index >= 0) settings_->Mode = index;
  LoadFromData();
}

void TRZSettingMain::LoadTreeState() {
  expandedText_ = dialogs_->ReadString("Setting_Expanded", "基本");
  selectedText_ = dialogs_->ReadString("Setting_Selected", "基本");
  TStringList expanded;
  expanded.SetCommaText(expandedText_);
  ui::TTreeView& tree = TreeView1();
  ui::TTreeNode* selected = nullptr;
  for (ui::TTreeNode* n = tree.FirstNode(); n; n = n->GetNext()) {
    const std::string caption = n->Text();
    for (int i = 0; i < expanded.Count(); ++i)
      if (expanded[i] == caption) n->Expand();
    if (sjis::EqualsIgnoreCase(caption, selectedText_)) selected = n;
  }
  if (!selected) selected = tree.FirstNode();
  if (selected) tree.SetSelected(selected);
}

ui::TTabSheet* TRZSettingMain::PageOf(const std::string& caption) const {
  ui::TPageControl& pages = Control<ui::TPageControl>("PageControl1");
  for (int i = 0; i < pages.PageCount(); ++i)
    if (pages.Page(i)->Caption() == caption) return pages.Page(i);
  return nullptr;
}

void TRZSettingMain::TreeView1Change(ui::TTreeNode* node) {
  if (!node || closed_) return;
  const std::string caption = node->Text();
  ui::TTabSheet* page = PageOf(caption);
  if (!page) {
    page = PageOf(kRegistPage);
    SetCaption(std::string("設定 - ") + kRegistPage);
  }
  PageControl1().SetActivePage(page);
  PageControl1Change();
  Control<ui::TLabel>("HeaderLabel").SetCaption("  " + GetNodePath(node, " > "));
}

void TRZSettingMain::PageControl1Change() {
  ui::TTabSheet* page = PageControl1().ActivePage();
  if (!page) return;
  const std::string caption = page->Caption();
  if (initialisedPages_.IndexOf(caption) < 0) {
    const bool applyEnabled = ApplyButton().Enabled();
    SetUpPage(caption);
    initialisedPages_.Add(caption);
    if (applyEnabled) ApplyButton().SetEnabled(true);
  }
  UpdateDependents();
  if (caption == kColourPage || caption == kDisplayPage) ComboBox4Change();
  if (caption == "半透明化") FocusTrackBar("TransParentValue");
  if (caption == "アイコン描画") FocusTrackBar("WaitTimeForIcon");
}

// A page's first visit: what it reads from the stores beyond LoadFromData.
void TRZSettingMain::SetUpPage(const std::string& caption) {
  ++setUpRuns_[caption];
  if (caption == kRegistPage) {
    Control<ui::TLabel>("RegistNote")
        .SetCaption("※ここでの設定はキーワードマネージャでの登録時には\r\n　反映されません\r\n\r\n"
                    "優先度は0が最高で、数字が大きいほど低くなります");
    TScopedCount filling(filling_);
    for (const TSettingRow* row : RowsOfPage(kRegistPage)) FillRow(*row);
  }
  if (caption == "表示") SetUpFonts();
  if (caption == kShortcutPage) SetUpShortcutPage();
  if (caption == "キー割り当て") FillHotKeyList();
  if (caption == kFilerPage) {
    std::string note = "ここでパラメータを指定した場合、\r\n\r\n    %*  がリンク先+実行時指定したパラメータ全体と、\r\n"
                       "    %1  がリンク先と、\r\n";
    for (int i = 2; i <= 9; ++i)
      note += "    %" + std::to_string(i) + "  が第" + std::to_string(i - 1) + "パラメータと、" +
              (i == 9 ? " 置き換えられます。" : "\r\n");
    Control<ui::TLabel>("FilerNote").SetCaption(note);
    TScopedCount filling(filling_);
    FillRow(*FindSettingRow("QuoteParam"));
  }
  if (caption == kKeyCustomizePage) {
    TScopedCount filling(filling_);
    for (const TSettingRow* row : RowsOfPage(kKeyCustomizePage)) FillRow(*row);
  }
}

int TRZSettingMain::SetUpRuns(const std::string& page) const {
  auto it = setUpRuns_.find(page);
  return it == setUpRuns_.end() ? 0 : it->second;
}

void TRZSettingMain::ApplyParams(const TStringList& lines) {
  static constexpr std::string_view kSelected = "/SelectedNode=", kTab = "/TabIndex=";
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string& line = lines[i];
    if (sjis::StartsWithIgnoreCase(line, kSelected)) {
      ui::TTreeView& tree = TreeView1();
      if (ui::TTreeNode* node = FindNodeByPath(std::string_view(line).substr(kSelected.size()), '/', &tree)) {
        if (tree.Selected() != node) tree.SetSelected(node);
        TreeView1Change(node);
      }
    } else if (sjis::StartsWithIgnoreCase(line, kTab)) {
      const int index = NumberOrMinusOne(std::string_view(line).substr(kTab.size()));
      ui::TTabSheet* page = PageControl1().ActivePage();
      if (!page || index < 0) continue;
      const std::vector<HWND> controls = TabOrderControls(page->Handle());
      if (index >= static_cast<int>(controls.size())) continue;
      Show();
      SetFocus(controls[index]);  // a control that cannot take the focus is left as it is
    }
  }
}

void TRZSettingMain::CopyData(const std::string& text, HWND) {
  ForceForegroundWindow(Handle());
  if (text.empty()) return;
  TStringList lines;
  lines.SetText(text);
  ApplyParams(lines);
}

void TRZSettingMain::Button1Click() {
  if (ApplyButton().Enabled()) Button11Click();
  Close();
}

void TRZSettingMain::Button2Click() { Close(); }

void TRZSettingMain::Button11Click() {
  if (closed_) return;
  fileio::ForceDirectories(settings_->DataFolder);
  const std::string caption = Caption();
  SetCaption(kApplying);

  // A failed switch leaves the marker as it was: both programs stay with the old folder.
  if (SwitchSharedDataFolder()) WriteSharedDataMarker();
  if (pendingChanges_.IndexOf(kShortcutPage) >= 0) {
    WriteShortcutFiles();
    dialogs_->WriteString("TargetPath", mainFolder_);
  }

  settings_->Save();
  try {
    keywords_->Save();
  } catch (...) {
    LogSwallowed("USettingForm.Button11Click");
  }
  runOptions_->SaveToFile(dataFolder_ + "\\" + kRunOptionsFileName);
  if (services_.DetachEditorDialogs) services_.DetachEditorDialogs();
  dialogs_->SaveToFile(dataFolder_ + "\\Dialogs.ini");

  if (HWND launcher = FindLauncherMainWindow()) {
    DebugOut().Write("USettingForm.SendMessage:").WriteInt(reinterpret_cast<INT_PTR>(launcher)).WriteLn();
    DebugOut().Write(std::string(kReLoad) + "\r\n").WriteLn();
    char payload[sizeof kReLoad];
    memcpy(payload, kReLoad, sizeof kReLoad);  // with its NUL: 8 bytes
    COPYDATASTRUCT data = {1, sizeof payload, payload};
    SendMessageA(launcher, WM_COPYDATA, reinterpret_cast<WPARAM>(Handle()), reinterpret_cast<LPARAM>(&data));
  }

  ApplyButton().SetEnabled(false);
  SetCaption(caption);
  pendingChanges_.Clear();
  ::Sleep(100);
  ForceForegroundWindow(Handle());
  app::ProcessMessages();
  ::Sleep(100);
  ForceForegroundWindow(Handle());
}

void TRZSettingMain::HelpActionExecute() {
  ui::TTreeNode* node = TreeView1().Selected();
  if (!node) return;
  const std::string file = mainFolder_ + HelpFileOfPath(GetNodePath(node, "/"));
  if (!fileio::FileExists(file)) {
    ui::ShowMessageBox(Handle(), "ヘルプが見つかりません " + file, kMessageCaption, MB_OK);
    return;
  }
  SHELLEXECUTEINFOA start = {};
  start.cbSize = sizeof start;
  start.hwnd = Handle();
  start.lpFile = file.c_str();
  start.nShow = SW_SHOWNORMAL;
  services_.Shell->Start(start);
}

void TRZSettingMain::TreeLeftAction1Execute() {
  ui::TTreeNode* node = TreeView1().Selected();
  if (!node) return;
  if (node->HasChildren() && node->Expanded()) node->Collapse();
  else if (ui::TTreeNode* parent = node->Parent()) parent->Select();
}

void TRZSettingMain::TreeRightAction1Execute() {
  ui::TTreeNode* node = TreeView1().Selected();
  if (!node) return;
  if (node->HasChildren() && !node->Expanded()) node->Expand();
  else if (ui::TTreeNode* child = node->FirstChild()) child->Select();
}

void TRZSettingMain::TreeUpAction1Execute() {
  ui::TTreeNode* node = TreeView1().Selected();
  if (ui::TTreeNode* target = node ? node->PrevVisible() : nullptr) target->Select();
}

void TRZSettingMain::TreeDownAction1Execute() {
  ui::TTreeNode* node = TreeView1().Selected();
  if (ui::TTreeNode* target = node ? node->NextVisible() : nullptr) target->Select();
}

void TRZSettingMain::TreeView1CustomDrawItem(ui::TTreeItemDraw& item) {
  if (!item.Node || !IsEmphasised(item.Node->Text())) return;
  item.FontStyle |= ui::fsBold;
  if (item.Hot) item.FontStyle |= ui::fsUnderline;
  if (item.Selected && !item.Focused) {
    item.BackColor = GetSysColor(COLOR_BTNFACE);
    item.TextColor = GetSysColor(COLOR_BTNTEXT);
  }
}

std::vector<std::string> TRZSettingMain::NodeCaptions() {
  std::vector<std::string> captions;
  for (ui::TTreeNode* n = TreeView1().FirstNode(); n; n = n->GetNext()) captions.push_back(n->Text());
  return captions;
}

void TRZSettingMain::FormClose(ui::TCloseAction& action) {
  (void)action;
  if (closed_) return;
  if (services_.DetachEditorDialogs) services_.DetachEditorDialogs();

  std::string expanded;
  for (ui::TTreeNode* n = TreeView1().FirstNode(); n; n = n->GetNext())
    if (n->HasChildren() && n->Expanded()) expanded += (expanded.empty() ? "" : ",") + n->Text();
  dialogs_->WriteString("Setting_Expanded", expanded.empty() ? "None" : expanded);
  if (ui::TTreeNode* selected = TreeView1().Selected()) dialogs_->WriteString("Setting_Selected", selected->Text());
  dialogs_->SaveToFile(dataFolder_ + "\\Dialogs.ini");

  closed_ = true;
  settings_.reset();
  runOptions_.reset();
  dialogs_.reset();
  pendingChanges_.Clear();
  initialisedPages_.Clear();

  if (params_.Count() > 1 && sjis::EqualsIgnoreCase(params_[1], "/new")) {
    Hide();
    ui::ShowMessageBox(Handle(), "ドラッグアンドドロップでファイルやURLを登録出来ます", kMessageCaption, MB_OK);
    const std::string launcher = mainFolder_ + "quorvane.exe";
    SHELLEXECUTEINFOA start = {};
    start.cbSize = sizeof start;
    start.hwnd = Handle();
    start.lpFile = launcher.c_str();
    start.lpParameters = "/New";
    start.nShow = SW_SHOWDEFAULT;
    services_.Shell->Start(start);
    WaitForLauncher();
  }

  keywords_.reset();
  if (services_.SendIngMessage) services_.SendIngMessage(true);
}

void TRZSettingMain::WaitForLauncher() {
  const DWORD start = services_.Clock();
  while (!services_.FindLauncher() && services_.Clock() - start <= kLauncherWaitMs) services_.Sleep(100);
  services_.Sleep(500);
}
