#include "settings/screen_fit.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct FitCase {
    const char* what;
    int left, top, right, bottom;
    std::vector<QRect> areas;
    QRect expected;
};

const QRect kLaptop(0, 0, 1280, 1024);
const QRect kRightMonitor(1280, 0, 1920, 1080);

TEST(FitOnScreens, KeepsVisiblePlacesAndBringsBackTheOthers) {
    const FitCase cases[] = {
        {"an ordinary place", 111, 104, 905, 626, {kLaptop}, QRect(111, 104, 794, 522)},
        {"partly off the left edge", -700, 100, 94, 622, {kLaptop}, QRect(-700, 100, 794, 522)},
        {"on a second monitor",
         1500,
         100,
         2294,
         622,
         {kLaptop, kRightMonitor},
         QRect(1500, 100, 794, 522)},
        {"the second monitor unplugged",
         1500,
         100,
         2294,
         622,
         {kLaptop},
         QRect(1280 - 794, 100, 794, 522)},
        {"too large", 0, 0, 100000, 100000, {kLaptop}, QRect(0, 0, 1280, 1024)},
        {"too wide where it stands", 10, 10, 2010, 700, {kLaptop}, QRect(10, 10, 1280, 690)},
        {"the extreme integers", INT_MIN, 0, INT_MAX, 100, {kLaptop}, QRect(0, 0, 1280, 100)},
        {"far down and right",
         INT_MAX - 10,
         INT_MAX - 10,
         INT_MAX,
         INT_MAX,
         {kLaptop},
         QRect(1270, 1014, 10, 10)},
        {"above a top panel",
         100,
         -500,
         900,
         -100,
         {QRect(0, 30, 1280, 994)},
         QRect(100, 30, 800, 400)},
        {"nearer the far screen",
         3500,
         100,
         4000,
         400,
         {kLaptop, QRect(2000, 0, 1000, 800)},
         QRect(2500, 100, 500, 300)},
        {"no height", 2000, 100, 2500, 100, {kLaptop}, QRect(780, 100, 500, 0)},
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(FitOnScreens(c.left, c.top, c.right, c.bottom, c.areas), c.expected) << c.what;
}

} // namespace
