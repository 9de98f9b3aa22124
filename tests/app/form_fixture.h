#pragma once

#include "app/form1.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A freshly created main window, shown and active, never on a removable
// drive unless a test says so.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm1>();
        form->RemovableDriveCheck = [] { return false; };
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QApplication::processEvents();
    }
    void TearDown() override { form.reset(); }

    std::unique_ptr<TForm1> form;
};
