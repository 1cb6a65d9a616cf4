#include "DatasetRowSource.h"

#include "db/Dataset.h"

DatasetRowSource::DatasetRowSource(const Dataset &dataset) : m_dataset(dataset) {}

int DatasetRowSource::rowCount() const
{
    return m_dataset.isOpen() ? m_dataset.rowCount() : 0;
}

QStringList DatasetRowSource::fieldNames() const
{
    return m_dataset.fieldNames();
}

QVariant DatasetRowSource::value(int row, int column) const
{
    const QStringList fields = m_dataset.fieldNames();
    if (column < 0 || column >= fields.size())
        return {};
    return m_dataset.rowValue(row, fields[column]);
}
