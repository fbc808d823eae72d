// The one exception type of the image library: an error code and a message.
#pragma once

#include <string>

#include "image/bitmap/plobject.h"

// Error codes carried by PLTextException.
enum PLErrorCode : int {
  PL_ERRNO_MEMORY = 10,    // out of memory
  PL_ERREND_OF_DATA = 11,  // end of data while decoding, or a full output buffer
};

class PLTextException : public PLObject {
 public:
  // Also puts the process error mode back to the system default.
  PLTextException(int code, const char* text);
  PLTextException(const PLTextException& other) = default;
  PLTextException& operator=(const PLTextException& other) = default;
  ~PLTextException() override = default;

  virtual int GetCode() const { return m_Code; }
  virtual const char* GetText() const { return m_Text.c_str(); }

 private:
  int m_Code;
  std::string m_Text;
};
