// The texts the online services show, exactly as the user sees them.
#pragma once

#include <string_view>

namespace kavrina::online {

// "a line break" inside a message; "a line feed and a carriage return" where the text says so.
inline constexpr std::string_view kLineBreak = "\r\n";
inline constexpr std::string_view kLfCr = "\n\r";

// Error report at start.
inline constexpr std::string_view kErrorQuestionStart =
    "Program je evidentirao da je doslo do nepredvidjenog prekida rada programa ";
inline constexpr std::string_view kErrorQuestionEnd =
    "Zelite li da informacije o tome (Error.txt/Error.zip) program automatski posalje firmi "
    "Velmar?";
inline constexpr std::string_view kPrenosUToku =
    "Prenos podataka na Velmar ftp server u toku. Molim sacekajte...";
inline constexpr std::string_view kFormiranjeErrorZip =
    "Formiranje Error.zip fajla. Molim sacekajte...";

// Version check at start.
inline constexpr std::string_view kProveraVerzije = "Provera verzije programa. Molim sacekajte...";
inline constexpr std::string_view kNovaVerzijaStart =
    "Na Velmar serveru je postavljena nova verzija programa ";
inline constexpr std::string_view kNovaVerzijaPitanje =
    "Zelite li da instalirate verziju programa ";

// Manual check and download of a new version.
inline constexpr std::string_view kPristupanjeServeru =
    "Pristupanje serveru u toku. Molim sacekajte...";
inline constexpr std::string_view kKonekcijaNijeUspela = "Nije uspela konekcija na server ";
inline constexpr std::string_view kProveriteKonekciju =
    "Proverite vasu internet konekciju i pokusajte ponovo kasnije.";
inline constexpr std::string_view kPodaciNisuDostupni =
    "Podaci o aktuelnoj verziji programa trenutno nisu dostupni.";
inline constexpr std::string_view kAktuelnaVerzija = "Aktuelna verzija programa je: ";
inline constexpr std::string_view kPreuzimanjeVerzije =
    "Preuzimanje nove verzije u toku. Molim sacekajte...";
inline constexpr std::string_view kInstalacijaUToku =
    "Instalacija nove verzije u toku. Molim sacekajte...";
inline constexpr std::string_view kInstaliranaNovaVerzija =
    "Uspešno je instalirana nova verzija programa.";
inline constexpr std::string_view kPonovoPokrenuti = "Potrebno je ponovo pokrenuti program.";
inline constexpr std::string_view kInstalacijaNijeUspela =
    "Nije uspela instalacija nove verzije programa";
inline constexpr std::string_view kPokusajteKasnije = "Pokusajte ponovo kasnije.";
// The program file belongs to the system's packages (or its folder is not writable).
inline constexpr std::string_view kAzuriranjePrekoPaketa =
    "Program je instaliran u folder u koji ne moze da upisuje, pa ne moze sam da se zameni "
    "novom verzijom.";
inline constexpr std::string_view kKoristiteUpravljacPaketima =
    "Novu verziju instalirajte preko upravljaca paketima operativnog sistema.";
// The download arrived whole but is not the file the server's checksum names.
inline constexpr std::string_view kVerzijaNeispravna =
    "Preuzeta nova verzija programa nije ispravna (kontrolni zbir se ne slaze).";
inline constexpr std::string_view kVerzijaNijeInstalirana = "Nova verzija nije instalirana.";

// Failures that are not the internet connection's.
inline constexpr std::string_view kNemaServera =
    "Server nije podesen: u fajlu Kavrina.ini, odeljak Server, nije upisan \"Host\".";
inline constexpr std::string_view kUpisiteServer =
    "Upisite adresu servera u odeljak Server fajla Kavrina.ini i pokusajte ponovo.";
inline constexpr std::string_view kServerBezTls = "Server ne nudi sifrovanu vezu (TLS): ";
inline constexpr std::string_view kProveriteTls =
    "Proverite podesavanje \"TLS\" u odeljku Server fajla Kavrina.ini.";
inline constexpr std::string_view kNemaMestaNaDisku = "Nema dovoljno mesta na disku u folderu: ";
inline constexpr std::string_view kOsloboditeProstor =
    "Oslobodite prostor na disku i pokusajte ponovo.";
inline constexpr std::string_view kIsteklo = "Server nije odgovorio u predvidjenom vremenu: ";

// The update is not a program for this computer.
inline constexpr std::string_view kVerzijaNijeProgram =
    "Preuzeti fajl nije program za ovaj racunar.";
inline constexpr std::string_view kVerzijaNePokrece =
    "Preuzeti program ne moze da se pokrene na ovom racunaru.";
inline constexpr std::string_view kStaraVerzijaOstaje =
    "Nova verzija nije instalirana; program ostaje u dosadasnjoj verziji.";

// Remote support.
inline constexpr std::string_view kPodrskaNijeInstalirana =
    "Program za daljinsku podrsku nije instaliran na vasem racunaru.";
inline constexpr std::string_view kPreuzetiSaServera =
    "Zelite li da preuzmete program sa Velmar servera?";
inline constexpr std::string_view kNijeUspeoPristup =
    "Program nije uspeo da pristupi Velmar serveru.";
inline constexpr std::string_view kPreuzimanjePrograma =
    "Preuzimanje programa u toku. Molim sacekajte...";
inline constexpr std::string_view kPrenosPodrskeNijeUspeo =
    "Nije uspeo prenos programa za daljinsku podrsku sa Velmar servera.";
inline constexpr std::string_view kKlikniteNaOk =
    "Kliknite na Ok i sacekajte da se pokrene program za daljinsku podrsku.";
inline constexpr std::string_view kPodrskaNeispravna =
    "Preuzeti program za daljinsku podrsku nije ispravan (kontrolni zbir se ne slaze).";
inline constexpr std::string_view kPodrskaNijeSacuvana = "Program nije sacuvan.";
inline constexpr std::string_view kPodrskaNeproverena =
    "Nije moguce proveriti da li je program za daljinsku podrsku preuzet u celosti (server "
    "nije naveo velicinu fajla ni kontrolni zbir).";
inline constexpr std::string_view kPodrskaNePokrece =
    "Program za daljinsku podrsku nije moguce pokrenuti.";
inline constexpr std::string_view kProveriteDozvolu =
    "Proverite da li fajl postoji i da li ima dozvolu za pokretanje: ";

}  // namespace kavrina::online
