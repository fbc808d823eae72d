#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "foundation/system/shared_memory.h"
#include "foundation/system/system_message.h"

namespace {

std::string g_lastMessage;
void Capture(const char* text, const char* caption) { g_lastMessage = std::string(caption) + "|" + text; }

std::string UniqueName() { return "TavSharedTest" + std::to_string(::getpid()); }

TEST(SharedMemory, CreatedForTheCurrentUserOnly) {
  const std::string name = UniqueName() + "a";
  void* view = nullptr;
  HANDLE mapping = CreateSharedMemory(name.c_str(), &view, 4096);
  ASSERT_NE(mapping, nullptr);
  ASSERT_NE(view, nullptr);
  std::strcpy(static_cast<char*>(view), "hello");

  bool found = false;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/shm")) {
    if (entry.path().filename().string().find(name) == std::string::npos) continue;
    struct stat st {};
    ASSERT_EQ(::stat(entry.path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u) << std::oct << st.st_mode;  // no access for group or others
    EXPECT_EQ(st.st_uid, ::getuid());
    found = true;
  }
  EXPECT_TRUE(found);

  void* other = nullptr;
  HANDLE second = OpenSharedMemory(name.c_str(), &other);
  ASSERT_NE(second, nullptr);
  EXPECT_STREQ(static_cast<char*>(other), "hello");
  CloseSharedMemory(&second, &other);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(other, nullptr);
  CloseSharedMemory(&mapping, &view);
  EXPECT_EQ(mapping, nullptr);
}

TEST(SharedMemory, OpeningAMissingNameGivesNothing) {
  void* view = reinterpret_cast<void*>(1);
  EXPECT_EQ(OpenSharedMemory((UniqueName() + "missing").c_str(), &view), nullptr);
  EXPECT_EQ(view, nullptr);
}

TEST(SharedMemory, FailureIsReported) {
  SystemMessageHandler before = SetSystemMessageHandler(Capture);
  g_lastMessage.clear();
  void* view = nullptr;
  EXPECT_EQ(CreateSharedMemory(nullptr, &view, 0), nullptr);  // no size for unnamed memory
  EXPECT_EQ(view, nullptr);
  EXPECT_EQ(g_lastMessage, "Error!!!|error creating map file");
  SetSystemMessageHandler(before);
}

}  // namespace
