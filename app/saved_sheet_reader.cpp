#include "app/saved_sheet_reader.h"

#include "output/save/sheet_files.h"
#include "richtext/recipe_destination.h"
#include "richtext/rich_text_pane.h"
#include "text/bounded_file_read.h"
#include "text/cp1252.h"
#include "text/system_cause.h"
#include "text/user_error.h"

#include <QFile>
#include <QFileInfo>

#include <memory>
#include <vector>

namespace vorn {

namespace {

std::string Named(const QString& fileName) {
    return "« " + QFileInfo(fileName).fileName().toStdString() + " »";
}

// The file's bytes; throws UserError naming it when they cannot be had.
std::string ReadWhole(const QString& fileName) {
    FileRead read = ReadBoundedFile(QFile::encodeName(fileName).toStdString(), kMaxOpenedFileBytes);
    switch (read.status) {
    case FileReadStatus::Ok:
        return std::move(read.bytes);
    case FileReadStatus::Missing:
        throw UserError("Le fichier " + Named(fileName) + " n'existe pas.");
    case FileReadStatus::NotRegular:
        throw UserError(Named(fileName) + " n'est pas un fichier : rien n'a été ouvert.");
    case FileReadStatus::TooLarge:
        throw UserError("Le fichier " + Named(fileName) +
                        " dépasse 20 Mo : ce n'est pas une feuille de VORN.");
    case FileReadStatus::Failed:
        break;
    }
    throw UserError("Impossible de lire le fichier " + Named(fileName) + " : " +
                    SystemCause(read.error));
}

// An RTF document whose braces close exactly at its end; a file cut short
// or stuck to something else is not.
bool IsWholeRtf(std::string_view rtf) {
    long depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            ++i; // an escaped brace or backslash counts for nothing
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0)
                // Some word processors end their files with a zero byte.
                return rtf.find_first_not_of(std::string_view(" \t\r\n\0", 5), i + 1) ==
                       std::string_view::npos;
            if (depth < 0)
                return false;
        }
    }
    return false;
}

// A PDF that ends as a PDF does; one cut short does not.
bool IsWholePdf(std::string_view pdf) {
    const std::size_t tail = pdf.size() > 1024 ? pdf.size() - 1024 : 0;
    return pdf.find("%%EOF", tail) != std::string_view::npos;
}

SavedRecipe RecipeOf(const std::string& text, const QString& fileName) {
    try {
        return ParseRecipeText(text);
    } catch (const UserError& error) {
        throw UserError(Named(fileName) + " : " + error.what());
    }
}

// The sheets as one RTF document per pane, each sheet on a new page, as a
// set is saved.
std::pair<QByteArray, QByteArray> DrawnDocuments(const std::vector<Sheet>& sheets) {
    std::vector<std::unique_ptr<RichTextPane>> panes;
    std::vector<const QTextDocument*> statements;
    std::vector<const QTextDocument*> answerKeys;
    for (const Sheet& sheet : sheets) {
        for (const std::string* markup : {&sheet.statement, &sheet.answerKey}) {
            panes.push_back(std::make_unique<RichTextPane>());
            MarkupToRtf(*panes.back(), *markup, sheet.look);
            (markup == &sheet.statement ? statements : answerKeys)
                .push_back(&panes.back()->Content());
        }
    }
    return {WriteRtfPages(statements), WriteRtfPages(answerKeys)};
}

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

OpenedSheet ReadSavedSheet(const QString& chosenName) {
    // An answer key chosen in place of its statement opens the pair.
    QString fileName = chosenName;
    const QString keySuffix = QStringLiteral("_Cor.rtf");
    if (chosenName.endsWith(keySuffix, Qt::CaseInsensitive)) {
        const QString statement = chosenName.chopped(keySuffix.size()) + QStringLiteral(".rtf");
        if (AnswerKeyFileNameFor(statement) == chosenName && QFileInfo::exists(statement))
            fileName = statement;
    }
    const std::string bytes = ReadWhole(fileName);
    OpenedSheet opened;
    if (IsPdfDocument(bytes)) {
        if (!IsWholePdf(bytes))
            throw UserError("Le fichier " + Named(fileName) + " est endommagé (PDF incomplet).");
        const std::optional<std::string> text = SavedFileRecipe(bytes);
        if (!text)
            throw UserError(Named(fileName) +
                            " est un PDF sans recette de VORN : la feuille ne peut pas être "
                            "recréée. Ouvrez plutôt son fichier RTF.");
        opened.recipe = RecipeOf(*text, fileName);
        const std::vector<Sheet> sheets = RegenerateSheets(*opened.recipe);
        std::tie(opened.statement, opened.answerKey) = DrawnDocuments(sheets);
        opened.reference = sheets.front().reference;
        opened.note = Utf8("Feuille recréée à partir de la recette du PDF : ce qui avait été "
                           "modifié avant l'enregistrement n'y est pas.");
        return opened;
    }
    if (!IsRtfDocument(bytes))
        throw UserError(Named(fileName) +
                        " n'est ni un fichier RTF ni un PDF : rien n'a été ouvert.");
    if (!IsWholeRtf(bytes))
        throw UserError("Le fichier " + Named(fileName) + " est endommagé (RTF incomplet).");
    opened.statement = QByteArray::fromStdString(bytes);
    opened.reference = Utf8ToCp1252Referenced(QFileInfo(fileName).completeBaseName().toStdString());
    const std::optional<std::string> text = RecipeDestinationOf(bytes);
    if (!text) {
        opened.note = Utf8("Ce document n'a pas été fait par VORN : il n'a pas de corrigé.");
        return opened;
    }
    opened.recipe = RecipeOf(*text, fileName);
    const std::vector<Sheet> sheets = RegenerateSheets(*opened.recipe);
    opened.reference = sheets.front().reference;

    const QString keyName = AnswerKeyFileNameFor(fileName);
    std::string key;
    try {
        key = ReadWhole(keyName);
    } catch (const UserError&) {
        if (QFileInfo::exists(keyName) || QFileInfo(keyName).isSymLink())
            throw;
        // Lost: the answer key is drawn again, the statement stays as saved.
        opened.answerKey = DrawnDocuments(sheets).second;
        opened.note = Utf8("Le corrigé " + Named(keyName) +
                           " manque : il a été recréé à partir de la recette de la feuille.");
        return opened;
    }
    if (!IsRtfDocument(key) || !IsWholeRtf(key))
        throw UserError("Le corrigé " + Named(keyName) + " est endommagé : rien n'a été ouvert.");
    opened.answerKey = QByteArray::fromStdString(key);
    return opened;
}

} // namespace vorn
