#include "app/frame/workspace.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "foundation/util/file_names.h"
#include "platform/kernel/byte_reader.h"

namespace {

// Window coordinates beyond this are not a window anyone had.
constexpr LONG kCoordinateLimit = 1 << 20;

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A zero-terminated string in a fixed field; false when it does not fit.
void PutField(std::vector<uint8_t>& out, const std::string& text) {
  const size_t start = out.size();
  out.resize(start + CWorkspace::kPathBytes, 0);
  if (text.size() < CWorkspace::kPathBytes) std::memcpy(out.data() + start, text.data(), text.size());
}

// The string of a field up to its first zero; nullopt when there is none.
std::optional<std::string> FieldString(std::span<const uint8_t> field) {
  const auto end = std::find(field.begin(), field.end(), uint8_t{0});
  if (end == field.end()) return std::nullopt;
  return std::string(field.begin(), end);
}

bool WellFormed(const RECT& r) {
  const auto inside = [](LONG v) { return v > -kCoordinateLimit && v < kCoordinateLimit; };
  return inside(r.left) && inside(r.top) && inside(r.right) && inside(r.bottom) && r.left <= r.right &&
         r.top <= r.bottom;
}

}  // namespace

std::vector<uint8_t> CWorkspace::Encode() const {
  std::vector<uint8_t> out;
  PutU32(out, static_cast<uint32_t>(m_layoutMaximised));
  PutU32(out, m_colour1);
  PutU32(out, m_colour2);
  PutField(out, m_currentFolder);
  for (const WorkspaceRecord& r : m_records) {
    if (r.path.empty() || r.path.size() >= kPathBytes || r.path.find('\0') != std::string::npos) continue;
    for (LONG v : {r.rect.left, r.rect.top, r.rect.right, r.rect.bottom}) PutU32(out, static_cast<uint32_t>(v));
    out.resize(out.size() + 28, 0);  // reserved
    PutU32(out, static_cast<uint32_t>(r.scrollX));
    PutU32(out, static_cast<uint32_t>(r.scrollY));
    PutField(out, r.path);
  }
  return out;
}

bool CWorkspace::Decode(std::span<const uint8_t> bytes) {
  m_records.clear();
  ByteReader file(bytes);
  if (!file.Has(0, kHeaderBytes)) return false;
  m_layoutMaximised = file.I32At(0);
  m_colour1 = file.U32At(4);
  m_colour2 = file.U32At(8);
  m_currentFolder = FieldString(file.BytesAt(12, kPathBytes)).value_or(std::string());
  for (uint64_t at = kHeaderBytes; file.Has(at, kRecordBytes); at += kRecordBytes) {
    const ByteReader rec = file.SubAt(at, kRecordBytes);
    const std::optional<std::string> path = FieldString(rec.BytesAt(52, kPathBytes));
    if (!path || path->empty()) continue;
    WorkspaceRecord r;
    r.rect = RECT{rec.I32At(0), rec.I32At(4), rec.I32At(8), rec.I32At(12)};
    if (!WellFormed(r.rect)) r.rect = RECT{};
    r.scrollX = rec.I32At(44);
    r.scrollY = rec.I32At(48);
    r.path = *path;
    m_records.push_back(std::move(r));
  }
  return !m_records.empty();
}

int CWorkspace::Write() const {
  if (m_path.empty()) return 0;
  ClearFileAttributes(m_path.c_str(), true, true);
  const std::vector<uint8_t> bytes = Encode();
  const std::string temporary = m_path + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      return 0;
    }
  }
  if (std::rename(temporary.c_str(), m_path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return 0;
  }
  return 1;
}

int CWorkspace::Read() {
  std::ifstream in(m_path, std::ios::binary);
  if (m_path.empty() || !in) return 0;
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return Decode(bytes) ? 1 : 0;
}

RECT WorkspaceWindowRect(RECT r) {
  if (r.right - r.left <= 0) {
    r.left = 0;
    r.right = 300;
  }
  if (r.bottom - r.top <= 0) {
    r.top = 0;
    r.bottom = 200;
  }
  return r;
}

POINT ClampWorkspaceScroll(POINT stored, SIZE label, RECT window) {
  const auto clamp = [](LONG v, LONG limit) { return std::clamp<LONG>(v, 0, std::max<LONG>(limit, 0)); };
  return POINT{clamp(stored.x, label.cx - (window.right - window.left)),
               clamp(stored.y, label.cy - (window.bottom - window.top))};
}
