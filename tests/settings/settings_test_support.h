#pragma once

#include "tests/settings/test_form.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace settings_test {

inline std::string ReadBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll().toStdString();
}

inline void WriteBytes(const QString& path, const std::string& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// What the screen of the test session reports, read straight from Qt.
inline std::string ScreenSize() {
    const QSize s = QGuiApplication::primaryScreen()->size();
    return "(" + std::to_string(s.width()) + "x" + std::to_string(s.height()) + ")";
}

inline int ScreenDpi() {
    return static_cast<int>(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInch()));
}

// The designed title without its trailing space, in Windows-1252.
inline std::string TrimmedTitleBytes() {
    return "Calculer (en d\xE9taillant)" + std::string(11, ' ') + "Nom :" + std::string(29, ' ') +
           "Pr\xE9nom :";
}

class FormTest : public ::testing::Test {
protected:
    std::unique_ptr<MainWindow> Start() {
        auto form = std::make_unique<MainWindow>(path_);
        form->show();
        QCoreApplication::processEvents();
        return form;
    }

    void Quit(std::unique_ptr<MainWindow>& form) {
        form->close();
        form.reset();
    }

    QTemporaryDir dir_;
    QString path_ = dir_.filePath("vorn.ini");
};

} // namespace settings_test
