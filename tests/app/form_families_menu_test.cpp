#include "form_fixture.h"

#include "app/marker_shape.h"
#include "app/menu_button.h"
#include "exercises/family_table.h"
#include "richtext/rich_text_pane.h"
#include "text/cp1252.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <functional>

namespace {

// What a pane shows once it holds the given markup.
QString PaneText(const std::string& markup) {
    RichTextPane pane;
    MarkupToRtf(pane, markup);
    return pane.GetText();
}

class FormFamiliesMenu : public FormTest {
protected:
    // The sheet an independent generator seeded alike gives for the window's
    // designed settings.
    vorn::Sheet Expected(const vorn::SheetKind& kind, std::uint32_t seed) {
        vorn::SheetSettings settings;
        settings.title = vorn::Utf8ToCp1252(form->titleEdit->text().toUtf8().toStdString());
        vorn::LcgRandom oracle(seed);
        return vorn::GenerateSheet(kind, settings, oracle);
    }
    // Types `keys` into the menus once the first one has opened.
    void TypeIntoMenus(std::vector<Qt::Key> keys) {
        QTimer::singleShot(0, [keys] {
            for (Qt::Key key : keys) {
                QWidget* popup = QApplication::activePopupWidget();
                ASSERT_NE(popup, nullptr) << "no menu open";
                QTest::keyClick(popup, key);
            }
        });
    }
};

TEST_F(FormFamiliesMenu, TheButtonSitsRightOfTheDesignedOnes) {
    MenuButton* button = form->familiesMenuButton;
    EXPECT_EQ(button->parentWidget(), form->exerciseBar);
    EXPECT_TRUE(button->isVisible());
    EXPECT_FALSE(button->autoRaise()); // drawn as a button before any hover
    EXPECT_EQ(button->geometry(), QRect(768, 8, 22, 42));
    EXPECT_TRUE(button->toolTip().startsWith(QStringLiteral("Autres exercices")));
}

TEST_F(FormFamiliesMenu, EachEntryFillsBothPanesAsTheButtonsDo) {
    std::uint32_t seed = 41;
    int menuFamilies = 0;
    for (const vorn::ExerciseFamily& family : vorn::ExerciseFamilies()) {
        if (family.hasOwnButton)
            continue;
        ++menuFamilies;
        const std::string name(family.shortName);
        EXPECT_EQ(form->familyButton(family), nullptr);
        for (int level = 1; level <= family.LevelCount(); ++level) {
            SCOPED_TRACE(name + " " + std::to_string(level));
            QAction* action = form->familyAction({&family, level});
            ASSERT_NE(action, nullptr);
            if (family.LevelCount() == 1) {
                // A family of one level is one entry of the menu itself.
                EXPECT_EQ(action->parent(), form->familiesMenu);
                EXPECT_TRUE(form->familiesMenu->actions().contains(action));
                EXPECT_EQ(action->text().toUtf8().toStdString(), family.caption);
            } else {
                // In the family's own submenu of the families menu.
                auto* levels = qobject_cast<QMenu*>(action->parent());
                ASSERT_NE(levels, nullptr);
                EXPECT_EQ(levels->menuAction()->text().toUtf8().toStdString(), family.caption);
                EXPECT_TRUE(form->familiesMenu->actions().contains(levels->menuAction()));
                EXPECT_TRUE(action->text().startsWith(QStringLiteral("Niveau %1").arg(level)));
            }

            form->settingsChangedMarker->show();
            form->state.Random.SetState(++seed);
            action->trigger();
            const vorn::Sheet sheet = Expected({&family, level}, seed);
            EXPECT_EQ(form->statementPane->GetText(), PaneText(sheet.statement));
            EXPECT_EQ(form->answerKeyPane->GetText(), PaneText(sheet.answerKey));
            EXPECT_TRUE(QRegularExpression(QString("^") +
                                           QString::fromStdString(family.ReferencePrefix(level)) +
                                           "[0-9]{6}$")
                            .match(form->referenceEdit->text())
                            .hasMatch());
            EXPECT_EQ(form->state.SheetReference, sheet.reference);
            EXPECT_FALSE(form->settingsChangedMarker->isVisible());
            EXPECT_TRUE(form->saveButton->isEnabled());
            EXPECT_TRUE(form->printButton->isEnabled());
            EXPECT_TRUE(form->previewButton->isEnabled());
        }
    }
    // Then a separator and "Feuille composée…" on Ctrl+K.
    const QList<QAction*> actions = form->familiesMenu->actions();
    ASSERT_EQ(actions.size(), menuFamilies + 2);
    EXPECT_TRUE(actions[menuFamilies]->isSeparator());
    EXPECT_EQ(actions.last(), form->composedSheetAction);
    EXPECT_EQ(actions.last()->text(), QStringLiteral("Feuille composée…"));
    EXPECT_EQ(actions.last()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
}

TEST_F(FormFamiliesMenu, KeyboardAlone) {
    // Tab from "Développement identités", Enter opens the menu, the arrows
    // pick the second family's second level, Enter generates it.
    form->identitiesButton->setFocus();
    QTest::keyClick(form->identitiesButton, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), form->familiesMenuButton);
    form->state.Random.SetState(5);
    TypeIntoMenus({Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return});
    QTest::keyClick(form->familiesMenuButton, Qt::Key_Return);
    const vorn::Sheet expected = Expected({&vorn::FamilyNamed("devred"), 2}, 5);
    EXPECT_EQ(form->state.SheetReference, expected.reference);
    EXPECT_EQ(form->answerKeyPane->GetText(), PaneText(expected.answerKey));

    // Space opens it too; Escape closes it with nothing drawn.
    const std::uint32_t state = form->state.Random.State();
    TypeIntoMenus({Qt::Key_Down, Qt::Key_Escape});
    QTest::keyClick(form->familiesMenuButton, Qt::Key_Space);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(form->state.Random.State(), state);
    EXPECT_EQ(form->state.SheetReference, expected.reference);
}

} // namespace
