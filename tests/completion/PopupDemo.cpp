// Shows a completing edit with its popup open over Japanese candidates, for a
// screenshot (popup-screenshot.sh). The file named on the command line is made
// once the popup is up; the program ends after 20 s or when the wineserver stops.
#include <windows.h>

#include <string>

#include "completion/DynamicComplete.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace {

// The word is the whole text before the caret; the candidates are fixed.
class TDemoComplete : public TDynamicComplete {
 public:
  TStringList Words;
  TDemoComplete() {
    Data().ExtraSources = {&Words};
    ListOrder = "2";
    CheckedLists = "1";
  }
  void KeywordChange() override {
    Data().SourceKind = 2;
    Data().Word = complete::PosSub(Text(), 0, SelStart());
    Data().WordStart = 0;
    TDynamicComplete::KeywordChange();
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
  ui::TApplication app;
  app.SetTitle("quorvane");
  ui::TForm form;
  ui::TCreateParams p;
  p.ClassName = "QvPopupDemo";
  p.Caption = "quorvane";
  p.Style = WS_POPUP | WS_BORDER;
  p.X = 200; p.Y = 200; p.Width = 420; p.Height = 34;
  if (!form.Create(p)) return 1;
  app.SetMainForm(&form);
  TDemoComplete edit;
  ui::TCreateParams e;
  e.Style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
  e.Parent = form.Handle();
  e.X = 4; e.Y = 4; e.Width = 410; e.Height = 24;
  if (!edit.Create(e)) return 1;
  edit.SetListFont("MS UI Gothic", 12);
  edit.Words = TStringList({"表示設定", "表計算ソフト", "表紙デザイン.doc", "メモ帳", "表"});
  edit.AutoComplete = true;
  edit.UseList = true;
  form.Show();
  SetForegroundWindow(form.Handle());
  edit.Focus();
  app.ProcessMessages();
  // As an input method hands over a converted character.
  SendMessageA(edit.Handle(), WM_KEYDOWN, VK_PROCESSKEY, 1);
  SendMessageA(edit.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("表"));
  app.ProcessMessages();
  std::string ready;
  for (const char* c = cmdLine; c && *c; ++c)
    if (*c != '"') ready += *c;
  if (!ready.empty()) {
    HANDLE f = CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  }
  DWORD start = GetTickCount();
  while (!app.Terminated() && GetTickCount() - start < 20000) {
    app.ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  return 0;
}
