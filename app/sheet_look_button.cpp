#include "app/sheet_look_button.h"

#include <QActionGroup>
#include <QFontDatabase>
#include <QMenu>

namespace {

constexpr char kOpenDyslexic[] = "OpenDyslexic";

QString Face(std::string_view font) {
    return QString::fromUtf8(font.data(), qsizetype(font.size()));
}

} // namespace

QStringList SheetLookButton::AvailableFonts() {
    QStringList fonts{Face(vorn::kAdaptedDefaultFont)};
    if (QFontDatabase::families().contains(QLatin1String(kOpenDyslexic), Qt::CaseInsensitive))
        fonts << QString::fromLatin1(kOpenDyslexic);
    return fonts;
}

SheetLookButton::SheetLookButton(const QStringList& fonts, QWidget* parent) : MenuButton(parent) {
    setText(QStringLiteral("Aa"));
    setCheckable(true);
    setAccessibleName(QStringLiteral("Mise en page"));
    setPopupMode(QToolButton::InstantPopup);

    auto* menu = new QMenu(this);
    auto* layouts = new QActionGroup(this);
    standard_ = menu->addAction(QStringLiteral("&Standard"));
    adapted_ = menu->addAction(QStringLiteral("&Adaptée (police sans empattement 14 pt, "
                                              "interligne 1,5, place pour écrire)"));
    for (QAction* action : {standard_, adapted_}) {
        action->setCheckable(true);
        layouts->addAction(action);
    }
    standard_->setChecked(true);

    QMenu* fontMenu = menu->addMenu(QStringLiteral("&Police des feuilles adaptées"));
    fonts_ = new QActionGroup(this);
    for (const QString& font : fonts) {
        QAction* action = fontMenu->addAction(font);
        action->setCheckable(true);
        fonts_->addAction(action);
    }
    if (!fonts_->actions().isEmpty())
        fonts_->actions().front()->setChecked(true);

    menu->addSeparator();
    boxed_ =
        menu->addAction(QStringLiteral("&Résultats encadrés (corrigé lisible en noir et blanc)"));
    boxed_->setCheckable(true);
    setMenu(menu);

    for (QAction* action : menu->actions() + fontMenu->actions())
        connect(action, &QAction::triggered, this, [this] {
            ShowLayout();
            emit lookChosen();
        });
    ShowLayout();
}

vorn::SheetLook SheetLookButton::Look() const {
    vorn::SheetLook look;
    look.layout = adapted_->isChecked() ? vorn::SheetLayout::Adapted : vorn::SheetLayout::Standard;
    if (const QAction* font = fonts_->checkedAction())
        look.adaptedFont = font->text().toStdString();
    look.boxedResults = boxed_->isChecked();
    return look;
}

void SheetLookButton::SetLook(const vorn::SheetLook& look) {
    (look.Adapted() ? adapted_ : standard_)->setChecked(true);
    const QList<QAction*> fonts = fonts_->actions();
    QAction* chosen = fonts.isEmpty() ? nullptr : fonts.front();
    for (QAction* font : fonts)
        if (font->text() == Face(look.adaptedFont))
            chosen = font;
    if (chosen)
        chosen->setChecked(true);
    boxed_->setChecked(look.boxedResults);
    ShowLayout();
}

void SheetLookButton::ShowLayout() {
    const bool adapted = adapted_->isChecked();
    setChecked(adapted);
    setToolTip(adapted ? QStringLiteral("Mise en page : Adaptée (cliquer pour changer)")
                       : QStringLiteral("Mise en page : Standard (cliquer pour changer)"));
}
