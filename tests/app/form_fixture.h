#pragma once

#include "app/main_window.h"
#include "output/preview/preview_box.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A freshly created main window, shown and active, never on a removable
// drive unless a test says so.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<MainWindow>();
        form->removableDriveCheck = [] { return false; };
        // Each test starts as on a first run: no settings file, and nothing it
        // saves reaches the next test.
        ASSERT_TRUE(settingsDir.isValid());
        form->formStorage.SetIniFileName(settingsDir.filePath(QStringLiteral("vorn.ini")));
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QApplication::processEvents();
    }
    void TearDown() override { form.reset(); }

    QTemporaryDir settingsDir;
    std::unique_ptr<MainWindow> form;
};
