#include "output/save/user_questions.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace vorn {

bool AskYesNo(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("VORN"), question, QMessageBox::NoButton,
                    parent);
    QPushButton* yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

QString ReplaceFilesQuestion(const QStringList& existingNames) {
    const auto quoted = [](const QString& name) {
        return QStringLiteral("« ") + name + QStringLiteral(" »");
    };
    switch (existingNames.size()) {
    case 0:
        return {};
    case 1:
        return QStringLiteral("Le fichier %1 existe déjà.\nLe remplacer ?")
            .arg(quoted(existingNames.first()));
    default: {
        QStringList all;
        for (const QString& name : existingNames)
            all << quoted(name);
        const QString last = all.takeLast();
        return QStringLiteral("Les fichiers %1 et %2 existent déjà.\nLes remplacer ?")
            .arg(all.join(QStringLiteral(", ")), last);
    }
    }
}

bool MayReplaceFiles(QWidget* parent, const QStringList& fileNames) {
    QStringList existing;
    for (const QString& name : fileNames) {
        const QFileInfo info(name);
        if (info.exists() || info.isSymLink())
            existing << info.fileName();
    }
    if (existing.isEmpty())
        return true;
    return AskYesNo(parent, ReplaceFilesQuestion(existing));
}

} // namespace vorn
