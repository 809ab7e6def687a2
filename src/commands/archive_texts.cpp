#include "commands/archive_texts.h"

#include "common/output_target.h"

namespace kavrina::commands::texts {

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

std::string vezaNijeArhivirana(const std::vector<std::string>& links) {
  std::string text =
      "Arhiva nije napravljena: folder sa podacima je simbolicka veza koja vodi u folder "
      "programa, iznad njega ili u isti folder kao druga veza:";
  for (const std::string& link : links) text += "\n" + link;
  return text;
}

}  // namespace kavrina::commands::texts
