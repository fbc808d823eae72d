// The system message table and FormatMessage over it.
#include "platform/kernel/kernel_messages.h"

#include <array>
#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/kernel/kernel.h"

namespace {

struct MessageRow {
  DWORD code;
  std::string_view text;
};

constexpr std::array kSystemMessages{
    MessageRow{ERROR_SUCCESS, "The operation succeeded."},
    MessageRow{ERROR_INVALID_FUNCTION, "The function is not valid here."},
    MessageRow{ERROR_FILE_NOT_FOUND, "The file could not be found."},
    MessageRow{ERROR_PATH_NOT_FOUND, "The folder could not be found."},
    MessageRow{ERROR_TOO_MANY_OPEN_FILES, "Too many files are open."},
    MessageRow{ERROR_ACCESS_DENIED, "Access was refused."},
    MessageRow{ERROR_INVALID_HANDLE, "The handle is not valid."},
    MessageRow{ERROR_NOT_ENOUGH_MEMORY, "There is not enough memory for this operation."},
    MessageRow{ERROR_INVALID_DATA, "The data are not valid."},
    MessageRow{ERROR_OUTOFMEMORY, "There is not enough memory to finish this operation."},
    MessageRow{ERROR_NOT_SAME_DEVICE, "The file cannot be moved to another device."},
    MessageRow{ERROR_NO_MORE_FILES, "There are no more files."},
    MessageRow{ERROR_WRITE_PROTECT, "The medium is write-protected."},
    MessageRow{ERROR_SHARING_VIOLATION, "The file is in use by another process."},
    MessageRow{ERROR_HANDLE_EOF, "The end of the file was reached."},
    MessageRow{ERROR_NOT_SUPPORTED, "The request is not supported."},
    MessageRow{ERROR_FILE_EXISTS, "The file exists already."},
    MessageRow{ERROR_INVALID_PARAMETER, "A parameter is not valid."},
    MessageRow{ERROR_DISK_FULL, "The disk is full."},
    MessageRow{ERROR_INSUFFICIENT_BUFFER, "The buffer given is too small."},
    MessageRow{ERROR_INVALID_NAME, "The file name, folder name or volume label is not valid."},
    MessageRow{ERROR_MOD_NOT_FOUND, "The module could not be found."},
    MessageRow{ERROR_NEGATIVE_SEEK, "A position before the start of the file was asked for."},
    MessageRow{ERROR_DIR_NOT_EMPTY, "The folder is not empty."},
    MessageRow{ERROR_BAD_PATHNAME, "The path is not valid."},
    MessageRow{ERROR_ALREADY_EXISTS, "The file cannot be made because it exists already."},
    MessageRow{ERROR_FILENAME_EXCED_RANGE, "The file name is too long."},
    MessageRow{ERROR_MORE_DATA, "More data are available."},
    MessageRow{ERROR_DIRECTORY, "The folder name is not valid."},
    MessageRow{ERROR_INVALID_ADDRESS, "The address is not valid."},
    MessageRow{ERROR_INVALID_FLAGS, "The flags are not valid."},
    MessageRow{ERROR_NO_UNICODE_TRANSLATION, "The text has no counterpart in the code page."},
    MessageRow{ERROR_RESOURCE_DATA_NOT_FOUND, "The module holds no resource data."},
    MessageRow{ERROR_RESOURCE_TYPE_NOT_FOUND, "The module holds no resource of this type."},
    MessageRow{ERROR_RESOURCE_NAME_NOT_FOUND, "The module holds no resource of this name."},
};
static_assert(kSystemMessages.size() == 35);

std::string_view Lookup(DWORD code) {
  for (const MessageRow& row : kSystemMessages)
    if (row.code == code) return row.text;
  return {};
}

// Finds the text and stores it, CR LF added, through `store`.
template <class Char>
DWORD Format(DWORD flags, DWORD messageId, Char* buffer, DWORD size) {
  if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || (flags & (FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_FROM_HMODULE)) ||
      !buffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::string_view text = Lookup(messageId);
  if (text.empty()) {
    SetLastError(ERROR_MR_MID_NOT_FOUND);
    return 0;
  }
  const size_t length = text.size() + 2;  // the texts are ASCII: one unit a character
  Char* out = buffer;
  if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    const size_t units = std::max<size_t>(length + 1, size);
    out = static_cast<Char*>(LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, units * sizeof(Char)));
    if (!out) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    *reinterpret_cast<Char**>(buffer) = out;
  } else if (length + 1 > size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  for (size_t i = 0; i < text.size(); ++i) out[i] = static_cast<Char>(text[i]);
  out[text.size()] = '\r';
  out[text.size() + 1] = '\n';
  out[length] = 0;
  return static_cast<DWORD>(length);
}

}  // namespace

DWORD FormatMessageA(DWORD flags, LPCVOID, DWORD messageId, DWORD, LPSTR buffer, DWORD size, va_list*) {
  return Format(flags, messageId, buffer, size);
}

DWORD FormatMessageW(DWORD flags, LPCVOID, DWORD messageId, DWORD, LPWSTR buffer, DWORD size, va_list*) {
  return Format(flags, messageId, buffer, size);
}
