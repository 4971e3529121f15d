#include "launcher/LauncherMenu.h"

TLauncherMenu::TLauncherMenu()
    : top_(CreatePopupMenu()),
      info_(CreatePopupMenu()),
      topRows_{{miExecute, "実行", VK_RETURN},
               {miShowHide, "隠す", 0},
               {0, nullptr, 0},
               {miNew, "新規作成", 0},
               {miManager, "キーワードマネージャ", 0},
               {0, nullptr, 0},
               {miEditCurrent, "キーワードの設定", 0},
               {miDelete, "削除", 0},
               {0, nullptr, 0},
               {miSetting, "設定", 0},
               {miInfo, "情報", 0},
               {miExit, "終了", 0}},
      infoRows_{{miSite, "作者のサイトへ", 0},
                {miVersion, "バージョン情報", 0},
                {miFolder, "設定保存フォルダ", 0},
                {0, nullptr, 0},
                {miHelp, "ヘルプ", VK_F1}} {
  for (const auto* rows : {&topRows_, &infoRows_})
    for (const TRow& row : *rows)
      if (row.Id != 0 && row.Id != miInfo)
        commands_.push_back({row.Id, std::make_unique<ui::TAction>(row.Caption, row.ShortCut)});
  Rebuild();  // from here on the submenu is in the top menu, which owns it
}

ui::TAction* TLauncherMenu::Find(UINT id) {
  for (TCommand& c : commands_)
    if (c.Id == id) return c.Action.get();
  return nullptr;
}

ui::TAction& TLauncherMenu::Action(TEntry command) { return *Find(command); }

void TLauncherMenu::LoadEnterBitmap(const std::string& file) {
  if (enterBitmapTried_) return;
  enterBitmapTried_ = true;
  enterBitmap_.reset(static_cast<HBITMAP>(
      LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_LOADTRANSPARENT)));
}

void TLauncherMenu::Rebuild() {
  Fill(info_, infoRows_);
  Fill(top_.get(), topRows_);
  const ui::TAction* execute = Find(miExecute);
  SetMenuDefaultItem(top_.get(), execute->Visible() ? miExecute : static_cast<UINT>(-1), FALSE);
}

void TLauncherMenu::Fill(HMENU menu, const std::vector<TRow>& rows) {
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
  bool separatorPending = false;
  for (const TRow& row : rows) {
    if (row.Id == 0) {
      separatorPending = GetMenuItemCount(menu) > 0;
      continue;
    }
    const ui::TAction* action = Find(row.Id);
    if (action && !action->Visible()) continue;
    if (separatorPending) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    separatorPending = false;
    if (!action) {  // the submenu
      AppendMenuA(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(info_), row.Caption);
      continue;
    }
    std::string caption = action->Caption();
    if (const std::string key = ui::ShortCutToText(action->ShortCut()); !key.empty()) caption += "\t" + key;
    AppendMenuA(menu, MF_STRING | (action->Enabled() ? 0 : MF_GRAYED), row.Id, caption.c_str());
    if (row.Id == miExecute && enterBitmap_) {
      MENUITEMINFOA info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_BITMAP;
      info.hbmpItem = enterBitmap_.get();
      SetMenuItemInfoA(menu, miExecute, FALSE, &info);
    }
  }
}

bool TLauncherMenu::Command(UINT id) {
  ui::TAction* action = Find(id);
  if (!action) return false;
  action->Execute();  // the action may end the window and this menu with it
  return true;
}
