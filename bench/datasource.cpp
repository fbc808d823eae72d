// Reading database records: fetching 100,000 rows through each driver, bound
// as values and as text, and the value of a Database field over 100,000
// labels, in label order and at random; and the memory of a print job over
// 10,000 to 1,000,000 records (the peak resident size the walk adds, flat
// when the records are read front to back). The sources are the test
// program's: an SQLite file and a PostgreSQL server of this run's own.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "datasource/db_bindings.h"
#include "datasource/odbc_connection.h"
#include "datasource/odbc_statement.h"
#include "tests/datasource/odbc_environment.h"

namespace {

constexpr int kRows = 100000;

struct Source {
  const char* name;
  const char* dsn;
  bool postgres;
};
const Source kSources[] = {{"SQLite", odbc_test::kSqliteDsn, false}, {"PostgreSQL", odbc_test::kPgDsn, true}};
// The PostgreSQL source that fetches rows as the cursor moves: in label order
// only (at random each label is a round trip to the server).
const Source kStreamed = {"PostgreSQLStreamed", odbc_test::kPgStreamedDsn, true};

bool MakeTable(const Source& source) {
  COdbcConnection c;
  if (!c.Connect(source.dsn, nullptr, nullptr)) {
    std::fprintf(stderr, "%s: %s\n", source.name, c.GetErrorText().GetData());
    return false;
  }
  c.ExecuteUpdate("DROP TABLE IF EXISTS rows100k");
  c.ExecuteUpdate("CREATE TABLE rows100k (n INTEGER, name VARCHAR(40), amount NUMERIC(10,2), made DATE)");
  const char* fill =
      source.postgres
          ? "INSERT INTO rows100k SELECT i, 'Item number ' || i, i * 0.25, DATE '2024-01-01' + (i % 366) "
            "FROM generate_series(1, 100000) AS i"
          : "INSERT INTO rows100k WITH RECURSIVE r(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM r WHERE i < 100000) "
            "SELECT i, 'Item number ' || i, i * 0.25, date('2024-01-01', '+' || (i % 366) || ' days') FROM r";
  return c.ExecuteUpdate(fill) == kRows;
}

void BM_FetchRows(benchmark::State& state, const Source source, bool asText) {
  COdbcConnection c;
  if (!c.Connect(source.dsn, nullptr, nullptr)) {
    state.SkipWithError("no connection");
    return;
  }
  for (auto _ : state) {
    COdbcStatement* s = c.OpenQuery("SELECT * FROM rows100k ORDER BY n", asText);
    if (!s) {
      state.SkipWithError(c.GetErrorText().GetData());
      return;
    }
    int rows = 0;
    size_t bytes = 0;
    for (bool more = s->MoveFirst(); more; more = s->MoveNext()) {
      for (int i = 0; i < s->GetColumnCount(); ++i) {
        const char* t = s->GetText(i);
        bytes += t ? std::char_traits<char>::length(t) : 0;
      }
      ++rows;
    }
    benchmark::DoNotOptimize(bytes);
    c.DeleteStatement(s);
    if (rows != kRows) state.SkipWithError("short result");
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_GetDbFieldValue(benchmark::State& state, const Source source, bool random) {
  CDbBindingMap map;
  CDbBinding b;
  b.keyColumn = "n";
  CSelRecordArray records;
  for (int i = 1; i <= kRows; ++i) records.push_back({i, 1, 0});
  b.SetSelection(records);
  map.SetAt(MakeDbBindingKey(source.dsn, "rows100k"), b);
  if (!OpenDbBindings(map)) {
    state.SkipWithError("bindings did not open");
    return;
  }
  std::vector<int> labels(kRows);
  for (int i = 0; i < kRows; ++i) labels[static_cast<size_t>(i)] = i;
  if (random) std::shuffle(labels.begin(), labels.end(), std::mt19937(19));
  for (auto _ : state) {
    CDataRunContext run;
    run.bindings = &map;
    AString value;
    size_t bytes = 0;
    for (int n : labels) {
      GetDbValue(run, source.dsn, "rows100k", "name", n, &value);
      bytes += static_cast<size_t>(value.GetLength());
    }
    benchmark::DoNotOptimize(bytes);
  }
  CloseDbBindings(map);
  state.SetItemsProcessed(state.iterations() * kRows);
}

// The process's resident size (or its peak so far), in bytes.
long long StatusBytes(const char* field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field, 0) == 0) return std::stoll(line.substr(std::char_traits<char>::length(field))) * 1024;
  }
  return 0;
}

