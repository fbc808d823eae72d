// The grid as a delimited text file: one record per row, fields parted by
// the delimiter. A field holding the delimiter, a quote or a line break is
// written between quotes with its quotes doubled (as RFC 4180 has it), so a
// file written by Save reads back by Load to the same cells.
#include <string>
#include <vector>

#include "grid/grid_ctrl.h"

namespace {

void AppendField(std::string& out, const AString& text, char delimiter) {
  const std::string_view field(text.IsEmpty() ? "" : text.GetData(), static_cast<size_t>(text.GetLength()));
  if (field.find_first_of(std::string{delimiter, '"', '\r', '\n'}) == std::string_view::npos) {
    out.append(field);
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// Splits the whole file into records of fields. Quoted fields may hold the
// delimiter, doubled quotes and line breaks; a record ends at LF or CR LF.
std::vector<std::vector<std::string>> ParseRecords(std::string_view text, char delimiter) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::string field;
  bool quoted = false, fieldStarted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
      }
      continue;
    }
    if (c == '"' && !fieldStarted) {
      quoted = fieldStarted = true;
    } else if (c == delimiter) {
      record.push_back(std::move(field));
      field.clear();
      fieldStarted = false;
    } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      if (c == '\r') ++i;
      record.push_back(std::move(field));
      records.push_back(std::move(record));
      field.clear();
      record.clear();
      fieldStarted = false;
    } else {
      field += c;
      fieldStarted = true;
    }
  }
  if (fieldStarted || !record.empty()) {
    record.push_back(std::move(field));
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace

bool CGridCtrl::Save(const char* fileName, char delimiter) {
  CStdioFile file;
  CFileException error;
  if (!file.Open(fileName, CFile::modeWrite | CFile::modeCreate | CFile::typeBinary, &error)) {
    error.ReportError();
    return false;
  }
  std::string out;
  for (int row = 0; row < m_nRows; ++row) {
    for (int col = 0; col < m_nCols; ++col) {
      AppendField(out, GetItemText(row, col), delimiter);
      out += col + 1 < m_nCols ? delimiter : '\n';
    }
  }
  try {
    file.Write(out.data(), static_cast<UINT>(out.size()));
    file.Close();
  } catch (CException* e) {
    e->Delete();
    AfxMessageBox("Unable to save grid list");
    return false;
  }
  return true;
}

bool CGridCtrl::Load(const char* fileName, char delimiter) {
  if (m_bVirtualMode) return false;
  CStdioFile file;
  CFileException error;
  if (!file.Open(fileName, CFile::modeRead | CFile::typeBinary, &error)) {
    error.ReportError();
    return false;
  }
  std::string text;
  try {
    char buffer[4096];
    for (UINT got; (got = file.Read(buffer, sizeof buffer)) > 0;) text.append(buffer, got);
  } catch (CException* e) {
    e->Delete();
    AfxMessageBox("Unable to load grid data");
    return false;
  }
  DeleteAllItems();
  const auto records = ParseRecords(text, delimiter);
  if (records.empty()) return true;
  for (const std::string& heading : records.front())
    InsertColumn(heading.c_str(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  for (size_t r = 1; r < records.size(); ++r) {
    const std::vector<std::string>& fields = records[r];
    const int row = InsertRow(fields.empty() ? "" : fields[0].c_str());
    for (size_t c = 1; c < fields.size(); ++c)
      SetItemText(row, static_cast<int>(c), AString(static_cast<int>(fields[c].size()), fields[c].data()));
  }
  AutoSizeColumns(m_nAutoSizeColumnStyle);
  return true;
}
