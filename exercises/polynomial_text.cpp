#include "exercises/polynomial_text.h"

namespace vorn {

Polynomial operator+(const Polynomial& p, const Polynomial& q) {
    Polynomial sum;
    for (std::size_t i = 0; i < sum.coefficients.size(); ++i)
        sum.coefficients[i] = p.coefficients[i] + q.coefficients[i];
    return sum;
}

Polynomial operator*(int factor, const Polynomial& p) {
    Polynomial product;
    for (std::size_t i = 0; i < product.coefficients.size(); ++i)
        product.coefficients[i] = factor * p.coefficients[i];
    return product;
}

Polynomial LinearProduct(int a, int b, int c, int d) {
    return {{b * d, a * d + b * c, a * c}};
}

void WritePiece(char*& at, SumPiece sum) {
    bool first = true;
    for (const Term& term : sum.terms) {
        if (term.coefficient == 0)
            continue;
        if (first) {
            WritePiece(at, MonomialPiece{term});
            first = false;
        } else {
            *at++ = ' ';
            WritePiece(at, OperatorPiece{term.coefficient});
            *at++ = ' ';
            const int magnitude = term.coefficient < 0 ? -term.coefficient : term.coefficient;
            WritePiece(at, MonomialPiece{{magnitude, term.power}});
        }
    }
    if (first)
        *at++ = '0';
}

void WritePiece(char*& at, const PolynomialPiece& piece) {
    const std::array<int, 3>& c = piece.polynomial.coefficients;
    const std::array<Term, 3> terms{{{c[2], 2}, {c[1], 1}, {c[0], 0}}};
    WritePiece(at, SumPiece{terms});
}

} // namespace vorn
