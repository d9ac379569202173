#include "platform/process_tree.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <vector>

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

bool CreateProcessTree(const std::string& commandLine, ProcessInformation& info, NativeHandle& tree, bool closable) {
  tree = 0;
  // Suspended until it is in the job, so that nothing it starts escapes the job.
  if (!win32::StartCompanion(commandLine, CREATE_SUSPENDED | (closable ? CREATE_NEW_CONSOLE : 0), info)) return false;
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
  // Room for far more processes than a companion starts; a job with more fills it and fails,
  // and those listed are asked all the same. The ids are read from the bytes as the system
  // lays them out, past the one-element array the record declares.
  constexpr std::size_t kRoom = sizeof(JOBOBJECT_BASIC_PROCESS_ID_LIST) + 255 * sizeof(ULONG_PTR);
  alignas(JOBOBJECT_BASIC_PROCESS_ID_LIST) unsigned char list[kRoom] = {};
  QueryInformationJobObject(reinterpret_cast<HANDLE>(tree), JobObjectBasicProcessIdList, list, sizeof list, nullptr);
  DWORD count = 0;
  std::memcpy(&count, list + offsetof(JOBOBJECT_BASIC_PROCESS_ID_LIST, NumberOfProcessIdsInList), sizeof count);
  std::vector<DWORD> ids;
  for (DWORD i = 0; i < count && i < 256; ++i) {
    ULONG_PTR id = 0;
    std::memcpy(&id, list + offsetof(JOBOBJECT_BASIC_PROCESS_ID_LIST, ProcessIdList) + i * sizeof id, sizeof id);
    ids.push_back(static_cast<DWORD>(id));
  }
  win32::AskToClose(ids);
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
