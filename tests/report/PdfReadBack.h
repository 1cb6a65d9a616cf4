#pragma once

// What a PDF reader finds in an exported or printed file, through poppler's tools, in mm.

#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <cmath>

struct PdfWord
{
    QString text;
    QRectF box; // mm from the page's top-left corner
};

inline QString runPoppler(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The words of one page (1-based) with their boxes.
inline QList<PdfWord> pdfWords(const QString &pdf, int page = 1)
{
    const QString html =
        runPoppler(QStringLiteral("pdftotext"),
                   {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                    QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    static const QRegularExpression word(QString::fromUtf8(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    constexpr double mmPerPoint = 25.4 / 72;
    QList<PdfWord> words;
    for (const auto &m : word.globalMatch(html)) {
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.append({m.captured(5), QRectF(topLeft * mmPerPoint, bottomRight * mmPerPoint)});
    }
    return words;
}

inline const PdfWord *findWord(const QList<PdfWord> &words, const QString &text)
{
    for (const PdfWord &word : words) {
        if (word.text == text)
            return &word;
    }
    return nullptr;
}

// "241 x 140": the first page's size in whole mm.
inline QString pdfPageSize(const QString &pdf)
{
    static const QRegularExpression size(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"));
    const auto m = size.match(runPoppler(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? QStringLiteral("%1 x %2")
                              .arg(std::lround(m.captured(1).toDouble() * 25.4 / 72))
                              .arg(std::lround(m.captured(2).toDouble() * 25.4 / 72))
                        : QString();
}

inline int pdfImageCount(const QString &pdf)
{
    // Two heading lines, then one line per image.
    const QString list = runPoppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    return int(list.trimmed().split(u'\n').size()) - 2;
}
