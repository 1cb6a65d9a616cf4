#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class DatasetModel;
class ErrorGuard;

// The in-place editor of a grid cell. It writes each keystroke straight into the row, so
// a command that posts the row (a shortcut, a menu) never misses what was typed, and it
// refuses keystrokes that would not make a number in a number column.
class GridDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
public:
    GridDelegate(DatasetModel &model, ErrorGuard &guard, QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

    QWidget *openEditor() const { return m_editor; }

private:
    void write(const QPersistentModelIndex &index, const QString &text) const;

    DatasetModel &m_model;
    ErrorGuard &m_guard;
    mutable QPointer<QWidget> m_editor;
};
