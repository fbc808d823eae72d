#include "tests/platform/x11/x11_fixture.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

namespace x11test {

std::string PicturePath(const char* name) {
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures";
  std::filesystem::create_directories(folder);
  return folder + "/" + name;
}

void X11Fixture::StartDesktop(bool windowManager, bool sharedMemory) {
  Server::Options options;
  options.windowManager = windowManager;
  server_ = std::make_unique<Server>(options);
  ASSERT_TRUE(server_->Running()) << "Xvfb (and the window manager) did not start";
  std::string error;
  std::unique_ptr<display::Display> d = display::OpenX11(server_->Name().c_str(), error, sharedMemory);
  ASSERT_TRUE(d) << error;
  x11_ = static_cast<display::x11::X11Display*>(d.get());
  display::Install(std::move(d));
}

void X11Fixture::TearDown() {
  if (x11_) display::Install(nullptr);
  x11_ = nullptr;
  server_.reset();
}

void X11Fixture::Settle() {
  for (int round = 0; round < 3; ++round) {
    uitest::RunUntilIdle();
    XSync(x11_->Connection(), False);
  }
  uitest::RunUntilIdle();
}

bool X11Fixture::WaitUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!done()) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    Settle();
  }
  return true;
}

void X11Fixture::Xdotool(const std::vector<std::string>& args) {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  ASSERT_EQ(server_->Run(argv), 0) << "xdotool failed";
  Settle();
}

std::string X11Fixture::RunServed(const std::vector<std::string>& argv) {
  int out = -1;
  const pid_t pid = server_->Start(argv, &out);
  if (pid <= 0) return {};
  fcntl(out, F_SETFL, O_NONBLOCK);
  std::string got;
  bool open = true;
  while (open) {
    display::Current().Pump();
    uitest::RunUntilIdle();
    pollfd p[2] = {{out, POLLIN, 0}, {ConnectionNumber(x11_->Connection()), POLLIN, 0}};
    if (poll(p, 2, 10000) <= 0) break;  // a tool that hangs fails the test, not the run
    if (p[0].revents & (POLLIN | POLLHUP | POLLERR)) {
      char buf[65536];
      const ssize_t n = read(out, buf, sizeof buf);
      if (n > 0) got.append(buf, static_cast<size_t>(n));
      if (n == 0 || (n < 0 && errno != EAGAIN)) open = false;
    }
  }
  close(out);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return got;
}

POINT X11Fixture::XOrigin(HWND window) {
  int x = 0, y = 0;
  ::Window child;
  XTranslateCoordinates(x11_->Connection(), x11_->XWindowOf(window), DefaultRootWindow(x11_->Connection()), 0, 0, &x,
                        &y, &child);
  return POINT{x, y};
}

int X11Fixture::DifferingPixels(HWND window, const RECT& part) {
  Settle();
  const std::vector<uint32_t> screen = server_->Screenshot();
  const uitest::Picture surface = uitest::CaptureWindow(window);
  RECT wr{};
  GetWindowRect(window, &wr);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  if (screen.empty() || surface.pixels.empty()) return -1;
  int differ = 0;
  for (int y = part.top; y < part.bottom; ++y)
    for (int x = part.left; x < part.right; ++x) {
      const uint32_t shown = screen[static_cast<size_t>(y) * width + x];
      const uint32_t own = surface.At(x - wr.left, y - wr.top) & 0xFFFFFF;
      if (shown != own) ++differ;
    }
  return differ;
}

}  // namespace x11test
