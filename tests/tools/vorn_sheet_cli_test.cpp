#include "exercises/family_table.h"
#include "richtext/markup_converter.h"
#include "richtext/rich_text_pane.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
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
std::pair<Expected, Expected> DegreeOneSheet(Draws& d, int questions, int separator,
                                             const std::string& title) {
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

std::pair<Expected, Expected> DegreeOneSheet(std::uint32_t seed, int questions, int separator,
                                             const std::string& title) {
    Draws d{seed};
    return DegreeOneSheet(d, questions, separator, title);
}

const std::string kTitleUtf8 = "\xC3\x89l\xC3\xA8ve 1\xC2\xB0";
const std::string kTitleCp1252 = "\xC9l\xE8ve 1\xB0";

// What a pane makes of a document: its text and its formatting.
struct PaneView {
    QString text;
    QString html;
};

PaneView Show(const std::string& document) {
    RichTextPane pane;
    pane.SetText(QByteArray(document.data(), qsizetype(document.size())));
    return {pane.GetText(), pane.toHtml()};
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

// Every family at every level: the sheet the table's generator gives for the
// seed, as markup, as RTF, and saved as a set of two sheets.
TEST_F(VornSheetCliTest, EveryFamilyAndLevelIsGenerated) {
    vorn::SheetSettings settings;
    settings.questionCount = 4;
    settings.title = "T";
    for (const vorn::SheetKind& kind : vorn::AllSheetKinds()) {
        const std::string family(kind.family->shortName);
        const std::string level = std::to_string(kind.level);
        SCOPED_TRACE(family + " " + level);
        vorn::LcgRandom random(2026);
        const vorn::Sheet first = vorn::GenerateSheet(kind, settings, random);
        const vorn::Sheet second = vorn::GenerateSheet(kind, settings, random);
        const std::vector<std::string> common{family,        "--level", level,     "--seed", "2026",
                                              "--questions", "4",       "--title", "T"};
        std::vector<std::string> args = common;
        args.push_back("--markup");
        Outcome o = Spawn(args);
        EXPECT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(o.out, first.statement + "\n" + first.answerKey + "\n");

        args = common;
        args.push_back("--rtf");
        o = Spawn(args);
        EXPECT_EQ(o.out, vorn::ConvertMarkupToRtf(first.statement) + "\n" +
                             vorn::ConvertMarkupToRtf(first.answerKey) + "\n");

        args = common;
        const fs::path statement = dir_ / (family + level + ".rtf");
        args.insert(args.end(), {"--variants", "2", "-o", statement.string()});
        o = Spawn(args);
        EXPECT_EQ(o.status, 0) << o.err;
        for (const fs::path& file : {statement, dir_ / (family + level + "_Cor.rtf")}) {
            const QString text = Show(ReadFile(file)).text;
            EXPECT_TRUE(text.startsWith(QString::fromStdString(first.reference))) << file;
            EXPECT_TRUE(text.contains(QString::fromStdString(second.reference))) << file;
        }
        // The set comes back from the recipe its answer keys carry, byte for byte.
        const fs::path again = dir_ / (family + level + "-again.rtf");
        o = Spawn(
            {"--from", (dir_ / (family + level + "_Cor.rtf")).string(), "-o", again.string()});
        EXPECT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(ReadFile(again), ReadFile(statement));
        EXPECT_EQ(ReadFile(dir_ / (family + level + "-again_Cor.rtf")),
                  ReadFile(dir_ / (family + level + "_Cor.rtf")));
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

// What the title holds beyond Windows-1252 reaches both documents and both
// saved files as RTF's Unicode escapes, and reads back as itself; so do "<"
// and ">", which are no tag there. A saved file puts those characters in a
// copy of the title's font that declares a set holding them (1: any).
TEST_F(VornSheetCliTest, TitleCharactersBeyondWindows1252AreKept) {
    const std::string title = "Classe \xE2\x89\xA4 \xE2\x88\x9A \xF0\x9F\x98\x80 a<b>c < 3";
    const std::string escaped = "Classe \\u8804? \\u8730? \\u-10179?\\u-8704? a<b>c < 3";
    Outcome o = Spawn({"dev1", "--seed", "5", "--questions", "1", "--title", title, "--rtf"});
    EXPECT_EQ(o.status, 0) << o.err;
    std::size_t found = 0;
    for (std::size_t at = o.out.find(escaped); at != std::string::npos;
         at = o.out.find(escaped, at + 1))
        ++found;
    EXPECT_EQ(found, 2u) << o.out;

    const fs::path statement = dir_ / "t.rtf";
    o = Spawn(
        {"dev1", "--seed", "5", "--questions", "1", "--title", title, "-o", statement.string()});
    EXPECT_EQ(o.status, 0) << o.err;
    for (const fs::path& file : {statement, dir_ / "t_Cor.rtf"}) {
        const std::string bytes = ReadFile(file);
        EXPECT_NE(bytes.find("{\\f1\\fswiss\\fprq2\\fcharset1 Arial;}"), std::string::npos) << file;
        EXPECT_NE(bytes.find("Classe \\f1 \\u8804?\\f0  \\f1 \\u8730?\\f0  \\f1 "
                             "\\u-10179?\\u-8704?\\f0  a<b>c < 3"),
                  std::string::npos)
            << file;
        EXPECT_TRUE(Show(bytes).text.contains(QString::fromStdString(title))) << file;
    }
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
    EXPECT_EQ(ReadFile(statement), vorn::Cp1252ToUtf8(s.plain));
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

TEST_F(VornSheetCliTest, AnswerKeyFailureLeavesNeitherFileWritten) {
    fs::create_directory(dir_ / "f_Cor.rtf");
    const Outcome o = Spawn({"vn1", "--seed", "5", "--questions", "1", "--separator", "3",
                             "--title", "", "-o", (dir_ / "f.rtf").string()});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "vorn-sheet: cannot save " + (dir_ / "f_Cor.rtf").string() + ": " +
                         kCannotCreate + (dir_ / "f_Cor.rtf").string() + " : c'est un dossier\n");
    EXPECT_TRUE(fs::is_directory(dir_ / "f_Cor.rtf"));
    EXPECT_EQ(Listing(dir_), (std::vector<std::string>{"f_Cor.rtf"}));
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

TEST_F(VornSheetCliTest, FromAFileWithoutAUsableRecipeExitsWith2AndWritesNothing) {
    const fs::path fifo = dir_ / "fifo.rtf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string name;
        std::string content; // none: the FIFO
        std::string said;
    } cases[] = {
        {"word.rtf", "{\\rtf1\\ansi Bonjour\\par}", "carries no VORN recipe"},
        {"note.txt", "Bonjour", "neither RTF nor PDF"},
        {"v9.rtf", "{\\rtf1 x{\\*\\vornrecette VORN-RECETTE 9 famille=vn1:1}}", "version"},
        {"zz.rtf",
         "{\\rtf1 x{\\*\\vornrecette VORN-RECETTE 1 famille=zz:1 questions=3 separateur=1 "
         "interligne=1 graines=1 titre=T}}",
         "inconnue"},
        {"fifo.rtf", "", "not a regular file"},
        {"absent.rtf", "", "no such file"},
    };
    for (const auto& c : cases) {
        if (!c.content.empty())
            std::ofstream(dir_ / c.name, std::ios::binary) << c.content;
        const Outcome o =
            Spawn({"--from", (dir_ / c.name).string(), "-o", (dir_ / "o.rtf").string()});
        EXPECT_EQ(o.status, 2) << c.name;
        EXPECT_NE(o.err.find(c.said), std::string::npos) << c.name << ": " << o.err;
        EXPECT_FALSE(fs::exists(dir_ / "o.rtf")) << c.name;
    }
}

TEST_F(VornSheetCliTest, BadVariantCountsExitWith2AndWriteNothing) {
    for (const std::string count : {"0", "201", "abc", ""}) {
        const Outcome o = Spawn({"vn1", "--variants", count, "-o", (dir_ / "x.pdf").string()});
        EXPECT_EQ(o.status, 2) << count;
        EXPECT_EQ(o.out, "") << count;
        EXPECT_NE(o.err.find("--variants"), std::string::npos) << o.err;
        EXPECT_NE(o.err.find("1 to 200"), std::string::npos) << o.err;
        EXPECT_TRUE(fs::is_empty(dir_)) << count;
    }
}

// What a poppler tool prints; empty when it failed.
std::string Poppler(const std::string& command) {
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, n);
        if (::pclose(pipe) != 0)
            output.clear();
    }
    return output;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// A question of an answer key's plain text: its words up to the value of x,
// in UTF-8, and its highlighted result.
struct Question {
    std::vector<std::string> words;
    std::string result;
};

std::vector<Question> QuestionsOf(const std::string& answerKeyPlain) {
    std::vector<Question> questions;
    std::istringstream lines(answerKeyPlain);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t mark = line.find("\xB0/ ");
        if (mark == std::string::npos)
            continue;
        std::vector<std::string> words = Words(line);
        Question q;
        q.result = words.back();
        words.pop_back();
        words[0].replace(words[0].find('\xB0'), 1, "\xC2\xB0");
        q.words = words;
        questions.push_back(q);
    }
    return questions;
}

// Where `run` starts in `words` at or after `from`; words.size() when absent.
std::size_t Find(const std::vector<std::string>& words, const std::vector<std::string>& run,
                 std::size_t from) {
    const auto at =
        std::search(words.begin() + std::ptrdiff_t(from), words.end(), run.begin(), run.end());
    return std::size_t(at - words.begin());
}

TEST_F(VornSheetCliTest, ThirtyVariantsGiveThirtySheetsWithTheirKeysInTheSameOrder) {
    constexpr int kSheets = 30;
    const fs::path statement = dir_ / "classe.pdf";
    const fs::path answerKey = dir_ / "classe_Cor.pdf";
    const Outcome o = Spawn({"vn1", "--seed", "2024", "--questions", "40", "--variants", "30",
                             "--title", "", "-o", statement.string()});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, statement.string() + "\n" + answerKey.string() + "\n");
    EXPECT_EQ(Listing(dir_), (std::vector<std::string>{"classe.pdf", "classe_Cor.pdf"}));

    // The sheets that thirty clicks would draw, one after the other.
    Draws d{2024};
    std::vector<std::string> references;
    std::vector<std::vector<Question>> questions;
    for (int i = 0; i < kSheets; ++i) {
        const auto [s, k] = DegreeOneSheet(d, 40, 120, "");
        references.push_back(k.plain.substr(0, 10));
        questions.push_back(QuestionsOf(k.plain));
        ASSERT_EQ(questions.back().size(), 40u);
        for (int j = 0; j < i; ++j)
            ASSERT_NE(references[std::size_t(j)], references.back());
    }

    for (const fs::path& file : {statement, answerKey}) {
        const bool isKey = file == answerKey;
        const std::string info = Poppler("pdfinfo '" + file.string() + "'");
        // The set is named by its first and last sheets and its size.
        const std::string title = references.front() + " \xC3\xA0 " + references.back() +
                                  " (30 feuilles)" + (isKey ? " - Corrig\xC3\xA9" : "");
        EXPECT_NE(info.find("Title:           " + title + "\n"), std::string::npos) << info;
        // pdftotext ends every page with a form feed.
        std::vector<std::string> pages;
        std::istringstream text(Poppler("pdftotext -layout '" + file.string() + "' -"));
        for (std::string page; std::getline(text, page, '\f');)
            pages.push_back(page);
        const std::size_t pagesAt = info.find("Pages:");
        ASSERT_NE(pagesAt, std::string::npos) << info;
        EXPECT_EQ(std::stoul(info.substr(pagesAt + 6)), pages.size()) << info;

        // A sheet starts where a page starts with a reference.
        std::vector<std::string> starts;
        std::vector<std::string> sheets;
        for (const std::string& page : pages) {
            const std::vector<std::string> words = Words(page);
            ASSERT_FALSE(words.empty());
            if (words[0].starts_with("VN1_")) {
                starts.push_back(words[0]);
                sheets.emplace_back();
            }
            ASSERT_FALSE(sheets.empty()) << "the first page starts a sheet";
            sheets.back() += page + "\n";
        }
        EXPECT_EQ(starts, references) << file;
        ASSERT_EQ(sheets.size(), std::size_t(kSheets));

        for (std::size_t i = 0; i < sheets.size(); ++i) {
            const std::vector<std::string> words = Words(sheets[i]);
            std::size_t at = 0;
            for (std::size_t q = 0; q < questions[i].size(); ++q) {
                at = Find(words, questions[i][q].words, at);
                ASSERT_LT(at, words.size()) << file << " sheet " << i << " question " << q + 1;
                at += questions[i][q].words.size();
                const std::size_t next = q + 1 < questions[i].size()
                                             ? Find(words, questions[i][q + 1].words, at)
                                             : words.size();
                const bool resultShown =
                    std::find(words.begin() + std::ptrdiff_t(at),
                              words.begin() + std::ptrdiff_t(next),
                              questions[i][q].result) != words.begin() + std::ptrdiff_t(next);
                EXPECT_EQ(resultShown, isKey) << file << " sheet " << i << " question " << q + 1;
            }
        }
    }
}

TEST_F(VornSheetCliTest, ASingleSheetsPdfIsTitledWithItsReference) {
    const fs::path statement = dir_ / "une.pdf";
    const Outcome o =
        Spawn({"vn1", "--seed", "5", "--questions", "2", "--title", "", "-o", statement.string()});
    ASSERT_EQ(o.status, 0) << o.err;
    Draws d{5};
    const std::string reference = DegreeOneSheet(d, 2, 120, "").second.plain.substr(0, 10);
    const std::pair<fs::path, std::string> titles[] = {
        {statement, reference}, {dir_ / "une_Cor.pdf", reference + " - Corrig\xC3\xA9"}};
    for (const auto& [file, title] : titles)
        EXPECT_NE(
            Poppler("pdfinfo '" + file.string() + "'").find("Title:           " + title + "\n"),
            std::string::npos)
            << file;
}

TEST_F(VornSheetCliTest, TheSameSeedGivesByteIdenticalRtfSets) {
    std::vector<std::string> plains;
    Draws d{99};
    for (int i = 0; i < 30; ++i)
        plains.push_back(DegreeOneSheet(d, 3, 10, "").first.plain);
    for (const std::string name : {"a.rtf", "b.rtf"}) {
        const Outcome o = Spawn({"vn1", "--seed", "99", "--questions", "3", "--separator", "10",
                                 "--title", "", "--variants", "30", "-o", (dir_ / name).string()});
        ASSERT_EQ(o.status, 0) << o.err;
    }
    const std::string a = ReadFile(dir_ / "a.rtf");
    EXPECT_EQ(a, ReadFile(dir_ / "b.rtf"));
    EXPECT_EQ(ReadFile(dir_ / "a_Cor.rtf"), ReadFile(dir_ / "b_Cor.rtf"));
    std::size_t breaks = 0;
    for (std::size_t at = a.find("\\page"); at != std::string::npos; at = a.find("\\page", at + 1))
        ++breaks;
    EXPECT_EQ(breaks, 29u);
    std::string joined;
    for (const std::string& plain : plains)
        joined += (joined.empty() ? "" : "\n") + plain;
    EXPECT_EQ(Show(a).text, QString::fromLatin1(joined));
}

TEST_F(VornSheetCliTest, HelpExitsWith0) {
    const Outcome o = Spawn({"--help"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind("usage: vorn-sheet FAMILY", 0), 0u) << o.out;
    EXPECT_NE(o.out.find("--variants N"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("--level N"), std::string::npos) << o.out;
    for (const char* family : {"vn1 ", "vn2 ", "dev1 ", "dev2 ", "ident ", "red ", "devred ",
                               "fact ", "eq1 ", "eqprod "})
        EXPECT_NE(o.out.find(std::string("    ") + family), std::string::npos) << family;
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
