// The kind of a new keyword: a tree of kinds (normal command, system command
// with each of its actions, group), each node holding a template, the first
// lines of the new keyword's data, with its help shown below the tree.
// Execute hands the chosen template to the caller, who owns it from then on.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/StringIni.h"
#include "editor/DropTargetFormLite.h"
#include "ui/ActionList.h"
#include "ui/ImageList.h"

class TKeyWordManager;
namespace ui {
class TMemo;
class TTreeNode;
class TTreeView;
}  // namespace ui

class TSelectCommand : public TDropFormLite {
 public:
  explicit TSelectCommand(ui::TForm* owner = nullptr);
  ~TSelectCommand() override;

  // The chosen template without its Help and Path, or none when cancelled.
  // A caption suffix names what the keyword is made for.
  std::unique_ptr<TStringIni> Execute(TKeyWordManager* manager, const std::string& captionSuffix,
                                      std::string folder);

  // A template hung on the node of the "/"-separated path (missing nodes made).
  TStringIni* AddTemplate(const std::string& path, const std::string& command, int iconIndex,
                          const std::string& icon, int image, int type, std::string_view help);

  ui::TTreeView& Tree() const;
  ui::TMemo& HelpBox() const;
  ui::TImageList& Images() { return images_; }
  ui::TAction& OKAction() { return okAction_; }

 private:
  void FormCreate();
  void FormResize();
  void FormClose();
  void AddTemplates();
  TStringIni* HangTemplate(const std::string& path, int image, std::unique_ptr<TStringIni> data);
  void TreeView1Change(ui::TTreeNode* node);
  void OKActionUpdate();
  void OKActionExecute();
  void TreeView1DblClick();
  void CancelActionExecute();

  TKeyWordManager* manager_ = nullptr;
  ui::TImageList images_{16, 16};
  ui::TActionList actions_{*this};
  ui::TAction okAction_{"OK"};
  ui::TAction cancelAction_{"キャンセル"};
  std::unique_ptr<TStringIni> result_;
};
