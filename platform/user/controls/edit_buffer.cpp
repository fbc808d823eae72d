// The edit control's text model.
#include "platform/user/controls/edit_buffer.h"

#include <algorithm>

#include "platform/nls/nls.h"

namespace controls {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Where the hard break at or after from starts, and its length ("\r\n" or a lone "\n").
size_t FindBreak(std::u16string_view text, size_t from, size_t& breakLength) {
  for (size_t i = from; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      breakLength = 2;
      return i;
    }
    if (text[i] == u'\n') {
      breakLength = 1;
      return i;
    }
  }
  breakLength = 0;
  return text.size();
}

}  // namespace

void EditBuffer::SetText(std::u16string_view text) {
  text_.assign(text);
  anchor_ = caret_ = 0;
  modified_ = false;
  undo_ = {};
  Relayout();
}

std::u16string EditBuffer::DisplayText() const {
  if (!options_.password || options_.multiLine) return text_;
  return std::u16string(text_.size(), options_.passwordChar);
}

void EditBuffer::SetLimit(size_t limit) {
  if (limit == 0) limit = options_.multiLine ? kMultiLineMaximum : kSingleLineMaximum;
  limit_ = limit;
}

void EditBuffer::SetSelection(long start, long end) {
  if (start == -1) {
    anchor_ = caret_;
    return;
  }
  const auto clamp = [this](long v) { return (v < 0 || static_cast<size_t>(v) > text_.size()) ? text_.size() : static_cast<size_t>(v); };
  anchor_ = clamp(start);
  caret_ = clamp(end);
  preferredColumn_ = -1;
}

std::u16string EditBuffer::SelectedText() const {
  return text_.substr(selectionStart(), selectionEnd() - selectionStart());
}

bool EditBuffer::Filter(std::u16string& text, bool byUser) const {
  if (!options_.multiLine) {
    // A single line takes text up to its first line break.
    size_t breakLength = 0;
    text.resize(FindBreak(text, 0, breakLength));
  }
  if (options_.upperCase) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  if (options_.lowerCase) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return !(byUser && options_.readOnly);
}

EditResult EditBuffer::Type(char16_t ch) {
  if (options_.readOnly) return EditResult::Refused;
  std::u16string text;
  if (ch == u'\r' || ch == u'\n') {
    if (!options_.multiLine) return EditResult::Refused;
    text = u"\r\n";
  } else if (ch < 0x20 && ch != u'\t') {
    return EditResult::Refused;
  } else if (ch == u'\t' && !options_.multiLine) {
    return EditResult::Refused;
  } else {
    if (options_.number && !IsDigit(ch)) return EditResult::Refused;
    text.push_back(ch);
  }
  return ReplaceSelection(text, true, true);
}

EditResult EditBuffer::ReplaceSelection(std::u16string_view text, bool canUndo, bool byUser) {
  std::u16string filtered(text);
  if (!Filter(filtered, byUser)) return EditResult::Refused;
  const size_t start = selectionStart();
  const size_t end = selectionEnd();
  const size_t kept = text_.size() - (end - start);
  const size_t room = limit_ > kept ? limit_ - kept : 0;
  EditResult limited = EditResult::Changed;
  if (filtered.size() > room) {
    size_t n = room;
    // Never keep half of a surrogate pair or of a line break.
    if (n > 0 && filtered[n - 1] >= 0xD800 && filtered[n - 1] <= 0xDBFF) --n;
    if (n > 0 && filtered[n - 1] == u'\r' && filtered[n] == u'\n') --n;
    filtered.resize(n);
    limited = filtered.empty() ? EditResult::Full : EditResult::Truncated;
    if (filtered.empty() && start == end) return EditResult::Full;
  }
  const EditResult result = Replace(start, end, filtered, canUndo);
  return limited == EditResult::Changed ? result : limited;
}

