// The port stores and the process-wide port texts on the delivered database.
#include <gtest/gtest.h>

#include "app/u_Function.h"
#include "model/bll_IOPort.h"
#include "platform/Translation.h"
#include "support/TestInstall.h"

class Ports : public FreshInstall {
 protected:
  void TearDown() override {
    FreePortTexts();
    FreshInstall::TearDown();
  }
};

TEST_F(Ports, PortTextsFollowTheLanguage) {
  LoadPortTexts();
  ASSERT_NE(PortTexts(), nullptr);
  const TPortTexts& en = *PortTexts();
  EXPECT_EQ(en.InPortNames, QStringList({"Input 1", "Input 2", "Input 3"}));
  EXPECT_EQ(en.OutPortNames, QStringList({"Output 1", "Output 2", "Output 3"}));
  EXPECT_EQ(en.InFuncNumbers.mid(0, 3), QStringList({"0", "1", "2"}));
  EXPECT_EQ(en.InFuncTexts.mid(0, 3),
            QStringList({"No Setting", "Exit button", "Door bell button"}));
  EXPECT_EQ(en.InFuncNumbers.size(), en.InFuncTexts.size());
  EXPECT_EQ(en.OutFuncNumbers.size(), en.OutFuncTexts.size());
  EXPECT_EQ(InFunctionText(68), "Alarm input 1");
  EXPECT_EQ(OutFunctionText(59), "Custom function 1");
  EXPECT_EQ(InFunctionText(99), "");

  // Loading again replaces the lists rather than adding to them.
  LoadPortTexts();
  EXPECT_EQ(PortTexts()->OutPortNames.size(), 3);
  EXPECT_EQ(PortTexts()->InFuncNumbers.size(), en.InFuncTexts.size());

  LanguageCode = "de";
  gw::UseLanguage("de");
  LoadPortTexts();
  EXPECT_EQ(PortTexts()->InPortNames.first(), "Eingang 1");
  EXPECT_EQ(PortTexts()->OutFuncTexts.first(), "Keine Einstellung");
  EXPECT_EQ(InFunctionText(70), "Benutzerfunktion 1");

  // A language without rows: only "No Setting".
  LanguageCode = "xx";
  gw::UseLanguage("en");
  LoadPortTexts();
  EXPECT_EQ(PortTexts()->InFuncNumbers, QStringList({"0"}));
  EXPECT_EQ(PortTexts()->InFuncTexts, QStringList({"No Setting"}));
  EXPECT_EQ(PortTexts()->OutFuncTexts, QStringList({"No Setting"}));

  FreePortTexts();
  EXPECT_EQ(PortTexts(), nullptr);
  EXPECT_EQ(InFunctionText(68), "");
}

TEST_F(Ports, InputPortsRoundTrip) {
  LoadPortTexts();
  TInPortOperater ports;
  TInPort port;
  port.Portnum = 1;
  port.Fncid = 1;
  port.Bgntime = "2005-04-04 08:30:00";
  port.Endtime = "2005-04-04 17:00:00";
  ports.InsertInPort(port, 7);
  port.Portnum = 3;
  port.Fncid = 42;  // not in the language's table
  port.Isenable = "0";
  port.Ishigh = "1";
  port.Bgntime = "06:00:00";
  ports.InsertInPort(port, 7);
  port.Portnum = 2;
  ports.InsertInPort(port, 8);  // another door

  std::vector<TInPort> loaded = ports.LoadInPorts(7);
  ASSERT_EQ(loaded.size(), 2u);  // port 2 is not set
  EXPECT_EQ(loaded[0].Portnum, 1);
  EXPECT_EQ(loaded[0].PortName, "Input 1");
  EXPECT_EQ(loaded[0].FncText, "Exit button");
  EXPECT_EQ(loaded[0].Bgntime, "08:30:00");
  EXPECT_EQ(loaded[0].Endtime, "17:00:00");
  EXPECT_EQ(loaded[0].Isenable, "1");
  EXPECT_EQ(loaded[1].Portnum, 3);
  EXPECT_EQ(loaded[1].PortName, "Input 3");
  EXPECT_EQ(loaded[1].FncText, "");
  EXPECT_EQ(loaded[1].Bgntime, "06:00:00");
  EXPECT_EQ(loaded[1].Ishigh, "1");

  loaded[1].Fncid = 2;
  ports.UpdateInPort(loaded[1], 7);
  ports.DeleteInPort(1, 7);
  loaded = ports.LoadInPorts(7);
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(loaded[0].FncText, "Door bell button");
  EXPECT_TRUE(ports.LoadInPorts(9).empty());

  // Without loaded texts the names and function texts stay empty.
  FreePortTexts();
  EXPECT_EQ(ports.LoadInPorts(7)[0].PortName, "");
}

