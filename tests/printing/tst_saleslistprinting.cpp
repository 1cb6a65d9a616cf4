#include "PdfWords.h"
#include "PrintingProgram.h"
#include "print/report/ReportExport.h"
#include "widgets/DbEdit.h"

#include <QAction>
#include <QLocale>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// Every text of one object on a page, top to bottom.
QStringList textsOf(const LaidOutPage &page, const QString &object)
{
    QStringList found;
    for (const PlacedBand &band : page.bands)
        for (const TextItem &text : band.texts)
            if (text.objectName.compare(object, Qt::CaseInsensitive) == 0)
                found << text.text;
    return found;
}

QStringList allTexts(const LaidOutReport &report)
{
    QStringList found;
    for (const LaidOutPage &page : report.pages)
        for (const PlacedBand &band : page.bands)
            for (const TextItem &text : band.texts)
                found << text.text;
    return found;
}

struct StoredLine
{
    QString name;
    double quantity;
    qint64 amount; // ten-thousandths
    qint64 tax;
};

// Money as the list prints it: digit groups, two decimals (the fixture's values have no
// more than two).
QString grouped(qint64 tenThousandths)
{
    return QLocale(QLocale::English).toString(double(tenThousandths) / 10000, 'f', 2);
}

QStringList wordTexts(const std::vector<PdfWord> &words)
{
    QStringList texts;
    for (const PdfWord &word : words)
        texts << word.text;
    return texts;
}

} // namespace

class TestSalesListPrinting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sixtyLinesOnPagesWithSubtotals();
    void overlayListPrintsOnlyValues();
    void listShowsWhatIsStored();
    void invoiceWithoutLines();
    void invoiceNeverSavedHasNoList();
    void missingTemplateIsNamed();

private:
    std::vector<StoredLine> storedLines(int cid);
    std::unique_ptr<PrintingProgram> m_printing;
};

void TestSalesListPrinting::init()
{
    m_printing = std::make_unique<PrintingProgram>();
}

void TestSalesListPrinting::cleanup()
{
    m_printing.reset();
}

std::vector<StoredLine> TestSalesListPrinting::storedLines(int cid)
{
    QSqlQuery query(m_printing->program.database.connection().database());
    query.prepare(u"select 货物应税名称, 数量, 金额, 税额 from detail where cid = ? order by id"_s);
    query.addBindValue(cid);
    std::vector<StoredLine> lines;
    if (!query.exec())
        return lines;
    while (query.next())
        lines.push_back({query.value(0).toString(), query.value(1).toDouble(),
                         query.value(2).toLongLong(), query.value(3).toLongLong()});
    return lines;
}

// Read back from the PDF as paper would show it: each line once, in the order entered;
// under every page but the last the quantity so far and the page's amount and tax; the
// totals after the last line; page N of M in every page header.
void TestSalesListPrinting::sixtyLinesOnPagesWithSubtotals()
{
    const std::vector<StoredLine> lines = storedLines(5);
    QCOMPARE(lines.size(), size_t(60));
    QVERIFY(m_printing->showInvoice(5));
    const OpenedReport *opened = m_printing->run(m_printing->form().N10);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    QVERIFY(!opened->design);
    QCOMPARE(opened->templatePath, m_printing->templatePath(u"fpqd.fr3"_s));

    QTemporaryDir out;
    const QString pdf = out.filePath(u"list.pdf"_s);
    ReportExport::toPdf(opened->pages, pdf);
    const std::vector<PdfPage> pages = readPdfWords(pdf);
    QCOMPARE(pages.size(), opened->pages.pages.size());
    QVERIFY(pages.size() >= 2);

    size_t next = 0; // the next stored line expected
    double quantitySoFar = 0;
    for (size_t p = 0; p < pages.size(); ++p) {
        const PdfPage &page = pages[p];
        const bool last = p + 1 == pages.size();
        const auto found = [&](const QString &text) {
            return std::find_if(page.begin(), page.end(),
                                [&](const PdfWord &w) { return w.text == text; });
        };
        QVERIFY(found(u"清单买方有限公司"_s) != page.end());

        const auto pageOf = found(u"共"_s);
        QVERIFY(pageOf != page.end());
        const QStringList counter =
            wordTexts(wordsBetween(page, pageOf->box.top(), pageOf->box.bottom()));
        QVERIFY2(counter.join(u' ').endsWith(u"共 %1 页 第 %2 页"_s.arg(pages.size()).arg(p + 1)),
                 qPrintable(counter.join(u' ')));

        // The lines of this page, top to bottom.
        std::vector<PdfWord> names;
        for (const PdfWord &word : page)
            if (word.text.startsWith(u"货物"_s) && word.text.size() == 4)
                names.push_back(word);
        std::sort(names.begin(), names.end(),
                  [](const PdfWord &a, const PdfWord &b) { return a.box.top() < b.box.top(); });
        QVERIFY(!names.empty());
        qint64 pageAmount = 0;
        qint64 pageTax = 0;
        for (const PdfWord &name : names) {
            QVERIFY(next < lines.size());
            QCOMPARE(name.text, lines[next].name);
            const QStringList row =
                wordTexts(wordsBetween(page, name.box.top(), name.box.bottom()));
            QCOMPARE(row.first(), QString::number(next + 1));
            QVERIFY2(row.contains(grouped(lines[next].amount)), qPrintable(row.join(u' ')));
            quantitySoFar += lines[next].quantity;
            pageAmount += lines[next].amount;
            pageTax += lines[next].tax;
            ++next;
        }

        const auto subtotal = found(u"小计"_s);
        QCOMPARE(subtotal != page.end(), !last);
        if (!last) {
            const QStringList row =
                wordTexts(wordsBetween(page, subtotal->box.top(), subtotal->box.bottom()));
            QCOMPARE(row, QStringList({u"小计"_s, QString::number(quantitySoFar),
                                       grouped(pageAmount), grouped(pageTax)}));
        }
        const auto total = found(u"合计"_s);
        QCOMPARE(total != page.end(), last);
    }
    QCOMPARE(next, lines.size());

    qint64 amount = 0;
    qint64 tax = 0;
    for (const StoredLine &line : lines) {
        amount += line.amount;
        tax += line.tax;
    }
    const PdfPage &lastPage = pages.back();
    const auto total = std::find_if(lastPage.begin(), lastPage.end(),
                                    [](const PdfWord &w) { return w.text == u"合计"_s; });
    const QStringList row =
        wordTexts(wordsBetween(lastPage, total->box.top(), total->box.bottom()));
    QCOMPARE(row, QStringList(
                      {u"合计"_s, QString::number(quantitySoFar), grouped(amount), grouped(tax)}));
    // The list's total is the invoice's amount total.
    QCOMPARE(grouped(amount),
             grouped(m_printing->program.scalar(u"select sum(金额) from detail where cid = 5"_s)
                         .toLongLong()));
}

