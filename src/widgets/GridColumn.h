#pragma once

#include <QString>
#include <QVariant>

#include <functional>

// How a grid shows one column of its dataset.
struct GridColumn
{
    enum class Footer { None, Text, Sum };
    using Format = std::function<QString(const QVariant &value)>;

    QString field;
    QString title; // empty: the column name
    int width = 64;
    bool readOnly = false;
    Format format; // empty: the value as an edit box shows it
    Footer footer = Footer::None;
    QString footerText;

    QString shownTitle() const { return title.isEmpty() ? field : title; }
};
