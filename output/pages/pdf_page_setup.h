#pragma once

#include <QPageLayout>

namespace vorn {

// The paper, printable area and resolution a PDF is laid out on, so that its
// pages break where the printer's would.
struct PdfPageSetup {
    QPageLayout layout;   // page size, orientation, and the unprintable border as margins
    int resolution = 600; // dots per inch of the layout
};

// Without a printer: A4 portrait at 600 dots per inch with the unprintable
// border of a typical laser printer, 1/6 inch on every side.
PdfPageSetup LaserA4PageSetup();

} // namespace vorn
