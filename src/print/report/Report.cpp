#include "Report.h"

#include "ReportError.h"
#include "ReportRows.h"
#include "ReportViewer.h"
#include "TemplateFile.h"
#include "TextExpression.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

const QStringList pictureExtensions = {QStringLiteral("bmp"), QStringLiteral("ico"),
                                       QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                       QStringLiteral("png")};

// The file's bytes and the format they were read as; throws when they are no picture.
std::pair<QByteArray, QString> readPicture(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    const QString failed = QStringLiteral("无法载入图片“%1”：").arg(shown(path));
    if (extension == u"wmf" || extension == u"emf")
        throw ReportError(failed + QStringLiteral("不支持 WMF/EMF 图元文件，请先转换为 PNG、JPG "
                                                  "或 BMP 图片"));
    if (!pictureExtensions.contains(extension))
        throw ReportError(
            failed + QStringLiteral("不支持扩展名为“%1”的文件（可用 bmp、ico、"
                                    "jpg、jpeg、png）")
                         .arg(extension.isEmpty() ? QStringLiteral("（无）") : u'.' + extension));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(failed + file.errorString());
    const QByteArray data = file.readAll();
    const QString format = extension == u"jpeg" ? QStringLiteral("jpg") : extension;
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer, format.toLatin1());
    if (reader.read().isNull())
        throw ReportError(failed + QStringLiteral("文件已损坏或不是 %1 图片（%2）")
                                       .arg(extension.toUpper(), reader.errorString()));
    return {data, format};
}

} // namespace

QStringList splitLines(const QString &text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n|\u2028"));
    return text.split(breaks);
}

Report::Report(ReportViewer &viewer)
    : m_viewer(viewer), m_template(std::make_unique<ReportTemplate>())
{}

Report::~Report() = default;

void Report::loadTemplate(const QString &path)
{
    m_template = std::make_unique<ReportTemplate>();
    m_pages = {};
    m_path = path;
    if (!QFileInfo::exists(path))
        return;
    auto loaded = std::make_unique<ReportTemplate>();
    TemplateFile::load(path, *loaded);
    m_template = std::move(loaded);
}

void Report::saveTemplate(const QString &path)
{
    const QString target = path.isEmpty() ? m_path : path;
    if (target.isEmpty())
        throw ReportError(QStringLiteral("没有给出模板文件名"));
    TemplateFile::save(*m_template, target);
    m_path = target;
}

ReportObject *Report::findObject(const QString &name) const
{
    return m_template->findObject(name);
}

void Report::setText(ReportObject *object, const QString &text)
{
    if (!object || object->kind() != ObjectKind::Text)
        throw ReportError(
            QStringLiteral("模板“%1”：%2不是文本对象")
                .arg(shown(m_path), object ? object->name() : QStringLiteral("对象")));
    static_cast<TextObject *>(object)->setText(ParsedText::escaped(splitLines(text).join(u'\n')));
}

void Report::setText(const QString &objectName, const QString &text)
{
    ReportObject *object = findObject(objectName);
    if (!object || object->kind() != ObjectKind::Text)
        throw ReportError(
            QStringLiteral("模板“%1”中没有文本对象“%2”").arg(shown(m_path), objectName));
    setText(object, text);
}

void Report::loadPicture(ReportObject *object, const QString &path)
{
    if (!object || object->kind() != ObjectKind::Picture)
        throw ReportError(
            QStringLiteral("模板“%1”：%2不是图片对象")
                .arg(shown(m_path), object ? object->name() : QStringLiteral("对象")));
    const auto [data, format] = readPicture(path);
    static_cast<PictureObject *>(object)->setPicture(data, format);
}

void Report::setVisible(ReportObject *object, bool visible)
{
    if (!object)
        throw ReportError(QStringLiteral("模板“%1”：对象不存在").arg(shown(m_path)));
    object->setVisible(visible);
}

void Report::setDataset(const QString &name, std::shared_ptr<const ReportRows> rows)
{
    if (rows)
        m_inputs.datasets.insert(name.toLower(), std::move(rows));
    else
        m_inputs.datasets.remove(name.toLower());
}

const ReportRows *Report::dataset(const QString &name) const
{
    return m_inputs.dataset(name);
}

void Report::setVariable(const QString &name, const QString &value)
{
    m_inputs.variables.insert(name.toLower(), value);
}

QString Report::variable(const QString &name) const
{
    return m_inputs.variables.value(name.toLower());
}

bool Report::hasVariable(const QString &name) const
{
    return m_inputs.variables.contains(name.toLower());
}

LaidOutReport Report::prepare() const
{
    return layOut(*m_template, m_inputs, shown(m_path));
}

void Report::preparePages()
{
    m_pages = {};
    m_pages = prepare();
}

void Report::show()
{
    preparePages();
    m_viewer.show(*this);
}

void Report::design()
{
    m_viewer.design(*this);
}
