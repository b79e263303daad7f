#pragma once
// The loan window's 20 named profiles in the "Loan Settings" section of
// Tallix.ini ("Name1".."Name20" with their "Principal", "Interest", "Years",
// "StartDate" and "CompoundingPeriods"). Profiles are found by their name, so
// no two may share one. Every change is written at once.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/settings_port.h"
#include "tools/loan/loan_texts.h"

namespace tallix::loan {

inline constexpr int kProfileSlots = 20;

// A slot's values as stored; a slot with an empty name is free.
struct LoanProfile {
  std::string name;
  std::string amount;       // "100000"
  std::string rate;         // "8.25"
  std::string years;        // "30", ".5"
  std::string date;         // "03-15-2010"
  std::string compounding;  // position in kCompoundings, "2"
};

// What Add or Rename did; `title` and `message` say why when refused, and are
// empty for a cancelled (empty) name.
struct ProfileChange {
  bool done = false;
  int slot = 0;
  std::string title;
  std::string message;
};

class LoanProfiles {
 public:
  // Reads every named slot, and empties the keys of the old single-loan
  // layout ("Principal" etc. without a number), which nothing reads.
  explicit LoanProfiles(SettingsPort& settings);

  // The names of the used slots, in slot order.
  std::vector<std::string> Names() const;
  // The first slot (1..20) holding the name, 0 when none does.
  int Find(std::string_view name) const;
  const LoanProfile& At(int slot) const { return slots_.at(slot - 1); }

  bool HasRoom() const { return Names().size() < kProfileSlots; }
  // Takes the first free slot and writes only its name.
  ProfileChange Add(std::string_view name);
  ProfileChange Rename(int slot, std::string_view name);
  // Empties the slot's six keys (its compounding stays for a later Add).
  void Remove(int slot);
  // Keeps the slot's name and writes all six keys.
  void Store(int slot, const LoanProfile& values);

 private:
  // Gives the slot the name, unless another slot holds it.
  ProfileChange GiveName(int slot, std::string_view name);

  SettingsPort& settings_;
  std::array<LoanProfile, kProfileSlots> slots_;
};

// The texts a selected profile puts in the amount, rate and duration fields,
// and its compounding position (-1 for none or junk, leaving the list alone).
struct ProfileFields {
  std::string amount;
  std::string rate;
  std::string years;
  int compounding = -1;
};
ProfileFields FieldsOf(const LoanProfile& profile);

// Whether the window shows its chart pane, kept in the same section as the
// profiles ("Chart=1"); hidden until the user first shows it.
bool ChartShown(SettingsPort& settings);
void KeepChartShown(SettingsPort& settings, bool shown);

// What Calculate stores from the fields as it read them.
LoanProfile StoredValues(const LoanInputs& inputs, std::string date, int compounding);

}  // namespace tallix::loan
