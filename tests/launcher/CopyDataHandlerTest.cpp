#include "launcher/Easy_CopyData_Handler.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "launcher/ParseParam.h"

namespace {

// A message-only window whose handler keeps what arrives.
struct TReceiver {
  HWND Window = nullptr;
  std::unique_ptr<TEasyCopyDataHandler> Handler;
  std::vector<std::string> Texts;
  std::vector<HWND> Senders;

  TReceiver() {
    Window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
    Handler = std::make_unique<TEasyCopyDataHandler>(Window);
    Handler->OnReceived = [this](TEasyCopyDataHandler*, const std::string& text, HWND from) {
      Texts.push_back(text);
      Senders.push_back(from);
    };
  }
  ~TReceiver() {
    Handler.reset();
    DestroyWindow(Window);
  }
};

// Bytes that end exactly at an uncommitted page, so any read past them faults.
class TGuardedBlock {
 public:
  explicit TGuardedBlock(size_t size) {
    const size_t page = 4096;
    committed_ = (size + page - 1) / page * page;
    if (committed_ == 0) committed_ = page;
    base_ = static_cast<char*>(VirtualAlloc(nullptr, committed_ + page, MEM_RESERVE, PAGE_NOACCESS));
    VirtualAlloc(base_, committed_, MEM_COMMIT, PAGE_READWRITE);
    data_ = base_ + committed_ - size;
  }
  ~TGuardedBlock() { VirtualFree(base_, 0, MEM_RELEASE); }
  char* Data() { return data_; }

 private:
  char* base_ = nullptr;
  char* data_ = nullptr;
  size_t committed_ = 0;
};

struct TSend {
  HWND Target;
  WPARAM From;
  COPYDATASTRUCT Data;
  bool NullBlock;
  LRESULT Result;
};

DWORD WINAPI SendFromThread(void* p) {
  auto* s = static_cast<TSend*>(p);
  s->Result = SendMessageA(s->Target, WM_COPYDATA, s->From, s->NullBlock ? 0 : reinterpret_cast<LPARAM>(&s->Data));
  return 0;
}

// Sends from a second thread while this one dispatches, as a foreign sender would.
LRESULT SendAcrossThreads(TSend& send) {
  HANDLE thread = CreateThread(nullptr, 0, SendFromThread, &send, 0, nullptr);
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  CloseHandle(thread);
  return send.Result;
}

TEST(EasyCopyDataHandler, GarbageFromAnotherThread_BoundedOrDropped) {
  TReceiver receiver;
  std::mt19937 random(11);
  const size_t big = 4 * 1024 * 1024;
  TGuardedBlock noNul(big), shortSize(16), small(5);
  for (size_t i = 0; i < big; ++i) noNul.Data()[i] = static_cast<char>(random() % 255 + 1);
  std::memcpy(shortSize.Data(), "/getUserDir\r\nxyz", 16);
  std::memcpy(small.Data(), "abcde", 5);

  struct TRow {
    const char* Name;
    char* Bytes;
    DWORD Size;
    ULONG_PTR DataWord;
    bool NullBlock;
    LRESULT Result;
    size_t Length;  // of the text taken, when taken
  } rows[] = {
      {"MegabytesNoNul", noNul.Data(), static_cast<DWORD>(big), 1, false, TRUE, big},
      {"ShortCbData", shortSize.Data(), 11, 1, false, TRUE, 11},
      {"DataWordZero", small.Data(), 5, 0, false, FALSE, 0},
      {"NullBlock", nullptr, 0, 1, true, FALSE, 0},
      {"NullPointerWithSize", nullptr, 1000, 3, false, TRUE, 0},
  };
  for (const TRow& row : rows) {
    receiver.Texts.clear();
    TSend send = {receiver.Window, 0, {}, row.NullBlock, -1};
    send.Data.dwData = row.DataWord;
    send.Data.cbData = row.Size;
    send.Data.lpData = row.Bytes;
    EXPECT_EQ(SendAcrossThreads(send), row.Result) << row.Name;
    if (row.Result == TRUE) {
      ASSERT_EQ(receiver.Texts.size(), 1u) << row.Name;
      EXPECT_EQ(receiver.Texts[0].size(), row.Length) << row.Name;
      if (row.Bytes) {
        EXPECT_EQ(receiver.Texts[0], std::string(row.Bytes, row.Length)) << row.Name;
      }
    } else {
      EXPECT_TRUE(receiver.Texts.empty()) << row.Name;
    }
  }
}

TEST(EasyCopyDataHandler, SendText_CarriesNulAndOwnWindow) {
  TReceiver a, b;
  EXPECT_TRUE(a.Handler->SendText(b.Window, "/getUserDir\r\n/ResultFile=C:\\t\\n"));
  ASSERT_EQ(b.Texts.size(), 1u);
  EXPECT_EQ(b.Texts[0], "/getUserDir\r\n/ResultFile=C:\\t\\n");
  EXPECT_EQ(b.Senders[0], a.Window);
  EXPECT_FALSE(a.Handler->SendText(nullptr, "x"));
}

TEST(EasyCopyDataHandler, WindowGoneFirst_HandlerForgetsSubclass) {
  TReceiver r;
  EXPECT_TRUE(r.Handler->Listening());
  DestroyWindow(r.Window);
  EXPECT_FALSE(r.Handler->Listening());
  r.Window = nullptr;
}

// The parser's answer to a sender goes back over the same channel.
class TAnsweringHost : public IParamParserHost {
 public:
  explicit TAnsweringHost(TEasyCopyDataHandler& channel) : channel_(channel) {}
  bool IsStarting() const override { return false; }
  void ReLoad(bool) override {}
  void ShowOrHide(bool) override {}
  std::string UserDir() const override { return "C:\\users\\データ\\"; }
  std::string CurrentDir() const override { return "C:\\"; }
  void ResetIcon() override {}
  void RunCommand(const std::string&) override {}
  void RunSysCommand(int, const std::string&) override {}
  void ActivateWindow() override {}
  void PasteText(const std::string&, bool) override {}
  void SetConfig(const std::string&, const std::string&) override {}
  bool PathExists(const std::string&) const override { return false; }
  void DropFiles(const std::string&) override {}
  void MoveTo(int, int, bool) override {}
  void CaretPoint(int& x, int& y) const override { x = y = -1; }
  void SetSelStart(int) override {}
  void SetSelLength(int) override {}
  void SetMode(const std::string&) override {}
  void ParseInput() override {}
  void SendResult(uintptr_t sender, const std::string& text) override {
    channel_.SendText(reinterpret_cast<HWND>(sender), text);
  }
  void PutOnClipboard(const std::string&) override {}

 private:
  TEasyCopyDataHandler& channel_;
};

TEST(EasyCopyDataHandler, GetUserDir_AnsweredByCopyDataToSender) {
  TReceiver launcher, asker;
  TAnsweringHost host(*launcher.Handler);
  TParamParser parser(&host);
  launcher.Handler->OnReceived = [&](TEasyCopyDataHandler*, const std::string& text, HWND from) {
    TStringList lines;
    lines.SetText(text);
    parser.Parse(&lines, reinterpret_cast<uintptr_t>(from));
  };
  EXPECT_TRUE(asker.Handler->SendText(launcher.Window, "/getUserDir"));
  ASSERT_EQ(asker.Texts.size(), 1u);
  EXPECT_EQ(asker.Texts[0], "C:\\users\\データ\\");
  EXPECT_EQ(asker.Senders[0], launcher.Window);
}

}  // namespace
