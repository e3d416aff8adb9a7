#include "app/Configuration.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QToolButton>

#include "app/u_Function.h"
#include "data/bll_SerialPort.h"
#include "data/bll_config.h"
#include "platform/FormTranslation.h"
#include "platform/Translation.h"

TfrmConfig::TfrmConfig(QWidget* parent) : TfrmBaseEdit(parent) {
  setObjectName(QStringLiteral("frmConfig"));
  setWindowTitle(N_("Configuration"));
  lblHint->setText(N_("Configuration"));

  auto* form = new QFormLayout(pnlInfo);
  form->setContentsMargins(40, 24, 40, 16);
  form->setVerticalSpacing(14);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);

  cmbCom = new QComboBox(pnlInfo);
  cmbCom->setObjectName(QStringLiteral("cmbCom"));
  for (int port = 1; port <= 20; ++port) cmbCom->addItem(QStringLiteral("COM%1").arg(port));
  cmbCom->setMaxVisibleItems(20);
  cmbCom->setMinimumWidth(160);
  lblCom = new QLabel(N_("Serial Port:"), pnlInfo);
  form->addRow(lblCom, cmbCom);

  cmb_lang = new QComboBox(pnlInfo);
  cmb_lang->setObjectName(QStringLiteral("cmb_lang"));
  cmb_lang->setMinimumWidth(160);
  lblLang = new QLabel(N_("Language:"), pnlInfo);
  form->addRow(lblLang, cmb_lang);
  lst_lang = new QListWidget(pnlInfo);
  lst_lang->setObjectName(QStringLiteral("lst_lang"));
  lst_lang->hide();

  sp_invalidate = new QSpinBox(pnlInfo);
  sp_invalidate->setObjectName(QStringLiteral("sp_invalidate"));
  sp_invalidate->setRange(1, 50);
  lblInvalidate = new QLabel(N_("Default User Invalidate(years):"), pnlInfo);
  form->addRow(lblInvalidate, sp_invalidate);

  edt_skin = new QLineEdit(pnlInfo);
  edt_skin->setObjectName(QStringLiteral("edt_skin"));
  edt_skin->setReadOnly(true);
  edt_skin->hide();
  btnSkin = new QToolButton(pnlInfo);
  btnSkin->setObjectName(QStringLiteral("btnSkin"));
  btnSkin->setText(QStringLiteral("..."));
  btnSkin->hide();

  btnIOPort = new QPushButton(N_("Input/Output Setting"), Panel1);
  btnIOPort->setObjectName(QStringLiteral("btnIOPort"));
  ButtonRow()->insertWidget(0, btnIOPort);

  FormCreate();
  SetClientSize(440, 290);
}

void TfrmConfig::FormCreate() {
  TfrmBaseEdit::FormCreate();
  const QStringList codes = gw::InstalledLanguages();
  for (const QString& code : codes) {
    lst_lang->addItem(code);
    cmb_lang->addItem(gw::LanguageDisplayName(code));
  }
  btnIOPort->hide();
  try {
    TComOperater com;
    const QString stored = com.GetComPort();
    if (stored.trimmed().isEmpty())
      cmbCom->setCurrentIndex(-1);
    else
      cmbCom->setCurrentIndex(ComPortFromText(stored) - 1);
  } catch (const std::exception&) {
    cmbCom->setCurrentIndex(-1);
    HintBox(_("Get current serial port error."));
  }
}

void TfrmConfig::FormActivate() {
  int position = -1;
  for (int i = 0; i < lst_lang->count() && position < 0; ++i)
    if (lst_lang->item(i)->text() == LanguageCode) position = i;
  cmb_lang->setCurrentIndex(position);
  TConfigOp config;
  sp_invalidate->setValue(config.GetValidityYears());
  edt_skin->setText(config.GetSkin());
}

void TfrmConfig::showEvent(QShowEvent* event) {
  TfrmBaseEdit::showEvent(event);
  // Activation reads the settings once per opening: re-reading them each time the dialog
  // becomes active again (after a message box) would undo the operator's choices.
  if (!event->spontaneous()) {
    try {
      FormActivate();
    } catch (const std::exception&) {
      HintBox(_("Operation failed."));
    }
  }
}

void TfrmConfig::btnOKClick() {
  TfrmBaseEdit::btnOKClick();
  const int position = cmb_lang->currentIndex();
  // With no language chosen the current one stays.
  if (position >= 0 && position < lst_lang->count())
    LanguageCode = lst_lang->item(position)->text();
  try {
    gw::UseLanguage(LanguageCode);
    TConfigOp config;
    config.SetLanguage(LanguageCode);
    config.SetValidityYears(sp_invalidate->value());
    config.SetSkin(edt_skin->text());
    SkinFile = edt_skin->text();
  } catch (const std::exception&) {
    HintBox(_("Operation failed."));
    return;
  }
  try {
    TComOperater com;
    com.SetComPort(QString::number(cmbCom->currentIndex() + 1));
    accept();
  } catch (const std::exception&) {
    HintBox(_("Set current serial port error."));
  }
}
