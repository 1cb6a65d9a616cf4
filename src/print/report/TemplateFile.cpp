#include "TemplateFile.h"

#include "ReportError.h"
#include "ReportTemplate.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <optional>

namespace {

struct FormatError
{
    QString what;
    qint64 line;
};

// Hands out the attributes of one element by name; what is left over afterwards is what
// the program does not know and must keep.
class Attributes
{
public:
    explicit Attributes(const QXmlStreamReader &reader)
        : m_attributes(reader.attributes()), m_line(reader.lineNumber())
    {}

    std::optional<QString> take(const QString &name)
    {
        for (qsizetype i = 0; i < m_attributes.size(); ++i) {
            if (m_attributes[i].qualifiedName() == name) {
                QString value = m_attributes[i].value().toString();
                m_attributes.remove(i);
                return value;
            }
        }
        return std::nullopt;
    }

    QString text(const QString &name, const QString &fallback = {})
    {
        return take(name).value_or(fallback);
    }

    double number(const QString &name, double fallback)
    {
        const std::optional<QString> value = take(name);
        if (!value)
            return fallback;
        bool ok = false;
        const double result = value->trimmed().toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("属性 %1 的值“%2”不是数字").arg(name, *value));
        return result;
    }

    bool flag(const QString &name, bool fallback)
    {
        const std::optional<QString> value = take(name);
        if (!value)
            return fallback;
        if (*value == u"true" || *value == u"1")
            return true;
        if (*value == u"false" || *value == u"0")
            return false;
        fail(QStringLiteral("属性 %1 的值“%2”应为 true 或 false").arg(name, *value));
        return fallback;
    }

    // One of the given words; the index of the word.
    int choice(const QString &name, const QStringList &words, int fallback)
    {
        const std::optional<QString> value = take(name);
        if (!value)
            return fallback;
        const int index = int(words.indexOf(*value));
        if (index < 0)
            fail(QStringLiteral("属性 %1 的值“%2”应为 %3 之一")
                     .arg(name, *value, words.join(QStringLiteral("、"))));
        return index;
    }

    [[noreturn]] void fail(const QString &what) const { throw FormatError{what, m_line}; }
    qint64 line() const { return m_line; }
    QXmlStreamAttributes rest() const { return m_attributes; }

private:
    QXmlStreamAttributes m_attributes;
    qint64 m_line;
};

const QStringList orientationWords = {QStringLiteral("portrait"), QStringLiteral("landscape")};
const QStringList bandWords = {QStringLiteral("fixed"), QStringLiteral("pageHeader"),
                               QStringLiteral("data"), QStringLiteral("pageFooter"),
                               QStringLiteral("footer")};
const QStringList hAlignWords = {QStringLiteral("left"), QStringLiteral("center"),
                                 QStringLiteral("right")};
const QStringList vAlignWords = {QStringLiteral("top"), QStringLiteral("center"),
                                 QStringLiteral("bottom")};
const QStringList pictureModes = {QStringLiteral("stretch"), QStringLiteral("keepAspect")};
const QStringList sideWords = {QStringLiteral("left"), QStringLiteral("top"),
                               QStringLiteral("right"), QStringLiteral("bottom")};

bool isObjectElement(QStringView name)
{
    return name == u"text" || name == u"picture" || name == u"line" || name == u"frame";
}

unsigned readSides(Attributes &attributes)
{
    const QString value = attributes.text(QStringLiteral("frame"));
    if (value == u"all")
        return AllSides;
    unsigned sides = NoSides;
    for (const QString &word : value.split(u' ', Qt::SkipEmptyParts)) {
        const int index = int(sideWords.indexOf(word));
        if (index < 0)
            attributes.fail(QStringLiteral("属性 frame 的值“%1”应为 all 或 left top right "
                                           "bottom 的组合")
                                .arg(value));
        sides |= 1u << index;
    }
    return sides;
}

QString sidesText(unsigned sides)
{
    if (sides == AllSides)
        return QStringLiteral("all");
    QStringList words;
    for (int i = 0; i < 4; ++i) {
        if (sides & (1u << i))
            words << sideWords[i];
    }
    return words.join(u' ');
}

class Reader
{
public:
    Reader(const QByteArray &xml, ReportTemplate &into) : m_reader(xml), m_template(into)
    {
        // Keeps prefixes and xmlns declarations as plain names and attributes, so that
        // foreign markup is written back as it was.
        m_reader.setNamespaceProcessing(false);
    }

