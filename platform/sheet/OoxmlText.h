#pragma once
// Small helpers shared by the package reader and writer: element names without namespace
// prefix, the "_xHHHH_" escapes that carry characters XML cannot hold, and escaping text
// for hand-written XML.

#include <QByteArray>
#include <QString>
#include <pugixml.hpp>

namespace fw {

// "x:row" -> "row".
const char* XmlLocalName(const char* name);
const char* XmlLocalName(pugi::xml_node node);
// The first child element with the local name.
pugi::xml_node XmlChild(pugi::xml_node parent, const char* localName);
// The attribute of that local name ("r:id" found as "id" with prefix "r").
pugi::xml_attribute XmlAttribute(pugi::xml_node node, const char* localName);

// "_x000D_" -> "\r"; "_x005F_" -> "_".
QString DecodeOoxmlText(const char* utf8);

// Text escaped for element content: & < > and the "_xHHHH_" forms of control characters
// (and of a "_x" that would read as one).
QByteArray EscapeOoxmlText(const QString& text);
// The <t> element of a text: escaped, and marked to keep its blanks when it starts or
// ends with one or holds a line break or tab.
QByteArray OoxmlTextElement(const QString& text);
// Text escaped for an attribute value.
QByteArray EscapeXmlAttribute(const QString& text);

// The node printed without formatting, with the namespace prefix `mainPrefix` taken off
// its elements and every other prefixed element or attribute (and extLst) left out:
// what is kept from a file must not refer to declarations the writer does not repeat.
QByteArray CleanXmlFragment(pugi::xml_node node, const QByteArray& mainPrefix);

} // namespace fw
