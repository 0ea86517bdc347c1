// SPDX-License-Identifier: GPL-3.0-or-later
// GPX 1.0 and 1.1: waypoints, and with allPoints the points of routes and
// tracks, each a position in its lat and lon attributes. Elements are told
// apart by their local name, whatever namespace the file declares.
#include "database/qt/FormatReaders.h"
#include "database/qt/XmlListSupport.h"

ListReadResult ReadGpx(std::string_view bytes, const ListReadOptions& options) {
  ListReadResult result;
  QXmlStreamReader xml(XmlBytes(bytes));
  if (!EnterRoot(xml, u"gpx", result)) return result;
  int number = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QStringView name = xml.name();
    const bool waypoint = name == u"wpt";
    const bool routeOrTrack = name == u"rtept" || name == u"trkpt";
    if (!waypoint && !routeOrTrack) continue;
    if (routeOrTrack && !options.allPoints) {
      ++result.list.passedOver;
      continue;
    }
    const std::string item = name.toString().toStdString() + ' ' + std::to_string(++number);
    ReadAttributePosition(xml.attributes(), options.latitudeFirst, LineOf(xml), item, result.list);
  }
  FinishXml(xml, result);
  return result;
}
