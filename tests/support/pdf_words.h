#pragma once
// The words of a PDF page with their boxes, as `pdftotext -bbox` reads them back, in millimetres
// from the page's upper left corner.
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTextDocumentFragment>

#include <string>
#include <vector>

namespace tovik::test {

struct PdfWord {
    std::string text;
    double left, top, right, bottom;  // mm
};

inline std::vector<PdfWord> pdfWords(const std::string& pdf) {
    QProcess tool;
    tool.start("pdftotext", {"-bbox", QString::fromStdString(pdf), "-"});
    std::vector<PdfWord> words;
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0) return words;
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    constexpr double kMmPerPoint = 25.4 / 72;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        auto m = it.next();
        words.push_back({QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText().toStdString(),
                         m.captured(1).toDouble() * kMmPerPoint, m.captured(2).toDouble() * kMmPerPoint,
                         m.captured(3).toDouble() * kMmPerPoint, m.captured(4).toDouble() * kMmPerPoint});
    }
    return words;
}

// Every box of the word, in reading order.
inline std::vector<PdfWord> wordsNamed(const std::vector<PdfWord>& words, const std::string& text) {
    std::vector<PdfWord> out;
    for (const PdfWord& w : words)
        if (w.text == text) out.push_back(w);
    return out;
}

}  // namespace tovik::test
