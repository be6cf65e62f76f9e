// One tolerance helper for all tests: a value passes when it is within an
// absolute OR a relative error of the expected value; a failure names the
// component that failed.
#ifndef TOLERANCE_H
#define TOLERANCE_H

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

namespace tol {

inline ::testing::AssertionResult near(double actual, double expected, double absTol,
                                       double relTol = 0.0, const std::string& what = "value") {
    double err = std::fabs(actual - expected);
    if (err <= absTol || err <= relTol * std::fabs(expected))
        return ::testing::AssertionSuccess();
    std::ostringstream os;
    os.precision(17);
    os << what << ": got " << actual << ", expected " << expected << " (error " << err
       << ", absolute tolerance " << absTol << ", relative tolerance " << relTol << ")";
    return ::testing::AssertionFailure() << os.str();
}

// Three components at once (a point or a vector), named x, y, z.
inline ::testing::AssertionResult near3(double ax, double ay, double az, double ex, double ey,
                                        double ez, double absTol, double relTol = 0.0,
                                        const std::string& what = "point") {
    const double a[3] = {ax, ay, az}, e[3] = {ex, ey, ez};
    const char* names[3] = {".x", ".y", ".z"};
    for (int k = 0; k < 3; ++k) {
        auto r = near(a[k], e[k], absTol, relTol, what + names[k]);
        if (!r)
            return r;
    }
    return ::testing::AssertionSuccess();
}

// Relative agreement to n significant digits, as printed values are quoted.
inline ::testing::AssertionResult sig(double actual, double expected, int digits,
                                      const std::string& what = "value") {
    double relTol = 0.5 * std::pow(10.0, 1 - digits);
    return near(actual, expected, 0.0, relTol, what);
}

// Any point type with getX0/getY0/getZ0 (Point) against expected coordinates.
template <class P>
::testing::AssertionResult nearPoint(const P& p, double ex, double ey, double ez, double absTol,
                                     double relTol = 0.0, const std::string& what = "point") {
    return near3(p.getX0(), p.getY0(), p.getZ0(), ex, ey, ez, absTol, relTol, what);
}

// Any vector type with abs/ord/cote (vect) against expected components.
template <class V>
::testing::AssertionResult nearVect(const V& v, double ex, double ey, double ez,
                                    double absTol = 0.0) {
    return near3(v.abs(), v.ord(), v.cote(), ex, ey, ez, absTol, 0.0, "vect");
}

// Any coloured type with getR/getG/getB (Point) has exactly that colour.
template <class C>::testing::AssertionResult hasColour(const C& p, double r, double g, double b) {
    return near3(p.getR(), p.getG(), p.getB(), r, g, b, 0.0, 0.0, "colour");
}

// The columns of M are orthonormal: every dot product of two columns within
// absTol of 0 or 1 (a non-number fails); a failure names the two columns.
inline ::testing::AssertionResult orthonormal(const double M[3][3], double absTol) {
    for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l) {
            double s = 0;
            for (int i = 0; i < 3; ++i)
                s += M[i][k] * M[i][l];
            if (!(std::fabs(s - (k == l ? 1 : 0)) <= absTol))
                return ::testing::AssertionFailure()
                       << "columns " << k << " and " << l << ": dot product " << s;
        }
    return ::testing::AssertionSuccess();
}

} // namespace tol

#endif
