// What can be undone and redone in the text services: the document and the
// selection before each change, at most a limit of them. A new change
// forgets what could be redone.
#pragma once

#include <deque>
#include <optional>

#include "platform/richedit/text_document.h"

namespace richedit {

struct EditState {
  TextDocument doc;
  size_t selMin = 0, selMax = 0;
};

class UndoHistory {
 public:
  // A limit of 0 keeps nothing; lowering it forgets the oldest steps.
  void SetLimit(long limit);
  long Limit() const { return limit_; }
  // The state before a change about to be made.
  void Remember(EditState before);
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The state to go back (or forward) to; `now` becomes the step the other way.
  std::optional<EditState> Undo(EditState now);
  std::optional<EditState> Redo(EditState now);
  void Clear();

 private:
  void Trim();
  std::deque<EditState> undo_, redo_;
  long limit_ = 100;
};

}  // namespace richedit
