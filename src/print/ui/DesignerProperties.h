#pragma once

#include <QVariant>

class ReportObject;

// The editable properties of an object other than its rectangle, so that the property panel
// and the undo command read and write them the same way.
enum class DesignerProperty
{
    Name,
    Text,
    FontFamily,
    FontSize, // points
    Bold,
    HAlign,
    VAlign,
    FrameSides,
    WordWrap,
    Visible,
    PenWidth, // mm
    Picture,  // QVariantList{bytes, format}
    KeepAspect,
};

namespace DesignerProperties {

// Invalid when the object's kind has no such property.
QVariant read(const ReportObject &object, DesignerProperty property);
// Throws ReportError when the model refuses the value (a name taken or empty).
void write(ReportObject &object, DesignerProperty property, const QVariant &value);

} // namespace DesignerProperties
