#include "ui/screen_reader_notice.h"

#include <atomic>

namespace tallix::ui {
namespace {

// The values of NotificationKind_ActionCompleted and
// NotificationProcessing_ImportantMostRecent, which older headers lack.
constexpr int kActionCompleted = 2;
constexpr int kImportantMostRecent = 1;

using HostProviderFunction = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);

// Looked up at run time: the notification came with Windows 10 1709, and
// nothing links against the library.
struct AutomationFunctions {
  HostProviderFunction hostProvider = nullptr;
  RaiseNotificationFunction raise = nullptr;

  AutomationFunctions() {
    // From the system folder only: a library of that name beside Tallix.exe
    // is never taken.
    HMODULE module = LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) return;
    hostProvider = reinterpret_cast<HostProviderFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, "UiaHostProviderFromHwnd")));
    raise = reinterpret_cast<RaiseNotificationFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, "UiaRaiseNotificationEvent")));
  }
};

const AutomationFunctions& Automation() {
  static const AutomationFunctions functions;
  return functions;
}

std::atomic<RaiseNotificationFunction> givenRaiser{nullptr};

BSTR NewString(std::wstring_view text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

}  // namespace

bool AnnounceText(HWND control, std::wstring_view text, std::wstring_view activity) {
  const RaiseNotificationFunction given = givenRaiser.load();
  const RaiseNotificationFunction raise = given ? given : Automation().raise;
  if (!raise || !Automation().hostProvider || !IsWindow(control) || text.empty()) return false;
  IRawElementProviderSimple* element = nullptr;
  if (FAILED(Automation().hostProvider(control, &element)) || !element) return false;
  BSTR words = NewString(text);
  BSTR activityId = NewString(activity);
  const HRESULT raised =
      words && activityId ? raise(element, kActionCompleted, kImportantMostRecent, words, activityId) : E_OUTOFMEMORY;
  SysFreeString(words);
  SysFreeString(activityId);
  element->Release();
  return SUCCEEDED(raised);
}

void SetNotificationRaiser(RaiseNotificationFunction raise) { givenRaiser.store(raise); }

}  // namespace tallix::ui
