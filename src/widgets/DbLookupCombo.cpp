#include "widgets/DbLookupCombo.h"

#include "app/ErrorGuard.h"
#include "db/Dataset.h"

#include <QAbstractItemView>

DbLookupCombo::DbLookupCombo(QWidget *parent) : QComboBox(parent)
{
    setModel(&m_model);
    setSizeAdjustPolicy(AdjustToContentsOnFirstShow);
    setMaxVisibleItems(16);
    // The button shows no entry of its own: the chosen party appears in the boxes beside it.
    connect(&m_model, &QAbstractItemModel::modelReset, this, [this] { setCurrentIndex(-1); });
    connect(this, &QComboBox::activated, this, &DbLookupCombo::choose);
}

void DbLookupCombo::bind(Dataset &list, const QString &keyColumn, ErrorGuard &guard)
{
    m_keyColumn = keyColumn;
    m_guard = &guard;
    GridColumn column;
    column.field = keyColumn;
    m_model.setColumns({column});
    m_model.setDataset(&list);
    setCurrentIndex(-1);
}

void DbLookupCombo::choose(int row)
{
    Dataset *list = m_model.dataset();
    if (!list || !m_guard || row < 0)
        return;
    const QVariant key = m_model.rawValue(row, 0);
    m_guard->run([&] {
        list->locate(m_keyColumn, key);
        emit clicked();
    });
    setCurrentIndex(-1);
}

void DbLookupCombo::showPopup()
{
    QComboBox::showPopup();
    // The list opens wider than the button, its right edge under the button's.
    QWidget *popup = view()->window();
    const QPoint rightEdge = mapToGlobal(QPoint(width(), height()));
    popup->setGeometry(rightEdge.x() - m_dropDownWidth, rightEdge.y(), m_dropDownWidth,
                       popup->height());
}