    void run()
    {
        while (m_reader.readNext() != QXmlStreamReader::StartElement) {
            if (m_reader.hasError() || m_reader.atEnd())
                xmlError();
        }
        if (m_reader.qualifiedName() != u"report")
            throw FormatError{QStringLiteral("根元素应为 report，而不是 %1")
                                  .arg(m_reader.qualifiedName().toString()),
                              m_reader.lineNumber()};
        Attributes attributes(m_reader);
        attributes.take(QStringLiteral("version"));
        m_template.foreign().attributes = attributes.rest();
        readChildren([this] { readRootChild(); });
        while (!m_reader.atEnd()) {
            m_reader.readNext();
            if (m_reader.hasError())
                xmlError();
        }
    }

private:
    [[noreturn]] void xmlError()
    {
        throw FormatError{QStringLiteral("不是有效的 XML：%1").arg(m_reader.errorString()),
                          m_reader.lineNumber()};
    }

    // Calls onElement for each child element; characters between them are ignored.
    template <typename F> void readChildren(F onElement)
    {
        while (true) {
            m_reader.readNext();
            if (m_reader.hasError())
                xmlError();
            if (m_reader.isEndElement())
                return;
            if (m_reader.isStartElement())
                onElement();
        }
    }

    // Children of an object: its text content (the picture's data) and foreign elements.
    QString readObjectContent(ForeignXml &foreign)
    {
        QString content;
        while (true) {
            m_reader.readNext();
            if (m_reader.hasError())
                xmlError();
            if (m_reader.isEndElement())
                return content;
            if (m_reader.isCharacters())
                content += m_reader.text();
            else if (m_reader.isStartElement())
                foreign.elements.push_back(XmlNode::read(m_reader));
        }
    }

    void readRootChild()
    {
        const QStringView name = m_reader.qualifiedName();
        if (name == u"page")
            readPage();
        else if (name == u"band")
            readBand();
        else if (isObjectElement(name))
            readObject(*m_template.fixedBand());
        else
            keepForeign(m_template.foreign());
    }

    void keepForeign(ForeignXml &foreign)
    {
        foreign.elements.push_back(XmlNode::read(m_reader));
        if (m_reader.hasError())
            xmlError();
    }

    void readPage()
    {
        Attributes a(m_reader);
        PageSetup page;
        page.paperWidth = a.number(QStringLiteral("paperWidth"), page.paperWidth);
        page.paperHeight = a.number(QStringLiteral("paperHeight"), page.paperHeight);
        if (page.paperWidth <= 0 || page.paperHeight <= 0)
            a.fail(QStringLiteral("纸张尺寸必须大于零"));
        page.orientation = QPageLayout::Orientation(
            a.choice(QStringLiteral("orientation"), orientationWords, page.orientation));
        page.marginLeft = a.number(QStringLiteral("marginLeft"), page.marginLeft);
        page.marginTop = a.number(QStringLiteral("marginTop"), page.marginTop);
        page.marginRight = a.number(QStringLiteral("marginRight"), page.marginRight);
        page.marginBottom = a.number(QStringLiteral("marginBottom"), page.marginBottom);
        m_template.setPage(page);
        m_template.pageForeign().attributes = a.rest();
        readChildren([this] { keepForeign(m_template.pageForeign()); });
    }

    void readBand()
    {
        Attributes a(m_reader);
        const std::optional<QString> type = a.take(QStringLiteral("type"));
        const int typeIndex = type ? int(bandWords.indexOf(*type)) : -1;
        if (typeIndex < 0)
            a.fail(QStringLiteral("band 的属性 type 应为 %1 之一")
                       .arg(bandWords.join(QStringLiteral("、"))));
        auto band = std::make_unique<ReportBand>(BandType(typeIndex));
        band->setTop(a.number(QStringLiteral("top"), 0));
        band->setHeight(a.number(QStringLiteral("height"), band->height()));
        band->setDataset(a.text(QStringLiteral("dataset")));
        if (band->height() < 0)
            a.fail(QStringLiteral("band 的高度不能为负"));
        band->foreign().attributes = a.rest();
        ReportBand *placed = m_template.addBand(std::move(band));
        readChildren([this, placed] {
            if (isObjectElement(m_reader.qualifiedName()))
                readObject(*placed);
            else
                keepForeign(placed->foreign());
        });
    }

