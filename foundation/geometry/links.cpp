#include "foundation/geometry/links.h"

#include <cstddef>
#include <vector>

FOUNDATION_BEGIN

namespace {

struct LinkWalk {
  const int* matrix;
  int n;
  std::vector<bool> visited;  // nodes the walk has gone on from

  bool Links(int from, int to) const {
    const int v = matrix[static_cast<long>(from) * n + to];
    return v == 1 || v == 3;
  }

  bool Reaches(int from, int to) {
    if (Links(from, to)) return true;
    for (int k = 0; k < n; ++k) {
      if (!Links(from, k) || visited[k]) continue;
      visited[from] = true;
      if (Reaches(k, to)) return true;
    }
    return false;
  }
};

}  // namespace

int IsLinked(int a, int b, const int* matrix, int n) {
  if (!matrix || n <= 0 || a < 0 || a >= n || b < 0 || b >= n) return 0;
  LinkWalk walk{matrix, n, std::vector<bool>(static_cast<std::size_t>(n), false)};
  return walk.Reaches(a, b) ? 1 : 0;
}

int IsLinkedEitherWay(int a, int b, const int* matrix, int n) {
  return IsLinked(a, b, matrix, n) || IsLinked(b, a, matrix, n) ? 1 : 0;
}

FOUNDATION_END
