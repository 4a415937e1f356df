// Kelvorin - desktop workbench for vibrational calculations.
#include "ui/export_menu.hpp"

#include "app/exchange.hpp"
#include "ui/desktop.hpp"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace kel::ui {

namespace {
constexpr const char* MenuTitle = "E&xport";
constexpr const char* XyzAction = "&XYZ file (.xyz)";
constexpr const char* MoldenAction = "&Molden file (.molden): structure and modes";
}  // namespace

void addExportMenu(QMainWindow& window, App& app, Desktop& desk) {
  QMenu* menu = window.menuBar()->addMenu(MenuTitle);
  menu->setObjectName("exportMenu");
  // Nothing to export, or an operation running: the entries wait.
  QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, &app] {
    for (QAction* a : menu->actions()) a->setEnabled(app.m.NAt > 0 && !app.busy);
  });
  QAction* xyz = menu->addAction(XyzAction);
  xyz->setObjectName("exportXyz");
  QObject::connect(xyz, &QAction::triggered, menu, [&app, &desk] {
    exportXyz(app);
    desk.after();
  });
  QAction* molden = menu->addAction(MoldenAction);
  molden->setObjectName("exportMolden");
  QObject::connect(molden, &QAction::triggered, menu, [&app, &desk] {
    exportMolden(app);
    desk.after();
  });
}

}  // namespace kel::ui
