// Draws each symbol of the comparison with our library and with zint in the
// same run, rounds interleaved so that both meet the same machine state, and
// prints the median time per call, the ratios, a 32-bit fill of our bitmap as
// the floor, and whether the library meets its goal.
//   bench_peers [--rounds=N] [--case=TEXT] [--ours=N]   (other arguments are ignored)
// --ours=N only draws the chosen cases N times with our library, for profilers.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/peers/cases.h"
#include "bench/peers/drawers.h"

namespace peers {
namespace {

using Clock = std::chrono::steady_clock;

// Microseconds per call over `calls` calls.
double TimeBatch(const std::function<void()>& call, int calls) {
  const auto start = Clock::now();
  for (int i = 0; i < calls; ++i) call();
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / calls;
}

// Enough calls for about a millisecond per batch. The first calls of a case
// set up what later calls find ready (glyphs, the allocator's memory): timed
// with them, a batch would come out one cold call long and measure only that.
int CallsPerBatch(const std::function<void()>& call) {
  TimeBatch(call, 3);
  const double once = std::max(TimeBatch(call, 5), 0.05);
  return std::clamp(static_cast<int>(1000.0 / once), 1, 100000);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Contender {
  std::function<void()> call;
  int calls = 0;
  std::vector<double> times;
};

struct Row {
  const Case* c;
  PictureSize ours, peer;
  Contender our, zint, fill;
  std::unique_ptr<Fill> filler;
};

bool Met(const Case& c, double ours, double zint, double fill) {
  switch (c.goal) {
    case Goal::kFillTimes1_5: return ours <= 1.5 * fill;
    case Goal::kFillTimes2: return ours <= 2 * fill;
    case Goal::kPeer: return ours <= zint;
    case Goal::kHalfPeer: return ours <= 0.5 * zint;
  }
  return false;
}

// Our library alone, `calls` times per case.
int Repeat(int calls, std::string_view only) {
  for (const Case& c : PeerCases()) {
    if (!only.empty() && c.name.find(only) == std::string::npos) continue;
    for (int i = 0; i < calls; ++i)
      if (!DrawOurs(c)) return 1;
  }
  return 0;
}

int Run(int rounds, std::string_view only) {
  const std::vector<Case> cases = PeerCases();
  std::vector<Row> rows;
  for (const Case& c : cases) {
    if (!only.empty() && c.name.find(only) == std::string::npos) continue;
    Row row;
    row.c = &c;
    row.ours = OurPictureSize(c);
    if (row.ours.width == 0 || !DrawOurs(c)) {
      std::fprintf(stderr, "%s: the library drew nothing\n", c.name.c_str());
      return 1;
    }
    if (c.peer.symbology != 0) {
      row.peer = PeerPictureSize(c);
      if (row.peer.width == 0) {
        std::fprintf(stderr, "%s: zint refused the symbol\n", c.name.c_str());
        return 1;
      }
      row.zint.call = [&c] { DrawPeer(c); };
    }
    row.our.call = [&c] { DrawOurs(c); };
    row.filler = std::make_unique<Fill>(row.ours);
    Fill* f = row.filler.get();
    row.fill.call = [f] { f->Once(); };
    rows.push_back(std::move(row));
  }
  for (Row& row : rows)
    for (Contender* k : {&row.our, &row.zint, &row.fill})
      if (k->call) k->calls = CallsPerBatch(k->call);
  // One round unrecorded, to settle caches and the allocator, then the rounds.
  for (int round = -1; round < rounds; ++round)
    for (Row& row : rows)
      for (Contender* k : {&row.our, &row.zint, &row.fill}) {
        if (!k->call) continue;
        const double t = TimeBatch(k->call, k->calls);
        if (round >= 0) k->times.push_back(t);
      }

  std::printf("Median per call over %d interleaved rounds (microseconds)\n\n", rounds);
  std::printf("| symbol | our picture | zint picture | ours | zint | fill | ours/zint | ours/fill | goal | met |\n");
  std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
  int missed = 0;
  for (const Row& row : rows) {
    const double ours = Median(row.our.times), fill = Median(row.fill.times);
    const double zint = row.zint.call ? Median(row.zint.times) : 0;
    const bool met = Met(*row.c, ours, zint, fill);
    if (!met) ++missed;
    char peerSize[32] = "-", zintText[32] = "-", zintRatio[32] = "-";
    if (row.zint.call) {
      std::snprintf(peerSize, sizeof peerSize, "%dx%d", row.peer.width, row.peer.height);
      std::snprintf(zintText, sizeof zintText, "%.1f", zint);
      std::snprintf(zintRatio, sizeof zintRatio, "%.2f", ours / zint);
    }
    std::printf("| %s | %dx%d | %s | %.1f | %s | %.1f | %s | %.2f | %s | %s |\n", row.c->name.c_str(),
                row.ours.width, row.ours.height, peerSize, ours, zintText, fill, zintRatio, ours / fill,
                GoalText(row.c->goal), met ? "yes" : "NO");
  }
  std::printf("\n%zu symbols, %d goals missed\n", rows.size(), missed);
  return 0;
}

}  // namespace
}  // namespace peers

int main(int argc, char** argv) {
  int rounds = 15, ours = 0;
  std::string only;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a.starts_with("--rounds=")) rounds = std::max(1, std::atoi(argv[i] + 9));
    if (a.starts_with("--case=")) only = std::string(a.substr(7));
    if (a.starts_with("--ours=")) ours = std::max(1, std::atoi(argv[i] + 7));
  }
  return ours > 0 ? peers::Repeat(ours, only) : peers::Run(rounds, only);
}
