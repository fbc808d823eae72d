// The talk between instances, in one process: two channels stand for two
// running designers (the start-up tests run the program itself).
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/core/instance_channel.h"
#include "app_test_util.h"

namespace {

// What one instance was asked, in order.
struct Recorder {
  std::mutex mutex;
  std::vector<std::string> requests;
  std::atomic<bool> accept{true};
  CInstanceChannel::Handlers Handlers() {
    return {[this](const std::string& path) {
              Add("open " + path);
              return accept.load();
            },
            [this] {
              Add("activate");
              return true;
            },
            [this] { Add("quit"); }};
  }
  void Add(std::string text) {
    std::lock_guard lock(mutex);
    requests.push_back(std::move(text));
  }
  std::vector<std::string> Take() {
    std::lock_guard lock(mutex);
    return std::exchange(requests, {});
  }
};

class InstanceChannelTest : public testing::Test {
 protected:
  apptest::TempFolder runtime;
  apptest::ScopedEnv env{"XDG_RUNTIME_DIR", runtime.Path().c_str()};
};

bool WaitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 300; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

TEST_F(InstanceChannelTest, FolderIsPrivate) {
  const std::string folder = CInstanceChannel::Folder();
  ASSERT_EQ(folder, runtime.Path() + "/tavrendel/");
  struct stat st{};
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(InstanceChannelTest, FolderOpenToOthersIsNotUsed) {
  ASSERT_EQ(::mkdir((runtime / "tavrendel").c_str(), 0700), 0);
  ::chmod((runtime / "tavrendel").c_str(), 0777);
  EXPECT_EQ(CInstanceChannel::Folder(), "");
  CInstanceChannel channel;
  EXPECT_FALSE(channel.Start({}));
}

TEST_F(InstanceChannelTest, NoInstanceAnswersNobody) {
  EXPECT_EQ(CInstanceChannel::SendOpen("/tmp/a.bcd"), CInstanceChannel::Answer::NoInstance);
  EXPECT_EQ(CInstanceChannel::SendActivate(), CInstanceChannel::Answer::NoInstance);
  EXPECT_EQ(CInstanceChannel::SendQuitToAll(), 0);
}

TEST_F(InstanceChannelTest, FirstIsMainAndTakesFiles) {
  Recorder first, second;
  CInstanceChannel a, b;
  ASSERT_TRUE(a.Start(first.Handlers()));
  ASSERT_TRUE(b.Start(second.Handlers()));
  EXPECT_TRUE(a.IsMain());
  EXPECT_FALSE(b.IsMain());
  EXPECT_EQ(CInstanceChannel::SendOpen("/tmp/My Label.bcd"), CInstanceChannel::Answer::Yes);
  EXPECT_EQ(CInstanceChannel::SendActivate(), CInstanceChannel::Answer::Yes);
  EXPECT_EQ(first.Take(), (std::vector<std::string>{"open /tmp/My Label.bcd", "activate"}));
  EXPECT_TRUE(second.Take().empty());
  first.accept = false;
  EXPECT_EQ(CInstanceChannel::SendOpen("/tmp/b.bcd"), CInstanceChannel::Answer::No);
}

TEST_F(InstanceChannelTest, PathsTravelAsUtf8Bytes) {
  Recorder first;
  CInstanceChannel a;
  ASSERT_TRUE(a.Start(first.Handlers()));
  const std::string path = "/tmp/\xE6\xA0\x87\xE7\xAD\xBE \xC3\xA9tiquette.bcd";
  EXPECT_EQ(CInstanceChannel::SendOpen(path), CInstanceChannel::Answer::Yes);
  EXPECT_EQ(first.Take(), (std::vector<std::string>{"open " + path}));
}

TEST_F(InstanceChannelTest, MainPassesToTheNextWhenItEnds) {
  Recorder first, second;
  CInstanceChannel b;
  {
    CInstanceChannel a;
    ASSERT_TRUE(a.Start(first.Handlers()));
    ASSERT_TRUE(b.Start(second.Handlers()));
    EXPECT_FALSE(b.IsMain());
  }
  ASSERT_TRUE(WaitUntil([&] { return b.IsMain(); }));
  EXPECT_EQ(CInstanceChannel::SendOpen("/tmp/c.bcd"), CInstanceChannel::Answer::Yes);
  EXPECT_EQ(second.Take(), (std::vector<std::string>{"open /tmp/c.bcd"}));
}

TEST_F(InstanceChannelTest, QuitReachesEveryInstanceOnce) {
  Recorder first, second;
  CInstanceChannel a, b;
  ASSERT_TRUE(a.Start(first.Handlers()));
  ASSERT_TRUE(b.Start(second.Handlers()));
  EXPECT_EQ(CInstanceChannel::SendQuitToAll(), 2);
  EXPECT_EQ(first.Take(), (std::vector<std::string>{"quit"}));
  EXPECT_EQ(second.Take(), (std::vector<std::string>{"quit"}));
}

TEST_F(InstanceChannelTest, StaleSocketsAreRemoved) {
  // A socket file nobody listens on, as a killed instance leaves it.
  const std::string folder = CInstanceChannel::Folder();
  const std::string stale = folder + "999999-0.sock";
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, stale.c_str());
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
  ASSERT_TRUE(std::filesystem::exists(stale));
  EXPECT_EQ(CInstanceChannel::SendQuitToAll(), 0);
  EXPECT_FALSE(std::filesystem::exists(stale));
}

TEST_F(InstanceChannelTest, MalformedRequestsAreRefused) {
  Recorder first;
  CInstanceChannel a;
  ASSERT_TRUE(a.Start(first.Handlers()));
  struct Raw {
    const char* name;
    std::string bytes;
  };
  const Raw raws[] = {
      {"unknown kind", std::string("Z\0\0\0\0", 5)},
      {"length beyond the limit", std::string("O\xFF\xFF\xFF\x7F", 5)},
      {"short payload", std::string("O\x10\0\0\0abc", 8)},
      {"empty path", std::string("O\0\0\0\0", 5)},
      {"zero byte inside", std::string("O\3\0\0\0a\0b", 8)},
  };
  for (const Raw& raw : raws) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, (CInstanceChannel::Folder() + "main").c_str());
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::write(fd, raw.bytes.data(), raw.bytes.size()), static_cast<ssize_t>(raw.bytes.size()));
    ::shutdown(fd, SHUT_WR);
    char answer = 0;
    EXPECT_EQ(::read(fd, &answer, 1), 1) << raw.name;
    EXPECT_EQ(answer, '0') << raw.name;
    ::close(fd);
  }
  EXPECT_TRUE(first.Take().empty());
}

}  // namespace
