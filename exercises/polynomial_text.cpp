#include "exercises/polynomial_text.h"

#include "exercises/markup_append.h"
#include "exercises/terms.h"

#include <cstdlib>

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

void AppendMonomial(std::string& out, Term term) {
    if (term.power == 0) {
        Append(out, term.coefficient);
        return;
    }
    // A written coefficient stands one blank before x; "-" sticks to it.
    if (term.coefficient == -1 || term.coefficient == 1)
        Append(out, CoefPiece{term.coefficient}, kItalicX);
    else
        Append(out, term.coefficient, ' ', kItalicX);
    if (term.power == 2)
        Append(out, kSquare);
}

void AppendFactor(std::string& out, Term term) {
    if (term.coefficient >= 0) {
        AppendMonomial(out, term);
        return;
    }
    Append(out, '(');
    AppendMonomial(out, term);
    Append(out, ')');
}

void AppendSum(std::string& out, std::span<const Term> terms) {
    bool first = true;
    for (const Term& term : terms) {
        if (term.coefficient == 0)
            continue;
        if (first) {
            AppendMonomial(out, term);
            first = false;
        } else {
            Append(out, ' ', SignPiece{term.coefficient}, ' ');
            AppendMonomial(out, {std::abs(term.coefficient), term.power});
        }
    }
    if (first)
        Append(out, '0');
}

void AppendPolynomial(std::string& out, const Polynomial& p) {
    const std::array<Term, 3> terms{
        {{p.coefficients[2], 2}, {p.coefficients[1], 1}, {p.coefficients[0], 0}}};
    AppendSum(out, terms);
}

} // namespace vorn
