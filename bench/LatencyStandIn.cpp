// The floor of the latency benchmark: a bare window with an edit and a popup
// list of one row, which shows what the edit holds while it is not empty. The
// driver types into it as into the launcher, so what the two differ by is the
// launcher's own work. The popup's window text reads as its top row, as the
// launcher's popup does.
#include <windows.h>

#include <string>

namespace {

HWND g_edit = nullptr;
HWND g_list = nullptr;

void Refresh() {
  char text[1024];
  GetWindowTextA(g_edit, text, sizeof(text));
  SendMessageA(g_list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(g_list, LB_RESETCONTENT, 0, 0);
  if (text[0] == '\0') {
    ShowWindow(g_list, SW_HIDE);
    SetWindowTextA(g_list, "");
    SendMessageA(g_list, WM_SETREDRAW, TRUE, 0);
    return;
  }
  SendMessageA(g_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  SendMessageA(g_list, LB_SETCURSEL, 0, 0);
  SetWindowTextA(g_list, text);
  SendMessageA(g_list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(g_list, nullptr, TRUE);
  RECT r;
  GetWindowRect(g_edit, &r);
  SetWindowPos(g_list, HWND_TOPMOST, r.left, r.bottom, r.right - r.left, 24, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == g_edit && HIWORD(wParam) == EN_CHANGE) Refresh();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(g_edit);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "QvLatencyStandIn";
  RegisterClassA(&wc);
  HWND form = CreateWindowExA(WS_EX_TOPMOST, "QvLatencyStandIn", "stand-in", WS_POPUP | WS_BORDER, 200, 200, 400, 32,
                              nullptr, nullptr, instance, nullptr);
  g_edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 4, 4, 390, 22, form,
                           reinterpret_cast<HMENU>(1), instance, nullptr);
  g_list = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "LISTBOX", "",
                           WS_POPUP | WS_BORDER | LBS_NOINTEGRALHEIGHT, 0, 0, 100, 24, nullptr, nullptr, instance,
                           nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(g_edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  SendMessageA(g_list, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  ShowWindow(form, SW_SHOW);
  SetForegroundWindow(form);
  SetFocus(g_edit);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
