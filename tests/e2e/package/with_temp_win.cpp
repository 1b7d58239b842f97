// with_temp.exe TEMP_FOLDER PROGRAM [ARGUMENT...]: runs PROGRAM with the temporary folder
// TEMP_FOLDER (TEMP and TMP; Wine sets them from its registry, whatever the Unix environment
// says), waits for it and ends with its exit code. Everything it starts lies in one job that
// ends with this program, so a test that kills it ends the card package and the card program
// that the package runs.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::wstring Quoted(const wchar_t* argument) { return L"\"" + std::wstring(argument) + L"\""; }

int Fail(const char* what) {
  std::fprintf(stderr, "with_temp: %s failed (error %lu)\n", what, GetLastError());
  return 255;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count < 3) {
    std::fprintf(stderr, "usage: with_temp TEMP_FOLDER PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  SetEnvironmentVariableW(L"TEMP", arguments[1]);
  SetEnvironmentVariableW(L"TMP", arguments[1]);
  std::wstring commandLine = Quoted(arguments[2]);
  for (int i = 3; i < count; ++i) commandLine += L" " + Quoted(arguments[i]);

  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job == nullptr ||
      !SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
    return Fail("making the job");
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(arguments[2], commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_SUSPENDED, nullptr, nullptr, &startup, &process)) {
    return Fail("starting the program");
  }
  // In the job before it runs, so that whatever it starts is in the job too.
  if (!AssignProcessToJobObject(job, process.hProcess)) return Fail("joining the job");
  ResumeThread(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  return static_cast<int>(exitCode);
}
