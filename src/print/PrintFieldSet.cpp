#include "print/PrintFieldSet.h"

#include "db/Dataset.h"
#include "entry/ColumnTotals.h"
#include "entry/LineArithmetic.h"
#include "entry/NumberFormat.h"

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

int indexOf(int number)
{
    if (number < 1 || number > PrintFieldSet::SlotCount)
        throw std::out_of_range("print field slot " + std::to_string(number));
    return number - 1;
}

enum class TextForm
{
    Stored,
    General,
    TwoDecimals,
    Percent
};

struct BlockColumn
{
    QString name;
    TextForm form;
};

// The order of a line block.
const std::array<BlockColumn, PrintFieldSet::BlockSize> &blockColumns()
{
    static const std::array<BlockColumn, PrintFieldSet::BlockSize> columns{{
        {u"货物应税名称"_s, TextForm::Stored},
        {u"规格型号"_s, TextForm::Stored},
        {u"单位"_s, TextForm::Stored},
        {u"数量"_s, TextForm::General},
        {u"单价"_s, TextForm::General},
        {u"金额"_s, TextForm::TwoDecimals},
        {u"税率"_s, TextForm::Percent},
        {u"税额"_s, TextForm::TwoDecimals},
    }};
    return columns;
}

QString textOf(const QVariant &value, TextForm form)
{
    switch (form) {
    case TextForm::Stored:
        return value.toString();
    case TextForm::General:
        return NumberFormat::general(value.toDouble());
    case TextForm::TwoDecimals:
        return NumberFormat::fixed(LineArithmetic::moneyOf(value), 2);
    case TextForm::Percent:
        return NumberFormat::percent(value.toDouble());
    }
    return QString();
}

void fillLineBlock(PrintFieldSet &fields, int line, const Dataset &lines)
{
    const int firstSlot = (line - 1) * PrintFieldSet::BlockSize + 1;
    for (int position = 0; position < PrintFieldSet::BlockSize; ++position) {
        const BlockColumn &column = blockColumns()[position];
        const QVariant value = lines.value(column.name);
        if (!value.isNull())
            fields.setSlot(firstSlot + position, textOf(value, column.form));
    }
}

} // namespace

const QString &PrintFieldSet::slot(int number) const
{
    return m_slots[indexOf(number)];
}

void PrintFieldSet::setSlot(int number, const QString &text)
{
    m_slots[indexOf(number)] = text;
}

QString PrintFieldSet::slotName(int number)
{
    return u"Edit%1"_s.arg(indexOf(number) + 1);
}

void ClearPrintFields(PrintFieldSet &fields)
{
    for (int number = 1; number <= PrintFieldSet::SlotCount; ++number)
        fields.setSlot(number, QString());
}

void FillPrintFields(PrintFieldSet &fields, const PrintFieldSources &sources)
{
    sources.set1qry.open();
    sources.set2qry.open();
    sources.set3qry.open();
    Dataset &lines = sources.detailqry;
    lines.first();
    ClearPrintFields(fields);
    const int count = lines.rowCount();
    for (int line = 1; line <= count; ++line) {
        if (line <= PrintFieldSet::LineBlocks)
            fillLineBlock(fields, line, lines);
        lines.next();
    }
    fields.setSlot(PrintFieldSet::QuantityTotalSlot,
                   NumberFormat::general(sources.totals.quantity().toDouble()));
    fields.setSlot(PrintFieldSet::AmountTotalSlot, NumberFormat::fixed(sources.totals.amount(), 2));
    fields.setSlot(PrintFieldSet::TaxTotalSlot, NumberFormat::fixed(sources.totals.tax(), 2));
}
