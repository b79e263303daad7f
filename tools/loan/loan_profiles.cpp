#include "tools/loan/loan_profiles.h"

#include "engine/settings_section.h"
#include "services/number_text.h"

namespace tallix::loan {

namespace {

constexpr SettingKey kSlotKeys[] = {{"Name"},  {"Principal"}, {"Interest"},
                                    {"Years"}, {"StartDate"}, {"CompoundingPeriods", "2"}};
constexpr SectionSchema kLoanSection{"Loan Settings", kSlotKeys};
constexpr std::string_view kOldKeys[] = {"Principal", "Interest", "Years", "StartDate", "Payments Made"};

}  // namespace

LoanProfiles::LoanProfiles(SettingsPort& settings) : settings_(settings) {
  for (std::string_view key : kOldKeys) {
    if (!settings_.Read(kLoanSection.section, key, "").empty()) settings_.Write(kLoanSection.section, key, "");
  }
  for (int slot = 1; slot <= kProfileSlots; ++slot) {
    const std::string number = std::to_string(slot);
    if (settings_.Read(kLoanSection.section, "Name" + number, "").empty()) continue;
    const SectionValues values = SectionValues::Read(settings_, kLoanSection, number);
    slots_[slot - 1] = {values.Get("Name"),  values.Get("Principal"), values.Get("Interest"),
                        values.Get("Years"), values.Get("StartDate"), values.Get("CompoundingPeriods")};
  }
}

bool ChartShown(SettingsPort& settings) { return settings.Read(kLoanSection.section, "Chart", "0") == "1"; }

void KeepChartShown(SettingsPort& settings, bool shown) {
  settings.Write(kLoanSection.section, "Chart", shown ? "1" : "0");
}

std::vector<std::string> LoanProfiles::Names() const {
  std::vector<std::string> names;
  for (const LoanProfile& profile : slots_) {
    if (!profile.name.empty()) names.push_back(profile.name);
  }
  return names;
}

int LoanProfiles::Find(std::string_view name) const {
  for (int slot = 1; slot <= kProfileSlots; ++slot) {
    if (!name.empty() && At(slot).name == name) return slot;
  }
  return 0;
}

ProfileChange LoanProfiles::GiveName(int slot, std::string_view name) {
  if (const int holder = Find(name); holder != 0 && holder != slot)
    return {false, 0, "Duplicate Name!", std::string(name) + " has already been used.  Please use a different name."};
  slots_[slot - 1].name = name;
  settings_.Write(kLoanSection.section, "Name" + std::to_string(slot), name);
  return {true, slot, {}, {}};
}

ProfileChange LoanProfiles::Add(std::string_view name) {
  int free = 0;
  for (int slot = kProfileSlots; slot >= 1; --slot) {
    if (At(slot).name.empty()) free = slot;
  }
  if (free == 0) return {false, 0, "Maximum Loan Profiles reached!", "Please remove a Loan Profile first."};
  if (name.empty()) return {};
  return GiveName(free, name);
}

ProfileChange LoanProfiles::Rename(int slot, std::string_view name) {
  if (name.empty() || slot < 1 || slot > kProfileSlots) return {};
  return GiveName(slot, name);
}

void LoanProfiles::Remove(int slot) {
  if (slot < 1 || slot > kProfileSlots) return;
  LoanProfile& profile = slots_[slot - 1];
  profile = LoanProfile{{}, {}, {}, {}, {}, profile.compounding};
  for (const SettingKey& key : kSlotKeys) {
    settings_.Write(kLoanSection.section, std::string(key.name) + std::to_string(slot), "");
  }
}

void LoanProfiles::Store(int slot, const LoanProfile& values) {
  if (slot < 1 || slot > kProfileSlots) return;
  LoanProfile& profile = slots_[slot - 1];
  profile = {profile.name, values.amount, values.rate, values.years, values.date, values.compounding};
  const std::string number = std::to_string(slot);
  const std::string* texts[] = {&profile.name,  &profile.amount, &profile.rate,
                                &profile.years, &profile.date,   &profile.compounding};
  for (std::size_t i = 0; i < std::size(kSlotKeys); ++i) {
    settings_.Write(kLoanSection.section, std::string(kSlotKeys[i].name) + number, *texts[i]);
  }
}

ProfileFields FieldsOf(const LoanProfile& profile) {
  ProfileFields fields;
  fields.amount = ReformatAmount(profile.amount);
  if (ReadRate(profile.rate) != 0) fields.rate = ReformatRate(profile.rate);
  fields.years = profile.years;
  const std::optional<Real> position = ParseNumberExact(profile.compounding);
  for (int i = 0; i < int(kCompoundings.size()); ++i) {
    if (position && *position == i) fields.compounding = i;
  }
  return fields;
}

LoanProfile StoredValues(const LoanInputs& inputs, std::string date, int compounding) {
  return {"",
          PlainNumberText(inputs.amount, 15),
          PlainNumberText(inputs.ratePercent, 7),
          PlainNumberText(inputs.years, 7),
          std::move(date),
          std::to_string(compounding)};
}

}  // namespace tallix::loan
