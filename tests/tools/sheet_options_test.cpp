#include "tools/sheet_options.h"
#include "tools/sheet_tool.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace vorn::sheet_tool;
using vorn::FamilyNamed;

const std::string kUsageLine =
    "usage: vorn-sheet FAMILY [--seed N] [--questions N] [--title TEXT] [--separator N] "
    "[--spacing N] [--layout NAME] [--boxed-results] [--variants N] [--level N] "
    "(--markup | --rtf | -o FILE)\n"
    "       vorn-sheet compose FAMILY:LEVEL:COUNT... [--seed N] [--title TEXT] [--separator N] "
    "[--spacing N] [--layout NAME] [--boxed-results] [--variants N] (--markup | --rtf | -o FILE)\n"
    "       vorn-sheet --from SAVED (--markup | --rtf | -o FILE)";

Options Parse(std::vector<std::string> args) {
    return ParseArguments(args);
}

// For runs that must not get as far as writing files.
void NeverSaves(const std::vector<vorn::Sheet>&, const std::string& path) {
    ADD_FAILURE() << "saved to " << path;
}

TEST(SheetOptionsTest, DefaultsAreTheWindowsDesignedValues) {
    const Options o = Parse({"vn1", "--markup"});
    EXPECT_FALSE(o.help);
    EXPECT_EQ(o.recipe.Kind()->family, &FamilyNamed("vn1"));
    EXPECT_EQ(o.recipe.Kind()->level, 1);
    EXPECT_FALSE(o.seed.has_value());
    EXPECT_EQ(o.settings.questionCount, 20);
    EXPECT_EQ(o.settings.separatorLength, 120);
    EXPECT_EQ(o.settings.spacingLines, 1);
    EXPECT_EQ(o.output, OutputMode::Markup);
    EXPECT_EQ(o.settings.look, vorn::SheetLook{});
    const vorn::SheetLook chosen =
        Parse({"vn1", "--layout", "adapted", "--boxed-results", "--markup"}).settings.look;
    EXPECT_TRUE(chosen.Adapted() && chosen.boxedResults);
    EXPECT_FALSE(Parse({"vn1", "--layout=standard", "--rtf"}).settings.look.Adapted());
    const std::string title = std::string("Calculer (en d\xE9taillant)") +
                              "           Nom :" + "                             Pr\xE9nom :";
    EXPECT_EQ(title.size(), 77u);
    EXPECT_EQ(o.settings.title, title);
}

TEST(SheetOptionsTest, EveryFamilyIsNamedByItsShortName) {
    for (const vorn::ExerciseFamily& family : vorn::ExerciseFamilies()) {
        const std::string name(family.shortName);
        EXPECT_EQ(Parse({name, "--rtf"}).recipe.Kind()->family, &family) << name;
        EXPECT_EQ(Parse({"--rtf", name}).recipe.Kind()->family, &family) << name;
    }
}

TEST(SheetOptionsTest, LevelIsTakenAnywhereOnTheLine) {
    const struct {
        std::vector<std::string> args;
        const char* family;
        int level;
    } cases[] = {
        {{"red", "--rtf"}, "red", 1},
        {{"--level", "2", "devred", "--rtf"}, "devred", 2},
        {{"eq1", "--level=+3", "--markup"}, "eq1", 3},
        {{"ident", "-o", "x.rtf", "--level", "1"}, "ident", 1},
    };
    for (const auto& c : cases) {
        const Options o = Parse(c.args);
        EXPECT_EQ(o.recipe.Kind()->family, &FamilyNamed(c.family)) << c.family;
        EXPECT_EQ(o.recipe.Kind()->level, c.level) << c.family;
    }
}

TEST(SheetOptionsTest, ComposeTakesItsExercisesInOrder) {
    const Options o = Parse({"compose", "red:2:5", "--seed", "3", "fact:1:6", "-o", "x.pdf"});
    ASSERT_NE(o.recipe.Composed(), nullptr);
    EXPECT_EQ(*o.recipe.Composed(),
              (vorn::Composition{{{&FamilyNamed("red"), 2, 5}, {&FamilyNamed("fact"), 1, 6}}}));
    EXPECT_EQ(o.seed, 3u);
}

TEST(SheetOptionsTest, ValuesAtTheirBoundsAreTaken) {
    Options o = Parse({"vn2", "--seed", "4294967295", "--questions", "40", "--spacing", "5",
                       "--separator", "-7", "-o", "x.rtf"});
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_EQ(o.settings.questionCount, 40);
    EXPECT_EQ(o.settings.spacingLines, 5);
    EXPECT_EQ(o.settings.separatorLength, -7);
    EXPECT_EQ(o.output, OutputMode::Files);
    EXPECT_EQ(o.outputPath, "x.rtf");

    EXPECT_EQ(o.variants, 1);
    EXPECT_EQ(Parse({"vn1", "--variants", "200", "--markup"}).variants, 200);

    o = Parse({"vn2", "--seed=0", "--questions=1", "--spacing=0", "--variants=1", "--markup"});
    EXPECT_EQ(o.seed, 0u);
    EXPECT_EQ(o.settings.questionCount, 1);
    EXPECT_EQ(o.settings.spacingLines, 0);
}

