#include "ReportObject.h"

#include "ReportBand.h"
#include "ReportError.h"
#include "ReportTemplate.h"

#include <QBuffer>
#include <QImageReader>

ReportObject::ReportObject(ObjectKind kind, const QString &name) : m_kind(kind), m_name(name)
{}

ReportObject::ReportObject(const ReportObject &other)
    : m_kind(other.m_kind), m_name(other.m_name), m_rect(other.m_rect), m_visible(other.m_visible),
      m_foreign(other.m_foreign)
{}

ReportObject::~ReportObject() = default;

void ReportObject::notify()
{
    if (m_band && m_band->owner())
        m_band->owner()->objectEdited(this);
}

void ReportObject::setName(const QString &name)
{
    if (name == m_name)
        return;
    if (name.trimmed().isEmpty())
        throw ReportError(QStringLiteral("对象名称不能为空"));
    if (m_band && m_band->owner() && !m_band->owner()->isNameFree(name, this))
        throw ReportError(QStringLiteral("对象名称“%1”已被使用").arg(name));
    m_name = name;
    notify();
}

void ReportObject::setRect(const QRectF &rect)
{
    if (rect == m_rect)
        return;
    m_rect = rect;
    notify();
}

void ReportObject::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    notify();
}

// Setters of the kinds below share this shape: change, then tell the template.
template <typename T> static bool assign(T &member, const T &value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

TextObject::TextObject(const QString &name) : ReportObject(ObjectKind::Text, name)
{}

void TextObject::setText(const QString &text)
{
    if (assign(m_text, text))
        notify();
}

void TextObject::setFont(const FontChoice &font)
{
    if (assign(m_font, font))
        notify();
}

void TextObject::setHAlign(HAlign align)
{
    if (assign(m_hAlign, align))
        notify();
}

void TextObject::setVAlign(VAlign align)
{
    if (assign(m_vAlign, align))
        notify();
}

void TextObject::setFrameSides(unsigned sides)
{
    if (assign(m_frameSides, sides & AllSides))
        notify();
}

void TextObject::setFrameWidth(double width)
{
    if (assign(m_frameWidth, width))
        notify();
}

void TextObject::setWordWrap(bool wrap)
{
    if (assign(m_wordWrap, wrap))
        notify();
}

std::unique_ptr<ReportObject> TextObject::clone() const
{
    return std::make_unique<TextObject>(*this);
}

PictureObject::PictureObject(const QString &name) : ReportObject(ObjectKind::Picture, name)
{}

void PictureObject::setPicture(const QByteArray &data, const QString &format)
{
    m_data = data;
    m_format = data.isEmpty() ? QString() : format.toLower();
    m_image = QImage();
    m_decoded = false;
    notify();
}

QImage PictureObject::image() const
{
    if (!m_decoded) {
        QBuffer buffer;
        buffer.setData(m_data);
        QImageReader reader(&buffer, m_format.toLatin1());
        reader.setDecideFormatFromContent(true);
        m_image = m_data.isEmpty() ? QImage() : reader.read();
        m_decoded = true;
    }
    return m_image;
}

void PictureObject::setKeepAspect(bool keep)
{
    if (assign(m_keepAspect, keep))
        notify();
}

void PictureObject::setBackground(bool background)
{
    if (assign(m_background, background))
        notify();
}

std::unique_ptr<ReportObject> PictureObject::clone() const
{
    return std::make_unique<PictureObject>(*this);
}

LineObject::LineObject(const QString &name) : ReportObject(ObjectKind::Line, name)
{}

void LineObject::setPenWidth(double width)
{
    if (assign(m_penWidth, width))
        notify();
}

std::unique_ptr<ReportObject> LineObject::clone() const
{
    return std::make_unique<LineObject>(*this);
}

FrameObject::FrameObject(const QString &name) : ReportObject(ObjectKind::Frame, name)
{}

void FrameObject::setPenWidth(double width)
{
    if (assign(m_penWidth, width))
        notify();
}

std::unique_ptr<ReportObject> FrameObject::clone() const
{
    return std::make_unique<FrameObject>(*this);
}
