// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the XML list readers share: the root element they expect, the error
// that stops them, and a position given as lat and lon attributes.
#include <QXmlStreamReader>
#include <string>
#include <string_view>

#include "database/CameraList.h"

// A reader over `bytes`, which stay owned by the caller.
QByteArray XmlBytes(std::string_view bytes);

// Reads up to the root element. False, with `result` Malformed, when the
// document ends or breaks first, or its root is not `root`.
bool EnterRoot(QXmlStreamReader& xml, QStringView root, ListReadResult& result);

// After the last token: a document that broke off is Malformed, with its
// line, column and the reader's own account, and its positions are dropped.
void FinishXml(const QXmlStreamReader& xml, ListReadResult& result);

// The position of an element's lat and lon attributes (swapped when
// `latitudeFirst`): appended to `list`, or skipped with `item` at `line`.
void ReadAttributePosition(const QXmlStreamAttributes& attributes, bool latitudeFirst, int line,
                           const std::string& item, CameraList& list);

int LineOf(const QXmlStreamReader& xml);
