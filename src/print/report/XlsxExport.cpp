#include "ReportError.h"
#include "ReportExport.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <set>
#include <xlsxwriter.h>

namespace {

// Left edges (and tops) closer than this are one column (one row).
constexpr double columnTolerance = 0.5;

bool exported(const PlacedBand &band, size_t page)
{
    switch (band.type) {
    case BandType::PageFooter:
        return false;
    case BandType::PageHeader:
        return page == 0;
    default:
        return true;
    }
}

long columnKey(double x)
{
    return std::lround(x / columnTolerance);
}

std::vector<long> columnsOf(const LaidOutReport &report)
{
    std::set<long> keys;
    for (size_t p = 0; p < report.pages.size(); ++p) {
        for (const PlacedBand &band : report.pages[p].bands) {
            if (!exported(band, p))
                continue;
            for (const TextItem &text : band.texts)
                keys.insert(columnKey(text.rect.left()));
        }
    }
    return {keys.begin(), keys.end()};
}

class Sheet
{
public:
    explicit Sheet(const QString &path)
        : m_path(path), m_workbook(workbook_new(QFile::encodeName(path).constData()))
    {
        if (!m_workbook)
            fail();
        m_sheet = workbook_add_worksheet(m_workbook, nullptr);
    }
    ~Sheet()
    {
        if (m_workbook)
            workbook_close(m_workbook);
    }
    Sheet(const Sheet &) = delete;
    Sheet &operator=(const Sheet &) = delete;

    void setColumns(const std::vector<long> &columns)
    {
        m_columns = columns;
        for (size_t c = 0; c < columns.size(); ++c) {
            const double widthMm =
                c + 1 < columns.size() ? (columns[c + 1] - columns[c]) * columnTolerance : 30.0;
            // A character of the default font is about 2 mm wide.
            worksheet_set_column(m_sheet, lxw_col_t(c), lxw_col_t(c), widthMm / 2, nullptr);
        }
    }

    // Texts of a band that lie on different lines (a header with several rows) go to
    // rows of their own, top to bottom.
    void writeBand(const PlacedBand &band)
    {
        std::vector<const TextItem *> texts;
        for (const TextItem &text : band.texts) {
            if (!text.text.isEmpty())
                texts.push_back(&text);
        }
        std::stable_sort(texts.begin(), texts.end(), [](const TextItem *a, const TextItem *b) {
            return columnKey(a->rect.top()) < columnKey(b->rect.top());
        });
        for (size_t i = 0; i < texts.size(); ++i) {
            if (i > 0 && columnKey(texts[i]->rect.top()) != columnKey(texts[i - 1]->rect.top()))
                ++m_row;
            write(*texts[i]);
        }
        if (!texts.empty())
            ++m_row;
    }

    void close()
    {
        const lxw_error error = workbook_close(m_workbook);
        m_workbook = nullptr;
        if (error != LXW_NO_ERROR)
            fail(QString::fromUtf8(lxw_strerror(error)));
    }

private:
    [[noreturn]] void fail(const QString &why = {}) const
    {
        throw ReportError(
            QStringLiteral("无法写入 Excel 文件“%1”%2")
                .arg(QDir::toNativeSeparators(m_path), why.isEmpty() ? QString() : u'：' + why));
    }

    void write(const TextItem &text)
    {
        const lxw_col_t column = columnOf(text.rect.left());
        if (text.number)
            worksheet_write_number(m_sheet, m_row, column, *text.number,
                                   format(text.numberPattern));
        else
            worksheet_write_string(m_sheet, m_row, column, text.text.toUtf8().constData(), nullptr);
    }

    lxw_col_t columnOf(double x) const
    {
        const auto found = std::lower_bound(m_columns.begin(), m_columns.end(), columnKey(x));
        return lxw_col_t(found - m_columns.begin());
    }

    lxw_format *format(const QString &pattern)
    {
        if (pattern.isEmpty())
            return nullptr;
        auto found = m_formats.find(pattern);
        if (found == m_formats.end()) {
            lxw_format *created = workbook_add_format(m_workbook);
            format_set_num_format(created, pattern.toUtf8().constData());
            found = m_formats.insert(pattern, created);
        }
        return *found;
    }

    QString m_path;
    lxw_workbook *m_workbook;
    lxw_worksheet *m_sheet = nullptr;
    lxw_row_t m_row = 0;
    std::vector<long> m_columns;
    QHash<QString, lxw_format *> m_formats;
};

} // namespace

ExportResult ReportExport::toXlsx(const LaidOutReport &report, const QString &path,
                                  const ExportProgress &progress)
{
    const int total = int(report.pages.size());
    {
        Sheet sheet(path);
        sheet.setColumns(columnsOf(report));
        for (size_t p = 0; p < report.pages.size(); ++p) {
            for (const PlacedBand &band : report.pages[p].bands) {
                if (exported(band, p))
                    sheet.writeBand(band);
            }
            if (progress && !progress(int(p) + 1, total)) {
                sheet.close();
                QFile::remove(path);
                return ExportResult::Cancelled;
            }
        }
        sheet.close();
    }
    return ExportResult::Done;
}
