#pragma once

#include <QStringList>
#include <QVariant>
#include <vector>

// The rows a template reads under a dataset name. Values travel as the dataset layer gives
// them (Money for currency, double, qlonglong, QString, QDate, null).
class ReportRows
{
public:
    virtual ~ReportRows() = default;
    virtual int rowCount() const = 0;
    virtual QStringList fieldNames() const = 0;
    virtual QVariant value(int row, int column) const = 0;

    // Letter case ignored; -1 if there is no such column.
    int fieldIndex(const QString &name) const;
};

// Rows held in memory: the payment work tables, tests, and rows a command builds itself.
class MemoryRows final : public ReportRows
{
public:
    explicit MemoryRows(QStringList fields, std::vector<QVariantList> rows = {});
    void addRow(QVariantList values);

    int rowCount() const override { return int(m_rows.size()); }
    QStringList fieldNames() const override { return m_fields; }
    QVariant value(int row, int column) const override;

private:
    QStringList m_fields;
    std::vector<QVariantList> m_rows;
};