TEST(SheetOptionsTest, SeparatorGoesUpTo1000AndSaturatesBelow) {
    EXPECT_EQ(Parse({"vn1", "--separator", "1000", "--rtf"}).settings.separatorLength, 1000);
    EXPECT_EQ(Parse({"vn1", "--separator", "-3000000000", "--rtf"}).settings.separatorLength,
              INT_MIN);
}

TEST(SheetOptionsTest, TitleIsConvertedFromUtf8) {
    const Options o = Parse({"vn1", "--title", "\xC3\x89l\xC3\xA8ve 1\xC2\xB0 \xCE\xA9", "--rtf"});
    EXPECT_EQ(o.settings.title, "\xC9l\xE8ve 1\xB0 &#937;");
    EXPECT_EQ(Parse({"vn1", "--title", "", "--rtf"}).settings.title, "");
}

TEST(SheetOptionsTest, HelpWinsOverEverything) {
    EXPECT_TRUE(Parse({"bogus", "--nope", "--help"}).help);
    std::ostringstream out, err;
    EXPECT_EQ(vorn::sheet_tool::Run({"-h"}, out, err, NeverSaves), 0);
    EXPECT_EQ(out.str().substr(0, kUsageLine.size() + 1), kUsageLine + "\n");
    EXPECT_EQ(err.str(), "");
}

// "a, b or c": every short name of the family table, in its order.
std::string EveryFamily() {
    std::string names;
    const auto families = vorn::ExerciseFamilies();
    for (std::size_t i = 0; i < families.size(); ++i)
        names += (i == 0                    ? ""
                  : i + 1 < families.size() ? ", "
                                            : " or ") +
                 std::string(families[i].shortName);
    return names;
}

// Each refused command line: the words its one-line message must hold.
struct BadCase {
    std::vector<std::string> args;
    std::vector<std::string> mentions;
};

