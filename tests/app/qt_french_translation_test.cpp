#include "app/qt_french_translation.h"
#include "output/save/save_command.h"
#include "richtext/rich_text_pane.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The save dialog is Qt's own (not the desktop's), so its texts come from
// Qt's translation: French once it is installed, whatever the locale.
TEST(QtFrenchTranslation, TheSaveDialogSpeaksFrench) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(vorn::InstallQtFrenchTranslation(*QApplication::instance()));

    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString start = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tmp.path()));
    RichTextPane statement;
    RichTextPane key;
    statement.SetText("{\\rtf1 Sujet}");
    key.SetText("{\\rtf1 Corrig\\'e9}");

    QStringList buttons;
    QString nameLabel;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* box = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons())
            buttons << button->text().remove('&');
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("fileNameLabel")))
            nameLabel = label->text().remove('&');
        dialog->reject();
    });
    vorn::SaveSheetCommand(nullptr, statement, key, "VN1_071542");
    QDir::setCurrent(start);

    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"Annuler", "Enregistrer"}));
    EXPECT_EQ(nameLabel, "Nom de fichier :");
}

} // namespace
