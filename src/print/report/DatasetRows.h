#pragma once

#include "ReportRows.h"

class Dataset;

// The program's open datasets as templates see them: every row as the grid shows it. The
// dataset must outlive the report that reads it.
class DatasetRows final : public ReportRows
{
public:
    explicit DatasetRows(const Dataset &dataset);
    int rowCount() const override;
    QStringList fieldNames() const override;
    QVariant value(int row, int column) const override;

private:
    const Dataset &m_dataset;
};
