// Writes a trfp.db with many invoices as clerks leave them after years of use: a few
// thousand buyers reused over and over, three sellers, one to eight lines per invoice,
// remarks mostly the single blank that Add leaves.
//
//   kelvane_make_browse_db <path/to/trfp.db> [invoices = 100000]
#include "db/DatabaseError.h"
#include "db/Schema.h"
#include "entry/AmountInCapitals.h"
#include "entry/LineArithmetic.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextStream>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Party
{
    QString name, taxId, address, bank;
};

class Generator
{
public:
    explicit Generator(quint32 seed) : m_random(seed) {}

    int below(int n) { return int(m_random.bounded(n)); }
    template <typename T>
    const T &pick(const QList<T> &list) { return list.at(below(int(list.size()))); }
    QString digits(int count)
    {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar(u'0' + below(10));
        return text;
    }
    QString alnum(int count)
    {
        static const QString chars = QStringLiteral("0123456789ABCDEFGHJKLMNPQRTUWXY");
        QString text;
        for (int i = 0; i < count; ++i)
            text += chars.at(below(int(chars.size())));
        return text;
    }

    Party party()
    {
        static const QStringList cities{u"北京"_s, u"上海"_s, u"广州"_s, u"深圳"_s, u"杭州"_s,
                                        u"南京"_s, u"苏州"_s, u"成都"_s, u"武汉"_s, u"天津"_s,
                                        u"重庆"_s, u"西安"_s, u"青岛"_s, u"宁波"_s, u"厦门"_s,
                                        u"长沙"_s, u"郑州"_s, u"济南"_s, u"合肥"_s, u"福州"_s};
        static const QStringList words{u"华"_s, u"盛"_s, u"鑫"_s, u"恒"_s, u"达"_s, u"远"_s,
                                       u"山"_s, u"海"_s, u"川"_s, u"金"_s, u"瑞"_s, u"丰"_s,
                                       u"泰"_s, u"隆"_s, u"兴"_s, u"宏"_s, u"源"_s, u"德"_s,
                                       u"利"_s, u"通"_s, u"嘉"_s, u"信"_s, u"安"_s, u"明"_s};
        static const QStringList trades{u"贸易"_s, u"科技"_s, u"机械"_s, u"电子"_s, u"建材"_s,
                                        u"化工"_s, u"食品"_s, u"物流"_s, u"纺织"_s, u"医药"_s};
        static const QStringList forms{u"有限公司"_s, u"股份有限公司"_s, u"有限责任公司"_s,
                                       u"商行"_s};
        static const QStringList districts{u"东城区"_s, u"西湖区"_s, u"高新区"_s, u"经济开发区"_s,
                                           u"南山区"_s, u"江北区"_s};
        static const QStringList roads{u"人民路"_s, u"解放路"_s, u"建设大道"_s, u"中山路"_s,
                                       u"工业园路"_s, u"滨江路"_s};
        static const QStringList banks{u"中国工商银行"_s, u"中国建设银行"_s, u"中国农业银行"_s,
                                       u"中国银行"_s, u"招商银行"_s, u"交通银行"_s};
        const QString city = pick(cities);
        Party p;
        p.name = city + pick(words) + pick(words) + pick(trades) + pick(forms);
        p.taxId = QStringLiteral("91") + digits(6) + alnum(9) + alnum(1);
        p.address = city + u'市' + pick(districts) + pick(roads) + QString::number(1 + below(999)) +
                    u'号' + QStringLiteral(" 0") + digits(3) + u'-' + digits(8);
        p.bank = pick(banks) + city + pick(words) + pick(words) + QStringLiteral("支行 ") +
                 QStringLiteral("6222") + digits(15);
        return p;
    }

private:
    QRandomGenerator m_random;
};

void check(sqlite3 *db, int rc)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
}

class Insert
{
public:
    Insert(sqlite3 *db, const char *sql) : m_db(db) { check(db, sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr)); }
    ~Insert() { sqlite3_finalize(m_stmt); }
    Insert &text(const QString &value)
    {
        const QByteArray utf8 = value.toUtf8();
        check(m_db, sqlite3_bind_text(m_stmt, ++m_index, utf8.constData(), int(utf8.size()),
                                      SQLITE_TRANSIENT));
        return *this;
    }
    Insert &integer(qint64 value)
    {
        check(m_db, sqlite3_bind_int64(m_stmt, ++m_index, value));
        return *this;
    }
    Insert &real(double value)
    {
        check(m_db, sqlite3_bind_double(m_stmt, ++m_index, value));
        return *this;
    }
    void run()
    {
        check(m_db, sqlite3_step(m_stmt));
        sqlite3_reset(m_stmt);
        m_index = 0;
    }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    int m_index = 0;
};

