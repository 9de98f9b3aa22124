#include "output/save/pdf_document.h"

#include "output/pages/page_loop.h"
#include "output/pages/pdf_recipe.h"
#include "output/pages/pdf_text_layer.h"
#include "richtext/rich_text_pane.h"
#include "text/user_error.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

namespace vorn {

QByteArray PanesToPdf(const std::vector<RichTextPane*>& panes, const PdfPageSetup& setup,
                      const QString& title, const ProgressTick& tick, const std::string& recipe,
                      PageEvents events) {
    QByteArray bytes;
    std::vector<CharacterProbe> probes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(setup.layout);
        writer.setResolution(setup.resolution);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("VORN"));
        if (!recipe.empty())
            writer.setDocumentXmpMetadata(RecipeXmp(title, recipe));
        QPainter painter;
        if (!painter.begin(&writer))
            throw UserError("Erreur à l'enregistrement du flux");
        std::vector<const QTextDocument*> documents;
        for (const RichTextPane* pane : panes)
            documents.push_back(&pane->Content());
        probes = DrawCharacterProbes(painter, writer, documents);
        for (std::size_t i = 0; i < panes.size(); ++i) {
            if (i > 0)
                writer.newPage();
            LayOutPanePages(*panes[i], painter, writer, events);
            TickOrStop(tick);
        }
        painter.end();
    }
    return WithProbedCharacters(bytes, probes);
}

} // namespace vorn
