// Where decoders read from: memory that already holds the whole input (a
// mapped file, a resource, a caller's block), handed out as pointers.
#pragma once

#include <string>

#include "image/bitmap/plbmp.h"
#include "image/bitmap/plobject.h"

// Told how much of the input has been consumed (0 to 1).
class ProgressNotifier {
 public:
  virtual ~ProgressNotifier() = default;
  virtual void OnProgress(double part) = 0;
};

// Results of the sources' Open.
enum PLSourceOpenResult : int {
  PL_OPEN_OK = 0,
  PL_OPEN_PATH_NOT_FOUND = 3,
  PL_OPEN_FAILED = 4,
  PL_OPEN_ACCESS_DENIED = 5,  // also sharing violations and mapping failures (an empty file)
};

class PLDataSource : public PLObject {
 public:
  explicit PLDataSource(ProgressNotifier* notifier = nullptr) : m_pNotifier(notifier) {}
  PLDataSource(const PLDataSource&) = delete;
  PLDataSource& operator=(const PLDataSource&) = delete;
  ~PLDataSource() override = default;

  virtual void InitSource(const char* name, int fileSize);
  // Tells the notifier 1.0, forgets name and size.
  virtual void Close();
  // The next n bytes without consuming them. The pointer is valid for
  // GetBytesLeft() bytes; callers check that before they look.
  virtual const PLBYTE* PeekBytes(int n);
  // Consumes n bytes and returns them; throws PLTextException (11, "End of
  // file reached while decoding.\n") when fewer than n are left (or n < 0),
  // without moving.
  virtual const PLBYTE* ReadBytes(int n);
  virtual const PLBYTE* GetCurrentData();

  void NotifyProgress(double part);

  const char* GetName() const { return m_Name.c_str(); }
  int GetFileSize() const { return m_FileSize; }
  int GetBytesRead() const { return m_BytesRead; }
  int GetBytesLeft() const { return m_FileSize - m_BytesRead; }
  bool IsOpen() const { return m_bOpen; }

 protected:
  const PLBYTE* m_pReadPos = nullptr;  // current read pointer of every kind

 private:
  std::string m_Name;
  int m_FileSize = 0;
  int m_BytesRead = 0;
  ProgressNotifier* m_pNotifier = nullptr;  // not owned
  bool m_bOpen = false;
};
