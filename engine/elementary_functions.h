// SPDX-License-Identifier: MIT
// The elementary functions the engine computes with, the same double on every
// platform: each is worked out in double-double arithmetic (about 106 bits) and
// rounded once at the end, so the answer is the correctly rounded value but for
// arguments that lie within about 2^-100 of a rounding boundary. The platform's
// own <cmath> differs in the last bit from one C library to the next.
#pragma once

namespace molvane {

double sine(double x);
double cosine(double x);
double tangent(double x);
// x less the whole turns in it (of 2 pi, or of pi with `halfTurns`), with the sign
// of x: what fmod would give with the true pi, reckoned from the exact value of x.
double angleWithinTurns(double x, bool halfTurns);
double arcSine(double x);
double arcCosine(double x);
double arcTangent(double x);
// The same angles in the unit whose half turn is `halfTurn`: pi, 180 or 200.
double arcSineIn(double x, double halfTurn);
double arcCosineIn(double x, double halfTurn);
double arcTangentIn(double x, double halfTurn);
double hyperbolicSine(double x);
double hyperbolicCosine(double x);
double hyperbolicTangent(double x);
double exponential(double x);
double naturalLogarithm(double x);
// ln((p + q) / (p - q)) / 2 for finite p and q whose ratio is positive, the sum,
// the difference and their ratio kept exact enough that the answer is rounded
// once: atanh x is (1, x), acoth x is (x, 1).
double halfLogarithmOfRatio(double p, double q);
double commonLogarithm(double x);
double power(double x, double y);
// n! for 0 <= n <= 170: the product is kept in double-double and rounded once,
// where multiplying doubles would drift in the last digit shown (111!).
double factorial(int n);

}  // namespace molvane
