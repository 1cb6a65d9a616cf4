#include "help/ui/HelpOpener.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_HelpOpener : public QObject
{
    Q_OBJECT
private slots:
    void opensTheDocumentBesideTheProgramFromAnotherDirectory();
    void missingDocumentOpensNothing();
    void eachPressOpensAgain();
};

void tst_HelpOpener::opensTheDocumentBesideTheProgramFromAnotherDirectory()
{
    QTemporaryDir programDir;
    QTemporaryDir elsewhere;
    QFile document(programDir.filePath(QStringLiteral("help.html")));
    QVERIFY(document.open(QIODevice::WriteOnly));
    document.close();
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));

    QList<QUrl> opened;
    HelpOpener opener(programDir.path(), [&opened](const QUrl &url) {
        opened << url;
        return true;
    });
    const bool ok = opener.open();
    QDir::setCurrent(previous);

    QVERIFY(ok);
    QCOMPARE(opened,
             QList<QUrl>{QUrl::fromLocalFile(programDir.filePath(QStringLiteral("help.html")))});
}

void tst_HelpOpener::missingDocumentOpensNothing()
{
    QTemporaryDir programDir;
    int calls = 0;
    HelpOpener opener(programDir.path(), [&calls](const QUrl &) { return ++calls, true; });
    QVERIFY(!opener.open());
    QCOMPARE(calls, 0);
}

void tst_HelpOpener::eachPressOpensAgain()
{
    QTemporaryDir programDir;
    QFile document(programDir.filePath(QStringLiteral("help.html")));
    QVERIFY(document.open(QIODevice::WriteOnly));
    document.close();
    int calls = 0;
    HelpOpener opener(programDir.path(), [&calls](const QUrl &) { return ++calls, true; });
    QVERIFY(opener.open());
    QVERIFY(opener.open());
    QCOMPARE(calls, 2);
}

QTEST_MAIN(tst_HelpOpener)
#include "tst_helpopener.moc"
