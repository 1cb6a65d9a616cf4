#include "ReportRows.h"

int ReportRows::fieldIndex(const QString &name) const
{
    const QStringList fields = fieldNames();
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

MemoryRows::MemoryRows(QStringList fields, std::vector<QVariantList> rows)
    : m_fields(std::move(fields)), m_rows(std::move(rows))
{}

void MemoryRows::addRow(QVariantList values)
{
    m_rows.push_back(std::move(values));
}

QVariant MemoryRows::value(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_rows[size_t(row)].value(column);
}
