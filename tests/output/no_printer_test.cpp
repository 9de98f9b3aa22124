#include "sheet_fixture.h"

#include "output/pages/pdf_page_setup.h"
#include "output/preview/page_picture.h"
#include "output/preview/preview_box.h"
#include "output/preview/preview_command.h"
#include "output/print/current_printer.h"
#include "output/print/print_sheet.h"
#include "richtext/rich_text_pane.h"
#include "text/user_error.h"

#include <QDir>
#include <QPrinterInfo>
#include <gtest/gtest.h>

// This program runs with no CUPS scheduler within reach.

namespace {

class NoPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QPrinterInfo::defaultPrinter().isNull());
        dir_ = FreshFolder();
        ASSERT_TRUE(QDir::setCurrent(dir_));
        statement_.SetText(StatementRtf(3));
        key_.SetText(AnswerKeyRtf(3));
    }
    QString dir_;
    vorn::CurrentPrinter printer_;
    RichTextPane statement_;
    RichTextPane key_;
};

TEST_F(NoPrinterTest, PdfFilesAreLaidOutOnLaserA4) {
    const vorn::PdfPageSetup setup = vorn::PageSetupOf(printer_);
    const vorn::PdfPageSetup laser = vorn::LaserA4PageSetup();
    EXPECT_TRUE(setup.layout.isEquivalentTo(laser.layout));
    EXPECT_EQ(setup.resolution, laser.resolution);
}

TEST_F(NoPrinterTest, PrintingSaysThereIsNoDefaultPrinter) {
    EXPECT_EQ(MessageOf([&] {
                  vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "1", "0");
              }),
              "Aucune imprimante par défaut sélectionnée");
    EXPECT_EQ(MessageOf([&] {
                  vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "0", "2");
              }),
              "Aucune imprimante par défaut sélectionnée");
    EXPECT_FALSE(printer_.JobOpen());
}

TEST_F(NoPrinterTest, NoCopiesAskedMeansNoErrorEither) {
    EXPECT_EQ(MessageOf([&] {
                  vorn::PrintSheetCommand(printer_, statement_, key_, "VN1_071542", "0", "0");
              }),
              "(no error)");
}

TEST_F(NoPrinterTest, ChoosingAPrinterSaysThereIsNone) {
    EXPECT_EQ(MessageOf([&] { vorn::ChoosePrinterCommand(nullptr, printer_, "VN1_071542"); }),
              "Aucune imprimante par défaut sélectionnée");
}

TEST_F(NoPrinterTest, ThePreviewEmptiesItsPicturesAndShowsNothing) {
    QWidget window;
    vorn::PreviewBox box(&window);
    // Pictures of an earlier preview, made on a PDF printer.
    {
        vorn::CurrentPrinter pdf;
        pdf.PrintToFile(FreshFolder() + "/x.pdf");
        statement_.SetText(StatementRtf(40, 5));
        vorn::PreviewCommand(box, statement_, statement_, pdf, {});
        ASSERT_FALSE(box.Image2().IsEmpty());
        box.hide();
    }
    EXPECT_EQ(MessageOf([&] { vorn::PreviewCommand(box, statement_, statement_, printer_, {}); }),
              "Aucune imprimante par défaut sélectionnée");
    EXPECT_TRUE(box.Image1().IsEmpty());
    EXPECT_TRUE(box.Image2().IsEmpty());
    EXPECT_FALSE(box.isVisible());
    EXPECT_FALSE(box.Busy());
    EXPECT_EQ(QDir(dir_).entryList(QDir::Files), QStringList({"TWFile.txt"}));
}

} // namespace
