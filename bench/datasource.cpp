// Reading database records: fetching 100,000 rows through each driver, bound
// as values and as text, and the value of a Database field over 100,000
// labels, in label order and at random. The sources are the test program's:
// an SQLite file and a PostgreSQL server of this run's own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
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
    benchmark::RunSpecifiedBenchmarks();
  }
  benchmark::Shutdown();
  odbc_test::TearDownOdbcSources();
  return ready ? 0 : 1;
}
