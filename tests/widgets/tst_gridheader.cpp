#include "widgets/GridHeader.h"

#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

// A title that carries a sort mark must still show its text: the mark is drawn over the
// header's normal painting, not instead of it.
class tst_GridHeader : public QObject
{
    Q_OBJECT
private slots:
    void markedTitleStillShowsItsText_data();
    void markedTitleStillShowsItsText();
    void markCycle();
};

namespace {

QImage headerImage(const QString &title, int clicks)
{
    QStandardItemModel model(1, 2);
    model.setHorizontalHeaderLabels({title, QStringLiteral("x")});
    QTableView view;
    auto *header = new GridHeader(&view);
    view.setHorizontalHeader(header);
    view.setModel(&model);
    view.setColumnWidth(0, 160);
    view.resize(400, 120);
    header->setFixedHeight(28);
    for (int i = 0; i < clicks; ++i)
        header->advanceMark(0, false);
    view.show();
    const QRect section(header->sectionViewportPosition(0), 0, header->sectionSize(0),
                        header->height());
    return header->viewport()->grab(section).toImage();
}

} // namespace

void tst_GridHeader::markedTitleStillShowsItsText_data()
{
    QTest::addColumn<int>("clicks");
    QTest::newRow("no mark") << 0;
    QTest::newRow("down") << 1;
    QTest::newRow("up") << 2;
}

void tst_GridHeader::markedTitleStillShowsItsText()
{
    QFETCH(int, clicks);
    const QImage withTitle = headerImage(QStringLiteral("小写金额"), clicks);
    const QImage withoutTitle = headerImage(QString(), clicks);
    QCOMPARE(withTitle.size(), withoutTitle.size());
    QVERIFY2(withTitle != withoutTitle, "the title's text was not painted");
}

void tst_GridHeader::markCycle()
{
    GridHeader header;
    QCOMPARE(header.mark(3), SortMark::None);
    header.advanceMark(3, false);
    QCOMPARE(header.mark(3), SortMark::Down);
    header.advanceMark(3, false);
    QCOMPARE(header.mark(3), SortMark::Up);
    header.advanceMark(3, false);
    QCOMPARE(header.mark(3), SortMark::Down);
    header.advanceMark(5, false);
    QCOMPARE(header.mark(3), SortMark::None);
    header.advanceMark(3, true);
    header.advanceMark(3, true);
    QCOMPARE(header.mark(5), SortMark::Down);
    QCOMPARE(header.mark(3), SortMark::Up);
    header.advanceMark(3, true);
    QCOMPARE(header.mark(3), SortMark::None);
}

QTEST_MAIN(tst_GridHeader)
#include "tst_gridheader.moc"
