#include "app/report_calls.h"

#include "app/depreciation_calls.h"
#include "app/tfosmain.h"

namespace kavrina::app {

void printDocument(TFOSMAIN& window, store::Program& program, Document document,
                   const ListRow& row) {
  switch (document) {
    case Document::SpisakFirmi:
    case Document::SpisakOS:
    case Document::Popis:
    case Document::Kartica:
    case Document::ORA:
    case Document::OPA:
    case Document::OA:
    case Document::POA:
    case Document::Evidencija2019:
      showNotAvailable();
      break;
  }
}

}  // namespace kavrina::app
