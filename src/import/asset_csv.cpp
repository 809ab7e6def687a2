// Reading assets from CSV text: records and fields, the header, and each value's check.
#include "import/asset_csv.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <optional>
#include <set>
#include <unordered_map>

#include "common/decimal.h"
#include "common/text.h"
#include "common/windows_1250.h"
#include "import/csv_number.h"
#include "import/csv_records.h"
#include "store/dbf/dbf_header.h"

namespace kavrina::import {
namespace {

// The columns a file may name, as the asset table spells them.
enum class Column {
  InvBr,
  Naziv,
  DatumN,
  DatumO,
  Dobavljac,
  Dokument,
  RAOsn,
  PAOsn,
  IspVr,
  PKVT,
  RAStopa,
  RAtip,
  PAStopa,
  PAgrupa,
  ODeo,
  Kolicina,
  Konto,
  DuzKonta,
  Count
};
constexpr std::size_t kColumnCount = static_cast<std::size_t>(Column::Count);
constexpr std::array<std::string_view, kColumnCount> kColumnNames = {
    "InvBr",   "Naziv",   "DatumN", "DatumO",   "Dobavljac", "Dokument",
    "RAOsn",   "PAOsn",   "IspVr",  "PKVT",     "RAStopa",   "RAtip",
    "PAStopa", "PAgrupa", "ODeo",   "Kolicina", "Konto",     "DuzKonta"};

constexpr std::size_t kTextWidth = 30;
constexpr std::size_t kKontoDigits = 10;
constexpr int kFirstYear = 1900;

// The kind and range of a numeric column: the form's picture, within the field.
struct NumberRule {
  int decimals;
  double maximum;
  std::string_view kind;  // "iznos", "broj"
};

std::optional<NumberRule> numberRule(Column column) {
  switch (column) {
    case Column::RAOsn:
    case Column::PAOsn:
    case Column::IspVr:
      return NumberRule{3, 99999999999.999, "iznos"};
    case Column::PKVT:
      return NumberRule{2, 999.99, "broj godina"};
    case Column::RAStopa:
    case Column::PAStopa:
      return NumberRule{3, 999.999, "stopa"};
    case Column::RAtip:
      return NumberRule{0, 4, "metod"};
    case Column::ODeo:
      return NumberRule{0, 999, "broj"};
    case Column::Kolicina:
      return NumberRule{0, 9999, "kolicina"};
    case Column::DuzKonta:
      return NumberRule{0, 10, "broj cifara"};
    default:
      return std::nullopt;
  }
}

std::string quotedValue(std::string_view value) {
  return "\"" + std::string(value) + "\"";
}

// One row's values and the refusals found reading them.
class RowReader {
 public:
  RowReader(int line, std::vector<BadRow>& bad, char decimalMark)
      : line_(line), bad_(bad), decimalMark_(decimalMark) {}

  void refuse(Column column, std::string reason) {
    bad_.push_back(
        {line_, std::string(kColumnNames[static_cast<std::size_t>(column)]), std::move(reason)});
    ok_ = false;
  }
  bool ok() const { return ok_; }

  std::optional<double> number(Column column, std::string_view text) {
    const NumberRule rule = *numberRule(column);
    const NumberShape shape = resolved(shapeOf(std::string(text)), decimalMark_);
    if (!shape.valid) {
      refuse(column, "nije " + std::string(rule.kind) + ": " + quotedValue(text));
      return std::nullopt;
    }
    if (shape.negative) {
      refuse(column, "negativna vrednost: " + quotedValue(text));
      return std::nullopt;
    }
    std::string fraction = shape.fraction;
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (fraction.size() > static_cast<std::size_t>(rule.decimals)) {
      refuse(column, "previse decimala (najvise " + std::to_string(rule.decimals) +
                         "): " + quotedValue(text));
      return std::nullopt;
    }
    std::string plain = shape.integer.empty() ? "0" : shape.integer;
    if (!fraction.empty()) plain += "." + fraction;
    const std::size_t significant = plain.find_first_not_of('0');
    if (plain.size() > 20 && significant != std::string::npos && significant + 20 < plain.size()) {
      refuse(column, "prevelika vrednost: " + quotedValue(text));
      return std::nullopt;
    }
    const double value = parseNumber(plain);
    if (value > rule.maximum) {
      refuse(column, "prevelika vrednost (najvise " + formatFixed(rule.maximum, rule.decimals) +
                         "): " + quotedValue(text));
      return std::nullopt;
    }
    return value;
  }