EditResult EditBuffer::Replace(size_t start, size_t end, std::u16string_view text, bool canUndo) {
  if (start == end && text.empty()) return EditResult::Unchanged;
  std::u16string removed = text_.substr(start, end - start);
  // Consecutive typing is undone as one step.
  const bool merge = canUndo && undo_.valid && removed.empty() && undo_.start + undo_.insertedLength == start &&
                     caret_ == start && anchor_ == start;
  if (merge) {
    undo_.insertedLength += text.size();
  } else if (canUndo) {
    undo_ = UndoRecord{true, start, std::move(removed), text.size()};
  } else {
    undo_ = {};
  }
  text_.replace(start, end - start, text);
  anchor_ = caret_ = start + text.size();
  modified_ = true;
  preferredColumn_ = -1;
  Relayout();
  return EditResult::Changed;
}

EditResult EditBuffer::DeleteForward(bool word) {
  if (options_.readOnly) return EditResult::Refused;
  if (HasSelection()) return Replace(selectionStart(), selectionEnd(), {}, true);
  if (caret_ == text_.size()) return EditResult::Unchanged;
  size_t end = word ? NextWordStart(caret_) : caret_ + 1;
  if (!word && text_[caret_] == u'\r' && end < text_.size() && text_[end] == u'\n') ++end;
  if (!word && text_[caret_] >= 0xD800 && text_[caret_] <= 0xDBFF && end < text_.size()) ++end;
  return Replace(caret_, end, {}, true);
}

EditResult EditBuffer::DeleteBackward(bool word) {
  if (options_.readOnly) return EditResult::Refused;
  if (HasSelection()) return Replace(selectionStart(), selectionEnd(), {}, true);
  if (caret_ == 0) return EditResult::Unchanged;
  size_t start = word ? PreviousWordStart(caret_) : caret_ - 1;
  if (!word && start > 0 && text_[start] == u'\n' && text_[start - 1] == u'\r') --start;
  if (!word && start > 0 && text_[start] >= 0xDC00 && text_[start] <= 0xDFFF) --start;
  return Replace(start, caret_, {}, true);
}

EditResult EditBuffer::Cut() {
  if (options_.readOnly) return EditResult::Refused;
  if (!HasSelection()) return EditResult::Unchanged;
  return Replace(selectionStart(), selectionEnd(), {}, true);
}

bool EditBuffer::Undo() {
  if (!undo_.valid) return false;
  const UndoRecord record = undo_;
  const std::u16string inserted = text_.substr(record.start, record.insertedLength);
  text_.replace(record.start, record.insertedLength, record.removed);
  // The inverse change, so undoing again redoes.
  undo_ = UndoRecord{true, record.start, inserted, record.removed.size()};
  anchor_ = record.start;
  caret_ = record.start + record.removed.size();
  modified_ = true;
  Relayout();
  return true;
}

size_t EditBuffer::NextWordStart(size_t from) const {
  size_t i = std::min(from, text_.size());
  while (i < text_.size() && !IsSpace(text_[i])) ++i;
  while (i < text_.size() && IsSpace(text_[i])) ++i;
  return i;
}

size_t EditBuffer::PreviousWordStart(size_t from) const {
  size_t i = std::min(from, text_.size());
  while (i > 0 && IsSpace(text_[i - 1])) --i;
  while (i > 0 && !IsSpace(text_[i - 1])) --i;
  return i;
}

void EditBuffer::MoveTo(size_t position, bool extend) {
  caret_ = std::min(position, text_.size());
  if (!extend) anchor_ = caret_;
}

void EditBuffer::MoveLeft(bool extend, bool word) {
  preferredColumn_ = -1;
  if (!extend && !word && HasSelection()) return MoveTo(selectionStart(), false);
  if (caret_ == 0) return MoveTo(0, extend);
  size_t to = word ? PreviousWordStart(caret_) : caret_ - 1;
  if (!word && to > 0 && text_[to] == u'\n' && text_[to - 1] == u'\r') --to;
  if (!word && to > 0 && text_[to] >= 0xDC00 && text_[to] <= 0xDFFF) --to;
  MoveTo(to, extend);
}

