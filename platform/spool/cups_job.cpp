#include "platform/spool/cups_job.h"

namespace spool {

CupsJob::~CupsJob() {
  if (id_ > 0 && !finished_) Cancel();
  Close();
}

bool CupsJob::Fail(const std::string& what) {
  error_ = what + " on " + queue_ + ": " + cupsLastErrorString();
  return false;
}

void CupsJob::Close() {
  if (http_) httpClose(http_);
  http_ = nullptr;
  if (info_) cupsFreeDestInfo(info_);
  info_ = nullptr;
  if (dest_) cupsFreeDests(1, dest_);
  dest_ = nullptr;
}

bool CupsJob::Start(const std::string& queue, const std::string& title, const std::string& format,
                    const std::vector<JobOption>& options) {
  queue_ = queue;
  dest_ = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
  if (!dest_) return Fail("The print queue could not be found");
  // A connection of the job's own to the server the client is set up for
  // (its socket, or its host), so that the job can be cancelled on another.
  http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr);
  if (!http_) return Fail("The print server could not be reached");
  info_ = cupsCopyDestInfo(http_, dest_);
  if (!info_) return Fail("The print queue could not be asked");
  int count = 0;
  cups_option_t* list = nullptr;
  for (const JobOption& o : options) count = cupsAddOption(o.name.c_str(), o.value.c_str(), count, &list);
  const ipp_status_t created = cupsCreateDestJob(http_, dest_, info_, &id_, title.c_str(), count, list);
  if (created > IPP_STATUS_OK_CONFLICTING || id_ <= 0) {
    cupsFreeOptions(count, list);
    id_ = 0;
    return Fail("The print job was refused");
  }
  const http_status_t started =
      cupsStartDestDocument(http_, dest_, info_, id_, title.c_str(), format.c_str(), count, list, 1);
  cupsFreeOptions(count, list);
  if (started != HTTP_STATUS_CONTINUE) return Fail("The document could not be sent");
  documentOpen_ = true;
  return true;
}

bool CupsJob::Write(std::span<const uint8_t> bytes) {
  if (!documentOpen_) return false;
  if (bytes.empty()) return true;
  if (cupsWriteRequestData(http_, reinterpret_cast<const char*>(bytes.data()), bytes.size()) != HTTP_STATUS_CONTINUE)
    return Fail("The document could not be sent");
  return true;
}

bool CupsJob::Finish() {
  if (!documentOpen_) return false;
  documentOpen_ = false;
  const ipp_status_t status = cupsFinishDestDocument(http_, dest_, info_);
  if (status > IPP_STATUS_OK_CONFLICTING) return Fail("The print job failed");
  finished_ = true;
  return true;
}

void CupsJob::Cancel() {
  if (id_ <= 0 || finished_) return;
  documentOpen_ = false;
  // The document's request may still be open on its connection: drop that
  // connection (the server sees the document end unfinished) and cancel on
  // a fresh one.
  if (http_) httpClose(http_);
  http_ = nullptr;
  if (dest_ && cupsCancelDestJob(CUPS_HTTP_DEFAULT, dest_, id_) > IPP_STATUS_OK_CONFLICTING && error_.empty())
    Fail("The print job could not be cancelled");
  finished_ = true;
}

}  // namespace spool
