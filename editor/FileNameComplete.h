// The editor's completing edit for one path (the icon chooser's file box, the
// command dialog's target and folder boxes, the settings pages' program
// boxes): a file or folder name whose head may be a keyword reference, or a
// keyword path of groups joined by "/" (FileNameComplete_Text.h reads it).
// Sources, in the builder's numbering: 0 folder listing, 1 history, 2 drives,
// 3 keyword names. The store and the item being edited come from the dialog;
// either may be missing.
#pragma once

#include <string>

#include "completion/DynamicComplete.h"
#include "core/KeyWordX.h"
#include "core/StringList.h"

enum class TFileType { ftAllFile, ftOnlyDirectory };

class TFileNameComplete : public TDynamicComplete {
 public:
  TFileNameComplete();
  ~TFileNameComplete() override;

  TFileType FileType() const { return fileType_; }
  // Folders only (source kind 1) for ftOnlyDirectory.
  void SetFileType(TFileType type);
  // The text with keyword references turned into a real path; the text itself
  // without a store.
  std::string Command() { return GetCommand(); }
  std::string GetCommand();

  // Neither is owned.
  void SetManager(TKeyWordManager* store, TKeyWordX* item);
  TKeyWordManager* Manager() const { return store_; }

  // The refresh for the current text.
  void Refresh();
  // The logical drive roots, floppy drives left out.
  static TStringList GetDriveList();

  void KeywordChange() override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  TStringList ListNetwork(const std::string& folder) override;

 private:
  TFileType fileType_ = TFileType::ftAllFile;
  TKeyWordManager* store_ = nullptr;
  TKeyWordX* item_ = nullptr;
  TStringList drives_, keywords_;
};
