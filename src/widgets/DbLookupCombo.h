#pragma once

#include "widgets/DatasetModel.h"

#include <QComboBox>

class ErrorGuard;

// A narrow list button over one column of a dataset. Choosing an entry makes the first
// row with that value current, then reports the click.
class DbLookupCombo final : public QComboBox
{
    Q_OBJECT
public:
    explicit DbLookupCombo(QWidget *parent = nullptr);

    void bind(Dataset &list, const QString &keyColumn, ErrorGuard &guard);
    void setDropDownWidth(int width) { m_dropDownWidth = width; }
    int dropDownWidth() const { return m_dropDownWidth; }
    // What choosing an entry does; also what a test calls to choose one.
    void choose(int row);

    void showPopup() override;

signals:
    void clicked();

private:
    DatasetModel m_model;
    QString m_keyColumn;
    ErrorGuard *m_guard = nullptr;
    int m_dropDownWidth = 300;
};
