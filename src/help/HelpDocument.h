#pragma once

#include <QString>

// The help document lies beside the program, like the database and the templates,
// so it is found whatever the current directory is when the program starts.
namespace HelpDocument {

QString fileName();

QString path(const QString &programDir);

} // namespace HelpDocument
