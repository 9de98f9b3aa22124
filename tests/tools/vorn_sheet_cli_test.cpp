#include "richtext/trx_rich_edit.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class VornSheetCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vorn-sheet-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the built program with its output captured in files (its
    // standard output sent to `stdoutPath` when one is given).
    Outcome Spawn(const std::vector<std::string>& args, const std::string& stdoutPath = {}) {
        const std::string outPath =
            stdoutPath.empty() ? (dir_ / "stdout.bin").string() : stdoutPath;
        const std::string errPath = (dir_ / "stderr.txt").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        std::vector<std::string> argv{VORN_SHEET_BINARY};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> cargv;
        for (std::string& a : argv)
            cargv.push_back(a.data());
        cargv.push_back(nullptr);
        pid_t pid = 0;
        Outcome outcome;
        const int rc =
            posix_spawn(&pid, VORN_SHEET_BINARY, &actions, nullptr, cargv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0)
            return outcome;
        int wstatus = 0;
        ::waitpid(pid, &wstatus, 0);
        outcome.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
        outcome.err = ReadFile(errPath);
        if (stdoutPath.empty()) {
            outcome.out = ReadFile(outPath);
            fs::remove(outPath);
        }
        fs::remove(errPath);
        return outcome;
    }

    fs::path dir_;
};

// The generator's draws, from its defining recurrence.
struct Draws {
    std::uint32_t state;
    int Random(int n) {
        state = state * 134775813u + 1u;
        return static_cast<int>(
            (static_cast<std::uint64_t>(state) * static_cast<std::uint64_t>(n)) >> 32);
    }
};

// A document written three times at once: as markup, as the RTF it stands
// for and as its plain text (Windows-1252, paragraphs ended by "\n").
struct Expected {
    std::string markup;
    std::string rtf;
    std::string plain;
    Expected& Text(const std::string& t) {
        markup += t;
        rtf += t;
        plain += t;
        return *this;
    }
    Expected& Tag(const std::string& tag, const std::string& word) {
        markup += tag;
        rtf += word;
        if (tag == "<br>")
            plain += '\n';
        else if (tag == "<tab>")
            plain += '\t';
        return *this;
    }
};

const std::string kRtfHeader =
    R"rtf({\rtf1\ansi\ansicpg1252\deftab2880\deff0\deflang1036{\fonttbl{\f0\fswiss\fprq2\fcharset0 Arial;}{\f1\froman\fprq2\fcharset0 Times New Roman;}{\f2\fmodern\fprq1\fcharset0 Courier New;}{\f3\froman\fprq2\fcharset2 Symbol;}{\f4\fswiss\fcharset0 Arial;}}{\colortbl ;\red0\green0\blue0;\red128\green0\blue0;\red0\green128\blue0;\red128\green128\blue0;\red0\green0\blue128;\red128\green0\blue128;\red0\green128\blue128;\red128\green128\blue128;\red192\green192\blue192;\red255\green0\blue0;\red0\green255\blue0;\red255\green255\blue0;\red0\green0\blue255;\red255\green0\blue255;\red0\green255\blue255;\red255\green255\blue255;}\viewkind4\uc1\pard\f0 )rtf";

std::string TwoDigits(int n) {
    return std::string(1, char('0' + n / 10)) + char('0' + n % 10);
}

