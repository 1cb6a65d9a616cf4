#pragma once

#include "widgets/GridColumn.h"

#include <array>

// The columns the main window's grids show of the invoice headers and lines.
namespace InvoiceColumns {

// 货物应税名称, 规格型号, 单位, 数量, 单价, 金额, 税率, 税额 with these widths; the
// footer carries the caption and the sums of quantity, amount and tax.
QList<GridColumn> lines(const std::array<int, 8> &widths);
QList<GridColumn> headers();

} // namespace InvoiceColumns
