#include "platform/sheet/WorkbookStyles.h"

#include "platform/sheet/SheetTypes.h"

#include <cstring>
#include <sstream>

namespace fw {

namespace {

constexpr const char* kDefaultStyles =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<fonts count="1"><font><sz val="11"/><name val="宋体"/><family val="3"/><charset val="134"/></font></fonts>)"
    R"(<fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills>)"
    R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
    R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
    R"(<cellXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs>)"
    R"(<cellStyles count="1"><cellStyle name="常规" xfId="0" builtinId="0"/></cellStyles>)"
    R"(</styleSheet>)";

// Built-in number formats that have no numFmt entry of their own.
struct TBuiltinFormat {
  int Id;
  const char16_t* Code;
};
constexpr TBuiltinFormat kBuiltinFormats[] = {
    {0, u"General"},   {1, u"0"},          {2, u"0.00"},       {3, u"#,##0"},   {4, u"#,##0.00"},
    {9, u"0%"},        {10, u"0.00%"},     {11, u"0.00E+00"},  {12, u"# ?/?"},  {13, u"# ?\?/??"},
    {14, u"yyyy/m/d"}, {15, u"d-mmm-yy"},  {16, u"d-mmm"},     {17, u"mmm-yy"}, {18, u"h:mm AM/PM"},
    {19, u"h:mm:ss AM/PM"}, {20, u"h:mm"}, {21, u"h:mm:ss"},   {22, u"yyyy/m/d h:mm"},
    {45, u"mm:ss"},    {46, u"[h]:mm:ss"}, {47, u"mm:ss.0"},   {48, u"##0.0E+0"}, {49, u"@"},
};

// Names are compared without a namespace prefix, so that prefixed parts read as well.
const char* LocalName(pugi::xml_node node) {
  const char* name = node.name();
  const char* colon = std::strchr(name, ':');
  return colon ? colon + 1 : name;
}

pugi::xml_node Child(pugi::xml_node parent, const char* name) {
  for (pugi::xml_node child : parent.children())
    if (std::strcmp(LocalName(child), name) == 0) return child;
  return {};
}

QByteArray Key(pugi::xml_node node) {
  std::ostringstream out;
  node.print(out, "", pugi::format_raw);
  return QByteArray::fromStdString(out.str());
}

void SetCount(pugi::xml_node section, size_t count) {
  pugi::xml_attribute attr = section.attribute("count");
  if (!attr) attr = section.append_attribute("count");
  attr.set_value(static_cast<unsigned long long>(count));
}

int AlignmentValue(const char* text, int fallback) {
  static const struct {
    const char* Name;
    int Value;
  } names[] = {{"left", xlLeft},     {"center", xlCenter}, {"right", xlRight},   {"justify", xlJustify},
               {"top", xlTop},       {"bottom", xlBottom}, {"general", xlGeneral}};
  for (const auto& n : names)
    if (std::strcmp(text, n.Name) == 0) return n.Value;
  return fallback;
}

const char* HorizontalName(int value) {
  switch (value) {
  case xlLeft: return "left";
  case xlCenter: return "center";
  case xlRight: return "right";
  case xlJustify: return "justify";
  default: return nullptr; // general: no attribute
  }
}

const char* VerticalName(int value) {
  switch (value) {
  case xlTop: return "top";
  case xlCenter: return "center";
  case xlJustify: return "justify";
  default: return nullptr; // bottom is the default
  }
}

const char* BorderStyleName(int lineStyle, int weight) {
  switch (lineStyle) {
  case xlLineStyleNone: return nullptr;
  case xlDash: return weight == xlMedium ? "mediumDashed" : "dashed";
  case xlDot: return "dotted";
  case xlDouble: return "double";
  default: break;
  }
  switch (weight) {
  case xlMedium: return "medium";
  case xlThick: return "thick";
  case xlHairline: return "hair";
  default: return "thin";
  }
}

pugi::xml_node EnsureAlignment(pugi::xml_node xf) {
  pugi::xml_node alignment = Child(xf, "alignment");
  if (alignment) return alignment;
  // The schema wants alignment before protection.
  if (pugi::xml_node protection = Child(xf, "protection"))
    return xf.insert_child_before("alignment", protection);
  return xf.append_child("alignment");
}

void SetAttr(pugi::xml_node node, const char* name, const char* value) {
  pugi::xml_attribute attr = node.attribute(name);
  if (!value) {
    if (attr) node.remove_attribute(attr);
    return;
  }
  if (!attr) attr = node.append_attribute(name);
  attr.set_value(value);
}

} // namespace

