// The codec's pump: waiting messages run during a long expansion.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "codec/codec.h"
#include "platform/messages.h"
#include "platform/stream.h"

namespace zel {
namespace {

constexpr UINT kPing = WM_APP + 7;
bool codecRunning = false;
int pingsDuringRun = 0;
int pings = 0;

LRESULT CALLBACK PingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kPing) {
    ++pings;
    if (codecRunning) ++pingsDuringRun;
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class PingWindow {
 public:
  PingWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZelPingWindow";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowA("ZelPingWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~PingWindow() { DestroyWindow(hwnd_); }
  HWND Handle() const { return hwnd_; }

 private:
  HWND hwnd_;
};

TEST(PumpWaitingMessages, RunsAMessageWaitingInTheQueue) {
  PingWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  pings = 0;
  Sleep(30);  // past the pump's 10 ms between looks at the queue
  ASSERT_TRUE(PostMessageA(window.Handle(), kPing, 0, 0));
  PumpWaitingMessages();
  EXPECT_EQ(pings, 1);
}

// A message posted before a long expansion is handled while it runs, not
// only when it ends: the window stays responsive during one large file.
TEST(PumpWaitingMessages, RunsDuringALongExpansion) {
  PingWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  // Plain bytes without the run-length marker pass through unchanged: 4 MB
  // of them take a good many 10 ms steps to go through the codec.
  std::vector<uint8_t> stored(4 << 20);
  for (size_t i = 0; i < stored.size(); ++i) stored[i] = static_cast<uint8_t>(i % 131);
  TMemoryStream source(stored);
  TMemoryStream dest;
  pings = pingsDuringRun = 0;
  Sleep(30);
  ASSERT_TRUE(PostMessageA(window.Handle(), kPing, 0, 0));
  uint32_t checksum = 0;
  codecRunning = true;
  RunCodec({}, dest, source, static_cast<int32_t>(stored.size()), 0, coRLE, checksum,
           CodecDirection::kExpand, false);
  codecRunning = false;
  EXPECT_EQ(dest.Data().size(), stored.size());
  EXPECT_EQ(pingsDuringRun, 1);
}

}  // namespace
}  // namespace zel
