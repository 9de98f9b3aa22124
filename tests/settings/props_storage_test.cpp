#include "settings/props_storage.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

StoredProperty Flag(const QString& path, bool& value, int& sets) {
    return StoredProperty::Boolean(
        path, [&value] { return value; },
        [&value, &sets](bool v) {
            value = v;
            ++sets;
        });
}

TEST(StoredProperty, BooleansReadTrueAndFalseInAnyCaseAndNothingElse) {
    bool value = false;
    int sets = 0;
    const StoredProperty p = Flag("ckbEdite.Checked", value, sets);
    EXPECT_EQ(p.ValueText(), "False");
    p.AssignText("tRuE");
    EXPECT_TRUE(value);
    EXPECT_EQ(p.ValueText(), "True");
    for (const char* other : {"1", "yes", "vrai", "", "True "}) {
        p.AssignText(other);
        EXPECT_TRUE(value) << other;
    }
    EXPECT_EQ(sets, 1);
    p.AssignText("FALSE");
    EXPECT_FALSE(value);
}

TEST(StoredProperty, IntegersAndTextsConvertBothWays) {
    int number = -5;
    QString text = QString::fromUtf8("Prénom : ");
    const StoredProperty n = StoredProperty::Integer(
        "spSepar.Value", [&number] { return number; }, [&number](int v) { number = v; });
    const StoredProperty t = StoredProperty::Text(
        "edtTitre.Text", [&text] { return text; }, [&text](const QString& v) { text = v; });
    EXPECT_EQ(n.ValueText(), "-5");
    EXPECT_EQ(t.ValueText(), "Pr\xE9nom : ");
    n.AssignText("+12");
    EXPECT_EQ(number, 12);
    n.AssignText("douze");
    EXPECT_EQ(number, 0);
    t.AssignText("\x80 \xE0 \x9C");
    EXPECT_EQ(text, QString::fromUtf8("€ à œ"));
}

TEST(ResolveStoredProps, KeepsEntriesNamingAChildAndSpellsKeysAfterIt) {
    QWidget form;
    auto* label = new QLabel(&form);
    label->setObjectName("edtTitre");
    auto* inner = new QLabel(label);
    inner->setObjectName("spInterL");
    bool value = false;
    int sets = 0;
    const auto resolved = ResolveStoredProps(
        form,
        {Flag(" EDTTITRE . Text ", value, sets), Flag("spInterL.Value", value, sets),
         Flag("edtTitre", value, sets), Flag(".Text", value, sets), Flag("edtTitre. ", value, sets),
         Flag("Inconnu.Text", value, sets), Flag("edtTitre.Font.Size", value, sets)});
    ASSERT_EQ(resolved.size(), 3u);
    EXPECT_EQ(resolved[0].key, "edtTitre_Text");
    EXPECT_EQ(resolved[1].key, "spInterL_Value");
    EXPECT_EQ(resolved[2].key, "edtTitre_Font.Size");
}

} // namespace