TWorkbookStyles::TWorkbookStyles() { Load(QByteArray(kDefaultStyles)); }

void TWorkbookStyles::Load(const QByteArray& xml) {
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = doc.load_buffer(xml.constData(), xml.size());
  if (!parsed || std::strcmp(LocalName(doc.document_element()), "styleSheet") != 0)
    throw ESheetError(QStringLiteral("工作簿的样式部分已损坏，无法读取。"));
  doc_.reset(doc);
  // Prefixed style sheets are rare; their element names are made plain so that the
  // lookups below and the parts this model adds agree.
  if (std::strchr(doc_.document_element().name(), ':')) {
    struct Strip : pugi::xml_tree_walker {
      bool for_each(pugi::xml_node& node) override {
        if (node.type() == pugi::node_element) node.set_name(LocalName(node));
        return true;
      }
    } strip;
    pugi::xml_node root = doc_.document_element();
    root.set_name("styleSheet");
    root.traverse(strip);
    if (!root.attribute("xmlns"))
      root.append_attribute("xmlns") = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  }
  Section("fonts", true);
  Section("borders", true);
  Section("cellXfs", true);
  Index();
  if (fonts_.empty()) {
    pugi::xml_node font = Section("fonts", true).append_child("font");
    font.append_child("sz").append_attribute("val") = 11;
    font.append_child("name").append_attribute("val") = "宋体";
    Index();
  }
  if (xfs_.empty()) {
    pugi::xml_node xf = Section("cellXfs", true).append_child("xf");
    for (const char* a : {"numFmtId", "fontId", "fillId", "borderId", "xfId"}) xf.append_attribute(a) = 0;
    Index();
  }
}

QByteArray TWorkbookStyles::Save() const {
  std::ostringstream out;
  out << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)" << '\n';
  doc_.document_element().print(out, "", pugi::format_raw, pugi::encoding_utf8);
  return QByteArray::fromStdString(out.str());
}

pugi::xml_node TWorkbookStyles::Section(const char* name, bool create) {
  pugi::xml_node root = doc_.document_element();
  pugi::xml_node section = Child(root, name);
  if (section || !create) return section;
  // Keep the schema's order of the sections.
  static const char* const order[] = {"numFmts", "fonts", "fills", "borders", "cellStyleXfs", "cellXfs",
                                      "cellStyles", "dxfs", "tableStyles", "colors", "extLst"};
  bool after = false;
  for (const char* other : order) {
    if (std::strcmp(other, name) == 0) {
      after = true;
      continue;
    }
    if (!after) continue;
    if (pugi::xml_node next = Child(root, other)) return root.insert_child_before(name, next);
  }
  return root.append_child(name);
}

void TWorkbookStyles::Index() {
  auto collect = [this](const char* section, const char* item, std::vector<pugi::xml_node>& nodes,
                        QHash<QByteArray, int>& keys) {
    nodes.clear();
    keys.clear();
    for (pugi::xml_node child : Section(section, true).children()) {
      if (std::strcmp(LocalName(child), item) != 0) continue;
      keys.insert(Key(child), static_cast<int>(nodes.size()));
      nodes.push_back(child);
    }
  };
  collect("fonts", "font", fonts_, fontKeys_);
  collect("borders", "border", borders_, borderKeys_);
  collect("cellXfs", "xf", xfs_, xfKeys_);
  customFormats_.clear();
  if (pugi::xml_node numFmts = Section("numFmts", false))
    for (pugi::xml_node fmt : numFmts.children())
      customFormats_.insert(fmt.attribute("numFmtId").as_int(),
                            QString::fromUtf8(fmt.attribute("formatCode").as_string()));
}

