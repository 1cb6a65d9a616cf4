#pragma once

#include "ForeignXml.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <memory>

class ReportBand;

// Identity of an object for the whole life of its template, kept when the object is taken
// out and put back (undo of a delete), unlike its name, which the user may change.
using ObjectId = std::uint64_t;

enum class ObjectKind
{
    Text,
    Picture,
    Line,
    Frame
};

// Font as the template names it; which installed font stands in is decided at layout
// (FontResolver), so a template made on another machine keeps its family name.
struct FontChoice
{
    QString family = QStringLiteral("宋体");
    double pointSize = 10;
    bool bold = false;
    bool operator==(const FontChoice &) const = default;
};

enum class HAlign
{
    Left,
    Center,
    Right
};
enum class VAlign
{
    Top,
    Center,
    Bottom
};

// Which sides of a text object's rectangle are drawn.
enum FrameSide : unsigned
{
    NoSides = 0,
    LeftSide = 1,
    TopSide = 2,
    RightSide = 4,
    BottomSide = 8,
    AllSides = 15
};

// One object of a template. Every position and size is in millimetres from the paper's
// top-left corner, as the page lies in the designer. Setters notify the owning template
// (change signal and version), so an undo command needs only the object's id and a setter.
class ReportObject
{
public:
    virtual ~ReportObject();
    ReportObject &operator=(const ReportObject &) = delete;

    ObjectKind kind() const { return m_kind; }
    ObjectId id() const { return m_id; }
    ReportBand *band() const { return m_band; }

    QString name() const { return m_name; }
    // Throws ReportError when another object of the template already has the name
    // (letter case ignored) or the name is empty.
    void setName(const QString &name);
    QRectF rect() const { return m_rect; }
    void setRect(const QRectF &rect);
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    // What the file carried that this program does not know; saved back unchanged.
    ForeignXml &foreign() { return m_foreign; }
    const ForeignXml &foreign() const { return m_foreign; }

    // An independent copy with no id and no band (copy and paste in the designer).
    virtual std::unique_ptr<ReportObject> clone() const = 0;

protected:
    explicit ReportObject(ObjectKind kind, const QString &name);
    // Copies what the user designed; identity and place stay with the original.
    ReportObject(const ReportObject &other);
    void notify();

private:
    friend class ReportBand;
    friend class ReportTemplate;
    ObjectKind m_kind;
    ObjectId m_id = 0;
    ReportBand *m_band = nullptr;
    QString m_name;
    QRectF m_rect;
    bool m_visible = true;
    ForeignXml m_foreign;
};

// Text with expressions in square brackets (see docs/templates.md); lines separated by
// '\n'.
class TextObject final : public ReportObject
{
public:
    explicit TextObject(const QString &name = {});

    QString text() const { return m_text; }
    void setText(const QString &text);
    FontChoice font() const { return m_font; }
    void setFont(const FontChoice &font);
    HAlign hAlign() const { return m_hAlign; }
    void setHAlign(HAlign align);
    VAlign vAlign() const { return m_vAlign; }
    void setVAlign(VAlign align);
    unsigned frameSides() const { return m_frameSides; }
    void setFrameSides(unsigned sides);
    double frameWidth() const { return m_frameWidth; } // mm
    void setFrameWidth(double width);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);

    std::unique_ptr<ReportObject> clone() const override;

private:
    QString m_text;
    FontChoice m_font;
    HAlign m_hAlign = HAlign::Left;
    VAlign m_vAlign = VAlign::Center;
    unsigned m_frameSides = NoSides;
    double m_frameWidth = 0.2;
    bool m_wordWrap = false;
};

// A picture held inside the template: the file's original bytes and their format, so
// saving writes back exactly what was loaded.
class PictureObject final : public ReportObject
{
public:
    explicit PictureObject(const QString &name = {});

    QByteArray data() const { return m_data; }
    QString format() const { return m_format; } // "png", "jpg", "bmp", "ico"; empty: none
    // Empty data clears the picture.
    void setPicture(const QByteArray &data, const QString &format);
    bool hasPicture() const { return !m_data.isEmpty(); }
    // Decoded once and cached; a null image when there is no picture.
    QImage image() const;

    bool keepAspect() const { return m_keepAspect; }
    void setKeepAspect(bool keep);
    // A scan of the blank form: shown for alignment, left out of exports unless asked for.
    bool isBackground() const { return m_background; }
    void setBackground(bool background);

    std::unique_ptr<ReportObject> clone() const override;

private:
    QByteArray m_data;
    QString m_format;
    mutable QImage m_image;
    mutable bool m_decoded = false;
    bool m_keepAspect = true;
    bool m_background = false;
};

// A straight line from the rectangle's top-left to its bottom-right corner: a zero height
// gives a horizontal line, a zero width a vertical one.
class LineObject final : public ReportObject
{
public:
    explicit LineObject(const QString &name = {});
    double penWidth() const { return m_penWidth; } // mm
    void setPenWidth(double width);
    std::unique_ptr<ReportObject> clone() const override;

private:
    double m_penWidth = 0.2;
};

// An outlined rectangle.
class FrameObject final : public ReportObject
{
public:
    explicit FrameObject(const QString &name = {});
    double penWidth() const { return m_penWidth; } // mm
    void setPenWidth(double width);
    std::unique_ptr<ReportObject> clone() const override;

private:
    double m_penWidth = 0.2;
};
