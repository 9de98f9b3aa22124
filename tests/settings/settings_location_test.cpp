#include "settings/settings_location.h"

#include <gtest/gtest.h>

namespace {

using vorn::ChooseSettingsFile;

TEST(SettingsLocation, TheFileBesideTheExecutableBearsItsName) {
    EXPECT_EQ(vorn::SettingsFileBesideExecutable("/opt/vorn/vorn"), "/opt/vorn/vorn.ini");
    EXPECT_EQ(vorn::SettingsFileBesideExecutable("/opt/vorn/VORN.EXE"), "/opt/vorn/VORN.ini");
    EXPECT_EQ(vorn::SettingsFileBesideExecutable("/opt/v.1/vorn.tar.gz"), "/opt/v.1/vorn.tar.ini");
    // A dot in a folder name is not an extension.
    EXPECT_EQ(vorn::SettingsFileBesideExecutable("/opt/v.1/vorn"), "/opt/v.1/vorn.ini");
}

TEST(SettingsLocation, AnInstalledCopyUsesTheUsersConfigurationFolder) {
    const QString beside = "/usr/bin/vorn.ini";
    struct Case {
        bool writable;
        bool exists;
        QString xdg;
        QString expected;
    } cases[] = {
        {true, false, "/home/anne/cfg", beside}, // a build tree or a USB stick
        {true, true, "", beside},                // a copy that already keeps its file
        {false, true, "/home/anne/cfg", beside}, // a writable file left beside it
        {false, false, "/home/anne/cfg", "/home/anne/cfg/vorn/vorn.ini"},
        {false, false, "/home/anne/cfg/", "/home/anne/cfg/vorn/vorn.ini"},
        {false, false, "", "/home/anne/.config/vorn/vorn.ini"},
        {false, false, "relative/cfg", "/home/anne/.config/vorn/vorn.ini"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseSettingsFile({beside, c.writable, c.exists, c.xdg, "/home/anne"}),
                  c.expected)
            << c.writable << c.exists << c.xdg.toStdString();
    }
}

} // namespace
