// Form OA's workbook.
#include "reports/oa_workbook.h"

namespace kavrina::reports {

sheet::Workbook oaWorkbook(const store::Program& program, const std::string& title,
                           const std::string& period, const std::array<OaGroupAmounts, 4>& groups) {
  using sheet::Cell;
  using sheet::CellKind;
  constexpr std::array<const char*, 4> kGroupNames{"II", "III", "IV", "V"};
  constexpr std::array<const char*, 4> kGroupRates{"10%", "15%", "20%", "30%"};
  sheet::Sheet s;
  s.name = "OA";
  s.heading = {program.CKORISNIKNAZIV, program.CKORISNIKMESTO, title, period};
  s.columns = {{"Broj grupe", CellKind::Text, 8, false},
               {"Pocetni saldo grupe", CellKind::Amount, 18, true},
               {"Pribavljena sredstva koja se stavljaju u upotrebu", CellKind::Amount, 18, true},
               {"Otudjena sredstva tokom godine", CellKind::Amount, 18, true},
               {"Neotpisana vrednost (2+3-4)", CellKind::Amount, 18, true},
               {"Stopa", CellKind::Text, 8, false},
               {"Amortizacija (5 x 6)", CellKind::Amount, 18, true},
               {"Neotpisana vrednost na kraju godine (5-7)", CellKind::Amount, 18, true}};
  s.totalsLabel = "UKUPNO:";
  for (std::size_t g = 0; g < groups.size(); ++g) {
    auto amount = [&](std::size_t i) {
      return Cell::ofAmount(static_cast<double>(groups[g][i]) / 1000.0);
    };
    s.rows.push_back({Cell::ofText(kGroupNames[g]), amount(0), amount(1), amount(2), amount(3),
                      Cell::ofText(kGroupRates[g]), amount(4), amount(5)});
  }
  return {{s}};
}

}  // namespace kavrina::reports
