#pragma once

#include "output/pages/pdf_page_setup.h"
#include "richtext/rtf_writer.h"

namespace vorn {

// The page a saved RTF document states: the paper of `setup` as it is turned,
// and its unprintable border as the margins, so that another reader breaks
// lines and pages where VORN's own PDF and printer do.
RtfPage SavedPageOf(const PdfPageSetup& setup);

} // namespace vorn
