#pragma once

#include <QString>
#include <QXmlStreamAttributes>
#include <vector>

class QXmlStreamReader;
class QXmlStreamWriter;

// An element this program does not understand, kept as it was read so that saving a
// template written by a newer version (or edited by hand) loses nothing.
// A node with an empty name is a run of text.
struct XmlNode
{
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    std::vector<XmlNode> children;

    // Reads the element the reader stands on (StartElement) up to its end.
    static XmlNode read(QXmlStreamReader &reader);
    void write(QXmlStreamWriter &writer) const;
};

// What a known element carried beyond what the program knows: its unknown attributes and
// unknown child elements, written back after the known ones.
struct ForeignXml
{
    QXmlStreamAttributes attributes;
    std::vector<XmlNode> elements;

    void writeAttributes(QXmlStreamWriter &writer) const;
    void writeElements(QXmlStreamWriter &writer) const;
    bool operator==(const ForeignXml &other) const;
};
