// SPDX-License-Identifier: MIT
// The elementary functions the engine computes with, the same double on every
// platform: each is worked out in double-double arithmetic (about 106 bits) and
// rounded once at the end, so the answer is the correctly rounded value but for
// arguments that lie within about 2^-100 of a rounding boundary. The platform's
// own <cmath> differs in the last bit from one C library to the next. The
// trigonometric functions are in trigonometric_functions.h.
#pragma once

namespace molvane {

double hyperbolicSine(double x);
double hyperbolicCosine(double x);
double hyperbolicTangent(double x);
double hyperbolicCotangent(double x);
double inverseHyperbolicSine(double x);
double inverseHyperbolicCosine(double x);
double inverseHyperbolicTangent(double x);
double inverseHyperbolicCotangent(double x);
double exponential(double x);
double naturalLogarithm(double x);
double commonLogarithm(double x);
// C's pow, rounded once; a power that is a double, or lies halfway between two,
// is found exactly.
double power(double x, double y);
// n! for 0 <= n <= 170: the product is kept in double-double and rounded once,
// where multiplying doubles would drift in the last digit shown (111!).
double factorial(int n);

}  // namespace molvane