// For the pre-printed list form only values print: no captions, heads or rules.
void TestSalesListPrinting::overlayListPrintsOnlyValues()
{
    QVERIFY(m_printing->showInvoice(5));
    const OpenedReport *opened = m_printing->run(m_printing->form().N11);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    QCOMPARE(opened->templatePath, m_printing->templatePath(u"zyfpqd.fr3"_s));
    const QStringList texts = allTexts(opened->pages);
    for (const QString &caption : {u"小计"_s, u"合计"_s, u"序号"_s, u"购买方名称："_s})
        QVERIFY2(!texts.contains(caption), qPrintable(caption));
    QStringList names;
    for (const LaidOutPage &page : opened->pages.pages) {
        names << textsOf(page, u"row_mc"_s);
        for (const PlacedBand &band : page.bands) {
            QVERIFY(band.boxes.empty());
            QVERIFY(band.lines.empty());
            for (const TextItem &text : band.texts)
                QCOMPARE(text.frameSides, unsigned(NoSides));
        }
    }
    QStringList stored;
    for (const StoredLine &line : storedLines(5))
        stored << line.name;
    QCOMPARE(names, stored);
    QVERIFY(texts.contains(u"清单买方有限公司"_s));
    QVERIFY(texts.contains(u"2024年05月05日"_s));
}

void TestSalesListPrinting::listShowsWhatIsStored()
{
    TForm1 &form = m_printing->form();
    QVERIFY(m_printing->showInvoice(2));
    QVERIFY(showActive(form));
    form.ghmc->setFocus();
    form.ghmc->selectAll();
    typeText(form.ghmc, u"未保存的名字"_s);
    const OpenedReport *first = m_printing->run(form.N10);
    QVERIFY2(first, qPrintable(m_printing->shown()));
    QCOMPARE(textsOf(first->pages.pages.front(), u"gmc"_s), QStringList{u"远山贸易有限公司"_s});
    QCOMPARE(textsOf(first->pages.pages.front(), u"row_mc"_s),
             QStringList({u"钢管"_s, u"阀门"_s, u"法兰"_s}));

    // The next list is the next invoice's, not the last one's again.
    QVERIFY(m_printing->showInvoice(4));
    const OpenedReport *second = m_printing->run(form.N10);
    QVERIFY2(second, qPrintable(m_printing->shown()));
    QCOMPARE(textsOf(second->pages.pages.front(), u"gmc"_s), QStringList{u"十行买方"_s});
    QCOMPARE(textsOf(second->pages.pages.front(), u"row_mc"_s).size(), 10);
}

void TestSalesListPrinting::invoiceWithoutLines()
{
    QVERIFY(m_printing->showInvoice(1));
    const OpenedReport *opened = m_printing->run(m_printing->form().N10);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    QCOMPARE(opened->pages.pages.size(), size_t(1));
    const LaidOutPage &page = opened->pages.pages.front();
    QCOMPARE(textsOf(page, u"gmc"_s), QStringList{u"空发票买方"_s});
    QVERIFY(textsOf(page, u"row_mc"_s).isEmpty());
    QCOMPARE(textsOf(page, u"sum_je"_s), QStringList{u"0.00"_s});
}

void TestSalesListPrinting::invoiceNeverSavedHasNoList()
{
    TForm1 &form = m_printing->form();
    QTest::mouseClick(form.addbtn, Qt::LeftButton);
    QCOMPARE(form.cid->text(), QString());
    for (QAction *command : {form.N10, form.N11}) {
        QVERIFY(!m_printing->run(command));
        const QStringList errors = m_printing->program.prompt.errors();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(u"保存"_s), qPrintable(errors.first()));
    }
}

void TestSalesListPrinting::missingTemplateIsNamed()
{
    QVERIFY(QFile::remove(m_printing->templatePath(u"fpqd.fr3"_s)));
    QVERIFY(m_printing->showInvoice(5));
    QVERIFY(!m_printing->run(m_printing->form().N10));
    const QStringList errors = m_printing->program.prompt.errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(m_printing->templatePath(u"fpqd.fr3"_s)),
             qPrintable(errors.first()));
}

QTEST_MAIN(TestSalesListPrinting)
#include "tst_saleslistprinting.moc"
