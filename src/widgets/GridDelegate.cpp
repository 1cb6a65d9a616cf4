#include "widgets/GridDelegate.h"

#include "app/ErrorGuard.h"
#include "db/Dataset.h"
#include "widgets/DatasetModel.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

bool isNumberColumn(FieldType type)
{
    return type == FieldType::Double || type == FieldType::Currency || type == FieldType::Integer;
}

} // namespace

GridDelegate::GridDelegate(DatasetModel &model, ErrorGuard &guard, QObject *parent)
    : QStyledItemDelegate(parent), m_model(model), m_guard(guard)
{
}

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                    const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    const Dataset *dataset = m_model.dataset();
    const QString &field = m_model.columns().at(index.column()).field;
    if (dataset && dataset->hasField(field)) {
        if (isNumberColumn(dataset->fieldType(field))) {
            editor->setAlignment(Qt::AlignRight);
            editor->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("-?[0-9]{0,15}(\\.[0-9]{0,9})?")), editor));
        } else if (const int limit = dataset->maxLength(field); limit > 0) {
            editor->setMaxLength(limit);
        }
    }
    const QPersistentModelIndex cell(index);
    connect(editor, &QLineEdit::textEdited, editor,
            [this, cell](const QString &text) { write(cell, text); });
    m_editor = editor;
    return editor;
}

// Views reload open editors whenever the row changes, which it does on every keystroke
// here; text that already says the stored value ("2." for 2) is left as the user typed it.
void GridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line)
        return;
    const QString stored = index.data(Qt::EditRole).toString();
    if (line->text() == stored)
        return;
    bool typedIsNumber = false;
    bool storedIsNumber = false;
    const double typed = line->text().toDouble(&typedIsNumber);
    const double value = stored.toDouble(&storedIsNumber);
    if (typedIsNumber && storedIsNumber && typed == value)
        return;
    line->setText(stored);
}

// Everything typed is written already.
void GridDelegate::setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const {}

void GridDelegate::write(const QPersistentModelIndex &index, const QString &text) const
{
    if (!index.isValid())
        return;
    const Dataset *dataset = m_model.dataset();
    const QString &field = m_model.columns().at(index.column()).field;
    QVariant value;
    if (!text.isEmpty()) {
        value = text;
        if (dataset && isNumberColumn(dataset->fieldType(field))) {
            bool ok = false;
            const double number = text.toDouble(&ok);
            // "-" or "." on the way to a number: wait for the next keystroke.
            if (!ok)
                return;
            value = number;
        }
    }
    // A value the row cannot take (an amount out of range, say) leaves the cell as it was,
    // so the line does not keep a quantity whose amount was refused.
    const QVariant before = m_model.rawValue(index.row(), index.column());
    if (m_guard.run([&] { m_model.setData(index, value); }))
        return;
    m_guard.run([&] { m_model.setData(index, before); });
    if (auto *line = qobject_cast<QLineEdit *>(m_editor.data()))
        line->setText(index.data(Qt::EditRole).toString());
}
