#include "app/AboutFrm.h"

#include <sqlite3.h>

#include <QApplication>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <boost/version.hpp>

#include "app/u_Function.h"
#include "platform/FormTranslation.h"
#include "platform/Pictures.h"
#include "platform/Translation.h"

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(N_("About"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(24, 20, 24, 20);
  grid->setHorizontalSpacing(18);
  grid->setVerticalSpacing(8);

  ProgramIcon = new QLabel(this);
  ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
  const QIcon icon = QApplication::windowIcon().isNull()
                         ? QIcon(Picture(QStringLiteral("appIcon.png")))
                         : QApplication::windowIcon();
  ProgramIcon->setPixmap(icon.pixmap(64, 64));
  grid->addWidget(ProgramIcon, 0, 0, 3, 1, Qt::AlignTop);

  ProductName = new QLabel(N_("Gatewarden -KV60"), this);
  ProductName->setObjectName(QStringLiteral("ProductName"));
  QFont big = ProductName->font();
  big.setPointSizeF(big.pointSizeF() * 1.5);
  big.setBold(true);
  ProductName->setFont(big);
  grid->addWidget(ProductName, 0, 1);

  Version = new QLabel(this);
  Version->setObjectName(QStringLiteral("Version"));
  grid->addWidget(Version, 1, 1);

  // Credits name the parts by their own names: they are not translated.
  DatabaseCredit =
      new QLabel(QStringLiteral("SQLite %1").arg(QString::fromLatin1(sqlite3_libversion())), this);
  DatabaseCredit->setObjectName(QStringLiteral("DatabaseCredit"));
  gw::KeepUntranslated(DatabaseCredit);
  grid->addWidget(DatabaseCredit, 3, 1);
  TranslationCredit = new QLabel(QStringLiteral("GNU gettext catalogues, Boost.Locale %1.%2")
                                     .arg(BOOST_VERSION / 100000)
                                     .arg(BOOST_VERSION / 100 % 1000),
                                 this);
  TranslationCredit->setObjectName(QStringLiteral("TranslationCredit"));
  gw::KeepUntranslated(TranslationCredit);
  grid->addWidget(TranslationCredit, 4, 1);
  grid->setRowMinimumHeight(2, 12);

  gw::TranslateForm(this);
  Version->setText(_("Ver: ") + AppVersion);
  setFixedSize(sizeHint().expandedTo(QSize(340, 170)));
}

void TAboutBox::mousePressEvent(QMouseEvent* event) {
  event->accept();
  accept();
}
