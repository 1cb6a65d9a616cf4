#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// `kelvane export`: a stored invoice or its sales list, through a template, into a PDF,
// JPEG, PNG or spreadsheet file, by the same steps as the print commands but without a
// window, for batch work and archiving:
//
//   kelvane export --invoice CID --template zzsfpa4.fr3 --to out.pdf [--dir DIR]
//
// The header values are the stored ones. Invoice templates (no data band) get the print
// field set, the header fields and the background; sales-list templates (a data band) get
// hdbst and ddbst. Every failure is a message on the error stream and a non-zero exit.
namespace CommandLineExport {

enum ExitCode
{
    Success = 0,
    Failed = 1,     // no such invoice, template or object; a file that cannot be written
    UsageError = 2, // the command line itself is wrong
};

// Whether the program was started for an export rather than for its windows.
bool isRequested(int argc, char *argv[]);
// Runs the export on a window-less application; returns the exit code.
int main(int argc, char *argv[]);

// arguments: what follows "export". defaultDir: where trfp.db and the templates lie
// unless --dir says otherwise.
int run(const QStringList &arguments, const QString &defaultDir, QTextStream &out,
        QTextStream &err);

} // namespace CommandLineExport