  std::optional<Date> date(Column column, std::string_view text) {
    std::string t = trimmed(text);
    Date date;
    if (t.size() == 10 && t[4] == '-' && t[7] == '-' && allDigits(t.substr(0, 4)) &&
        allDigits(t.substr(5, 2)) && allDigits(t.substr(8, 2))) {
      date = Date::fromYmd(std::stoi(t.substr(0, 4)), std::stoi(t.substr(5, 2)),
                           std::stoi(t.substr(8, 2)));
    } else {
      if (!t.empty() && t.back() == '.') t.pop_back();
      const auto lastPoint = t.rfind('.');
      // Four digits for the year: "1.2.23" is not guessed at.
      if (lastPoint != std::string::npos && t.size() - lastPoint == 5) date = Date::fromText(t);
    }
    if (date.empty() || date.year() < kFirstYear) {
      refuse(column, "pogresan datum (dd.mm.yyyy ili yyyy-mm-dd): " + quotedValue(text));
      return std::nullopt;
    }
    return date;
  }

  std::optional<std::string> text(Column column, std::string_view raw) {
    // A spreadsheet runs a value that begins so as a formula; no name, supplier or document
    // begins so, and the register never hands one on to a spreadsheet.
    const std::size_t first = raw.find_first_not_of(' ');
    if (first != std::string_view::npos && kavrina::text::startsAsFormula(raw.substr(first))) {
      const std::string shown = raw[first] == '\t'   ? "tabulator"
                                : raw[first] == '\r' ? "CR"
                                                     : std::string(1, raw[first]);
      refuse(column,
             "tekst ne sme da pocne znakom \"" + shown +
                 "\" (tako pocinje formula u tabelarnom programu): " + quotedValue(trimmed(raw)));
      return std::nullopt;
    }
    std::string t = trimmed(raw);
    for (char c : t)
      if (static_cast<unsigned char>(c) < 0x20) {
        refuse(column, "tekst sadrzi prelom reda ili tabulator: " + quotedValue(t));
        return std::nullopt;
      }
    if (const auto letter = win1250::firstUnstorableLetter(t)) {
      refuse(column, "znak \"" + *letter + "\" ne moze da se upise u bazu podataka");
      return std::nullopt;
    }
    if (win1250::letterCount(t) > kTextWidth) {
      refuse(column,
             "tekst je duzi od " + std::to_string(kTextWidth) + " znakova: " + quotedValue(t));
      return std::nullopt;
    }
    return upperFirst(t);
  }

  // The form's pictures force the first letter of a name, supplier and document to upper case.
  static std::string upperFirst(std::string t) {
    if (t.empty()) return t;
    if (t[0] >= 'a' && t[0] <= 'z') {
      t[0] = static_cast<char>(t[0] - 'a' + 'A');
      return t;
    }
    static const std::array<std::pair<std::string_view, std::string_view>, 5> kSerbian = {{
        {"\xC4\x8D", "\xC4\x8C"},  // c with caron
        {"\xC4\x87", "\xC4\x86"},  // c with acute
        {"\xC5\xA1", "\xC5\xA0"},  // s with caron
        {"\xC5\xBE", "\xC5\xBD"},  // z with caron
        {"\xC4\x91", "\xC4\x90"},  // d with stroke
    }};
    for (const auto& [lower, upper] : kSerbian)
      if (t.compare(0, lower.size(), lower) == 0)
        return std::string(upper) + t.substr(lower.size());
    return t;
  }

