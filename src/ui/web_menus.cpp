// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/web_menus.h"

#include <QMainWindow>
#include <QMenuBar>

#include "ui/frm_about.h"
#include "ui/frm_help.h"
#include "ui/web_pages.h"

namespace halvora::ui {

void addWebMenus(QMainWindow* window, Platform& platform, const WebMenuNames& names) {
  QMenuBar* bar = window->menuBar();
  QMenu* mnuHelp = bar->addMenu("&Help");
  mnuHelp->setObjectName("mnuHelp");
  QAction* mnuManual = mnuHelp->addAction("&Halvora Help", window, [window] { showHelp(window); });
  mnuManual->setObjectName("mnuManual");
  mnuManual->setShortcut(QKeySequence::HelpContents);
  mnuManual->setStatusTip(QStringLiteral("Opens the manual that comes with the program"));
  mnuHelp->addAction("&Online Help", window, [&platform] { Open_Help_Page(platform.urls); })
      ->setObjectName("mnuOnline");
  mnuHelp->addAction("&Visit Us Online", window, [&platform] { Open_Home_Page(platform.urls); })
      ->setObjectName("mnuVisit");
  mnuHelp->addSeparator()->setObjectName(names.firstSeparator);
  mnuHelp->addAction("Check for Software &Update", window, [&platform] { Open_Download_Page(platform.urls); })
      ->setObjectName("mnuUpdate");
  mnuHelp->addSeparator()->setObjectName(names.secondSeparator);
  mnuHelp->addAction("&About Software", window, [window, &platform] {
    FrmAbout about(platform, window);
    about.exec();
  })->setObjectName("mnuAbout");

  // Menu titles without items act as soon as they are clicked.
  bar->addAction("&Donate", window, [&platform] { Open_Donate_Page(platform.urls); })->setObjectName("mnuDonate");
  bar->addAction("Make Money &Online", window, [&platform] { Open_FullBrand_Page(platform.urls); })
      ->setObjectName(names.makeMoney);
}

}  // namespace halvora::ui
