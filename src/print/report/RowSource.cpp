#include "RowSource.h"

int RowSource::fieldIndex(const QString &name) const
{
    const QStringList fields = fieldNames();
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

MemoryRowSource::MemoryRowSource(QStringList fields, std::vector<QVariantList> rows)
    : m_fields(std::move(fields)), m_rows(std::move(rows))
{
}

void MemoryRowSource::addRow(QVariantList values)
{
    m_rows.push_back(std::move(values));
}

QVariant MemoryRowSource::value(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_rows[size_t(row)].value(column);
}
