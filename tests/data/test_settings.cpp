// The settings stores on the delivered database.
#include <gtest/gtest.h>

#include "app/u_Function.h"
#include "data/bll_SerialPort.h"
#include "data/bll_config.h"
#include "platform/Translation.h"
#include "support/TestInstall.h"

class Settings : public FreshInstall {};

TEST_F(Settings, TextsRoundTripWithQuotesDoubled) {
  TConfigOp config;
  config.SetLanguage("de");
  config.SetSkin("it's.urf");
  config.SetUserDefine1Caption("Employee's no.");
  config.SetUserDefine2Caption(QString::fromUtf8("部门"));
  EXPECT_EQ(config.GetLanguage(), "de");
  EXPECT_EQ(config.GetSkin(), "it's.urf");
  EXPECT_EQ(config.GetUserDefine1Caption(), "Employee's no.");
  EXPECT_EQ(config.GetUserDefine2Caption(), QString::fromUtf8("部门"));
}

TEST_F(Settings, ValidityYearsFallBackTo50ForUnusableText) {
  TConfigOp config;
  config.SetValidityYears(7);
  EXPECT_EQ(config.GetValidityYears(), 7);
  for (const char* stored : {"''", "'abc'", "'7x'", "null"}) {
    ExecSQL(QString("update PublicInfo set value=%1 where id=2").arg(stored));
    EXPECT_EQ(config.GetValidityYears(), 50) << stored;
  }
  ExecSQL("delete from PublicInfo where id=2");
  EXPECT_EQ(config.GetValidityYears(), 50);
}

TEST_F(Settings, UserFieldCaptionsFallBackToTranslatedDefaults) {
  TConfigOp config;
  EXPECT_EQ(config.GetUserDefine1Caption(), "UserDefine1");
  gw::UseLanguage("de");
  ExecSQL("delete from PublicInfo where id=14");
  EXPECT_EQ(config.GetUserDefine2Caption(), QString::fromUtf8("Benutzerfeld 2"));
}

TEST_F(Settings, MissingRowsReadEmptyAndUpdatesChangeNothing) {
  ExecSQL("delete from PublicInfo where id in (3, 6, 10)");
  TConfigOp config;
  TComOperater com;
  EXPECT_EQ(config.GetLanguage(), "");
  EXPECT_EQ(config.GetSkin(), "");
  EXPECT_EQ(com.GetComPort(), "");
  com.SetComPort("3");
  config.SetLanguage("de");
  EXPECT_EQ(com.GetComPort(), "");
  EXPECT_EQ(config.GetLanguage(), "");
  EXPECT_EQ(Scalar("select count(*) from PublicInfo where id in (3, 6)"), "0");
}

TEST_F(Settings, ComPortTextBecomesCurrentComPort) {
  TComOperater com;
  com.SetComPort("7");
  EXPECT_EQ(com.GetComPort(), "7");
  EXPECT_EQ(LoadCurrentComPort(), 7);
  EXPECT_EQ(CurrentComPort, 7);

  struct Case {
    const char* text;
    int port;
  } cases[] = {{"", 0}, {"   ", 0}, {" 12 ", 12}, {"20", 20}};
  for (const Case& c : cases) EXPECT_EQ(ComPortFromText(c.text), c.port) << c.text;
  EXPECT_THROW(ComPortFromText("COM3"), EConvertError);
  com.SetComPort("x'y");
  EXPECT_EQ(com.GetComPort(), "x'y");
  EXPECT_THROW(LoadCurrentComPort(), EConvertError);
}