QString TWorkbookStyles::NumberFormat(int xf) const {
  const int id = xfs_[ValidXf(xf)].attribute("numFmtId").as_int();
  if (customFormats_.contains(id)) return customFormats_.value(id);
  for (const TBuiltinFormat& f : kBuiltinFormats)
    if (f.Id == id) return QString::fromUtf16(f.Code);
  return QStringLiteral("General");
}

bool TWorkbookStyles::IsTextFormat(int xf) const { return NumberFormat(xf) == u"@"; }

int TWorkbookStyles::HorizontalAlignment(int xf) const {
  return AlignmentValue(Child(xfs_[ValidXf(xf)], "alignment").attribute("horizontal").as_string("general"),
                        xlGeneral);
}

int TWorkbookStyles::VerticalAlignment(int xf) const {
  return AlignmentValue(Child(xfs_[ValidXf(xf)], "alignment").attribute("vertical").as_string("bottom"),
                        xlBottom);
}

bool TWorkbookStyles::WrapText(int xf) const {
  return Child(xfs_[ValidXf(xf)], "alignment").attribute("wrapText").as_bool();
}

pugi::xml_node TWorkbookStyles::FontNode(int xf) const {
  const int id = xfs_[ValidXf(xf)].attribute("fontId").as_int();
  return fonts_[id >= 0 && id < static_cast<int>(fonts_.size()) ? id : 0];
}

TSheetFontInfo TWorkbookStyles::Font(int xf) const {
  const pugi::xml_node font = FontNode(xf);
  TSheetFontInfo info;
  info.Name = QString::fromUtf8(Child(font, "name").attribute("val").as_string());
  info.Size = Child(font, "sz").attribute("val").as_double(11);
  const pugi::xml_node b = Child(font, "b");
  info.Bold = b && b.attribute("val").as_bool(true);
  const pugi::xml_node i = Child(font, "i");
  info.Italic = i && i.attribute("val").as_bool(true);
  return info;
}

bool TWorkbookStyles::HasBorders(int xf) const {
  const int id = xfs_[ValidXf(xf)].attribute("borderId").as_int();
  if (id < 0 || id >= static_cast<int>(borders_.size())) return false;
  for (pugi::xml_node edge : borders_[id].children())
    if (edge.attribute("style")) return true;
  return false;
}

int TWorkbookStyles::AddUnique(pugi::xml_node section, std::vector<pugi::xml_node>& entries,
                               QHash<QByteArray, int>& keys, pugi::xml_node candidate) {
  const QByteArray key = Key(candidate);
  if (auto it = keys.constFind(key); it != keys.constEnd()) return it.value();
  const int index = static_cast<int>(entries.size());
  entries.push_back(section.append_copy(candidate));
  keys.insert(key, index);
  SetCount(section, entries.size());
  return index;
}

int TWorkbookStyles::DeriveXf(int xf, const std::function<void(pugi::xml_node)>& edit) {
  pugi::xml_document scratch;
  pugi::xml_node copy = scratch.append_copy(xfs_[ValidXf(xf)]);
  edit(copy);
  return AddUnique(Section("cellXfs", true), xfs_, xfKeys_, copy);
}

int TWorkbookStyles::DeriveFont(int xf, const std::function<void(pugi::xml_node)>& edit) {
  pugi::xml_document scratch;
  pugi::xml_node copy = scratch.append_copy(FontNode(xf));
  edit(copy);
  const int fontId = AddUnique(Section("fonts", true), fonts_, fontKeys_, copy);
  return DeriveXf(xf, [fontId](pugi::xml_node node) {
    node.attribute("fontId") ? node.attribute("fontId").set_value(fontId) : node.append_attribute("fontId").set_value(fontId);
    SetAttr(node, "applyFont", "1");
  });
}

int TWorkbookStyles::NumFmtIdFor(const QString& code) {
  for (const TBuiltinFormat& f : kBuiltinFormats)
    if (code == QString::fromUtf16(f.Code) && f.Id != 14 && f.Id != 22) return f.Id;
  for (auto it = customFormats_.constBegin(); it != customFormats_.constEnd(); ++it)
    if (it.value() == code) return it.key();
  int id = 164; // the first free number of custom formats
  for (int used : customFormats_.keys()) id = std::max(id, used + 1);
  pugi::xml_node numFmts = Section("numFmts", true);
  pugi::xml_node fmt = numFmts.append_child("numFmt");
  fmt.append_attribute("numFmtId") = id;
  fmt.append_attribute("formatCode") = code.toUtf8().constData();
  customFormats_.insert(id, code);
  SetCount(numFmts, customFormats_.size());
  return id;
}

