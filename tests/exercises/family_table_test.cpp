#include "exercises/family_table.h"

#include "scripted_random.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <stdexcept>
#include <string>

namespace vorn {
namespace {

TEST(FamilyTable, ShortNamesInTheWindowsOrder) {
    const std::vector<std::string> designed = {"vn1", "vn2", "dev1", "dev2", "ident"};
    std::vector<std::string> names;
    std::set<std::string> prefixes;
    for (const ExerciseFamily& family : ExerciseFamilies()) {
        names.emplace_back(family.shortName);
        prefixes.emplace(family.referencePrefix);
        EXPECT_EQ(family.hasOwnButton, names.size() <= designed.size()) << names.back();
        EXPECT_GE(family.LevelCount(), 1) << names.back();
        EXPECT_EQ(FindFamily(family.shortName), &family);
    }
    ASSERT_GE(names.size(), designed.size());
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 5), designed);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    EXPECT_EQ(prefixes.size(), names.size());
}

TEST(FamilyTable, UnknownNamesAreRefused) {
    EXPECT_EQ(FindFamily("VN1"), nullptr);
    EXPECT_EQ(FindFamily(""), nullptr);
    EXPECT_THROW(FamilyNamed("vn3"), std::invalid_argument);
}

TEST(FamilyTable, EveryLevelDrawsAReferenceWithItsFamilysPrefix) {
    SheetSettings settings;
    settings.questionCount = 3;
    for (const SheetKind& kind : AllSheetKinds()) {
        const std::regex reference(std::string(kind.family->referencePrefix) + "[0-9]{6}");
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