 private:
  int line_;
  std::vector<BadRow>& bad_;
  char decimalMark_;
  bool ok_ = true;
};

std::optional<int> groupOf(std::string_view text) {
  const std::string t = kavrina::text::upper(trimmed(text));
  static constexpr std::array<std::string_view, 5> kRoman = {"I", "II", "III", "IV", "V"};
  for (std::size_t i = 0; i < kRoman.size(); ++i)
    if (t == kRoman[i] || t == std::to_string(i + 1)) return static_cast<int>(i + 1);
  return std::nullopt;
}

// The file's decimal mark: the one the unambiguous numbers of its numeric columns show
// most often, else the one that goes with its separator. `rows` stands after the header.
char fileDecimalMark(RecordReader rows, const std::array<int, kColumnCount>& at, char separator) {
  std::size_t points = 0, commas = 0;
  RawRecord record;
  while (rows.next(record)) {
    for (std::size_t c = 0; c < kColumnCount; ++c) {
      if (at[c] < 0 || !numberRule(static_cast<Column>(c))) continue;
      if (static_cast<std::size_t>(at[c]) >= record.fields.size()) continue;
      const NumberShape shape = shapeOf(record.fields[static_cast<std::size_t>(at[c])]);
      if (!shape.valid || shape.ambiguous) continue;
      if (shape.decimalMark == '.') ++points;
      if (shape.decimalMark == ',') ++commas;
    }
  }
  if (points != commas) return points > commas ? '.' : ',';
  return separator == ';' ? ',' : '.';
}

}  // namespace

std::string describe(const BadRow& bad) {
  std::string text = "Red " + std::to_string(bad.line);
  if (!bad.column.empty()) text += ", kolona " + bad.column;
  return text + ": " + bad.reason;
}

std::size_t badLineCount(const std::vector<BadRow>& bad) {
  std::set<int> lines;
  for (const BadRow& b : bad) lines.insert(b.line);
  return lines.size();
}

AssetCsv readAssetCsv(std::string_view bytes, Date today) {
  AssetCsv csv;
  std::string converted;
  const DecodedText decoded = decode(bytes, converted);
  if (!decoded.problem.empty()) {
    csv.bad.push_back({decoded.badLine, "", decoded.problem});
    return csv;
  }
  csv.windows1250 = decoded.windows1250;
  csv.notes.push_back(std::string("Fajl je procitan kao ") +
                      (csv.windows1250 ? "Windows-1250" : "UTF-8") + ".");
  const std::string_view text = decoded.text;
  csv.separator = separatorOf(text);
  RecordReader reader(text, csv.separator);
  RawRecord header;
  if (!reader.next(header)) {
    csv.bad.push_back({1, "", "fajl je prazan (prvi red treba da nabroji kolone)"});
    return csv;
  }
  if (!header.problem.empty()) {
    csv.bad.push_back({header.line, "", header.problem});
    return csv;
  }

  // The header: each column once, each a field of the asset table.
  std::array<int, kColumnCount> at;
  at.fill(-1);
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    const std::string name = trimmed(header.fields[i]);
    std::size_t column = 0;
    while (column < kColumnCount && !store::sameFieldName(kColumnNames[column], name)) ++column;
    if (column == kColumnCount) {
      csv.bad.push_back({header.line, "",
                         name.empty() ? "kolona " + std::to_string(i + 1) + " nema naziv"
                                      : "nepoznata kolona " + quotedValue(name) +
                                            " (kolone su polja tabele MDOS)"});
    } else if (at[column] >= 0) {
      csv.bad.push_back(
          {header.line, "", "kolona " + std::string(kColumnNames[column]) + " se ponavlja"});
    } else {
      at[column] = static_cast<int>(i);
    }
  }
  for (std::string_view required : kRequiredColumns) {
    std::size_t column = 0;
    while (kColumnNames[column] != required) ++column;
    if (at[column] < 0)
      csv.bad.push_back({header.line, "", "nedostaje kolona " + std::string(required)});
  }
  if (!csv.bad.empty()) return csv;
  if (RawRecord first; !RecordReader(reader).next(first)) {
    csv.bad.push_back({header.line, "", "fajl nema nijedno sredstvo"});
    return csv;
  }

