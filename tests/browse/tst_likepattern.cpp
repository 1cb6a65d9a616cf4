#include "browse/LikePattern.h"

#include <QRandomGenerator>
#include <QTest>
#include <sqlite3.h>

// Our matcher must say exactly what the store's LIKE says, or a search would list other
// invoices than the statement it stands for. Every case asks both.
class TestLikePattern : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sameAnswerAsTheStore_data();
    void sameAnswerAsTheStore();
    void sameAnswerOnRandomPatternsAndTexts();
    void containsPatternsAreRecognised_data();
    void containsPatternsAreRecognised();

private:
    bool storeSays(const QByteArray &text, const QByteArray &pattern);
    static bool weSay(const QByteArray &text, const QByteArray &pattern)
    {
        return LikePattern(std::string_view(pattern.constData(), pattern.size()))
            .matches(LikePattern::prepare(std::string_view(text.constData(), text.size())));
    }

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_like = nullptr;
};

void TestLikePattern::init()
{
    QCOMPARE(sqlite3_open(":memory:", &m_db), SQLITE_OK);
    QCOMPARE(sqlite3_prepare_v2(m_db, "select ?1 like ?2", -1, &m_like, nullptr), SQLITE_OK);
}

void TestLikePattern::cleanup()
{
    sqlite3_finalize(m_like);
    sqlite3_close(m_db);
}

bool TestLikePattern::storeSays(const QByteArray &text, const QByteArray &pattern)
{
    // Bound as text without conversion, so malformed bytes reach the store as they are.
    sqlite3_reset(m_like);
    sqlite3_bind_text(m_like, 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(m_like, 2, pattern.constData(), int(pattern.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(m_like) != SQLITE_ROW)
        qFatal("the store refused: %s", sqlite3_errmsg(m_db));
    return sqlite3_column_int(m_like, 0) != 0;
}

void TestLikePattern::sameAnswerAsTheStore_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("pattern");
    const QList<std::tuple<const char *, QByteArray, QByteArray>> cases{
        {"contains digits", "3100012", "%12%"},
        {"contains, missing", "3100021", "%12%"},
        {"empty text, %%", "", "%%"},
        {"empty pattern, empty text", "", ""},
        {"empty pattern, text", "a", ""},
        {"no wildcard is equality", "abc", "abc"},
        {"no wildcard, longer text", "abcd", "abc"},
        {"Latin capitals fold", "ABC公司", "%abc%"},
        {"small letters fold", "abc", "%ABC%"},
        {"accented letters do not fold", "\xc3\x89", "\xc3\xa9"},             // É, é
        {"full-width letters do not fold", "\xef\xbc\xa1", "%\xef\xbd\x81%"}, // Ａ, ａ
        {"underscore is one Chinese character", "北京", "北_"},
        {"underscore is not one byte", "北京", "北___"},
        {"underscore is one character beyond the BMP",
         "a\xf0\x9f\x98\x80"
         "b",
         "a_b"},
        {"underscore needs a character", "北", "北_"},
        {"percent then underscores", "ab", "%___"},
        {"percent then underscores, enough", "abc", "%___"},
        {"underscore then percent", "", "_%"},
        {"leading and trailing anchors", "abcxyz", "abc%xyz"},
        {"anchors overlap", "abcd", "abc%bcd"},
        {"middle parts in order", "a1b2c3", "%1%2%3%"},
        {"middle parts out of order", "a1b2c3", "%2%1%"},
        {"greedy is not needed", "aab", "%ab"},
        {"backtracking over a repeat", "aaab", "%aab%"},
        {"underscore inside a part", "x1y2z", "%1_2%"},
        {"second start of a part", "abxabc", "%a_c%"},
        {"underscore inside a part, no", "x12z", "%1_2%"},
        {"quote is text", "O'Brien", "%'B%"},
        {"backslash is text", "a\\b", "%\\b%"},
        {"backslash does not escape", "a%b", "%\\%%"},
        {"percent in the text", "100%", "%0%%"},
        {"text cut at NUL", QByteArray("ab\0cd", 5), "%cd%"},
        {"text cut at NUL, before", QByteArray("ab\0cd", 5), "ab"},
        {"pattern cut at NUL", "abz", QByteArray("ab\0cd", 5)},
        {"lone continuation byte",
         "a\x80"
         "b",
         "a_b"},
        {"lone continuation equals U+0080", "\x80", "\xc2\x80"},
        {"lead without continuation",
         "\xc3"
         "a",
         "__"},
        {"lead swallows continuations", "\xe4\xb8\xad\x80\x80", "_"},
        {"overlong ASCII is the replacement", "\xc1\xa1", "\xef\xbf\xbd"},
        {"overlong ASCII is not the letter", "\xc1\xa1", "a"},
        {"encoded surrogate is the replacement", "\xed\xa0\x80", "\xef\xbf\xbd"},
        {"non-character is the replacement", "\xef\xbf\xbf", "\xef\xbf\xbd"},
        {"replacement after percent", "x\xed\xa0\x80", "%\xef\xbf\xbd"},
        {"high bytes", "\xfe\x80", "_"},
        {"pattern of only underscores", "abc", "___"},
        {"many percents", "abc", "%%%a%%%c%%%"},
    };
    for (const auto &[name, text, pattern] : cases)
        QTest::newRow(name) << text << pattern;
}

void TestLikePattern::sameAnswerAsTheStore()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, pattern);
    QCOMPARE(weSay(text, pattern), storeSays(text, pattern));
}

