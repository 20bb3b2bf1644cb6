// SPDX-License-Identifier: MIT
// The trigonometric functions and their inverses in radians, degrees and grads,
// the same double on every platform and correctly rounded: an angle loses its
// whole quarter turns exactly, however large it is, and what is left is carried
// into radians and through the function in double-double arithmetic, rounded
// once at the end (but for values within about 2^-100 of a rounding boundary).
// Angles are in the unit whose half turn is `halfTurn`: pi, 180 or 200.
#pragma once

namespace molvane {

// Half a turn in radians: the double nearest pi, the `halfTurn` of radians.
constexpr double kRadiansHalfTurn = 0x1.921fb54442d18p+1;

// An angle as whole quarter turns and what is left of it: quarter * pi/2 +
// (rest + restLow) 2^exponent radians, below pi/4, kept to about 106 bits. The
// exponent is 0 but for a rest below 2^-500, which is kept 2^600 times larger
// (exponent -600), so that its reciprocal (csc 1e-305) keeps its last bits.
// The snapping to zeros and poles reads the rest; the functions below take it.
struct ReducedAngle {
    int quarter;  // the whole quarter turns, mod 4
    double rest;
    double restLow;
    int exponent;
};

// x less its whole quarter turns, exactly; an infinite or NaN x has no place in
// the turn and leaves a NaN rest.
ReducedAngle reduceAngle(double x, double halfTurn);

double sineOf(ReducedAngle angle);
double cosineOf(ReducedAngle angle);
double tangentOf(ReducedAngle angle);
double cotangentOf(ReducedAngle angle);
double secantOf(ReducedAngle angle);
double cosecantOf(ReducedAngle angle);

// The same on an angle in radians.
double sine(double x);
double cosine(double x);
double tangent(double x);

// The inverse functions, their angles in the unit of `halfTurn`. Those of the
// reciprocal functions take 1/x exactly: acot x is atan(1/x), between -90 and
// 90 degrees, asec x is acos(1/x) and acsc x is asin(1/x).
double arcSineIn(double x, double halfTurn);
double arcCosineIn(double x, double halfTurn);
double arcTangentIn(double x, double halfTurn);
double arcCotangentIn(double x, double halfTurn);
double arcSecantIn(double x, double halfTurn);
double arcCosecantIn(double x, double halfTurn);

// The same in radians.
double arcSine(double x);
double arcCosine(double x);
double arcTangent(double x);

}  // namespace molvane
