// What the settings window edits, as data: the page tree with its help names,
// one row per option control (page, caption, kind, store, key, range, rule),
// the operation-mode presets and the help file of a page path. The window
// builds its controls from these rows and stores every change through them;
// nothing here touches a window.
#pragma once

#include <climits>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/StringIni.h"
#include "core/ZMRTData.h"

// ---- The page tree ----

// When a node of the tree is there.
enum class TPageShown { Always, CustomMode, UseList, ShowIcon, NT5 };

struct TPageNode {
  const char* Caption;  // also the page's caption
  const char* Parent;   // "" at the root
  const char* HelpName; // nullptr: the caption stays in the help path
  TPageShown Shown;
};

// Every page in tree order.
std::span<const TPageNode> PageNodes();
const TPageNode* FindPageNode(std::string_view caption);

// What decides the conditional nodes.
struct TTreeConditions {
  int Mode = 0;
  bool UseList = true;
  bool ShowIcon = true;
  bool NT5 = true;  // Windows NT 5.0 or later
};
bool PageNodeShown(const TPageNode& node, const TTreeConditions& c);

// The help file below the main folder for a page path with "/" between the
// captions: "Files\doc\setting\" + the path with every caption that has a help
// name replaced by it + ".html".
std::string HelpFileOfPath(std::string_view pagePath);

// ---- Option controls ----

// HotKey: a hotkey capture box with its "..." button; its text is the value.
// Combo: a drop-down list whose items follow the caption, each after "\n".
// Text and Memo: the text as typed. Path: a completing file-name box with its
// "..." button; the stored text holds keyword ids, the box shows the paths.
// Track: a track bar with its two arrow labels and its number label.
enum class TSettingKind { Check, Spin, Radio, HotKey, Combo, Text, Memo, Path, Track };
// S the settings object, R the run options, G the dialog options; Shared is
// the shared-data choice, which no store holds until Apply.
enum class TSettingStore { S, R, G, Shared };
enum class TSettingRule {
  None,
  EnabledWhile,   // enabled while the check row named by Other is checked
  HiddenOnWin95,  // hidden on Windows 95
  EnabledWhileHotKey,  // enabled while the hotkey row named by Other holds a valid hotkey
  VisibleWhile,        // shown while the check row named by Other is checked
  Hidden,              // filled and stored, never shown
  VisibleWhileValue,   // shown while the row named by Other holds RuleValue
  VisibleUnlessValue,  // shown unless the row named by Other holds RuleValue, and only on NT 5.0 or later
};
// How a radio or combo item maps to the stored number.
enum class TSettingMap {
  Index,     // item index = value
  Reversed,  // item index = 2 - value; a value outside 0..2 shows item 0 and is held as 2
};

struct TSettingRow {
  const char* Page;
  const char* Name;     // the control's name in the window
  const char* Caption;  // a radio group's items follow, each after "\n"
  TSettingKind Kind;
  TSettingStore Store;
  const char* Key;
  bool TZMRTData::*Flag = nullptr;   // check rows of S
  int TZMRTData::*Number = nullptr;  // spin and radio rows of S
  int Min = INT_MIN, Max = INT_MAX;  // spin rows; the defaults mean no bounds
  int Default = 0;                   // rows of R and G
  TSettingRule Rule = TSettingRule::None;
  const char* Other = "";
  // Hotkey rows: the settings object's global item (0 call, 1 capture), or -1
  // for the command hotkey named by Key; the box's kind (0 local, 1 global)
  // and the form of the "..." dialog.
  int HotKeyItem = -1;
  int HotKeyKind = 0;
  bool GlobalDialog = false;
  // Text, memo and path rows of S; the default of those of R.
  std::string TZMRTData::*Text = nullptr;
  const char* DefaultText = "";
  TSettingMap Map = TSettingMap::Index;
  int RuleValue = 0;
  // Track rows: the tick step, and what follows the number in its label.
  int Tick = 0;
  const char* Unit = "";
};

std::span<const TSettingRow> SettingRows();
const TSettingRow* FindSettingRow(std::string_view name);
// The rows of one page, in their order.
std::vector<const TSettingRow*> RowsOfPage(std::string_view page);
// A radio row's group caption and items.
std::string RadioCaption(const TSettingRow& row);
std::vector<std::string> RadioItems(const TSettingRow& row);

