#pragma once

#include <QStringList>
#include <QWidget>

class QHeaderView;

// The footer row under a grid's cells, in line with the columns as they are resized
// and scrolled.
class GridFooter final : public QWidget
{
    Q_OBJECT
public:
    GridFooter(QHeaderView &columns, QWidget *parent);

    void setTexts(const QStringList &texts, const QList<Qt::Alignment> &alignments);
    QString text(int column) const { return m_texts.value(column); }
    int rowHeight() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QHeaderView &m_columns;
    QStringList m_texts;
    QList<Qt::Alignment> m_alignments;
};
