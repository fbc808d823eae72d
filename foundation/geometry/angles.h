// Angles of the label: field angles are integers in thousandths of a degree
// (a full turn is 360000); the rotation helpers take double degrees.
#pragma once

#include "foundation/build.h"

FOUNDATION_BEGIN

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kThreeHalfPi = 4.71238898038469;
inline constexpr double kHalfPi = 1.5707963267948966;
inline constexpr int kFullTurn = 360000;

double RadiansToDegrees(double r);
double DegreesToRadians(double d);

// 0..359999 for every input.
int NormalizeAngle(int a);

// 360 gives 0 and -90 gives 270; a negative whole multiple of 360 gives 360.
double NormalizeDegrees(double x);

int IsRightAngle(int a);
// 1..4: the quarter of the turn the normalised angle falls in (0 gives 1).
int AngleQuarter(int a);
// Index of the nearest quarter turn (0..3); a boundary goes to the lower quarter.
int AngleQuadrant(int a);

// Angle of the vector from (x1, y1) to (x2, y2): radians in 0..2 pi
// (mathematical), or with `degrees` the screen angle (y downwards) in 0..360.
// Returns 0 and leaves *out untouched when the points coincide.
int VectorAngle(int x1, int y1, int x2, int y2, double* out, bool degrees);
int AngleOfPoint(int x, int y, double* out, bool degrees);
int AngleBetweenPoints(int x1, int y1, int x2, int y2, double* out, bool degrees);

FOUNDATION_END
