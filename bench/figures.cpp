// SPDX-License-Identifier: MIT
// Formatting and checks for the performance report.
#include "bench/figures.h"

#include <cmath>
#include <cstdio>

namespace zp::bench {

namespace {
double roundToSignificant(double value, int digits)
{
    if (value <= 0)
        return 0;
    const double scale = std::pow(10.0, digits - 1 - int(std::floor(std::log10(value))));
    return std::round(value * scale) / scale;
}
}   // namespace

std::string formatSeconds(double seconds)
{
    static const struct {
        const char* name;
        double perSecond;
    } units[] = {{"s", 1}, {"ms", 1e3}, {"µs", 1e6}, {"ns", 1e9}};
    // The unit is chosen after rounding, so 999.96 µs reads "1.00 ms", not "1000 µs".
    double value = seconds * 1e9;
    const char* unit = "ns";
    for (const auto& u : units) {
        const double v = roundToSignificant(seconds * u.perSecond, 3);
        if (v >= 1) {
            value = v;
            unit = u.name;
            break;
        }
    }
    char text[32];
    std::snprintf(text, sizeof text,
                  value >= 100      ? "%.0f %s"
                      : value >= 10 ? "%.1f %s"
                                    : "%.2f %s",
                  value, unit);
    return text;
}

std::string rightAligned(const std::string& text, std::size_t width)
{
    std::size_t characters = 0;
    for (unsigned char c : text)
        characters += (c & 0xC0) != 0x80;   // UTF-8 continuation bytes are not characters
    return std::string(width > characters ? width - characters : 0, ' ') + text;
}

bool growsNoFasterThanTiles(const std::vector<BoardTime>& boards, double slack)
{
    for (std::size_t i = 1; i < boards.size(); ++i) {
        const double before = boards[i - 1].seconds / boards[i - 1].tiles;
        const double after = boards[i].seconds / boards[i].tiles;
        if (after > before * slack)
            return false;
    }
    return true;
}

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

}   // namespace zp::bench
