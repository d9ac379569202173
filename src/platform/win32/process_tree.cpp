#include "platform/process_tree.h"

#include <windows.h>

#include "platform/win32/close_request.h"
#include "platform/win32/companion_start.h"

namespace orvo::platform {
namespace {

// A job that ends its processes when its last handle closes: the loader holds the only one,
// not inheritable, so a loader that dies takes the tree with it.
HANDLE NewJob() {
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job != nullptr && !SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
    CloseHandle(job);
    return nullptr;
  }
  return job;
}

}  // namespace

bool CreateProcessTree(const std::string& commandLine, ProcessInformation& info, NativeHandle& tree) {
  tree = 0;
  // Suspended until it is in the job, so that nothing it starts escapes the job.
  if (!win32::StartCompanion(commandLine, CREATE_SUSPENDED, info)) return false;
  HANDLE job = NewJob();
  if (job != nullptr && !AssignProcessToJobObject(job, reinterpret_cast<HANDLE>(info.hProcess))) {
    CloseHandle(job);
    job = nullptr;
  }
  ResumeThread(reinterpret_cast<HANDLE>(info.hThread));
  tree = reinterpret_cast<NativeHandle>(job);
  return true;
}

void TerminateTree(NativeHandle tree) {
  if (tree != 0) TerminateJobObject(reinterpret_cast<HANDLE>(tree), 0);
}

void AskTreeToClose(NativeHandle tree) {
  if (tree == 0) return;
  // Room for far more processes than a companion starts; those past it are ended after the wait.
  struct {
    JOBOBJECT_BASIC_PROCESS_ID_LIST list;
    ULONG_PTR more[255];
  } ids{};
  // A job with more processes than the room fills it and fails; those listed are asked all the same.
  QueryInformationJobObject(reinterpret_cast<HANDLE>(tree), JobObjectBasicProcessIdList, &ids, sizeof ids, nullptr);
  for (DWORD i = 0; i < ids.list.NumberOfProcessIdsInList && i < 256; ++i)
    win32::AskToClose(static_cast<DWORD>(ids.list.ProcessIdList[i]));
}

bool TreeHasEnded(NativeHandle tree) {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
  return tree == 0 || !QueryInformationJobObject(reinterpret_cast<HANDLE>(tree), JobObjectBasicAccountingInformation,
                                                 &accounting, sizeof accounting, nullptr) ||
         accounting.ActiveProcesses == 0;
}

void CloseTree(NativeHandle tree) {
  if (tree != 0) CloseHandle(reinterpret_cast<HANDLE>(tree));
}

}  // namespace orvo::platform
