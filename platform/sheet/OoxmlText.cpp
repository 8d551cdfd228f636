#include "platform/sheet/OoxmlText.h"

#include <cstring>
#include <sstream>
#include <vector>

namespace fw {

const char* XmlLocalName(const char* name) {
  const char* colon = std::strchr(name, ':');
  return colon ? colon + 1 : name;
}

const char* XmlLocalName(pugi::xml_node node) { return XmlLocalName(node.name()); }

pugi::xml_node XmlChild(pugi::xml_node parent, const char* localName) {
  for (pugi::xml_node child : parent.children())
    if (child.type() == pugi::node_element && std::strcmp(XmlLocalName(child), localName) == 0) return child;
  return {};
}

pugi::xml_attribute XmlAttribute(pugi::xml_node node, const char* localName) {
  for (pugi::xml_attribute attr : node.attributes())
    if (std::strcmp(XmlLocalName(attr.name()), localName) == 0) return attr;
  return {};
}

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsEscapeAt(const QString& text, qsizetype i) {
  if (i + 6 >= text.size() + 0 || text[i] != u'_' || text[i + 1] != u'x' || text[i + 6] != u'_') return false;
  for (int k = 2; k < 6; ++k)
    if (text[i + k].unicode() >= 128 || HexValue(text[i + k].toLatin1()) < 0) return false;
  return true;
}

} // namespace

QString DecodeOoxmlText(const char* utf8) {
  if (!std::strstr(utf8, "_x")) return QString::fromUtf8(utf8);
  QByteArray out;
  for (const char* p = utf8; *p;) {
    if (p[0] == '_' && p[1] == 'x' && p[2] && p[3] && p[4] && p[5] && p[6] == '_') {
      int value = 0;
      bool hex = true;
      for (int k = 2; k < 6; ++k) {
        const int h = HexValue(p[k]);
        hex = hex && h >= 0;
        value = value * 16 + std::max(h, 0);
      }
      if (hex) {
        out += QString(QChar(value)).toUtf8();
        p += 7;
        continue;
      }
    }
    out += *p++;
  }
  return QString::fromUtf8(out);
}

QByteArray EscapeOoxmlText(const QString& text) {
  QString escaped;
  escaped.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar ch = text[i];
    const char16_t c = ch.unicode();
    if (c == u'&') escaped += QStringLiteral("&amp;");
    else if (c == u'<') escaped += QStringLiteral("&lt;");
    else if (c == u'>') escaped += QStringLiteral("&gt;");
    else if ((c < 0x20 && c != u'\t' && c != u'\n') || c == u'\r' || c == 0xFFFE || c == 0xFFFF)
      escaped += QStringLiteral("_x%1_").arg(QString::number(int(c), 16).toUpper().rightJustified(4, u'0'));
    else if (c == u'_' && IsEscapeAt(text, i))
      escaped += QStringLiteral("_x005F_");
    else escaped += ch;
  }
  return escaped.toUtf8();
}

QByteArray OoxmlTextElement(const QString& text) {
  const bool keepBlanks = !text.isEmpty() && (text.front().isSpace() || text.back().isSpace() ||
                                              text.contains(u'\n') || text.contains(u'\t'));
  return (keepBlanks ? "<t xml:space=\"preserve\">" : "<t>") + EscapeOoxmlText(text) + "</t>";
}

QByteArray EscapeXmlAttribute(const QString& text) {
  QByteArray out = EscapeOoxmlText(text);
  out.replace("\"", "&quot;");
  out.replace("\n", "&#10;");
  out.replace("\t", "&#9;");
  return out;
}

QByteArray CleanXmlFragment(pugi::xml_node node, const QByteArray& mainPrefix) {
  pugi::xml_document scratch;
  pugi::xml_node copy = scratch.append_copy(node);
  const QByteArray prefix = mainPrefix.isEmpty() ? QByteArray() : mainPrefix + ':';
  // Walked with a list of its own rather than by recursion: a hostile file may nest deeply.
  auto strip = [&prefix](pugi::xml_node n) {
    if (!prefix.isEmpty() && std::strncmp(n.name(), prefix.constData(), prefix.size()) == 0)
      n.set_name(n.name() + prefix.size());
  };
  strip(copy);
  std::vector<pugi::xml_node> pending{copy};
  while (!pending.empty()) {
    pugi::xml_node n = pending.back();
    pending.pop_back();
    for (pugi::xml_attribute a = n.first_attribute(); a;) {
      pugi::xml_attribute next = a.next_attribute();
      if (std::strchr(a.name(), ':') || std::strncmp(a.name(), "xmlns", 5) == 0) n.remove_attribute(a);
      a = next;
    }
    for (pugi::xml_node c = n.first_child(); c;) {
      pugi::xml_node next = c.next_sibling();
      if (c.type() == pugi::node_element) {
        strip(c);
        if (std::strchr(c.name(), ':') || std::strcmp(c.name(), "extLst") == 0)
          n.remove_child(c);
        else
          pending.push_back(c);
      }
      c = next;
    }
  }
  std::ostringstream out;
  copy.print(out, "", pugi::format_raw);
  return QByteArray::fromStdString(out.str());
}

} // namespace fw
