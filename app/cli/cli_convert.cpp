// tallix-cli convert: the converter's tape block for a display value and a
// unit, through the same code as the popup.
#include <ostream>

#include "app/cli/cli_commands.h"
#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"
#include "tools/convert/conversion.h"
#include "tools/convert/unit_catalog.h"

namespace tallix::cli {
namespace {

constexpr std::string_view kCommand = "convert";

int ListUnits(std::ostream& out) {
  for (int number = 1; number <= convert::kCategoryCount; ++number) {
    const convert::Category& category = convert::CategoryAt(number);
    out << category.name << '\n';
    for (const std::string_view unit : category.units) out << "  " << unit << '\n';
  }
  return 0;
}

}  // namespace

int RunConvert(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && args[0] == "--list") return ListUnits(out);
  if (args.size() != 2) {
    err << "tallix-cli convert: expected VALUE UNIT (or --list)\n";
    return 2;
  }
  const auto unit = convert::FindUnit(args[1]);
  if (!unit) {
    err << "tallix-cli convert: unknown unit " << QuoteInput(args[1]) << " (tallix-cli convert --list names them)\n";
    return 2;
  }
  const std::string valueText = convert::ValueText(args[0]);
  const bool isNumber = ReportIfNotNumber(kCommand, "VALUE", valueText, err);

  BasicEngineHost host;
  MemorySettings settings;
  Engine engine(host, settings);
  const std::string_view unitName = convert::CategoryAt(unit->category).units[static_cast<std::size_t>(unit->unit)];
  convert::WriteConversion(engine, host, valueText, unitName, convert::ItemData(unit->category, unit->unit));
  bool overflowed = false;
  for (std::size_t i = 0; i < host.tape.size(); ++i) {
    out << host.tape[i] << '\n';
    // The header repeats VALUE as typed; the lines after it are results.
    overflowed |= i > 0 && ShowsNotFinite(host.tape[i]);
  }
  if (overflowed) err << "tallix-cli convert: a result is too large to show, as the Infinity lines say\n";
  return isNumber && !overflowed ? 0 : 1;
}

}  // namespace tallix::cli