TEST(SheetToolRunTest, BadInputIsRefusedWithStatus2) {
    const std::vector<BadCase> cases{
        {{"vn3", "--markup"}, {"vn3", EveryFamily()}},
        {{"--markup"}, {"FAMILY", EveryFamily()}},
        {{"vn1", "vn2", "--markup"}, {"vn2"}},
        {{"vn1", "--colour", "--markup"}, {"--colour", "--seed"}},
        {{"vn1", "--markup=1"}, {"--markup=1"}},
        {{"vn1"}, {"--markup", "--rtf", "-o"}},
        {{"vn1", "--markup", "--rtf"}, {"--markup", "--rtf"}},
        {{"vn1", "--markup", "--seed"}, {"--seed", "0 to 4294967295"}},
        {{"vn1", "--markup", "--seed", "4294967296"}, {"--seed", "0 to 4294967295"}},
        {{"vn1", "--markup", "--seed", "-1"}, {"--seed", "0 to 4294967295"}},
        {{"vn1", "--markup", "--seed", "12x"}, {"--seed", "12x", "0 to 4294967295"}},
        {{"vn1", "--markup", "--questions", "0"}, {"--questions", "1 to 40"}},
        {{"vn1", "--markup", "--questions", "41"}, {"--questions", "1 to 40"}},
        {{"vn1", "--markup", "--questions", " 5"}, {"--questions", "1 to 40"}},
        {{"vn1", "--markup", "--spacing", "6"}, {"--spacing", "0 to 5"}},
        {{"vn1", "--markup", "--spacing", "-1"}, {"--spacing", "0 to 5"}},
        {{"vn1", "--markup", "--separator", "1.5"}, {"--separator", "at most 1000"}},
        {{"vn1", "--markup", "--separator", ""}, {"--separator", "at most 1000"}},
        {{"vn1", "--markup", "--separator", "1001"}, {"--separator", "at most 1000"}},
        {{"vn1", "--markup", "--separator", "99999999999999999999999"}, {"at most 1000"}},
        {{"vn1", "-o", "--markup"}, {"-o", "\"--markup\"", "./--markup"}},
        {{"vn1", "--markup", "-o", "-x.rtf"}, {"-o", "./-x.rtf"}},
        {{"vn1", "--markup", "--title"}, {"--title"}},
        {{"vn1", "-o"}, {"-o", "file name"}},
        {{"vn1", "-o", ""}, {"-o", "file name"}},
        {{"ident", "--spacing", "9", "-o", "x.rtf"}, {"--spacing", "0 to 5"}},
        {{"bogus", "-o", "x.rtf"}, {"bogus"}},
        {{"vn1", "--variants", "0", "-o", "x.pdf"}, {"--variants", "1 to 200"}},
        {{"vn1", "--variants", "201", "-o", "x.pdf"}, {"--variants", "1 to 200"}},
        {{"vn1", "--variants", "abc", "-o", "x.pdf"}, {"--variants", "abc", "1 to 200"}},
        {{"vn1", "--level", "2", "--markup"}, {"--level", "2", "vn1", "only level 1"}},
        {{"--level=0", "--rtf", "dev2"}, {"--level", "0", "dev2", "only level 1"}},
        {{"vn1", "--rtf", "--level", "un"}, {"--level", "\"un\"", "from 1"}},
        {{"vn1", "--rtf", "--level", ""}, {"--level", "from 1"}},
        {{"vn1", "--rtf", "--level"}, {"--level", "from 1"}},
        {{"fact", "--level", "6", "--rtf"}, {"--level", "6", "fact", "levels 1 to 5"}},
        {{"red", "--level", "4", "--rtf"}, {"--level", "4", "red", "levels 1 to 3"}},
        {{"eqprod", "--level", "-1", "--rtf"}, {"--level", "-1", "eqprod", "levels 1 to 3"}},
        {{"compose", "--markup"}, {"Aucun exercice"}},
        {{"vn1", "--markup", "--layout", "dys"}, {"--layout", "\"dys\"", "standard or adapted"}},
        {{"vn1", "--markup", "--boxed-results=1"}, {"--boxed-results=1"}},
        {{"compose", "red:1:2", "zz:1:2", "--markup"}, {"zz:1:2", "inconnue"}},
        {{"compose", "red:4:2", "--markup"}, {"red:4:2", "1 \xC3\xA0 3"}},
        {{"compose", "red:1:41", "--rtf"}, {"red:1:41", "40"}},
        {{"compose", "fact:1:40", "red:1:40", "eq1:1:21", "--rtf"}, {"eq1:1:21", "100"}},
        {{"compose", "red:1:2", "--level", "2", "--rtf"}, {"--level", "compose"}},
        {{"compose", "red:1:2", "--questions", "2", "--rtf"}, {"--questions", "compose"}},
        {{"--from", "f.rtf", "--title", "T", "--rtf"}, {"--from", "--title"}},
        {{"--from", "f.rtf", "vn1", "--rtf"}, {"--from", "FAMILY"}},
        {{"--from", "f.rtf"}, {"--markup", "--rtf", "-o"}},
        {{"--from", "", "--rtf"}, {"--from", "saved by VORN"}},
    };
    for (const BadCase& c : cases) {
        std::ostringstream out, err;
        std::string shown;
        for (const std::string& a : c.args)
            shown += "[" + a + "] ";
        EXPECT_EQ(vorn::sheet_tool::Run(c.args, out, err, NeverSaves), 2) << shown;
        EXPECT_EQ(out.str(), "") << shown;
        const std::string text = err.str();
        const std::size_t firstEnd = text.find('\n');
        ASSERT_NE(firstEnd, std::string::npos) << shown;
        const std::string first = text.substr(0, firstEnd);
        EXPECT_EQ(first.rfind("vorn-sheet: ", 0), 0u) << first;
        for (const std::string& m : c.mentions)
            EXPECT_NE(first.find(m), std::string::npos) << shown << "-> " << first;
        EXPECT_EQ(text.substr(firstEnd + 1), kUsageLine + "\n") << shown;
    }
}

TEST(SheetToolRunTest, ClockSeedIsTheTimeOfDayInMilliseconds) {
    // The same clock as the tool's: time() may lag behind it by a tick.
    using std::chrono::system_clock;
    const std::time_t before = system_clock::to_time_t(system_clock::now());
    const std::uint32_t seed = ClockSeed();
    const std::time_t after = system_clock::to_time_t(system_clock::now());
    EXPECT_LT(seed, 86400000u);
    const auto msOfDay = [](std::time_t t) {
        std::tm utc{};
        gmtime_r(&t, &utc);
        return static_cast<std::uint32_t>(((utc.tm_hour * 60 + utc.tm_min) * 60 + utc.tm_sec) *
                                          1000);
    };
    const std::uint32_t low = msOfDay(before);
    const std::uint32_t high = msOfDay(after) + 999;
    if (low <= high) { // no midnight in between
        EXPECT_GE(seed, low);
        EXPECT_LE(seed, high);
    }
}

} // namespace
