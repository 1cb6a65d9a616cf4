#include "print/ui/PictureFileDialog.h"

#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The dialog that picks the scan of the blank form shows the picture before it is taken.
class TestPictureFileDialog : public QObject
{
    Q_OBJECT

private slots:
    void listsThePicturesATemplateCanHold();
    void previewFollowsTheFile_data();
    void previewFollowsTheFile();
};

void TestPictureFileDialog::listsThePicturesATemplateCanHold()
{
    PictureFileDialog dialog;
    const QStringList filters = dialog.nameFilters();
    QCOMPARE(filters.size(), 1);
    for (const QString &type : {u"*.bmp"_s, u"*.ico"_s, u"*.jpg"_s, u"*.jpeg"_s, u"*.png"_s})
        QVERIFY2(filters.first().contains(type), qPrintable(type));
    // Pictures the templates cannot hold are not offered.
    QVERIFY(!filters.first().contains(u"wmf"_s));
    QVERIFY(!filters.first().contains(u"emf"_s));
}

void TestPictureFileDialog::previewFollowsTheFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("picture");
    QTest::newRow("a picture") << u"form.png"_s << true;
    QTest::newRow("not a picture") << u"broken.jpg"_s << false;
    QTest::newRow("no file") << u"missing.png"_s << false;
}

void TestPictureFileDialog::previewFollowsTheFile()
{
    QFETCH(QString, file);
    QFETCH(bool, picture);
    QTemporaryDir dir;
    QImage form(300, 175, QImage::Format_RGB32);
    form.fill(Qt::white);
    QVERIFY(form.save(dir.filePath(u"form.png"_s)));
    QFile broken(dir.filePath(u"broken.jpg"_s));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();

    // Opened on the current background, the dialog shows it at once.
    PictureFileDialog dialog(nullptr, dir.filePath(file));
    QCOMPARE(dialog.preview()->pixmap().isNull(), !picture);
    if (picture) {
        // Scaled into the box, keeping the form's proportions.
        const QSize shown = dialog.preview()->pixmap().size();
        QVERIFY(shown.width() <= dialog.preview()->width());
        QVERIFY(std::abs(double(shown.width()) / shown.height() - 300.0 / 175) < 0.02);
    } else {
        QVERIFY(!dialog.preview()->text().isEmpty());
    }
    // Moving the cursor to another file updates it.
    dialog.showPreview(picture ? dir.filePath(u"broken.jpg"_s) : dir.filePath(u"form.png"_s));
    QCOMPARE(dialog.preview()->pixmap().isNull(), picture);
}

QTEST_MAIN(TestPictureFileDialog)
#include "tst_picturefiledialog.moc"
