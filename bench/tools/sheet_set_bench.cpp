#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// vorn-sheet with `args`, its output streams closed; its exit status, or -1.
int RunVornSheet(std::vector<std::string> args) {
    args.insert(args.begin(), VORN_SHEET_BINARY);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, VORN_SHEET_BINARY, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// `vorn-sheet` with `args` and "-o FOLDER/NAME.pdf", timed; the answer keys
// must have been written beside the statements.
void TimeSetToPdf(benchmark::State& state, std::vector<std::string> args, const std::string& name) {
    std::string pattern = (fs::temp_directory_path() / "vorn-sheet-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const fs::path folder = pattern;
    args.push_back("-o");
    args.push_back((folder / (name + ".pdf")).string());
    for (auto _ : state) {
        if (RunVornSheet(args) != 0) {
            state.SkipWithError("vorn-sheet failed");
            break;
        }
    }
    if (!fs::exists(folder / (name + "_Cor.pdf")))
        state.SkipWithError("the answer keys were not written");
    fs::remove_all(folder);
}

} // namespace

// A class set: thirty different 40-question sheets, the statements and the
// answer keys written as two PDF files, the whole process timed.
static void BM_ThirtyVariantsToPdf(benchmark::State& state) {
    TimeSetToPdf(state, {"vn1", "--seed", "1234", "--questions", "40", "--variants", "30"},
                 "classe");
}
BENCHMARK(BM_ThirtyVariantsToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same class set of a composed sheet: ten exercises, one of each family,
// 100 questions (separator 120, spacing 1, the defaults).
static void BM_ThirtyComposedToPdf(benchmark::State& state) {
    TimeSetToPdf(state,
                 {"compose", "vn1:1:10", "vn2:1:10", "dev1:1:10", "dev2:1:10", "ident:1:10",
                  "red:2:10", "devred:2:10", "fact:3:10", "eq1:3:10", "eqprod:3:10", "--seed",
                  "1234", "--variants", "30"},
                 "controle");
}
BENCHMARK(BM_ThirtyComposedToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();
