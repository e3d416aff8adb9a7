#include "support/SimLine.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/u_Function.h"
#include "comm/PortPool.h"
#include "comm/u_MjComm.h"
#include "data/bll_SerialPort.h"

SimLine::SimLine(int comNo)
    : FComNo(comNo), FFolder(QDir::current().filePath(QStringLiteral("ports"))) {
  qputenv("GATEWARDEN_PORTS", QFile::encodeName(FFolder));
  EXPECT_TRUE(line.Start(FFolder, comNo)) << line.ErrorString().toStdString();
  TComOperater().SetComPort(QString::number(comNo));
  CurrentComPort = comNo;
}

SimLine::~SimLine() {
  if (Frm_MjComm()) ClosePort(FComNo);
  line.Stop();
  qunsetenv("GATEWARDEN_PORTS");
}

kv60sim::Controller& SimLine::Add(int devNo, const QString& serial, const QString& version) {
  const QString number =
      serial.isEmpty() ? QStringLiteral("%1").arg(devNo, 9, 10, QLatin1Char('0')) : serial;
  return line.AddController(devNo, number, version);
}
