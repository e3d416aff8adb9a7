// A week plan: the time segment of each day, Wk[0] Monday .. Wk[6] Sunday.
#pragma once

#include <array>

#include "model/m_ControlParam.h"

class TWeekScheme : public TControlParam {
 public:
  TWeekScheme() : TControlParam(pkWeekScheme) {}

  bool IsValid() const override {
    if (!InRange(WkSchemeId, 0, 99) || !IsValidParamName(WkSchemeName)) return false;
    for (int zone : Wk) {
      if (!InRange(zone, 0, 99)) return false;
    }
    return true;
  }
  std::unique_ptr<TControlParam> Create() const override { return std::make_unique<TWeekScheme>(); }

  int WkSchemeId = 0;
  QString WkSchemeName;
  std::array<int, 7> Wk{};  // columns Wk0 .. Wk6
};
