#include "InvoiceGenerator.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// City and the province it lies in.
const QStringList cities = {u"浙江省杭州"_s, u"浙江省宁波"_s, u"浙江省温州"_s, u"江苏省苏州"_s,
                            u"江苏省无锡"_s, u"广东省广州"_s, u"广东省深圳"_s, u"广东省东莞"_s,
                            u"山东省济南"_s, u"山东省青岛"_s, u"河南省郑州"_s, u"四川省成都"_s,
                            u"湖北省武汉"_s, u"福建省厦门"_s, u"福建省福州"_s, u"浙江省绍兴"_s};
const QStringList districts = {u"西湖区"_s,   u"江干区"_s,     u"鄞州区"_s, u"高新区"_s,
                               u"工业园区"_s, u"经济开发区"_s, u"南山区"_s, u"天河区"_s};
const QStringList roads = {u"文三路"_s, u"解放路"_s, u"中山路"_s,   u"人民路"_s,
                           u"建设路"_s, u"长江路"_s, u"科技大道"_s, u"环城北路"_s};
const QStringList stems = {u"明远"_s, u"海达"_s, u"华信"_s, u"东方"_s,   u"金盛"_s, u"宏泰"_s,
                           u"恒丰"_s, u"瑞祥"_s, u"永康"_s, u"新世纪"_s, u"天合"_s, u"博远"_s,
                           u"众诚"_s, u"隆鑫"_s, u"德润"_s, u"聚源"_s};
const QStringList trades = {u"机械"_s, u"电子"_s, u"贸易"_s,     u"科技"_s,
                            u"化工"_s, u"纺织"_s, u"建材"_s,     u"五金"_s,
                            u"食品"_s, u"包装"_s, u"汽车配件"_s, u"信息技术"_s};
const QStringList forms = {u"有限公司"_s, u"股份有限公司"_s, u"有限责任公司"_s, u"制造有限公司"_s};
const QStringList banks = {u"中国工商银行"_s, u"中国农业银行"_s, u"中国银行"_s, u"中国建设银行"_s,
                           u"交通银行"_s,     u"招商银行"_s,     u"浙商银行"_s};
const QStringList surnames = {u"王"_s, u"李"_s, u"张"_s, u"刘"_s, u"陈"_s,
                              u"杨"_s, u"赵"_s, u"黄"_s, u"周"_s, u"吴"_s};
const QStringList givenNames = {u"芳"_s, u"伟"_s, u"强"_s,   u"敏"_s,   u"静"_s,
                                u"丽"_s, u"军"_s, u"建华"_s, u"晓东"_s, u"海燕"_s};
const QStringList goods = {u"钢板"_s,       u"螺栓"_s,         u"轴承"_s,     u"电机"_s,
                           u"控制器"_s,     u"塑料粒子"_s,     u"棉纱"_s,     u"包装箱"_s,
                           u"咨询服务费"_s, u"软件开发服务"_s, u"运输服务"_s, u"不锈钢管"_s,
                           u"电缆"_s,       u"水泥"_s};
const QStringList units = {u"吨"_s, u"个"_s,   u"台"_s, u"套"_s,
                           u"米"_s, u"千克"_s, u"箱"_s, u"次"_s};
const QStringList remarks = {u"货款已结清"_s,       u"月结30天"_s, u"合同号 HT-2011-"_s,
                             u"急件，请尽快寄出"_s, u"代开发票"_s, u" "_s};
const QString cipherChars = u"0123456789+-*/<>"_s;

} // namespace

QString InvoiceGenerator::digits(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(u'0' + below(10));
    return text;
}

InvoiceGenerator::Party InvoiceGenerator::party()
{
    const QString place = pick(cities);
    const QString province = place.left(3);
    const QString city = place.mid(3);
    Party p;
    p.name = city + pick(stems) + pick(trades) + pick(forms);
    // Unified social credit codes beside the older fifteen-digit numbers.
    if (below(2))
        p.taxNumber = u"9133"_s + digits(4) + u"MA2"_s + digits(7);
    else
        p.taxNumber = u"33"_s + digits(13);
    p.address = province + city + u"市"_s + pick(districts) + pick(roads) +
                QString::number(1 + below(999)) + u"号 0"_s + digits(3) + u'-' + digits(8);
    p.bank = pick(banks) + city + pick(roads) + u"支行 "_s + digits(19);
    return p;
}

QString InvoiceGenerator::person()
{
    return pick(surnames) + pick(givenNames);
}

QString InvoiceGenerator::cipherLine()
{
    QString line;
    for (int i = 0; i < 27; ++i)
        line += cipherChars.at(below(static_cast<int>(cipherChars.size())));
    return line;
}

QString InvoiceGenerator::checkCode()
{
    return digits(5) + u' ' + digits(5) + u' ' + digits(5) + u' ' + digits(5);
}

QString InvoiceGenerator::remark()
{
    QString text = pick(remarks);
    if (text.endsWith(u'-'))
        text += digits(4);
    return text;
}

std::vector<InvoiceGenerator::Line> InvoiceGenerator::lines()
{
    std::vector<Line> result(static_cast<size_t>(1 + below(8)));
    for (Line &line : result) {
        line.name = pick(goods);
        line.model = below(3) ? u"型号 "_s + QChar(u'A' + below(26)) + digits(3) : QString();
        line.unit = pick(units);
        line.quantity = 1 + below(500);
        line.price = (1 + below(100000)) / 100.0;
        line.rate = below(4) ? 17 : 13;
        line.amount = std::llround(line.quantity * line.price * 10000);
        line.tax = std::llround(line.amount * line.rate / 100.0);
    }
    return result;
}

QString capitals(std::int64_t cents)
{
    static const QString numerals = u"零壹贰叁肆伍陆柒捌玖"_s;
    static const QStringList places = {u"分"_s, u"角"_s, u"圆"_s, u"拾"_s, u"佰"_s,
                                       u"仟"_s, u"万"_s, u"拾"_s, u"佰"_s, u"仟"_s,
                                       u"亿"_s, u"拾"_s, u"佰"_s, u"仟"_s};
    QString text;
    for (int place = 0; cents > 0 && place < places.size(); ++place, cents /= 10) {
        const int digit = static_cast<int>(cents % 10);
        if (digit != 0)
            text.prepend(numerals.at(digit) + places.at(place));
    }
    return text.isEmpty() ? u"零圆整"_s : text;
}
