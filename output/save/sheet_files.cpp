#include "output/save/sheet_files.h"

#include "output/save/answer_key_name.h"
#include "output/save/save_error.h"
#include "richtext/recipe_destination.h"

#include <QFile>

#include <algorithm>

namespace vorn {
namespace {

// The extension of the last path component, without its dot.
QString Extension(const QString& fileName) {
    const qsizetype folderEnd = std::max(
        {fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'), fileName.lastIndexOf(u':')});
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot > folderEnd ? fileName.mid(dot + 1) : QString();
}

} // namespace

QString AnswerKeyFileNameFor(const QString& statementFileName) {
    return QString::fromStdString(AnswerKeyFileName(statementFileName.toStdString()));
}

RichTextPane::StreamFormat FormatForFileName(const QString& fileName) {
    return Extension(fileName).compare(u"txt", Qt::CaseInsensitive) == 0
               ? RichTextPane::StreamFormat::Text
               : RichTextPane::StreamFormat::Rtf;
}

FileContent ContentOf(const QString& fileName, const QByteArray& bytes) {
    return {QFile::encodeName(fileName).toStdString(),
            std::string_view(bytes.constData(), std::size_t(bytes.size()))};
}

QByteArray PaneContent(const RichTextPane& pane, RichTextPane::StreamFormat format,
                       const std::optional<RtfPage>& page, const QString& fileName) {
    QByteArray bytes;
    const bool whole = pane.StreamOut(
        format,
        [&bytes](const char* data, qint64 size) {
            bytes.append(data, size);
            return 0;
        },
        page);
    if (!whole)
        throw SaveError("Erreur à l'enregistrement du flux",
                        QFile::encodeName(fileName).toStdString());
    return bytes;
}

QByteArray WithRecipe(const QByteArray& content, RichTextPane::StreamFormat format,
                      const std::string& recipe) {
    if (recipe.empty() || format != RichTextPane::StreamFormat::Rtf)
        return content;
    return QByteArray::fromStdString(WithRecipeDestination(
        std::string_view(content.constData(), std::size_t(content.size())), recipe));
}

void SaveSheet(const RichTextPane& statement, const RichTextPane& answerKey,
               const QString& fileName, const std::optional<RtfPage>& page,
               const std::string& recipe) {
    const QString keyName = AnswerKeyFileNameFor(fileName);
    const RichTextPane::StreamFormat format = FormatForFileName(fileName);
    const QByteArray statementContent =
        WithRecipe(PaneContent(statement, format, page, fileName), format, recipe);
    const QByteArray keyContent =
        WithRecipe(PaneContent(answerKey, RichTextPane::StreamFormat::Rtf, page, keyName),
                   RichTextPane::StreamFormat::Rtf, recipe);
    WriteFilesTogether({ContentOf(fileName, statementContent), ContentOf(keyName, keyContent)});
}

} // namespace vorn
