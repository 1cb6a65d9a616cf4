#pragma once

#include <QByteArray>
#include <QString>

class ReportTemplate;

// The template file format (docs/templates.md): XML, millimetres from the paper's top-left
// corner, pictures inside the file. Everything the program does not know is kept and saved
// back. Invoice and sales-list templates (.fr3) and payment reports (.prt) share it.
namespace TemplateFile {

// Reads into an empty template. Throws ReportError naming the file and the line when the
// text is not XML or breaks the format; fileName is only used in that message.
void read(const QByteArray &xml, const QString &fileName, ReportTemplate &into);
// A file that cannot be opened also throws.
void load(const QString &path, ReportTemplate &into);

QByteArray write(const ReportTemplate &report);
// Writes through a temporary file, so a failed save leaves the old template whole.
void save(const ReportTemplate &report, const QString &path);

} // namespace TemplateFile
