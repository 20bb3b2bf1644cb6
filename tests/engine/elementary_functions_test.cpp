// SPDX-License-Identifier: MIT
// The engine's elementary functions give the correctly rounded double, bit for
// bit, on every platform. Most rows are arguments on which a C library's own
// function is one unit in the last place off (glibc's or mingw-w64's), so a build
// that fell back on <cmath> fails here; the rest reduce huge angles exactly.
#include "engine/elementary_functions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <span>
#include <string>

#include "engine/trigonometric_functions.h"

namespace {

std::string bitsOf(double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", x);
    return text;
}

struct Row {
    const char* name;
    double value;
    double expected;
};

void expectEveryBit(std::span<const Row> rows) {
    for (const Row& row : rows) {
        EXPECT_EQ(bitsOf(row.value), bitsOf(row.expected)) << row.name;
    }
}

TEST(ElementaryFunctions, CorrectlyRoundedOnEveryPlatform) {
    const Row rows[] = {
        {"sin 1e22", molvane::sine(1e22), -0.8522008497671888},
        {"sin 2^87, read from 2/pi one bit off a word", molvane::sine(0x1p87), -0.14078630379647677},
        {"cos 1e300", molvane::cosine(1e300), -0.5753861119575491},
        {"cos nearest a quarter turn of all", molvane::cosine(6381956970095103 * 0x1p797), -4.687165924254628e-19},
        {"tan of the double nearest pi/2", molvane::tangent(1.5707963267948966), 1.633123935319537e+16},
        {"sin -4.4008665067588071, odd quarter turns below 0", molvane::sine(-4.4008665067588071), 0.9518680226176747},
        {"asin 1/45", molvane::arcSine(1.0 / 45.0), 0.022224051618267154},
        {"acos -0.33641688669956948", molvane::arcCosine(-0.33641688669956948), 1.9139057374798167},
        {"atan 0.95201558512032336", molvane::arcTangent(0.95201558512032336), 0.7608211295331859},
        // Below 2^-30 the angle in radians is x, but in degrees and grads its next term counts.
        {"asin 9.243744655053106e-10 in grads", molvane::arcSineIn(9.243744655053106e-10, 200.0),
         5.8847506181239554e-08},
        {"atan 8.36906843419321e-10 in degrees", molvane::arcTangentIn(8.36906843419321e-10, 180.0),
         4.795122997354312e-08},
        {"atan -8.552539140562392e-10 in grads", molvane::arcTangentIn(-8.552539140562392e-10, 200.0),
         -5.4447155208296596e-08},
        {"sinh 4", molvane::hyperbolicSine(4.0), 27.289917197127753},
        {"cosh -6.4452032065520655", molvane::hyperbolicCosine(-6.4452032065520655), 314.83810304610466},
        {"tanh -0.96400663904701744", molvane::hyperbolicTangent(-0.96400663904701744), -0.746058713413962},
        {"exp into the subnormals", molvane::exponential(-709.6993823439889), 6.04608763628044e-309},
        {"ln 0.64116208414840214", molvane::naturalLogarithm(0.64116208414840214), -0.4444729926395563},
        {"log 1.146378837678651", molvane::commonLogarithm(1.146378837678651), 0.05932816032350278},
        {"log 1e-5", molvane::commonLogarithm(1e-5), -5.0},
        {"8^(1/3)", molvane::power(8.0, 1.0 / 3.0), 2.0},
        {"(-2)^3", molvane::power(-2.0, 3.0), -8.0},
        {"10^-5.5", molvane::power(10.0, -5.5), 3.162277660168379e-06},
        {"0.1^320 into the subnormals", molvane::power(0.1, 320.0), 1e-320},
    };
    expectEveryBit(rows);
}

// The fast paths change their table, formula or sign at these arguments; each side
// of each change gives the correctly rounded value.
TEST(ElementaryFunctions, AtTheEdgesOfTheirFastPaths) {
    using molvane::kRadiansHalfTurn;
    const Row rows[] = {
        {"asin 0.5, the last sine of the series", molvane::arcSineIn(0.5, kRadiansHalfTurn), 0.5235987755982989},
        {"asin just past 0.5, from the root", molvane::arcSineIn(0.5000000000000001, kRadiansHalfTurn),
         0.523598775598299},
        {"asin -0.75", molvane::arcSineIn(-0.75, kRadiansHalfTurn), -0.848062078981481},
        {"asin next to 1", molvane::arcSineIn(0.9999999999999999, kRadiansHalfTurn), 1.5707963118937354},
        {"asin 1/128, a step of the table, in degrees", molvane::arcSineIn(0.0078125, 180.0), 0.4476278310304713},
        {"asin 0.3 in degrees", molvane::arcSineIn(0.3, 180.0), 17.45760312372209},
        {"asin 0.8 in grads", molvane::arcSineIn(0.8, 200.0), 59.033447060173316},
        {"acos 0.3", molvane::arcCosineIn(0.3, kRadiansHalfTurn), 1.2661036727794992},
        {"acos -0.3", molvane::arcCosineIn(-0.3, kRadiansHalfTurn), 1.8754889808102941},
        {"acos 0.75", molvane::arcCosineIn(0.75, kRadiansHalfTurn), 0.7227342478134157},
        {"acos -0.75", molvane::arcCosineIn(-0.75, kRadiansHalfTurn), 2.4188584057763776},
        {"acos next to -1", molvane::arcCosineIn(-0.9999999999999999, kRadiansHalfTurn), 3.141592638688632},
        {"acos -0.6 in degrees", molvane::arcCosineIn(-0.6, 180.0), 126.86989764584402},
        {"asec 2, the first reciprocal", molvane::arcSecantIn(2.0, kRadiansHalfTurn), 1.0471975511965979},
        {"asec just below 2", molvane::arcSecantIn(1.9999999999999998, kRadiansHalfTurn), 1.0471975511965976},
        {"asec -3", molvane::arcSecantIn(-3.0, kRadiansHalfTurn), 1.9106332362490186},
        {"asec -1.5", molvane::arcSecantIn(-1.5, kRadiansHalfTurn), 2.300523983021863},
        {"asec next to 1", molvane::arcSecantIn(1.0000000000000002, kRadiansHalfTurn), 2.1073424255447014e-08},
        {"asec 7 in grads", molvane::arcSecantIn(7.0, 200.0), 90.87421033140201},
        {"acsc 2", molvane::arcCosecantIn(2.0, kRadiansHalfTurn), 0.5235987755982989},
        {"acsc 1.5", molvane::arcCosecantIn(1.5, kRadiansHalfTurn), 0.7297276562269663},
        {"acsc -1.5 in degrees", molvane::arcCosecantIn(-1.5, 180.0), -41.810314895778596},
        {"acsc -40 in degrees", molvane::arcCosecantIn(-40.0, 180.0), -1.4325437375665075},
        {"acsc next to 1", molvane::arcCosecantIn(1.0000000000000002, kRadiansHalfTurn), 1.5707963057214724},
        {"ln 0.9995, its significand nearer 2 than the last step", molvane::naturalLogarithm(0.9995),
         -0.0005001250416822429},
        {"ln 1.999", molvane::naturalLogarithm(1.999), 0.6926470555182631},
        {"acosh 1.5, from x - 1", molvane::inverseHyperbolicCosine(1.5), 0.9624236501192069},
        {"acosh 1.3, 2 + (x - 1) rounded", molvane::inverseHyperbolicCosine(1.3), 0.7564329108569596},
        {"acosh 2, from x^2", molvane::inverseHyperbolicCosine(2.0), 1.3169578969248168},
        {"acosh next to 1", molvane::inverseHyperbolicCosine(1.0000000000000002), 2.1073424255447014e-08},
        {"acosh 50", molvane::inverseHyperbolicCosine(50.0), 4.6050701709847575},
        {"asinh 2^-5, the first from the root", molvane::inverseHyperbolicSine(0.03125), 0.03124491597085493},
        {"asinh -3", molvane::inverseHyperbolicSine(-3.0), -1.8184464592320668},
        {"acoth 1.5", molvane::inverseHyperbolicCotangent(1.5), 0.8047189562170501},
        {"acoth 2^10, the last from x + 1 and x - 1", molvane::inverseHyperbolicCotangent(1024.0),
         0.000976562810441036},
        {"acoth 1025, from 1/x", molvane::inverseHyperbolicCotangent(1025.0), 0.0009756100656308747},
        {"acoth -3", molvane::inverseHyperbolicCotangent(-3.0), -0.34657359027997264},
        {"atanh 0.5", molvane::inverseHyperbolicTangent(0.5), 0.5493061443340549},
        {"atanh -0.9", molvane::inverseHyperbolicTangent(-0.9), -1.4722194895832204},
    };
    expectEveryBit(rows);
}

// Arguments whose value lies so near a rounding boundary that the fast paths, not
// sure of it, hand them to the double-double ones.
TEST(ElementaryFunctions, NextToARoundingBoundary) {
    using molvane::kRadiansHalfTurn;
    const Row rows[] = {
        {"asin 0.25026210858660336", molvane::arcSineIn(0.25026210858660336, kRadiansHalfTurn), 0.25295096919079624},
        {"asin 0.993233663877315", molvane::arcSineIn(0.993233663877315, kRadiansHalfTurn), 1.454400618354352},
        {"acos -0.1569375726774953", molvane::arcCosineIn(-0.1569375726774953, kRadiansHalfTurn), 1.728385358983084},
        {"acos 0.5233393935772703", molvane::arcCosineIn(0.5233393935772703, kRadiansHalfTurn), 1.0200311667294635},
        {"acos -0.5414143288538389", molvane::arcCosineIn(-0.5414143288538389, kRadiansHalfTurn), 2.142914737807562},
        {"asec 27.63145209257276", molvane::arcSecantIn(27.63145209257276, kRadiansHalfTurn), 1.534597779603973},
        {"asec 1.4895273324994136", molvane::arcSecantIn(1.4895273324994136, kRadiansHalfTurn), 0.8347622447093779},
        {"acsc 58.71517796701507", molvane::arcCosecantIn(58.71517796701507, kRadiansHalfTurn), 0.017032194835124737},
        {"acsc 1.2738272050374417", molvane::arcCosecantIn(1.2738272050374417, kRadiansHalfTurn), 0.9027539700881535},
        {"asinh 5.5020281651757", molvane::inverseHyperbolicSine(5.5020281651757), 2.4064218697757074},
        {"acoth 56.15684085595964", molvane::inverseHyperbolicCotangent(56.15684085595964), 0.017809152090587487},
    };
    expectEveryBit(rows);
}

}  // namespace
