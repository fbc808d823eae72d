// The talk between running designers of one user, over Unix sockets in a
// private folder ($XDG_RUNTIME_DIR/tavrendel/, else /tmp/tavrendel-<uid>/
// when that is ours and 0700). Each instance listens on a socket of its own;
// the first one alive also holds "main", which takes files handed over by a
// later start and requests to come to the front. A "q" start tells every
// instance to quit. Sockets nobody answers on are removed.
//
// Requests are one kind byte ('O' open, 'A' activate, 'Q' quit), a 32-bit
// little-endian length and that many bytes of UTF-8; the answer is one byte,
// '1' yes or '0' no.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

class CInstanceChannel {
 public:
  // Called on the channel's own thread: they must only hand the request to
  // the interface thread (post a message) and answer at once.
  struct Handlers {
    std::function<bool(const std::string& path)> open;
    std::function<bool()> activate;
    std::function<void()> quit;
  };
  enum class Answer { NoInstance, No, Yes };

  CInstanceChannel() = default;
  ~CInstanceChannel() { Stop(); }
  CInstanceChannel(const CInstanceChannel&) = delete;
  CInstanceChannel& operator=(const CInstanceChannel&) = delete;

  // The private folder, made when missing; empty when there is none we may use.
  static std::string Folder();

  // Starts listening; false when there is no usable folder or socket.
  bool Start(Handlers handlers);
  void Stop();
  bool IsMain() const { return m_main.load(); }
  const std::string& SocketPath() const { return m_ownPath; }

  // A later start: hands a path to the main instance, waiting at most
  // `timeoutMs` for its answer.
  static Answer SendOpen(std::string_view path, int timeoutMs = 500);
  static Answer SendActivate(int timeoutMs = 500);
  // Tells every instance to quit; how many were told.
  static int SendQuitToAll(int timeoutMs = 500);

 private:
  void Loop();
  void TryBecomeMain();
  void Serve(int listener);

  Handlers m_handlers;
  std::string m_folder;
  std::string m_ownPath;
  int m_ownSocket = -1;
  int m_mainSocket = -1;
  int m_lockFd = -1;
  int m_wake[2] = {-1, -1};
  std::atomic<bool> m_main{false};
  std::thread m_thread;
};
