#include "store/archive/archive_texts.h"

#include "common/output_target.h"

namespace kavrina::store::archive::texts {

std::string indeksiNisuObrisani(std::size_t left) {
  return "Nije uspelo brisanje indeksnih fajlova.\n"
         "Broj fajlova koji nisu obrisani: " +
         std::to_string(left) +
         "\n"
         "Potrebno je ponovo pokrenuti program\n"
         "i ponoviti proceduru obnavljanja.";
}

std::string fajlVecPostoji(std::string_view path) {
  return output::overwriteQuestion(std::string(path));
}

}  // namespace kavrina::store::archive::texts