void EditBuffer::MoveRight(bool extend, bool word) {
  preferredColumn_ = -1;
  if (!extend && !word && HasSelection()) return MoveTo(selectionEnd(), false);
  if (caret_ >= text_.size()) return MoveTo(text_.size(), extend);
  size_t to = word ? NextWordStart(caret_) : caret_ + 1;
  if (!word && text_[caret_] == u'\r' && to < text_.size() && text_[to] == u'\n') ++to;
  if (!word && text_[caret_] >= 0xD800 && text_[caret_] <= 0xDBFF && to < text_.size()) ++to;
  MoveTo(to, extend);
}

void EditBuffer::MoveHome(bool extend, bool wholeText) {
  preferredColumn_ = -1;
  MoveTo(wholeText ? 0 : LineIndex(LineFromChar(caret_)), extend);
}

void EditBuffer::MoveEnd(bool extend, bool wholeText) {
  preferredColumn_ = -1;
  const size_t line = LineFromChar(caret_);
  MoveTo(wholeText ? text_.size() : LineIndex(line) + LineLength(line), extend);
}

void EditBuffer::MoveUp(bool extend) {
  const size_t line = LineFromChar(caret_);
  if (preferredColumn_ < 0) preferredColumn_ = static_cast<int>(caret_ - LineIndex(line));
  if (line == 0) return MoveTo(extend ? caret_ : caret_, extend);
  const size_t column = std::min<size_t>(static_cast<size_t>(preferredColumn_), LineLength(line - 1));
  const int keep = preferredColumn_;
  MoveTo(LineIndex(line - 1) + column, extend);
  preferredColumn_ = keep;
}

void EditBuffer::MoveDown(bool extend) {
  const size_t line = LineFromChar(caret_);
  if (preferredColumn_ < 0) preferredColumn_ = static_cast<int>(caret_ - LineIndex(line));
  if (line + 1 >= lines_.size()) return;
  const size_t column = std::min<size_t>(static_cast<size_t>(preferredColumn_), LineLength(line + 1));
  const int keep = preferredColumn_;
  MoveTo(LineIndex(line + 1) + column, extend);
  preferredColumn_ = keep;
}

void EditBuffer::Layout(int width, TextMeasure measure) {
  layoutWidth_ = width;
  measure_ = std::move(measure);
  Relayout();
}

void EditBuffer::Relayout() {
  lines_.clear();
  const bool wrap = options_.multiLine && options_.wordWrap && measure_ && layoutWidth_ > 0;
  const std::u16string_view text = text_;
  size_t pos = 0;
  for (;;) {
    size_t breakLength = 0;
    const size_t hard = options_.multiLine ? FindBreak(text, pos, breakLength) : text.size();
    // Soft breaks within [pos, hard).
    while (wrap && pos < hard && measure_(text.substr(pos, hard - pos)) > layoutWidth_) {
      size_t fit = pos + 1;  // at least one character a line
      while (fit < hard && measure_(text.substr(pos, fit + 1 - pos)) <= layoutWidth_) ++fit;
      size_t cut = fit;
      while (cut > pos && !IsSpace(text[cut])) --cut;
      if (cut == pos) {
        lines_.push_back({pos, fit - pos, fit});
        pos = fit;
        continue;
      }
      size_t next = cut;
      while (next < hard && IsSpace(text[next])) ++next;
      lines_.push_back({pos, cut - pos, next});
      pos = next;
    }
    lines_.push_back({pos, hard - pos, hard + breakLength});
    if (breakLength == 0) break;
    pos = hard + breakLength;
  }
}

size_t EditBuffer::LineFromChar(size_t index) const {
  for (size_t i = 0; i + 1 < lines_.size(); ++i) {
    if (index < lines_[i + 1].start) return i;
  }
  return lines_.size() - 1;
}

size_t EditBuffer::LineIndex(size_t line) const { return line < lines_.size() ? lines_[line].start : text_.size(); }

size_t EditBuffer::LineLength(size_t line) const { return line < lines_.size() ? lines_[line].length : 0; }

std::u16string_view EditBuffer::LineText(size_t line) const {
  if (line >= lines_.size()) return {};
  return std::u16string_view(text_).substr(lines_[line].start, lines_[line].length);
}

}  // namespace controls
