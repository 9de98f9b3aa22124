#include "exercises/fraction.h"

#include <numeric>
#include <stdexcept>

namespace vorn {

Fraction MakeFraction(long long num, long long den) {
    if (den == 0)
        throw std::domain_error("fraction with a zero denominator");
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const long long divisor = std::gcd(num, den); // gcd(0, den) is den: 0 becomes 0/1
    return {num / divisor, den / divisor};
}

} // namespace vorn
