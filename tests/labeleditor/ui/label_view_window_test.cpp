// The label preview in Sleevon's window on the offscreen platform: clicks on the drawn label,
// the print position dialog driven by keys, and pages printed to PDF on portrait and landscape
// paper, read back with pdftotext.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "labeleditor/document/short_label_writer.h"
#include "labeleditor/ui/qt_print_position_dialog.h"
#include "labeleditor/ui/qt_sleevon_program.h"
#include "labeleditor/ui/qt_sleevon_view.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/labeleditor/document/document_fakes.h"
#include "tests/labeleditor/document/temp_folder.h"
#include "tests/support/pdf_words.h"

namespace tovik::label {
namespace {

class LabelViewWindowTest : public testing::Test {
protected:
    LabelViewWindowTest() {
        auto path = folder / "EditingLabel.slv";
        const std::vector<std::string> tracks{"Morning Tide", "Driftwood"};
        EXPECT_TRUE(writeShortLabelFile(path, "Harbour Lights", tracks));
        program = std::make_unique<SleevonProgram>(host, &ui);
        program->workArea = ScreenSize{1280, 800};
        EXPECT_TRUE(program->start({path.string()}));
        window().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window()));
        doc().addObserver(hints);
    }
    ~LabelViewWindowTest() override {
        program->window()->close();
        program->finish();
    }
    MainFrameWindow& window() { return *program->window(); }
    CSleevonDoc& doc() { return *program->document(); }
    QtSleevonView& preview() { return dynamic_cast<QtSleevonView&>(window().previewWidget()); }
    // The device point of a label point (0.1 mm, y up) on the unscrolled preview.
    QPoint at(int x, int y) {
        const double perUnit = preview().viewport()->logicalDpiX() / 254.0;
        return QPoint(static_cast<int>(x * perUnit), static_cast<int>(-y * perUnit));
    }
    std::vector<tovik::test::PdfWord> printed(QPageLayout::Orientation orientation) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(orientation);
        const std::string pdf = (folder / "page.pdf").string();
        printer.setOutputFileName(QString::fromStdString(pdf));
        auto outcome = QtLabelPrinting::printPage(printer, [&](PrinterPage& page) { preview().view().OnPrint(page); });
        EXPECT_EQ(outcome, PrintOutcome::Printed);
        return tovik::test::wordsNamed(tovik::test::pdfWords(pdf), "Morning");
    }

    fake::FakeHost host{resources::sleevonStrings()};
    test::FakeDocumentUi ui;
    test::TempFolder folder;
    test::HintRecorder hints;
    std::unique_ptr<SleevonProgram> program;
};

TEST_F(LabelViewWindowTest, ClickingTheDrawnLabelPicksTheFontTypeAndPrintingIsOffered) {
    EXPECT_EQ(preview().view().fonts()[FONT_TRACK].height,
              -mulDiv(15, preview().viewport()->logicalDpiY() * 254, 10000));
    QTest::mouseClick(preview().viewport(), Qt::LeftButton, {}, at(300, -700));
    EXPECT_EQ(doc().m_nFontType, FONT_DISCTITLE);
    EXPECT_TRUE(hints.take().empty());

    for (unsigned id : {57607u, 57609u, 32822u}) EXPECT_TRUE(window().frame().commandState(id)->enabled) << id;
}

TEST_F(LabelViewWindowTest, ThePrintPositionDialogMovesByTenthsAndPagesOfTwoMillimetres) {
    auto drive = [](std::function<void(QtPrintPositionDialog&)> steps) {
        QTimer::singleShot(0, [steps] {
            auto* dialog = dynamic_cast<QtPrintPositionDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            steps(*dialog);
        });
    };
    int h = -15, v = 0;
    drive([](QtPrintPositionDialog& d) {
        EXPECT_EQ(d.readOut(1016)->text(), "-1.5 mm");
        EXPECT_EQ(d.readOut(1015)->text(), " 0.0 mm");
        QSlider* vertical = d.slider(1014);
        vertical->setFocus();
        QTest::keyClick(vertical, Qt::Key_Down);  // the vertical minimum is at the top
        QTest::keyClick(vertical, Qt::Key_PageDown);
        EXPECT_EQ(d.readOut(1015)->text(), " 2.1 mm");
        QSlider* horizontal = d.slider(1013);
        horizontal->setFocus();
        QTest::keyClick(horizontal, Qt::Key_Right);
        EXPECT_EQ(d.readOut(1016)->text(), "-1.4 mm");
        d.findChild<QPushButton*>("control1")->click();
    });
    ASSERT_TRUE(program->qtDocumentUi().editPrintPosition(h, v));
    EXPECT_EQ(h, -14);
    EXPECT_EQ(v, 21);

    drive([](QtPrintPositionDialog& d) {
        QTest::keyClick(d.slider(1014), Qt::Key_End);
        d.findChild<QPushButton*>("control2")->click();
    });
    EXPECT_FALSE(program->qtDocumentUi().editPrintPosition(h, v));
    EXPECT_EQ(v, 21);
}

TEST_F(LabelViewWindowTest, PortraitPaperKeepsThePositionsAndARefusedJobIsNotStarted) {
    auto landscape = printed(QPageLayout::Landscape);
    auto portrait = printed(QPageLayout::Portrait);
    ASSERT_EQ(landscape.size(), 4u);
    ASSERT_EQ(portrait.size(), landscape.size());
    for (std::size_t i = 0; i < landscape.size(); ++i) {
        EXPECT_NEAR(portrait[i].left, landscape[i].left, 0.01);
        EXPECT_NEAR(portrait[i].top, landscape[i].top, 0.01);
    }
    // The printer's margins are taken back out: 25.0 mm plus the 2.0 mm inset from the edge.
    EXPECT_NEAR(landscape[0].left, 27.0, 0.2);
    EXPECT_NEAR(landscape[0].top, 33.0, 0.2);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((folder / "no" / "page.pdf").string()));
    EXPECT_EQ(QtLabelPrinting::printPage(printer, [](PrinterPage&) {}), PrintOutcome::NotStarted);
}

}  // namespace
}  // namespace tovik::label
