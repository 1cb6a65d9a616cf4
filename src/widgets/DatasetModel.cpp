#include "widgets/DatasetModel.h"

#include "db/Dataset.h"
#include "entry/Money.h"
#include "widgets/FieldText.h"

namespace {

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return true;
    default:
        return value.typeId() == qMetaTypeId<Money>();
    }
}

} // namespace

DatasetModel::DatasetModel(QObject *parent) : QAbstractTableModel(parent) {}

void DatasetModel::setDataset(Dataset *dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (dataset) {
        connect(dataset, &Dataset::changed, this,
                [this](Dataset::Change change) { datasetChanged(int(change)); });
        connect(dataset, &Dataset::closed, this, &DatasetModel::resetRows);
    }
    resetRows();
}

void DatasetModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    m_rows = datasetRows();
    endResetModel();
}

void DatasetModel::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetModel::rawValue(int row, int column) const
{
    if (!m_dataset || row < 0 || row >= datasetRows() || column < 0 || column >= m_columns.size())
        return {};
    const QString &field = m_columns.at(column).field;
    if (!m_dataset->hasField(field))
        return {};
    return m_dataset->rowValue(row, field);
}

QString DatasetModel::displayText(int row, int column) const
{
    const QVariant value = rawValue(row, column);
    const GridColumn::Format &format = m_columns.at(column).format;
    return format ? format(value) : FieldText::toText(value);
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        const QVariant value = rawValue(index.row(), index.column());
        if (value.typeId() == QMetaType::Bool)
            return {};
        return displayText(index.row(), index.column());
    }
    case Qt::EditRole:
        return FieldText::toText(rawValue(index.row(), index.column()));
    case Qt::CheckStateRole: {
        const QVariant value = rawValue(index.row(), index.column());
        if (value.typeId() != QMetaType::Bool)
            return {};
        return value.toBool() ? Qt::Checked : Qt::Unchecked;
    }
    case Qt::TextAlignmentRole: {
        const bool right = isNumber(rawValue(index.row(), index.column()));
        return int((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size() ? m_columns.at(section).shownTitle()
                                                           : QVariant();
    const bool current = m_dataset && m_dataset->isOpen() && m_dataset->currentRow() == section;
    return current ? QStringLiteral("▶") : QString();
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (!m_readOnly && !m_columns.at(index.column()).readOnly)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid) ||
        !(flags(index) & Qt::ItemIsEditable) || index.row() >= datasetRows())
        return false;
    Dataset &dataset = *m_dataset;
    if (dataset.currentRow() != index.row())
        dataset.moveTo(index.row());
    if (!dataset.isEditing())
        dataset.edit();
    dataset.markUserChange();
    const bool empty = value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty());
    dataset.setValue(m_columns.at(index.column()).field, empty ? QVariant() : value);
    return true;
}

void DatasetModel::datasetChanged(int change)
{
    const int rows = datasetRows();
    switch (Dataset::Change(change)) {
    case Dataset::Change::Appended:
        if (rows == m_rows + 1) {
            beginInsertRows({}, m_rows, m_rows);
            m_rows = rows;
            endInsertRows();
            break;
        }
        resetRows();
        break;
    case Dataset::Change::ValueWritten:
    case Dataset::Change::Posted:
    case Dataset::Change::Moved:
        if (rows != m_rows) {
            resetRows();
            break;
        }
        // Other columns of the row may follow a written one; a range wider than one cell
        // also keeps views from reloading an editor the user is typing in.
        if (m_rows > 0 && !m_columns.isEmpty())
            emit dataChanged(index(0, 0), index(m_rows - 1, int(m_columns.size()) - 1));
        break;
    default:
        resetRows();
        break;
    }
    const int current = m_dataset ? m_dataset->currentRow() : -1;
    if (current != m_shownCurrent && m_rows > 0) {
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
        m_shownCurrent = current;
    }
    emit currentRowMayHaveMoved();
}

void DatasetModel::resetRows()
{
    beginResetModel();
    m_rows = datasetRows();
    m_shownCurrent = -1;
    endResetModel();
    emit currentRowMayHaveMoved();
}

int DatasetModel::datasetRows() const
{
    return m_dataset && m_dataset->isOpen() ? m_dataset->rowCount() : 0;
}
