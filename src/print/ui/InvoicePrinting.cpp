#include "print/ui/InvoicePrinting.h"

#include "print/PrintError.h"
#include "print/report/Report.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

bool hasObject(const Report &report, const QString &name, ObjectKind kind)
{
    const ReportObject *object = report.findObject(name);
    return object && object->kind() == kind;
}

} // namespace

InvoiceCommand InvoiceCommand::overlayPrint()
{
    return {u"zzsfp.fr3"_s, true, false};
}

InvoiceCommand InvoiceCommand::overlayDesign()
{
    return {u"zzsfp.fr3"_s, true, true};
}

InvoiceCommand InvoiceCommand::a4Print()
{
    return {u"zzsfpa4.fr3"_s, true, false};
}

InvoiceCommand InvoiceCommand::a4Design()
{
    return {u"zzsfpa4.fr3"_s, false, true};
}

InvoicePrinting::InvoicePrinting(Report &report, PrintFieldSet &fields, InvoiceSources sources,
                                 QString programDir)
    : m_report(report), m_fields(fields), m_sources(std::move(sources)),
      m_programDir(std::move(programDir))
{}

void InvoicePrinting::run(const InvoiceCommand &command)
{
    fill(command.templateFile, command.applyBackground);
    if (command.design)
        m_report.design();
    else
        m_report.show();
}

void InvoicePrinting::fill(const QString &templateFile, bool applyBackground)
{
    FillPrintFields(m_fields, m_sources.lines);
    const QString path = QDir(m_programDir).filePath(templateFile);
    m_report.loadTemplate(path);
    if (!QFileInfo::exists(path))
        throw PrintError(u"找不到发票模板“%1”。"_s.arg(QDir::toNativeSeparators(path)));
    // Checked before anything is written, so that a template with a gap is never half
    // filled, and the user learns every missing name at once.
    const QStringList missing = missingObjects(applyBackground);
    if (!missing.isEmpty())
        throw PrintError(u"发票模板“%1”缺少以下对象：%2。请恢复这些对象后再打印。"_s.arg(
            QDir::toNativeSeparators(path), missing.join(u"、"_s)));
    WritePrintFields();
    if (applyBackground)
        ApplyBackground();
}

QStringList InvoicePrinting::missingObjects(bool applyBackground) const
{
    QStringList missing;
    for (const InvoicePrintField &field : InvoicePrintFields::all()) {
        if (!hasObject(m_report, field.object, ObjectKind::Text))
            missing << field.object;
    }
    const QString picture = InvoicePrintFields::backgroundObject();
    if (applyBackground && !hasObject(m_report, picture, ObjectKind::Picture))
        missing << u"%1（图片）"_s.arg(picture);
    return missing;
}

void InvoicePrinting::WritePrintFields()
{
    for (const InvoicePrintField &field : InvoicePrintFields::all())
        m_report.setText(m_report.findObject(field.object), valueOf(field));
}

void InvoicePrinting::ApplyBackground()
{
    ReportObject *picture = m_report.findObject(InvoicePrintFields::backgroundObject());
    const QString path = m_sources.backgroundPath();
    if (!path.isEmpty())
        m_report.loadPicture(picture, path);
    m_report.setVisible(picture, m_sources.printBackground());
}

QString InvoicePrinting::valueOf(const InvoicePrintField &field) const
{
    switch (field.source) {
    case InvoicePrintField::Source::Header:
        return m_sources.headerText(field);
    case InvoicePrintField::Source::TotalInFigures:
        return InvoicePrintFields::totalInFigures(m_sources.headerText(field));
    case InvoicePrintField::Source::Slot:
        return m_fields.slot(field.slot);
    }
    return QString();
}