TEST_F(Ports, OutputPortsRoundTrip) {
  LoadPortTexts();
  TOutPortOperater ports;
  TOutPort port;
  port.Portnum = 2;
  port.Fncid = 1;
  port.delaytime = 255;
  ports.InsertOutPort(port, 7);
  std::vector<TOutPort> loaded = ports.LoadOutPorts(7);
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(loaded[0].PortName, "Output 2");
  EXPECT_EQ(loaded[0].FncText, "Door lock");
  EXPECT_EQ(loaded[0].delaytime, 255);
  loaded[0].delaytime = 0;
  ports.UpdateOutPort(loaded[0], 7);
  EXPECT_EQ(ports.LoadOutPorts(7)[0].delaytime, 0);
  ports.DeleteOutPort(2, 7);
  EXPECT_TRUE(ports.LoadOutPorts(7).empty());
}

TEST_F(Ports, AFunctionIsUsedOnlyByAnotherPortOfTheSameDoor) {
  ExecSQL(
      "insert into Inportinfo(Did,Portnum,Fncid) values(1,1,17);"
      "insert into Inportinfo(Did,Portnum,Fncid) values(2,1,18);"
      "insert into Outportinfo(did,Portnum,Fncid) values(1,1,33)");
  TInPortOperater in;
  TOutPortOperater out;
  struct Case {
    const char* what;
    bool used;
    bool expected;
  };
  const Case cases[] = {
      {"port 2, function of port 1 of the door", in.InFunctionUsed(2, 17, 1), true},
      {"port 1 itself", in.InFunctionUsed(1, 17, 1), false},
      {"function of port 1 of another door", in.InFunctionUsed(2, 18, 1), false},
      {"output port 3, function of output 1", out.OutFunctionUsed(3, 33, 1), true},
      {"output of another door", out.OutFunctionUsed(3, 33, 2), false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.used, c.expected) << c.what;
}

TEST_F(Ports, RenamingASharedFunctionRenamesBothSides) {
  LoadPortTexts();
  TInPortOperater in;
  TOutPortOperater out;
  EXPECT_TRUE(in.RenameInFunction(70, "Gate's relay"));
  EXPECT_EQ(Scalar("select Fnc_describe from InportFunc where Language='en' and Fncid=70"),
            "Gate's relay");
  EXPECT_EQ(Scalar("select Fnc_describe from OutportFunc where Language='en' and Fncid=59"),
            "Gate's relay");
  EXPECT_EQ(Scalar("select Fnc_describe from InportFunc where Language='de' and Fncid=70"),
            "Benutzerfunktion 1");  // other languages keep their text
  EXPECT_EQ(InFunctionText(70), "Gate's relay");
  EXPECT_EQ(OutFunctionText(59), "Gate's relay");
  EXPECT_TRUE(in.InFunctionTextExists("Gate's relay"));
  EXPECT_TRUE(out.OutFunctionTextExists("Gate's relay"));
  EXPECT_TRUE(in.InFunctionTextExists("Benutzerfunktion 1"));  // any language counts
  EXPECT_FALSE(in.InFunctionTextExists("Nobody's text"));

  EXPECT_TRUE(out.RenameOutFunction(64, "Siren"));
  EXPECT_EQ(Scalar("select Fnc_describe from InportFunc where Language='en' and Fncid=75"),
            "Siren");
  EXPECT_EQ(InFunctionText(75), "Siren");
  EXPECT_EQ(OutFunctionText(64), "Siren");
  EXPECT_FALSE(InTrans());
}
