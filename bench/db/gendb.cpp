// Writes a trfp.db with many realistic invoices for the benchmarks:
//   kelvane_gendb <path/to/trfp.db> [invoices=100000] [seed=20090408]
#include "InvoiceGenerator.h"
#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/Schema.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTextStream>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// A prepared insert bound by position, reused for every row.
class Insert
{
public:
    Insert(sqlite3 *db, const QString &sql)
    {
        if (sqlite3_prepare16_v2(db, sql.utf16(), -1, &m_statement, nullptr) != SQLITE_OK)
            throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    ~Insert() { sqlite3_finalize(m_statement); }
    Insert &text(const QString &value)
    {
        sqlite3_bind_text16(m_statement, ++m_index, value.utf16(),
                            static_cast<int>(value.size() * 2), SQLITE_TRANSIENT);
        return *this;
    }
    Insert &integer(std::int64_t value)
    {
        sqlite3_bind_int64(m_statement, ++m_index, value);
        return *this;
    }
    Insert &real(double value)
    {
        sqlite3_bind_double(m_statement, ++m_index, value);
        return *this;
    }
    void run(sqlite3 *db)
    {
        if (sqlite3_step(m_statement) != SQLITE_DONE)
            throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_reset(m_statement);
        m_index = 0;
    }

private:
    sqlite3_stmt *m_statement = nullptr;
    int m_index = 0;
};

void exec(sqlite3 *db, const char *sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
}

void writeDirectory(sqlite3 *db, InvoiceGenerator &generator, const QString &table, int count)
{
    Insert insert(db, u"insert into "_s + table +
                          u" (单位名称, 纳税人识别号, 地址电话, 开户行及帐号) values (?,?,?,?)"_s);
    for (int i = 0; i < count; ++i) {
        const auto p = generator.party();
        insert.text(p.name).text(p.taxNumber).text(p.address).text(p.bank).run(db);
    }
}

void writeInvoices(sqlite3 *db, InvoiceGenerator &generator, int count)
{
    QString columns = u"发票号码, 检验码, 开票日期, 中文日期, 是否收款, 购货单位名称, "
                      u"购货纳税人识别号, 购货单位地址, "
                      u"购货单位银行, 销货单位名称, 销货纳税人识别号, 销货单位地址, 销货单位银行, "
                      u"收款人, 复核, 开票人, "
                      u"备注, 备注1, 小写金额, 大写金额, 是否打印格式"_s;
    QString marks = QStringList(21, u"?"_s).join(u',');
    for (int i = 1; i <= 8; ++i) {
        columns += u", 密码"_s + QString::number(i);
        marks += u",?"_s;
    }
    Insert title(db, u"insert into title ("_s + columns + u") values ("_s + marks + u')');
    Insert detail(
        db, u"insert into detail (cid, 货物应税名称, 规格型号, 单位, 数量, 单价, 金额, 税率, 税额) "
            u"values (?,?,?,?,?,?,?,?,?)"_s);
    const QDate firstDay(2009, 1, 1);
    const auto seller = generator.party(); // one business issues all its invoices
    const QString payee = generator.person(), reviewer = generator.person(),
                  drawer = generator.person();
    for (int cid = 1; cid <= count; ++cid) {
        const auto lines = generator.lines();
        std::int64_t total = 0;
        for (const auto &line : lines)
            total += line.amount + line.tax;
        const std::int64_t cents = (total + 50) / 100;
        const QDate day = firstDay.addDays(cid * 2190LL / count);
        const auto buyer = generator.party();
        title.integer(10000000 + cid)
            .text(generator.checkCode())
            .text(day.toString(Qt::ISODate))
            .text(day.toString(u"yyyy年MM月dd日"_s))
            .integer(generator.below(3) == 0 ? 0 : 1)
            .text(buyer.name)
            .text(buyer.taxNumber)
            .text(buyer.address)
            .text(buyer.bank)
            .text(seller.name)
            .text(seller.taxNumber)
            .text(seller.address)
            .text(seller.bank)
            .text(payee)
            .text(reviewer)
            .text(drawer)
            .text(generator.remark())
            .text(generator.remark())
            .integer(cents * 100)
            .text(capitals(cents))
            .integer(0);
        for (int i = 0; i < 8; ++i)
            title.text(generator.cipherLine());
        title.run(db);
        for (const auto &line : lines) {
            detail.integer(cid)
                .text(line.name)
                .text(line.model)
                .text(line.unit)
                .real(line.quantity)
                .real(line.price)
                .integer(line.amount)
                .real(line.rate)
                .integer(line.tax)
                .run(db);
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() < 2) {
        QTextStream(stderr)
            << "usage: kelvane_gendb <path/to/trfp.db> [invoices=100000] [seed=20090408]\n";
        return 2;
    }
    const int count = args.size() > 2 ? args.at(2).toInt() : 100000;
    const std::uint64_t seed = args.size() > 3 ? args.at(3).toULongLong() : 20090408;
    try {
        QElapsedTimer timer;
        timer.start();
        Schema::createDatabaseFile(args.at(1));
        Connection connection(u"gendb"_s);
        connection.open(args.at(1));
        sqlite3 *db = connection.handle();
        InvoiceGenerator generator(seed);
        exec(db, "begin");
        writeDirectory(db, generator, u"购货单位"_s, 500);
        writeDirectory(db, generator, u"销货单位"_s, 20);
        writeInvoices(db, generator, count);
        exec(db, "commit");
        out << "wrote " << count << " invoices to " << args.at(1) << " in " << timer.elapsed()
            << " ms\n";
    } catch (const DatabaseError &error) {
        QTextStream(stderr) << error.message() << '\n';
        return 1;
    }
    return 0;
}
