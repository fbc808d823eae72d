// The undo and redo steps of the text services.
#include "platform/richedit/undo_history.h"

#include <utility>

namespace richedit {

void UndoHistory::SetLimit(long limit) {
  limit_ = limit < 0 ? 0 : limit;
  Trim();
}

void UndoHistory::Trim() {
  const auto most = static_cast<size_t>(limit_);
  while (undo_.size() > most) undo_.pop_front();
  while (redo_.size() > most) redo_.pop_front();
}

void UndoHistory::Remember(EditState before) {
  redo_.clear();
  if (limit_ <= 0) return;
  undo_.push_back(std::move(before));
  Trim();
}

std::optional<EditState> UndoHistory::Undo(EditState now) {
  if (undo_.empty()) return std::nullopt;
  EditState back = std::move(undo_.back());
  undo_.pop_back();
  redo_.push_back(std::move(now));
  Trim();
  return back;
}

std::optional<EditState> UndoHistory::Redo(EditState now) {
  if (redo_.empty()) return std::nullopt;
  EditState forward = std::move(redo_.back());
  redo_.pop_back();
  undo_.push_back(std::move(now));
  Trim();
  return forward;
}

void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
}

}  // namespace richedit
