#include "ReportExport.h"

#include "PagePainter.h"
#include "PdfUnicodeRepair.h"
#include "ReportError.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool keepGoing(const ExportProgress &progress, int done, int total)
{
    return !progress || progress(done, total);
}

} // namespace

ExportResult ReportExport::toPdf(const LaidOutReport &report, const QString &path,
                                 const PdfOptions &options, const ExportProgress &progress)
{
    const int total = int(report.pages.size());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Kelvane"));
        writer.setTitle(options.title);
        writer.setResolution(1200);
        writer.setPageLayout(report.page.pageLayout());
        QPainter painter(&writer);
        const PaintOptions paintOptions{QPointF(), options.backgrounds};
        for (int p = 0; p < total; ++p) {
            if (p > 0)
                writer.newPage();
            PagePainter::paint(painter, report.pages[size_t(p)], paintOptions);
            if (!keepGoing(progress, p + 1, total))
                return ExportResult::Cancelled;
        }
    }
    QByteArray pdf = buffer.buffer();
    PdfUnicodeRepair::repair(pdf);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit())
        throw ReportError(
            QStringLiteral("无法写入 PDF 文件“%1”：%2").arg(shown(path), file.errorString()));
    return ExportResult::Done;
}

QStringList ReportExport::jpegFileNames(const QString &path, int pageCount)
{
    if (pageCount <= 1)
        return {path};
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("jpg") : info.suffix();
    QStringList names;
    for (int p = 1; p <= pageCount; ++p)
        names << info.dir().filePath(
            QStringLiteral("%1_%2.%3").arg(info.completeBaseName()).arg(p).arg(suffix));
    return names;
}

ExportResult ReportExport::toJpeg(const LaidOutReport &report, const QString &path, int dpi,
                                  const ExportProgress &progress)
{
    const int total = int(report.pages.size());
    const QStringList names = jpegFileNames(path, total);
    for (int p = 0; p < total; ++p) {
        const QImage image = PagePainter::render(report.pages[size_t(p)], dpi);
        if (!image.save(names[p], "JPG", 90))
            throw ReportError(QStringLiteral("无法写入图片文件“%1”").arg(shown(names[p])));
        if (!keepGoing(progress, p + 1, total)) {
            for (int written = 0; written <= p; ++written)
                QFile::remove(names[written]);
            return ExportResult::Cancelled;
        }
    }
    return ExportResult::Done;
}
