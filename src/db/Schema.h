#pragma once

#include <QString>
#include <QStringList>

// The one schema of the store, shared by the build (the empty trfp.db beside the
// program) and the tests. The program itself never creates or alters a table.
namespace Schema {

QString text();
QStringList statements();

// Writes a new database file with every table. Refuses to touch an existing file.
void createDatabaseFile(const QString &path);

} // namespace Schema
