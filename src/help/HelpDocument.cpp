#include "help/HelpDocument.h"

#include <QDir>

namespace HelpDocument {

QString fileName()
{
    return QStringLiteral("help.html");
}

QString path(const QString &programDir)
{
    return QDir(programDir).absoluteFilePath(fileName());
}

} // namespace HelpDocument
