#include "output/pdf_page_setup.h"

#include "exercises/user_error.h"
#include "output/current_printer.h"

#include <QPageSize>
#include <QPrinter>

namespace vorn {

PdfPageSetup LaserA4PageSetup() {
    constexpr double kBorderPoints = 12; // 1/6 inch
    return {QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                        QMarginsF(kBorderPoints, kBorderPoints, kBorderPoints, kBorderPoints),
                        QPageLayout::Point),
            600};
}

PdfPageSetup PageSetupOf(CurrentPrinter& printer) {
    try {
        const QPrinter& device = printer.Printer();
        return {device.pageLayout(), device.resolution()};
    } catch (const UserError&) {
        return LaserA4PageSetup();
    }
}

} // namespace vorn
