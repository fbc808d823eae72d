// The database record select dialog on SQLite tables of 10,000, 100,000 and
// 1,000,000 records: opening it (the records counted, the first 100 read)
// and going to the last record (Ctrl+End, the rows shown there read), then
// to the middle one, the window farthest from either end, and closing it;
// with the resident memory it adds, its peak, the rows it holds and the
// windows of rows it read. The grid is virtual and the dialog holds a
// bounded number of rows, so time and memory follow the rows shown, not the
// table.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "datasource/db_bindings.h"
#include "datasource/odbc_connection.h"
#include "datasource/ui/records/record_select_dlg.h"
#include "fields/model/field_kinds.h"
#include "platform/testing/ui.h"
#include "platform/user/dialogs/dialogs.h"
#include "tests/datasource/odbc_environment.h"

namespace {

long long StatusBytes(const char* key) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(key, 0) == 0) return std::atoll(line.c_str() + std::char_traits<char>::length(key)) * 1024;
  }
  return 0;
}

bool MakeTable(int rows) {
  COdbcConnection c;
  if (!c.Connect(odbc_test::kSqliteDsn, nullptr, nullptr)) return false;
  c.ExecuteUpdate("DROP TABLE IF EXISTS select_rows");
  c.ExecuteUpdate("CREATE TABLE select_rows (n INTEGER PRIMARY KEY, code VARCHAR(12), name VARCHAR(40))");
  const std::string fill =
      "INSERT INTO select_rows WITH RECURSIVE r(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM r WHERE i < " +
      std::to_string(rows) + ") SELECT i, printf('C%08d', i), 'Item number ' || i FROM r";
  return c.ExecuteUpdate(fill.c_str()) == rows;
}

// What the hook does while the dialog is up: go to the last record, let the
// grid paint (and load the rows it shows), note the memory, go to the middle
// record, close. The time to open (until the first rows are painted), to go
// to the end and from there to the middle are noted apart.
using Clock = std::chrono::steady_clock;

struct Visit {
  CDbRecordSelectDlg* dialog = nullptr;
  Clock::time_point start;
  double openMs = 0;
  double endMs = 0;
  double middleMs = 0;
  long long before = 0;
  long long added = 0;
  int loaded = 0;
  long long records = 0;
  long long reads = 0;
  long long peak = 0;
};

void AtTheEnd(HWND window, void* context) {
  auto* visit = static_cast<Visit*>(context);
  uitest::RunUntilIdle();
  HWND grid = visit->dialog->Grid().m_hWnd;
  ::UpdateWindow(grid);
  const Clock::time_point opened = Clock::now();
  visit->openMs += std::chrono::duration<double, std::milli>(opened - visit->start).count();
  ::SetFocus(grid);
  uitest::Key(VK_END, false, true);
  uitest::RunUntilIdle();
  ::UpdateWindow(grid);
  uitest::RunUntilIdle();
  visit->endMs += std::chrono::duration<double, std::milli>(Clock::now() - opened).count();
  visit->added = StatusBytes("VmRSS:") - visit->before;
  visit->loaded = visit->dialog->LoadedRows();
  visit->records = visit->dialog->RecordCount();
  visit->reads = visit->dialog->RowReads();
  visit->peak = StatusBytes("VmHWM:") - visit->before;
  // Then the middle record, the farthest from either end of the table.
  const Clock::time_point middle = Clock::now();
  visit->dialog->Grid().EnsureVisible(static_cast<int>(visit->records / 2), 1);
  uitest::RunUntilIdle();
  ::UpdateWindow(grid);
  uitest::RunUntilIdle();
  visit->middleMs += std::chrono::duration<double, std::milli>(Clock::now() - middle).count();
  ::EndDialog(window, IDCANCEL);
}

void BM_RecordSelectToTheEnd(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  if (!MakeTable(rows)) {
    state.SkipWithError("no table");
    return;
  }
  CTextField field;
  field.dataSourceType = static_cast<int16_t>(DataSourceType::kDatabase);
  field.dbSource = odbc_test::kSqliteDsn;
  field.dbTable = "select_rows";
  field.dbColumn = "code";
  CLabelSetup setup;
  CDbBinding binding;
  binding.keyColumn = "n";
  setup.dbBindings.SetAt(MakeDbBindingKey(field.dbSource, field.dbTable), binding);
  Visit visit;
  for (auto _ : state) {
    CDbRecordSelectDlg dialog(nullptr);
    dialog.m_setup = &setup;
    dialog.m_field = &field;
    dialog.m_fields = {&field};
    visit.dialog = &dialog;
    malloc_trim(0);
    // The peak from here on: making the table does not count.
    std::ofstream("/proc/self/clear_refs") << "5";
    visit.before = StatusBytes("VmRSS:");
    user::SetModalDialogHook(&AtTheEnd, &visit);
    visit.start = Clock::now();
    dialog.DoModal();
    user::SetModalDialogHook(nullptr, nullptr);
  }
  if (visit.records != rows) state.SkipWithError("the dialog did not count every record");
  state.counters["added_MB"] = static_cast<double>(visit.added) / (1024.0 * 1024.0);
  state.counters["rows_loaded"] = visit.loaded;
  state.counters["peak_added_MB"] = static_cast<double>(visit.peak) / (1024.0 * 1024.0);
  state.counters["row_reads"] = static_cast<double>(visit.reads);
  state.counters["open_ms"] = visit.openMs / static_cast<double>(state.iterations());
  state.counters["end_ms"] = visit.endMs / static_cast<double>(state.iterations());
  state.counters["middle_ms"] = visit.middleMs / static_cast<double>(state.iterations());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  odbc_test::SetUpOdbcSources();
  benchmark::RegisterBenchmark("RecordSelectToTheEnd/SQLite", BM_RecordSelectToTheEnd)
      ->Arg(10000)
      ->Arg(100000)
      ->Arg(1000000)
      ->Iterations(3)
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  odbc_test::TearDownOdbcSources();
  return 0;
}
