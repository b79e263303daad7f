#pragma once
// What Tallix tells the user about its tape journal, in one place.
#include <string>

namespace tallix {

// A journal left by the last session could not be read; `aside` is where it
// was set aside, empty when it could not be.
inline std::string JournalUnreadableMessage(const std::string& aside) {
  return "The tape kept from the last session could not be read" +
         (aside.empty() ? std::string(".") : "; it was set aside as " + aside + ".") +
         " Tallix starts with an empty tape.";
}

// A write of the journal failed; `reason` is the system's.
inline std::string JournalFailingMessage(const std::string& path, const std::string& reason) {
  return "The tape could not be saved to " + path + " (" + reason + "): retrying.";
}

inline std::string JournalSavedAgainMessage(const std::string& path) {
  return "The tape is saved to " + path + " again: it is protected against a crash again.";
}

// Nothing could be made in the folder of Tallix.ini.
inline std::string FolderNotWritableMessage(const std::string& folder) {
  return "Tallix cannot write in " + folder +
         ": the tape is not protected against a crash, and settings will not be kept.";
}

}  // namespace tallix
