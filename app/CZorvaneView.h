// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view: fills the frame's client area, draws the map with the camera
// locations and owns the handlers of the program's own commands. Each
// handler lives in app/view/<HandlerName>.cpp.
#include <QWidget>
#include <string>

class CCmdUI;
class CZorvaneDoc;
class DeviceContext;
class MessageBox;

class CZorvaneView : public QWidget {
  Q_OBJECT
 public:
  CZorvaneView(CZorvaneDoc* document, MessageBox* messages, QWidget* parent = nullptr);

  CZorvaneDoc* GetDocument() const { return m_document; }
  // Where the handlers show their messages; tests put a recorder here.
  MessageBox& Messages() const { return *m_messages; }
  void SetMessageBox(MessageBox* messages) { m_messages = messages; }

  // Run at start-up and at every new or opened document: empties the held
  // database and reloads the map.
  void OnInitialUpdate();
  // Releases the held map picture, reads the map file from the working
  // directory again and sets MapLoaded. Never called at paint time.
  void LoadMap();
  // Draws the whole client area: the map, the markers of the held database
  // and white around them.
  void OnDraw(DeviceContext& dc);
  // Repaints at once, before the caller goes on, so that new markers are on
  // screen before the next message box appears. Commands that merge call it.
  void RedrawNow();

  // Database menu.
  void OnReadFromUnit();
  void OnWriteToUnit();
  void OnReadFromFile();
  void OnWriteToFile();
  // Lists the databases kept from the unit's transfers and merges the one
  // chosen, as Read from File merges a file.
  void OnUnitHistory();
  // Options menu.
  void OnComm1();
  void OnComm2();
  void OnUpdateComm1(CCmdUI* pCmdUI);
  void OnUpdateComm2(CCmdUI* pCmdUI);
  void OnUpdateDisplayDatabase(CCmdUI* pCmdUI);
  // Advanced menu.
  void OnImportCameraData();
  void OnUpgradeUnit();
  // A file opened at start-up or with Ctrl+O: read as Read from File reads a
  // database file, or imported as Import Camera Data imports a list.
  void LoadGivenFile(const std::string& path);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CZorvaneDoc* m_document;
  MessageBox* m_messages;
};
