#pragma once

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <vector>

// The words of a PDF as a reader finds them, page by page, with their boxes in mm from the
// page's top-left corner.
struct PdfWord
{
    QString text;
    QRectF box;
};

using PdfPage = std::vector<PdfWord>;

inline std::vector<PdfPage> readPdfWords(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    constexpr double mmPerPoint = 25.4 / 72;
    std::vector<PdfPage> pages;
    for (const QRegularExpressionMatch &m : tag.globalMatch(html)) {
        if (m.captured(0) == QStringLiteral("<page ")) {
            pages.emplace_back();
            continue;
        }
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        QString text = m.captured(5);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        pages.back().push_back({text, QRectF(topLeft * mmPerPoint, bottomRight * mmPerPoint)});
    }
    return pages;
}

// The words of a page whose centres lie in a horizontal strip, left to right.
inline std::vector<PdfWord> wordsBetween(const PdfPage &page, double top, double bottom)
{
    std::vector<PdfWord> found;
    for (const PdfWord &word : page) {
        if (word.box.center().y() >= top && word.box.center().y() < bottom)
            found.push_back(word);
    }
    std::sort(found.begin(), found.end(),
              [](const PdfWord &a, const PdfWord &b) { return a.box.left() < b.box.left(); });
    return found;
}
