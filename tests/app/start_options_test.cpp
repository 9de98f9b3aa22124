#include "app/start_options.h"

#include <gtest/gtest.h>

namespace {

struct ArgumentsCase {
    QStringList arguments;
    bool help;
    bool workInCache;
    QString error;
};

TEST(StartOptions, OneOptionAndHelpAreUnderstoodAnythingElseIsRefused) {
    const ArgumentsCase cases[] = {
        {{}, false, false, ""},
        {{"--work-in-cache"}, false, true, ""},
        {{"--help"}, true, false, ""},
        {{"-h", "--work-in-cache"}, true, true, ""},
        {{"--work-in"}, false, false, "vorn: unknown argument '--work-in' (see vorn --help)"},
        {{"--work-in-cache", "feuille.rtf"},
         false,
         true,
         "vorn: unknown argument 'feuille.rtf' (see vorn --help)"},
    };
    for (const ArgumentsCase& c : cases) {
        const vorn::StartOptions options = vorn::ParseStartArguments(c.arguments);
        EXPECT_EQ(options.help, c.help) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(options.workInCache, c.workInCache) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(options.error, c.error) << c.arguments.join(' ').toStdString();
    }
}

TEST(StartOptions, HelpIsFoundBeforeTheToolkitStarts) {
    const char* withHelp[] = {"vorn", "-platform", "offscreen", "--help"};
    const char* withoutHelp[] = {"vorn", "--work-in-cache", "help"};
    EXPECT_TRUE(vorn::AsksForHelp(4, withHelp));
    EXPECT_FALSE(vorn::AsksForHelp(3, withoutHelp));
    EXPECT_FALSE(vorn::AsksForHelp(1, withoutHelp));
}

} // namespace
