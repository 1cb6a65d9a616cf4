#include "app/Application.h"
#include "app/CommandLineExport.h"
#include "app/ErrorGuard.h"
#include "app/MessageBoxPrompt.h"
#include "app/QtFileDialogs.h"
#include "app/TForm1.h"
#include "app/Windows.h"
#include "help/ui/HelpOpener.h"
#include "payments/ui/TForm2.h"
#include "print/ui/ProgramReportViewer.h"

int main(int argc, char *argv[])
{
    if (CommandLineExport::isRequested(argc, argv))
        return CommandLineExport::main(argc, argv);
    Application app(argc, argv);
    Application::setApplicationName(TForm1::applicationTitle());
    MessageBoxPrompt prompt;
    QtFileDialogs fileDialogs;
    ErrorGuard guard(prompt);
    app.setErrorGuard(&guard);
    const HelpOpener help(Application::applicationDirPath());
    Windows windows(prompt, fileDialogs, guard, Application::applicationDirPath());
    windows.form1().setHelpOpener(&help);
    ProgramReportViewer viewer(prompt, fileDialogs, Application::applicationDirPath(),
                               &windows.form1());
    windows.form2().setReportViewer(&viewer);
    windows.form1().setReportViewer(viewer);
    prompt.setParent(&windows.form1());
    fileDialogs.setParent(&windows.form1());
    windows.form1().show();
    return app.exec();
}
