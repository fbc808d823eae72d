// One job on a print queue, through libcups: created, one document streamed
// to it piece by piece, finished; cancelled when it is dropped unfinished.
// Every failure keeps the server's reason (cupsLastErrorString) for messages.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <cups/cups.h>

namespace spool {

struct JobOption {
  std::string name, value;
};

class CupsJob {
 public:
  CupsJob() = default;
  ~CupsJob();
  CupsJob(const CupsJob&) = delete;
  CupsJob& operator=(const CupsJob&) = delete;

  // Creates the job and starts its one document in `format` (a MIME type).
  bool Start(const std::string& queue, const std::string& title, const std::string& format,
             const std::vector<JobOption>& options);
  bool Write(std::span<const uint8_t> bytes);
  bool Finish();
  void Cancel();

  int Id() const { return id_; }
  const std::string& Error() const { return error_; }

 private:
  bool Fail(const std::string& what);
  void Close();

  cups_dest_t* dest_ = nullptr;
  cups_dinfo_t* info_ = nullptr;
  http_t* http_ = nullptr;
  int id_ = 0;
  bool documentOpen_ = false;
  bool finished_ = false;
  std::string queue_;
  std::string error_;
};

}  // namespace spool