    void readObject(ReportBand &band)
    {
        Attributes a(m_reader);
        const QStringView kind = m_reader.qualifiedName();
        std::unique_ptr<ReportObject> object;
        if (kind == u"text")
            object = readText(a);
        else if (kind == u"picture")
            object = std::make_unique<PictureObject>();
        else if (kind == u"line")
            object = readLine(a);
        else
            object = readFrame(a);
        const QString name = a.text(QStringLiteral("name")).trimmed();
        if (name.isEmpty())
            a.fail(QStringLiteral("对象缺少名称（属性 name）"));
        if (!m_template.isNameFree(name))
            a.fail(QStringLiteral("对象名称“%1”重复（名称不区分大小写）").arg(name));
        object->setName(name);
        object->setRect(QRectF(a.number(QStringLiteral("x"), 0), a.number(QStringLiteral("y"), 0),
                               a.number(QStringLiteral("width"), 0),
                               a.number(QStringLiteral("height"), 0)));
        object->setVisible(a.flag(QStringLiteral("visible"), true));
        auto *picture = dynamic_cast<PictureObject *>(object.get());
        QString format;
        if (picture) {
            picture->setKeepAspect(a.choice(QStringLiteral("mode"), pictureModes, 1) == 1);
            picture->setBackground(a.flag(QStringLiteral("background"), false));
            format = a.text(QStringLiteral("format"));
        }
        object->foreign().attributes = a.rest();
        const QString content = readObjectContent(object->foreign());
        if (picture)
            readPictureData(a, content, format, *picture);
        band.addObject(std::move(object));
    }

    std::unique_ptr<ReportObject> readText(Attributes &a)
    {
        auto text = std::make_unique<TextObject>();
        text->setText(a.text(QStringLiteral("text")));
        FontChoice font;
        font.family = a.text(QStringLiteral("font"), font.family);
        font.pointSize = a.number(QStringLiteral("size"), font.pointSize);
        if (font.pointSize <= 0)
            a.fail(QStringLiteral("字号必须大于零"));
        font.bold = a.flag(QStringLiteral("bold"), false);
        text->setFont(font);
        text->setHAlign(HAlign(a.choice(QStringLiteral("halign"), hAlignWords, 0)));
        text->setVAlign(VAlign(a.choice(QStringLiteral("valign"), vAlignWords, 1)));
        text->setFrameSides(readSides(a));
        text->setFrameWidth(a.number(QStringLiteral("frameWidth"), text->frameWidth()));
        text->setWordWrap(a.flag(QStringLiteral("wrap"), false));
        return text;
    }

    static std::unique_ptr<ReportObject> readLine(Attributes &a)
    {
        auto line = std::make_unique<LineObject>();
        line->setPenWidth(a.number(QStringLiteral("pen"), line->penWidth()));
        return line;
    }

    static std::unique_ptr<ReportObject> readFrame(Attributes &a)
    {
        auto frame = std::make_unique<FrameObject>();
        frame->setPenWidth(a.number(QStringLiteral("pen"), frame->penWidth()));
        return frame;
    }

