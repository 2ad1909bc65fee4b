#include "tools/slvtool/slvtool_print.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <memory>
#include <ostream>

#include "labeleditor/layout/label_drawing.h"
#include "labeleditor/ui/qt_log_font.h"
#include "labeleditor/ui/qt_sleevon_program.h"
#include "labeleditor/ui/sleevon_view.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_profile.h"
#include "resources/strings.h"

namespace tovik::slvtool {

namespace {

// The fonts are made as the editor makes them for a window on a standard screen.
constexpr int kScreenLogPixelsY = 96;
// Fine enough that every 0.1 mm lands exactly on a device point.
constexpr int kPdfResolution = 1200;

// The tool draws through Qt without any display.
std::unique_ptr<QApplication> qtForPrinting() {
    if (QCoreApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "slvtool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

std::string systemText(unsigned id) {
    return StringTable(resources::sleevonStrings(), systemLanguage()).text(id);
}

int printLabel(const label::LabelFileContent& labelFile, const std::string& pdfPath,
               std::optional<label::PrintOffsets> offsets, const CodePage& codePage, std::ostream& err) {
    auto app = qtForPrinting();
    // The default fonts start from the GUI font the editor has in this language.
    if (app) label::SleevonProgram::applyLanguage(codePage.isJapanese() ? Language::Japanese : Language::English);
    qt::QtProfile profile("Sleevon");
    const label::PrintOffsets at = offsets.value_or(label::loadPrintOffsets(profile));
    const auto records =
        label::fontsOfLabel(labelFile, profile, label::defaultGuiFontRecord(codePage, kScreenLogPixelsY));
    label::LabelFontSpecs fonts;
    for (std::size_t t = 0; t < fonts.size(); ++t)
        fonts[t] = label::fontSpecOf(label::scaledForDevice(records[t], kScreenLogPixelsY), codePage);

    const QString path = QString::fromStdString(pdfPath);
    auto refused = [&](const QString& why) {
        err << pdfPath << ": " << systemText(label::IDS_PRINT_NOT_STARTED) << " (" << why.toStdString() << ")\n";
        return 1;
    };
    // Written under a temporary name and renamed when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return refused(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setTitle(QFileInfo(path).completeBaseName());
        writer.setCreator(QStringLiteral("slvtool"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer)) return refused(QStringLiteral("no PDF page"));
        {
            qt::QtCanvas canvas(painter);
            const label::LabelTexts texts{labelFile.printTitle, labelFile.printTracks, codePage};
            // The page is the whole sheet: no printable-area offset.
            label::drawPrintedPage(canvas, texts, fonts, label::PagePlacement{{0, 0}, at.h, at.v, false});
        }
        painter.end();
    }
    if (!file.commit()) return refused(file.errorString());
    return 0;
}

}  // namespace tovik::slvtool