// Degree-1 numeric-value sheet for the given seed and settings (spacing 1),
// built from the description of that exercise.
std::pair<Expected, Expected> DegreeOneSheet(std::uint32_t seed, int questions, int separator,
                                             const std::string& title) {
    Draws d{seed};
    const int r1 = d.Random(100), r2 = d.Random(100), r3 = d.Random(100);
    const std::string ref = "VN1_" + TwoDigits(r1) + TwoDigits(r2) + TwoDigits(r3);
    const auto coefficient = [&d] {
        int v = 9 - d.Random(16);
        while (v == 0 || v == 1 || v == -1)
            v = 9 - d.Random(16);
        return v;
    };
    const int a = coefficient();
    const int b = coefficient();
    const std::string sep(separator, '-');

    const auto head = [&](Expected& e) {
        e.Tag("<ce=noir>", "\\cf1 ").Tag("<te=18>", "\\fs18 ");
        e.Text(std::string(100, ' ') + std::to_string(a) + " ");
        e.Tag("<times>", "\\f1 ").Tag("<te=26>", "\\fs26 ").Tag("<i>", "\\i ").Text("x");
        e.Tag("<arial>", "\\f0 ").Tag("</i>", "\\i0 ").Tag("<te=18>", "\\fs18 ");
        e.Text(std::string("  ") + (b > 0 ? "+" : "-") + " " + std::to_string(std::abs(b)) +
               "    pour");
        e.Tag("<br>", "\\par ").Text(sep);
    };
    const auto question = [](Expected& e, int i, int x) {
        e.Tag("<br>", "\\par ").Text(std::to_string(i) + "\xB0/ ");
        e.Tag("<i>", "\\i ").Tag("<te=26>", "\\fs26 ").Tag("<times>", "\\f1 ").Text("x");
        e.Tag("</i>", "\\i0 ").Tag("<te=18>", "\\fs18 ").Tag("<arial>", "\\f0 ");
        e.Text(" = " + std::to_string(x));
    };

    Expected s, k;
    s.Tag("<te=24>", "\\fs24 ").Text(ref + " - ").Tag("<b>", "\\b ").Tag("<u>", "\\ul ");
    s.Text(title + " ").Tag("</u>", "\\ul0 ").Tag("</b>", "\\b0 ");
    s.Tag("<br>", "\\par ").Tag("<br>", "\\par ").Tag("<br>", "\\par ");
    head(s);
    k.Tag("<te=24>", "\\fs24 ").Text(ref + " - ").Tag("<b>", "\\b ").Tag("<u>", "\\ul ");
    k.Text("Corrig\xE9").Tag("</u>", "\\ul0 ").Tag("</b>", "\\b0 ").Text(" - " + title);
    k.Tag("<br>", "\\par ").Tag("<br>", "\\par ").Tag("<br>", "\\par ");
    head(k);

    bool used[50] = {};
    for (int i = 1; i <= questions; ++i) {
        int x = d.Random(50) - 20;
        while (used[x + 20])
            x = d.Random(50) - 20;
        used[x + 20] = true;
        question(s, i, x);
        s.Tag("<br>", "\\par ");
        question(k, i, x);
        k.Text(std::string(77, ' ')).Tag("<tab>", "\\tab ").Tag("<tab>", "\\tab ");
        k.Tag("<cf=jaune>", "\\highlight12 ").Text(' ' + std::to_string(a * x + b) + ' ');
        k.Tag("<cf=auto>", "\\highlight0 ").Tag("<br>", "\\par ");
        if (i < questions) {
            s.Tag("<br>", "\\par ").Text(sep);
            k.Text(sep);
        }
    }
    return {s, k};
}

const std::string kTitleUtf8 = "\xC3\x89l\xC3\xA8ve 1\xC2\xB0";
const std::string kTitleCp1252 = "\xC9l\xE8ve 1\xB0";

// What a pane makes of a document: its text and its formatting.
struct PaneView {
    QString text;
    QString html;
};

PaneView Show(const std::string& document) {
    TRxRichEdit pane;
    pane.SetText(QByteArray(document.data(), qsizetype(document.size())));
    return {pane.GetText(), pane.toHtml()};
}

std::string WithCrLf(const std::string& text) {
    std::string result;
    for (char c : text)
        result += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return result;
}

std::vector<std::string> Listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The file holds an RTF document that a pane shows as it shows `expected`.
void ExpectRtfOf(const fs::path& file, const Expected& expected) {
    const std::string bytes = ReadFile(file);
    EXPECT_EQ(bytes.rfind("{\\rtf", 0), 0u) << file;
    const PaneView written = Show(bytes);
    EXPECT_EQ(written.text, QString::fromLatin1(expected.plain)) << file;
    EXPECT_EQ(written.html, Show(kRtfHeader + expected.rtf + "}").html) << file;
}

