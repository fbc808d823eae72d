// Reachability over an n x n link matrix of 32-bit entries (row a, column b at
// a * n + b), where an entry of 1 or 3 is a link and any other value is none.
#pragma once

#include "foundation/build.h"

FOUNDATION_BEGIN

// 1 when node a reaches node b through links; 0 otherwise, and for nodes
// outside 0..n-1.
int IsLinked(int a, int b, const int* matrix, int n);
int IsLinkedEitherWay(int a, int b, const int* matrix, int n);

FOUNDATION_END
