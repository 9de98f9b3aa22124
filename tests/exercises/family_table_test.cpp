#include "exercises/family_table.h"

#include "scripted_random.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <stdexcept>
#include <string>

namespace vorn {
namespace {

// The table is the one list of families: whatever it holds, each short name
// and each prefix is its own, and the five designed buttons take its first rows.
TEST(FamilyTable, ShortNamesAndPrefixesAreUniqueAndTheButtonsComeFirst) {
    std::set<std::string> names;
    std::set<std::string> prefixes;
    for (const ExerciseFamily& family : ExerciseFamilies()) {
        const std::string name(family.shortName);
        EXPECT_TRUE(names.insert(name).second) << name;
        EXPECT_TRUE(std::regex_match(name, std::regex("[a-z0-9]+"))) << name;
        prefixes.emplace(family.referencePrefix);
        EXPECT_EQ(family.hasOwnButton, names.size() <= 5) << name;
        EXPECT_GE(family.LevelCount(), 1) << name;
        EXPECT_TRUE(family.instruction.ends_with('.')) << name; // heads a composed exercise
        EXPECT_EQ(FindFamily(family.shortName), &family);
    }
    EXPECT_GE(names.size(), 5u);
    EXPECT_EQ(prefixes.size(), names.size());
    EXPECT_EQ(FindFamily("VN1"), nullptr);
    EXPECT_THROW(FamilyNamed("vn3"), std::invalid_argument);
}

TEST(FamilyTable, EveryLevelDrawsAReferenceWithItsFamilysPrefix) {
    SheetSettings settings;
    settings.questionCount = 3;
    for (const SheetKind& kind : AllSheetKinds()) {
        // A family with levels names the level: "FACT3_".
        const std::string level =
            kind.family->LevelCount() > 1 ? std::to_string(kind.level) + "_" : "";
        const std::regex reference(std::string(kind.family->referencePrefix) + level + "[0-9]{6}");
        for (std::uint32_t seed : {1u, 99u, 0xFFFFFFFFu}) {
            LcgRandom random(seed);
            const Sheet sheet = GenerateSheet(kind, settings, random);
            EXPECT_TRUE(std::regex_match(sheet.reference, reference))
                << kind.family->shortName << " " << kind.level << ": " << sheet.reference;
        }
    }
}

TEST(FamilyTable, ALevelOutsideTheFamilysIsRefusedBeforeAnyDraw) {
    for (const ExerciseFamily& family : ExerciseFamilies()) {
        for (int level : {0, -1, family.LevelCount() + 1}) {
            test::ScriptedRandom random; // any draw fails the test
            EXPECT_THROW(GenerateSheet({&family, level}, SheetSettings{}, random),
                         std::out_of_range);
        }
    }
    test::ScriptedRandom random;
    EXPECT_THROW(GenerateSheet({}, SheetSettings{}, random), std::invalid_argument);
}

} // namespace
} // namespace vorn
