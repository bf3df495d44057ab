// The print preview of the main window on the offscreen platform: the function keys open it with their
// printout, closing hides it and changes nothing, and the restore of a calculator runs once.
#include "presentation/navigation.h"
#include "support/session.h"
#include "ui/main_window.h"
#include "ui/print_preview.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace varemo;

namespace {

struct PreviewFixture {
    test::TestSession s{2020, DataSet::Real, 1, 3};
    std::unique_ptr<ui::MainWindow> window;
    PreviewFixture() {
        ShowSelection(s.g);
        window = std::make_unique<ui::MainWindow>(s.g);
        window->setWritesWindowRecord(false);
        window->show();
    }
    QPushButton* button(const char* name) const {
        return window->preview()->findChild<QPushButton*>(QString::fromLatin1(name));
    }
};

} // namespace

TEST(PrintPreview, TheFunctionKeysShowTheirPrintoutAndClosingChangesNothing) {
    PreviewFixture f;
    const Case before = f.s.g.workingCase;
    for (auto [key, kind] : {std::pair{5, 16}, {6, 11}, {7, 12}, {8, 21}, {24, 22}}) {
        f.window->functionButton(key);
        ui::Druckvorschau* preview = f.window->preview();
        ASSERT_NE(preview, nullptr);
        EXPECT_TRUE(preview->isVisible()) << key;
        EXPECT_EQ(preview->printKind(), kind) << key;
        EXPECT_GE(preview->pageCount(), 1) << key;
    }
    int restored = 0;
    f.window->preview()->setRestoreOnClose([&] { ++restored; });
    QTest::mouseClick(f.button("Command2"), Qt::LeftButton);
    EXPECT_FALSE(f.window->preview()->isVisible());
    EXPECT_EQ(restored, 1);
    f.window->functionButton(6);
    QTest::mouseClick(f.button("Command2"), Qt::LeftButton);
    EXPECT_EQ(restored, 1); // only the preview that asked for it
    EXPECT_EQ(f.s.g.workingCase, before);
    EXPECT_TRUE(f.s.messageTexts().empty());
}

TEST(PrintPreview, TheAnnexIsRefusedForTheYearSalaryAndNothingIsShown) {
    PreviewFixture f;
    ASSERT_TRUE(SelectMonth(f.s.g, 13));
    f.window->functionButton(8);
    EXPECT_EQ(f.window->preview(), nullptr);
    ASSERT_FALSE(f.s.messageTexts().empty());
    EXPECT_EQ(f.s.messageTexts().back(),
              "Nicht für das Jahresgehalt: Nicht für das Jahresgehalt.\nDiese Funktion "
              "steht nur für die einzelnen Monate zur Verfügung.");
}

TEST(PrintSurfaces, ThePdfMeasuresWithItsFontsAndWritesEverySheet) {
    test::TestSession s{2020, DataSet::Real, 1, 3};
    ShowSelection(s.g);
    const std::filesystem::path file = s.dir.path() / "blatt.pdf";
    ui::PdfSurface pdf(QString::fromStdString(file.string()));
    pdf.setScaleMode(print::ScaleMode::Inches);
    pdf.setFont("Arial", 9);
    // Arial's digits are 0,556 em wide and its point and comma 0,278 em: "1.234,56" is 3,89 em, at 9 pt
    // 0,486 inch; a substitute font of the same metrics gives the same.
    EXPECT_NEAR(pdf.textWidth("1.234,56"), 0.486, 0.05);
    pdf.cls();
    ASSERT_TRUE(print::runPrintKind(12, s.g, pdf, {"07.12.2020", true}));
    EXPECT_EQ(pdf.pageCount(), 2); // the employer's cost on sheet 2
    pdf.endDocument();
    std::ifstream in(file, std::ios::binary);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    EXPECT_EQ(pdf.scaleMode(), print::ScaleMode::Twips);
}
