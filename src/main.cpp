#include "app/Application.h"
#include "app/ErrorGuard.h"
#include "app/MessageBoxPrompt.h"
#include "app/QtFileDialogs.h"
#include "app/TForm1.h"
#include "app/Windows.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    Application::setApplicationName(TForm1::applicationTitle());
    MessageBoxPrompt prompt;
    QtFileDialogs fileDialogs;
    ErrorGuard guard(prompt);
    app.setErrorGuard(&guard);
    Windows windows(prompt, fileDialogs, guard, Application::applicationDirPath());
    prompt.setParent(&windows.form1());
    fileDialogs.setParent(&windows.form1());
    windows.form1().show();
    return app.exec();
}
