// SPDX-License-Identifier: MIT
// The engine's elementary functions give the correctly rounded double, bit for
// bit, on every platform. Most rows are arguments on which a C library's own
// function is one unit in the last place off (glibc's or mingw-w64's), so a build
// that fell back on <cmath> fails here; the rest reduce huge angles exactly.
#include "engine/elementary_functions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/trigonometric_functions.h"

namespace {

std::string bitsOf(double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", x);
    return text;
}

TEST(ElementaryFunctions, CorrectlyRoundedOnEveryPlatform) {
    struct Row {
        const char* name;
        double value;
        double expected;
    };
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
    for (const Row& row : rows) {
        EXPECT_EQ(bitsOf(row.value), bitsOf(row.expected)) << row.name;
    }
}

}  // namespace
