// The three sections of the main window ("Firma", "Kavrina", "Obracuni"): the columns of
// their lists and the commands of their trees, as plain data the window shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kavrina::app {

inline constexpr std::string_view kSectionFirma = "Firma";
inline constexpr std::string_view kSectionKavrina = "Kavrina";
inline constexpr std::string_view kSectionObracuni = "Obracuni";
// The command of the calculations' tree that writes the booking note as CSV.
inline constexpr const char* kNalogCsvCommand = "Nalog za knjizenje (CSV)";
// `CSENDER` from window creation until the first resize.
inline constexpr std::string_view kSenderStart = "Start";

enum class Section { None, Firma, Kavrina, Obracuni };

// The section named by `CSENDER`; None for "Start", "" and anything else.
Section sectionFromSender(std::string_view sender);
std::string_view sectionName(Section section);

enum class CellAlignment { Left, Right, Centre };

// The columns of a section's list: one title and alignment per column; the widths list
// may hold one more entry than the titles (the grid's trailing width), which no column uses.
struct ListColumns {
  std::vector<std::string> titles;
  std::vector<int> widths;
  std::vector<CellAlignment> alignments;
};

// Columns of the section's list; empty for Section::None.
const ListColumns& sectionColumns(Section section);

// Tree images, numbered as the window's image list holds them.
enum class TreeImage { Action = 1, Trazi, Dodaj, Izmeni, Brisi, Stampaj, Osvezi };

// One node of a command tree.
struct CommandNode {
  std::string text;
  TreeImage image = TreeImage::Action;
  std::vector<CommandNode> children;
};

// The section's command tree: the root "[NAME]" (image 1) with its commands below.
CommandNode commandTree(Section section);

// The caption of `Panel1` for the section: " Kavrina - " and "Spisak" for the assets,
// otherwise the section's name.
std::string panelCaption(Section section);

}  // namespace kavrina::app
