#include "ForeignXml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

XmlNode XmlNode::read(QXmlStreamReader &reader)
{
    XmlNode node;
    node.name = reader.qualifiedName().toString();
    node.attributes = reader.attributes();
    while (reader.readNext() != QXmlStreamReader::EndElement && !reader.hasError()) {
        if (reader.isStartElement()) {
            node.children.push_back(read(reader));
        } else if (reader.isCharacters() && !reader.isWhitespace()) {
            XmlNode text;
            text.text = reader.text().toString();
            node.children.push_back(std::move(text));
        }
    }
    return node;
}

void XmlNode::write(QXmlStreamWriter &writer) const
{
    if (name.isEmpty()) {
        writer.writeCharacters(text);
        return;
    }
    writer.writeStartElement(name);
    for (const QXmlStreamAttribute &attribute : attributes)
        writer.writeAttribute(attribute.qualifiedName().toString(), attribute.value().toString());
    for (const XmlNode &child : children)
        child.write(writer);
    writer.writeEndElement();
}

static bool sameAttributes(const QXmlStreamAttributes &a, const QXmlStreamAttributes &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].qualifiedName() != b[i].qualifiedName() || a[i].value() != b[i].value())
            return false;
    }
    return true;
}

static bool sameNode(const XmlNode &a, const XmlNode &b)
{
    if (a.name != b.name || a.text != b.text || !sameAttributes(a.attributes, b.attributes) ||
        a.children.size() != b.children.size())
        return false;
    for (size_t i = 0; i < a.children.size(); ++i) {
        if (!sameNode(a.children[i], b.children[i]))
            return false;
    }
    return true;
}

void ForeignXml::writeAttributes(QXmlStreamWriter &writer) const
{
    for (const QXmlStreamAttribute &attribute : attributes)
        writer.writeAttribute(attribute.qualifiedName().toString(), attribute.value().toString());
}

void ForeignXml::writeElements(QXmlStreamWriter &writer) const
{
    for (const XmlNode &node : elements)
        node.write(writer);
}

bool ForeignXml::operator==(const ForeignXml &other) const
{
    if (!sameAttributes(attributes, other.attributes) || elements.size() != other.elements.size())
        return false;
    for (size_t i = 0; i < elements.size(); ++i) {
        if (!sameNode(elements[i], other.elements[i]))
            return false;
    }
    return true;
}
