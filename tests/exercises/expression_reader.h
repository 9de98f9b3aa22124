#pragma once

#include "markup_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::test {

// Reads the expressions of a sheet back from its markup, independently of
// how the generators write them, into integer polynomials.

// coefficients[p] multiplies x^p; trailing zeros are dropped.
using Poly = std::vector<long long>;

inline Poly Trim(Poly p) {
    while (!p.empty() && p.back() == 0)
        p.pop_back();
    return p;
}

inline Poly Add(const Poly& p, const Poly& q, long long qFactor = 1) {
    Poly sum(std::max(p.size(), q.size()), 0);
    for (std::size_t i = 0; i < p.size(); ++i)
        sum[i] += p[i];
    for (std::size_t i = 0; i < q.size(); ++i)
        sum[i] += qFactor * q[i];
    return Trim(sum);
}

inline Poly Multiply(const Poly& p, const Poly& q) {
    if (p.empty() || q.empty())
        return {};
    Poly product(p.size() + q.size() - 1, 0);
    for (std::size_t i = 0; i < p.size(); ++i)
        for (std::size_t j = 0; j < q.size(); ++j)
            product[i + j] += p[i] * q[j];
    return Trim(product);
}

// The text a reader sees: escapes read (markup_text.h), tags dropped but
// "<lt>", which is "<", the superscript 2 read as "^", the multiplication sign
// (0xD7) as "*".
inline std::string Plain(std::string_view escaped) {
    const std::string markup = ReadEscapes(escaped);
    std::string out;
    for (std::size_t i = 0; i < markup.size(); ++i) {
        if (markup.substr(i, 12) == "<sup>2</sup>") {
            out += '^';
            i += 11;
        } else if (markup.substr(i, 4) == "<lt>") {
            out += '<';
            i += 3;
        } else if (markup[i] == '<') {
            i = markup.find('>', i);
            if (i == std::string::npos)
                break;
        } else {
            out += markup[i] == '\xD7' ? '*' : markup[i];
        }
    }
    return out;
}

// One term of a sum: its sign and its factors, a squared factor twice.
struct Product {
    int sign = 1;
    std::vector<Poly> factors;
};

// A recursive-descent reader of sums of products of numbers, x, bracketed
// sums and squares, with "*" or juxtaposition between factors.
class ExpressionReader {
public:
    // Reads the markup of one expression; a failure to read fails the test.
    static std::vector<Product> Read(std::string_view markup) {
        ExpressionReader reader(Plain(markup));
        std::vector<Product> sum = reader.Sum();
        reader.Skip();
        EXPECT_EQ(reader.at_, reader.text_.size()) << "unread text in \"" << reader.text_ << '"';
        return sum;
    }

    static Poly Value(const std::vector<Product>& sum) {
        Poly total;
        for (const Product& product : sum) {
            Poly value{1};
            for (const Poly& factor : product.factors)
                value = Multiply(value, factor);
            total = Add(total, value, product.sign);
        }
        return total;
    }

    static Poly ValueOf(std::string_view markup) { return Value(Read(markup)); }

private:
    explicit ExpressionReader(std::string text) : text_(std::move(text)) {}

    void Skip() {
        while (at_ < text_.size() && text_[at_] == ' ')
            ++at_;
    }

    char Peek() {
        Skip();
        return at_ < text_.size() ? text_[at_] : '\0';
    }

    std::vector<Product> Sum() {
        std::vector<Product> sum;
        int sign = 1;
        if (Peek() == '-' || Peek() == '+')
            sign = text_[at_++] == '-' ? -1 : 1;
        for (;;) {
            sum.push_back(Factors(sign));
            const char c = Peek();
            if (c != '+' && c != '-')
                return sum;
            ++at_;
            sign = c == '-' ? -1 : 1;
            if (Peek() == '+' || Peek() == '-') {
                ADD_FAILURE() << "two signs in a row in \"" << text_ << '"';
                return sum;
            }
        }
    }

    Product Factors(int sign) {
        Product product{sign, {}};
        for (;;) {
            const Poly factor = Primary();
            product.factors.push_back(factor);
            if (Peek() == '^') {
                ++at_;
                product.factors.push_back(factor);
            }
            const char c = Peek();
            if (c == '*')
                ++at_;
            else if (!std::isdigit(static_cast<unsigned char>(c)) && c != 'x' && c != '(')
                return product;
        }
    }

    Poly Primary() {
        const char c = Peek();
        if (c == 'x') {
            ++at_;
            return {0, 1};
        }
        if (c == '(') {
            ++at_;
            const Poly inner = Value(Sum());
            if (Peek() == ')')
                ++at_;
            else
                ADD_FAILURE() << "unclosed bracket in \"" << text_ << '"';
            return inner;
        }
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            ADD_FAILURE() << "unexpected '" << c << "' at " << at_ << " in \"" << text_ << '"';
            at_ = text_.size();
            return {};
        }
        long long n = 0;
        while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_])))
            n = 10 * n + (text_[at_++] - '0');
        return Trim({n});
    }

    std::string text_;
    std::size_t at_ = 0;
};

} // namespace vorn::test
