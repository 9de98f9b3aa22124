#include "output/pages/pdf_page_setup.h"

#include <QPageSize>

namespace vorn {

PdfPageSetup LaserA4PageSetup() {
    constexpr double kBorderPoints = 12; // 1/6 inch
    return {QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                        QMarginsF(kBorderPoints, kBorderPoints, kBorderPoints, kBorderPoints),
                        QPageLayout::Point),
            600};
}

} // namespace vorn
