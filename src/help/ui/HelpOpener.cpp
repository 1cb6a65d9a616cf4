#include "help/ui/HelpOpener.h"

#include "help/HelpDocument.h"

#include <QDesktopServices>
#include <QFileInfo>

HelpOpener::HelpOpener(QString programDir, UrlOpener opener)
    : m_programDir(std::move(programDir)), m_opener(std::move(opener))
{}

QString HelpOpener::documentPath() const
{
    return HelpDocument::path(m_programDir);
}

bool HelpOpener::open() const
{
    const QString path = documentPath();
    if (!QFileInfo(path).isFile())
        return false;
    return m_opener(QUrl::fromLocalFile(path));
}

HelpOpener::UrlOpener HelpOpener::systemOpener()
{
    return [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}
