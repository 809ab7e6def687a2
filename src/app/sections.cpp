#include "app/sections.h"

#include <cctype>

#include "common/text.h"

namespace kavrina::app {

Section sectionFromSender(std::string_view sender) {
  if (sender == kSectionFirma) return Section::Firma;
  if (sender == kSectionKavrina) return Section::Kavrina;
  if (sender == kSectionObracuni) return Section::Obracuni;
  return Section::None;
}

std::string_view sectionName(Section section) {
  switch (section) {
    case Section::Firma:
      return kSectionFirma;
    case Section::Kavrina:
      return kSectionKavrina;
    case Section::Obracuni:
      return kSectionObracuni;
    case Section::None:
      break;
  }
  return {};
}

const ListColumns& sectionColumns(Section section) {
  using A = CellAlignment;
  static const ListColumns kNone;
  static const ListColumns kFirma{
      {"Sifra", "Naziv", "Mesto", ""}, {100, 200, 200, 0}, {A::Left, A::Left, A::Left, A::Left}};
  static const ListColumns kKavrina{
      {"Inventarski broj", "Naziv", "Datum nabavke", "Racunovodstvena NV", "Poreska NV",
       "Ispravka vrednosti", "Sadasnja vrednost"},
      {80, 200, 80, 100, 100, 100, 100, 0},
      {A::Left, A::Left, A::Left, A::Right, A::Right, A::Right, A::Right}};
  static const ListColumns kObracuni{{"Baza podataka", "Obracun", "Godina", "Broj Meseci", ""},
                                     {0, 300, 100, 100, 0},
                                     {A::Left, A::Left, A::Centre, A::Centre, A::Left}};
  switch (section) {
    case Section::Firma:
      return kFirma;
    case Section::Kavrina:
      return kKavrina;
    case Section::Obracuni:
      return kObracuni;
    case Section::None:
      break;
  }
  return kNone;
}

namespace {

CommandNode node(std::string text, TreeImage image, std::vector<CommandNode> children = {}) {
  return CommandNode{std::move(text), image, std::move(children)};
}

std::vector<CommandNode> leaves(std::initializer_list<const char*> texts, TreeImage image) {
  std::vector<CommandNode> out;
  for (const char* t : texts) out.push_back(node(t, image));
  return out;
}

}  // namespace

CommandNode commandTree(Section section) {
  using I = TreeImage;
  const std::string name = text::upper(sectionName(section));
  CommandNode root = node("[" + name + "]", I::Action);
  switch (section) {
    case Section::Firma:
      root.children = {node("Aktiviraj", I::Action), node("Trazi", I::Trazi),
                       node("Dodaj", I::Dodaj),      node("Izmeni", I::Izmeni),
                       node("Stampaj", I::Stampaj),  node("Osvezi", I::Osvezi)};
      break;
    case Section::Kavrina:
      root.children = {
          node("Trazi", I::Trazi,
               leaves({"Otpisana Osnovna sredstva", "Neotpisana Osnovna sredstva",
                       "Osnovna sredstva za Org.deo (lokaciju)", "Osnovna sredstva po Kontu"},
                      I::Trazi)),
          node("Dodaj", I::Dodaj, leaves({"Uvoz iz CSV fajla"}, I::Dodaj)),
          node("Izmeni", I::Izmeni),
          node("Otpisi", I::Brisi, leaves({"Nuliraj grupu"}, I::Brisi)),
          node("Brisi", I::Brisi, leaves({"Brisi sve", "Brisi selektivno"}, I::Brisi)),
          node("Stampaj", I::Stampaj,
               leaves({"Spisak", "Popisne liste", "Karticu", "Nalepnice", "Popisne razlike"},
                      I::Stampaj)),
          node("Osvezi", I::Osvezi)};
      break;
    case Section::Obracuni:
      root.children = {
          node("Godisnji obracun", I::Dodaj,
               leaves({"Godisnja Racunovodstvena amortizacija", "Godisnja Poreska amortizacija"},
                      I::Dodaj)),
          node(
              "Periodicni obracun", I::Dodaj,
              leaves({"Periodicna Racunovodstvena amortizacija", "Periodicna Poreska amortizacija"},
                     I::Dodaj)),
          node("Brisi obracun", I::Brisi),
          node("Stampaj", I::Brisi, leaves({"Odabrani obrazac", kNalogCsvCommand}, I::Brisi))};
      break;
    case Section::None:
      break;
  }
  return root;
}

std::string panelCaption(Section section) {
  return std::string(" Kavrina - ") +
         (section == Section::Kavrina ? std::string("Spisak") : std::string(sectionName(section)));
}

}  // namespace kavrina::app
