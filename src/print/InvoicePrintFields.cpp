#include "print/InvoicePrintFields.h"

#include "entry/NumberFormat.h"
#include "print/PrintError.h"
#include "print/PrintFieldSet.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// Printed lines; the form has room for an eighth that the program leaves blank.
constexpr int PrintedLines = 7;

InvoicePrintField header(const QString &object, const QString &control, const QString &column)
{
    return {object, InvoicePrintField::Source::Header, control, column, 0};
}

InvoicePrintField slot(const QString &object, int number)
{
    return {object, InvoicePrintField::Source::Slot, {}, {}, number};
}

std::vector<InvoicePrintField> makeFields()
{
    std::vector<InvoicePrintField> fields{
        header(u"fpno"_s, u"fpno1"_s, u"发票号码"_s),
        header(u"jym"_s, u"jym"_s, u"检验码"_s),
        header(u"kprq"_s, u"kpdate"_s, u"中文日期"_s),
        header(u"gmc"_s, u"ghmc"_s, u"购货单位名称"_s),
        header(u"gnsno"_s, u"ghsbh"_s, u"购货纳税人识别号"_s),
        header(u"gdzdh"_s, u"ghdzdh"_s, u"购货单位地址"_s),
        header(u"gyhzh"_s, u"ghyxzh"_s, u"购货单位银行"_s),
    };
    for (int i = 1; i <= 8; ++i)
        fields.push_back(header(u"m%1"_s.arg(i), u"mm%1"_s.arg(i), u"密码%1"_s.arg(i)));

    const QStringList prefixes{u"H"_s, u"G"_s, u"DW"_s, u"SL"_s, u"DJ"_s, u"JE"_s, u"S"_s, u"SE"_s};
    for (int line = 1; line <= PrintedLines; ++line) {
        const int first = (line - 1) * PrintFieldSet::BlockSize + 1;
        for (int position = 0; position < prefixes.size(); ++position)
            fields.push_back(slot(prefixes.at(position) + QString::number(line), first + position));
    }
    fields.push_back(slot(u"JEHJ"_s, PrintFieldSet::AmountTotalSlot));
    fields.push_back(slot(u"SEHJ"_s, PrintFieldSet::TaxTotalSlot));

    fields.push_back(header(u"DXJE"_s, u"jedx"_s, u"大写金额"_s));
    fields.push_back(
        {u"XXJE"_s, InvoicePrintField::Source::TotalInFigures, u"xxje"_s, u"小写金额"_s, 0});
    fields.push_back(header(u"Xmc"_s, u"xhmc"_s, u"销货单位名称"_s));
    fields.push_back(header(u"Xnsno"_s, u"xhsbh"_s, u"销货纳税人识别号"_s));
    fields.push_back(header(u"Xdzdh"_s, u"xhdzdh"_s, u"销货单位地址"_s));
    fields.push_back(header(u"Xyhzh"_s, u"xhyxzh"_s, u"销货单位银行"_s));
    for (int i = 1; i <= 4; ++i)
        fields.push_back(header(u"BZ%1"_s.arg(i), u"bz%1"_s.arg(i), u"备注%1"_s.arg(i)));
    fields.push_back(header(u"SKR"_s, u"skr"_s, u"收款人"_s));
    fields.push_back(header(u"FH"_s, u"fh"_s, u"复核"_s));
    fields.push_back(header(u"KPR"_s, u"kpr"_s, u"开票人"_s));
    return fields;
}

} // namespace

namespace InvoicePrintFields {

const std::vector<InvoicePrintField> &all()
{
    static const std::vector<InvoicePrintField> fields = makeFields();
    return fields;
}

QString backgroundObject()
{
    return u"ptc"_s;
}

QString totalInFigures(const QString &shown)
{
    const std::optional<double> value = NumberFormat::parseTypedNumber(shown);
    if (!value)
        throw PrintError(u"'%1' is not a valid floating point value"_s.arg(shown));
    return NumberFormat::fixed(*value, 2);
}

} // namespace InvoicePrintFields
