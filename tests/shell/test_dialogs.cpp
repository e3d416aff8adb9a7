// The dialog bases, the configuration dialog, the system password dialog and the About box.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "ShellTest.h"
#include "app/AboutFrm.h"
#include "app/BaseSetFrm.h"
#include "app/Configuration.h"
#include "app/LoginFrm.h"
#include "app/ShowBaseFrm.h"
#include "app/SysPasswordFrm.h"
#include "app/bll_Login.h"
#include "app/u_Function.h"
#include "platform/FormTranslation.h"
#include "platform/Translation.h"

// ---- bases ---------------------------------------------------------------------------------

namespace {

class TfrmSample : public TfrmBaseEdit {
 public:
  TfrmSample() {
    lblHint->setText(N_("System Password Setting"));
    FormCreate();
    SetClientSize(300, 200);
  }
};

class TfrmSampleShow : public TfrmShowBase {
 public:
  TfrmSampleShow() {
    lbl_title->setText(N_("Configuration"));
    FormCreate();
  }
};

}  // namespace

class DialogBases : public ShellTest {};

TEST_F(DialogBases, OkLeavesTheDecisionToTheDescendantAndEveryCancelCloses) {
  const struct {
    const char* how;
    void (*act)(TfrmSample&);
    bool closes;
  } cases[] = {
      {"OK", [](TfrmSample& d) { QTest::mouseClick(d.btnOK, Qt::LeftButton); }, false},
      {"Cancel", [](TfrmSample& d) { QTest::mouseClick(d.btnCancel, Qt::LeftButton); }, true},
      {"hidden cancel button", [](TfrmSample& d) { d.bbtnCancel->click(); }, true},
      {"Escape", [](TfrmSample& d) { QTest::keyClick(&d, Qt::Key_Escape); }, true},
      {"close box", [](TfrmSample& d) { d.close(); }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    TfrmSample dialog;
    dialog.show();
    c.act(dialog);
    EXPECT_EQ(!dialog.isVisible(), c.closes);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
  }
}

TEST_F(DialogBases, CaptionsAreTranslatedAtCreationAndSizesFitTheTexts) {
  gw::UseLanguage("de");
  TfrmSample dialog;
  EXPECT_EQ(dialog.btnOK->text(), "&OK");
  EXPECT_EQ(dialog.btnCancel->text(), "&Abbrechen");
  EXPECT_EQ(dialog.lblHint->text(), "Systempasswort ändern");
  EXPECT_TRUE(dialog.btnOK->isDefault());
  EXPECT_GE(dialog.width(), 300);
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_LT(dialog.bbtnCancel->geometry().right(), 0);  // outside the visible area
  dialog.show();
  dialog.layout()->activate();
  // The parts are stacked, none laid over another.
  EXPECT_EQ(dialog.imgTop->geometry(), QRect(0, 0, dialog.width(), 56));
  EXPECT_EQ(dialog.pnlInfo->y(), 56);
  EXPECT_EQ(dialog.imgLine->y(), dialog.pnlInfo->geometry().bottom() + 1);
  EXPECT_EQ(dialog.imgLine->height(), 4);
  EXPECT_EQ(dialog.Panel1->geometry(), QRect(0, dialog.height() - 67, dialog.width(), 67));
  EXPECT_EQ(dialog.imgLine->geometry().bottom() + 1, dialog.Panel1->y());
  EXPECT_GT(dialog.pnlInfo->height(), 0);

  TfrmSampleShow info;
  EXPECT_EQ(info.lbl_title->text(), "Einstellungen");
  EXPECT_EQ(info.lbl_title->font().pixelSize(), 17);
  EXPECT_TRUE(info.windowFlags() & Qt::FramelessWindowHint);
  info.show();
  info.layout()->activate();
  info.Panel1->layout()->activate();
  EXPECT_EQ(info.imgHitTop->height(), 28);
  EXPECT_EQ(info.imgHitMain->y(), info.imgHitTop->geometry().bottom() + 1);
  EXPECT_GT(info.imgHitMain->height(), 300);
  QTest::mouseClick(info.sbClose, Qt::LeftButton);
  EXPECT_FALSE(info.isVisible());
}

// ---- configuration -------------------------------------------------------------------------

class Configuration : public ShellTest {
 protected:
  std::unique_ptr<TfrmConfig> Open() {
    auto dialog = std::make_unique<TfrmConfig>();
    dialog->show();  // activation reads the settings
    return dialog;
  }
};

TEST_F(Configuration, OpensWithTheStoredSerialPort) {
  const struct {
    const char* stored;
    int item;  // -1: no port selected
    bool error;
  } cases[] = {{"3", 2, false},   {"1", 0, false},    {"20", 19, false}, {" 7 ", 6, false},
               {"", -1, false},   {"   ", -1, false}, {"0", -1, false},  {"25", -1, false},
               {"abc", -1, true}, {"COM3", -1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    messages.Clear();
    Exec(QStringLiteral("update PublicInfo set value='%1' where id=6").arg(c.stored));
    auto dialog = Open();
    EXPECT_EQ(dialog->cmbCom->currentIndex(), c.item);
    EXPECT_EQ(messages.hints,
              c.error ? QStringList{"Get current serial port error."} : QStringList());
    EXPECT_TRUE(dialog->isVisible());
  }
}

TEST_F(Configuration, ListsPortsAndInstalledLanguagesAndHidesTheSkinAndPortButton) {
  auto dialog = Open();
  ASSERT_EQ(dialog->cmbCom->count(), 20);
  EXPECT_EQ(dialog->cmbCom->itemText(0), "COM1");
  EXPECT_EQ(dialog->cmbCom->itemText(19), "COM20");
  EXPECT_EQ(dialog->cmbCom->maxVisibleItems(), 20);
  QStringList names, codes;
  for (int i = 0; i < dialog->cmb_lang->count(); ++i) names << dialog->cmb_lang->itemText(i);
  for (int i = 0; i < dialog->lst_lang->count(); ++i) codes << dialog->lst_lang->item(i)->text();
  EXPECT_EQ(codes, QStringList({"en", "de", "zh_CN"}));
  EXPECT_EQ(names, QStringList({"English", "Deutsch", QString::fromUtf8("简体中文")}));
  EXPECT_FALSE(dialog->lst_lang->isVisible());
  EXPECT_FALSE(dialog->edt_skin->isVisible());
  EXPECT_FALSE(dialog->btnIOPort->isVisible());
  EXPECT_EQ(dialog->sp_invalidate->minimum(), 1);
  EXPECT_EQ(dialog->sp_invalidate->maximum(), 50);
  EXPECT_EQ(dialog->windowTitle(), "Configuration");
}

TEST_F(Configuration, ActivationShowsLanguageValidityAndSkin) {
  const struct {
    const char* language;
    const char* validity;
    int language_item;
    int years;
  } cases[] = {{"de", "7", 1, 7},
               {"zh_CN", "50", 2, 50},
               {"en", "abc", 0, 50},
               {"xx", "", -1, 50},
               {"", "1", -1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    LanguageCode = c.language;
    Exec(QStringLiteral("update PublicInfo set value='%1' where id=2").arg(c.validity));
    Exec("update PublicInfo set value='other.urf' where id=10");
    auto dialog = Open();
    EXPECT_EQ(dialog->cmb_lang->currentIndex(), c.language_item);
    EXPECT_EQ(dialog->sp_invalidate->value(), c.years);
    EXPECT_EQ(dialog->edt_skin->text(), "other.urf");
  }
}

TEST_F(Configuration, OkStoresTheChoicesSwitchesTheLanguageAndCarriesTheSkinThrough) {
  Exec("update PublicInfo set value='other.urf' where id=10");
  auto dialog = Open();
  dialog->cmbCom->setCurrentIndex(3);
  dialog->cmb_lang->setCurrentIndex(2);
  dialog->sp_invalidate->setValue(12);
  dialog->btnOKClick();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(messages.all.isEmpty());
  EXPECT_EQ(Scalar("select value from PublicInfo where id=6"), "4");
  EXPECT_EQ(Scalar("select value from PublicInfo where id=3"), "zh_CN");
  EXPECT_EQ(Scalar("select value from PublicInfo where id=2"), "12");
  EXPECT_EQ(Scalar("select value from PublicInfo where id=10"), "other.urf");
  EXPECT_EQ(LanguageCode, "zh_CN");
  EXPECT_EQ(SkinFile, "other.urf");
  EXPECT_EQ(_("Hint"), QString::fromUtf8("提示"));
}

TEST_F(Configuration, OkWithNoLanguageSelectedKeepsTheCurrentLanguage) {
  for (const char* current : {"de", "xx"}) {
    SCOPED_TRACE(current);
    LanguageCode = current;
    gw::UseLanguage(current);
    auto dialog = Open();
    dialog->cmb_lang->setCurrentIndex(-1);
    dialog->btnOKClick();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(messages.all.isEmpty());
    EXPECT_EQ(LanguageCode, current);
    EXPECT_EQ(gw::CurrentLanguage(), current);
    EXPECT_EQ(Scalar("select value from PublicInfo where id=3"), current);
  }
}

TEST_F(Configuration, OkWithNoPortSelectedStoresPortZero) {
  Exec("update PublicInfo set value='' where id=6");
  auto dialog = Open();
  ASSERT_EQ(dialog->cmbCom->currentIndex(), -1);
  dialog->btnOKClick();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(Scalar("select value from PublicInfo where id=6"), "0");
}

TEST_F(Configuration, AFailedSaveSaysWhatFailedAndKeepsTheDialogOpen) {
  {
    RefuseUpdatesOfSetting(2);
    auto dialog = Open();
    dialog->cmbCom->setCurrentIndex(4);
    dialog->btnOKClick();
    EXPECT_EQ(messages.hints, QStringList{"Operation failed."});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Scalar("select value from PublicInfo where id=6"), "1");  // port not saved
    Exec("drop trigger refuse_2");
  }
  messages.Clear();
  {
    RefuseUpdatesOfSetting(6);
    auto dialog = Open();
    dialog->cmb_lang->setCurrentIndex(1);
    dialog->cmbCom->setCurrentIndex(4);
    dialog->btnOKClick();
    EXPECT_EQ(messages.hints.size(), 1);
    // The language is already switched and saved when the port fails.
    EXPECT_EQ(messages.hints.value(0), _("Set current serial port error."));
    EXPECT_EQ(messages.hints.value(0),
              "Die serielle Schnittstelle konnte nicht gespeichert werden.");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Scalar("select value from PublicInfo where id=3"), "de");
    EXPECT_EQ(Scalar("select value from PublicInfo where id=6"), "1");
  }
}

TEST_F(Configuration, IsTranslatedButNamesAndPortsAreNot) {
  gw::UseLanguage("de");
  LanguageCode = "de";
  auto dialog = Open();
  EXPECT_EQ(dialog->windowTitle(), "Einstellungen");
  EXPECT_EQ(dialog->lblCom->text(), "Serielle Schnittstelle:");
  EXPECT_EQ(dialog->lblInvalidate->text(), "Gültigkeit neuer Benutzer (Jahre):");
  EXPECT_EQ(dialog->cmbCom->itemText(2), "COM3");
  EXPECT_EQ(dialog->cmb_lang->itemText(0), "English");
  EXPECT_EQ(dialog->cmb_lang->currentIndex(), 1);
}

// ---- system password -----------------------------------------------------------------------

class SystemPassword : public ShellTest {
 protected:
  static bool LoginAccepts(const QString& password) {
    TfrmLogin login;
    login.show();
    login.edtPassword->setText(password);
    login.btnOKClick();
    return login.LoggedIn;
  }
};

TEST_F(SystemPassword, RefusesAWrongOldPasswordADifferingConfirmationAndADatabaseError) {
  TLoginOperater().SetPassword("Secret");
  const struct {
    const char* name;
    const char* oldPassword;
    const char* newPassword;
    const char* confirm;
    const char* message;
    QLineEdit* TfrmSysPassword::*focus;
    bool breakDatabase;
  } cases[] = {
      {"wrong old password", "secret", "new", "new", "Old password is not correct.",
       &TfrmSysPassword::edtOldPwd, false},
      {"old password one character short", "Secre", "new", "new", "Old password is not correct.",
       &TfrmSysPassword::edtOldPwd, false},
      {"empty old password", "", "new", "new", "Old password is not correct.",
       &TfrmSysPassword::edtOldPwd, false},
      {"confirmation differs", "Secret", "new", "New",
       "The new passord and the confirm password are different", &TfrmSysPassword::edtConfirmPwd,
       false},
      {"confirmation missing", "Secret", "new", "",
       "The new passord and the confirm password are different", &TfrmSysPassword::edtConfirmPwd,
       false},
      {"database error", "Secret", "new", "new", "Setting password error.", nullptr, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    messages.Clear();
    if (c.breakDatabase) Exec("alter table PublicInfo rename to PublicInfoGone");
    TfrmSysPassword dialog;
    dialog.show();
    dialog.edtOldPwd->setText(c.oldPassword);
    dialog.edtNewPwd->setText(c.newPassword);
    dialog.edtConfirmPwd->setText(c.confirm);
    dialog.btnOKClick();
    EXPECT_EQ(messages.hints, QStringList{c.message});
    EXPECT_TRUE(dialog.isVisible());
    if (c.focus) {
      EXPECT_EQ(dialog.focusWidget(), dialog.*c.focus);
    }
    if (c.breakDatabase) Exec("alter table PublicInfoGone rename to PublicInfo");
    EXPECT_EQ(Scalar("select value from PublicInfo where id=1"), "Secret");
  }
}

TEST_F(SystemPassword, StoresTheNewPasswordAsTypedForTheNextLogin) {
  for (const QString& password :
       {QStringLiteral("it's"), QStringLiteral("Ä ' \" ;--"), QString()}) {
    SCOPED_TRACE(password.toStdString());
    const QString old = TLoginOperater().GetPassword();
    TfrmSysPassword dialog;
    dialog.show();
    dialog.edtOldPwd->setText(old);
    dialog.edtNewPwd->setText(password);
    dialog.edtConfirmPwd->setText(password);
    dialog.btnOKClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.all.isEmpty());
    EXPECT_EQ(Scalar("select value from PublicInfo where id=1"), password);
    EXPECT_TRUE(LoginAccepts(password));
    EXPECT_FALSE(LoginAccepts(password + "x"));
    messages.Clear();
  }
}

TEST_F(SystemPassword, EditsHideWhatIsTypedAndCancelChangesNothing) {
  TfrmSysPassword dialog;
  EXPECT_EQ(dialog.windowTitle(), "System Password");
  EXPECT_EQ(dialog.lblHint->text(), "System Password Setting");
  for (QLineEdit* edit : {dialog.edtOldPwd, dialog.edtNewPwd, dialog.edtConfirmPwd})
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
  dialog.show();
  dialog.edtOldPwd->setText("123456");
  dialog.edtNewPwd->setText("x");
  dialog.edtConfirmPwd->setText("x");
  dialog.btnCancelClick();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(Scalar("select value from PublicInfo where id=1"), "123456");
}

// ---- About ---------------------------------------------------------------------------------

class About : public ShellTest {};

TEST_F(About, ShowsProductVersionAndCreditsAndClosesOnAClick) {
  AppVersion = "1.2.3";
  for (const char* code : {"en", "de"}) {
    SCOPED_TRACE(code);
    gw::UseLanguage(code);
    TAboutBox box;
    EXPECT_EQ(box.Version->text(),
              QString(code == QString("de") ? "Version: " : "Ver: ") + "1.2.3");
    EXPECT_EQ(box.windowTitle(), code == QString("de") ? "Info" : "About");
    EXPECT_EQ(box.ProductName->text(), "Gatewarden -KV60");
    EXPECT_TRUE(box.DatabaseCredit->text().startsWith("SQLite 3."));
    EXPECT_TRUE(box.TranslationCredit->text().contains("gettext"));
    EXPECT_FALSE(box.ProgramIcon->pixmap().isNull());
    box.show();
    QTest::mouseClick(box.DatabaseCredit, Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
  }
}
