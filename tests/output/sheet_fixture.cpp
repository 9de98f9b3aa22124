#include "sheet_fixture.h"

#include "text/user_error.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <vector>

QString QuestionLine(int number) {
    return QStringLiteral("Question %1 : 3x + %2 = %3")
        .arg(number)
        .arg(number * 7)
        .arg(number * 11);
}

QString ResultLine(int number) {
    return QStringLiteral("Resultat %1 : x = %2").arg(number).arg(number * 13);
}

namespace {

QByteArray Header() {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs24 ";
}

} // namespace

QByteArray StatementRtf(int count, int spacing) {
    QByteArray rtf = Header();
    for (int q = 1; q <= count; ++q) {
        rtf += QuestionLine(q).toLatin1();
        if (q < count) {
            rtf += "\\par ";
            for (int s = 0; s < spacing; ++s)
                rtf += "\\par ";
        }
    }
    return rtf + "}";
}

QByteArray AnswerKeyRtf(int count) {
    QByteArray rtf = Header();
    for (int q = 1; q <= count; ++q) {
        rtf += QuestionLine(q).toLatin1() + "\\par ";
        rtf += ResultLine(q).toLatin1();
        if (q < count)
            rtf += "\\par ";
    }
    return rtf + "}";
}

QString FreshFolder() {
    static std::vector<std::unique_ptr<QTemporaryDir>> folders;
    folders.push_back(std::make_unique<QTemporaryDir>());
    return folders.back()->path();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const vorn::UserError& error) {
        return error.what();
    }
    return "(no error)";
}
