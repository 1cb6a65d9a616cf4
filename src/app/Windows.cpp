#include "app/Windows.h"

#include "app/TForm1.h"
#include "entry/ui/Tghdwform.h"
#include "entry/ui/Txhdwform.h"
#include "payments/ui/TForm2.h"
#include "print/ui/TsetfpForm.h"

Windows::Windows(Prompt &prompt, FileDialogs &fileDialogs, ErrorGuard &guard,
                 const QString &programDir)
    : m_form1(std::make_unique<TForm1>(prompt, fileDialogs, guard, programDir)),
      m_form2(new TForm2(*m_form1)),
      m_ghdwform(new Tghdwform(*m_form1)),
      m_xhdwform(new Txhdwform(*m_form1)),
      m_setfpForm(new TsetfpForm(m_form1.get()))
{
    m_form1->setPaymentsWindow(m_form2);
    m_form1->setDirectoryWindows(m_ghdwform, m_xhdwform);
}

Windows::~Windows() = default;
