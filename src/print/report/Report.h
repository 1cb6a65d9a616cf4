#pragma once

#include "ReportLayout.h"
#include "ReportObject.h"
#include "ReportTemplate.h"

#include <QString>
#include <memory>

class ReportViewer;
class ReportRows;

// The report as the program's commands use it: load a template, fill its named objects,
// offer datasets and variables, then show it (preview, print, export) or design it.
//
// Loading a template replaces everything the previous template defined. The datasets and
// variables the program offers are the program's, not the template's, and stay offered
// across loads.
class Report final
{
public:
    explicit Report(ReportViewer &viewer);
    ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    // Discards the current definition and its prepared pages first. A missing file leaves
    // an empty report (no objects, no pages) and raises nothing; a file that cannot be read
    // or is not a template throws ReportError naming the file (and the line).
    void loadTemplate(const QString &path);
    // The path given to the last loadTemplate, whether the file existed or not; the
    // designer saves there.
    QString templatePath() const { return m_path; }
    ReportTemplate &definition() { return *m_template; }
    const ReportTemplate &definition() const { return *m_template; }
    // Writes the definition to the path (templatePath() if empty) and makes that the
    // template's path. Throws ReportError.
    void saveTemplate(const QString &path = {});

    // Letter case ignored; nullptr if absent.
    ReportObject *findObject(const QString &name) const;

    // Replaces the text object's lines; the text is split at CR LF, CR, LF and U+2028 and
    // shows literally (brackets in the value are not expressions). Throws ReportError for
    // a null object or one that is not a text.
    void setText(ReportObject *object, const QString &text);
    // The same, finding the object by name; throws ReportError naming the template and the
    // object when there is no such text object.
    void setText(const QString &objectName, const QString &text);

    // Reads a bmp, ico, jpg, jpeg or png file into the picture object, replacing what it
    // held. Other extensions (wmf and emf among them) and unreadable files throw
    // ReportError naming the file. Throws for a null object or one that is not a picture.
    void loadPicture(ReportObject *object, const QString &path);

    // Throws ReportError for a null object.
    void setVisible(ReportObject *object, bool visible);

    // Offers rows to templates under a name (letter case ignored); null removes it.
    void setDataset(const QString &name, std::shared_ptr<const ReportRows> rows);
    const ReportRows *dataset(const QString &name) const;
    void setVariable(const QString &name, const QString &value);
    QString variable(const QString &name) const; // empty if unset
    bool hasVariable(const QString &name) const;

    // Lays the template out with the current data. Throws ReportError.
    LaidOutReport prepare() const;
    // The pages of the last show(), or of prepare() called through preparePages().
    const LaidOutReport &pages() const { return m_pages; }
    void preparePages();

    // Drops the pages prepared before, prepares them again (errors are thrown before any
    // window opens) and opens the preview.
    void show();
    // Opens the designer on the loaded definition.
    void design();

private:
    ReportViewer &m_viewer;
    std::unique_ptr<ReportTemplate> m_template;
    QString m_path;
    ReportInputs m_inputs;
    LaidOutReport m_pages;
};

// The lines of a text, split at CR LF, CR, LF and U+2028 (line separator).
QStringList splitLines(const QString &text);