int TWorkbookStyles::WithNumberFormat(int xf, const QString& code) {
  const int id = NumFmtIdFor(code.isEmpty() ? QStringLiteral("General") : code);
  return DeriveXf(xf, [id](pugi::xml_node node) {
    node.attribute("numFmtId") ? node.attribute("numFmtId").set_value(id) : node.append_attribute("numFmtId").set_value(id);
    SetAttr(node, "applyNumberFormat", "1");
  });
}

int TWorkbookStyles::WithHorizontalAlignment(int xf, int value) {
  return DeriveXf(xf, [value](pugi::xml_node node) {
    SetAttr(EnsureAlignment(node), "horizontal", HorizontalName(value));
    SetAttr(node, "applyAlignment", "1");
  });
}

int TWorkbookStyles::WithVerticalAlignment(int xf, int value) {
  return DeriveXf(xf, [value](pugi::xml_node node) {
    SetAttr(EnsureAlignment(node), "vertical", VerticalName(value));
    SetAttr(node, "applyAlignment", "1");
  });
}

int TWorkbookStyles::WithWrapText(int xf, bool wrap) {
  return DeriveXf(xf, [wrap](pugi::xml_node node) {
    SetAttr(EnsureAlignment(node), "wrapText", wrap ? "1" : nullptr);
    SetAttr(node, "applyAlignment", "1");
  });
}

namespace {
void SetFlagChild(pugi::xml_node font, const char* name, bool on) {
  pugi::xml_node child = Child(font, name);
  if (child) font.remove_child(child);
  if (on) font.prepend_child(name);
}
void SetValChild(pugi::xml_node font, const char* name, const char* value) {
  pugi::xml_node child = Child(font, name);
  if (!child) child = font.append_child(name);
  SetAttr(child, "val", value);
}
} // namespace

int TWorkbookStyles::WithFontBold(int xf, bool bold) {
  return DeriveFont(xf, [bold](pugi::xml_node font) { SetFlagChild(font, "b", bold); });
}

int TWorkbookStyles::WithFontItalic(int xf, bool italic) {
  return DeriveFont(xf, [italic](pugi::xml_node font) { SetFlagChild(font, "i", italic); });
}

int TWorkbookStyles::WithFontSize(int xf, double size) {
  const QByteArray text = QByteArray::number(size, 'g', 6);
  return DeriveFont(xf, [&text](pugi::xml_node font) { SetValChild(font, "sz", text.constData()); });
}

int TWorkbookStyles::WithFontName(int xf, const QString& name) {
  const QByteArray text = name.toUtf8();
  return DeriveFont(xf, [&text](pugi::xml_node font) {
    SetValChild(font, "name", text.constData());
    // A font scheme makes the program use the theme's font instead of the name.
    if (pugi::xml_node scheme = Child(font, "scheme")) font.remove_child(scheme);
  });
}

int TWorkbookStyles::WithBorders(int xf, int lineStyle, int weight) {
  const char* style = BorderStyleName(lineStyle, weight);
  pugi::xml_document scratch;
  pugi::xml_node border = scratch.append_child("border");
  for (const char* edge : {"left", "right", "top", "bottom"}) {
    pugi::xml_node node = border.append_child(edge);
    if (!style) continue;
    node.append_attribute("style") = style;
    node.append_child("color").append_attribute("indexed") = 64;
  }
  border.append_child("diagonal");
  const int borderId = AddUnique(Section("borders", true), borders_, borderKeys_, border);
  return DeriveXf(xf, [borderId](pugi::xml_node node) {
    node.attribute("borderId") ? node.attribute("borderId").set_value(borderId)
                               : node.append_attribute("borderId").set_value(borderId);
    SetAttr(node, "applyBorder", "1");
  });
}

} // namespace fw
