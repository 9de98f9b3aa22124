#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

// Sheets for the output tests, written independently of the generators.

// The text of question `number` as the tests expect to read it back.
QString QuestionLine(int number);
// The result line of the answer key for question `number`.
QString ResultLine(int number);

// An RTF statement of `count` questions, each followed by `spacing` empty
// paragraphs but the last.
QByteArray StatementRtf(int count, int spacing = 1);
// An RTF answer key: each question followed by its result.
QByteArray AnswerKeyRtf(int count);

// A fresh empty folder, removed with its content at the end of the test
// program run; its path.
QString FreshFolder();

// Reads a whole file; empty when it cannot be read.
QByteArray ReadAll(const QString& path);

// What a command reported as UserError, "(no error)" when it did not throw.
std::string MessageOf(const std::function<void()>& action);
