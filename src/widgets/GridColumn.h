#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

// How a grid shows one column of its dataset.
struct GridColumn
{
    enum class Footer
    {
        None,
        Text,
        Value
    };
    using Format = std::function<QString(const QVariant &value)>;
    using FooterValue = std::function<QVariant()>;

    QString field;
    QString title; // empty: the column name
    int width = 64;
    bool readOnly = false;
    Format format; // empty: the value as an edit box shows it
    Footer footer = Footer::None;
    QString footerText;      // Footer::Text
    FooterValue footerValue; // Footer::Value, shown through format

    QString shownTitle() const { return title.isEmpty() ? field : title; }

    // Columns that show their field under its own name, at the given widths.
    template <typename Widths>
    static QList<GridColumn> plain(const QStringList &fields, const Widths &widths)
    {
        QList<GridColumn> columns;
        for (qsizetype i = 0; i < fields.size(); ++i) {
            GridColumn column;
            column.field = fields.at(i);
            column.width = widths.at(std::size_t(i));
            columns << column;
        }
        return columns;
    }
};
