// A time segment (day plan): one day divided into five consecutive slots, each with a door
// opening mode ("flow": 1 by card, 2 by card and password, 3 closed, 4 open).
#pragma once

#include <array>

#include "model/m_ControlParam.h"

struct TTimeSlot {
  QString Bgn;  // "HH:MM:SS"
  QString End;  // "HH:MM:SS"
  int Flow = 1;
};

class TTimeZone : public TControlParam {
 public:
  TTimeZone() : TControlParam(pkTimeZone) {}

  bool IsValid() const override {
    if (!InRange(ZoneId, 0, 99) || !IsValidParamName(ZoneName)) return false;
    for (const TTimeSlot& slot : Slots) {
      if (!InRange(slot.Flow, 1, 4) || slot.Bgn.size() > 8 || slot.End.size() > 8) return false;
    }
    return true;
  }
  std::unique_ptr<TControlParam> Create() const override { return std::make_unique<TTimeZone>(); }

  int ZoneId = 0;
  QString ZoneName;
  // Slots[0] is slot 1 (Bgn1, End1, Flow1) .. Slots[4] slot 5.
  std::array<TTimeSlot, 5> Slots;
};
