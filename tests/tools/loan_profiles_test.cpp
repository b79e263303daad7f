#include <gtest/gtest.h>

#include "engine/memory_settings.h"
#include "tools/loan/loan_profiles.h"

namespace tallix::loan {
namespace {

constexpr char kSection[] = "Loan Settings";

class LoanProfilesTest : public ::testing::Test {
 protected:
  void Put(const std::string& key, const std::string& value) { settings.values[{kSection, key}] = value; }
  std::string Stored(const std::string& key) {
    const auto found = settings.values.find({kSection, key});
    return found == settings.values.end() ? "<missing>" : found->second;
  }

  MemorySettings settings;
};

TEST_F(LoanProfilesTest, TwentyProfilesLeaveNoRoomForAnother) {
  for (int slot = 1; slot <= 20; ++slot) Put("Name" + std::to_string(slot), "Loan " + std::to_string(slot));
  LoanProfiles profiles(settings);
  EXPECT_EQ(profiles.Names().size(), 20u);
  const ProfileChange added = profiles.Add("One more");
  EXPECT_FALSE(added.done);
  EXPECT_EQ(added.title, "Maximum Loan Profiles reached!");
  EXPECT_EQ(added.message, "Please remove a Loan Profile first.");
  profiles.Remove(7);
  EXPECT_EQ(profiles.Add("One more").slot, 7);
}

TEST_F(LoanProfilesTest, GapsJunkAndOldKeys) {
  Put("Name3", "Car");
  Put("Principal3", "abc");
  Put("Interest3", "8.125");
  Put("CompoundingPeriods3", "9");
  Put("Name7", "Home");
  Put("Principal7", "100000");
  Put("Years7", ".5");
  Put("Principal5", "500");  // no name: a free slot, whatever else it holds
  Put("Payments Made", "12");
  LoanProfiles profiles(settings);
  EXPECT_EQ(profiles.Names(), (std::vector<std::string>{"Car", "Home"}));
  EXPECT_EQ(Stored("Payments Made"), "");
  EXPECT_EQ(Stored("Principal"), "<missing>");

  const ProfileFields car = FieldsOf(profiles.At(profiles.Find("Car")));
  EXPECT_EQ(car.amount, "$0.00");
  EXPECT_EQ(car.rate, "8.125%");
  EXPECT_EQ(car.compounding, -1);
  const ProfileFields home = FieldsOf(profiles.At(7));
  EXPECT_EQ(home.amount, "$100,000.00");
  EXPECT_EQ(home.rate, "");
  EXPECT_EQ(home.years, ".5");
  EXPECT_EQ(home.compounding, 2);

  // A new profile takes the first free slot and writes its name alone.
  EXPECT_EQ(profiles.Add("Boat").slot, 1);
  EXPECT_EQ(Stored("Name1"), "Boat");
  EXPECT_EQ(Stored("Principal1"), "<missing>");
}

TEST_F(LoanProfilesTest, NamesStayUnique) {
  Put("Name2", "Home");
  Put("Name5", "Home");  // from an older file: the first slot wins
  Put("Name6", "Car");
  LoanProfiles profiles(settings);
  EXPECT_EQ(profiles.Find("Home"), 2);
  const std::string duplicate = "Car has already been used.  Please use a different name.";
  const ProfileChange added = profiles.Add("Car");
  EXPECT_EQ(added.title, "Duplicate Name!");
  EXPECT_EQ(added.message, duplicate);
  EXPECT_EQ(profiles.Rename(2, "Car").message, duplicate);
  EXPECT_EQ(Stored("Name2"), "Home");
  EXPECT_TRUE(profiles.Add("car").done);
  EXPECT_TRUE(profiles.Rename(6, "Car").done);  // its own name
  EXPECT_FALSE(profiles.Add("").done);
  EXPECT_TRUE(profiles.Add("").title.empty());
  EXPECT_TRUE(profiles.Rename(6, "Auto").done);
  EXPECT_EQ(Stored("Name6"), "Auto");
}

// A hand-edited name that is not UTF-8 stays the profile's key, byte for byte.
TEST_F(LoanProfilesTest, NamesThatAreNotUtf8KeepTheirBytes) {
  Put("Name2", "Caf\xE9");
  Put("Principal2", "5000");
  LoanProfiles profiles(settings);
  EXPECT_EQ(profiles.Names(), std::vector<std::string>{"Caf\xE9"});
  ASSERT_EQ(profiles.Find("Caf\xE9"), 2);
  EXPECT_EQ(FieldsOf(profiles.At(2)).amount, "$5,000.00");
  EXPECT_EQ(profiles.Add("Caf\xE9").title, "Duplicate Name!");
  profiles.Store(2, StoredValues(ReadInputs({"$7,000.00", "5.00%", "3", "03-15-2010", 2}), "03-15-2010", 2));
  EXPECT_EQ(Stored("Name2") + "|" + Stored("Principal2"), "Caf\xE9|7000");
  profiles.Remove(2);
  EXPECT_EQ(Stored("Name2"), "");
  EXPECT_TRUE(profiles.Names().empty());
}

TEST_F(LoanProfilesTest, StoreAndRemoveWriteTheSlotsKeys) {
  LoanProfiles profiles(settings);
  const int slot = profiles.Add("Home").slot;
  const LoanInputs inputs = ReadInputs({"$100,000.00", "8.125%", ".5", "03-15-2010", 3});
  profiles.Store(slot, StoredValues(inputs, "03-15-2010", 3));
  EXPECT_EQ(Stored("Name1"), "Home");
  EXPECT_EQ(Stored("Principal1"), "100000");
  EXPECT_EQ(Stored("Interest1"), "8.125");
  EXPECT_EQ(Stored("Years1"), ".5");
  EXPECT_EQ(Stored("StartDate1"), "03-15-2010");
  EXPECT_EQ(Stored("CompoundingPeriods1"), "3");
  profiles.Remove(slot);
  for (const char* key : {"Name1", "Principal1", "Interest1", "Years1", "StartDate1", "CompoundingPeriods1"}) {
    EXPECT_EQ(Stored(key), "") << key;
  }
  EXPECT_TRUE(profiles.Names().empty());
  EXPECT_EQ(profiles.At(slot).compounding, "3");
  EXPECT_EQ(LoanProfiles(settings).Names().size(), 0u);
}

}  // namespace
}  // namespace tallix::loan