// The three stores a row reads and writes.
struct TSettingStores {
  TZMRTData& Settings;
  TStringIni& RunOptions;
  TStringIni& Dialogs;
};
// Numbers: the control's value (a mapped row's item index).
int ReadRowValue(const TSettingRow& row, const TSettingStores& stores);
void WriteRowValue(const TSettingRow& row, int value, const TSettingStores& stores);
// Text, memo and path rows.
std::string ReadRowText(const TSettingRow& row, const TSettingStores& stores);
void WriteRowText(const TSettingRow& row, std::string_view text, const TSettingStores& stores);
bool IsTextRow(const TSettingRow& row);
// A caption with "…" where the control sits: the texts before and after it.
std::pair<std::string, std::string> CaptionAround(const TSettingRow& row);

// Hotkey rows: the text the box shows ("なし" for a command without a hotkey),
// storing a text, and whether a global item's combination is a valid hotkey.
std::string ReadHotKeyRow(const TSettingRow& row, TZMRTData& settings);
void WriteHotKeyRow(const TSettingRow& row, std::string_view text, TZMRTData& settings);
bool HotKeyRowValid(const TSettingRow& row, TZMRTData& settings);

// ---- Candidate sources of the list (ListOrder, CheckedLists) ----

inline constexpr int kCandidateSourceCount = 6;
const char* CandidateSourceName(int source);
struct TCandidateRow {
  int Source;
  bool Checked;
};
// The rows in their order: the sources named by the first six characters of
// ListOrder (a non-digit counts as 0), each once at its first place, then the
// others in number order; a row is checked unless CheckedLists says "0".
std::vector<TCandidateRow> CandidateRows(std::string_view listOrder, std::string_view checkedLists);
// ListOrder and CheckedLists of the rows.
std::string ListOrderOf(const std::vector<TCandidateRow>& rows);
std::string CheckedListsOf(const std::vector<TCandidateRow>& rows);

// FontSize of the size box's text: the whole part of a number ("10.5" is
// 10), 9 when the text is no number.
int FontSizeOfText(std::string_view text);

// What a spin row stores for the text in its box: the whole number held to
// the row's range; a text that is no whole number counts as 0, held too.
int SpinStoredValue(const TSettingRow& row, std::string_view text);

// The operation modes: 0 resident, 1 not resident, 2 custom.
inline constexpr int kCustomMode = 2;
// Puts the mode's preset into the settings object; the custom mode keeps them.
void ApplyModePreset(TZMRTData& settings, int mode);
// The explanation shown below the mode group.
std::string ModeExplanation(int mode);

// ---- Colours (配色) and the preview of the input window ----

// The four states a colour list holds an entry for.
inline constexpr int kColourStateCount = 4;
// The four colour keys, in the order of their buttons.
enum TColourKey { ckBack, ckComment, ckInputBack, ckInput };
inline constexpr int kColourKeyCount = 4;
std::string TZMRTData::*ColourKeyField(int key);
// A system colour as stored: its index with the top bit set, as a signed number.
constexpr int SystemColourValue(int index) { return static_cast<int>(0x80000000u | static_cast<unsigned>(index)); }
// The entry of a state in a stored list ("-2147483633","255",...); "" when missing.
std::string ColourEntry(std::string_view list, int state);
// The list with the state's entry set, padded with empty entries when shorter.
std::string WithColourEntry(std::string_view list, int state, int value);
// The default of a key in a state, as stored.
int DefaultColourValue(int key, int state);
// The default a missing entry stands for: button face, window text, window, window text.
int MissingColourValue(int key);
// The stored number of an entry, or the key's missing default.
int ColourValue(std::string_view entry, int key);

struct TPreviewGeometry {
  int Frame = 0;                    // bevel or border width
  int Width = 0, Height = 0;        // with the frame
  int InnerWidth = 0, InnerHeight = 0;
  int IconSize = 0, IconLeft = 0, IconTop = 0;  // IconSize 0: no icon
  int InputLeft = 0, InputTop = 0, InputWidth = 0, InputHeight = 0;
  bool LabelVisible = false;
  int LabelTop = 0, LabelWidth = 0, LabelHeight = 0;
};
// The preview for the window's size (small), icon, frame (BorderStyle),
// width and the input box's height.
TPreviewGeometry PreviewGeometry(bool small, bool showIcon, int borderStyle, int width, int inputHeight);