void fill(sqlite3 *db, int invoices)
{
    Generator gen(20240601);
    QList<Party> buyers;
    for (int i = 0; i < 3000; ++i)
        buyers << gen.party();
    QList<Party> sellers;
    for (int i = 0; i < 3; ++i)
        sellers << gen.party();
    const QStringList people{u"王芳"_s, u"李娜"_s, u"张伟"_s, u"刘洋"_s, u"陈静"_s,
                             u"杨敏"_s, u"赵磊"_s, u"黄丽"_s};
    const QStringList goods{u"钢管"_s, u"阀门"_s, u"法兰"_s, u"轴承"_s, u"电缆"_s,
                            u"办公用品"_s, u"技术服务费"_s, u"运输服务"_s, u"打印纸"_s,
                            u"不锈钢板"_s, u"水泥"_s, u"润滑油"_s};
    const QStringList units{u"个"_s, u"米"_s, u"吨"_s, u"箱"_s, u"套"_s, u"次"_s};
    const QList<int> rates{17, 13, 6, 0};

    check(db, sqlite3_exec(db, "begin", nullptr, nullptr, nullptr));
    for (const QString &table : {u"购货单位"_s, u"销货单位"_s}) {
        Insert party(db, QStringLiteral("insert into %1 values (?,?,?,?)").arg(table).toUtf8());
        for (const Party &p : table == u"购货单位"_s ? buyers : sellers)
            party.text(p.name).text(p.taxId).text(p.address).text(p.bank).run();
    }
    Insert title(db, "insert into title (cid, 发票号码, 检验码, 密码1, 密码2, 密码3, 密码4, 密码5, "
                     "密码6, 密码7, 密码8, 开票日期, 中文日期, 是否收款, 购货单位名称, 购货纳税人识别号, "
                     "购货单位地址, 购货单位银行, 销货单位名称, 销货纳税人识别号, 销货单位地址, "
                     "销货单位银行, 收款人, 复核, 开票人, 备注, 备注1, 小写金额, 大写金额, 是否打印格式) "
                     "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    Insert line(db, "insert into detail (cid, 货物应税名称, 规格型号, 单位, 数量, 单价, 金额, 税率, 税额) "
                    "values (?,?,?,?,?,?,?,?,?)");
    const QDate start(2012, 1, 4);
    const QString cipherChars = QStringLiteral("0123456789<>*/+-");
    for (int cid = 1; cid <= invoices; ++cid) {
        Money amounts, taxes;
        const int lines = 1 + gen.below(6) + (gen.below(10) == 0 ? 2 : 0);
        for (int l = 0; l < lines; ++l) {
            const double quantity = 1 + gen.below(200);
            const double price = (1 + gen.below(500000)) / 100.0;
            const int rate = gen.pick(rates);
            const Money amount = LineArithmetic::lineAmount(quantity, price);
            const Money tax = LineArithmetic::lineTax(QVariant::fromValue(amount), double(rate));
            amounts += amount;
            taxes += tax;
            line.integer(cid).text(gen.pick(goods)).text(gen.alnum(4)).text(gen.pick(units))
                .real(quantity).real(price).integer(amount.raw()).real(rate).integer(tax.raw()).run();
        }
        const LineArithmetic::HeaderTotals totals = LineArithmetic::headerTotals(amounts, taxes);
        const QDate date = start.addDays(cid * 4000 / invoices);
        const Party &buyer = gen.pick(buyers);
        const Party &seller = gen.pick(sellers);
        title.integer(cid).integer(3100000 + cid).text(gen.digits(20));
        for (int m = 0; m < 8; ++m) {
            QString cipher;
            for (int c = 0; c < 27; ++c)
                cipher += cipherChars.at(gen.below(int(cipherChars.size())));
            title.text(cipher);
        }
        const QString remark = gen.below(5) == 0
                                   ? QStringLiteral("合同号 HT%1-%2").arg(date.year()).arg(gen.digits(4))
                                   : QStringLiteral(" ");
        title.text(date.toString(Qt::ISODate))
            .text(date.toString(QStringLiteral("yyyy年MM月dd日")))
            .integer(gen.below(10) < 7 ? 1 : 0)
            .text(buyer.name).text(buyer.taxId).text(buyer.address).text(buyer.bank)
            .text(seller.name).text(seller.taxId).text(seller.address).text(seller.bank)
            .text(gen.pick(people)).text(gen.pick(people)).text(gen.pick(people))
            .text(remark).text(QStringLiteral("订单 PO-") + gen.digits(6))
            .integer(totals.total.raw()).text(totals.capitals).integer(0).run();
    }
    check(db, sqlite3_exec(db, "commit", nullptr, nullptr, nullptr));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() < 2 || args.size() > 3) {
        err << "usage: kelvane_make_browse_db <path/to/trfp.db> [invoices]\n";
        return 2;
    }
    const int invoices = args.size() == 3 ? args.at(2).toInt() : 100000;
    try {
        Schema::createDatabaseFile(args.at(1));
        sqlite3 *db = nullptr;
        if (sqlite3_open(args.at(1).toUtf8().constData(), &db) != SQLITE_OK)
            throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
        try {
            fill(db, invoices);
        } catch (...) {
            sqlite3_close(db);
            throw;
        }
        sqlite3_close(db);
    } catch (const DatabaseError &error) {
        err << error.message() << '\n';
        return 1;
    }
    QTextStream(stdout) << "wrote " << invoices << " invoices to " << args.at(1) << '\n';
    return 0;
}
