#include "DesignerProperties.h"

#include "print/report/ReportObject.h"

namespace {

QVariant readText(const TextObject &text, DesignerProperty property)
{
    switch (property) {
    case DesignerProperty::Text:
        return text.text();
    case DesignerProperty::FontFamily:
        return text.font().family;
    case DesignerProperty::FontSize:
        return text.font().pointSize;
    case DesignerProperty::Bold:
        return text.font().bold;
    case DesignerProperty::HAlign:
        return int(text.hAlign());
    case DesignerProperty::VAlign:
        return int(text.vAlign());
    case DesignerProperty::FrameSides:
        return text.frameSides();
    case DesignerProperty::WordWrap:
        return text.wordWrap();
    default:
        return {};
    }
}

void writeText(TextObject &text, DesignerProperty property, const QVariant &value)
{
    FontChoice font = text.font();
    switch (property) {
    case DesignerProperty::Text:
        text.setText(value.toString());
        return;
    case DesignerProperty::FontFamily:
        font.family = value.toString();
        break;
    case DesignerProperty::FontSize:
        font.pointSize = value.toDouble();
        break;
    case DesignerProperty::Bold:
        font.bold = value.toBool();
        break;
    case DesignerProperty::HAlign:
        text.setHAlign(HAlign(value.toInt()));
        return;
    case DesignerProperty::VAlign:
        text.setVAlign(VAlign(value.toInt()));
        return;
    case DesignerProperty::FrameSides:
        text.setFrameSides(value.toUInt());
        return;
    case DesignerProperty::WordWrap:
        text.setWordWrap(value.toBool());
        return;
    default:
        return;
    }
    text.setFont(font);
}

QVariant readPicture(const PictureObject &picture, DesignerProperty property)
{
    switch (property) {
    case DesignerProperty::Picture:
        return QVariantList{picture.data(), picture.format()};
    case DesignerProperty::KeepAspect:
        return picture.keepAspect();
    default:
        return {};
    }
}

void writePicture(PictureObject &picture, DesignerProperty property, const QVariant &value)
{
    if (property == DesignerProperty::Picture) {
        const QVariantList parts = value.toList();
        picture.setPicture(parts.value(0).toByteArray(), parts.value(1).toString());
    } else if (property == DesignerProperty::KeepAspect) {
        picture.setKeepAspect(value.toBool());
    }
}

} // namespace

namespace DesignerProperties {

QVariant read(const ReportObject &object, DesignerProperty property)
{
    if (property == DesignerProperty::Name)
        return object.name();
    if (property == DesignerProperty::Visible)
        return object.isVisible();
    switch (object.kind()) {
    case ObjectKind::Text:
        return readText(static_cast<const TextObject &>(object), property);
    case ObjectKind::Picture:
        return readPicture(static_cast<const PictureObject &>(object), property);
    case ObjectKind::Line:
        if (property == DesignerProperty::PenWidth)
            return static_cast<const LineObject &>(object).penWidth();
        return {};
    case ObjectKind::Frame:
        if (property == DesignerProperty::PenWidth)
            return static_cast<const FrameObject &>(object).penWidth();
        return {};
    }
    return {};
}

void write(ReportObject &object, DesignerProperty property, const QVariant &value)
{
    if (property == DesignerProperty::Name) {
        object.setName(value.toString());
        return;
    }
    if (property == DesignerProperty::Visible) {
        object.setVisible(value.toBool());
        return;
    }
    switch (object.kind()) {
    case ObjectKind::Text:
        writeText(static_cast<TextObject &>(object), property, value);
        return;
    case ObjectKind::Picture:
        writePicture(static_cast<PictureObject &>(object), property, value);
        return;
    case ObjectKind::Line:
        if (property == DesignerProperty::PenWidth)
            static_cast<LineObject &>(object).setPenWidth(value.toDouble());
        return;
    case ObjectKind::Frame:
        if (property == DesignerProperty::PenWidth)
            static_cast<FrameObject &>(object).setPenWidth(value.toDouble());
        return;
    }
}

} // namespace DesignerProperties
