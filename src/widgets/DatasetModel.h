#pragma once

#include "widgets/GridColumn.h"

#include <QAbstractTableModel>
#include <QPointer>

class Dataset;

// The rows of a dataset as a table, for grids and lists. Only the rows a view asks for
// are read, so a long list stays fast. The dataset signals after the fact, so the model
// keeps its own row count to tell views exactly what changed.
class DatasetModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit DatasetModel(QObject *parent = nullptr);

    void setDataset(Dataset *dataset);
    Dataset *dataset() const { return m_dataset; }
    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return m_columns; }
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Puts the row into editing (the user typed) and writes the value; the dataset's
    // errors come through as exceptions.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    QVariant rawValue(int row, int column) const;

signals:
    // After a reset, insert or move, so a view can put its current cell back on the
    // dataset's current row.
    void currentRowMayHaveMoved();

private:
    void datasetChanged(int change);
    void resetRows();
    int datasetRows() const;
    QString displayText(int row, int column) const;

    QPointer<Dataset> m_dataset;
    QList<GridColumn> m_columns;
    int m_rows = 0;
    int m_shownCurrent = -1;
    bool m_readOnly = false;
};
