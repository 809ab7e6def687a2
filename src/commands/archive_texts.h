// The texts the index rebuild and the data archive show, shared by the window's commands
// and kavrina-cli.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kavrina::commands::texts {

// --- the index rebuild
inline constexpr std::string_view kObnavljanjePocetak =
    "Pokrenuli ste obnavljanje indeksnih fajlova.\n"
    "Pre nego sto nastavite sa procedurom obnavljanja\n"
    "OBEZBEDITE da se svi korisnici odjave iz programa.";
inline constexpr std::string_view kObnavljanjeUToku =
    "Obnavljanje indeksnih fajlova. Molim sacekajte...";
inline constexpr std::string_view kIndeksiObrisani =
    "Indeksni fajlovi su uspesno obrisani.\n"
    "Potrebno je ponovo pokrenuti program\n"
    "da bi se zavrsila procedura obnavljanja.";
// The error after a deletion that left `left` index files.
std::string indeksiNisuObrisani(std::size_t left);

// --- the data archive
// A company's (or "DBF"/"NTX") folder is a link the archive cannot follow (it leads into the
// program folder, above it, or where another one leads): the archive is not made.
std::string vezaNijeArhivirana(const std::vector<std::string>& links);
inline constexpr std::string_view kArhiviranjePocetak =
    "Pokrenuli ste arhiviranje podataka.\n"
    "Pre nego sto nastavite sa procedurom arhiviranja\n"
    "OBEZBEDITE da se svi korisnici odjave iz programa,\n"
    "u suprotnom nece svi fajlovi biti arhivirani.";
inline constexpr std::string_view kPrikupljanje =
    "Prikupljanje informacija o fajlovima. Molim sacekajte...";
inline constexpr std::string_view kArhiviranjeUToku = "Arhiviranje u toku. Molim sacekajte...";
inline constexpr std::string_view kArhivaNijeKreirana =
    "Program nije u mogucnosti da kreira fajl sa arhivom podataka.";
inline constexpr std::string_view kArhiviranjePrekinuto =
    "Arhiviranje podataka je prekinuto.\n"
    "Arhiva podataka je obrisana.";
inline constexpr std::string_view kSnimanjeNaslov =
    "Arhiviranje je zavrseno. Odaberite lokaciju za snimanje:";
inline constexpr std::string_view kSnimanjeFilterOpis = "ZIP arhive (*.zip)";
inline constexpr std::string_view kSnimanjeFilter = "*.zip";
inline constexpr std::string_view kLokacijaNijeOdabrana =
    "Niste odabrali lokaciju za snimanje arhive!\n"
    "Arhiva podataka je obrisana.";
inline constexpr std::string_view kRadnaPovrsina =
    "Ne preporucujemo snimanje arhive na radnoj povrsini (Desktop).\n\n"
    "Zelite li da odaberete drugu lokaciju?";
inline constexpr std::string_view kRadniFolder =
    "Nije moguce snimanje arhive u radnom folderu programa.\n\n"
    "Odaberite drugu lokaciju.";
inline constexpr std::string_view kSnimanjeUToku = "Snimanje u toku. Molim sacekajte...";
inline constexpr std::string_view kSnimanjeNijeUspelo =
    "Program nije u mogucnosti da snimi fajl na odabranoj lokaciji!\n"
    "Moguc uzrok: Disk je zasticen ili nema dovoljno mesta na disku.\n\n"
    "Zelite li da odaberete drugu lokaciju?";
inline constexpr std::string_view kSnimanjeOdustao =
    "Niste odabrali lokaciju za snimanje arhive\n"
    "Arhiva podataka je obrisana.";
inline constexpr std::string_view kArhiviranjeZavrseno =
    "Arhiviranje podataka i snimanje arhive je zavrseno.\n"
    "Potrebno je ponovo pokrenuti program.";
// The question before an existing file of the chosen name is replaced.
std::string fajlVecPostoji(std::string_view path);

}  // namespace kavrina::commands::texts