  csv.decimalMark = fileDecimalMark(reader, at, csv.separator);
  std::unordered_map<std::string, int> seenNumbers;  // inventory number -> its line
  // Without a tax base column the tax base is the accounting base.
  const bool taxBaseGiven = at[static_cast<std::size_t>(Column::PAOsn)] >= 0;
  std::size_t taxBaseTaken = 0;
  RawRecord record;
  while (reader.next(record)) {
    if (!record.problem.empty()) {
      csv.bad.push_back({record.line, "", record.problem});
      continue;
    }
    const std::vector<std::string>& fields = record.fields;
    // Empty cells after the last column (a spreadsheet's trailing separators) do not count.
    std::size_t count = fields.size();
    while (count > header.fields.size() && blankText(fields[count - 1])) --count;
    if (count != header.fields.size()) {
      csv.bad.push_back({record.line, "",
                         "red ima " + std::to_string(count) + " kolona, a zaglavlje " +
                             std::to_string(header.fields.size())});
      continue;
    }
    RowReader row(record.line, csv.bad, csv.decimalMark);
    store::AssetRecord r = reg::newAssetRecord("", today);
    auto cell = [&](Column c) -> std::optional<std::string_view> {
      const int i = at[static_cast<std::size_t>(c)];
      if (i < 0) return std::nullopt;
      return std::string_view(fields[static_cast<std::size_t>(i)]);
    };
    // A numeric cell left empty keeps the new asset's value.
    auto number = [&](Column c, double& into) {
      const auto value = cell(c);
      if (!value || blankText(*value)) return;
      if (const auto n = row.number(c, *value)) into = *n;
    };

    const std::string invBr = trimmed(*cell(Column::InvBr));
    if (!allDigits(invBr)) {
      row.refuse(Column::InvBr, "inventarski broj mora biti ceo broj: " + quotedValue(invBr));
    } else if (reg::numberDigits(invBr) == "0") {
      row.refuse(Column::InvBr, "inventarski broj ne moze biti 0");
    } else if (const auto refusal = reg::invBrRefusal(reg::numberDigits(invBr))) {
      row.refuse(Column::InvBr, *refusal);
    } else {
      r.InvBr = reg::numberDigits(invBr);
      const auto [earlier, fresh] = seenNumbers.emplace(r.InvBr, record.line);
      if (!fresh)
        row.refuse(Column::InvBr, "inventarski broj " + r.InvBr + " vec postoji u redu " +
                                      std::to_string(earlier->second));
    }
    if (const auto t = row.text(Column::Naziv, *cell(Column::Naziv))) r.Naziv = *t;
    bool acquired = false;
    if (const auto d = row.date(Column::DatumN, *cell(Column::DatumN))) {
      r.DatumN = *d;
      acquired = true;
    }
    if (const auto value = cell(Column::DatumO); value && !blankText(*value))
      if (const auto d = row.date(Column::DatumO, *value)) r.DatumO = *d;
    if (const auto value = cell(Column::Dobavljac))
      if (const auto t = row.text(Column::Dobavljac, *value)) r.Dobavljac = *t;
    if (const auto value = cell(Column::Dokument))
      if (const auto t = row.text(Column::Dokument, *value)) r.Dokument = *t;
    if (blankText(*cell(Column::RAOsn)))
      row.refuse(Column::RAOsn, "nije upisana Racunovodstvena osnovica");
    number(Column::RAOsn, r.RAOsn);
    number(Column::PAOsn, r.PAOsn);
    if (!taxBaseGiven) r.PAOsn = r.RAOsn;
    number(Column::IspVr, r.IspVr);
    number(Column::PKVT, r.PKVT);
    number(Column::RAStopa, r.RAStopa);
    number(Column::Kolicina, r.Kolicina);
    number(Column::ODeo, r.ODeo);
    double method = r.RAtip;
    number(Column::RAtip, method);
    if (method < 1 || method > 4)
      row.refuse(Column::RAtip, "metod mora biti od 1 do 4");
    else
      r.RAtip = static_cast<int>(method);
    if (const auto value = cell(Column::PAgrupa); value && !blankText(*value)) {
      if (const auto group = groupOf(*value))
        r.PAgrupa = *group;
      else
        row.refuse(Column::PAgrupa,
                   "poreska grupa mora biti od 1 do 5 (ili I do V): " + quotedValue(*value));
    }
    r.PAStopa = reg::groupRate(r.PAgrupa);
    if (const auto value = cell(Column::PAStopa); value && !blankText(*value)) {
      double rate = 0;
      number(Column::PAStopa, rate);
      if (row.ok() && std::llround(rate * 1000) != std::llround(r.PAStopa * 1000))
        row.refuse(Column::PAStopa, "stopa " + formatFixed(rate, 3) + " nije stopa grupe " +
                                        std::to_string(r.PAgrupa) + " (" +
                                        formatFixed(r.PAStopa, 1) + ")");
    }
    if (const auto value = cell(Column::Konto); value && !blankText(*value)) {
      const std::string konto = trimmed(*value);
      if (!allDigits(konto) || konto.size() > kKontoDigits) {
        row.refuse(Column::Konto, "konto je broj od najvise 10 cifara: " + quotedValue(konto));
      } else {
        const reg::StoredKonto typed = reg::storedKonto(konto);
        r.Konto = typed.konto;
        r.DuzKonta = typed.duzKonta;
        double digits = 0;
        if (const auto d = cell(Column::DuzKonta); d && !blankText(*d)) {
          number(Column::DuzKonta, digits);
          const std::string plain = reg::numberDigits(konto);
          if (digits > 0 && digits < static_cast<double>(plain == "0" ? 1 : plain.size()))
            row.refuse(Column::DuzKonta,
                       "konto " + konto + " ima vise cifara od " + formatFixed(digits, 0));
          else if (digits > 0)
            r.DuzKonta = static_cast<int>(digits);  // the leading zeros the column asks for
        }
      }
    }
    if (acquired && !r.DatumO.empty() && r.DatumO < r.DatumN)
      row.refuse(Column::DatumO, "datum otpisa " + r.DatumO.toText() + " je pre datuma nabavke " +
                                     r.DatumN.toText());
    if (std::llround(r.IspVr * 1000) > std::llround(r.RAOsn * 1000))
      row.refuse(Column::IspVr, "Ispravka vrednosti je veca od Racunovodstvene osnovice");
    if (row.ok()) {
      csv.rows.push_back({record.line, std::move(r)});
      if (!taxBaseGiven) ++taxBaseTaken;
    }
  }
  if (taxBaseTaken > 0)
    csv.notes.push_back("PAOsn nije zadat: uzeta je RAOsn za " + std::to_string(taxBaseTaken) +
                        " sredstava");
  return csv;
}

}  // namespace kavrina::import
