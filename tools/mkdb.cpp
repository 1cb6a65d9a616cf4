// Build step: puts a complete, empty database at the given path unless one is there.
#include "db/DatabaseError.h"
#include "db/Schema.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: kelvane_mkdb <path/to/trfp.db>\n";
        return 2;
    }
    const QString path = args.at(1);
    if (QFileInfo::exists(path))
        return 0;
    try {
        Schema::createDatabaseFile(path);
    } catch (const DatabaseError &error) {
        err << error.message() << '\n';
        return 1;
    }
    QTextStream(stdout) << "created " << path << '\n';
    return 0;
}
