// Start-up time of each editor against a minimal window program, under the same system in the
// same run: from CreateProcessW until the window is ready for input (idle, visible, and for the
// simple editor its boxes filled). The programs take turns, one start each per round, so that a
// slow patch of the machine hits them alike; each ratio is taken within its round. Prints medians
// with their quartiles.
// Usage: startup_bench FOLDER_WITH_LENGTH_DAT STARTS MINIMAL.exe tallyvane.exe tallyvane-lite.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench/quartiles.h"

namespace {

constexpr int kText1 = 1001;  // the first box of an editor

struct Program {
  const wchar_t* name;
  std::wstring exe;
  std::wstring caption;
  bool waitForFilledBoxes;
};

struct Search {
  DWORD processId;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK AcceptVisibleWindow(HWND window, LPARAM data) {
  auto& s = *reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  if (owner != s.processId || !IsWindowVisible(window) || *s.caption != text) return TRUE;
  s.found = window;
  return FALSE;
}

HWND VisibleWindow(DWORD processId, const std::wstring& caption) {
  Search search{processId, &caption, nullptr};
  EnumWindows(AcceptVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Milliseconds from start until ready, or a negative number on a timeout.
double TimeOneStart(const Program& program, const std::wstring& folder) {
  const auto start = std::chrono::steady_clock::now();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + program.exe + L"\"";
  if (!CreateProcessW(program.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process))
    return -1;
  WaitForInputIdle(process.hProcess, 10000);
  double elapsed = -1;
  for (const auto deadline = start + std::chrono::seconds(10);
       std::chrono::steady_clock::now() < deadline;) {
    HWND window = VisibleWindow(process.dwProcessId, program.caption);
    // Another process's box answers only a message for its text, not GetWindowTextLength.
    DWORD_PTR length = 0;
    const bool ready =
        window != nullptr && (!program.waitForFilledBoxes ||
                              (SendMessageTimeoutW(GetDlgItem(window, kText1), WM_GETTEXTLENGTH, 0,
                                                   0, SMTO_ABORTIFHUNG, 1000, &length) &&
                               length > 0));
    if (ready) {
      elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: startup_bench FOLDER STARTS MINIMAL.exe FULL.exe LITE.exe\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  const int starts = std::stoi(argv[2]);
  const std::vector<Program> programs = {
      {L"minimal-window", argv[3], L"Minimal", false},
      {L"tallyvane.exe", argv[4], L"Tallyvane", false},
      {L"tallyvane-lite.exe", argv[5], L"Tallyvane-简易版", true}};
  std::vector<std::vector<double>> times(programs.size());
  for (const Program& program : programs) TimeOneStart(program, folder);  // warm-up
  for (int round = 0; round < starts; ++round)
    for (std::size_t i = 0; i < programs.size(); ++i)
      times[i].push_back(TimeOneStart(programs[i], folder));

  for (std::size_t i = 0; i < programs.size(); ++i)
    if (std::any_of(times[i].begin(), times[i].end(), [](double t) { return t < 0; })) {
      std::fwprintf(stderr, L"a start of %ls timed out\n", programs[i].exe.c_str());
      return 1;
    }
  std::printf("start-up, %d rounds taken in turns\n", starts);
  for (std::size_t i = 0; i < programs.size(); ++i) {
    const auto ms = tallyvane::bench::QuartilesOf(times[i]);
    std::printf("start-up %-20ls median %6.1f ms  quartiles %.1f-%.1f ms", programs[i].name,
                ms.median, ms.first, ms.third);
    if (i > 0) {
      std::vector<double> ratios;
      for (std::size_t round = 0; round < times[i].size(); ++round)
        ratios.push_back(times[i][round] / times[0][round]);
      const auto ratio = tallyvane::bench::QuartilesOf(ratios);
      std::printf("  ratio %.2fx  quartiles %.2f-%.2fx", ratio.median, ratio.first, ratio.third);
    }
    std::printf("\n");
  }
  return 0;
}
