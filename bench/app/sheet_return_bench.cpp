// What bringing a sheet back costs the window: opening a saved 40-question
// RTF pair with "Ouvrir…" (read, recipe, both panes filled), and bringing the
// session back at start-up (read the file, both panes filled). The aim is at
// most 30 ms each; both are timed to the panes filled and painted on a shown
// window.
#include "app/main_window.h"
#include "app/spin_edit.h"
#include "output/save/sheet_files.h"
#include "settings/session_file.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A window with a 40-question sheet of `family`, as the teacher left it.
void MakeSheet(MainWindow& form, QTemporaryDir& dir, const char* family) {
    form.removableDriveCheck = [] { return false; };
    form.formStorage.SetIniFileName(dir.filePath(QStringLiteral("vorn.ini")));
    form.questionCountSpin->SetValue(vorn::kMaxQuestionCount);
    form.state.Random.SetState(12345);
    form.generateSheet(vorn::SheetKind{&vorn::FamilyNamed(family), 1});
}

void OpenRtfPair(benchmark::State& state) {
    QTemporaryDir dir;
    MainWindow form;
    MakeSheet(form, dir, "dev2");
    const QString file = dir.filePath(QStringLiteral("feuille.rtf"));
    vorn::SaveSheet(*form.statementPane, *form.answerKeyPane, file, std::nullopt,
                    form.shownRecipeText());
    form.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        if (!form.openSheetFile(file))
            state.SkipWithError("not opened");
        QCoreApplication::processEvents(); // the panes are painted
    }
}
BENCHMARK(OpenRtfPair)->Unit(benchmark::kMillisecond);

void RestoreSession(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("session"));
    {
        MainWindow form;
        MakeSheet(form, dir, "dev2");
        vorn::WriteSessionFile(file, form.currentSession());
    }
    MainWindow form;
    form.formStorage.SetIniFileName(dir.filePath(QStringLiteral("vorn.ini")));
    form.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        form.useSessionFile(file, true);
        QCoreApplication::processEvents(); // the panes are painted
    }
}
BENCHMARK(RestoreSession)->Unit(benchmark::kMillisecond);

} // namespace
