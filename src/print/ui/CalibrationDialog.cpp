#include "CalibrationDialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox *offsetBox(double value, QWidget *parent)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(-50, 50);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(value);
    return box;
}

} // namespace

CalibrationDialog::CalibrationDialog(const QString &printer, QPointF offset, QWidget *parent)
    : QDialog(parent), m_x(offsetBox(offset.x(), this)), m_y(offsetBox(offset.y(), this))
{
    setWindowTitle(QStringLiteral("打印机校准"));
    m_x->setObjectName(QStringLiteral("offsetX"));
    m_y->setObjectName(QStringLiteral("offsetY"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("打印机："), new QLabel(printer, this));
    form->addRow(QStringLiteral("向右移动："), m_x);
    form->addRow(QStringLiteral("向下移动："), m_y);
    auto *hint = new QLabel(QStringLiteral("负数表示向左、向上移动。只影响在这台打印机上的打印，"
                                           "不影响模板和导出的文件。"),
                            this);
    hint->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(buttons);
}

QPointF CalibrationDialog::offset() const
{
    return QPointF(m_x->value(), m_y->value());
}
