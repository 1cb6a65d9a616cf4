#include "FakePrompt.h"
#include "app/Application.h"
#include "app/ErrorGuard.h"
#include "db/DatabaseError.h"
#include "entry/Money.h"

#include <QPushButton>
#include <QTest>

namespace {

// An object whose event handler fails, as a control's handler might.
class FailingReceiver final : public QObject
{
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw DatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
        return QObject::event(event);
    }
};

} // namespace

class TestErrorGuard : public QObject
{
    Q_OBJECT

private slots:
    void boxTextEndsWithAFullStop_data();
    void boxTextEndsWithAFullStop();
    void guardedHandlerShowsTheErrorAndSkipsTheRest_data();
    void guardedHandlerShowsTheErrorAndSkipsTheRest();
    void guardedHandlerGetsTheSignalsArguments();
    void eventHandlerErrorsBecomeTheErrorBox();
};

void TestErrorGuard::boxTextEndsWithAFullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("bare") << QStringLiteral("Dataset not in edit or insert mode")
                          << QStringLiteral("Dataset not in edit or insert mode.");
    QTest::newRow("has one") << QStringLiteral("no such table: title.") << QStringLiteral("no such table: title.");
    QTest::newRow("chinese stop") << QStringLiteral("找不到数据库文件。") << QStringLiteral("找不到数据库文件。");
    QTest::newRow("trailing blanks") << QStringLiteral("disk full \n") << QStringLiteral("disk full.");
}

void TestErrorGuard::boxTextEndsWithAFullStop()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorGuard::boxText(message), shown);
}

void TestErrorGuard::guardedHandlerShowsTheErrorAndSkipsTheRest_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("shown"); // a part of the box text
    QTest::newRow("store") << 0 << QStringLiteral("Cannot perform this operation on an empty dataset");
    QTest::newRow("money") << 1 << QStringLiteral("超出货币范围");
    QTest::newRow("other") << 2 << QStringLiteral("bad thing");
}

void TestErrorGuard::guardedHandlerShowsTheErrorAndSkipsTheRest()
{
    QFETCH(int, kind);
    QFETCH(QString, shown);
    FakePrompt prompt;
    ErrorGuard guard(prompt);
    QPushButton button;
    bool restRan = false;
    QObject::connect(&button, &QPushButton::clicked, &button, guard.guarded([&] {
        if (kind == 0)
            throw DatabaseError(QStringLiteral("Cannot perform this operation on an empty dataset"));
        if (kind == 1)
            Money::fromDouble(1e20);
        if (kind == 2)
            throw std::runtime_error("bad thing");
        restRan = true;
    }));
    button.click();
    QVERIFY(!restRan);
    QCOMPARE(prompt.errors().size(), 1);
    QVERIFY2(prompt.errors().first().contains(shown), qPrintable(prompt.errors().first()));
    QVERIFY(prompt.errors().first().endsWith(u'.'));
    // The program goes on: the next click is handled and reported again.
    button.click();
    QCOMPARE(prompt.errors().size(), 2);
}

void TestErrorGuard::guardedHandlerGetsTheSignalsArguments()
{
    FakePrompt prompt;
    ErrorGuard guard(prompt);
    QPushButton button;
    button.setCheckable(true);
    QList<bool> seen;
    QObject::connect(&button, &QPushButton::toggled, &button,
                     guard.guarded([&](bool checked) { seen << checked; }));
    button.toggle();
    button.toggle();
    QCOMPARE(seen, (QList<bool>{true, false}));
}

void TestErrorGuard::eventHandlerErrorsBecomeTheErrorBox()
{
    FakePrompt prompt;
    ErrorGuard guard(prompt);
    auto *app = qobject_cast<Application *>(QCoreApplication::instance());
    QVERIFY(app);
    app->setErrorGuard(&guard);
    FailingReceiver receiver;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &event);
    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    app->setErrorGuard(nullptr);
    QCOMPARE(prompt.errors(), QStringList(2, QStringLiteral("Dataset not in edit or insert mode.")));
}

// The program's own application object, so that its last-resort handler is under test.
int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestErrorGuard test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errorguard.moc"
