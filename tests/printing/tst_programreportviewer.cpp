#include "FakePrompt.h"
#include "print/report/Report.h"
#include "print/ui/ProgramReportViewer.h"
#include "print/ui/ReportDesigner.h"
#include "print/ui/ReportPreview.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Looks at the modal window a call opens, then closes it so the call returns.
void whenOpened(const std::function<void(QWidget *)> &look)
{
    QTimer::singleShot(0, [look] {
        QWidget *window = QApplication::activeModalWidget();
        look(window);
        if (window)
            window->close();
    });
}

} // namespace

// The windows the program's reports open: what Report::show() and Report::design() bring up.
class TestProgramReportViewer : public QObject
{
    Q_OBJECT

private slots:
    void showOpensThePreviewOnThePages();
    void designOpensTheDesignerOnTheTemplate();

private:
    QTemporaryDir m_dir;
    FakePrompt m_prompt;
    FakeFileDialogs m_files;
};

void TestProgramReportViewer::showOpensThePreviewOnThePages()
{
    ProgramReportViewer viewer(m_prompt, m_files, m_dir.path(), nullptr);
    Report report(viewer);
    report.loadTemplate(QStringLiteral(KELVANE_TEMPLATES "/zzsfpa4.fr3"));
    int pages = -1;
    whenOpened([&pages](QWidget *window) {
        if (auto *preview = qobject_cast<ReportPreview *>(window))
            pages = preview->pageCount();
    });
    report.show();
    QCOMPARE(pages, 1);
}

void TestProgramReportViewer::designOpensTheDesignerOnTheTemplate()
{
    ProgramReportViewer viewer(m_prompt, m_files, m_dir.path(), nullptr);
    Report report(viewer);
    const QString path = QStringLiteral(KELVANE_TEMPLATES "/zzsfp.fr3");
    report.loadTemplate(path);
    QString designing;
    whenOpened([&designing](QWidget *window) {
        if (auto *designer = qobject_cast<ReportDesigner *>(window))
            designing = designer->filePath();
    });
    report.design();
    QCOMPARE(designing, path);
    QVERIFY(m_prompt.shown().isEmpty());
}

QTEST_MAIN(TestProgramReportViewer)
#include "tst_programreportviewer.moc"