const std::string kCannotCreate = "Impossible de cr\xC3\xA9"
                                  "er le fichier ";

TEST_F(VornSheetCliTest, MarkupAndRtfMatchAnIndependentReproduction) {
    for (const std::uint32_t seed : {0u, 12345u, 4294967295u}) {
        const auto [s, k] = DegreeOneSheet(seed, 3, 5, kTitleCp1252);
        const std::vector<std::string> common{"vn1",         "--seed",  std::to_string(seed),
                                              "--questions", "3",       "--separator",
                                              "5",           "--title", kTitleUtf8};
        std::vector<std::string> args = common;
        args.push_back("--markup");
        Outcome o = Spawn(args);
        EXPECT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(o.err, "");
        EXPECT_EQ(o.out, s.markup + "\n" + k.markup + "\n") << seed;

        args = common;
        args.push_back("--rtf");
        o = Spawn(args);
        EXPECT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(o.out, kRtfHeader + s.rtf + "}\n" + kRtfHeader + k.rtf + "}\n") << seed;
    }
}

TEST_F(VornSheetCliTest, FileOutputSavesBothPanesAsRtf) {
    const auto [s, k] = DegreeOneSheet(777, 2, 120, kTitleCp1252);
    const fs::path statement = dir_ / "a.b.rtf";
    const Outcome o = Spawn({"vn1", "--seed", "777", "--questions", "2", "--title", kTitleUtf8,
                             "-o", statement.string()});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    const fs::path answerKey = dir_ / "a.b_Cor.rtf";
    EXPECT_EQ(o.out, statement.string() + "\n" + answerKey.string() + "\n");
    ExpectRtfOf(statement, s);
    ExpectRtfOf(answerKey, k);
    EXPECT_EQ(Listing(dir_), (std::vector<std::string>{"a.b.rtf", "a.b_Cor.rtf"}));
}

TEST_F(VornSheetCliTest, TxtStatementIsPlainTextAndOldFilesAreReplaced) {
    const auto [s, k] = DegreeOneSheet(31, 4, 7, kTitleCp1252);
    const fs::path statement = dir_ / "feuille.txt";
    const fs::path answerKey = dir_ / "feuille_Cor.rtf";
    // Longer than what replaces them, so that a file not emptied first shows.
    std::ofstream(statement) << std::string(20000, 'x');
    std::ofstream(answerKey) << std::string(20000, 'y');
    const Outcome o = Spawn({"vn1", "--seed", "31", "--questions", "4", "--separator", "7",
                             "--title", kTitleUtf8, "-o", statement.string()});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, statement.string() + "\n" + answerKey.string() + "\n");
    EXPECT_EQ(ReadFile(statement), WithCrLf(s.plain));
    ExpectRtfOf(answerKey, k);
    EXPECT_EQ(Listing(dir_), (std::vector<std::string>{"feuille.txt", "feuille_Cor.rtf"}));
}

TEST_F(VornSheetCliTest, UnwritablePathFailsWithTheReasonAndWritesNothing) {
    const fs::path missing = dir_ / "no-such-folder" / "feuille.rtf";
    Outcome o = Spawn({"dev1", "--seed", "1", "-o", missing.string()});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find(kCannotCreate + missing.string()), std::string::npos) << o.err;
    EXPECT_TRUE(fs::is_empty(dir_));

    // The statement's name is taken by a folder: it stays a folder, and no
    // answer key appears beside it.
    fs::create_directory(dir_ / "feuille.rtf");
    o = Spawn({"dev2", "--seed", "1", "-o", (dir_ / "feuille.rtf").string()});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find(kCannotCreate + (dir_ / "feuille.rtf").string()), std::string::npos)
        << o.err;
    EXPECT_TRUE(fs::is_directory(dir_ / "feuille.rtf"));
    EXPECT_EQ(Listing(dir_), std::vector<std::string>{"feuille.rtf"});
}

