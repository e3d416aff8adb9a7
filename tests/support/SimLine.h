// A simulated controller line for device tests: kv60sim answering on COMn of the running
// test's installation folder. Create it inside a FreshInstall test (after its SetUp):
//
//   SimLine sim;                          // COM1: <installation>/ports/COM1, GATEWARDEN_PORTS
//   kv60sim::Controller& door = sim.Add(1);  // device 1, serial "000000001"
//   ASSERT_EQ(OpenPort(sim.ComNo()), 0);
//   ... MjTestOnline(sim.ComNo(), 1) ...; sim.line.AddFault(kv60sim::Fault::NoAnswer());
//
// It also stores the port in setting 6 and in CurrentComPort, so engines and windows that read
// the setting find the line. When it goes it closes the port in the pool, stops the line and
// unsets GATEWARDEN_PORTS.
#pragma once

#include <QString>

#include "kv60sim/Kv60Sim.h"

class SimLine {
 public:
  explicit SimLine(int comNo = 1);
  ~SimLine();
  SimLine(const SimLine&) = delete;
  SimLine& operator=(const SimLine&) = delete;

  int ComNo() const { return FComNo; }
  QString PortsFolder() const { return FFolder; }
  // A controller; the serial number defaults to the device number in 9 digits.
  kv60sim::Controller& Add(int devNo, const QString& serial = QString(),
                           const QString& version = QString::fromLatin1(kv60sim::kDefaultVersion));

  kv60sim::Line line;

 private:
  int FComNo;
  QString FFolder;
};