bool MakeSizedTable(const Source& source, int rows) {
  COdbcConnection c;
  if (!c.Connect(source.dsn, nullptr, nullptr)) return false;
  c.ExecuteUpdate("DROP TABLE IF EXISTS print_rows");
  c.ExecuteUpdate("CREATE TABLE print_rows (n INTEGER, name VARCHAR(40), amount NUMERIC(10,2), made DATE)");
  const std::string count = std::to_string(rows);
  const std::string fill =
      source.postgres
          ? "INSERT INTO print_rows SELECT i, 'Item number ' || i, i * 0.25, DATE '2024-01-01' + (i % 366) "
            "FROM generate_series(1, " + count + ") AS i"
          : "INSERT INTO print_rows WITH RECURSIVE r(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM r WHERE i < " +
                count + ") SELECT i, 'Item number ' || i, i * 0.25, date('2024-01-01', '+' || (i % 366) || ' days') "
                "FROM r";
  return c.ExecuteUpdate(fill.c_str()) == rows;
}

// A print job over every record of a table of state.range(0) rows, one label
// each: in table order (read front to back) or in reverse (a scrolling
// cursor). Reports the most resident memory the job adds over what the
// process held with the selection made (the resident size read when the job
// has opened and every thousand labels; the peak the kernel keeps cannot be
// reset for each size), and the process's peak.
void BM_PrintJobMemory(benchmark::State& state, const Source source, bool inOrder) {
  const int rows = static_cast<int>(state.range(0));
  if (!MakeSizedTable(source, rows)) {
    state.SkipWithError("no table");
    return;
  }
  CSelRecordArray records;
  records.reserve(static_cast<size_t>(rows));
  for (int i = 1; i <= rows; ++i) records.push_back({inOrder ? i : rows + 1 - i, 1, 0});
  long long added = 0;
  for (auto _ : state) {
    CDbBindingMap map;
    CDbBinding b;
    b.keyColumn = "n";
    b.SetSelection(records);
    map.SetAt(MakeDbBindingKey(source.dsn, "print_rows"), b);
    // What earlier sizes freed goes back to the system first, so it is not
    // reused unseen.
    malloc_trim(0);
    const long long before = StatusBytes("VmRSS:");
    if (!OpenDbBindings(map)) {
      state.SkipWithError("bindings did not open");
      return;
    }
    added = std::max(added, StatusBytes("VmRSS:") - before);
    CDataRunContext run;
    run.bindings = &map;
    AString value;
    size_t bytes = 0;
    for (int n = 0; n < rows; ++n) {
      GetDbValue(run, source.dsn, "print_rows", "name", n, &value);
      bytes += static_cast<size_t>(value.GetLength());
      if (n % 1000 == 999) added = std::max(added, StatusBytes("VmRSS:") - before);
    }
    benchmark::DoNotOptimize(bytes);
    CloseDbBindings(map);
  }
  state.counters["added_MB"] = static_cast<double>(added) / (1024.0 * 1024.0);
  state.counters["peak_rss_MB"] = static_cast<double>(StatusBytes("VmHWM:")) / (1024.0 * 1024.0);
  state.counters["bytes_per_row"] = static_cast<double>(added) / rows;
  // The job's own list of chosen records, of which listing the bindings'
  // keys makes a passing copy: what grows with the records whatever the
  // driver keeps.
  state.counters["selection_MB"] = static_cast<double>(rows) * sizeof(SelRecord) / (1024.0 * 1024.0);
  state.SetItemsProcessed(state.iterations() * rows);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  odbc_test::SetUpOdbcSources();
  bool ready = !odbc_test::PostgresSocketFolder().empty();
  for (const Source& source : kSources) ready = ready && MakeTable(source);
  if (ready) {
    for (const Source& source : kSources) {
      for (bool asText : {false, true}) {
        benchmark::RegisterBenchmark((std::string("FetchRows/") + source.name + (asText ? "/AsText" : "/AsValues")).c_str(),
                                     BM_FetchRows, source, asText)
            ->Unit(benchmark::kMillisecond);
      }
      for (bool random : {false, true}) {
        benchmark::RegisterBenchmark(
            (std::string("GetDbFieldValue/") + source.name + (random ? "/Random" : "/InOrder")).c_str(),
            BM_GetDbFieldValue, source, random)
            ->Unit(benchmark::kMillisecond);
      }
    }
    benchmark::RegisterBenchmark("GetDbFieldValue/PostgreSQLStreamed/InOrder", BM_GetDbFieldValue, kStreamed, false)
        ->Unit(benchmark::kMillisecond);
    // Last: each size builds its own table. A reverse walk keeps the whole
    // result, so it stops at 100,000 rows.
    for (const Source& source : kSources) {
      benchmark::RegisterBenchmark((std::string("PrintJobMemory/") + source.name + "/InOrder").c_str(),
                                   BM_PrintJobMemory, source, true)
          ->Arg(10000)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark((std::string("PrintJobMemory/") + source.name + "/Reverse").c_str(),
                                   BM_PrintJobMemory, source, false)
          ->Arg(10000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
  }
  benchmark::Shutdown();
  odbc_test::TearDownOdbcSources();
  return ready ? 0 : 1;
}
