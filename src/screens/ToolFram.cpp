#include "screens/ToolFram.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AboutFrm.h"
#include "app/Configuration.h"
#include "app/SysPasswordFrm.h"
#include "device/CommSearchFrm.h"
#include "device/CommSyncFrm.h"
#include "platform/FormTranslation.h"
#include "platform/HelpView.h"
#include "platform/Pictures.h"
#include "screens/PageFrame.h"

namespace {

QToolButton* CommandButton(const QString& caption, const char* name, const char* picture,
                           QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setText(caption);
  button->setIcon(QIcon(Picture(QLatin1String(picture))));
  button->setIconSize(QSize(32, 32));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setAutoRaise(true);
  button->setCursor(Qt::PointingHandCursor);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  button->setMinimumHeight(44);
  QFont font = button->font();
  font.setBold(true);
  button->setFont(font);
  return button;
}

}  // namespace

TframTool::TframTool(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("framTool"));
  PaintPageColour(this);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  auto* column = new QVBoxLayout;
  column->setContentsMargins(18, 18, 12, 18);
  column->setSpacing(10);
  btn_CommSync = CommandButton(N_("Synchronize"), "btn_CommSync", "tool_sync.png", this);
  btn_CommQuery = CommandButton(N_("Search"), "btn_CommQuery", "tool_search.png", this);
  btn_report = CommandButton(N_("Report && Export"), "btn_report", "tool_report.png", this);
  btn_config = CommandButton(N_("Configuration"), "btn_config", "tool_config.png", this);
  sbPassword = CommandButton(N_("Password "), "sbPassword", "tool_password.png", this);
  btn_about = CommandButton(N_("About"), "btn_about", "tool_about.png", this);
  for (QToolButton* b :
       {btn_CommSync, btn_CommQuery, btn_report, btn_config, sbPassword, btn_about})
    column->addWidget(b);
  column->addStretch(1);
  row->addLayout(column, 1);

  wbTool = new THelpView(this);
  wbTool->setObjectName(QStringLiteral("wbTool"));
  wbTool->setFixedWidth(340);
  wbTool->setMinimumHeight(477);
  row->addWidget(wbTool);

  connect(btn_CommSync, &QToolButton::clicked, this, &TframTool::btn_CommSyncClick);
  connect(btn_CommQuery, &QToolButton::clicked, this, &TframTool::btn_CommQueryClick);
  connect(btn_report, &QToolButton::clicked, this, &TframTool::btn_reportClick);
  connect(btn_config, &QToolButton::clicked, this, &TframTool::btn_configClick);
  connect(sbPassword, &QToolButton::clicked, this, &TframTool::sbPasswordClick);
  connect(btn_about, &QToolButton::clicked, this, &TframTool::btn_aboutClick);
}

void TframTool::Retranslate() {
  gw::TranslateForm(this);
}

// The synchronisation, the parameter read-back and the record report come with the device
// link and the record queries.
void TframTool::btn_CommSyncClick() {
  TfrmCommSync dialog(window());
  dialog.exec();
}

void TframTool::btn_CommQueryClick() {
  TfrmCommSearch dialog(window());
  dialog.exec();
}

void TframTool::btn_reportClick() {}

void TframTool::btn_configClick() {
  {
    TfrmConfig dialog(window());
    dialog.exec();
  }
  Retranslate();
  emit ConfigurationClosed();
}

void TframTool::sbPasswordClick() {
  TfrmSysPassword dialog(window());
  dialog.exec();
}

void TframTool::btn_aboutClick() {
  TAboutBox box(window());
  box.exec();
}
