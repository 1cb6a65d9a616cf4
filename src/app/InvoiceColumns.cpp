#include "app/InvoiceColumns.h"

#include "entry/ColumnTotals.h"
#include "entry/NumberFormat.h"

namespace InvoiceColumns {

namespace {

// Quantities and rates; the quantity total arrives as money.
QString general(const QVariant &value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == qMetaTypeId<Money>())
        return NumberFormat::general(value.value<Money>().toDouble());
    return NumberFormat::general(value.toDouble());
}

GridColumn::Format optionalDigits(int decimals)
{
    return [decimals](const QVariant &value) {
        if (value.isNull())
            return QString();
        if (value.typeId() == qMetaTypeId<Money>())
            return NumberFormat::optionalDigits(value.value<Money>(), decimals);
        return NumberFormat::optionalDigits(value.toDouble(), decimals);
    };
}

} // namespace

QList<GridColumn> lines(const std::array<int, 8> &widths, const ColumnTotals &totals)
{
    const QStringList fields{QStringLiteral("货物应税名称"), QStringLiteral("规格型号"),
                             QStringLiteral("单位"),         QStringLiteral("数量"),
                             QStringLiteral("单价"),         QStringLiteral("金额"),
                             QStringLiteral("税率"),         QStringLiteral("税额")};
    QList<GridColumn> columns = GridColumn::plain(fields, widths);
    columns[0].footer = GridColumn::Footer::Text;
    columns[0].footerText = QStringLiteral("合  计：");
    const QList<std::pair<int, ColumnTotals::Position>> sums{
        {3, ColumnTotals::Quantity}, {5, ColumnTotals::Amount}, {7, ColumnTotals::Tax}};
    for (const auto &[column, position] : sums) {
        columns[column].footer = GridColumn::Footer::Value;
        columns[column].footerValue = [&totals, position] {
            return QVariant::fromValue(totals.total(position));
        };
    }
    columns[3].format = general;
    columns[4].format = optionalDigits(NumberFormat::UnitPriceDecimals);
    columns[5].format = optionalDigits(NumberFormat::AmountDecimals);
    columns[6].format = general;
    columns[7].format = optionalDigits(NumberFormat::AmountDecimals);
    // Amount and tax follow quantity, price and rate; nobody types them.
    columns[5].readOnly = true;
    columns[7].readOnly = true;
    return columns;
}

QList<GridColumn> headers()
{
    const QList<std::tuple<QString, int, QString>> layout{
        {QStringLiteral("发票号码"), 100, {}},
        {QStringLiteral("开票日期"), 100, {}},
        {QStringLiteral("是否收款"), 50, {}},
        {QStringLiteral("小写金额"), 100, {}},
        {QStringLiteral("购货单位名称"), 100, {}},
        {QStringLiteral("购货单位银行"), 112, QStringLiteral("购货单位银行、帐号")},
        {QStringLiteral("购货纳税人识别号"), 100, {}},
        {QStringLiteral("购货单位地址"), 100, QStringLiteral("购货单位地址、电话")},
        {QStringLiteral("销货单位名称"), 100, {}},
        {QStringLiteral("销货单位银行"), 100, QStringLiteral("销货单位银行、帐号")},
        {QStringLiteral("销货纳税人识别号"), 100, {}},
        {QStringLiteral("销货单位地址"), 100, QStringLiteral("销货单位地址、电话")},
        {QStringLiteral("收款人"), 100, {}},
        {QStringLiteral("大写金额"), 100, {}},
        {QStringLiteral("复核"), 100, {}},
        {QStringLiteral("开票人"), 100, {}},
        {QStringLiteral("备注"), 100, {}}};
    QList<GridColumn> columns;
    for (const auto &[field, width, title] : layout) {
        GridColumn column;
        column.field = field;
        column.width = width;
        column.title = title;
        columns << column;
    }
    return columns;
}

} // namespace InvoiceColumns
