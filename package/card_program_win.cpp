// Running the card program (see card_program_win.h).
#include "package/card_program_win.h"

#include "newcard/system_error_win.h"
#include "package/command_line.h"
#include "package/path_text_win.h"

#include <string_view>

namespace card {

Result<DWORD> RunCardProgram(const std::wstring& program, const std::wstring& folder,
                             const std::wstring& packagePath) {
  const std::string programText = ToUtf8(program);
  const std::string packageText = ToUtf8(packagePath);
  const std::string_view arguments[] = {programText, packageText};
  std::wstring commandLine = WidenUtf8(JoinCommandLine(arguments));

  // The card shows itself as the package was asked to show.
  STARTUPINFOW own{};
  own.cb = sizeof own;
  GetStartupInfoW(&own);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = own.dwFlags & STARTF_USESHOWWINDOW;
  startup.wShowWindow = own.wShowWindow;

  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    return Fail(SystemErrorText(GetLastError()));
  }
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  return exitCode;
}

}  // namespace card
