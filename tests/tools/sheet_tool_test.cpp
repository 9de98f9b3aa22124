#include "output/save/save_error.h"
#include "text/user_error.h"
#include "tools/sheet_tool.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

struct SaveCall {
    std::string statement; // of the first sheet
    std::string answerKey;
    std::string path;
    std::vector<vorn::Sheet> sheets;
};

// Records what it is asked to save, and fails when given a message (naming
// `failedFile` when there is one).
struct FakeSaver {
    std::vector<SaveCall> calls;
    std::string failure;
    std::string failedFile;

    vorn::sheet_tool::SheetSaver Saver() {
        return [this](const std::vector<vorn::Sheet>& sheets, const std::string& path) {
            calls.push_back({sheets.at(0).statement, sheets.at(0).answerKey, path, sheets});
            if (!failedFile.empty())
                throw vorn::SaveError(failure, failedFile);
            if (!failure.empty())
                throw vorn::UserError(failure);
        };
    }
};

const std::vector<std::string> kSheet{"dev2", "--seed", "4242", "--questions", "3", "--title", "T"};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(SheetToolSaveTest, FilesGetTheSheetThatMarkupPrints) {
    FakeSaver printer;
    std::ostringstream markupOut, markupErr;
    ASSERT_EQ(
        vorn::sheet_tool::Run(With(kSheet, {"--markup"}), markupOut, markupErr, printer.Saver()),
        0);
    EXPECT_TRUE(printer.calls.empty());
    const std::string printed = markupOut.str();
    const std::size_t firstEnd = printed.find('\n');
    ASSERT_NE(firstEnd, std::string::npos);

    for (const auto& [path, answerKeyPath] : std::vector<std::pair<std::string, std::string>>{
             {"dir.v2/a.b.txt", "dir.v2/a.b_Cor.rtf"}, {"feuille", "feuille_Cor.rtf"}}) {
        FakeSaver saver;
        std::ostringstream out, err;
        EXPECT_EQ(vorn::sheet_tool::Run(With(kSheet, {"-o", path}), out, err, saver.Saver()), 0)
            << err.str();
        ASSERT_EQ(saver.calls.size(), 1u);
        EXPECT_EQ(saver.calls[0].path, path);
        EXPECT_EQ(saver.calls[0].statement + "\n" + saver.calls[0].answerKey + "\n", printed);
        EXPECT_EQ(saver.calls[0].statement, printed.substr(0, firstEnd));
        EXPECT_EQ(out.str(), path + "\n" + answerKeyPath + "\n");
        EXPECT_EQ(err.str(), "");
    }
}

TEST(SheetToolSaveTest, VariantsAreTheSheetsOfSuccessiveDrawsInOrder) {
    FakeSaver saver;
    std::ostringstream printed, out, err;
    ASSERT_EQ(vorn::sheet_tool::Run(With(kSheet, {"--markup"}), printed, err, saver.Saver()), 0);
    ASSERT_EQ(vorn::sheet_tool::Run(With(kSheet, {"--variants", "4", "-o", "v.PDF"}), out, err,
                                    saver.Saver()),
              0)
        << err.str();
    ASSERT_EQ(saver.calls.size(), 1u);
    const std::vector<vorn::Sheet>& sheets = saver.calls[0].sheets;
    ASSERT_EQ(sheets.size(), 4u);
    // The first sheet is the one a single run gives with the same seed.
    EXPECT_EQ(sheets[0].statement + "\n" + sheets[0].answerKey + "\n", printed.str());
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        // Each statement and key opens with that sheet's own reference.
        EXPECT_EQ(sheets[i].statement.rfind("<te=24>" + sheets[i].reference + " - ", 0), 0u);
        EXPECT_EQ(sheets[i].answerKey.rfind("<te=24>" + sheets[i].reference + " - ", 0), 0u);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(sheets[i].reference, sheets[j].reference);
    }
    EXPECT_EQ(out.str(), "v.PDF\nv_Cor.pdf\n");
}

TEST(SheetToolSaveTest, SaveFailureIsStatus1WithThePathAndTheReason) {
    for (const std::string reason : {"Impossible de cr\xC3\xA9"
                                     "er le fichier /nope/f.rtf",
                                     "Erreur \xC3\xA0 l'enregistrement du flux"}) {
        FakeSaver saver;
        saver.failure = reason;
        std::ostringstream out, err;
        EXPECT_EQ(
            vorn::sheet_tool::Run(With(kSheet, {"-o", "/nope/f.rtf"}), out, err, saver.Saver()), 1);
        EXPECT_EQ(saver.calls.size(), 1u);
        EXPECT_EQ(out.str(), "") << "no path is announced for files not written";
        const std::string message = err.str();
        EXPECT_EQ(message.rfind("vorn-sheet: ", 0), 0u) << message;
        EXPECT_NE(message.find("/nope/f.rtf"), std::string::npos) << message;
        EXPECT_NE(message.find(reason), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), message.size() - 1) << "one line: " << message;
    }
}

TEST(SheetToolSaveTest, TheFileThatFailedIsNamed) {
    FakeSaver saver;
    saver.failure = "Erreur \xC3\xA0 l'enregistrement du flux";
    saver.failedFile = "/d/f_Cor.rtf";
    std::ostringstream out, err;
    EXPECT_EQ(vorn::sheet_tool::Run(With(kSheet, {"-o", "/d/f.rtf"}), out, err, saver.Saver()), 1);
    EXPECT_EQ(err.str(), "vorn-sheet: cannot save /d/f_Cor.rtf: " + saver.failure + "\n");
    EXPECT_EQ(out.str(), "");
}

TEST(SheetToolSaveTest, ARefusedFileNameIsStatus2AndNothingIsPrinted) {
    std::ostringstream out, err;
    const auto refuse = [](const std::vector<vorn::Sheet>&, const std::string&) {
        throw vorn::sheet_tool::FileNameError("-o lat\\xE9.rtf: not valid UTF-8");
    };
    EXPECT_EQ(vorn::sheet_tool::Run(With(kSheet, {"-o", "lat\xE9.rtf"}), out, err, refuse), 2);
    EXPECT_EQ(err.str(), "vorn-sheet: -o lat\\xE9.rtf: not valid UTF-8\n");
    EXPECT_EQ(out.str(), "");
}

// A standard output that refuses every byte, as a full disk does.
class FullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(SheetToolOutputTest, AStandardOutputThatFailsIsReportedOnTheErrorStream) {
    const std::string failed = "vorn-sheet: cannot write to the standard output\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, With(kSheet, {"--markup"}),
          With(kSheet, {"--rtf"})}) {
        FullBuffer full;
        std::ostream out(&full);
        std::ostringstream err;
        FakeSaver saver;
        EXPECT_EQ(vorn::sheet_tool::Run(args, out, err, saver.Saver()), 1) << args[0];
        EXPECT_EQ(err.str(), failed) << args[0];
    }
}

TEST(SheetToolOutputTest, ASaveThatSucceededStaysASuccessWhenItsNamesCannotBePrinted) {
    FullBuffer full;
    std::ostream out(&full);
    std::ostringstream err;
    FakeSaver saver;
    EXPECT_EQ(vorn::sheet_tool::Run(With(kSheet, {"-o", "f.rtf"}), out, err, saver.Saver()), 0);
    EXPECT_EQ(saver.calls.size(), 1u);
    EXPECT_EQ(err.str(), "vorn-sheet: saved, but the file names could not be written to the "
                         "standard output\n");
}

} // namespace
