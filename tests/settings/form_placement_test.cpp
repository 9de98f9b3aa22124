#include "tests/settings/settings_test_support.h"

#include <gtest/gtest.h>

#include <tuple>

namespace settings_test {
namespace {

using FormPlacementTest = FormTest;

std::string Line(const std::string& key, const std::string& value) {
    return "\r\n" + key + "=" + value + "\r\n";
}

TEST_F(FormPlacementTest, AMaximisedWindowKeepsItsNormalRectangle) {
    auto form = Start();
    form->setGeometry(50, 60, 800, 580);
    form->showMaximized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(form->isMaximized());
    Quit(form);
    const std::string file = ReadBytes(path_);
    EXPECT_NE(file.find(Line("ShowCmd", "3")), std::string::npos);
    EXPECT_NE(file.find(Line("Flags", "0")), std::string::npos);
    EXPECT_NE(file.find(Line("NormPos", "50,60,850,640")), std::string::npos);

    form = Start();
    EXPECT_TRUE(form->isMaximized());
    EXPECT_EQ(form->normalGeometry(), QRect(50, 60, 800, 580));
}

TEST_F(FormPlacementTest, AMinimisedWindowStartsMinimisedNextTime) {
    auto form = Start();
    form->showMinimized();
    QCoreApplication::processEvents();
    Quit(form);
    EXPECT_NE(ReadBytes(path_).find(Line("ShowCmd", "2")), std::string::npos);

    form = std::make_unique<MainWindow>(path_);
    form->show();
    // The window opens normal; the minimising follows once the show is over.
    EXPECT_FALSE(form->isMinimized());
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->isMinimized());
}

TEST_F(FormPlacementTest, MinimisedFromMaximisedIsStoredAsRestoreToMaximised) {
    WriteBytes(path_, "[TForm1]\r\nFlags=2\r\nShowCmd=2\r\nNormPos=30,40,730,540\r\n");
    auto form = Start();
    EXPECT_TRUE(form->isMinimized());
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
    Quit(form);
    const std::string file = ReadBytes(path_);
    EXPECT_NE(file.find(Line("Flags", "2")), std::string::npos);
    EXPECT_NE(file.find(Line("ShowCmd", "2")), std::string::npos);
    EXPECT_NE(file.find(Line("NormPos", "30,40,730,540")), std::string::npos);
}

TEST_F(FormPlacementTest, ShowCommandsOfTheSameFamilyActAlike) {
    for (const auto& [cmd, maximised, minimised] :
         {std::tuple{"5", false, false}, std::tuple{"9", false, false},
          std::tuple{"6", false, true}, std::tuple{"7", false, true}, std::tuple{"3", true, false},
          std::tuple{"4", false, false}, std::tuple{"x", false, false}}) {
        WriteBytes(path_, std::string("[TForm1]\r\nShowCmd=") + cmd + "\r\n");
        auto form = Start();
        EXPECT_EQ(form->isMaximized(), maximised) << cmd;
        EXPECT_EQ(form->isMinimized(), minimised) << cmd;
        form.reset();
        QFile::remove(path_);
    }
}

TEST_F(FormPlacementTest, ThePositionOfThisScreenSizeComesBeforeThePlainOne) {
    WriteBytes(path_, "[TForm1]\r\nNormPos(1x1)=1,2,901,602\r\nNormPos" + ScreenSize() +
                          "=20,30,720,530\r\nNormPos=40,50,740,550\r\n");
    auto form = Start();
    EXPECT_EQ(form->geometry(), QRect(20, 30, 700, 500));
}

TEST_F(FormPlacementTest, ThePlainPositionServesAnotherScreenSize) {
    // An empty value under this screen's key counts as none; words may be
    // split by commas and blanks in any number.
    WriteBytes(path_, "[TForm1]\r\nNormPos(1x1)=1,2,901,602\r\nNormPos" + ScreenSize() +
                          "=\r\nNormPos=40 , 50,,740 550\r\n");
    auto form = Start();
    EXPECT_EQ(form->geometry(), QRect(40, 50, 700, 500));
}

TEST_F(FormPlacementTest, MissingOrBadWordsTakeTheCurrentPlace) {
    // The window stands at 111, 104 and measures 794 x 522: a missing right
    // stays at 111 + 794 and a bad bottom at 104 + 522.
    WriteBytes(path_, "[TForm1]\r\nNormPos=100,abc,800\r\n");
    auto form = Start();
    EXPECT_EQ(form->geometry(), QRect(100, 104, 700, 522));
    form.reset();
    WriteBytes(path_, "[TForm1]\r\nNormPos=211\r\n");
    form = Start();
    EXPECT_EQ(form->geometry(), QRect(211, 104, 905 - 211, 522));
}

TEST_F(FormPlacementTest, ALeftNotBelowTheRightLeavesTheWindowWhereItIs) {
    WriteBytes(path_, "[TForm1]\r\nNormPos=900,40,900,640\r\nspInterL_Value=4\r\n");
    auto form = Start();
    EXPECT_EQ(form->geometry(), QRect(111, 104, 794, 522));
    EXPECT_EQ(form->spacingSpin->value(), 4);
}

TEST_F(FormPlacementTest, StoredRectanglesThatBreakTheWindowAreFittedOntoTheScreen) {
    // The test session's screen, from Qt itself. A window against the screen's
    // edge may be pushed in by its frame, so only the size and the screen's
    // hold are checked there; away from the edges the place is exact.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_GE(area.width(), 800);
    ASSERT_GE(area.height(), 600);
    const struct {
        const char* normPos;
        QSize size;
        QPoint exactPlace;
    } cases[] = {
        {"-2147483648,0,2147483647,100", QSize(area.width(), 100), QPoint()},
        {"0,0,100000,100000", area.size(), QPoint()},
        {"100000,100,100700,622", QSize(700, 522), QPoint(area.right() + 1 - 700, 100)},
        {"-1000,-900,-300,-378", QSize(700, 522), QPoint()},
        {"500,300,1200,822", QSize(700, 522), QPoint(500, 300)}, // partly visible: kept
    };
    for (const auto& c : cases) {
        WriteBytes(path_, std::string("[TForm1]\r\nNormPos=") + c.normPos + "\r\n");
        auto form = Start();
        const QRect r = form->geometry();
        EXPECT_EQ(r.size(), c.size) << c.normPos;
        EXPECT_TRUE(r.intersects(area)) << c.normPos;
        if (!c.exactPlace.isNull()) {
            EXPECT_EQ(r.topLeft(), c.exactPlace) << c.normPos;
        }
        Quit(form);
        EXPECT_NE(ReadBytes(path_).find(Line("NormPos", std::to_string(r.left()) + "," +
                                                            std::to_string(r.top()) + "," +
                                                            std::to_string(r.right() + 1) + "," +
                                                            std::to_string(r.bottom() + 1))),
                  std::string::npos)
            << c.normPos;
    }
}

} // namespace
} // namespace settings_test
