#pragma once

#include "db/Dataset.h"
#include "entry/Money.h"
#include "widgets/DatasetModel.h"
#include "widgets/SortMark.h"

#include <QTableView>

class ErrorGuard;
class GridDelegate;
class GridFooter;
class GridHeader;

// A grid over a dataset: its current cell follows the dataset's current row and moves it,
// cells are edited in place, and an optional footer row shows fixed texts and the sums
// of the posted rows.
class DbGrid final : public QTableView
{
    Q_OBJECT
public:
    explicit DbGrid(QWidget *parent = nullptr);
    ~DbGrid() override;

    void bind(Dataset &dataset, const QList<GridColumn> &columns, ErrorGuard &guard);
    DatasetModel &datasetModel() { return m_model; }
    Dataset *dataset() const { return m_model.dataset(); }

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_model.isReadOnly(); }
    void setTitleRowVisible(bool visible);
    void setTitlesCentred();
    void setRowIndicatorVisible(bool visible);
    void setFooterVisible(bool visible);

    int columnOf(const QString &field) const;
    // The exact sum of a Sum column over the posted rows (a row being appended does not
    // count yet), as the footer shows it.
    Money footerSum(const QString &field) const;
    QString footerText(int column) const;
    SortMark sortMark(int column) const;

    // The Enter key of the window: next column of the same row, after the last the first.
    void selectNextColumnWrapping();

signals:
    // The focus came into the grid from outside it.
    void entered();
    // A column title was clicked; mark is the column's mark from before the click, which
    // moves on once the signal has been handled.
    void titleButtonClicked(const QString &field, SortMark mark);
    void footerChanged();

protected:
    void updateGeometries() override;

private:
    void focusMoved(QWidget *old, QWidget *now);
    bool contains(const QWidget *widget) const;
    void followDataset();
    void currentRowChangedByUser(const QModelIndex &current);
    void datasetChanged(Dataset::Change change);
    void recomputeFooter();
    void titleClicked(int section);
    void closeOpenEditor();

    DatasetModel m_model;
    GridHeader *m_titles;
    GridFooter *m_footer;
    GridDelegate *m_delegate = nullptr;
    ErrorGuard *m_guard = nullptr;
    QList<Money> m_sums;
    bool m_footerVisible = false;
    bool m_following = false;
    QMetaObject::Connection m_focusConnection;
};