// Short texts and patterns over an alphabet chosen to collide: letters in both cases,
// wildcards, multi-byte characters and malformed bytes.
void TestLikePattern::sameAnswerOnRandomPatternsAndTexts()
{
    const QList<QByteArray> alphabet{"a",
                                     "A",
                                     "b",
                                     "1",
                                     "%",
                                     "_",
                                     "\xe4\xb8\xad",
                                     "\xc3\xa9",
                                     "\xf0\x9f\x98\x80",
                                     "\x80",
                                     "\xc3",
                                     "\xed\xa0\x80",
                                     "\xef\xbf\xbd",
                                     "\\",
                                     "'",
                                     QByteArray("\0", 1)};
    QRandomGenerator random(7);
    const auto make = [&](int maxLength, bool wildcards) {
        QByteArray bytes;
        const int length = int(random.bounded(maxLength + 1));
        for (int i = 0; i < length; ++i) {
            QByteArray piece = alphabet.at(int(random.bounded(int(alphabet.size()))));
            if (!wildcards && (piece == "%" || piece == "_"))
                piece = "b";
            bytes += piece;
        }
        return bytes;
    };
    int matched = 0;
    for (int i = 0; i < 20000; ++i) {
        const QByteArray text = make(8, random.bounded(4) == 0);
        // Most patterns are open at an end, as the search's own are.
        const QByteArray pattern =
            (random.bounded(3) ? "%" : "") + make(4, true) + (random.bounded(3) ? "%" : "");
        const bool store = storeSays(text, pattern);
        if (weSay(text, pattern) != store)
            QFAIL(qPrintable(QStringLiteral("text %1 pattern %2: the store says %3")
                                 .arg(QString::fromLatin1(text.toHex(' ')),
                                      QString::fromLatin1(pattern.toHex(' ')))
                                 .arg(store)));
        matched += store ? 1 : 0;
    }
    // Both answers must be well represented, or the comparison proves little.
    QVERIFY2(matched > 4000 && matched < 16000, qPrintable(QString::number(matched)));
}

void TestLikePattern::containsPatternsAreRecognised_data()
{
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<bool>("contains");
    QTest::addColumn<QByteArray>("containedText");
    QTest::addColumn<bool>("everyText");
    QTest::newRow("typed text") << QByteArray("%Ab中%") << true << QByteArray("ab中") << false;
    QTest::newRow("empty box") << QByteArray("%%") << false << QByteArray() << true;
    QTest::newRow("one percent") << QByteArray("%") << false << QByteArray() << true;
    QTest::newRow("percent typed") << QByteArray("%%%") << false << QByteArray() << true;
    QTest::newRow("underscore typed") << QByteArray("%a_%") << false << QByteArray() << false;
    QTest::newRow("percent typed inside") << QByteArray("%a%b%") << false << QByteArray() << false;
    QTest::newRow("anchored") << QByteArray("a%") << false << QByteArray() << false;
}

void TestLikePattern::containsPatternsAreRecognised()
{
    QFETCH(QByteArray, pattern);
    QFETCH(bool, contains);
    QFETCH(QByteArray, containedText);
    QFETCH(bool, everyText);
    const LikePattern like(std::string_view(pattern.constData(), pattern.size()));
    QCOMPARE(like.isContains(), contains);
    QCOMPARE(QByteArray::fromStdString(like.containedText()), containedText);
    QCOMPARE(like.matchesEveryText(), everyText);
}

QTEST_GUILESS_MAIN(TestLikePattern)
#include "tst_likepattern.moc"
