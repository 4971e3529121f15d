// The settings window's choice between the per-user and the shared data
// folder: the box on 基本, and Apply's switch with its copy and marker file.
#include <windows.h>

#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/OSUtils.h"
#include "core/Sjis.h"
#include "editor/USettingForm.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/MessageBox.h"

namespace {

constexpr char kSharedFolderName[] = "All Users";
constexpr char kMarkerFile[] = "Users\\UseSameData.ini";

std::string ParentFolder(const std::string& folder) {
  return sjis::ExcludeTrailingPathDelimiter(sjis::ExtractFilePath(sjis::ExcludeTrailingPathDelimiter(folder)));
}

}  // namespace

void TRZSettingMain::CheckBox1Click(const TSettingRow& row) {
  if (row.Store != TSettingStore::Shared) {
    RowChanged(row);
    return;
  }
  if (filling_ || closed_) return;
  shared_ = Control<ui::TCheckBox>(row.Name).Checked();
  const std::string name = shared_ ? std::string(kSharedFolderName) : services_.LoginName();
  settings_->DataFolder = ParentFolder(settings_->DataFolder) + "\\" + name;
  settings_->version = 0;  // the launcher's next load brings the shipped icons into the folder
  LoadFromData();
  ShowPerUserNote();
  EnableApply();
}

// The old folder's data are copied and checked before anything points at the
// new folder: a switch to a folder without the user's keywords would make the
// launcher's next start a first run.
bool TRZSettingMain::SwitchSharedDataFolder() {
  if (shared_ == sharedAtOpen_) return true;
  try {
    keywords_->Save();
  } catch (...) {
    LogSwallowed("USettingForm.SwitchSharedDataFolder");
  }
  keywords_.reset();
  const std::string from = dataFolderAtOpen_, to = settings_->DataFolder;
  const std::string files = mainFolder_ + "Files\\";
  bool copied = true;
  bool itemsExpected = false;
  if (!fileio::DirectoryExists(to)) {
    copied = false;  // Apply could not make it (a file stands there): nothing is copied over it
  } else if (fileio::DirectoryExists(from + "\\Items")) {
    itemsExpected = true;
    copied = ShellCopyFiles(Handle(), from + "\\*.*", to);
  } else if (fileio::DirectoryExists(files + "Items")) {
    itemsExpected = true;
    copied = ShellCopyFiles(Handle(), files + "Items", to);
    if (copied && !fileio::DirectoryExists(from + "\\Icons") && fileio::DirectoryExists(files + "Icons"))
      copied = ShellCopyFiles(Handle(), files + "Icons", to);
  }
  const bool ok = copied && fileio::DirectoryExists(to) && (!itemsExpected || fileio::DirectoryExists(to + "\\Items"));

  if (!ok) {
    // Everything stays with the old folder, as if the box had not been changed.
    settings_->DataFolder = from;
    shared_ = sharedAtOpen_;
    {
      ++filling_;
      Control<ui::TCheckBox>(FindSettingRow("SharedData")->Name).SetChecked(shared_);
      --filling_;
    }
    ShowPerUserNote();
    keywords_ = std::make_unique<TKeyWordManager>(from + "\\Items", mainFolder_);
    ui::ShowMessageBox(Handle(), "データ保存フォルダを変更できませんでした", kMessageCaption, MB_OK);
    return false;
  }

  keywords_ = std::make_unique<TKeyWordManager>(to + "\\Items", mainFolder_);
  dataFolder_ = dataFolderAtOpen_ = to;
  sharedAtOpen_ = shared_;
  const std::string name = sjis::ExtractFileName(to);
  ui::ShowMessageBox(Handle(),
                     "データ保存フォルダが変更されました\r\n\r\n\r\n各種設定、データは\r\n\r\n"
                     "[ quorvaneのフォルダ ]\\Users\\" + name + "\r\n\r\nに保存されます。\r\n\r\n\r\n"
                     "データのバックアップを取る際には「" + name + "」フォルダごと保存してください",
                     kMessageCaption, MB_OK);
  return true;
}

void TRZSettingMain::WriteSharedDataMarker() {
  const std::string marker = mainFolder_ + kMarkerFile;
  if (shared_) {
    fileio::ForceDirectories(mainFolder_ + "Users");
    fileio::WriteFileReplacing(marker, "");
  } else if (fileio::FileExists(marker)) {
    fileio::DeleteFileAt(marker);
  }
}