TEST_F(VornSheetCliTest, AnswerKeyFailureLeavesTheStatementWhole) {
    const auto [s, k] = DegreeOneSheet(5, 1, 3, "");
    fs::create_directory(dir_ / "f_Cor.rtf");
    const Outcome o = Spawn({"vn1", "--seed", "5", "--questions", "1", "--separator", "3",
                             "--title", "", "-o", (dir_ / "f.rtf").string()});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "vorn-sheet: cannot save " + (dir_ / "f_Cor.rtf").string() + ": " +
                         kCannotCreate + (dir_ / "f_Cor.rtf").string() + "\n");
    ExpectRtfOf(dir_ / "f.rtf", s);
    EXPECT_TRUE(fs::is_directory(dir_ / "f_Cor.rtf"));
    EXPECT_EQ(Listing(dir_), (std::vector<std::string>{"f.rtf", "f_Cor.rtf"}));
}

TEST_F(VornSheetCliTest, BadInputExitsWith2AndWritesNothing) {
    const fs::path target = dir_ / "x.rtf";
    const Outcome o = Spawn({"ident", "--spacing", "9", "-o", target.string()});
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("--spacing"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("usage: vorn-sheet FAMILY"), std::string::npos) << o.err;
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(VornSheetCliTest, HelpExitsWith0) {
    const Outcome o = Spawn({"--help"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind("usage: vorn-sheet FAMILY", 0), 0u) << o.out;
    EXPECT_EQ(o.err, "");
}

TEST_F(VornSheetCliTest, ANameThatIsNotValidUtf8IsRefusedWith2) {
    const fs::path target = dir_ / "lat\xE9.rtf";
    const Outcome o = Spawn({"vn1", "--seed", "1", "-o", target.string()});
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("lat\\xE9.rtf"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("not valid UTF-8"), std::string::npos) << o.err;
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(VornSheetCliTest, ATitleWithBackslashesAndBracesShowsAsTyped) {
    for (const std::string title : {"Classe {\\*\\x groupe B", "Titre {a} \\par b"}) {
        const Outcome o =
            Spawn({"vn1", "--seed", "9", "--questions", "20", "--title", title, "--rtf"});
        ASSERT_EQ(o.status, 0) << o.err;
        const std::size_t split = o.out.find("}\n{\\rtf");
        ASSERT_NE(split, std::string::npos);
        const QString statement = Show(o.out.substr(0, split + 1)).text;
        const QString answerKey = Show(o.out.substr(split + 2)).text;
        const QString shown = QString::fromStdString(title);
        EXPECT_TRUE(statement.contains(" - " + shown + " \n")) << statement.toStdString();
        EXPECT_TRUE(answerKey.contains(QString::fromUtf8(" - Corrigé - ") + shown + "\n"))
            << answerKey.toStdString();
        EXPECT_TRUE(statement.contains(QString::fromUtf8("\n20°/ ")));
        EXPECT_TRUE(answerKey.contains(QString::fromUtf8("\n20°/ ")));
    }
}

// A full standard output: reported, and a save that is done stays done.
TEST_F(VornSheetCliTest, AFullStandardOutputIsReported) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    Outcome o = Spawn({"--help"}, "/dev/full");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "vorn-sheet: cannot write to the standard output\n");

    const fs::path statement = dir_ / "f.rtf";
    o = Spawn({"vn1", "--seed", "3", "-o", statement.string()}, "/dev/full");
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.err.find("saved, but the file names could not be written"), std::string::npos)
        << o.err;
    EXPECT_TRUE(ReadFile(statement).starts_with("{\\rtf"));
    EXPECT_TRUE(ReadFile(dir_ / "f_Cor.rtf").starts_with("{\\rtf"));
}

} // namespace
