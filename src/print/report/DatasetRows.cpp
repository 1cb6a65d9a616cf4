#include "DatasetRows.h"

#include "db/Dataset.h"

DatasetRows::DatasetRows(const Dataset &dataset) : m_dataset(dataset)
{}

int DatasetRows::rowCount() const
{
    return m_dataset.isOpen() ? m_dataset.rowCount() : 0;
}

QStringList DatasetRows::fieldNames() const
{
    return m_dataset.fieldNames();
}

QVariant DatasetRows::value(int row, int column) const
{
    const QStringList fields = m_dataset.fieldNames();
    if (column < 0 || column >= fields.size())
        return {};
    return m_dataset.rowValue(row, fields[column]);
}