    static void readPictureData(const Attributes &a, const QString &content, const QString &format,
                                PictureObject &picture)
    {
        QString packed = content;
        packed.remove(QRegularExpression(QStringLiteral("\\s")));
        const QByteArray base64 = packed.toLatin1();
        if (base64.isEmpty())
            return;
        const auto decoded = QByteArray::fromBase64Encoding(
            base64, QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            a.fail(QStringLiteral("图片“%1”的数据不是有效的 base64").arg(picture.name()));
        picture.setPicture(*decoded, format);
    }

    QXmlStreamReader m_reader;
    ReportTemplate &m_template;
};

QString number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

void writeRect(QXmlStreamWriter &w, const ReportObject &object)
{
    w.writeAttribute(QStringLiteral("name"), object.name());
    w.writeAttribute(QStringLiteral("x"), number(object.rect().x()));
    w.writeAttribute(QStringLiteral("y"), number(object.rect().y()));
    w.writeAttribute(QStringLiteral("width"), number(object.rect().width()));
    w.writeAttribute(QStringLiteral("height"), number(object.rect().height()));
    if (!object.isVisible())
        w.writeAttribute(QStringLiteral("visible"), boolText(false));
}

void writeText(QXmlStreamWriter &w, const TextObject &text)
{
    w.writeAttribute(QStringLiteral("font"), text.font().family);
    w.writeAttribute(QStringLiteral("size"), number(text.font().pointSize));
    if (text.font().bold)
        w.writeAttribute(QStringLiteral("bold"), boolText(true));
    w.writeAttribute(QStringLiteral("halign"), hAlignWords[int(text.hAlign())]);
    w.writeAttribute(QStringLiteral("valign"), vAlignWords[int(text.vAlign())]);
    if (text.frameSides() != NoSides) {
        w.writeAttribute(QStringLiteral("frame"), sidesText(text.frameSides()));
        w.writeAttribute(QStringLiteral("frameWidth"), number(text.frameWidth()));
    }
    if (text.wordWrap())
        w.writeAttribute(QStringLiteral("wrap"), boolText(true));
    w.writeAttribute(QStringLiteral("text"), text.text());
}

void writeObject(QXmlStreamWriter &w, const ReportObject &object)
{
    static const QStringList elementNames = {QStringLiteral("text"), QStringLiteral("picture"),
                                             QStringLiteral("line"), QStringLiteral("frame")};
    w.writeStartElement(elementNames[int(object.kind())]);
    writeRect(w, object);
    const PictureObject *picture = nullptr;
    switch (object.kind()) {
    case ObjectKind::Text:
        writeText(w, static_cast<const TextObject &>(object));
        break;
    case ObjectKind::Picture:
        picture = static_cast<const PictureObject *>(&object);
        w.writeAttribute(QStringLiteral("mode"), pictureModes[picture->keepAspect() ? 1 : 0]);
        if (picture->isBackground())
            w.writeAttribute(QStringLiteral("background"), boolText(true));
        if (picture->hasPicture())
            w.writeAttribute(QStringLiteral("format"), picture->format());
        break;
    case ObjectKind::Line:
        w.writeAttribute(QStringLiteral("pen"),
                         number(static_cast<const LineObject &>(object).penWidth()));
        break;
    case ObjectKind::Frame:
        w.writeAttribute(QStringLiteral("pen"),
                         number(static_cast<const FrameObject &>(object).penWidth()));
        break;
    }
    object.foreign().writeAttributes(w);
    object.foreign().writeElements(w);
    if (picture && picture->hasPicture())
        w.writeCharacters(QString::fromLatin1(picture->data().toBase64()));
    w.writeEndElement();
}

void writePage(QXmlStreamWriter &w, const ReportTemplate &report)
{
    const PageSetup &page = report.page();
    w.writeStartElement(QStringLiteral("page"));
    w.writeAttribute(QStringLiteral("paperWidth"), number(page.paperWidth));
    w.writeAttribute(QStringLiteral("paperHeight"), number(page.paperHeight));
    w.writeAttribute(QStringLiteral("orientation"), orientationWords[int(page.orientation)]);
    w.writeAttribute(QStringLiteral("marginLeft"), number(page.marginLeft));
    w.writeAttribute(QStringLiteral("marginTop"), number(page.marginTop));
    w.writeAttribute(QStringLiteral("marginRight"), number(page.marginRight));
    w.writeAttribute(QStringLiteral("marginBottom"), number(page.marginBottom));
    report.pageForeign().writeAttributes(w);
    report.pageForeign().writeElements(w);
    w.writeEndElement();
}

void writeBand(QXmlStreamWriter &w, const ReportBand &band)
{
    w.writeStartElement(QStringLiteral("band"));
    w.writeAttribute(QStringLiteral("type"), bandTypeName(band.type()));
    w.writeAttribute(QStringLiteral("top"), number(band.top()));
    w.writeAttribute(QStringLiteral("height"), number(band.height()));
    if (!band.dataset().isEmpty())
        w.writeAttribute(QStringLiteral("dataset"), band.dataset());
    band.foreign().writeAttributes(w);
    for (const auto &object : band.objects())
        writeObject(w, *object);
    band.foreign().writeElements(w);
    w.writeEndElement();
}

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

void TemplateFile::read(const QByteArray &xml, const QString &fileName, ReportTemplate &into)
{
    try {
        Reader(xml, into).run();
    } catch (const FormatError &error) {
        throw ReportError(QStringLiteral("模板文件“%1”第 %2 行：%3")
                              .arg(shownPath(fileName))
                              .arg(error.line)
                              .arg(error.what));
    }
}

void TemplateFile::load(const QString &path, ReportTemplate &into)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(
            QStringLiteral("无法打开模板文件“%1”：%2").arg(shownPath(path), file.errorString()));
    read(file.readAll(), path, into);
}

QByteArray TemplateFile::write(const ReportTemplate &report)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("report"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    report.foreign().writeAttributes(w);
    writePage(w, report);
    for (const auto &band : report.bands())
        writeBand(w, *band);
    report.foreign().writeElements(w);
    w.writeEndElement();
    w.writeEndDocument();
    return xml;
}

void TemplateFile::save(const ReportTemplate &report, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(write(report)) < 0 || !file.commit())
        throw ReportError(
            QStringLiteral("无法保存模板文件“%1”：%2").arg(shownPath(path), file.errorString()));
}
