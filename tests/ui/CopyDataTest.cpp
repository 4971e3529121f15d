#include "ui/CopyData.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TCase {
  const char* Name;
  bool NullBlock;
  ULONG_PTR DataWord;
  const char* Bytes;  // nullptr: no data pointer
  DWORD Size;
  bool Taken;
  const char* Text;
};

const TCase kCases[] = {
    {"NoBlock", true, 1, "a", 2, false, ""},
    {"DataWordZero", false, 0, "a", 2, false, ""},
    {"NoDataPointer", false, 1, nullptr, 10, true, ""},
    {"SizeZero", false, 1, "abc", 0, true, ""},
    {"WithNul", false, 1, "/hide\r\n\0junk", 12, true, "/hide\r\n"},
    {"ShortSize_CutsWithoutNul", false, 1, "/getUserDir", 4, true, "/get"},
    {"NulFirst", false, 7, "\0abc", 4, true, ""},
};

TEST(CopyDataText, BoundedByCbDataAndFirstNul) {
  for (const TCase& c : kCases) {
    COPYDATASTRUCT data = {};
    data.dwData = c.DataWord;
    data.lpData = const_cast<char*>(c.Bytes);
    data.cbData = c.Size;
    std::string text = "stale";
    EXPECT_EQ(ui::CopyDataText(c.NullBlock ? nullptr : &data, text), c.Taken) << c.Name;
    EXPECT_EQ(text, c.Text) << c.Name;
  }
}

// What a window was sent: the record as its procedure saw it.
struct TReceived {
  bool HadRecord = false;
  ULONG_PTR DataWord = 0;
  std::string Bytes;  // cbData bytes, NULs included
  WPARAM From = 0;
};
TReceived g_received;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    g_received = {};
    g_received.HadRecord = data != nullptr;
    g_received.From = wParam;
    if (data) {
      g_received.DataWord = data->dwData;
      if (data->lpData) g_received.Bytes.assign(static_cast<const char*>(data->lpData), data->cbData);
    }
    return 1;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST(SendCopyData, SendsOneRecordWithOrWithoutItsNul) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = RecordingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QvCopyDataRecorder";
  RegisterClassA(&wc);
  HWND target = CreateWindowA(wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(target, nullptr);
  HWND from = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
  struct TSend {
    const char* name;
    ULONG_PTR word;
    std::string bytes;
    ui::TCopyDataEnd end;
    std::string received;
  };
  const TSend sends[] = {
      {"text with its NUL", 1, "/ReLoad", ui::TCopyDataEnd::Nul, std::string("/ReLoad\0", 8)},
      {"bytes as they are", 3, std::string("a\0b", 3), ui::TCopyDataEnd::NoNul, std::string("a\0b", 3)},
      {"no bytes is still a record", 0, "", ui::TCopyDataEnd::NoNul, ""},
  };
  for (const auto& c : sends) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ui::SendCopyData(target, from, c.word, c.bytes, c.end), 1);
    EXPECT_TRUE(g_received.HadRecord);
    EXPECT_EQ(g_received.DataWord, c.word);
    EXPECT_EQ(g_received.Bytes, c.received);
    EXPECT_EQ(g_received.From, reinterpret_cast<WPARAM>(from));
  }
  EXPECT_EQ(ui::SendCopyData(nullptr, from, 1, "x"), 0) << "no window, nothing sent";
  DestroyWindow(target);
}

}  // namespace
