// SPDX-License-Identifier: GPL-3.0-or-later
// OpenStreetMap XML: the nodes tagged highway=speed_camera. Every other node
// is a point of a road or a building, not a camera, and is passed over
// silently; so is a node an editor marked deleted.
#include "database/qt/FormatReaders.h"
#include "database/qt/XmlListSupport.h"

namespace {

struct Node {
  QXmlStreamAttributes attributes;
  int line = 0;
  bool camera = false;
  bool deleted = false;
};

bool IsCameraTag(const QXmlStreamAttributes& tag) {
  return tag.value(QStringLiteral("k")) == u"highway" && tag.value(QStringLiteral("v")) == u"speed_camera";
}

}  // namespace

ListReadResult ReadOsm(std::string_view bytes, const ListReadOptions& options) {
  ListReadResult result;
  QXmlStreamReader xml(XmlBytes(bytes));
  if (!EnterRoot(xml, u"osm", result)) return result;
  std::optional<Node> node;
  while (!xml.atEnd()) {
    const QXmlStreamReader::TokenType token = xml.readNext();
    if (token == QXmlStreamReader::StartElement && xml.name() == u"node") {
      const QXmlStreamAttributes attributes = xml.attributes();
      const bool deleted = attributes.value(QStringLiteral("action")) == u"delete" ||
                           attributes.value(QStringLiteral("visible")) == u"false";
      node = Node{attributes, LineOf(xml), false, deleted};
    } else if (token == QXmlStreamReader::StartElement && node && xml.name() == u"tag") {
      node->camera = node->camera || IsCameraTag(xml.attributes());
    } else if (token == QXmlStreamReader::EndElement && node && xml.name() == u"node") {
      if (node->camera && node->deleted) ++result.list.passedOver;
      if (node->camera && !node->deleted) {
        const std::string item = "node " + node->attributes.value(QStringLiteral("id")).toString().toStdString();
        ReadAttributePosition(node->attributes, options.latitudeFirst, node->line, Excerpt(item), result.list);
      }
      node.reset();
    }
  }
  FinishXml(xml, result);
  return result;
}
