#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace vorn {

// A polynomial in x of degree at most 2 with integer coefficients.
struct Polynomial {
    std::array<int, 3> coefficients{}; // coefficients[p] multiplies x^p

    bool operator==(const Polynomial&) const = default;
};

Polynomial operator+(const Polynomial& p, const Polynomial& q);
Polynomial operator*(int factor, const Polynomial& p);
// (a x + b)(c x + d)
Polynomial LinearProduct(int a, int b, int c, int d);

// One term c·x^p of a sum, p in 0..2.
struct Term {
    int coefficient;
    int power;

    bool operator==(const Term&) const = default;
};

// x in italic Times, the size of the expansion results' x.
inline constexpr std::string_view kItalicX = "<i><te=26><times>x</i><te=18><arial>";
inline constexpr std::string_view kSquare = "<sup>2</sup>";
// The multiplication sign of a step, spaced.
inline constexpr std::string_view kTimes = " \xD7 ";

// c·x^p on its own: "3 x", "x", "-x", "-5 x²", "-7"; a coefficient 1 or -1
// is not written before x, only the minus sign.
void AppendMonomial(std::string& out, Term term);
// A factor of a product written in a step: the monomial, in parentheses when
// it is negative ("(-4)", "(-2 x)").
void AppendFactor(std::string& out, Term term);
// The terms in their order: the first one as AppendMonomial writes it, every
// other one after a spaced sign ("+ 5", "- x²"), so that "+ -" never appears.
// Zero terms are left out; "0" stands for a sum with no term left.
void AppendSum(std::string& out, std::span<const Term> terms);
// The reduced form: every non-zero term once, by decreasing power.
void AppendPolynomial(std::string& out, const Polynomial& p);

} // namespace vorn
