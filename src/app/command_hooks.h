// What the commands of the main window hand over to the other subsystems: the forms, the
// calculation, group reset and activation, and the printed documents. The program fills
// these from form_hooks.cpp, depreciation_calls.cpp and report_calls.cpp; tests fill them
// with fakes that record the calls.
#pragma once

#include <functional>

#include "app/list_loaders.h"
#include "app/list_rows.h"
#include "depreciation/asset_list.h"
#include "store/program.h"

namespace kavrina::app {

// The documents a command or a double-click prints.
enum class Document {
  SpisakFirmi,     // StampaSpiskaFirmi
  SpisakOS,        // StampaSpiskaOS
  Popis,           // StampaPopisa
  Kartica,         // StampaKartice
  ORA,             // StampaORA
  OPA,             // StampaOPA
  OA,              // StampaOA
  POA,             // OBRAZACPOA
  Evidencija2019,  // EVIDENCIJAOS01012019
  Nalepnice,       // the asset labels
  PopisneRazlike,  // the count's differences
  Nalog,           // StampaNaloga
  NalogCsv,        // the booking note written as CSV where the user says
};

struct CommandHooks {
  // AKTIVIRAJ: reopens every table for the company in `CSUBDIRFIRME`.
  std::function<void(store::Program&)> AKTIVIRAJ;
  // OBRACUN(accounting, tax, periodic) for `NGODINA` and `NMESECI`.
  std::function<void(store::Program&, bool, bool, bool)> OBRACUN;
  // NULIRAJGRUPU.
  std::function<void(store::Program&)> NULIRAJGRUPU;
  // The present-value lookup for one load of the asset list (gathered once per load).
  std::function<depreciation::PresentValueLookup(store::Session&)> presentValues;
  // The company form, for the code in `CSIFRAFIRME`.
  std::function<void(store::Program&)> companyForm;
  // The asset form, for the inventory number in `CINVENTARSKIBROJ`.
  std::function<void(store::Program&)> assetForm;
  // The import dialog "Uvoz iz CSV fajla"; true when assets were added.
  std::function<bool(store::Program&)> importDialog;
  // A document printed from the grid's current row (empty when the list is empty).
  std::function<void(store::Program&, Document, const ListRow&)> print;
  // The network tasks of the window's first show (error report, version check); true when
  // the program must end (a new version was accepted).
  std::function<bool(store::Program&)> fOSMainOnShow;
};

}  // namespace kavrina::app
