// Test support: the field code's messages recorded instead of shown, while
// an object of this class lives.
#pragma once

#include <utility>
#include <vector>

#include "fields/services/ui_messages.h"

namespace fields_test {

class RecordUiMessages {
 public:
  RecordUiMessages() : previous_(SetUiMessageHook(&Record)) { Recorded().clear(); }
  ~RecordUiMessages() { SetUiMessageHook(previous_); }
  RecordUiMessages(const RecordUiMessages&) = delete;
  RecordUiMessages& operator=(const RecordUiMessages&) = delete;

  // The messages shown since the last call, oldest first.
  std::vector<UiMessage> Take() { return std::exchange(Recorded(), {}); }

 private:
  static std::vector<UiMessage>& Recorded() {
    static std::vector<UiMessage> recorded;
    return recorded;
  }
  static int Record(HWND, const UiMessage& message) {
    Recorded().push_back(message);
    return 1;
  }
  UiMessageHook previous_;
};

}  // namespace fields_test
