#include "widgets/GridFooter.h"

#include <QHeaderView>
#include <QPainter>

GridFooter::GridFooter(QHeaderView &columns, QWidget *parent) : QWidget(parent), m_columns(columns)
{
    connect(&columns, &QHeaderView::sectionResized, this, qOverload<>(&QWidget::update));
    connect(&columns, &QHeaderView::sectionMoved, this, qOverload<>(&QWidget::update));
    connect(&columns, &QHeaderView::geometriesChanged, this, qOverload<>(&QWidget::update));
}

void GridFooter::setTexts(const QStringList &texts, const QList<Qt::Alignment> &alignments)
{
    m_texts = texts;
    m_alignments = alignments;
    update();
}

int GridFooter::rowHeight() const
{
    return fontMetrics().height() + 6;
}

void GridFooter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().mid().color());
    painter.drawLine(rect().topLeft(), rect().topRight());
    painter.setPen(Qt::red);
    for (int column = 0; column < m_texts.size(); ++column) {
        if (m_columns.isSectionHidden(column) || m_texts.at(column).isEmpty())
            continue;
        const QRect cell(m_columns.sectionViewportPosition(column), 0,
                         m_columns.sectionSize(column), height());
        painter.drawText(cell.adjusted(3, 0, -3, 0), int(m_alignments.value(column)) | Qt::AlignVCenter,
                         m_texts.at(column));
    }
}
