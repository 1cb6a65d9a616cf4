#pragma once

#include <QString>

#include <memory>

class ErrorGuard;
class FileDialogs;
class Prompt;
class TForm1;
class TForm2;
class Tghdwform;
class TsetfpForm;
class Txhdwform;

// The program's windows, created once at start-up in a fixed order and kept for the whole
// run; the main window owns the others.
class Windows final
{
public:
    Windows(Prompt &prompt, FileDialogs &fileDialogs, ErrorGuard &guard, const QString &programDir);
    ~Windows();

    TForm1 &form1() const { return *m_form1; }
    TForm2 &form2() const { return *m_form2; }
    Tghdwform &ghdwform() const { return *m_ghdwform; }
    Txhdwform &xhdwform() const { return *m_xhdwform; }
    TsetfpForm &setfpForm() const { return *m_setfpForm; }

private:
    std::unique_ptr<TForm1> m_form1;
    TForm2 *m_form2;
    Tghdwform *m_ghdwform;
    Txhdwform *m_xhdwform;
    TsetfpForm *m_setfpForm;
};
