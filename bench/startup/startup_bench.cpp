// Start-up benchmark: starts a program, waits until its main window exists and
// its thread is idle, reads its resident memory, closes it; repeats, and prints
// the median times of Tallix.exe and of each baseline program measured in the
// same run, with Tallix's ratio against each.
//   startup_bench [--runs N] TALLIX_EXE BASELINE_EXE...
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Sample {
  double milliseconds = 0;
  SIZE_T workingSet = 0;
};

struct FindArgs {
  DWORD processId;
  HWND window;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM lparam) {
  auto* args = reinterpret_cast<FindArgs*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == args->processId && IsWindowVisible(window)) {
    args->window = window;
    return FALSE;
  }
  return TRUE;
}

bool RunOnce(const std::wstring& exe, Sample& sample) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + exe + L"\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  WaitForInputIdle(process.hProcess, 30000);
  FindArgs args{process.dwProcessId, nullptr};
  for (int i = 0; i < 3000 && !args.window; ++i) {
    EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&args));
    if (!args.window) Sleep(1);
  }
  if (args.window) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(args.window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
  }
  QueryPerformanceCounter(&end);
  sample.milliseconds = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)) sample.workingSet = counters.WorkingSetSize;
  if (args.window) PostMessageW(args.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return args.window != nullptr;
}

Sample Median(std::vector<Sample> samples) {
  std::sort(samples.begin(), samples.end(),
            [](const Sample& a, const Sample& b) { return a.milliseconds < b.milliseconds; });
  return samples[samples.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs("usage: startup_bench [--runs N] TALLIX_EXE BASELINE_EXE...\n", stderr);
    return 2;
  }
  int runs = 15;
  int first = 1;
  if (std::wcscmp(argv[1], L"--runs") == 0 && argc > 4) {
    runs = std::max(1, static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
    first = 3;
  }
  std::vector<std::wstring> programs(argv + first, argv + argc);
  std::vector<std::vector<Sample>> samples(programs.size());
  // Take turns so that every program sees the same state of the machine.
  for (int i = 0; i < runs; ++i) {
    for (std::size_t p = 0; p < programs.size(); ++p) {
      Sample sample;
      if (!RunOnce(programs[p], sample)) {
        std::fprintf(stderr, "startup_bench: %ls did not show its window\n", programs[p].c_str());
        return 1;
      }
      samples[p].push_back(sample);
    }
  }
  std::printf("start-up until idle, median of %d runs (ratio: the first program against each):\n", runs);
  const Sample subject = Median(samples[0]);
  for (std::size_t p = 0; p < programs.size(); ++p) {
    const Sample m = Median(samples[p]);
    std::wstring name = programs[p].substr(programs[p].find_last_of(L"\\/") + 1);
    std::printf("  %-22ls %8.1f ms   working set %6.1f MiB", name.c_str(), m.milliseconds, m.workingSet / 1048576.0);
    if (p > 0) {
      std::printf("   ratio: time %.2f, working set %.2f", subject.milliseconds / m.milliseconds,
                  static_cast<double>(subject.workingSet) / static_cast<double>(m.workingSet ? m.workingSet : 1));
    }
    std::printf("\n");
  }
  return 0;
}
