#pragma once

#include "../app/RunningProgram.h"
#include "db/Dataset.h"
#include "print/report/Report.h"
#include "print/report/ReportLayout.h"
#include "print/report/ReportViewer.h"
#include "print/report/TemplateFile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHash>

// What a print command put in front of the user: the preview or the designer, with the
// report as it stood at that moment.
struct OpenedReport
{
    bool design = false;
    QString templatePath;
    LaidOutReport pages;            // as laid out when it opened
    QHash<QString, QString> texts;  // every text as it prints, by lower-case object name
    bool backgroundVisible = false; // ptc
    QByteArray backgroundPicture;   // ptc's picture bytes

    QString text(const QString &object) const { return texts.value(object.toLower()); }
};

// Stands in for the preview and the designer and remembers each opening.
class RecordingViewer final : public ReportViewer
{
public:
    void show(Report &report) override { record(report, false); }
    void design(Report &report) override { record(report, true); }

    QList<OpenedReport> opened;

private:
    void record(Report &report, bool design)
    {
        OpenedReport seen;
        seen.design = design;
        seen.templatePath = report.templatePath();
        seen.pages = design ? report.prepare() : report.pages();
        for (const LaidOutPage &page : seen.pages.pages)
            for (const PlacedBand &band : page.bands)
                for (const TextItem &text : band.texts)
                    seen.texts.insert(text.objectName.toLower(), text.text);
        if (const ReportObject *ptc = report.findObject(QStringLiteral("ptc"));
            ptc && ptc->kind() == ObjectKind::Picture) {
            seen.backgroundVisible = ptc->isVisible();
            seen.backgroundPicture = static_cast<const PictureObject *>(ptc)->data();
        }
        opened.append(seen);
    }
};

// The program on the print fixture, with the shipped templates beside it and the report
// windows replaced by a recorder.
struct PrintingProgram
{
    static QStringList templateNames()
    {
        return {QStringLiteral("zzsfp.fr3"), QStringLiteral("zzsfpa4.fr3"),
                QStringLiteral("fpqd.fr3"), QStringLiteral("zyfpqd.fr3")};
    }

    PrintingProgram() : program({QStringLiteral("print_invoices.sql")})
    {
        for (const QString &name : templateNames())
            QFile::copy(QStringLiteral(KELVANE_TEMPLATES "/") + name, templatePath(name));
        program.start();
        form().setReportViewer(viewer);
    }

    TForm1 &form() const { return program.form(); }
    QString templatePath(const QString &name) const
    {
        return QDir(program.database.programDir()).filePath(name);
    }

    // Runs a menu command; the report it opened, or null when it opened none.
    const OpenedReport *run(QAction *command)
    {
        const qsizetype before = viewer.opened.size();
        program.prompt.clear();
        command->trigger();
        return viewer.opened.size() == before + 1 ? &viewer.opened.last() : nullptr;
    }
    // What the last command told the user, for failure messages.
    QString shown() const { return program.prompt.texts().join(QStringLiteral(" | ")); }

    // Makes the stored invoice current, as a click on the browse page does.
    bool showInvoice(int cid) { return form().titleqry->locate(QStringLiteral("cid"), cid); }

    // Changes a template beside the program, as the designer's Save would.
    template <typename Edit> void editTemplate(const QString &name, Edit edit)
    {
        ReportTemplate definition;
        TemplateFile::load(templatePath(name), definition);
        edit(definition);
        TemplateFile::save(definition, templatePath(name));
    }

    RunningProgram program;
    RecordingViewer viewer;
};
